#include "editors/gui/Frame_tamb.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "editors/gui/Frame_tamb_adr.h"
#include "editors/gui/servo_widgets.h"
#include "editors/curve_files.h"
#include "image/text_file.h"
#include "recording_dialogs.h"
#include "qt_app.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;

namespace {

class FrameTambTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    korrin::testing::QtApp();
  }

  void SetUp() override {
    ctx = std::make_unique<EditorContext>(dialogs, files);
    ctx->image.ResetForNewFile();
    window = std::make_unique<QWidget>();
    window->resize(1050, 800);
    tamb = new TFrameTamb(*ctx, window.get());
    adr = new TFrameTambAdr(*ctx, *tamb, window.get());
  }

  // Curve k: count, stretch and a few points in the image.
  void SetCurve(int k, int count, int stretch) {
    const int base = (k < 2 ? 0xA00 : 0xC00) + 2 * 128 * (k % 2);
    ctx->image.setRomValue(base + 2 * kEntryCount, count);
    ctx->image.setRomValue(base + 2 * kEntryStretch, stretch);
    for (int j = 0; j < 100; ++j) ctx->image.setRomValue(base + 2 * j, (j + k) & 0x7F);
  }
  void SetBlockEntry(int k, int entry, int value) {
    const int base = (k < 2 ? 0xA00 : 0xC00) + 2 * 128 * (k % 2);
    ctx->image.setRomValue(base + 2 * entry, value);
  }

  // What the main window's frame switch does for the servo pair.
  void Show(int32_t id) {
    ctx->DecoderIdentifier = id;
    tamb->filling = true;
    const QRect b = tamb->servo_btn_uebernehmen->geometry();
    tamb->setGeometry(410, 5, b.right() + 1 + 15, b.bottom() + 1 + 15);
    tamb->show();
    adr->setGeometry(1, 120, 398, 530);
    adr->show();
    window->show();
    tamb->ShowEditor();
    adr->ShowEditor();
  }

  void Drag(ServoCanvas* canvas, QPoint from, QPoint to) {
    QMouseEvent press(QEvent::MouseButtonPress, from, canvas->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(canvas, &press);
    QMouseEvent move(QEvent::MouseMove, to, canvas->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, canvas->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(canvas, &release);
  }

  void Pick(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
  }

  CurveBlock& Block(int k) { return tamb->curve_table.blocks[static_cast<size_t>(k)]; }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  std::unique_ptr<EditorContext> ctx;
  std::unique_ptr<QWidget> window;
  TFrameTamb* tamb = nullptr;
  TFrameTambAdr* adr = nullptr;
};

TEST_F(FrameTambTest, ShowEditorFillsEverythingAndLeavesNothingPending) {
  SetCurve(0, 10, 10);
  ctx->image.set_Hex_EE(0x00, "01");
  ctx->RasterX = 3;
  ctx->RasterY = 2;
  Show(211);
  EXPECT_FALSE(tamb->filling);
  EXPECT_FALSE(adr->filling);
  EXPECT_EQ(tamb->edt_Anzahl->text(), "10");
  EXPECT_EQ(tamb->lbl_KurveInfo1->text(), "Zeit zwischen 2 Punkten = 200 ms");
  EXPECT_EQ(tamb->lbl_KurveInfo2->text(), "Gesamtzeit für diese Kurve = 1800 ms");
  EXPECT_EQ(tamb->cbx_raster_x->currentIndex(), 3);
  EXPECT_EQ(tamb->cbx_raster_y->currentIndex(), 2);
  EXPECT_TRUE(tamb->servo_rad_lernen->isChecked());
  EXPECT_EQ(ctx->image.get_Hex_EE(0x00), "01");  // showing does not write SW1
  EXPECT_TRUE(tamb->servo_cbx_s[0]->isHidden());  // Taster 1 lists only with "Servo-Bedienung"
  EXPECT_FALSE(tamb->btn_copy[0]->isEnabled());
  EXPECT_TRUE(tamb->btn_copy[1]->isEnabled());
  EXPECT_FALSE(tamb->servo_btn_uebernehmen->isEnabled());
  EXPECT_FALSE(tamb->hasPendingChanges());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FrameTambTest, DrawingBeyondTheCountChangesEntriesUpTo99Only) {
  SetCurve(0, 10, 1);
  Show(211);
  Block(0)[99] = 0x80 | 1;
  const int before100 = Block(0)[100];
  // Far right of the drawing, near the top: point trunc(520 / 52 + 0.5) = 10.
  Drag(tamb->servo_Image1, QPoint(10, 100), QPoint(520, 10));
  EXPECT_EQ(Block(0)[10], CurvePositionAt(10, 201.0f, 201.0f / 128.0f));
  // A press alone changes nothing; the press at x = 10 is point 0 and was not moved there.
  EXPECT_EQ(Block(0)[0], 0);
  // Far beyond the drawing (the pressed canvas keeps getting the moves): point 99 at most.
  Drag(tamb->servo_Image1, QPoint(0, 0), QPoint(6000, 201));
  EXPECT_EQ(Block(0)[99], 0x80);  // position 0, relay bit kept
  EXPECT_EQ(Block(0)[100], before100);
  EXPECT_TRUE(tamb->hasPendingChanges());
}

TEST_F(FrameTambTest, RelayStripSetsAndClearsBit7OfTheCell) {
  SetCurve(0, 10, 1);
  Show(211);
  Drag(tamb->servo_Image2, QPoint(60, 5), QPoint(60, 5));  // cell 1, upper part
  EXPECT_EQ(Block(0)[1], 0x80 | 1);
  EXPECT_EQ(Block(0)[0], 0);
  Drag(tamb->servo_Image2, QPoint(60, 50), QPoint(60, 50));
  EXPECT_EQ(Block(0)[1], 1);
}

TEST_F(FrameTambTest, CountAndStretchEdits) {
  SetCurve(1, 10, 10);
  Show(211);
  QTest::mouseClick(tamb->servo_rad_a[1], Qt::LeftButton);
  ASSERT_EQ(tamb->selectedCurve(), 1);
  EXPECT_FALSE(tamb->servo_btn_uebernehmen->isEnabled());  // viewing another curve is no change
  tamb->edt_Anzahl->setText("150");
  EXPECT_EQ(Block(1)[kEntryCount], 100);
  EXPECT_EQ(tamb->edt_Anzahl->text(), "100");
  EXPECT_TRUE(tamb->servo_btn_uebernehmen->isEnabled());
  tamb->edt_Anzahl->setText("x");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..100");
  EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
  EXPECT_EQ(Block(1)[kEntryCount], 100);
  tamb->edt_stretch->setText("abc");
  EXPECT_EQ(dialogs.messages.back().text, "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200");
  tamb->edt_stretch->setText("300");
  EXPECT_EQ(Block(1)[kEntryStretch], 200);
  tamb->UpDown2->step(-1);
  EXPECT_EQ(Block(1)[kEntryStretch], 199);
  EXPECT_EQ(tamb->lbl_KurveInfo1->text(), "Zeit zwischen 2 Punkten = 3980 ms");
}

TEST_F(FrameTambTest, Sw1ChoiceWritesAtOnce) {
  ctx->image.set_Hex_EE(0x00, "01");
  Show(211);
  QTest::mouseClick(tamb->servo_rad_servo, Qt::LeftButton);
  EXPECT_EQ(ctx->image.get_Hex_EE(0x00), "F0");
  EXPECT_FALSE(tamb->servo_cbx_s[0]->isHidden());
  EXPECT_TRUE(tamb->servo_btn_uebernehmen->isEnabled());
  QTest::mouseClick(tamb->servo_rad_lernen, Qt::LeftButton);
  EXPECT_EQ(ctx->image.get_Hex_EE(0x00), "01");
  // "verwerfen" does not restore it.
  QTest::mouseClick(tamb->servo_btn_verwerfen, Qt::LeftButton);
  EXPECT_EQ(ctx->image.get_Hex_EE(0x00), "01");
}

TEST_F(FrameTambTest, ThresholdIsLimitedAndStoredAtOnce) {
  ctx->image.set_Hex_EE(0x30, "20");
  Show(466);
  EXPECT_FALSE(tamb->edt_tambel_schwelle->isHidden());
  EXPECT_EQ(tamb->edt_tambel_schwelle->text(), "32");
  tamb->edt_tambel_schwelle->setText("150");
  EXPECT_EQ(tamb->edt_tambel_schwelle->text(), "127");
  EXPECT_EQ(ctx->image.get_Hex_EE(0x30), "7F");
  EXPECT_EQ(tamb->x7_threshold, 127);
  EXPECT_FALSE(tamb->servo_btn_uebernehmen->isEnabled());
  tamb->edt_tambel_schwelle->setText("x");
  EXPECT_EQ(dialogs.texts().back(), "Ungültige Eingabe für <Schwellwert Ausgang X7> ");
  EXPECT_EQ(ctx->image.get_Hex_EE(0x30), "7F");
  Show(211);
  EXPECT_TRUE(tamb->edt_tambel_schwelle->isHidden());
}

TEST_F(FrameTambTest, CopyKeepsFlagsAssignmentAndButtonAction) {
  SetCurve(1, 20, 7);
  SetBlockEntry(0, kEntryServoFlags, 0x46);
  SetBlockEntry(0, kEntryAddrServo, 0x12);
  SetBlockEntry(0, kEntryAddrCurve, 0x21);
  SetBlockEntry(0, kEntryButtonAction, 0x04);
  SetBlockEntry(1, kEntryServoFlags, 0x80);
  Show(211);
  QTest::mouseClick(tamb->btn_copy[1], Qt::LeftButton);
  EXPECT_EQ(Block(0)[kEntryCount], 20);
  EXPECT_EQ(Block(0)[kEntryStretch], 7);
  EXPECT_EQ(Block(0)[5], 6);
  EXPECT_EQ(Block(0)[kEntryServoFlags], 0x46);
  EXPECT_EQ(Block(0)[kEntryAddrServo], 0x12);
  EXPECT_EQ(Block(0)[kEntryAddrCurve], 0x21);
  EXPECT_EQ(Block(0)[kEntryButtonAction], 0x04);
  EXPECT_EQ(tamb->edt_Anzahl->text(), "20");
  EXPECT_TRUE(tamb->servo_btn_uebernehmen->isEnabled());
}

TEST_F(FrameTambTest, GeneratorsAndTransformsFromTheButtons) {
  SetCurve(0, 5, 1);
  Show(211);
  QTest::mouseClick(tamb->btn_Lin, Qt::LeftButton);
  EXPECT_EQ(Block(0)[1], 31);
  EXPECT_EQ(Block(0)[4], 127);
  tamb->edt_scale->setText("0,5");
  QTest::mouseClick(tamb->btn_scale, Qt::LeftButton);
  EXPECT_EQ(Block(0)[4], 63);
  tamb->edt_scale->setText("20");
  QTest::mouseClick(tamb->btn_scale, Qt::LeftButton);
  EXPECT_EQ(dialogs.texts().back(), "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 0.1 .. 10");
  EXPECT_EQ(Block(0)[4], 63);
  tamb->edt_shift->setText("-100");
  QTest::mouseClick(tamb->btn_shift, Qt::LeftButton);
  EXPECT_EQ(Block(0)[4], 0);
  tamb->edt_Anzahl->setText("1");
  dialogs.clear();
  QTest::mouseClick(tamb->btn_sin2, Qt::LeftButton);
  ASSERT_EQ(dialogs.messages.size(), 1u);  // one point: refused with a message
  EXPECT_EQ(Block(0)[0], 0);
}

TEST_F(FrameTambTest, ApplyWritesTablesAndPulseBytes) {
  SetCurve(2, 10, 3);
  ctx->image.set_Hex_EE(0x60, "7D");
  ctx->image.set_Hex_EE(0x61, "00");
  Show(211);
  QTest::mouseClick(tamb->servo_rad_a[2], Qt::LeftButton);
  QTest::mouseClick(tamb->btn_MirrorVertikal, Qt::LeftButton);
  QTest::mouseClick(adr->btn_offset[0][3], Qt::LeftButton);  // ">>": 125 + 10
  QTest::mouseClick(adr->btn_faktor[0][1], Qt::LeftButton);  // "<": 0 - 1 wraps to 252
  ASSERT_TRUE(tamb->hasPendingChanges());
  EXPECT_EQ(ctx->image.get_Hex_ROM(0xC00 + 2 * 1), "03");  // nothing written yet
  tamb->applyPendingChanges();
  EXPECT_EQ(ctx->image.get_Hex_ROM(0xC00 + 2 * 1), "7C");  // 127 - 3
  EXPECT_EQ(ctx->image.get_Hex_ROM(0xC00 + 2 * kEntryCount), "0A");
  EXPECT_EQ(ctx->image.get_Hex_EE(0x60), "87");
  EXPECT_EQ(ctx->image.get_Hex_EE(0x61), "FC");
  EXPECT_FALSE(tamb->servo_btn_uebernehmen->isEnabled());
  EXPECT_FALSE(tamb->hasPendingChanges());
}

TEST_F(FrameTambTest, DiscardReloadsCurvesButKeepsPulseValues) {
  SetCurve(0, 10, 3);
  ctx->image.set_Hex_EE(0x60, "7D");
  Show(211);
  QTest::mouseClick(tamb->btn_MirrorVertikal, Qt::LeftButton);
  QTest::mouseClick(adr->btn_offset[0][2], Qt::LeftButton);
  QTest::mouseClick(tamb->servo_btn_verwerfen, Qt::LeftButton);
  EXPECT_EQ(Block(0)[1], 1);
  EXPECT_EQ(adr->pulse_offset[0], 126);
  EXPECT_FALSE(tamb->servo_btn_uebernehmen->isEnabled());
}

TEST_F(FrameTambTest, RasterChoiceGoesToTheSettings) {
  Show(211);
  Pick(tamb->cbx_raster_x, 5);
  Pick(tamb->cbx_raster_y, 4);
  EXPECT_EQ(ctx->RasterX, 5);
  EXPECT_EQ(ctx->RasterY, 4);
  EXPECT_FALSE(tamb->servo_btn_uebernehmen->isEnabled());
}

TEST_F(FrameTambTest, ButtonListsWriteEntry110) {
  SetBlockEntry(2, kEntryButtonAction, 0x08);
  Show(210);
  EXPECT_EQ(tamb->servo_cbx_s[2]->currentIndex(), 4);
  EXPECT_EQ(tamb->Label_Servo_sw[0]->text(), "Taster 3 close");
  EXPECT_TRUE(tamb->servo_Image2->isHidden());
  EXPECT_TRUE(tamb->servo_GroupBox1->isHidden());
  Pick(tamb->servo_cbx_s[1], 3);
  EXPECT_EQ(Block(1)[kEntryButtonAction], 0x04);
  Pick(tamb->servo_cbx_s[1], 0);
  EXPECT_EQ(Block(1)[kEntryButtonAction], 0);
  EXPECT_TRUE(tamb->servo_btn_uebernehmen->isEnabled());
}

TEST_F(FrameTambTest, CurveFileLoadAndFaultyLine) {
  const std::string path = ::testing::TempDir() + "frame_tamb_test.cur";
  ASSERT_TRUE(WriteTextLinesSafely(path, {"0", "64", "127", "192"}));
  SetCurve(0, 10, 3);
  Show(211);
  files.openAnswers.push_back(path);
  QTest::mouseClick(tamb->servo_load_1, Qt::LeftButton);
  EXPECT_EQ(Block(0)[kEntryCount], 4);
  EXPECT_EQ(Block(0)[3], 192);
  EXPECT_EQ(tamb->edt_Anzahl->text(), "4");
  EXPECT_TRUE(tamb->servo_btn_uebernehmen->isEnabled());
  // Cancelled: nothing changes.
  QTest::mouseClick(tamb->servo_btn_verwerfen, Qt::LeftButton);
  QTest::mouseClick(tamb->servo_load_1, Qt::LeftButton);
  EXPECT_EQ(Block(0)[kEntryCount], 10);
  EXPECT_FALSE(tamb->servo_btn_uebernehmen->isEnabled());
  // A faulty second line: point 0 is replaced, the count stays, and the frame shows and
  // offers what the working copy now holds.
  ASSERT_TRUE(WriteTextLinesSafely(path, {"99", "x"}));
  files.openAnswers.push_back(path);
  QTest::mouseClick(tamb->servo_load_1, Qt::LeftButton);
  EXPECT_EQ(dialogs.texts().back(), "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 1");
  EXPECT_EQ(Block(0)[0], 99);
  EXPECT_EQ(Block(0)[kEntryCount], 10);
  EXPECT_TRUE(tamb->servo_btn_uebernehmen->isEnabled());
}

TEST_F(FrameTambTest, SetFileLoadRefreshesAssignmentAndButtonLists) {
  Show(211);
  CurveTable wanted = tamb->curve_table;
  wanted.blocks[0][kEntryAddrServo] = 0x22;      // "Servo 2", "Abbruch"
  wanted.blocks[3][kEntryButtonAction] = 0x10;   // "wie Adr.5"
  wanted.blocks[1][kEntryServoFlags] = 0x00;
  const std::string path = ::testing::TempDir() + "frame_tamb_test.set";
  ASSERT_TRUE(WriteTextLinesSafely(path, SetFileLines(wanted)));
  files.openAnswers.push_back(path);
  QTest::mouseClick(tamb->servo_load_all, Qt::LeftButton);
  EXPECT_EQ(tamb->curve_table.blocks, wanted.blocks);
  EXPECT_EQ(adr->cbx_servo[0]->currentIndex(), 1);
  EXPECT_EQ(adr->cbx_action[0]->currentIndex(), 2);
  EXPECT_TRUE(adr->cbx_curve[0]->isHidden());
  EXPECT_FALSE(adr->cbx_v_off[1]->isChecked());
  EXPECT_EQ(tamb->servo_cbx_s[3]->currentIndex(), 5);
  EXPECT_TRUE(tamb->servo_btn_uebernehmen->isEnabled());
  EXPECT_TRUE(dialogs.messages.empty());
}

// The assignment frame.

TEST_F(FrameTambTest, AssignmentRowsShowAndWriteTheirBits) {
  SetBlockEntry(0, kEntryAddrServo, 0x11);
  SetBlockEntry(1, kEntryAddr2Curve, 0x23);
  SetBlockEntry(2, kEntryAddrServo, 0x24);  // "Abbruch"
  SetBlockEntry(2, kEntryAddrCurve, 0x42);
  Show(211);
  EXPECT_EQ(adr->cbx_servo[0]->currentIndex(), 0);
  EXPECT_EQ(adr->cbx_action[0]->currentIndex(), 1);  // "Start Loop"
  // "Abbruch" hides curve and relay list but keeps the bits.
  EXPECT_TRUE(adr->cbx_curve[2]->isHidden());
  EXPECT_TRUE(adr->cbx_relais[2]->isHidden());
  EXPECT_EQ(Block(2)[kEntryAddrCurve], 0x42);
  Pick(adr->cbx_action[0], 2);
  EXPECT_TRUE(adr->cbx_curve[0]->isHidden());
  EXPECT_EQ(Block(0)[kEntryAddrServo], 0x21);
  Pick(adr->cbx_action[0], 0);
  EXPECT_FALSE(adr->cbx_curve[0]->isHidden());
  // Row 6, "Kurve 3": entry 107 of block 1 gets 0x40 in bits 4..7, relay bits stay.
  Pick(adr->cbx_curve[5], 2);
  EXPECT_EQ(Block(1)[kEntryAddr2Curve], 0x43);
  Pick(adr->cbx_relais[5], 3);
  EXPECT_EQ(Block(1)[kEntryAddr2Curve], 0x48);
  Pick(adr->cbx_servo[7], 3);
  EXPECT_EQ(Block(3)[kEntryAddr2Servo], 0xF8);  // blank byte FF: action bits stay
  EXPECT_TRUE(tamb->servo_btn_uebernehmen->isEnabled());
}

TEST_F(FrameTambTest, AssignmentFlagsAndPresentation) {
  SetBlockEntry(1, kEntryServoFlags, 0x84);  // "Impulse aus", "keine Wiederholung"
  SetBlockEntry(3, kEntryServoFlags, 0x39);
  Show(211);
  EXPECT_TRUE(adr->cbx_imp_off[1]->isChecked());
  EXPECT_TRUE(adr->cbx_no_rep[1]->isChecked());
  EXPECT_FALSE(adr->cbx_v_off[1]->isChecked());
  QTest::mouseClick(adr->cbx_v_off[3], Qt::LeftButton);
  EXPECT_EQ(Block(3)[kEntryServoFlags], 0x3B);
  EXPECT_EQ(Block(1)[kEntryServoFlags], 0x84);
  EXPECT_TRUE(tamb->servo_btn_uebernehmen->isEnabled());

  Show(16896);
  EXPECT_EQ(adr->lbl_servo_adresse[1]->text(), "Adresse 01 aus");
  EXPECT_TRUE(adr->lbl_servo_adresse[4]->isHidden());
  EXPECT_TRUE(adr->cbx_servo[0]->isHidden());
  EXPECT_TRUE(adr->GroupBox_Servo[1]->isHidden());
  EXPECT_FALSE(adr->GroupBox_Servo[0]->isHidden());
}

TEST_F(FrameTambTest, PulseTimesWithLocaleSeparator) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  ctx->image.set_Hex_EE(0x62, "32");  // servo 2: O = 50
  ctx->image.set_Hex_EE(0x63, "80");  // F = 128
  ctx->image.set_Hex_EE(0x64, "zz");  // no byte text: the held value stays
  Show(211);
  EXPECT_EQ(adr->servo_edt_Offset[1]->text(), "0,400");
  EXPECT_EQ(adr->servo_edt_max[1]->text(), "0,408");
  EXPECT_EQ(adr->pulse_offset[2], 0);
  QTest::mouseClick(adr->btn_faktor[1][1], Qt::LeftButton);  // "<" at 128 stays
  EXPECT_EQ(adr->pulse_factor[1], 128);
  QTest::mouseClick(adr->btn_offset[1][0], Qt::LeftButton);  // "<<" stops at 50
  EXPECT_EQ(adr->pulse_offset[1], 50);
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  QTest::mouseClick(adr->btn_offset[1][2], Qt::LeftButton);
  EXPECT_EQ(adr->servo_edt_Offset[1]->text(), "0.408");
  QLocale::setDefault(QLocale::system());
}

