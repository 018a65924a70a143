#include "app/layout.h"

#include <algorithm>

namespace korrin {

namespace {
using M = LayoutMetrics;

int Utf8Length(const std::string& s) {
  int n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

void PlaceRowAt(RowPlacement& row, int x, int y) {
  row.label = {x, y + 4, M::kRowLabelWidth, M::kRowLabelHeight};
  row.address = {x + 100, y, M::kAddressWidth, M::kEditHeight};
  row.function = {x + 150, y, M::kFunctionWidth, M::kEditHeight};
  row.rg = {x + 150, y + 2, M::kRgWidth, M::kRgHeight};
}
}  // namespace

int EstimatedTextWidth(const std::string& text) { return 6 * Utf8Length(text); }

MainLayout::MainLayout() {
  int x = 5, y = 5;
  for (int r = 0; r < 48; ++r) {
    y += 25;
    PlaceRowAt(rows[static_cast<size_t>(r)], x, y);
    if (r == 15) {
      x += 200;
      y = 5;
    }
  }
}

void MainLayout::SizeWindow(int imageLeft, int buttonsLeft, int height, int width) {
  groupBoxMain.height = height + 5;
  windowWidth = buttonsLeft + width + 10;
  windowHeight = height + M::kStatusBarHeight + M::kButtonsBoxHeight + 50;
  minWidth = windowWidth;
  minHeight = windowHeight;

  const int wide = ((width - 40) * 4) / 10 - 15;
  const int narrow = (2 * width - 80) / 10;
  const int top = 15;
  previousButton = {10, top, M::kArrowButtonWidth, M::kButtonHeight};
  loadButton = {previousButton.right(), top, wide, M::kButtonHeight};
  nextButton = {loadButton.right(), top, M::kArrowButtonWidth, M::kButtonHeight};
  saveButton = {nextButton.right() + 10, top, wide, M::kButtonHeight};
  infoButton = {saveButton.right() + 10, top, narrow, M::kButtonHeight};
  closeButton = {infoButton.left, top + M::kButtonHeight + 5, narrow, M::kButtonHeight};
  progressBar = {loadButton.left, top + M::kButtonHeight + 10, 2 * wide + 10, 16};
  buttonsGroup = {buttonsLeft, height + 15, infoButton.right() + 10, M::kButtonsBoxHeight};

  logoGroup = {imageLeft, height + 15, buttonsLeft - imageLeft - 5, buttonsGroup.height - M::kGowebHeight - 5};
  logo = {(logoGroup.width - M::kImageWidth) / 2, (logoGroup.height - M::kImageHeight) / 2, M::kImageWidth, M::kImageHeight};
  helpButton = {logoGroup.left, logoGroup.bottom() + 4, logoGroup.width, M::kGowebHeight};
}

void MainLayout::PlaceRows(int perColumn, int gapRow, const std::array<std::string, 48>& captions, const TextWidth& width) {
  if (perColumn >= 48) {
    headerVisible = true;
    int w = 0;
    for (int r = 1; r < 48; ++r) w = std::max(w, width(captions[static_cast<size_t>(r)]));
    int y = 60;
    for (int r = 1; r < 48; ++r) {
      auto& row = rows[static_cast<size_t>(r)];
      row.label = {5, y + 4, std::max(w, 1), M::kRowLabelHeight};
      row.address = {w + 15, y, M::kAddressWidth, M::kEditHeight};
      row.function = {row.address.right() + 10, y, M::kFunctionWidth, M::kEditHeight};
      row.rg = {row.address.right() + 10, y + 2, M::kRgWidth, M::kRgHeight};
      y += 25;
      if (r == gapRow) y += 10;
    }
    return;
  }
  headerVisible = false;
  int x = 5, y = 15;
  bool broken = false;
  for (int r = 1; r < 48; ++r) {
    auto& row = rows[static_cast<size_t>(r)];
    PlaceRowAt(row, x, y);
    row.label.width = M::kRowLabelWidth - 2;
    if (r == perColumn && !broken) {
      broken = true;
      x += 200;
      y = 15;
    } else {
      y += 25;
      if (r == gapRow) y += 10;
    }
  }
}

void MainLayout::NeutralLayout(const std::array<std::string, 48>& captions, const TextWidth& width) {
  SizeWindow(5, 410, 500, 300);
  PlaceRows(15, 0, captions, width);
}

void MainLayout::ShowEditorFrame(FrameKind kind, const FrameMetrics& m) {
  const int top = groupBoxMain.top;
  servoAddressFrame = {};
  switch (kind) {
    case FrameKind::Options:
      frame = {410, top + 5, m.groupModeRight + 10, 485};
      SizeWindow(5, 410, 485, frame.width);
      break;
    case FrameKind::Blink:
    case FrameKind::LedBlink:
      frame = {410, top + 5, m.applyRight + 15, m.applyBottom + 15};
      SizeWindow(5, 410, frame.height, frame.width);
      break;
    case FrameKind::Servo:
      frame = {410, top + 5, m.applyRight + 15, m.applyBottom + 15};
      servoAddressFrame = {groupBoxMain.left + 1, 120, groupBoxMain.width - 2, 530};
      SizeWindow(410, 650, frame.height, m.applyRight - 225);
      break;
    case FrameKind::Cv:
      SizeWindow(5, 410, 555, 535);
      frame = {5, top + 3, 940, 555};
      break;
    default:
      frameKind = FrameKind::None;
      frame = {};
      return;
  }
  frameKind = kind;
}

int HeaderFontSize(const std::string& title, int maxWidth, const std::function<int(const std::string&, int)>& widthAt) {
  int size = 15;
  for (int next : {13, 11, 10, 9}) {
    if (widthAt(title, size) > maxWidth) size = next;
  }
  return size;
}

}  // namespace korrin
