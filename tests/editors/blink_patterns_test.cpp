#include "editors/blink_patterns.h"

#include <gtest/gtest.h>

#include "recording_dialogs.h"

using namespace korrin;

namespace {

// A blank image (erased program memory: low cells "FF", high cells "3F").
struct ErasedImage {
  korrin::testing::RecordingDialogs dialogs;
  FirmwareImage image{&dialogs};
  ErasedImage() { image.ResetForNewFile(); }
};

}  // namespace

TEST(StretchRadix255, EncodesAndDecodes) {
  struct Case { int s, low, high; } cases[] = {
      {10, 10, 1}, {255, 0, 2}, {30000, 165, 118}, {1, 1, 1}, {254, 254, 1}, {256, 1, 2},
  };
  for (const auto& c : cases) {
    StretchBytes b = EncodeStretchRadix255(c.s);
    EXPECT_EQ(b.low, c.low) << c.s;
    EXPECT_EQ(b.high, c.high) << c.s;
    EXPECT_EQ(DecodeStretchRadix255(b.low, b.high), c.s);
  }
  // An erased block reads as 65025; it is shown like that until it is edited.
  EXPECT_EQ(DecodeStretchRadix255(0xFF, 0xFF), 65025);
}

TEST(PatternTable, StretchIsClampedAndEncodedPerFirmware) {
  struct Case {
    const char* name;
    PatternLayout layout;
    int typed, stored, low, high;  // high < 0: the entry after the flags must stay as it was
  } cases[] = {
      {"477 radix", LedPatternLayout(StretchEncoding::Radix255), 255, 255, 0, 2},
      {"477 max", LedPatternLayout(StretchEncoding::Radix255), 40000, 30000, 165, 118},
      {"477 min", LedPatternLayout(StretchEncoding::Radix255), 0, 1, 1, 1},
      {"221 clamps", LedPatternLayout(StretchEncoding::OneByte), 250, 200, 200, 0},
      {"221 small", LedPatternLayout(StretchEncoding::OneByte), 10, 10, 10, 0},
      {"four outputs", FourOutputPatternLayout(), 250, 200, 200, -1},
      {"four outputs min", FourOutputPatternLayout(), -3, 1, 1, -1},
  };
  for (const auto& c : cases) {
    PatternTable t(c.layout);
    const int block = 2;
    const int base = t.blockBase(block);
    for (int i = 0; i < t.size(); ++i) t.setEntry(i, 0x55);
    EXPECT_EQ(t.storeStretch(block, c.typed), c.stored) << c.name;
    EXPECT_EQ(t.stretch(block), c.stored) << c.name;
    EXPECT_EQ(t.entry(base + c.layout.stretchLowOffset), c.low) << c.name;
    if (c.high >= 0) {
      EXPECT_EQ(t.entry(base + c.layout.stretchHighOffset), c.high) << c.name;
    }
    // Nothing else of the table changes.
    for (int i = 0; i < t.size(); ++i) {
      if (i == base + c.layout.stretchLowOffset) continue;
      if (c.high >= 0 && i == base + c.layout.stretchHighOffset) continue;
      ASSERT_EQ(t.entry(i), 0x55) << c.name << " entry " << i;
    }
  }
}

TEST(PatternTable, CountIsClampedToTheLayoutsRange) {
  struct Case { PatternLayout layout; int typed, stored, offset; } cases[] = {
      {FourOutputPatternLayout(), 0, 1, 53},   {FourOutputPatternLayout(), 51, 50, 53},
      {FourOutputPatternLayout(), 7, 7, 53},   {LedPatternLayout(StretchEncoding::Radix255), 101, 100, 101},
      {LedPatternLayout(StretchEncoding::OneByte), 100, 100, 101},  {LedPatternLayout(StretchEncoding::OneByte), -1, 1, 101},
  };
  for (const auto& c : cases) {
    PatternTable t(c.layout);
    EXPECT_EQ(t.storeCount(3, c.typed), c.stored);
    EXPECT_EQ(t.entry(t.blockBase(3) + c.offset), c.stored);
  }
  // An erased count is kept as read but drawn with the largest count.
  PatternTable t(FourOutputPatternLayout());
  t.setEntry(53, 0xFF);
  EXPECT_EQ(t.count(0), 255);
  EXPECT_EQ(t.drawCount(0), 50);
  t.setEntry(53, 0);
  EXPECT_EQ(t.drawCount(0), 1);
}

