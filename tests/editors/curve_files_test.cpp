#include "editors/curve_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "image/text_file.h"
#include "recording_dialogs.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;

class CurveFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("korrin_curve_files_" + std::to_string(::getpid()) + "_" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = (dir / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static std::vector<std::string> Numbers(int n, int first = 0) {
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i) lines.push_back(std::to_string(first + i));
    return lines;
  }

  fs::path dir;
  testing::RecordingDialogs dialogs;
  testing::ScriptedFileDialogs files;
};

TEST_F(CurveFiles, CurveFileWithRelayValueLoadsFourPoints) {
  CurveTable t;
  t.blocks[2][kEntryCount] = 50;
  t.blocks[2][4] = 11;
  t.blocks[2][kEntryStretch] = 9;
  files.openAnswers.push_back(Write("a.cur", "0\r\n64\n127\r192"));
  EXPECT_EQ(LoadCurveFile(t, 2, dialogs, files), CurveFileResult::Done);
  EXPECT_EQ(t.blocks[2][0], 0);
  EXPECT_EQ(t.blocks[2][1], 64);
  EXPECT_EQ(t.blocks[2][2], 127);
  EXPECT_EQ(t.blocks[2][3], 192);  // position 64 with relay on
  EXPECT_EQ(t.blocks[2][kEntryCount], 4);
  EXPECT_EQ(t.blocks[2][4], 11);
  EXPECT_EQ(t.blocks[2][kEntryStretch], 9);
  EXPECT_TRUE(dialogs.messages.empty());
  ASSERT_EQ(files.openRequests.size(), 1u);
  EXPECT_EQ(files.openRequests[0].filter, "CUR|*.cur|TXT|*.txt|*.*|*.*");
}

// A file is taken whole or not at all: a faulty line names its 0-based index and leaves the
// working copy exactly as it was (no point before it replaced, the count kept).
TEST_F(CurveFiles, FaultyCurveFileChangesNothing) {
  struct Case {
    std::vector<std::string> lines;
    std::string message;
  };
  const std::string bad = "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile ";
  const std::string empty = "Dieses File ist leer (kein Zahlenwert)";
  std::vector<std::string> longWithBadLine = Numbers(120);
  longWithBadLine[99] = "9x";
  std::vector<std::string> longWithBadTail = Numbers(120);
  longWithBadTail[100] = "x";  // beyond the first 100 lines: never read
  const Case cases[] = {
      {{"5", "x5", "7"}, bad + "1"},
      {{"5", ""}, bad + "1"},
      {{"5", "6", "1.5"}, bad + "2"},
      {{"x"}, bad + "0"},
      {{}, empty},                    // no bytes, or only a byte-order mark
      {{""}, empty},                  // one line end
      {{"", " ", "\t"}, empty},      // nothing but blanks
      {{"", "5"}, bad + "0"},         // an empty line before a number is a faulty line
  };
  for (const Case& c : cases) {
    CurveTable t;
    t.blocks[0][kEntryCount] = 10;
    t.blocks[0][0] = 99;
    t.blocks[0][1] = 98;
    const CurveTable before = t;
    dialogs.clear();
    EXPECT_FALSE(ApplyCurveFileLines(t, 0, c.lines, dialogs)) << c.message;
    ASSERT_EQ(dialogs.messages.size(), 1u) << c.message;
    EXPECT_EQ(dialogs.messages[0].text, c.message);
    EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
    EXPECT_EQ(t.blocks, before.blocks) << c.message;
  }
  // Longer than 100 lines: the warning about the cut, then the faulty line; still nothing taken.
  CurveTable t;
  const CurveTable before = t;
  dialogs.clear();
  EXPECT_FALSE(ApplyCurveFileLines(t, 3, longWithBadLine, dialogs));
  EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Nur die ersten 100 Zeilen dieses File werden verwendet",
                                                      bad + "99"}));
  EXPECT_EQ(t.blocks, before.blocks);
  dialogs.clear();
  EXPECT_TRUE(ApplyCurveFileLines(t, 3, longWithBadTail, dialogs));
  EXPECT_EQ(t.blocks[3][kEntryCount], 100);
  EXPECT_EQ(t.blocks[3][99], 99);
}

// The file on disk: an empty one says so instead of naming a line.
TEST_F(CurveFiles, EmptyFilesSayTheyAreEmpty) {
  CurveTable t;
  t.blocks[1][kEntryCount] = 7;
  const CurveTable before = t;
  for (const char* bytes : {"", "\xEF\xBB\xBF", "\r\n", "\n\n  \n"}) {
    dialogs.clear();
    EXPECT_EQ(LoadCurveFileFrom(t, 1, Write("empty.cur", bytes), dialogs), CurveFileResult::Failed);
    EXPECT_EQ(LoadSetFileFrom(t, Write("empty.set", bytes), dialogs), CurveFileResult::Failed);
    EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Dieses File ist leer (kein Zahlenwert)",
                                                        "Dieses File ist leer (kein Zahlenwert)"}));
    EXPECT_EQ(t.blocks, before.blocks);
  }
}

TEST_F(CurveFiles, LongCurveFileIsCutAndValuesAreLimited) {
  CurveTable t;
  auto lines = Numbers(120, 200);
  lines[0] = "-5";
  lines[1] = " 77 ";
  EXPECT_TRUE(ApplyCurveFileLines(t, 1, lines, dialogs));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Nur die ersten 100 Zeilen dieses File werden verwendet");
  EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
  EXPECT_EQ(t.blocks[1][0], 0);  // a negative number never reaches a table byte
  EXPECT_EQ(t.blocks[1][1], 77);
  EXPECT_EQ(t.blocks[1][2], 202);
  EXPECT_EQ(t.blocks[1][99], 255);  // 299 taken as 255
  EXPECT_EQ(t.blocks[1][kEntryCount], 100);
  EXPECT_EQ(t.blocks[1][100], 0);
}

