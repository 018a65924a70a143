#include <gtest/gtest.h>

#include <set>

#include "decoders/decoder_types.h"
#include "editors/option_types.h"

using namespace korrin;

namespace {

// The option entry the registry row of an identifier names.
const OptionTypeSpec* FindOptionType(int32_t id, float version) {
  const DecoderType* type = FindDecoderType(id);
  return type != nullptr ? OptionSpecFor(type->editor.options, version) : nullptr;
}

const OptionTypeSpec& TypeOf(int32_t id, float version = 4.0f) {
  const OptionTypeSpec* s = FindOptionType(id, version);
  EXPECT_NE(s, nullptr) << std::hex << id;
  static const OptionTypeSpec empty;
  return s ? *s : empty;
}

}  // namespace

TEST(OptionTypeTable, EveryIdentifierHasOneEntry) {
  std::set<OptionType> entries;
  for (const auto& optionType : OptionTypeTable()) {
    EXPECT_NE(optionType.type, OptionType::None);
    EXPECT_TRUE(entries.insert(optionType.type).second) << "twice: " << static_cast<int>(optionType.type);
  }
  std::set<int32_t> seen;
  for (const DecoderType& type : DecoderTypes())
    if (type.editor.options != OptionType::None)
      for (int32_t id : type.identifiers()) seen.insert(id);
  EXPECT_EQ(seen.size(), 47u);
  for (int32_t id : {0x16D, 0x0, 0x4400, 0x14B00, 0x67, 0x108}) EXPECT_EQ(FindOptionType(id, 4.0f), nullptr) << id;
}

TEST(OptionTypeTable, RowsOfTheTypes) {
  struct Case {
    int32_t id;
    size_t rows;
    int rowTop;
    const char* firstCaption;
    int offset;
    float unit;
    int min, max;
  } cases[] = {
      {0x8, 1, 20, "Time Out (1..127)", 0x20, 0.5f, 1, 127},
      {0x265, 1, 20, "Time Out (1..127)", 0x20, 0.5f, 1, 127},
      {0x30C, 1, 20, "Time Out (1..127)", 0x20, 0.5f, 1, 127},
      {0x408, 1, 20, "Time Out (1..127)", 0x20, 0.5f, 1, 127},
      {0xB, 1, 20, "Abschaltzeit in Mode 3 (1..255)", 0x20, 0.5f, 1, 255},
      {0x69, 1, 20, "Abschaltzeit in Mode 3 (1..255)", 0x20, 0.5f, 1, 255},
      {0x267, 2, 120, "Grünphase Haupt (x 0.2 s)", 0x60, 0.2f, 1, 255},
      {0x367, 7, 60, "Strasse 1 GRÜN", 0x60, 0.2f, 1, 255},
      {0x71, 2, 20, "Ablaufgeschwindigkeit (1..255)", 0x20, 0.0f, 1, 255},
      {0x171, 2, 20, "Ablaufgeschwindigkeit (1..255)", 0x20, 0.0f, 1, 255},
      // The neon function decoders take time-outs up to 255 under the same caption.
      {0x1A4100, 1, 20, "Time Out (1..127)", 0x20, 0.5f, 1, 255},
      {0x2B4100, 1, 20, "Time Out (1..127)", 0x20, 0.5f, 1, 255},
  };
  for (const auto& c : cases) {
    const OptionTypeSpec& s = TypeOf(c.id);
    ASSERT_EQ(s.rows.size(), c.rows) << std::hex << c.id;
    EXPECT_EQ(s.rowTop, c.rowTop) << std::hex << c.id;
    EXPECT_EQ(s.rows[0].caption, c.firstCaption) << std::hex << c.id;
    EXPECT_EQ(s.rows[0].offset, c.offset) << std::hex << c.id;
    EXPECT_FLOAT_EQ(s.rows[0].unit, c.unit) << std::hex << c.id;
    EXPECT_EQ(s.rows[0].min, c.min) << std::hex << c.id;
    EXPECT_EQ(s.rows[0].max, c.max) << std::hex << c.id;
  }
  EXPECT_EQ(TypeOf(0x8).rows[0].hint, "Zeit, nach der der Antrieb immer spätestens abgeschaltet wird");
  EXPECT_EQ(TypeOf(0x71).rows[1].offset, 0x2F);
  EXPECT_EQ(TypeOf(0x171).rows[1].offset, 0x30);
  EXPECT_EQ(TypeOf(0x71).rows[1].max, 9);
  EXPECT_EQ(TypeOf(0x71).rows[0].hint, "1 = schnell\n255 = langsam");
  const int trafficOffsets[] = {0x60, 0x70, 0x71, 0x72, 0x73, 0x74, 0x75};
  for (size_t i = 0; i < 7; ++i) EXPECT_EQ(TypeOf(0x367).rows[i].offset, trafficOffsets[i]);
  EXPECT_EQ(TypeOf(0x367).rows[6].caption, "Fußgänger Vorlauf ROT");
  EXPECT_EQ(TypeOf(0x267).rows[1].offset, 0x70);
  EXPECT_TRUE(TypeOf(0x167).rows.empty());
  EXPECT_TRUE(TypeOf(0x3).rows.empty());
}

