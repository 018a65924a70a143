// Unsaved changes: the history's saved state (which undo and redo reach, which a new step after
// undoing past it loses) and the question the document asks before its file is replaced.
#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

#include "app/document.h"
#include "hex_builder.h"
#include "recording_dialogs.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::RecordingDialogs;
using testing::ScriptedFileDialogs;

std::string Example(const std::string& name) { return std::string(KORRIN_EXAMPLES) + "/" + name; }

class UnsavedChanges : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("korrin-unsaved-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  void Load(const std::string& path) {
    ASSERT_EQ(doc.LoadHexFile(path), LoadResult::Loaded);
    ASSERT_NE(doc.ShownEditor(), nullptr);
    dialogs.clear();
  }
  SetOutcome Set(const std::string& key, const std::string& value) { return doc.ShownEditor()->Set(key, value); }
  std::string Out(const std::string& name) const { return (dir / name).string(); }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  Document doc{dialogs, files};
  fs::path dir;
};

// One action on the CV table and whether the document then differs from its file.
struct SavedStateCase {
  const char* action;  // "cv29=10" sets and commits, "undo", "redo", "save", "load"
  bool modified;
};

TEST_F(UnsavedChanges, UndoAndRedoReachTheSavedStateUntilANewStepDropsIt) {
  Load(Example("fenwik_18324_cv.hex"));
  const SavedStateCase cases[] = {
      {"cv29=10", true}, {"undo", false},                  // back to the loaded file
      {"redo", true},    {"save", false}, {"undo", true},  // the file on disk now holds CV29 = 10
      {"redo", false},                                     // forward to the saved state
      {"cv1=5", true},   {"cv1=5", true},                  // the same value: no step
      {"undo", false},   {"undo", true},                   // past the saved state
      {"cv1=7", true},                                     // a new step drops the way forward to the saved state ...
      {"undo", true},                                      // ... for good
      {"redo", true},    {"load", false}, {"cv1=9", true}, {"save", false}, {"save", false},  // saving again changes nothing
  };
  int saves = 0;
  for (const SavedStateCase& c : cases) {
    SCOPED_TRACE(c.action);
    const std::string action = c.action;
    if (action == "undo") {
      doc.history.Undo();
    } else if (action == "redo") {
      doc.history.Redo();
    } else if (action == "save") {
      ASSERT_EQ(doc.SaveTo(Out("saved" + std::to_string(++saves) + ".hex")), SaveResult::Saved);
    } else if (action == "load") {
      Load(Example("fenwik_18324_cv.hex"));
    } else {
      const size_t op = action.find('=');
      ASSERT_EQ(Set(action.substr(0, op), action.substr(op + 1)), SetOutcome::Done);
      doc.history.Commit();
    }
    EXPECT_EQ(doc.IsModified(), c.modified);
  }
}

// The oldest steps go once the history is full: the saved state moves with the steps that are
// kept, and is lost once the step leading to it is gone.
TEST_F(UnsavedChanges, SavedStateFollowsTheStepsKept) {
  Load(Example("fenwik_18324_cv.hex"));
  ASSERT_EQ(Set("cv1", "1"), SetOutcome::Done);
  doc.history.Commit();
  ASSERT_EQ(doc.SaveTo(Out("one.hex")), SaveResult::Saved);
  for (size_t i = 2; i <= History::kMaxSteps + 1; ++i) {  // one step more than is kept
    ASSERT_EQ(Set("cv1", std::to_string(i)), SetOutcome::Done);
    ASSERT_EQ(doc.history.RedoCount(), 0u);  // the edit recorded its own step
    ASSERT_FALSE(doc.history.Commit());
  }
  while (doc.history.Undo()) {
  }
  EXPECT_FALSE(doc.IsModified());  // the oldest step kept starts from the saved state

  ASSERT_EQ(Set("cv1", "200"), SetOutcome::Done);
  doc.history.Commit();
  for (size_t i = 1; i <= History::kMaxSteps; ++i) {
    ASSERT_EQ(Set("cv1", std::to_string(i)), SetOutcome::Done);
    ASSERT_EQ(doc.history.RedoCount(), 0u);  // the edit recorded its own step
    ASSERT_FALSE(doc.history.Commit());
  }
  while (doc.history.Undo()) {
  }
  EXPECT_TRUE(doc.IsModified());  // the step from the saved state is gone: never clean again
}

// How the question goes, for each answer: Speichern saves through the save dialog and goes on
// only when the file was written; Verwerfen goes on; Abbrechen stays.
struct QuestionCase {
  const char* name;
  std::vector<Answer> answers;  // to the question, then to the save's own question
  bool saveDialogGivesFile;
  bool goesOn;
  bool written;
};

