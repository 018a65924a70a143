#include "editors/servo_model.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <functional>
#include <map>

#include "image/hex_reader.h"
#include "image/text_file.h"
#include "recording_dialogs.h"

namespace korrin {
namespace {

namespace fs = std::filesystem;
using testing::RecordingDialogs;
using testing::ScriptedFileDialogs;

const char* const kCountMessage = "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..100";
const char* const kStretchMessage = "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200";

// The model with its fill flag in reach, to check what a reaction does while the model fills.
struct FillingServoModel : ServoModel {
  using ServoModel::filling;
  using ServoModel::ServoModel;
};

class ServoModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.image.ResetForNewFile();
    dir = fs::temp_directory_path() / ("korrin_servo_model_" + std::to_string(::getpid()) + "_" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  static int Cell(int k, int entry) { return (k < 2 ? 0xA00 : 0xC00) + 2 * 128 * (k % 2) + 2 * entry; }
  // Curve k (0..3) in the image: count, stretch and the points (j + k) & 0x7F.
  void SetCurve(int k, int count, int stretch) {
    ctx.image.setRomValue(Cell(k, kEntryCount), count);
    ctx.image.setRomValue(Cell(k, kEntryStretch), stretch);
    for (int j = 0; j < 100; ++j) ctx.image.setRomValue(Cell(k, j), (j + k) & 0x7F);
  }
  void SetEntry(int k, int entry, int value) { ctx.image.setRomValue(Cell(k, entry), value); }
  void Load(int32_t id) {
    ctx.SelectDecoderType(id);
    model.Load();
  }
  int Entry(int k, int entry) const { return model.workingCopy().blocks[static_cast<size_t>(k)][static_cast<size_t>(entry)]; }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  std::map<std::string, std::string> SettingsMap() const {
    std::map<std::string, std::string> m;
    for (const auto& s : model.Settings()) m[s.key] = s.value;
    return m;
  }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  EditorContext ctx{dialogs, files};
  FillingServoModel model{ctx};
  fs::path dir;
};

TEST_F(ServoModelTest, LoadShowsEverythingAndLeavesNothingPending) {
  SetCurve(0, 10, 10);
  SetEntry(0, kEntryButtonAction, 0x04);
  ctx.image.set_Hex_EE(0x00, "01");
  ctx.image.set_Hex_EE(0x60, "7D");
  ctx.image.set_Hex_EE(0x61, "00");
  ctx.RasterX = 3;
  ctx.RasterY = 99;  // beyond the list: its last entry is shown
  Load(211);
  EXPECT_FALSE(model.filling);
  EXPECT_FALSE(model.hasPendingChanges());
  EXPECT_EQ(model.selectedCurve(), 0);
  EXPECT_EQ(model.countText(), "10");
  EXPECT_EQ(model.stretchText(), "10");
  EXPECT_EQ(model.pointTimeText(), "Zeit zwischen 2 Punkten = 200 ms");
  EXPECT_EQ(model.totalTimeText(), "Gesamtzeit für diese Kurve = 1800 ms");
  EXPECT_EQ(model.rasterX(), 3);
  EXPECT_EQ(model.rasterY(), 10);
  EXPECT_EQ(ctx.RasterY, 99);  // the setting changes only when the user picks
  EXPECT_TRUE(model.sw1Learn());
  EXPECT_EQ(ctx.image.get_Hex_EE(0x00), "01");  // showing does not write SW1
  EXPECT_FALSE(model.buttonListVisible(0));     // Taster 1 lists only with "Servo-Bedienung"
  EXPECT_TRUE(model.buttonListVisible(2));
  EXPECT_EQ(model.buttonActionIndex(0), 3);
  EXPECT_FALSE(model.copyEnabled(0));
  EXPECT_TRUE(model.copyEnabled(1));
  EXPECT_TRUE(model.curvePresentation().relayStripAndSw1);
  EXPECT_EQ(model.curvePresentation().buttonLabels[0], "Taster 1 close");
  model.decimalSeparator = ',';
  EXPECT_EQ(model.minimumPulseText(1), "1,000");
  EXPECT_EQ(model.maximumPulseText(1), "2,016");
  model.decimalSeparator = '.';
  EXPECT_EQ(model.minimumPulseText(1), "1.000");
  EXPECT_EQ(model.curvePicture().points.size(), 10u);
  EXPECT_TRUE(dialogs.messages.empty());
  // Nothing is written into the image by showing it.
  EXPECT_EQ(ctx.image.get_Hex_ROM(Cell(0, kEntryCount)), "0A");
}

TEST_F(ServoModelTest, LoadClampsACountOutOfRangeWithoutMakingItPending) {
  SetCurve(0, 150, 3);
  SetCurve(1, 0, 0);
  ctx.image.set_Hex_EE(0x64, "zz");  // no byte text: the value held so far stays
  Load(211);
  EXPECT_EQ(Entry(0, kEntryCount), 100);
  EXPECT_FALSE(model.hasPendingChanges());
  EXPECT_EQ(model.pulseOffset(3), 0);
  // Viewing curve 2 clamps its count and stretch as the edits show them: that is a change.
  model.SelectCurve(1);
  EXPECT_EQ(Entry(1, kEntryCount), 1);
  EXPECT_EQ(Entry(1, kEntryStretch), 1);
  EXPECT_EQ(model.countText(), "1");
  EXPECT_EQ(model.totalTimeText(), "Gesamtzeit für diese Kurve = 0 ms");
  EXPECT_TRUE(model.hasPendingChanges());
}

TEST_F(ServoModelTest, CountAndStretchEditsAsTyped) {
  SetCurve(1, 10, 10);
  Load(211);
  model.SelectCurve(1);
  EXPECT_FALSE(model.hasPendingChanges());  // viewing another curve is no change
  struct Step {
    bool count;  // the count edit, else the stretch edit
    const char* typed;
    bool accepted;
    int entry;            // count or stretch afterwards
    const char* shown;    // the edit's text afterwards
    const char* message;  // "" for none
  };
  const Step steps[] = {
      {true, "1", true, 1, "1", ""},
      {true, "12", true, 12, "12", ""},  // typing 12 writes 1, then 12
      {true, "", true, 12, "", ""},      // an emptied edit changes nothing
      {true, "150", true, 100, "100", ""},
      {true, "x", false, 100, "x", kCountMessage},
      {true, " +7 ", true, 7, "7", ""},
      {false, "300", true, 200, "200", ""},
      {false, "abc", false, 200, "abc", kStretchMessage},
      {false, "0", true, 1, "1", ""},
  };
  for (const Step& s : steps) {
    dialogs.clear();
    const bool ok = s.count ? model.CountTextChanged(s.typed) : model.StretchTextChanged(s.typed);
    EXPECT_EQ(ok, s.accepted) << s.typed;
    EXPECT_EQ(Entry(1, s.count ? kEntryCount : kEntryStretch), s.entry) << s.typed;
    EXPECT_EQ(s.count ? model.countText() : model.stretchText(), s.shown) << s.typed;
    if (*s.message) {
      ASSERT_EQ(dialogs.messages.size(), 1u) << s.typed;
      EXPECT_EQ(dialogs.messages[0].text, s.message);
      EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
    } else {
      EXPECT_TRUE(dialogs.messages.empty()) << s.typed;
    }
  }
  EXPECT_EQ(model.pointTimeText(), "Zeit zwischen 2 Punkten = 20 ms");
  EXPECT_EQ(model.totalTimeText(), "Gesamtzeit für diese Kurve = 120 ms");
  EXPECT_TRUE(model.hasPendingChanges());
  EXPECT_EQ(ctx.image.get_Hex_ROM(Cell(1, kEntryCount)), "0A");  // the image waits for "übernehmen"
}

TEST_F(ServoModelTest, ThresholdIsLimitedAndWrittenAtOnce) {
  ctx.image.set_Hex_EE(0x30, "20");
  Load(466);
  EXPECT_TRUE(model.curvePresentation().x7Threshold);
  EXPECT_EQ(model.thresholdText(), "32");
  EXPECT_EQ(model.curvePicture().thresholdY, 150);  // trunc(201 - 32 * 201 / 128)
  EXPECT_TRUE(model.ThresholdTextChanged("150"));
  EXPECT_EQ(model.thresholdText(), "127");
  EXPECT_EQ(model.x7Threshold(), 127);
  EXPECT_EQ(ctx.image.get_Hex_EE(0x30), "7F");
  EXPECT_FALSE(model.hasPendingChanges());
  EXPECT_FALSE(model.ThresholdTextChanged("x"));
  EXPECT_EQ(dialogs.texts().back(), "Ungültige Eingabe für <Schwellwert Ausgang X7> ");
  EXPECT_EQ(ctx.image.get_Hex_EE(0x30), "7F");
  // Loading shows a byte beyond 127 as it is and writes nothing.
  ctx.image.set_Hex_EE(0x30, "FF");
  Load(466);
  EXPECT_EQ(model.thresholdText(), "255");
  EXPECT_EQ(ctx.image.get_Hex_EE(0x30), "FF");
  Load(211);
  EXPECT_FALSE(model.curvePresentation().x7Threshold);
  EXPECT_FALSE(model.curvePicture().thresholdY);
}

TEST_F(ServoModelTest, DraggingPaintsPointsAndRelaySteps) {
  SetCurve(0, 10, 1);
  Load(211);
  // Moves without a pressed button change nothing.
  model.CurveMouseMove(520, 10);
  EXPECT_EQ(Entry(0, 10), 10);
  EXPECT_FALSE(model.hasPendingChanges());
  model.MouseDown();
  // Far right of the drawing, near the top: point trunc(520 / 52 + 0.5) = 10, beyond the count.
  model.CurveMouseMove(520, 10);
  EXPECT_EQ(Entry(0, 10), CurvePositionAt(10, 201.0f, 201.0f / 128.0f));
  model.PaintRelayStep(99, true);
  model.CurveMouseMove(6000, 201);  // far beyond the drawing: point 99, position 0
  EXPECT_EQ(Entry(0, 99), 0x80);    // relay bit kept
  EXPECT_EQ(Entry(0, kEntryServoFlags), 0xFF);
  model.RelayMouseMove(60, 5);  // cell 1, upper part
  EXPECT_EQ(Entry(0, 1), 0x80 | 1);
  model.RelayMouseMove(60, 50);
  EXPECT_EQ(Entry(0, 1), 1);
  model.MouseUp();
  model.RelayMouseMove(60, 5);
  EXPECT_EQ(Entry(0, 1), 1);
  model.PaintPoint(3, 100);
  EXPECT_EQ(Entry(0, 3), 100);
  EXPECT_TRUE(model.hasPendingChanges());
}

TEST_F(ServoModelTest, GeneratorsAndTransformsChangeOnlyTheWorkingCopy) {
  SetCurve(0, 5, 1);
  SetEntry(0, 2, 0x80 | 7);  // relay on at point 2
  Load(211);
  EXPECT_TRUE(model.Generate(CurveShape::Lin));
  EXPECT_EQ((std::vector<int>{Entry(0, 0), Entry(0, 1), Entry(0, 2), Entry(0, 3), Entry(0, 4)}),
            (std::vector<int>{0, 31, 0x80 | 63, 95, 127}));
  EXPECT_EQ(ctx.image.get_Hex_ROM(Cell(0, 4)), "04");
  EXPECT_TRUE(model.hasPendingChanges());
  model.MirrorCurveHorizontal();
  EXPECT_EQ(Entry(0, 0), 127);
  EXPECT_EQ(Entry(0, 2), 0x80 | 63);
  model.MirrorCurveVertical();
  EXPECT_EQ(Entry(0, 0), 0);

  struct Case {
    bool scale;
    const char* text;
    bool accepted;
    int point4;  // position of point 4 afterwards (127 before each case)
    const char* message;
  };
  const Case cases[] = {
      {true, "0,5", true, 63, ""},
      {true, "0.5", true, 63, ""},
      {true, "10", true, 127, ""},
      {true, "20", false, 127, kScaleRangeMessage},
      {true, "0.09", false, 127, kScaleRangeMessage},
      {true, "abc", false, 127, kScaleRangeMessage},
      {true, "", false, 127, kScaleRangeMessage},  // refused, as by the command line
      {true, "0,7", true, 88, ""},                 // the exact 127 x 0,7 = 88,9
      {false, "-100", true, 27, ""},
      {false, "-10,5", true, 116, ""},
      {false, "100.5", false, 127, kShiftRangeMessage},
      {false, "", false, 127, kShiftRangeMessage},
  };
  for (const Case& c : cases) {
    model.PaintPoint(4, 127);
    dialogs.clear();
    if (c.scale) model.SetScaleText(c.text);
    else model.SetShiftText(c.text);
    EXPECT_EQ(c.scale ? model.ApplyScale() : model.ApplyShift(), c.accepted) << c.text;
    EXPECT_EQ(Entry(0, 4), c.point4) << c.text;
    EXPECT_EQ(dialogs.messages.empty(), !*c.message) << c.text;
    if (*c.message && !dialogs.messages.empty()) {
      EXPECT_EQ(dialogs.messages[0].text, c.message);
    }
  }
  EXPECT_EQ(model.scaleText(), "0,7");
  EXPECT_EQ(model.shiftText(), "");

  model.CountTextChanged("1");
  dialogs.clear();
  const int point0 = Entry(0, 0);
  EXPECT_FALSE(model.Generate(CurveShape::HalfSine));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, kShapeNeedsTwoPointsMessage);
  EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Ok);
  EXPECT_EQ(Entry(0, 0), point0);
}

