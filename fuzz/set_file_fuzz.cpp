// libFuzzer target for set files (*.set): any bytes, split into lines as a file is read, taken
// into both curve tables. Every entry stays a table byte; a file is taken only when it has
// exactly 512 readable lines, a refused one changes nothing, and a taken file is written and
// read back to the same tables.
#include <cstddef>
#include <cstdint>
#include <string>

#include "checking_dialogs.h"
#include "editors/curve_files.h"
#include "image/text_file.h"

using namespace korrin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CheckingDialogs dialogs;
  dialogs.count = 0;
  const auto lines = SplitLines(std::string(reinterpret_cast<const char*>(data), size));

  CurveTable table;
  for (auto& block : table.blocks) block.fill(77);
  const bool taken = ApplySetFileLines(table, lines, dialogs);
  for (const auto& block : table.blocks)
    for (int v : block)
      if (v < 0 || v > 255) __builtin_trap();
  if (!taken) {
    if (dialogs.count != 1) __builtin_trap();
    for (const auto& block : table.blocks)  // a refused file takes nothing
      for (int v : block)
        if (v != 77) __builtin_trap();
    return 0;
  }
  if (lines.size() != static_cast<size_t>(kSetFileLines) || dialogs.count != 0) __builtin_trap();

  CurveTable again;
  if (!ApplySetFileLines(again, SetFileLines(table), dialogs)) __builtin_trap();
  if (again.blocks != table.blocks) __builtin_trap();
  return 0;
}
