// The LED frame renders its model and forwards its events; what the model does with them is
// tested on the model. These tests check the wiring of the ten strips and boxes, the
// spinners and the pixel geometry.
#include "editors/gui/led_blink_pattern_frame.h"

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

class FrameBlinkmusterLedTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { korrin::testing::QtApp(); }

  void SetUp() override {
    ctx = std::make_unique<EditorContext>(dialogs, files);
    ctx->image.ResetForNewFile();
    model = std::make_unique<LedBlinkPatternModel>(*ctx);
    frame = std::make_unique<LedBlinkPatternFrame>(*model);
  }
  void TearDown() override { frame.reset(); }

  // Entry i of block k in the image.
  void SetEntry(int k, int i, int v) { ctx->image.setRomValue(0x600 + 0x200 * k + 2 * i, v); }

  // Block k: N points, stretch low/high, all outputs used, no loop, all points off.
  void SetBlock(int k, int n, int low, int high) {
    for (int i = 0; i < 256; ++i) SetEntry(k, i, 0);
    SetEntry(k, 100, 0xF0);
    SetEntry(k, 101, n);
    SetEntry(k, 102, low);
    SetEntry(k, 103, 0x3F);
    SetEntry(k, 104, high);
  }

  // The load with identifier id, then the main window's frame switch.
  void Show(int32_t id) {
    ctx->SelectDecoderType(id);
    model->Load();
    QPushButton* apply = frame->applyButton;
    int width = apply->x() + apply->width() + 15;
    int height = apply->y() + apply->height() + 15;
    frame->setGeometry(410, 5, width, height);
    frame->show();
    frame->ShowEditor(width);
  }

  void Type(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }
  void Paint(int strip, QPoint from, QPoint to) {
    PatternStrip* s = frame->strips[static_cast<size_t>(strip)];
    QTest::mousePress(s, Qt::LeftButton, {}, from);
    QTest::mouseMove(s, to);
    QTest::mouseRelease(s, Qt::LeftButton, {}, to);
  }
  int Entry(int k, int i) const { return model->table().entry(256 * k + i); }
  std::string Text(QLineEdit* e) const { return e->text().toStdString(); }
  std::string Text(QLabel* l) const { return l->text().toStdString(); }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  std::unique_ptr<EditorContext> ctx;
  std::unique_ptr<LedBlinkPatternModel> model;
  std::unique_ptr<LedBlinkPatternFrame> frame;
};

TEST_F(FrameBlinkmusterLedTest, StretchTypedAndReshownThroughTheRadioButtons) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 1);
  Show(477);
  Type(frame->stretchEdit, "255");
  EXPECT_EQ(Entry(0, 102), 0);
  EXPECT_EQ(Entry(0, 104), 2);
  QTest::mouseClick(frame->addressButtons[1], Qt::LeftButton);
  EXPECT_EQ(model->selectedAddress(), 1);
  EXPECT_EQ(Text(frame->stretchEdit), "10");
  QTest::mouseClick(frame->addressButtons[0], Qt::LeftButton);
  EXPECT_EQ(Text(frame->stretchEdit), "255");
  EXPECT_EQ(Text(frame->pointTimeLabel), "Zeit-Raster = 5.1000 s");
  EXPECT_TRUE(dialogs.messages.empty());
  Type(frame->countEdit, "q");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..100");
  EXPECT_EQ(frame->focusWidget(), frame->countEdit);
}

TEST_F(FrameBlinkmusterLedTest, ErasedTableAndTheStretchSpinner) {
  Show(477);
  EXPECT_EQ(Text(frame->countEdit), "100");
  EXPECT_EQ(Text(frame->stretchEdit), "65025");
  EXPECT_TRUE(frame->applyButton->isEnabled());
  for (auto* s : frame->strips) {
    EXPECT_TRUE(s->isVisible());
    EXPECT_EQ(s->bars().size(), 100u);
  }
  // The spinner runs up to 30000 and its step reaches the model.
  QTest::mouseClick(frame->stretchSpinner->upButton(), Qt::LeftButton);
  EXPECT_EQ(Text(frame->stretchEdit), "30000");
  EXPECT_EQ(Entry(0, 102), 165);
  EXPECT_EQ(Entry(0, 104), 118);
  EXPECT_EQ(Text(frame->totalTimeLabel), "Gesamtzeit = 16.6667 h");
}

