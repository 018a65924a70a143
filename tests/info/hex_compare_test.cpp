#include "info/hex_compare.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/text_encoding.h"
#include "image/hex_reader.h"
#include "image/text_file.h"
#include "recording_dialogs.h"

namespace korrin {
namespace {

using testing::RecordingDialogs;

// One data record (type 00) with a correct checksum.
std::string Record(int address, const std::vector<int>& bytes) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, ":%02X%04X00", static_cast<int>(bytes.size()), address);
  std::string line = buffer;
  int sum = static_cast<int>(bytes.size()) + (address >> 8) + (address & 0xFF);
  for (int b : bytes) {
    std::snprintf(buffer, sizeof buffer, "%02X", b);
    line += buffer;
    sum += b;
  }
  std::snprintf(buffer, sizeof buffer, "%02X", (-sum) & 0xFF);
  return line + buffer;
}

// A small mid-range firmware: 24 program words (GOTO 5 at word 0x12), ID 1236, configuration
// C431, 16 EEPROM bytes 00..0F.
std::vector<std::string> MidRangeFile(int word12 = 0x2805, int eeprom5 = 0x05, const std::string& config = "C431") {
  std::vector<std::string> lines{":020000040000FA"};
  for (int start = 0; start < 24; start += 8) {
    std::vector<int> bytes;
    for (int w = start; w < start + 8; ++w) {
      const int word = w == 0x12 ? word12 : 0x0100 + w;
      bytes.push_back(word & 0xFF);
      bytes.push_back(word >> 8);
    }
    lines.push_back(Record(2 * start, bytes));
  }
  lines.push_back(":084000000100020003000600AC");
  lines.push_back(Record(0x400E, {std::stoi(config.substr(0, 2), nullptr, 16), std::stoi(config.substr(2, 2), nullptr, 16)}));
  for (int start = 0; start < 16; start += 8) {
    std::vector<int> bytes;
    for (int i = start; i < start + 8; ++i) {
      bytes.push_back(i == 5 ? eeprom5 : i);
      bytes.push_back(0);
    }
    lines.push_back(Record(0x4200 + 2 * start, bytes));
  }
  lines.push_back(":00000001FF");
  return lines;
}

class CompareTest : public ::testing::Test {
 protected:
  // Loads the lines into the image the way the load does: reset, then every non-empty line.
  void Load(const std::vector<std::string>& lines) {
    image.ResetForNewFile();
    HexReadStatus status;
    for (const auto& line : lines) {
      if (line.empty()) continue;
      ASSERT_TRUE(ReadHexLine(image, line, dialogs, status)) << line;
    }
    ASSERT_TRUE(dialogs.messages.empty());
  }

  ComparisonResult Compare(const std::vector<std::string>& file2) {
    return CompareImageWithLines(image, dialogs, "C:\\decoder\\file1.hex", "/tmp/file2.hex", file2);
  }

  RecordingDialogs dialogs;
  FirmwareImage image{&dialogs};
};

TEST_F(CompareTest, TheLoadedFileItselfHasNoDifferences) {
  Load(MidRangeFile());
  const auto result = Compare(MidRangeFile());
  EXPECT_TRUE(result.completed);
  EXPECT_EQ(result.statusFile1, "File 1 = C:\\decoder\\file1.hex");
  EXPECT_EQ(result.statusFile2, "File 2 = /tmp/file2.hex");
  const std::vector<std::string> eeprom{"", " ", "   0 gefundene Unterschiede im EEprom"};
  const std::vector<std::string> rom{" ", "   0 gefundene Unterschiede im ROM", "   0 gefundene Unterschiede in ID",
                                     "   0 gefundene Unterschiede in Config"};
  EXPECT_EQ(result.eepromLines, eeprom);
  EXPECT_EQ(result.romLines, rom);
  EXPECT_EQ(result.totalDifferences(), 0);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CompareTest, ReportsADifferentEepromByte) {
  Load(MidRangeFile());
  const auto result = Compare(MidRangeFile(0x2805, 0x12));
  ASSERT_TRUE(result.completed);
  const std::vector<std::string> eeprom{"", "EE0x05: File1:0x05 - File2:0x12", " ", "   1 gefundene Unterschiede im EEprom"};
  EXPECT_EQ(result.eepromLines, eeprom);
  EXPECT_EQ(result.EE_Differences, 1);
  EXPECT_EQ(result.totalDifferences(), 1);
}

