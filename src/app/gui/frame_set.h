#pragma once
// The six editor frames of the main window, created once at start-up, and what the window
// needs of each: its size-deciding controls and its preparation after being shown.
#include <functional>

#include "app/editor_models.h"
#include "app/layout.h"
#include "editors/editor_context.h"
#include "editors/gui/editor_frame.h"

namespace korrin {

struct FrameSet {
  EditorFrame* optionsFrame = nullptr;
  EditorFrame* cvTableFrame = nullptr;
  EditorFrame* blinkPatternFrame = nullptr;
  EditorFrame* ledBlinkPatternFrame = nullptr;
  EditorFrame* servoCurveFrame = nullptr;
  EditorFrame* servoAssignmentFrame = nullptr;

  // The measurements of kind's frame that decide its placement.
  std::function<FrameMetrics(FrameKind kind)> metrics;
  // Runs the frame's own preparation after it has been placed and shown (it reads the image).
  std::function<void(FrameKind kind)> prepare;

  std::vector<EditorFrame*> all() const {
    return {optionsFrame, cvTableFrame, blinkPatternFrame, ledBlinkPatternFrame, servoCurveFrame, servoAssignmentFrame};
  }
};

// Each frame renders its model of models and reaches the image through context.
FrameSet CreateFrames(EditorModels& models, EditorContext& context, QWidget* parent);

}  // namespace korrin
