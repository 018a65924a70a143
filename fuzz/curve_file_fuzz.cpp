// libFuzzer target for curve files (*.cur). The first byte chooses the curve block, the rest
// is the file text, split into lines as a file is read. Only the chosen block may change, every
// entry stays a table byte, a refused file changes nothing, and a file that is taken is written
// and read back to the same block.
#include <cstddef>
#include <cstdint>
#include <string>

#include "checking_dialogs.h"
#include "editors/curve_files.h"
#include "image/text_file.h"

namespace {

using namespace korrin;

CurveTable Patterned() {
  CurveTable table;
  for (size_t k = 0; k < table.blocks.size(); ++k)
    for (size_t j = 0; j < table.blocks[k].size(); ++j) table.blocks[k][j] = static_cast<int>((k * 31 + j * 7) & 0xFF);
  return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static CheckingDialogs dialogs;
  dialogs.count = 0;
  const size_t block = data[0] % kCurveBlocks;
  const auto lines = SplitLines(std::string(reinterpret_cast<const char*>(data + 1), size - 1));

  const CurveTable before = Patterned();
  CurveTable table = before;
  const bool taken = ApplyCurveFileLines(table, static_cast<int>(block), lines, dialogs);

  for (size_t k = 0; k < table.blocks.size(); ++k) {
    if (k != block && table.blocks[k] != before.blocks[k]) __builtin_trap();
    for (int v : table.blocks[k])
      if (v < 0 || v > 255) __builtin_trap();
  }
  if (!taken) {
    if (dialogs.count == 0) __builtin_trap();  // a refusal always says why
    if (table.blocks != before.blocks) __builtin_trap();  // and takes nothing
    return 0;
  }
  const size_t points = lines.size() < kMaxCurvePoints ? lines.size() : kMaxCurvePoints;
  if (table.blocks[block][kEntryCount] != static_cast<int>(points)) __builtin_trap();
  if (dialogs.count != (lines.size() > kMaxCurvePoints ? 1 : 0)) __builtin_trap();

  CurveTable again = before;
  if (!ApplyCurveFileLines(again, static_cast<int>(block), CurveFileLines(table.blocks[block]), dialogs)) __builtin_trap();
  if (again.blocks[block] != table.blocks[block]) __builtin_trap();
  return 0;
}
