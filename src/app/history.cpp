#include "app/history.h"

#include <algorithm>

#include "app/document.h"

namespace korrin {

namespace {

// The cells of the image in one index range: program memory, EEPROM, configuration words, ID.
constexpr int32_t kEepromBase = kRomCells;
constexpr int32_t kConfigBase = kEepromBase + kEepromCells;
constexpr int32_t kIdIndex = kConfigBase + 4;
constexpr int32_t kCellCount = kIdIndex + 1;

bool SameSettings(const std::vector<EditorSetting>& a, const std::vector<EditorSetting>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].key != b[i].key || a[i].value != b[i].value) return false;
  return true;
}

// How a step names a setting: the CV by its number ("CV29"), everything else by its caption.
std::string SettingName(const EditorSetting& s) {
  if (s.section == "cvs" && s.key.size() > 2) return "CV" + s.key.substr(2);
  return s.caption;
}

// A row's caption without the colon and blanks around it ("Weiche 1:" -> "Weiche 1").
std::string RowName(const std::string& caption) {
  size_t end = caption.find_last_not_of(" :");
  size_t begin = caption.find_first_not_of(' ');
  if (end == std::string::npos || begin == std::string::npos) return "Zeile";
  return caption.substr(begin, end - begin + 1);
}

}  // namespace

HexCell* History::Cell(int32_t index) const {
  FirmwareImage& image = doc_.image;
  auto at = [](HexCells& cells, int32_t i) {
    return i >= 0 && i < static_cast<int32_t>(cells.size()) ? &cells[static_cast<size_t>(i)] : nullptr;
  };
  if (index < kEepromBase) return at(image.Hex_ROM, index);
  if (index < kConfigBase) return at(image.Hex_EE, index - kEepromBase);
  return nullptr;
}

std::string* History::Wide(int32_t index) const {
  FirmwareImage& image = doc_.image;
  if (index >= kConfigBase && index < kIdIndex) return &image.Config[static_cast<size_t>(index - kConfigBase)];
  return index == kIdIndex ? &image.ID_Text : nullptr;
}

void History::TakeBaseline() {
  nextName_.clear();
  mergeOpen_ = false;
  if (!enabled_) {
    // Nothing to undo to: the baseline's memory goes as well.
    HexCells().swap(rom_);
    HexCells().swap(eeprom_);
    settings_.clear();
    modelState_.reset();
    model_ = nullptr;
    hasBaseline_ = false;
    return;
  }
  const FirmwareImage& image = doc_.image;
  rom_ = image.Hex_ROM;
  eeprom_ = image.Hex_EE;
  config_ = image.Config;
  id_ = image.ID_Text;
  for (int r = 0; r < 48; ++r) {
    const AddressRow& row = doc_.rows[r];
    rows_[static_cast<size_t>(r)] = {row.addressText, row.functionText, row.RowGreen};
  }
  model_ = doc_.ShownEditor();
  modelState_ = model_ ? model_->CloneState() : nullptr;
  settings_ = model_ ? model_->Settings() : std::vector<EditorSetting>{};
  pending_ = model_ && model_->hasPendingChanges();
  if (model_) model_->stepName.clear();
  hasBaseline_ = true;
}

void History::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled) {
    steps_.clear();
    done_ = 0;
  }
  TakeBaseline();
}

void History::Clear() {
  steps_.clear();
  done_ = saved_ = 0;
  TakeBaseline();
}

void History::Rebase() { TakeBaseline(); }

bool History::Commit(const std::string& name) {
  if (depth_ > 0) return false;
  const bool recorded = Record(name, "");
  mergeOpen_ = false;
  return recorded;
}

void History::Begin(const std::string& name, const std::string& mergeKey) {
  if (depth_++ > 0) {
    if (openName_.empty()) openName_ = name;
    return;
  }
  Record("", "");  // a change made outside any transaction is a step of its own
  openName_ = name;
  openKey_ = mergeKey;
}

void History::End() {
  if (depth_ == 0 || --depth_ > 0) return;
  Record(openName_, openKey_);
}

