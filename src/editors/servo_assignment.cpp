#include "editors/servo_assignment.h"

#include <algorithm>
#include <cstdio>

#include "image/format.h"

namespace korrin {

int LowestBitIndex(int value) {
  value &= 0xFF;
  if (value == 0) return 0;
  int i = 0;
  while ((value & 1) == 0) {
    value >>= 1;
    ++i;
  }
  return i;
}

AddressRowPlace AddressRowSlot(int row) {
  if (row <= 4) return {row - 1, kEntryAddrServo, kEntryAddrCurve};
  return {row - 5, kEntryAddr2Servo, kEntryAddr2Curve};
}

int ServoIndex(int servoAction) { return LowestBitIndex(servoAction & 0x0F); }
// Bits 4..6 moved to 1..3, so "Start" (none set) is 0 and bit 7 is left out.
int ActionIndex(int servoAction) { return LowestBitIndex((servoAction & 0x70) >> 3); }
int CurveIndex(int curveRelay) { return LowestBitIndex((curveRelay & 0xF0) >> 4); }
int RelayIndex(int curveRelay) { return LowestBitIndex(curveRelay & 0x0F); }

int WithServo(int servoAction, int index) { return (servoAction & 0xF0) | ((1 << index) & 0x0F); }
int WithAction(int servoAction, int index) {
  static const int kAction[4] = {0x00, 0x10, 0x20, 0x40};
  return (servoAction & 0x0F) | kAction[std::clamp(index, 0, 3)];
}
int WithCurve(int curveRelay, int index) { return (curveRelay & 0x0F) | ((0x10 << index) & 0xF0); }
int WithRelay(int curveRelay, int index) { return (curveRelay & 0xF0) | ((1 << index) & 0x0F); }

bool ServoFlag(const CurveTable& table, int servo, int bit) {
  return (table.blocks[static_cast<size_t>(servo)][kEntryServoFlags] >> bit) & 1;
}

void SetServoFlags(CurveTable& table, int bit, const std::array<bool, kServos>& checked) {
  for (size_t s = 0; s < kServos; ++s) {
    int& flags = table.blocks[s][kEntryServoFlags];
    flags = checked[s] ? (flags | (1 << bit)) : (flags & ~(1 << bit) & 0xFF);
  }
}

int PulseRange(int factor) {
  if (factor <= 127) return factor * 127 / 128;
  return -((255 - factor) * 127 / 128);
}

PulseTimes PulseTimesFor(int offset, int factor) {
  const float unit = 0.008f;
  return {static_cast<float>(offset) * unit, static_cast<float>(offset + 127 + PulseRange(factor)) * unit};
}

std::string FormatPulseTime(float milliseconds, char decimalSeparator) {
  std::string text = Format("%.3f", static_cast<double>(milliseconds));
  // printf follows LC_NUMERIC, which a Qt application takes from the environment: whatever
  // separator it wrote becomes the wanted one.
  for (auto& c : text)
    if (c == '.' || c == ',') c = decimalSeparator;
  return text;
}

int StepPulseOffset(int offset, int step) { return std::clamp(offset + step, 50, 255); }

int StepPulseFactor(int factor, int step) {
  const int c = factor + step;
  if (c > 253) return c - 253;
  if (c < 1) return c + 253;
  if (c > 127 && factor <= 127) return 127;
  if (c < 128 && factor >= 128) return 128;
  return c;
}

std::optional<int> ExactHexByte(const std::string& cell) {
  const auto& texts = HexByteText();
  for (size_t v = 0; v < texts.size(); ++v)
    if (texts[v] == cell) return static_cast<int>(v);
  return std::nullopt;
}

AssignmentPresentation AssignmentPresentationFor(ServoAddresses addresses) {
  AssignmentPresentation p;
  for (int r = 0; r < kAddressRows; ++r) p.captions[static_cast<size_t>(r)] = Format("Adresse %02i", r + 1);
  for (int r = 4; r < kAddressRows; ++r) p.captions[static_cast<size_t>(r)] += ":";
  if (addresses == ServoAddresses::Tamb4) {
    p.servoGroups = 4;
    p.rows = 8;
    p.servoAndRelayLists = true;
  } else if (addresses == ServoAddresses::TambelFunction) {
    p.captions[0] = "Adresse 01 ein";
    p.captions[1] = "Adresse 01 aus";
    p.captions[2] = "Adresse 02 ein";
    p.captions[3] = "Adresse 02 aus";
  }
  return p;
}

}  // namespace korrin
