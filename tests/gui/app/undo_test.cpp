// Undo and redo in the main window: the shortcuts and the right-click menu, on the real
// window with the example files.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <iostream>

#include <unistd.h>

#include "app/gui/main_window.h"
#include "app/gui/undo_support.h"
#include "editors/gui/blink_pattern_frame.h"
#include "editors/gui/cv_table_frame.h"
#include "editors/gui/options_frame.h"
#include "editors/gui/pattern_strip.h"
#include "editors/gui/servo_assignment_frame.h"
#include "editors/gui/servo_curve_frame.h"
#include "editors/gui/servo_widgets.h"
#include "qt_app.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;
namespace fs = std::filesystem;

class UndoWindow : public ::testing::Test {
 public:  // the table's actions reach the window through the fixture
  void SetUp() override {
    korrin::testing::QtApp();
    ini = (fs::temp_directory_path() / ("korrin-undo-" + std::to_string(::getpid()) + ".ini")).string();
    w = std::make_unique<MainWindow>(dialogs, files, ini);
    w->openUrl = [](const QString&) {};
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  }
  void TearDown() override {
    w.reset();
    fs::remove(ini);
  }
  void Start(const std::string& example) {
    w->StartWithFile(std::string(KORRIN_EXAMPLES) + "/" + example);
    dialogs.clear();
  }
  // Types text into edit as the user does (replacing what it shows) and ends with Enter.
  static void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::qWait(1);  // the commit runs once the key has been handled
  }
  QLineEdit* CvEdit(const std::string& key) {
    auto* frame = dynamic_cast<CvTableFrame*>(w->frames().cvTableFrame);
    if (!frame) return nullptr;
    for (size_t i = 0; i < frame->model.rows.size(); ++i)
      if (CvRegisterModel::KeyOfCaption(frame->model.rows[i].caption) == key) return frame->cvEdits[i];
    return nullptr;
  }
  QLineEdit* FirstAddressEdit() {
    for (QLineEdit* e : w->addressEdits)
      if (e->isVisible()) return e;
    return nullptr;
  }
  // Right-clicks target and returns the menu that opens.
  static QMenu* RightClick(QWidget* target) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(target, &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
  }
  static QAction* Entry(QMenu* menu, const char* name) { return menu->findChild<QAction*>(name); }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  std::string ini;
  std::unique_ptr<MainWindow> w;
  // The table test's state before the action (an action may first make a change of its own).
  size_t stepsBefore = 0;
  std::string stateBefore;
};

// Ctrl+Z undoes a typed value as one step, in the edit box and with the focus elsewhere;
// Ctrl+Y and Ctrl+Shift+Z redo it.
TEST_F(UndoWindow, ShortcutsUndoAndRedoATypedValue) {
  Start("tollet_mot.hex");
  QLineEdit* edit = FirstAddressEdit();
  ASSERT_NE(edit, nullptr);
  const QString original = edit->text();
  ASSERT_NE(original, "128");

  Type(edit, "128");
  EXPECT_EQ(w->document().history.UndoCount(), 1u);  // one step, not three

  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);  // in the box: not the box's own undo
  EXPECT_EQ(edit->text(), original);
  EXPECT_EQ(w->document().history.RedoCount(), 1u);
  QTest::keyClick(edit, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), "128");

  w->infoButton->setFocus();  // the window's shortcuts, outside any edit box
  QTest::keyClick(w->infoButton, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), original);
  QTest::keyClick(w->infoButton, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(edit->text(), "128");
  EXPECT_EQ(w->document()
                .rows[static_cast<int>(std::find(w->addressEdits.begin(), w->addressEdits.end(), edit) - w->addressEdits.begin())]
                .addressText,
            "128");

  // A value typed but not yet left is undone as a whole too.
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "77");
  QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->text(), "128");
  EXPECT_EQ(w->document().history.RedoCount(), 1u);
}

