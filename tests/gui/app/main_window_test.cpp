#include "app/gui/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "hex_builder.h"
#include "qt_app.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::MidRangeHex;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;
namespace fs = std::filesystem;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    korrin::testing::QtApp();
    dir = fs::temp_directory_path() /
          ("korrin-window-" + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    ini = (dir / "korrin.ini").string();
  }
  void TearDown() override { fs::remove_all(dir); }

  // "Tollet" (identifier 8): Motorola switching, rows "Weiche" and "Licht", options frame.
  std::string tollet(const std::string& name) {
    std::string path = (dir / name).string();
    MidRangeHex::Decoder(8, 0, 0, 0x1C8B).write(path);
    return path;
  }
  std::unique_ptr<MainWindow> window() {
    auto w = std::make_unique<MainWindow>(dialogs, files, ini);
    w->openUrl = [this](const QString& url) { opened.push_back(url); };
    return w;
  }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  fs::path dir;
  std::string ini;
  std::vector<QString> opened;
};

TEST_F(MainWindowTest, StartsNeutral) {
  auto w = window();
  EXPECT_EQ(w->windowTitle(), "Korrin 2022-01-09");
  EXPECT_FALSE(w->isWindowModified());
  EXPECT_FALSE(w->saveButton->isEnabled());
  EXPECT_FALSE(w->headerLabel->isVisibleTo(w.get()));
  EXPECT_EQ(w->statusPanels[3]->text(), " Korrin ");
  EXPECT_EQ(w->pos(), QPoint(10, 10));  // no settings file: the defaults
  for (int r = 0; r < 48; ++r) EXPECT_FALSE(w->addressEdits[static_cast<size_t>(r)]->isVisibleTo(w.get()));
  EXPECT_EQ(w->loadButton->text(), "HEX laden");
  EXPECT_TRUE(w->loadButton->font().bold());
  EXPECT_EQ(w->minimumWidth(), 720);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindowTest, CommandLineFileRunsTheCatalogueTwice) {
  auto path = tollet("a.hex");
  tollet("b.hex");
  auto w = window();
  w->StartWithFile(path);
  EXPECT_EQ(w->statusPanels[3]->text().toStdString(), path + " (12F629/16F630) (12F629/16F630)");
  EXPECT_EQ(w->statusPanels[2]->text(), "Mot");
  EXPECT_EQ(w->headerLabel->text(), "Tollet");
  EXPECT_TRUE(w->saveButton->isEnabled());
  EXPECT_EQ(w->rowLabels[1]->text(), "Weiche");
  EXPECT_TRUE(w->colourButtons[1]->isVisibleTo(w.get()));
  EXPECT_FALSE(w->functionEdits[1]->isVisibleTo(w.get()));
  // The neighbours are known at once: the first ">" loads the next file of the folder, with
  // its folder, and the second comes back to the first file.
  const std::string b = std::string(path).replace(path.size() - 5, 1, "b");
  EXPECT_EQ(w->document().NextFileName, b);
  w->LoadNextFile();
  EXPECT_EQ(w->document().LastFileName, b);
  w->LoadNextFile();
  EXPECT_EQ(w->document().LastFileName, path);
}

TEST_F(MainWindowTest, LoadThroughTheButtonFindsNeighbours) {
  auto a = tollet("a.hex");
  auto b = tollet("b.hex");
  auto w = window();
  files.openAnswers.push_back(a);
  w->ChooseAndLoadFile();
  ASSERT_EQ(files.openRequests.size(), 1u);
  EXPECT_EQ(files.openRequests[0].filter, "HEX|*.hex|TXT|*.txt|*.*|*.*");
  EXPECT_EQ(files.openRequests[0].title, "HEX-Datei laden");
  EXPECT_EQ(w->document().NextFileName, b);
  w->LoadNextFile();
  EXPECT_EQ(w->document().LastFileName, b);
  EXPECT_EQ(w->document().NextFileName, a);
  // A cancelled dialog loads nothing.
  w->ChooseAndLoadFile();
  EXPECT_EQ(w->document().LastFileName, b);
  EXPECT_EQ(files.openRequests.back().presetName, b);
}

TEST_F(MainWindowTest, RedGreenButtonRecolours) {
  auto w = window();
  w->StartWithFile(tollet("a.hex"));
  auto colour = [&](int r) { return w->addressEdits[static_cast<size_t>(r)]->styleSheet(); };
  const QString before = colour(1);
  EXPECT_TRUE(before.contains("#00FF00")) << before.toStdString();  // erased cells: green
  QTest::mouseClick(w->colourButtons[1], Qt::LeftButton);
  EXPECT_TRUE(colour(1).contains("#FF0000"));
  QTest::mouseClick(w->colourButtons[1], Qt::LeftButton);
  EXPECT_EQ(colour(1), before);
}

TEST_F(MainWindowTest, EditAndSaveWritesTheAddress) {
  auto w = window();
  w->StartWithFile(tollet("a.hex"));
  w->addressEdits[1]->setText("25");
  QTest::mouseClick(w->colourButtons[1], Qt::LeftButton);  // red
  auto out = (dir / "out.hex").string();
  files.saveAnswers.push_back(out);
  w->SaveFile();
  EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text;
  ASSERT_TRUE(fs::exists(out));
  EXPECT_EQ(w->statusPanels[3]->text().toStdString(), out);
  ASSERT_EQ(files.saveRequests.size(), 1u);
  EXPECT_EQ(files.saveRequests[0].title, "HEX-Datei speichern");

  auto again = window();
  again->StartWithFile(out);
  EXPECT_EQ(again->addressEdits[1]->text(), "25");
  EXPECT_TRUE(again->addressEdits[1]->styleSheet().contains("#FF0000"));
}

