#include "editors/gui/Frame_zusatz.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "recording_dialogs.h"
#include "qt_app.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;

namespace {

const char* const kNotANumber = "Ungültige Eingabe.\rZugelassen sind nur Zahlen";

class FrameZusatzTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    korrin::testing::QtApp();
  }

  void SetUp() override {
    ctx = std::make_unique<EditorContext>(dialogs, files);
    ctx->image.ResetForNewFile();
    ctx->image.Version = 4.0f;
    frame = std::make_unique<TFrameZusatz>(*ctx);
  }

  // What the main window's frame switch does for this frame.
  void Show(int32_t id, float version = 4.0f) {
    ctx->DecoderIdentifier = id;
    ctx->image.Version = version;
    frame->filling = true;
    frame->setGeometry(410, 5, frame->group_mode->geometry().right() + 1 + 10, 485);
    frame->show();
    frame->ResetControls();
    frame->LoadOptions();
  }

  // A click on the box or button itself, where its indicator is.
  static void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }

  void Set(int offset, int value) { ctx->image.set_Hex_EE(offset, HexByteText()[static_cast<size_t>(value)]); }
  int Byte(int offset) const { return ctx->image.eepromValue(offset); }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  std::unique_ptr<EditorContext> ctx;
  std::unique_ptr<TFrameZusatz> frame;
};

// Identifiers of every entry of the type table and some without one.
const int32_t kAllTypes[] = {0x8,    0x208,  0x308,  0x408,   0xB,     0x69,     0x3,      0xCB,     0x68,
                             0x3E00, 0x3D00, 0x13D00, 0x13E00, 0x13F00, 0x66,     0x167,    0x267,    0x367,
                             0x6F,   0x71,   0x171,  0x170,   0x270,   0x1A4100, 0x2A4100, 0x16D,    0x4400};

}  // namespace

TEST_F(FrameZusatzTest, ErasedEepromSelectsMode1TicksBothBitsAndShows255) {
  Show(0xB, 3.55f);
  EXPECT_FALSE(frame->filling);
  EXPECT_TRUE(frame->rad_mode1->isChecked());
  EXPECT_TRUE(frame->cbx_mode_bit6->isChecked());
  EXPECT_TRUE(frame->cbx_mode_bit7->isChecked());
  EXPECT_EQ(frame->edt_option[0]->text(), "255");
  EXPECT_EQ(frame->lbl_option_sec[0]->text(), "(127.5 sec.)");
  EXPECT_EQ(frame->lbl_option[0]->text(), "Abschaltzeit in Mode 3 (1..255)");
  EXPECT_EQ(frame->edt_option[0]->toolTip(), "Zeit, nach der in Mode 3 abgeschaltet wird");

  Show(0x267);
  EXPECT_TRUE(frame->TrackBar_01->isVisible());
  EXPECT_EQ(frame->TrackBar_01->value(), 0);
  EXPECT_EQ(frame->lbl_trackbar_01->text(), "Geschwindigkeit Überblendung (Fading)");
}

TEST_F(FrameZusatzTest, LoadingWritesNothingButTheFadingCorrection) {
  for (int32_t id : kAllTypes) {
    for (int pattern : {0, 1}) {
      for (int i = 0; i < 256; ++i) Set(i, pattern ? (i * 37 + 11) & 0xFF : 0xFF);
      Set(0x20, pattern ? 0x22 : 0xFF);  // a valid speed code for the traffic lights
      auto before = ctx->image.Hex_EE;
      Show(id);
      Show(id);  // a second load over shown controls
      EXPECT_EQ(ctx->image.Hex_EE, before) << std::hex << id << " pattern " << pattern;
      EXPECT_TRUE(dialogs.messages.empty()) << std::hex << id;
      EXPECT_FALSE(frame->filling);
    }
  }
  // A traffic light without a speed code in byte 0x20 shows position 5 and stores 0x11.
  Set(0x20, 0x44);
  Show(0x267);
  EXPECT_EQ(frame->TrackBar_01->value(), 5);
  EXPECT_EQ(ctx->image.get_Hex_EE(0x20), "11");
}

