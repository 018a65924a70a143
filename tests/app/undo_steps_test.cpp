// Undo steps as the user makes them: every action through the document and its models is one
// named step; undo gives back the image, the rows and the model as they were before it, redo
// as they were after. Typing into one field is one step until the field is left.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "app/document.h"
#include "app/history.h"
#include "recording_dialogs.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::RecordingDialogs;
using testing::ScriptedFileDialogs;

std::string Example(const std::string& name) { return std::string(KORRIN_EXAMPLES) + "/" + name; }

// Everything an undo step must give back.
struct State {
  HexCells rom, eeprom;
  std::array<std::string, 4> config;
  std::string id;
  std::vector<std::string> rows;      // address | function | colour of each row
  std::vector<std::string> settings;  // key=value of the shown model
  bool pending = false;

  static State Of(Document& doc) {
    State s{doc.image.Hex_ROM, doc.image.Hex_EE, doc.image.Config, doc.image.ID_Text, {}, {}, false};
    for (int r = 0; r < 48; ++r)
      s.rows.push_back(doc.rows[r].addressText + "|" + doc.rows[r].functionText + "|" + (doc.rows[r].RowGreen ? "g" : "r"));
    if (EditorModel* m = doc.ShownEditor()) {
      for (const EditorSetting& e : m->Settings()) s.settings.push_back(e.key + "=" + e.value);
      s.pending = m->hasPendingChanges();
    }
    return s;
  }
  bool operator==(const State&) const = default;
};

// The first row whose control of the kind is shown.
int RowWith(Document& doc, bool AddressRow::*shown) {
  for (int r = 0; r < 48; ++r)
    if (doc.rows[r].*shown) return r;
  return -1;
}

std::string RowName(Document& doc, int row) {
  const std::string& c = doc.rows[row].caption;
  return c.substr(0, c.find_last_not_of(" :") + 1);
}

int CvRow(Document& doc, const std::string& key) {
  const auto& rows = doc.editors.cv.rows;
  for (size_t r = 0; r < rows.size(); ++r)
    if (CvRegisterModel::KeyOfCaption(rows[r].caption) == key) return static_cast<int>(r);
  return -1;
}

class UndoSteps : public ::testing::Test {
 protected:
  void Load(const std::string& name) { ASSERT_EQ(doc.LoadHexFile(Example(name)), LoadResult::Loaded) << name; }
  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  Document doc{dialogs, files};
};

struct ActionCase {
  const char* what;
  const char* file;
  std::function<void(Document&, ScriptedFileDialogs&)> setup;  // runs before, then EndMerge
  std::function<void(Document&)> action;                       // the user's action
  std::function<std::string(Document&)> name;                  // the step's expected name
};

std::string Fixed(Document&, const char* name) { return name; }

