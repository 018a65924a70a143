#pragma once
// The blink pattern editor of the LED decoder: four patterns of up to 100 steps for ten
// outputs in the 256-entry blocks at program words 0x300..0x6FF. Identifier 477 keeps the
// stretch factor in 1..30000 (two entries, radix 255), 221 in 1..200 (one entry). The frame
// renders its LedBlinkPatternModel, which keeps the working copy, and forwards every event.
#include <QGroupBox>

#include "editors/gui/pattern_frame_base.h"

namespace korrin {

class LedBlinkPatternFrame : public PatternFrameBase {
  Q_OBJECT
 public:
  explicit LedBlinkPatternFrame(LedBlinkPatternModel& model, QWidget* parent = nullptr);

  // The frame's own controls; the shared ones are named in PatternFrameBase.
  QGroupBox* parameterGroup = nullptr;  // the address buttons
  QLabel* copyLabel = nullptr;          // "Kurve kopieren"

 protected:
  void layoutControls() override;
};

}  // namespace korrin