TEST_F(ServoModelTest, CopyTakesPointsCountAndStretchOnly) {
  SetCurve(1, 20, 7);
  SetEntry(0, kEntryServoFlags, 0x46);
  SetEntry(0, kEntryAddrServo, 0x12);
  SetEntry(0, kEntryAddrCurve, 0x21);
  SetEntry(0, kEntryButtonAction, 0x04);
  Load(211);
  model.CopyFrom(1);
  EXPECT_EQ(Entry(0, kEntryCount), 20);
  EXPECT_EQ(Entry(0, kEntryStretch), 7);
  EXPECT_EQ(Entry(0, 5), 6);
  EXPECT_EQ(Entry(0, kEntryServoFlags), 0x46);
  EXPECT_EQ(Entry(0, kEntryAddrServo), 0x12);
  EXPECT_EQ(Entry(0, kEntryAddrCurve), 0x21);
  EXPECT_EQ(Entry(0, kEntryButtonAction), 0x04);
  EXPECT_EQ(model.countText(), "20");
  EXPECT_EQ(model.totalTimeText(), "Gesamtzeit für diese Kurve = 2660 ms");
  EXPECT_TRUE(model.hasPendingChanges());
}

TEST_F(ServoModelTest, CurveFilesThroughTheDialogsAndByPath) {
  SetCurve(0, 10, 3);
  Load(211);
  const std::string cur = Path("a.cur");
  ASSERT_TRUE(WriteTextLinesSafely(cur, {"0", "64", "127", "192"}));
  // Cancelled: nothing changes.
  EXPECT_EQ(model.LoadCurve(), CurveFileResult::Cancelled);
  EXPECT_FALSE(model.hasPendingChanges());
  files.openAnswers.push_back(cur);
  EXPECT_EQ(model.LoadCurve(), CurveFileResult::Done);
  EXPECT_EQ(files.openRequests.back().filter, "CUR|*.cur|TXT|*.txt|*.*|*.*");
  EXPECT_EQ(Entry(0, kEntryCount), 4);
  EXPECT_EQ(Entry(0, 3), 192);
  EXPECT_EQ(model.countText(), "4");
  EXPECT_TRUE(model.hasPendingChanges());
  model.Discard();
  EXPECT_FALSE(model.hasPendingChanges());
  // A faulty second line: nothing is taken, nothing is offered, through the dialog or by path.
  ASSERT_TRUE(WriteTextLinesSafely(cur, {"99", "x"}));
  ASSERT_TRUE(WriteTextLinesSafely(Path("bad.set"), {"1", "2", "3"}));
  const CurveTable before = model.workingCopy();
  files.openAnswers.push_back(cur);
  EXPECT_EQ(model.LoadCurve(), CurveFileResult::Failed);
  EXPECT_EQ(model.LoadCurveFrom(cur), CurveFileResult::Failed);
  files.openAnswers.push_back(Path("bad.set"));
  EXPECT_EQ(model.LoadSet(), CurveFileResult::Failed);
  EXPECT_EQ(model.LoadSetFrom(Path("bad.set")), CurveFileResult::Failed);
  const std::string line1 = "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 1";
  const std::string line2 = "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 2";
  EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{line1, line1, line2, line2}));
  EXPECT_EQ(model.workingCopy().blocks, before.blocks);
  EXPECT_EQ(model.countText(), "10");
  EXPECT_FALSE(model.hasPendingChanges());
  // A file that cannot be read changes nothing and offers nothing.
  dialogs.clear();
  EXPECT_EQ(model.LoadCurveFrom(Path("missing.cur")), CurveFileResult::Failed);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_FALSE(model.hasPendingChanges());

  files.saveAnswers.push_back(Path("b.cur"));
  EXPECT_EQ(model.SaveCurve(), CurveFileResult::Done);
  EXPECT_EQ(files.saveRequests.back().defaultExtension, "CUR");
  EXPECT_EQ(ReadTextLines(Path("b.cur"))->size(), 10u);
  model.SelectCurve(2);
  EXPECT_EQ(model.SaveCurveTo(Path("c.cur")), CurveFileResult::Done);
  EXPECT_EQ(*ReadTextLines(Path("c.cur")), CurveFileLines(model.workingCopy().blocks[2]));
}