TEST_F(CompareTest, ReportsADifferentProgramWordWithBothMnemonics) {
  Load(MidRangeFile());
  const auto result = Compare(MidRangeFile(0x3FFF));
  ASSERT_TRUE(result.completed);
  ASSERT_EQ(result.romLines.size(), 5u);
  EXPECT_EQ(result.romLines[0], "$0012:  0x2805 [GOTO  ] - 0x3FFF [      ]");
  EXPECT_EQ(result.romLines[2], "   1 gefundene Unterschiede im ROM");
  EXPECT_EQ(result.ROM_Differences, 1);
}

TEST_F(CompareTest, AWordDifferingInOneByteCountsOnce) {
  Load(MidRangeFile());
  for (int other : {0x2806, 0x2905}) {
    const auto result = Compare(MidRangeFile(other));
    EXPECT_EQ(result.ROM_Differences, 1) << std::hex << other;
  }
}

TEST_F(CompareTest, ReportsConfigurationAndIdDifferencesAfterABlankLine) {
  Load(MidRangeFile());
  auto file2 = MidRangeFile();
  file2[4] = ":084000000100020003000700AB";  // ID 1237
  file2[5] = ":02400E00CC31B3";
  const auto result = Compare(file2);
  ASSERT_TRUE(result.completed);
  const std::vector<std::string> rom{" ",
                                     "ID: File1:0x1236 - File2:0x1237",
                                     " ",
                                     "CONFIG: File1:0xC431 - File2:0xCC31",
                                     " ",
                                     "   0 gefundene Unterschiede im ROM",
                                     "   1 gefundene Unterschiede in ID",
                                     "   1 gefundene Unterschiede in Config"};
  EXPECT_EQ(result.romLines, rom);
}

TEST_F(CompareTest, ComparesOnlyWhatFile2Contains) {
  Load(MidRangeFile());
  const auto result = Compare({":04000000FFFFFFFFFC"});  // words 0 and 1 erased; nothing else in the file
  ASSERT_TRUE(result.completed);
  ASSERT_EQ(result.romLines.size(), 6u);
  EXPECT_EQ(result.romLines[0], "$0000:  0x0100 [CLRF/W] - 0xFFFF [      ]");
  EXPECT_EQ(result.romLines[1], "$0001:  0x0101 [CLRF/W] - 0xFFFF [      ]");
  EXPECT_EQ(result.totalDifferences(), 2);
}

