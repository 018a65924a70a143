#include "image/hex_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;

namespace {

// A freshly reset image, as the load has it before the first line.
struct Reader {
  RecordingDialogs dialogs;  // the reader's own boxes and the accessor messages
  FirmwareImage image{&dialogs};
  HexReadStatus status;

  Reader() { image.ResetForNewFile(); }
  bool read(const std::string& line) { return ReadHexLine(image, line, dialogs, status); }
  bool readAll(const std::vector<std::string>& lines) {
    for (const auto& l : lines) {
      if (!read(l)) return false;
    }
    return true;
  }
};

}  // namespace

TEST(HexReader, ProgramMemoryRecords) {
  Reader r;
  ASSERT_TRUE(r.read(":10000000000102030405060708090A0B0C0D0E0F78"));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(r.image.get_Hex_ROM(i), HexByteText()[static_cast<size_t>(i)]);
  EXPECT_EQ(r.image.get_Hex_ROM(16), "FF");
  EXPECT_EQ(r.image.Max_ROM_Index, 15);

  Reader s;
  ASSERT_TRUE(s.read(":020008000130C5"));
  EXPECT_EQ(s.image.get_Hex_ROM(8), "01");
  EXPECT_EQ(s.image.get_Hex_ROM(9), "30");
  EXPECT_EQ(s.image.get_Hex_ROM(7), "3F");
  EXPECT_EQ(s.image.Max_ROM_Index, 9);
  // A later record at a lower address does not lower the highest index.
  ASSERT_TRUE(s.read(":0100000012ED"));
  EXPECT_EQ(s.image.Max_ROM_Index, 9);
  EXPECT_TRUE(s.dialogs.messages.empty());
}

TEST(HexReader, LargestProgramRecordStaysInsideTheArray) {
  // The last accepted start is word 0xFFF (byte 0x1FFE); a full 255-byte record from there
  // ends at cell 0x20FC, far inside the 0x4000 cells, so the E2000/E2001 guards never fire.
  Reader r;
  std::string line = ":FF1FFE00" + std::string(2 * 255, '1') + "00";
  ASSERT_TRUE(r.read(line));
  EXPECT_EQ(r.image.Max_ROM_Index, 0x1FFE + 254);
  EXPECT_EQ(r.image.get_Hex_ROM(0x20FC), "11");
  EXPECT_EQ(r.image.get_Hex_ROM(0x20FD), "3F");
  EXPECT_TRUE(r.dialogs.messages.empty());
}

TEST(HexReader, MidRangeIdConfigAndEeprom) {
  Reader r;
  ASSERT_TRUE(r.read(":084000000100020003000600AC"));
  EXPECT_EQ(r.image.ID_Address, 0x2000);
  EXPECT_EQ(r.image.ID_Text, "1236");
  EXPECT_TRUE(r.image.ID_Found);
  EXPECT_EQ(r.status.panel0, "ID: 1");
  EXPECT_EQ(r.status.panel1, "V 2.36");
  EXPECT_EQ(r.image.Version, 2.36f);

  ASSERT_TRUE(r.read(":02400E00CC31B3"));
  EXPECT_EQ(r.image.Config_Address, 0x2007);
  EXPECT_EQ(r.image.Config[0], "CC31");
  EXPECT_TRUE(r.image.Config_Found);
  // The checksum is not examined.
  Reader other;
  ASSERT_TRUE(other.read(":02400E00CC3100"));
  EXPECT_EQ(other.image.Config[0], "CC31");

  ASSERT_TRUE(r.read(":06420000050006000700A0"));
  EXPECT_EQ(r.image.EE_Address, 0x2100);
  EXPECT_EQ(r.image.get_Hex_EE(0), "05");
  EXPECT_EQ(r.image.get_Hex_EE(1), "06");
  EXPECT_EQ(r.image.get_Hex_EE(2), "07");
  EXPECT_EQ(r.image.get_Hex_EE(3), "FF");
  EXPECT_EQ(r.image.Max_EE_Index, 2);
  ASSERT_TRUE(r.read(":0243FE00AA0013"));
  EXPECT_EQ(r.image.get_Hex_EE(255), "AA");
  EXPECT_EQ(r.image.Max_EE_Index, 255);
  EXPECT_TRUE(r.dialogs.messages.empty());
}

