#include "editors/options_model.h"

#include <algorithm>

#include "editors/typed_number.h"

namespace korrin {

namespace {

const char* const kModeText =
    "Wird hier ein Mode ausgewählt, so sollte die Mode-\r\nUmschaltung gesperrt werden, da  sich sonst der "
    "gewählte\r\nMode während des \"Brennen\" wieder verstellen kann.";
const char* const kBarDesignHint = "rechts = HELL, Links = dunkel";
const char* const kFadingTitle = "Geschwindigkeit Überblendung (Fading)";
const char* const kSpeedCaption = "Geschwindigkeit";

std::string DefaultModeCaption(size_t i) { return "Mode " + std::to_string(i + 1); }

}  // namespace

void OptionsTrackBar::SetRange(int low, int high) {
  min = low;
  max = high;
  SetPosition(position);
}

void OptionsTrackBar::SetPosition(int value) { position = std::clamp(value, min, max); }

OptionsModel::OptionsModel(EditorContext& context) : EditorModel(context) {
  modeText = kModeText;
  modeBit6.caption = "Dumm Mode: startet immer mit Ausgängen AUS";
  modeBit6.hint = "Dekoder startet mit abgeschalteten Ausgängen. der Zustand beim Abschalten wird also NICHT wieder hergestellt.";
  modeBit6.key = "modus.bit6";
  modeBit7.caption = "Mode-Umschaltung SPERREN";
  modeBit7.hint =
      "Aktiviert: eine Mode-Umschaltung (Taste beim Starten) ist dann nicht mehr möglich. Voreingestellte Modus ist "
      "damit garantiert. ";
  modeBit7.key = "modus.bit7";
  timeOutMarker.caption = "Abschalten des Antriebes NUR nach TimeOut";
  timeOutMarker.hint =
      "Der Abschaltebefehl der Zentrale wird ignoriert, sodass der Antrieb immer genau nach der TimeOut Zeit "
      "abschaltet";
  timeOutMarker.key = "nurtimeout";
  for (size_t i = 0; i < boxes.size(); ++i) boxes[i].top = 40 + 20 * static_cast<int>(i);
  text1.top = 230;
  bar.hint = kBarDesignHint;
  neonLabels[0].text = "Leuchtstufe DUNKEL";
  neonLabels[1].text = "Leuchtstufe HELL";
  neonLabels[2].text =
      "Die Verzögerungszeit definiert eine Einschalt-Verzögerung. \r\nDiese ist dann aktiv, wenn noch kein Ausgang "
      "eingeschaltet \r\nist, also wenn alle Ausgäne dunkel sind. Alle weiteren \r\nAusgänge werden dann ohne "
      "Verzögerungszeit dazu \r\ngeschaltet";
  ResetControls();
}

void OptionsModel::Load() {
  ChangeScope change(*this);
  ResetControls();
  LoadOptions();
}

const OptionTypeSpec* OptionsModel::typeSpec() const { return OptionSpecFor(ctx.Editor().options, ctx.image.Version); }

void OptionsModel::ResetControls() {
  ChangeScope change(*this);
  rows.clear();
  focus = OptionsFocus::None;
  focusRow = -1;

  timeOutMarker.visible = false;
  timeOutMarker.top = 100;
  text1.visible = false;
  // The captions and hints of the boxes stay: each type that shows them sets them.
  for (OptionsCheckBox& box : boxes) box.visible = false;
  bar.visible = barTitle.visible = barLeft.visible = barRight.visible = false;

  modeGroupVisible = false;
  for (size_t i = 0; i < kModeRadios; ++i) {
    modeCaptions[i] = DefaultModeCaption(i);
    modeVisible[i] = i < 2;
  }
  modeTextVisible = true;
  modeBit6.visible = modeBit7.visible = false;

  for (OptionsTrackBar& b : neon) b.visible = false;
  for (OptionsLabel& l : neonLabels) l.visible = false;
  neon[0].top = 40;
  neon[1].top = 60;
  neonLabels[0].top = 44;
  neonLabels[1].top = 64;
  neonLabels[2].top = 104;

  heading = {true, "", 16};
  heading3 = {false, "", 18};
}

void OptionsModel::LoadOptions() {
  ChangeScope change(*this);
  filling = true;
  rows.clear();

  // The mode byte is shown for every type, whether its group is visible or not; without a
  // mode bit the radio buttons stay as they are.
  const int mode = ctx.image.eepromValue(kModeByte);
  if (int radio = ModeRadioOfByte(mode)) checkedMode = radio;
  modeBit6.checked = (mode & 0x40) != 0;
  modeBit7.checked = (mode & 0x80) != 0;

  if (const OptionTypeSpec* optionType = typeSpec()) applyType(*optionType);

  for (OptionRowState& row : rows) {
    int value = ctx.image.eepromValue(row.offset);
    row.text = std::to_string(value);
    row.unitText = row.unit != 0.0f ? OptionUnitLabel(row.unit, value) : std::string();
  }
  filling = false;
}

void OptionsModel::applyType(const OptionTypeSpec& optionType) {
  for (const OptionRowSpec& def : optionType.rows) {
    if (rows.size() >= kOptionRowSlots) break;
    OptionRowState row;
    row.key = def.key;
    row.caption = def.caption;
    row.hint = def.hint;
    row.offset = def.offset;
    row.unit = def.unit;
    row.min = def.min;
    row.max = def.max;
    rows.push_back(row);
  }
  rowTop = optionType.rowTop;

  if (optionType.timeOutMarker) {
    timeOutMarker.checked = TimeOutMarkerTicked(ctx.image.get_Hex_EE(kModeByte));
    timeOutMarker.visible = true;
  }

  if (!optionType.heading.empty()) heading.text = optionType.heading;
  if (!optionType.heading3.empty()) heading3 = {true, optionType.heading3, optionType.heading3Top};

  if (optionType.boxes != OptionBoxes::None) {
    auto ticks = BoxTicksOf(optionType, ctx.image.eepromValue(optionType.boxesByte));
    for (const OptionBoxSpec& def : optionType.boxList) {
      OptionsCheckBox& box = boxes[static_cast<size_t>(def.box - 1)];
      box.caption = def.caption;
      box.hint = def.hint;
      box.key = def.key;
      box.checked = ticks[static_cast<size_t>(def.box - 1)];
      box.visible = def.top >= 0;
      if (box.visible) box.top = def.top;
    }
    if (!optionType.text1.empty()) {
      text1.text = optionType.text1;
      text1.top = optionType.text1Top;
      text1.visible = optionType.text1OnlyWhenBothUnticked ? !ticks[0] && !ticks[1] : true;
    }
  }

  auto showBar = [this](int titleTop) {
    barTitle.top = titleTop;
    bar.top = titleTop + 20;
    bar.visible = barTitle.visible = barLeft.visible = barRight.visible = true;
  };
  if (optionType.bar == OptionBar::Fading) {
    barTitle.text = kFadingTitle;
    barLeft.text = "schnell";
    barRight.text = "langsam";
    bar.SetRange(0, 5);
    bar.tick = 1;
    std::optional<int> position = FadingPositionOf(ctx.image.get_Hex_EE(kOptionValueByte));
    if (!position) {
      // No speed code in the byte: show the fastest setting and make the byte say so.
      position = kFadingFallbackPosition;
      ctx.image.setEepromValue(kOptionValueByte, kFadingFallbackCode);
    }
    bar.SetPosition(*position);
    showBar(optionType.barTitleTop);
  } else if (optionType.bar == OptionBar::Speed) {
    int value = ctx.image.eepromValue(kOptionValueByte);
    barTitle.text = SpeedBarTitle(value);
    // Range, hint, end labels, place and position only when the bar is not shown yet, that
    // is on the first load after ResetControls.
    if (!bar.visible) {
      bar.SetRange(1, 255);
      bar.tick = 5;
      bar.hint.clear();
      barLeft.text = "schnell";
      barRight.text = "langsam";
      bar.SetPosition(value);
      showBar(optionType.barTitleTop);
    }
  }

  // The neon bars too are set up only on the first load after ResetControls; later reloads
  // leave their positions alone.
  if (optionType.neonBars && !neon[0].visible) {
    for (OptionsTrackBar& b : neon) {
      b.SetRange(0, 15);
      b.tick = 1;
      b.hint = "Rechts = HELL, Links = dunkel";
    }
    neon[0].SetPosition(ctx.image.eepromValue(kNeonDarkByte));
    neon[1].SetPosition(ctx.image.eepromValue(kNeonBrightByte));
    neon[0].top = 170;
    neon[1].top = 210;
    neonLabels[0].top = neon[0].top + 3;
    neonLabels[1].top = neon[1].top + 3;
    neonLabels[2].top = 70;
    for (OptionsTrackBar& b : neon) b.visible = true;
    for (OptionsLabel& l : neonLabels) l.visible = true;
  }

  if (optionType.hasModeGroup()) {
    modeGroupVisible = true;
    for (size_t i = 0; i < optionType.modeCaptions.size() && i < kModeRadios; ++i) {
      modeCaptions[i] = optionType.modeCaptions[i];
      modeVisible[i] = true;
    }
    if (optionType.modeOnlyBit6) {
      modeTextVisible = false;
      modeVisible[0] = modeVisible[1] = false;
    }
    modeBit6.visible = optionType.modeBit6;
    modeBit7.visible = ModeBit7Shown(optionType, ctx.image.Version);
  }
}

// ---- reactions ----

void OptionsModel::writeModeByte(int radio) {
  ModeBits bits{modeBit6.visible, modeBit6.checked, modeBit7.visible, modeBit7.checked};
  ctx.image.setEepromValue(kModeByte, ModeByteAfterClick(ctx.image.eepromValue(kModeByte), radio, bits));
}

void OptionsModel::SelectMode(int radio) {
  if (radio < 1 || radio > kModeRadios) return;
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps, modeGroupCaption + " ändern");
  checkedMode = radio;
  if (filling) return;
  writeModeByte(radio);
}

