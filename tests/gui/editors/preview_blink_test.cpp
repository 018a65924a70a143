// The "Vorschau" of the two blink pattern frames: starting and stopping, the lamps following
// the working copy while it plays, and what stops it. The arithmetic is tested in the core.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "editors/gui/blink_pattern_frame.h"
#include "editors/gui/led_blink_pattern_frame.h"
#include "editors/gui/preview_widgets.h"
#include "qt_app.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;

namespace {

// Lamps as a string: 'X' lit, '.' dark, '-' output not used.
std::string Lamps(const PreviewLampRow* row) {
  std::string out;
  for (const auto& l : row->lamps()) out += !l.used ? '-' : l.lit ? 'X' : '.';
  return out;
}

class PreviewBlinkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { korrin::testing::QtApp(); }

  void SetUp() override {
    ctx = std::make_unique<EditorContext>(dialogs, files);
    ctx->image.ResetForNewFile();
    ctx->SelectDecoderType(1);
    // Address 1: outputs 1..4 in turn, 4 steps of 500 ms, loop, all used. Address 2 the same
    // without loop.
    for (int k = 0; k < 2; ++k) {
      for (int q = 0; q < 4; ++q) SetEntry(64 * k + q, 1 << q);
      SetEntry(64 * k + 53, 4);
      SetEntry(64 * k + 54, 25);
      SetEntry(64 * k + 55, k == 0 ? 0xF1 : 0xF0);
    }
    model = std::make_unique<BlinkPatternModel>(*ctx);
    frame = std::make_unique<BlinkPatternFrame>(*model);
    button = frame->findChild<QPushButton*>(QStringLiteral("btn_vorschau"));
    lamps = frame->findChild<PreviewLampRow*>(QStringLiteral("preview_lamps"));
    player = frame->findChild<PreviewPlayer*>();
    ASSERT_TRUE(button && lamps && player);
    player->setClock([this] { return now; });
  }

  void SetEntry(int i, int v) { ctx->image.setRomValue(0x600 + 2 * i, v); }

  // The load and the main window's frame switch.
  void Show() {
    model->Load();
    QPushButton* apply = frame->applyButton;
    const int width = apply->x() + apply->width() + 15;
    frame->setGeometry(410, 5, width, apply->y() + apply->height() + 15);
    frame->show();
    frame->ShowEditor(width);
  }

  void At(double ms) {
    now = ms;
    player->tick();
  }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  std::unique_ptr<EditorContext> ctx;
  std::unique_ptr<BlinkPatternModel> model;
  std::unique_ptr<BlinkPatternFrame> frame;
  QPushButton* button = nullptr;
  PreviewLampRow* lamps = nullptr;
  PreviewPlayer* player = nullptr;
  double now = 0;
};

TEST_F(PreviewBlinkTest, StartsAndStopsWithTheButtonAndFollowsEdits) {
  Show();
  EXPECT_EQ(button->accessibleName(), "Vorschau");
  EXPECT_TRUE(button->isCheckable());
  EXPECT_FALSE(player->clockRunning());  // stopped: no timer
  EXPECT_EQ(Lamps(lamps), "....");

  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(player->playing());
  EXPECT_TRUE(player->clockRunning());
  EXPECT_EQ(Lamps(lamps), "X...");  // t = 0 at the start
  At(600);
  EXPECT_EQ(Lamps(lamps), ".X..");
  EXPECT_EQ(lamps->status(), "Punkt 2/4");
  // The step is marked on the four strips, on the cell the strips draw for point 2.
  auto* head = frame->findChild<StripPlayhead*>();
  ASSERT_TRUE(head);
  ASSERT_EQ(head->cells().size(), 4u);
  const PatternStripGeometry::Cell cell = frame->geometry().cell(1, true);
  EXPECT_EQ(head->cells()[2],
            QRect(frame->strips[2]->x() + cell.x0, frame->strips[2]->y(), cell.x1 - cell.x0, frame->strips[2]->height()));
  At(2000 * 3 + 1600);  // looping
  EXPECT_EQ(Lamps(lamps), "...X");

  // Edits take effect at once: a point painted, the stretch doubled, an output unused.
  model->Paint(0, 3, true);
  At(1600);
  EXPECT_EQ(Lamps(lamps), "X..X");
  frame->stretchEdit->setText(QStringLiteral("50"));  // 1 s a step
  At(1600);
  EXPECT_EQ(Lamps(lamps), ".X..");
  frame->outputBoxes[1]->click();
  At(1600);
  EXPECT_EQ(Lamps(lamps), ".-..");
  EXPECT_EQ(head->cells().size(), 3u);  // the hidden strip is not marked
  EXPECT_TRUE(player->playing());

  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_FALSE(player->playing());
  EXPECT_FALSE(player->clockRunning());
  EXPECT_FALSE(button->isChecked());
  EXPECT_EQ(Lamps(lamps), "....");
  EXPECT_TRUE(head->isHidden());
}

