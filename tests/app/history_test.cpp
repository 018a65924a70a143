// The undo history of the document: sequences of actions with the state after each undo and
// redo, the step names, what a load and a save do to it, its bound and its size.
#include "app/history.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/document.h"
#include "recording_dialogs.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::RecordingDialogs;
using testing::ScriptedFileDialogs;

std::string Example(const std::string& name) { return std::string(KORRIN_EXAMPLES) + "/" + name; }

// The action just run recorded its own step: it is the last one, and nothing is left over
// for a commit.
bool Recorded(History& history) { return !history.Commit() && history.CanUndo() && !history.CanRedo(); }

class HistoryTest : public ::testing::Test {
 protected:
  void Load(const std::string& name) {
    ASSERT_EQ(doc.LoadHexFile(Example(name)), LoadResult::Loaded);
    ASSERT_NE(doc.ShownEditor(), nullptr);
  }
  std::string Value(const std::string& key) {
    for (const EditorSetting& s : doc.ShownEditor()->Settings())
      if (s.key == key) return s.value;
    return "?";
  }
  SetOutcome Set(const std::string& key, const std::string& value) { return doc.ShownEditor()->Set(key, value); }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  Document doc{dialogs, files};
};

// One action of a sequence on the CV table and the state after it.
struct CvCase {
  const char* action;  // "cv29=10" sets and commits, "cv29~10" sets without a commit, "undo", "redo"
  const char* cv1;
  const char* cv29;
  const char* undoName;
  const char* redoName;
  bool stepped;  // what Undo/Redo returned: a step (true) or nothing
};

TEST_F(HistoryTest, CvSequenceUndoesAndRedoesEachStep) {
  Load("fenwik_18324_cv.hex");
  ASSERT_EQ(Value("cv1"), "3");
  ASSERT_EQ(Value("cv29"), "6");
  const CvCase cases[] = {
      {"undo", "3", "6", "", "", false},  // nothing to undo
      {"redo", "3", "6", "", "", false},  // nothing to redo
      {"cv29=10", "3", "10", "CV29 ändern", "", true},
      {"cv1=5", "5", "10", "CV1 ändern", "", true},
      {"undo", "3", "10", "CV29 ändern", "CV1 ändern", true},
      {"undo", "3", "6", "", "CV29 ändern", true},
      {"undo", "3", "6", "", "CV29 ändern", false},  // at the start: nothing happens
      {"redo", "3", "10", "CV29 ändern", "CV1 ändern", true},
      {"cv29=7", "3", "7", "CV29 ändern", "", true},  // a new action drops the redo step
      {"redo", "3", "7", "CV29 ändern", "", false},
      {"cv1~9", "9", "7", "CV1 ändern", "", true},  // no commit: the edit recorded itself
      {"undo", "3", "7", "CV29 ändern", "CV1 ändern", true},
      {"cv1=3", "3", "7", "CV29 ändern", "CV1 ändern", true},  // same value again: no step, redo kept
  };
  for (const CvCase& c : cases) {
    SCOPED_TRACE(c.action);
    const std::string action = c.action;
    bool stepped = true;
    if (action == "undo") {
      stepped = doc.history.Undo().has_value();
    } else if (action == "redo") {
      stepped = doc.history.Redo().has_value();
    } else {
      const size_t op = action.find_first_of("=~");
      ASSERT_EQ(Set(action.substr(0, op), action.substr(op + 1)), SetOutcome::Done);
      if (action[op] == '=') doc.history.Commit();
    }
    EXPECT_EQ(stepped, c.stepped);
    EXPECT_EQ(Value("cv1"), c.cv1);
    EXPECT_EQ(Value("cv29"), c.cv29);
    EXPECT_EQ(doc.history.UndoName(), c.undoName);
    EXPECT_EQ(doc.history.RedoName(), c.redoName);
    EXPECT_EQ(doc.history.CanUndo(), std::string(c.undoName) != "");
    EXPECT_EQ(doc.history.CanRedo(), std::string(c.redoName) != "");
  }
  // The boxes of the table show the restored values too.
  bool shown = false;
  for (const CvRowState& row : doc.editors.cv.rows) {
    if (CvRegisterModel::KeyOfCaption(row.caption) != "cv1") continue;
    EXPECT_EQ(row.text, "3");
    shown = true;
  }
  EXPECT_TRUE(shown);
}

