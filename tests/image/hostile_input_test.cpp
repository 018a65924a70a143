// Files that are damaged, binary or huge: every message stays valid UTF-8, whatever loads can
// be saved and read back, and a file with far too many lines gives a bounded number of boxes.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "base/text_encoding.h"
#include "hex_line_check.h"
#include "image/hex_reader.h"
#include "image/hex_writer.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::HexLineProblem;
using korrin::testing::RecordingDialogs;

namespace {

// The load as the document runs it: store the lines, reset, read every non-empty line.
struct Load {
  RecordingDialogs dialogs;
  FirmwareImage image{&dialogs};
  HexReadStatus status;

  bool run(const std::vector<std::string>& lines) {
    image.StoreLines(lines);
    image.ResetForNewFile();
    for (int32_t k = 0; k < image.HexStringCount; ++k) {
      std::string line = image.get_HexString(k);
      if (!line.empty() && !ReadHexLine(image, line, dialogs, status)) return false;
    }
    return true;
  }
};

}  // namespace

// Each line puts one byte value where the reader copies it into a message or a status text:
// the record type (E206), the load offset of an unknown area (E201), an end record (E202), an
// extended address (E205) and the version digits of both ID layouts (version error).
TEST(HostileInput, EveryByteValueGivesValidUtf8Messages) {
  struct Case {
    const char* name;
    std::string (*line)(char byte);
  };
  const Case cases[] = {
      {"record type", [](char c) { return std::string(":0200000") + c + "AABB00"; }},
      {"offset of unknown area", [](char c) { return std::string(":02") + c + "0000000AA"; }},
      {"end record", [](char c) { return std::string(":00000001F") + c; }},
      {"extended address", [](char c) { return std::string(":020000040") + c + "F9"; }},
      {"mid-range version", [](char c) { return std::string(":0840000001000") + c + "0003000600AC"; }},
      {"18324 version", [](char c) { return std::string(":08000000") + c + "600030001000200CC"; }},
  };
  for (const auto& c : cases) {
    for (int v = 0; v < 256; ++v) {
      SCOPED_TRACE(std::string(c.name) + " byte " + std::to_string(v));
      Load load;
      const std::string line = c.line(static_cast<char>(v));
      const bool upper = std::string(c.name) == "18324 version";
      if (upper) {
        ASSERT_TRUE(ReadHexLine(load.image, ":020000040001F9", load.dialogs, load.status));
      }
      ReadHexLine(load.image, line, load.dialogs, load.status);
      for (const auto& m : load.dialogs.messages) EXPECT_TRUE(IsValidUtf8(m.text)) << m.text;
      EXPECT_TRUE(IsValidUtf8(load.status.panel0)) << load.status.panel0;
      EXPECT_TRUE(IsValidUtf8(load.status.panel1)) << load.status.panel1;
    }
  }
  // A byte that is not a hex digit in the record type is refused, and the message shows the
  // line with the byte converted: NUL as a replacement character, Latin-1 0xE4 as "ä".
  Load nul;
  EXPECT_FALSE(ReadHexLine(nul.image, std::string(":0200000\0AABB00", 15), nul.dialogs, nul.status));
  ASSERT_EQ(nul.dialogs.messages.size(), 1u);
  EXPECT_EQ(nul.dialogs.messages[0].text.substr(0, 51),
            "E206: Unerwartete Zeile im File:\n:0200000\xEF\xBF\xBD" "AABB00\n");
  Load latin;
  EXPECT_FALSE(ReadHexLine(latin.image, ":0200000\xE4" "AABB00", latin.dialogs, latin.status));
  ASSERT_EQ(latin.dialogs.messages.size(), 1u);
  EXPECT_NE(latin.dialogs.messages[0].text.find(":0200000\xC3\xA4" "AABB00"), std::string::npos);
}

