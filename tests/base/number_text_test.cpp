#include "base/number_text.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace korrin {
namespace {

TEST(NumberText, FormatFixedTable) {
  struct Case {
    double value;
    int precision;
    const char* text;
  };
  const Case cases[] = {
      {0.0, 1, "0.0"},
      {-0.0, 1, "-0.0"},
      {0.25, 1, "0.2"},     // a tie rounds to even
      {0.35, 1, "0.3"},     // 0.35 is a little below .35 in binary
      {0.45, 1, "0.5"},     // and 0.45 a little above
      {2.5, 0, "2"},
      {3.5, 0, "4"},
      {-2.5, 0, "-2"},
      {-0.04, 1, "-0.0"},
      {9.96, 1, "10.0"},    // the carry adds a digit
      {999.5, 0, "1000"},
      {1300.5, 4, "1300.5000"},
      {0.001, 4, "0.0010"},
      {1e-300, 2, "0.00"},
      {123456789012345678.0, 0, "123456789012345680"},
      {1e21, 0, "1000000000000000000000"},
      {0.1, 20, "0.10000000000000000555"},
      {5e-324, 3, "0.000"},
      {std::numeric_limits<double>::infinity(), 1, "inf"},
      {-std::numeric_limits<double>::infinity(), 1, "-inf"},
      {std::nan(""), 1, "nan"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFixed(c.value, c.precision), c.text) << c.value << " / " << c.precision;
}

TEST(NumberText, ParseDecimalTable) {
  struct Case {
    const char* text;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"0", 0.0},
      {"-0", -0.0},
      {"+12", 12.0},
      {"1.5", 1.5},
      {".5", 0.5},
      {"5.", 5.0},
      {"-2.75e2", -275.0},
      {"1E-2", 0.01},
      {"0.1", 0.1},
      {"000000000000000000000000000123.4500000000000000000000", 123.45},
      {"1.7976931348623157e308", std::numeric_limits<double>::max()},
      {"2.2250738585072014e-308", std::numeric_limits<double>::min()},
      {"4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
      {"2e-324", 0.0},          // below half the smallest double
      {"1e-99999999999", 0.0},  // an absurd exponent does not take time or memory
      // The halfway point between 1 and the next double, exactly and one digit above it.
      {"1.00000000000000011102230246251565404236316680908203125", 1.0},
      {"1.00000000000000011102230246251565404236316680908203126", 1.0000000000000002},
      {"9007199254740993", 9007199254740992.0},  // 2^53 + 1: a tie, to even
      {"", std::nullopt},
      {"-", std::nullopt},
      {".", std::nullopt},
      {"1e", std::nullopt},
      {"1e+", std::nullopt},
      {"1,5", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"1..2", std::nullopt},
      {"--1", std::nullopt},
      {"0x10", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"1e309", std::nullopt},
      {"1.8e308", std::nullopt},
      {"1e99999999999", std::nullopt},
  };
  for (const auto& c : cases) {
    auto v = ParseDecimal(c.text);
    ASSERT_EQ(v.has_value(), c.value.has_value()) << '"' << c.text << '"';
    if (!v) continue;
    EXPECT_EQ(*v, *c.value) << c.text;
    EXPECT_EQ(std::signbit(*v), std::signbit(*c.value)) << c.text;
  }
}

// A digit that runs past the digits kept for rounding still decides a halfway case.
TEST(NumberText, ParseDecimalKeepsADigitFarBehindTheHalfwayPoint) {
  const std::string half = "1.00000000000000011102230246251565404236316680908203125";
  EXPECT_EQ(*ParseDecimal(half + std::string(2000, '0')), 1.0);
  EXPECT_EQ(*ParseDecimal(half + std::string(2000, '0') + "1"), 1.0000000000000002);
}

// The native C++ library has the floating-point std::to_chars/from_chars: both conversions
// must give exactly what it gives, for values of every size.
TEST(NumberText, AgreesWithTheStandardLibraryOnRandomValues) {
  std::mt19937_64 random(20261210);
  std::uniform_int_distribution<int> precisions(0, 12);
  for (int n = 0; n < 20000; ++n) {
    double value;
    const uint64_t bits = random();
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    if (n % 2) value = std::ldexp(std::fmod(value, 1.0), static_cast<int>(bits % 60)) ;  // everyday sizes too

    char shortest[64];
    auto r = std::to_chars(shortest, shortest + sizeof shortest, value);
    auto parsed = ParseDecimal(std::string_view(shortest, static_cast<size_t>(r.ptr - shortest)));
    ASSERT_TRUE(parsed) << shortest;
    ASSERT_EQ(*parsed, value) << std::string(shortest, r.ptr);

    if (std::fabs(value) < 1e30) {
      const int precision = precisions(random);
      char fixed[512];
      auto f = std::to_chars(fixed, fixed + sizeof fixed, value, std::chars_format::fixed, precision);
      ASSERT_EQ(FormatFixed(value, precision), std::string(fixed, f.ptr)) << value << " / " << precision;
      // A text with more digits than the shortest form rounds back the same way.
      std::string digits(fixed, f.ptr);
      double expected = 0;
      std::from_chars(digits.data(), digits.data() + digits.size(), expected);
      auto back = ParseDecimal(digits);
      ASSERT_TRUE(back) << digits;
      ASSERT_EQ(*back, expected) << digits;
    }
  }
}

TEST(NumberText, IgnoresTheGermanLocale) {
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  EXPECT_EQ(FormatFixed(1.25, 2), "1.25");
  EXPECT_EQ(ParseDecimal("1.25"), 1.25);
  EXPECT_EQ(ParseDecimal("1,25"), std::nullopt);
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace korrin