void History::Merge(Step& last, Step& step) {
  for (const CellChange& c : step.cells) {
    auto same = std::find_if(last.cells.begin(), last.cells.end(), [&c](const CellChange& l) { return l.index == c.index; });
    if (same == last.cells.end()) last.cells.push_back(c);
    else same->after = c.after;
  }
  for (const WideChange& c : step.wide) {
    auto same = std::find_if(last.wide.begin(), last.wide.end(), [&c](const WideChange& l) { return l.index == c.index; });
    if (same == last.wide.end()) last.wide.push_back(c);
    else same->after = c.after;
  }
  for (const RowChange& c : step.rows) {
    auto same = std::find_if(last.rows.begin(), last.rows.end(), [&c](const RowChange& l) { return l.row == c.row; });
    if (same == last.rows.end()) last.rows.push_back(c);
    else same->after = c.after;
  }
  last.modelAfter = step.modelAfter;
}

bool History::Record(const std::string& name, const std::string& mergeKey) {
  if (!enabled_) return false;
  EditorModel* model = doc_.ShownEditor();
  if (!hasBaseline_ || model != model_) {
    // Only a load shows another editor, and a load clears; nothing to compare with.
    TakeBaseline();
    return false;
  }

  Step step;
  auto compare = [&step](const HexCells& now, const HexCells& was, int32_t base) {
    const size_t n = std::min(now.size(), was.size());
    for (size_t i = 0; i < n; ++i)
      if (!(now[i] == was[i])) step.cells.push_back({base + static_cast<int32_t>(i), was[i], now[i]});
  };
  compare(doc_.image.Hex_ROM, rom_, 0);
  compare(doc_.image.Hex_EE, eeprom_, kEepromBase);
  for (int32_t i = kConfigBase; i < kCellCount; ++i) {
    const std::string& was = i == kIdIndex ? id_ : config_[static_cast<size_t>(i - kConfigBase)];
    if (const std::string* now = Wide(i); now && *now != was) step.wide.push_back({i, was, *now});
  }
  for (int r = 0; r < 48; ++r) {
    const AddressRow& row = doc_.rows[r];
    RowState now{row.addressText, row.functionText, row.RowGreen};
    if (!(now == rows_[static_cast<size_t>(r)])) step.rows.push_back({r, rows_[static_cast<size_t>(r)], now});
  }
  std::vector<EditorSetting> settings = model ? model->Settings() : std::vector<EditorSetting>{};
  const bool pending = model && model->hasPendingChanges();
  const bool modelChanged = !SameSettings(settings, settings_) || pending != pending_;
  std::shared_ptr<const EditorModel> state = model ? model->CloneState() : nullptr;

  if (step.cells.empty() && step.wide.empty() && step.rows.empty() && !modelChanged) {
    modelState_ = state;  // a changed selection or text is what the next step starts from
    if (model) model->stepName.clear();
    nextName_.clear();
    return false;
  }

  step.model = model;
  step.modelBefore = modelState_;
  step.modelAfter = state;
  if (!name.empty()) step.name = name;
  else if (!nextName_.empty()) step.name = nextName_;
  else if (model && !model->stepName.empty()) step.name = model->stepName;
  else step.name = NameFor(step, settings, pending);

  // The new baseline is the state after the step.
  for (const CellChange& c : step.cells) BaselineCell(c.index) = c.after;
  for (const WideChange& c : step.wide) BaselineWide(c.index) = c.after;
  for (const RowChange& c : step.rows) rows_[static_cast<size_t>(c.row)] = c.after;
  modelState_ = state;
  settings_ = std::move(settings);
  pending_ = pending;
  if (model) model->stepName.clear();
  nextName_.clear();

  const bool merge = mergeOpen_ && !mergeKey.empty() && mergeKey == mergeKey_ && done_ > 0 && done_ == steps_.size() &&
                     steps_.back().model == model && saved_ != static_cast<std::ptrdiff_t>(done_);
  mergeKey_ = mergeKey;
  mergeOpen_ = !mergeKey.empty();
  if (merge) {
    Merge(steps_.back(), step);
    if (onStepRecorded) onStepRecorded();
    return true;
  }

  if (saved_ > static_cast<std::ptrdiff_t>(done_)) saved_ = -1;  // among the steps dropped here
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
  steps_.push_back(std::move(step));
  if (steps_.size() > kMaxSteps) {
    steps_.pop_front();
    --saved_;
  }
  done_ = steps_.size();
  if (onStepRecorded) onStepRecorded();
  return true;
}

