// The save sequence of the document: the save dialog, what is written, the questions and
// messages that stop a save, and that a failed save never damages the file already there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/document.h"
#include "recording_dialogs.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::RecordingDialogs;
using testing::ScriptedFileDialogs;

std::string Fixture(const std::string& name) { return std::string(KORRIN_FIXTURES) + "/" + name; }

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class SaveSequence : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("korrin_save_sequence_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  void Load(const std::string& name) {
    ASSERT_EQ(doc.LoadHexFile(Fixture(name)), LoadResult::Loaded);
    dialogs.clear();
  }
  std::vector<fs::path> FilesInDir() const {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(dir)) out.push_back(e.path());
    return out;
  }

  fs::path dir;
  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  Document doc{dialogs, files};
};

class FakePendingEditor : public PendingEditor {
 public:
  bool pending = true;
  int applied = 0;
  bool hasPendingChanges() const override { return pending; }
  void applyPendingChanges() override {
    ++applied;
    pending = false;
  }
};

TEST_F(SaveSequence, CancelledDialogWritesNothing) {
  Load("mot_switching.hex");
  EXPECT_EQ(doc.SaveHexFile(), SaveResult::Cancelled);
  ASSERT_EQ(files.saveRequests.size(), 1u);
  EXPECT_EQ(files.saveRequests[0].filter, "HEX|*.hex|TXT|*.txt|*.*|*.*");
  EXPECT_EQ(files.saveRequests[0].defaultExtension, "hex");
  EXPECT_EQ(files.saveRequests[0].presetName, Fixture("mot_switching.hex"));
  EXPECT_EQ(doc.statusPanels[3], Fixture("mot_switching.hex"));
  EXPECT_TRUE(FilesInDir().empty());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SaveSequence, TwoSavesWriteIdenticalFilesWithCrLf) {
  Load("mot_switching.hex");
  const fs::path a = dir / "a.hex", b = dir / "b";  // b without extension gets ".hex"
  files.saveAnswers = {a.string(), b.string()};
  EXPECT_EQ(doc.SaveHexFile(), SaveResult::Saved);
  EXPECT_EQ(doc.statusPanels[3], a.string());
  EXPECT_EQ(doc.SaveHexFile(), SaveResult::Saved);
  EXPECT_EQ(doc.statusPanels[3], (dir / "b.hex").string());
  EXPECT_EQ(doc.LastFileName, Fixture("mot_switching.hex"));  // a save keeps the loaded name

  const std::string first = ReadAll(a), second = ReadAll(dir / "b.hex");
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(first, second);
  // The fixture was written by the same writer: loading and saving changes nothing.
  EXPECT_EQ(first, ReadAll(Fixture("mot_switching.hex")));
  EXPECT_EQ(first.substr(0, 17), ":020000040000FA\r\n");
  EXPECT_EQ(first.substr(first.size() - 13), ":00000001FF\r\n");
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SaveSequence, EditedRowsAreStoredAndReadBack) {
  Load("dcc_function.hex");
  doc.rows[1].addressText = "4000";
  doc.rows[1].functionText = "11";
  const fs::path out = dir / "edited.hex";
  ASSERT_EQ(doc.SaveTo(out.string()), SaveResult::Saved);

  RecordingDialogs again;
  Document back(again, files);
  ASSERT_EQ(back.LoadHexFile(out.string()), LoadResult::Loaded);
  EXPECT_TRUE(again.messages.empty());
  EXPECT_EQ(back.rows[1].addressText, "4000");
  EXPECT_EQ(back.rows[1].functionText, "11");
  EXPECT_EQ(back.rows[2].addressText, "3");  // untouched rows keep their values
  EXPECT_EQ(back.rows[2].functionText, "1");
}

TEST_F(SaveSequence, RowValidationStopsWithItsMessageAndFocus) {
  struct Case {
    const char* file;
    int row;
    const char* address;   // nullptr: leave as loaded
    const char* function;  // nullptr: leave as loaded
    const char* message;
    RowFocus focus;
  };
  const Case cases[] = {
      {"mot_switching.hex", 1, "abc", nullptr, "Ungültige Eingabe für <Weiche> ", {1, RowEdit::Address}},
      {"mot_switching.hex", 2, "", nullptr, "Ungültige Eingabe für <Licht> ", {2, RowEdit::Address}},
      {"mot_switching.hex", 1, "-1", nullptr, "Adresse für <Weiche> ist zu klein", {1, RowEdit::Address}},
      {"mot_switching.hex", 2, "321", nullptr, "Adresse für <Licht> ist zu gross", {2, RowEdit::Address}},
      {"dcc_switching.hex", 4, "2045", nullptr, "Adresse für <Ausgang / Out 4> ist zu gross", {4, RowEdit::Address}},
      {"mot_function.hex", 3, nullptr, "x", "Ungültige Eingabe Funktion von <Ausgang / Out 3> ", {3, RowEdit::Function}},
      {"mot_function.hex", 1, nullptr, "5", "Funktions-Nummer für <Ausgang / Out 1> ist zu gross", {1, RowEdit::Function}},
      {"mot_function.hex", 2, "256", nullptr, "Adresse für <Ausgang / Out 2> ist zu gross", {2, RowEdit::Address}},
      {"dcc_function.hex", 2, nullptr, "13", "Funktions-Nummer für <Ausgang / Out 2> ist zu gross", {2, RowEdit::Function}},
      {"dcc_function.hex", 5, "16129", nullptr, "Adresse für <Ausgang / Out 5> ist zu gross", {5, RowEdit::Address}},
      {"turntable48.hex", 16, "17", nullptr,
       "<Position9> und <Position24> werden in denselben EEPROM-Zellen gespeichert.\r"
       "Bitte für beide dieselbe Adresse und dieselbe Farbe (R/G) einstellen.",
       {31, RowEdit::Address}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " row " + std::to_string(c.row));
    Load(c.file);
    files.saveRequests.clear();
    files.saveAnswers = {(dir / "out.hex").string()};
    if (c.address) doc.rows[c.row].addressText = c.address;
    if (c.function) doc.rows[c.row].functionText = c.function;
    EXPECT_EQ(doc.SaveHexFile(), SaveResult::RowError);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, c.message);
    EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
    EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
    EXPECT_EQ(doc.focus, c.focus);
    EXPECT_TRUE(files.saveRequests.empty());
    EXPECT_TRUE(FilesInDir().empty());
  }
}