// The rows: an address typed, a function typed and an R/G click are one step each, named
// after the row; undo gives back the text and the colour.
TEST_F(HistoryTest, RowEditsAreStepsNamedAfterTheRow) {
  Load("tollet_mot.hex");
  int row = -1;
  for (int r = 0; r < 48 && row < 0; ++r)
    if (doc.rows[r].caption.rfind("Weiche", 0) == 0) row = r;
  ASSERT_GE(row, 0);
  const std::string name = doc.rows[row].caption.substr(0, doc.rows[row].caption.find_last_not_of(" :") + 1);
  const std::string address = doc.rows[row].addressText;
  const bool green = doc.rows[row].RowGreen;

  for (const char* typed : {"1", "12", "128"}) doc.SetRowAddressText(row, typed);  // typing "128"
  EXPECT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoCount(), 1u);
  EXPECT_EQ(doc.history.UndoName(), name + " Adresse ändern");
  doc.ToggleRowColour(row);
  EXPECT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), name + " R/G umschalten");
  EXPECT_FALSE(doc.history.Commit());  // nothing new

  EXPECT_EQ(doc.history.Undo(), name + " R/G umschalten");
  EXPECT_EQ(doc.rows[row].RowGreen, green);
  EXPECT_EQ(doc.rows[row].addressText, "128");
  EXPECT_EQ(doc.history.Undo(), name + " Adresse ändern");
  EXPECT_EQ(doc.rows[row].addressText, address);
  EXPECT_EQ(doc.history.Redo(), name + " Adresse ändern");
  EXPECT_EQ(doc.rows[row].addressText, "128");
  EXPECT_EQ(doc.rows[row].RowGreen, green);
}

// The options: a chosen mode and a toggled box are one step each, named after their
// caption; undo writes the image back and the controls show the old choice.
TEST_F(HistoryTest, OptionChangesAreUndoneInTheImage) {
  Load("relais8_dcc.hex");
  OptionsModel& m = doc.editors.options;
  const HexCells eeprom = doc.image.Hex_EE;
  ASSERT_EQ(Value("modus"), "1");
  ASSERT_EQ(Value("modus.bit7"), "0");

  m.SelectMode(2);
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "Mode Auswahl ändern");
  const HexCells afterMode = doc.image.Hex_EE;
  m.SetModeBit7(true);
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "Mode-Umschaltung SPERREN ändern");

  doc.history.Undo();
  EXPECT_EQ(doc.image.Hex_EE, afterMode);
  EXPECT_FALSE(m.modeBit7.checked);
  EXPECT_EQ(m.checkedMode, 2);
  doc.history.Undo();
  EXPECT_EQ(doc.image.Hex_EE, eeprom);
  EXPECT_EQ(m.checkedMode, 1);
  EXPECT_EQ(Value("modus"), "1");
  doc.history.Redo();
  doc.history.Redo();
  EXPECT_EQ(Value("modus"), "2");
  EXPECT_TRUE(m.modeBit7.checked);
}

// The working copy of the blink patterns: showing a pattern (it offers "Übernehmen" when its
// values differ), a painted row, a copy, a box, an apply and a discard are steps; undo
// restores the working copy, the shown pattern, the image and the pending state.
TEST_F(HistoryTest, PatternWorkingCopyApplyAndDiscard) {
  Load("blinkmuster_mot.hex");
  PatternEditorModel& m = doc.editors.blink;
  ASSERT_FALSE(m.hasPendingChanges());
  const HexCells rom = doc.image.Hex_ROM;

  m.SelectAddress(1);
  EXPECT_TRUE(m.hasPendingChanges());
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "Muster 2 anzeigen");
  const std::string row = Value("muster2.ausgang1");
  const std::string painted(row.size(), 'X');
  ASSERT_EQ(Set("muster2.ausgang1", painted), SetOutcome::Done);
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "Muster 2, Ausgang 1 ändern");
  m.Copy(0);
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "Muster 2 von #1");
  const std::string copied = Value("muster2.ausgang1");
  m.Apply();
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "übernehmen");
  EXPECT_NE(doc.image.Hex_ROM, rom);
  const HexCells applied = doc.image.Hex_ROM;
  const std::string loop = Value("muster2.loop");
  m.LoopToggled(loop != "1");
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "Muster 2, Loop ändern");
  m.Discard();
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "verwerfen");
  EXPECT_EQ(Value("muster2.loop"), loop);

  doc.history.Undo();  // the discard
  EXPECT_TRUE(m.hasPendingChanges());
  EXPECT_NE(Value("muster2.loop"), loop);
  EXPECT_TRUE(m.loopChecked() == (loop != "1"));
  doc.history.Undo();  // the loop box
  EXPECT_FALSE(m.hasPendingChanges());
  EXPECT_EQ(Value("muster2.loop"), loop);
  doc.history.Undo();  // the apply
  EXPECT_EQ(doc.image.Hex_ROM, rom);
  EXPECT_TRUE(m.hasPendingChanges());
  EXPECT_EQ(Value("muster2.ausgang1"), copied);
  doc.history.Undo();  // the copy
  EXPECT_EQ(Value("muster2.ausgang1"), painted);
  doc.history.Undo();  // the painted row
  EXPECT_EQ(Value("muster2.ausgang1"), row);
  EXPECT_EQ(m.selectedAddress(), 1);
  doc.history.Undo();  // showing pattern 2
  EXPECT_EQ(m.selectedAddress(), 0);
  EXPECT_FALSE(m.hasPendingChanges());
  EXPECT_FALSE(doc.history.CanUndo());

  for (int i = 0; i < 6; ++i) EXPECT_TRUE(doc.history.Redo().has_value());
  EXPECT_EQ(doc.image.Hex_ROM, applied);
  EXPECT_EQ(Value("muster2.loop"), loop);
  EXPECT_FALSE(m.hasPendingChanges());
  EXPECT_EQ(m.selectedAddress(), 1);
}

