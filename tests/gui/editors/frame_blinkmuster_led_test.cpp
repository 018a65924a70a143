#include "editors/gui/Frame_blinkmuster_led.h"

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

class FrameBlinkmusterLedTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    korrin::testing::QtApp();
  }

  void SetUp() override {
    ctx = std::make_unique<EditorContext>(dialogs, files);
    ctx->image.ResetForNewFile();
    frame = std::make_unique<TFrameBlinkmuster_led>(*ctx);
  }

  // Entry i of block k in the image.
  void SetEntry(int k, int i, int v) { ctx->image.setRomValue(0x600 + 0x200 * k + 2 * i, v); }
  int ImageEntry(int k, int i) const { return ctx->image.romValue(0x600 + 0x200 * k + 2 * i); }

  // Block k: N points, stretch low/high, all outputs used, no loop, all points off.
  void SetBlock(int k, int n, int low, int high) {
    for (int i = 0; i < 256; ++i) SetEntry(k, i, 0);
    SetEntry(k, 100, 0xF0);
    SetEntry(k, 101, n);
    SetEntry(k, 102, low);
    SetEntry(k, 103, 0x3F);
    SetEntry(k, 104, high);
  }

  void Show(int32_t id) {
    ctx->DecoderIdentifier = id;
    QPushButton* apply = frame->led_blinkmuster_btn_uebernehmen;
    int width = apply->x() + apply->width() + 15;
    int height = apply->y() + apply->height() + 15;
    frame->filling = true;
    frame->setGeometry(410, 5, width, height);
    frame->show();
    frame->ShowEditor(width);
    frame->RefreshEditor();
    ASSERT_FALSE(frame->filling);
  }

  void Type(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  void Paint(int strip, QPoint from, QPoint to) {
    PatternStrip* s = frame->Image_led_Blink[static_cast<size_t>(strip)];
    QTest::mousePress(s, Qt::LeftButton, {}, from);
    QTest::mouseMove(s, to);
    QTest::mouseRelease(s, Qt::LeftButton, {}, to);
  }
  int Entry(int k, int i) const { return frame->led_pattern_table.entry(256 * k + i); }
  std::string Text(QLineEdit* e) const { return e->text().toStdString(); }
  std::string Text(QLabel* l) const { return l->text().toStdString(); }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  std::unique_ptr<EditorContext> ctx;
  std::unique_ptr<TFrameBlinkmuster_led> frame;
};

TEST_F(FrameBlinkmusterLedTest, StretchTypedAndReshownPerFirmware) {
  struct Case { int32_t id; const char* typed; const char* shown; int low, high; const char* message; } cases[] = {
      {477, "255", "255", 0, 2, "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..30000"},
      {477, "30001", "30000", 165, 118, nullptr},
      {221, "250", "200", 200, 0, "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200"},
  };
  for (const auto& c : cases) {
    for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, c.id == 477 ? 1 : 7);
    Show(c.id);
    dialogs.clear();
    Type(frame->led_blinkmuster_edt_stretch, c.typed);
    EXPECT_EQ(Entry(0, 102), c.low) << c.typed;
    EXPECT_EQ(Entry(0, 104), c.high) << c.typed;
    EXPECT_EQ(Text(frame->led_blinkmuster_edt_stretch), c.shown);
    // Another address and back: the stored value is decoded again.
    QTest::mouseClick(frame->led_blinkmuster_rad_a2, Qt::LeftButton);
    EXPECT_EQ(Text(frame->led_blinkmuster_edt_stretch), "10");
    QTest::mouseClick(frame->led_blinkmuster_rad_a1, Qt::LeftButton);
    EXPECT_EQ(Text(frame->led_blinkmuster_edt_stretch), c.shown) << c.id;
    EXPECT_TRUE(dialogs.messages.empty());
    if (c.message) {
      Type(frame->led_blinkmuster_edt_stretch, "z");
      ASSERT_EQ(dialogs.messages.size(), 1u);
      EXPECT_EQ(dialogs.messages[0].text, c.message);
      EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
    }
  }
}

