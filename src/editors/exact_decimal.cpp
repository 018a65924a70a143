#include "editors/exact_decimal.h"

#include <algorithm>

namespace korrin {

namespace {

constexpr int64_t kResultLimit = 1'000'000'000'000;  // 10^12
// Whole parts are held up to 10^15, far enough beyond kResultLimit that adding an int or
// multiplying by one cannot bring a larger number back below it.
constexpr int64_t kWholeLimit = 1'000'000'000'000'000;
constexpr int64_t kExponentLimit = 1'000'000'000'000'000;  // larger exponents are all alike here

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Drops leading zeros and moves trailing ones into the exponent; zero has no digits and no sign.
ExactDecimal Normalised(bool negative, std::string digits, int64_t exponent) {
  const size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return {};
  const size_t last = digits.find_last_not_of('0');
  exponent += static_cast<int64_t>(digits.size() - 1 - last);
  return {negative, digits.substr(first, last + 1 - first), exponent};
}

struct WholeAndFraction {
  int64_t whole = 0;      // the digits before the decimal point, at most kWholeLimit
  bool fraction = false;  // a digit other than 0 after it
};

// The magnitude digits x 10^exponent split at the decimal point (digits without leading zeros).
WholeAndFraction Split(const std::string& digits, int64_t exponent) {
  if (digits.empty()) return {};
  const int64_t size = static_cast<int64_t>(digits.size());
  const int64_t before = size + exponent;  // digits before the decimal point
  if (before > 16) return {kWholeLimit, false};
  WholeAndFraction out;
  for (int64_t k = 0; k < before; ++k) out.whole = out.whole * 10 + (k < size ? digits[static_cast<size_t>(k)] - '0' : 0);
  out.whole = std::min(out.whole, kWholeLimit);
  for (int64_t k = std::max<int64_t>(before, 0); k < size && !out.fraction; ++k)
    out.fraction = digits[static_cast<size_t>(k)] != '0';
  return out;
}

int CompareMagnitudes(const ExactDecimal& a, const ExactDecimal& b) {
  if (a.digits.empty() || b.digits.empty()) return (a.digits.empty() ? 0 : 1) - (b.digits.empty() ? 0 : 1);
  const int64_t topA = static_cast<int64_t>(a.digits.size()) + a.exponent;
  const int64_t topB = static_cast<int64_t>(b.digits.size()) + b.exponent;
  if (topA != topB) return topA < topB ? -1 : 1;
  // Same leading position and no trailing zeros: the digit strings compare as the numbers do.
  const int c = a.digits.compare(b.digits);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int SignOf(const ExactDecimal& d) { return d.digits.empty() ? 0 : d.negative ? -1 : 1; }

}  // namespace

std::optional<ExactDecimal> ReadExactDecimal(const std::string& text) {
  size_t i = 0, end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string mantissa;
  int64_t fractionDigits = 0;
  while (i < end && IsDigit(text[i])) mantissa += text[i++];
  if (i < end && (text[i] == ',' || text[i] == '.')) {
    ++i;
    for (; i < end && IsDigit(text[i]); ++i, ++fractionDigits) mantissa += text[i];
  }
  if (mantissa.empty()) return std::nullopt;
  int64_t exponent = 0;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    const size_t first = i;
    for (; i < end && IsDigit(text[i]); ++i)
      if (exponent < kExponentLimit) exponent = exponent * 10 + (text[i] - '0');
    if (i == first) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != end) return std::nullopt;
  return Normalised(negative, std::move(mantissa), exponent - fractionDigits);
}

ExactDecimal DecimalOf(int n) {
  const int64_t v = n;
  return Normalised(v < 0, std::to_string(v < 0 ? -v : v), 0);
}

int CompareDecimals(const ExactDecimal& a, const ExactDecimal& b) {
  const int sa = SignOf(a), sb = SignOf(b);
  if (sa != sb) return sa < sb ? -1 : 1;
  return sa * CompareMagnitudes(a, b);
}

int64_t TruncatedProduct(int n, const ExactDecimal& d) {
  if (n == 0 || d.digits.empty()) return 0;
  const int64_t m = n < 0 ? -static_cast<int64_t>(n) : n;
  // The mantissa times |n|, digit by digit from the right; the exponent stays.
  std::string product;
  product.reserve(d.digits.size() + 11);
  int64_t carry = 0;
  for (auto it = d.digits.rbegin(); it != d.digits.rend(); ++it) {
    const int64_t v = (*it - '0') * m + carry;
    product += static_cast<char>('0' + v % 10);
    carry = v / 10;
  }
  for (; carry > 0; carry /= 10) product += static_cast<char>('0' + carry % 10);
  std::reverse(product.begin(), product.end());
  // Dropping the fraction truncates toward zero.
  const int64_t whole = std::min(Split(product, d.exponent).whole, kResultLimit);
  return d.negative != (n < 0) ? -whole : whole;
}

int64_t TruncatedSum(int n, const ExactDecimal& d) {
  const WholeAndFraction part = Split(d.digits, d.exponent);
  int64_t sum = n + (d.negative ? -part.whole : part.whole);
  // n + d lies between sum and sum +- 1; truncating toward zero keeps sum unless that crosses 0.
  if (part.fraction) {
    if (!d.negative && sum < 0) sum += 1;
    if (d.negative && sum > 0) sum -= 1;
  }
  return std::clamp(sum, -kResultLimit, kResultLimit);
}

}  // namespace korrin