TEST_F(ServoModelTest, SetFileCarriesAssignmentAndButtonActions) {
  Load(211);
  CurveTable wanted = model.workingCopy();
  wanted.blocks[0][kEntryAddrServo] = 0x22;     // "Servo 2", "Abbruch"
  wanted.blocks[3][kEntryButtonAction] = 0x10;  // "wie Adr.5"
  wanted.blocks[1][kEntryServoFlags] = 0x00;
  ASSERT_TRUE(WriteTextLinesSafely(Path("a.set"), SetFileLines(wanted)));
  files.openAnswers.push_back(Path("a.set"));
  EXPECT_EQ(model.LoadSet(), CurveFileResult::Done);
  EXPECT_EQ(files.openRequests.back().filter, "SET|*.set|TXT|*.txt|*.*|*.*");
  EXPECT_EQ(model.workingCopy().blocks, wanted.blocks);
  EXPECT_EQ(model.addressRow(1).servo, 1);
  EXPECT_EQ(model.addressRow(1).action, 2);
  EXPECT_FALSE(model.addressRow(1).curveVisible);
  EXPECT_FALSE(model.servoFlag(2, kFlagVoltageOff));
  EXPECT_EQ(model.buttonActionIndex(3), 5);
  EXPECT_TRUE(model.hasPendingChanges());
  EXPECT_TRUE(dialogs.messages.empty());

  files.saveAnswers.push_back(Path("b.set"));
  EXPECT_EQ(model.SaveSet(), CurveFileResult::Done);
  EXPECT_EQ(*ReadTextLines(Path("b.set")), SetFileLines(wanted));
  EXPECT_EQ(model.SaveSetTo(Path("c.set")), CurveFileResult::Done);
  model.Discard();
  EXPECT_EQ(model.LoadSetFrom(Path("c.set")), CurveFileResult::Done);
  EXPECT_EQ(model.workingCopy().blocks, wanted.blocks);
}