TEST_F(UndoSteps, EachUserActionIsOneStepThatUndoAndRedoRestore) {
  const fs::path curve = fs::temp_directory_path() / "korrin_undo_steps.cur";
  {
    std::ofstream out(curve);
    out << "0\n64\n127\n192\n";
  }
  auto named = [](const char* n) { return [n](Document& d) { return Fixed(d, n); }; };
  auto nothing = [](Document&, ScriptedFileDialogs&) {};
  auto selectCurve = [](int c) { return [c](Document& d, ScriptedFileDialogs&) { d.editors.servo.SelectCurve(c); }; };
  auto painted = [](Document& d, ScriptedFileDialogs&) {
    d.editors.blink.Paint(0, 0, !d.editors.blink.table().pointOn(0, 0, 0));
    d.history.Commit();
  };
  const ActionCase cases[] = {
      {"CV typed in three keystrokes", "fenwik_18324_cv.hex", nothing,
       [](Document& d) {
         for (const char* t : {"1", "12", "128"}) d.editors.cv.SetCvText(CvRow(d, "cv29"), t);
       },
       named("CV29 ändern")},
      {"option row typed", "relais8_dcc.hex", nothing,
       [](Document& d) {
         for (const char* t : {"2", "25"}) d.editors.options.SetOptionRowText(0, t);
       },
       [](Document& d) { return d.editors.options.rows[0].caption + " ändern"; }},
      {"radio button", "relais8_dcc.hex", nothing, [](Document& d) { d.editors.options.SelectMode(2); },
       named("Mode Auswahl ändern")},
      {"check box", "relais8_dcc.hex", nothing, [](Document& d) { d.editors.options.SetModeBit7(true); },
       named("Mode-Umschaltung SPERREN ändern")},
      {"slider dragged over three positions", "relais8_dcc.hex",
       [](Document& d, ScriptedFileDialogs&) {
         // A type with the two neon bars, shown in the same document.
         d.SelectDecoderType(0x2A4100);
         d.image.Version = 4.0f;
         d.editors.options.Load();
         d.history.Clear();
       },
       [](Document& d) {
         for (int p : {5, 6, 7}) d.editors.options.SetNeonDarkLevel(p);
       },
       [](Document& d) { return d.editors.options.neonLabels[0].text + " ändern"; }},
      {"combo box choice", "servo_tamb4_dcc.hex", nothing,
       [](Document& d) { d.editors.servo.ChooseCurve(1, (d.editors.servo.addressRow(1).curve + 1) % 4); }, nullptr},
      {"spin button step", "servo_tamb4_dcc.hex", nothing, [](Document& d) { d.editors.servo.StepOffset(1, 10); }, nullptr},
      {"stroke on a pattern strip", "blinkmuster_mot.hex", nothing,
       [](Document& d) {
         PatternEditorModel& m = d.editors.blink;
         const bool on = !m.table().pointOn(0, 0, 0);
         m.StripPressed();
         for (int q = 0; q < 4; ++q) m.StripMoved(0, q, on);
         m.StripReleased();
       },
       named("Muster 1, Ausgang 1 ändern")},
      {"curve point dragged", "servo_tamb4_dcc.hex", nothing,
       [](Document& d) {
         ServoModel& m = d.editors.servo;
         m.MouseDown();
         for (int x : {0, 3, 6}) m.CurveMouseMove(x, x % 2 ? 0 : kCurveDrawingHeight - 1);
         m.MouseUp();
       },
       named("Kurve 1 ändern")},
      {"generator Lin", "servo_tamb4_dcc.hex", selectCurve(3), [](Document& d) { d.editors.servo.Generate(CurveShape::Lin); },
       named("Kurve 4 Lin")},
      {"generator Log", "servo_tamb4_dcc.hex", nothing, [](Document& d) { d.editors.servo.Generate(CurveShape::Log); }, nullptr},
      {"generator quarter sine", "servo_tamb4_dcc.hex", nothing,
       [](Document& d) { d.editors.servo.Generate(CurveShape::QuarterSine); }, nullptr},
      {"generator half sine", "servo_tamb4_dcc.hex", nothing, [](Document& d) { d.editors.servo.Generate(CurveShape::HalfSine); },
       nullptr},
      {"mirror vertical", "servo_tamb4_dcc.hex", selectCurve(1), [](Document& d) { d.editors.servo.MirrorCurveVertical(); },
       named("Kurve 2 vertikal spiegeln")},
      {"mirror horizontal", "servo_tamb4_dcc.hex", selectCurve(1), [](Document& d) { d.editors.servo.MirrorCurveHorizontal(); },
       named("Kurve 2 horizontal spiegeln")},
      {"scale", "servo_tamb4_dcc.hex", selectCurve(1), [](Document& d) { d.editors.servo.ApplyScale(); },
       named("Kurve 2 skalieren")},
      {"shift", "servo_tamb4_dcc.hex", selectCurve(0), [](Document& d) { d.editors.servo.ApplyShift(); },
       named("Kurve 1 verschieben")},
      {"curve copy", "servo_tamb4_dcc.hex", selectCurve(0), [](Document& d) { d.editors.servo.CopyFrom(2); },
       named("Kurve 1 von #3")},
      {"pattern copy", "blinkmuster_mot.hex", [](Document& d, ScriptedFileDialogs&) { d.editors.blink.SelectAddress(1); },
       [](Document& d) { d.editors.blink.Copy(0); }, named("Muster 2 von #1")},
      {"curve file loaded through the dialog", "servo_tamb4_dcc.hex",
       [&curve](Document& d, ScriptedFileDialogs& f) {
         d.editors.servo.SelectCurve(0);
         f.openAnswers.push_back(curve.string());
       },
       [](Document& d) { d.editors.servo.LoadCurve(); }, named("Kurve 1 laden")},
      {"apply", "blinkmuster_mot.hex", painted, [](Document& d) { d.editors.blink.Apply(); }, named("übernehmen")},
      {"discard", "blinkmuster_mot.hex", painted, [](Document& d) { d.editors.blink.Discard(); }, named("verwerfen")},
      {"servo apply", "servo_tamb4_dcc.hex", [](Document& d, ScriptedFileDialogs&) { d.editors.servo.StepFactor(1, 1); },
       [](Document& d) { d.editors.servo.applyPendingChanges(); }, named("übernehmen")},
      {"row address typed", "tollet_mot.hex", nothing,
       [](Document& d) {
         const int row = RowWith(d, &AddressRow::addressVisible);
         for (const char* t : {"1", "12", "128"}) d.SetRowAddressText(row, t);
       },
       [](Document& d) { return RowName(d, RowWith(d, &AddressRow::addressVisible)) + " Adresse ändern"; }},
      {"row function typed", "fdekoder_mot.hex", nothing,
       [](Document& d) {
         const int row = RowWith(d, &AddressRow::functionVisible);
         for (const char* t : {"1", "13"}) d.SetRowFunctionText(row, t);
       },
       [](Document& d) { return RowName(d, RowWith(d, &AddressRow::functionVisible)) + " Funktion ändern"; }},
      {"R/G click", "tollet_mot.hex", nothing, [](Document& d) { d.ToggleRowColour(RowWith(d, &AddressRow::rgVisible)); },
       [](Document& d) { return RowName(d, RowWith(d, &AddressRow::rgVisible)) + " R/G umschalten"; }},
  };
  for (const ActionCase& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.file);
    c.setup(doc, files);
    doc.history.EndMerge();
    const size_t steps = doc.history.UndoCount();
    const State before = State::Of(doc);

    c.action(doc);
    const State after = State::Of(doc);
    EXPECT_FALSE(after == before) << "the action changed nothing";
    EXPECT_EQ(doc.history.UndoCount(), steps + 1);
    EXPECT_FALSE(doc.history.Commit()) << "a change was left outside the step";
    if (c.name) {
      const std::string expected = c.name(doc);
      if (!expected.empty()) EXPECT_EQ(doc.history.UndoName(), expected);
    }
    EXPECT_NE(doc.history.UndoName(), "");

    ASSERT_TRUE(doc.history.Undo().has_value());
    EXPECT_TRUE(State::Of(doc) == before) << "undo";
    EXPECT_EQ(doc.history.UndoCount(), steps);
    ASSERT_TRUE(doc.history.Redo().has_value());
    EXPECT_TRUE(State::Of(doc) == after) << "redo";
  }
  fs::remove(curve);
}