TEST_F(FrameZusatzTest, TypingIntoATimeOutRowWritesOnEveryKeystroke) {
  Show(0x8);
  QLineEdit* edit = frame->edt_option[0];
  edit->clear();
  EXPECT_EQ(Byte(0x20), 0xFF);
  QTest::keyClicks(edit, "1");
  EXPECT_EQ(Byte(0x20), 1);
  EXPECT_EQ(frame->lbl_option_sec[0]->text(), "(0.5 sec.)");
  QTest::keyClicks(edit, "2");
  EXPECT_EQ(Byte(0x20), 12);
  EXPECT_EQ(frame->lbl_option_sec[0]->text(), "(6.0 sec.)");
  EXPECT_EQ(edit->text(), "12");
  EXPECT_TRUE(dialogs.messages.empty());
  QTest::keyClicks(edit, "x");
  EXPECT_EQ(Byte(0x20), 12);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, kNotANumber);
  EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
}

TEST_F(FrameZusatzTest, RowsRefuseValuesOutsideTheirRange) {
  struct Case {
    int32_t id;
    const char* text;
    const char* message;  // nullptr: accepted
    int written;
  } cases[] = {
      {0x8, "0", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..127", -1},
      {0x8, "128", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..127", -1},
      {0x8, "127", nullptr, 127},
      {0x1A4100, "255", nullptr, 255},
      {0x2B4100, "256", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..255", -1},
      {0x71, "10", nullptr, 10},
  };
  for (const auto& c : cases) {
    Set(0x20, 0x05);
    Show(c.id);
    dialogs.clear();
    frame->edt_option[0]->setText(c.text);
    if (c.message) {
      ASSERT_EQ(dialogs.messages.size(), 1u) << c.text;
      EXPECT_EQ(dialogs.messages[0].text, c.message);
      EXPECT_EQ(Byte(0x20), 5) << c.text;
    } else {
      EXPECT_TRUE(dialogs.messages.empty()) << c.text;
      EXPECT_EQ(Byte(0x20), c.written) << c.text;
    }
  }
  // The minimum row of the house lighting accepts 1..9 and writes its own byte.
  Show(0x71);
  dialogs.clear();
  frame->edt_option[1]->setText("10");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..9");
  frame->edt_option[1]->setText("3");
  EXPECT_EQ(Byte(0x2F), 3);
  EXPECT_FALSE(frame->lbl_option_sec[1]->isVisible());
}

TEST_F(FrameZusatzTest, Mode3WithOnlyTheBit7BoxKeepsBit7AsTheBoxSays) {
  for (bool ticked : {true, false}) {
    Set(0x00, 0xC1);
    Show(0xB, 3.55f);
    ASSERT_TRUE(frame->cbx_mode_bit7->isVisible());
    ASSERT_FALSE(frame->cbx_mode_bit6->isVisible());
    frame->cbx_mode_bit7->setChecked(ticked);  // a box click writes only its bit
    EXPECT_EQ(Byte(0x00), ticked ? 0xC1 : 0x41);
    Click(frame->rad_mode3);
    EXPECT_TRUE(frame->rad_mode3->isChecked());
    EXPECT_EQ(Byte(0x00), ticked ? 0x84 : 0x04);
  }
}

TEST_F(FrameZusatzTest, ModeBoxesSetTheirBitsAndRadioButtonsClearHiddenBits) {
  Set(0x00, 0x02);
  Show(0x13E00);
  EXPECT_TRUE(frame->rad_mode2->isChecked());
  frame->cbx_mode_bit6->setChecked(true);
  EXPECT_EQ(Byte(0x00), 0x42);
  frame->cbx_mode_bit7->setChecked(true);
  EXPECT_EQ(Byte(0x00), 0xC2);
  frame->rad_mode1->setChecked(true);
  EXPECT_EQ(Byte(0x00), 0xC1);

  Set(0x00, 0xC2);
  Show(0x3D00);  // no mode boxes shown
  frame->rad_mode1->setChecked(true);
  EXPECT_EQ(Byte(0x00), 0x01);
}

TEST_F(FrameZusatzTest, TimeOutMarkerWritesABOr01) {
  Set(0x00, 0x05);
  Show(0x208);
  ASSERT_TRUE(frame->cbx_weiche_ab->isVisible());
  EXPECT_FALSE(frame->cbx_weiche_ab->isChecked());
  EXPECT_EQ(frame->cbx_weiche_ab->y(), 100);
  frame->cbx_weiche_ab->setChecked(true);
  EXPECT_EQ(Byte(0x00), 0xAB);
  frame->cbx_weiche_ab->setChecked(false);
  EXPECT_EQ(Byte(0x00), 0x01);
  Set(0x00, 0xAB);
  Show(0x208);
  EXPECT_TRUE(frame->cbx_weiche_ab->isChecked());
}

TEST_F(FrameZusatzTest, SwitchOffOptionsWriteTheirByte) {
  struct Case {
    int32_t id;
    int byte;
  } cases[] = {{0x308, 0x00}, {0x365, 0x00}, {0x408, 0x30}};
  for (const auto& c : cases) {
    Set(c.byte, 0x00);
    Show(c.id);
    EXPECT_EQ(frame->lbl_zusatz3->text(), "Abschaltfunktion: Ausgänge abschalten durch...");
    EXPECT_EQ(frame->cbx_zusatz_1->text(), "OFF-Befehl der Zentrale");
    EXPECT_EQ(frame->cbx_zusatz_2->text(), "Time-Out des Dekoders");
    EXPECT_EQ(frame->cbx_zusatz_2->y(), 190);
    ASSERT_TRUE(frame->cbx_zusatz_1->isChecked());
    ASSERT_TRUE(frame->cbx_zusatz_2->isChecked());
    EXPECT_FALSE(frame->lbl_text_1->isVisible());
    Click(frame->cbx_zusatz_2);
    EXPECT_EQ(Byte(c.byte), 0x0A) << std::hex << c.id;
    Click(frame->cbx_zusatz_1);
    EXPECT_EQ(Byte(c.byte), 0xAA) << std::hex << c.id;
    EXPECT_TRUE(frame->lbl_text_1->isVisible());
    EXPECT_EQ(frame->lbl_text_1->text(), "Achtung: Durchbrenn-Gefahr für Weichen-Antriebe!");
    Click(frame->cbx_zusatz_2);
    EXPECT_EQ(Byte(c.byte), 0xA0) << std::hex << c.id;
    EXPECT_FALSE(frame->lbl_text_1->isVisible());
  }
  // Loading reads the nibbles.
  Set(0x30, 0xA5);
  Show(0x408);
  EXPECT_FALSE(frame->cbx_zusatz_1->isChecked());
  EXPECT_TRUE(frame->cbx_zusatz_2->isChecked());
}

TEST_F(FrameZusatzTest, OutputFunctionBoxesKeepBit5) {
  for (int start : {0x20, 0x00}) {
    Set(0x20, start);
    Show(0x270);
    EXPECT_EQ(frame->lbl_zusatz->text(), "Funktion der Ausgänge:");
    EXPECT_FALSE(frame->cbx_zusatz_6->isVisible());
    EXPECT_EQ(frame->lbl_text_1->y(), 220);
    Click(frame->cbx_zusatz_3);
    EXPECT_EQ(Byte(0x20), start | 0x04);
    Click(frame->cbx_zusatz_8);
    EXPECT_EQ(Byte(0x20), start | 0x84);
    Click(frame->cbx_zusatz_3);
    EXPECT_EQ(Byte(0x20), start | 0x80);
  }
  Set(0x20, 0x41);
  Show(0x270);
  EXPECT_TRUE(frame->cbx_zusatz_1->isChecked());
  EXPECT_TRUE(frame->cbx_zusatz_7->isChecked());
  EXPECT_FALSE(frame->cbx_zusatz_2->isChecked());
  EXPECT_EQ(frame->cbx_zusatz_2->text(), "Ausgang 10 = 'Schweißer'");
}

TEST_F(FrameZusatzTest, SpecialOutputsOf0x170WriteBits0And1) {
  Set(0x20, 0xF2);
  Show(0x170);
  EXPECT_EQ(frame->lbl_zusatz->text(), "Spezial-Funktion Ausgang 9 / 10:");
  EXPECT_FALSE(frame->cbx_zusatz_1->isChecked());
  EXPECT_TRUE(frame->cbx_zusatz_2->isChecked());
  EXPECT_EQ(frame->cbx_zusatz_1->text(), "Ausgang 9");
  EXPECT_FALSE(frame->cbx_zusatz_3->isVisible());
  Click(frame->cbx_zusatz_1);
  EXPECT_EQ(Byte(0x20), 0xF3);
  Click(frame->cbx_zusatz_2);
  EXPECT_EQ(Byte(0x20), 0xF1);
}

TEST_F(FrameZusatzTest, GasLampShowsItsModesOnlyAbove354) {
  Show(0x66, 3.54f);
  EXPECT_FALSE(frame->group_mode->isVisible());
  for (QWidget* w : frame->pnl_Zusatz->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    EXPECT_FALSE(w->isVisible() && w != frame->lbl_zusatz) << w->metaObject()->className();
  Show(0x66, 3.55f);
  EXPECT_TRUE(frame->group_mode->isVisible());
  EXPECT_TRUE(frame->rad_mode4->isVisible());
  EXPECT_FALSE(frame->rad_mode5->isVisible());
  EXPECT_EQ(frame->rad_mode4->text(), "Mode 4: kein Blitz, keine Schwankungen");
  EXPECT_TRUE(frame->cbx_mode_bit7->isVisible());
}

TEST_F(FrameZusatzTest, ResetRestoresDefaultsBetweenTypes) {
  Show(0x1A4100);
  EXPECT_EQ(frame->rad_mode4->text(), "Mode 4: Steuerwagen ohne Neon");
  EXPECT_TRUE(frame->TrackBar_neon_1->isVisible());
  Show(0x3);
  EXPECT_EQ(frame->rad_mode1->text(), "Mode 1: Normale Betriebsart");
  EXPECT_EQ(frame->rad_mode3->text(), "Mode 3");
  EXPECT_FALSE(frame->rad_mode3->isVisible());
  EXPECT_FALSE(frame->TrackBar_neon_1->isVisible());
  EXPECT_FALSE(frame->edt_option[0]->isVisible());
  EXPECT_EQ(frame->option_row_count, 0);
  Show(0x13F00);
  EXPECT_TRUE(frame->group_mode->isVisible());
  EXPECT_FALSE(frame->lbl_mode->isVisible());
  EXPECT_FALSE(frame->rad_mode1->isVisible());
  EXPECT_TRUE(frame->cbx_mode_bit6->isVisible());
  Show(0x16D);
  EXPECT_FALSE(frame->group_mode->isVisible());
}

TEST_F(FrameZusatzTest, RowsAndModeGroupAreLaidOut) {
  Show(0x367);
  ASSERT_EQ(frame->option_row_count, 7);
  int widest = 0;
  for (int r = 0; r < 7; ++r) widest = std::max(widest, frame->lbl_option[static_cast<size_t>(r)]->width());
  for (int r = 0; r < 7; ++r) {
    auto i = static_cast<size_t>(r);
    EXPECT_EQ(frame->edt_option[i]->y(), 60 + 21 * r);
    EXPECT_EQ(frame->lbl_option[i]->y(), 63 + 21 * r);
    EXPECT_EQ(frame->lbl_option[i]->x(), 10);
    EXPECT_EQ(frame->edt_option[i]->x(), widest + 20);
    EXPECT_EQ(frame->lbl_option_sec[i]->x(), widest + 20 + 40 + 10);
    EXPECT_EQ(frame->lbl_option_sec[i]->y(), 63 + 21 * r);
  }
  EXPECT_EQ(frame->lbl_trackbar_01->y(), 10);
  EXPECT_EQ(frame->TrackBar_01->y(), 30);
  // The mode group sits at the bottom of the frame, 10 pixels above its edge.
  QRect g = frame->group_mode->geometry();
  EXPECT_EQ(g.bottom() + 1, 485 - 10);
  EXPECT_EQ(frame->lbl_mode->y(), 20);
  EXPECT_EQ(frame->cbx_mode_bit7->y(), frame->lbl_mode->geometry().bottom() + 1 + 10);
  EXPECT_EQ(frame->rad_mode1->y(), frame->cbx_mode_bit7->geometry().bottom() + 1 + 10);
  EXPECT_EQ(frame->rad_mode2->y(), frame->rad_mode1->geometry().bottom() + 1);
  EXPECT_EQ(g.height(), frame->rad_mode2->geometry().bottom() + 1 + 10);
  // Nothing above the group reaches into it.
  for (size_t i = 0; i < 7; ++i) EXPECT_LT(frame->edt_option[i]->geometry().bottom(), g.top());
}

TEST_F(FrameZusatzTest, FadingBarWritesSpeedCodes) {
  Set(0x20, 0x11);
  Show(0x167);
  EXPECT_EQ(frame->TrackBar_01->value(), 5);
  EXPECT_EQ(frame->lbl_trackbar_01->y(), 50);
  const int codes[] = {0xFF, 0x66, 0x33, 0x22, 0x12, 0x11};
  for (int p = 0; p <= 5; ++p) {
    frame->TrackBar_01->setValue(p);
    EXPECT_EQ(Byte(0x20), codes[p]) << p;
  }
  EXPECT_EQ(frame->TrackBar_01->toolTip(), "Überblend-Zeit");
}

TEST_F(FrameZusatzTest, SpeedBarWritesItsPositionAndRetitles) {
  Set(0x20, 40);
  Show(0x6F);
  EXPECT_EQ(frame->lbl_trackbar_01->text(), "Geschwindigkeit: 40");
  EXPECT_EQ(frame->TrackBar_01->value(), 40);
  EXPECT_EQ(frame->TrackBar_01->minimum(), 1);
  EXPECT_EQ(frame->TrackBar_01->maximum(), 255);
  frame->TrackBar_01->setValue(200);
  EXPECT_EQ(Byte(0x20), 200);
  EXPECT_EQ(frame->lbl_trackbar_01->text(), "Geschwindigkeit: 200");
  EXPECT_EQ(frame->TrackBar_01->toolTip(), "Ablauf-Geschwindigkeit der Effekte");
}

TEST_F(FrameZusatzTest, NeonBarsWriteTheirBytesAndKeepTheirPlaceOnReload) {
  Set(0x40, 3);
  Set(0x41, 12);
  Show(0x2A4100);
  EXPECT_EQ(frame->TrackBar_neon_1->value(), 3);
  EXPECT_EQ(frame->TrackBar_neon_2->value(), 12);
  EXPECT_EQ(frame->TrackBar_neon_1->y(), 170);
  EXPECT_GE(frame->TrackBar_neon_1->x(), 120);
  EXPECT_GT(frame->TrackBar_neon_1->x(), frame->lbl_fNeon_01->geometry().right());
  EXPECT_EQ(frame->TrackBar_neon_2->geometry().topLeft(), QPoint(frame->TrackBar_neon_1->x(), 210));
  EXPECT_EQ(frame->lbl_fNeon_02->pos(), QPoint(10, 213));
  EXPECT_TRUE(frame->cbx_mode_bit6->isVisible());
  frame->TrackBar_neon_1->setValue(7);
  EXPECT_EQ(Byte(0x40), 7);
  frame->TrackBar_neon_2->setValue(15);
  EXPECT_EQ(Byte(0x41), 15);
  // A reload from another handler leaves the bars where they stand.
  Set(0x40, 1);
  frame->edt_option[0]->setText("100");
  EXPECT_EQ(Byte(0x20), 100);
  EXPECT_EQ(frame->TrackBar_neon_1->value(), 7);
  EXPECT_EQ(Byte(0x40), 1);
}