TEST_F(CompareTest, LowerCaseLinesAreCompared) {
  Load(MidRangeFile());
  auto file2 = MidRangeFile();
  for (auto& line : file2)
    for (auto& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const auto result = Compare(file2);
  EXPECT_TRUE(result.completed);
  EXPECT_EQ(result.totalDifferences(), 0);
}

TEST_F(CompareTest, RefusedLinesStopTheComparisonWithTheirMessage) {
  struct Case {
    std::string line;
    std::string text;
  };
  const Case cases[] = {
      {":02000006AABB00",
       "E206a: Unerwartete Zeile im File:\n:02000006AABB00\n\nRECLEN (Identifier 1): 02\nLOAD OFFSET "
       "(Identifier 2): 00 00\nRECTYP (Identifies 3): 06"},
      {":00000001FF ",
       "E202a: Unerwarteter End File Record:\n:00000001FF \n\nRECLEN (Identifier 1): 00\nLOAD OFFSET "
       "(Identifier 2): 00 00\nRECTYP (Identifier 3): 01"},
      {":020000021000EC",
       "E203a: Unerwartete Zeile im File:\n:020000021000EC\n\nRECLEN (Identifier 1): 02\nLOAD "
       "OFFSET (Identifier 2): 00 00\nRECTYP (Identifier 3): 02"},
      {":0400000300003800C1",
       "E204a: Unerwartete Zeile im File:\n:0400000300003800C1\n\nRECLEN (Identifier 1): 04\nLOAD "
       "OFFSET (Identifier 2): 00 00\nRECTYP (Identifier 3): 03"},
      {":020000040002F8",
       "E205: Unerwarteter Extendet Linear Address Record:\n:020000040002F8\n\nRECLEN (Identifier "
       "1): 02\nLOAD OFFSET (Identifier 2): 00 00\nRECTYP (Identifier 3): 04"},
      // A data record at word 0x1000 lies outside every area.
      {":0220000000000000",
       "E201a: Unerwartete Zeile:\n:0220000000000000\n\nRECLEN (Identifier 1): 02\nLOAD OFFSET "
       "(Identifier 2): 20 00\nRECTYP (Identifier 3): 00"},
  };
  Load(MidRangeFile());
  for (const auto& c : cases) {
    dialogs.clear();
    // A differing EEPROM byte before the refused line stays in the memo; no count line follows.
    auto file2 = MidRangeFile(0x2805, 0x12);
    file2.insert(file2.end() - 1, c.line);
    const auto result = Compare(file2);
    EXPECT_FALSE(result.completed) << c.line;
    ASSERT_EQ(dialogs.messages.size(), 1u) << c.line;
    EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Information);
    EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Ok);
    EXPECT_EQ(dialogs.messages[0].text, c.text);
    const std::vector<std::string> eeprom{"", "EE0x05: File1:0x05 - File2:0x12"};
    EXPECT_EQ(result.eepromLines, eeprom) << c.line;
    EXPECT_TRUE(result.romLines.empty()) << c.line;
    EXPECT_EQ(result.EE_Differences, 1);
  }
}

TEST_F(CompareTest, AnEepromRecordPastCell255StopsAfterTheAccessorWarning) {
  Load(MidRangeFile());
  // Word 0x21FF: cell 255 is compared, the second word (cell 256) does not exist.
  const auto result = Compare({":0443FE00AA00BB00B8", ":00000001FF"});
  EXPECT_FALSE(result.completed);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
  EXPECT_EQ(dialogs.messages[0].text, "Error: lesen Hex_EE Bereichsüberschreitung (256) in get_Hex_EE");
  const std::vector<std::string> eeprom{"", "EE0xff: File1:0xFF - File2:0xAA"};
  EXPECT_EQ(result.eepromLines, eeprom);
}

TEST_F(CompareTest, Pic18324AreasLieAboveTheExtendedAddress) {
  image.ResetForNewFile();
  image.ID_Text = "2600030001000200";
  image.Config = {"8C3F", "FF3F", "9F3F", "013F"};
  for (int i = 0; i < 32; ++i) image.setEepromValue(i, i);

  auto eepromRecord = [](int firstIndex, int value) {
    // One word per EEPROM byte at 0xF000 + index, byte address 0xE000 + 2 * index above 0x10000.
    return Record(0xE000 + 2 * firstIndex, {firstIndex, 0, value, 0});
  };
  const std::vector<std::string> file2{
      ":020000040001F9",
      Record(0x0000, {0x26, 0x00, 0x03, 0x00, 0x01, 0x00, 0x09, 0x00}),  // ID word 4 differs
      Record(0x000E, {0x8C, 0x3F}),                                      // configuration word 1 equal
      Record(0x0010, {0xFF, 0x2F}),                                      // configuration word 2 differs
      Record(0x0014, {0x01, 0x3F}),                                      // configuration word 4 equal
      eepromRecord(10, 0x0B),                                            // cells 10, 11 equal
      eepromRecord(30, 0x99),                                            // cell 31 differs
      eepromRecord(14, 0x15),                                            // cell 15 differs (last "0x0" index)
      ":020000040000FA",
      Record(0x0000, {0x01, 0x01}),  // back in program memory: word 0 differs from the erased image
      ":00000001FF",
  };
  const auto result = Compare(file2);
  ASSERT_TRUE(result.completed) << (dialogs.messages.empty() ? "" : dialogs.messages[0].text);
  const std::vector<std::string> eeprom{"", "EE0x1f: File1:0x1F - File2:0x99", "EE0x0f: File1:0x0F - File2:0x15", " ",
                                        "   2 gefundene Unterschiede im EEprom"};
  EXPECT_EQ(result.eepromLines, eeprom);
  const std::vector<std::string> rom{" ",
                                     "ID: File1:0x2600030001000200 - File2:0x2600030001000900",
                                     " ",
                                     "CONFIG 2: File1:0xFF3F - File2:0xFF2F",
                                     "$0000:  0x3FFF [      ] - 0x0101 [CLRF/W]",
                                     " ",
                                     "   1 gefundene Unterschiede im ROM",
                                     "   1 gefundene Unterschiede in ID",
                                     "   1 gefundene Unterschiede in Config"};
  EXPECT_EQ(result.romLines, rom);
}

