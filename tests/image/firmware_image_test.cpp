#include "image/firmware_image.h"

#include <gtest/gtest.h>

#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;

TEST(HexByte, TextAndLenientValue) {
  EXPECT_EQ(HexByteText()[10], "0A");
  EXPECT_EQ(HexByteText()[255], "FF");
  EXPECT_EQ(HexByteText()[0], "00");
  struct Case { const char* text; int value; } cases[] = {
      {"3F", 63}, {"ff", 255}, {"G1", 113}, {"F", 240}, {"", 0}, {" 1", 1}, {"A", 160}, {"0a", 10},
  };
  for (const auto& c : cases) EXPECT_EQ(HexByteValue(c.text), c.value) << c.text;
  for (int v = 0; v < 256; ++v) EXPECT_EQ(HexByteValue(HexByteText()[static_cast<size_t>(v)]), v);
}

TEST(FirmwareImage, ResetGivesErasedChip) {
  FirmwareImage image;
  image.Version = 3.26f;
  image.ID_Address = 0x2000;
  image.PIC = 684;
  image.ID_Found = true;
  image.Max_EE_Index = 9;
  image.ResetForNewFile();
  EXPECT_EQ(image.get_Hex_ROM(0), "FF");
  EXPECT_EQ(image.get_Hex_ROM(1), "3F");
  EXPECT_EQ(image.programWord(0x1FFF), 0x3FFF);
  EXPECT_EQ(image.get_Hex_EE(255), "FF");
  EXPECT_EQ(image.Config[3], "0000");
  EXPECT_EQ(image.ConfigDefault[0], "0000");
  EXPECT_EQ(image.PIC, 0);
  EXPECT_FALSE(image.ID_Found);
  EXPECT_EQ(image.Max_EE_Index, 0);
  // The reader sets these only when it reads the record; a reset keeps them.
  EXPECT_FLOAT_EQ(image.Version, 3.26f);
  EXPECT_EQ(image.ID_Address, 0x2000);
}

TEST(FirmwareImage, AccessorsReportBadIndexAndCarryOn) {
  RecordingDialogs dialogs;
  FirmwareImage image(&dialogs);
  image.ResetForNewFile();
  image.set_Hex_EE(256, "12");
  EXPECT_EQ(image.get_Hex_EE(-1), "error");
  EXPECT_EQ(image.get_Hex_ROM(16384), "error");
  EXPECT_EQ(image.get_Hex_ROM(16383), "3F");
  image.set_Hex_ROM(-5, "00");
  EXPECT_EQ(image.get_HexString(1024), "error");
  image.set_HexString(2000, "X");
  std::vector<std::string> expected = {
      "Error: schreiben Hex_EE Bereichsüberschreitung (256) in set_Hex_EE",
      "Error: lesen Hex_EE Bereichsüberschreitung (-1) in get_Hex_EE",
      "Error: lesen HEX_ROM Bereichsüberschreitung (16384) in get_Hex_ROM",
      "Error: schreiben HEX_ROM Bereichsüberschreitung (-5) in set_Hex_ROM",
      "Error: lesen HexString Bereichsüberschreitung (1024) in get_HexString",
      "Error: schreiben HexString Bereichsüberschreitung (2000) in set_HexString",
  };
  EXPECT_EQ(dialogs.texts(), expected);
  for (const auto& m : dialogs.messages) {
    EXPECT_EQ(m.kind, BoxKind::Warning);
    EXPECT_EQ(m.buttons, Buttons::Ok);
  }
  // A good index stores any text unchanged.
  image.set_Hex_EE(5, "xyz");
  EXPECT_EQ(image.get_Hex_EE(5), "xyz");
}

TEST(FirmwareImage, StoringMoreThan1024Lines) {
  RecordingDialogs dialogs;
  FirmwareImage image(&dialogs);
  std::vector<std::string> lines(1030, ":00000001ff");
  image.StoreLines(lines);
  EXPECT_EQ(image.HexStringCount, 1030);
  ASSERT_EQ(dialogs.messages.size(), 6u);
  EXPECT_EQ(dialogs.messages.front().text,
            "Error: schreiben HexString Bereichsüberschreitung (1024) in set_HexString");
  EXPECT_EQ(dialogs.messages.back().text,
            "Error: schreiben HexString Bereichsüberschreitung (1029) in set_HexString");
  EXPECT_EQ(image.get_HexString(1023), ":00000001FF");
}