// Typing merges into one step until Enter is pressed or the field is left (here by a click
// into another field); then the next keys start a new step.
TEST_F(UndoWindow, EnterAndLeavingTheFieldEndATypedStep) {
  Start("fenwik_18324_cv.hex");
  QLineEdit* cv29 = CvEdit("cv29");
  QLineEdit* cv1 = CvEdit("cv1");
  ASSERT_TRUE(cv29 && cv1);
  cv29->setFocus();
  cv29->selectAll();
  QTest::keyClicks(cv29, "1");
  QTest::keyClicks(cv29, "2");
  EXPECT_EQ(w->document().history.UndoCount(), 1u);
  QTest::keyClick(cv29, Qt::Key_Return);
  QTest::keyClick(cv29, Qt::Key_Backspace);
  EXPECT_EQ(w->document().history.UndoCount(), 2u);
  QTest::mouseClick(cv1, Qt::LeftButton);
  QTest::mouseClick(cv29, Qt::LeftButton);
  QTest::keyClick(cv29, Qt::Key_End);
  QTest::keyClicks(cv29, "4");
  EXPECT_EQ(cv29->text(), "14");
  EXPECT_EQ(w->document().history.UndoCount(), 3u);
  QTest::keySequence(cv29, QKeySequence::keyBindings(QKeySequence::Undo).front());
  EXPECT_EQ(cv29->text(), "1");
  QTest::keySequence(cv29, QKeySequence::keyBindings(QKeySequence::Undo).front());
  EXPECT_EQ(cv29->text(), "12");
}

// The right-click menu of the editor frame and of the rows names the step to undo and redo.
TEST_F(UndoWindow, ContextMenuNamesAndRunsTheSteps) {
  Start("fenwik_18324_cv.hex");
  QLineEdit* cv29 = CvEdit("cv29");
  QLineEdit* cv1 = CvEdit("cv1");
  ASSERT_TRUE(cv29 && cv1);
  ASSERT_EQ(cv29->text(), "6");

  QMenu* menu = RightClick(cv1);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Entry(menu, "menuUndo")->text(), QString::fromUtf8("Rückgängig"));
  EXPECT_FALSE(Entry(menu, "menuUndo")->isEnabled());
  menu->close();

  Type(cv29, "12");
  menu = RightClick(cv1);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Entry(menu, "menuUndo")->text(), QString::fromUtf8("Rückgängig: CV29 ändern"));
  EXPECT_FALSE(Entry(menu, "menuRedo")->isEnabled());
  // The box's own entries stay, but its own undo and redo give way to the window's.
  int copies = 0, ownUndos = 0;
  for (const QAction* a : menu->actions()) {
    copies += UndoSupport::IsStandardEntry(a, QKeySequence::Copy);
    ownUndos += UndoSupport::IsStandardEntry(a, QKeySequence::Undo) + UndoSupport::IsStandardEntry(a, QKeySequence::Redo);
  }
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(ownUndos, 0);
  Entry(menu, "menuUndo")->trigger();
  menu->close();
  EXPECT_EQ(cv29->text(), "6");
  EXPECT_EQ(w->document().image.eepromValue(w->document().editors.cv.rows[0].offset),
            std::stoi(w->document().editors.cv.rows[0].text));

  menu = RightClick(w->frames().cvTableFrame);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Entry(menu, "menuRedo")->text(), QString::fromUtf8("Wiederholen: CV29 ändern"));
  Entry(menu, "menuRedo")->trigger();
  menu->close();
  EXPECT_EQ(cv29->text(), "12");

  // On the rows: an R/G click.
  Start("tollet_mot.hex");
  EXPECT_FALSE(w->document().history.CanUndo());  // the load cleared the history
  int row = -1;
  for (int r = 0; r < 48 && row < 0; ++r)
    if (w->colourButtons[static_cast<size_t>(r)]->isVisible()) row = r;
  ASSERT_GE(row, 0);
  const bool green = w->document().rows[row].RowGreen;
  QTest::mouseClick(w->colourButtons[static_cast<size_t>(row)], Qt::LeftButton);
  QTest::qWait(1);
  EXPECT_NE(w->document().rows[row].RowGreen, green);
  menu = RightClick(w->addressEdits[static_cast<size_t>(row)]);
  ASSERT_NE(menu, nullptr);
  const QString caption = w->rowLabels[static_cast<size_t>(row)]->text().trimmed().remove(':').trimmed();
  EXPECT_EQ(Entry(menu, "menuUndo")->text(), QString::fromUtf8("Rückgängig: ") + caption + " R/G umschalten");
  Entry(menu, "menuUndo")->trigger();
  menu->close();
  EXPECT_EQ(w->document().rows[row].RowGreen, green);
  const QString style = w->addressEdits[static_cast<size_t>(row)]->styleSheet();
  EXPECT_TRUE(style.contains(green ? "#00FF00" : "#FF0000")) << style.toStdString();
}

