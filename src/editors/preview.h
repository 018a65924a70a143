#pragma once
// The live preview of a blink pattern and of a servo curve: what the decoder does at a time t
// after the start, as pure functions of the editor's working copy. The window asks these on
// every frame of a running preview and only paints the answer.
//
// Timing follows the frames' time texts: a blink pattern step lasts 20·S ms ("Zeit-Raster")
// and the whole pattern N steps ("Gesamtzeit"); a servo curve reaches point q at q·20·S ms
// ("Zeit zwischen 2 Punkten") and ends at its last point after (N − 1)·20·S ms ("Gesamtzeit
// für diese Kurve").
#include <vector>

#include "editors/blink_patterns.h"
#include "editors/servo_curves.h"

namespace korrin {

struct PatternPreviewState {
  int point = 0;           // the step being shown, 0..N-1
  std::vector<bool> lit;   // per output: the firmware has the output switched on
  std::vector<bool> used;  // per output: the pattern drives it (others are left alone)
  bool ended = false;      // no loop and the last step is over; the last step stays shown
};

// Duration of one step, 20·S ms. A stretch below 1 (a damaged table) counts as 1, so that a
// preview never runs infinitely fast.
double PatternStepMs(int stretch);
// N·20·S ms for block `block` (the clamped count the strips show).
double PatternDurationMs(const PatternTable& table, int block);

// The state of block `block` at tMs (negative times count as 0). With loop set the pattern
// starts again after its last step, without loop it ends there and keeps the last step.
// An output lights when its used flag is set and its bit is set at the current step.
PatternPreviewState PatternPreviewAt(const PatternTable& table, int block, double tMs);

struct ServoPreviewState {
  double position = 0;  // 0..127 on the curve's scale (0 at the bottom), between two points
                        // interpolated linearly as the drawing joins them
  double progress = 0;  // point index as a fraction: 2.5 is half way from point 2 to point 3
  int point = 0;        // the last point reached, 0..N-1
  bool relay = false;   // the relay bit of that point's step
  bool ended = false;   // the last point is reached
};

// Time between two points, 20·S ms; a stretch below 1 counts as 1.
double CurvePointMs(const CurveBlock& block);
// (N − 1)·20·S ms with the clamped count; 0 for a single point.
double CurveDurationMs(const CurveBlock& block);

// Where the servo of the curve in `block` stands at tMs (negative times count as 0). The
// curve is played once: from its end on the servo stays at the last point.
ServoPreviewState ServoPreviewAt(const CurveBlock& block, double tMs);

}  // namespace korrin
