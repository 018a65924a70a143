// The "Vorschau" of the servo curve frame: starting and stopping, the arm, the relay lamp and
// the play heads following the selected curve, and what stops it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "editors/gui/preview_widgets.h"
#include "editors/gui/servo_curve_frame.h"
#include "qt_app.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;

namespace {

class PreviewServoTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { korrin::testing::QtApp(); }

  void SetUp() override {
    ctx.image.ResetForNewFile();
    // Curve 1: 0, 100 (relay), 100 (relay), 20, 127; 200 ms between points.
    const int points[] = {0, 100 | kRelayBit, 100 | kRelayBit, 20, 127};
    for (int q = 0; q < 5; ++q) SetEntry(q, points[q]);
    SetEntry(kEntryCount, 5);
    SetEntry(kEntryStretch, 10);
    window = std::make_unique<QWidget>();
    window->resize(1050, 800);
    tamb = new ServoCurveFrame(model, window.get());
    button = tamb->findChild<QPushButton*>(QStringLiteral("btn_vorschau"));
    arm = tamb->findChild<ServoArmView*>();
    relay = tamb->findChild<PreviewLampRow*>(QStringLiteral("preview_relais"));
    player = tamb->findChild<PreviewPlayer*>();
    ASSERT_TRUE(button && arm && relay && player);
    player->setClock([this] { return now; });
  }

  void SetEntry(int entry, int value) { ctx.image.setRomValue(0xA00 + 2 * entry, value); }

  void Show(int32_t id) {
    ctx.SelectDecoderType(id);
    const QRect b = tamb->applyButton->geometry();
    tamb->setGeometry(410, 5, b.right() + 1 + 15, b.bottom() + 1 + 15);
    tamb->show();
    window->show();
    model.Load();
    tamb->ShowEditor();
  }

  void At(double ms) {
    now = ms;
    player->tick();
  }

  std::vector<CurvePlayhead*> VisibleHeads() const {
    std::vector<CurvePlayhead*> out;
    for (auto* h : tamb->findChildren<CurvePlayhead*>())
      if (!h->isHidden()) out.push_back(h);
    return out;
  }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  EditorContext ctx{dialogs, files};
  ServoModel model{ctx};
  std::unique_ptr<QWidget> window;
  ServoCurveFrame* tamb = nullptr;
  QPushButton* button = nullptr;
  ServoArmView* arm = nullptr;
  PreviewLampRow* relay = nullptr;
  PreviewPlayer* player = nullptr;
  double now = 0;
};

TEST_F(PreviewServoTest, PlaysTheCurveOnceAndStopsWithTheButton) {
  Show(211);
  EXPECT_EQ(button->accessibleName(), "Vorschau");
  EXPECT_FALSE(player->clockRunning());
  EXPECT_TRUE(VisibleHeads().empty());

  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(player->clockRunning());
  At(100);
  EXPECT_DOUBLE_EQ(arm->position(), 50);
  EXPECT_TRUE(arm->active());
  EXPECT_EQ(VisibleHeads().size(), 2u);  // curve and relay strip
  ASSERT_FALSE(relay->isHidden());
  EXPECT_FALSE(relay->lamps().at(0).lit);
  At(450);
  EXPECT_DOUBLE_EQ(arm->position(), 80);
  EXPECT_TRUE(relay->lamps().at(0).lit);
  EXPECT_EQ(relay->status(), "EIN");

  // A point moved while it plays is followed at once.
  model.PaintPoint(3, 100);
  At(700);
  EXPECT_DOUBLE_EQ(arm->position(), 113.5);

  At(800);  // "Gesamtzeit für diese Kurve = 800 ms": the end
  EXPECT_DOUBLE_EQ(arm->position(), 127);
  EXPECT_FALSE(player->playing());
  EXPECT_FALSE(player->clockRunning());
  EXPECT_FALSE(button->isChecked());

  now = 0;
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(player->clockRunning());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_FALSE(player->clockRunning());
  EXPECT_FALSE(arm->active());
  EXPECT_TRUE(VisibleHeads().empty());
  EXPECT_TRUE(relay->isHidden());
}

TEST_F(PreviewServoTest, WithoutRelayStripOnlyTheCurveHead) {
  Show(210);
  QTest::mouseClick(button, Qt::LeftButton);
  At(300);
  EXPECT_EQ(VisibleHeads().size(), 1u);
  EXPECT_TRUE(relay->isHidden());
}

TEST_F(PreviewServoTest, CurveSwitchHideAndLoadStopIt) {
  Show(211);
  auto expectStoppedBy = [&](const char* what, const std::function<void()>& action) {
    now = 0;
    QTest::mouseClick(button, Qt::LeftButton);
    At(100);
    ASSERT_TRUE(player->clockRunning()) << what;
    action();
    EXPECT_FALSE(player->playing()) << what;
    EXPECT_FALSE(player->clockRunning()) << what;
    EXPECT_FALSE(button->isChecked()) << what;
    EXPECT_TRUE(VisibleHeads().empty()) << what;
  };
  expectStoppedBy("curve", [&] { tamb->curveRadios[1]->click(); });
  expectStoppedBy("curve chosen in the model", [&] {
    model.SelectCurve(2);
    At(120);
  });
  expectStoppedBy("hide", [&] {
    tamb->hide();
    tamb->show();
  });
  expectStoppedBy("load", [&] { Show(211); });
}

}  // namespace