TEST_F(CompareTest, KeepsItsOwnUpperAddressAndStartsEachFileAtZero) {
  Load(MidRangeFile());
  image.UpperAddress = 0x10000;  // what the main reader was left with must not matter
  HexComparison comparison(image, dialogs);
  EXPECT_TRUE(comparison.CompareLines({":020000040001F9", Record(0x000E, {0xC4, 0x31})}));
  EXPECT_EQ(comparison.CompareUpperAddress, 0x10000);
  EXPECT_EQ(image.UpperAddress, 0x10000);

  // The next file starts at 0 again: its record at offset 0 is program memory, not the ID.
  comparison.Clear();
  EXPECT_TRUE(comparison.CompareLines({Record(0x0000, {0x00, 0x01})}));
  EXPECT_EQ(comparison.ROM_Differences, 0);
  EXPECT_EQ(comparison.ID_Differences, 0);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CompareTest, SuccessiveComparisonsStartFromEmptyMemosAndZeroCounts) {
  Load(MidRangeFile());
  HexComparison comparison(image, dialogs);
  ASSERT_TRUE(comparison.CompareLines(MidRangeFile(0x3FFF, 0x12)));
  EXPECT_EQ(comparison.ROM_Differences, 1);
  comparison.Clear();
  EXPECT_TRUE(comparison.eepromLines.empty());
  EXPECT_TRUE(comparison.romLines.empty());
  ASSERT_TRUE(comparison.CompareLines(MidRangeFile()));
  EXPECT_EQ(comparison.ROM_Differences + comparison.EE_Differences, 0);
  EXPECT_EQ(comparison.romLines[1], "   0 gefundene Unterschiede im ROM");
}

TEST_F(CompareTest, AFileOfMoreThan1024LinesIsComparedWhole) {
  Load(MidRangeFile());
  std::vector<std::string> file2(1100, ":00000005FB");  // start-address records carry nothing
  file2[1090] = MidRangeFile(0x3FFF)[3];                // the record of words 0x10..0x17
  HexComparison comparison(image, dialogs);
  ASSERT_TRUE(comparison.CompareLines(file2));
  EXPECT_EQ(comparison.StoredLines.size(), 1100u);
  EXPECT_EQ(comparison.ROM_Differences, 1);
  EXPECT_EQ(comparison.romLines[0], "$0012:  0x2805 [GOTO  ] - 0x3FFF [      ]");
}

TEST_F(CompareTest, ShortAndOddRecordsAreReadWithoutGoingPastTheLine) {
  Load(MidRangeFile());
  // Byte counts larger than the data present: the missing characters compare as empty texts.
  const auto result = Compare({":10000000", ":084000000100", ":1042000005", ":02400E00"});
  EXPECT_TRUE(result.completed);
  EXPECT_EQ(result.ROM_Differences, 8);
  EXPECT_EQ(result.romLines[0], "$0000:  0x0100 [CLRF/W] - 0x [      ]");
  EXPECT_EQ(result.ID_Differences, 1);
  EXPECT_EQ(result.Config_Differences, 1);
  EXPECT_EQ(result.EE_Differences, 8);
}