TEST_F(ServoModelTest, Sw1ChoiceWritesAtOnceAndButtonListsWriteEntry110) {
  ctx.image.set_Hex_EE(0x00, "01");
  Load(211);
  model.ChooseSw1(false);
  EXPECT_EQ(ctx.image.get_Hex_EE(0x00), "F0");
  EXPECT_TRUE(model.buttonListVisible(0));
  EXPECT_TRUE(model.hasPendingChanges());
  model.ChooseSw1(true);
  EXPECT_EQ(ctx.image.get_Hex_EE(0x00), "01");
  model.Discard();  // does not restore it
  EXPECT_EQ(ctx.image.get_Hex_EE(0x00), "01");

  SetEntry(2, kEntryButtonAction, 0x08);
  SetEntry(0, kEntryButtonAction, 0x40);  // "wie Adr.7": beyond the list of this type
  Load(210);
  EXPECT_EQ(model.buttonActionIndex(2), 4);
  EXPECT_EQ(model.buttonActionIndex(0), -1);
  EXPECT_EQ(model.curvePresentation().buttonLabels[0], "Taster 3 close");
  EXPECT_TRUE(model.buttonListVisible(0));
  model.ChooseButtonAction(1, 3);
  EXPECT_EQ(Entry(1, kEntryButtonAction), 0x04);
  model.ChooseButtonAction(1, 0);
  EXPECT_EQ(Entry(1, kEntryButtonAction), 0);
  EXPECT_TRUE(model.hasPendingChanges());
}

TEST_F(ServoModelTest, RasterGoesToTheSettingsAndIsNoChange) {
  Load(211);
  model.ChooseRaster(5, 4);
  EXPECT_EQ(ctx.RasterX, 5);
  EXPECT_EQ(ctx.RasterY, 4);
  EXPECT_EQ(model.curvePicture().gridY.size(), 4u);
  EXPECT_EQ(model.relayPicture().gridX.size(), 6u);
  EXPECT_FALSE(model.hasPendingChanges());
}

TEST_F(ServoModelTest, AddressRowsShowAndWriteTheirBits) {
  SetEntry(0, kEntryAddrServo, 0x11);
  SetEntry(1, kEntryAddr2Curve, 0x23);
  SetEntry(2, kEntryAddrServo, 0x24);  // "Servo 3", "Abbruch"
  SetEntry(2, kEntryAddrCurve, 0x42);
  Load(211);
  struct Shown {
    int row, servo, action, curve, relay;
    bool curveVisible;
  };
  const Shown shown[] = {
      {1, 0, 1, 0, 0, true},   // 0x11: "Servo 1", "Start Loop"
      {3, 2, 2, 2, 1, false},  // "Abbruch" hides curve and relay list, the bits stay
      {6, 0, 1, 1, 0, true},   // blank FF: "Start Loop"; entry 107 of block 1: 0x23
  };
  for (const Shown& s : shown) {
    const auto v = model.addressRow(s.row);
    EXPECT_EQ(v.servo, s.servo) << s.row;
    EXPECT_EQ(v.action, s.action) << s.row;
    EXPECT_EQ(v.curve, s.curve) << s.row;
    EXPECT_EQ(v.relay, s.relay) << s.row;
    EXPECT_EQ(v.curveVisible, s.curveVisible) << s.row;
    EXPECT_EQ(v.relayVisible, s.curveVisible) << s.row;
    EXPECT_TRUE(v.visible && v.servoVisible) << s.row;
  }
  EXPECT_EQ(model.addressRow(5).caption, "Adresse 05:");
  model.ChooseAction(1, 2);
  EXPECT_EQ(Entry(0, kEntryAddrServo), 0x21);
  EXPECT_FALSE(model.addressRow(1).curveVisible);
  model.ChooseAction(1, 0);
  EXPECT_TRUE(model.addressRow(1).curveVisible);
  model.ChooseCurve(6, 2);  // row 6, "Kurve 3": entry 107 of block 1, relay bits stay
  EXPECT_EQ(Entry(1, kEntryAddr2Curve), 0x43);
  model.ChooseRelay(6, 3);
  EXPECT_EQ(Entry(1, kEntryAddr2Curve), 0x48);
  model.ChooseServo(8, 3);
  EXPECT_EQ(Entry(3, kEntryAddr2Servo), 0xF8);  // blank byte FF: action bits stay
  EXPECT_TRUE(model.hasPendingChanges());
  EXPECT_EQ(ctx.image.get_Hex_ROM(Cell(3, kEntryAddr2Servo)), "FF");
}

TEST_F(ServoModelTest, AssignmentPresentationByType) {
  Load(16896);
  EXPECT_EQ(model.addressRow(2).caption, "Adresse 01 aus");
  EXPECT_FALSE(model.addressRow(5).visible);
  EXPECT_FALSE(model.addressRow(1).servoVisible);
  EXPECT_FALSE(model.addressRow(1).relayVisible);
  EXPECT_TRUE(model.addressRow(1).actionVisible);
  EXPECT_TRUE(model.servoGroupVisible(1));
  EXPECT_FALSE(model.servoGroupVisible(2));
  Load(211);
  EXPECT_TRUE(model.servoGroupVisible(4));
  EXPECT_TRUE(model.addressRow(8).visible);
}

