#include "editors/gui/Frame_blinkmuster.h"

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

class FrameBlinkmusterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    korrin::testing::QtApp();
  }

  void SetUp() override {
    ctx = std::make_unique<EditorContext>(dialogs, files);
    ctx->image.ResetForNewFile();
    ctx->DecoderIdentifier = 1;
    frame = std::make_unique<TFrameBlinkmuster>(*ctx);
  }

  // Entry i of the table in the image.
  void SetEntry(int i, int v) { ctx->image.setRomValue(0x600 + 2 * i, v); }
  int ImageEntry(int i) const { return ctx->image.romValue(0x600 + 2 * i); }

  // Block k: N points, stretch S, flags, all points off.
  void SetBlock(int k, int n, int s, int flags) {
    for (int i = 0; i < 64; ++i) SetEntry(64 * k + i, 0);
    SetEntry(64 * k + 53, n);
    SetEntry(64 * k + 54, s);
    SetEntry(64 * k + 55, flags);
  }

  // What the main window's frame switch does.
  void Show() {
    QPushButton* apply = frame->blinkmuster_btn_uebernehmen;
    int width = apply->x() + apply->width() + 15;
    int height = apply->y() + apply->height() + 15;
    frame->filling = true;
    frame->setGeometry(410, 5, width, height);
    frame->show();
    frame->ShowEditor(width);
    frame->RefreshEditor();
    ASSERT_FALSE(frame->filling);
  }

  PatternStrip* Strip(int j) const {
    PatternStrip* s[] = {frame->Image_Blink1, frame->Image_Blink2, frame->Image_Blink3, frame->Image_Blink4};
    return s[j];
  }
  QCheckBox* OutBox(int j) const {
    QCheckBox* b[] = {frame->blinkmuster_cbx_out1, frame->blinkmuster_cbx_out2, frame->blinkmuster_cbx_out3,
                      frame->blinkmuster_cbx_out4};
    return b[j];
  }
  int Entry(int i) const { return frame->pattern_table.entry(i); }
  bool ApplyEnabled() const { return frame->blinkmuster_btn_uebernehmen->isEnabled(); }
  std::string Text(QLineEdit* e) const { return e->text().toStdString(); }
  std::string Text(QLabel* l) const { return l->text().toStdString(); }

  void Type(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  std::unique_ptr<EditorContext> ctx;
  std::unique_ptr<TFrameBlinkmuster> frame;
};

TEST_F(FrameBlinkmusterTest, ShowsTheExampleBlock) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 0xF0);
  SetBlock(0, 4, 25, 0xF1);
  SetEntry(0, 1);
  SetEntry(1, 2);
  SetEntry(2, 4);
  SetEntry(3, 8);
  Show();
  EXPECT_EQ(Text(frame->blinkmuster_edt_Anzahl), "4");
  EXPECT_EQ(Text(frame->blinkmuster_edt_stretch), "25");
  EXPECT_EQ(Text(frame->blinkmuster_lbl_KurveInfo1), "Zeit-Raster = 500 ms");
  EXPECT_EQ(Text(frame->blinkmuster_lbl_KurveInfo2), "Gesamtzeit = 2.0000 s");
  EXPECT_TRUE(frame->blinkmuster_cbx_loop->isChecked());
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_FALSE(frame->hasPendingChanges());
  // Strip width = frame width - strip left - 10; four cells of (W - 10) / 4 pixels.
  EXPECT_EQ(frame->stripWidth(), 535 - 75 - 10);
  for (int j = 0; j < 4; ++j) {
    ASSERT_EQ(Strip(j)->bars().size(), 1u) << j;
    const auto& bar = Strip(j)->bars()[0];
    EXPECT_EQ(bar.x0, static_cast<int>(static_cast<float>(j) * 110.0f));
    EXPECT_EQ(bar.x1, static_cast<int>(static_cast<float>(j + 1) * 110.0f));
    EXPECT_EQ(bar.top, 8);
    EXPECT_TRUE(Strip(j)->isVisible());
  }
  // The red bar is really drawn: inside red, outline black, an off cell white.
  QImage img = Strip(1)->grab().toImage();
  EXPECT_EQ(img.pixelColor(150, 20), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(110, 20), QColor(Qt::black));
  EXPECT_EQ(img.pixelColor(150, 8), QColor(Qt::black));
  EXPECT_EQ(img.pixelColor(50, 20), QColor(Qt::white));
}