TEST_F(FrameBlinkmusterLedTest, ErasedTableShowsTheStoredStretchAndClampsTheCount) {
  Show(477);
  EXPECT_EQ(Text(frame->led_blinkmuster_edt_Anzahl), "100");
  EXPECT_EQ(Text(frame->led_blinkmuster_edt_stretch), "65025");
  EXPECT_EQ(Text(frame->led_blinkmuster_lbl_KurveInfo1), "Zeit-Raster = 1300.5000 s");
  EXPECT_EQ(Entry(0, 101), 100);
  EXPECT_EQ(Entry(0, 102), 0xFF);  // not re-encoded until the stretch is edited
  EXPECT_TRUE(frame->led_blinkmuster_btn_uebernehmen->isEnabled());
  for (auto* s : frame->Image_led_Blink) EXPECT_EQ(s->bars().size(), 100u);
  // Stepping re-encodes it within range.
  QTest::mouseClick(frame->UpDown10->upButton(), Qt::LeftButton);
  EXPECT_EQ(Text(frame->led_blinkmuster_edt_stretch), "30000");
  EXPECT_EQ(Entry(0, 102), 165);
  EXPECT_EQ(Entry(0, 104), 118);
  EXPECT_EQ(Text(frame->led_blinkmuster_lbl_KurveInfo1), "Zeit-Raster = 600.0000 s");
  EXPECT_EQ(Text(frame->led_blinkmuster_lbl_KurveInfo2), "Gesamtzeit = 16.6667 h");
}

TEST_F(FrameBlinkmusterLedTest, PaintingFarRightChangesPoint99Only) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 100, 10, 1);
  Show(477);
  const std::vector<int> before = frame->led_pattern_table.entries();
  const int w = frame->stripWidth();
  Paint(0, QPoint(w - 20, 3), QPoint(w + 4000, 3));
  Paint(4, QPoint(w - 20, 3), QPoint(w + 4000, 3));  // output 5 lives at 128 + q
  Paint(9, QPoint(5, 3), QPoint(-50, 3));            // output 10, left of the strip
  for (int i = 0; i < 1024; ++i) {
    int expected = before[static_cast<size_t>(i)];
    if (i == 99) expected |= 0x01;
    if (i == 128 + 99) expected |= 0x01;
    if (i == 128) expected |= 0x20;
    ASSERT_EQ(frame->led_pattern_table.entry(i), expected) << i;
  }
}

TEST_F(FrameBlinkmusterLedTest, CopyKeepsEntry255AndOutputBoxesUseTheirBits) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 1);
  for (int i = 0; i < 256; ++i) SetEntry(1, i, (i * 3) & 0xFF);
  SetEntry(1, 101, 20);
  SetEntry(1, 104, 1);
  SetEntry(3, 255, 0x5A);
  Show(477);
  QTest::mouseClick(frame->led_blinkmuster_rad_a4, Qt::LeftButton);
  EXPECT_FALSE(frame->led_blinkmuster_btn_copy[3]->isEnabled());
  QTest::mouseClick(frame->led_blinkmuster_btn_copy[1], Qt::LeftButton);
  for (int i = 0; i < 255; ++i) ASSERT_EQ(Entry(3, i), Entry(1, i)) << i;
  EXPECT_EQ(Entry(3, 255), 0x5A);
  EXPECT_EQ(Text(frame->led_blinkmuster_edt_Anzahl), "20");

  // Output 7 is bit 2 of flags 2; unchecking hides its strip.
  QCheckBox* out7 = frame->led_blinkmuster_cbx_out[6];
  bool was = out7->isChecked();
  QTest::mouseClick(out7, Qt::LeftButton);
  EXPECT_EQ((Entry(3, 103) >> 2) & 1, was ? 0 : 1);
  EXPECT_EQ(frame->Image_led_Blink[6]->isVisible(), !was);
  QCheckBox* out2 = frame->led_blinkmuster_cbx_out[1];
  was = out2->isChecked();
  QTest::mouseClick(out2, Qt::LeftButton);
  EXPECT_EQ((Entry(3, 100) >> 5) & 1, was ? 0 : 1);

  // Apply writes the copied block into the image, entry 255 as it was.
  frame->applyPendingChanges();
  EXPECT_FALSE(frame->hasPendingChanges());
  for (int i = 0; i < 255; ++i) {
    if (i == 100 || i == 103) continue;
    ASSERT_EQ(ImageEntry(3, i), ImageEntry(1, i)) << i;
  }
  EXPECT_EQ(ImageEntry(3, 255), 0x5A);
  EXPECT_EQ(ctx->image.get_Hex_ROM(0xC00 + 2 * 255 + 1), "3F");
}

TEST_F(FrameBlinkmusterLedTest, CountRangeIsOneToHundred) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 1);
  Show(221);
  Type(frame->led_blinkmuster_edt_Anzahl, "150");
  EXPECT_EQ(Text(frame->led_blinkmuster_edt_Anzahl), "100");
  EXPECT_EQ(Entry(0, 101), 100);
  Type(frame->led_blinkmuster_edt_Anzahl, "q");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..100");
  EXPECT_EQ(Entry(0, 101), 100);
}

}  // namespace
