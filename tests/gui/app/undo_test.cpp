// Undo and redo in the main window: the shortcuts and the right-click menu, on the real
// window with the example files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include <unistd.h>

#include "app/gui/main_window.h"
#include "app/gui/undo_support.h"
#include "editors/gui/blink_pattern_frame.h"
#include "editors/gui/cv_table_frame.h"
#include "editors/gui/servo_curve_frame.h"
#include "editors/gui/servo_widgets.h"
#include "qt_app.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;
namespace fs = std::filesystem;

class UndoWindow : public ::testing::Test {
 protected:
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
