#include "editors/servo_curves.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "editors/servo_model.h"
#include "recording_dialogs.h"

namespace korrin {
namespace {

TEST(ServoCurves, LoadAndStoreUseTheLowBytesOfBothTables) {
  testing::RecordingDialogs dialogs;
  FirmwareImage image(&dialogs);
  image.ResetForNewFile();
  for (int i = 0; i < 256; ++i) {
    image.setRomValue(0xA00 + 2 * i, i);
    image.setRomValue(0xC00 + 2 * i, 255 - i);
    image.setRomValue(0xA01 + 2 * i, 0x12);  // high bytes must stay untouched
  }
  CurveTable t;
  LoadCurves(image, t);
  EXPECT_EQ(t.blocks[0][5], 5);
  EXPECT_EQ(t.blocks[1][0], 128);    // word 0x580
  EXPECT_EQ(t.blocks[2][101], 154);  // word 0x665: 255 - 101
  EXPECT_EQ(t.blocks[3][127], 0);    // word 0x6FF
  EXPECT_EQ(t.tableEntry(1, 200), 55);

  t.blocks[0][101] = 7;
  t.blocks[3][0] = 0xFE;
  StoreCurves(t, image);
  EXPECT_EQ(image.get_Hex_ROM(0xA00 + 2 * 101), "07");
  EXPECT_EQ(image.get_Hex_ROM(0xC00 + 2 * 128), "FE");
  EXPECT_EQ(image.get_Hex_ROM(0xA01), "12");
  EXPECT_EQ(image.get_Hex_ROM(0xC01), "3F");
  EXPECT_EQ(image.get_Hex_ROM(0xA00 + 2 * 256), "FF");  // word 0x600 belongs to table B
  EXPECT_EQ(image.get_Hex_ROM(0xC00), "FF");
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(ServoCurves, CopyTakesPointsCountAndStretchOnly) {
  CurveTable t;
  for (int j = 0; j < 128; ++j) {
    t.blocks[1][static_cast<size_t>(j)] = (j * 3) & 0xFF;
    t.blocks[0][static_cast<size_t>(j)] = 1;
  }
  CopyCurve(t, 1, 0);
  for (int j = 0; j < 100; ++j) EXPECT_EQ(t.blocks[0][static_cast<size_t>(j)], (j * 3) & 0xFF);
  EXPECT_EQ(t.blocks[0][100], 1);
  EXPECT_EQ(t.blocks[0][101], 303 & 0xFF);
  EXPECT_EQ(t.blocks[0][102], 306 & 0xFF);
  for (int j = 103; j < 128; ++j) EXPECT_EQ(t.blocks[0][static_cast<size_t>(j)], 1) << j;
}

TEST(ServoCurves, ButtonActionIndexAndValue) {
  EXPECT_EQ(ButtonActionIndex(0), 0);
  EXPECT_EQ(ButtonActionIndex(1), 1);
  EXPECT_EQ(ButtonActionIndex(0x80), 8);
  EXPECT_EQ(ButtonActionIndex(0x0C), 3);  // the lowest bit decides
  for (int n = 0; n <= 8; ++n) EXPECT_EQ(ButtonActionIndex(ButtonActionValue(n)), n);
  EXPECT_EQ(ButtonActionValue(4), 8);
}

TEST(ServoCurves, TimeTexts) {
  EXPECT_EQ(PointTimeText(10), "Zeit zwischen 2 Punkten = 200 ms");
  EXPECT_EQ(TotalTimeText(10, 10), "Gesamtzeit für diese Kurve = 1800 ms");
  EXPECT_EQ(TotalTimeText(1, 200), "Gesamtzeit für diese Kurve = 0 ms");
}

TEST(ServoCurves, PresentationByType) {
  auto tamb = CurvePresentationFor(FindDecoderType(211)->editor);
  EXPECT_TRUE(tamb.relayStripAndSw1);
  EXPECT_FALSE(tamb.x7Threshold);
  EXPECT_EQ(tamb.buttonLabels[3], "Taster 2 open");
  ASSERT_EQ(tamb.buttonChoices[0].size(), 9u);
  EXPECT_EQ(tamb.buttonChoices[0][0], "keine Aktion");
  EXPECT_EQ(tamb.buttonChoices[2][0], "Adr.-Lernen");
  EXPECT_EQ(tamb.buttonChoices[3][8], "wie Adr.8");
  for (int id : {210, 466, 32210, 16896}) {
    auto p = CurvePresentationFor(FindDecoderType(id)->editor);
    EXPECT_FALSE(p.relayStripAndSw1) << id;
    EXPECT_EQ(p.x7Threshold, id == 466 || id == 32210) << id;
    EXPECT_EQ(p.buttonLabels[0], "Taster 3 close") << id;
    ASSERT_EQ(p.buttonChoices[2].size(), 5u) << id;
    EXPECT_EQ(p.buttonChoices[2][0], "keine Aktion") << id;
    EXPECT_EQ(p.buttonChoices[2][4], "wie Adr.4") << id;
  }
}

TEST(ServoCurves, CurveLayout) {
  CurveBlock b{};
  // One point: at x = 0 with a marker of half-size 3.
  b[kEntryCount] = 1;
  b[0] = 0x80 | 64;
  auto one = LayoutCurve(b, 530, 201, 0, 0, std::nullopt);
  ASSERT_EQ(one.points.size(), 1u);
  EXPECT_EQ(one.points[0].x, 0);
  EXPECT_EQ(one.points[0].y, 100);  // trunc(201 - 64 * 201/128) = trunc(100.5), relay bit ignored
  EXPECT_EQ(one.markerHalfSize, 3);
  EXPECT_TRUE(one.gridX.empty());
  EXPECT_TRUE(one.gridY.empty());
  EXPECT_FALSE(one.thresholdY);

  // A count beyond 100 is drawn as 100 points with small markers.
  b[kEntryCount] = 200;
  auto full = LayoutCurve(b, 530, 201, 0, 0, 127);
  EXPECT_EQ(full.points.size(), 100u);
  EXPECT_EQ(full.markerHalfSize, 1);  // trunc(5.2 / 3)
  EXPECT_EQ(full.points[99].x, 514);  // trunc(99 * 5.2)
  EXPECT_EQ(*full.thresholdY, 1);     // trunc(201 - 127 * 1.5703125)

  // Raster X 1: two lines, the middle and the end of the curve; Raster Y 1: one line.
  b[kEntryCount] = 10;
  auto grid = LayoutCurve(b, 530, 201, 1, 1, std::nullopt);
  EXPECT_EQ(grid.gridX, (std::vector<int>{260, 520}));
  EXPECT_EQ(grid.gridY, (std::vector<int>{100}));
  auto dense = LayoutCurve(b, 530, 201, 3, 3, std::nullopt);
  EXPECT_EQ(dense.gridX, (std::vector<int>{130, 260, 390, 520}));
  EXPECT_EQ(dense.gridY, (std::vector<int>{150, 100, 50}));
}

// The markers of the points on the drawing's edges reach beyond it, by at most the room the
// drawing leaves around itself: over every count, at the lowest and the highest position, the
// markers together reach exactly kMaxMarkerHalfSize beyond its left and bottom edge and no
// further beyond any edge.
TEST(ServoCurves, MarkersReachIntoTheRoomAroundTheDrawing) {
  const int w = kCurveDrawingWidth, h = kCurveDrawingHeight;
  PixelRect reach{0, 0, w, h};
  for (int count = 1; count <= kMaxCurvePoints; ++count) {
    for (int position : {0, 127}) {
      CurveBlock b{};
      b[kEntryCount] = count;
      for (int q = 0; q < kMaxCurvePoints; ++q) b[static_cast<size_t>(q)] = position;
      const CurvePicture pic = LayoutCurve(b, w, h, 0, 0, std::nullopt);
      for (const PixelPoint& p : pic.points) {
        const PixelRect m = MarkerRect(p, pic.markerHalfSize);
        reach = {std::min(reach.left, m.left), std::min(reach.top, m.top), std::max(reach.right, m.right),
                 std::max(reach.bottom, m.bottom)};
      }
    }
  }
  EXPECT_EQ(reach.left, -kMaxMarkerHalfSize);      // point 0 on the left edge
  EXPECT_EQ(reach.bottom, h + kMaxMarkerHalfSize);  // position 0 on the bottom edge
  EXPECT_GE(reach.top, -kMaxMarkerHalfSize);
  EXPECT_LE(reach.right, w + kMaxMarkerHalfSize);
}

TEST(ServoCurves, RelayLayout) {
  CurveBlock b{};
  b[kEntryCount] = 4;
  b[1] = 0x80;
  auto pic = LayoutRelay(b, 530, 57, 0);
  ASSERT_EQ(pic.cells.size(), 4u);
  EXPECT_EQ(pic.cells[0].top, 57);  // off: no height
  EXPECT_EQ(pic.cells[1].left, 130);
  EXPECT_EQ(pic.cells[1].right, 260);
  EXPECT_EQ(pic.cells[1].top, 12);  // trunc(57 - 100 * 57/128)
  EXPECT_EQ(pic.cells[1].bottom, 57);
  EXPECT_TRUE(pic.gridX.empty());
}

TEST(ServoCurves, MouseMapping) {
  const float cw = CellWidth(530, 10);  // 52
  EXPECT_EQ(NearestCurvePoint(0, cw), 0);
  EXPECT_EQ(NearestCurvePoint(25, cw), 0);
  EXPECT_EQ(NearestCurvePoint(26, cw), 1);  // nearest point, not the cell
  EXPECT_EQ(NearestCurvePoint(-30, cw), 0);
  EXPECT_EQ(NearestCurvePoint(100000, cw), 99);
  EXPECT_EQ(RelayCellAt(51, cw), 0);
  EXPECT_EQ(RelayCellAt(52, cw), 1);
  EXPECT_EQ(RelayCellAt(100000, cw), 99);
  const float uh = 201.0f / 128.0f;
  EXPECT_EQ(CurvePositionAt(201, 201.0f, uh), 0);
  EXPECT_EQ(CurvePositionAt(0, 201.0f, uh), 127);  // 128 clamped
  EXPECT_EQ(CurvePositionAt(300, 201.0f, uh), 0);
  EXPECT_EQ(CurvePositionAt(101, 201.0f, uh), 63);
  const float ruh = 57.0f / 128.0f;
  EXPECT_TRUE(RelayOnAt(10, 57.0f, ruh));
  EXPECT_FALSE(RelayOnAt(35, 57.0f, ruh));  // level 49.4

  CurveBlock b{};
  b[3] = 0x80 | 5;
  SetPointPosition(b, 3, 100);
  EXPECT_EQ(b[3], 0x80 | 100);
  SetPointRelay(b, 3, false);
  EXPECT_EQ(b[3], 100);
  SetPointRelay(b, 3, true);
  EXPECT_EQ(b[3], 0x80 | 100);
}

TEST(ServoCurves, ReadingTypedNumbers) {
  EXPECT_EQ(ReadServoInteger("12"), 12);
  EXPECT_EQ(ReadServoInteger(" -3 "), -3);
  EXPECT_EQ(ReadServoInteger("+7"), 7);
  EXPECT_FALSE(ReadServoInteger(""));
  EXPECT_FALSE(ReadServoInteger("1a"));
  EXPECT_FALSE(ReadServoInteger("+-1"));
  EXPECT_FALSE(ReadServoInteger("99999999999"));
  EXPECT_EQ(ReadServoDecimal("0,5"), 0.5);
  EXPECT_EQ(ReadServoDecimal("0.5"), 0.5);
  EXPECT_EQ(ReadServoDecimal(",5"), 0.5);
  EXPECT_EQ(ReadServoDecimal("+2"), 2.0);
  EXPECT_EQ(ReadServoDecimal("1e1"), 10.0);
  EXPECT_FALSE(ReadServoDecimal("1e"));
  EXPECT_FALSE(ReadServoDecimal("."));
  EXPECT_FALSE(ReadServoDecimal("1.000,5"));
}

}  // namespace
}  // namespace korrin
