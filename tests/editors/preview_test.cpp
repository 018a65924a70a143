#include "editors/preview.h"

#include <gtest/gtest.h>

#include <string>

using namespace korrin;

namespace {

// Lamps as a string, one character per output: 'X' lit, '.' dark, '-' not used.
std::string Lamps(const PatternPreviewState& s) {
  std::string out;
  for (size_t j = 0; j < s.lit.size(); ++j) out += !s.used[j] ? '-' : s.lit[j] ? 'X' : '.';
  return out;
}

// Four-output table, block 1: outputs 1..4 in turn, N = 4, S = 25 (500 ms a step), outputs
// 1..3 used; output 4's bit is set at step 3 but the output is not used.
PatternTable RunningLight(bool loop) {
  PatternTable t(FourOutputPatternLayout());
  const int b = 64;
  t.setEntry(b + 0, 0x01);
  t.setEntry(b + 1, 0x02);
  t.setEntry(b + 2, 0x04 | 0x01);
  t.setEntry(b + 3, 0x08);
  t.setEntry(b + 53, 4);
  t.setEntry(b + 54, 25);
  t.setEntry(b + 55, 0x70 | (loop ? 1 : 0));
  return t;
}

}  // namespace

TEST(PatternPreview, StepsAtTheRasterOnceOrLooping) {
  struct Case {
    bool loop;
    double t;
    int point;
    const char* lamps;
    bool ended;
  } cases[] = {
      {false, 0, 0, "X..-", false},       {false, 499.9, 0, "X..-", false},
      {false, 500, 1, ".X.-", false},     {false, 1250, 2, "X.X-", false},
      {false, 1999, 3, "...-", false},    // output 4's bit is set but the output is not driven
      {false, 2000, 3, "...-", true},     // the pattern ended: the last step stays
      {false, 1e9, 3, "...-", true},      {false, -30, 0, "X..-", false},
      {true, 2000, 0, "X..-", false},     {true, 2600, 1, ".X.-", false},
      {true, 2000.0 * 1000 + 1000, 2, "X.X-", false},
  };
  for (const Case& c : cases) {
    const PatternTable table = RunningLight(c.loop);
    const PatternPreviewState s = PatternPreviewAt(table, 1, c.t);
    EXPECT_EQ(s.point, c.point) << "loop " << c.loop << " t " << c.t;
    EXPECT_EQ(Lamps(s), c.lamps) << "loop " << c.loop << " t " << c.t;
    EXPECT_EQ(s.ended, c.ended) << "loop " << c.loop << " t " << c.t;
  }
  EXPECT_DOUBLE_EQ(PatternDurationMs(RunningLight(false), 1), 2000.0);
}

TEST(PatternPreview, ErasedTableAndDamagedStretch) {
  // An erased table as read, before the editor clamps it: the 50 points the strips show, at
  // the stored stretch 255 (5.1 s a step); every output used and lit, loop on.
  PatternTable erased(FourOutputPatternLayout());
  for (int i = 0; i < erased.size(); ++i) erased.setEntry(i, 0xFF);
  EXPECT_DOUBLE_EQ(PatternStepMs(erased.stretch(0)), 5100.0);  // stored 255, not yet clamped
  PatternPreviewState s = PatternPreviewAt(erased, 0, 255 * 20.0 * 50 + 1);
  EXPECT_EQ(s.point, 0);
  EXPECT_EQ(Lamps(s), "XXXX");
  EXPECT_FALSE(s.ended);

  // A stretch of 0 (damaged) runs at 20 ms a step instead of dividing by zero.
  PatternTable t = RunningLight(false);
  t.setEntry(64 + 54, 0);
  EXPECT_EQ(PatternPreviewAt(t, 1, 45).point, 2);
}

