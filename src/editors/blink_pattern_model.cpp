#include "editors/blink_pattern_model.h"

#include <algorithm>
#include <climits>

#include "editors/blink_pattern_display.h"
#include "image/format.h"

namespace korrin {

namespace {

// The number in an edit's text for the time texts; a text that is not a number keeps the
// stored value.
int EditNumber(const std::string& text, int fallback) {
  PatternNumberInput in = ReadPatternNumber(text, INT_MIN, INT_MAX);
  return in.kind == PatternNumberInput::Kind::Value ? in.value : fallback;
}

std::string Prefix(int address) { return "muster" + std::to_string(address) + "."; }

// "Muster 2, Anzahl Punkte ändern" for the selected block 1.
std::string PatternStep(int block, const std::string& what) {
  return "Muster " + std::to_string(block + 1) + ", " + what + " ändern";
}

}  // namespace

PatternEditorModel::PatternEditorModel(EditorContext& context, PatternLayout layout, Behaviour behaviour)
    : EditorModel(context),
      table_(std::move(layout)),
      behaviour_(behaviour),
      outputs_(static_cast<size_t>(table_.outputCount()), false),
      strips_(static_cast<size_t>(table_.outputCount())) {}

BlinkPatternModel::BlinkPatternModel(EditorContext& context)
    : PatternEditorModel(context, FourOutputPatternLayout(), Behaviour{false, true}) {}

LedBlinkPatternModel::LedBlinkPatternModel(EditorContext& context)
    : PatternEditorModel(context, LedPatternLayout(context.Editor().stretch), Behaviour{true, false}) {}

bool PatternEditorModel::outputChecked(int output) const {
  if (output < 0 || output >= outputCount()) return false;
  return outputs_[static_cast<size_t>(output)];
}

// --- load, apply, discard ----------------------------------------------------------------------

void PatternEditorModel::Load() {
  ChangeScope change(*this);
  // ShowEditor: the table is read and shown while `filling` is set.
  filling = true;
  mouseDown_ = false;
  for (auto& s : strips_) s.points.clear();
  ReloadEditor();
  applyEnabled_ = false;
  if (behaviour_.drawAtEndOfShowEditor) DrawPatterns();
  filling = false;
  // RefreshEditor, which the main window runs right after ShowEditor.
  ShowParameters();
  DrawPatterns();
}

void PatternEditorModel::ReloadEditor() {
  LoadPatterns();
  ShowParameters();
  DrawPatterns();
}

void PatternEditorModel::LoadPatterns() {
  table_.setLayout(layoutForFirmware());
  table_.LoadPatterns(ctx.image);
}

void PatternEditorModel::StorePatterns() { table_.StorePatterns(ctx.image); }

void PatternEditorModel::applyPendingChanges() {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "übernehmen");
  StorePatterns();
  applyEnabled_ = false;
}

void PatternEditorModel::Discard() {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "verwerfen");
  ReloadEditor();
  applyEnabled_ = false;
}

// --- showing -------------------------------------------------------------------------------

void PatternEditorModel::ShowParameters() {
  const int k = selected_;
  // A block is never copied onto itself.
  for (int i = 0; i < 4; ++i) copyEnabled_[static_cast<size_t>(i)] = i != k;
  // Each control that changes runs its reaction, as when the user changes it.
  SetCountText(std::to_string(table_.count(k)));
  SetStretchText(std::to_string(table_.stretch(k)));
  SetLoopBox(table_.loop(k));
  for (int j = 0; j < outputCount(); ++j) SetOutputBox(j, table_.outputUsed(k, j));
  // The time texts follow what the edits show.
  const int n = EditNumber(countText_, table_.count(k));
  const int s = EditNumber(stretchText_, table_.stretch(k));
  rasterText_ = PatternRasterText(s);
  totalText_ = PatternTotalText(s, n);
}