TEST_F(UnsavedChanges, QuestionAndAnswers) {
  const QuestionCase cases[] = {
      {"Speichern", {Answer::Save}, true, true, true},
      {"Speichern, Dialog abgebrochen", {Answer::Save}, false, false, false},
      {"Verwerfen", {Answer::Discard}, true, true, false},
      {"Abbrechen", {Answer::Cancel}, true, false, false},
  };
  for (const QuestionCase& c : cases) {
    SCOPED_TRACE(c.name);
    Load(Example("fenwik_18324_cv.hex"));
    ASSERT_EQ(Set("cv29", "10"), SetOutcome::Done);
    EXPECT_TRUE(doc.IsModified());  // the edit is a step at once, without a commit
    const std::string out = Out("out.hex");
    fs::remove(out);
    files.saveAnswers.clear();
    if (c.saveDialogGivesFile) files.saveAnswers.push_back(out);
    dialogs.script.assign(c.answers.begin(), c.answers.end());

    EXPECT_EQ(doc.ConfirmDiscardChanges(), c.goesOn);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.messages[0].text, "Die Änderungen an fenwik_18324_cv.hex speichern?");
    EXPECT_EQ(dialogs.messages[0].buttons, Buttons::SaveDiscardCancel);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(fs::exists(out), c.written);
    EXPECT_EQ(doc.IsModified(), !c.written);
    EXPECT_EQ(doc.history.UndoName(), "CV29 ändern");  // the change is kept as a step to undo
  }
}

// Without changes there is no question; a change undone is none either.
TEST_F(UnsavedChanges, NoQuestionWithoutChanges) {
  EXPECT_TRUE(doc.ConfirmDiscardChanges());  // nothing loaded
  Load(Example("fenwik_18324_cv.hex"));
  EXPECT_TRUE(doc.ConfirmDiscardChanges());
  ASSERT_EQ(Set("cv29", "10"), SetOutcome::Done);
  doc.history.Commit();
  doc.history.Undo();
  EXPECT_TRUE(doc.ConfirmDiscardChanges());
  EXPECT_TRUE(dialogs.messages.empty());

  // A file whose load leaves the working copy pending (an erased LED pattern table is
  // limited to its ranges, "Übernehmen" is offered) has no changes of the user.
  const std::string erased = Out("led_erased.hex");
  testing::MidRangeHex::Decoder(0xDD, 0x01, 0x00, 0x1905).write(erased);  // identifier 477, DCC
  Load(erased);
  ASSERT_EQ(doc.layout.frameKind, FrameKind::LedBlink);
  ASSERT_TRUE(doc.ShownEditor()->hasPendingChanges());
  EXPECT_TRUE(doc.ConfirmDiscardChanges());
  EXPECT_TRUE(dialogs.messages.empty());
}

// A change of a working copy not yet applied counts. Speichern goes through the save's own
// question "Geänderte Werte übernehmen?": Ja applies and saves, Nein saves nothing and stays.
TEST_F(UnsavedChanges, PendingWorkingCopies) {
  struct Case {
    const char* example;
    const char* key;
    const char* values[2];  // the first one that differs from the loaded value is set
    Answer apply;
    bool goesOn;
  } cases[] = {
      {"blinkmuster_mot.hex", "muster1.loop", {"0", "1"}, Answer::Yes, true},
      {"blinkmuster_mot.hex", "muster1.loop", {"0", "1"}, Answer::No, false},
      {"servo_tamb4_dcc.hex", "kurve1.anzahl", {"10", "20"}, Answer::Yes, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.example) + (c.apply == Answer::Yes ? " Ja" : " Nein"));
    Load(Example(c.example));
    EditorModel& model = *doc.ShownEditor();
    std::string value;
    for (const EditorSetting& s : model.Settings())
      if (s.key == c.key) value = s.value;
    ASSERT_FALSE(value.empty());
    ASSERT_EQ(Set(c.key, value == c.values[0] ? c.values[1] : c.values[0]), SetOutcome::Done);
    ASSERT_TRUE(model.hasPendingChanges());
    const std::string out = Out("out.hex");
    fs::remove(out);
    files.saveAnswers = {out};
    dialogs.script = {Answer::Save, c.apply};

    EXPECT_EQ(doc.ConfirmDiscardChanges(), c.goesOn);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, "Die Änderungen an " + std::string(c.example) + " speichern?");
    EXPECT_EQ(dialogs.messages[1].text, "Geänderte Werte übernehmen?");
    EXPECT_EQ(fs::exists(out), c.goesOn);
    EXPECT_EQ(model.hasPendingChanges(), !c.goesOn);
    EXPECT_EQ(doc.IsModified(), !c.goesOn);
  }
}

}  // namespace
}  // namespace korrin
