#include "editors/options_model.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;

namespace {

const char* const kNotANumber = "Ungültige Eingabe.\rZugelassen sind nur Zahlen";

std::string Range(int min, int max) {
  return "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich " + std::to_string(min) + ".." + std::to_string(max);
}

// Identifiers of every entry of the type table and some without one.
const int32_t kAllTypes[] = {0x8,    0x208,  0x308,   0x408,   0xB,     0x69,     0x3,      0xCB,  0x68,
                             0x3E00, 0x3D00, 0x13D00, 0x13E00, 0x13F00, 0x66,     0x167,    0x267, 0x367,
                             0x6F,   0x71,   0x171,   0x170,   0x270,   0x1A4100, 0x2A4100, 0x16D, 0x4400};

// The model with its fill flag in reach, to check what a reaction does while the model fills.
struct FillingOptionsModel : OptionsModel {
  using OptionsModel::filling;
  using OptionsModel::OptionsModel;
};

class OptionsModelTest : public ::testing::Test {
 protected:
  void SetUp() override { ctx.image.ResetForNewFile(); }

  void Load(int32_t id, float version = 4.0f) {
    ctx.SelectDecoderType(id);
    ctx.image.Version = version;
    model.Load();
  }
  void Put(int offset, int value) { ctx.image.setEepromValue(offset, value); }
  int Byte(int offset) const { return ctx.image.eepromValue(offset); }
  std::vector<std::string> Keys() const {
    std::vector<std::string> keys;
    for (const auto& s : model.Settings()) keys.push_back(s.key);
    return keys;
  }
  std::string Value(const std::string& key) const {
    for (const auto& s : model.Settings())
      if (s.key == key) return s.value;
    return "(none)";
  }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  EditorContext ctx{dialogs, files};
  FillingOptionsModel model{ctx};
};

}  // namespace

TEST_F(OptionsModelTest, WhatEachTypeShows) {
  struct Case {
    int32_t id;
    float version;
    size_t rows;
    int rowTop;
    int radios;  // shown radio buttons; -1: no mode group
    bool bit6, bit7, marker;
    int boxes;  // shown option boxes
    bool bar, neon;
  } cases[] = {
      {0x8, 4.0f, 1, 20, -1, false, false, false, 0, false, false},
      {0x208, 4.0f, 1, 20, -1, false, false, true, 0, false, false},
      {0x30C, 4.0f, 1, 20, -1, false, false, false, 2, false, false},
      {0x408, 1.0f, 1, 20, 2, false, true, false, 2, false, false},
      {0xB, 3.54f, 1, 20, 3, false, false, false, 0, false, false},
      {0xB, 3.55f, 1, 20, 3, false, true, false, 0, false, false},
      {0x69, 4.0f, 1, 20, 4, false, true, false, 0, false, false},
      {0xCF, 4.0f, 0, 20, 2, false, true, false, 0, false, false},
      {0x3D00, 4.0f, 0, 20, 2, false, false, false, 0, false, false},
      {0x13E00, 4.0f, 0, 20, 2, true, true, false, 0, false, false},
      {0x13F00, 4.0f, 0, 20, 0, true, false, false, 0, false, false},
      {0x66, 3.54f, 0, 20, -1, false, false, false, 0, false, false},
      {0x66, 3.55f, 0, 20, 4, false, true, false, 0, false, false},
      {0x167, 4.0f, 0, 20, -1, false, false, false, 0, true, false},
      {0x267, 4.0f, 2, 120, 2, false, true, false, 0, true, false},
      {0x367, 4.0f, 7, 60, 2, false, true, false, 0, true, false},
      {0x6F, 4.0f, 0, 20, -1, false, false, false, 0, true, false},
      {0x171, 4.0f, 2, 20, 2, false, true, false, 0, false, false},
      {0x170, 4.0f, 0, 20, -1, false, false, false, 2, false, false},
      {0x270, 4.0f, 0, 20, -1, false, false, false, 7, false, false},
      {0x1B4100, 4.0f, 1, 20, 4, false, false, false, 0, false, true},
      {0x2B4100, 4.0f, 1, 20, 4, true, true, false, 0, false, true},
      {0x16D, 4.0f, 0, 20, -1, false, false, false, 0, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.id << " v" << c.version);
    Load(c.id, c.version);
    EXPECT_EQ(model.rows.size(), c.rows);
    if (c.rows) {
      EXPECT_EQ(model.rowTop, c.rowTop);
    }
    EXPECT_EQ(model.modeGroupVisible, c.radios >= 0);
    if (c.radios >= 0) {
      int shown = 0;
      for (bool v : model.modeVisible) shown += v;
      EXPECT_EQ(shown, c.radios);
      EXPECT_EQ(model.modeTextVisible, c.radios > 0);
    }
    EXPECT_EQ(model.modeBit6.visible, c.bit6);
    EXPECT_EQ(model.modeBit7.visible, c.bit7);
    EXPECT_EQ(model.timeOutMarker.visible, c.marker);
    int boxes = 0;
    for (const auto& b : model.boxes) boxes += b.visible;
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(model.bar.visible, c.bar);
    EXPECT_EQ(model.barTitle.visible, c.bar);
    EXPECT_EQ(model.neon[0].visible, c.neon);
    EXPECT_EQ(model.neonLabels[2].visible, c.neon);
  }
}

