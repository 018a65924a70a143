#pragma once
// The eight one-click operations on one curve block: four generators that replace the
// positions by a computed shape and four transforms of the existing shape. All of them work
// on the points 0..N-1 (N = the count limited to 1..100), never change the count, and keep
// the relay bit (bit 7) of every time step. The generators round to single precision at the
// same steps as the decoder's own tool, so the shapes match it bit for bit; scale and shift
// use the number exactly as typed, so 10 x 0,7 gives 7 for every such factor.
#include <optional>
#include <string>

#include "editors/exact_decimal.h"
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
// p becomes trunc(p * factor), the exact product truncated toward zero, limited to 0..127.
void ScaleCurve(CurveBlock& block, const ExactDecimal& factor);
// p becomes trunc(p + amount), exactly, limited to 0..127.
void ShiftCurve(CurveBlock& block, const ExactDecimal& amount);

// Reading the scale and shift edits (',' and '.' alike): the factor 0.1 .. 10 and the amount
// -100 .. 100, both limits included. Nothing for any other text, an empty one included: the
// caller shows the range message with one Cancel button and changes nothing.
std::optional<ExactDecimal> ReadScaleFactor(const std::string& text);
std::optional<ExactDecimal> ReadShiftAmount(const std::string& text);
extern const char* const kScaleRangeMessage;  // "Ungültige Eingabe.\rZugelassen ... 0.1 .. 10"
extern const char* const kShiftRangeMessage;  // "Ungültige Eingabe.\rZugelassen ... -100 .. 100"
// Shown when a shape is generated for a curve of one point.
extern const char* const kShapeNeedsTwoPointsMessage;

}  // namespace korrin
