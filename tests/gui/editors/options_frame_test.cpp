#include "editors/gui/options_frame.h"

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
    frame = std::make_unique<OptionsFrame>(model);
  }

  // What the load does for this frame: the document loads the model, the window places and
  // shows the frame, which then renders.
  void Show(int32_t id, float version = 4.0f) {
    ctx.SelectDecoderType(id);
    ctx.image.Version = version;
    model.Load();
    frame->setGeometry(410, 5, frame->modeGroup->geometry().right() + 1 + 10, 485);
    frame->show();
    frame->Render();
  }

  // A click on the box or button itself, where its indicator is.
  static void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2)); }

  void Put(int offset, int value) { ctx.image.setEepromValue(offset, value); }
  int Byte(int offset) const { return ctx.image.eepromValue(offset); }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  EditorContext ctx{dialogs, files};
  OptionsModel model{ctx};
  std::unique_ptr<OptionsFrame> frame;
};

}  // namespace

TEST_F(FrameZusatzTest, ShowsTheStateOfTheModel) {
  Show(0xB, 3.55f);
  EXPECT_TRUE(frame->modeGroup->isVisible());
  EXPECT_TRUE(frame->modeRadio1->isChecked());
  EXPECT_EQ(frame->modeRadio3->text(), "Mode 3: Selbstabschaltungs-Mode");
  EXPECT_TRUE(frame->modeRadio3->isVisible());
  EXPECT_FALSE(frame->modeRadio4->isVisible());
  EXPECT_TRUE(frame->modeBit6Box->isChecked());
  EXPECT_FALSE(frame->modeBit6Box->isVisible());
  EXPECT_TRUE(frame->modeBit7Box->isChecked());
  EXPECT_TRUE(frame->modeBit7Box->isVisible());
  EXPECT_EQ(frame->modeBit7Box->text(), "Mode-Umschaltung SPERREN");
  EXPECT_EQ(frame->optionEdits[0]->text(), "255");
  EXPECT_EQ(frame->optionUnitLabels[0]->text(), "(127.5 sec.)");
  EXPECT_TRUE(frame->optionUnitLabels[0]->isVisible());
  EXPECT_EQ(frame->optionLabels[0]->text(), "Abschaltzeit in Mode 3 (1..255)");
  EXPECT_EQ(frame->optionEdits[0]->toolTip(), "Zeit, nach der in Mode 3 abgeschaltet wird");
  EXPECT_FALSE(frame->optionEdits[1]->isVisible());
  EXPECT_FALSE(frame->fadingOrSpeedBar->isVisible());

  Put(0x20, 0x44);
  Show(0x267);
  EXPECT_TRUE(frame->fadingOrSpeedBar->isVisible());
  EXPECT_EQ(frame->fadingOrSpeedBar->value(), 5);
  EXPECT_EQ(frame->fadingOrSpeedBar->maximum(), 5);
  EXPECT_EQ(frame->barTitleLabel->text(), "Geschwindigkeit Überblendung (Fading)");
  EXPECT_EQ(frame->barLeftLabel->text(), "schnell");
  EXPECT_EQ(Byte(0x20), 0x11);  // the fallback the load wrote
  EXPECT_EQ(frame->modeRadio2->text(), "Mode 2: Österreich");

  // Everything the gas lamp up to 3.54 shows is the empty heading.
  Show(0x66, 3.54f);
  for (QWidget* w : frame->panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    EXPECT_FALSE(w->isVisible() && w != frame->headingLabel) << w->metaObject()->className();
  EXPECT_TRUE(frame->headingLabel->text().isEmpty());

  // The defaults come back after a type that changed them.
  Show(0x1A4100);
  EXPECT_TRUE(frame->neonDarkBar->isVisible());
  EXPECT_EQ(frame->modeRadio4->text(), "Mode 4: Steuerwagen ohne Neon");
  Show(0x3);
  EXPECT_EQ(frame->modeRadio3->text(), "Mode 3");
  EXPECT_FALSE(frame->modeRadio3->isVisible());
  EXPECT_FALSE(frame->neonDarkBar->isVisible());
  EXPECT_FALSE(frame->optionEdits[0]->isVisible());
  Show(0x13F00);
  EXPECT_FALSE(frame->modeLabel->isVisible());
  EXPECT_FALSE(frame->modeRadio1->isVisible());
  EXPECT_TRUE(frame->modeBit6Box->isVisible());
}

TEST_F(FrameZusatzTest, ClicksReachTheModel) {
  // Radio buttons and mode boxes.
  Put(0x00, 0xC1);
  Show(0xB, 3.55f);
  Click(frame->modeBit7Box);
  EXPECT_EQ(Byte(0x00), 0x41);
  EXPECT_FALSE(model.modeBit7.checked);
  Click(frame->modeRadio3);
  EXPECT_TRUE(frame->modeRadio3->isChecked());
  EXPECT_EQ(model.checkedMode, 3);
  EXPECT_EQ(Byte(0x00), 0x04);

  Put(0x00, 0x02);
  Show(0x13E00);
  Click(frame->modeBit6Box);
  EXPECT_EQ(Byte(0x00), 0x42);

  // The time-out marker.
  Put(0x00, 0x05);
  Show(0x208);
  ASSERT_TRUE(frame->timeOutMarkerBox->isVisible());
  EXPECT_EQ(frame->timeOutMarkerBox->y(), 100);
  Click(frame->timeOutMarkerBox);
  EXPECT_EQ(Byte(0x00), 0xAB);
  Click(frame->timeOutMarkerBox);
  EXPECT_EQ(Byte(0x00), 0x01);

  // The switch-off boxes, and the warning the model shows when both are unticked.
  Put(0x30, 0x00);
  Show(0x408);
  EXPECT_EQ(frame->secondHeadingLabel->text(), "Abschaltfunktion: Ausgänge abschalten durch...");
  EXPECT_EQ(frame->secondHeadingLabel->y(), 150);
  EXPECT_EQ(frame->optionBox2->y(), 190);
  EXPECT_FALSE(frame->boxNoteLabel->isVisible());
  Click(frame->optionBox2);
  Click(frame->optionBox1);
  EXPECT_EQ(Byte(0x30), 0xAA);
  EXPECT_TRUE(frame->boxNoteLabel->isVisible());
  EXPECT_EQ(frame->boxNoteLabel->text(), "Achtung: Durchbrenn-Gefahr für Weichen-Antriebe!");
  EXPECT_EQ(frame->boxNoteLabel->y(), 230);

  // The output-function boxes.
  Put(0x20, 0x20);
  Show(0x270);
  EXPECT_FALSE(frame->optionBox6->isVisible());
  EXPECT_EQ(frame->optionBox3->y(), 40);
  Click(frame->optionBox3);
  Click(frame->optionBox8);
  EXPECT_EQ(Byte(0x20), 0xA4);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FrameZusatzTest, BarsReachTheModel) {
  Put(0x20, 0x11);
  Show(0x167);
  EXPECT_EQ(frame->barTitleLabel->y(), 50);
  EXPECT_EQ(frame->fadingOrSpeedBar->y(), 70);
  frame->fadingOrSpeedBar->setValue(2);
  EXPECT_EQ(Byte(0x20), 0x33);
  EXPECT_EQ(frame->fadingOrSpeedBar->toolTip(), "Überblend-Zeit");

  Put(0x20, 40);
  Show(0x6F);
  EXPECT_EQ(frame->barTitleLabel->text(), "Geschwindigkeit: 40");
  EXPECT_EQ(frame->fadingOrSpeedBar->value(), 40);
  EXPECT_EQ(frame->fadingOrSpeedBar->minimum(), 1);
  frame->fadingOrSpeedBar->setValue(200);
  EXPECT_EQ(Byte(0x20), 200);
  EXPECT_EQ(frame->barTitleLabel->text(), "Geschwindigkeit: 200");
  EXPECT_EQ(frame->fadingOrSpeedBar->toolTip(), "Ablauf-Geschwindigkeit der Effekte");

  Put(0x40, 3);
  Put(0x41, 12);
  Show(0x2A4100);
  EXPECT_EQ(frame->neonDarkBar->value(), 3);
  EXPECT_EQ(frame->neonBrightBar->value(), 12);
  EXPECT_EQ(frame->neonDarkBar->y(), 170);
  EXPECT_GE(frame->neonDarkBar->x(), 120);
  EXPECT_GT(frame->neonDarkBar->x(), frame->neonLabel1->geometry().right());
  EXPECT_EQ(frame->neonBrightBar->geometry().topLeft(), QPoint(frame->neonDarkBar->x(), 210));
  EXPECT_EQ(frame->neonLabel2->pos(), QPoint(10, 213));
  EXPECT_EQ(frame->neonLabel3->pos(), QPoint(10, 70));
  frame->neonDarkBar->setValue(7);
  EXPECT_EQ(Byte(0x40), 7);
  frame->neonBrightBar->setValue(15);
  EXPECT_EQ(Byte(0x41), 15);
}

TEST_F(FrameZusatzTest, KeystrokesReachTheModel) {
  Show(0x8);
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  QLineEdit* edit = frame->optionEdits[0];
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(Byte(0x20), 0xFF);
  QTest::keyClicks(edit, "1");
  EXPECT_EQ(Byte(0x20), 1);
  EXPECT_EQ(frame->optionUnitLabels[0]->text(), "(0.5 sec.)");
  QTest::keyClicks(edit, "2");
  EXPECT_EQ(Byte(0x20), 12);
  EXPECT_EQ(frame->optionUnitLabels[0]->text(), "(6.0 sec.)");
  EXPECT_EQ(edit->text(), "12");
  EXPECT_TRUE(dialogs.messages.empty());

  // Text that is no number: the warning, and the focus goes back into the box.
  frame->fadingOrSpeedBar->setFocus();
  QTest::keyClicks(edit, "x");
  EXPECT_EQ(Byte(0x20), 12);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, kNotANumber);
  EXPECT_EQ(edit->text(), "12x");
  EXPECT_EQ(QApplication::focusWidget(), edit);

  // A value out of range is refused and stays in the box.
  dialogs.clear();
  edit->setText("128");
  EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..127"});
  EXPECT_EQ(Byte(0x20), 12);

  // What the frame fills in itself writes nothing.
  model.rows[0].text = "9";
  frame->Render();
  EXPECT_EQ(edit->text(), "9");
  EXPECT_EQ(Byte(0x20), 12);
}

