// The servo model as the command line sees it: its stored settings, its actions and Set.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "editors/servo_model.h"
#include "editors/typed_number.h"
#include "image/format.h"

namespace korrin {

namespace {

const char* const kCountMessage = "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..100";
const char* const kStretchMessage = "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200";
const char* const kThresholdCaption = "Schwellwert Ausgang X7";
const char* const kActionWords[4] = {"start", "startloop", "abbruch", "beenden"};

struct FlagKey {
  const char* key;
  const char* caption;
  int bit;
};
const FlagKey kFlagKeys[4] = {
    {"spannungaus", "Spannung aus", kFlagVoltageOff},
    {"impulseaus", "Impulse aus", kFlagPulsesOff},
    {"keineunterbrechung", "keine Unterbrechung", kFlagNoInterrupt},
    {"keinewiederholung", "keine Wiederholung", kFlagNoRepeat},
};

std::string RangeMessage(int low, int high) {
  return Format("Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich %i..%i", low, high);
}

// The number inside a key as the editor lists it: decimal digits, no sign, no leading zero
// ("kurve01" is no spelling of "kurve1").
std::optional<int> KeyNumber(const std::string& text) {
  if (text.empty() || text.size() > 9 || text[0] == '0') return std::nullopt;
  int v = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
  return v;
}

// "kurve2" with prefix "kurve": 2.
std::optional<int> NumberAfter(const std::string& head, const char* prefix) {
  const std::string p(prefix);
  if (head.size() <= p.size() || head.compare(0, p.size(), p) != 0) return std::nullopt;
  return KeyNumber(head.substr(p.size()));
}

// A number typed as a value, checked against low..high before it is used (a sign is read as
// a sign, so -5 is outside 0..127 rather than 5 or a huge index).
std::optional<int> NumberIn(const std::string& text, int low, int high) {
  const TypedNumber typed = ReadTypedNumber(text, low, high);
  if (typed.kind != TypedNumberKind::InRange) return std::nullopt;
  return typed.value;
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    parts.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return parts;
}

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) out += (i ? "," : "") + parts[i];
  return out;
}

std::string CaptionOf(const std::string& rowCaption) {
  std::string c = rowCaption;
  if (!c.empty() && c.back() == ':') c.pop_back();
  return c;
}

// A pulse time in ms as a count of 8 µs units; nothing unless it is a whole count.
std::optional<int> PulseUnits(const std::string& text) {
  const auto v = ReadServoDecimal(text);
  if (!v) return std::nullopt;
  const double units = std::round(*v * 125.0);
  if (std::fabs(units / 125.0 - *v) > 1e-6 || units < -1e6 || units > 1e6) return std::nullopt;
  return static_cast<int>(units);
}

EditorSetting Item(std::string section, std::string key, std::string caption, std::string value, std::string element = "",
                   bool perCharacter = false) {
  return {std::move(section), std::move(key), std::move(caption), std::move(value), std::move(element), perCharacter};
}

std::string PulseText(int units) { return FormatPulseTime(static_cast<float>(units) * 0.008f, '.'); }

}  // namespace

// --- settings --------------------------------------------------------------------------------