TEST_F(FrameBlinkmusterTest, PaintingSwitchesStepsOnAndOff) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 0xF1);  // count 10 = the edit's initial text
  Show();
  EXPECT_FLOAT_EQ(frame->geometry().cell_width, 44.0f);
  PatternStrip* s1 = Strip(0);
  QTest::mousePress(s1, Qt::LeftButton, {}, QPoint(50, 5));
  EXPECT_EQ(Entry(1), 0) << "a press alone changes nothing";
  EXPECT_FALSE(ApplyEnabled());
  QTest::mouseMove(s1, QPoint(50, 5));
  EXPECT_EQ(Entry(1), 0x01);
  EXPECT_TRUE(ApplyEnabled());
  ASSERT_EQ(s1->bars().size(), 1u);
  EXPECT_EQ(s1->bars()[0].x0, 44);
  QTest::mouseMove(s1, QPoint(100, 10));
  EXPECT_EQ(Entry(2), 0x01);
  QTest::mouseMove(s1, QPoint(60, 30));  // lower part switches off
  EXPECT_EQ(Entry(1), 0x00);
  EXPECT_EQ(Entry(2), 0x01);
  QTest::mouseRelease(s1, Qt::LeftButton, {}, QPoint(60, 30));
  QTest::mouseMove(s1, QPoint(200, 5));  // no button held
  EXPECT_EQ(Entry(4), 0x00);

  // Strip 3 writes bit 2 and leaves the other bits of the step alone.
  QTest::mousePress(Strip(2), Qt::LeftButton, {}, QPoint(100, 2));
  QTest::mouseMove(Strip(2), QPoint(100, 2));
  QTest::mouseRelease(Strip(2), Qt::LeftButton, {}, QPoint(100, 2));
  EXPECT_EQ(Entry(2), 0x05);
  EXPECT_EQ(ImageEntry(2), 0x00) << "the image changes only with Übernehmen";
}

TEST_F(FrameBlinkmusterTest, DraggingOutsideTheStripStaysInThePointBytes) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 0xF1);
  Show();
  QTest::mouseClick(frame->blinkmuster_rad_a2, Qt::LeftButton);
  ASSERT_TRUE(frame->blinkmuster_rad_a2->isChecked());
  const std::vector<int> before = frame->pattern_table.entries();
  PatternStrip* s = Strip(0);
  QTest::mousePress(s, Qt::LeftButton, {}, QPoint(400, 5));
  QTest::mouseMove(s, QPoint(5000, 5));  // far beyond the right edge: the last point
  QTest::mouseMove(s, QPoint(-300, 5));  // left of the strip: the first point
  QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(-300, 5));
  for (int i = 0; i < 256; ++i) {
    int expected = before[static_cast<size_t>(i)];
    if (i == 64 + 49 || i == 64) expected |= 1;
    ASSERT_EQ(Entry(i), expected) << "entry " << i;
  }
}

