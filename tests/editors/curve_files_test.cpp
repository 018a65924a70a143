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

TEST_F(CurveFiles, BadCurveLineStopsWithItsIndex) {
  CurveTable t;
  t.blocks[0][kEntryCount] = 10;
  t.blocks[0][0] = 99;
  t.blocks[0][1] = 98;
  EXPECT_FALSE(ApplyCurveFileLines(t, 0, {"5", "x5", "7"}, dialogs));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 1");
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
  EXPECT_EQ(t.blocks[0][0], 5);   // already replaced
  EXPECT_EQ(t.blocks[0][1], 98);  // not reached
  EXPECT_EQ(t.blocks[0][kEntryCount], 10);

  dialogs.clear();
  EXPECT_FALSE(ApplyCurveFileLines(t, 0, {"5", ""}, dialogs));
  EXPECT_EQ(dialogs.texts().at(0), "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 1");
  dialogs.clear();
  EXPECT_FALSE(ApplyCurveFileLines(t, 0, {}, dialogs));
  EXPECT_EQ(dialogs.texts().at(0), "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 0");
  EXPECT_EQ(t.blocks[0][kEntryCount], 10);
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

TEST_F(CurveFiles, FaultySetFiles) {
  CurveTable t;
  // 511 lines: the last pair is incomplete and named by its first line.
  EXPECT_FALSE(ApplySetFileLines(t, Numbers(511), dialogs));
  EXPECT_EQ(dialogs.texts().at(0), "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 510");
  EXPECT_EQ(t.tableEntry(0, 100), 200);  // the pairs before it stay taken
  EXPECT_EQ(t.tableEntry(1, 100), 201);
  EXPECT_EQ(t.tableEntry(0, 254), 255);  // line 508 taken as 255

  dialogs.clear();
  CurveTable untouched;
  untouched.blocks[0][0] = 42;
  EXPECT_FALSE(ApplySetFileLines(untouched, Numbers(513), dialogs));
  EXPECT_EQ(dialogs.texts().at(0), "Dieses File hat zu viele Zeilen (max. 512)");
  EXPECT_EQ(untouched.blocks[0][0], 42);

  // A bad second line of a pair names the pair's first line; the pair is not taken.
  dialogs.clear();
  auto lines = Numbers(512);
  lines[7] = "1.5";
  CurveTable part;
  part.setTableEntry(0, 3, 99);
  EXPECT_FALSE(ApplySetFileLines(part, lines, dialogs));
  EXPECT_EQ(dialogs.texts().at(0), "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 6");
  EXPECT_EQ(part.tableEntry(0, 2), 4);
  EXPECT_EQ(part.tableEntry(1, 2), 5);
  EXPECT_EQ(part.tableEntry(0, 3), 99);
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
