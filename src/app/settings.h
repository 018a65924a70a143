#pragma once
// The settings file beside the program and the stepping through the HEX files of a folder.
#include <string>
#include <vector>

namespace korrin {

struct Settings {
  int RasterX = 0;
  int RasterY = 0;
  int WindowWidth = 560;
  int WindowTop = 10;
  int WindowLeft = 10;
  std::string LastFileName;
};

// The settings file of a program file: "x.exe" -> "x.ini"; a name without that ending
// gets ".ini" appended ("korrin" -> "korrin.ini").
std::string SettingsPathFor(const std::string& programPath);

// A missing file, section or key, or a value that is no integer, gives the default.
Settings ReadSettings(const std::string& path);
// Writes the six keys in their order; false with a German reason in *error on failure.
bool WriteSettings(const std::string& path, const Settings& settings, std::string* error = nullptr);

// The two halves of the above without the file: the settings in the lines of a file, and the
// lines written for them.
Settings SettingsFromLines(const std::vector<std::string>& lines);
std::vector<std::string> SettingsLines(const Settings& settings);

struct Neighbours {
  std::string PrevFileName;
  std::string NextFileName;
};

// The previous and next *.hex file of the folder of path, wrapping around; the current file
// is never its own neighbour. Files are taken in name order. A file that is not among them
// (another extension, a name differing in case) gets the files that sort just before and
// after it.
Neighbours FindNeighbours(const std::string& path);

}  // namespace korrin