void PatternEditorModel::DrawPatterns() {
  const int k = selected_;
  const int n = table_.drawCount(k);
  for (int j = 0; j < outputCount(); ++j) {
    Strip& strip = strips_[static_cast<size_t>(j)];
    strip.visible = outputs_[static_cast<size_t>(j)];
    strip.points.assign(static_cast<size_t>(n), false);
    for (int q = 0; q < n; ++q) strip.points[static_cast<size_t>(q)] = table_.pointOn(k, q, j);
  }
}

// --- controls set from code ----------------------------------------------------------------

PatternEditorModel::Input PatternEditorModel::SetCountText(const std::string& text) {
  if (text == countText_) return Input::Taken;
  countText_ = text;
  return NumberChanged(countText_, table_.layout().maxCount, true);
}

PatternEditorModel::Input PatternEditorModel::SetStretchText(const std::string& text) {
  if (text == stretchText_) return Input::Taken;
  stretchText_ = text;
  return StretchChanged();
}

void PatternEditorModel::SetLoopBox(bool checked) {
  if (checked == loop_) return;
  loop_ = checked;
  LoopClicked();
}

void PatternEditorModel::SetOutputBox(int output, bool checked) {
  if (output < 0 || output >= outputCount() || outputs_[static_cast<size_t>(output)] == checked) return;
  outputs_[static_cast<size_t>(output)] = checked;
  OutputClicked(output);
}

// --- the reactions -------------------------------------------------------------------------

PatternEditorModel::Input PatternEditorModel::NumberChanged(const std::string& text, int max, bool isCount) {
  PatternNumberInput in = ReadPatternNumber(text, 1, max);
  if (in.kind == PatternNumberInput::Kind::Empty) return Input::Taken;
  if (in.kind == PatternNumberInput::Kind::Invalid) {
    ctx.dialogs.show(BoxKind::Warning, PatternRangeMessage(1, max), Buttons::Cancel);
    return Input::Refused;
  }
  if (isCount) table_.storeCount(selected_, in.value);
  else table_.storeStretch(selected_, in.value);
  DrawPatterns();
  // Showing the parameters writes the clamped value back into the edit.
  if (!filling) ShowParameters();
  applyEnabled_ = true;
  return Input::Taken;
}

PatternEditorModel::Input PatternEditorModel::StretchChanged() {
  if (behaviour_.stretchIgnoredWhileFilling && filling) return Input::Taken;
  return NumberChanged(stretchText_, table_.layout().maxStretch, false);
}

void PatternEditorModel::LoopClicked() {
  if (filling) return;
  table_.setLoop(selected_, loop_);
  applyEnabled_ = true;  // the loop is not drawn
}

void PatternEditorModel::OutputClicked(int output) {
  if (filling) return;
  table_.setOutputUsed(selected_, output, outputs_[static_cast<size_t>(output)]);
  DrawPatterns();  // the strip is shown or hidden
  applyEnabled_ = true;
}

// --- the user's actions --------------------------------------------------------------------

void PatternEditorModel::SelectAddress(int address) {
  if (address < 0 || address > 3 || address == selected_) return;
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps, "");
  selected_ = address;
  if (filling) return;
  // Showing a pattern may clamp its values and so offer "Übernehmen": a step of its own.
  stepName = "Muster " + std::to_string(address + 1) + " anzeigen";
  ShowParameters();
  DrawPatterns();
}

PatternEditorModel::Input PatternEditorModel::CountTextChanged(const std::string& text) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, PatternStep(selected_, "Anzahl Punkte"), Prefix(selected_ + 1) + "anzahl");
  return SetCountText(text);
}

PatternEditorModel::Input PatternEditorModel::StretchTextChanged(const std::string& text) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, PatternStep(selected_, "Stretch-Faktor"), Prefix(selected_ + 1) + "dehnung");
  return SetStretchText(text);
}

void PatternEditorModel::LoopToggled(bool checked) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, PatternStep(selected_, "Loop"));
  SetLoopBox(checked);
}

void PatternEditorModel::OutputToggled(int output, bool checked) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, PatternStep(selected_, "Ausgang " + std::to_string(output + 1) + " verwenden"));
  SetOutputBox(output, checked);
}

