#include "cli/cli.h"

#include <iostream>

#include "cli/commands.h"

namespace korrin::cli {

namespace {
const char* const kUsage =
    "Aufruf:\n"
    "  korrin-cli info FILE [--json] [--config-default]\n"
    "  korrin-cli set FILE -o OUT [--row N=ADRESSE[g|r][/F]]... [--config-default]\n"
    "  korrin-cli dump FILE\n"
    "  korrin-cli compare [--decoded] FILE1 FILE2\n"
    "  korrin-cli batch TEMPLATE.hex PLAN.csv -o DIR [--config-default]\n"
    "  korrin-cli inventory DIR [--json|--csv]\n";
}

int UsageError(std::ostream& err, const std::string& what) {
  err << "korrin-cli: " << what << "\n" << kUsage;
  return 2;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError(err, "kein Befehl angegeben");
  const std::string& command = args[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (command == "info") return CmdInfo(rest, out, err);
  if (command == "set") return CmdSet(rest, out, err);
  if (command == "dump") return CmdDump(rest, out, err);
  if (command == "compare") return CmdCompare(rest, out, err);
  if (command == "batch") return CmdBatch(rest, out, err);
  if (command == "inventory") return CmdInventory(rest, out, err);
  if (command == "--help" || command == "-h" || command == "help") {
    out << kUsage;
    return 0;
  }
  return UsageError(err, "unbekannter Befehl " + command);
}

int Run(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return Run(args, std::cout, std::cerr);
}

}  // namespace korrin::cli
