#include "image/hex_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "hex_line_check.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::HexLineProblem;
using korrin::testing::RecordingDialogs;

namespace {

struct Writer {
  RecordingDialogs dialogs;
  FirmwareImage image{&dialogs};

  Writer() { image.ResetForNewFile(); }

  // Program bytes 0..last hold their own address as value.
  void program(int last) {
    for (int k = 0; k <= last; ++k) image.setRomValue(k, k & 0xFF);
    image.Max_ROM_Index = last;
  }
  // EEPROM cells 0..15 hold A0..AF.
  void eeprom16() {
    for (int k = 0; k < 16; ++k) image.setEepromValue(k, 0xA0 + k);
    image.Max_EE_Index = 15;
  }
  std::vector<std::string> write() {
    int32_t count = WriteHexImage(image, dialogs);
    EXPECT_EQ(count, image.HexStringCount);
    return std::vector<std::string>(image.HexString.begin(), image.HexString.begin() + count);
  }
};

const std::vector<std::string> kProgram32 = {
    ":10000000000102030405060708090A0B0C0D0E0F78",
    ":10001000101112131415161718191A1B1C1D1E1F68",
};

}  // namespace

TEST(HexWriter, MidRangeFile) {
  Writer w;
  w.program(0x1F);
  w.image.ID_Address = 0x2000;
  w.image.ID_Text = "1236";
  w.image.ID_Found = true;
  w.image.PIC = 629;
  w.image.Config[0] = "CC31";
  w.image.EE_Address = 0x2100;
  w.eeprom16();
  std::vector<std::string> expected = {":020000040000FA"};
  expected.insert(expected.end(), kProgram32.begin(), kProgram32.end());
  expected.insert(expected.end(), {
                                      ":084000000100020003000600AC",
                                      ":02400E00CC31B3",
                                      ":10420000A000A100A200A300A400A500A600A70092",
                                      ":10421000A800A900AA00AB00AC00AD00AE00AF0042",
                                      ":00000001FF",
                                  });
  EXPECT_EQ(w.write(), expected);
  EXPECT_EQ(w.image.HexStringCount, 8);
  EXPECT_TRUE(w.dialogs.messages.empty());
}

TEST(HexWriter, Pic18324File) {
  Writer w;
  w.program(0x1F);
  w.image.ID_Address = 0x8000;
  w.image.ID_Text = "2600030001000200";
  w.image.ID_Found = true;
  w.image.PIC = 18324;
  w.image.Config = {"8C17", "3C25", "FF1F", "FF3F"};
  w.image.Config_Found = true;
  w.image.Config_Address = 0x8007;
  w.image.EE_Address = 0xF000;
  w.eeprom16();
  std::vector<std::string> expected = {":020000040000FA"};
  expected.insert(expected.end(), kProgram32.begin(), kProgram32.end());
  expected.insert(expected.end(), {
                                      ":020000040001F9",
                                      ":080000002600030001000200CC",
                                      ":02000E008C174D",
                                      ":020010003C258D",
                                      ":02001200FF1FCE",
                                      ":02001400FF3FAC",
                                      ":10E00000A000A100A200A300A400A500A600A700F4",
                                      ":10E01000A800A900AA00AB00AC00AD00AE00AF00A4",
                                      ":00000001FF",
                                  });
  EXPECT_EQ(w.write(), expected);
  EXPECT_TRUE(w.dialogs.messages.empty());
}

TEST(HexWriter, ProgramRecordsAreAlignedFromZero) {
  {
    Writer w;
    w.program(0x10);
    auto lines = w.write();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], kProgram32[0]);
    EXPECT_EQ(lines[2], ":0100100010DF");
  }
  {
    // Never written: one record holding the blank cell 0.
    Writer w;
    auto lines = w.write();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], ":01000000FF00");
  }
  {
    // A gap comes out as blank words; only cells up to Max_ROM_Index are written.
    Writer w;
    w.image.setRomValue(0x13, 0x30);
    w.image.Max_ROM_Index = 0x13;
    auto lines = w.write();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], ":10000000FF3FFF3FFF3FFF3FFF3FFF3FFF3FFF3F00");
    EXPECT_EQ(lines[2], ":04001000FF3FFF307F");
  }
}

