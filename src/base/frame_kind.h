#pragma once
// The editor frame a decoder type shows beside its address rows. The numbers are the ones
// the decoder catalogue is written with.
#include <string>

namespace korrin {

enum class FrameKind {
  None = 0,
  Options = 1,   // OptionsFrame
  Blink = 2,     // BlinkPatternFrame
  LedBlink = 3,  // LedBlinkPatternFrame
  Servo = 4,     // ServoCurveFrame with ServoAssignmentFrame
  Cv = 6,        // CvTableFrame
};

// What the shown editor frame reports of its own controls, which decide the frame's size.
struct FrameMetrics {
  int groupModeRight = 400;  // options frame: right edge of group_mode
  int applyRight = 500;      // blink/LED/servo frames: right edge of the apply button
  int applyBottom = 470;     // ... and its bottom edge
};

}  // namespace korrin
