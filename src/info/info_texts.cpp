#include "info/info_texts.h"

#include "base/text_encoding.h"
#include "image/format.h"

namespace korrin {

namespace {

// Characters first .. first+count-1 of text, counted from 1; what lies past the end is missing.
std::string Cut(const std::string& text, size_t first, size_t count) {
  if (first < 1 || first > text.size()) return std::string();
  return text.substr(first - 1, count);
}

// Cells, ID and configuration texts hold what the file held, any byte included; what is shown
// is made UTF-8.
std::string SwapBytes(const std::string& word) { return EightBitToUtf8(Cut(word, 3, 2) + Cut(word, 1, 2)); }

}  // namespace

std::array<std::string, 4> ConfigTexts(const FirmwareImage& image) {
  std::array<std::string, 4> out;
  for (size_t n = 0; n < 4; ++n) out[n] = SwapBytes(image.Config[n]);
  return out;
}

std::array<std::string, 4> IdTexts(const FirmwareImage& image) {
  std::array<std::string, 4> out;
  switch (image.PIC) {
    case 18324:
      for (size_t k = 1; k <= 4; ++k) out[k - 1] = EightBitToUtf8(Cut(image.ID_Text, 4 * k - 1, 2) + Cut(image.ID_Text, 4 * k - 3, 2));
      break;
    case 629:
    case 630:
    case 676:
    case 684:
    case 688:
      out[0] = EightBitToUtf8(image.ID_Text);
      break;
    default:
      break;
  }
  return out;
}

std::string RomCountText(const FirmwareImage& image) {
  return Format("Anzahl ROM Bytes (File 1): %i", image.Max_ROM_Index);
}

MemoryDump DumpMemory(const FirmwareImage& image) {
  MemoryDump dump;

  std::string line;
  for (int32_t i = 0; i <= image.Max_EE_Index; ++i) {
    const int32_t column = i % 16;
    if (column == 0) {
      if (i > 0) dump.eeprom.push_back(line);
      line = i == 0 ? std::string("0x000 ") : Format("0x0%02X:", static_cast<unsigned>(i));
    }
    const std::string cell = image.get_Hex_EE(i);
    if (cell == "error") {
      dump.eepromComplete = false;
      return dump;
    }
    line += EightBitToUtf8Grid(cell);
    if (column == 7) {
      line += ' ';
    } else if (column == 1 || column == 3 || column == 5 || column == 9 || column == 11 || column == 13) {
      line += '.';
    }
  }
  dump.eeprom.push_back(line);

  line.clear();
  bool open = false;
  for (int32_t j = 0; j <= image.Max_ROM_Index && j + 1 < kRomCells; j += 2) {
    const int32_t column = (j / 2) % 8;
    if (column == 0) {
      if (open) dump.rom.push_back(line);
      if (j >= 256 && j <= 9216 && j % 256 == 0) dump.rom.push_back(" ");
      line = Format("$%04X: ", static_cast<unsigned>(j / 2));
      open = true;
    } else {
      line += column == 4 ? ' ' : '.';
    }
    line += EightBitToUtf8Grid(image.get_Hex_ROM(j + 1) + image.get_Hex_ROM(j));
  }
  if (open) dump.rom.push_back(line);
  return dump;
}

InfoTexts MakeInfoTexts(const FirmwareImage& image) {
  return InfoTexts{ConfigTexts(image), IdTexts(image), RomCountText(image), DumpMemory(image)};
}

}  // namespace korrin
