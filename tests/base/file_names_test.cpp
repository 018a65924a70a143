#include "base/file_names.h"

#include <gtest/gtest.h>

namespace korrin {
namespace {

// Pairs that name one file on Windows and macOS, and pairs that do not.
TEST(FileNames, CaseKeyJoinsWhatWindowsAndMacOsJoin) {
  const struct {
    const char *a, *b;
    bool same;
  } cases[] = {
      {"weiche.hex", "WEICHE.HEX", true},
      {"\xC3\x84.hex", "\xC3\xA4.hex", true},          // Ä ä
      {"\xC3\x98l.hex", "\xC3\xB8L.hex", true},        // Ø ø
      {"\xC3\xBF", "\xC5\xB8", true},                  // ÿ Ÿ
      {"\xC4\x8C", "\xC4\x8D", true},                  // Č č
      {"\xC5\x81", "\xC5\x82", true},                  // Ł ł (odd upper case)
      {"\xC5\xBD", "\xC5\xBE", true},                  // Ž ž
      {"\xC5\xBF", "s", true},                         // long s
      {"\xCE\xA3", "\xCF\x82", true},                  // Σ ς
      {"\xD0\x96", "\xD0\xB6", true},                  // Ж ж
      {"\xC3\xA4", "a", false},                        // an umlaut is no plain letter
      {"\xC3\x9F", "ss", false},                       // ß has no simple upper case
      {"\xC3\x97", "\xC3\xB7", false},                 // × ÷ are no letters
      {"\xE4.hex", "\xC3\x84.hex", true},              // a Latin-1 name is read as Latin-1
  };
  for (const auto& c : cases)
    EXPECT_EQ(NameCaseKey(c.a) == NameCaseKey(c.b), c.same) << c.a << " / " << c.b;
}

TEST(FileNames, NamesWindowsCannotHold) {
  const struct {
    const char* name;
    const char* problem;  // nullptr: fine
  } cases[] = {
      {"weiche-07.hex", nullptr},
      {"CON", "CON ist unter Windows ein Gerätename"},
      {"nul.hex", "nul ist unter Windows ein Gerätename"},
      {"Aux .hex", "Aux ist unter Windows ein Gerätename"},
      {"com1.a.b", "com1 ist unter Windows ein Gerätename"},
      {"LPT9", "LPT9 ist unter Windows ein Gerätename"},
      {"COM\xC2\xB9.hex", "COM\xC2\xB9 ist unter Windows ein Gerätename"},
      {"CONOUT$", "CONOUT$ ist unter Windows ein Gerätename"},
      {"COM0.hex", nullptr},
      {"COM10.hex", nullptr},
      {"CONSOLE.hex", nullptr},
      {"x.con", nullptr},
      {"C:x.hex", "das Zeichen ':' ist unter Windows nicht erlaubt"},
      {"a<b", "das Zeichen '<' ist unter Windows nicht erlaubt"},
      {"a|b", "das Zeichen '|' ist unter Windows nicht erlaubt"},
      {"a*b", "das Zeichen '*' ist unter Windows nicht erlaubt"},
      {"a\tb", "Steuerzeichen sind unter Windows nicht erlaubt"},
      {"ende.", "unter Windows endet ein Dateiname nicht auf Punkt oder Leerzeichen"},
      {"ende ", "unter Windows endet ein Dateiname nicht auf Punkt oder Leerzeichen"},
  };
  for (const auto& c : cases) {
    auto problem = WindowsNameProblem(c.name);
    if (c.problem) {
      ASSERT_TRUE(problem) << c.name;
      EXPECT_EQ(*problem, c.problem);
    } else {
      EXPECT_FALSE(problem) << c.name << ": " << *problem;
    }
  }
}

}  // namespace
}  // namespace korrin
