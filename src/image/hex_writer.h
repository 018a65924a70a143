#pragma once
// Writing the firmware image back as a complete Intel HEX file. Every record is generated
// from the image with a fresh checksum; no line of the loaded file is copied.
#include <cstdint>
#include <string>

#include "base/dialogs.h"
#include "image/firmware_image.h"

namespace korrin {

// Where the ID, configuration and EEPROM of an image live.
enum class MemoryLayout {
  MidRange,  // 12F629, 16F630, 16F676, 16F684, 16F688: ID 0x2000, config 0x2007, EEPROM 0x2100
  Pic18324,  // 16F18324: ID 0x8000, config 0x8007..0x800A, EEPROM 0xF000
};

// The layout of the image: by its PIC; without a known PIC by the ID read from this file,
// else by the configuration read from this file, else by the EEPROM address, else mid-range.
MemoryLayout LayoutOf(const FirmwareImage& image);

// The Intel HEX checksum of a record text without the colon (pairs of hex digits from the
// start; an odd last character is ignored): two upper-case hex digits. A pair that is not a
// hex number shows "Problem bei der Checksummen-Berechnung" (warning, Cancel) and gives "error".
std::string HexChecksum(const std::string& record, Dialogs& dialogs);

// Regenerates all lines of the file into image.HexString (from index 0, the rest emptied) and
// sets image.HexStringCount to the number of lines, which it returns. Order: extended address
// 0, program memory (16-byte records aligned from 0, cells 0..Max_ROM_Index; cells from 0x1FFF
// on in one record at 0x1FFF, the last address the reader takes as program memory; more
// than 255 of them cannot be written and fail like a bad cell), ID, configuration,
// EEPROM (8 cells per record, each cell as a word with high byte 00), end record.
// Returns 0 (HexStringCount 0, the lines made so far stay) after the checksum message when a
// cell or text is not made of hex-digit pairs; no malformed record is ever written.
int32_t WriteHexImage(FirmwareImage& image, Dialogs& dialogs);

}  // namespace korrin
