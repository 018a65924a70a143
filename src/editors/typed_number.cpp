#include "editors/typed_number.h"

#include <cstdint>
#include <limits>

#include "image/format.h"

namespace korrin {

TypedNumber ReadTypedNumber(const std::string& text, int min, int max) {
  if (text.empty()) return {TypedNumberKind::Empty, 0};
  size_t i = 0;
  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    i = 1;
  }
  if (i == text.size()) return {TypedNumberKind::NotANumber, 0};
  int64_t magnitude = 0;
  const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                 : std::numeric_limits<int32_t>::max();
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return {TypedNumberKind::NotANumber, 0};
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return {TypedNumberKind::NotANumber, 0};
  }
  int value = static_cast<int>(negative ? -magnitude : magnitude);
  if (value < min || value > max) return {TypedNumberKind::OutOfRange, value};
  return {TypedNumberKind::InRange, value};
}

std::string NotANumberMessage() { return "Ungültige Eingabe.\rZugelassen sind nur Zahlen"; }

std::string OutOfRangeMessage(int min, int max) {
  return Format("Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich %i..%i", min, max);
}

}  // namespace korrin