// Typing merges into one step until the field is left, another field is typed into, or an
// undo comes in between.
TEST_F(UndoSteps, TypingMergesUntilTheFieldIsLeft) {
  Load("fenwik_18324_cv.hex");
  CvRegisterModel& m = doc.editors.cv;
  const int cv29 = CvRow(doc, "cv29"), cv1 = CvRow(doc, "cv1");
  ASSERT_GE(cv29, 0);
  ASSERT_GE(cv1, 0);
  m.SetCvText(cv29, "1");
  m.SetCvText(cv29, "12");
  EXPECT_EQ(doc.history.UndoCount(), 1u);
  EXPECT_TRUE(doc.history.EndMerge());  // the field is left
  EXPECT_FALSE(doc.history.EndMerge());
  m.SetCvText(cv29, "120");
  EXPECT_EQ(doc.history.UndoCount(), 2u);
  m.SetCvText(cv1, "4");  // another key
  m.SetCvText(cv29, "121");
  EXPECT_EQ(doc.history.UndoCount(), 4u);
  m.SetCvText(cv29, "");  // an empty box changes nothing and keeps the step open
  m.SetCvText(cv29, "122");
  EXPECT_EQ(doc.history.UndoCount(), 4u);

  // Undo ends the merge: what is typed next is a step of its own.
  ASSERT_TRUE(doc.history.Undo().has_value());
  EXPECT_EQ(doc.image.eepromValue(m.rows[static_cast<size_t>(cv29)].offset), 120);
  m.SetCvText(cv29, "7");
  EXPECT_EQ(doc.history.UndoCount(), 4u);
  EXPECT_EQ(doc.history.RedoCount(), 0u);
  ASSERT_TRUE(doc.history.Undo().has_value());
  EXPECT_EQ(doc.image.eepromValue(m.rows[static_cast<size_t>(cv29)].offset), 120);

  // A refused text shows its warning and records nothing.
  const size_t steps = doc.history.UndoCount();
  EXPECT_EQ(m.SetCvText(cv29, "abc"), SetOutcome::Refused);
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(doc.history.UndoCount(), steps);
}