void OptionsModel::SetModeBit6(bool ticked) {
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps, modeBit6.caption + " ändern");
  modeBit6.checked = ticked;
  if (filling) return;
  writeModeByte(0);
}

void OptionsModel::SetModeBit7(bool ticked) {
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps, modeBit7.caption + " ändern");
  modeBit7.checked = ticked;
  if (filling) return;
  writeModeByte(0);
}

void OptionsModel::SetOptionBox(int box, bool ticked) {
  if (box < 1 || box > 8) return;
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps, boxes[static_cast<size_t>(box - 1)].caption + " ändern");
  boxes[static_cast<size_t>(box - 1)].checked = ticked;
  if (filling) return;
  const OptionTypeSpec* optionType = typeSpec();
  if (!optionType) return;
  if (optionType->boxes == OptionBoxes::SwitchOff) {
    bool centralOff = boxes[0].checked;
    bool timeOut = boxes[1].checked;
    text1.visible = !centralOff && !timeOut;
    ctx.image.setEepromValue(optionType->boxesByte, SwitchOffValue(centralOff, timeOut));
  } else if (optionType->boxes == OptionBoxes::BitField) {
    std::array<bool, 8> ticks{};
    for (size_t i = 0; i < 8; ++i) ticks[i] = boxes[i].checked;
    int old = ctx.image.eepromValue(optionType->boxesByte);
    ctx.image.setEepromValue(optionType->boxesByte, BitFieldValue(*optionType, old, ticks));
  }
}

