#pragma once
// The CV register table: which CVs a decoder type shows, where their bytes lie in the
// EEPROM, and where the 512 row slots of the frame stand.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "decoders/decoder_types.h"
#include "editors/typed_number.h"

namespace korrin {

constexpr int kCvRowSlots = 512;

// One row of a CV table: the caption and the EEPROM offset of the byte behind the CV.
struct CvRow {
  const char* caption;
  int offset;
};

// The rows of a table a decoder type's row names (25 rows for the function decoder 0x4400,
// 73 rows for Fenwik 0x14B00 and Grosk 0x15000); empty for CvTable::None.
std::span<const CvRow> CvTableFor(CvTable table);

// The captions of all tables, for the frame to choose a row font in which the longest fits.
std::vector<std::string> EveryCvCaption();

// Pixel places of one row slot inside the frame's panel.
struct CvSlotPlace {
  int captionLeft, captionTop, editLeft, editTop;
};
constexpr int kCvCaptionWidth = 100;
constexpr int kCvCaptionHeight = 20;
constexpr int kCvEditWidth = 40;
constexpr int kCvEditHeight = 20;

// Slots run down columns of 25-pixel pitch; columns 230 pixels apart hold 21, 21, 21 and
// 18 slots, the rest falls into a fifth column that no table reaches.
CvSlotPlace CvSlotPlacement(int slot);

struct CvSeparator {
  int left, top, width, height;
};
// The three vertical separators between the first four columns.
std::array<CvSeparator, 3> CvSeparators(int panelHeight);

// The decimal text a row shows for an EEPROM cell ("FF" shows as "255").
std::string CvValueText(const std::string& cell);

// A CV byte holds 0..255; anything typed outside that range is refused.
inline TypedNumber ReadCvInput(const std::string& text) { return ReadTypedNumber(text, 0, 255); }

}  // namespace korrin