TEST(HexWriter, ConfigurationRecordsByPic) {
  struct Case {
    const char* name;
    std::function<void(FirmwareImage&)> setup;
    std::vector<std::string> configLines;  // the lines between program memory and EEPROM
  } cases[] = {
      {"630", [](FirmwareImage& i) { i.PIC = 630; i.Config[0] = "CC31"; }, {":02400E00CC31B3"}},
      {"684", [](FirmwareImage& i) { i.PIC = 684; i.Config[0] = "CC31"; }, {":02400E00CC31B3"}},
      {"688", [](FirmwareImage& i) { i.PIC = 688; i.Config[0] = "CC31"; }, {":02400E00CC31B3"}},
      // 676 and no PIC: only what was read from the file, where it was read.
      {"676 none read", [](FirmwareImage& i) { i.PIC = 676; i.Config[0] = "CC01"; }, {}},
      {"676 read",
       [](FirmwareImage& i) {
         i.PIC = 676;
         i.Config[0] = "CC31";
         i.Config_Found = true;
         i.Config_Address = 0x2007;
       },
       {":02400E00CC31B3"}},
      {"no PIC, mid-range read",
       [](FirmwareImage& i) {
         i.Config[0] = "CC31";
         i.Config_Found = true;
         i.Config_Address = 0x2007;
       },
       {":02400E00CC31B3"}},
      {"no PIC, 16F18324 words read one by one",
       [](FirmwareImage& i) {
         i.Config = {"8C17", "3C25", "FF1F", "FF3F"};
         i.Config_Found = true;
         i.Config_Address = 0x8007;
       },
       {":020000040001F9", ":02000E008C174D", ":020010003C258D", ":02001200FF1FCE",
        ":02001400FF3FAC"}},
      {"no PIC, only the first 16F18324 word read",
       [](FirmwareImage& i) {
         i.Config[0] = "8C17";
         i.Config_Found = true;
         i.Config_Address = 0x8007;
       },
       {":020000040001F9", ":02000E008C174D"}},
      // Four words in one record: one record with the right length, and the three later
      // words are not written over it with the "0000" they hold from the reset.
      {"18324, all words in one record",
       [](FirmwareImage& i) {
         i.PIC = 18324;
         i.Config[0] = "8C173C25FF1FFF3F";
         i.Config_Found = true;
         i.Config_Address = 0x8007;
       },
       {":020000040001F9", ":08000E008C173C25FF1FFF3F8A"}},
      {"no PIC, all 16F18324 words in one record",
       [](FirmwareImage& i) {
         i.Config[0] = "8C173C25FF1FFF3F";
         i.Config_Found = true;
         i.Config_Address = 0x8007;
       },
       {":020000040001F9", ":08000E008C173C25FF1FFF3F8A"}},
      // A later word that came in a record of two words covers the word behind it.
      {"18324, second and third word in one record",
       [](FirmwareImage& i) {
         i.PIC = 18324;
         i.Config = {"8C17", "3C25FF1F", "0000", "FF3F"};
       },
       {":020000040001F9", ":02000E008C174D", ":040010003C25FF1F6D", ":02001400FF3FAC"}},
      {"mid-range text of two words",
       [](FirmwareImage& i) { i.PIC = 629; i.Config[0] = "CC31FF3F"; }, {":04400E00CC31FF3F73"}},
      {"mid-range empty text", [](FirmwareImage& i) { i.PIC = 629; i.Config[0] = ""; }, {}},
  };
  for (const auto& c : cases) {
    Writer w;
    w.image.setRomValue(0, 0x12);
    w.image.setRomValue(1, 0x30);
    w.image.Max_ROM_Index = 1;
    c.setup(w.image);
    auto lines = w.write();
    ASSERT_GE(lines.size(), 4u) << c.name;
    EXPECT_EQ(lines[1], ":020000001230BC") << c.name;
    std::vector<std::string> middle(lines.begin() + 2, lines.end() - 2);
    EXPECT_EQ(middle, c.configLines) << c.name;
    for (const auto& l : lines) EXPECT_EQ(HexLineProblem(l), "") << c.name << " " << l;
  }
}

TEST(HexWriter, IdRecordOnlyWhenAnIdWasRead) {
  struct Case {
    int32_t idAddress;
    std::string idText;
  } cases[] = {{0, ""}, {0x2000, ""}, {0x8000, ""}, {0x1234, "1236"}};
  for (const auto& c : cases) {
    Writer w;
    w.image.PIC = 629;
    w.image.Config[0] = "CC31";
    w.image.ID_Address = c.idAddress;
    w.image.ID_Text = c.idText;
    EXPECT_EQ(w.write(), (std::vector<std::string>{":020000040000FA", ":01000000FF00", ":02400E00CC31B3",
                                                   ":02420000FF00BD", ":00000001FF"}))
        << c.idAddress;
  }
}

