#pragma once
// The PIC chips the decoders run on: one constant row per PIC with its memory map (where the
// HEX file keeps program memory, ID, configuration and EEPROM), its default configuration and
// what the load checks of it. The HEX reader and writer, the identification and the decoder
// registry all read these rows.
#include <array>
#include <cstdint>
#include <span>

namespace korrin {

// Where one family of PICs keeps its memories, as word addresses of the HEX file.
struct MemoryMap {
  int32_t programWords;   // program memory: words 0 .. programWords - 1
  int32_t idWord;         // first ID word
  int32_t idWords;        // words at which the reader takes an ID record, from idWord on
  int32_t configWord;     // first configuration word
  int32_t configWords;    // configuration words
  int32_t eepromWord;     // EEPROM byte 0 (one byte per word)
  int32_t eepromBytes;
  int32_t eepromUpper;    // extended linear address the writer selects for the EEPROM
  const char* chips;      // the chips as the location messages name them
};

// 12F629, 16F630, 16F676, 16F684, 16F688.
inline constexpr MemoryMap kMidRangeMemory{0x1000, 0x2000, 1, 0x2007, 1, 0x2100, 256, 0,
                                           "12f629/16f630/16f684/16f688"};
// 16F18324.
inline constexpr MemoryMap kPic18324Memory{0x1000, 0x8000, 4, 0x8007, 4, 0xF000, 256, 0x10000,
                                           "16F18324"};

struct PicType {
  int32_t pic;                // the number the catalogue assigns, e.g. 684
  const char* name;           // "16F684"; empty for a PIC no decoder type names
  const MemoryMap* memory;
  bool writesConfig;          // the writer writes the configuration words of the image;
                              // otherwise only a configuration read from the file is kept
  bool checksLocations;       // the load checks that ID, CONFIG and EEPROM lay in this map
  std::array<const char*, 4> configDefault;  // texts in HEX byte order; nullptr: left empty
};

inline constexpr PicType kPicTypes[] = {
    {629, "12F629/16F630", &kMidRangeMemory, true, true, {"CC01", nullptr, nullptr, nullptr}},
    // No decoder type names the 16F630 on its own; the writer treats it like the 12F629.
    {630, "", &kMidRangeMemory, true, false, {nullptr, nullptr, nullptr, nullptr}},
    {676, "16F676", &kMidRangeMemory, false, false, {"CC01", nullptr, nullptr, nullptr}},
    {684, "16F684", &kMidRangeMemory, true, true, {"CC33", nullptr, nullptr, nullptr}},
    {688, "16F688", &kMidRangeMemory, true, true, {"CC33", nullptr, nullptr, nullptr}},
    {18324, "16F18324", &kPic18324Memory, true, true, {"8C17", "3C25", "FF1F", "FF3F"}},
};

// The row of a PIC number, or nullptr (0 = no PIC assigned, or any other number).
constexpr const PicType* FindPicType(int32_t pic) {
  for (const PicType& type : kPicTypes)
    if (type.pic == pic) return &type;
  return nullptr;
}

}  // namespace korrin
