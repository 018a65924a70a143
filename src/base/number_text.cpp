#include "base/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korrin {

namespace {

// A non-negative integer of any size: 32-bit limbs, least significant first, no leading
// zero limbs (zero is the empty vector). Only what the two conversions need.
class BigNumber {
 public:
  BigNumber() = default;
  explicit BigNumber(uint64_t v) {
    while (v) {
      limbs_.push_back(static_cast<uint32_t>(v));
      v >>= 32;
    }
  }

  bool IsZero() const { return limbs_.empty(); }

  int BitLength() const {
    if (limbs_.empty()) return 0;
    int bits = static_cast<int>(limbs_.size() - 1) * 32;
    for (uint32_t top = limbs_.back(); top; top >>= 1) ++bits;
    return bits;
  }

  bool Bit(int index) const {
    const size_t limb = static_cast<size_t>(index / 32);
    return limb < limbs_.size() && ((limbs_[limb] >> (index % 32)) & 1u);
  }

  void MultiplyAdd(uint32_t factor, uint32_t addend) {
    uint64_t carry = addend;
    for (auto& limb : limbs_) {
      uint64_t v = static_cast<uint64_t>(limb) * factor + carry;
      limb = static_cast<uint32_t>(v);
      carry = v >> 32;
    }
    if (carry) limbs_.push_back(static_cast<uint32_t>(carry));
    Trim();
  }

  void MultiplyByPowerOfTen(int exponent) {
    for (; exponent >= 9; exponent -= 9) MultiplyAdd(1000000000u, 0);
    static constexpr uint32_t kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    if (exponent > 0) MultiplyAdd(kPowers[exponent], 0);
  }

  // Divides by divisor and returns the remainder.
  uint32_t DivideSmall(uint32_t divisor) {
    uint64_t rest = 0;
    for (size_t i = limbs_.size(); i-- > 0;) {
      uint64_t v = (rest << 32) | limbs_[i];
      limbs_[i] = static_cast<uint32_t>(v / divisor);
      rest = v % divisor;
    }
    Trim();
    return static_cast<uint32_t>(rest);
  }

  void ShiftLeft(int bits) {
    if (limbs_.empty() || bits <= 0) return;
    const size_t whole = static_cast<size_t>(bits / 32);
    const int part = bits % 32;
    limbs_.insert(limbs_.begin(), whole, 0u);
    if (part) {
      uint32_t carry = 0;
      for (size_t i = whole; i < limbs_.size(); ++i) {
        uint32_t v = limbs_[i];
        limbs_[i] = (v << part) | carry;
        carry = v >> (32 - part);
      }
      if (carry) limbs_.push_back(carry);
    }
  }

  // Shifts right by bits; true when a bit that fell off was set.
  bool ShiftRight(int bits) {
    if (bits <= 0) return false;
    bool lost = false;
    const size_t whole = static_cast<size_t>(bits / 32);
    const int part = bits % 32;
    if (whole >= limbs_.size()) {
      lost = !limbs_.empty();
      limbs_.clear();
      return lost;
    }
    for (size_t i = 0; i < whole; ++i) lost = lost || limbs_[i] != 0;
    limbs_.erase(limbs_.begin(), limbs_.begin() + static_cast<std::ptrdiff_t>(whole));
    if (part) {
      lost = lost || (limbs_[0] & ((1u << part) - 1u)) != 0;
      for (size_t i = 0; i < limbs_.size(); ++i) {
        uint32_t next = i + 1 < limbs_.size() ? limbs_[i + 1] : 0u;
        limbs_[i] = (limbs_[i] >> part) | (next << (32 - part));
      }
    }
    Trim();
    return lost;
  }

  int Compare(const BigNumber& other) const {
    if (limbs_.size() != other.limbs_.size()) return limbs_.size() < other.limbs_.size() ? -1 : 1;
    for (size_t i = limbs_.size(); i-- > 0;)
      if (limbs_[i] != other.limbs_[i]) return limbs_[i] < other.limbs_[i] ? -1 : 1;
    return 0;
  }

  // *this -= other; other must not be larger.
  void Subtract(const BigNumber& other) {
    int64_t borrow = 0;
    for (size_t i = 0; i < limbs_.size(); ++i) {
      int64_t v = static_cast<int64_t>(limbs_[i]) - borrow - (i < other.limbs_.size() ? other.limbs_[i] : 0);
      borrow = v < 0 ? 1 : 0;
      limbs_[i] = static_cast<uint32_t>(v + (borrow << 32));
    }
    Trim();
  }

  std::string DecimalText() const {
    if (limbs_.empty()) return "0";
    BigNumber rest = *this;
    std::string text;
    while (!rest.IsZero()) {
      uint32_t chunk = rest.DivideSmall(1000000000u);
      for (int i = 0; i < 9; ++i) {
        text += static_cast<char>('0' + chunk % 10);
        chunk /= 10;
      }
    }
    while (text.size() > 1 && text.back() == '0') text.pop_back();
    std::reverse(text.begin(), text.end());
    return text;
  }

 private:
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }
  std::vector<uint32_t> limbs_;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits that decide the rounding of a double: a value with more significant digits is cut
// after this many, and a cut-off digit other than zero is kept as one more digit 1, which
// rounds the same way (halfway cases need at most 767 digits).
constexpr size_t kKeptDigits = 800;

}  // namespace

