#include "app/gui/frame_set.h"

#include "editors/gui/blink_pattern_frame.h"
#include "editors/gui/cv_table_frame.h"
#include "editors/gui/led_blink_pattern_frame.h"
#include "editors/gui/options_frame.h"
#include "editors/gui/servo_assignment_frame.h"
#include "editors/gui/servo_curve_frame.h"

namespace korrin {

FrameSet CreateFrames(EditorModels& models, [[maybe_unused]] EditorContext& ctx, QWidget* parent) {
  FrameSet set;
  set.cvTableFrame = new CvTableFrame(models.cv, parent);
  set.optionsFrame = new OptionsFrame(models.options, parent);
  set.blinkPatternFrame = new BlinkPatternFrame(models.blink, parent);
  set.ledBlinkPatternFrame = new LedBlinkPatternFrame(models.ledBlink, parent);
  set.servoCurveFrame = new ServoCurveFrame(models.servo, parent);
  set.servoAssignmentFrame = new ServoAssignmentFrame(models.servo, parent);
  set.byKind = {
      {FrameKind::Options, {{set.optionsFrame}}},
      {FrameKind::Cv, {{set.cvTableFrame}}},
      {FrameKind::Blink, {{set.blinkPatternFrame}}},
      {FrameKind::LedBlink, {{set.ledBlinkPatternFrame}}},
      {FrameKind::Servo, {{set.servoCurveFrame}, {set.servoAssignmentFrame, FramePlace::ServoAddresses}}},
  };
  for (EditorFrame* f : set.all()) f->hide();
  return set;
}

}  // namespace korrin
