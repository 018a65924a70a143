#include "info/mnemonic.h"

#include <array>

#include "image/firmware_image.h"

namespace korrin {

namespace {

constexpr const char* kBlank = "      ";

// One rule of the name table. A rule matches when every test it names holds: a byte text
// that must equal the given text, or a byte value that, masked, must equal the given value.
// A null text or a zero mask means "not tested".
struct MnemonicRule {
  const char* highText;
  int highMask;
  int highValue;
  const char* lowText;
  int lowMask;
  int lowValue;
  const char* mnemonic;
};

// Tested top to bottom; the first match names the word. The order matters and is not the
// published one everywhere: within the words with high byte 00, 0x30..0x37 are named TRIS
// before MOVLB takes the rest of 0x20..0x3F, and OPTION, the published TRIS words and the
// MOVIW/MOVWI forms end at the catch-all blank rule of that group.
constexpr std::array<MnemonicRule, 49> kRules{{
    // High byte text 00: the low byte decides, and nothing after this group is tried.
    {"00", 0, 0, "08", 0, 0, "RETURN"},
    {"00", 0, 0, "09", 0, 0, "RETFIE"},
    {"00", 0, 0, "0A", 0, 0, "CALLW "},
    {"00", 0, 0, "0B", 0, 0, "BRW   "},
    {"00", 0, 0, "64", 0, 0, "CLRWDT"},
    {"00", 0, 0, "00", 0, 0, "NOP   "},
    {"00", 0, 0, "01", 0, 0, "RESET "},
    {"00", 0, 0, "63", 0, 0, "SLEEP "},
    {"00", 0, 0, nullptr, 0xF8, 0x30, "TRIS  "},
    {"00", 0, 0, nullptr, 0xE0, 0x20, "MOVLB "},
    {"00", 0, 0, nullptr, 0x80, 0x80, "MOVWF "},
    {"00", 0, 0, nullptr, 0, 0, kBlank},
    // Bit patterns of the high byte value (any value, also above 0x3F).
    {nullptr, 0x3C, 0x10, nullptr, 0, 0, "BCF   "},
    {nullptr, 0x3C, 0x14, nullptr, 0, 0, "BSF   "},
    {nullptr, 0x3C, 0x18, nullptr, 0, 0, "BTFSC "},
    {nullptr, 0x3C, 0x1C, nullptr, 0, 0, "BTFSS "},
    {nullptr, 0x38, 0x20, nullptr, 0, 0, "CALL  "},
    {nullptr, 0x38, 0x28, nullptr, 0, 0, "GOTO  "},
    // The high byte text alone; CLRF and CLRW are not told apart.
    {"01", 0, 0, nullptr, 0, 0, "CLRF/W"},
    {"02", 0, 0, nullptr, 0, 0, "SUBWF "},
    {"03", 0, 0, nullptr, 0, 0, "DECF  "},
    {"04", 0, 0, nullptr, 0, 0, "IORWF "},
    {"05", 0, 0, nullptr, 0, 0, "ANDWF "},
    {"06", 0, 0, nullptr, 0, 0, "XORWF "},
    {"07", 0, 0, nullptr, 0, 0, "ADDWF "},
    {"08", 0, 0, nullptr, 0, 0, "MOVF  "},
    {"09", 0, 0, nullptr, 0, 0, "COMF  "},
    {"0A", 0, 0, nullptr, 0, 0, "INCF  "},
    {"0B", 0, 0, nullptr, 0, 0, "DECFSZ"},
    {"0C", 0, 0, nullptr, 0, 0, "RRF   "},
    {"0D", 0, 0, nullptr, 0, 0, "RLF   "},
    {"0E", 0, 0, nullptr, 0, 0, "SWAPF "},
    {"0F", 0, 0, nullptr, 0, 0, "INCFSZ"},
    {"30", 0, 0, nullptr, 0, 0, "MOVLW "},
    {"31", 0, 0, nullptr, 0, 0, "MOVLP "},
    {"32", 0, 0, nullptr, 0, 0, kBlank},
    {"33", 0, 0, nullptr, 0, 0, kBlank},
    {"34", 0, 0, nullptr, 0, 0, "RETLW "},
    {"35", 0, 0, nullptr, 0, 0, "LSLF  "},
    {"36", 0, 0, nullptr, 0, 0, "LSRF  "},
    {"37", 0, 0, nullptr, 0, 0, "ASRF  "},
    {"38", 0, 0, nullptr, 0, 0, "IORLW "},
    {"39", 0, 0, nullptr, 0, 0, "ANDLW "},
    {"3A", 0, 0, nullptr, 0, 0, "XORLW "},
    {"3B", 0, 0, nullptr, 0, 0, "SUBWFB"},
    {"3C", 0, 0, nullptr, 0, 0, "SUBLW "},
    {"3D", 0, 0, nullptr, 0, 0, "ADDWFC"},
    {"3E", 0, 0, nullptr, 0, 0, "ADDLW "},
    {"3F", 0, 0, nullptr, 0, 0, kBlank},
}};  // any other high byte: no rule matches, six blanks

bool Matches(const MnemonicRule& rule, const std::string& high, const std::string& low) {
  if (rule.highText && high != rule.highText) return false;
  if (rule.highMask && (HexByteValue(high) & rule.highMask) != rule.highValue) return false;
  if (rule.lowText && low != rule.lowText) return false;
  if (rule.lowMask && (HexByteValue(low) & rule.lowMask) != rule.lowValue) return false;
  return true;
}

}  // namespace

std::string WordMnemonic(const std::string& high, const std::string& low) {
  for (const auto& rule : kRules) {
    if (Matches(rule, high, low)) return rule.mnemonic;
  }
  return kBlank;
}

std::string WordMnemonic(int word) {
  const auto& text = HexByteText();
  return WordMnemonic(text[static_cast<size_t>((word >> 8) & 0xFF)], text[static_cast<size_t>(word & 0xFF)]);
}

}  // namespace korrin
