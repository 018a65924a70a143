#include "editors/option_types.h"

#include <algorithm>

#include "base/number_text.h"
#include "image/format.h"

namespace korrin {

namespace {

OptionRowSpec TimeOutRow(int max = 127) {
  return {"Time Out (1..127)", "Zeit, nach der der Antrieb immer spätestens abgeschaltet wird",
          kOptionValueByte, 0.5f, 1, max, "timeout"};
}

OptionRowSpec Mode3Row() {
  return {"Abschaltzeit in Mode 3 (1..255)", "Zeit, nach der in Mode 3 abgeschaltet wird", kOptionValueByte, 0.5f,
          1, 255, "abschaltzeit"};
}

OptionTypeSpec SwitchOffType(OptionType type, int byte) {
  OptionTypeSpec s;
  s.type = type;
  s.rows = {TimeOutRow()};
  s.boxes = OptionBoxes::SwitchOff;
  s.boxesByte = byte;
  s.heading3 = "Abschaltfunktion: Ausgänge abschalten durch...";
  s.heading3Top = 150;
  s.boxList = {
      {1, -1, "OFF-Befehl der Zentrale", "Abschaltbefehl gesendet durch die Zentrale", 170, "abschalten.zentrale"},
      {2, -1, "Time-Out des Dekoders", "Sicherheitsfunktion, wenn OFF-Befehl der Zentrale nicht empfangen wird", 190,
       "abschalten.timeout"},
  };
  s.text1 = "Achtung: Durchbrenn-Gefahr für Weichen-Antriebe!";
  s.text1Top = 230;
  s.text1OnlyWhenBothUnticked = true;
  return s;
}

OptionTypeSpec ModeType(OptionType type, std::vector<std::string> captions, ModeBit7Box bit7,
                        bool bit6 = false) {
  OptionTypeSpec s;
  s.type = type;
  s.modeCaptions = std::move(captions);
  s.modeBit7 = bit7;
  s.modeBit6 = bit6;
  return s;
}

OptionTypeSpec TrafficLight(OptionType type, std::vector<OptionRowSpec> rows, int rowTop, int barTop,
                            bool modes) {
  OptionTypeSpec s;
  s.type = type;
  s.rows = std::move(rows);
  s.rowTop = rowTop;
  s.bar = OptionBar::Fading;
  s.barTitleTop = barTop;
  if (modes) {
    s.modeCaptions = {"Mode 1: Deutschland", "Mode 2: Österreich"};
    s.modeBit7 = ModeBit7Box::ShownAbove354;
  }
  return s;
}

OptionRowSpec PhaseRow(const char* caption, const char* hint, int offset, const char* key) {
  return {caption, hint, offset, 0.2f, 1, 255, key};
}

OptionTypeSpec HouseLighting(OptionType type, int minimumByte) {
  OptionTypeSpec s;
  s.type = type;
  s.rows = {
      {"Ablaufgeschwindigkeit (1..255)", "1 = schnell\n255 = langsam", kOptionValueByte, 0.0f, 1, 255,
       "ablaufgeschwindigkeit"},
      {"Mindestanzahl (1..9)", "Anzahl der mindest aktiven Ausgänge beim Ablauf", minimumByte, 0.0f, 1, 9,
       "mindestanzahl"},
  };
  return s;
}

OptionTypeSpec NeonFunctionDecoder(OptionType type, bool bits) {
  OptionTypeSpec s;
  s.type = type;
  // The caption says 1..127, but these decoders take time-outs up to 255.
  s.rows = {TimeOutRow(255)};
  s.neonBars = true;
  s.modeCaptions = {"Mode 1: Normale Betriebsart Neon", "Mode 2: Steuerwagen Neon",
                    "Mode 3: Normale Betriebsart ohne Neon", "Mode 4: Steuerwagen ohne Neon"};
  s.modeBit6 = bits;
  s.modeBit7 = bits ? ModeBit7Box::Shown : ModeBit7Box::Hidden;
  return s;
}

std::vector<OptionTypeSpec> MakeTable() {
  std::vector<OptionTypeSpec> t;

  // Turnout decoders: Tollet, Pandor, Pandor Spur 1, Lumo88.
  {
    OptionTypeSpec s;
    s.type = OptionType::TurnoutTimeOut;
    s.rows = {TimeOutRow()};
    t.push_back(s);
    s.type = OptionType::TurnoutTimeOutMarker;  // from V3.51
    s.timeOutMarker = true;
    t.push_back(s);
  }
  t.push_back(SwitchOffType(OptionType::TurnoutSwitchOff, 0x00));
  {
    OptionTypeSpec s = SwitchOffType(OptionType::TurnoutSwitchOffLantern, 0x30);
    s.modeCaptions = {"Mode 1: Laternen-Ausgang weich einblenden (Fading)", "Mode 2: Laternen-Ausgang geschaltet"};
    s.modeBit7 = ModeBit7Box::Shown;
    t.push_back(s);
  }

  // Pandor and LED switching, relay decoder 8.
  {
    OptionTypeSpec s = ModeType(OptionType::SwitchingModes,
                                {"Mode 1: Normale Betriebsart", "Mode 2: Dumm-Mode", "Mode 3: Selbstabschaltungs-Mode"},
                                ModeBit7Box::ShownAbove354);
    s.rows = {Mode3Row()};
    t.push_back(s);
    s.type = OptionType::RelayModes;
    s.modeCaptions.push_back("Mode 4: Single Output-Mode");
    t.push_back(s);
  }

  // Signal decoders and the other LED decoders with a plain mode group.
  t.push_back(ModeType(OptionType::SignalDarkening,
                       {"Mode 1: Normale Betriebsart", "Mode 2: mit Dunkeltastung"}, ModeBit7Box::ShownAbove354));
  t.push_back(ModeType(OptionType::SignalObb, {"Mode 1: ohne ROT", "Mode 2: mit ROT "}, ModeBit7Box::ShownAbove354));
  t.push_back(
      ModeType(OptionType::CrossingModes, {"Mode 1: Normale Betriebsart", "Mode 2: Dumm-Mode"}, ModeBit7Box::ShownAbove354));

  // Function decoders.
  t.push_back(ModeType(OptionType::LedFunctionSwitching, {"Mode 1: Normale Betriebsart", "Mode 2: Dumm-Mode"}, ModeBit7Box::Hidden));
  t.push_back(ModeType(OptionType::PandorFunctionSwitching, {"Mode 1: Normale Betriebsart", "Mode 2: Steuerwagen"}, ModeBit7Box::Hidden));
  t.push_back(
      ModeType(OptionType::PandorFunctionSwitching060, {"Mode 1: Normale Betriebsart", "Mode 2: Steuerwagen"}, ModeBit7Box::Shown, true));
  t.push_back(ModeType(OptionType::LedFunctionSwitching060, {"Mode 1: Normale Betriebsart", "Mode 2: Steuerwagen (Ausgang 3/4)"},
                       ModeBit7Box::Shown, true));
  {
    OptionTypeSpec s;
    s.type = OptionType::PandorFunctionBlink060;
    s.modeOnlyBit6 = true;
    s.modeBit6 = true;
    t.push_back(s);
  }

  // LED gas lamp: its modes exist only above version 3.54.
  {
    OptionTypeSpec s = ModeType(OptionType::GasLamp,
                                {"Mode 1: Normale Betriebsart", "Mode 2: kein Einschaltblitz",
                                 "Mode 3: keine Druckschwankungen", "Mode 4: kein Blitz, keine Schwankungen"},
                                ModeBit7Box::Shown);
    s.onlyAbove354 = true;
    t.push_back(s);
  }

  // LED traffic lights.
  t.push_back(TrafficLight(OptionType::TrafficLight340, {}, 20, 50, false));
  t.push_back(TrafficLight(OptionType::TrafficLight341,
                           {PhaseRow("Grünphase Haupt (x 0.2 s)", "Länge der Grünphase Hauptstrasse", 0x60, "gruenphase.haupt"),
                            PhaseRow("Grünphase Neben (x 0.2 s)", "Länge der Grünphase Nebenstrasse", 0x70, "gruenphase.neben")},
                           120, 50, true));
  t.push_back(TrafficLight(
      OptionType::TrafficLight361,
      {PhaseRow("Strasse 1 GRÜN", "Länge GRÜN-Phase Straße 1 (= GRÜN für Strasse und Fussgänger)", 0x60, "strasse1.gruen"),
       PhaseRow("Strasse 2 GRÜN", "Länge GRÜN-Phase Straße 2 (= GRÜN für Strasse und Fussgänger)", 0x70, "strasse2.gruen"),
       PhaseRow("GELB Phase", "Länge für Straße = GELB", 0x71, "gelbphase"),
       PhaseRow("ROT/GELB Phase", "Länge für Straße = ROT/GELB", 0x72, "rotgelbphase"),
       PhaseRow("alles ROT", "Länge alle Ampeln Rot (alle Straßen und alle Fußgänger)", 0x73, "allesrot"),
       PhaseRow("Fußgänger Vorlauf GRÜN", "Zeit zwischen Fußgänger GRÜN und Strasse GRÜN", 0x74, "vorlauf.gruen"),
       PhaseRow("Fußgänger Vorlauf ROT", "Zeit zwischen Fußgänger ROT und Strasse ROT", 0x75, "vorlauf.rot")},
      60, 10, true));

  // LED fairground: speed bar.
  {
    OptionTypeSpec s;
    s.type = OptionType::Fairground;
    s.bar = OptionBar::Speed;
    s.barTitleTop = 50;
    t.push_back(s);
  }

  // LED house lighting.
  t.push_back(HouseLighting(OptionType::House, 0x2F));
  {
    OptionTypeSpec s = HouseLighting(OptionType::House361, 0x30);
    s.modeCaptions = {"Mode 1: Einblenden (Fading)", "Mode 2: geschaltet"};
    s.modeBit7 = ModeBit7Box::Shown;
    t.push_back(s);
  }

  // LED neon from V3.38: special function of outputs 9 and 10, bits 0 and 1 of byte 0x20.
  {
    OptionTypeSpec s;
    s.type = OptionType::Neon338;
    s.boxes = OptionBoxes::BitField;
    s.boxesByte = kOptionValueByte;
    s.heading = "Spezial-Funktion Ausgang 9 / 10:";
    s.boxList = {{1, 0, "Ausgang 9", "", 40, "ausgang9"}, {2, 1, "Ausgang 10", "", 60, "ausgang10"}};
    t.push_back(s);
  }

  // LED neon from V3.48: output functions, one bit each of byte 0x20; bit 5 is not used.
  {
    OptionTypeSpec s;
    s.type = OptionType::Neon348;
    s.boxes = OptionBoxes::BitField;
    s.boxesByte = kOptionValueByte;
    s.heading = "Funktion der Ausgänge:";
    s.text1 = "Tipp: Im Pandor Dekoder sind Ausgang 1-4 nutzbar";
    s.text1Top = 220;
    const char* normalNeon = "Wenn nicht aktiviert, dann ist dieser Ausgang ein normaler 'Neon' Effekt Ausgang";
    const char* defectNeon =
        "Wenn nicht aktiviert, dann ist dieser Ausgang ein 'Neon' Effekt Ausgang, der auch als 'defekt' definiert "
        "werden kann";
    s.boxList = {
        {1, 0, "Ausgang 9 = 'Neon defekt'", "keine Wirkung, wenn Ausgang 9 als 'Schweißer' definiert", 180,
         "ausgang9.neondefekt"},
        {2, 1, "Ausgang 10 = 'Schweißer'", normalNeon, 120, "ausgang10.schweisser"},
        {3, 2, "Ausgang 1/2/3 = 'Schweißer'", normalNeon, 40, "ausgang123.schweisser"},
        {4, 3, "Ausgang 4 = 'Schweißer'", defectNeon, 60, "ausgang4.schweisser"},
        {5, 4, "Ausgang 5/6/7/8 = 'Schweißer'", normalNeon, 80, "ausgang5678.schweisser"},
        {6, -1, " ", " ", -1, ""},
        {7, 6, "Ausgang 9 = 'Schweißer'", defectNeon, 100, "ausgang9.schweisser"},
        {8, 7, "Ausgang 4 = 'Neon defekt'", "keine Wirkung, wenn Ausgang 4 als 'Schweißer' definiert", 160,
         "ausgang4.neondefekt"},
    };
    t.push_back(s);
  }

  // Pandor/Fenwik neon function decoders.
  t.push_back(NeonFunctionDecoder(OptionType::NeonFunction044, false));
  t.push_back(NeonFunctionDecoder(OptionType::NeonFunction060, true));
  return t;
}

}  // namespace

const std::vector<OptionTypeSpec>& OptionTypeTable() {
  static const std::vector<OptionTypeSpec> table = MakeTable();
  return table;
}

bool VersionAbove(float version, double threshold) { return static_cast<double>(version) > threshold; }

const OptionTypeSpec* OptionSpecFor(OptionType type, float version) {
  if (type == OptionType::None) return nullptr;
  for (const auto& optionType : OptionTypeTable()) {
    if (optionType.type != type) continue;
    if (optionType.onlyAbove354 && !VersionAbove(version, 3.54)) return nullptr;
    return &optionType;
  }
  return nullptr;
}

bool ModeBit7Shown(const OptionTypeSpec& optionType, float version) {
  switch (optionType.modeBit7) {
    case ModeBit7Box::Hidden: return false;
    case ModeBit7Box::Shown: return true;
    case ModeBit7Box::ShownAbove354: return VersionAbove(version, 3.54);
  }
  return false;
}

int ModeRadioOfByte(int modeByte) {
  for (int bit = 0; bit < kModeRadios; ++bit)
    if (modeByte & (1 << bit)) return bit + 1;
  return 0;
}

int ModeCode(int radio) { return (radio >= 1 && radio <= kModeRadios) ? 1 << (radio - 1) : 0; }

int ModeByteAfterClick(int modeByte, int radio, const ModeBits& bits) {
  int value = modeByte & 0xFF;
  if (radio >= 1 && radio <= kModeRadios) value = ModeCode(radio);
  if (bits.bit6Shown) value = bits.bit6Ticked ? (value | 0x40) : (value & ~0x40);
  if (bits.bit7Shown) value = bits.bit7Ticked ? (value | 0x80) : (value & ~0x80);
  return value;
}

SwitchOffTicks SwitchOffTicksOf(int value) { return {((value >> 4) & 0x0F) != 0x0A, (value & 0x0F) != 0x0A}; }

int SwitchOffValue(bool centralOffTicked, bool timeOutTicked) {
  return (timeOutTicked ? 0 : 0x0A) + (centralOffTicked ? 0 : 0xA0);
}

std::array<bool, 8> BoxTicksOf(const OptionTypeSpec& optionType, int value) {
  std::array<bool, 8> ticks{};
  if (optionType.boxes == OptionBoxes::SwitchOff) {
    SwitchOffTicks s = SwitchOffTicksOf(value);
    ticks[0] = s.centralOff;
    ticks[1] = s.timeOut;
    return ticks;
  }
  for (const auto& box : optionType.boxList)
    if (box.bit >= 0 && box.box >= 1 && box.box <= 8) ticks[static_cast<size_t>(box.box - 1)] = (value >> box.bit) & 1;
  return ticks;
}

int BitFieldValue(const OptionTypeSpec& optionType, int oldValue, const std::array<bool, 8>& ticked) {
  int value = oldValue & 0xFF;
  for (const auto& box : optionType.boxList) {
    if (box.bit < 0 || box.box < 1 || box.box > 8) continue;
    if (ticked[static_cast<size_t>(box.box - 1)])
      value |= 1 << box.bit;
    else
      value &= ~(1 << box.bit);
  }
  return value;
}

int FadingCode(int position) {
  static constexpr int kCodes[] = {0xFF, 0x66, 0x33, 0x22, 0x12, 0x11};
  if (position < 0 || position > 5) return kFadingFallbackCode;
  return kCodes[position];
}

std::optional<int> FadingPositionOf(const std::string& cell) {
  if (cell == "11") return 5;
  if (cell == "12") return 4;
  if (cell == "22") return 3;
  if (cell == "33") return 2;
  if (cell == "66") return 1;
  if (cell == "FF" || cell == "ff") return 0;
  return std::nullopt;
}

std::string OptionUnitLabel(float unit, int value) {
  // One decimal, always with a decimal point: printf would take the separator of the C
  // locale, which the window sets from the user's environment ("10,0" under German).
  // FormatFixed rounds the exact binary value as printf does, and "%3.1f" never pads.
  const double seconds = static_cast<double>(unit * static_cast<float>(value));
  return "(" + FormatFixed(seconds, 1) + " sec.)";
}

std::string SpeedBarTitle(int value) { return Format("Geschwindigkeit: %i", value); }

std::vector<OptionRowPlace> PlaceOptionRows(int rowTop, const std::vector<int>& captionWidths, int editWidth) {
  int widest = 0;
  for (int w : captionWidths) widest = std::max(widest, w);
  std::vector<OptionRowPlace> places;
  for (size_t i = 0; i < captionWidths.size(); ++i) {
    int editTop = rowTop + 21 * static_cast<int>(i);
    int editLeft = widest + 20;
    places.push_back({10, editTop + 3, editLeft, editTop, editLeft + editWidth + 10, editTop + 3});
  }
  return places;
}

ModeGroupPlaces StackModeGroup(const ModeGroupContent& content, int panelHeight) {
  ModeGroupPlaces p;
  int y = 20;
  if (content.labelShown) {
    p.labelTop = 20;
    y = 20 + content.labelHeight + 10;
  }
  if (content.bit7Shown) {
    p.bit7Top = y;
    y += content.bit7Height + 10;
  }
  for (size_t i = 0; i < kModeRadios; ++i) {
    if (!content.radioShown[i]) continue;
    p.radioTop[i] = y;
    y += content.radioHeight[i];
  }
  if (content.bit6Shown) {
    p.bit6Top = y + 10;
    y += 10 + content.bit6Height;
  }
  p.height = y + 10;
  p.top = panelHeight - p.height - 10;
  return p;
}

TrackBarPlaces PlaceTrackBar(int titleTop, int leftLabelWidth, int rightLabelWidth, int panelWidth) {
  TrackBarPlaces p{};
  p.titleLeft = 16;
  p.titleTop = titleTop;
  p.barTop = titleTop + 20;
  p.leftLabelLeft = 16;
  p.leftLabelTop = p.barTop + 3;
  p.rightLabelLeft = panelWidth - 16 - rightLabelWidth;
  p.rightLabelTop = p.leftLabelTop;
  p.barLeft = p.leftLabelLeft + leftLabelWidth + 10;
  p.barWidth = std::max(0, p.rightLabelLeft - 10 - p.barLeft);
  return p;
}

}  // namespace korrin
