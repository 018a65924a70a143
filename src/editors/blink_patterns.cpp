#include "editors/blink_patterns.h"

#include <algorithm>
#include <utility>

namespace korrin {

PatternLayout FourOutputPatternLayout() {
  PatternLayout l;
  l.blockSize = 64;
  l.romBase = 0x600;
  l.romBlockStride = 2 * 64;
  l.countOffset = 53;
  l.maxCount = 50;
  l.lastPaintPoint = 49;
  l.stretchLowOffset = 54;
  l.stretchHighOffset = -1;
  l.maxStretch = 200;
  l.stretchEncoding = StretchEncoding::OneByte;
  l.loopOffset = 55;
  l.copyLength = 64;
  for (int j = 0; j < 4; ++j) l.outputs.push_back({0, j, 55, 4 + j});
  return l;
}

PatternLayout LedPatternLayout(StretchEncoding stretch) {
  PatternLayout l;
  l.blockSize = 256;
  l.romBase = 0x600;
  l.romBlockStride = 0x200;
  l.countOffset = 101;
  l.maxCount = 100;
  l.lastPaintPoint = 99;
  l.stretchLowOffset = 102;
  l.stretchHighOffset = 104;
  if (stretch == StretchEncoding::Radix255) {
    l.maxStretch = 30000;
    l.stretchEncoding = StretchEncoding::Radix255;
  } else {
    l.maxStretch = 200;
    l.stretchEncoding = StretchEncoding::OneByte;
  }
  l.loopOffset = 100;
  l.copyLength = 255;
  for (int j = 0; j < 4; ++j) l.outputs.push_back({0, j, 100, 4 + j});
  for (int j = 0; j < 6; ++j) l.outputs.push_back({128, j, 103, j});
  return l;
}

StretchBytes EncodeStretchRadix255(int stretch) { return {stretch % 255, stretch / 255 + 1}; }

int DecodeStretchRadix255(int low, int high) { return (high - 1) * 255 + low; }

PatternTable::PatternTable(PatternLayout layout)
    : layout_(std::move(layout)),
      entries_(static_cast<size_t>(kPatternBlocks * layout_.blockSize), 0) {}

int PatternTable::entry(int index) const {
  if (index < 0 || index >= size()) return 0;
  return entries_[static_cast<size_t>(index)];
}

void PatternTable::setEntry(int index, int value) {
  if (index < 0 || index >= size()) return;
  entries_[static_cast<size_t>(index)] = value & 0xFF;
}

int PatternTable::romAddress(int index) const {
  int block = index / layout_.blockSize;
  int offset = index % layout_.blockSize;
  return layout_.romBase + block * layout_.romBlockStride + 2 * offset;
}

void PatternTable::LoadPatterns(const FirmwareImage& image) {
  for (int i = 0; i < size(); ++i) entries_[static_cast<size_t>(i)] = HexByteValue(image.get_Hex_ROM(romAddress(i)));
}

void PatternTable::StorePatterns(FirmwareImage& image) const {
  for (int i = 0; i < size(); ++i)
    image.set_Hex_ROM(romAddress(i), HexByteText()[static_cast<size_t>(entries_[static_cast<size_t>(i)] & 0xFF)]);
}

int PatternTable::count(int block) const { return entry(blockBase(block) + layout_.countOffset); }

int PatternTable::drawCount(int block) const { return std::clamp(count(block), 1, layout_.maxCount); }

int PatternTable::storeCount(int block, int value) {
  int n = std::clamp(value, 1, layout_.maxCount);
  setEntry(blockBase(block) + layout_.countOffset, n);
  return n;
}

int PatternTable::stretch(int block) const {
  int low = entry(blockBase(block) + layout_.stretchLowOffset);
  if (layout_.stretchEncoding == StretchEncoding::Radix255)
    return DecodeStretchRadix255(low, entry(blockBase(block) + layout_.stretchHighOffset));
  return low;
}

int PatternTable::storeStretch(int block, int value) {
  int s = std::clamp(value, 1, layout_.maxStretch);
  int base = blockBase(block);
  if (layout_.stretchEncoding == StretchEncoding::Radix255) {
    StretchBytes bytes = EncodeStretchRadix255(s);
    setEntry(base + layout_.stretchLowOffset, bytes.low);
    setEntry(base + layout_.stretchHighOffset, bytes.high);
  } else {
    setEntry(base + layout_.stretchLowOffset, s);
    if (layout_.stretchHighOffset >= 0) setEntry(base + layout_.stretchHighOffset, 0);
  }
  return s;
}

bool PatternTable::loop(int block) const { return (entry(blockBase(block) + layout_.loopOffset) & 1) != 0; }

void PatternTable::setLoop(int block, bool on) { setBit(blockBase(block) + layout_.loopOffset, 0, on); }

bool PatternTable::outputUsed(int block, int output) const {
  if (!validOutput(output)) return false;
  const PatternOutput& o = layout_.outputs[static_cast<size_t>(output)];
  return ((entry(blockBase(block) + o.usedOffset) >> o.usedBit) & 1) != 0;
}

void PatternTable::setOutputUsed(int block, int output, bool used) {
  if (!validBlock(block) || !validOutput(output)) return;
  const PatternOutput& o = layout_.outputs[static_cast<size_t>(output)];
  setBit(blockBase(block) + o.usedOffset, o.usedBit, used);
}

bool PatternTable::pointOn(int block, int point, int output) const {
  if (!validBlock(block) || !validOutput(output) || point < 0 || point >= layout_.maxCount) return false;
  const PatternOutput& o = layout_.outputs[static_cast<size_t>(output)];
  return ((entry(blockBase(block) + o.pointBase + point) >> o.pointBit) & 1) != 0;
}

void PatternTable::paintPoint(int block, int point, int output, bool on) {
  if (!validBlock(block) || !validOutput(output)) return;
  int q = std::clamp(point, 0, layout_.lastPaintPoint);
  const PatternOutput& o = layout_.outputs[static_cast<size_t>(output)];
  setBit(blockBase(block) + o.pointBase + q, o.pointBit, on);
}

void PatternTable::copyBlock(int from, int to) {
  if (!validBlock(from) || !validBlock(to)) return;
  int src = blockBase(from);
  int dst = blockBase(to);
  for (int i = 0; i < layout_.copyLength; ++i)
    entries_[static_cast<size_t>(dst + i)] = entries_[static_cast<size_t>(src + i)];
}

void PatternTable::setBit(int index, int bit, bool on) {
  int v = entry(index);
  if (on) v |= 1 << bit;
  else v &= ~(1 << bit);
  setEntry(index, v);
}

}  // namespace korrin
