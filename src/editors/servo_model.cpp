#include "editors/servo_model.h"

#include <algorithm>
#include <cmath>

#include "image/format.h"

namespace korrin {

namespace {

const char* const kCountMessage = "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..100";
const char* const kStretchMessage = "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200";
const char* const kThresholdCaption = "Schwellwert Ausgang X7";

// The undo step name of an action on curve `selected` (0..3): "Kurve 2 Lin".
std::string CurveStep(int selected, const std::string& what) { return "Kurve " + std::to_string(selected + 1) + " " + what; }

}  // namespace

ServoModel::ServoModel(EditorContext& context) : EditorModel(context) {
  curvePresentation_ = CurvePresentationFor(kNoEditor);
  assignmentPresentation_ = AssignmentPresentationFor(kNoEditor.servoAddresses);
}

// --- undo ----------------------------------------------------------------------------------

// The state comes back, but not the raster, which is a setting of the program rather than of
// the file.
void ServoModel::RestoreState(const EditorModel& state) {
  const int rasterX = rasterX_, rasterY = rasterY_;
  *this = static_cast<const ServoModel&>(state);
  rasterX_ = rasterX;
  rasterY_ = rasterY;
}

size_t ServoModel::StateBytes() const {
  size_t bytes = sizeof(*this);
  for (const std::string* s :
       {&countText_, &stretchText_, &pointTimeText_, &totalTimeText_, &thresholdText_, &scaleText_, &shiftText_})
    bytes += s->capacity();
  return bytes;
}

// --- load, apply, discard --------------------------------------------------------------------

void ServoModel::Load() {
  ChangeScope change(*this);
  filling = true;
  curvePresentation_ = CurvePresentationFor(ctx.Editor());
  assignmentPresentation_ = AssignmentPresentationFor(ctx.Editor().servoAddresses);
  rasterX_ = std::clamp(ctx.RasterX, 0, 70);
  rasterY_ = std::clamp(ctx.RasterY, 0, 10);
  mouseDown_ = false;
  ReloadEditor();
  pending_ = false;
  // The pulse values: a cell that is no exact byte text keeps the value held so far.
  for (int s = 0; s < kServos; ++s) {
    const size_t i = static_cast<size_t>(s);
    if (auto v = ExactHexByte(ctx.image.get_Hex_EE(kPulseEepromCell + 2 * s))) pulseOffset_[i] = *v;
    if (auto v = ExactHexByte(ctx.image.get_Hex_EE(kPulseEepromCell + 1 + 2 * s))) pulseFactor_[i] = *v;
  }
  filling = false;
}

void ServoModel::ReloadEditor() {
  LoadCurves(ctx.image, curveTable_);
  // Reading SW1 writes nothing: byte 0x00 is written only when the user picks a function.
  sw1Learn_ = ctx.image.get_Hex_EE(kEepromSw1) == "01";
  if (curvePresentation_.x7Threshold) {
    x7Threshold_ = ctx.image.eepromValue(kEepromX7);
    setThresholdText(std::to_string(x7Threshold_));
  }
  ShowParameters();
  pending_ = false;
}

void ServoModel::applyPendingChanges() {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "übernehmen");
  StoreCurves(curveTable_, ctx.image);
  for (int s = 0; s < kServos; ++s) {
    ctx.image.setEepromValue(kPulseEepromCell + 2 * s, pulseOffset_[static_cast<size_t>(s)]);
    ctx.image.setEepromValue(kPulseEepromCell + 1 + 2 * s, pulseFactor_[static_cast<size_t>(s)]);
  }
  pending_ = false;
}

void ServoModel::Discard() {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "verwerfen");
  ReloadEditor();
  pending_ = false;
}

// --- what the frames show --------------------------------------------------------------------

int ServoModel::buttonActionIndex(int list) const {
  const size_t i = static_cast<size_t>(list);
  const int index = ButtonActionIndex(curveTable_.blocks[i][kEntryButtonAction]);
  return index < static_cast<int>(curvePresentation_.buttonChoices[i].size()) ? index : -1;
}