TEST_F(ServoModelTest, FlagBoxesSetTheirBitInAllFourBlocks) {
  SetEntry(1, kEntryServoFlags, 0x84);  // "Impulse aus", "keine Wiederholung"
  SetEntry(3, kEntryServoFlags, 0x39);
  Load(211);
  EXPECT_TRUE(model.servoFlag(2, kFlagPulsesOff));
  EXPECT_TRUE(model.servoFlag(2, kFlagNoRepeat));
  EXPECT_FALSE(model.servoFlag(2, kFlagVoltageOff));
  model.SetServoFlag(4, kFlagVoltageOff, true);
  EXPECT_EQ(Entry(3, kEntryServoFlags), 0x3B);
  EXPECT_EQ(Entry(1, kEntryServoFlags), 0x84);
  model.SetServoFlag(2, kFlagNoRepeat, false);
  EXPECT_EQ(Entry(1, kEntryServoFlags), 0x04);
  EXPECT_TRUE(model.hasPendingChanges());
}

TEST_F(ServoModelTest, PulseStepButtons) {
  ctx.image.set_Hex_EE(0x62, "37");  // servo 2: O = 55
  ctx.image.set_Hex_EE(0x63, "01");  // F = 1
  Load(211);
  model.decimalSeparator = ',';
  struct Step {
    bool offset;
    int step;
    int value;
    const char* minimum;
    const char* maximum;
  };
  const Step steps[] = {
      {true, -10, 50, "0,400", "1,416"},                                        // "<<" stops at 50
      {true, 1, 51, "0,408", "1,424"},     {false, -1, 253, "0,408", "1,416"},  // "<" at 1 wraps to 253 (d = -1)
      {false, 1, 1, "0,408", "1,424"},                                          // ">" at 253 back to 1
      {false, -10, 244, "0,408", "1,344"}, {false, 10, 1, "0,408", "1,424"},
  };
  for (const Step& s : steps) {
    if (s.offset) model.StepOffset(2, s.step);
    else model.StepFactor(2, s.step);
    EXPECT_EQ(s.offset ? model.pulseOffset(2) : model.pulseFactor(2), s.value) << s.step;
    EXPECT_EQ(model.minimumPulseText(2), s.minimum) << s.step;
    EXPECT_EQ(model.maximumPulseText(2), s.maximum) << s.step;
  }
  EXPECT_TRUE(model.hasPendingChanges());
  EXPECT_EQ(ctx.image.get_Hex_EE(0x62), "37");  // written on "übernehmen" only
}

TEST_F(ServoModelTest, ApplyWritesTheTablesAndPulseBytesAndNothingElse) {
  SetCurve(2, 10, 3);
  ctx.image.set_Hex_EE(0x60, "7D");
  ctx.image.set_Hex_EE(0x61, "00");
  Load(211);
  const FirmwareImage before = ctx.image;
  model.SelectCurve(2);
  model.MirrorCurveVertical();
  model.StepOffset(1, 10);  // 125 + 10
  model.StepFactor(1, -1);  // 0 - 1 wraps to 252
  model.ChooseCurve(7, 3);  // entry 107 of block 2
  ASSERT_TRUE(model.hasPendingChanges());
  model.applyPendingChanges();
  EXPECT_FALSE(model.hasPendingChanges());
  std::map<int, std::string> changedRom, changedEe;
  for (int i = 0; i < 16384; ++i)
    if (ctx.image.get_Hex_ROM(i) != before.get_Hex_ROM(i)) changedRom[i] = ctx.image.get_Hex_ROM(i);
  for (int i = 0; i < 256; ++i)
    if (ctx.image.get_Hex_EE(i) != before.get_Hex_EE(i)) changedEe[i] = ctx.image.get_Hex_EE(i);
  std::map<int, std::string> wantedRom;
  for (int j = 0; j < 10; ++j) wantedRom[0xC00 + 2 * j] = HexByteText()[static_cast<size_t>(127 - (j + 2))];
  wantedRom[0xC00 + 2 * kEntryAddr2Curve] = "8F";  // FF with "Kurve 4": bits 4..7 = 0x80
  // Curve 1 was shown while loading: its count FF was limited to 100 then, as the edit shows it.
  wantedRom[Cell(0, kEntryCount)] = "64";
  EXPECT_EQ(changedRom, wantedRom);
  EXPECT_EQ(changedEe.at(0x60), "87");
  EXPECT_EQ(changedEe.at(0x61), "FC");
  EXPECT_EQ(changedEe.size(), 2u);  // the blank FF of the other servos are written as held: FF
  for (const auto& [cell, text] : changedEe) EXPECT_TRUE(cell >= 0x60 && cell <= 0x67) << cell;
}

// The example firmware of the four-servo decoder: applying without a change, and through a set
// file saved and loaded again, gives back the very image that was read.
TEST_F(ServoModelTest, ApplyingTheExampleUnchangedKeepsEveryByte) {
  const auto lines = ReadTextLines(std::string(KORRIN_EXAMPLES) + "/servo_tamb4_dcc.hex");
  ASSERT_TRUE(lines);
  HexReadStatus status;
  for (const auto& line : *lines) {
    if (!line.empty()) {
      ASSERT_TRUE(ReadHexLine(ctx.image, line, dialogs, status)) << line;
    }
  }
  Load(211);
  const FirmwareImage before = ctx.image;
  ASSERT_FALSE(model.hasPendingChanges());
  ASSERT_EQ(model.SaveSetTo(Path("example.set")), CurveFileResult::Done);
  ASSERT_EQ(model.LoadSetFrom(Path("example.set")), CurveFileResult::Done);
  model.applyPendingChanges();
  for (int i = 0; i < 16384; ++i) ASSERT_EQ(ctx.image.get_Hex_ROM(i), before.get_Hex_ROM(i)) << i;
  for (int i = 0; i < 256; ++i) ASSERT_EQ(ctx.image.get_Hex_EE(i), before.get_Hex_EE(i)) << i;
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ServoModelTest, DiscardReloadsTheTablesButKeepsThePulseValues) {
  SetCurve(0, 10, 3);
  ctx.image.set_Hex_EE(0x60, "7D");
  Load(211);
  model.MirrorCurveVertical();
  model.StepOffset(1, 1);
  model.Discard();
  EXPECT_EQ(Entry(0, 1), 1);
  EXPECT_EQ(model.pulseOffset(1), 126);
  EXPECT_FALSE(model.hasPendingChanges());
}