// A stroke painted from mouse press to release is one step; undo takes all of it back and the
// frame shows the pattern as before.
TEST_F(UndoWindow, APaintedStrokeIsOneStep) {
  Start("blinkmuster_mot.hex");
  auto* frame = dynamic_cast<BlinkPatternFrame*>(w->frames().blinkPatternFrame);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(frame->isVisible());
  auto row = [this] {
    for (const EditorSetting& s : w->document().editors.blink.Settings())
      if (s.key == "muster1.ausgang1") return s.value;
    return std::string();
  };
  const std::string before = row();
  PatternStrip* strip = frame->strips[0];
  QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(5, 2));
  for (int x = 5; x < strip->width(); x += 7) QTest::mouseMove(strip, QPoint(x, 2));
  QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(strip->width() - 2, 2));
  QTest::qWait(1);
  const std::string painted = row();
  ASSERT_NE(painted, before);
  EXPECT_EQ(w->document().history.UndoCount(), 1u);
  EXPECT_EQ(w->document().history.UndoName(), "Muster 1, Ausgang 1 ändern");
  EXPECT_TRUE(frame->hasPendingChanges());

  QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(row(), before);
  EXPECT_FALSE(frame->hasPendingChanges());
  EXPECT_FALSE(frame->applyButton->isEnabled());
  QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(row(), painted);
  EXPECT_TRUE(frame->applyButton->isEnabled());
}

// The servo editor: a generator is one step named after the curve and the button; undo from
// the menu shows the old curve and withdraws "übernehmen".
TEST_F(UndoWindow, ServoGeneratorFromTheMenu) {
  Start("servo_tamb4_dcc.hex");
  auto* frame = dynamic_cast<ServoCurveFrame*>(w->frames().servoCurveFrame);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(frame->isVisible());
  ServoModel& m = w->document().editors.servo;
  QTest::mouseClick(frame->curveRadios[1], Qt::LeftButton);
  QTest::qWait(1);
  ASSERT_EQ(m.selectedCurve(), 1);
  const CurveTable before = m.workingCopy();
  QTest::mouseClick(frame->linearButton, Qt::LeftButton);
  QTest::qWait(1);
  ASSERT_FALSE(m.workingCopy().blocks == before.blocks);
  ASSERT_TRUE(frame->applyButton->isEnabled());

  QMenu* menu = RightClick(frame->curveCanvas);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Entry(menu, "menuUndo")->text(), QString::fromUtf8("Rückgängig: Kurve 2 Lin"));
  Entry(menu, "menuUndo")->trigger();
  menu->close();
  EXPECT_TRUE(m.workingCopy().blocks == before.blocks);
  EXPECT_EQ(m.selectedCurve(), 1);
  EXPECT_TRUE(frame->curveRadios[1]->isChecked());
  EXPECT_FALSE(frame->applyButton->isEnabled());
}