TEST(OptionTypeTable, ModeGroups) {
  struct Case {
    int32_t id;
    size_t radios;
    const char* last;
    bool bit6;
    ModeBit7Box bit7;
  } cases[] = {
      {0x408, 2, "Mode 2: Laternen-Ausgang geschaltet", false, ModeBit7Box::Shown},
      {0x6A, 3, "Mode 3: Selbstabschaltungs-Mode", false, ModeBit7Box::ShownAbove354},
      {0x69, 4, "Mode 4: Single Output-Mode", false, ModeBit7Box::ShownAbove354},
      {0xCF, 2, "Mode 2: mit Dunkeltastung", false, ModeBit7Box::ShownAbove354},
      {0xCB, 2, "Mode 2: mit ROT ", false, ModeBit7Box::ShownAbove354},
      {0x68, 2, "Mode 2: Dumm-Mode", false, ModeBit7Box::ShownAbove354},
      {0x3E00, 2, "Mode 2: Dumm-Mode", false, ModeBit7Box::Hidden},
      {0x3D00, 2, "Mode 2: Steuerwagen", false, ModeBit7Box::Hidden},
      {0x13D00, 2, "Mode 2: Steuerwagen", true, ModeBit7Box::Shown},
      {0x13E00, 2, "Mode 2: Steuerwagen (Ausgang 3/4)", true, ModeBit7Box::Shown},
      {0x66, 4, "Mode 4: kein Blitz, keine Schwankungen", false, ModeBit7Box::Shown},
      {0x267, 2, "Mode 2: Österreich", false, ModeBit7Box::ShownAbove354},
      {0x367, 2, "Mode 2: Österreich", false, ModeBit7Box::ShownAbove354},
      {0x171, 2, "Mode 2: geschaltet", false, ModeBit7Box::Shown},
      {0x1B4100, 4, "Mode 4: Steuerwagen ohne Neon", false, ModeBit7Box::Hidden},
      {0x2A4100, 4, "Mode 4: Steuerwagen ohne Neon", true, ModeBit7Box::Shown},
  };
  for (const auto& c : cases) {
    const OptionTypeSpec& s = TypeOf(c.id);
    ASSERT_TRUE(s.hasModeGroup()) << std::hex << c.id;
    ASSERT_EQ(s.modeCaptions.size(), c.radios) << std::hex << c.id;
    EXPECT_EQ(s.modeCaptions.back(), c.last) << std::hex << c.id;
    EXPECT_EQ(s.modeBit6, c.bit6) << std::hex << c.id;
    EXPECT_EQ(s.modeBit7, c.bit7) << std::hex << c.id;
  }
  const OptionTypeSpec& onlyBit6 = TypeOf(0x13F00);
  EXPECT_TRUE(onlyBit6.hasModeGroup());
  EXPECT_TRUE(onlyBit6.modeOnlyBit6);
  EXPECT_TRUE(onlyBit6.modeBit6);
  EXPECT_EQ(onlyBit6.modeBit7, ModeBit7Box::Hidden);
  for (int32_t id : {0x8, 0x208, 0x308, 0x167, 0x6F, 0x71, 0x170, 0x270}) EXPECT_FALSE(TypeOf(id).hasModeGroup()) << id;
}

