// The window as a desktop program: Qt's German texts, what the rows show, sizes, accessibility.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "app/gui/desktop_setup.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_seams.h"
#include "hex_builder.h"
#include "qt_app.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::MidRangeHex;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;
namespace fs = std::filesystem;

namespace {

class Desktop : public ::testing::Test {
 protected:
  void SetUp() override {
    korrin::testing::QtApp();
    dir = fs::temp_directory_path() / ("korrin-desktop-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::unique_ptr<MainWindow> window(const std::string& example) {
    auto w = std::make_unique<MainWindow>(dialogs, files, (dir / "korrin.ini").string());
    w->StartWithFile(std::string(KORRIN_EXAMPLES) + "/" + example);
    return w;
  }
  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  fs::path dir;
};

// The rows that the loaded type shows, as (address edit, row index).
std::vector<int> ShownRows(MainWindow& w) {
  std::vector<int> rows;
  for (int r = 0; r < 48; ++r)
    if (w.addressEdits[static_cast<size_t>(r)]->isVisibleTo(&w)) rows.push_back(r);
  return rows;
}

}  // namespace

TEST_F(Desktop, QtSpeaksGerman) {
  const QString loaded = InstallGermanTranslation(korrin::testing::QtApp());
  ASSERT_FALSE(loaded.isEmpty()) << "qtbase_de.qm not found (Debian package qt6-translations-l10n)";
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Cancel | QMessageBox::Save);
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Abbrechen");
  EXPECT_EQ(box.button(QMessageBox::Save)->text(), "Speichern");
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), "Datei&name:");
}

// The real save dialog: German title and German labels (the labels come from Qt's translation).
TEST_F(Desktop, SaveDialogSpeaksGerman) {
  ASSERT_FALSE(InstallGermanTranslation(korrin::testing::QtApp()).isEmpty());
  QString title;
  QStringList labels;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    title = dialog->windowTitle();
    for (QLabel* l : dialog->findChildren<QLabel*>()) labels << l->text();
    dialog->reject();
  });
  QtFileDialogs fileDialogs;
  const auto chosen = fileDialogs.save({"HEX-Datei speichern", "HEX|*.hex|TXT|*.txt|*.*|*.*", "hex", ""});
  EXPECT_FALSE(chosen.has_value());
  EXPECT_EQ(title, "HEX-Datei speichern");
  EXPECT_TRUE(labels.contains("Suchen in:")) << labels.join('|').toStdString();
  EXPECT_TRUE(labels.contains("Datei&name:")) << labels.join('|').toStdString();
  EXPECT_FALSE(labels.contains("Look in:"));
  // A request without a title (the curve files) gets a German one as well.
  QTimer::singleShot(0, [&] {
    if (auto* dialog = QApplication::activeModalWidget()) {
      title = dialog->windowTitle();
      dialog->close();
    }
  });
  fileDialogs.open({"", "CUR|*.cur", "CUR", ""});
  EXPECT_EQ(title, QString::fromUtf8("Datei öffnen"));
}

TEST_F(Desktop, ProgramIconIsDrawnFromTheBuiltInPicture) {
  const QIcon icon = ProgramIcon();
  ASSERT_FALSE(icon.isNull());
  const QImage image = icon.pixmap(64, 64).toImage();
  EXPECT_EQ(image.size(), QSize(64, 64));
  EXPECT_EQ(image.pixelColor(32, 6).alpha(), 255);  // the picture, not an empty square
  EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);     // rounded corners stay transparent
}

// Five digits are the longest address: the DCC function row "Ausgang / Out 6" of this fixture
// holds 16128. The edit keeps the layout's 40 pixels and shows all five digits, the first
// included, also with the cursor at the end as after typing.
TEST_F(Desktop, FiveDigitAddressIsFullyVisible) {
  auto w = std::make_unique<MainWindow>(dialogs, files, (dir / "korrin.ini").string());
  w->StartWithFile(std::string(KORRIN_FIXTURES) + "/dcc_function.hex");
  w->show();
  QLineEdit* edit = w->addressEdits[6];
  ASSERT_EQ(edit->text(), "16128");
  EXPECT_EQ(edit->width(), 40);
  for (int cursor : {0, 5}) {
    edit->setCursorPosition(cursor);
    edit->grab();  // the edit scrolls its text while painting
    EXPECT_EQ(edit->cursorPositionAt(QPoint(3, edit->height() / 2)), 0) << "cursor at " << cursor;
  }
  // Every row of the two-column layout is as wide.
  for (int r : ShownRows(*w)) EXPECT_EQ(w->addressEdits[static_cast<size_t>(r)]->width(), 40);
}

TEST_F(Desktop, WindowHasTheLayoutsSizeForEveryFrameKind) {
  for (const char* example : {"drehscheibe24_dcc.hex", "tollet_mot.hex", "blinkmuster_mot.hex", "led_blinkmuster_dcc.hex",
                              "servo_tamb4_dcc.hex", "fenwik_18324_cv.hex", "relais8_dcc.hex"}) {
    auto w = window(example);
    w->show();
    const MainLayout& l = w->document().layout;
    EXPECT_EQ(w->size(), QSize(l.windowWidth, l.windowHeight)) << example;
    EXPECT_EQ(w->minimumSize(), QSize(l.minWidth, l.minHeight)) << example;
    EXPECT_EQ(w->statusBar()->height(), LayoutMetrics::kStatusBarHeight) << example;
    // Each button's caption fits the width the layout gives it ("HEX Info" gets 52 pixels).
    for (QPushButton* b : {w->previousButton, w->loadButton, w->nextButton, w->saveButton, w->infoButton, w->closeButton}) {
      QStyleOptionButton option;
      option.initFrom(b);
      option.rect = b->rect();
      const int room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b).width();
      EXPECT_LE(QFontMetrics(b->font()).horizontalAdvance(b->text()), room) << example << " " << b->text().toStdString();
    }
  }
}

