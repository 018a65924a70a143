#pragma once
// What the window program was asked to do by its arguments: open the window (with a file),
// run the unattended check, or print its usage or version and end.
#include <string>
#include <vector>

namespace korrin {

struct StartRequest {
  enum class Kind { Window, Check, Help, Version };
  Kind kind = Kind::Window;
  // Window: the file to load (empty: none); Check: the file to load, if any.
  std::string file;
};

// args without the program name. "--help"/"-h" and "--version" anywhere before "--" win over
// everything else; "--check" as the first argument asks for the check; "--" ends the options,
// so a file named "--help" opens with `korrin -- --help`. The first other argument is the file.
StartRequest ParseStartArguments(const std::vector<std::string>& args);

// The German usage text and the version line, each ending with a line feed.
std::string StartUsageText();
std::string StartVersionText(const std::string& version);

}  // namespace korrin