TEST_F(OptionsModelTest, ErasedEepromSelectsMode1TicksBothBitsAndShows255) {
  Load(0xB, 3.55f);
  EXPECT_FALSE(model.filling);
  EXPECT_EQ(model.checkedMode, 1);
  EXPECT_TRUE(model.modeBit6.checked);
  EXPECT_TRUE(model.modeBit7.checked);
  ASSERT_EQ(model.rows.size(), 1u);
  EXPECT_EQ(model.rows[0].caption, "Abschaltzeit in Mode 3 (1..255)");
  EXPECT_EQ(model.rows[0].hint, "Zeit, nach der in Mode 3 abgeschaltet wird");
  EXPECT_EQ(model.rows[0].text, "255");
  EXPECT_EQ(model.rows[0].unitText, "(127.5 sec.)");
  EXPECT_EQ(model.modeCaptions[2], "Mode 3: Selbstabschaltungs-Mode");
  EXPECT_EQ(model.modeCaptions[3], "Mode 4");

  Load(0x8);
  EXPECT_EQ(model.rows[0].text, "255");
  EXPECT_EQ(model.rows[0].unitText, "(127.5 sec.)");  // although the row takes only 1..127

  Load(0x267);
  EXPECT_EQ(model.bar.position, 0);
  EXPECT_EQ(model.barTitle.text, "Geschwindigkeit Überblendung (Fading)");
  EXPECT_EQ(model.barTitle.top, 50);
  EXPECT_EQ(model.rows[1].unitText, "(51.0 sec.)");
}

TEST_F(OptionsModelTest, LoadingWritesNothingButTheFadingFallback) {
  for (int32_t id : kAllTypes) {
    for (int pattern : {0, 1}) {
      for (int i = 0; i < 256; ++i) Put(i, pattern ? (i * 37 + 11) & 0xFF : 0xFF);
      Put(0x20, pattern ? 0x22 : 0xFF);  // a speed code for the traffic lights
      const auto before = ctx.image.Hex_EE;
      Load(id);
      model.LoadOptions();  // a reload over shown controls
      EXPECT_EQ(ctx.image.Hex_EE, before) << std::hex << id << " pattern " << pattern;
      EXPECT_FALSE(model.filling);
    }
  }
  EXPECT_TRUE(dialogs.messages.empty());

  // A fading bar without a speed code in byte 0x20 shows position 5 and stores 0x11.
  struct Case {
    int32_t id;
    const char* cell;
    int position;
    const char* after;
  } cases[] = {
      {0x267, "44", 5, "11"}, {0x167, "00", 5, "11"}, {0x367, "ab", 5, "11"}, {0x367, "ff", 0, "ff"},
      {0x167, "12", 4, "12"}, {0x267, "66", 1, "66"}, {0x8, "44", 0, "44"},  // no fading bar: nothing written
  };
  for (const auto& c : cases) {
    ctx.image.set_Hex_EE(0x20, c.cell);
    Load(c.id);
    if (model.bar.visible) {
      EXPECT_EQ(model.bar.position, c.position) << c.cell;
    }
    EXPECT_EQ(ctx.image.get_Hex_EE(0x20), c.after) << std::hex << c.id << " " << c.cell;
  }
}