TEST(HexReader, EepromRecordPastTheLastCell) {
  Reader r;
  // Four words from EEPROM cell 254: cells 254 and 255 are stored, 256 and 257 refused.
  ASSERT_TRUE(r.read(":0843FC00010002000300040000"));
  EXPECT_EQ(r.image.get_Hex_EE(254), "01");
  EXPECT_EQ(r.image.get_Hex_EE(255), "02");
  EXPECT_EQ(r.image.Max_EE_Index, 257);
  ASSERT_EQ(r.dialogs.messages.size(), 2u);
  EXPECT_EQ(r.dialogs.messages[0].text,
            "Error: schreiben Hex_EE Bereichsüberschreitung (256) in set_Hex_EE");
  EXPECT_EQ(r.dialogs.messages[1].text,
            "Error: schreiben Hex_EE Bereichsüberschreitung (257) in set_Hex_EE");
}

TEST(HexReader, Pic18324Layout) {
  Reader r;
  ASSERT_TRUE(r.read(":020000040001F9"));
  EXPECT_EQ(r.image.UpperAddress, 0x10000);
  ASSERT_TRUE(r.read(":080000002600030001000200CC"));
  // Offset 0 behind the extended address is the user ID, not program memory.
  EXPECT_EQ(r.image.get_Hex_ROM(0), "FF");
  EXPECT_EQ(r.image.Max_ROM_Index, 0);
  EXPECT_EQ(r.image.ID_Address, 0x8000);
  EXPECT_EQ(r.image.ID_Text, "2600030001000200");
  EXPECT_TRUE(r.image.ID_Found);
  EXPECT_EQ(r.status.panel0, "ID: 01");
  EXPECT_EQ(r.status.panel1, "V 0.26");
  EXPECT_EQ(r.image.Version, 0.26f);

  ASSERT_TRUE(r.readAll({":02000E008C174D", ":020010003C258D", ":02001200FF1FCE", ":02001400FF3FAC"}));
  EXPECT_EQ(r.image.Config_Address, 0x8007);
  EXPECT_TRUE(r.image.Config_Found);
  EXPECT_EQ(r.image.Config, (std::array<std::string, 4>{"8C17", "3C25", "FF1F", "FF3F"}));

  ASSERT_TRUE(r.read(":04E00200110022000B"));
  EXPECT_EQ(r.image.EE_Address, 0xF000);
  EXPECT_EQ(r.image.get_Hex_EE(1), "11");
  EXPECT_EQ(r.image.get_Hex_EE(2), "22");
  EXPECT_EQ(r.image.Max_EE_Index, 2);

  // Back to the lower 64 KiB: offset 0 is program memory again.
  ASSERT_TRUE(r.read(":020000040000FA"));
  EXPECT_EQ(r.image.UpperAddress, 0);
  ASSERT_TRUE(r.read(":020000000830C6"));
  EXPECT_EQ(r.image.get_Hex_ROM(0), "08");
  EXPECT_TRUE(r.dialogs.messages.empty());
}

TEST(HexReader, Pic18324ConfigurationInOneRecordAndLaterWords) {
  Reader r;
  ASSERT_TRUE(r.readAll({":020000040001F9", ":08000E008C173C25FF1FFF3F8A"}));
  EXPECT_EQ(r.image.Config[0], "8C173C25FF1FFF3F");
  EXPECT_EQ(r.image.Config[1], "0000");

  // Words 0x8008..0x800A alone set their text but neither the address nor the flag.
  Reader s;
  ASSERT_TRUE(s.readAll({":020000040001F9", ":020012001234B6"}));
  EXPECT_EQ(s.image.Config[2], "1234");
  EXPECT_FALSE(s.image.Config_Found);
  EXPECT_EQ(s.image.Config_Address, 0);
}

