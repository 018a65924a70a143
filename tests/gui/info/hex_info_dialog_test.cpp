#include "info/gui/hex_info_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "qt_app.h"
#include "recording_dialogs.h"

namespace korrin {
namespace {

using testing::RecordingDialogs;
using testing::ScriptedFileDialogs;

QStringList Lines(const QPlainTextEdit* memo) { return memo->toPlainText().split(QLatin1Char('\n')); }

class InfoDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    korrin::testing::QtApp();
    auto& image = ctx.image;
    image.ResetForNewFile();
    image.PIC = 684;
    image.ID_Text = "1236";
    image.Config[0] = "CC31";
    image.Max_EE_Index = 0x1F;
    image.Max_ROM_Index = 0x2F;
    for (int i = 0; i < 16; ++i) image.setEepromValue(i, i);
    image.setRomValue(0x24, 0x05);  // word 0x12: GOTO 5
    image.setRomValue(0x25, 0x28);

    dir = std::filesystem::temp_directory_path() / ("korrin_dlg_info_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  // File 2: EEPROM bytes 0..15 with byte 5 changed to 12, and the words 0x10..0x17 erased.
  std::string WriteFile2() {
    const auto path = (dir / "file2.hex").string();
    std::ofstream out(path, std::ios::binary);
    out << ":020000040000FA\r\n"
        << ":10002000FF3FFF3FFF3FFF3FFF3FFF3FFF3FFF3FB0\r\n"  // words 0x10..0x17 erased
        << ":10420000000001000200030004001200060007005A\r\n"  // EEPROM 0..7, cell 5 = 12
        << ":00000001FF\r\n";
    return path;
  }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  EditorContext ctx{dialogs, files};
  std::filesystem::path dir;
};

TEST_F(InfoDialogTest, ShowsTheImageWhenItOpens) {
  HexInfoDialog dlg(ctx, "C:/decoder/file1.hex", nullptr);
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("HEX File Information"));
  EXPECT_EQ(dlg.size(), QSize(978, 662));

  EXPECT_EQ(dlg.configLabel->text(), QStringLiteral("Config Value:"));
  EXPECT_EQ(dlg.idLabel->text(), QStringLiteral("ID-Value:"));
  const QString config[4] = {"31CC", "0000", "0000", "0000"};
  const QString id[4] = {"1236", "", "", ""};
  for (size_t n = 0; n < 4; ++n) {
    EXPECT_EQ(dlg.configEdits[n]->text(), config[n]) << n;
    EXPECT_FALSE(dlg.configEdits[n]->isEnabled());
    EXPECT_EQ(dlg.idEdits[n]->text(), id[n]) << n;
    EXPECT_FALSE(dlg.idEdits[n]->isEnabled());
  }
  EXPECT_EQ(dlg.findChild<QLineEdit*>("edt_config_4"), dlg.configEdits[3]);
  EXPECT_EQ(dlg.findChild<QLineEdit*>("edt_ID_1"), dlg.idEdits[0]);

  EXPECT_EQ(dlg.eepromLabel->text(), QStringLiteral("EEprom"));
  EXPECT_EQ(dlg.romLabel->text(), QStringLiteral("ROM"));
  const QStringList eeprom{"0x000 0001.0203.0405.0607 0809.0A0B.0C0D.0E0F", "0x010:FFFF.FFFF.FFFF.FFFF FFFF.FFFF.FFFF.FFFF"};
  EXPECT_EQ(Lines(dlg.eepromText), eeprom);
  const QStringList rom{"$0000: 3FFF.3FFF.3FFF.3FFF 3FFF.3FFF.3FFF.3FFF", "$0008: 3FFF.3FFF.3FFF.3FFF 3FFF.3FFF.3FFF.3FFF",
                        "$0010: 3FFF.3FFF.2805.3FFF 3FFF.3FFF.3FFF.3FFF"};
  EXPECT_EQ(Lines(dlg.romText), rom);
  EXPECT_EQ(dlg.romCountLabel->text(), QStringLiteral("Anzahl ROM Bytes (File 1): 47"));

  for (auto* memo : {dlg.eepromText, dlg.romText}) {
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_TRUE(QFontInfo(memo->font()).fixedPitch());
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  }
  EXPECT_EQ(dlg.eepromText->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(dlg.eepromText->toolTip(), QString::fromUtf8("Anzeige der EEprom Daten\nFür den Normal-Bediener uninteressant!"));
  EXPECT_EQ(dlg.romText->toolTip(), QString::fromUtf8("Anzeige der Register\nFür den Normal-Bediener uninteressant!"));

  EXPECT_EQ(dlg.compareButton->text(), QStringLiteral("vergleiche mit 2. HEX-File"));
  EXPECT_EQ(dlg.compareButton->toolTip(), QStringLiteral("das geladenen HEX wird mit einer 2. Datei verglichen"));
  EXPECT_EQ(dlg.closeButton->text(), QStringLiteral("Fenster schliessen"));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(InfoDialogTest, LaysOutItsControlsInsideTheClientArea) {
  QWidget owner;
  owner.setGeometry(100, 80, 1300, 900);
  owner.show();
  HexInfoDialog dlg(ctx, "file1.hex", &owner);
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));

  // Centred on the owner's window.
  EXPECT_LE(std::abs(dlg.frameGeometry().center().x() - owner.frameGeometry().center().x()), 2);
  EXPECT_LE(std::abs(dlg.frameGeometry().center().y() - owner.frameGeometry().center().y()), 2);

