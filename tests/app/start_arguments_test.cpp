#include "app/start_arguments.h"

#include <gtest/gtest.h>

namespace korrin {
namespace {

using Kind = StartRequest::Kind;

TEST(StartArguments, HelpAndVersionPrintInsteadOfOpeningAFile) {
  const struct {
    std::vector<std::string> args;
    Kind kind;
    std::string file;
  } cases[] = {
      {{}, Kind::Window, ""},
      {{"a.hex"}, Kind::Window, "a.hex"},
      {{"--help"}, Kind::Help, ""},
      {{"-h"}, Kind::Help, ""},
      {{"--version"}, Kind::Version, ""},
      {{"a.hex", "--help"}, Kind::Help, ""},
      {{"--check", "--version"}, Kind::Version, ""},
      {{"--check"}, Kind::Check, ""},
      {{"--check", "a.hex"}, Kind::Check, "a.hex"},
      // "--" ends the options: a file may be called --help.
      {{"--", "--help"}, Kind::Window, "--help"},
      {{"--", "--version", "b.hex"}, Kind::Window, "--version"},
  };
  for (const auto& c : cases) {
    const StartRequest r = ParseStartArguments(c.args);
    EXPECT_EQ(r.kind, c.kind) << testing::PrintToString(c.args);
    EXPECT_EQ(r.file, c.file) << testing::PrintToString(c.args);
  }
  EXPECT_EQ(StartVersionText("1.2"), "korrin 1.2\n");
  EXPECT_EQ(StartUsageText().rfind("Aufruf: korrin [DATEI]\n", 0), 0u);
}

}  // namespace
}  // namespace korrin
