#include "editors/gui/cv_table_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "qt_app.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;

namespace {

const char* const kNotANumber = "Ungültige Eingabe.\rZugelassen sind nur Zahlen";

class FrameRegisterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { korrin::testing::QtApp(); }

  void SetUp() override {
    ctx.image.ResetForNewFile();
    frame = std::make_unique<CvTableFrame>(model);
  }

  // What the load does for this frame: the document loads the model, the window places and
  // shows the frame, which then renders.
  void Show(int32_t id) {
    ctx.SelectDecoderType(id);
    model.Load();
    frame->setGeometry(5, 3, 940, 555);
    frame->show();
    frame->Render();
  }

  QLineEdit* Edit(size_t row) const { return frame->cvEdits[row]; }
  std::string Byte(int offset) const { return ctx.image.get_Hex_EE(offset); }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  EditorContext ctx{dialogs, files};
  CvRegisterModel model{ctx};
  std::unique_ptr<CvTableFrame> frame;
};

}  // namespace

TEST_F(FrameRegisterTest, ShowsTheRowsOfTheModel) {
  for (int i = 0; i < 256; ++i) ctx.image.setEepromValue(i, i % 3 ? 0xFF : i);
  Show(0x14B00);
  ASSERT_EQ(model.rows.size(), 73u);
  for (size_t r = 0; r < 73; ++r) {
    const QString caption = QString::fromStdString(model.rows[r].caption);
    EXPECT_EQ(frame->cvLabels[r]->text(), caption);
    EXPECT_EQ(Edit(r)->text().toStdString(), model.rows[r].text);
    EXPECT_TRUE(Edit(r)->isVisible());
    EXPECT_TRUE(frame->cvLabels[r]->isVisible());
    // A screen reader names the box by its CV, and the caption leads to its box.
    EXPECT_EQ(Edit(r)->accessibleName(), caption);
    EXPECT_EQ(frame->cvLabels[r]->buddy(), Edit(r));
  }
  EXPECT_EQ(Edit(6)->text(), "255");
  EXPECT_EQ(Edit(0)->text(), "96");  // byte 0x60
  EXPECT_FALSE(Edit(73)->isVisible());
  EXPECT_TRUE(dialogs.messages.empty());

  // Another type replaces the rows; a type without a table shows none.
  Show(0x4400);
  EXPECT_EQ(frame->cvLabels[5]->text(), "CV29: Konfiguration");
  EXPECT_FALSE(Edit(25)->isVisible());
  EXPECT_TRUE(frame->cvLabels[25]->text().isEmpty());
  Show(0x8);
  for (size_t i = 0; i < kCvRowSlots; ++i) EXPECT_FALSE(Edit(i)->isVisible()) << i;
}

TEST_F(FrameRegisterTest, RowsStandInTheirSlotsWithSeparatorsBetweenTheColumns) {
  Show(0x14B00);
  // Row 22 (slot 21) opens the second column.
  EXPECT_EQ(frame->cvLabels[21]->pos(), QPoint(235, 19));
  EXPECT_EQ(Edit(21)->geometry(), QRect(415, 15, 40, 20));
  EXPECT_EQ(Edit(72)->geometry(), QRect(875, 240, 40, 20));
  EXPECT_EQ(frame->separator2->geometry(), QRect(460, 8, 2, 554));
  // Every caption of every table ends before its edit box.
  for (int32_t id : {0x4400, 0x14B00, 0x15000}) {
    Show(id);
    for (size_t r = 0; r < model.rows.size(); ++r)
      EXPECT_LE(frame->cvLabels[r]->fontMetrics().horizontalAdvance(frame->cvLabels[r]->text()), 180)
          << frame->cvLabels[r]->text().toStdString();
  }
}

TEST_F(FrameRegisterTest, KeystrokesReachTheModel) {
  ctx.image.set_Hex_EE(0x60, "FF");
  Show(0x15000);
  QLineEdit* edit = Edit(0);
  ASSERT_EQ(edit->text(), "255");
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  edit->setFocus();
  edit->end(false);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(Byte(0x60), "19");  // 25
  EXPECT_EQ(model.rows[0].text, "25");
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit->text(), "");
  EXPECT_EQ(Byte(0x60), "02");
  QTest::keyClicks(edit, "1");
  EXPECT_EQ(Byte(0x60), "01");
  QTest::keyClicks(edit, "2");
  EXPECT_EQ(Byte(0x60), "0C");
  EXPECT_TRUE(dialogs.messages.empty());

  // A refused keystroke: the warning, the text stays, the focus goes back into the box.
  Edit(1)->setFocus();
  QTest::keyClicks(edit, "a");
  EXPECT_EQ(Byte(0x60), "0C");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, kNotANumber);
  EXPECT_EQ(edit->text(), "12a");
  EXPECT_EQ(model.rows[0].text, "12a");
  EXPECT_EQ(QApplication::focusWidget(), edit);
  EXPECT_EQ(model.focusRow, -1);
}

TEST_F(FrameRegisterTest, WhatTheFrameFillsInItselfWritesNothing) {
  Show(0x4400);
  // A text that only the model holds reaches the box by rendering, not the image.
  model.rows[0].text = "9";
  frame->Render();
  EXPECT_EQ(Edit(0)->text(), "9");
  EXPECT_EQ(Byte(0x60), "FF");
  Edit(0)->setText("10");
  EXPECT_EQ(Byte(0x60), "0A");

  // A change made through the model shows after the next render.
  EXPECT_EQ(model.Set("cv29", "6"), SetOutcome::Done);
  frame->Render();
  EXPECT_EQ(Edit(5)->text(), "6");
  EXPECT_EQ(Byte(0x68), "06");
}