TEST_F(SaveSequence, FunctionNumbersAreCheckedBeforeAnyAddress) {
  Load("mot_function.hex");
  doc.rows[1].addressText = "999";
  doc.rows[4].functionText = "0x";
  EXPECT_EQ(doc.SaveHexFile(), SaveResult::RowError);
  EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Ungültige Eingabe Funktion von <Ausgang / Out 4> "}));
  EXPECT_EQ(doc.focus, (RowFocus{4, RowEdit::Function}));
}

TEST_F(SaveSequence, PendingEditorChangesAreAppliedOrTheSaveStops) {
  Load("mot_switching.hex");  // its shown editor keeps no working copy
  FakePendingEditor idle, editor;
  idle.pending = false;
  doc.pendingEditors = {&idle, &editor};

  dialogs.script = {Answer::No};
  files.saveAnswers = {(dir / "no.hex").string()};
  EXPECT_EQ(doc.SaveHexFile(), SaveResult::NotApplied);
  EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Geänderte Werte übernehmen?"}));
  EXPECT_EQ(dialogs.messages[0].buttons, Buttons::YesNo);
  EXPECT_EQ(editor.applied, 0);
  EXPECT_TRUE(editor.pending);  // the changes stay in the editor
  EXPECT_TRUE(files.saveRequests.empty());
  EXPECT_TRUE(FilesInDir().empty());

  dialogs.clear();
  dialogs.script = {Answer::Yes};
  EXPECT_EQ(doc.SaveHexFile(), SaveResult::Saved);
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(editor.applied, 1);
  EXPECT_EQ(idle.applied, 0);
  EXPECT_TRUE(fs::exists(dir / "no.hex"));
}

TEST_F(SaveSequence, ChecksumFailureShowsTheMessageAndWritesNothing) {
  Load("mot_switching.hex");
  const fs::path target = dir / "old.hex";
  std::ofstream(target, std::ios::binary) << "old content\r\n";
  doc.image.set_Hex_EE(0x30, "ZZ");  // a cell outside every row slot
  files.saveAnswers = {target.string()};
  EXPECT_EQ(doc.SaveHexFile(), SaveResult::ChecksumError);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Problem bei der Checksummen-Berechnung");
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
  EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
  EXPECT_TRUE(files.saveRequests.empty());  // no dialog after the failure
  EXPECT_EQ(ReadAll(target), "old content\r\n");
  EXPECT_EQ(FilesInDir().size(), 1u);
}

TEST_F(SaveSequence, MissingFolderFailsAndSaysSo) {
  Load("mot_switching.hex");
  const fs::path target = dir / "no_such_folder" / "out.hex";
  files.saveAnswers = {target.string()};
  EXPECT_EQ(doc.SaveHexFile(), SaveResult::WriteFailed);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_FALSE(dialogs.messages[0].text.empty());
  EXPECT_FALSE(fs::exists(target));
  EXPECT_TRUE(FilesInDir().empty());
}

TEST_F(SaveSequence, FailedVerificationKeepsTheOldFile) {
  Load("mot_switching.hex");
  const fs::path target = dir / "keep.hex";
  std::ofstream(target, std::ios::binary) << "old content\r\n";
  // A lower-case cell is written as it is but reads back upper-cased, so the written file
  // does not hold the image that was saved.
  doc.image.set_Hex_ROM(20, "ab");
  files.saveAnswers = {target.string()};
  EXPECT_EQ(doc.SaveHexFile(), SaveResult::WriteFailed);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("Die gespeicherte Datei stimmt nicht mit den Daten überein: "
                                          "der Programmspeicher weicht ab. Die bisherige Datei bleibt unverändert."),
            std::string::npos)
      << dialogs.messages[0].text;
  EXPECT_EQ(ReadAll(target), "old content\r\n");
  EXPECT_EQ(FilesInDir(), (std::vector<fs::path>{target}));  // no temporary file left behind
}

}  // namespace
}  // namespace korrin
