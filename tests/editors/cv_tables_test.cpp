#include "editors/cv_tables.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace korrin;

namespace {

struct Expected {
  int row;
  const char* caption;
  int offset;
};

// The tables as the decoder documentation prints them, row by row.
const std::vector<Expected> kExpectedA = {
      {1, "CV1: Kurze Adresse", 0x60},
      {2, "CV15: Dekoder Sperren", 0x62},
      {3, "CV16: Dekoder Sperren", 0x63},
      {4, "CV17: Lange Adresse L", 0x64},
      {5, "CV18: Lange Adresse H", 0x65},
      {6, "CV29: Konfiguration", 0x68},
      {7, "CV48: Dekoder Betriebsart 1", 0x6D},
      {8, "CV50: Verzögerung 1", 0x6F},
      {9, "CV52: PWM-Wert 1", 0x71},
      {10, "CV53: PWM-Wert 2", 0x72},
      {11, "CV54: Länge Neon-Effekt", 0x73},
      {12, "CV61: Blinker Frequenz", 0x7A},
      {13, "CV62: Bremslicht Dauer", 0x7B},
      {14, "CV63: Bremslicht Schwelle", 0x7C},
      {15, "CV64: Bremslicht Dauer Stand", 0x7D},
      {16, "CV115: LISSY: Zug-Kategorie (1-4)", 0x83},
      {17, "CV140: Mapping Befehl 1", 0x9C},
      {18, "CV141: Mapping Befehl 2", 0x9D},
      {19, "CV142: Mapping Befehl 3", 0x9E},
      {20, "CV143: Mapping Befehl 4", 0x9F},
      {21, "CV144: Mapping Befehl 5", 0xA0},
      {22, "CV150: Betriebs-Art Out 1", 0xA6},
      {23, "CV151: Betriebs-Art Out 2", 0xA7},
      {24, "CV152: Betriebs-Art Out 3", 0xA8},
      {25, "CV153: Betriebs-Art Out 4", 0xA9},
};

const std::vector<Expected> kExpectedB = {
      {1, "CV001: Kurze Adresse", 0x60},
      {2, "CV007: Versions-Nummer", 0x61},
      {3, "CV015: Dekoder Lock #1", 0x62},
      {4, "CV016: Dekoder Lock #2", 0x63},
      {5, "CV017: extended Adress HIGH-Byte", 0x64},
      {6, "CV018: extended Adress LOW-Byte", 0x65},
      {7, "CV029: Konfigbyte", 0x6A},
      {8, "CV048: Betriebsart", 0x6D},
      {9, "CV054: Länge des Neon-Effektes", 0x73},
      {10, "CV061: Blinker Frequenz", 0x7A},
      {11, "CV062: Bremslicht Dauer", 0x7B},
      {12, "CV063: Bremslicht Schwellwert", 0x7C},
      {13, "CV064: Bremslicht Dauer Stand", 0x7D},
      {14, "CV115: Zug-Kategorie f. Lissy", 0x83},
      {15, "CV120: Lokadresse#2, High-Byte", 0x88},
      {16, "CV121: Lokadresse#2, Low-Byte", 0x89},
      {17, "CV122: Lokadresse#3, High-Byte", 0x8A},
      {18, "CV123: Lokadresse#3, Low-Byte", 0x8B},
      {19, "CV124: Lokadresse#4, High-Byte", 0x8C},
      {20, "CV125: Lokadresse#4, Low-Byte", 0x8D},
      {21, "CV126: Lokadresse#5, High-Byte", 0x8E},
      {22, "CV127: Lokadresse#5, Low-Byte", 0x8F},
      {23, "CV128: Lokadresse#6, High-Byte", 0x90},
      {24, "CV129: Lokadresse#6, Low-Byte", 0x91},
      {25, "CV130: Mapping Lokadresse Out 1", 0x92},
      {26, "CV131: Mapping Lokadresse Out 2", 0x93},
      {27, "CV132: Mapping Lokadresse Out 3", 0x94},
      {28, "CV133: Mapping Lokadresse Out 4", 0x95},
      {29, "CV134: Mapping Lokadresse Out 5", 0x96},
      {30, "CV135: Mapping Lokadresse Out 6", 0x97},
      {31, "CV136: Mapping Lokadresse DIMM A", 0x98},
      {32, "CV137: Mapping Lokadresse DIMM B", 0x99},
      {33, "CV140: F-Nummer Out 1", 0x9C},
      {34, "CV141: F-Nummer Out 2", 0x9D},
      {35, "CV142: F-Nummer Out 3", 0x9E},
      {36, "CV143: F-Nummer Out 4", 0x9F},
      {37, "CV144: F-Nummer Out 5", 0xA0},
      {38, "CV145: F-Nummer Out 6", 0xA1},
      {39, "CV146: F-Nummer DIMM A", 0xA2},
      {40, "CV147: F-Nummer DIMM B", 0xA3},
      {41, "CV150: Betriebsart Out 1", 0xA6},
      {42, "CV151: Betriebsart Out 2", 0xA7},
      {43, "CV152: Betriebsart Out 3", 0xA8},
      {44, "CV153: Betriebsart Out 4", 0xA9},
      {45, "CV154: Betriebsart Out 5", 0xAA},
      {46, "CV155: Betriebsart Out 6", 0xAB},
      {47, "CV156: Dimmen Befehl A Maske", 0xAC},
      {48, "CV157: Dimmen Befehl B Maske", 0xAD},
      {49, "CV160: PWM Out 1 HELL", 0xB0},
      {50, "CV161: PWM Out 1 GEDIMMT", 0xB1},
      {51, "CV162: PWM Out 2 HELL", 0xB2},
      {52, "CV163: PWM Out 2 GEDIMMT", 0xB3},
      {53, "CV164: PWM Out 3 HELL", 0xB4},
      {54, "CV165: PWM Out 3 GEDIMMT", 0xB5},
      {55, "CV166: PWM Out 4 HELL", 0xB6},
      {56, "CV167: PWM Out 4 GEDIMMT", 0xB7},
      {57, "CV168: PWM Out 5 HELL", 0xB8},
      {58, "CV169: PWM Out 5 GEDIMMT", 0xB9},
      {59, "CV170: PWM Out 6 HELL", 0xBA},
      {60, "CV171: PWM Out 6 GEDIMMT", 0xBB},
      {61, "CV172: Fade Value", 0xBC},
      {62, "CV180: Einschaltverzögerung OUT1", 0xC4},
      {63, "CV181: Einschaltverzögerung OUT2", 0xC5},
      {64, "CV182: Einschaltverzögerung OUT3", 0xC6},
      {65, "CV183: Einschaltverzögerung OUT4", 0xC7},
      {66, "CV184: Einschaltverzögerung OUT5", 0xC8},
      {67, "CV185: Einschaltverzögerung OUT6", 0xC9},
      {68, "CV186: Ausschaltverzögerung OUT1", 0xCA},
      {69, "CV187: Ausschaltverzögerung OUT2", 0xCB},
      {70, "CV188: Ausschaltverzögerung OUT3", 0xCC},
      {71, "CV189: Ausschaltverzögerung OUT4", 0xCD},
      {72, "CV190: Ausschaltverzögerung OUT5", 0xCE},
      {73, "CV191: Ausschaltverzögerung OUT6", 0xCF},
};

// The CV table the registry row of an identifier names.
std::span<const CvRow> CvTableOf(int32_t id) {
  const DecoderType* type = FindDecoderType(id);
  return CvTableFor(type != nullptr ? type->editor.cvTable : CvTable::None);
}

void ExpectTable(int32_t id, const std::vector<Expected>& expected) {
  auto table = CvTableOf(id);
  ASSERT_EQ(table.size(), expected.size()) << std::hex << id;
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(static_cast<int>(i) + 1, expected[i].row);
    EXPECT_STREQ(table[i].caption, expected[i].caption) << "row " << expected[i].row;
    EXPECT_EQ(table[i].offset, expected[i].offset) << "row " << expected[i].row;
  }
}

