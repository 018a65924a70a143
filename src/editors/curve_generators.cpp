#include "editors/curve_generators.h"

#include <algorithm>
#include <cmath>

namespace korrin {

const char* const kScaleRangeMessage = "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 0.1 .. 10";
const char* const kShiftRangeMessage = "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich -100 .. 100";
const char* const kShapeNeedsTwoPointsMessage =
    "Diese Kurvenform braucht mindestens 2 Punkte.\rBitte zuerst die Anzahl Punkte erhöhen.";

namespace {

// 3*pi/2 as the original tool has it: 0x4012D97B7414A4D2, just below 4.712385.
constexpr double kPhase = 4.712384999999999;

float Single(double x) { return static_cast<float>(x); }

void SetPosition(CurveBlock& block, int i, int p) {
  SetPointPosition(block, i, std::clamp(p, 0, 127));
}

int Position(const CurveBlock& block, int i) { return block[static_cast<size_t>(i)] & kPositionMask; }

}  // namespace

bool GenerateCurve(CurveBlock& block, CurveShape shape) {
  const int n = ClampedCount(block);
  if (n < 2) return false;
  switch (shape) {
    case CurveShape::Lin: {
      const float step = Single(127.0 / (n - 1));
      for (int i = 0; i < n; ++i) SetPosition(block, i, static_cast<int>(Single(i * static_cast<double>(step))));
      break;
    }
    case CurveShape::Log: {
      const float scale = Single(127.0 / std::log10(static_cast<double>(n)));
      for (int i = 0; i < n; ++i) {
        const float l = Single(std::log10(static_cast<double>(i + 1)));
        SetPosition(block, i, static_cast<int>(Single(static_cast<double>(l) * static_cast<double>(scale))));
      }
      break;
    }
    case CurveShape::QuarterSine:
    case CurveShape::HalfSine: {
      const double span = shape == CurveShape::QuarterSine ? 3.14159 : 6.28318;
      const float step = Single(span / (n - 1));
      for (int i = 0; i < n; ++i) {
        const float s = Single(std::sin(i * static_cast<double>(step) + kPhase));
        SetPosition(block, i, static_cast<int>(Single(63.0 * static_cast<double>(s) + 63.0)));
      }
      break;
    }
  }
  return true;
}

void MirrorVertical(CurveBlock& block) {
  const int n = ClampedCount(block);
  for (int i = 0; i < n; ++i) SetPosition(block, i, 127 - Position(block, i));
}

void MirrorHorizontal(CurveBlock& block) {
  const int n = ClampedCount(block);
  for (int i = 0; i < n / 2; ++i) {
    const int j = n - 1 - i;
    const int pi = Position(block, i);
    SetPosition(block, i, Position(block, j));
    SetPosition(block, j, pi);
  }
}

// The positions are whole numbers and the operand is the decimal as typed, so the result is
// exact before it is truncated: 10 x 0,7 is 7, where a binary 0,7 (a little below) gives 6.
void ScaleCurve(CurveBlock& block, const ExactDecimal& factor) {
  const int n = ClampedCount(block);
  for (int i = 0; i < n; ++i)
    SetPosition(block, i, static_cast<int>(std::clamp<int64_t>(TruncatedProduct(Position(block, i), factor), 0, 127)));
}

void ShiftCurve(CurveBlock& block, const ExactDecimal& amount) {
  const int n = ClampedCount(block);
  for (int i = 0; i < n; ++i)
    SetPosition(block, i, static_cast<int>(std::clamp<int64_t>(TruncatedSum(Position(block, i), amount), 0, 127)));
}

namespace {

std::optional<ExactDecimal> ReadWithin(const std::string& text, const ExactDecimal& low, const ExactDecimal& high) {
  auto v = ReadExactDecimal(text);
  if (!v || CompareDecimals(*v, low) < 0 || CompareDecimals(*v, high) > 0) return std::nullopt;
  return v;
}

}  // namespace

std::optional<ExactDecimal> ReadScaleFactor(const std::string& text) {
  return ReadWithin(text, ExactDecimal{false, "1", -1}, DecimalOf(10));
}

std::optional<ExactDecimal> ReadShiftAmount(const std::string& text) {
  return ReadWithin(text, DecimalOf(-100), DecimalOf(100));
}

}  // namespace korrin
