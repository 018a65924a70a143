// libFuzzer target for the settings file: any bytes as the file beside the program. The file
// is read through a temporary file, since the settings are read from a path. What was read is
// written and read again and must come back the same.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/settings.h"

namespace {

bool Same(const korrin::Settings& a, const korrin::Settings& b) {
  return a.RasterX == b.RasterX && a.RasterY == b.RasterY && a.WindowWidth == b.WindowWidth &&
         a.WindowTop == b.WindowTop && a.WindowLeft == b.WindowLeft && a.LastFileName == b.LastFileName;
}

std::string TempPath(const char* what) {
  return (std::filesystem::temp_directory_path() /
          ("korrin_settings_fuzz_" + std::to_string(::getpid()) + "_" + what + ".ini"))
      .string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string input = TempPath("in");
  static const std::string output = TempPath("out");
  {
    std::ofstream out(input, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const korrin::Settings read = korrin::ReadSettings(input);
  if (!korrin::WriteSettings(output, read)) __builtin_trap();
  const korrin::Settings back = korrin::ReadSettings(output);
  if (!Same(read, back)) {
    std::fprintf(stderr, "settings_fuzz: settings differ after writing and reading again\n");
    __builtin_trap();
  }
  std::remove(input.c_str());
  std::remove(output.c_str());
  return 0;
}
