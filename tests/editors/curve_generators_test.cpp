#include "editors/curve_generators.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
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

ExactDecimal Decimal(const char* text) {
  auto d = ReadExactDecimal(text);
  EXPECT_TRUE(d.has_value()) << text;
  return d.value_or(ExactDecimal{});
}

TEST(CurveTransforms, ScaleAndShift) {
  struct Case {
    const char* what;
    bool scale;
    const char* operand;
    int before;
    int after;
  };
  const Case cases[] = {
      {"127 * 0.5", true, "0,5", 127, 63},
      {"100 * 10", true, "10", 100, 127},
      {"relay kept in scale", true, "0.5", 0x80 | 100, 0x80 | 50},
      {"10 - 10.5", false, "-10,5", 10, 0},
      {"10 + 0.9", false, "0.9", 10, 10},
      {"shift up past the top", false, "64", 100, 127},
      {"relay kept in shift", false, "-100", 0x80 | 90, 0x80},
      {"the top shifted down by 100", false, "-100", 127, 27},
      // Exact: a float would round these amounts to 1 and to 0 before the addition.
      {"10 + 0.99999999999", false, "0.99999999999", 10, 10},
      {"10 - 0.00000001", false, "-0.00000001", 10, 9},
      {"written with an exponent", false, "-25e-1", 10, 7},
  };
  for (const auto& c : cases) {
    CurveBlock b = BlockWithCount(1);
    b[0] = c.before;
    if (c.scale)
      ScaleCurve(b, Decimal(c.operand));
    else
      ShiftCurve(b, Decimal(c.operand));
    EXPECT_EQ(b[0], c.after) << c.what;
  }
}

// The factor is applied exactly as typed and the product truncated: where a binary float or
// double lies a little below the typed decimal, it would lose one step.
TEST(CurveTransforms, ScaleIsTheExactProductOfTheTypedFactor) {
  struct Case {
    const char* factor;
    int position;
    int expected;
  };
  const Case cases[] = {
      {"0,7", 10, 7},     // single-precision factor, exact product: 6
      {"0.7", 90, 63},    // double: 62
      {"0,29", 100, 29},  // double: 28
      {"1,1", 70, 77},
      {"2,3", 50, 115},   // double: 114
      {"0,57", 100, 57},  // double: 56
      {"0,53", 100, 53},  // single: 52
      {"2,1", 30, 63},    // single: 62
      {"1,3", 90, 117},   // single: 116
      {"4,1", 30, 123},   // double: 122
      {"0.6999999999999999999999", 10, 6},  // a double reads 0.7
      {"0,7000000000000000000001", 10, 7},
      {"7e-1", 10, 7},
      {"0,1", 127, 12},
      {"10", 12, 120},
  };
  for (const auto& c : cases) {
    CurveBlock b = BlockWithCount(1);
    b[0] = c.position;
    const auto factor = ReadScaleFactor(c.factor);
    ASSERT_TRUE(factor.has_value()) << c.factor;
    ScaleCurve(b, *factor);
    EXPECT_EQ(b[0], c.expected) << c.position << " * " << c.factor;
  }
  // Every factor with two decimals on every position, against whole-number arithmetic.
  for (int hundredths = 10; hundredths <= 1000; ++hundredths) {
    const std::string text = std::to_string(hundredths / 100) + "," + std::to_string(hundredths % 100 / 10) +
                             std::to_string(hundredths % 10);
    const auto factor = ReadScaleFactor(text);
    ASSERT_TRUE(factor.has_value()) << text;
    for (int first : {0, 28}) {  // a curve holds 100 points: positions 0..99, then 28..127
      CurveBlock b = BlockWithCount(100);
      for (int q = 0; q < 100; ++q) b[static_cast<size_t>(q)] = first + q;
      ScaleCurve(b, *factor);
      for (int q = 0; q < 100; ++q)
        ASSERT_EQ(b[static_cast<size_t>(q)], std::min(127, (first + q) * hundredths / 100)) << (first + q) << " * " << text;
    }
  }
}