TEST_F(OptionsModelTest, TypingIntoARowWritesEveryValueAndReloads) {
  Load(0x8);
  struct Step {
    const char* text;
    int byte;
    const char* shown;  // the edit box afterwards
    const char* unitText;
    const char* message;
  } steps[] = {
      {"", 0xFF, "", "(127.5 sec.)", nullptr},     {"1", 1, "1", "(0.5 sec.)", nullptr},
      {"12", 12, "12", "(6.0 sec.)", nullptr},     {"12x", 12, "12x", "(6.0 sec.)", kNotANumber},
      {"0", 12, "0", "(6.0 sec.)", "range"},       {"128", 12, "128", "(6.0 sec.)", "range"},
      {"020", 20, "20", "(10.0 sec.)", nullptr},  // the reload shows the value
      {"127", 127, "127", "(63.5 sec.)", nullptr},
  };
  for (const auto& s : steps) {
    dialogs.clear();
    SetOutcome outcome = model.SetOptionRowText(0, s.text);
    EXPECT_EQ(Byte(0x20), s.byte) << s.text;
    EXPECT_EQ(model.rows[0].text, s.shown) << s.text;
    EXPECT_EQ(model.rows[0].unitText, s.unitText) << s.text;
    if (!s.message) {
      EXPECT_EQ(outcome, SetOutcome::Done);
      EXPECT_TRUE(dialogs.messages.empty()) << s.text;
      continue;
    }
    EXPECT_EQ(outcome, SetOutcome::Refused);
    ASSERT_EQ(dialogs.messages.size(), 1u) << s.text;
    EXPECT_EQ(dialogs.messages[0].text, std::string(s.message) == "range" ? Range(1, 127) : s.message);
    EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
    EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
    // Text that is no number sends the focus back into the box; a range error does not.
    EXPECT_EQ(model.focus, std::string(s.message) == "range" ? OptionsFocus::None : OptionsFocus::Row);
    model.focus = OptionsFocus::None;
  }
}

TEST_F(OptionsModelTest, EachRowHasItsRangeAndByte) {
  struct Case {
    int32_t id;
    int row;
    const char* text;
    int min, max;  // the range of the message; 0,0: accepted
    int offset;
  } cases[] = {
      {0x8, 0, "0", 1, 127, 0x20},        {0x8, 0, "127", 0, 0, 0x20}, {0x1A4100, 0, "255", 0, 0, 0x20},
      {0x2B4100, 0, "256", 1, 255, 0x20}, {0x71, 0, "10", 0, 0, 0x20}, {0x71, 1, "10", 1, 9, 0x2F},
      {0x71, 1, "3", 0, 0, 0x2F},         {0x171, 1, "9", 0, 0, 0x30}, {0x367, 6, "200", 0, 0, 0x75},
      {0x267, 1, "0", 1, 255, 0x70},
  };
  for (const auto& c : cases) {
    Put(c.offset, 5);
    Load(c.id);
    dialogs.clear();
    model.SetOptionRowText(c.row, c.text);
    if (c.max) {
      EXPECT_EQ(dialogs.texts(), std::vector<std::string>{Range(c.min, c.max)}) << std::hex << c.id << " " << c.text;
      EXPECT_EQ(Byte(c.offset), 5);
    } else {
      EXPECT_TRUE(dialogs.messages.empty());
      EXPECT_EQ(Byte(c.offset), std::stoi(c.text)) << std::hex << c.id << " " << c.text;
    }
  }
  Load(0x71);
  EXPECT_TRUE(model.rows[1].unitText.empty());  // no unit label for the house lighting
}

TEST_F(OptionsModelTest, ModeClicks) {
  // Mode 3 with only the bit 7 box shown: the box's own click writes only its bit, the
  // radio button writes the mode code and then bit 7 as the box says.
  for (bool ticked : {true, false}) {
    Put(0x00, 0xC1);
    Load(0xB, 3.55f);
    model.SetModeBit7(ticked);
    EXPECT_EQ(Byte(0x00), ticked ? 0xC1 : 0x41);
    model.SelectMode(3);
    EXPECT_EQ(model.checkedMode, 3);
    EXPECT_EQ(Byte(0x00), ticked ? 0x84 : 0x04);
  }
  Put(0x00, 0x02);
  Load(0x13E00);
  EXPECT_EQ(model.checkedMode, 2);
  model.SetModeBit6(true);
  EXPECT_EQ(Byte(0x00), 0x42);
  model.SetModeBit7(true);
  EXPECT_EQ(Byte(0x00), 0xC2);
  model.SelectMode(1);
  EXPECT_EQ(Byte(0x00), 0xC1);

  // Without the boxes a mode click clears bits 6 and 7.
  Put(0x00, 0xC2);
  Load(0x3D00);
  model.SelectMode(1);
  EXPECT_EQ(Byte(0x00), 0x01);

  // A mode byte without a mode bit leaves the radio buttons as they were.
  Put(0x00, 0xC0);
  Load(0x3D00);
  EXPECT_EQ(model.checkedMode, 1);
  EXPECT_TRUE(model.modeBit6.checked);
}