// The servo curves: a generator, a painted curve and a mirror are steps named after the curve;
// undo restores the working copy and tells the frames, redo the same.
TEST_F(HistoryTest, ServoCurveSteps) {
  Load("servo_tamb4_dcc.hex");
  ServoModel& m = doc.editors.servo;
  int notified = 0;
  Subscription observer = m.Observe([&notified] { ++notified; });
  const std::string points = Value("kurve2.punkte");

  m.SelectCurve(1);
  doc.history.Commit();
  ASSERT_TRUE(m.Generate(CurveShape::Lin));
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "Kurve 2 Lin");
  const std::string linear = Value("kurve2.punkte");
  ASSERT_NE(linear, points);
  m.MirrorCurveVertical();
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "Kurve 2 vertikal spiegeln");
  // A painted point: the same number of points, the first one moved.
  std::string mirrored = Value("kurve2.punkte");
  const std::string first = mirrored.substr(0, mirrored.find(','));
  ASSERT_EQ(Set("kurve2.punkte", (first == "5" ? "6" : "5") + mirrored.substr(first.size())), SetOutcome::Done);
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "Kurve 2 ändern");

  notified = 0;
  doc.history.Undo();
  doc.history.Undo();
  EXPECT_EQ(Value("kurve2.punkte"), linear);
  EXPECT_EQ(notified, 2);
  doc.history.Undo();
  EXPECT_EQ(Value("kurve2.punkte"), points);
  EXPECT_EQ(m.selectedCurve(), 1);
  EXPECT_EQ(doc.history.Redo(), "Kurve 2 Lin");
  EXPECT_EQ(Value("kurve2.punkte"), linear);
  EXPECT_TRUE(m.hasPendingChanges());

  // A set file loaded over the working copy is one step; saving one is none.
  const fs::path set = fs::temp_directory_path() / "korrin_history_set.txt";
  ASSERT_EQ(m.SaveSetTo(set.string()), CurveFileResult::Done);
  EXPECT_FALSE(doc.history.Commit());
  m.Discard();
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "verwerfen");
  EXPECT_EQ(Value("kurve2.punkte"), points);
  ASSERT_EQ(m.LoadSetFrom(set.string()), CurveFileResult::Done);
  fs::remove(set);
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoName(), "Kurvensatz laden");
  EXPECT_EQ(Value("kurve2.punkte"), linear);
  doc.history.Undo();
  EXPECT_EQ(Value("kurve2.punkte"), points);
}

// A load clears the history; a save keeps it and adds no step of its own.
TEST_F(HistoryTest, LoadClearsSaveKeeps) {
  Load("tollet_mot.hex");
  int row = -1;
  for (int r = 0; r < 48 && row < 0; ++r)
    if (doc.rows[r].addressVisible) row = r;
  ASSERT_GE(row, 0);
  doc.SetRowAddressText(row, "17");
  ASSERT_TRUE(Recorded(doc.history));
  const fs::path out = fs::temp_directory_path() / "korrin_history_save.hex";
  ASSERT_EQ(doc.SaveTo(out.string()), SaveResult::Saved);
  fs::remove(out);
  EXPECT_EQ(doc.history.UndoCount(), 1u);
  EXPECT_FALSE(doc.history.Commit());  // the codes the save wrote are no step
  doc.history.Undo();
  EXPECT_NE(doc.rows[row].addressText, "17");
  doc.history.Redo();
  EXPECT_EQ(doc.rows[row].addressText, "17");

  Load("tollet_mot.hex");
  EXPECT_FALSE(doc.history.CanUndo());
  EXPECT_FALSE(doc.history.CanRedo());
  EXPECT_FALSE(doc.history.Undo().has_value());
}