namespace {

// What a step can change: the EEPROM, the rows the user edits, and the settings and pending
// state of the shown editor.
std::string Snapshot(MainWindow& w) {
  std::string s;
  const Document& doc = w.document();
  for (int i = 0; i < kEepromCells; ++i) s += std::to_string(doc.image.eepromValue(i)) + ",";
  for (int r = 0; r < 48; ++r)
    s += doc.rows[r].addressText + "/" + doc.rows[r].functionText + (doc.rows[r].RowGreen ? "g;" : "r;");
  EditorModels& m = w.document().editors;
  const FrameSet& f = w.frames();
  const std::vector<std::pair<EditorFrame*, EditorModel*>> shown = {{f.optionsFrame, &m.options},
                                                                    {f.cvTableFrame, &m.cv},
                                                                    {f.blinkPatternFrame, &m.blink},
                                                                    {f.ledBlinkPatternFrame, &m.ledBlink},
                                                                    {f.servoCurveFrame, &m.servo}};
  for (const auto& [frame, model] : shown) {
    if (!frame || !frame->isVisible()) continue;
    for (const EditorSetting& e : model->Settings()) s += e.key + "=" + e.value + ";";
    s += model->hasPendingChanges() ? "pending" : "applied";
  }
  return s;
}

// Chooses the entry `index` of combo's list as the user does: opens the list and clicks the
// entry with the mouse, or opens it with Alt+Down, moves there with the arrow keys and takes
// it with Enter. The list is a window of its own.
void ChooseInList(QComboBox* combo, int index, bool withMouse) {
  if (withMouse) {
    QTest::mouseClick(combo, Qt::LeftButton);
  } else {
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
  }
  QAbstractItemView* view = combo->view();
  ASSERT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }));
  EXPECT_TRUE(view->window()->isWindow());
  EXPECT_NE(view->window(), combo->window());  // the popup, not the main window
  if (withMouse) {
    // The list takes no click in the first moments after it opened (that is the opening
    // click's release).
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QRect r = view->visualRect(combo->model()->index(index, 0));
    QTest::mouseMove(view->viewport(), r.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
  } else {
    for (int i = combo->currentIndex(); i < index; ++i) QTest::keyClick(view, Qt::Key_Down);
    for (int i = combo->currentIndex(); i > index; --i) QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Return);
  }
  ASSERT_TRUE(QTest::qWaitFor([view] { return !view->isVisible(); }));
  ASSERT_EQ(combo->currentIndex(), index);
}

void Drag(QWidget* target, QPoint from, QPoint to) {
  QTest::mousePress(target, Qt::LeftButton, {}, from);
  for (int i = 1; i <= 8; ++i) QTest::mouseMove(target, from + (to - from) * i / 8);
  QTest::mouseRelease(target, Qt::LeftButton, {}, to);
}

template <typename T>
T* FirstShown(std::initializer_list<T*> widgets, const std::function<bool(T*)>& also = nullptr) {
  for (T* t : widgets)
    if (t && t->isVisible() && t->isEnabled() && (!also || also(t))) return t;
  return nullptr;
}

// The key the user presses for a command: the platform's first standard sequence.
void Press(QKeySequence::StandardKey key) {
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
  ASSERT_NE(target, nullptr);
  QTest::keySequence(target, QKeySequence::keyBindings(key).front());
}

}  // namespace

