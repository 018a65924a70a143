#include "base/text_encoding.h"

#include <gtest/gtest.h>

namespace korrin {
namespace {

TEST(TextEncoding, EveryByteValueGivesValidUtf8) {
  for (int b = 0; b < 256; ++b) {
    std::string line = ":10" + std::string(1, static_cast<char>(b)) + "00";
    std::string out = EightBitToUtf8(line);
    EXPECT_TRUE(IsValidUtf8(out)) << b;
    EXPECT_EQ(out.substr(0, 3), ":10") << b;
  }
}

TEST(TextEncoding, Utf8StaysLatin1IsConverted) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"Weiche.hex", "Weiche.hex"},
      {"Weiche\xC3\xA4.hex", "Weiche\xC3\xA4.hex"},     // UTF-8 ä stays
      {"Weiche\xE4.hex", "Weiche\xC3\xA4.hex"},         // Latin-1 ä becomes UTF-8
      {"a\tb", "a\tb"},                                 // tab kept
      {std::string("a\0b", 3), "a\xEF\xBF\xBD" "b"},    // NUL replaced
      {"a\x1b[2J", "a\xEF\xBF\xBD[2J"},                 // escape replaced
      {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                 // overlong form is no UTF-8
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xEF\xBF\xBD"}, // surrogate is no UTF-8; 0x80 is a control
      {"\xF0\x9F\x9A\x82", "\xF0\x9F\x9A\x82"},         // four-byte character stays
      {"\xE2\x82", "\xC3\xA2\xEF\xBF\xBD"},             // cut-off sequence at the end
  };
  for (const auto& c : cases) EXPECT_EQ(EightBitToUtf8(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace korrin
