#pragma once
// The servo editors without widgets. ServoCurveFrame (the curves) and ServoAssignmentFrame (the address
// assignment) are two views of this one model: it holds the working copy of both curve
// tables, the pulse-time values, everything the two frames show, and runs every reaction of
// their controls. "übernehmen" writes the working copy into the image, "verwerfen" reloads it.
//
// The edits of the curve frame behave as edits do: setting a text from inside a reaction (the
// count shown after a curve was selected, the limited threshold) runs that edit's reaction
// again when the text differs from the one shown, exactly as a change typed by the user.
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editors/curve_files.h"
#include "editors/curve_generators.h"
#include "editors/editor_model.h"
#include "editors/servo_assignment.h"
#include "editors/servo_curves.h"

namespace korrin {

// The size of the two drawings in pixels: the mouse positions the frame passes are pixels of
// drawings of this size.
constexpr int kCurveDrawingWidth = 530;
constexpr int kCurveDrawingHeight = 201;
constexpr int kRelayDrawingHeight = 57;

// EEPROM bytes written at once by the curve frame.
constexpr int kEepromSw1 = 0x00;  // "01" = "Lernen + Justage", "F0" = "Servo-Bedienung"
constexpr int kEepromX7 = 0x30;   // threshold of output X7

class ServoModel : public EditorModel {
 public:
  explicit ServoModel(EditorContext& context);
  FrameKind kind() const override { return FrameKind::Servo; }

  // ShowEditor of both frames: reads tables, SW1, X7 threshold and pulse values from the
  // image; nothing is pending afterwards.
  void Load() override;
  // Section "curves", K = 1..4:
  //   kurveK.anzahl   "Kurve K Anzahl Punkte"   count as typed into the edit (1..100, limited)
  //   kurveK.dehnung  "Kurve K Stretch-Faktor"  stretch (1..200, limited)
  //   kurveK.punkte   "Kurve K", element "Punkt": positions 0..127 of the points, comma list;
  //                   setting it makes its length the count (as a curve file does) and keeps
  //                   the relay bits
  //   kurveK.relais   "Kurve K Relais", one character per point: X relay on, . off; setting
  //                   it changes the first points only, up to its length
  //   tasterT.close / tasterT.open  the label ("Taster 1 close"): 0 = first choice, n = "wie Adr.n"
  //                   (T = 1, 2 on the four-servo decoder, 3, 4 on the others)
  //   sw1             "Funktion für Taster SW1" (four-servo decoder): servo | lernen
  //   x7              "Schwellwert Ausgang X7" (types 466, 32210): 0..127
  // Section "assignments", N = 1..rows, S = 1..servo groups:
  //   adresseN.servo, adresseN.relais (four-servo decoder): 1..4
  //   adresseN.aktion start | startloop | abbruch | beenden;  adresseN.kurve 1..4
  //   servoS.spannungaus, .impulseaus, .keineunterbrechung, .keinewiederholung: 0 | 1
  //   servoS.impulsmin, servoS.impulsmax: pulse time in ms, "1.000" (multiples of 0.008)
  // sw1 and x7 are written into the EEPROM at once, as the frame writes them; all the others
  // change the working copy.
  std::vector<EditorSetting> Settings() const override;
  std::vector<EditorAction> Actions() const override;
  SetOutcome Set(const std::string& key, const std::string& value) override;
  std::shared_ptr<const EditorModel> CloneState() const override { return std::make_shared<ServoModel>(*this); }
  void RestoreState(const EditorModel& state) override;
  size_t StateBytes() const override;

  bool hasPendingChanges() const override { return pending_; }
  // "übernehmen": both curve tables and the eight pulse-time bytes 0x60..0x67.
  void applyPendingChanges() override;
  // "verwerfen": the tables again from the image. SW1 and X7 were written at once and stay;
  // the pulse-time values keep their working values.
  void Discard() override;

  // --- what the curve frame shows ------------------------------------------------------------
  // The values the count, stretch and X7 threshold edits take (a number beyond is limited to
  // them); their spinners step within the same ranges.
  struct ValueRange {
    int min;
    int max;
  };
  static constexpr ValueRange countRange() { return {1, kMaxCurvePoints}; }
  static constexpr ValueRange stretchRange() { return {1, 200}; }
  static constexpr ValueRange thresholdRange() { return {0, 127}; }
  const CurveTable& workingCopy() const { return curveTable_; }
  int selectedCurve() const { return selected_; }  // 0..3
  const CurvePresentation& curvePresentation() const { return curvePresentation_; }
  const std::string& countText() const { return countText_; }
  const std::string& stretchText() const { return stretchText_; }
  const std::string& pointTimeText() const { return pointTimeText_; }  // lbl_KurveInfo1
  const std::string& totalTimeText() const { return totalTimeText_; }  // lbl_KurveInfo2
  const std::string& thresholdText() const { return thresholdText_; }
  const std::string& scaleText() const { return scaleText_; }
  const std::string& shiftText() const { return shiftText_; }
  int x7Threshold() const { return x7Threshold_; }
  bool copyEnabled(int curve) const { return curve != selected_; }
  int rasterX() const { return rasterX_; }
  int rasterY() const { return rasterY_; }
  bool sw1Learn() const { return sw1Learn_; }  // "Lernen + Justage" checked
  // Push-button list i (servo_cbx_s1c, _s1o, _s2c, _s2o): the selected entry, or -1 when the
  // stored action lies beyond the list.
  int buttonActionIndex(int list) const;
  bool buttonListVisible(int list) const;
  CurvePicture curvePicture() const;
  RelayPicture relayPicture() const;

