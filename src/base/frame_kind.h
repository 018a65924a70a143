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

}  // namespace korrin