TEST(OptionVersion, ThresholdIsStrictlyAbove354InSinglePrecision) {
  EXPECT_FALSE(VersionAbove(3.54f, 3.54));
  EXPECT_TRUE(VersionAbove(3.55f, 3.54));
  EXPECT_FALSE(VersionAbove(0.0f, 3.54));
  // The gas lamp shows nothing up to 3.54 and its four modes from 3.55.
  EXPECT_EQ(FindOptionType(0x66, 3.54f), nullptr);
  ASSERT_NE(FindOptionType(0x66, 3.55f), nullptr);
  // The "(v)" bit 7 box follows the same threshold; the plain one does not.
  EXPECT_FALSE(ModeBit7Shown(TypeOf(0xB, 3.54f), 3.54f));
  EXPECT_TRUE(ModeBit7Shown(TypeOf(0xB, 3.55f), 3.55f));
  EXPECT_TRUE(ModeBit7Shown(TypeOf(0x408, 1.0f), 1.0f));
  EXPECT_FALSE(ModeBit7Shown(TypeOf(0x3D00), 9.0f));
}

TEST(ModeByte, LowestModeBitSelectsTheRadioButton) {
  struct Case {
    int byte, radio;
  } cases[] = {{0x01, 1}, {0x02, 2}, {0x04, 3}, {0x20, 6}, {0x06, 2}, {0xFF, 1}, {0xC0, 0}, {0x00, 0}, {0xC8, 4}};
  for (const auto& c : cases) EXPECT_EQ(ModeRadioOfByte(c.byte), c.radio) << c.byte;
  for (int r = 1; r <= 6; ++r) EXPECT_EQ(ModeCode(r), 1 << (r - 1));
}

TEST(ModeByte, ClicksOnRadioButtonsAndBoxes) {
  struct Case {
    int before, radio;
    ModeBits bits;
    int after;
  } cases[] = {
      // Mode 3 with only the bit 7 box shown: the mode code, then bit 7 as the box says.
      {0xC1, 3, {false, false, true, true}, 0x84},
      {0xC1, 3, {false, false, true, false}, 0x04},
      // No box shown: the mode code alone, bits 6 and 7 cleared.
      {0xC1, 2, {}, 0x02},
      // Both boxes shown.
      {0x01, 6, {true, true, true, false}, 0x60},
      // A box click only changes its bit.
      {0x02, 0, {true, true, false, false}, 0x42},
      {0xC2, 0, {true, false, true, true}, 0x82},
      {0xC2, 0, {false, false, true, false}, 0x42},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ModeByteAfterClick(c.before, c.radio, c.bits), c.after) << std::hex << c.before << " r" << c.radio;
}

TEST(TimeOutMarker, TickedOnlyForAB) {
  EXPECT_TRUE(TimeOutMarkerTicked("AB"));
  EXPECT_FALSE(TimeOutMarkerTicked("ab"));
  EXPECT_FALSE(TimeOutMarkerTicked("01"));
  EXPECT_EQ(TimeOutMarkerByte(true), 0xAB);
  EXPECT_EQ(TimeOutMarkerByte(false), 0x01);
}