// Every kind of control, used as the user does: one action is exactly one step, the standard
// Undo key brings back the state before it, the Redo key the state after it.
TEST_F(UndoWindow, EachControlIsOneStepUndoneAndRedoneByTheKeys) {
  struct Case {
    const char* name;
    const char* file;
    // Does the action; returns a reason when the example files have no such control.
    std::function<std::string(UndoWindow&)> act;
  };
  auto servo = [](UndoWindow& t) { return dynamic_cast<ServoCurveFrame*>(t.w->frames().servoCurveFrame); };
  auto assign = [](UndoWindow& t) { return dynamic_cast<ServoAssignmentFrame*>(t.w->frames().servoAssignmentFrame); };
  auto options = [](UndoWindow& t) { return dynamic_cast<OptionsFrame*>(t.w->frames().optionsFrame); };
  auto blink = [](UndoWindow& t) { return dynamic_cast<BlinkPatternFrame*>(t.w->frames().blinkPatternFrame); };
  const Case cases[] = {
      {"edit typed and left", "fenwik_18324_cv.hex",
       [](UndoWindow& t) {
         QLineEdit* e = t.CvEdit("cv29");
         if (!e) return std::string("no CV29 edit");
         e->setFocus();
         e->selectAll();
         QTest::keyClicks(e, "123");
         QTest::keyClick(e, Qt::Key_Tab);
         EXPECT_NE(QApplication::focusWidget(), e);
         return std::string();
       }},
      {"row address edit", "tollet_mot.hex",
       [](UndoWindow& t) {
         QLineEdit* e = t.FirstAddressEdit();
         if (!e) return std::string("no row");
         QTest::mouseClick(e, Qt::LeftButton);
         e->selectAll();
         QTest::keyClicks(e, "77");
         QTest::keyClick(e, Qt::Key_Tab);
         return std::string();
       }},
      {"R/G button", "tollet_mot.hex",
       [](UndoWindow& t) {
         for (QPushButton* b : t.w->colourButtons)
           if (b->isVisible()) {
             QTest::mouseClick(b, Qt::LeftButton);
             return std::string();
           }
         return std::string("no R/G button");
       }},
      {"check box", "servo_tamb4_dcc.hex",
       [&](UndoWindow& t) {
         const auto& boxes = assign(t)->voltageOffBoxes;
         QCheckBox* box = FirstShown<QCheckBox>({boxes[0], boxes[1], boxes[2], boxes[3]});
         if (!box) return std::string("no servo box");
         QTest::mouseClick(box, Qt::LeftButton);
         return std::string();
       }},
      {"radio button", "servo_tamb4_dcc.hex",
       [&](UndoWindow& t) {
         ServoCurveFrame* f = servo(t);
         QTest::mouseClick(f->sw1ServoRadio->isChecked() ? f->sw1LearnRadio : f->sw1ServoRadio, Qt::LeftButton);
         return std::string();
       }},
      {"slider", "",
       [&](UndoWindow& t) {
         QSlider* bar = options(t)->fadingOrSpeedBar;
         if (!bar->isVisible()) return std::string("no fading or speed bar");
         bar->setFocus();
         QTest::keyClick(bar, bar->value() < bar->maximum() ? Qt::Key_Right : Qt::Key_Left);
         return std::string();
       }},
      {"combo box with the mouse", "servo_tamb4_dcc.hex",
       [&](UndoWindow& t) {
         QComboBox* c = assign(t)->servoLists[0];
         ChooseInList(c, c->currentIndex() == 1 ? 0 : 1, true);
         return std::string();
       }},
      {"combo box with the keyboard", "servo_tamb4_dcc.hex",
       [&](UndoWindow& t) {
         QComboBox* c = assign(t)->curveLists[0];
         ChooseInList(c, c->currentIndex() + 1 < c->count() ? c->currentIndex() + 1 : 0, false);
         return std::string();
       }},
      {"up-down button", "servo_tamb4_dcc.hex",
       [&](UndoWindow& t) {
         QTest::mouseClick(servo(t)->countSpinner->downButton(), Qt::LeftButton);
         return std::string();
       }},
      {"servo curve point dragged", "servo_tamb4_dcc.hex",
       [&](UndoWindow& t) {
         QWidget* canvas = servo(t)->curveCanvas;
         Drag(canvas, QPoint(canvas->width() / 2, canvas->height() / 2), QPoint(canvas->width() / 2, 3));
         return std::string();
       }},
      {"generator button", "servo_tamb4_dcc.hex",
       [&](UndoWindow& t) {
         QTest::mouseClick(servo(t)->sineButton, Qt::LeftButton);
         return std::string();
       }},
      {"copy", "servo_tamb4_dcc.hex",
       [&](UndoWindow& t) {
         QTest::mouseClick(servo(t)->copyButtons[2], Qt::LeftButton);
         return std::string();
       }},
      {"apply", "servo_tamb4_dcc.hex",
       [&](UndoWindow& t) {
         QTest::mouseClick(servo(t)->sineButton, Qt::LeftButton);
         if (t.w->document().history.UndoCount() != 1) return std::string("the change before apply was no step");
         t.stepsBefore = 1;
         t.stateBefore = Snapshot(*t.w);
         QTest::mouseClick(servo(t)->applyButton, Qt::LeftButton);
         return std::string();
       }},
      {"discard", "servo_tamb4_dcc.hex",
       [&](UndoWindow& t) {
         QTest::mouseClick(servo(t)->sineButton, Qt::LeftButton);
         if (t.w->document().history.UndoCount() != 1) return std::string("the change before discard was no step");
         t.stepsBefore = 1;
         t.stateBefore = Snapshot(*t.w);
         QTest::mouseClick(servo(t)->discardButton, Qt::LeftButton);
         return std::string();
       }},
      {"blink strip drawn", "blinkmuster_mot.hex",
       [&](UndoWindow& t) {
         PatternStrip* strip = blink(t)->strips[0];
         Drag(strip, QPoint(5, 2), QPoint(strip->width() - 2, 2));
         return std::string();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Without a file: the first options example that has the control.
    const std::vector<std::string> candidates =
        *c.file ? std::vector<std::string>{c.file}
                : std::vector<std::string>{"tollet_mot.hex", "relais8_dcc.hex", "fdekoder_mot.hex", "fdekoder_dcc.hex"};
    std::string reason;
    for (const std::string& file : candidates) {
      Start(file);
      stepsBefore = w->document().history.UndoCount();
      stateBefore = Snapshot(*w);
      reason = c.act(*this);
      if (reason.empty()) break;
    }
    if (!reason.empty()) {
      if (*c.file) ADD_FAILURE() << reason;
      else std::cout << "[  SKIPPED ] " << c.name << ": none of the options examples has one (" << reason << ")\n";
      continue;
    }
    QTest::qWait(1);
    // A closed popup list may have left the window inactive; the keys go to the active one.
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == w.get(); }));
    const std::string after = Snapshot(*w);
    EXPECT_NE(after, stateBefore);
    EXPECT_EQ(w->document().history.UndoCount(), stepsBefore + 1);
    Press(QKeySequence::Undo);
    EXPECT_EQ(Snapshot(*w), stateBefore);
    EXPECT_EQ(w->document().history.UndoCount(), stepsBefore);
    Press(QKeySequence::Redo);
    EXPECT_EQ(Snapshot(*w), after);
    EXPECT_EQ(w->document().history.UndoCount(), stepsBefore + 1);
  }
}

