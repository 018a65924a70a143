#include "editors/gui/Frame_zusatz.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <clocale>
#include <memory>

#include "qt_app.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;

namespace {

const char* const kNotANumber = "Ungültige Eingabe.\rZugelassen sind nur Zahlen";

class FrameZusatzTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { korrin::testing::QtApp(); }

  void SetUp() override {
    ctx.image.ResetForNewFile();
    frame = std::make_unique<TFrameZusatz>(model);
  }

  // What the load does for this frame: the document loads the model, the window places and
  // shows the frame, which then renders.
  void Show(int32_t id, float version = 4.0f) {
    ctx.SelectDecoderType(id);
    ctx.image.Version = version;
    model.Load();
    frame->filling = true;
    frame->setGeometry(410, 5, frame->group_mode->geometry().right() + 1 + 10, 485);
    frame->show();
    frame->Render();
  }

  // A click on the box or button itself, where its indicator is.
  static void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }

  void Put(int offset, int value) { ctx.image.setEepromValue(offset, value); }
  int Byte(int offset) const { return ctx.image.eepromValue(offset); }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  EditorContext ctx{dialogs, files};
  OptionsModel model{ctx};
  std::unique_ptr<TFrameZusatz> frame;
};

}  // namespace

TEST_F(FrameZusatzTest, ShowsTheStateOfTheModel) {
  Show(0xB, 3.55f);
  EXPECT_FALSE(frame->filling);
  EXPECT_TRUE(frame->group_mode->isVisible());
  EXPECT_TRUE(frame->rad_mode1->isChecked());
  EXPECT_EQ(frame->rad_mode3->text(), "Mode 3: Selbstabschaltungs-Mode");
  EXPECT_TRUE(frame->rad_mode3->isVisible());
  EXPECT_FALSE(frame->rad_mode4->isVisible());
  EXPECT_TRUE(frame->cbx_mode_bit6->isChecked());
  EXPECT_FALSE(frame->cbx_mode_bit6->isVisible());
  EXPECT_TRUE(frame->cbx_mode_bit7->isChecked());
  EXPECT_TRUE(frame->cbx_mode_bit7->isVisible());
  EXPECT_EQ(frame->cbx_mode_bit7->text(), "Mode-Umschaltung SPERREN");
  EXPECT_EQ(frame->edt_option[0]->text(), "255");
  EXPECT_EQ(frame->lbl_option_sec[0]->text(), "(127.5 sec.)");
  EXPECT_TRUE(frame->lbl_option_sec[0]->isVisible());
  EXPECT_EQ(frame->lbl_option[0]->text(), "Abschaltzeit in Mode 3 (1..255)");
  EXPECT_EQ(frame->edt_option[0]->toolTip(), "Zeit, nach der in Mode 3 abgeschaltet wird");
  EXPECT_FALSE(frame->edt_option[1]->isVisible());
  EXPECT_FALSE(frame->TrackBar_01->isVisible());

  Put(0x20, 0x44);
  Show(0x267);
  EXPECT_TRUE(frame->TrackBar_01->isVisible());
  EXPECT_EQ(frame->TrackBar_01->value(), 5);
  EXPECT_EQ(frame->TrackBar_01->maximum(), 5);
  EXPECT_EQ(frame->lbl_trackbar_01->text(), "Geschwindigkeit Überblendung (Fading)");
  EXPECT_EQ(frame->lbl_trackbar_01_l->text(), "schnell");
  EXPECT_EQ(Byte(0x20), 0x11);  // the fallback the load wrote
  EXPECT_EQ(frame->rad_mode2->text(), "Mode 2: Österreich");

  // Everything the gas lamp up to 3.54 shows is the empty heading.
  Show(0x66, 3.54f);
  for (QWidget* w : frame->pnl_Zusatz->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    EXPECT_FALSE(w->isVisible() && w != frame->lbl_zusatz) << w->metaObject()->className();
  EXPECT_TRUE(frame->lbl_zusatz->text().isEmpty());

  // The defaults come back after a type that changed them.
  Show(0x1A4100);
  EXPECT_TRUE(frame->TrackBar_neon_1->isVisible());
  EXPECT_EQ(frame->rad_mode4->text(), "Mode 4: Steuerwagen ohne Neon");
  Show(0x3);
  EXPECT_EQ(frame->rad_mode3->text(), "Mode 3");
  EXPECT_FALSE(frame->rad_mode3->isVisible());
  EXPECT_FALSE(frame->TrackBar_neon_1->isVisible());
  EXPECT_FALSE(frame->edt_option[0]->isVisible());
  Show(0x13F00);
  EXPECT_FALSE(frame->lbl_mode->isVisible());
  EXPECT_FALSE(frame->rad_mode1->isVisible());
  EXPECT_TRUE(frame->cbx_mode_bit6->isVisible());
}

TEST_F(FrameZusatzTest, ClicksReachTheModel) {
  // Radio buttons and mode boxes.
  Put(0x00, 0xC1);
  Show(0xB, 3.55f);
  Click(frame->cbx_mode_bit7);
  EXPECT_EQ(Byte(0x00), 0x41);
  EXPECT_FALSE(model.modeBit7.checked);
  Click(frame->rad_mode3);
  EXPECT_TRUE(frame->rad_mode3->isChecked());
  EXPECT_EQ(model.checkedMode, 3);
  EXPECT_EQ(Byte(0x00), 0x04);

  Put(0x00, 0x02);
  Show(0x13E00);
  Click(frame->cbx_mode_bit6);
  EXPECT_EQ(Byte(0x00), 0x42);

  // The time-out marker.
  Put(0x00, 0x05);
  Show(0x208);
  ASSERT_TRUE(frame->cbx_weiche_ab->isVisible());
  EXPECT_EQ(frame->cbx_weiche_ab->y(), 100);
  Click(frame->cbx_weiche_ab);
  EXPECT_EQ(Byte(0x00), 0xAB);
  Click(frame->cbx_weiche_ab);
  EXPECT_EQ(Byte(0x00), 0x01);

  // The switch-off boxes, and the warning the model shows when both are unticked.
  Put(0x30, 0x00);
  Show(0x408);
  EXPECT_EQ(frame->lbl_zusatz3->text(), "Abschaltfunktion: Ausgänge abschalten durch...");
  EXPECT_EQ(frame->lbl_zusatz3->y(), 150);
  EXPECT_EQ(frame->cbx_zusatz_2->y(), 190);
  EXPECT_FALSE(frame->lbl_text_1->isVisible());
  Click(frame->cbx_zusatz_2);
  Click(frame->cbx_zusatz_1);
  EXPECT_EQ(Byte(0x30), 0xAA);
  EXPECT_TRUE(frame->lbl_text_1->isVisible());
  EXPECT_EQ(frame->lbl_text_1->text(), "Achtung: Durchbrenn-Gefahr für Weichen-Antriebe!");
  EXPECT_EQ(frame->lbl_text_1->y(), 230);

  // The output-function boxes.
  Put(0x20, 0x20);
  Show(0x270);
  EXPECT_FALSE(frame->cbx_zusatz_6->isVisible());
  EXPECT_EQ(frame->cbx_zusatz_3->y(), 40);
  Click(frame->cbx_zusatz_3);
  Click(frame->cbx_zusatz_8);
  EXPECT_EQ(Byte(0x20), 0xA4);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FrameZusatzTest, BarsReachTheModel) {
  Put(0x20, 0x11);
  Show(0x167);
  EXPECT_EQ(frame->lbl_trackbar_01->y(), 50);
  EXPECT_EQ(frame->TrackBar_01->y(), 70);
  frame->TrackBar_01->setValue(2);
  EXPECT_EQ(Byte(0x20), 0x33);
  EXPECT_EQ(frame->TrackBar_01->toolTip(), "Überblend-Zeit");

  Put(0x20, 40);
  Show(0x6F);
  EXPECT_EQ(frame->lbl_trackbar_01->text(), "Geschwindigkeit: 40");
  EXPECT_EQ(frame->TrackBar_01->value(), 40);
  EXPECT_EQ(frame->TrackBar_01->minimum(), 1);
  frame->TrackBar_01->setValue(200);
  EXPECT_EQ(Byte(0x20), 200);
  EXPECT_EQ(frame->lbl_trackbar_01->text(), "Geschwindigkeit: 200");
  EXPECT_EQ(frame->TrackBar_01->toolTip(), "Ablauf-Geschwindigkeit der Effekte");

  Put(0x40, 3);
  Put(0x41, 12);
  Show(0x2A4100);
  EXPECT_EQ(frame->TrackBar_neon_1->value(), 3);
  EXPECT_EQ(frame->TrackBar_neon_2->value(), 12);
  EXPECT_EQ(frame->TrackBar_neon_1->y(), 170);
  EXPECT_GE(frame->TrackBar_neon_1->x(), 120);
  EXPECT_GT(frame->TrackBar_neon_1->x(), frame->lbl_fNeon_01->geometry().right());
  EXPECT_EQ(frame->TrackBar_neon_2->geometry().topLeft(), QPoint(frame->TrackBar_neon_1->x(), 210));
  EXPECT_EQ(frame->lbl_fNeon_02->pos(), QPoint(10, 213));
  EXPECT_EQ(frame->lbl_fNeon_03->pos(), QPoint(10, 70));
  frame->TrackBar_neon_1->setValue(7);
  EXPECT_EQ(Byte(0x40), 7);
  frame->TrackBar_neon_2->setValue(15);
  EXPECT_EQ(Byte(0x41), 15);
}

TEST_F(FrameZusatzTest, KeystrokesReachTheModel) {
  Show(0x8);
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  QLineEdit* edit = frame->edt_option[0];
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(Byte(0x20), 0xFF);
  QTest::keyClicks(edit, "1");
  EXPECT_EQ(Byte(0x20), 1);
  EXPECT_EQ(frame->lbl_option_sec[0]->text(), "(0.5 sec.)");
  QTest::keyClicks(edit, "2");
  EXPECT_EQ(Byte(0x20), 12);
  EXPECT_EQ(frame->lbl_option_sec[0]->text(), "(6.0 sec.)");
  EXPECT_EQ(edit->text(), "12");
  EXPECT_TRUE(dialogs.messages.empty());

  // Text that is no number: the warning, and the focus goes back into the box.
  frame->TrackBar_01->setFocus();
  QTest::keyClicks(edit, "x");
  EXPECT_EQ(Byte(0x20), 12);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, kNotANumber);
  EXPECT_EQ(edit->text(), "12x");
  EXPECT_EQ(QApplication::focusWidget(), edit);

  // A value out of range is refused and stays in the box.
  dialogs.clear();
  edit->setText("128");
  EXPECT_EQ(dialogs.texts(),
            std::vector<std::string>{"Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..127"});
  EXPECT_EQ(Byte(0x20), 12);

  // What the frame fills in itself writes nothing.
  frame->filling = true;
  edit->setText("9");
  frame->filling = false;
  EXPECT_EQ(Byte(0x20), 12);
}