TEST_F(MainWindowTest, BadAddressKeepsFocusOnTheRow) {
  auto w = window();
  w->show();
  QApplication::setActiveWindow(w.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  w->StartWithFile(tollet("a.hex"));
  w->addressEdits[2]->setText("abc");
  dialogs.clear();
  w->SaveFile();
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_TRUE(files.saveRequests.empty());
  EXPECT_EQ(QApplication::focusWidget(), w->addressEdits[2]);
}

TEST_F(MainWindowTest, ReaderErrorLeavesSaveDisabled) {
  auto bad = (dir / "bad.hex").string();
  std::ofstream(bad) << "das ist kein HEX\n";
  auto w = window();
  w->StartWithFile(bad);
  EXPECT_FALSE(w->saveButton->isEnabled());
  EXPECT_FALSE(dialogs.messages.empty());
}

TEST_F(MainWindowTest, CloseButtonWritesSettingsCloseBoxDoesNot) {
  {
    auto w = window();
    w->close();  // the title-bar close box
  }
  EXPECT_FALSE(fs::exists(ini));
  auto path = tollet("a.hex");
  {
    auto w = window();
    w->StartWithFile(path);
    w->move(120, 130);
    w->document().RasterX = 7;
    w->SaveSettingsAndClose();
  }
  ASSERT_TRUE(fs::exists(ini));
  Settings s = ReadSettings(ini);
  EXPECT_EQ(s.WindowLeft, 120);
  EXPECT_EQ(s.WindowTop, 130);
  EXPECT_EQ(s.RasterX, 7);
  EXPECT_EQ(s.LastFileName, path);
  auto w = window();
  EXPECT_EQ(w->pos(), QPoint(120, 130));
  EXPECT_EQ(w->document().RasterX, 7);
}

TEST_F(MainWindowTest, DroppedFileIsLoaded) {
  auto path = tollet("a.hex");
  auto w = window();
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w.get(), &drop);
  EXPECT_EQ(w->document().LastFileName, path);
  EXPECT_TRUE(w->saveButton->isEnabled());
}

TEST_F(MainWindowTest, HelpLinksOpenTheGeneratedPages) {
  auto w = window();
  w->StartWithFile(tollet("a.hex"));
  w->OpenDecoderHelp();
  w->OpenProgramHelp();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_TRUE(opened[0].endsWith("help/typ-0x0008.html")) << opened[0].toStdString();
  EXPECT_TRUE(opened[1].endsWith("help/index.html")) << opened[1].toStdString();
  EXPECT_TRUE(opened[0].startsWith("file://"));
}

TEST_F(MainWindowTest, EachFrameKindGetsItsPlaceAndWindowSize) {
  struct Case {
    int b0, b1, b2, word8;
    FrameKind kind;
  } cases[] = {
      {8, 0, 0, 0x1C8B, FrameKind::Options},  // Tollet
      {1, 0, 0, 0x1C8B, FrameKind::Blink},    // Pandor - Blinkmuster
  };
  for (const auto& c : cases) {
    auto path = (dir / ("k" + std::to_string(static_cast<int>(c.kind)) + ".hex")).string();
    MidRangeHex::Decoder(c.b0, c.b1, c.b2, c.word8).write(path);
    auto w = window();
    w->StartWithFile(path);
    const MainLayout& l = w->document().layout;
    EXPECT_EQ(l.frameKind, c.kind);
    EXPECT_EQ(w->minimumWidth(), l.minWidth);
    EXPECT_EQ(l.windowWidth, l.frame.right() + 10) << static_cast<int>(c.kind);
  }
}

// The blink pattern editor's pending changes go through the save's question.
TEST_F(MainWindowTest, SaveAsksAboutPendingPatternChanges) {
  auto w = window();
  w->show();
  w->StartWithFile(std::string(KORRIN_EXAMPLES) + "/blinkmuster_mot.hex");
  auto* blink = w->frames().blinkPatternFrame;
  ASSERT_TRUE(blink->isVisible());
  EditorModel& model = w->document().editors.blink;
  ASSERT_FALSE(model.hasPendingChanges());
  auto* loop = blink->findChild<QCheckBox*>();
  ASSERT_NE(loop, nullptr);
  loop->click();  // a change in the working copy
  ASSERT_TRUE(model.hasPendingChanges());
  const std::string romBefore = [&] {
    std::string s;
    for (const auto& c : w->document().image.Hex_ROM) s += c;
    return s;
  }();

  // No: nothing written, the change stays pending.
  dialogs.clear();
  dialogs.script = {Answer::No};
  auto out = (dir / "out.hex").string();
  files.saveAnswers.push_back(out);
  w->SaveFile();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Geänderte Werte übernehmen?");
  EXPECT_EQ(dialogs.messages[0].buttons, Buttons::YesNo);
  EXPECT_FALSE(fs::exists(out));
  EXPECT_TRUE(model.hasPendingChanges());

  // Yes: applied into the image, then saved.
  dialogs.clear();
  dialogs.script = {Answer::Yes};
  w->SaveFile();
  EXPECT_TRUE(fs::exists(out));
  EXPECT_FALSE(model.hasPendingChanges());
  std::string romAfter;
  for (const auto& c : w->document().image.Hex_ROM) romAfter += c;
  EXPECT_NE(romAfter, romBefore);
}