// The case reported: a combo choice and then a tick are two steps, undone one at a time.
TEST_F(UndoWindow, ATickAfterAComboChoiceIsUndoneOnItsOwn) {
  Start("servo_tamb4_dcc.hex");
  auto* frame = dynamic_cast<ServoAssignmentFrame*>(w->frames().servoAssignmentFrame);
  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(frame->addressLabels[0]->text().left(10), "Adresse 01");
  QComboBox* list = frame->servoLists[0];
  const int servo2 = list->findText("Servo 2");
  ASSERT_GE(servo2, 0);
  ASSERT_NE(list->currentIndex(), servo2);
  const int servoBefore = list->currentIndex();
  ChooseInList(list, servo2, true);
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  // Servo 2's box when its group is shown, else the first one shown.
  QCheckBox* tick = frame->voltageOffBoxes[1]->isVisible() ? frame->voltageOffBoxes[1] : nullptr;
  for (QCheckBox* b : frame->voltageOffBoxes)
    if (b->isVisible() && !tick) tick = b;
  ASSERT_NE(tick, nullptr);
  EXPECT_EQ(tick->text(), "Spannung aus");
  const bool ticked = tick->isChecked();
  QTest::mouseClick(tick, Qt::LeftButton);
  ASSERT_NE(tick->isChecked(), ticked);
  EXPECT_EQ(w->document().history.UndoCount(), 2u);

  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(tick->isChecked(), ticked);
  EXPECT_EQ(list->currentIndex(), servo2);
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(list->currentIndex(), servoBefore);
}
