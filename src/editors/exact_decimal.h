#pragma once
// A decimal number exactly as the user typed it: an integer mantissa (kept as its digits, so
// no length is too long) and a power of ten. The scale and shift edits of the curve editor
// compute with it, so that 10 x 0,7 gives 7 and 100 x 0,29 gives 29 whatever a binary float
// would make of 0,7 or 0,29.
#include <cstdint>
#include <optional>
#include <string>

namespace korrin {

struct ExactDecimal {
  bool negative = false;  // never set for zero
  std::string digits;     // the mantissa: no leading or trailing '0'; empty for zero
  int64_t exponent = 0;   // value = digits x 10^exponent
};

// Blanks around an optional sign, digits with at most one decimal separator (',' or '.',
// both in every locale: these are small numbers without thousands) and an optional exponent
// ("2e-1"). Nothing for any other text, an empty one included.
std::optional<ExactDecimal> ReadExactDecimal(const std::string& text);

// The whole number n as a decimal.
ExactDecimal DecimalOf(int n);

// -1, 0 or 1 as a is less than, equal to or greater than b.
int CompareDecimals(const ExactDecimal& a, const ExactDecimal& b);

// trunc(n x d) and trunc(n + d): the exact result, truncated toward zero; a result beyond
// +-10^12 is given as +-10^12 (the callers limit it to a table byte anyway).
int64_t TruncatedProduct(int n, const ExactDecimal& d);
int64_t TruncatedSum(int n, const ExactDecimal& d);

}  // namespace korrin