TEST_F(Desktop, ControlsAreNamedForScreenReaders) {
  auto w = window("tollet_mot.hex");
  const auto rows = ShownRows(*w);
  ASSERT_GE(rows.size(), 2u);
  for (int r : rows) {
    const size_t i = static_cast<size_t>(r);
    const QString caption = w->rowLabels[i]->text();
    ASSERT_FALSE(caption.isEmpty());
    EXPECT_EQ(w->addressEdits[i]->accessibleName(), caption);
    EXPECT_EQ(w->colourButtons[i]->accessibleName(), "R/G " + caption);
    EXPECT_EQ(w->functionEdits[i]->accessibleName(), "Funktion " + caption);
    EXPECT_EQ(w->rowLabels[i]->buddy(), w->addressEdits[i]);
  }
  // Every control of the main window (the frames name their own) has a name, the arrow
  // buttons included.
  auto inFrame = [&](QWidget* c) {
    for (QWidget* f : w->frames().all())
      if (f->isAncestorOf(c)) return true;
    return false;
  };
  for (QWidget* c : w->findChildren<QWidget*>()) {
    if (!c->isVisibleTo(w.get()) || !(c->focusPolicy() & Qt::TabFocus) || inFrame(c)) continue;
    if (!qobject_cast<QLineEdit*>(c) && !qobject_cast<QAbstractButton*>(c)) continue;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
    ASSERT_NE(a, nullptr);
    EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty()) << c->metaObject()->className();
  }
  EXPECT_EQ(w->previousButton->accessibleName(), "Vorherige HEX-Datei");
  EXPECT_EQ(w->nextButton->accessibleName(), QString::fromUtf8("Nächste HEX-Datei"));
}

TEST_F(Desktop, TabFollowsTheRowsThenTheButtonsThenTheFrame) {
  auto w = window("tollet_mot.hex");
  w->show();
  std::vector<QWidget*> expected;
  for (int r : ShownRows(*w)) {
    const size_t i = static_cast<size_t>(r);
    expected.push_back(w->addressEdits[i]);
    expected.push_back(w->colourButtons[i]->isVisibleTo(w.get()) ? static_cast<QWidget*>(w->colourButtons[i])
                                                                 : static_cast<QWidget*>(w->functionEdits[i]));
  }
  for (QWidget* b :
       {w->previousButton, w->loadButton, w->nextButton, w->saveButton, w->infoButton, w->closeButton, w->helpButton})
    expected.push_back(b);
  std::vector<QWidget*> chain;
  QWidget* start = expected.front();
  QWidget* frameWidget = nullptr;
  for (QWidget* c = start->nextInFocusChain(); c != start && !frameWidget; c = c->nextInFocusChain()) {
    if (!c->isVisibleTo(w.get()) || !c->isEnabled() || !(c->focusPolicy() & Qt::TabFocus)) continue;
    if (w->frames().optionsFrame->isAncestorOf(c)) frameWidget = c;
    else chain.push_back(c);
  }
  chain.insert(chain.begin(), start);
  EXPECT_EQ(chain, expected);
  EXPECT_NE(frameWidget, nullptr) << "the options frame follows the buttons";
}

// An installed program keeps its settings in the user's configuration folder; the first "Ende"
// creates that folder, and a folder that cannot be made is reported while the window still closes.
TEST_F(Desktop, EndeWritesIntoAConfigurationFolderItCreates) {
  const std::string ini = (dir / "config" / "korrin" / "korrin.ini").string();
  {
    MainWindow w(dialogs, files, ini);
    w.show();
    w.SaveSettingsAndClose();
    EXPECT_FALSE(w.isVisible());
  }
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(fs::exists(ini));

  std::ofstream(dir / "plain") << "x";  // no folder can be made below a file
  MainWindow blocked(dialogs, files, (dir / "plain" / "korrin" / "korrin.ini").string());
  blocked.show();
  blocked.SaveSettingsAndClose();
  EXPECT_FALSE(blocked.isVisible());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text,
            "Der Ordner für die Einstellungen kann nicht angelegt werden: " + (dir / "plain" / "korrin").string());
}

// A HEX line of a megabyte is refused in the window about as fast as on the command line: the
// real message box is shown (and closed by a timer), and it quotes a short excerpt of the line.
TEST_F(Desktop, AMegabyteLineIsRefusedWithinASecond) {
  const fs::path file = dir / "lang.hex";
  std::ofstream(file, std::ios::binary) << ":020000FF" << std::string(1 << 20, 'A') << "\r\n:00000001FF\r\n";
  QtDialogs boxes;
  auto w = std::make_unique<MainWindow>(boxes, files, (dir / "korrin.ini").string());
  boxes.setParent(w.get());
  QStringList shown;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown << box->text();
      box->reject();
    }
  });
  closer.start(5);
  const auto start = std::chrono::steady_clock::now();
  w->StartWithFile(file.string());
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  closer.stop();
  EXPECT_LT(ms.count(), 1000);
  ASSERT_GE(shown.size(), 1);  // the refusal first (the catalogue step may add its own box)
  EXPECT_TRUE(shown[0].startsWith("E206: Unerwartete Zeile im File:\n:020000FFAAAA")) << shown[0].left(200).toStdString();
  EXPECT_TRUE(shown[0].contains(QString::fromUtf8("… (gekürzt, die Zeile ist 1048585 Zeichen lang)")));
  EXPECT_LT(shown[0].size(), 400);
}
