#pragma once
// What the info dialog shows when it opens: the configuration and ID words in reading order,
// the program-memory count line and the EEPROM and program-memory dumps. Plain text, so the
// dialog and the command-line tool show the same.
#include <array>
#include <string>
#include <vector>

#include "image/firmware_image.h"

namespace korrin {

// The four configuration edits: each Config text with its two bytes swapped into reading
// order (characters 3-4, then 1-2), so CC31 reads 31CC.
std::array<std::string, 4> ConfigTexts(const FirmwareImage& image);

// The four ID edits: for the 16F18324 each four-character ID word swapped like the
// configuration; for the mid-range PICs the whole ID text in the first edit; otherwise empty.
std::array<std::string, 4> IdTexts(const FirmwareImage& image);

// "Anzahl ROM Bytes (File 1): %i" with Max_ROM_Index.
std::string RomCountText(const FirmwareImage& image);

struct MemoryDump {
  std::vector<std::string> eeprom;  // 16 bytes to a line
  std::vector<std::string> rom;     // 8 words to a line, a blank line every 128 words
  // False when an EEPROM index past the last cell stopped the dump (the accessor has shown
  // its warning); the line it was filling is dropped and the program memory is not dumped.
  bool eepromComplete = true;
};

// Reads through the image's accessors, so a bad index is reported through the image's dialogs.
MemoryDump DumpMemory(const FirmwareImage& image);

// Everything above together, as the dialog fills its controls on opening.
struct InfoTexts {
  std::array<std::string, 4> config;
  std::array<std::string, 4> id;
  std::string romCount;
  MemoryDump dump;
};
InfoTexts MakeInfoTexts(const FirmwareImage& image);

}  // namespace korrin