TEST_F(CurveFiles, SavedCurveFileHasCountLinesWithCrLf) {
  CurveTable t;
  t.blocks[1][kEntryCount] = 3;
  t.blocks[1][0] = 0;
  t.blocks[1][1] = 192;
  t.blocks[1][2] = 127;
  std::string path = (dir / "out.cur").string();
  files.saveAnswers.push_back(path);
  EXPECT_EQ(SaveCurveFile(t, 1, dialogs, files), CurveFileResult::Done);
  EXPECT_EQ(Read(path), "0\r\n192\r\n127\r\n");
  EXPECT_EQ(files.saveRequests.at(0).defaultExtension, "CUR");

  t.blocks[1][kEntryCount] = 1;
  files.saveAnswers.push_back(path);
  SaveCurveFile(t, 1, dialogs, files);
  EXPECT_EQ(Read(path), "0\r\n");
  t.blocks[1][kEntryCount] = 0;  // drawn and saved as one point
  EXPECT_EQ(CurveFileLines(t.blocks[1]).size(), 1u);
  t.blocks[1][kEntryCount] = 180;
  EXPECT_EQ(CurveFileLines(t.blocks[1]).size(), 100u);
}

TEST_F(CurveFiles, SetFileSavedAndLoadedReproducesBothTables) {
  CurveTable original;
  for (int b = 0; b < 4; ++b)
    for (int j = 0; j < 128; ++j) original.blocks[static_cast<size_t>(b)][static_cast<size_t>(j)] = (b * 61 + j * 7) & 0xFF;
  std::string path = (dir / "all.set").string();
  files.saveAnswers.push_back(path);
  ASSERT_EQ(SaveSetFile(original, dialogs, files), CurveFileResult::Done);
  EXPECT_EQ(files.saveRequests.at(0).filter, "SET|*.set|TXT|*.txt|*.*|*.*");
  EXPECT_EQ(files.saveRequests.at(0).defaultExtension, "SET");

  auto lines = SplitLines(Read(path));
  ASSERT_EQ(lines.size(), 512u);
  // Counts of the four curves on lines 202, 458, 203 and 459.
  EXPECT_EQ(lines[202], std::to_string(original.blocks[0][101]));
  EXPECT_EQ(lines[458], std::to_string(original.blocks[1][101]));
  EXPECT_EQ(lines[203], std::to_string(original.blocks[2][101]));
  EXPECT_EQ(lines[459], std::to_string(original.blocks[3][101]));

  CurveTable loaded;
  files.openAnswers.push_back(path);
  ASSERT_EQ(LoadSetFile(loaded, dialogs, files), CurveFileResult::Done);
  EXPECT_EQ(loaded.blocks, original.blocks);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CurveFiles, FaultySetFilesChangeNothing) {
  auto badSecondOfPair = Numbers(512);
  badSecondOfPair[7] = "1.5";
  auto badLast = Numbers(512);
  badLast[511] = "";
  struct Case {
    std::vector<std::string> lines;
    std::string message;
  };
  const Case cases[] = {
      // 511 lines: the last pair is incomplete and named by its first line.
      {Numbers(511), "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 510"},
      {Numbers(513), "Dieses File hat zu viele Zeilen (max. 512)"},
      // A bad second line of a pair names the pair's first line.
      {badSecondOfPair, "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 6"},
      {badLast, "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 510"},
      {{}, "Dieses File ist leer (kein Zahlenwert)"},
  };
  for (const Case& c : cases) {
    CurveTable t;
    for (auto& block : t.blocks) block.fill(42);
    const CurveTable before = t;
    dialogs.clear();
    EXPECT_FALSE(ApplySetFileLines(t, c.lines, dialogs)) << c.message;
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(t.blocks, before.blocks) << c.message;  // not even the pairs before the faulty one
  }
  // Values are limited to a table byte.
  CurveTable t;
  dialogs.clear();
  EXPECT_TRUE(ApplySetFileLines(t, Numbers(512, -100), dialogs));
  EXPECT_EQ(t.tableEntry(0, 0), 0);
  EXPECT_EQ(t.tableEntry(0, 254), 255);  // line 508 holds 408
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CurveFiles, BomAndCancelAndUnreadableFile) {
  CurveTable t;
  files.openAnswers.push_back(Write("bom.cur", "\xEF\xBB\xBF" "12\r\n13\r\n"));
  EXPECT_EQ(LoadCurveFile(t, 0, dialogs, files), CurveFileResult::Done);
  EXPECT_EQ(t.blocks[0][0], 12);
  EXPECT_EQ(t.blocks[0][kEntryCount], 2);

  CurveTable before = t;
  EXPECT_EQ(LoadCurveFile(t, 0, dialogs, files), CurveFileResult::Cancelled);
  EXPECT_EQ(SaveSetFile(t, dialogs, files), CurveFileResult::Cancelled);
  EXPECT_EQ(t.blocks, before.blocks);
  EXPECT_TRUE(dialogs.messages.empty());

  files.openAnswers.push_back((dir / "missing.set").string());
  EXPECT_EQ(LoadSetFile(t, dialogs, files), CurveFileResult::Failed);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_EQ(t.blocks, before.blocks);
}

}  // namespace
}  // namespace korrin