TEST(SwitchOff, ValuesAndTicks) {
  EXPECT_EQ(SwitchOffValue(true, true), 0x00);
  EXPECT_EQ(SwitchOffValue(true, false), 0x0A);
  EXPECT_EQ(SwitchOffValue(false, true), 0xA0);
  EXPECT_EQ(SwitchOffValue(false, false), 0xAA);
  struct Case {
    int value;
    bool central, timeOut;
  } cases[] = {{0x00, true, true}, {0x0A, true, false}, {0xA0, false, true}, {0xAA, false, false},
               {0xFF, true, true}, {0xAB, false, true}, {0x5A, true, false}};
  for (const auto& c : cases) {
    SwitchOffTicks t = SwitchOffTicksOf(c.value);
    EXPECT_EQ(t.centralOff, c.central) << c.value;
    EXPECT_EQ(t.timeOut, c.timeOut) << c.value;
  }
  EXPECT_EQ(TypeOf(0x408).boxesByte, 0x30);
  EXPECT_EQ(TypeOf(0x365).boxesByte, 0x00);
  EXPECT_EQ(TypeOf(0x302).boxes, OptionBoxes::SwitchOff);
}

TEST(OutputFunctions, EachBoxIsOneBitAndBit5IsKept) {
  const OptionTypeSpec& s = TypeOf(0x270);
  ASSERT_EQ(s.boxes, OptionBoxes::BitField);
  EXPECT_EQ(s.boxesByte, 0x20);
  // Box n (index n-1) edits bit: 1->0, 2->1, 3->2, 4->3, 5->4, 7->6, 8->7; box 6 none.
  const int bitOfBox[] = {0, 1, 2, 3, 4, -1, 6, 7};
  for (size_t i = 0; i < 8; ++i) {
    std::array<bool, 8> one{};
    one[i] = true;
    int expected = bitOfBox[i] < 0 ? 0 : 1 << bitOfBox[i];
    EXPECT_EQ(BitFieldValue(s, 0x00, one), expected) << "box " << i + 1;
    EXPECT_EQ(BitFieldValue(s, 0x20, one), expected | 0x20) << "box " << i + 1;
  }
  std::array<bool, 8> none{};
  EXPECT_EQ(BitFieldValue(s, 0xFF, none), 0x20);
  std::array<bool, 8> all{};
  all.fill(true);
  EXPECT_EQ(BitFieldValue(s, 0x00, all), 0xDF);
  auto ticks = BoxTicksOf(s, 0x21);
  EXPECT_TRUE(ticks[0]);
  EXPECT_FALSE(ticks[1]);
  EXPECT_FALSE(ticks[5]);
  ticks = BoxTicksOf(s, 0xC0);
  EXPECT_TRUE(ticks[6]);
  EXPECT_TRUE(ticks[7]);
  EXPECT_EQ(s.boxList[5].top, -1);
}

TEST(SpecialOutputs, Bits0And1OfByte0x20) {
  const OptionTypeSpec& s = TypeOf(0x170);
  EXPECT_EQ(s.heading, "Spezial-Funktion Ausgang 9 / 10:");
  auto ticks = BoxTicksOf(s, 0x02);
  EXPECT_FALSE(ticks[0]);
  EXPECT_TRUE(ticks[1]);
  std::array<bool, 8> first{true};
  EXPECT_EQ(BitFieldValue(s, 0xF2, first), 0xF1);
}

TEST(Fading, CodesAndPositions) {
  const int codes[] = {0xFF, 0x66, 0x33, 0x22, 0x12, 0x11};
  const char* cells[] = {"FF", "66", "33", "22", "12", "11"};
  for (int p = 0; p <= 5; ++p) {
    EXPECT_EQ(FadingCode(p), codes[p]);
    EXPECT_EQ(FadingPositionOf(cells[p]), p);
  }
  EXPECT_EQ(FadingPositionOf("ff"), 0);
  EXPECT_EQ(FadingPositionOf("44"), std::nullopt);
  EXPECT_EQ(FadingPositionOf(""), std::nullopt);
  EXPECT_EQ(kFadingFallbackPosition, 5);
  EXPECT_EQ(kFadingFallbackCode, 0x11);
}