TEST_F(FrameBlinkmusterTest, ErasedTableIsShownClampedAndOffered) {
  Show();  // the image is all 0xFF
  EXPECT_EQ(Text(frame->blinkmuster_edt_Anzahl), "50");
  EXPECT_EQ(Text(frame->blinkmuster_edt_stretch), "200");
  EXPECT_TRUE(frame->blinkmuster_cbx_loop->isChecked());
  for (int j = 0; j < 4; ++j) {
    EXPECT_TRUE(OutBox(j)->isChecked());
    EXPECT_TRUE(Strip(j)->isVisible());
    EXPECT_EQ(Strip(j)->bars().size(), 50u);
  }
  EXPECT_EQ(Text(frame->blinkmuster_lbl_KurveInfo1), "Zeit-Raster = 4.0000 s");
  EXPECT_EQ(Text(frame->blinkmuster_lbl_KurveInfo2), "Gesamtzeit = 3.3333 min");
  EXPECT_EQ(Entry(53), 50);
  EXPECT_EQ(Entry(54), 200);
  EXPECT_TRUE(ApplyEnabled());
  EXPECT_EQ(ImageEntry(53), 0xFF);
  // Every address shows the same.
  QTest::mouseClick(frame->blinkmuster_rad_a4, Qt::LeftButton);
  EXPECT_EQ(Text(frame->blinkmuster_edt_Anzahl), "50");
  EXPECT_EQ(Text(frame->blinkmuster_edt_stretch), "200");
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FrameBlinkmusterTest, HidingAStripKeepsItsBits) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 5, 10, 0xF0);
  SetEntry(0, 0x02);
  SetEntry(3, 0x0A);
  Show();
  auto bars = Strip(1)->bars();
  ASSERT_EQ(bars.size(), 2u);
  QTest::mouseClick(OutBox(1), Qt::LeftButton);
  EXPECT_FALSE(OutBox(1)->isChecked());
  EXPECT_FALSE(Strip(1)->isVisible());
  EXPECT_EQ(Entry(55), 0xD0);
  EXPECT_EQ(Entry(0), 0x02);
  EXPECT_EQ(Entry(3), 0x0A);
  EXPECT_TRUE(ApplyEnabled());
  QTest::mouseClick(OutBox(1), Qt::LeftButton);
  EXPECT_TRUE(Strip(1)->isVisible());
  EXPECT_EQ(Entry(55), 0xF0);
  ASSERT_EQ(Strip(1)->bars().size(), bars.size());
  for (size_t i = 0; i < bars.size(); ++i) EXPECT_EQ(Strip(1)->bars()[i].x0, bars[i].x0);

  // The loop box sets bit 0 only.
  QTest::mouseClick(frame->blinkmuster_cbx_loop, Qt::LeftButton);
  EXPECT_EQ(Entry(55), 0xF1);
}

TEST_F(FrameBlinkmusterTest, CopyFromAddress3OntoAddress1) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 0x10);
  for (int i = 0; i < 64; ++i) SetEntry(128 + i, i);
  SetEntry(128 + 53, 7);
  SetEntry(128 + 54, 60);
  SetEntry(128 + 55, 0xA1);
  Show();
  EXPECT_FALSE(frame->blinkmuster_btn_copy1->isEnabled());
  EXPECT_TRUE(frame->blinkmuster_btn_copy3->isEnabled());
  QTest::mouseClick(frame->blinkmuster_btn_copy3, Qt::LeftButton);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(Entry(i), Entry(128 + i)) << i;
  EXPECT_EQ(Entry(64), 0);  // address 2 untouched
  EXPECT_EQ(Text(frame->blinkmuster_edt_Anzahl), "7");
  EXPECT_EQ(Text(frame->blinkmuster_edt_stretch), "60");
  EXPECT_TRUE(frame->blinkmuster_cbx_loop->isChecked());
  EXPECT_TRUE(OutBox(1)->isChecked());
  EXPECT_FALSE(OutBox(0)->isChecked());
  EXPECT_TRUE(OutBox(3)->isChecked());
  EXPECT_EQ(Text(frame->blinkmuster_lbl_KurveInfo1), "Zeit-Raster = 1.2000 s");
  EXPECT_TRUE(ApplyEnabled());
  QTest::mouseClick(frame->blinkmuster_rad_a3, Qt::LeftButton);
  EXPECT_FALSE(frame->blinkmuster_btn_copy3->isEnabled());
  EXPECT_TRUE(frame->blinkmuster_btn_copy1->isEnabled());
}

