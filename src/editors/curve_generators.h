#pragma once
// The eight one-click operations on one curve block: four generators that replace the
// positions by a computed shape and four transforms of the existing shape. All of them work
// on the points 0..N-1 (N = the count limited to 1..100), never change the count, and keep
// the relay bit (bit 7) of every time step. The arithmetic rounds to single precision at
// the same steps as the decoder's own tool, so the shapes match it bit for bit.
#include <string>

#include "editors/servo_curves.h"

namespace korrin {

enum class CurveShape { Lin, Log, QuarterSine, HalfSine };

// False (and nothing changed) when the shape needs two points and the count is 1: every
// shape divides by N - 1 or by log10 N, which is 0 then.
bool GenerateCurve(CurveBlock& block, CurveShape shape);

// The position p of every point becomes 127 - p.
void MirrorVertical(CurveBlock& block);
// Positions of points i and N-1-i are exchanged; each point keeps its own relay bit.
void MirrorHorizontal(CurveBlock& block);
// p becomes trunc(p * factor) limited to 0..127 (factor in single precision).
void ScaleCurve(CurveBlock& block, float factor);
// p becomes trunc(p + amount) limited to 0..127 (amount in single precision).
void ShiftCurve(CurveBlock& block, float amount);

// Reading the scale and shift edits: Empty (nothing happens), Invalid (no number or out of
// range: the caller shows the range message with one Cancel button) or Valid.
struct CurveOperand {
  enum Kind { Empty, Invalid, Valid } kind = Empty;
  float value = 0;
};
CurveOperand ReadScaleFactor(const std::string& text);
CurveOperand ReadShiftAmount(const std::string& text);
extern const char* const kScaleRangeMessage;  // "Ungültige Eingabe.\rZugelassen ... 0.1 .. 10"
extern const char* const kShiftRangeMessage;  // "Ungültige Eingabe.\rZugelassen ... -100 .. 100"
// Shown when a shape is generated for a curve of one point.
extern const char* const kShapeNeedsTwoPointsMessage;

}  // namespace korrin
