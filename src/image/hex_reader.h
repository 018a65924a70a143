#pragma once
// Reading one line of an Intel HEX firmware file into the firmware image.
//
// The line is read by fixed character positions (counted from 1) on the upper-cased text:
// 1 start, 2-3 byte count, 4-7 load offset, 8-9 record type, 10.. data. The checksum is not
// examined and the data characters are not validated; a line of any length or content is
// read without touching anything outside the text (missing characters give shorter texts).
#include <string>

#include "base/dialogs.h"
#include "image/firmware_image.h"

namespace korrin {

// The two status-bar texts the reader sets when it reads an ID record; the main window shows
// them after the load. Lines without an ID leave them as they are.
struct HexReadStatus {
  std::string panel0;  // "ID: " + the decoder's ID digit(s)
  std::string panel1;  // "V " + the firmware version, e.g. "V 3.26"
};

// Reads one line (the load calls it for every non-empty line, in file order, after
// FirmwareImage::ResetForNewFile) and stores what it carries in the image: program memory
// (words 0..0xFFF), the mid-range ID (0x2000), configuration (0x2007) and EEPROM
// (0x2100..0x21FF), the 16F18324 user ID (0x8000..0x8003), configuration (0x8007..0x800A)
// and EEPROM (0xF000..0xF0FF). The extended linear address is kept in image.UpperAddress.
//
// Returns true when the line is accepted (also when it carries nothing to store). Returns
// false after an error box through `dialogs` (E201..E206 information/OK, E2000/E2001
// warning/Cancel, a version that is not a decimal number error/OK); the load must then stop.
// Accessor range messages (EEPROM beyond cell 255) go through image.dialogs().
bool ReadHexLine(FirmwareImage& image, const std::string& line, Dialogs& dialogs,
                 HexReadStatus& status);

// A file line as a message quotes it, as UTF-8 (EightBitToUtf8): whole up to kQuotedLineLimit characters (every record
// a HEX file can hold fits), else its first kQuotedLineHead characters, marked as cut, with
// the line's length. A message box that had to lay out a line of megabytes would keep the
// window busy for many seconds; every reader of HEX lines quotes them through this.
constexpr size_t kQuotedLineLimit = 600;
constexpr size_t kQuotedLineHead = 80;
std::string QuotedLine(const std::string& line);

}  // namespace korrin