std::vector<EditorSetting> ServoModel::Settings() const {
  std::vector<EditorSetting> out;
  const CurvePresentation& cp = curvePresentation_;
  for (int k = 0; k < kCurveBlocks; ++k) {
    const CurveBlock& block = curveTable_.blocks[static_cast<size_t>(k)];
    const std::string key = Format("kurve%i", k + 1);
    const std::string caption = Format("Kurve %i", k + 1);
    out.push_back(Item("curves", key + ".anzahl", caption + " Anzahl Punkte", std::to_string(block[kEntryCount])));
    out.push_back(Item("curves", key + ".dehnung", caption + " Stretch-Faktor", std::to_string(block[kEntryStretch])));
    std::vector<std::string> points;
    std::string relay;
    for (int q = 0; q < ClampedCount(block); ++q) {
      points.push_back(std::to_string(block[static_cast<size_t>(q)] & kPositionMask));
      relay += (block[static_cast<size_t>(q)] & kRelayBit) ? 'X' : '.';
    }
    out.push_back(Item("curves", key + ".punkte", caption, Join(points), "Punkt"));
    out.push_back(Item("curves", key + ".relais", caption + " Relais", relay, "Punkt", true));
  }
  const int firstButton = cp.relayStripAndSw1 ? 1 : 3;
  for (int list = 0; list < 4; ++list) {
    const std::string key = Format("taster%i.%s", firstButton + list / 2, list % 2 ? "open" : "close");
    const int index = ButtonActionIndex(curveTable_.blocks[static_cast<size_t>(list)][kEntryButtonAction]);
    out.push_back(Item("curves", key, cp.buttonLabels[static_cast<size_t>(list)], std::to_string(index)));
  }
  if (cp.relayStripAndSw1) out.push_back(Item("curves", "sw1", "Funktion für Taster SW1", sw1Learn_ ? "lernen" : "servo"));
  if (cp.x7Threshold) out.push_back(Item("curves", "x7", kThresholdCaption, std::to_string(x7Threshold_)));

  const AssignmentPresentation& ap = assignmentPresentation_;
  for (int r = 1; r <= ap.rows; ++r) {
    const AddressRowView v = addressRow(r);
    const std::string key = Format("adresse%i", r);
    const std::string caption = CaptionOf(v.caption);
    if (ap.servoAndRelayLists)
      out.push_back(Item("assignments", key + ".servo", caption + " Servo", std::to_string(v.servo + 1)));
    out.push_back(Item("assignments", key + ".aktion", caption + " Aktion", kActionWords[v.action]));
    out.push_back(Item("assignments", key + ".kurve", caption + " Kurve", std::to_string(v.curve + 1)));
    if (ap.servoAndRelayLists)
      out.push_back(Item("assignments", key + ".relais", caption + " Relais", std::to_string(v.relay + 1)));
  }
  for (int s = 1; s <= ap.servoGroups; ++s) {
    const std::string key = Format("servo%i", s);
    const std::string caption = Format("Servo %i", s);
    for (const FlagKey& f : kFlagKeys)
      out.push_back(Item("assignments", key + "." + f.key, caption + " " + f.caption, servoFlag(s, f.bit) ? "1" : "0"));
    const PulseTimes t = PulseTimesFor(pulseOffset(s), pulseFactor(s));
    out.push_back(Item("assignments", key + ".impulsmin", caption + " Impuls-Zeit (Min)", FormatPulseTime(t.minimum, '.')));
    out.push_back(Item("assignments", key + ".impulsmax", caption + " Impuls-Zeit (Max)", FormatPulseTime(t.maximum, '.')));
  }
  return out;
}

std::vector<EditorAction> ServoModel::Actions() const {
  std::vector<EditorAction> out;
  for (int k = 1; k <= kCurveBlocks; ++k) {
    const std::string key = Format("kurve%i", k);
    out.push_back({key + ".erzeugen", "lin|log|sin|sin2[:PUNKTE]",
                   "Kurvenform erzeugen (sin: 1/4 Sin, sin2: 1/2 Sin), wahlweise zuerst die Anzahl Punkte setzen",
                   ActionKind::Generate});
    out.push_back({key + ".spiegeln", "vertikal|horizontal", "Kurvenform spiegeln", ActionKind::Transform});
    out.push_back({key + ".skalieren", "FAKTOR", "Kurve mit dem Faktor (0.1 .. 10) multiplizieren", ActionKind::Transform});
    out.push_back({key + ".verschieben", "BETRAG", "Kurve um den Betrag (-100 .. 100) nach oben oder unten verschieben",
                   ActionKind::Transform});
    out.push_back(
        {key + ".kopieren", "1..4", "Punkte, Anzahl und Stretch-Faktor einer anderen Kurve übernehmen", ActionKind::Copy});
    out.push_back({key + ".datei", "PFAD", "Kurven-Datei (*.cur) in diese Kurve laden", ActionKind::ReadFile});
    out.push_back({key + ".speichern", "PFAD", "diese Kurve als Kurven-Datei (*.cur) speichern", ActionKind::WriteFile});
  }
  out.push_back({"servo.set", "PFAD", "Set-Datei (*.set) mit beiden Kurven-Tabellen laden", ActionKind::ReadFile});
  out.push_back({"servo.set.speichern", "PFAD", "beide Kurven-Tabellen als Set-Datei (*.set) speichern", ActionKind::WriteFile});
  return out;
}

SetOutcome ServoModel::Refuse(const std::string& message) {
  ctx.dialogs.show(BoxKind::Warning, message, Buttons::Cancel);
  return SetOutcome::Refused;
}