TEST(HexReader, AcceptedRecordsWithoutData) {
  Reader r;
  // The end record does not stop the reader; "05" records are accepted and ignored.
  ASSERT_TRUE(r.readAll({":00000001FF", ":0400000500001234B1", ":020000000830C6"}));
  EXPECT_EQ(r.image.get_Hex_ROM(0), "08");
  EXPECT_EQ(r.image.UpperAddress, 0);
  EXPECT_TRUE(r.dialogs.messages.empty());
}

TEST(HexReader, LowerCaseLinesAreUpperCased) {
  Reader r;
  ASSERT_TRUE(r.readAll({":02000800ab3cc5", ":00000001ff", ":020000040001f9"}));
  EXPECT_EQ(r.image.get_Hex_ROM(8), "AB");
  EXPECT_EQ(r.image.get_Hex_ROM(9), "3C");
  EXPECT_EQ(r.image.UpperAddress, 0x10000);
}

TEST(HexReader, RefusedRecordsShowTheirFullMessage) {
  struct Case {
    const char* line;
    BoxKind kind;
    Buttons buttons;
    const char* text;
  } cases[] = {
      {":00000001FF ", BoxKind::Information, Buttons::Ok,
       "E202: Unerwarteter End File Record:\n:00000001FF \n\nRECLEN (Identifier 1): 00\n"
       "LOAD OFFSET (Identifier 2): 00 00\nRECTYP (Identifier 3): 01"},
      {":020000021000EC", BoxKind::Information, Buttons::Ok,
       "E203: Unerwartete Zeile im File:\n:020000021000EC\n\nRECLEN (Identifier 1): 02\n"
       "LOAD OFFSET (Identifier 2): 00 00\nRECTYP (Identifier 3): 02"},
      {":0400000300003800C1", BoxKind::Information, Buttons::Ok,
       "E204: Unerwartete Zeile im File:\n:0400000300003800C1\n\nRECLEN (Identifier 1): 04\n"
       "LOAD OFFSET (Identifier 2): 00 00\nRECTYP (Identifier 3): 03"},
      {":020000040002F8", BoxKind::Information, Buttons::Ok,
       "E205: Unerwarteter Extendet Linear Address Record:\n:020000040002F8\n\nRECLEN (Identifier "
       "1): 02\nLOAD OFFSET (Identifier 2): 00 00\nRECTYP (Identifier 3): 04"},
      {":020000040001F8", BoxKind::Information, Buttons::Ok,  // right value, wrong checksum
       "E205: Unerwarteter Extendet Linear Address Record:\n:020000040001F8\n\nRECLEN (Identifier "
       "1): 02\nLOAD OFFSET (Identifier 2): 00 00\nRECTYP (Identifier 3): 04"},
      {":00AB07XY", BoxKind::Information, Buttons::Ok,
       "E206: Unerwartete Zeile im File:\n:00AB07XY\n\nRECLEN (Identifier 1): 00\n"
       "LOAD OFFSET (Identifier 2): AB 07\nRECTYP (Identifier 3): XY"},
      // Placeholder characters in the line are shown as they are.
      {":%S%X%S%I", BoxKind::Information, Buttons::Ok,
       "E206: Unerwartete Zeile im File:\n:%S%X%S%I\n\nRECLEN (Identifier 1): %S\n"
       "LOAD OFFSET (Identifier 2): %X %S\nRECTYP (Identifier 3): %I"},
      // What get_HexString returns for a line beyond the 1024 kept ones.
      {"error", BoxKind::Information, Buttons::Ok,
       "E206: Unerwartete Zeile im File:\nerror\n\nRECLEN (Identifier 1): rr\n"
       "LOAD OFFSET (Identifier 2): or \nRECTYP (Identifier 3): "},
      {":0220000000000000", BoxKind::Information, Buttons::Ok,
       "E201: Unerwartete DATA Zeile:\n:0220000000000000\n\nRECLEN (Identifier 1): 02\n"
       "LOAD OFFSET (Identifier 2): 20 00\nRECTYP (Identifier 3): 00\nAdresse 0x1000"},
      {":02400200ABCD00", BoxKind::Information, Buttons::Ok,  // word 0x2001 is no area
       "E201: Unerwartete DATA Zeile:\n:02400200ABCD00\n\nRECLEN (Identifier 1): 02\n"
       "LOAD OFFSET (Identifier 2): 40 02\nRECTYP (Identifier 3): 00\nAdresse 0x2001"},
  };
  for (const auto& c : cases) {
    Reader r;
    EXPECT_FALSE(r.read(c.line)) << c.line;
    ASSERT_EQ(r.dialogs.messages.size(), 1u) << c.line;
    EXPECT_EQ(r.dialogs.messages[0].kind, c.kind) << c.line;
    EXPECT_EQ(r.dialogs.messages[0].buttons, c.buttons) << c.line;
    EXPECT_EQ(r.dialogs.messages[0].text, c.text) << c.line;
  }
}