// One stroke, press to release, is one step; it is named after the strip painted first.
void PatternEditorModel::StripPressed() {
  if (!mouseDown_ && ctx.steps) ctx.steps->Begin("", "");
  mouseDown_ = true;
}

void PatternEditorModel::StripMoved(int output, int point, bool on) {
  if (!mouseDown_) return;
  Paint(output, point, on);
}

void PatternEditorModel::StripReleased() {
  const bool stroke = mouseDown_;
  mouseDown_ = false;
  if (stroke && ctx.steps) ctx.steps->End();
}

void PatternEditorModel::Paint(int output, int point, bool on) {
  if (output < 0 || output >= outputCount()) return;
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, PatternStep(selected_, "Ausgang " + std::to_string(output + 1)));
  // The table clamps the point to the paintable points of the block.
  table_.paintPoint(selected_, point, output, on);
  DrawPatterns();
  applyEnabled_ = true;
}

void PatternEditorModel::Copy(int fromAddress) {
  if (fromAddress < 0 || fromAddress > 3) return;
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, "");
  stepName = "Muster " + std::to_string(selected_ + 1) + " von #" + std::to_string(fromAddress + 1);
  table_.copyBlock(fromAddress, selected_);
  DrawPatterns();
  ShowParameters();
  applyEnabled_ = true;
}

// --- undo ----------------------------------------------------------------------------------

void PatternEditorModel::RestoreState(const EditorModel& state) { *this = static_cast<const PatternEditorModel&>(state); }

size_t PatternEditorModel::StateBytes() const {
  size_t bytes = sizeof(*this) + table_.entries().capacity() * sizeof(int) + outputs_.capacity() / 8 +
                 table_.layout().outputs.capacity() * sizeof(PatternOutput);
  for (const Strip& strip : strips_) bytes += sizeof(strip) + strip.points.capacity() / 8;
  return bytes;
}

// --- settings ------------------------------------------------------------------------------

// Per address: count and stretch as the edits take them (the value the editor keeps, clamped
// to the edit's range), the loop box, and per output its used box and its row of points, one
// character per drawn point.
std::vector<EditorSetting> PatternEditorModel::Settings() const {
  std::vector<EditorSetting> out;
  for (int a = 1; a <= 4; ++a) {
    const int k = a - 1;
    const std::string key = Prefix(a);
    const std::string caption = "Muster " + std::to_string(a) + ", ";
    const int n = table_.drawCount(k);
    const int s = std::clamp(table_.stretch(k), 1, table_.layout().maxStretch);
    out.push_back({"patterns", key + "anzahl", caption + "Anzahl Punkte", std::to_string(n), "", false});
    out.push_back({"patterns", key + "dehnung", caption + "Stretch-Faktor", std::to_string(s), "", false});
    out.push_back({"patterns", key + "loop", caption + "Loop", table_.loop(k) ? "1" : "0", "", false});
    for (int j = 0; j < outputCount(); ++j) {
      const std::string output = "ausgang" + std::to_string(j + 1);
      const std::string outputCaption = caption + "Ausgang " + std::to_string(j + 1);
      out.push_back({"patterns", key + output + ".verwenden", outputCaption + " verwenden", table_.outputUsed(k, j) ? "1" : "0",
                     "", false});
      std::string row;
      for (int q = 0; q < n; ++q) row += table_.pointOn(k, q, j) ? 'X' : '.';
      out.push_back({"patterns", key + output, outputCaption, row, "Punkt", true});
    }
  }
  return out;
}

std::vector<EditorAction> PatternEditorModel::Actions() const {
  std::vector<EditorAction> out;
  for (int a = 1; a <= 4; ++a)
    out.push_back({Prefix(a) + "kopieren", "1..4",
                   "Kurve kopieren: Muster " + std::to_string(a) +
                       " übernimmt Punkte, Anzahl, Stretch-Faktor, Loop und Ausgänge des angegebenen Musters",
                   ActionKind::Copy});
  return out;
}

