#include "cli/cli.h"

#include <iostream>

#include "base/platform.h"
#include "cli/commands.h"

namespace korrin::cli {

int UsageError(std::ostream& err, const std::string& what, const std::string& command) {
  err << "korrin-cli: " << TextUtf8(what) << "\n";
  if (const CommandSpec* def = FindCommand(command)) {
    err << "Aufruf: " << Synopsis(*def) << "\n(korrin-cli " << command << " --help zeigt die Hilfe)\n";
  } else {
    err << "(korrin-cli --help zeigt die Befehle)\n";
  }
  return 2;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << ToolHelp();
    return 2;
  }
  const std::string& command = args[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "--help" || command == "-h" || command == "help") {
    if (rest.empty()) {
      out << ToolHelp();
      return 0;
    }
    const CommandSpec* def = rest.size() == 1 ? FindCommand(rest[0]) : nullptr;
    if (!def) return UsageError(err, "help erwartet einen Befehl, nicht " + rest[0]);
    out << CommandHelp(*def);
    return 0;
  }
  if (command == "--version" || command == "-V") {
    if (!rest.empty()) return UsageError(err, "--version nimmt keine weiteren Angaben");
    out << kVersionText;
    return 0;
  }
  const CommandSpec* def = FindCommand(command);
  if (!def) return UsageError(err, "unbekannter Befehl " + command);
  ParseOutcome parsed = ParseArgs(*def, rest);
  if (!parsed.args) return UsageError(err, parsed.error, command);
  if (parsed.args->help) {
    out << CommandHelp(*def);
    return 0;
  }
  const ParsedArgs& a = *parsed.args;
  if (command == "info") return CmdInfo(a, out, err);
  if (command == "set") return CmdSet(a, out, err);
  if (command == "dump") return CmdDump(a, out, err);
  if (command == "compare") return CmdCompare(a, out, err);
  if (command == "batch") return CmdBatch(a, out, err);
  if (command == "inventory") return CmdInventory(a, out, err);
  if (command == "export") return CmdExport(a, out, err);
  if (command == "apply") return CmdApply(a, out, err);
  return UsageError(err, "unbekannter Befehl " + command);
}

int Run(int argc, char** argv) {
  // UTF-8 arguments on every system (on Windows they come from the wide command line).
  std::vector<std::string> args = ProgramArguments(argc, argv);
  if (!args.empty()) args.erase(args.begin());  // the program's own name
  return Run(args, std::cout, std::cerr);
}

}  // namespace korrin::cli