TEST(HexReader, E201NamesTheWordAddressInTheUpperSegment) {
  Reader r;
  ASSERT_TRUE(r.read(":020000040001F9"));
  EXPECT_FALSE(r.read(":02FFFE000000"));
  ASSERT_EQ(r.dialogs.messages.size(), 1u);
  EXPECT_EQ(r.dialogs.messages[0].text,
            "E201: Unerwartete DATA Zeile:\n:02FFFE000000\n\nRECLEN (Identifier 1): 02\n"
            "LOAD OFFSET (Identifier 2): FF FE\nRECTYP (Identifier 3): 00\nAdresse 0xffff");
}

TEST(HexReader, VersionThatIsNotADecimalNumberEndsTheLoad) {
  struct Case {
    std::vector<std::string> lines;  // the last one fails
    std::string idText, panel0, panel1, bad;
  } cases[] = {
      {{":0840000001000A00030006009F"}, "1A36", "ID: 1", "V A.36", "A"},
      {{":084000000100020003000F00AC"}, "123F", "ID: 1", "V 2.3F", "F"},
      // Too short to reach the last version digit.
      {{":0440000001000200"}, "12", "ID: 1", "V 2.", ""},
      {{":020000040001F9", ":080000002A00030001000200CC"}, "2A00030001000200", "ID: 01", "V 0.2A",
       "2A"},
      {{":020000040001F9", ":08000000"}, "", "ID: ", "V 0.", ""},
  };
  for (const auto& c : cases) {
    Reader r;
    r.image.Version = 1.5f;  // from an earlier file; a failed conversion leaves it
    EXPECT_FALSE(r.readAll(c.lines)) << c.lines.back();
    EXPECT_EQ(r.image.ID_Text, c.idText);
    EXPECT_TRUE(r.image.ID_Found);
    EXPECT_EQ(r.status.panel0, c.panel0);
    EXPECT_EQ(r.status.panel1, c.panel1);
    EXPECT_EQ(r.image.Version, 1.5f);
    ASSERT_EQ(r.dialogs.messages.size(), 1u);
    EXPECT_EQ(r.dialogs.messages[0].kind, BoxKind::Error);
    EXPECT_EQ(r.dialogs.messages[0].buttons, Buttons::Ok);
    EXPECT_EQ(r.dialogs.messages[0].text,
              "Die Versionsnummer in der ID-Zeile ist ungültig: '" + c.bad +
                  "' ist keine Dezimalzahl.\rZeile: " + c.lines.back() +
                  "\rDas Laden wurde an dieser Stelle abgebrochen.");
  }
}