bool ServoModel::buttonListVisible(int list) const {
  // Only the four-servo decoder has the SW1 choice; the lists of push-button 1 are usable
  // only while SW1 operates the servos.
  return !(curvePresentation_.relayStripAndSw1 && list < 2 && sw1Learn_);
}

CurvePicture ServoModel::curvePicture() const {
  std::optional<int> threshold;
  if (curvePresentation_.x7Threshold) threshold = x7Threshold_;
  return LayoutCurve(curveTable_.blocks[static_cast<size_t>(selected_)], kCurveDrawingWidth, kCurveDrawingHeight, rasterX_,
                     rasterY_, threshold);
}

RelayPicture ServoModel::relayPicture() const {
  return LayoutRelay(curveTable_.blocks[static_cast<size_t>(selected_)], kCurveDrawingWidth, kRelayDrawingHeight, rasterX_);
}

ServoModel::AddressRowView ServoModel::addressRow(int row) const {
  const AssignmentPresentation& p = assignmentPresentation_;
  AddressRowView v;
  v.caption = p.captions[static_cast<size_t>(row - 1)];
  v.visible = row <= p.rows;
  const AddressRowPlace place = AddressRowSlot(row);
  const CurveBlock& block = curveTable_.blocks[static_cast<size_t>(place.block)];
  const int servoAction = block[static_cast<size_t>(place.servoEntry)];
  const int curveRelay = block[static_cast<size_t>(place.curveEntry)];
  v.servo = ServoIndex(servoAction);
  v.action = ActionIndex(servoAction);
  v.curve = CurveIndex(curveRelay);
  v.relay = RelayIndex(curveRelay);
  const bool curveShown = CurveListVisible(v.action);
  v.servoVisible = v.visible && p.servoAndRelayLists;
  v.actionVisible = v.visible;
  v.curveVisible = v.visible && curveShown;
  v.relayVisible = v.visible && p.servoAndRelayLists && curveShown;
  return v;
}

std::string ServoModel::minimumPulseText(int servo) const {
  return FormatPulseTime(PulseTimesFor(pulseOffset(servo), pulseFactor(servo)).minimum, decimalSeparator);
}

std::string ServoModel::maximumPulseText(int servo) const {
  return FormatPulseTime(PulseTimesFor(pulseOffset(servo), pulseFactor(servo)).maximum, decimalSeparator);
}

// --- the curve frame's edits -----------------------------------------------------------------

void ServoModel::ShowParameters() {
  setCountText(std::to_string(selectedBlock()[kEntryCount]));
  setStretchText(std::to_string(selectedBlock()[kEntryStretch]));
  // The texts follow what the edits now show.
  const CurveBlock& block = selectedBlock();
  const int n = ReadServoInteger(countText_).value_or(block[kEntryCount]);
  const int s = ReadServoInteger(stretchText_).value_or(block[kEntryStretch]);
  pointTimeText_ = PointTimeText(s);
  totalTimeText_ = TotalTimeText(n, s);
}

void ServoModel::setCountText(const std::string& text) {
  if (text == countText_) return;
  countText_ = text;
  countReaction();
}

void ServoModel::setStretchText(const std::string& text) {
  if (text == stretchText_) return;
  stretchText_ = text;
  stretchReaction();
}

void ServoModel::setThresholdText(const std::string& text) {
  if (text == thresholdText_) return;
  thresholdText_ = text;
  thresholdReaction();
}

bool ServoModel::CountTextChanged(const std::string& text) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, CurveStep(selected_, "Anzahl Punkte ändern"), "kurve" + std::to_string(selected_ + 1) + ".anzahl");
  countText_ = text;
  return countReaction();
}

bool ServoModel::StretchTextChanged(const std::string& text) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, CurveStep(selected_, "Stretch-Faktor ändern"),
                    "kurve" + std::to_string(selected_ + 1) + ".dehnung");
  stretchText_ = text;
  return stretchReaction();
}