TEST(CurveTransforms, ShiftDownByHundredClearsOnlyTheCountedPoints) {
  CurveBlock b = BlockWithCount(10);
  for (int i = 0; i < 100; ++i) b[static_cast<size_t>(i)] = 81 + i % 20;
  ShiftCurve(b, DecimalOf(-100));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(b[static_cast<size_t>(i)], 0) << i;
  for (int i = 10; i < 100; ++i) EXPECT_EQ(b[static_cast<size_t>(i)], 81 + i % 20) << i;
}

// Both separators in every locale; the limits are compared exactly, both included. An empty
// text is refused like any other text that is no number.
TEST(CurveTransforms, ReadingTheEdits) {
  struct Case {
    const char* text;
    bool scale;
    bool valid;
  };
  const Case cases[] = {
      {"0,5", true, true},         {"0.5", true, true},        {" 0,5 ", true, true},
      {",5", true, true},          {"+5", true, true},         {"5e-1", true, true},
      {"0,1", true, true},         {"0.1000", true, true},     {"1e-1", true, true},
      {"10", true, true},          {"10,000", true, true},     {"0.01e1", true, true},
      {"10,01", true, false},      {"10.0000001", true, false},  // a float reads 10
      {"0,09", true, false},       {"0.0999999999", true, false},  // a float reads 0.1
      {"-0,5", true, false},       {"0", true, false},         {"", true, false},
      {"  ", true, false},         {"abc", true, false},       {"1,2,3", true, false},
      {"1e", true, false},         {".", true, false},         {"0,5x", true, false},
      {"1e999999999999999999", true, false},                   {"1e-999999999999999999", true, false},
      {"10", false, true},         {"-10,5", false, true},     {"-100", false, true},
      {"100.000", false, true},    {"-0", false, true},
      {"100,5", false, false},     {"100.0000001", false, false},  // a float reads 100
      {"-100.00000001", false, false}, {"-", false, false},    {"", false, false},
  };
  for (const auto& c : cases) {
    const auto v = c.scale ? ReadScaleFactor(c.text) : ReadShiftAmount(c.text);
    EXPECT_EQ(v.has_value(), c.valid) << (c.scale ? "scale " : "shift ") << '"' << c.text << '"';
  }
}

TEST(ExactDecimals, CompareAndComputeAsWholeNumbersDo) {
  EXPECT_EQ(CompareDecimals(Decimal("0,50"), Decimal("5e-1")), 0);
  EXPECT_EQ(CompareDecimals(Decimal("-0"), DecimalOf(0)), 0);
  EXPECT_EQ(CompareDecimals(Decimal("0.71"), Decimal("0.8")), -1);
  EXPECT_EQ(CompareDecimals(Decimal("-2"), Decimal("-10")), 1);
  EXPECT_EQ(CompareDecimals(Decimal("100"), Decimal("99.999")), 1);
  struct Case {
    int n;
    const char* d;
    int64_t product;
    int64_t sum;
  };
  const Case cases[] = {
      {7, "0,5", 3, 7},        // 3.5 and 7.5
      {-7, "0,5", -3, -6},     // -3.5 and -6.5, truncated toward zero
      {7, "-1,5", -10, 5},     // -10.5 and 5.5
      {1, "-1,5", -1, 0},      // -1.5 and -0.5
      {-3, "1,5", -4, -1},     // -4.5 and -1.5
      {0, "123,4", 0, 123},
      {127, "1e30", 1'000'000'000'000, 1'000'000'000'000},  // beyond 10^12: given as 10^12
      {-127, "1e30", -1'000'000'000'000, 1'000'000'000'000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TruncatedProduct(c.n, Decimal(c.d)), c.product) << c.n << " * " << c.d;
    EXPECT_EQ(TruncatedSum(c.n, Decimal(c.d)), c.sum) << c.n << " + " << c.d;
  }
}

}  // namespace
}  // namespace korrin