TEST_F(CompareTest, ARecordWithAnOddByteCountComparesOnlyItsBytes) {
  Load(MidRangeFile());
  // Three bytes at byte address 0: word 0 (0x0100) and the low byte of word 1 (0x0101). The
  // characters after the third byte are the checksum and must not be read as a high byte.
  EXPECT_EQ(Compare({Record(0x0000, {0x00, 0x01, 0x01})}).ROM_Differences, 0);
  const auto result = Compare({Record(0x0000, {0x00, 0x01, 0x07})});
  EXPECT_EQ(result.ROM_Differences, 1);
  EXPECT_EQ(result.romLines[0], "$0001:  0x0101 [CLRF/W] - 0x0107 [CLRF/W]");
}

TEST_F(CompareTest, ReadsFile2FromDiskOrReportsWhyNot) {
  Load(MidRangeFile());
  const auto dir = std::filesystem::temp_directory_path() / ("korrin_compare_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto path = (dir / "file2.hex").string();
  {
    std::ofstream out(path, std::ios::binary);
    for (const auto& line : MidRangeFile(0x2805, 0x12)) out << line << "\r\n";
  }
  const auto result = CompareImageWithFile(image, dialogs, "file1.hex", path);
  EXPECT_TRUE(result.fileRead);
  EXPECT_TRUE(result.completed);
  EXPECT_EQ(result.EE_Differences, 1);
  EXPECT_EQ(result.statusFile2, "File 2 = " + path);

  const auto missing = CompareImageWithFile(image, dialogs, "file1.hex", (dir / "none.hex").string());
  std::filesystem::remove_all(dir);
  EXPECT_FALSE(missing.fileRead);
  EXPECT_FALSE(missing.completed);
  EXPECT_TRUE(missing.eepromLines.empty());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_NE(dialogs.messages[0].text.find("none.hex"), std::string::npos);
}

// A file the load accepts is compared as the load reads it: empty lines, such as the ones a
// file saved with CR CR LF line ends has after every record, are passed over.
TEST_F(CompareTest, LineEndsTheLoadAcceptsAreAcceptedToo) {
  Load(MidRangeFile());
  for (const char* end : {"\r\n", "\n", "\r", "\r\r\n", "\n\n"}) {
    std::string text;
    for (const auto& line : MidRangeFile(0x2805, 0x12)) text += line + end;
    dialogs.clear();
    const auto result = Compare(SplitLines(text));
    EXPECT_TRUE(result.completed) << (dialogs.messages.empty() ? "" : dialogs.messages[0].text);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(result.EE_Differences, 1);
    EXPECT_EQ(result.totalDifferences(), 1);
  }
}

// A File 2 without any data record has nothing to compare; it is reported as such, never as
// "0 gefundene Unterschiede", which would read as "identical".
TEST_F(CompareTest, AFileWithoutDataIsReportedAndNotCounted) {
  Load(MidRangeFile());
  const std::vector<std::vector<std::string>> files = {
      {}, {"", ""}, {":00000001FF"}, {":020000040000FA", ":00000001FF"}, {":020000040001F9", ":00000005FB", ":00000001FF", ""},
  };
  for (const auto& file2 : files) {
    SCOPED_TRACE(file2.size());
    dialogs.clear();
    const auto result = Compare(file2);
    EXPECT_FALSE(result.completed);
    EXPECT_TRUE(result.noData);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Information);
    EXPECT_EQ(dialogs.messages[0].text, "Datei 2 enthält keine Daten: es wurde nichts verglichen.");
    EXPECT_EQ(result.eepromLines, std::vector<std::string>{""});
    EXPECT_TRUE(result.romLines.empty());
  }
  // One data record is enough to compare; a refused line is a refusal, not "no data".
  dialogs.clear();
  EXPECT_TRUE(Compare({Record(0x0000, {0x00, 0x01})}).completed);
  const auto refused = Compare({":02000006AABB00"});
  EXPECT_FALSE(refused.completed);
  EXPECT_FALSE(refused.noData);

  // The same through the file: an empty file on disk.
  const auto path = std::filesystem::temp_directory_path() / ("korrin_compare_empty_" + std::to_string(::getpid()));
  std::ofstream(path, std::ios::binary).close();
  dialogs.clear();
  const auto fromDisk = CompareImageWithFile(image, dialogs, "file1.hex", path.string());
  std::filesystem::remove(path);
  EXPECT_TRUE(fromDisk.fileRead);
  EXPECT_TRUE(fromDisk.noData);
  EXPECT_FALSE(fromDisk.completed);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, kComparisonNoData);
}

