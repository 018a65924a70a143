#pragma once
// The code tables of the address rows. A decoder keeps its addresses not as numbers but as
// the bit patterns it compares with the track signal: for DCC the bytes of the basic
// accessory packet, for Motorola the trit pattern of the address and the output. All codes
// are texts of upper-case hex digits, exactly as they stand in the EEPROM cells.
#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace korrin {

// Room kept in the three big tables; entries beyond the filled range are empty texts and
// match no code.
constexpr int kMotAddressRoom = 350;
constexpr int kMotAccessoryRoom = 350;
constexpr int kDccAccessoryRoom = 2100;

// Highest index filled in each table.
constexpr int kMaxMotAddress = 255;     // MotAddressCode 1..255
constexpr int kMaxMotAccessory = 320;   // MotAccessoryCode 0..320
constexpr int kMaxDccAccessory = 2044;  // DccAccessoryCode 1..2044

struct AddressCodeTables {
  // Motorola decoder address 1..255 -> 4 digits; index 0 is empty.
  std::vector<std::string> MotAddressCode;
  // Motorola output address 0..320 -> 6 digits (green variant); 0 is "FFFFFF".
  std::vector<std::string> MotAccessoryCode;
  // DCC output address 1..2044 -> 6 digits (red variant, D0 = 0); index 0 is empty.
  std::vector<std::string> DccAccessoryCode;

  // The other colour of every switching code (MotRedVariant / DccGreenVariant of the entry;
  // empty where the entry is empty).
  std::vector<std::string> MotAccessoryRed;
  std::vector<std::string> DccAccessoryGreen;

  // Reverse lookup. Every code and variant of a table is different from all others, so a
  // code names at most one index and colour; the maps find it without a linear search.
  struct SwitchingMatch {
    int index = 0;
    bool green = false;
  };
  std::optional<SwitchingMatch> FindMotAccessory(const std::string& code, int maxIndex) const;
  std::optional<SwitchingMatch> FindDccAccessory(const std::string& code, int maxIndex) const;
  std::optional<int> FindMotAddress(const std::string& code, int maxIndex) const;

  std::unordered_map<std::string, SwitchingMatch> motAccessoryIndex;
  std::unordered_map<std::string, SwitchingMatch> dccAccessoryIndex;
  std::unordered_map<std::string, int> motAddressIndex;
};

// Builds the three big tables from their rules.
AddressCodeTables BuildAddressCodeTables();

// The tables of the program, built on first use and read-only from then on.
const AddressCodeTables& AddressCodes();

// Entry n of a table, or the empty text for an index outside it.
const std::string& CodeAt(const std::vector<std::string>& table, int index);

// The function byte for function number f; index 0 is the empty text
// (Motorola 1..4, DCC 1..12).
const std::array<std::string, 5>& MotFunctionCode();
const std::array<std::string, 13>& DccFunctionCode();

// The red variant of a Motorola switching code: the 5th character "C" -> "0", "F" -> "3".
std::string MotRedVariant(const std::string& code);
// The green variant of a DCC switching code: the 4th character "0"/"4"/"8"/"C" ->
// "2"/"6"/"A"/"E", then the lowest bit of the 2nd character inverted.
// Characters that are none of the listed ones stay as they are, and so does a text too
// short to have the character.
std::string DccGreenVariant(const std::string& code);

}  // namespace korrin