TEST(HexWriter, IdRecordCarriesAtMostTheFourIdWords) {
  struct Case {
    int32_t pic, idAddress;
    std::string idText;
    std::vector<std::string> idLines;
  } cases[] = {
      // From an ID record of eight words: the words behind the ID would reach 0x2007.
      {629, 0x2000, "53260000", {":084000000500030002000600A8"}},
      {18324, 0x8000, "26000300010002000000000000000000", {":020000040001F9", ":080000002600030001000200CC"}},
      // A shorter 16F18324 ID record: the length follows the words it has.
      {18324, 0x8000, "26000300", {":020000040001F9", ":0400000026000300D3"}},
      // Parts of words from a line that ended early are completed to whole words.
      {18324, 0x8000, "26", {":020000040001F9", ":020000002600D8"}},
      {18324, 0x8000, "2", {":020000040001F9", ":020000000200FC"}},
      {18324, 0x8000, "260003", {":020000040001F9", ":0400000026000300D3"}},
      // A mid-range record of fewer than four words whose version digits stood behind it
      // in the line: the version digits come from Version (here 2.36).
      {629, 0x2000, "1", {":084000000100020003000600AC"}},
      {629, 0x2000, "12", {":084000000100020003000600AC"}},
  };
  for (const auto& c : cases) {
    Writer w;
    w.image.PIC = c.pic;
    w.image.Config.fill("");
    w.image.ID_Address = c.idAddress;
    w.image.ID_Text = c.idText;
    w.image.Version = 2.36f;
    auto lines = w.write();
    ASSERT_GE(lines.size(), 2 + c.idLines.size()) << c.idText;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.begin() + 2 + static_cast<long>(c.idLines.size())),
              c.idLines)
        << c.idText;
  }
}

TEST(HexWriter, EepromGoesToTheAddressOfTheLayout) {
  struct Case {
    const char* name;
    std::function<void(FirmwareImage&)> setup;
    std::vector<std::string> tail;  // the lines after the program record
  } cases[] = {
      {"629, no EEPROM read", [](FirmwareImage& i) { i.PIC = 629; i.Config[0] = "CC31"; },
       {":02400E00CC31B3", ":02420000FF00BD", ":00000001FF"}},
      {"629, address left from a 16F18324 file",
       [](FirmwareImage& i) { i.PIC = 629; i.Config[0] = "CC31"; i.EE_Address = 0xF000; },
       {":02400E00CC31B3", ":02420000FF00BD", ":00000001FF"}},
      {"676 at 0x2100", [](FirmwareImage& i) { i.PIC = 676; i.EE_Address = 0x2100; },
       {":02420000FF00BD", ":00000001FF"}},
      {"18324, address left from a mid-range file",
       [](FirmwareImage& i) { i.PIC = 18324; i.Config.fill(""); i.EE_Address = 0x2100; },
       {":020000040001F9", ":02E00000FF001F", ":00000001FF"}},
      {"no PIC, 16F18324 ID read",
       [](FirmwareImage& i) {
         i.ID_Address = 0x8000;
         i.ID_Found = true;
         i.ID_Text = "2600030001000200";
       },
       {":020000040001F9", ":080000002600030001000200CC", ":02E00000FF001F", ":00000001FF"}},
      {"no PIC, only a 16F18324 EEPROM read", [](FirmwareImage& i) { i.EE_Address = 0xF000; },
       {":020000040001F9", ":02E00000FF001F", ":00000001FF"}},
      {"no PIC, nothing read", [](FirmwareImage&) {}, {":02420000FF00BD", ":00000001FF"}},
      {"no PIC, mid-range ID read, stale 16F18324 EEPROM address",
       [](FirmwareImage& i) {
         i.ID_Address = 0x2000;
         i.ID_Found = true;
         i.ID_Text = "1236";
         i.EE_Address = 0xF000;
       },
       {":084000000100020003000600AC", ":02420000FF00BD", ":00000001FF"}},
  };
  for (const auto& c : cases) {
    Writer w;
    c.setup(w.image);
    auto lines = w.write();
    ASSERT_GE(lines.size(), 2u) << c.name;
    EXPECT_EQ(lines[0], ":020000040000FA") << c.name;
    EXPECT_EQ(lines[1], ":01000000FF00") << c.name;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()), c.tail) << c.name;
    EXPECT_TRUE(w.dialogs.messages.empty()) << c.name;
  }
}

TEST(HexWriter, SwitchesBackToTheLowerSegmentWhenNeeded) {
  // A 16F18324 ID in an image assigned to a mid-range PIC: the configuration and EEPROM that
  // follow must not land in the upper segment.
  Writer w;
  w.image.PIC = 684;
  w.image.Config[0] = "CC33";
  w.image.ID_Address = 0x8000;
  w.image.ID_Text = "2600030001000200";
  EXPECT_EQ(w.write(), (std::vector<std::string>{":020000040000FA", ":01000000FF00", ":020000040001F9",
                                                 ":080000002600030001000200CC", ":020000040000FA",
                                                 ":02400E00CC33B1", ":02420000FF00BD", ":00000001FF"}));
}

