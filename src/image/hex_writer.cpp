#include "image/hex_writer.h"

#include <algorithm>
#include <cmath>

#include "image/pic_types.h"

namespace korrin {

namespace {

constexpr const char* kChecksumProblem = "Problem bei der Checksummen-Berechnung";

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsHexPairs(const std::string& text) {
  if (text.size() % 2 != 0) return false;
  return std::all_of(text.begin(), text.end(), [](char c) { return HexDigitValue(c) >= 0; });
}

// Generates the lines one after the other into the image; stops at the first failure.
class LineWriter {
 public:
  LineWriter(FirmwareImage& image, Dialogs& dialogs) : image_(image), dialogs_(dialogs) {}

  int32_t count() const { return count_; }

  void fixedLine(const char* text) { image_.set_HexString(count_++, text); }

  // Switches the extended linear address (0 or 0x10000) when it is not the current one.
  void selectUpper(int32_t upper) {
    if (upper_ == upper) return;
    fixedLine(upper == 0 ? ":020000040000FA" : ":020000040001F9");
    upper_ = upper;
  }
  int32_t upper() const { return upper_; }

  // A data record at the 16-bit offset with the given data (hex-digit pairs); the length field
  // is the number of bytes it really carries. False after the checksum message.
  bool dataRecord(int32_t offset, const std::string& data) {
    if (!IsHexPairs(data) || data.size() > 2 * 255 || offset < 0 || offset > 0xFFFF) {
      return fail();
    }
    const auto& hex = HexByteText();
    std::string text = hex[data.size() / 2] + hex[static_cast<size_t>(offset >> 8)] +
                       hex[static_cast<size_t>(offset & 0xFF)] + "00" + data;
    std::string checksum = HexChecksum(text, dialogs_);
    if (checksum == "error") return false;
    image_.set_HexString(count_++, ":" + text + checksum);
    return true;
  }

  // Cells are only usable when each is exactly one byte: any other text would shift the
  // bytes that follow it and the length field would no longer match.
  bool appendCell(std::string& data, const std::string& cell) {
    if (cell.size() != 2 || !IsHexPairs(cell)) return fail();
    data += cell;
    return true;
  }

 private:
  bool fail() {
    dialogs_.show(BoxKind::Warning, kChecksumProblem, Buttons::Cancel);
    return false;
  }