TEST_F(FrameTambTest, DrawingShowsMarkersGridRelayAndThreshold) {
  SetCurve(0, 10, 1);
  ctx->image.set_Hex_EE(0x30, "20");
  ctx->RasterX = 1;
  ctx->RasterY = 1;
  Show(466);
  const QImage& curve = tamb->servo_Image1->picture();
  // Point 2 (position 2): x = 104, y = trunc(201 - 2 * 1.5703125) = 197, a red marker
  // from (101, 194) to (107, 200) with black outline; the joining line runs near y = 197.
  EXPECT_EQ(curve.pixelColor(103, 195), QColor(Qt::red));
  EXPECT_EQ(curve.pixelColor(101, 195), QColor(Qt::black));
  EXPECT_EQ(curve.pixelColor(260, 20), QColor(0, 255, 0));   // vertical raster line in the middle
  EXPECT_EQ(curve.pixelColor(520, 20), QColor(0, 255, 0));   // and at the end of the curve
  EXPECT_EQ(curve.pixelColor(300, 100), QColor(0, 255, 0));  // horizontal one: trunc(201 - 100.5)
  EXPECT_EQ(curve.pixelColor(300, 101), QColor(Qt::white));
  EXPECT_EQ(curve.pixelColor(300, 150), QColor(Qt::red));  // threshold 32: trunc(201 - 50.25)
  EXPECT_EQ(curve.pixelColor(529, 20), QColor(Qt::white));

  Show(211);
  Block(0)[3] |= 0x80;
  tamb->DrawRelay();
  const QImage& relay = tamb->servo_Image2->picture();
  EXPECT_EQ(relay.pixelColor(3 * 52 + 10, 40), QColor(Qt::red));
  EXPECT_EQ(relay.pixelColor(4 * 52 + 10, 40), QColor(Qt::white));
  EXPECT_EQ(relay.pixelColor(260, 5), QColor(0, 255, 0));
}

// Renders each servo presentation to /tmp for looking at.
TEST_F(FrameTambTest, Screenshots) {
  for (int id : {211, 210, 466, 16896}) {
    SetCurve(0, 10, 10);
    Show(id);
    QTest::mouseClick(tamb->btn_sin2, Qt::LeftButton);
    Block(0)[2] |= 0x80;
    Block(0)[3] |= 0x80;
    tamb->DrawRelay();
    window->resize(tamb->geometry().right() + 11, 660);
    QApplication::processEvents();
    const QString path = QString("/tmp/servo_frame_%1.png").arg(id);
    EXPECT_TRUE(window->grab().save(path));
  }
}

}  // namespace
