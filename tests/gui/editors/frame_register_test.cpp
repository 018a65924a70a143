#include "editors/gui/Frame_register.h"

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

class FrameRegisterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    korrin::testing::QtApp();
  }

  void SetUp() override {
    ctx = std::make_unique<EditorContext>(dialogs, files);
    ctx->image.ResetForNewFile();
    frame = std::make_unique<TFrameRegister>(*ctx);
  }

  // What the main window's frame switch does for this frame.
  void Show(int32_t id) {
    ctx->DecoderIdentifier = id;
    frame->filling = true;
    frame->setGeometry(5, 3, 940, 555);
    frame->show();
    frame->ClearRows();
    frame->LoadRows();
  }

  int Row(int cvOffset) const {
    for (int r = 0; r < frame->cv_row_count; ++r)
      if (frame->cv_ee_offset[static_cast<size_t>(r)] == cvOffset) return r;
    return -1;
  }

  QLineEdit* Edit(int row) const { return frame->edt_cv[static_cast<size_t>(row)]; }
  std::string Byte(int offset) const { return ctx->image.get_Hex_EE(offset); }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  std::unique_ptr<EditorContext> ctx;
  std::unique_ptr<TFrameRegister> frame;
};

}  // namespace

TEST_F(FrameRegisterTest, ErasedEepromShows255InEveryRowAndLoadingWritesNothing) {
  for (int i = 0; i < 256; ++i) ctx->image.set_Hex_EE(i, i % 3 ? "FF" : HexByteText()[static_cast<size_t>(i)]);
  auto before = ctx->image.Hex_EE;
  Show(0x14B00);
  EXPECT_FALSE(frame->filling);
  ASSERT_EQ(frame->cv_row_count, 73);
  EXPECT_EQ(ctx->image.Hex_EE, before);
  for (int r = 0; r < 73; ++r) {
    int offset = frame->cv_ee_offset[static_cast<size_t>(r)];
    EXPECT_EQ(Edit(r)->text().toInt(), offset % 3 ? 255 : offset) << r;
    EXPECT_TRUE(Edit(r)->isVisible());
    EXPECT_TRUE(frame->lbl_cv[static_cast<size_t>(r)]->isVisible());
  }
  EXPECT_EQ(frame->lbl_cv[6]->text(), "CV029: Konfigbyte");
  EXPECT_FALSE(Edit(73)->isVisible());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FrameRegisterTest, RowsStandInTheirSlotsWithSeparatorsBetweenTheColumns) {
  Show(0x14B00);
  // Row 22 (slot 21) opens the second column.
  EXPECT_EQ(frame->lbl_cv[21]->pos(), QPoint(235, 19));
  EXPECT_EQ(Edit(21)->geometry(), QRect(415, 15, 40, 20));
  EXPECT_EQ(Edit(72)->geometry(), QRect(875, 240, 40, 20));
  EXPECT_EQ(frame->Line2->geometry(), QRect(460, 8, 2, 554));
  // Every caption ends before its edit box.
  for (int r = 0; r < frame->cv_row_count; ++r)
    EXPECT_LE(frame->lbl_cv[static_cast<size_t>(r)]->fontMetrics().horizontalAdvance(
                  frame->lbl_cv[static_cast<size_t>(r)]->text()),
              180)
        << frame->lbl_cv[static_cast<size_t>(r)]->text().toStdString();
}

TEST_F(FrameRegisterTest, TypingWritesOnEveryKeystrokeThatLeavesANumber) {
  Show(0x4400);
  int r = Row(0x6F);
  ASSERT_GE(r, 0);
  Edit(r)->clear();
  EXPECT_EQ(Byte(0x6F), "FF");  // an empty box writes nothing
  QTest::keyClicks(Edit(r), "1");
  EXPECT_EQ(Byte(0x6F), "01");
  QTest::keyClicks(Edit(r), "2");
  EXPECT_EQ(Byte(0x6F), "0C");
  QTest::keyClicks(Edit(r), "a");
  EXPECT_EQ(Byte(0x6F), "0C");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, kNotANumber);
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
  EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
  EXPECT_EQ(Edit(r)->text(), "12a");
}