TEST(HexWriter, CellsThatAreNotOneHexByteStopTheWriter) {
  const std::string problem = "Problem bei der Checksummen-Berechnung";
  struct Case {
    const char* name;
    std::function<void(FirmwareImage&)> setup;
    int linesKept;  // lines generated before the failure
  } cases[] = {
      {"short program cell", [](FirmwareImage& i) { i.set_Hex_ROM(0, "F"); }, 1},
      {"empty program cell", [](FirmwareImage& i) { i.Max_ROM_Index = 0x11; i.set_Hex_ROM(0x11, ""); }, 2},
      {"program cell not hex", [](FirmwareImage& i) { i.set_Hex_ROM(0, "G1"); }, 1},
      {"program cell of three characters", [](FirmwareImage& i) { i.set_Hex_ROM(0, "FFF"); }, 1},
      {"mid-range ID digit not hex",
       [](FirmwareImage& i) { i.ID_Address = 0x2000; i.ID_Text = "12G6"; }, 2},
      {"16F18324 ID not hex",
       [](FirmwareImage& i) { i.ID_Address = 0x8000; i.ID_Text = "26000Z00"; }, 3},
      {"configuration of odd length", [](FirmwareImage& i) { i.PIC = 629; i.Config[0] = "CC3"; }, 2},
      {"EEPROM cell not hex", [](FirmwareImage& i) { i.set_Hex_EE(9, "X1"); i.Max_EE_Index = 9; }, 3},
  };
  for (const auto& c : cases) {
    Writer w;
    w.image.HexString[700] = "left from the loaded file";
    c.setup(w.image);
    EXPECT_EQ(WriteHexImage(w.image, w.dialogs), 0) << c.name;
    EXPECT_EQ(w.image.HexStringCount, 0) << c.name;
    ASSERT_EQ(w.dialogs.messages.size(), 1u) << c.name;
    EXPECT_EQ(w.dialogs.messages[0].kind, BoxKind::Warning);
    EXPECT_EQ(w.dialogs.messages[0].buttons, Buttons::Cancel);
    EXPECT_EQ(w.dialogs.messages[0].text, problem);
    for (int k = 0; k < c.linesKept; ++k) EXPECT_EQ(HexLineProblem(w.image.HexString[static_cast<size_t>(k)]), "") << c.name;
    EXPECT_EQ(w.image.HexString[static_cast<size_t>(c.linesKept)], "") << c.name;
    EXPECT_EQ(w.image.HexString[700], "") << c.name;
  }
}

TEST(HexWriter, EepromIndexBeyondTheLastCell) {
  // An EEPROM record that ran past cell 255 left Max_EE_Index at 256: the cell reads "error"
  // through its accessor and the writer stops with the checksum message.
  Writer w;
  w.image.PIC = 629;
  w.image.Config[0] = "CC31";
  w.image.Max_EE_Index = 256;
  EXPECT_EQ(WriteHexImage(w.image, w.dialogs), 0);
  EXPECT_EQ(w.dialogs.texts(), (std::vector<std::string>{
                                   "Error: lesen Hex_EE Bereichsüberschreitung (256) in get_Hex_EE",
                                   "Problem bei der Checksummen-Berechnung"}));
  // Line 0, the program record, the configuration and the 32 full EEPROM records stay.
  EXPECT_EQ(w.image.HexString[3], ":10420000FF00FF00FF00FF00FF00FF00FF00FF00B6");
  EXPECT_EQ(w.image.HexString[34], ":1043F000FF00FF00FF00FF00FF00FF00FF00FF00C5");
  EXPECT_EQ(w.image.HexString[35], "");
}

TEST(HexChecksum, RecordSums) {
  struct Case {
    const char* record;
    const char* checksum;
  } cases[] = {
      {"00000001", "FF"},       {"020000040001", "F9"}, {"020000040000", "FA"},
      {"FFFF02", "00"},         {"", "00"},             {"000000011", "FF"},  // odd tail ignored
      {"02400E00cc31", "B3"},   {"10", "F0"},           {"01", "FF"},
  };
  for (const auto& c : cases) {
    RecordingDialogs dialogs;
    EXPECT_EQ(HexChecksum(c.record, dialogs), c.checksum) << c.record;
    EXPECT_TRUE(dialogs.messages.empty()) << c.record;
  }
  for (const char* bad : {"0G", "er", "0200 0", "-1", "+1FF"}) {
    RecordingDialogs dialogs;
    EXPECT_EQ(HexChecksum(bad, dialogs), "error") << bad;
    ASSERT_EQ(dialogs.messages.size(), 1u) << bad;
    EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
    EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
    EXPECT_EQ(dialogs.messages[0].text, "Problem bei der Checksummen-Berechnung");
  }
}
