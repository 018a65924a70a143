#pragma once
// The geometry of the main window as numbers: where the 48 address rows, the button bar,
// the logo box and the editor frame go for a decoder type, and how large the window is.
// The window applies these rectangles to its widgets; the tests check them directly.
#include <array>
#include <functional>
#include <string>

#include "base/frame_kind.h"

namespace korrin {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

struct RowPlacement {
  Rect label, address, function, rg;  // inside rowsGroup
};

// Fixed sizes of controls that the layout arithmetic measures.
struct LayoutMetrics {
  static constexpr int kStatusBarHeight = 20;
  static constexpr int kButtonsBoxHeight = 80;
  static constexpr int kButtonHeight = 25;
  static constexpr int kArrowButtonWidth = 15;
  static constexpr int kGowebHeight = 25;
  static constexpr int kImageWidth = 200;
  static constexpr int kImageHeight = 32;
  static constexpr int kRowLabelWidth = 100;
  static constexpr int kRowLabelHeight = 20;
  static constexpr int kAddressWidth = 40;
  static constexpr int kFunctionWidth = 30;
  static constexpr int kEditHeight = 20;
  static constexpr int kRgWidth = 30;
  static constexpr int kRgHeight = 16;
};

// Width in pixels of a text as a label shows it.
using TextWidth = std::function<int(const std::string& text)>;
// A rough width for a text when no font is at hand (command line, tests): 6 pixels a character.
int EstimatedTextWidth(const std::string& text);

struct MainLayout {
  int windowLeft = 20, windowTop = 20;
  int windowWidth = 750, windowHeight = 630;
  int minWidth = 750, minHeight = 630;
  Rect groupBoxMain{5, 5, 400, 475};
  bool headerVisible = false;
  std::array<RowPlacement, 48> rows{};
  Rect buttonsGroup, previousButton, loadButton, nextButton, saveButton, infoButton, closeButton, progressBar;
  Rect logoGroup, logo, helpButton;
  FrameKind frameKind = FrameKind::None;  // the frame shown
  Rect frame;                             // the shown frame (for the servo kind: the curve editor)
  Rect servoAddressFrame;                 // the servo address frame over the rows (servo kind only)

  MainLayout();  // the rows as the window creates them: two columns of 16 and 32

  void SizeWindow(int imageLeft, int buttonsLeft, int height, int width);
  // Places rows 1..47 in one column (perColumn >= 48, under the header) or two.
  void PlaceRows(int perColumn, int gapRow, const std::array<std::string, 48>& captions, const TextWidth& width);
  // The layout without a decoder type (the captions must be emptied by the caller).
  void NeutralLayout(const std::array<std::string, 48>& captions, const TextWidth& width);
  // The placement of an editor frame and the window size around it; any other kind only
  // records that no frame is shown.
  void ShowEditorFrame(FrameKind kind, const FrameMetrics& metrics);
};

// The header's font size for a title: 15, or the first of 13, 11, 10, 9 at which the
// title is no wider than maxWidth (9 when none fits).
int HeaderFontSize(const std::string& title, int maxWidth, const std::function<int(const std::string&, int pointSize)>& widthAt);

}  // namespace korrin
