// Unsaved changes in the window: every way of loading another file and of ending the program
// asks about them when there are some, never otherwise, and each answer does what it says;
// the title marks them; the question box of the Qt seam.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include <unistd.h>

#include "app/gui/main_window.h"
#include "app/gui/undo_support.h"
#include "hex_builder.h"
#include "qt_app.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::MidRangeHex;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;
namespace fs = std::filesystem;

namespace {

enum class Way { LoadButton, Previous, Next, Drop, Ende, CloseBox };

class UnsavedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    korrin::testing::QtApp();
    dir = fs::temp_directory_path() / ("korrin-unsaved-window-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    ini = (dir / "korrin.ini").string();
    // "Tollet": Motorola switching; row 1 is "Weiche". The folder holds a.hex and b.hex, so
    // "<" and ">" both lead from a to b.
    a = (dir / "a.hex").string();
    b = (dir / "b.hex").string();
    MidRangeHex::Decoder(8, 0, 0, 0x1C8B).write(a);
    MidRangeHex::Decoder(8, 0, 0, 0x1C8B).write(b);
  }
  void TearDown() override { fs::remove_all(dir); }

  // The window with a.hex loaded through "HEX laden" (so its neighbours are known).
  std::unique_ptr<MainWindow> Open() {
    auto w = std::make_unique<MainWindow>(dialogs, files, ini);
    w->openUrl = [](const QString&) {};
    w->show();
    w->LoadAndFindNeighbours(a);
    dialogs.clear();
    return w;
  }

  // Loads b or ends the program the given way; true when that happened.
  bool Go(MainWindow& w, Way way) {
    switch (way) {
      case Way::LoadButton:
        files.openAnswers.push_back(b);
        w.ChooseAndLoadFile();
        break;
      case Way::Previous: w.LoadPreviousFile(); break;
      case Way::Next: w.LoadNextFile(); break;
      case Way::Drop: {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(b))});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
        break;
      }
      case Way::Ende: w.SaveSettingsAndClose(); break;
      case Way::CloseBox: w.close(); break;
    }
    if (way == Way::Ende || way == Way::CloseBox) return !w.isVisible();
    return w.document().LastFileName == b;
  }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  fs::path dir;
  std::string ini, a, b;
};

TEST_F(UnsavedWindow, EachWayAsksAndFollowsTheAnswer) {
  const struct {
    const char* name;
    Way way;
  } ways[] = {
      {"HEX laden", Way::LoadButton}, {"<", Way::Previous}, {">", Way::Next},
      {"Ablegen", Way::Drop},         {"Ende", Way::Ende},  {"Schliessfeld", Way::CloseBox},
  };
  const struct {
    const char* name;
    bool changed;
    Answer answer;
    bool saveDialogGivesFile;
    bool goesOn;
  } answers[] = {
      {"ohne Änderung", false, Answer::Ok, false, true},
      {"Speichern", true, Answer::Save, true, true},
      {"Speichern, Dialog abgebrochen", true, Answer::Save, false, false},
      {"Verwerfen", true, Answer::Discard, false, true},
      {"Abbrechen", true, Answer::Cancel, false, false},
  };
  for (const auto& way : ways) {
    for (const auto& c : answers) {
      SCOPED_TRACE(std::string(way.name) + ", " + c.name);
      fs::remove(ini);
      auto w = Open();
      if (c.changed) w->addressEdits[1]->setText("25");  // typed, the step not yet ended
      const std::string out = (dir / "out.hex").string();
      fs::remove(out);
      files.saveAnswers.clear();
      if (c.saveDialogGivesFile) files.saveAnswers.push_back(out);
      dialogs.script = {c.answer};

      EXPECT_EQ(Go(*w, way.way), c.goesOn);
      if (c.changed) {
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, "Die Änderungen an a.hex speichern?");
        EXPECT_EQ(dialogs.messages[0].buttons, Buttons::SaveDiscardCancel);
      } else {
        EXPECT_TRUE(dialogs.messages.empty());
      }
      EXPECT_EQ(fs::exists(out), c.saveDialogGivesFile);  // Speichern with a file saves it
      EXPECT_EQ(files.saveRequests.size(), c.answer == Answer::Save ? 1u : 0u);
      files.saveRequests.clear();
      if (way.way == Way::Ende) {
        EXPECT_EQ(fs::exists(ini), c.goesOn);  // the settings only on leaving
      }
      if (!c.goesOn) {
        // Staying keeps the change, marked in the title.
        EXPECT_EQ(w->document().LastFileName, a);
        EXPECT_EQ(w->addressEdits[1]->text(), "25");
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->isWindowModified());
      } else if (way.way != Way::Ende && way.way != Way::CloseBox) {
        EXPECT_FALSE(w->isWindowModified());  // b as loaded
      }
    }
  }
}

// The title marks unsaved changes as soon as an edit has recorded its step; undo back to the file and a save
// clear the mark; a file loaded after a save is loaded without a question.
TEST_F(UnsavedWindow, TitleMarksUnsavedChanges) {
  auto w = Open();
  EXPECT_EQ(w->windowTitle(), "Korrin 2022-01-09");
  EXPECT_FALSE(w->isWindowModified());
  auto* undo = w->findChild<UndoSupport*>("undoSupport");
  ASSERT_NE(undo, nullptr);
  w->addressEdits[1]->setText("25");  // no commit, no focus change: the step marks the title
  EXPECT_TRUE(w->isWindowModified());
  EXPECT_EQ(w->windowTitle(), "Korrin 2022-01-09[*]");  // shown as "Korrin 2022-01-09*"
  undo->Undo();
  EXPECT_FALSE(w->isWindowModified());
  undo->Redo();
  EXPECT_TRUE(w->isWindowModified());

  files.saveAnswers.push_back((dir / "out.hex").string());
  w->SaveFile();
  EXPECT_FALSE(w->isWindowModified());
  w->LoadNextFile();
  EXPECT_EQ(w->document().LastFileName, b);
  EXPECT_TRUE(dialogs.messages.empty());
}

// The window's message box for the question: Qt's Save, Discard and Cancel buttons with
// German texts; Escape is Abbrechen.
TEST(QtQuestionBox, SaveDiscardCancel) {
  korrin::testing::QtApp();
  const struct {
    QMessageBox::StandardButton press;  // NoButton: Escape
    Answer answer;
  } cases[] = {
      {QMessageBox::Save, Answer::Save},
      {QMessageBox::Discard, Answer::Discard},
      {QMessageBox::Cancel, Answer::Cancel},
      {QMessageBox::NoButton, Answer::Cancel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.press));
    QtDialogs dialogs;
    QString text;
    QStringList captions;
    QMessageBox::StandardButtons buttons;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(top);
        if (!box || !box->isVisible()) continue;
        poll.stop();
        text = box->text();
        buttons = box->standardButtons();
        for (auto which : {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel})
          captions << (box->button(which) ? box->button(which)->text() : QString());
        if (c.press == QMessageBox::NoButton) QTest::keyClick(box, Qt::Key_Escape);
        else box->button(c.press)->click();
        return;
      }
    });
    poll.start();
    EXPECT_EQ(dialogs.show(BoxKind::Warning, "Die Änderungen an a.hex speichern?", Buttons::SaveDiscardCancel), c.answer);
    EXPECT_EQ(text, QString::fromUtf8("Die Änderungen an a.hex speichern?"));
    EXPECT_EQ(buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    EXPECT_EQ(captions, (QStringList{"Speichern", "Verwerfen", "Abbrechen"}));
  }
}

}  // namespace
