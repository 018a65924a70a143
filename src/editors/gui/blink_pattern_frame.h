#pragma once
// The blink pattern editor of the four-output decoder: four patterns (one per address) of up
// to 50 steps in the 64-entry blocks at program words 0x300..0x3FF. The frame renders its
// BlinkPatternModel, which keeps the working copy, and forwards every event to it.
#include <QGroupBox>

#include "editors/gui/pattern_frame_base.h"

namespace korrin {

class BlinkPatternFrame : public PatternFrameBase {
  Q_OBJECT
 public:
  explicit BlinkPatternFrame(BlinkPatternModel& model, QWidget* parent = nullptr);

  // The frame's own controls; the shared ones are named in PatternFrameBase.
  QGroupBox* parameterGroup = nullptr;  // the address buttons
  QLabel* copyLabel = nullptr;          // "Kurve kopieren"
};

}  // namespace korrin