// At most kMaxSteps steps are kept; the oldest go first and undoing every kept step ends at
// the state after the first dropped ones.
TEST_F(HistoryTest, KeepsTheLastHundredSteps) {
  Load("fenwik_18324_cv.hex");
  ASSERT_GE(History::kMaxSteps, 100u);
  const int steps = static_cast<int>(History::kMaxSteps) + 50;
  for (int i = 1; i <= steps; ++i) {
    ASSERT_EQ(Set("cv1", std::to_string(i)), SetOutcome::Done);
    ASSERT_TRUE(Recorded(doc.history));
  }
  EXPECT_EQ(doc.history.UndoCount(), History::kMaxSteps);
  int undone = 0;
  while (doc.history.Undo()) ++undone;
  EXPECT_EQ(undone, static_cast<int>(History::kMaxSteps));
  EXPECT_EQ(Value("cv1"), std::to_string(steps - static_cast<int>(History::kMaxSteps)));
  EXPECT_EQ(doc.history.RedoCount(), History::kMaxSteps);
}

// 100 steps that each rewrite a whole pattern of the full-size LED table and apply it stay
// well under 10 MB.
TEST_F(HistoryTest, HundredFullTableStepsStaySmall) {
  Load("led_blinkmuster_dcc.hex");
  PatternEditorModel& m = doc.editors.ledBlink;
  for (int i = 0; i < 100; ++i) {
    History::Transaction step(doc.history, "Muster");  // the settings and the apply: one step
    const int pattern = 1 + i % 4;
    const std::string prefix = "muster" + std::to_string(pattern) + ".";
    ASSERT_EQ(Set(prefix + "anzahl", std::to_string(m.maxCount() - i % 2)), SetOutcome::Done);
    const int count = std::stoi(Value(prefix + "anzahl"));
    for (int o = 1; o <= m.outputCount(); ++o) {
      std::string points;
      for (int q = 0; q < count; ++q) points += (q + i + o) % 3 == 0 ? 'X' : '.';
      ASSERT_EQ(Set(prefix + "ausgang" + std::to_string(o), points), SetOutcome::Done);
    }
    m.Apply();
  }
  ASSERT_TRUE(Recorded(doc.history));
  EXPECT_EQ(doc.history.UndoCount(), 100u);
  const size_t bytes = doc.history.MemoryBytes();
  std::printf("history of 100 full pattern steps: %zu bytes\n", bytes);
  EXPECT_LT(bytes, 5u * 1024 * 1024);
  // And the first step is still there to undo exactly.
  while (doc.history.Undo()) {
  }
  Document fresh{dialogs, files};
  ASSERT_EQ(fresh.LoadHexFile(Example("led_blinkmuster_dcc.hex")), LoadResult::Loaded);
  EXPECT_EQ(doc.image.Hex_ROM, fresh.image.Hex_ROM);
}

}  // namespace
}  // namespace korrin

namespace korrin {
namespace {

// The baseline is the image as it is held (no allocation per cell), not a text per cell; and a
// document whose history is off (korrin-cli) keeps no baseline at all and records nothing.
TEST_F(HistoryTest, BaselineIsCompactAndTakenOnlyWhenTheHistoryIsOn) {
  Load("servo_tamb4_dcc.hex");
  const size_t on = doc.history.MemoryBytes();
  // A text per cell (std::string) would take twice as much for the cells alone.
  EXPECT_LT(sizeof(HexCell), sizeof(std::string));
  EXPECT_LT(on, sizeof(HexCell) * (kRomCells + kEepromCells) + 32u * 1024) << on;

  Document quiet{dialogs, files};
  quiet.history.SetEnabled(false);
  ASSERT_EQ(quiet.LoadHexFile(Example("servo_tamb4_dcc.hex")), LoadResult::Loaded);
  EXPECT_LT(quiet.history.MemoryBytes(), 8u * 1024);
  ASSERT_EQ(quiet.ShownEditor()->Set("kurve1.punkte", "0,50,100,120"), SetOutcome::Done);
  quiet.ShownEditor()->applyPendingChanges();
  EXPECT_FALSE(quiet.history.Commit());
  EXPECT_FALSE(quiet.history.CanUndo());
  EXPECT_FALSE(quiet.history.Undo());

  // Switched on again, it starts from what the document holds now.
  quiet.history.SetEnabled(true);
  const HexCells now = quiet.image.Hex_ROM;
  ASSERT_EQ(quiet.ShownEditor()->Set("kurve1.punkte", "0,10,20,30"), SetOutcome::Done);
  quiet.ShownEditor()->applyPendingChanges();
  EXPECT_TRUE(Recorded(quiet.history));
  EXPECT_NE(quiet.image.Hex_ROM, now);
  ASSERT_TRUE(quiet.history.Undo());
  EXPECT_EQ(quiet.image.Hex_ROM, now);
}

}  // namespace
}  // namespace korrin
