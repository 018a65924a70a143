#include "editors/preview.h"

#include <algorithm>
#include <cmath>

namespace korrin {

double PatternStepMs(int stretch) { return 20.0 * std::max(stretch, 1); }

double PatternDurationMs(const PatternTable& table, int block) {
  return PatternStepMs(table.stretch(block)) * table.drawCount(block);
}

PatternPreviewState PatternPreviewAt(const PatternTable& table, int block, double tMs) {
  PatternPreviewState state;
  const int n = table.drawCount(block);
  const double step = PatternStepMs(table.stretch(block));
  const double t = std::isfinite(tMs) ? std::max(tMs, 0.0) : 0.0;
  const double steps = std::floor(t / step);  // whole steps elapsed, may be huge
  if (steps < n) {
    state.point = static_cast<int>(steps);
  } else if (table.loop(block)) {
    state.point = static_cast<int>(std::fmod(steps, static_cast<double>(n)));
  } else {
    state.point = n - 1;
    state.ended = true;
  }
  const int outputs = table.outputCount();
  state.lit.assign(static_cast<size_t>(outputs), false);
  state.used.assign(static_cast<size_t>(outputs), false);
  for (int j = 0; j < outputs; ++j) {
    const bool used = table.outputUsed(block, j);
    state.used[static_cast<size_t>(j)] = used;
    state.lit[static_cast<size_t>(j)] = used && table.pointOn(block, state.point, j);
  }
  return state;
}

double CurvePointMs(const CurveBlock& block) { return 20.0 * std::max(block[kEntryStretch], 1); }

double CurveDurationMs(const CurveBlock& block) { return CurvePointMs(block) * (ClampedCount(block) - 1); }

ServoPreviewState ServoPreviewAt(const CurveBlock& block, double tMs) {
  ServoPreviewState state;
  const int n = ClampedCount(block);
  const double step = CurvePointMs(block);
  const double t = std::isfinite(tMs) ? std::max(tMs, 0.0) : 0.0;
  auto position = [&](int q) { return static_cast<double>(block[static_cast<size_t>(q)] & kPositionMask); };
  const double progress = t / step;
  if (progress >= n - 1) {
    state.point = n - 1;
    state.progress = n - 1;
    state.position = position(n - 1);
    state.ended = true;
  } else {
    state.point = static_cast<int>(progress);
    state.progress = progress;
    const double f = progress - state.point;
    state.position = position(state.point) + (position(state.point + 1) - position(state.point)) * f;
  }
  state.relay = (block[static_cast<size_t>(state.point)] & kRelayBit) != 0;
  return state;
}

}  // namespace korrin