SetOutcome ServoModel::Set(const std::string& key, const std::string& value) {
  ChangeScope change(*this);
  RecordedStep step(ctx.steps, StepNameOf(key));
  const CurvePresentation& cp = curvePresentation_;
  if (key == "sw1" && cp.relayStripAndSw1) {
    if (value != "servo" && value != "lernen") return Refuse("Ungültige Eingabe.\rZugelassen sind nur servo oder lernen");
    ChooseSw1(value == "lernen");
    return SetOutcome::Done;
  }
  if (key == "x7" && cp.x7Threshold) {
    if (value.empty()) return Refuse(Format("Ungültige Eingabe für <%s> ", kThresholdCaption));
    return ThresholdTextChanged(value) ? SetOutcome::Done : SetOutcome::Refused;
  }
  if (key == "servo.set") {
    return LoadSetFrom(value) == CurveFileResult::Done ? SetOutcome::Done : SetOutcome::Refused;
  }
  if (key == "servo.set.speichern") {
    return SaveSetTo(value) == CurveFileResult::Done ? SetOutcome::Done : SetOutcome::Refused;
  }
  const size_t dot = key.find('.');
  if (dot == std::string::npos) return SetOutcome::UnknownKey;
  const std::string head = key.substr(0, dot);
  const std::string what = key.substr(dot + 1);
  if (auto k = NumberAfter(head, "kurve"); k && *k >= 1 && *k <= kCurveBlocks) return SetCurveKey(*k - 1, what, value);
  if (auto t = NumberAfter(head, "taster")) {
    const int first = cp.relayStripAndSw1 ? 1 : 3;
    if (*t < first || *t > first + 1 || (what != "close" && what != "open")) return SetOutcome::UnknownKey;
    const int list = 2 * (*t - first) + (what == "open" ? 1 : 0);
    const int choices = static_cast<int>(cp.buttonChoices[static_cast<size_t>(list)].size());
    const auto index = NumberIn(value, 0, choices - 1);
    if (!index) return Refuse(RangeMessage(0, choices - 1));
    ChooseButtonAction(list, *index);
    return SetOutcome::Done;
  }
  if (auto r = NumberAfter(head, "adresse"); r && *r >= 1 && *r <= assignmentPresentation_.rows)
    return SetAssignmentKey(*r, what, value);
  if (auto s = NumberAfter(head, "servo"); s && *s >= 1 && *s <= assignmentPresentation_.servoGroups)
    return SetServoKey(*s, what, value);
  return SetOutcome::UnknownKey;
}

SetOutcome ServoModel::SetCurveKey(int curve, const std::string& what, const std::string& value) {
  if (what == "anzahl" || what == "dehnung") {
    const bool count = what == "anzahl";
    if (value.empty()) return Refuse(count ? kCountMessage : kStretchMessage);
    SelectCurve(curve);
    const bool ok = count ? CountTextChanged(value) : StretchTextChanged(value);
    return ok ? SetOutcome::Done : SetOutcome::Refused;
  }
  if (what == "punkte") {
    const std::vector<std::string> parts = SplitList(value);
    if (parts.size() > static_cast<size_t>(kMaxCurvePoints))
      return Refuse("Ungültige Eingabe.\rZugelassen sind nur 1..100 Punkte");
    std::vector<int> positions;
    for (const std::string& part : parts) {
      const auto p = NumberIn(part, 0, 127);
      if (!p) return Refuse(RangeMessage(0, 127));
      positions.push_back(*p);
    }
    SelectCurve(curve);
    CurveBlock& block = selectedBlock();
    for (size_t q = 0; q < positions.size(); ++q) SetPointPosition(block, static_cast<int>(q), positions[q]);
    // The list is the whole curve: its length becomes the count, as a curve file's does.
    block[kEntryCount] = static_cast<int>(positions.size());
    ShowParameters();
    pending_ = true;
    return SetOutcome::Done;
  }
  if (what == "relais") {
    const bool valid = !value.empty() && value.size() <= static_cast<size_t>(kMaxCurvePoints) &&
                       value.find_first_not_of("X.") == std::string::npos;
    if (!valid) return Refuse("Ungültige Eingabe.\rZugelassen sind nur 1..100 Zeichen X (Relais ein) oder . (aus)");
    SelectCurve(curve);
    for (size_t q = 0; q < value.size(); ++q) SetPointRelay(selectedBlock(), static_cast<int>(q), value[q] == 'X');
    pending_ = true;
    return SetOutcome::Done;
  }
  if (what == "erzeugen") {
    const size_t colon = value.find(':');
    const std::string name = value.substr(0, colon);
    std::optional<CurveShape> shape;
    if (name == "lin") shape = CurveShape::Lin;
    if (name == "log") shape = CurveShape::Log;
    if (name == "sin") shape = CurveShape::QuarterSine;
    if (name == "sin2") shape = CurveShape::HalfSine;
    if (!shape) return Refuse("Ungültige Eingabe.\rZugelassen sind nur lin, log, sin oder sin2");
    SelectCurve(curve);
    if (colon != std::string::npos) {
      const std::string count = value.substr(colon + 1);
      if (count.empty()) return Refuse(kCountMessage);
      if (!CountTextChanged(count)) return SetOutcome::Refused;
    }
    return Generate(*shape) ? SetOutcome::Done : SetOutcome::Refused;
  }
  if (what == "spiegeln") {
    if (value != "vertikal" && value != "horizontal")
      return Refuse("Ungültige Eingabe.\rZugelassen sind nur vertikal oder horizontal");
    SelectCurve(curve);
    if (value == "vertikal") MirrorCurveVertical();
    else MirrorCurveHorizontal();
    return SetOutcome::Done;
  }
  if (what == "skalieren" || what == "verschieben") {
    const bool scale = what == "skalieren";
    SelectCurve(curve);
    if (scale) SetScaleText(value);
    else SetShiftText(value);
    return (scale ? ApplyScale() : ApplyShift()) ? SetOutcome::Done : SetOutcome::Refused;
  }
  if (what == "kopieren") {
    const auto from = NumberIn(value, 1, kCurveBlocks);
    if (!from) return Refuse(RangeMessage(1, kCurveBlocks));
    // The frame offers no button for copying a curve onto itself.
    if (*from - 1 == curve)
      return Refuse(Format("Ungültige Eingabe.\rKurve %i kann nicht auf sich selbst kopiert werden", *from));
    SelectCurve(curve);
    CopyFrom(*from - 1);
    return SetOutcome::Done;
  }
  if (what == "datei") {
    SelectCurve(curve);
    return LoadCurveFrom(value) == CurveFileResult::Done ? SetOutcome::Done : SetOutcome::Refused;
  }
  if (what == "speichern") {
    SelectCurve(curve);
    return SaveCurveTo(value) == CurveFileResult::Done ? SetOutcome::Done : SetOutcome::Refused;
  }
  return SetOutcome::UnknownKey;
}