  FirmwareImage& image_;
  Dialogs& dialogs_;
  int32_t count_ = 0;
  int32_t upper_ = 0;
};

// The reader takes a data record as program memory when its first byte lies in words
// 0..0xFFF, i.e. at byte 0x1FFF at the latest, and then stores the whole record, so a loaded
// file may hold cells beyond 0x1FFF (up to 0x1FFF + 254). A record starting at 0x2000 would be
// refused on reading. Cells from 0x1FFF on therefore go into one last record that starts at
// 0x1FFF; below that the records stay 16-byte aligned.
constexpr int32_t kLastProgramRecordStart = 0x1FFF;

bool WriteProgramMemory(FirmwareImage& image, LineWriter& out) {
  std::string data;
  int32_t start = 0;
  const int32_t last = image.Max_ROM_Index;
  for (int32_t k = 0; k <= last; ++k) {
    if (!out.appendCell(data, image.get_Hex_ROM(k))) return false;
    const bool close = k == last ||
                       (k + 1 < kLastProgramRecordStart && data.size() == 32) ||
                       (k + 1 == kLastProgramRecordStart && last > kLastProgramRecordStart);
    if (close) {
      if (!out.dataRecord(start, data)) return false;
      data.clear();
      start = k + 1;
    }
  }
  return true;
}

// The four mid-range ID digits: the decoder ID, then the three version digits. A record
// shorter than its line may have left fewer (the reader takes the version digits by position,
// even from behind the record); they are completed from Version so that the file written
// reads back with the same ID and version.
std::string MidRangeIdDigits(const FirmwareImage& image) {
  std::string id = image.ID_Text.substr(0, 4);
  if (id.size() < 4) {
    long v = 0;
    if (image.Version >= 0.0f && image.Version < 10.0f) v = std::lround(image.Version * 100.0);
    if (v > 999) v = 999;
    const std::string version{static_cast<char>('0' + v / 100), static_cast<char>('0' + v / 10 % 10),
                              static_cast<char>('0' + v % 10)};
    id += version.substr(id.size() - 1);
  }
  return id;
}

// The 16F18324 ID words as read, completed to whole words ("26" -> "2600"); a single
// character is the version number's only digit and is kept as the low digit ("2" -> "0200").
std::string Pic18324IdWords(const FirmwareImage& image) {
  std::string id = image.ID_Text.substr(0, 16);
  if (id.size() == 1) id = "0" + id;
  while (id.size() % 4 != 0) id += '0';
  return id;
}

// The ID as it was read: one digit per word at 0x2000 (digit as low byte, high byte 00), the
// words unchanged at 0x8000. Nothing when no ID was read from this file. At most the four ID
// words are written: a longer ID record in the loaded file would otherwise reach the
// configuration word behind them.
bool WriteId(FirmwareImage& image, LineWriter& out) {
  if (image.ID_Text.empty()) return true;
  std::string data;
  if (image.ID_Address == kMidRangeMemory.idWord) {
    for (char c : MidRangeIdDigits(image)) data += std::string("0") + c + "00";
  } else if (image.ID_Address == kPic18324Memory.idWord) {
    data = Pic18324IdWords(image);
  } else {
    return true;
  }
  int32_t byteAddress = image.ID_Address * 2;
  out.selectUpper(byteAddress >= 0x10000 ? 0x10000 : 0);
  return out.dataRecord(byteAddress - out.upper(), data);
}

bool WriteMidRangeConfig(FirmwareImage& image, LineWriter& out) {
  if (image.Config[0].empty()) return true;
  out.selectUpper(0);
  return out.dataRecord(0x400E, image.Config[0]);
}

// Words 0x8007..0x800A. A text that holds several words (they came in one record) already
// covers the words behind it, which are then not written again over it.
// onlyRead: write the later words only when the file set them (they are "0000" otherwise).
bool Write18324Config(FirmwareImage& image, LineWriter& out, bool onlyRead) {
  out.selectUpper(0x10000);
  size_t coveredBytes = 0;  // bytes from word 0x8007 on that a written record holds
  for (size_t k = 0; k < 4; ++k) {
    const std::string& text = image.Config[k];
    if (text.empty() || 2 * k < coveredBytes) continue;
    if (k > 0 && onlyRead && text == "0000") continue;
    if (!out.dataRecord(static_cast<int32_t>(0x000E + 2 * k), text)) return false;
    coveredBytes = 2 * k + text.size() / 2;
  }
  return true;
}

bool WriteConfig(FirmwareImage& image, LineWriter& out) {
  const PicType* pic = FindPicType(image.PIC);
  if (pic != nullptr && pic->writesConfig) {
    return pic->memory == &kPic18324Memory ? Write18324Config(image, out, false) : WriteMidRangeConfig(image, out);
  }
  // Any other PIC (676, or none assigned): the configuration read from this file is kept
  // where it was read, so the chip is never programmed with an erased configuration.
  if (!image.Config_Found) return true;
  if (image.Config_Address == kMidRangeMemory.configWord) return WriteMidRangeConfig(image, out);
  if (image.Config_Address == kPic18324Memory.configWord) return Write18324Config(image, out, true);
  return true;
}

// EEPROM at the address of the image's layout (never at a stale or missing EE_Address, which
// would put it over program memory): every cell becomes a word with high byte 00.
bool WriteEeprom(FirmwareImage& image, LineWriter& out) {
  const MemoryMap& memory = LayoutOf(image) == MemoryLayout::Pic18324 ? kPic18324Memory : kMidRangeMemory;
  out.selectUpper(memory.eepromUpper);
  const int32_t base = 2 * memory.eepromWord - memory.eepromUpper;
  std::string data;
  int32_t first = 0;
  for (int32_t k = 0; k <= image.Max_EE_Index; ++k) {
    if (!out.appendCell(data, image.get_Hex_EE(k))) return false;
    data += "00";
    if (data.size() == 32 || k == image.Max_EE_Index) {
      if (!out.dataRecord(base + 2 * first, data)) return false;
      data.clear();
      first = k + 1;
    }
  }
  return true;
}

}  // namespace

MemoryLayout LayoutOf(const FirmwareImage& image) {
  if (const PicType* pic = FindPicType(image.PIC)) {
    return pic->memory == &kPic18324Memory ? MemoryLayout::Pic18324 : MemoryLayout::MidRange;
  }
  if (image.ID_Found) {
    return image.ID_Address == kPic18324Memory.idWord ? MemoryLayout::Pic18324 : MemoryLayout::MidRange;
  }
  if (image.Config_Found) {
    return image.Config_Address == kPic18324Memory.configWord ? MemoryLayout::Pic18324 : MemoryLayout::MidRange;
  }
  return image.EE_Address == kPic18324Memory.eepromWord ? MemoryLayout::Pic18324 : MemoryLayout::MidRange;
}

std::string HexChecksum(const std::string& record, Dialogs& dialogs) {
  unsigned sum = 0;
  for (size_t i = 0; i + 1 < record.size(); i += 2) {
    int hi = HexDigitValue(record[i]);
    int lo = HexDigitValue(record[i + 1]);
    if (hi < 0 || lo < 0) {
      dialogs.show(BoxKind::Warning, kChecksumProblem, Buttons::Cancel);
      return "error";
    }
    sum += static_cast<unsigned>(hi * 16 + lo);
  }
  return HexByteText()[(0x100 - (sum % 0x100)) % 0x100];
}

int32_t WriteHexImage(FirmwareImage& image, Dialogs& dialogs) {
  for (auto& line : image.HexString) line.clear();
  image.HexStringCount = 0;
  LineWriter out(image, dialogs);
  out.fixedLine(":020000040000FA");
  if (!WriteProgramMemory(image, out) || !WriteId(image, out) || !WriteConfig(image, out) ||
      !WriteEeprom(image, out)) {
    return 0;
  }
  out.fixedLine(":00000001FF");
  image.HexStringCount = out.count();
  return out.count();
}

}  // namespace korrin