// The name of a step from what changed: the apply or discard of a working copy, else the
// first changed setting of the editor, else the first changed address row.
std::string History::NameFor(const Step& step, const std::vector<EditorSetting>& settings, bool pending) const {
  const bool imageChanged = !step.cells.empty() || !step.wide.empty();
  if (pending_ && !pending) return imageChanged ? "übernehmen" : "verwerfen";
  if (settings.size() == settings_.size()) {
    for (size_t i = 0; i < settings.size(); ++i)
      if (settings[i].value != settings_[i].value || settings[i].key != settings_[i].key)
        return SettingName(settings[i]) + " ändern";
  }
  if (!step.rows.empty()) {
    const RowChange& c = step.rows.front();
    const std::string row = RowName(doc_.rows[c.row].caption);
    if (c.before.addressText != c.after.addressText) return row + " Adresse ändern";
    if (c.before.functionText != c.after.functionText) return row + " Funktion ändern";
    return row + " R/G umschalten";
  }
  return "Änderung";
}

void History::Restore(const Step& step, bool after) {
  for (const CellChange& c : step.cells) {
    const HexCell& cell = after ? c.after : c.before;
    if (HexCell* now = Cell(c.index)) *now = cell;
    BaselineCell(c.index) = cell;
  }
  for (const WideChange& c : step.wide) {
    const std::string& text = after ? c.after : c.before;
    if (std::string* now = Wide(c.index)) *now = text;
    BaselineWide(c.index) = text;
  }
  for (const RowChange& c : step.rows) {
    const RowState& s = after ? c.after : c.before;
    AddressRow& row = doc_.rows[c.row];
    row.addressText = s.addressText;
    row.functionText = s.functionText;
    row.RowGreen = s.green;
    rows_[static_cast<size_t>(c.row)] = s;
  }
  const std::shared_ptr<const EditorModel>& state = after ? step.modelAfter : step.modelBefore;
  if (step.model && step.model == model_ && state) {
    step.model->Restore(*state);
    modelState_ = state;
  }
  if (model_) {
    model_->stepName.clear();
    settings_ = model_->Settings();
    pending_ = model_->hasPendingChanges();
  }
}

HexCell& History::BaselineCell(int32_t index) {
  return index < kEepromBase ? rom_[static_cast<size_t>(index)] : eeprom_[static_cast<size_t>(index - kEepromBase)];
}

std::string& History::BaselineWide(int32_t index) {
  return index == kIdIndex ? id_ : config_[static_cast<size_t>(index - kConfigBase)];
}

std::string History::UndoName() const { return CanUndo() ? steps_[done_ - 1].name : std::string(); }

std::string History::RedoName() const { return CanRedo() ? steps_[done_].name : std::string(); }

std::optional<std::string> History::Undo() {
  Commit();
  if (depth_ > 0) return std::nullopt;  // in the middle of an action
  if (!CanUndo()) return std::nullopt;
  const Step& step = steps_[--done_];
  Restore(step, false);
  return step.name;
}

std::optional<std::string> History::Redo() {
  Commit();
  if (depth_ > 0) return std::nullopt;
  if (!CanRedo()) return std::nullopt;
  const Step& step = steps_[done_++];
  Restore(step, true);
  return step.name;
}

size_t History::MemoryBytes() const {
  size_t bytes = sizeof(*this) + (rom_.capacity() + eeprom_.capacity()) * sizeof(HexCell) + id_.capacity();
  for (const std::string& c : config_) bytes += c.capacity() > 15 ? c.capacity() : 0;  // beyond the small buffer
  for (const RowState& r : rows_) bytes += r.addressText.capacity() + r.functionText.capacity();
  for (const EditorSetting& s : settings_)
    bytes +=
        sizeof(s) + s.section.capacity() + s.key.capacity() + s.caption.capacity() + s.value.capacity() + s.element.capacity();
  // Consecutive steps share a model copy (the state after one is the state before the next).
  std::vector<const EditorModel*> counted;
  auto countModel = [&](const std::shared_ptr<const EditorModel>& m) {
    if (!m) return;
    for (const EditorModel* c : counted)
      if (c == m.get()) return;
    counted.push_back(m.get());
    bytes += m->StateBytes();
  };
  countModel(modelState_);
  for (const Step& s : steps_) {
    bytes += sizeof(Step) + s.name.capacity() + s.cells.capacity() * sizeof(CellChange);
    for (const WideChange& w : s.wide) bytes += sizeof(w) + w.before.capacity() + w.after.capacity();
    for (const RowChange& r : s.rows)
      bytes += sizeof(r) + r.before.addressText.capacity() + r.before.functionText.capacity() + r.after.addressText.capacity() +
               r.after.functionText.capacity();
    countModel(s.modelBefore);
    countModel(s.modelAfter);
  }
  return bytes;
}

}  // namespace korrin