// The spinners step within what the model takes, which depends on the type: the stretch of
// type 221 is one byte (up to 200), that of type 477 goes up to 30000.
TEST_F(FrameBlinkmusterLedTest, SpinnerRangesFollowTheType) {
  const struct {
    int32_t id;
    int maxStretch;
  } cases[] = {{221, 200}, {477, 30000}, {221, 200}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    Show(c.id);
    EXPECT_EQ(frame->stretchSpinner->minimum(), 1);
    EXPECT_EQ(frame->stretchSpinner->maximum(), c.maxStretch);
    EXPECT_EQ(frame->countSpinner->minimum(), 1);
    EXPECT_EQ(frame->countSpinner->maximum(), model->maxCount());
  }
}

TEST_F(FrameBlinkmusterLedTest, EachStripPaintsItsOutputWithinThePoints) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 100, 10, 1);
  Show(477);
  const std::vector<int> before = model->table().entries();
  const int w = frame->stripWidth();
  Paint(0, QPoint(w - 20, 3), QPoint(w + 4000, 3));  // output 1, far right: point 99
  Paint(4, QPoint(w - 20, 3), QPoint(w + 4000, 3));  // output 5 lives at 128 + q
  Paint(9, QPoint(5, 3), QPoint(-50, 3));            // output 10, left of the strip: point 0
  for (int i = 0; i < 1024; ++i) {
    int expected = before[static_cast<size_t>(i)];
    if (i == 99) expected |= 0x01;
    if (i == 128 + 99) expected |= 0x01;
    if (i == 128) expected |= 0x20;
    ASSERT_EQ(model->table().entry(i), expected) << i;
  }
  EXPECT_EQ(frame->strips[9]->bars().size(), 1u);
}

TEST_F(FrameBlinkmusterLedTest, CopyButtonsAndOutputBoxesReachTheModel) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 1);
  SetEntry(1, 101, 20);
  SetEntry(3, 255, 0x5A);
  Show(221);
  QTest::mouseClick(frame->addressButtons[3], Qt::LeftButton);
  EXPECT_FALSE(frame->copyButtons[3]->isEnabled());
  QTest::mouseClick(frame->copyButtons[1], Qt::LeftButton);
  EXPECT_EQ(Entry(3, 101), 20);
  EXPECT_EQ(Entry(3, 255), 0x5A);
  EXPECT_EQ(Text(frame->countEdit), "20");

  // Output 7 is bit 2 of flags 2, output 2 bit 5 of flags 1; unchecking hides the strip.
  QTest::mouseClick(frame->outputBoxes[6], Qt::LeftButton);
  EXPECT_EQ(Entry(3, 103), 0x3B);
  EXPECT_FALSE(frame->strips[6]->isVisible());
  QTest::mouseClick(frame->outputBoxes[1], Qt::LeftButton);
  EXPECT_EQ(Entry(3, 100), 0xD0);
  QTest::mouseClick(frame->loopBox, Qt::LeftButton);
  EXPECT_EQ(Entry(3, 100), 0xD1);
  EXPECT_TRUE(frame->hasPendingChanges());
  QTest::mouseClick(frame->applyButton, Qt::LeftButton);
  EXPECT_FALSE(frame->hasPendingChanges());
  EXPECT_EQ(ctx->image.romValue(0xC00 + 2 * 100), 0xD1);
}

TEST_F(FrameBlinkmusterLedTest, ControlsAreNamedAndLabelled) {
  EXPECT_EQ(frame->outputBoxes[9]->accessibleName(), "Ausgang 10");
  EXPECT_EQ(frame->outputLabels[9]->buddy(), frame->outputBoxes[9]);
  EXPECT_EQ(frame->countLabel->buddy(), frame->countEdit);
  EXPECT_EQ(frame->stretchLabel->buddy(), frame->stretchEdit);
  for (auto* w : frame->findChildren<QWidget*>()) {
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w)) {
      EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
    }
  }
}

}  // namespace
