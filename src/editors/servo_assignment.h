#pragma once
// The servo address assignment: which address moves which servo along which curve and
// switches which relay, the behaviour flags of each servo, and the pulse-time window.
// Rows and flags live in the curve blocks of the working copy; the pulse times in EEPROM
// bytes 0x60..0x67.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "editors/servo_curves.h"

namespace korrin {

constexpr int kAddressRows = 8;
constexpr int kServos = 4;
constexpr int kPulseEepromCell = 0x60;  // offset of servo s at 0x60 + 2*(s-1), range at 0x61 + 2*(s-1)

// Index of the lowest set bit (bit 0 -> 0 .. bit 7 -> 7); an empty field gives 0.
int LowestBitIndex(int value);

// Where address row r (1..8) keeps its two bytes.
struct AddressRowPlace {
  int block;        // curve block
  int servoEntry;   // servo and action
  int curveEntry;   // curve and relay
};
AddressRowPlace AddressRowSlot(int row);

// The list indices shown for the two bytes of a row.
// Servo: lowest set bit of bits 0..3. A byte without a servo bit (0 among them) shows
// "Servo 1", the firmware's first servo; the byte itself stays as it is until a choice.
int ServoIndex(int servoAction);
// Action: 0 "Start" (no action bit), 1 "Start Loop" (bit 4), 2 "Abbruch" (bit 5),
// 3 "Beenden" (bit 6). Bit 7 is no action of the firmware and counts as none.
int ActionIndex(int servoAction);
int CurveIndex(int curveRelay);  // bit 4 -> 0 "Kurve 1" .. bit 7 -> 3 "Kurve 4"
int RelayIndex(int curveRelay);  // bit 0 -> 0 "Relais 1" .. bit 3 -> 3 "Relais 4"

// The bytes after a choice in one list (index 0..3); the other half of the byte stays.
int WithServo(int servoAction, int index);
int WithAction(int servoAction, int index);
int WithCurve(int curveRelay, int index);
int WithRelay(int curveRelay, int index);

// The curve list (and on the four-servo decoder the relay list) is shown only for "Start"
// and "Start Loop".
inline bool CurveListVisible(int actionIndex) { return actionIndex < 2; }

// Bits of the servo flags (block entry 100); the other bits are never touched.
constexpr int kFlagVoltageOff = 1;     // "Spannung aus"
constexpr int kFlagPulsesOff = 2;      // "Impulse aus"
constexpr int kFlagNoInterrupt = 6;    // "keine Unterbrechung"
constexpr int kFlagNoRepeat = 7;       // "keine Wiederholung"
bool ServoFlag(const CurveTable& table, int servo /*0..3*/, int bit);
// Sets or clears `bit` in entry 100 of all four blocks from the four check boxes.
void SetServoFlags(CurveTable& table, int bit, const std::array<bool, kServos>& checked);

// Pulse times of one servo in ms, single precision: minimum O*0.008 and maximum
// (O + 127 + d)*0.008, d the signed range of F (upper half negative).
struct PulseTimes {
  float minimum = 0;
  float maximum = 0;
};
int PulseRange(int factor);  // d
PulseTimes PulseTimesFor(int offset, int factor);
// "1,000" with a ',' separator: fixed, three decimals.
std::string FormatPulseTime(float milliseconds, char decimalSeparator);

// The offset and range buttons; step is +10, +1, -1 or -10.
int StepPulseOffset(int offset, int step);  // clamped to 50..255
int StepPulseFactor(int factor, int step);  // positive half ends at 127, negative at 128, 1 <-> 253 wrap

// The value of a cell that is exactly one of the texts "00".."FF", else nothing.
std::optional<int> ExactHexByte(const std::string& cell);

// How the assignment frame looks for one decoder type.
struct AssignmentPresentation {
  int servoGroups = 1;                          // GroupBox_Servo1 .. n
  int rows = 4;                                 // address rows 1..n
  std::array<std::string, kAddressRows> captions;
  bool servoAndRelayLists = false;
};
AssignmentPresentation AssignmentPresentationFor(ServoAddresses addresses);

}  // namespace korrin