TEST(OptionTexts, UnitLabelsAndSpeedTitle) {
  struct Case {
    float unit;
    int value;
    const char* text;
  } cases[] = {
      {0.5f, 20, "(10.0 sec.)"}, {0.5f, 12, "(6.0 sec.)"}, {0.5f, 255, "(127.5 sec.)"}, {0.5f, 1, "(0.5 sec.)"},
      {0.2f, 3, "(0.6 sec.)"},   {0.2f, 255, "(51.0 sec.)"}, {0.2f, 7, "(1.4 sec.)"},
  };
  for (const auto& c : cases) EXPECT_EQ(OptionUnitLabel(c.unit, c.value), c.text) << c.value;
  EXPECT_EQ(SpeedBarTitle(42), "Geschwindigkeit: 42");
}

TEST(OptionLayout, RowsStand21ApartBesideTheWidestCaption) {
  auto places = PlaceOptionRows(60, {80, 120, 95}, 40);
  ASSERT_EQ(places.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    int top = 60 + 21 * static_cast<int>(i);
    EXPECT_EQ(places[i].editTop, top);
    EXPECT_EQ(places[i].captionTop, top + 3);
    EXPECT_EQ(places[i].unitTop, top + 3);
    EXPECT_EQ(places[i].captionLeft, 10);
    EXPECT_EQ(places[i].editLeft, 140);
    EXPECT_EQ(places[i].unitLeft, 190);
  }
  EXPECT_TRUE(PlaceOptionRows(20, {}, 40).empty());
}

TEST(OptionLayout, ModeGroupStacksFromTheTopAndSitsAtTheBottom) {
  ModeGroupContent c;
  c.labelShown = true;
  c.labelHeight = 39;
  c.bit7Shown = true;
  c.bit7Height = 17;
  c.radioShown = {true, true, true, false, false, false};
  c.radioHeight = {17, 17, 17, 17, 17, 17};
  c.bit6Shown = true;
  c.bit6Height = 17;
  ModeGroupPlaces p = StackModeGroup(c, 485);
  EXPECT_EQ(p.labelTop, 20);
  EXPECT_EQ(p.bit7Top, 69);         // 20 + 39 + 10
  EXPECT_EQ(p.radioTop[0], 96);     // 69 + 17 + 10
  EXPECT_EQ(p.radioTop[1], 113);
  EXPECT_EQ(p.radioTop[2], 130);
  EXPECT_EQ(p.bit6Top, 157);        // 147 + 10
  EXPECT_EQ(p.height, 184);         // 147 + 10 + 17 + 10
  EXPECT_EQ(p.top, 485 - 184 - 10);

  ModeGroupContent onlyRadios;
  onlyRadios.radioShown = {true, true, false, false, false, false};
  onlyRadios.radioHeight = {20, 20, 20, 20, 20, 20};
  p = StackModeGroup(onlyRadios, 485);
  EXPECT_EQ(p.radioTop[0], 20);
  EXPECT_EQ(p.radioTop[1], 40);
  EXPECT_EQ(p.height, 70);
}

TEST(OptionLayout, TrackBarSpansBetweenItsEndLabels) {
  TrackBarPlaces p = PlaceTrackBar(50, 40, 45, 360);
  EXPECT_EQ(p.titleLeft, 16);
  EXPECT_EQ(p.titleTop, 50);
  EXPECT_EQ(p.barTop, 70);
  EXPECT_EQ(p.leftLabelLeft, 16);
  EXPECT_EQ(p.leftLabelTop, 73);
  EXPECT_EQ(p.rightLabelTop, 73);
  EXPECT_EQ(p.rightLabelLeft, 360 - 16 - 45);
  EXPECT_EQ(p.barLeft, 16 + 40 + 10);
  EXPECT_EQ(p.barLeft + p.barWidth, p.rightLabelLeft - 10);
}
