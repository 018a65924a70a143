#pragma once
// The commands of korrin-cli, one file each.
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/cli_session.h"

namespace korrin::cli {

int CmdInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CmdSet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CmdDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CmdCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CmdBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CmdInventory(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Prints "korrin-cli: <what>" and the usage, returns 2.
int UsageError(std::ostream& err, const std::string& what);

}  // namespace korrin::cli