TEST(PatternTable, StoreWritesExactlyTheLowBytesOfTheTable) {
  struct Case { const char* name; PatternLayout layout; int firstWord, lastWord; } cases[] = {
      {"four outputs", FourOutputPatternLayout(), 0x300, 0x3FF},
      {"LED", LedPatternLayout(StretchEncoding::Radix255), 0x300, 0x6FF},
  };
  for (const auto& c : cases) {
    ErasedImage e;
    // Every cell distinct from what the table will write, so a missed cell shows.
    for (int i = 0; i < kRomCells; ++i) e.image.set_Hex_ROM(i, i % 2 ? "3F" : "A5");
    const HexCells before = e.image.Hex_ROM;
    PatternTable t(c.layout);
    for (int i = 0; i < t.size(); ++i) t.setEntry(i, (i * 7 + 3) & 0xFF);
    t.StorePatterns(e.image);
    EXPECT_TRUE(e.dialogs.messages.empty());
    int index = 0;
    for (int cell = 0; cell < kRomCells; ++cell) {
      int word = cell / 2;
      bool tableLow = cell % 2 == 0 && word >= c.firstWord && word <= c.lastWord;
      if (tableLow) {
        ASSERT_EQ(e.image.Hex_ROM[static_cast<size_t>(cell)], HexByteText()[static_cast<size_t>((index * 7 + 3) & 0xFF)])
            << c.name << " cell " << cell;
        ++index;
      } else {
        ASSERT_EQ(e.image.Hex_ROM[static_cast<size_t>(cell)], before[static_cast<size_t>(cell)]) << c.name << " cell " << cell;
      }
    }
    EXPECT_EQ(index, t.size()) << c.name;
  }
}

TEST(PatternTable, LoadReadsLowBytesAndRoundTrips) {
  ErasedImage e;
  e.image.set_Hex_ROM(0x600, "0a");          // lower case is read leniently
  e.image.set_Hex_ROM(0x601, "12");          // a high byte is not part of the table
  e.image.set_Hex_ROM(0x800 + 2 * 101, "32");  // LED block 1, count
  PatternTable led(LedPatternLayout(StretchEncoding::Radix255));
  led.LoadPatterns(e.image);
  EXPECT_EQ(led.entry(0), 10);
  EXPECT_EQ(led.entry(1), 255);
  EXPECT_EQ(led.count(1), 0x32);
  EXPECT_EQ(led.entry(1023), 255);

  led.StorePatterns(e.image);
  EXPECT_EQ(e.image.get_Hex_ROM(0x600), "0A");
  EXPECT_EQ(e.image.get_Hex_ROM(0x601), "12");
  PatternTable again(LedPatternLayout(StretchEncoding::Radix255));
  again.LoadPatterns(e.image);
  EXPECT_EQ(again.entries(), led.entries());
}

