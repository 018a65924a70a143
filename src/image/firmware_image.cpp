#include "image/firmware_image.h"

#include <algorithm>
#include <cstdint>
#include <ostream>

#include "image/format.h"

namespace korrin {

const char* const kSkippedLinesMessage =
    "Error: schreiben HexString Bereichsüberschreitung (%lld bis %lld) in set_HexString: %lld weitere Zeilen übersprungen";

const std::array<std::string, 256>& HexByteText() {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> t;
    const char* digits = "0123456789ABCDEF";
    for (size_t v = 0; v < 256; ++v) t[v] = std::string{digits[v >> 4], digits[v & 15]};
    return t;
  }();
  return table;
}

int HexByteValue(std::string_view text) {
  auto digit = [](int c) {
    if ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) return (c + 9) & 0x0F;
    return c & 0x0F;
  };
  int hi = text.size() > 0 ? digit(static_cast<unsigned char>(text[0])) : 0;
  int lo = text.size() > 1 ? digit(static_cast<unsigned char>(text[1])) : 0;
  return hi * 16 + lo;
}

std::ostream& operator<<(std::ostream& out, const HexCell& cell) { return out << '"' << cell.view() << '"'; }

FirmwareImage::FirmwareImage(Dialogs* dialogs)
    : Hex_ROM(kRomCells), HexString(kHexLines), Hex_EE(kEepromCells), dialogs_(dialogs) {}

void FirmwareImage::report(const char* format, int32_t index) const {
  if (dialogs_) dialogs_->warning(Format(format, index));
}

void FirmwareImage::StoreLines(const std::vector<std::string>& lines) {
  for (auto& line : HexString) line.clear();
  const size_t kept = std::min(lines.size(), static_cast<size_t>(kHexLines));
  for (size_t i = 0; i < kept; ++i) {
    std::string upper = lines[i];
    // ASCII letters only: std::toupper would follow the C locale and change bytes above 127
    // in a Latin-1 locale.
    for (auto& c : upper)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    set_HexString(static_cast<int32_t>(i), upper);
  }
  // Every line beyond the kept ones is refused with the range message; a huge file would
  // give one modal box per line, so after a few of them one box counts the rest.
  const size_t extra = lines.size() - kept;
  const size_t shown = std::min(extra, static_cast<size_t>(kRepeatedRangeMessages));
  for (size_t i = 0; i < shown; ++i) set_HexString(static_cast<int32_t>(kept + i), std::string());
  if (extra > shown && dialogs_) {
    const auto first = static_cast<long long>(kept + shown);
    const auto last = static_cast<long long>(lines.size() - 1);
    dialogs_->warning(Format(kSkippedLinesMessage, first, last, static_cast<long long>(extra - shown)));
  }
  HexStringCount = static_cast<int32_t>(std::min(lines.size(), static_cast<size_t>(INT32_MAX)));
}

void FirmwareImage::ResetForNewFile() {
  for (auto& cell : Hex_EE) cell.assign('F', 'F');
  for (size_t i = 0; i + 1 < Hex_ROM.size(); i += 2) {
    Hex_ROM[i].assign('F', 'F');
    Hex_ROM[i + 1].assign('3', 'F');
  }
  Max_ROM_Index = 0;
  Max_EE_Index = 0;
  UpperAddress = 0;
  ID_Found = false;
  ID_Text.clear();
  Config_Found = false;
  Config.fill("0000");
  ConfigDefault.fill("0000");
  PIC = 0;
}

void FirmwareImage::set_HexString(int32_t index, const std::string& line) {
  if (index < 0 || index >= kHexLines) {
    report("Error: schreiben HexString Bereichsüberschreitung (%i) in set_HexString", index);
    return;
  }
  HexString[static_cast<size_t>(index)] = line;
}

std::string FirmwareImage::get_HexString(int32_t index) const {
  if (index < 0 || index >= kHexLines) {
    report("Error: lesen HexString Bereichsüberschreitung (%i) in get_HexString", index);
    return "error";
  }
  return HexString[static_cast<size_t>(index)];
}

void FirmwareImage::set_Hex_ROM(int32_t index, const std::string& cell) {
  if (index < 0 || index >= kRomCells) {
    report("Error: schreiben HEX_ROM Bereichsüberschreitung (%i) in set_Hex_ROM", index);
    return;
  }
  Hex_ROM[static_cast<size_t>(index)].assign(cell);
}

std::string FirmwareImage::get_Hex_ROM(int32_t index) const {
  if (index < 0 || index >= kRomCells) {
    report("Error: lesen HEX_ROM Bereichsüberschreitung (%i) in get_Hex_ROM", index);
    return "error";
  }
  return Hex_ROM[static_cast<size_t>(index)].str();
}

void FirmwareImage::set_Hex_EE(int32_t index, const std::string& cell) {
  if (index < 0 || index >= kEepromCells) {
    report("Error: schreiben Hex_EE Bereichsüberschreitung (%i) in set_Hex_EE", index);
    return;
  }
  Hex_EE[static_cast<size_t>(index)].assign(cell);
}

std::string FirmwareImage::get_Hex_EE(int32_t index) const {
  if (index < 0 || index >= kEepromCells) {
    report("Error: lesen Hex_EE Bereichsüberschreitung (%i) in get_Hex_EE", index);
    return "error";
  }
  return Hex_EE[static_cast<size_t>(index)].str();
}

}  // namespace korrin