TEST_F(FrameZusatzTest, TimeTextsUseADecimalPointUnderAGermanLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
    GTEST_SKIP() << "no German locale on this machine (locale-gen de_DE.UTF-8)";
  Put(0x20, 20);
  Show(0x8);
  const QString shown = frame->lbl_option_sec[0]->text();
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(shown, "(10.0 sec.)");
}

TEST_F(FrameZusatzTest, RowsAndModeGroupAreLaidOut) {
  Show(0x367);
  ASSERT_EQ(model.rows.size(), 7u);
  int widest = 0;
  for (size_t r = 0; r < 7; ++r) widest = std::max(widest, frame->lbl_option[r]->width());
  for (size_t r = 0; r < 7; ++r) {
    const int top = 60 + 21 * static_cast<int>(r);
    EXPECT_EQ(frame->edt_option[r]->y(), top);
    EXPECT_EQ(frame->lbl_option[r]->pos(), QPoint(10, top + 3));
    EXPECT_EQ(frame->edt_option[r]->x(), widest + 20);
    EXPECT_EQ(frame->lbl_option_sec[r]->pos(), QPoint(widest + 20 + 40 + 10, top + 3));
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

TEST_F(FrameZusatzTest, EveryShownControlHasAnAccessibleName) {
  for (int32_t id : {0x367, 0x270, 0x408, 0x208, 0x2A4100, 0x6F}) {
    Show(id);
    for (QWidget* w : frame->findChildren<QWidget*>()) {
      if (!w->isVisible()) continue;
      if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QSlider*>(w)) {
        EXPECT_FALSE(w->accessibleName().isEmpty()) << std::hex << id << " " << w->metaObject()->className();
      }
    }
    for (size_t r = 0; r < model.rows.size(); ++r) {
      EXPECT_EQ(frame->lbl_option[r]->buddy(), frame->edt_option[r]);
      EXPECT_EQ(frame->edt_option[r]->accessibleName(), frame->lbl_option[r]->text());
    }
  }
  EXPECT_EQ(frame->lbl_trackbar_01->buddy(), frame->TrackBar_01);
  EXPECT_EQ(frame->lbl_fNeon_01->buddy(), frame->TrackBar_neon_1);
}