int CvNumber(const char* caption) { return std::atoi(caption + 2); }

}  // namespace

TEST(CvTables, TableAOfTheFDecoderWithCv) { ExpectTable(0x4400, kExpectedA); }

TEST(CvTables, TableBOfFenwik) { ExpectTable(0x14B00, kExpectedB); }

TEST(CvTables, TableCDiffersFromBOnlyInTheCaptionsOfRows9And10) {
  std::vector<Expected> expectedC = kExpectedB;
  expectedC[8].caption = "CV054: Länge des Neon-Effektes 18324";
  expectedC[9].caption = "CV061: Blinker Frequenz 18324";
  ExpectTable(0x15000, expectedC);
}

TEST(CvTables, FromRow14EveryOffsetIsTheCvNumberPlus16) {
  for (int32_t id : {0x14B00, 0x15000}) {
    auto table = CvTableOf(id);
    ASSERT_EQ(table.size(), 73u);
    for (size_t i = 13; i < table.size(); ++i)
      EXPECT_EQ(table[i].offset, CvNumber(table[i].caption) + 16) << table[i].caption;
  }
}

TEST(CvTables, Cv29LiesAt0x68InTableAAnd0x6AInTheOthers) {
  auto find29 = [](int32_t id) {
    for (const auto& row : CvTableOf(id))
      if (CvNumber(row.caption) == 29) return row.offset;
    return -1;
  };
  EXPECT_EQ(find29(0x4400), 0x68);
  EXPECT_EQ(find29(0x14B00), 0x6A);
  EXPECT_EQ(find29(0x15000), 0x6A);
}