TEST(PatternPreview, LedOutputsFiveToTenAndLongStretch) {
  // Identifier 477: S = 300 (6 s a step) stored as 45, 2; output 7 (bit 2 of the second point
  // bytes) lit at step 1; outputs 9 and 10 not used.
  PatternTable t(LedPatternLayout(StretchEncoding::Radix255));
  const int b = 256 * 2;
  t.setEntry(b + 100, 0xF0);  // outputs 1..4 used, no loop
  t.setEntry(b + 101, 3);
  const StretchBytes sb = EncodeStretchRadix255(300);
  t.setEntry(b + 102, sb.low);
  t.setEntry(b + 104, sb.high);
  t.setEntry(b + 103, 0x0F);  // outputs 5..8 used
  t.setEntry(b + 0, 0x01);
  t.setEntry(b + 128 + 1, 0x04 | 0x10);  // outputs 7 and 9 (9 unused)
  t.setEntry(b + 2, 0x08);
  EXPECT_EQ(Lamps(PatternPreviewAt(t, 2, 5999)), "X.......--");
  EXPECT_EQ(Lamps(PatternPreviewAt(t, 2, 6000)), "......X.--");
  const PatternPreviewState end = PatternPreviewAt(t, 2, 18000);
  EXPECT_EQ(Lamps(end), "...X....--");
  EXPECT_TRUE(end.ended);
}

namespace {

// Curve of 5 points, S = 10 (200 ms between points): 0, 100, 100, 20, 127; relay on at
// points 1 and 2.
CurveBlock Curve() {
  CurveBlock b{};
  const int points[] = {0, 100 | kRelayBit, 100 | kRelayBit, 20, 127};
  for (int q = 0; q < 5; ++q) b[static_cast<size_t>(q)] = points[q];
  b[5] = 50;  // beyond the count: never reached
  b[kEntryCount] = 5;
  b[kEntryStretch] = 10;
  return b;
}

}  // namespace

TEST(ServoPreview, ArmFollowsTheCurveAtItsTiming) {
  struct Case {
    double t;
    double position;
    int point;
    bool relay;
    bool ended;
  } cases[] = {
      {0, 0, 0, false, false},      {100, 50, 0, false, false},   {200, 100, 1, true, false},
      {300, 100, 1, true, false},   {450, 80, 2, true, false},    {700, 73.5, 3, false, false},
      {800, 127, 4, false, true},   {5000, 127, 4, false, true},  {-5, 0, 0, false, false},
  };
  const CurveBlock block = Curve();
  EXPECT_DOUBLE_EQ(CurveDurationMs(block), 800.0);  // as "Gesamtzeit für diese Kurve = 800 ms"
  for (const Case& c : cases) {
    const ServoPreviewState s = ServoPreviewAt(block, c.t);
    EXPECT_NEAR(s.position, c.position, 1e-9) << "t " << c.t;
    EXPECT_EQ(s.point, c.point) << "t " << c.t;
    EXPECT_EQ(s.relay, c.relay) << "t " << c.t;
    EXPECT_EQ(s.ended, c.ended) << "t " << c.t;
  }
}

TEST(ServoPreview, SinglePointCountAndStretchOutOfRange) {
  CurveBlock one = Curve();
  one[kEntryCount] = 1;
  EXPECT_DOUBLE_EQ(CurveDurationMs(one), 0.0);
  ServoPreviewState s = ServoPreviewAt(one, 0);
  EXPECT_TRUE(s.ended);
  EXPECT_EQ(s.position, 0);

  // A count of 255 from an erased table plays the 100 points the drawing shows; stretch 0
  // runs at 20 ms between points.
  CurveBlock erased{};
  erased.fill(0xFF);
  erased[kEntryStretch] = 0;
  EXPECT_DOUBLE_EQ(CurveDurationMs(erased), 99 * 20.0);
  s = ServoPreviewAt(erased, 10000);
  EXPECT_EQ(s.point, 99);
  EXPECT_EQ(s.position, 127);
  EXPECT_TRUE(s.relay);
}