TEST_F(ServoModelTest, WhatMakesChangesPending) {
  SetCurve(0, 10, 3);
  SetCurve(1, 10, 3);
  struct Case {
    const char* what;
    std::function<void(ServoModel&)> run;
    bool pending;
  };
  const Case cases[] = {
      {"select a curve", [](ServoModel& m) { m.SelectCurve(1); }, false},
      {"raster", [](ServoModel& m) { m.ChooseRaster(2, 2); }, false},
      {"same count", [](ServoModel& m) { m.CountTextChanged("10"); }, false},
      {"save a set", [this](ServoModel& m) { m.SaveSetTo(Path("x.set")); }, false},
      {"scale text only", [](ServoModel& m) { m.SetScaleText("2"); }, false},
      {"count", [](ServoModel& m) { m.CountTextChanged("9"); }, true},
      {"stretch", [](ServoModel& m) { m.StretchTextChanged("9"); }, true},
      {"copy", [](ServoModel& m) { m.CopyFrom(1); }, true},
      {"sw1", [](ServoModel& m) { m.ChooseSw1(false); }, true},
      {"button list", [](ServoModel& m) { m.ChooseButtonAction(0, 0); }, true},
      {"servo list", [](ServoModel& m) { m.ChooseServo(1, 0); }, true},
      {"flag", [](ServoModel& m) { m.SetServoFlag(1, kFlagNoRepeat, true); }, true},
      {"pulse", [](ServoModel& m) { m.StepOffset(1, 1); }, true},
  };
  for (const Case& c : cases) {
    Load(211);
    c.run(model);
    EXPECT_EQ(model.hasPendingChanges(), c.pending) << c.what;
  }
}

TEST_F(ServoModelTest, ObserversHearOncePerActionUntilTheyExpire) {
  Load(211);
  int calls = 0;
  Subscription observer = model.Observe([&] { ++calls; });
  model.SelectCurve(1);  // runs several edit reactions inside
  EXPECT_EQ(calls, 1);
  model.Set("kurve1.erzeugen", "lin:5");
  EXPECT_EQ(calls, 2);
  observer.reset();
  model.MirrorCurveVertical();
  EXPECT_EQ(calls, 2);
}

// --- settings --------------------------------------------------------------------------------

TEST_F(ServoModelTest, SettingsOfTheFourServoDecoder) {
  SetCurve(1, 5, 2);
  SetEntry(1, 3, 0x80 | 4);
  SetEntry(1, kEntryButtonAction, 0x02);
  SetEntry(0, kEntryAddrServo, 0x12);
  SetEntry(0, kEntryAddrCurve, 0x24);
  SetEntry(2, kEntryServoFlags, 0x82);
  ctx.image.set_Hex_EE(0x60, "7D");
  ctx.image.set_Hex_EE(0x61, "7F");
  ctx.image.set_Hex_EE(0x00, "F0");
  Load(211);
  const auto settings = model.Settings();
  std::map<std::string, EditorSetting> byKey;
  for (const auto& s : settings) byKey[s.key] = s;
  const EditorSetting& points = byKey.at("kurve2.punkte");
  EXPECT_EQ(points.section, "curves");
  EXPECT_EQ(points.caption, "Kurve 2");
  EXPECT_EQ(points.value, "1,2,3,4,5");
  EXPECT_EQ(points.element, "Punkt");
  EXPECT_FALSE(points.perCharacter);
  EXPECT_EQ(byKey.at("kurve2.relais").value, "...X.");
  EXPECT_TRUE(byKey.at("kurve2.relais").perCharacter);
  EXPECT_EQ(byKey.at("kurve2.anzahl").value, "5");
  EXPECT_EQ(byKey.at("kurve2.anzahl").caption, "Kurve 2 Anzahl Punkte");
  EXPECT_EQ(byKey.at("kurve2.dehnung").value, "2");
  EXPECT_EQ(byKey.at("taster1.open").value, "2");
  EXPECT_EQ(byKey.at("taster1.open").caption, "Taster 1 open");
  EXPECT_EQ(byKey.at("sw1").value, "servo");
  EXPECT_EQ(byKey.count("x7"), 0u);
  const EditorSetting& action = byKey.at("adresse1.aktion");
  EXPECT_EQ(action.section, "assignments");
  EXPECT_EQ(action.caption, "Adresse 01 Aktion");
  EXPECT_EQ(action.value, "startloop");
  EXPECT_EQ(byKey.at("adresse1.servo").value, "2");
  EXPECT_EQ(byKey.at("adresse1.kurve").value, "2");
  EXPECT_EQ(byKey.at("adresse1.relais").value, "3");
  EXPECT_EQ(byKey.at("adresse8.kurve").caption, "Adresse 08 Kurve");
  EXPECT_EQ(byKey.at("servo3.spannungaus").value, "1");
  EXPECT_EQ(byKey.at("servo3.keinewiederholung").value, "1");
  EXPECT_EQ(byKey.at("servo3.impulseaus").value, "0");
  EXPECT_EQ(byKey.at("servo1.impulsmin").value, "1.000");
  EXPECT_EQ(byKey.at("servo1.impulsmax").value, "3.024");
  EXPECT_EQ(byKey.at("servo1.impulsmax").caption, "Servo 1 Impuls-Zeit (Max)");
  // Keys are unique and every one is listed once.
  EXPECT_EQ(byKey.size(), settings.size());
  EXPECT_EQ(settings.size(), 4u * 4 + 4 + 1 + 8 * 4 + 4 * 6);
}

