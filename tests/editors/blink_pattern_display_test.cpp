#include "editors/blink_pattern_display.h"

#include <gtest/gtest.h>

using namespace korrin;

TEST(PatternTimeTexts, RasterAndTotal) {
  struct Case { int s, n; const char* raster; const char* total; } cases[] = {
      {10, 10, "Zeit-Raster = 200 ms", "Gesamtzeit = 2.0000 s"},
      {25, 4, "Zeit-Raster = 500 ms", "Gesamtzeit = 2.0000 s"},
      {50, 10, "Zeit-Raster = 1.0000 s", "Gesamtzeit = 10.0000 s"},
      {1, 1, "Zeit-Raster =  20 ms", "Gesamtzeit =  20 ms"},
      {49, 1, "Zeit-Raster = 980 ms", "Gesamtzeit = 980 ms"},
      {50, 60, "Zeit-Raster = 1.0000 s", "Gesamtzeit = 1.0000 min"},
      {200, 50, "Zeit-Raster = 4.0000 s", "Gesamtzeit = 3.3333 min"},
      // minutes up to 100 minutes, then hours
      {2999, 100, "Zeit-Raster = 59.9800 s", "Gesamtzeit = 99.9667 min"},
      {3000, 100, "Zeit-Raster = 60.0000 s", "Gesamtzeit = 1.6667 h"},
      {30000, 100, "Zeit-Raster = 600.0000 s", "Gesamtzeit = 16.6667 h"},
      // an erased stretch under the radix-255 encoding is shown as it is
      {65025, 100, "Zeit-Raster = 1300.5000 s", "Gesamtzeit = 36.1250 h"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PatternRasterText(c.s), c.raster) << c.s << "," << c.n;
    EXPECT_EQ(PatternTotalText(c.s, c.n), c.total) << c.s << "," << c.n;
  }
}

TEST(PatternNumberInput, ConvertsClampsOrRefuses) {
  using Kind = PatternNumberInput::Kind;
  struct Case { const char* text; Kind kind; int value; } cases[] = {
      {"", Kind::Empty, 0},        {"12", Kind::Value, 12},     {"60", Kind::Value, 50},
      {"0", Kind::Value, 1},       {"-5", Kind::Value, 1},      {"+7", Kind::Value, 7},
      {" 7", Kind::Value, 7},      {"007", Kind::Value, 7},     {"abc", Kind::Invalid, 0},
      {"1a", Kind::Invalid, 0},    {"7 ", Kind::Invalid, 0},    {"-", Kind::Invalid, 0},
      {"1.5", Kind::Invalid, 0},   {"2147483647", Kind::Value, 50},
      {"2147483648", Kind::Invalid, 0}, {"99999999999999999999", Kind::Invalid, 0},
      {"-2147483648", Kind::Value, 1},
  };
  for (const auto& c : cases) {
    PatternNumberInput in = ReadPatternNumber(c.text, 1, 50);
    EXPECT_EQ(in.kind, c.kind) << '"' << c.text << '"';
    if (c.kind == Kind::Value) {
      EXPECT_EQ(in.value, c.value) << '"' << c.text << '"';
    }
  }
  EXPECT_EQ(PatternRangeMessage(1, 30000), "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..30000");
}

TEST(PatternStripGeometry, CellsAndPointerPositions) {
  PatternStripGeometry g;
  g.setHeight(41);
  g.setCells(455, 10);  // 44.5 pixels per cell
  auto on = g.cell(3, true);
  EXPECT_EQ(on.top, 8);  // 100/128 of 41 pixels above the bottom
  EXPECT_EQ(on.x0, 133);
  EXPECT_EQ(on.x1, 178);
  EXPECT_EQ(g.cell(3, false).top, 41);  // off: nothing visible

  struct Case { int x; int point; } points[] = {
      {0, 0}, {44, 0}, {45, 1}, {-3, 0}, {-100, 0}, {445, 10}, {450, 10}, {100000, 49},
  };
  for (const auto& c : points) EXPECT_EQ(g.pointAt(c.x, 49), c.point) << c.x;

  // Above 50 of 128 switches on: y < 41 * 78 / 128 = 24.98.
  EXPECT_TRUE(g.switchesOn(0));
  EXPECT_TRUE(g.switchesOn(24));
  EXPECT_FALSE(g.switchesOn(25));
  EXPECT_FALSE(g.switchesOn(40));
  EXPECT_TRUE(g.switchesOn(-20));  // above the strip while the button is held

  g.setCells(455, 1);  // one point takes the whole width less 10 pixels
  EXPECT_EQ(g.cell(0, true).x0, 0);
  EXPECT_EQ(g.cell(0, true).x1, 445);

  PatternStripGeometry unset;  // no cells yet: no division by zero
  EXPECT_EQ(unset.pointAt(30, 49), 0);
  EXPECT_FALSE(unset.switchesOn(3));
}
