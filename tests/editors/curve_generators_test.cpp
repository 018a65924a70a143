#include "editors/curve_generators.h"

#include <gtest/gtest.h>

#include <vector>

namespace korrin {
namespace {

CurveBlock BlockWithCount(int n) {
  CurveBlock b{};
  b[kEntryCount] = n;
  return b;
}

std::vector<int> Positions(const CurveBlock& b, int n) {
  std::vector<int> p;
  for (int i = 0; i < n; ++i) p.push_back(b[static_cast<size_t>(i)] & 0x7F);
  return p;
}

TEST(CurveGenerators, ReferenceTable) {
  struct Case {
    CurveShape shape;
    int n;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {CurveShape::Lin, 5, {0, 31, 63, 95, 127}},
      {CurveShape::Lin, 10, {0, 14, 28, 42, 56, 70, 84, 98, 112, 127}},
      {CurveShape::Log, 5, {0, 54, 86, 109, 127}},
      {CurveShape::Log, 10, {0, 38, 60, 76, 88, 98, 107, 114, 121, 127}},
      {CurveShape::QuarterSine, 5, {0, 18, 62, 107, 126}},
      {CurveShape::QuarterSine, 10, {0, 3, 14, 31, 52, 73, 94, 111, 122, 126}},
      {CurveShape::HalfSine, 5, {0, 62, 126, 63, 0}},
      {CurveShape::HalfSine, 10, {0, 14, 52, 94, 122, 122, 94, 52, 14, 0}},
      {CurveShape::HalfSine, 2, {0, 0}},
  };
  for (const auto& c : cases) {
    CurveBlock b = BlockWithCount(c.n);
    ASSERT_TRUE(GenerateCurve(b, c.shape));
    EXPECT_EQ(Positions(b, c.n), c.expected) << "shape " << static_cast<int>(c.shape) << " N = " << c.n;
    EXPECT_EQ(b[kEntryCount], c.n);
  }
}

TEST(CurveGenerators, KeepRelayBitsAndPointsBeyondCount) {
  CurveBlock b = BlockWithCount(10);
  b[2] = 0x80 | 5;
  b[3] = 0x80;
  b[10] = 77;
  b[99] = 0x80 | 1;
  for (CurveShape s : {CurveShape::Lin, CurveShape::Log, CurveShape::QuarterSine, CurveShape::HalfSine}) {
    ASSERT_TRUE(GenerateCurve(b, s));
    for (int i = 0; i < 10; ++i) EXPECT_EQ((b[static_cast<size_t>(i)] & 0x80) != 0, i == 2 || i == 3) << i;
    EXPECT_EQ(b[10], 77);
    EXPECT_EQ(b[99], 0x81);
  }
  // Lin with the relay set on the last point: position 127 and relay together make 255.
  b[9] = 0x80;
  GenerateCurve(b, CurveShape::Lin);
  EXPECT_EQ(b[9], 255);
}

TEST(CurveGenerators, QuarterSineNeverReaches127) {
  for (int n = 2; n <= 100; ++n) {
    CurveBlock b = BlockWithCount(n);
    GenerateCurve(b, CurveShape::QuarterSine);
    for (int i = 0; i < n; ++i) ASSERT_LE(b[static_cast<size_t>(i)], 126) << "N = " << n;
  }
}

TEST(CurveGenerators, OnePointIsRefusedAndLeavesTheCurve) {
  for (CurveShape s : {CurveShape::Lin, CurveShape::Log, CurveShape::QuarterSine, CurveShape::HalfSine}) {
    CurveBlock b = BlockWithCount(1);
    b[0] = 0x80 | 42;
    EXPECT_FALSE(GenerateCurve(b, s));
    EXPECT_EQ(b[0], 0x80 | 42);
  }
  // A stored count of 0 is used as 1, too.
  CurveBlock zero = BlockWithCount(0);
  zero[0] = 9;
  EXPECT_FALSE(GenerateCurve(zero, CurveShape::Lin));
  EXPECT_EQ(zero[0], 9);
}

TEST(CurveTransforms, MirrorHorizontalMovesPositionsNotRelays) {
  CurveBlock b = BlockWithCount(10);
  for (int i = 0; i < 10; ++i) b[static_cast<size_t>(i)] = i * 10;
  b[2] |= 0x80;
  b[3] |= 0x80;
  MirrorHorizontal(b);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(b[static_cast<size_t>(i)] & 0x7F, (9 - i) * 10) << i;
    EXPECT_EQ((b[static_cast<size_t>(i)] & 0x80) != 0, i == 2 || i == 3) << i;
  }
  // Odd count: the middle point stays.
  CurveBlock odd = BlockWithCount(5);
  for (int i = 0; i < 5; ++i) odd[static_cast<size_t>(i)] = i + 1;
  MirrorHorizontal(odd);
  EXPECT_EQ(Positions(odd, 5), (std::vector<int>{5, 4, 3, 2, 1}));
}

TEST(CurveTransforms, MirrorVerticalTwiceRestores) {
  CurveBlock b = BlockWithCount(6);
  const int points[6] = {0, 0x80 | 1, 64, 127, 0x80 | 127, 30};
  for (int i = 0; i < 6; ++i) b[static_cast<size_t>(i)] = points[i];
  b[6] = 3;
  CurveBlock original = b;
  MirrorVertical(b);
  EXPECT_EQ(b[0], 127);
  EXPECT_EQ(b[1], 0x80 | 126);
  EXPECT_EQ(b[4], 0x80);
  EXPECT_EQ(b[6], 3);
  MirrorVertical(b);
  EXPECT_EQ(b, original);
}

TEST(CurveTransforms, ScaleAndShift) {
  struct Case {
    const char* what;
    bool scale;
    float operand;
    int before;
    int after;
  };
  const Case cases[] = {
      {"127 * 0.5", true, 0.5f, 127, 63},
      {"100 * 10", true, 10.0f, 100, 127},
      {"relay kept in scale", true, 0.5f, 0x80 | 100, 0x80 | 50},
      {"10 - 10.5", false, -10.5f, 10, 0},
      {"10 + 0.9", false, 0.9f, 10, 10},
      {"shift up past the top", false, 64.0f, 100, 127},
      {"relay kept in shift", false, -100.0f, 0x80 | 90, 0x80},
      {"the top shifted down by 100", false, -100.0f, 127, 27},
  };
  for (const auto& c : cases) {
    CurveBlock b = BlockWithCount(1);
    b[0] = c.before;
    if (c.scale)
      ScaleCurve(b, c.operand);
    else
      ShiftCurve(b, c.operand);
    EXPECT_EQ(b[0], c.after) << c.what;
  }
}

TEST(CurveTransforms, ShiftDownByHundredClearsOnlyTheCountedPoints) {
  CurveBlock b = BlockWithCount(10);
  for (int i = 0; i < 100; ++i) b[static_cast<size_t>(i)] = 81 + i % 20;
  ShiftCurve(b, -100.0f);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(b[static_cast<size_t>(i)], 0) << i;
  for (int i = 10; i < 100; ++i) EXPECT_EQ(b[static_cast<size_t>(i)], 81 + i % 20) << i;
}

TEST(CurveTransforms, ReadingTheEdits) {
  struct Case {
    const char* text;
    bool scale;
    CurveOperand::Kind kind;
    float value;
  };
  const Case cases[] = {
      {"", true, CurveOperand::Empty, 0},
      {"0,5", true, CurveOperand::Valid, 0.5f},
      {"0.5", true, CurveOperand::Valid, 0.5f},
      {"0,1", true, CurveOperand::Valid, 0.1f},  // the single 0.1 lies above the double 0.1
      {"10", true, CurveOperand::Valid, 10.0f},
      {"10,01", true, CurveOperand::Invalid, 0},
      {"0,09", true, CurveOperand::Invalid, 0},
      {"abc", true, CurveOperand::Invalid, 0},
      {"1,2,3", true, CurveOperand::Invalid, 0},
      {"", false, CurveOperand::Empty, 0},
      {"10", false, CurveOperand::Valid, 10.0f},
      {"-10,5", false, CurveOperand::Valid, -10.5f},
      {"-100", false, CurveOperand::Valid, -100.0f},
      {"100,5", false, CurveOperand::Invalid, 0},
      {"-", false, CurveOperand::Invalid, 0},
  };
  for (const auto& c : cases) {
    CurveOperand op = c.scale ? ReadScaleFactor(c.text) : ReadShiftAmount(c.text);
    EXPECT_EQ(op.kind, c.kind) << c.text;
    if (c.kind == CurveOperand::Valid) {
      EXPECT_EQ(op.value, c.value) << c.text;
    }
  }
}

}  // namespace
}  // namespace korrin