  // --- what the assignment frame shows -------------------------------------------------------
  const AssignmentPresentation& assignmentPresentation() const { return assignmentPresentation_; }
  struct AddressRowView {
    std::string caption;
    bool visible = false;
    bool servoVisible = false, actionVisible = false, curveVisible = false, relayVisible = false;
    int servo = 0, action = 0, curve = 0, relay = 0;  // list indices
  };
  AddressRowView addressRow(int row /*1..8*/) const;
  bool servoGroupVisible(int servo /*1..4*/) const { return servo <= assignmentPresentation_.servoGroups; }
  bool servoFlag(int servo /*1..4*/, int bit) const { return ServoFlag(curveTable_, servo - 1, bit); }
  int pulseOffset(int servo) const { return pulseOffset_[static_cast<size_t>(servo - 1)]; }
  int pulseFactor(int servo) const { return pulseFactor_[static_cast<size_t>(servo - 1)]; }
  // The pulse times in ms with three decimals and the user's decimal separator, which the
  // frame sets from its locale (the core never asks for one).
  std::string minimumPulseText(int servo) const;
  std::string maximumPulseText(int servo) const;
  char decimalSeparator = '.';

  // --- reactions of the curve frame ----------------------------------------------------------
  // Each returns false where the frame puts the focus back into its edit after a refusal.
  void SelectCurve(int curve);                         // servo_rad_axClick
  bool CountTextChanged(const std::string& text);      // edt_AnzahlChange
  bool StretchTextChanged(const std::string& text);    // edt_stretchChange
  bool ThresholdTextChanged(const std::string& text);  // edt_tambel_schwelleChange
  void ChooseRaster(int x, int y);                     // cbx_raster_xChange
  void MouseDown();
  void MouseUp();
  void CurveMouseMove(int x, int y);  // servo_Image1MouseMove, pixels of the curve drawing
  void RelayMouseMove(int x, int y);  // servo_Image2MouseMove, pixels of the relay strip
  // What a drag does to one point of the selected curve.
  void PaintPoint(int point, int position);
  void PaintRelayStep(int point, bool on);
  bool Generate(CurveShape shape);  // false: the curve has one point (message shown)
  void MirrorCurveVertical();
  void MirrorCurveHorizontal();
  void SetScaleText(const std::string& text) { scaleText_ = text; }
  void SetShiftText(const std::string& text) { shiftText_ = text; }
  // btn_scaleClick, btn_shiftClick with the text of their edit. An empty text is refused with
  // the range message, as every text that is no number in the range.
  bool ApplyScale();
  bool ApplyShift();
  void CopyFrom(int curve);  // btn_copy1Click .. btn_copy4Click (0..3)
  // The file buttons, with the file dialogs of the context.
  CurveFileResult LoadCurve();
  CurveFileResult SaveCurve();
  CurveFileResult LoadSet();
  CurveFileResult SaveSet();
  // The same with a path (the command line).
  CurveFileResult LoadCurveFrom(const std::string& path);
  CurveFileResult SaveCurveTo(const std::string& path);
  CurveFileResult LoadSetFrom(const std::string& path);
  CurveFileResult SaveSetTo(const std::string& path);
  void ChooseSw1(bool learn);                    // servo_rad_Click
  void ChooseButtonAction(int list, int index);  // servo_cbx_sxxChange

  // --- reactions of the assignment frame (row 1..8, servo 1..4) ------------------------------
  void ChooseServo(int row, int index);
  void ChooseAction(int row, int index);
  void ChooseCurve(int row, int index);
  void ChooseRelay(int row, int index);
  // One check box of one servo: the bit of that kind in all four blocks from the four boxes.
  void SetServoFlag(int servo, int bit, bool checked);
  void StepOffset(int servo, int step);  // btn_offset_Click: step +10, +1, -1 or -10
  void StepFactor(int servo, int step);  // btn_faktor_Click

 private:
  CurveBlock& selectedBlock() { return curveTable_.blocks[static_cast<size_t>(selected_)]; }
  void ReloadEditor();
  void ShowParameters();
  void setCountText(const std::string& text);
  void setStretchText(const std::string& text);
  void setThresholdText(const std::string& text);
  bool countReaction();
  bool stretchReaction();
  bool thresholdReaction();
  void CurveChanged();
  void AfterFileLoad(CurveFileResult result);

  SetOutcome SetCurveKey(int curve, const std::string& what, const std::string& value);
  SetOutcome SetAssignmentKey(int row, const std::string& what, const std::string& value);
  SetOutcome SetServoKey(int servo, const std::string& what, const std::string& value);
  SetOutcome Refuse(const std::string& message);

  CurveTable curveTable_;
  std::array<int, kServos> pulseOffset_{};
  std::array<int, kServos> pulseFactor_{};
  int x7Threshold_ = 0;
  bool mouseDown_ = false;
  int selected_ = 0;
  bool pending_ = false;
  bool sw1Learn_ = false;
  int rasterX_ = 0;
  int rasterY_ = 0;
  CurvePresentation curvePresentation_;
  AssignmentPresentation assignmentPresentation_;
  std::string countText_, stretchText_, pointTimeText_, totalTimeText_, thresholdText_;
  std::string scaleText_ = "0,5";
  std::string shiftText_ = "10";
};

}  // namespace korrin
