#include "editors/blink_pattern_display.h"

#include <cmath>
#include <limits>

#include "base/number_text.h"
#include "image/format.h"

namespace korrin {

std::string FormatFixedC(double value, int width, int precision) {
  // Without the locale (Qt sets the user's locale for the C library, which would make printf
  // write a decimal comma).
  std::string text = FormatFixed(value, precision);
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
  return text;
}

// The raster and the total are single-precision values (exact for every stretch and count
// the editors allow); the scaling to seconds, minutes or hours is done in double precision,
// so that 1300.5 s is printed as 1300.5000 and not with the float error of 0.001f.
std::string PatternRasterText(int stretch) {
  float r = 20.0f * static_cast<float>(stretch);
  if (r < 1000.0f) return "Zeit-Raster = " + FormatFixedC(r, 3, 0) + " ms";
  return "Zeit-Raster = " + FormatFixedC(static_cast<double>(r) * 0.001, 3, 4) + " s";
}

std::string PatternTotalText(int stretch, int count) {
  float r = 20.0f * static_cast<float>(stretch);
  float t = r * static_cast<float>(count);
  double td = static_cast<double>(t);
  if (t < 1000.0f) return "Gesamtzeit = " + FormatFixedC(t, 3, 0) + " ms";
  if (t < 60000.0f) return "Gesamtzeit = " + FormatFixedC(td * 0.001, 3, 4) + " s";
  if (t < 6000000.0f) return "Gesamtzeit = " + FormatFixedC(td / 60000.0, 3, 4) + " min";
  return "Gesamtzeit = " + FormatFixedC(td / 3600000.0, 3, 4) + " h";
}

PatternNumberInput ReadPatternNumber(const std::string& text, int min, int max) {
  using Kind = PatternNumberInput::Kind;
  if (text.empty()) return {Kind::Empty, 0};
  // An integer with an optional sign, leading blanks allowed; anything else (also a number
  // beyond the 32-bit range) does not convert.
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return {Kind::Invalid, 0};
  long long v = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return {Kind::Invalid, 0};
    v = v * 10 + (c - '0');
    if (v > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return {Kind::Invalid, 0};
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min()) return {Kind::Invalid, 0};
  int n = static_cast<int>(v);
  if (n < min) n = min;
  if (n > max) n = max;
  return {Kind::Value, n};
}

std::string PatternRangeMessage(int min, int max) {
  return Format("Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich %i..%i", min, max);
}

void PatternStripGeometry::setHeight(int height) {
  stripHeight = height;
  unitHeight = static_cast<float>(height) / 128.0f;
}

void PatternStripGeometry::setCells(int width, int count) {
  cellWidth = count > 0 ? static_cast<float>(width - 10) / static_cast<float>(count) : 0.0f;
}

PatternStripGeometry::Cell PatternStripGeometry::cell(int point, bool on) const {
  float level = on ? 100.0f : 0.0f;
  Cell c;
  c.top = static_cast<int>(static_cast<float>(stripHeight) - level * unitHeight);
  c.x0 = static_cast<int>(static_cast<float>(point) * cellWidth);
  c.x1 = static_cast<int>(static_cast<float>(point + 1) * cellWidth);
  return c;
}

int PatternStripGeometry::pointAt(int x, int lastPoint) const {
  if (!(cellWidth > 0.0f)) return 0;
  // Clamp in floating point before truncating, so that no out-of-range float is converted.
  float q = static_cast<float>(x) / cellWidth;
  if (!(q > 0.0f)) return 0;
  if (q >= static_cast<float>(lastPoint)) return lastPoint;
  return static_cast<int>(q);
}

bool PatternStripGeometry::switchesOn(int y) const {
  if (!(unitHeight > 0.0f)) return false;
  float level = (static_cast<float>(stripHeight) - static_cast<float>(y)) / unitHeight;
  return level > 50.0f;
}

}  // namespace korrin