TEST_F(ServoModelTest, SettingsOfTheOneServoDecoders) {
  ctx.image.set_Hex_EE(0x30, "20");
  Load(466);
  auto m = SettingsMap();
  EXPECT_EQ(m.at("x7"), "32");
  EXPECT_EQ(m.count("sw1"), 0u);
  EXPECT_EQ(m.count("taster3.close"), 1u);
  EXPECT_EQ(m.count("adresse1.servo"), 0u);
  EXPECT_EQ(m.count("adresse4.kurve"), 1u);
  EXPECT_EQ(m.count("adresse5.kurve"), 0u);
  EXPECT_EQ(m.count("servo2.impulsmin"), 0u);
  Load(16896);
  m.clear();
  for (const auto& s : model.Settings()) m[s.key] = s.caption;
  EXPECT_EQ(m.at("adresse2.aktion"), "Adresse 01 aus Aktion");
}

TEST_F(ServoModelTest, SettingsRoundTripThroughSet) {
  // Image A with varied values; its settings, set on a blank image B, reproduce them.
  SetCurve(0, 12, 4);
  SetCurve(1, 1, 1);
  SetCurve(2, 100, 50);
  SetCurve(3, 30, 200);
  SetEntry(3, 7, 0x80 | 9);
  SetEntry(1, kEntryButtonAction, 0x80);
  SetEntry(2, kEntryAddr2Servo, 0x44);
  SetEntry(2, kEntryAddr2Curve, 0x82);
  SetEntry(0, kEntryServoFlags, 0x40);
  ctx.image.set_Hex_EE(0x00, "01");
  for (int i = 0; i < 8; ++i) ctx.image.setEepromValue(0x60 + i, i % 2 ? 200 + i : 60 + i);
  Load(211);
  const auto wanted = model.Settings();

  ctx.image.ResetForNewFile();
  for (int k = 0; k < 4; ++k) SetCurve(k, 10, 1);
  for (int i = 0; i < 8; ++i) ctx.image.setEepromValue(0x60 + i, 125);
  Load(211);
  for (const auto& s : wanted) EXPECT_EQ(model.Set(s.key, s.value), SetOutcome::Done) << s.key << "=" << s.value;
  EXPECT_TRUE(dialogs.messages.empty());
  const auto got = model.Settings();
  ASSERT_EQ(got.size(), wanted.size());
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i].value, wanted[i].value) << got[i].key;
  EXPECT_TRUE(model.hasPendingChanges());
  EXPECT_EQ(ctx.image.get_Hex_EE(0x00), "01");  // SW1 is written at once
  model.applyPendingChanges();
  EXPECT_EQ(ctx.image.get_Hex_ROM(Cell(3, 7)), "89");
  EXPECT_EQ(ctx.image.get_Hex_ROM(Cell(3, kEntryCount)), "1E");
  EXPECT_EQ(ctx.image.eepromValue(0x61), 201);
}

TEST_F(ServoModelTest, UnknownKeysShowNothing) {
  Load(211);
  for (const char* key : {"foo", "kurve5.anzahl", "kurve0.anzahl", "kurve1.foo", "kurve1", "adresse9.kurve", "adresse1.foo",
                          "taster3.close", "taster1.zu", "servo5.impulsmin", "x7", "servo.foo"})
    EXPECT_EQ(model.Set(key, "1"), SetOutcome::UnknownKey) << key;
  Load(210);
  for (const char* key : {"sw1", "adresse1.servo", "adresse1.relais", "adresse5.kurve", "servo2.spannungaus", "taster1.close"})
    EXPECT_EQ(model.Set(key, "1"), SetOutcome::UnknownKey) << key;
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_FALSE(model.hasPendingChanges());
}