void OptionsModel::SetTimeOutMarker(bool ticked) {
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps, timeOutMarker.caption + " ändern");
  timeOutMarker.checked = ticked;
  if (filling) return;
  ctx.image.setEepromValue(kModeByte, TimeOutMarkerByte(ticked));
}

void OptionsModel::SetFadingOrSpeed(int position) {
  const OptionTypeSpec* optionType = typeSpec();
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps,
                    std::string(optionType && optionType->bar == OptionBar::Fading ? kFadingTitle : kSpeedCaption) + " ändern",
                    "bar");
  bar.SetPosition(position);
  if (filling) return;
  if (optionType && optionType->bar == OptionBar::Fading) {
    bar.hint = "Überblend-Zeit";
    ctx.image.setEepromValue(kOptionValueByte, FadingCode(bar.position));
  } else if (optionType && optionType->bar == OptionBar::Speed) {
    bar.hint = "Ablauf-Geschwindigkeit der Effekte";
    ctx.image.setEepromValue(kOptionValueByte, bar.position);
    focus = OptionsFocus::Bar;
  }
  LoadOptions();
}

void OptionsModel::SetNeonDarkLevel(int position) {
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps, neonLabels[0].text + " ändern", "neon.dunkel");
  neon[0].SetPosition(position);
  if (filling) return;
  ctx.image.setEepromValue(kNeonDarkByte, neon[0].position);
  focus = OptionsFocus::NeonBar1;
  LoadOptions();
}