TEST_F(FrameZusatzTest, TimeTextsUseADecimalPointUnderAGermanLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
    GTEST_SKIP() << "no German locale on this machine (locale-gen de_DE.UTF-8)";
  Put(0x20, 20);
  Show(0x8);
  const QString shown = frame->optionUnitLabels[0]->text();
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(shown, "(10.0 sec.)");
}

TEST_F(FrameZusatzTest, RowsAndModeGroupAreLaidOut) {
  Show(0x367);
  ASSERT_EQ(model.rows.size(), 7u);
  int widest = 0;
  for (size_t r = 0; r < 7; ++r) widest = std::max(widest, frame->optionLabels[r]->width());
  for (size_t r = 0; r < 7; ++r) {
    const int top = 60 + 21 * static_cast<int>(r);
    EXPECT_EQ(frame->optionEdits[r]->y(), top);
    EXPECT_EQ(frame->optionLabels[r]->pos(), QPoint(10, top + 3));
    EXPECT_EQ(frame->optionEdits[r]->x(), widest + 20);
    EXPECT_EQ(frame->optionUnitLabels[r]->pos(), QPoint(widest + 20 + 40 + 10, top + 3));
  }
  EXPECT_EQ(frame->barTitleLabel->y(), 10);
  EXPECT_EQ(frame->fadingOrSpeedBar->y(), 30);
  // The mode group sits at the bottom of the frame, 10 pixels above its edge.
  QRect g = frame->modeGroup->geometry();
  EXPECT_EQ(g.bottom() + 1, 485 - 10);
  EXPECT_EQ(frame->modeLabel->y(), 20);
  EXPECT_EQ(frame->modeBit7Box->y(), frame->modeLabel->geometry().bottom() + 1 + 10);
  EXPECT_EQ(frame->modeRadio1->y(), frame->modeBit7Box->geometry().bottom() + 1 + 10);
  EXPECT_EQ(frame->modeRadio2->y(), frame->modeRadio1->geometry().bottom() + 1);
  EXPECT_EQ(g.height(), frame->modeRadio2->geometry().bottom() + 1 + 10);
  // Nothing above the group reaches into it.
  for (size_t i = 0; i < 7; ++i) EXPECT_LT(frame->optionEdits[i]->geometry().bottom(), g.top());
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
      EXPECT_EQ(frame->optionLabels[r]->buddy(), frame->optionEdits[r]);
      EXPECT_EQ(frame->optionEdits[r]->accessibleName(), frame->optionLabels[r]->text());
    }
  }
  EXPECT_EQ(frame->barTitleLabel->buddy(), frame->fadingOrSpeedBar);
  EXPECT_EQ(frame->neonLabel1->buddy(), frame->neonDarkBar);
}