  EXPECT_EQ(dlg.statusPanels[0]->width(), 400);
  EXPECT_GE(dlg.statusPanels[1]->width(), 50);
  const QRect client = dlg.rect();
  const QWidget* controls[] = {dlg.configLabel, dlg.idLabel,       dlg.eepromLabel,   dlg.romLabel,    dlg.eepromText,
                               dlg.romText,     dlg.romCountLabel, dlg.compareButton, dlg.closeButton, dlg.statusBar};
  for (const QWidget* w : controls) EXPECT_TRUE(client.contains(w->geometry())) << w->objectName().toStdString();
  for (auto* edit : dlg.configEdits) EXPECT_TRUE(client.contains(edit->geometry()));
  for (auto* edit : dlg.idEdits) EXPECT_TRUE(client.contains(edit->geometry()));
  EXPECT_FALSE(dlg.eepromText->geometry().intersects(dlg.romText->geometry()));
  EXPECT_FALSE(dlg.compareButton->geometry().intersects(dlg.closeButton->geometry()));
  EXPECT_GE(dlg.compareButton->width(), dlg.compareButton->sizeHint().width());
  // A full EEPROM line fits without a horizontal scroll bar.
  const int lineWidth = QFontMetrics(dlg.eepromText->font()).horizontalAdvance(Lines(dlg.eepromText)[1]);
  EXPECT_LT(lineWidth, dlg.eepromText->viewport()->width());

  if (const char* shots = std::getenv("KORRIN_SCREENSHOT_DIR")) {
    dlg.grab().save(QString::fromLocal8Bit(shots) + "/info_dialog.png");
    WriteFile2();
    files.openAnswers.push_back((dir / "file2.hex").string());
    dlg.CompareWithFile();
    dlg.grab().save(QString::fromLocal8Bit(shots) + "/info_dialog_compare.png");
  }
}

TEST_F(InfoDialogTest, CompareFillsTheMemosAndTheStatusBar) {
  HexInfoDialog dlg(ctx, "C:/decoder/file1.hex", nullptr);
  const std::string path = WriteFile2();
  files.openAnswers.push_back(path);
  QTest::mouseClick(dlg.compareButton, Qt::LeftButton);

  ASSERT_EQ(files.openRequests.size(), 1u);
  EXPECT_EQ(files.openRequests[0].filter, "HEX|*.hex|TXT|*.txt|*.*|*.*");
  EXPECT_TRUE(dialogs.messages.empty());

  const QStringList eeprom{"", "EE0x05: File1:0x05 - File2:0x12", " ", "   1 gefundene Unterschiede im EEprom"};
  EXPECT_EQ(Lines(dlg.eepromText), eeprom);
  const QStringList rom{"$0012:  0x2805 [GOTO  ] - 0x3FFF [      ]", " ", "   1 gefundene Unterschiede im ROM",
                        "   0 gefundene Unterschiede in ID", "   0 gefundene Unterschiede in Config"};
  EXPECT_EQ(Lines(dlg.romText), rom);
  EXPECT_EQ(dlg.statusPanels[0]->text(), QStringLiteral("File 1 = C:/decoder/file1.hex"));
  EXPECT_EQ(dlg.statusPanels[1]->text(), QString::fromStdString("File 2 = " + path));
  EXPECT_EQ(dlg.romCountLabel->text(), QStringLiteral("Anzahl ROM Bytes (File 1): 47"));

  // A second comparison starts from empty memos: the same lines again, not twice.
  files.openAnswers.push_back(path);
  dlg.CompareWithFile();
  EXPECT_EQ(Lines(dlg.eepromText), eeprom);
  EXPECT_EQ(Lines(dlg.romText), rom);
}

TEST_F(InfoDialogTest, CancellingTheFileDialogLeavesBothMemosEmpty) {
  HexInfoDialog dlg(ctx, "file1.hex", nullptr);
  dlg.CompareWithFile();  // the scripted dialog has no answer: cancelled
  EXPECT_EQ(files.openRequests.size(), 1u);
  EXPECT_TRUE(dlg.eepromText->toPlainText().isEmpty());
  EXPECT_TRUE(dlg.romText->toPlainText().isEmpty());
  EXPECT_TRUE(dlg.statusPanels[0]->text().isEmpty());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(InfoDialogTest, ARefusedLineOfFile2IsReportedAndEndsWithoutCounts) {
  HexInfoDialog dlg(ctx, "file1.hex", nullptr);
  const auto path = (dir / "bad.hex").string();
  std::ofstream(path, std::ios::binary) << ":10420000000001000200030004001200060007005A\r\n:02000006AABB00\r\n:00000001FF\r\n";
  files.openAnswers.push_back(path);
  dlg.CompareWithFile();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text.substr(0, 6), "E206a:");
  const QStringList eeprom{"", "EE0x05: File1:0x05 - File2:0x12"};
  EXPECT_EQ(Lines(dlg.eepromText), eeprom);
  EXPECT_TRUE(dlg.romText->toPlainText().isEmpty());
}

TEST_F(InfoDialogTest, AFile2ThatCannotBeReadIsReported) {
  HexInfoDialog dlg(ctx, "file1.hex", nullptr);
  files.openAnswers.push_back((dir / "missing.hex").string());
  dlg.CompareWithFile();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_TRUE(dlg.eepromText->toPlainText().isEmpty());
  EXPECT_TRUE(dlg.statusPanels[1]->text().isEmpty());
}

TEST_F(InfoDialogTest, CloseButtonClosesAndADialogMadeWithNewIsDestroyed) {
  QPointer<HexInfoDialog> dlg = new HexInfoDialog(ctx, "file1.hex", nullptr);
  dlg->setAttribute(Qt::WA_DeleteOnClose);
  dlg->show();
  QTest::mouseClick(dlg->closeButton, Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(dlg.isNull());
}

}  // namespace
}  // namespace korrin