void OptionsModel::SetNeonBrightLevel(int position) {
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps, neonLabels[1].text + " ändern", "neon.hell");
  neon[1].SetPosition(position);
  if (filling) return;
  ctx.image.setEepromValue(kNeonBrightByte, neon[1].position);
  focus = OptionsFocus::NeonBar2;
  LoadOptions();
}

SetOutcome OptionsModel::SetOptionRowText(int row, const std::string& text) {
  if (row < 0 || row >= static_cast<int>(rows.size())) return SetOutcome::UnknownKey;
  OptionRowState& r = rows[static_cast<size_t>(row)];
  ChangeScope change(*this);
  RecordedStep step(filling ? nullptr : ctx.steps, r.caption + " ändern", r.key);
  r.text = text;
  if (filling) return SetOutcome::Done;
  TypedNumber typed = ReadTypedNumber(text, r.min, r.max);
  switch (typed.kind) {
    case TypedNumberKind::Empty: return SetOutcome::Done;
    case TypedNumberKind::NotANumber:
      ctx.dialogs.show(BoxKind::Warning, NotANumberMessage(), Buttons::Cancel);
      focus = OptionsFocus::Row;
      focusRow = row;
      return SetOutcome::Refused;
    case TypedNumberKind::OutOfRange:
      ctx.dialogs.show(BoxKind::Warning, OutOfRangeMessage(r.min, r.max), Buttons::Cancel);
      return SetOutcome::Refused;
    case TypedNumberKind::InRange:
      ctx.image.setEepromValue(r.offset, typed.value);
      LoadOptions();
      return SetOutcome::Done;
  }
  return SetOutcome::Done;
}

// ---- settings ----

// The fixed part and the option rows; the captions and hints of the boxes are short texts
// counted with the fixed part.
size_t OptionsModel::StateBytes() const {
  size_t bytes = sizeof(*this);
  for (const OptionRowState& row : rows)
    bytes += sizeof(row) + row.caption.capacity() + row.hint.capacity() + row.text.capacity() + row.unitText.capacity();
  return bytes;
}

std::vector<EditorSetting> OptionsModel::Settings() const {
  std::vector<EditorSetting> out;
  auto add = [&out](const std::string& key, const std::string& caption, int value, int min = 0, int max = 1) {
    out.push_back({"options", key, caption, std::to_string(value), "", false, value >= min && value <= max});
  };
  const OptionTypeSpec* optionType = typeSpec();
  for (const OptionRowState& row : rows) add(row.key, row.caption, ctx.image.eepromValue(row.offset), row.min, row.max);

  const int mode = ctx.image.eepromValue(kModeByte);
  if (timeOutMarker.visible)
    add(timeOutMarker.key, timeOutMarker.caption, TimeOutMarkerTicked(ctx.image.get_Hex_EE(kModeByte)) ? 1 : 0);
  if (optionType && optionType->boxes != OptionBoxes::None) {
    auto ticks = BoxTicksOf(*optionType, ctx.image.eepromValue(optionType->boxesByte));
    for (size_t i = 0; i < boxes.size(); ++i)
      if (boxes[i].visible && !boxes[i].key.empty()) add(boxes[i].key, boxes[i].caption, ticks[i] ? 1 : 0);
  }
  if (bar.visible && optionType && optionType->bar == OptionBar::Fading)
    add("fading", kFadingTitle, FadingPositionOf(ctx.image.get_Hex_EE(kOptionValueByte)).value_or(kFadingFallbackPosition),
        bar.min, bar.max);
  if (bar.visible && optionType && optionType->bar == OptionBar::Speed)
    add("geschwindigkeit", kSpeedCaption, ctx.image.eepromValue(kOptionValueByte), bar.min, bar.max);
  if (neon[0].visible) {
    add("neon.dunkel", neonLabels[0].text, ctx.image.eepromValue(kNeonDarkByte), neon[0].min, neon[0].max);
    add("neon.hell", neonLabels[1].text, ctx.image.eepromValue(kNeonBrightByte), neon[1].min, neon[1].max);
  }
  if (modeGroupVisible) {
    int shown = 0;
    while (shown < kModeRadios && modeVisible[static_cast<size_t>(shown)]) ++shown;
    if (modeVisible[0]) add("modus", modeGroupCaption, ModeRadioOfByte(mode), 1, shown);
    if (modeBit6.visible) add(modeBit6.key, modeBit6.caption, (mode & 0x40) ? 1 : 0);
    if (modeBit7.visible) add(modeBit7.key, modeBit7.caption, (mode & 0x80) ? 1 : 0);
  }
  return out;
}