TEST(PatternTable, PaintingStaysInsideThePointBytesOfTheBlock) {
  struct Case {
    const char* name;
    PatternLayout layout;
    int block, output, point, changedIndex, bit;
  } cases[] = {
      {"four, inside", FourOutputPatternLayout(), 1, 2, 5, 64 + 5, 2},
      {"four, far right", FourOutputPatternLayout(), 1, 0, 400, 64 + 49, 0},
      {"four, just past 49", FourOutputPatternLayout(), 3, 3, 50, 192 + 49, 3},
      {"four, left", FourOutputPatternLayout(), 2, 1, -7, 128, 1},
      {"LED out 4, far right", LedPatternLayout(StretchEncoding::Radix255), 0, 3, 1000, 99, 3},
      {"LED out 5, far right", LedPatternLayout(StretchEncoding::Radix255), 0, 4, 150, 128 + 99, 0},
      {"LED out 10, left", LedPatternLayout(StretchEncoding::OneByte), 3, 9, -1, 768 + 128, 5},
  };
  for (const auto& c : cases) {
    PatternTable t(c.layout);
    t.paintPoint(c.block, c.point, c.output, true);
    for (int i = 0; i < t.size(); ++i) {
      int expected = i == c.changedIndex ? (1 << c.bit) : 0;
      ASSERT_EQ(t.entry(i), expected) << c.name << " entry " << i;
    }
    // Clearing touches only that bit.
    for (int i = 0; i < t.size(); ++i) t.setEntry(i, 0xFF);
    t.paintPoint(c.block, c.point, c.output, false);
    for (int i = 0; i < t.size(); ++i) {
      int expected = i == c.changedIndex ? (0xFF & ~(1 << c.bit)) : 0xFF;
      ASSERT_EQ(t.entry(i), expected) << c.name << " entry " << i;
    }
  }
}

TEST(PatternTable, FlagsUseTheirBitsOnly) {
  PatternTable four(FourOutputPatternLayout());
  four.setEntry(64 + 55, 0x0E);  // bits 1..3 are not the editor's
  four.setLoop(1, true);
  four.setOutputUsed(1, 0, true);
  four.setOutputUsed(1, 3, true);
  EXPECT_EQ(four.entry(64 + 55), 0x9F);
  four.setLoop(1, false);
  four.setOutputUsed(1, 3, false);
  EXPECT_EQ(four.entry(64 + 55), 0x1E);
  EXPECT_TRUE(four.outputUsed(1, 0));
  EXPECT_FALSE(four.outputUsed(1, 1));

  PatternTable led(LedPatternLayout(StretchEncoding::Radix255));
  for (int j = 0; j < 10; ++j) led.setOutputUsed(2, j, true);
  led.setLoop(2, true);
  EXPECT_EQ(led.entry(512 + 100), 0xF1);
  EXPECT_EQ(led.entry(512 + 103), 0x3F);
  led.setOutputUsed(2, 4, false);  // output 5
  EXPECT_EQ(led.entry(512 + 103), 0x3E);
  EXPECT_FALSE(led.outputUsed(2, 4));
  EXPECT_TRUE(led.outputUsed(2, 9));

  // Points of outputs 5..10 lie 128 entries after those of outputs 1..4.
  led.setEntry(512 + 128 + 7, 0x20);
  EXPECT_TRUE(led.pointOn(2, 7, 9));
  EXPECT_FALSE(led.pointOn(2, 7, 3));
}

TEST(PatternTable, CopyTakesTheWholeBlockButTheLedEditorKeepsEntry255) {
  PatternTable four(FourOutputPatternLayout());
  for (int i = 0; i < 64; ++i) four.setEntry(128 + i, i + 1);  // block 2 = address 3
  four.copyBlock(2, 0);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(four.entry(i), i + 1) << i;
  EXPECT_EQ(four.entry(64), 0);  // the next block is not touched

  PatternTable led(LedPatternLayout(StretchEncoding::Radix255));
  for (int i = 0; i < 256; ++i) led.setEntry(256 + i, 0x80 | (i & 0x7F));
  led.setEntry(768 + 255, 0x42);
  led.copyBlock(1, 3);
  for (int i = 0; i < 255; ++i) ASSERT_EQ(led.entry(768 + i), 0x80 | (i & 0x7F)) << i;
  EXPECT_EQ(led.entry(768 + 255), 0x42);
}
