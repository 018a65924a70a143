#include "editors/servo_assignment.h"

#include <gtest/gtest.h>

namespace korrin {
namespace {

TEST(ServoAssignment, LowestBitIndex) {
  EXPECT_EQ(LowestBitIndex(0), 0);
  EXPECT_EQ(LowestBitIndex(1), 0);
  EXPECT_EQ(LowestBitIndex(0x80), 7);
  EXPECT_EQ(LowestBitIndex(0x28), 3);
}

TEST(ServoAssignment, ReadingTheRowBytes) {
  struct Case {
    int servoAction, curveRelay;
    int servo, action, curve, relay;
  };
  const Case cases[] = {
      {0x00, 0x00, 0, 0, 0, 0},  // "Servo 1", "Start", "Kurve 1", "Relais 1"
      {0x11, 0x00, 0, 1, 0, 0},  // "Servo 1", "Start Loop"
      {0x24, 0x81, 2, 2, 3, 0},  // "Servo 3", "Abbruch", "Kurve 4", "Relais 1"
      {0x48, 0x28, 3, 3, 1, 3},  // "Servo 4", "Beenden", "Kurve 2", "Relais 4"
      {0x30, 0x00, 0, 1, 0, 0},  // no servo bit: "Servo 1" (not the action bit's index)
      {0x80, 0x00, 0, 0, 0, 0},  // bit 7 is no action
      {0x92, 0x00, 1, 1, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ServoIndex(c.servoAction), c.servo) << std::hex << c.servoAction;
    EXPECT_EQ(ActionIndex(c.servoAction), c.action) << std::hex << c.servoAction;
    EXPECT_EQ(CurveIndex(c.curveRelay), c.curve) << std::hex << c.curveRelay;
    EXPECT_EQ(RelayIndex(c.curveRelay), c.relay) << std::hex << c.curveRelay;
  }
}

TEST(ServoAssignment, ChoicesKeepTheOtherHalf) {
  EXPECT_EQ(WithServo(0x2F, 2), 0x24);
  EXPECT_EQ(WithAction(0x2F, 0), 0x0F);
  EXPECT_EQ(WithAction(0x13, 3), 0x43);
  EXPECT_EQ(WithCurve(0x35, 2), 0x45);  // "Kurve 3": 0x40, relay bits stay
  EXPECT_EQ(WithRelay(0x35, 3), 0x38);
  EXPECT_FALSE(CurveListVisible(2));
  EXPECT_TRUE(CurveListVisible(1));
}

TEST(ServoAssignment, RowPlaces) {
  auto r1 = AddressRowSlot(1);
  EXPECT_EQ(r1.block, 0);
  EXPECT_EQ(r1.servoEntry, 103);
  EXPECT_EQ(r1.curveEntry, 104);
  auto r6 = AddressRowSlot(6);
  EXPECT_EQ(r6.block, 1);
  EXPECT_EQ(r6.servoEntry, 106);
  EXPECT_EQ(r6.curveEntry, 107);
  EXPECT_EQ(AddressRowSlot(8).block, 3);
}

TEST(ServoAssignment, FlagsTouchOnlyTheirBit) {
  CurveTable t;
  for (auto& b : t.blocks) b[kEntryServoFlags] = 0x39;  // bits 0, 3, 4, 5 set
  SetServoFlags(t, kFlagNoInterrupt, {true, false, true, false});
  EXPECT_EQ(t.blocks[0][kEntryServoFlags], 0x79);
  EXPECT_EQ(t.blocks[1][kEntryServoFlags], 0x39);
  EXPECT_TRUE(ServoFlag(t, 2, kFlagNoInterrupt));
  SetServoFlags(t, kFlagNoInterrupt, {false, false, false, false});
  EXPECT_EQ(t.blocks[0][kEntryServoFlags], 0x39);
  EXPECT_EQ(t.blocks[2][kEntryServoFlags], 0x39);
}

TEST(ServoAssignment, PulseTimes) {
  struct Case {
    int offset, factor;
    const char* minimum;
    const char* maximum;
  };
  const Case cases[] = {
      {125, 0, "1,000", "2,016"},
      {125, 127, "1,000", "3,024"},
      {50, 128, "0,400", "0,408"},
      {255, 255, "2,040", "3,056"},
  };
  for (const auto& c : cases) {
    PulseTimes t = PulseTimesFor(c.offset, c.factor);
    EXPECT_EQ(FormatPulseTime(t.minimum, ','), c.minimum) << c.offset << "/" << c.factor;
    EXPECT_EQ(FormatPulseTime(t.maximum, ','), c.maximum) << c.offset << "/" << c.factor;
  }
  EXPECT_EQ(FormatPulseTime(PulseTimesFor(125, 0).maximum, '.'), "2.016");
  EXPECT_EQ(PulseRange(128), -126);
  EXPECT_EQ(PulseRange(254), 0);
}

TEST(ServoAssignment, OffsetAndRangeButtons) {
  EXPECT_EQ(StepPulseOffset(55, -10), 50);
  EXPECT_EQ(StepPulseOffset(250, 10), 255);
  EXPECT_EQ(StepPulseOffset(20, 1), 50);  // a value read below 50 comes back into range
  EXPECT_EQ(StepPulseOffset(100, -1), 99);
  struct Case {
    int factor, step, result;
  };
  const Case cases[] = {
      {1, -1, 253},    {253, 1, 1},     {5, -10, 248},   {250, 10, 7},    {127, 1, 127},
      {128, -1, 128},  {120, 10, 127},  {135, -10, 128}, {0, 1, 1},       {0, -1, 252},
      {126, 1, 127},   {129, -1, 128},  {200, 10, 210},  {200, -10, 190}, {127, -10, 117},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StepPulseFactor(c.factor, c.step), c.result) << c.factor << " " << c.step;
}

TEST(ServoAssignment, ExactHexByte) {
  EXPECT_EQ(ExactHexByte("7D"), 0x7D);
  EXPECT_FALSE(ExactHexByte("7d"));
  EXPECT_FALSE(ExactHexByte("error"));
  EXPECT_FALSE(ExactHexByte(""));
}

TEST(ServoAssignment, PresentationByType) {
  auto tamb = AssignmentPresentationFor(FindDecoderType(211)->editor.servoAddresses);
  EXPECT_EQ(tamb.servoGroups, 4);
  EXPECT_EQ(tamb.rows, 8);
  EXPECT_TRUE(tamb.servoAndRelayLists);
  EXPECT_EQ(tamb.captions[0], "Adresse 01");
  EXPECT_EQ(tamb.captions[4], "Adresse 05:");
  for (int id : {210, 466, 32210}) {
    auto p = AssignmentPresentationFor(FindDecoderType(id)->editor.servoAddresses);
    EXPECT_EQ(p.servoGroups, 1);
    EXPECT_EQ(p.rows, 4);
    EXPECT_FALSE(p.servoAndRelayLists);
    EXPECT_EQ(p.captions[3], "Adresse 04");
  }
  auto f = AssignmentPresentationFor(FindDecoderType(16896)->editor.servoAddresses);
  EXPECT_EQ(f.captions[0], "Adresse 01 ein");
  EXPECT_EQ(f.captions[3], "Adresse 02 aus");
  EXPECT_EQ(f.rows, 4);
}

}  // namespace
}  // namespace korrin