SetOutcome OptionsModel::setNumber(const std::string& value, int min, int max, int current,
                                   const std::function<void(int)>& reaction) {
  TypedNumber typed = ReadTypedNumber(value, min, max);
  switch (typed.kind) {
    case TypedNumberKind::Empty:
    case TypedNumberKind::NotANumber:
      ctx.dialogs.show(BoxKind::Warning, NotANumberMessage(), Buttons::Cancel);
      return SetOutcome::Refused;
    case TypedNumberKind::OutOfRange:
      ctx.dialogs.show(BoxKind::Warning, OutOfRangeMessage(min, max), Buttons::Cancel);
      return SetOutcome::Refused;
    case TypedNumberKind::InRange: break;
  }
  // Choosing what the control already shows raises no event in the frame either.
  if (typed.value != current) reaction(typed.value);
  return SetOutcome::Done;
}

SetOutcome OptionsModel::setTick(const std::string& value, bool current, const std::function<void(bool)>& reaction) {
  return setNumber(value, 0, 1, current ? 1 : 0, [&reaction](int v) { reaction(v != 0); });
}

SetOutcome OptionsModel::Set(const std::string& key, const std::string& value) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, StepNameOf(key));
  for (size_t r = 0; r < rows.size(); ++r)
    if (rows[r].key == key) return SetOptionRowText(static_cast<int>(r), value);

  if (timeOutMarker.visible && key == timeOutMarker.key)
    return setTick(value, timeOutMarker.checked, [this](bool t) { SetTimeOutMarker(t); });
  for (size_t i = 0; i < boxes.size(); ++i)
    if (boxes[i].visible && !boxes[i].key.empty() && key == boxes[i].key)
      return setTick(value, boxes[i].checked, [this, i](bool t) { SetOptionBox(static_cast<int>(i) + 1, t); });

  const OptionTypeSpec* optionType = typeSpec();
  if (bar.visible && optionType &&
      ((optionType->bar == OptionBar::Fading && key == "fading") ||
       (optionType->bar == OptionBar::Speed && key == "geschwindigkeit")))
    return setNumber(value, bar.min, bar.max, bar.position, [this](int p) { SetFadingOrSpeed(p); });
  if (neon[0].visible && key == "neon.dunkel")
    return setNumber(value, neon[0].min, neon[0].max, neon[0].position, [this](int p) { SetNeonDarkLevel(p); });
  if (neon[1].visible && key == "neon.hell")
    return setNumber(value, neon[1].min, neon[1].max, neon[1].position, [this](int p) { SetNeonBrightLevel(p); });

  if (modeGroupVisible) {
    if (key == "modus" && modeVisible[0]) {
      int shown = 0;
      while (shown < kModeRadios && modeVisible[static_cast<size_t>(shown)]) ++shown;
      return setNumber(value, 1, shown, checkedMode, [this](int radio) { SelectMode(radio); });
    }
    if (modeBit6.visible && key == modeBit6.key) return setTick(value, modeBit6.checked, [this](bool t) { SetModeBit6(t); });
    if (modeBit7.visible && key == modeBit7.key) return setTick(value, modeBit7.checked, [this](bool t) { SetModeBit7(t); });
  }
  return SetOutcome::UnknownKey;
}

}  // namespace korrin