TEST_F(OptionsModelTest, TimeOutMarkerWritesABOr01) {
  Put(0x00, 0x05);
  Load(0x208);
  EXPECT_FALSE(model.timeOutMarker.checked);
  EXPECT_EQ(model.timeOutMarker.top, 100);
  model.SetTimeOutMarker(true);
  EXPECT_EQ(Byte(0x00), 0xAB);
  model.SetTimeOutMarker(false);
  EXPECT_EQ(Byte(0x00), 0x01);
  Put(0x00, 0xAB);
  Load(0x208);
  EXPECT_TRUE(model.timeOutMarker.checked);
}

TEST_F(OptionsModelTest, SwitchOffOptionsWriteTheirByte) {
  for (auto [id, byte] : {std::pair{0x308, 0x00}, std::pair{0x365, 0x00}, std::pair{0x408, 0x30}}) {
    SCOPED_TRACE(::testing::Message() << std::hex << id);
    Put(byte, 0x00);
    Load(id);
    EXPECT_EQ(model.heading3.text, "Abschaltfunktion: Ausgänge abschalten durch...");
    EXPECT_TRUE(model.heading3.visible);
    EXPECT_EQ(model.heading3.top, 150);
    EXPECT_EQ(model.boxes[0].caption, "OFF-Befehl der Zentrale");
    EXPECT_EQ(model.boxes[1].caption, "Time-Out des Dekoders");
    EXPECT_EQ(model.boxes[1].top, 190);
    ASSERT_TRUE(model.boxes[0].checked && model.boxes[1].checked);
    EXPECT_FALSE(model.text1.visible);
    model.SetOptionBox(2, false);
    EXPECT_EQ(Byte(byte), 0x0A);
    model.SetOptionBox(1, false);
    EXPECT_EQ(Byte(byte), 0xAA);
    EXPECT_TRUE(model.text1.visible);
    EXPECT_EQ(model.text1.text, "Achtung: Durchbrenn-Gefahr für Weichen-Antriebe!");
    model.SetOptionBox(2, true);
    EXPECT_EQ(Byte(byte), 0xA0);
    EXPECT_FALSE(model.text1.visible);
  }
  Put(0x30, 0xA5);
  Load(0x408);
  EXPECT_FALSE(model.boxes[0].checked);
  EXPECT_TRUE(model.boxes[1].checked);
  // The old content of the byte is not kept.
  model.SetOptionBox(1, true);
  EXPECT_EQ(Byte(0x30), 0x00);
}

TEST_F(OptionsModelTest, OutputFunctionBoxesKeepBit5) {
  for (int start : {0x20, 0x00}) {
    Put(0x20, start);
    Load(0x270);
    EXPECT_EQ(model.heading.text, "Funktion der Ausgänge:");
    EXPECT_FALSE(model.boxes[5].visible);
    EXPECT_EQ(model.text1.top, 220);
    EXPECT_TRUE(model.text1.visible);
    model.SetOptionBox(3, true);
    EXPECT_EQ(Byte(0x20), start | 0x04);
    model.SetOptionBox(8, true);
    EXPECT_EQ(Byte(0x20), start | 0x84);
    model.SetOptionBox(3, false);
    EXPECT_EQ(Byte(0x20), start | 0x80);
  }
  Put(0x20, 0x41);
  Load(0x270);
  EXPECT_TRUE(model.boxes[0].checked);
  EXPECT_TRUE(model.boxes[6].checked);
  EXPECT_FALSE(model.boxes[1].checked);
  EXPECT_EQ(model.boxes[1].caption, "Ausgang 10 = 'Schweißer'");

  // 0x170: bits 0 and 1 of the same byte.
  Put(0x20, 0xF2);
  Load(0x170);
  EXPECT_EQ(model.heading.text, "Spezial-Funktion Ausgang 9 / 10:");
  EXPECT_FALSE(model.boxes[0].checked);
  EXPECT_TRUE(model.boxes[1].checked);
  model.SetOptionBox(1, true);
  EXPECT_EQ(Byte(0x20), 0xF3);
  model.SetOptionBox(2, false);
  EXPECT_EQ(Byte(0x20), 0xF1);

  // A type without option boxes writes nothing.
  Put(0x20, 0x33);
  Load(0x8);
  model.SetOptionBox(1, true);
  EXPECT_EQ(Byte(0x20), 0x33);
}

