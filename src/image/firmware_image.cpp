#include "image/firmware_image.h"

#include <cctype>

#include "image/format.h"

namespace korrin {

const std::array<std::string, 256>& HexByteText() {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> t;
    const char* digits = "0123456789ABCDEF";
    for (size_t v = 0; v < 256; ++v) t[v] = std::string{digits[v >> 4], digits[v & 15]};
    return t;
  }();
  return table;
}

int HexByteValue(const std::string& text) {
  auto digit = [](int c) {
    if ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')) return (c + 9) & 0x0F;
    return c & 0x0F;
  };
  int hi = text.size() > 0 ? digit(static_cast<unsigned char>(text[0])) : 0;
  int lo = text.size() > 1 ? digit(static_cast<unsigned char>(text[1])) : 0;
  return hi * 16 + lo;
}

FirmwareImage::FirmwareImage(Dialogs* dialogs)
    : Hex_ROM(kRomCells), HexString(kHexLines), Hex_EE(kEepromCells), dialogs_(dialogs) {}

void FirmwareImage::report(const char* format, int32_t index) const {
  if (dialogs_) dialogs_->warning(Format(format, index));
}

void FirmwareImage::StoreLines(const std::vector<std::string>& lines) {
  for (auto& line : HexString) line.clear();
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string upper = lines[i];
    for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    set_HexString(static_cast<int32_t>(i), upper);
  }
  HexStringCount = static_cast<int32_t>(lines.size());
}

void FirmwareImage::ResetForNewFile() {
  for (auto& cell : Hex_EE) cell = "FF";
  for (size_t i = 0; i < Hex_ROM.size(); ++i) Hex_ROM[i] = (i % 2 == 0) ? "FF" : "3F";
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
  Hex_ROM[static_cast<size_t>(index)] = cell;
}

std::string FirmwareImage::get_Hex_ROM(int32_t index) const {
  if (index < 0 || index >= kRomCells) {
    report("Error: lesen HEX_ROM Bereichsüberschreitung (%i) in get_Hex_ROM", index);
    return "error";
  }
  return Hex_ROM[static_cast<size_t>(index)];
}

void FirmwareImage::set_Hex_EE(int32_t index, const std::string& cell) {
  if (index < 0 || index >= kEepromCells) {
    report("Error: schreiben Hex_EE Bereichsüberschreitung (%i) in set_Hex_EE", index);
    return;
  }
  Hex_EE[static_cast<size_t>(index)] = cell;
}

std::string FirmwareImage::get_Hex_EE(int32_t index) const {
  if (index < 0 || index >= kEepromCells) {
    report("Error: lesen Hex_EE Bereichsüberschreitung (%i) in get_Hex_EE", index);
    return "error";
  }
  return Hex_EE[static_cast<size_t>(index)];
}

}  // namespace korrin
