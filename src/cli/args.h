#pragma once
// The command line of korrin-cli: one table per command (its operands, its options, its
// help text), one parser for all of them, and the help texts built from the tables.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korrin::cli {

struct OptionSpec {
  std::string name;       // "--json", "-o"
  std::string valueName;  // empty for a flag, else the name of its value in the help
  bool repeatable = false;
  std::string help;  // German, one line
};

struct CommandSpec {
  std::string name;
  std::vector<std::string> operands;  // names of the operands, in order ("DATEI")
  std::string summary;                // German, one line
  std::vector<OptionSpec> options;
  std::string details;  // German paragraph(s) after the option list; may be empty
};

// A parsed command line. The options keep their order, so that `set` applies its edits as
// given.
struct ParsedArgs {
  std::vector<std::string> operands;
  std::vector<std::pair<std::string, std::string>> options;  // name, value ("" for flags)
  bool help = false;

  bool has(const std::string& name) const;
  // The value of a single-valued option; empty when absent.
  std::string value(const std::string& name) const;
};

struct ParseOutcome {
  std::optional<ParsedArgs> args;
  std::string error;  // German, when args is empty
};

// The commands in the order of the tool's help.
const std::vector<CommandSpec>& Commands();
const CommandSpec* FindCommand(const std::string& name);

// Parses the arguments after the command name. Options may stand anywhere; "--" ends them;
// a value may follow as the next argument or after '=' ("-o=x", "--set=cv29=6"). "--help"
// and "-h" set help and skip every other check.
ParseOutcome ParseArgs(const CommandSpec& def, const std::vector<std::string>& args);

// The help of the tool (every command, the exit statuses) and of one command.
std::string ToolHelp();
std::string CommandHelp(const CommandSpec& def);
std::string Synopsis(const CommandSpec& def);

extern const char* const kVersionText;
extern const char* const kExitStatusText;

}  // namespace korrin::cli
