#include "app/settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

#include "base/platform.h"
#include "image/text_file.h"

namespace korrin {

std::string SettingsPathFor(const std::string& programPath) {
  const std::string exe = ".exe";
  if (programPath.size() >= exe.size()) {
    std::string tail = programPath.substr(programPath.size() - exe.size());
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (tail == exe) return programPath.substr(0, programPath.size() - 3) + "ini";
  }
  return programPath + ".ini";
}

namespace {

using IniData = std::map<std::string, std::map<std::string, std::string>>;

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

IniData ParseIni(const std::vector<std::string>& lines) {
  IniData data;
  std::string section;
  for (const auto& raw : lines) {
    std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = Trim(line.substr(1, line.size() - 2));
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    data[section][Trim(line.substr(0, eq))] = line.substr(eq + 1);
  }
  return data;
}

int IntOr(const IniData& data, const std::string& section, const std::string& key, int fallback) {
  auto s = data.find(section);
  if (s == data.end()) return fallback;
  auto k = s->second.find(key);
  if (k == s->second.end()) return fallback;
  std::string text = Trim(k->second);
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return fallback;
  return value;
}

std::string TextOr(const IniData& data, const std::string& section, const std::string& key,
                   const std::string& fallback) {
  auto s = data.find(section);
  if (s == data.end()) return fallback;
  auto k = s->second.find(key);
  return k == s->second.end() ? fallback : k->second;
}

}  // namespace

Settings ReadSettings(const std::string& path) {
  auto lines = ReadTextLines(path, nullptr, FileKind::Settings);
  if (!lines) return Settings{};
  return SettingsFromLines(*lines);
}

Settings SettingsFromLines(const std::vector<std::string>& lines) {
  Settings s;
  IniData data = ParseIni(lines);
  s.RasterX = IntOr(data, "Raster", "x", 0);
  s.RasterY = IntOr(data, "Raster", "y", 0);
  s.WindowWidth = IntOr(data, "Window", "Width", 560);
  s.WindowTop = IntOr(data, "Window", "Top", 10);
  s.WindowLeft = IntOr(data, "Window", "Left", 10);
  s.LastFileName = TextOr(data, "ReloadFile", "LastFileName_HEX", "");
  return s;
}

bool WriteSettings(const std::string& path, const Settings& s, std::string* error) {
  return WriteTextLinesSafely(path, SettingsLines(s), error);
}

std::vector<std::string> SettingsLines(const Settings& s) {
  return {
      "[Raster]",
      "x=" + std::to_string(s.RasterX),
      "y=" + std::to_string(s.RasterY),
      "",
      "[Window]",
      "Width=" + std::to_string(s.WindowWidth),
      "Top=" + std::to_string(s.WindowTop),
      "Left=" + std::to_string(s.WindowLeft),
      "",
      "[ReloadFile]",
      "LastFileName_HEX=" + s.LastFileName,
  };
}

Neighbours FindNeighbours(const std::string& path) {
  Neighbours result;
  const std::string folder = FolderOf(path);
  const std::string name = FileNameOf(path);

  // Sorted by name already; a folder that cannot be listed has no neighbours.
  const std::vector<std::string> names = ListHexFiles(folder).value_or(std::vector<std::string>{});
  const int n = static_cast<int>(names.size());
  if (n == 0) return result;

  int prev, next, cur = -1;
  auto found = std::find(names.begin(), names.end(), name);
  if (found != names.end()) {
    cur = static_cast<int>(found - names.begin());
    const int last = n - 1;
    if (cur == last) {
      prev = last - 1;
      next = 0;
    } else if (cur != 0) {
      prev = cur - 1;
      next = cur + 1;
    } else {
      prev = last;
      next = 1;
    }
  } else {
    // Not listed: the files that sort just before and after it.
    int pos = static_cast<int>(std::lower_bound(names.begin(), names.end(), name) - names.begin());
    prev = pos == 0 ? n - 1 : pos - 1;
    next = pos == n ? 0 : pos;
  }
  if (prev >= 0 && prev < n && prev != cur) result.PrevFileName = folder + names[static_cast<size_t>(prev)];
  if (next >= 0 && next < n && next != cur) result.NextFileName = folder + names[static_cast<size_t>(next)];
  return result;
}

}  // namespace korrin
