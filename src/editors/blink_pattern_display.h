#pragma once
// What the two blink pattern editors show and read back, without widgets: the time texts
// beside the stretch and count edits, the reading of those edits, and the geometry of the
// drawing strips (cells and mouse positions).
#include <string>

namespace korrin {

// "Zeit-Raster = ..." for one step of 20·S ms, and "Gesamtzeit = ..." for N steps.
// Single-precision arithmetic, printed with a decimal point whatever the user's locale.
std::string PatternRasterText(int stretch);
std::string PatternTotalText(int stretch, int count);

// printf's "%<width>.<precision>f", always with a decimal point.
std::string FormatFixedC(double value, int width, int precision);

// The text of a count or stretch edit read as a number.
struct PatternNumberInput {
  enum class Kind { Empty, Invalid, Value };
  Kind kind;
  int value;  // for Value: clamped to min..max
};
PatternNumberInput ReadPatternNumber(const std::string& text, int min, int max);

// "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich min..max"
std::string PatternRangeMessage(int min, int max);

// A strip of `width` pixels and `height` pixels, scaled 0 (bottom) .. 128 (top) vertically,
// showing `count` points in cells of (width - 10) / count pixels.
struct PatternStripGeometry {
  int stripHeight = 0;
  float unitHeight = 0.0f;
  float cellWidth = 0.0f;

  void setHeight(int height);
  void setCells(int width, int count);

  // The red bar of point q: from (x0, top) to (x1, below the bottom edge). An off step's
  // top lies at the bottom edge, so it leaves the cell white.
  struct Cell {
    int x0;
    int x1;
    int top;
  };
  Cell cell(int point, bool on) const;

  // The point under pointer x, truncated toward zero and clamped to 0..lastPoint.
  int pointAt(int x, int lastPoint) const;
  // True when pointer y lies above 50 on the 0..128 scale (the step is switched on).
  bool switchesOn(int y) const;
};

}  // namespace korrin
