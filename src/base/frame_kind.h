#pragma once
// The editor frame a decoder type shows beside its address rows. The numbers are the ones
// the decoder catalogue is written with.
#include <string>

namespace korrin {

enum class FrameKind {
  None = 0,
  Options = 1,   // TFrameZusatz
  Blink = 2,     // TFrameBlinkmuster
  LedBlink = 3,  // TFrameBlinkmuster_led
  Servo = 4,     // TFrameTamb with TFrameTambAdr
  Cv = 6,        // TFrameRegister
};

}  // namespace korrin