bool ServoModel::ThresholdTextChanged(const std::string& text) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, std::string(kThresholdCaption) + " ändern", "x7");
  thresholdText_ = text;
  return thresholdReaction();
}

bool ServoModel::countReaction() {
  const std::string text = countText_;
  if (text.empty()) return true;
  const auto v = ReadServoInteger(text);
  if (!v) {
    ctx.dialogs.show(BoxKind::Warning, kCountMessage, Buttons::Cancel);
    return false;
  }
  const int n = std::clamp(*v, countRange().min, countRange().max);
  // Showing another curve's count runs this reaction too; only a count that differs from the
  // stored one is a change of the working copy. While loading it is stored but not shown.
  const bool changed = selectedBlock()[kEntryCount] != n;
  selectedBlock()[kEntryCount] = n;
  if (filling) return true;
  ShowParameters();
  if (changed) pending_ = true;
  return true;
}

bool ServoModel::stretchReaction() {
  if (filling) return true;
  const std::string text = stretchText_;
  if (text.empty()) return true;
  const auto v = ReadServoInteger(text);
  if (!v) {
    ctx.dialogs.show(BoxKind::Warning, kStretchMessage, Buttons::Cancel);
    return false;
  }
  const int stretch = std::clamp(*v, stretchRange().min, stretchRange().max);
  const bool changed = selectedBlock()[kEntryStretch] != stretch;
  selectedBlock()[kEntryStretch] = stretch;
  ShowParameters();
  if (changed) pending_ = true;
  return true;
}

bool ServoModel::thresholdReaction() {
  if (filling) return true;
  const std::string text = thresholdText_;
  if (text.empty()) return true;
  const auto v = ReadServoInteger(text);
  if (!v) {
    ctx.dialogs.show(BoxKind::Warning, Format("Ungültige Eingabe für <%s> ", kThresholdCaption), Buttons::Cancel);
    return false;
  }
  const int t = std::clamp(*v, thresholdRange().min, thresholdRange().max);
  const std::string shown = std::to_string(t);
  if (thresholdText_ != shown) {
    // Writing the limited value back runs this reaction once more with that value.
    setThresholdText(shown);
    return true;
  }
  // Written at once; this is no change of the working copy.
  x7Threshold_ = t;
  ctx.image.setEepromValue(kEepromX7, t);
  return true;
}

// --- the curve frame's other controls --------------------------------------------------------

void ServoModel::SelectCurve(int curve) {
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps, "");
  selected_ = std::clamp(curve, 0, kCurveBlocks - 1);
  if (filling) return;
  ShowParameters();
}

void ServoModel::ChooseRaster(int x, int y) {
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps, "");
  if (filling) return;
  rasterX_ = std::clamp(x, 0, 70);
  rasterY_ = std::clamp(y, 0, 10);
  ctx.RasterX = rasterX_;
  ctx.RasterY = rasterY_;
}

// One drag, press to release, is one step.
void ServoModel::MouseDown() {
  if (!mouseDown_ && ctx.steps) ctx.steps->Begin("", "");
  mouseDown_ = true;
}

void ServoModel::MouseUp() {
  const bool drag = mouseDown_;
  mouseDown_ = false;
  if (drag && ctx.steps) ctx.steps->End();
}

void ServoModel::CurveMouseMove(int x, int y) {
  if (!mouseDown_) return;
  const float cellWidth = CellWidth(kCurveDrawingWidth, selectedBlock()[kEntryCount]);
  const float height = static_cast<float>(kCurveDrawingHeight);
  PaintPoint(NearestCurvePoint(x, cellWidth), CurvePositionAt(y, height, height / 128.0f));
}

void ServoModel::RelayMouseMove(int x, int y) {
  if (!mouseDown_) return;
  const float cellWidth = CellWidth(kCurveDrawingWidth, selectedBlock()[kEntryCount]);
  const float height = static_cast<float>(kRelayDrawingHeight);
  PaintRelayStep(RelayCellAt(x, cellWidth), RelayOnAt(y, height, height / 128.0f));
}