TEST_F(PreviewBlinkTest, WithoutLoopItEndsOnTheLastStep) {
  Show();
  frame->addressButtons[1]->click();
  QTest::mouseClick(button, Qt::LeftButton);
  At(1999);
  EXPECT_EQ(Lamps(lamps), "...X");
  At(2000);
  EXPECT_FALSE(player->playing());
  EXPECT_FALSE(player->clockRunning());
  EXPECT_FALSE(button->isChecked());
  EXPECT_EQ(Lamps(lamps), "...X");  // the last step stays shown
  // Started again it runs from the beginning.
  now = 0;
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(Lamps(lamps), "X...");
}

TEST_F(PreviewBlinkTest, AddressSwitchHideAndLoadStopIt) {
  Show();
  auto expectStoppedBy = [&](const char* what, const std::function<void()>& action) {
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(player->clockRunning()) << what;
    action();
    EXPECT_FALSE(player->playing()) << what;
    EXPECT_FALSE(player->clockRunning()) << what;
    EXPECT_FALSE(button->isChecked()) << what;
    EXPECT_EQ(Lamps(lamps), "....") << what;
  };
  expectStoppedBy("address", [&] { frame->addressButtons[2]->click(); });
  expectStoppedBy("hide", [&] {
    frame->hide();
    frame->show();
  });
  expectStoppedBy("load", [&] { Show(); });
}

TEST(PreviewLedBlink, TenLampsFromTheLedTable) {
  korrin::testing::QtApp();
  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  EditorContext ctx(dialogs, files);
  ctx.image.ResetForNewFile();
  ctx.SelectDecoderType(477);
  auto set = [&](int i, int v) { ctx.image.setRomValue(0x600 + 2 * i, v); };
  for (int i = 0; i < 256; ++i) set(i, 0);
  set(100, 0x30);  // outputs 1, 2 used, no loop
  set(101, 2);
  set(102, 10);  // S = 10: 200 ms a step
  set(104, 1);
  set(103, 0x3F);  // outputs 5..10 used
  set(0, 0x01);
  set(128 + 1, 0x20);  // output 10 at step 2
  LedBlinkPatternModel model(ctx);
  LedBlinkPatternFrame frame(model);
  model.Load();
  frame.show();
  frame.ShowEditor(frame.width());
  auto* button = frame.findChild<QPushButton*>(QStringLiteral("btn_vorschau"));
  auto* lamps = frame.findChild<PreviewLampRow*>(QStringLiteral("preview_lamps"));
  auto* player = frame.findChild<PreviewPlayer*>();
  ASSERT_TRUE(button && lamps && player);
  double now = 0;
  player->setClock([&] { return now; });
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(Lamps(lamps), "X.--......");
  now = 250;
  player->tick();
  EXPECT_EQ(Lamps(lamps), "..--.....X");
  frame.hide();
  EXPECT_FALSE(player->clockRunning());
}

}  // namespace
