#pragma once
// korrin-cli: the core without widgets, for scripts. Every command loads files through the
// same load sequence as the window and answers its questions by fixed rules.
#include <iosfwd>
#include <string>
#include <vector>

namespace korrin::cli {

// args without the program name; output to out, messages to err. Returns the exit status.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

int Run(int argc, char** argv);

}  // namespace korrin::cli
