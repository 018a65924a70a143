#include "app/program_layout.h"

#include <filesystem>
#include <system_error>

#include "base/platform.h"

namespace korrin {

namespace fs = std::filesystem;

#ifndef KORRIN_DATA_FROM_BIN
#define KORRIN_DATA_FROM_BIN "../share/korrin"
#endif

namespace {

bool HasHelp(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(folder / "index.html", ec);
}

fs::path Normal(const fs::path& p) {
  std::error_code ec;
  fs::path absolute = fs::absolute(p, ec);
  return (ec ? p : absolute).lexically_normal();
}

}  // namespace

std::string InstalledDataRelative() { return KORRIN_DATA_FROM_BIN; }

bool IsInstalledLayout(const std::string& programDir) {
  return !programDir.empty() && HasHelp(PathOf(programDir) / InstalledDataRelative() / "help");
}

std::string FindHelpFolder(const std::string& programDir) {
  if (programDir.empty()) return "";
  const fs::path dir = PathOf(programDir);
  for (const fs::path& candidate : {dir / "help", dir / InstalledDataRelative() / "help", dir / ".." / "help"}) {
    if (HasHelp(candidate)) {
      std::string result = Utf8Of(Normal(candidate));
      while (result.size() > 1 && (result.back() == '/' || result.back() == '\\')) result.pop_back();
      return result;
    }
  }
  return "";
}

}  // namespace korrin
