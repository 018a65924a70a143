#pragma once
// The six editor frames of the main window, created once at start-up, and which of them show
// each editor kind.
#include <map>
#include <vector>

#include "app/editor_models.h"
#include "editors/editor_context.h"
#include "editors/gui/editor_frame.h"

namespace korrin {

// Where the window places a frame: the editor area, or the area of the servo address
// assignment below it.
enum class FramePlace { Editor, ServoAddresses };

struct PlacedFrame {
  EditorFrame* frame = nullptr;
  FramePlace place = FramePlace::Editor;
};

struct FrameSet {
  EditorFrame* optionsFrame = nullptr;
  EditorFrame* cvTableFrame = nullptr;
  EditorFrame* blinkPatternFrame = nullptr;
  EditorFrame* ledBlinkPatternFrame = nullptr;
  EditorFrame* servoCurveFrame = nullptr;
  EditorFrame* servoAssignmentFrame = nullptr;

  // The frames that show each kind, the one whose controls decide the placement first (the
  // servo kind has two: the curves and the address assignment).
  std::map<FrameKind, std::vector<PlacedFrame>> byKind;

  // The frames of kind; none for a kind without an editor frame.
  const std::vector<PlacedFrame>& framesOf(FrameKind kind) const {
    static const std::vector<PlacedFrame> kNone;
    auto it = byKind.find(kind);
    return it == byKind.end() ? kNone : it->second;
  }
  // The measurements of kind's frame that decide its placement.
  FrameMetrics metrics(FrameKind kind) const {
    const auto& frames = framesOf(kind);
    return frames.empty() ? FrameMetrics{} : frames.front().frame->Metrics();
  }

  std::vector<EditorFrame*> all() const {
    return {optionsFrame, cvTableFrame, blinkPatternFrame, ledBlinkPatternFrame, servoCurveFrame, servoAssignmentFrame};
  }
};

// Each frame renders its model of models and reaches the image through context.
FrameSet CreateFrames(EditorModels& models, EditorContext& context, QWidget* parent);

}  // namespace korrin