// Transactions nest: only the outermost records, under its name or, without one, under the
// first inner name. A transaction in which nothing changes records nothing; a commit while one
// is open (the window's event filter) records nothing either.
TEST_F(UndoSteps, NestedTransactionsAreOneStep) {
  Load("relais8_dcc.hex");
  OptionsModel& m = doc.editors.options;
  {
    History::Transaction outer(doc.history, "Alles auf einmal");
    m.SelectMode(2);
    EXPECT_FALSE(doc.history.Commit());
    m.SetModeBit7(true);
  }
  EXPECT_EQ(doc.history.UndoCount(), 1u);
  EXPECT_EQ(doc.history.UndoName(), "Alles auf einmal");
  {
    History::Transaction outer(doc.history, "");
    m.SetModeBit7(false);
    m.SelectMode(3);
  }
  EXPECT_EQ(doc.history.UndoCount(), 2u);
  EXPECT_EQ(doc.history.UndoName(), "Mode-Umschaltung SPERREN ändern");
  doc.history.Undo();
  EXPECT_EQ(m.checkedMode, 2);
  EXPECT_TRUE(m.modeBit7.checked);
  doc.history.Undo();
  EXPECT_EQ(m.checkedMode, 1);
  EXPECT_FALSE(m.modeBit7.checked);

  { History::Transaction nothing(doc.history, "nichts"); }
  m.SelectMode(1);  // what is shown already
  doc.SetRowAddressText(RowWith(doc, &AddressRow::addressVisible),
                        doc.rows[RowWith(doc, &AddressRow::addressVisible)].addressText);
  EXPECT_EQ(doc.history.UndoCount(), 0u);
  EXPECT_EQ(doc.history.RedoCount(), 2u);  // and the steps to redo stay

  // In the middle of a stroke there is nothing to undo yet; the stroke ends as one step.
  Load("blinkmuster_mot.hex");
  PatternEditorModel& p = doc.editors.blink;
  p.StripPressed();
  p.StripMoved(0, 0, !p.table().pointOn(0, 0, 0));
  EXPECT_FALSE(doc.history.Undo().has_value());
  p.StripMoved(0, 1, !p.table().pointOn(0, 1, 0));
  p.StripReleased();
  EXPECT_EQ(doc.history.UndoCount(), 1u);
}

// The saved state: a save ends the merge, so undoing what is typed after it comes back to the
// saved state exactly.
TEST_F(UndoSteps, TypingAfterASaveIsANewStepBackToTheSavedState) {
  Load("tollet_mot.hex");
  const int row = RowWith(doc, &AddressRow::addressVisible);
  ASSERT_GE(row, 0);
  EXPECT_FALSE(doc.IsModified());
  doc.SetRowAddressText(row, "1");
  EXPECT_TRUE(doc.IsModified());
  const fs::path out = fs::temp_directory_path() / "korrin_undo_steps_save.hex";
  ASSERT_EQ(doc.SaveTo(out.string()), SaveResult::Saved);
  fs::remove(out);
  EXPECT_FALSE(doc.IsModified());
  doc.SetRowAddressText(row, "12");
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.history.UndoCount(), 2u);
  doc.history.Undo();
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.rows[row].addressText, "1");
  doc.history.Undo();
  EXPECT_TRUE(doc.IsModified());
  doc.history.Redo();
  EXPECT_FALSE(doc.IsModified());
}

// Without a history (korrin-cli) the same actions record nothing.
TEST_F(UndoSteps, NothingIsRecordedWithTheHistoryOff) {
  doc.history.SetEnabled(false);
  Load("fenwik_18324_cv.hex");
  ASSERT_EQ(doc.ShownEditor()->Set("cv29", "10"), SetOutcome::Done);
  doc.editors.cv.SetCvText(CvRow(doc, "cv1"), "9");
  EXPECT_FALSE(doc.history.CanUndo());
  EXPECT_EQ(doc.image.eepromValue(doc.editors.cv.rows[static_cast<size_t>(CvRow(doc, "cv1"))].offset), 9);
}

}  // namespace
}  // namespace korrin