TEST_F(OptionsModelTest, Bars) {
  Put(0x20, 0x11);
  Load(0x167);
  EXPECT_EQ(model.bar.position, 5);
  EXPECT_EQ(model.bar.hint, "rechts = HELL, Links = dunkel");
  const int codes[] = {0xFF, 0x66, 0x33, 0x22, 0x12, 0x11};
  for (int p = 0; p <= 5; ++p) {
    model.SetFadingOrSpeed(p);
    EXPECT_EQ(Byte(0x20), codes[p]) << p;
    EXPECT_EQ(model.bar.position, p);
  }
  EXPECT_EQ(model.bar.hint, "Überblend-Zeit");

  Put(0x20, 40);
  Load(0x6F);
  EXPECT_EQ(model.barTitle.text, "Geschwindigkeit: 40");
  EXPECT_EQ(model.bar.position, 40);
  EXPECT_EQ(model.bar.min, 1);
  EXPECT_EQ(model.bar.max, 255);
  EXPECT_EQ(model.bar.tick, 5);
  EXPECT_EQ(model.bar.hint, "");
  model.SetFadingOrSpeed(200);
  EXPECT_EQ(Byte(0x20), 200);
  EXPECT_EQ(model.barTitle.text, "Geschwindigkeit: 200");
  EXPECT_EQ(model.bar.hint, "Ablauf-Geschwindigkeit der Effekte");
  EXPECT_EQ(model.focus, OptionsFocus::Bar);

  // A speed byte of 0 shows at the bar's lowest position.
  Put(0x20, 0);
  Load(0x6F);
  EXPECT_EQ(model.bar.position, 1);
  EXPECT_EQ(model.barTitle.text, "Geschwindigkeit: 0");
}

TEST_F(OptionsModelTest, NeonBarsWriteTheirBytesAndKeepTheirPlaceOnReload) {
  Put(0x40, 3);
  Put(0x41, 12);
  Load(0x2A4100);
  EXPECT_EQ(model.neon[0].position, 3);
  EXPECT_EQ(model.neon[1].position, 12);
  EXPECT_EQ(model.neon[0].top, 170);
  EXPECT_EQ(model.neon[1].top, 210);
  EXPECT_EQ(model.neonLabels[1].top, 213);
  EXPECT_EQ(model.neonLabels[2].top, 70);
  EXPECT_EQ(model.neon[0].hint, "Rechts = HELL, Links = dunkel");
  model.SetNeonDarkLevel(7);
  EXPECT_EQ(Byte(0x40), 7);
  EXPECT_EQ(model.focus, OptionsFocus::NeonBar1);
  model.SetNeonBrightLevel(15);
  EXPECT_EQ(Byte(0x41), 15);
  // A reload from another reaction leaves the bars where they stand.
  Put(0x40, 1);
  model.SetOptionRowText(0, "100");
  EXPECT_EQ(Byte(0x20), 100);
  EXPECT_EQ(model.neon[0].position, 7);
  EXPECT_EQ(Byte(0x40), 1);
  // The next load after a reset reads them again; an erased byte shows at the end.
  Put(0x41, 0xFF);
  Load(0x2A4100);
  EXPECT_EQ(model.neon[0].position, 1);
  EXPECT_EQ(model.neon[1].position, 15);
}

TEST_F(OptionsModelTest, ResetRestoresDefaultsBetweenTypes) {
  Load(0x1A4100);
  EXPECT_EQ(model.modeCaptions[3], "Mode 4: Steuerwagen ohne Neon");
  Load(0x3);
  EXPECT_EQ(model.modeCaptions[0], "Mode 1: Normale Betriebsart");
  EXPECT_EQ(model.modeCaptions[2], "Mode 3");
  EXPECT_FALSE(model.modeVisible[2]);
  EXPECT_FALSE(model.neon[0].visible);
  EXPECT_TRUE(model.rows.empty());
  Load(0x13F00);
  EXPECT_TRUE(model.modeGroupVisible);
  EXPECT_FALSE(model.modeTextVisible);
  EXPECT_FALSE(model.modeVisible[0]);
  Load(0x270);
  Load(0x16D);
  EXPECT_FALSE(model.modeGroupVisible);
  EXPECT_EQ(model.heading.text, "");
  for (const auto& b : model.boxes) EXPECT_FALSE(b.visible);
  EXPECT_TRUE(model.Settings().empty());
}