TEST_F(ServoModelTest, RefusedValuesShowTheirMessageAndChangeNothing) {
  SetCurve(0, 10, 3);
  struct Case {
    const char* key;
    const char* value;
    const char* message;
  };
  const Case cases[] = {
      {"kurve1.anzahl", "x", kCountMessage},
      {"kurve1.anzahl", "", kCountMessage},
      {"kurve1.dehnung", "abc", kStretchMessage},
      {"kurve1.punkte", "1,200", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 0..127"},
      {"kurve1.punkte", "1,,2", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 0..127"},
      {"kurve1.relais", "X-X", "Ungültige Eingabe.\rZugelassen sind nur 1..100 Zeichen X (Relais ein) oder . (aus)"},
      {"kurve1.erzeugen", "cos", "Ungültige Eingabe.\rZugelassen sind nur lin, log, sin oder sin2"},
      {"kurve1.erzeugen", "lin:x", kCountMessage},
      {"kurve1.spiegeln", "diagonal", "Ungültige Eingabe.\rZugelassen sind nur vertikal oder horizontal"},
      {"kurve1.skalieren", "20", kScaleRangeMessage},
      {"kurve1.skalieren", "", kScaleRangeMessage},
      {"kurve1.verschieben", "abc", kShiftRangeMessage},
      {"kurve1.verschieben", "", kShiftRangeMessage},
      {"kurve1.kopieren", "5", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..4"},
      {"kurve1.kopieren", "1", "Ungültige Eingabe.\rKurve 1 kann nicht auf sich selbst kopiert werden"},
      {"taster1.close", "9", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 0..8"},
      {"sw1", "an", "Ungültige Eingabe.\rZugelassen sind nur servo oder lernen"},
      {"adresse1.aktion", "los", "Ungültige Eingabe.\rZugelassen sind nur start, startloop, abbruch oder beenden"},
      {"adresse1.kurve", "0", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..4"},
      {"adresse8.relais", "5", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..4"},
      {"servo1.keineunterbrechung", "ja", "Ungültige Eingabe.\rZugelassen sind nur 0 (aus) und 1 (ein)"},
      {"servo1.impulsmin", "0.392",
       "Ungültige Eingabe.\rZugelassen sind nur Zeiten im Werte-Bereich 0.400 .. 2.040 ms in Schritten von 0.008 ms"},
      {"servo1.impulsmin", "1.001",
       "Ungültige Eingabe.\rZugelassen sind nur Zeiten im Werte-Bereich 0.400 .. 2.040 ms in Schritten von 0.008 ms"},
      {"servo1.impulsmax", "3.032",
       "Ungültige Eingabe.\rZugelassen sind nur Zeiten im Werte-Bereich 1.008 .. 3.024 ms in Schritten von 0.008 ms"},
  };
  ctx.image.set_Hex_EE(0x60, "7D");
  for (const Case& c : cases) {
    Load(211);
    const CurveTable before = model.workingCopy();
    dialogs.clear();
    EXPECT_EQ(model.Set(c.key, c.value), SetOutcome::Refused) << c.key << "=" << c.value;
    ASSERT_EQ(dialogs.messages.size(), 1u) << c.key << "=" << c.value;
    EXPECT_EQ(dialogs.messages[0].text, c.message) << c.key << "=" << c.value;
    EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
    EXPECT_EQ(model.workingCopy().blocks, before.blocks) << c.key;
    EXPECT_FALSE(model.hasPendingChanges()) << c.key;
    EXPECT_EQ(model.pulseOffset(1), 125) << c.key;
  }
}

TEST_F(ServoModelTest, ActionsThroughSet) {
  SetCurve(1, 10, 3);
  SetEntry(1, 2, 0x80 | 5);
  Load(211);
  EXPECT_EQ(model.Actions().size(), 4u * 7 + 2);
  EXPECT_EQ(model.Set("kurve2.erzeugen", "lin:5"), SetOutcome::Done);
  EXPECT_EQ(Entry(1, kEntryCount), 5);
  EXPECT_EQ(Entry(1, 2), 0x80 | 63);
  EXPECT_EQ(Entry(1, 4), 127);
  EXPECT_EQ(model.Set("kurve2.skalieren", "0.5"), SetOutcome::Done);
  EXPECT_EQ(Entry(1, 4), 63);
  EXPECT_EQ(model.Set("kurve2.skalieren", "2,0"), SetOutcome::Done);
  EXPECT_EQ(Entry(1, 4), 126);
  EXPECT_EQ(model.Set("kurve2.verschieben", "-26.5"), SetOutcome::Done);
  EXPECT_EQ(Entry(1, 4), 99);
  EXPECT_EQ(model.Set("kurve2.spiegeln", "vertikal"), SetOutcome::Done);
  EXPECT_EQ(Entry(1, 4), 28);
  EXPECT_EQ(model.Set("kurve4.kopieren", "2"), SetOutcome::Done);
  EXPECT_EQ(Entry(3, kEntryCount), 5);
  EXPECT_EQ(Entry(3, 4), 28);
  EXPECT_EQ(model.Set("kurve2.erzeugen", "sin2:1"), SetOutcome::Refused);
  EXPECT_EQ(dialogs.texts().back(), kShapeNeedsTwoPointsMessage);

  ASSERT_TRUE(WriteTextLinesSafely(Path("a.cur"), {"1", "2", "130"}));
  EXPECT_EQ(model.Set("kurve3.datei", Path("a.cur")), SetOutcome::Done);
  EXPECT_EQ(Entry(2, kEntryCount), 3);
  EXPECT_EQ(Entry(2, 2), 130);
  EXPECT_EQ(model.Set("kurve3.datei", Path("missing.cur")), SetOutcome::Refused);
  EXPECT_EQ(dialogs.messages.back().kind, BoxKind::Error);

  // Curve 3 saved and loaded into curve 1 gives the same points.
  EXPECT_EQ(model.Set("kurve3.speichern", Path("b.cur")), SetOutcome::Done);
  EXPECT_EQ(ReadTextLines(Path("b.cur")), (std::vector<std::string>{"1", "2", "130"}));
  EXPECT_EQ(model.Set("kurve3.speichern", Path("no-such-folder/b.cur")), SetOutcome::Refused);

  const CurveTable wanted = model.workingCopy();
  EXPECT_EQ(model.Set("servo.set.speichern", Path("a.set")), SetOutcome::Done);
  model.Discard();
  EXPECT_EQ(model.Set("servo.set", Path("a.set")), SetOutcome::Done);
  EXPECT_EQ(model.workingCopy().blocks, wanted.blocks);
  EXPECT_TRUE(model.hasPendingChanges());
}

TEST_F(ServoModelTest, PulseTimesThroughSet) {
  ctx.image.set_Hex_EE(0x60, "32");  // O = 50
  ctx.image.set_Hex_EE(0x61, "00");
  Load(211);
  struct Case {
    const char* key;
    const char* value;
    int offset, factor;
  };
  const Case cases[] = {
      {"servo1.impulsmin", "1.000", 125, 0},   {"servo1.impulsmax", "2.016", 125, 0},    // d = 0 with the F held
      {"servo1.impulsmax", "3.024", 125, 127},                                           // d = 126
      {"servo1.impulsmin", "1,008", 126, 127}, {"servo1.impulsmax", "1.016", 126, 128},  // d = -126
      {"servo1.impulsmax", "2.016", 126, 253},                                           // d = -1
      {"servo1.impulsmax", "2.024", 126, 0},                                             // d = 0
      {"servo1.impulsmax", "2.032", 126, 2},                                             // d = 1
  };
  for (const Case& c : cases) {
    EXPECT_EQ(model.Set(c.key, c.value), SetOutcome::Done) << c.key << "=" << c.value;
    EXPECT_EQ(model.pulseOffset(1), c.offset) << c.value;
    EXPECT_EQ(model.pulseFactor(1), c.factor) << c.value;
  }
  model.decimalSeparator = '.';
  EXPECT_EQ(model.maximumPulseText(1), "2.032");
  EXPECT_TRUE(dialogs.messages.empty());
}

// The window's process takes its C locale from the environment; the settings keep their '.'
// and the typed values take both separators whatever it is.
TEST_F(ServoModelTest, NumbersDoNotFollowTheCLocale) {
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale installed";
  ctx.image.set_Hex_EE(0x60, "7D");
  ctx.image.set_Hex_EE(0x61, "00");
  SetCurve(0, 5, 1);
  Load(211);
  EXPECT_EQ(SettingsMap().at("servo1.impulsmax"), "2.016");
  EXPECT_EQ(model.Set("servo1.impulsmin", "1.008"), SetOutcome::Done);
  EXPECT_EQ(model.Set("kurve1.skalieren", "0.5"), SetOutcome::Done);
  EXPECT_EQ(model.Set("kurve1.verschieben", "1,5"), SetOutcome::Done);
  std::setlocale(LC_NUMERIC, before.c_str());
  EXPECT_EQ(model.pulseOffset(1), 126);
  EXPECT_EQ(Entry(0, 4), 3);  // trunc(4 * 0.5) = 2, then trunc(2 + 1.5) = 3
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace korrin
