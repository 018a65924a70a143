#pragma once
// The blink pattern tables in program memory, shared by the four-output editor and the
// ten-output LED editor. Both keep four blocks (one per decoder address) of one-byte entries
// in the low bytes of consecutive program words; a block holds the point bytes (one per time
// step, one bit per output), the number of points, the stretch factor and the flags (loop
// and which outputs the pattern drives). The two tables differ only in the numbers held by
// PatternLayout, so one model serves both.
#include <cstdint>
#include <vector>

#include "decoders/decoder_types.h"
#include "image/firmware_image.h"

namespace korrin {

// How the stretch factor is kept in a block: StretchEncoding, named by the type's registry row.

struct PatternOutput {
  int pointBase;   // offset of point 0's byte within the block
  int pointBit;    // bit of this output in the point bytes
  int usedOffset;  // offset of the flag byte that marks the output used
  int usedBit;
};

struct PatternLayout {
  int blockSize = 0;      // entries per block
  int romBase = 0x600;    // ROM byte address of entry 0 of block 0
  int romBlockStride = 0; // ROM bytes from one block to the next
  int countOffset = 0;    // number of points N
  int maxCount = 0;       // N is kept in 1..maxCount
  int lastPaintPoint = 0; // painting is clamped to the points 0..lastPaintPoint
  int stretchLowOffset = 0;
  int stretchHighOffset = -1;  // -1: no high entry
  int maxStretch = 0;          // S is kept in 1..maxStretch
  StretchEncoding stretchEncoding = StretchEncoding::OneByte;
  int loopOffset = 0;          // bit 0 of this entry is the loop flag
  int copyLength = 0;          // entries copied by a block copy, from entry 0 on
  std::vector<PatternOutput> outputs;
};

constexpr int kPatternBlocks = 4;

// Four outputs, 64-entry blocks at program words 0x300..0x3FF: points at 0..52 (steps 0..49
// reachable), N at 53, S at 54 (1..200), flags at 55 (bit 0 loop, bits 4..7 outputs 1..4).
PatternLayout FourOutputPatternLayout();

// Ten outputs, 256-entry blocks at program words 0x300..0x6FF: points of outputs 1..4 at
// 0..99, flags 1 at 100, N at 101 (1..100), stretch low at 102, flags 2 at 103 (outputs
// 5..10), stretch high at 104, points of outputs 5..10 at 128..227. With the radix-255
// encoding (identifier 477) S is kept in 1..30000, in one byte (221) in 1..200. A copy leaves
// entry 255 of the target block alone.
PatternLayout LedPatternLayout(StretchEncoding stretch);

// The stretch encodings of the LED table, low and high entry.
struct StretchBytes {
  int low;
  int high;
};
StretchBytes EncodeStretchRadix255(int stretch);
int DecodeStretchRadix255(int low, int high);

class PatternTable {
 public:
  explicit PatternTable(PatternLayout layout);

  const PatternLayout& layout() const { return layout_; }
  // Changes the layout (the LED table's stretch encoding follows the loaded firmware); the
  // entries stay as they are.
  void setLayout(PatternLayout layout) { layout_ = std::move(layout); }

  int size() const { return static_cast<int>(entries_.size()); }
  const std::vector<int>& entries() const { return entries_; }
  int entry(int index) const;
  void setEntry(int index, int value);

  // ROM byte address of entry i of the whole table (block k = i / blockSize).
  int romAddress(int index) const;

  // Reads every entry from the low bytes of the table's program words (HexByteValue of the
  // cell text) / writes every entry back as HexByteText, changed or not. High bytes are
  // neither read nor written.
  void LoadPatterns(const FirmwareImage& image);
  void StorePatterns(FirmwareImage& image) const;

  int blockBase(int block) const { return block * layout_.blockSize; }

  // N as stored (possibly out of range in an erased table) and as used for drawing (1..max).
  int count(int block) const;
  int drawCount(int block) const;
  // Clamps to 1..maxCount, stores and returns the stored value.
  int storeCount(int block, int value);

  // S decoded as stored (not clamped).
  int stretch(int block) const;
  // Clamps to 1..maxStretch, encodes, stores and returns the stored value.
  int storeStretch(int block, int value);

  bool loop(int block) const;
  void setLoop(int block, bool on);

  int outputCount() const { return static_cast<int>(layout_.outputs.size()); }
  bool outputUsed(int block, int output) const;
  void setOutputUsed(int block, int output, bool used);

  bool pointOn(int block, int point, int output) const;
  // Sets or clears the output's bit of a point. The point is clamped to 0..lastPaintPoint,
  // so a position left of or beyond the strip never reaches the count, stretch or flag
  // entries or another block.
  void paintPoint(int block, int point, int output, bool on);

  // Copies the first copyLength entries of block `from` over block `to`.
  void copyBlock(int from, int to);

 private:
  bool validBlock(int block) const { return block >= 0 && block < kPatternBlocks; }
  bool validOutput(int output) const { return output >= 0 && output < outputCount(); }
  void setBit(int index, int bit, bool on);

  PatternLayout layout_;
  std::vector<int> entries_;
};

}  // namespace korrin
