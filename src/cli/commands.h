#pragma once
// The commands of korrin-cli, one file each (batch and inventory share one). Each takes the
// parsed arguments of its command line.
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/cli_session.h"

namespace korrin::cli {

int CmdInfo(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int CmdSet(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int CmdDump(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int CmdCompare(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int CmdBatch(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int CmdInventory(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int CmdExport(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int CmdApply(const ParsedArgs& args, std::ostream& out, std::ostream& err);

// Prints "korrin-cli: <what>" and the command's synopsis (the tool's when command is empty),
// returns 2.
int UsageError(std::ostream& err, const std::string& what, const std::string& command = "");

}  // namespace korrin::cli