TEST(HexReader, ShortAndOddLinesNeverReadOutsideTheText) {
  // Lines that are accepted: what they hold is read by position, missing characters give
  // shorter texts (the checksum, the colon and the line length are not examined).
  {
    Reader r;
    ASSERT_TRUE(r.read(":04000000AB"));
    EXPECT_EQ(r.image.get_Hex_ROM(0), "AB");
    EXPECT_EQ(r.image.get_Hex_ROM(1), "");
    EXPECT_EQ(r.image.get_Hex_ROM(3), "");
    EXPECT_EQ(r.image.Max_ROM_Index, 3);
  }
  {
    Reader r;
    ASSERT_TRUE(r.read(":02000000A"));
    EXPECT_EQ(r.image.get_Hex_ROM(0), "A");
    EXPECT_EQ(r.image.get_Hex_ROM(1), "");
  }
  {
    Reader r;
    ASSERT_TRUE(r.read("X020008000130C5"));  // no colon
    EXPECT_EQ(r.image.get_Hex_ROM(8), "01");
  }
  {
    Reader r;
    ASSERT_TRUE(r.read(":00000000"));  // a data record with no data
    EXPECT_EQ(r.image.Max_ROM_Index, 0);
    EXPECT_EQ(r.image.get_Hex_ROM(0), "FF");
  }
  {
    Reader r;
    ASSERT_TRUE(r.read(":04400E00CC"));
    EXPECT_EQ(r.image.Config[0], "CC");
  }
  {
    // 20000 characters: a full record and a long tail that nothing reads.
    Reader r;
    std::string line = ":FF000000" + std::string(19991, '7');
    ASSERT_EQ(line.size(), 20000u);
    ASSERT_TRUE(r.read(line));
    EXPECT_EQ(r.image.get_Hex_ROM(254), "77");
    EXPECT_EQ(r.image.get_Hex_ROM(255), "3F");
    EXPECT_EQ(r.image.Max_ROM_Index, 254);
  }
  // Lines that are refused: their record type is not a known one.
  const std::string refused[] = {
      "", ":", ":0", ":0000000", std::string("\0\x01\x02\xFF\x80", 5),
      std::string(20000, '\xFF'), std::string(":1000000\0", 9),
  };
  for (const auto& line : refused) {
    Reader r;
    EXPECT_FALSE(r.read(line));
    ASSERT_EQ(r.dialogs.messages.size(), 1u);
    EXPECT_EQ(r.dialogs.messages[0].text.rfind("E206: Unerwartete Zeile im File:\n", 0), 0u);
  }
}

// Every record a file can hold is quoted whole; a line of megabytes is quoted as a short,
// marked excerpt (a message box that lays out a megabyte keeps the window busy for seconds).
TEST(HexReader, RefusedLinesAreQuotedWholeOrAsAMarkedExcerpt) {
  const std::string longest = ":FF000006" + std::string(2 * 255 + 2, 'A');  // record type 06: refused
  const std::string huge = ":FF000006" + std::string(1 << 20, 'A');
  const std::string latin = ":02000006" + std::string(700, '\xE4');
  struct Case {
    std::string line, quoted;
  } cases[] = {
      {longest, longest},
      {huge, huge.substr(0, 80) + "… (gekürzt, die Zeile ist 1048585 Zeichen lang)"},
      // Latin-1 text is made UTF-8, and the marker stays readable.
      {latin, ":02000006" + [] { std::string s; for (int i = 0; i < 71; ++i) s += "\xC3\xA4"; return s; }() +
                  "… (gekürzt, die Zeile ist 709 Zeichen lang)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QuotedLine(c.line), c.quoted);
    Reader r;
    EXPECT_FALSE(r.read(c.line));
    ASSERT_EQ(r.dialogs.messages.size(), 1u);
    EXPECT_EQ(r.dialogs.messages[0].text.rfind("E206: Unerwartete Zeile im File:\n" + c.quoted + "\n\nRECLEN", 0), 0u)
        << r.dialogs.messages[0].text.substr(0, 200);
  }
}