// A data record whose first byte lies in the last program word but which runs past it is
// program memory for the reader; the writer must put those cells where the reader takes them
// again, and the written file must read back into the same image without any message.
TEST(HostileInput, ProgramRecordCrossingTheEndOfProgramMemoryRoundTrips) {
  struct Case {
    const char* line;
    int32_t maxRom;
  };
  std::string longest = ":FF1FFF00";
  for (int i = 0; i < 255; ++i) longest += HexByteText()[static_cast<size_t>(i)];
  longest += "00";  // the checksum is not examined
  const Case cases[] = {
      {":021FFF000000E0", 0x2000},
      {":101FF800000102030405060708090A0B0C0D0E0FA0", 0x2007},
      {":021FFE0012345B", 0x1FFF},  // ends exactly at the last program byte
      {longest.c_str(), 0x20FD},    // the largest record the reader takes
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Load first;
    ASSERT_TRUE(first.run({":020000040000FA", c.line, ":00000001FF"}));
    EXPECT_TRUE(first.dialogs.messages.empty());
    EXPECT_EQ(first.image.Max_ROM_Index, c.maxRom);

    const int32_t count = WriteHexImage(first.image, first.dialogs);
    ASSERT_GT(count, 0);
    EXPECT_TRUE(first.dialogs.messages.empty());
    std::vector<std::string> written(first.image.HexString.begin(), first.image.HexString.begin() + count);
    for (const auto& l : written) EXPECT_EQ(HexLineProblem(l), "") << l;

    Load second;
    ASSERT_TRUE(second.run(written)) << (second.dialogs.messages.empty() ? "" : second.dialogs.messages[0].text);
    EXPECT_TRUE(second.dialogs.messages.empty());
    EXPECT_EQ(second.image.Hex_ROM, first.image.Hex_ROM);
    EXPECT_EQ(second.image.Max_ROM_Index, first.image.Max_ROM_Index);
  }
}

TEST(HostileInput, WriterNeverStartsAProgramRecordBeyondTheLastProgramWord) {
  RecordingDialogs dialogs;
  FirmwareImage image(&dialogs);
  image.ResetForNewFile();
  image.Max_ROM_Index = 0x2010;
  const int32_t count = WriteHexImage(image, dialogs);
  ASSERT_GT(count, 0);
  std::vector<std::string> program;
  for (int32_t i = 1; i < count && image.HexString[static_cast<size_t>(i)].substr(7, 2) == "00"; ++i) {
    program.push_back(image.HexString[static_cast<size_t>(i)]);
  }
  // 511 aligned records up to 0x1FE0, then 0x1FF0 with 15 bytes and 0x1FFF with the rest;
  // the EEPROM record follows.
  ASSERT_EQ(program.size(), 514u);
  EXPECT_EQ(program[513].substr(3, 4), "4200");
  EXPECT_EQ(program[510].substr(0, 9), ":101FE000");
  EXPECT_EQ(program[511].substr(0, 9), ":0F1FF000");
  EXPECT_EQ(program[512].substr(0, 9), ":121FFF00");
  // Cells beyond what a record at 0x1FFF can carry cannot be written readably: refused.
  image.Max_ROM_Index = 0x20FE;
  EXPECT_EQ(WriteHexImage(image, dialogs), 0);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Problem bei der Checksummen-Berechnung");
}

// The range message of the lines beyond the 1024 kept ones is shown for the first ten; one box
// counts the rest. The load then stops at index 1024 as before, so the whole load of a huge
// file gives a handful of boxes and takes no noticeable time.
TEST(HostileInput, HugeFileGivesABoundedNumberOfBoxes) {
  struct Case {
    size_t lines;
    size_t rangeBoxes;    // one per line beyond 1023, at most ten
    const char* summary;  // the counting box, when there is one
  };
  const Case cases[] = {
      {1030, 6, nullptr},
      {1034, 10, nullptr},
      {1035, 10,
       "Error: schreiben HexString Bereichsüberschreitung (1034 bis 1034) in set_HexString: 1 weitere Zeilen "
       "übersprungen"},
      {1'200'000, 10,
       "Error: schreiben HexString Bereichsüberschreitung (1034 bis 1199999) in set_HexString: 1198966 weitere "
       "Zeilen übersprungen"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    Load load;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(load.run(std::vector<std::string>(c.lines, ":00000001ff")));
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0);
    EXPECT_EQ(load.image.HexStringCount, static_cast<int32_t>(c.lines));
    const auto texts = load.dialogs.texts();
    const size_t summaryBoxes = c.summary ? 1 : 0;
    ASSERT_EQ(texts.size(), c.rangeBoxes + summaryBoxes + 2);
    EXPECT_EQ(texts[0], "Error: schreiben HexString Bereichsüberschreitung (1024) in set_HexString");
    EXPECT_EQ(texts[c.rangeBoxes - 1], "Error: schreiben HexString Bereichsüberschreitung (" +
                                           std::to_string(1023 + c.rangeBoxes) + ") in set_HexString");
    if (c.summary) {
      EXPECT_EQ(texts[c.rangeBoxes], c.summary);
      EXPECT_EQ(load.dialogs.messages[c.rangeBoxes].kind, BoxKind::Warning);
    }
    // The reading stops at the first line that was not kept, as for any long file.
    EXPECT_EQ(texts[texts.size() - 2], "Error: lesen HexString Bereichsüberschreitung (1024) in get_HexString");
    EXPECT_EQ(texts.back().substr(0, 40), "E206: Unerwartete Zeile im File:\nerror\n\n");
    EXPECT_EQ(load.image.get_HexString(1023), ":00000001FF");
  }
}