std::string FormatFixed(double value, int precision) {
  precision = std::clamp(precision, 0, 40);
  if (std::isnan(value)) return "nan";
  const std::string sign = std::signbit(value) ? "-" : "";
  if (std::isinf(value)) return sign + "inf";

  // |value| = mantissa * 2^exponent, exactly.
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);
  const auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
  exponent -= 53;

  // scaled = |value| * 10^precision, rounded half to even to a whole number.
  BigNumber scaled(mantissa);
  scaled.MultiplyByPowerOfTen(precision);
  if (exponent >= 0) {
    scaled.ShiftLeft(exponent);
  } else {
    const int drop = -exponent;
    const bool half = scaled.Bit(drop - 1);
    // Whether any bit under the halfway bit is set.
    bool beyondHalf = false;
    for (int b = 0; b < drop - 1 && !beyondHalf; ++b) beyondHalf = scaled.Bit(b);
    scaled.ShiftRight(drop);
    const bool odd = scaled.Bit(0);
    if (half && (beyondHalf || odd)) scaled.MultiplyAdd(1, 1);
  }

  std::string digits = scaled.DecimalText();
  if (static_cast<int>(digits.size()) <= precision) digits.insert(0, static_cast<size_t>(precision) + 1 - digits.size(), '0');
  if (precision > 0) digits.insert(digits.size() - static_cast<size_t>(precision), 1, '.');
  return sign + digits;
}

std::optional<double> ParseDecimal(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  // The significant digits (without leading zeros) and the power of ten they are scaled by.
  std::string digits;
  int64_t scale = 0;
  bool anyDigit = false, cutNonZero = false;
  auto take = [&](char c, bool afterPoint) {
    anyDigit = true;
    if (digits.empty() && c == '0') {
      if (afterPoint) --scale;
      return;
    }
    if (digits.size() < kKeptDigits) {
      digits += c;
      if (afterPoint) --scale;
    } else {
      cutNonZero = cutNonZero || c != '0';
      if (!afterPoint) ++scale;
    }
  };
  while (i < text.size() && IsDigit(text[i])) take(text[i++], false);
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) take(text[i++], true);
  }
  if (!anyDigit) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) expNegative = text[i++] == '-';
    if (i == text.size() || !IsDigit(text[i])) return std::nullopt;
    int64_t e = 0;
    while (i < text.size() && IsDigit(text[i])) {
      e = std::min<int64_t>(e * 10 + (text[i++] - '0'), 100000000);  // far beyond any double
    }
    scale += expNegative ? -e : e;
  }
  if (i != text.size()) return std::nullopt;

  const double zero = negative ? -0.0 : 0.0;
  if (digits.empty()) return zero;
  if (cutNonZero) {
    digits += '1';
    --scale;
  }
  // value = digits * 10^scale lies in [10^(magnitude-1), 10^magnitude).
  const int64_t magnitude = static_cast<int64_t>(digits.size()) + scale;
  if (magnitude > 310) return std::nullopt;  // above 1e309: no double
  if (magnitude < -330) return zero;         // below 1e-331: half the smallest double and less

  BigNumber numerator, denominator(1);
  for (char c : digits) numerator.MultiplyAdd(10, static_cast<uint32_t>(c - '0'));
  if (scale >= 0) numerator.MultiplyByPowerOfTen(static_cast<int>(scale));
  else denominator.MultiplyByPowerOfTen(static_cast<int>(-scale));

  // Scale so that the quotient has exactly 64 bits: value = quotient * 2^-shift (+ rest).
  int shift = 63 - (numerator.BitLength() - denominator.BitLength());
  if (shift >= 0) numerator.ShiftLeft(shift);
  else denominator.ShiftLeft(-shift);
  BigNumber top = denominator;
  top.ShiftLeft(63);
  if (numerator.Compare(top) < 0) {
    numerator.ShiftLeft(1);
    ++shift;
  }
  // Long division, one bit of the quotient at a time (the quotient lies in [2^63, 2^64)).
  uint64_t quotient = 0;
  BigNumber rest = numerator;
  for (int bit = 63; bit >= 0; --bit) {
    BigNumber part = denominator;
    part.ShiftLeft(bit);
    if (rest.Compare(part) >= 0) {
      rest.Subtract(part);
      quotient |= uint64_t{1} << bit;
    }
  }
  bool sticky = !rest.IsZero();

  // Round the 64 bits to the double's 53 (fewer for a subnormal value), half to even.
  int topExponent = 63 - shift;  // value in [2^topExponent, 2^(topExponent+1))
  if (topExponent > 1023) return std::nullopt;
  int drop = 11;
  if (topExponent < -1022) drop += -1022 - topExponent;
  if (drop > 64) return zero;
  uint64_t kept = drop == 64 ? 0 : quotient >> drop;
  const bool half = (quotient >> (drop - 1)) & 1u;
  const uint64_t belowHalf = drop >= 2 ? quotient & ((uint64_t{1} << (drop - 1)) - 1) : 0;
  sticky = sticky || belowHalf != 0;
  if (half && (sticky || (kept & 1u))) ++kept;
  // kept * 2^(topExponent - 63 + drop) is the value; ldexp of an exact integer is exact.
  const double magnitudeValue = std::ldexp(static_cast<double>(kept), topExponent - 63 + drop);
  if (std::isinf(magnitudeValue)) return std::nullopt;
  return negative ? -magnitudeValue : magnitudeValue;
}

}  // namespace korrin
