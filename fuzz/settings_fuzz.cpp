// libFuzzer target for the settings file: any bytes as the file beside the program, split into
// lines as the file is read. What was read is written and read again and must come back the
// same.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/settings.h"
#include "image/text_file.h"

namespace {

bool Same(const korrin::Settings& a, const korrin::Settings& b) {
  return a.RasterX == b.RasterX && a.RasterY == b.RasterY && a.WindowWidth == b.WindowWidth &&
         a.WindowTop == b.WindowTop && a.WindowLeft == b.WindowLeft && a.LastFileName == b.LastFileName;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto lines = korrin::SplitLines(std::string(reinterpret_cast<const char*>(data), size));
  const korrin::Settings read = korrin::SettingsFromLines(lines);
  std::string written;
  for (const auto& line : korrin::SettingsLines(read)) written += line + "\r\n";
  const korrin::Settings back = korrin::SettingsFromLines(korrin::SplitLines(written));
  if (!Same(read, back)) {
    std::fprintf(stderr, "settings_fuzz: settings differ after writing and reading again\n");
    __builtin_trap();
  }
  return 0;
}