SetOutcome PatternEditorModel::Set(const std::string& key, const std::string& value) {
  RecordedStep step(ctx.steps, StepNameOf(key));
  for (int a = 1; a <= 4; ++a) {
    const std::string prefix = Prefix(a);
    if (key.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string rest = key.substr(prefix.size());
    if (rest == "anzahl") return SetNumber(a, true, value);
    if (rest == "dehnung") return SetNumber(a, false, value);
    if (rest == "loop") return SetFlag(a, -1, value);
    if (rest == "kopieren") return SetCopy(a, value);
    for (int o = 1; o <= outputCount(); ++o) {
      const std::string output = "ausgang" + std::to_string(o);
      if (rest == output) return SetRow(a, o - 1, value);
      if (rest == output + ".verwenden") return SetFlag(a, o - 1, value);
    }
    return SetOutcome::UnknownKey;
  }
  return SetOutcome::UnknownKey;
}

// The address is selected as with its radio button, then the edit gets the value as typed
// text. A refused text is not left in the edit.
SetOutcome PatternEditorModel::SetNumber(int address, bool isCount, const std::string& value) {
  ChangeScope change(*this);
  const int max = isCount ? table_.layout().maxCount : table_.layout().maxStretch;
  if (value.empty()) {  // the edit ignores an empty text; a setting needs a number
    ctx.dialogs.show(BoxKind::Warning, PatternRangeMessage(1, max), Buttons::Cancel);
    return SetOutcome::Refused;
  }
  SelectAddress(address - 1);
  std::string& text = isCount ? countText_ : stretchText_;
  const std::string before = text;
  Input in = isCount ? SetCountText(value) : SetStretchText(value);
  if (in == Input::Refused) {
    text = before;
    return SetOutcome::Refused;
  }
  return SetOutcome::Done;
}

SetOutcome PatternEditorModel::SetFlag(int address, int output, const std::string& value) {
  if (value != "0" && value != "1") {
    ctx.dialogs.show(BoxKind::Warning, "Ungültige Eingabe.\rZugelassen sind nur 0 (aus) und 1 (ein)", Buttons::Cancel);
    return SetOutcome::Refused;
  }
  ChangeScope change(*this);
  SelectAddress(address - 1);
  if (output < 0) SetLoopBox(value == "1");
  else SetOutputBox(output, value == "1");
  return SetOutcome::Done;
}

// A row is drawn as a drag along the whole strip: every point of the block is set or cleared.
SetOutcome PatternEditorModel::SetRow(int address, int output, const std::string& value) {
  const int n = table_.drawCount(address - 1);
  bool valid = static_cast<int>(value.size()) == n;
  for (char c : value) valid = valid && (c == 'X' || c == '.');
  if (!valid) {
    ctx.dialogs.show(BoxKind::Warning,
                     Format("Ungültiges Muster für Muster %i, Ausgang %i.\r"
                            "Erwartet werden %i Zeichen (Anzahl Punkte): X für an, . für aus",
                            address, output + 1, n),
                     Buttons::Cancel);
    return SetOutcome::Refused;
  }
  ChangeScope change(*this);
  SelectAddress(address - 1);
  for (int q = 0; q < n; ++q) Paint(output, q, value[static_cast<size_t>(q)] == 'X');
  return SetOutcome::Done;
}

SetOutcome PatternEditorModel::SetCopy(int address, const std::string& value) {
  const bool digit = value.size() == 1 && value[0] >= '1' && value[0] <= '4';
  if (!digit) {
    ctx.dialogs.show(BoxKind::Warning, PatternRangeMessage(1, 4), Buttons::Cancel);
    return SetOutcome::Refused;
  }
  const int from = value[0] - '0';
  if (from == address) {
    // The frame's copy button of the selected address is never enabled.
    ctx.dialogs.show(BoxKind::Warning, Format("Ungültige Eingabe.\rMuster %i kann nicht auf sich selbst kopiert werden", address),
                     Buttons::Cancel);
    return SetOutcome::Refused;
  }
  ChangeScope change(*this);
  SelectAddress(address - 1);
  Copy(from - 1);
  return SetOutcome::Done;
}

}  // namespace korrin
