#include "info/info_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/text_encoding.h"
#include "recording_dialogs.h"

namespace korrin {
namespace {

using testing::RecordingDialogs;

class InfoTextsTest : public ::testing::Test {
 protected:
  void SetUp() override { image.ResetForNewFile(); }
  RecordingDialogs dialogs;
  FirmwareImage image{&dialogs};
};

TEST_F(InfoTextsTest, ConfigurationWordsAreShownInReadingOrder) {
  image.Config = {"CC31", "1234", "", "AB"};
  const std::array<std::string, 4> expected{"31CC", "3412", "", "AB"};
  EXPECT_EQ(ConfigTexts(image), expected);
}

TEST_F(InfoTextsTest, IdTextsDependOnThePic) {
  struct Case {
    int32_t pic;
    const char* id;
    std::array<std::string, 4> expected;
  };
  const Case cases[] = {
      {684, "1236", {"1236", "", "", ""}},
      {629, "1236", {"1236", "", "", ""}},
      {688, "7", {"7", "", "", ""}},
      {18324, "2600030001000200", {"0026", "0003", "0001", "0002"}},
      {18324, "260003", {"0026", "03", "", ""}},  // a short ID: only what the text holds
      {0, "1236", {"", "", "", ""}},
      {1825, "1236", {"", "", "", ""}},
  };
  for (const auto& c : cases) {
    image.PIC = c.pic;
    image.ID_Text = c.id;
    EXPECT_EQ(IdTexts(image), c.expected) << "PIC " << c.pic;
  }
}

TEST_F(InfoTextsTest, RomCountLineShowsTheHighestIndex) {
  image.Max_ROM_Index = 2047;
  EXPECT_EQ(RomCountText(image), "Anzahl ROM Bytes (File 1): 2047");
}

TEST_F(InfoTextsTest, ErasedEepromDumpsSixteenBytesToALine) {
  image.Max_EE_Index = 0x2F;
  const auto dump = DumpMemory(image);
  ASSERT_EQ(dump.eeprom.size(), 3u);
  EXPECT_EQ(dump.eeprom[0], "0x000 FFFF.FFFF.FFFF.FFFF FFFF.FFFF.FFFF.FFFF");
  EXPECT_EQ(dump.eeprom[1], "0x010:FFFF.FFFF.FFFF.FFFF FFFF.FFFF.FFFF.FFFF");
  EXPECT_EQ(dump.eeprom[2], "0x020:FFFF.FFFF.FFFF.FFFF FFFF.FFFF.FFFF.FFFF");
  EXPECT_TRUE(dump.eepromComplete);
}

TEST_F(InfoTextsTest, EepromDumpShowsCellsInOrderAndEndsWithAShortLine) {
  for (int i = 0; i < 256; ++i) image.setEepromValue(i, i);
  image.Max_EE_Index = 0xF3;
  const auto dump = DumpMemory(image);
  ASSERT_EQ(dump.eeprom.size(), 16u);
  EXPECT_EQ(dump.eeprom[0], "0x000 0001.0203.0405.0607 0809.0A0B.0C0D.0E0F");
  EXPECT_EQ(dump.eeprom[14], "0x0E0:E0E1.E2E3.E4E5.E6E7 E8E9.EAEB.ECED.EEEF");
  // A separator follows its byte, also when the line ends there.
  EXPECT_EQ(dump.eeprom[15], "0x0F0:F0F1.F2F3.");
}

TEST_F(InfoTextsTest, RomDumpShowsWordsHighByteFirst) {
  image.setRomValue(0, 0x05);
  image.setRomValue(1, 0x28);
  image.setRomValue(14, 0x63);
  image.setRomValue(15, 0x00);
  image.Max_ROM_Index = 0x1B;  // 14 words
  const auto dump = DumpMemory(image);
  ASSERT_EQ(dump.rom.size(), 2u);
  EXPECT_EQ(dump.rom[0], "$0000: 2805.3FFF.3FFF.3FFF 3FFF.3FFF.3FFF.0063");
  EXPECT_EQ(dump.rom[1], "$0008: 3FFF.3FFF.3FFF.3FFF 3FFF.3FFF");
}

TEST_F(InfoTextsTest, RomDumpTakesTheLastWordOfAnEvenHighestIndex) {
  image.Max_ROM_Index = 2;  // the pair (2, 3) belongs to the dump
  const auto dump = DumpMemory(image);
  ASSERT_EQ(dump.rom.size(), 1u);
  EXPECT_EQ(dump.rom[0], "$0000: 3FFF.3FFF");
}

TEST_F(InfoTextsTest, RomDumpPutsABlankLineBeforeEvery128WordsUpToWord0x1200) {
  image.Max_ROM_Index = kRomCells - 1;
  const auto dump = DumpMemory(image);
  // 1024 lines of 8 words plus one blank line before the words 0x80, 0x100, ... 0x1200.
  const auto blanks = std::count(dump.rom.begin(), dump.rom.end(), " ");
  EXPECT_EQ(blanks, 36);
  EXPECT_EQ(dump.rom.size(), 1024u + 36u);
  EXPECT_EQ(dump.rom[0].substr(0, 7), "$0000: ");
  EXPECT_EQ(dump.rom[16], " ");
  EXPECT_EQ(dump.rom[17].substr(0, 7), "$0080: ");
  const auto at = [&](const std::string& start) {
    return std::find_if(dump.rom.begin(), dump.rom.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
  };
  ASSERT_NE(at("$1200: "), dump.rom.end());
  EXPECT_EQ(*(at("$1200: ") - 1), " ");
  EXPECT_NE(*(at("$1280: ") - 1), " ");
  EXPECT_EQ(dump.rom.back().substr(0, 7), "$1FF8: ");
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(InfoTextsTest, EepromIndexPastTheLastCellStopsBothDumps) {
  image.Max_EE_Index = 257;  // an EEPROM record of the loaded file ran past cell 255
  image.Max_ROM_Index = 15;
  const auto dump = DumpMemory(image);
  EXPECT_FALSE(dump.eepromComplete);
  ASSERT_EQ(dump.eeprom.size(), 16u);  // 0x000 .. 0x0F0; the line of index 256 is dropped
  EXPECT_EQ(dump.eeprom.back(), "0x0F0:FFFF.FFFF.FFFF.FFFF FFFF.FFFF.FFFF.FFFF");
  EXPECT_TRUE(dump.rom.empty());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
  EXPECT_EQ(dialogs.messages[0].text, "Error: lesen Hex_EE Bereichsüberschreitung (256) in get_Hex_EE");
}

TEST_F(InfoTextsTest, MakeInfoTextsCollectsEverything) {
  image.Config[0] = "CC31";
  image.PIC = 684;
  image.ID_Text = "1236";
  image.Max_ROM_Index = 1;
  const auto texts = MakeInfoTexts(image);
  EXPECT_EQ(texts.config[0], "31CC");
  EXPECT_EQ(texts.id[0], "1236");
  EXPECT_EQ(texts.id[1], "");
  EXPECT_EQ(texts.romCount, "Anzahl ROM Bytes (File 1): 1");
  EXPECT_EQ(texts.dump.eeprom, std::vector<std::string>{"0x000 FF"});
  EXPECT_EQ(texts.dump.rom, std::vector<std::string>{"$0000: 3FFF"});
}

// Cells, ID and configuration keep whatever bytes the loaded file held; every text the dialog
// shows is valid UTF-8 for each byte value.
TEST_F(InfoTextsTest, EveryByteValueIsShownAsValidUtf8) {
  for (int v = 0; v < 256; ++v) {
    const std::string odd{'1', static_cast<char>(v)};
    image.setEepromValue(0, 0);
    image.set_Hex_EE(3, odd);
    image.set_Hex_ROM(5, odd);
    image.Max_EE_Index = 15;
    image.Max_ROM_Index = 15;
    image.Config = {odd + "00", "0000", "0000", "0000"};
    image.ID_Text = odd + odd;
    for (int32_t pic : {629, 18324}) {
      image.PIC = pic;
      const InfoTexts texts = MakeInfoTexts(image);
      for (const auto& t : texts.config) EXPECT_TRUE(IsValidUtf8(t)) << v;
      for (const auto& t : texts.id) EXPECT_TRUE(IsValidUtf8(t)) << v;
      for (const auto& t : texts.dump.eeprom) EXPECT_TRUE(IsValidUtf8(t)) << v;
      for (const auto& t : texts.dump.rom) EXPECT_TRUE(IsValidUtf8(t)) << v;
    }
  }
  image.set_Hex_EE(3, "1\xE4");
  EXPECT_EQ(DumpMemory(image).eeprom[0], "0x000 00FF.FF1\xC3\xA4.FFFF.FFFF FFFF.FFFF.FFFF.FFFF");
  EXPECT_TRUE(dialogs.messages.empty());
}

// The dumps are grids of cells: a tab is shown like every other control character, so it
// cannot move the columns.
TEST_F(InfoTextsTest, ControlCharactersInCellsAreReplacedTabIncluded) {
  for (char control : {'\t', '\0', '\x1B', '\x7F'}) {
    SCOPED_TRACE(static_cast<int>(control));
    image.ResetForNewFile();
    image.Max_EE_Index = 15;
    image.Max_ROM_Index = 15;
    image.set_Hex_EE(1, std::string{'1', control});
    image.set_Hex_ROM(1, std::string{control, '2'});  // high byte of word 0
    const MemoryDump dump = DumpMemory(image);
    EXPECT_EQ(dump.eeprom[0], "0x000 FF1\xEF\xBF\xBD.FFFF.FFFF.FFFF FFFF.FFFF.FFFF.FFFF");
    EXPECT_EQ(dump.rom[0], "$0000: \xEF\xBF\xBD" "2FF.3FFF.3FFF.3FFF 3FFF.3FFF.3FFF.3FFF");
  }
}

}  // namespace
}  // namespace korrin