void ServoModel::PaintPoint(int point, int position) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, CurveStep(selected_, "ändern"));
  SetPointPosition(selectedBlock(), std::clamp(point, 0, kMaxCurvePoints - 1), std::clamp(position, 0, 127));
  pending_ = true;
}

void ServoModel::PaintRelayStep(int point, bool on) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, CurveStep(selected_, "Relais ändern"));
  SetPointRelay(selectedBlock(), std::clamp(point, 0, kMaxCurvePoints - 1), on);
  pending_ = true;
}

void ServoModel::CurveChanged() { pending_ = true; }

bool ServoModel::Generate(CurveShape shape) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  stepName = CurveStep(selected_, shape == CurveShape::Lin           ? "Lin"
                                  : shape == CurveShape::Log         ? "Log"
                                  : shape == CurveShape::QuarterSine ? "1/4 Sin"
                                                                     : "1/2 Sin");
  if (!GenerateCurve(selectedBlock(), shape)) {
    ctx.dialogs.show(BoxKind::Warning, kShapeNeedsTwoPointsMessage, Buttons::Ok);
    return false;
  }
  CurveChanged();
  return true;
}

void ServoModel::MirrorCurveVertical() {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  stepName = CurveStep(selected_, "vertikal spiegeln");
  MirrorVertical(selectedBlock());
  CurveChanged();
}

void ServoModel::MirrorCurveHorizontal() {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  stepName = CurveStep(selected_, "horizontal spiegeln");
  MirrorHorizontal(selectedBlock());
  CurveChanged();
}

bool ServoModel::ApplyScale() {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  stepName = CurveStep(selected_, "skalieren");
  // An empty edit is refused like any text that is no factor: the button asks for an action
  // that cannot be done, and saying so beats a click (or a command) that silently does nothing.
  const auto f = ReadScaleFactor(scaleText_);
  if (!f) {
    ctx.dialogs.show(BoxKind::Warning, kScaleRangeMessage, Buttons::Cancel);
    return false;
  }
  ScaleCurve(selectedBlock(), *f);
  CurveChanged();
  return true;
}

bool ServoModel::ApplyShift() {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  stepName = CurveStep(selected_, "verschieben");
  const auto s = ReadShiftAmount(shiftText_);  // empty: refused, as for the scale
  if (!s) {
    ctx.dialogs.show(BoxKind::Warning, kShiftRangeMessage, Buttons::Cancel);
    return false;
  }
  ShiftCurve(selectedBlock(), *s);
  CurveChanged();
  return true;
}

void ServoModel::CopyFrom(int curve) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  stepName = CurveStep(selected_, "von #" + std::to_string(std::clamp(curve, 0, kCurveBlocks - 1) + 1));
  CopyCurve(curveTable_, std::clamp(curve, 0, kCurveBlocks - 1), selected_);
  ShowParameters();
  pending_ = true;
}

void ServoModel::AfterFileLoad(CurveFileResult result) {
  // A file is taken whole or not at all, so a refused or cancelled one left the working copy
  // as it was and there is nothing to show or to offer.
  if (result != CurveFileResult::Done) return;
  ShowParameters();
  pending_ = true;
}

CurveFileResult ServoModel::LoadCurve() {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  stepName = CurveStep(selected_, "laden");
  const CurveFileResult r = LoadCurveFile(curveTable_, selected_, ctx.dialogs, ctx.fileDialogs);
  AfterFileLoad(r);
  return r;
}

CurveFileResult ServoModel::SaveCurve() { return SaveCurveFile(curveTable_, selected_, ctx.dialogs, ctx.fileDialogs); }

CurveFileResult ServoModel::LoadSet() {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  stepName = "Kurvensatz laden";
  const CurveFileResult r = LoadSetFile(curveTable_, ctx.dialogs, ctx.fileDialogs);
  AfterFileLoad(r);
  return r;
}

CurveFileResult ServoModel::SaveSet() { return SaveSetFile(curveTable_, ctx.dialogs, ctx.fileDialogs); }