// File 2 may hold any byte where the comparison copies characters into a message or a memo
// line: the record fields of a refused line, program bytes, EEPROM bytes, ID and
// configuration texts. Every text that comes out is valid UTF-8, and nothing crashes.
TEST_F(CompareTest, EveryByteValueGivesValidUtf8Texts) {
  Load(MidRangeFile());
  const std::vector<std::string (*)(char)> lines = {
      [](char c) { return std::string(":0200000") + c + "AABB00"; },              // record type
      [](char c) { return std::string(":02000000") + c + "1AA00"; },              // program byte
      [](char c) { return std::string(":044200000") + c + "000200FF"; },          // EEPROM byte
      [](char c) { return std::string(":084000000") + c + "00020003000600AC"; },  // ID digit
      [](char c) { return std::string(":02400E00C") + c + "31B3"; },              // configuration
      [](char c) { return std::string(":02") + c + "0000000AA"; },                // unknown area
  };
  const std::string name = std::string("file\xE4\0.hex", 10);
  for (int v = 0; v < 256; ++v) {
    for (auto line : lines) {
      dialogs.clear();
      const auto result = CompareImageWithLines(image, dialogs, name, name, {line(static_cast<char>(v))});
      SCOPED_TRACE(line(static_cast<char>(v)));
      for (const auto& m : dialogs.messages) EXPECT_TRUE(IsValidUtf8(m.text)) << m.text;
      for (const auto& l : result.eepromLines) EXPECT_TRUE(IsValidUtf8(l)) << l;
      for (const auto& l : result.romLines) EXPECT_TRUE(IsValidUtf8(l)) << l;
      EXPECT_TRUE(IsValidUtf8(result.statusFile1));
      EXPECT_TRUE(IsValidUtf8(result.statusFile2));
    }
  }
  // A Latin-1 byte is shown as its character, NUL as the replacement character.
  const auto latin =
      Compare({":044200000\xE4"
               "000200FF"});
  ASSERT_GE(latin.eepromLines.size(), 2u);
  EXPECT_EQ(latin.eepromLines[1], "EE0x00: File1:0x00 - File2:0x0\xC3\xA4");
  const auto nul =
      Compare({std::string(":044200000\0"
                           "000200FF",
                           19)});
  ASSERT_GE(nul.eepromLines.size(), 2u);
  EXPECT_EQ(nul.eepromLines[1], "EE0x00: File1:0x00 - File2:0x0\xEF\xBF\xBD");
  // A tab is a control character like NUL: the lines of the comparison keep their columns.
  const auto tab = Compare({":044200000\t000200FF"});
  ASSERT_GE(tab.eepromLines.size(), 2u);
  EXPECT_EQ(tab.eepromLines[1], "EE0x00: File1:0x00 - File2:0x0\xEF\xBF\xBD");
}

// A refused line of megabytes is quoted as a marked excerpt, not whole.
TEST_F(CompareTest, AnOverlongRefusedLineIsQuotedAsAnExcerpt) {
  Load(MidRangeFile());
  const std::string line = ":020000FF" + std::string(1 << 20, 'A');
  const auto result = Compare({line});
  EXPECT_FALSE(result.completed);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  const std::string& text = dialogs.messages[0].text;
  EXPECT_LT(text.size(), 400u);
  EXPECT_NE(text.find(line.substr(0, 80) + "… (gekürzt, die Zeile ist 1048585 Zeichen lang)"), std::string::npos) << text;
}

}  // namespace
}  // namespace korrin