SetOutcome ServoModel::SetAssignmentKey(int row, const std::string& what, const std::string& value) {
  const bool lists = assignmentPresentation_.servoAndRelayLists;
  auto oneToFour = [&](void (ServoModel::*choose)(int, int)) {
    const auto n = NumberIn(value, 1, 4);
    if (!n) return Refuse(RangeMessage(1, 4));
    (this->*choose)(row, *n - 1);
    return SetOutcome::Done;
  };
  if (what == "servo" && lists) return oneToFour(&ServoModel::ChooseServo);
  if (what == "kurve") return oneToFour(&ServoModel::ChooseCurve);
  if (what == "relais" && lists) return oneToFour(&ServoModel::ChooseRelay);
  if (what == "aktion") {
    for (int i = 0; i < 4; ++i) {
      if (value == kActionWords[i]) {
        ChooseAction(row, i);
        return SetOutcome::Done;
      }
    }
    return Refuse("Ungültige Eingabe.\rZugelassen sind nur start, startloop, abbruch oder beenden");
  }
  return SetOutcome::UnknownKey;
}

SetOutcome ServoModel::SetServoKey(int servo, const std::string& what, const std::string& value) {
  for (const FlagKey& f : kFlagKeys) {
    if (what != f.key) continue;
    if (value != "0" && value != "1") return Refuse("Ungültige Eingabe.\rZugelassen sind nur 0 (aus) und 1 (ein)");
    SetServoFlag(servo, f.bit, value == "1");
    return SetOutcome::Done;
  }
  const size_t i = static_cast<size_t>(servo - 1);
  if (what == "impulsmin") {
    // The buttons reach 50..255 units; a value the image already holds is taken as it is.
    const auto units = PulseUnits(value);
    if (!units || ((*units < 50 || *units > 255) && *units != pulseOffset_[i]))
      return Refuse("Ungültige Eingabe.\rZugelassen sind nur Zeiten im Werte-Bereich " + PulseText(50) + " .. " + PulseText(255) +
                    " ms in Schritten von 0.008 ms");
    pulseOffset_[i] = *units;
    pending_ = true;
    return SetOutcome::Done;
  }
  if (what == "impulsmax") {
    // The maximum is (O + 127 + d) units with d in -126..126; d chooses the range value F,
    // the one already held when it gives the same time.
    const int o = pulseOffset_[i];
    const auto units = PulseUnits(value);
    const int d = units ? *units - o - 127 : 1000;
    if (d < -126 || d > 126)
      return Refuse("Ungültige Eingabe.\rZugelassen sind nur Zeiten im Werte-Bereich " + PulseText(o + 1) + " .. " +
                    PulseText(o + 253) + " ms in Schritten von 0.008 ms");
    if (PulseRange(pulseFactor_[i]) != d) pulseFactor_[i] = d == 0 ? 0 : d > 0 ? d + 1 : 254 + d;
    pending_ = true;
    return SetOutcome::Done;
  }
  return SetOutcome::UnknownKey;
}

}  // namespace korrin
