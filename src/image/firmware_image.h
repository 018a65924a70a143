#pragma once
// The in-memory firmware of one decoder: program memory, data EEPROM, ID and configuration
// words, and the text lines of the HEX file. Every byte is kept as two upper-case hex
// characters, exactly as in the file; values are made where they are needed.
#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialogs.h"

namespace korrin {

constexpr int kRomCells = 0x4000;
constexpr int kEepromCells = 256;
constexpr int kHexLines = 1024;
constexpr int kRepeatedRangeMessages = 10;
extern const char* const kSkippedLinesMessage;

// "00" .. "FF": entry v is the cell text of the byte value v.
const std::array<std::string, 256>& HexByteText();

// The value of the first two characters of text, each taken as one hex digit without any
// check ('A'..'F'/'a'..'f': (code + 9) & 0x0F, anything else: code & 0x0F; end of text: 0).
int HexByteValue(std::string_view text);

// One byte cell of the image: the text it was given, exactly (two hex characters normally;
// fewer where a record line ended early, and any bytes a file held there). Up to two
// characters are held inline, so 16384 program cells are one block of memory without an
// allocation per cell; a longer text (which no file line gives, but a caller may store) is
// kept whole on the side.
class HexCell {
 public:
  HexCell() = default;
  explicit HexCell(std::string_view text) { assign(text); }
  explicit HexCell(const char* text) : HexCell(std::string_view(text)) {}
  explicit HexCell(const std::string& text) : HexCell(std::string_view(text)) {}
  HexCell(const HexCell& other) : chars_(other.chars_), size_(other.size_) {
    if (other.long_) long_ = std::make_unique<std::string>(*other.long_);
  }
  HexCell(HexCell&&) noexcept = default;
  HexCell& operator=(const HexCell& other) {
    if (this != &other) {
      chars_ = other.chars_;
      size_ = other.size_;
      long_ = other.long_ ? std::make_unique<std::string>(*other.long_) : nullptr;
    }
    return *this;
  }
  HexCell& operator=(HexCell&&) noexcept = default;

  void assign(std::string_view text) {
    if (text.size() > 2) {
      long_ = std::make_unique<std::string>(text);
      chars_ = {};
      size_ = 0;
      return;
    }
    long_.reset();
    size_ = static_cast<uint8_t>(text.size());
    chars_[0] = size_ > 0 ? text[0] : '\0';
    chars_[1] = size_ > 1 ? text[1] : '\0';
  }
  void assign(char high, char low) {
    long_.reset();
    chars_ = {high, low};
    size_ = 2;
  }
  std::string_view view() const { return long_ ? std::string_view(*long_) : std::string_view(chars_.data(), size_); }
  std::string str() const { return std::string(view()); }
  operator std::string() const { return str(); }  // NOLINT: cells read as texts, as ever
  size_t size() const { return view().size(); }
  char operator[](size_t i) const { return view()[i]; }

  friend bool operator==(const HexCell& a, const HexCell& b) { return a.view() == b.view(); }
  friend bool operator==(const HexCell& cell, std::string_view text) { return cell.view() == text; }

 private:
  std::array<char, 2> chars_{};
  uint8_t size_ = 0;
  std::unique_ptr<std::string> long_;  // only for a text of more than two characters
};

std::ostream& operator<<(std::ostream& out, const HexCell& cell);

// The cells of one memory area.
using HexCells = std::vector<HexCell>;

class FirmwareImage {
 public:
  // The accessors report a bad index through dialogs (a warning with OK) and carry on.
  explicit FirmwareImage(Dialogs* dialogs = nullptr);

  void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
  Dialogs* dialogs() const { return dialogs_; }

  HexCells Hex_ROM;                   // kRomCells cells; word w = cells 2w (low), 2w+1 (high)
  std::vector<std::string> HexString;  // kHexLines file lines
  int32_t HexStringCount = 0;
  std::string ID_Text;
  std::array<std::string, 4> Config;
  std::array<std::string, 4> ConfigDefault;
  float Version = 0.0f;
  int32_t PIC = 0;
  int32_t ID_Address = 0;
  int32_t Config_Address = 0;
  int32_t EE_Address = 0;
  bool ID_Found = false;
  bool Config_Found = false;
  int32_t Max_ROM_Index = 0;
  int32_t Max_EE_Index = 0;
  HexCells Hex_EE;  // kEepromCells cells

  // The reader's upper address (extended linear address record), reset with every file.
  int32_t UpperAddress = 0;

  // Empties all lines, stores lines[i] upper-cased at index i and sets HexStringCount to the
  // number of lines (also beyond 1024, where set_HexString refuses each extra line). Only the
  // first kRepeatedRangeMessages extra lines get their own message; the rest are counted in
  // one kSkippedLinesMessage box (first index, last index, number of lines).
  void StoreLines(const std::vector<std::string>& lines);

  // Makes the image blank for a new file (erased chip, no ID, no configuration, no PIC).
  // Version and the three record addresses keep their values.
  void ResetForNewFile();

  void set_HexString(int32_t index, const std::string& line);
  std::string get_HexString(int32_t index) const;
  void set_Hex_ROM(int32_t index, const std::string& cell);
  std::string get_Hex_ROM(int32_t index) const;
  void set_Hex_EE(int32_t index, const std::string& cell);
  std::string get_Hex_EE(int32_t index) const;

  // Conveniences on top of the cells (values through HexByteValue, stores through HexByteText).
  int eepromValue(int index) const {
    return index >= 0 && index < kEepromCells ? HexByteValue(Hex_EE[static_cast<size_t>(index)].view())
                                              : HexByteValue(get_Hex_EE(index));
  }
  void setEepromValue(int index, int value) { set_Hex_EE(index, HexByteText()[static_cast<size_t>(value & 0xFF)]); }
  int romValue(int index) const {
    return index >= 0 && index < kRomCells ? HexByteValue(Hex_ROM[static_cast<size_t>(index)].view())
                                           : HexByteValue(get_Hex_ROM(index));
  }
  void setRomValue(int index, int value) { set_Hex_ROM(index, HexByteText()[static_cast<size_t>(value & 0xFF)]); }
  // The 14-bit program word at word address w (low cell + 256 * high cell).
  int programWord(int w) const { return romValue(2 * w) + 256 * romValue(2 * w + 1); }

 private:
  void report(const char* format, int32_t index) const;
  Dialogs* dialogs_ = nullptr;
};

}  // namespace korrin