TEST(CvTables, OtherIdentifiersHaveNoTable) {
  for (int32_t id : {0, 0x44, 0x4401, 0x14B01, 0x4B00, 0x5000, -1}) EXPECT_TRUE(CvTableOf(id).empty()) << id;
}

TEST(CvSlots, ColumnsOf21And18RowsAt25PixelPitch) {
  struct Case {
    int slot, captionLeft, captionTop, editLeft, editTop;
  } cases[] = {
      {0, 5, 19, 185, 15},     {1, 5, 44, 185, 40},     {20, 5, 519, 185, 515},
      {21, 235, 19, 415, 15},  {41, 235, 519, 415, 515}, {42, 465, 19, 645, 15},
      {62, 465, 519, 645, 515}, {63, 695, 19, 875, 15},  {80, 695, 444, 875, 440},
      {81, 925, 19, 1105, 15}, {511, 925, 10769, 1105, 10765},
  };
  for (const auto& c : cases) {
    CvSlotPlace p = CvSlotPlacement(c.slot);
    EXPECT_EQ(p.captionLeft, c.captionLeft) << c.slot;
    EXPECT_EQ(p.captionTop, c.captionTop) << c.slot;
    EXPECT_EQ(p.editLeft, c.editLeft) << c.slot;
    EXPECT_EQ(p.editTop, c.editTop) << c.slot;
  }
}

TEST(CvSlots, SeparatorsStandBetweenTheColumns) {
  auto lines = CvSeparators(555);
  int lefts[] = {230, 460, 690};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(lines[i].left, lefts[i]);
    EXPECT_EQ(lines[i].top, 8);
    EXPECT_EQ(lines[i].width, 2);
    EXPECT_EQ(lines[i].height, 554);
  }
}

TEST(CvInput, OnlyWholeNumbersOfOneByteAreValues) {
  struct Case {
    const char* text;
    TypedNumberKind kind;
    int value;
  } cases[] = {
      {"", TypedNumberKind::Empty, 0},          {"0", TypedNumberKind::InRange, 0},
      {"255", TypedNumberKind::InRange, 255},   {"007", TypedNumberKind::InRange, 7},
      {"+12", TypedNumberKind::InRange, 12},    {"256", TypedNumberKind::OutOfRange, 256},
      {"-1", TypedNumberKind::OutOfRange, -1},  {"12a", TypedNumberKind::NotANumber, 0},
      {"a", TypedNumberKind::NotANumber, 0},    {"-", TypedNumberKind::NotANumber, 0},
      {" 1", TypedNumberKind::NotANumber, 0},   {"1.5", TypedNumberKind::NotANumber, 0},
      {"2147483647", TypedNumberKind::OutOfRange, 2147483647},
      {"2147483648", TypedNumberKind::NotANumber, 0},
      {"-2147483648", TypedNumberKind::OutOfRange, -2147483647 - 1},
      {"99999999999999999999", TypedNumberKind::NotANumber, 0},
  };
  for (const auto& c : cases) {
    TypedNumber n = ReadCvInput(c.text);
    EXPECT_EQ(n.kind, c.kind) << c.text;
    if (c.kind == TypedNumberKind::InRange || c.kind == TypedNumberKind::OutOfRange) {
      EXPECT_EQ(n.value, c.value) << c.text;
    }
  }
}

TEST(CvInput, ValueTextOfACell) {
  EXPECT_EQ(CvValueText("FF"), "255");
  EXPECT_EQ(CvValueText("00"), "0");
  EXPECT_EQ(CvValueText("0C"), "12");
}

TEST(TypedNumberMessages, ExactTexts) {
  EXPECT_EQ(NotANumberMessage(), "Ungültige Eingabe.\rZugelassen sind nur Zahlen");
  EXPECT_EQ(OutOfRangeMessage(1, 127), "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..127");
}
