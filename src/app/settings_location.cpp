#include "app/settings_location.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "app/program_layout.h"
#include "app/settings.h"
#include "base/platform.h"

namespace korrin {

namespace fs = std::filesystem;

namespace {

bool IsAbsolute(const std::string& path, bool windows) {
  if (path.empty()) return false;
  if (path[0] == '/' || path[0] == '\\') return true;
  return windows && path.size() > 2 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

std::string Join(const std::string& folder, const std::string& name, char sep) {
  if (folder.empty()) return name;
  const char last = folder.back();
  return (last == '/' || last == '\\') ? folder + name : folder + sep + name;
}

}  // namespace

std::string ChooseSettingsPath(const SettingsPlaces& p) {
  if (p.programFolderWritable && !p.installed) return SettingsPathFor(p.programPath);
  if (p.windows) {
    if (IsAbsolute(p.appData, true)) return Join(Join(p.appData, "Korrin", '\\'), "korrin.ini", '\\');
  } else {
    // XDG: a relative $XDG_CONFIG_HOME is invalid and is ignored.
    if (IsAbsolute(p.xdgConfigHome, false)) return Join(Join(p.xdgConfigHome, "korrin", '/'), "korrin.ini", '/');
    if (IsAbsolute(p.home, false)) return Join(Join(Join(p.home, ".config", '/'), "korrin", '/'), "korrin.ini", '/');
  }
  return SettingsPathFor(p.programPath);
}

bool FolderIsWritable(const std::string& folder) {
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(PathOf(folder), ec)) return false;
  std::random_device seed;
  const fs::path probe = PathOf(folder) / (".korrin-probe-" + std::to_string(seed()));
  bool created = false;
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    created = out.good();
  }
  if (created) fs::remove(probe, ec);
  return created;
}

SettingsPlaces SettingsPlacesOf(const std::string& programPath) {
  SettingsPlaces p;
  p.programPath = programPath;
  const std::string dir = Utf8Of(PathOf(programPath).parent_path());
  p.programFolderWritable = FolderIsWritable(dir);
  p.installed = IsInstalledLayout(dir);
#ifdef _WIN32
  p.windows = true;
#endif
  p.xdgConfigHome = EnvironmentVariable("XDG_CONFIG_HOME");
  p.home = EnvironmentVariable("HOME");
  p.appData = EnvironmentVariable("APPDATA");
  return p;
}

bool MakeSettingsFolder(const std::string& settingsPath, std::string* error) {
  const fs::path folder = PathOf(settingsPath).parent_path();
  std::error_code ec;
  if (folder.empty() || fs::is_directory(folder, ec)) return true;
  fs::create_directories(folder, ec);
  if (!ec) return true;
  if (error) *error = "Der Ordner für die Einstellungen kann nicht angelegt werden: " + Utf8Of(folder);
  return false;
}

}  // namespace korrin