TEST_F(OptionsModelTest, NothingIsWrittenWhileFilling) {
  Put(0x00, 0x01);
  Put(0x20, 0x11);
  Load(0x267);
  const auto before = ctx.image.Hex_EE;
  model.filling = true;
  model.SelectMode(2);
  model.SetModeBit7(false);
  model.SetFadingOrSpeed(0);
  model.SetOptionRowText(0, "9");
  model.SetOptionRowText(1, "x");
  model.filling = false;
  EXPECT_EQ(ctx.image.Hex_EE, before);
  EXPECT_TRUE(dialogs.messages.empty());
  // The controls show what they were given all the same.
  EXPECT_EQ(model.checkedMode, 2);
  EXPECT_EQ(model.rows[1].text, "x");
}

TEST_F(OptionsModelTest, TimeTextsUseADecimalPointInEveryLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8"))
    GTEST_SKIP() << "no German locale on this machine (locale-gen de_DE.UTF-8)";
  Put(0x70, 7);
  Load(0x267);
  const std::string haupt = model.rows[0].unitText;  // erased byte: 255 x 0.2 s
  const std::string neben = model.rows[1].unitText;
  Put(0x20, 20);
  Load(0x8);
  const std::string timeOut = model.rows[0].unitText;
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(haupt, "(51.0 sec.)");
  EXPECT_EQ(neben, "(1.4 sec.)");
  EXPECT_EQ(timeOut, "(10.0 sec.)");
}

TEST_F(OptionsModelTest, SettingKeysOfTheTypes) {
  struct Case {
    int32_t id;
    std::vector<std::string> keys;
  } cases[] = {
      {0x8, {"timeout"}},
      {0x208, {"timeout", "nurtimeout"}},
      {0x408, {"timeout", "abschalten.zentrale", "abschalten.timeout", "modus", "modus.bit7"}},
      {0xB, {"abschaltzeit", "modus", "modus.bit7"}},
      {0x13F00, {"modus.bit6"}},
      {0x13D00, {"modus", "modus.bit6", "modus.bit7"}},
      {0x167, {"fading"}},
      {0x367,
       {"strasse1.gruen", "strasse2.gruen", "gelbphase", "rotgelbphase", "allesrot", "vorlauf.gruen", "vorlauf.rot", "fading",
        "modus", "modus.bit7"}},
      {0x267, {"gruenphase.haupt", "gruenphase.neben", "fading", "modus", "modus.bit7"}},
      {0x6F, {"geschwindigkeit"}},
      {0x171, {"ablaufgeschwindigkeit", "mindestanzahl", "modus", "modus.bit7"}},
      {0x170, {"ausgang9", "ausgang10"}},
      {0x270,
       {"ausgang9.neondefekt", "ausgang10.schweisser", "ausgang123.schweisser", "ausgang4.schweisser", "ausgang5678.schweisser",
        "ausgang9.schweisser", "ausgang4.neondefekt"}},
      {0x2A4100, {"timeout", "neon.dunkel", "neon.hell", "modus", "modus.bit6", "modus.bit7"}},
  };
  for (const auto& c : cases) {
    Load(c.id);
    EXPECT_EQ(Keys(), c.keys) << std::hex << c.id;
    for (const auto& s : model.Settings()) {
      EXPECT_EQ(s.section, "options");
      EXPECT_FALSE(s.caption.empty()) << s.key;
    }
  }
  Load(0x408);
  auto settings = model.Settings();
  EXPECT_EQ(settings[0].caption, "Time Out (1..127)");
  EXPECT_EQ(settings[1].caption, "OFF-Befehl der Zentrale");
  EXPECT_EQ(settings[3].caption, "Mode Auswahl");
  EXPECT_EQ(settings[4].caption, "Mode-Umschaltung SPERREN");
}

