// Whole files through reader and writer: the written file reads back into the same image,
// every line is well formed, and an independent Intel HEX tool accepts it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "hex_line_check.h"
#include "image/hex_reader.h"
#include "image/hex_writer.h"
#include "image/text_file.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::HexLineProblem;
using korrin::testing::RecordingDialogs;

namespace {

std::string Fixture(const char* name) { return std::string(KORRIN_FIXTURES) + "/" + name; }

// The load as the main window runs it: store the lines, reset, read every non-empty line.
struct Loaded {
  RecordingDialogs dialogs;
  FirmwareImage image{&dialogs};
  HexReadStatus status;

  bool load(const std::vector<std::string>& lines) {
    image.StoreLines(lines);
    image.ResetForNewFile();
    for (int32_t k = 0; k < image.HexStringCount; ++k) {
      std::string line = image.get_HexString(k);
      if (!line.empty() && !ReadHexLine(image, line, dialogs, status)) return false;
    }
    return true;
  }
  std::vector<std::string> write() {
    int32_t count = WriteHexImage(image, dialogs);
    return std::vector<std::string>(image.HexString.begin(), image.HexString.begin() + count);
  }
};

void ExpectSameContents(const FirmwareImage& a, const FirmwareImage& b) {
  EXPECT_EQ(a.Hex_ROM, b.Hex_ROM);
  EXPECT_EQ(a.Hex_EE, b.Hex_EE);
  EXPECT_EQ(a.Max_ROM_Index, b.Max_ROM_Index);
  EXPECT_EQ(a.Max_EE_Index, b.Max_EE_Index);
  EXPECT_EQ(a.ID_Text, b.ID_Text);
  EXPECT_EQ(a.ID_Found, b.ID_Found);
  EXPECT_EQ(a.ID_Address, b.ID_Address);
  EXPECT_EQ(a.Version, b.Version);
  EXPECT_EQ(a.Config, b.Config);
  EXPECT_EQ(a.Config_Found, b.Config_Found);
  EXPECT_EQ(a.Config_Address, b.Config_Address);
  EXPECT_EQ(a.EE_Address, b.EE_Address);
}

bool HaveTool(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string TempFile(const std::string& name) {
  return (std::filesystem::path(::testing::TempDir()) / ("korrin_hexio_" + name)).string();
}

struct FileCase {
  const char* file;
  int32_t pic;  // as the catalogue would assign it; 0 = not recognised
};

const FileCase kFiles[] = {
    {"hex_midrange_inhx8m.hex", 684},
    {"hex_midrange_inhx8m.hex", 676},
    {"hex_midrange_inhx8m.hex", 0},
    {"hex_pic18324.hex", 18324},
    {"hex_pic18324.hex", 0},
    {"hex_pic18324_config_one_record.hex", 18324},
    {"hex_pic18324_config_one_record.hex", 0},
};

}  // namespace

TEST(HexRoundTrip, FixturesLoadAsExpected) {
  Loaded mid;
  auto lines = ReadTextLines(Fixture("hex_midrange_inhx8m.hex"));
  ASSERT_TRUE(lines);
  ASSERT_TRUE(mid.load(*lines));
  EXPECT_EQ(mid.image.programWord(0), 0x3067);
  EXPECT_EQ(mid.image.programWord(0x3FF), 0x3333);
  EXPECT_EQ(mid.image.programWord(0x20), 0x3FFF);  // gap
  EXPECT_EQ(mid.image.Max_ROM_Index, 0x7FF);
  EXPECT_EQ(mid.image.ID_Text, "5326");
  EXPECT_EQ(mid.image.Version, 3.26f);
  EXPECT_EQ(mid.status.panel0, "ID: 5");
  EXPECT_EQ(mid.status.panel1, "V 3.26");
  EXPECT_EQ(mid.image.Config[0], "C431");
  EXPECT_EQ(mid.image.get_Hex_EE(8), "81");
  EXPECT_EQ(mid.image.get_Hex_EE(0x10), "01");
  EXPECT_EQ(mid.image.get_Hex_EE(0x12), "03");
  EXPECT_EQ(mid.image.get_Hex_EE(0x13), "FF");
  EXPECT_EQ(mid.image.get_Hex_EE(255), "5A");
  EXPECT_TRUE(mid.dialogs.messages.empty());

  Loaded pic;
  lines = ReadTextLines(Fixture("hex_pic18324.hex"));
  ASSERT_TRUE(lines);
  ASSERT_TRUE(pic.load(*lines));
  EXPECT_EQ(pic.image.ID_Text, "2600030001000200");
  EXPECT_EQ(pic.image.Version, 0.26f);
  EXPECT_EQ(pic.image.Config, (std::array<std::string, 4>{"8C17", "3C25", "FF1F", "FF3F"}));
  EXPECT_EQ(pic.image.EE_Address, 0xF000);
  EXPECT_EQ(pic.image.get_Hex_EE(9), "70");
  EXPECT_EQ(pic.image.Max_EE_Index, 9);
  EXPECT_EQ(pic.image.Max_ROM_Index, 0x51);
}

TEST(HexRoundTrip, WrittenFilesReadBackIntoTheSameImage) {
  for (const auto& c : kFiles) {
    SCOPED_TRACE(std::string(c.file) + " PIC " + std::to_string(c.pic));
    auto lines = ReadTextLines(Fixture(c.file));
    ASSERT_TRUE(lines);
    Loaded first;
    ASSERT_TRUE(first.load(*lines));
    first.image.PIC = c.pic;
    auto written = first.write();
    ASSERT_FALSE(written.empty());
    for (const auto& l : written) EXPECT_EQ(HexLineProblem(l), "") << l;
    EXPECT_TRUE(first.dialogs.messages.empty());

    Loaded second;
    ASSERT_TRUE(second.load(written));
    EXPECT_TRUE(second.dialogs.messages.empty());
    ExpectSameContents(first.image, second.image);
    // Saving the reloaded image gives the same file again.
    second.image.PIC = c.pic;
    EXPECT_EQ(second.write(), written);
  }
}

TEST(HexRoundTrip, CanonicalFileIsWrittenUnchanged) {
  // The 16F18324 fixture is already in the writer's form (aligned records, one ID record,
  // four configuration records): saving it reproduces it line by line.
  auto lines = ReadTextLines(Fixture("hex_pic18324.hex"));
  ASSERT_TRUE(lines);
  Loaded image;
  ASSERT_TRUE(image.load(*lines));
  image.image.PIC = 18324;
  EXPECT_EQ(image.write(), *lines);
}

TEST(HexRoundTrip, IndependentCheckerAcceptsWrittenFiles) {
  if (!HaveTool("srec_cat")) GTEST_SKIP() << "srec_cat (Debian package srecord) is not installed";
  int index = 0;
  for (const auto& c : kFiles) {
    SCOPED_TRACE(std::string(c.file) + " PIC " + std::to_string(c.pic));
    auto lines = ReadTextLines(Fixture(c.file));
    ASSERT_TRUE(lines);
    Loaded image;
    ASSERT_TRUE(image.load(*lines));
    image.image.PIC = c.pic;
    auto written = image.write();
    ASSERT_FALSE(written.empty());
    std::string path = TempFile("written" + std::to_string(index++) + ".hex");
    std::string error;
    ASSERT_TRUE(WriteTextLinesSafely(path, written, &error)) << error;
    EXPECT_EQ(std::system(("srec_cat '" + path + "' -intel -o /dev/null 2>/dev/null").c_str()), 0);
    // Same memory contents as the loaded file (no gaps in this fixture, so nothing is filled).
    if (std::string(c.file) == "hex_pic18324.hex" && HaveTool("srec_cmp")) {
      EXPECT_EQ(std::system(("srec_cmp '" + Fixture(c.file) + "' -intel '" + path +
                             "' -intel >/dev/null 2>&1")
                                .c_str()),
                0);
    }
    std::filesystem::remove(path);
  }
  // The checker does refuse a broken record, so the results above mean something.
  std::string bad = TempFile("bad.hex");
  ASSERT_TRUE(WriteTextLinesSafely(bad, {":020000001230BD", ":00000001FF"}));
  EXPECT_NE(std::system(("srec_cat '" + bad + "' -intel -o /dev/null 2>/dev/null").c_str()), 0);
  std::filesystem::remove(bad);
}
