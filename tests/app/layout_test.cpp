#include "app/layout.h"

#include <gtest/gtest.h>

using namespace korrin;

namespace {
std::array<std::string, 48> NoCaptions() { return {}; }
}  // namespace

TEST(Layout, NeutralLayoutTwoColumns) {
  MainLayout l;
  l.NeutralLayout(NoCaptions(), EstimatedTextWidth);
  EXPECT_FALSE(l.headerVisible);
  EXPECT_EQ(l.windowWidth, 410 + 300 + 10);
  EXPECT_EQ(l.windowHeight, 500 + LayoutMetrics::kStatusBarHeight + LayoutMetrics::kButtonsBoxHeight + 50);
  EXPECT_EQ(l.minWidth, l.windowWidth);
  EXPECT_EQ(l.groupBoxMain.height, 505);
  // rows 1..15 in the first column, 16..47 in the second from the top
  EXPECT_EQ(l.rows[1].label, (Rect{5, 19, 98, 20}));
  EXPECT_EQ(l.rows[15].address, (Rect{105, 15 + 14 * 25, 40, 20}));
  EXPECT_EQ(l.rows[16].address, (Rect{305, 15, 40, 20}));
  EXPECT_EQ(l.rows[17].function, (Rect{355, 40, 30, 20}));
  EXPECT_EQ(l.rows[17].rg, (Rect{355, 42, 30, 16}));
  // The button bar fills exactly the 300 pixels beside the logo box.
  EXPECT_EQ(l.buttonsGroup.left, 410);
  EXPECT_EQ(l.buttonsGroup.width, 300);
  EXPECT_EQ(l.loadButton.width, 89);
  EXPECT_EQ(l.infoButton.width, 52);
  EXPECT_EQ(l.closeButton.left, l.infoButton.left);
  EXPECT_EQ(l.progressBar.width, 2 * 89 + 10);
  EXPECT_EQ(l.logoGroup, (Rect{5, 515, 400, 50}));
  EXPECT_EQ(l.logo, (Rect{100, 9, 200, 32}));
  EXPECT_EQ(l.helpButton, (Rect{5, 569, 400, 25}));
}

TEST(Layout, OneColumnWithGapAndHeader) {
  MainLayout l;
  std::array<std::string, 48> captions{};
  for (int r = 1; r <= 9; ++r) captions[static_cast<size_t>(r)] = r == 9 ? "All" : "Ausgang / Out 1";
  l.PlaceRows(99, 8, captions, EstimatedTextWidth);
  EXPECT_TRUE(l.headerVisible);
  const int w = EstimatedTextWidth("Ausgang / Out 1");
  EXPECT_EQ(l.rows[1].label.top, 64);
  EXPECT_EQ(l.rows[1].address.left, w + 15);
  EXPECT_EQ(l.rows[1].rg.left, w + 15 + 40 + 10);
  EXPECT_EQ(l.rows[8].address.top, 60 + 7 * 25);
  EXPECT_EQ(l.rows[9].address.top, 60 + 8 * 25 + 10);  // 10 pixels of gap after row 8
}

TEST(Layout, TwoColumnsBreakOnce) {
  MainLayout l;
  l.PlaceRows(7, 0, NoCaptions(), EstimatedTextWidth);
  EXPECT_EQ(l.rows[7].address.left, 105);
  EXPECT_EQ(l.rows[8].address, (Rect{305, 15, 40, 20}));
  EXPECT_EQ(l.rows[47].address.left, 305);
  EXPECT_EQ(l.rows[47].address.top, 15 + 39 * 25);
}

TEST(Layout, EditorFramePlacements) {
  FrameMetrics m;
  m.groupModeRight = 380;
  m.applyRight = 600;
  m.applyBottom = 450;
  struct Case {
    FrameKind kind;
    Rect frame;
    int windowWidth;
  } cases[] = {
      {FrameKind::Options, {410, 10, 390, 485}, 410 + 390 + 10},  {FrameKind::Blink, {410, 10, 615, 465}, 410 + 615 + 10},
      {FrameKind::LedBlink, {410, 10, 615, 465}, 410 + 615 + 10}, {FrameKind::Servo, {410, 10, 615, 465}, 650 + 375 + 10},
      {FrameKind::Cv, {5, 8, 940, 555}, 410 + 535 + 10},
  };
  for (const auto& c : cases) {
    MainLayout l;
    l.ShowEditorFrame(c.kind, m);
    EXPECT_EQ(l.frameKind, c.kind);
    EXPECT_EQ(l.frame, c.frame) << static_cast<int>(c.kind);
    EXPECT_EQ(l.windowWidth, c.windowWidth) << static_cast<int>(c.kind);
  }
  MainLayout servo;
  servo.ShowEditorFrame(FrameKind::Servo, m);
  EXPECT_EQ(servo.servoAddressFrame, (Rect{6, 120, 398, 530}));
  EXPECT_EQ(servo.logoGroup.left, 410);
  EXPECT_EQ(servo.buttonsGroup.left, 650);

  MainLayout none;
  none.ShowEditorFrame(static_cast<FrameKind>(5), m);
  EXPECT_EQ(none.frameKind, FrameKind::None);
  EXPECT_EQ(none.windowWidth, 750);  // kind 5 only hides
}

TEST(Layout, HeaderFontSteps) {
  auto widthAt = [](const std::string& t, int size) { return static_cast<int>(t.size()) * size; };
  EXPECT_EQ(HeaderFontSize("abc", 400, widthAt), 15);
  EXPECT_EQ(HeaderFontSize(std::string(30, 'x'), 400, widthAt), 13);  // 450 > 400, 390 fits
  EXPECT_EQ(HeaderFontSize(std::string(40, 'x'), 400, widthAt), 10);
  EXPECT_EQ(HeaderFontSize(std::string(100, 'x'), 400, widthAt), 9);
}
