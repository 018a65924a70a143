#include "editors/cv_tables.h"

#include <vector>

#include "image/firmware_image.h"

namespace korrin {

namespace {

// "F-Dekoder mit CV" (16F688).
constexpr CvRow kTableA[] = {
    {"CV1: Kurze Adresse", 0x60},
    {"CV15: Dekoder Sperren", 0x62},
    {"CV16: Dekoder Sperren", 0x63},
    {"CV17: Lange Adresse L", 0x64},
    {"CV18: Lange Adresse H", 0x65},
    {"CV29: Konfiguration", 0x68},
    {"CV48: Dekoder Betriebsart 1", 0x6D},
    {"CV50: Verzögerung 1", 0x6F},
    {"CV52: PWM-Wert 1", 0x71},
    {"CV53: PWM-Wert 2", 0x72},
    {"CV54: Länge Neon-Effekt", 0x73},
    {"CV61: Blinker Frequenz", 0x7A},
    {"CV62: Bremslicht Dauer", 0x7B},
    {"CV63: Bremslicht Schwelle", 0x7C},
    {"CV64: Bremslicht Dauer Stand", 0x7D},
    {"CV115: LISSY: Zug-Kategorie (1-4)", 0x83},
    {"CV140: Mapping Befehl 1", 0x9C},
    {"CV141: Mapping Befehl 2", 0x9D},
    {"CV142: Mapping Befehl 3", 0x9E},
    {"CV143: Mapping Befehl 4", 0x9F},
    {"CV144: Mapping Befehl 5", 0xA0},
    {"CV150: Betriebs-Art Out 1", 0xA6},
    {"CV151: Betriebs-Art Out 2", 0xA7},
    {"CV152: Betriebs-Art Out 3", 0xA8},
    {"CV153: Betriebs-Art Out 4", 0xA9},
};

// "Fenwik 16F18324"; the "Grosk 16F18324" table is the same but for the captions of
// CV054 and CV061 (rows 9 and 10), which end in " 18324" there.
constexpr CvRow kTableB[] = {
    {"CV001: Kurze Adresse", 0x60},
    {"CV007: Versions-Nummer", 0x61},
    {"CV015: Dekoder Lock #1", 0x62},
    {"CV016: Dekoder Lock #2", 0x63},
    {"CV017: extended Adress HIGH-Byte", 0x64},
    {"CV018: extended Adress LOW-Byte", 0x65},
    {"CV029: Konfigbyte", 0x6A},
    {"CV048: Betriebsart", 0x6D},
    {"CV054: Länge des Neon-Effektes", 0x73},
    {"CV061: Blinker Frequenz", 0x7A},
    {"CV062: Bremslicht Dauer", 0x7B},
    {"CV063: Bremslicht Schwellwert", 0x7C},
    {"CV064: Bremslicht Dauer Stand", 0x7D},
    {"CV115: Zug-Kategorie f. Lissy", 0x83},
    {"CV120: Lokadresse#2, High-Byte", 0x88},
    {"CV121: Lokadresse#2, Low-Byte", 0x89},
    {"CV122: Lokadresse#3, High-Byte", 0x8A},
    {"CV123: Lokadresse#3, Low-Byte", 0x8B},
    {"CV124: Lokadresse#4, High-Byte", 0x8C},
    {"CV125: Lokadresse#4, Low-Byte", 0x8D},
    {"CV126: Lokadresse#5, High-Byte", 0x8E},
    {"CV127: Lokadresse#5, Low-Byte", 0x8F},
    {"CV128: Lokadresse#6, High-Byte", 0x90},
    {"CV129: Lokadresse#6, Low-Byte", 0x91},
    {"CV130: Mapping Lokadresse Out 1", 0x92},
    {"CV131: Mapping Lokadresse Out 2", 0x93},
    {"CV132: Mapping Lokadresse Out 3", 0x94},
    {"CV133: Mapping Lokadresse Out 4", 0x95},
    {"CV134: Mapping Lokadresse Out 5", 0x96},
    {"CV135: Mapping Lokadresse Out 6", 0x97},
    {"CV136: Mapping Lokadresse DIMM A", 0x98},
    {"CV137: Mapping Lokadresse DIMM B", 0x99},
    {"CV140: F-Nummer Out 1", 0x9C},
    {"CV141: F-Nummer Out 2", 0x9D},
    {"CV142: F-Nummer Out 3", 0x9E},
    {"CV143: F-Nummer Out 4", 0x9F},
    {"CV144: F-Nummer Out 5", 0xA0},
    {"CV145: F-Nummer Out 6", 0xA1},
    {"CV146: F-Nummer DIMM A", 0xA2},
    {"CV147: F-Nummer DIMM B", 0xA3},
    {"CV150: Betriebsart Out 1", 0xA6},
    {"CV151: Betriebsart Out 2", 0xA7},
    {"CV152: Betriebsart Out 3", 0xA8},
    {"CV153: Betriebsart Out 4", 0xA9},
    {"CV154: Betriebsart Out 5", 0xAA},
    {"CV155: Betriebsart Out 6", 0xAB},
    {"CV156: Dimmen Befehl A Maske", 0xAC},
    {"CV157: Dimmen Befehl B Maske", 0xAD},
    {"CV160: PWM Out 1 HELL", 0xB0},
    {"CV161: PWM Out 1 GEDIMMT", 0xB1},
    {"CV162: PWM Out 2 HELL", 0xB2},
    {"CV163: PWM Out 2 GEDIMMT", 0xB3},
    {"CV164: PWM Out 3 HELL", 0xB4},
    {"CV165: PWM Out 3 GEDIMMT", 0xB5},
    {"CV166: PWM Out 4 HELL", 0xB6},
    {"CV167: PWM Out 4 GEDIMMT", 0xB7},
    {"CV168: PWM Out 5 HELL", 0xB8},
    {"CV169: PWM Out 5 GEDIMMT", 0xB9},
    {"CV170: PWM Out 6 HELL", 0xBA},
    {"CV171: PWM Out 6 GEDIMMT", 0xBB},
    {"CV172: Fade Value", 0xBC},
    {"CV180: Einschaltverzögerung OUT1", 0xC4},
    {"CV181: Einschaltverzögerung OUT2", 0xC5},
    {"CV182: Einschaltverzögerung OUT3", 0xC6},
    {"CV183: Einschaltverzögerung OUT4", 0xC7},
    {"CV184: Einschaltverzögerung OUT5", 0xC8},
    {"CV185: Einschaltverzögerung OUT6", 0xC9},
    {"CV186: Ausschaltverzögerung OUT1", 0xCA},
    {"CV187: Ausschaltverzögerung OUT2", 0xCB},
    {"CV188: Ausschaltverzögerung OUT3", 0xCC},
    {"CV189: Ausschaltverzögerung OUT4", 0xCD},
    {"CV190: Ausschaltverzögerung OUT5", 0xCE},
    {"CV191: Ausschaltverzögerung OUT6", 0xCF},
};

std::vector<CvRow> MakeTableC() {
  std::vector<CvRow> rows(std::begin(kTableB), std::end(kTableB));
  rows[8].caption = "CV054: Länge des Neon-Effektes 18324";
  rows[9].caption = "CV061: Blinker Frequenz 18324";
  return rows;
}

}  // namespace

std::span<const CvRow> CvTableFor(CvTable table) {
  static const std::vector<CvRow> tableC = MakeTableC();
  switch (table) {
    case CvTable::FunctionDecoder: return kTableA;
    case CvTable::Fenwik: return kTableB;
    case CvTable::Grosk: return tableC;
    case CvTable::None: break;
  }
  return {};
}

std::vector<std::string> EveryCvCaption() {
  std::vector<std::string> captions;
  for (CvTable table : {CvTable::FunctionDecoder, CvTable::Fenwik, CvTable::Grosk})
    for (const CvRow& row : CvTableFor(table)) captions.emplace_back(row.caption);
  return captions;
}

CvSlotPlace CvSlotPlacement(int slot) {
  // Columns end after slots 20, 41, 62 and 80.
  static constexpr int kColumnEnds[] = {20, 41, 62, 80};
  int column = 0;
  int first = 0;
  for (int end : kColumnEnds) {
    if (slot <= end) break;
    first = end + 1;
    ++column;
  }
  int x = 5 + 230 * column;
  int y = -10 + 25 * (slot - first + 1);
  return {x, y + 4, x + 180, y};
}

std::array<CvSeparator, 3> CvSeparators(int panelHeight) {
  return {{{230, 8, 2, panelHeight - 1}, {460, 8, 2, panelHeight - 1}, {690, 8, 2, panelHeight - 1}}};
}

std::string CvValueText(const std::string& cell) { return std::to_string(HexByteValue(cell)); }

}  // namespace korrin