CurveFileResult ServoModel::LoadCurveFrom(const std::string& path) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  stepName = CurveStep(selected_, "laden");
  const CurveFileResult r = LoadCurveFileFrom(curveTable_, selected_, path, ctx.dialogs);
  AfterFileLoad(r);
  return r;
}

CurveFileResult ServoModel::SaveCurveTo(const std::string& path) {
  return SaveCurveFileTo(curveTable_, selected_, path, ctx.dialogs);
}

CurveFileResult ServoModel::LoadSetFrom(const std::string& path) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  stepName = "Kurvensatz laden";
  const CurveFileResult r = LoadSetFileFrom(curveTable_, path, ctx.dialogs);
  AfterFileLoad(r);
  return r;
}

CurveFileResult ServoModel::SaveSetTo(const std::string& path) { return SaveSetFileTo(curveTable_, path, ctx.dialogs); }

void ServoModel::ChooseSw1(bool learn) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "Funktion für Taster SW1 ändern");
  sw1Learn_ = learn;
  // Written at once, and "verwerfen" does not restore it.
  ctx.image.set_Hex_EE(kEepromSw1, learn ? "01" : "F0");
  pending_ = true;
}

void ServoModel::ChooseButtonAction(int list, int index) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, curvePresentation_.buttonLabels[static_cast<size_t>(std::clamp(list, 0, 3))] + " ändern");
  curveTable_.blocks[static_cast<size_t>(std::clamp(list, 0, 3))][kEntryButtonAction] = ButtonActionValue(index);
  pending_ = true;
}

// --- the assignment frame --------------------------------------------------------------------

namespace {

int& RowByte(CurveTable& table, int row, bool servoByte) {
  const AddressRowPlace p = AddressRowSlot(std::clamp(row, 1, kAddressRows));
  return table.blocks[static_cast<size_t>(p.block)][static_cast<size_t>(servoByte ? p.servoEntry : p.curveEntry)];
}

}  // namespace

void ServoModel::ChooseServo(int row, int index) {
  if (filling) return;
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  int& b = RowByte(curveTable_, row, true);
  b = WithServo(b, index);
  pending_ = true;
}

void ServoModel::ChooseAction(int row, int index) {
  if (filling) return;
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  int& b = RowByte(curveTable_, row, true);
  b = WithAction(b, index);
  pending_ = true;
}

void ServoModel::ChooseCurve(int row, int index) {
  if (filling) return;
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  int& b = RowByte(curveTable_, row, false);
  b = WithCurve(b, index);
  pending_ = true;
}

void ServoModel::ChooseRelay(int row, int index) {
  if (filling) return;
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  int& b = RowByte(curveTable_, row, false);
  b = WithRelay(b, index);
  pending_ = true;
}

void ServoModel::SetServoFlag(int servo, int bit, bool checked) {
  if (filling) return;
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  std::array<bool, kServos> boxes{};
  for (int s = 0; s < kServos; ++s) boxes[static_cast<size_t>(s)] = ServoFlag(curveTable_, s, bit);
  boxes[static_cast<size_t>(std::clamp(servo, 1, kServos) - 1)] = checked;
  SetServoFlags(curveTable_, bit, boxes);
  pending_ = true;
}

void ServoModel::StepOffset(int servo, int step) {
  if (filling) return;
  ChangeScope change(*this);
  RecordedStep recorded(ctx.steps, "");
  int& o = pulseOffset_[static_cast<size_t>(std::clamp(servo, 1, kServos) - 1)];
  o = StepPulseOffset(o, step);
  pending_ = true;
}

void ServoModel::StepFactor(int servo, int step) {
  if (filling) return;
  ChangeScope change(*this);
  RecordedStep recorded(ctx.steps, "");
  int& f = pulseFactor_[static_cast<size_t>(std::clamp(servo, 1, kServos) - 1)];
  f = StepPulseFactor(f, step);
  pending_ = true;
}

}  // namespace korrin