TEST_F(FrameBlinkmusterTest, CountAndStretchEdits) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 0xF0);
  Show();
  const char* countMessage = "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..50";
  struct Case { QLineEdit* edit; const char* typed; const char* shown; int offset; int stored; } cases[] = {
      {frame->blinkmuster_edt_Anzahl, "60", "50", 53, 50},
      {frame->blinkmuster_edt_Anzahl, "0", "1", 53, 1},
      {frame->blinkmuster_edt_Anzahl, "12", "12", 53, 12},
      {frame->blinkmuster_edt_stretch, "250", "200", 54, 200},
      {frame->blinkmuster_edt_stretch, "33", "33", 54, 33},
  };
  for (const auto& c : cases) {
    Type(c.edit, c.typed);
    EXPECT_EQ(Text(c.edit), c.shown) << c.typed;
    EXPECT_EQ(Entry(c.offset), c.stored) << c.typed;
  }
  EXPECT_FLOAT_EQ(frame->geometry().cell_width, 440.0f / 12.0f);
  EXPECT_TRUE(dialogs.messages.empty());

  // Not a number: warning with Cancel, nothing stored, the text stays.
  Type(frame->blinkmuster_edt_Anzahl, "x");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, countMessage);
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
  EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
  EXPECT_EQ(Text(frame->blinkmuster_edt_Anzahl), "x");
  EXPECT_EQ(Entry(53), 12);
  Type(frame->blinkmuster_edt_stretch, "-");
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1].text, "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200");

  // The spinner steps within its range.
  Type(frame->blinkmuster_edt_Anzahl, "50");
  QTest::mouseClick(frame->UpDown3->upButton(), Qt::LeftButton);
  EXPECT_EQ(Text(frame->blinkmuster_edt_Anzahl), "50");
  QTest::mouseClick(frame->UpDown3->downButton(), Qt::LeftButton);
  EXPECT_EQ(Text(frame->blinkmuster_edt_Anzahl), "49");
  EXPECT_EQ(Entry(53), 49);

  // Count 1: one cell over the whole strip less 10 pixels.
  Type(frame->blinkmuster_edt_Anzahl, "1");
  EXPECT_FLOAT_EQ(frame->geometry().cell_width, static_cast<float>(frame->stripWidth() - 10));
}

TEST_F(FrameBlinkmusterTest, ApplyWritesTheTableAndDiscardReloads) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 0xF1);
  Show();
  const std::vector<std::string> before = ctx->image.Hex_ROM;
  QTest::mousePress(Strip(3), Qt::LeftButton, {}, QPoint(50, 5));
  QTest::mouseMove(Strip(3), QPoint(50, 5));
  QTest::mouseRelease(Strip(3), Qt::LeftButton, {}, QPoint(50, 5));
  EXPECT_TRUE(frame->hasPendingChanges());

  // The save answered No: nothing is written and the change stays pending.
  EXPECT_EQ(ctx->image.Hex_ROM, before);
  EXPECT_TRUE(frame->hasPendingChanges());
  EXPECT_EQ(Entry(1), 0x08);

  // Yes: the apply action writes the new byte into the image, and nothing else changes.
  frame->applyPendingChanges();
  EXPECT_FALSE(frame->hasPendingChanges());
  for (size_t i = 0; i < before.size(); ++i) {
    if (i == 0x600 + 2) {
      EXPECT_EQ(ctx->image.Hex_ROM[i], "08");
    } else {
      ASSERT_EQ(ctx->image.Hex_ROM[i], before[i]) << i;
    }
  }

  // Discard throws away what was not applied.
  Type(frame->blinkmuster_edt_stretch, "99");
  EXPECT_TRUE(ApplyEnabled());
  QTest::mouseClick(frame->blinkmuster_btn_verwerfen, Qt::LeftButton);
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_EQ(Entry(54), 10);
  EXPECT_EQ(Text(frame->blinkmuster_edt_stretch), "10");
  EXPECT_EQ(Entry(1), 0x08);

  // A hidden frame has nothing pending.
  Type(frame->blinkmuster_edt_stretch, "98");
  EXPECT_TRUE(frame->hasPendingChanges());
  frame->hide();
  EXPECT_FALSE(frame->hasPendingChanges());
}

TEST_F(FrameBlinkmusterTest, ShowingAgainStartsFromTheImage) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 0xF1);
  Show();
  Type(frame->blinkmuster_edt_Anzahl, "20");
  EXPECT_TRUE(ApplyEnabled());
  SetBlock(0, 30, 40, 0x30);  // another file loaded
  Show();
  EXPECT_EQ(Text(frame->blinkmuster_edt_Anzahl), "30");
  EXPECT_EQ(Text(frame->blinkmuster_edt_stretch), "40");
  EXPECT_FALSE(frame->blinkmuster_cbx_loop->isChecked());
  EXPECT_FALSE(Strip(2)->isVisible());
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_FLOAT_EQ(frame->geometry().cell_width, 440.0f / 30.0f);
}

}  // namespace
