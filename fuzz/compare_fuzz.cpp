// libFuzzer target for the comparison reader: any bytes, read as the lines of a second HEX
// file, are compared with a small loaded image. Nothing may read past a line or a table, the
// counters must match the difference lines, every message and memo line is valid UTF-8, and a
// file without data records is reported as such.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/dialogs.h"
#include "base/text_encoding.h"
#include "image/firmware_image.h"
#include "image/text_file.h"
#include "info/hex_compare.h"
#include "info/mnemonic.h"

namespace {

class SilentDialogs : public korrin::Dialogs {
 public:
  korrin::Answer show(korrin::BoxKind, const std::string& text, korrin::Buttons buttons) override {
    if (!korrin::IsValidUtf8(text)) __builtin_trap();
    return buttons == korrin::Buttons::Ok ? korrin::Answer::Ok : korrin::Answer::Cancel;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static SilentDialogs dialogs;
  static korrin::FirmwareImage image = [] {
    korrin::FirmwareImage im(&dialogs);
    im.ResetForNewFile();
    im.ID_Text = "1236";
    im.Config[0] = "C431";
    for (int i = 0; i < 64; ++i) im.setRomValue(i, i * 7);
    for (int i = 0; i < 256; ++i) im.setEepromValue(i, i);
    return im;
  }();

  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto lines = korrin::SplitLines(text);

  korrin::HexComparison comparison(image, dialogs);
  const bool completed = comparison.CompareLines(lines);

  // Every counted difference has its line; a finished comparison adds one blank and one count
  // line to the EEPROM memo and one blank and three count lines to the ROM memo.
  const size_t eeExtra = completed ? 2 : 0;
  const size_t romExtra = completed ? 4 : 0;
  if (comparison.eepromLines.size() != static_cast<size_t>(comparison.EE_Differences) + eeExtra) __builtin_trap();
  const size_t romLines = static_cast<size_t>(comparison.ROM_Differences) +
                          2 * static_cast<size_t>(comparison.ID_Differences + comparison.Config_Differences);
  if (comparison.romLines.size() != romLines + romExtra) __builtin_trap();

  for (const auto& line : comparison.eepromLines)
    if (!korrin::IsValidUtf8(line)) __builtin_trap();
  for (const auto& line : comparison.romLines)
    if (!korrin::IsValidUtf8(line)) __builtin_trap();
  if (comparison.NoData && (completed || comparison.DataRecords != 0)) __builtin_trap();
  if (completed && comparison.DataRecords == 0) __builtin_trap();

  // The instruction names of the first characters, taken as two byte texts.
  if (text.size() >= 4) {
    if (korrin::WordMnemonic(text.substr(0, 2), text.substr(2, 2)).size() != 6) __builtin_trap();
  }
  return 0;
}