TEST_F(FrameRegisterTest, DeletingDigitsWritesWhatIsLeft) {
  ctx->image.set_Hex_EE(0x60, "FF");
  Show(0x15000);
  QLineEdit* edit = Edit(0);
  ASSERT_EQ(edit->text(), "255");
  edit->setFocus();
  edit->end(false);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(Byte(0x60), "19");  // 25
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(Byte(0x60), "02");
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit->text(), "");
  EXPECT_EQ(Byte(0x60), "02");
  QTest::keyClicks(edit, "7");
  EXPECT_EQ(Byte(0x60), "07");
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FrameRegisterTest, WholeNumbersOutsideAByteAreRefusedWithTheRangeWarning) {
  ctx->image.set_Hex_EE(0x68, "05");
  Show(0x4400);
  int r = Row(0x68);
  ASSERT_GE(r, 0);
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"256", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 0..255"},
      {"-1", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 0..255"},
      {"-", kNotANumber},
      {"99999999999", kNotANumber},
  };
  for (const auto& c : cases) {
    dialogs.clear();
    Edit(r)->setText(c.text);
    EXPECT_EQ(Byte(0x68), "05") << c.text;
    ASSERT_EQ(dialogs.messages.size(), 1u) << c.text;
    EXPECT_EQ(dialogs.messages[0].text, c.message);
  }
}

TEST_F(FrameRegisterTest, Cv29EditsTheByteOfItsTable) {
  struct Case {
    int32_t id;
    int offset;
  } cases[] = {{0x4400, 0x68}, {0x14B00, 0x6A}, {0x15000, 0x6A}};
  for (const auto& c : cases) {
    ctx->image.ResetForNewFile();
    Show(c.id);
    int r = -1;
    for (int i = 0; i < frame->cv_row_count; ++i)
      if (frame->lbl_cv[static_cast<size_t>(i)]->text().startsWith("CV29:") ||
          frame->lbl_cv[static_cast<size_t>(i)]->text().startsWith("CV029:"))
        r = i;
    ASSERT_GE(r, 0) << c.id;
    Edit(r)->setText("6");
    EXPECT_EQ(Byte(c.offset), "06") << c.id;
    EXPECT_EQ(Byte(c.offset == 0x68 ? 0x6A : 0x68), "FF") << c.id;
  }
}

TEST_F(FrameRegisterTest, TablesBAndCDifferOnlyInTwoCaptions) {
  Show(0x14B00);
  QStringList b;
  for (int r = 0; r < frame->cv_row_count; ++r) b << frame->lbl_cv[static_cast<size_t>(r)]->text();
  auto offsetsB = frame->cv_ee_offset;
  Show(0x15000);
  ASSERT_EQ(frame->cv_row_count, 73);
  EXPECT_EQ(frame->cv_ee_offset, offsetsB);
  for (int r = 0; r < 73; ++r) {
    QString c = frame->lbl_cv[static_cast<size_t>(r)]->text();
    if (r == 8 || r == 9)
      EXPECT_EQ(c, b[r] + " 18324");
    else
      EXPECT_EQ(c, b[r]);
  }
}

TEST_F(FrameRegisterTest, OtherTypesShowNoRowsAndAReloadReplacesTheTable) {
  Show(0x14B00);
  Show(0x4400);
  EXPECT_EQ(frame->cv_row_count, 25);
  EXPECT_FALSE(Edit(25)->isVisible());
  EXPECT_TRUE(frame->lbl_cv[25]->text().isEmpty());
  Show(0x8);
  EXPECT_EQ(frame->cv_row_count, 0);
  for (int i = 0; i < kCvRowSlots; ++i) EXPECT_FALSE(Edit(i)->isVisible()) << i;
  EXPECT_FALSE(frame->filling);
}

TEST_F(FrameRegisterTest, SetTextWhileFillingWritesNothing) {
  Show(0x4400);
  frame->filling = true;
  Edit(0)->setText("9");
  frame->filling = false;
  EXPECT_EQ(Byte(0x60), "FF");
  Edit(0)->setText("9");  // same text: no change signal, nothing written
  Edit(0)->setText("10");
  EXPECT_EQ(Byte(0x60), "0A");
}