TEST_F(OptionsModelTest, SetRunsTheReactionOfTheControl) {
  struct Case {
    int32_t id;
    const char* key;
    const char* value;
    int offset;  // the byte the reaction writes
    int before;  // its content before the load
    int after;
  } cases[] = {
      {0x8, "timeout", "12", 0x20, 0xFF, 12},
      {0x208, "nurtimeout", "1", 0x00, 0x05, 0xAB},
      {0x208, "nurtimeout", "0", 0x00, 0xAB, 0x01},
      {0x308, "abschalten.timeout", "0", 0x00, 0x00, 0x0A},
      {0x408, "abschalten.zentrale", "0", 0x30, 0x00, 0xA0},
      {0x270, "ausgang4.neondefekt", "1", 0x20, 0x20, 0xA0},
      {0x170, "ausgang10", "1", 0x20, 0x00, 0x02},
      {0x167, "fading", "2", 0x20, 0x11, 0x33},
      {0x6F, "geschwindigkeit", "77", 0x20, 40, 77},
      {0x2A4100, "neon.dunkel", "9", 0x40, 3, 9},
      {0x2A4100, "neon.hell", "0", 0x41, 3, 0},
      {0xB, "modus", "3", 0x00, 0xC1, 0x84},
      {0x13D00, "modus.bit6", "0", 0x00, 0xC2, 0x82},
      {0x13D00, "modus.bit7", "0", 0x00, 0xC2, 0x42},
      {0x171, "mindestanzahl", "4", 0x30, 0x01, 4},
      {0x367, "vorlauf.rot", "30", 0x75, 0x01, 30},
      // The value the control shows already: no event, nothing written.
      {0x208, "nurtimeout", "1", 0x00, 0xAB, 0xAB},
      {0x3D00, "modus", "1", 0x00, 0xC1, 0xC1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.id << " " << c.key << "=" << c.value);
    ctx.image.ResetForNewFile();
    Put(c.offset, c.before);
    Load(c.id, 4.0f);
    EXPECT_EQ(model.Set(c.key, c.value), SetOutcome::Done);
    EXPECT_EQ(Byte(c.offset), c.after);
    EXPECT_EQ(Value(c.key), c.key == std::string("fading") ? c.value : std::to_string(std::stoi(c.value)))
        << "Settings shows what Set wrote";
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OptionsModelTest, SetRefusesWhatTheControlCannotShow) {
  struct Case {
    int32_t id;
    const char* key;
    const char* value;
    std::string message;
  } cases[] = {
      {0x8, "timeout", "128", Range(1, 127)},
      {0x8, "timeout", "zwölf", kNotANumber},
      {0x208, "nurtimeout", "2", Range(0, 1)},
      {0x208, "nurtimeout", "ja", kNotANumber},
      {0x208, "nurtimeout", "", kNotANumber},
      {0x167, "fading", "6", Range(0, 5)},
      {0x6F, "geschwindigkeit", "0", Range(1, 255)},
      {0x2A4100, "neon.hell", "16", Range(0, 15)},
      {0xB, "modus", "4", Range(1, 3)},
      {0x69, "modus", "0", Range(1, 4)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << c.id << " " << c.key << "=" << c.value);
    ctx.image.ResetForNewFile();
    Load(c.id, 4.0f);
    const auto before = ctx.image.Hex_EE;
    dialogs.clear();
    EXPECT_EQ(model.Set(c.key, c.value), SetOutcome::Refused);
    EXPECT_EQ(ctx.image.Hex_EE, before);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, c.message);
    EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
  }

  // Keys of controls the type does not show are unknown, and nothing is shown.
  struct Unknown {
    int32_t id;
    float version;
    const char* key;
  } unknown[] = {
      {0x8, 4.0f, "nurtimeout"},        {0x8, 4.0f, "modus"},     {0xB, 3.54f, "modus.bit7"},
      {0x3D00, 4.0f, "modus.bit6"},     {0x13F00, 4.0f, "modus"}, {0x270, 4.0f, "option6"},
      {0x167, 4.0f, "geschwindigkeit"}, {0x6F, 4.0f, "fading"},   {0x16D, 4.0f, "timeout"},
      {0x66, 3.54f, "modus"},           {0x8, 4.0f, "cv29"},      {0x8, 4.0f, ""},
  };
  dialogs.clear();
  for (const auto& u : unknown) {
    Load(u.id, u.version);
    EXPECT_EQ(model.Set(u.key, "1"), SetOutcome::UnknownKey) << std::hex << u.id << " " << u.key;
  }
  EXPECT_TRUE(dialogs.messages.empty());
}
