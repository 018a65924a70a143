// The decoder catalogue: one constant table of decoder types and the caption sets of their
// address rows, plus the small rules the catalogue step applies.
#include "decoders/catalogue.h"

#include <algorithm>

#include "image/format.h"

namespace korrin {

namespace {

constexpr bool kRecognisedWithoutRows = true;

CatalogueEntry Entry(std::vector<int32_t> identifiers, std::string title, int32_t pic, RowMode mode,
                     int captionSet, int perColumn, int gapRow, int frameKind,
                     bool recognisedWithoutRows = false) {
  CatalogueEntry entry;
  entry.helpPage = std::string(kHelpFolder) + "/" + HelpFileName(identifiers.front());
  entry.identifiers = std::move(identifiers);
  entry.title = std::move(title);
  entry.pic = pic;
  entry.mode = mode;
  entry.captionSet = captionSet;
  entry.perColumn = perColumn;
  entry.gapRow = gapRow;
  entry.frameKind = static_cast<FrameKind>(frameKind);  // the table is written with the numbers
  entry.recognisedWithoutRows = recognisedWithoutRows;
  return entry;
}

// Caption sets C1..C55, index 0 = C1. Row index -> caption text.
const std::vector<std::map<int, std::string>>& CaptionSets() {
  static const std::vector<std::map<int, std::string>> sets = {
      // C1
      {
        {4, "Licht"},
        {5, "Step"},
        {6, "Turn (180°)"},
        {7, "Drehrichtung"},
        {8, "Position1"},
        {9, "Position2"},
        {10, "Position3"},
        {11, "Position4"},
        {12, "Position5"},
        {13, "Position6"},
        {14, "Position7"},
        {15, "Position8"},
        {16, "Position9"},
        {17, "Position10"},
        {18, "Position11"},
        {19, "Position12"},
        {20, "Position13"},
        {21, "Position14"},
        {22, "Position15"},
        {23, "Position16"},
        {24, "Position17"},
        {25, "Position18"},
        {26, "Position19"},
        {27, "Position20"},
        {28, "Position21"},
        {29, "Position22"},
        {30, "Position23"},
        {31, "Position24"},
      },
      // C2
      {
        {4, "Licht"},
        {5, "Step"},
        {6, "Turn (180°)"},
        {7, "Drehrichtung"},
        {8, "Position1"},
        {9, "Position2"},
        {10, "Position3"},
        {11, "Position4"},
        {12, "Position5"},
        {13, "Position6"},
        {14, "Position7"},
        {15, "Position8"},
        {16, "Position9"},
        {17, "Position10"},
        {18, "Position11"},
        {19, "Position12"},
      },
      // C3
      {
        {1, "Weiche"},
        {2, "Licht"},
      },
      // C4
      {
        {1, "Blinken"},
        {2, "Signal"},
      },
      // C5
      {
        {1, "Weiche 1"},
        {2, "Weiche 2"},
      },
      // C6
      {
        {1, "Links"},
        {2, "Mitte"},
        {3, "Rechts"},
      },
      // C7
      {
        {1, "Signal 1 grün"},
        {2, "Signal 1 rot"},
        {3, "Signal 2 grün"},
        {4, "Signal 2 rot"},
      },
      // C8
      {
        {1, "Ausgang / Out 1"},
        {2, "Ausgang / Out 2"},
        {3, "Ausgang / Out 3"},
        {4, "Ausgang / Out 4"},
      },
      // C9
      {
        {1, "Weichen-Adresse"},
      },
      // C10
      {
        {1, "Vorsignal: Vmax"},
        {2, "Vorsignal: Halt"},
        {3, "Vorsignal: 100"},
        {4, "Vorsignal: 40/60"},
        {5, "Hauptsignal: Vmax"},
        {6, "Hauptsignal: Halt"},
        {7, "Hauptsignal: 100/40/60"},
      },
      // C11
      {
        {1, "Signal"},
        {2, "Kennlicht"},
      },
      // C12
      {
        {1, "Ausgang / Out 1"},
        {2, "Ausgang / Out 2"},
        {3, "Ausgang / Out 3 (FL)"},
        {4, "Ausgang / Out 4"},
      },
      // C13
      {
        {1, "Blink 1"},
        {2, "Blink 2"},
        {3, "Blink 3"},
        {4, "Blink 4"},
      },
      // C14
      {
        {1, "Ein"},
        {2, "Hell-Dunkel"},
      },
      // C15
      {
        {1, "Ausgang / Out 1"},
        {2, "Ausgang / Out 2"},
        {3, "Ausgang / Out 3"},
        {4, "Ausgang / Out 4"},
        {5, "Hell-Dunkel"},
      },
      // C16
      {
        {1, "Ausgang / Out 1"},
        {2, "Ausgang / Out 2"},
        {3, "Ausgang / Out 3 (FL)"},
        {4, "Ausgang / Out 4"},
        {5, "Hell-Dunkel"},
      },
      // C17
      {
        {1, "Ausgang / Out 1"},
        {2, "Ausgang / Out 2"},
        {3, "Ausgang / Out 3"},
        {4, "Ausgang / Out 4"},
        {5, "Ausgang / Out 5"},
        {6, "Ausgang / Out 6"},
        {7, "Ausgang / Out 7"},
        {8, "Ausgang / Out 8"},
        {9, "All"},
      },
      // C18
      {
        {1, "Weiche 1"},
        {2, "Weiche 2"},
        {3, "Weiche 3"},
        {4, "Weiche 4"},
      },
      // C19
      {
        {1, "Ausgang / Out 1"},
        {2, "Ausgang / Out 2"},
        {3, "Ausgang / Out 3"},
        {4, "Ausgang / Out 4"},
        {5, "Ausgang / Out 5"},
        {6, "Ausgang / Out 6"},
        {7, "Ausgang / Out 7"},
        {8, "Ausgang / Out 8"},
        {9, "Ausgang / Out 9"},
        {10, "Ausgang / Out 10"},
      },
      // C20
      {
        {1, "Signal 1"},
        {2, "Signal 2"},
        {3, "Signal 3"},
        {4, "Signal 4"},
        {5, "Signal 5"},
      },
      // C21
      {
        {1, "HP00"},
        {2, "HP1"},
        {3, "HP2"},
        {4, "SH1"},
        {5, "VR0"},
        {6, "VR1"},
        {7, "VR2"},
      },
      // C22
      {
        {1, "HALT"},
        {2, "FB 1"},
        {3, "FB 2"},
        {4, "FB 3"},
        {5, "Warnung"},
        {6, "FB 1"},
        {7, "FB 2"},
        {8, "FB 3"},
      },
      // C23
      {
        {1, "HALT"},
        {2, "FB 1"},
        {3, "FB 2"},
        {4, "FB 3"},
        {5, "Warnung"},
        {6, "FB 1"},
        {7, "FB 2"},
        {8, "FB 3"},
        {9, "Out 5"},
        {10, "Out 6"},
      },
      // C24
      {
        {1, "Ein"},
      },
      // C25
      {
        {1, "Auto"},
        {2, "Nacht"},
        {3, "Grün"},
        {4, "Rot"},
      },
      // C26
      {
        {1, "Blink 1"},
        {2, "Blink 2"},
        {3, "Blink 3"},
        {4, "Lauf"},
        {5, "Leit"},
        {6, "Warn"},
        {7, "Foto"},
        {8, "aus"},
      },
      // C27
      {
        {1, "Blink 1"},
        {2, "Blink 2"},
        {3, "Blink 3"},
        {4, "aus"},
      },
      // C28
      {
        {1, "Ausgang / Out 1"},
        {2, "Ausgang / Out 2"},
        {3, "Ausgang / Out 3"},
        {4, "Ausgang / Out 4"},
        {5, "Ausgang / Out 5"},
        {6, "Ausgang / Out 6"},
        {7, "Ausgang / Out 7"},
        {8, "Ausgang / Out 8"},
        {9, "Ausgang / Out 9 (FL)"},
        {10, "Ausgang / Out 10"},
      },
      // C29
      {
        {1, "Hauptsignal: Hp0"},
        {2, "Hauptsignal: Hp1"},
        {3, "Hauptsignal: Hp2"},
        {4, "Hauptsignal: Nebenrot + Zs1"},
        {5, "Hauptsignal: Hp1 + Zs3"},
        {6, "Hauptsignal: Hp2 + Zs3"},
        {7, "Vorsignal: Vr0"},
        {8, "Vorsignal: Vr1"},
        {9, "Vorsignal: Vr2"},
      },
      // C30
      {
        {1, "Hauptsignal: Hp0"},
        {2, "Hauptsignal: Hp1"},
        {3, "Hauptsignal: Hp2"},
        {4, "Hauptsignal: Nebenrot + Zs1"},
        {5, "Hauptsignal: Hp1 + Zs3"},
        {6, "Hauptsignal: Hp2 + Zs3"},
        {7, "Vorsignal: Vr0"},
        {8, "Vorsignal: Vr1"},
        {9, "Vorsignal: Vr2"},
        {10, "Vorsignal: Vr0"},
        {11, "Vorsignal: Vr1"},
        {12, "Vorsignal: Vr2"},
      },
      // C31
      {
        {1, "Hauptsignal: Hp00"},
        {2, "Hauptsignal: Hp1"},
        {3, "Hauptsignal: Hp2"},
        {4, "Hauptsignal: Hp0 + Sh1"},
        {5, "Hauptsignal: Hp0 + Zs1"},
        {6, "Hauptsignal: Hp0 + Zs8 (blink)"},
        {7, "Vorsignal: Vr0"},
        {8, "Vorsignal: Vr1"},
        {9, "Vorsignal: Vr2"},
      },
      // C32
      {
        {1, "Hauptsignal: Hp00"},
        {2, "Hauptsignal: Hp1"},
        {3, "Hauptsignal: Hp2"},
        {4, "Hauptsignal: Hp0 + Sh1"},
        {5, "Hauptsignal: Hp0 + Zs1"},
        {6, "Hauptsignal: Hp0 + Zs8 (blink)"},
        {7, "Vorsignal: Vr0"},
        {8, "Vorsignal: Vr1"},
        {9, "Vorsignal: Vr2"},
        {10, "Vorsignal: Vr0"},
        {11, "Vorsignal: Vr0"},
        {12, "Vorsignal: Vr0"},
      },
      // C33
      {
        {1, "Signal 1: Halt"},
        {2, "Signal 1: Frei"},
        {3, "Signal 1: Frei 40"},
        {4, "Signal 1: Frei 60"},
        {5, "Signal 1: Frei 40/60"},
        {6, "Signal 1: Verschub"},
        {7, "Signal 1: Ersatz-Signal"},
        {8, "Signal 2: Halt"},
        {9, "Signal 2: Frei"},
        {10, "Signal 2: Frei 40"},
        {11, "Signal 2: Frei 60"},
        {12, "Signal 2: Frei 40/60"},
        {13, "Signal 2: Verschub"},
        {14, "Signal 2: Ersatz-Signal"},
      },
      // C34
      {
        {1, "Signal 1: Hp00"},
        {2, "Signal 1: Hp1"},
        {3, "Signal 1: Hp2"},
        {4, "Signal 1: Hp0 + Sh1"},
        {5, "Signal 2: Hp00"},
        {6, "Signal 2: Hp1"},
        {7, "Signal 2: Hp2"},
        {8, "Signal 2: Hp0 + Sh1"},
      },
      // C35
      {
        {1, "Hauptsignal: Halt"},
        {2, "Hauptsignal: Vmax"},
        {3, "Hauptsignal: 40 km/h"},
        {4, "Hauptsignal: 60 km/h"},
        {5, "Hauptsignal: 100 km/h"},
        {6, "Hauptsignal: Hp0 + Zs1"},
        {7, "Hauptsignal: Hp0 + Ra12"},
        {8, "Vorsignal: erwarte Halt"},
        {9, "Vorsignal: erwarte Vmax"},
        {10, "Vorsignal: erwarte 40 km/h"},
        {11, "Vorsignal: erwarte 60 km/h"},
        {12, "Vorsignal: erwarte 100 km/h"},
        {13, "Vorsignal: erwarte Halt"},
        {14, "Vorsignal: erwarte Halt"},
      },
      // C36
      {
        {1, "Hauptsignal: Halt"},
        {2, "Hauptsignal: Vmax"},
        {3, "Hauptsignal: 40 km/h"},
        {4, "Hauptsignal: 60 km/h"},
        {5, "Hauptsignal: 100 km/h"},
        {6, "Hauptsignal: Hp0 + Ersatz"},
        {7, "Hauptsignal: Hp0 + Rangierfahrt"},
        {8, "Vorsignal: erwarte Halt"},
        {9, "Vorsignal: erwarte Vmax"},
        {10, "Vorsignal: erwarte 40 km/h"},
        {11, "Vorsignal: erwarte 60 km/h"},
        {12, "Vorsignal: erwarte 100 km/h"},
        {13, "Vorsignal: erwarte Halt"},
        {14, "Vorsignal: erwarte Halt"},
      },
      // C37
      {
        {1, "Hauptsignal: Hp0"},
        {2, "Hauptsignal: Ks1"},
        {3, "Hauptsignal: Ks1 + Zs3"},
        {4, "Hauptsignal: Ks1 + Zs1"},
        {5, "Hauptsignal: Ks1 + Sh1"},
        {6, "Hauptsignal: Ks1 + Zs7"},
        {7, "Hauptsignal: Kennlicht"},
        {8, "Vorsignal: Ks2 (Halt erwarten)"},
        {9, "Vorsignal: Ks1"},
        {10, "Vorsignal: Ks1 + Zs3v"},
        {11, "Vorsignal: Ks2 (Halt erwarten)"},
        {12, "Vorsignal: Ks2 (Halt erwarten)"},
        {13, "Vorsignal: Ks2 (Halt erwarten)"},
        {14, "Vorsignal: Kennlicht"},
      },
      // C38
      {
        {1, "Signal 1: Hp00"},
        {2, "Signal 1: Hp1"},
        {3, "Signal 1: Hp2"},
        {4, "Signal 1: Hp0 + Sh1"},
        {5, "Signal 2: Hp00"},
        {6, "Signal 2: Hp00"},
        {7, "Signal 2: Hp1"},
        {8, "Signal 2: Hp2"},
        {9, "Signal 2: Hp0 + Sh1"},
        {10, "Signal 2: Hp00"},
      },
      // C39
      {
        {1, "Signal 1: Vr0"},
        {2, "Signal 1: Vr1"},
        {3, "Signal 1: Vr2"},
        {4, "Signal 1: Dunkel"},
        {5, "Signal 2: Vr0"},
        {6, "Signal 2: Vr1"},
        {7, "Signal 2: Vr2"},
        {8, "Signal 2: Dunkel"},
      },
      // C40
      {
        {1, "Signal 1: Vr0"},
        {2, "Signal 1: Vr1"},
        {3, "Signal 1: Vr1 + Zs3v"},
        {4, "Signal 1: Vr2"},
        {5, "Signal 1: Vr2 + Zs3v"},
        {6, "Signal 1: Dunkel"},
        {7, "Signal 2: Vr0"},
        {8, "Signal 2: Vr1"},
        {9, "Signal 2: Vr1 + Zs3v"},
        {10, "Signal 2: Vr2"},
        {11, "Signal 2: Vr2 + Zs3v"},
        {12, "Signal 2: Dunkel"},
      },
      // C41
      {
        {1, "C - Stop Carré"},
        {2, "S - red"},
        {3, "(S) - red flash."},
        {4, "VL - green"},
        {5, "(VL) - green flash."},
        {6, "Cv - violet"},
        {7, "M - white"},
        {8, "(M) - white flash."},
        {9, "A - yellow"},
        {10, "(A) - yellow flash."},
        {11, "30 R - slow"},
        {12, "60 (R) - slow"},
        {13, "30 RR - remember"},
        {14, "60 (RR) - remember"},
      },
      // C42
      {
        {1, "Stop"},
        {2, "Ride on Sight"},
        {3, "reduce to 30"},
        {4, "reduce to x"},
        {5, "reduce to x"},
        {6, "pass with 40"},
        {7, "pass with x"},
        {8, "pass"},
        {9, "Stop"},
        {10, "Ride on Sight"},
        {11, "reduce to 30"},
        {12, "reduce to x"},
        {13, "reduce to x"},
        {14, "pass with 40"},
        {15, "pass with x"},
        {16, "pass"},
      },
      // C43
      {
        {1, "Hp00"},
        {2, "Hp1 + Zs3 + Zs6"},
        {3, "Hp2 + Zs3 + Zs6"},
        {4, "Hp0 + Sh1"},
        {5, "Hp0 + Zs1"},
        {6, "Hp0 + Zs8"},
        {7, "Weg 1"},
        {8, "Weg 2"},
      },
      // C44
      {
        {1, "Hp00"},
        {2, "Hp1 + Zs3 + Zs6"},
        {3, "Hp2 + Zs3 + Zs6"},
        {4, "Hp0 + Sh1"},
        {5, "Hp0 + Zs1"},
        {6, "Hp0 + Zs8"},
        {7, "Kennlicht 1"},
        {8, "Kennlicht 2"},
        {9, "Weg 1"},
        {10, "Weg 2"},
      },
      // C45
      {
        {1, "Vr0 bei Weg 1"},
        {2, "Vr1 bei Weg 1"},
        {3, "Vr2 bei Weg 2"},
        {4, "Vr0 bei Weg 2"},
        {5, "Vr1 bei Weg 2"},
        {6, "Vr2 bei Weg 2"},
        {7, "Weg 1"},
        {8, "Weg 2"},
        {9, "Dunkel EIN"},
        {10, "Dunkel EIN"},
        {11, "Dunkel EIN"},
        {12, "Dunkel EIN"},
        {13, "Dunkel AUS"},
        {14, "Dunkel AUS"},
      },
      // C46
      {
        {1, " "},
        {2, " "},
        {3, " "},
        {4, " "},
        {5, " "},
        {6, " "},
        {7, " "},
        {8, " "},
        {9, " "},
        {10, " "},
        {11, " "},
        {12, " "},
        {13, " "},
        {14, " "},
        {15, " "},
        {16, " "},
      },
      // C47
      {
        {1, "Stop"},
        {2, "Stop and Proceed"},
        {3, "Stop and Proceed (w/o speed signal box)"},
        {4, "Proceed (high speed)"},
        {5, "Proceed through"},
        {6, "Proceed through (diversion route)"},
        {7, "Proceed w/ limited speed (60 km/h)"},
        {8, "Proceed w/ limited speed (40 km/h)"},
        {9, "Proceed w/ limited speed (60 km/h, diversion)"},
        {10, "Proceed w/ limited speed (40 km/h, diversion)"},
        {11, "Proceed through w/ limited speed (60 km/h)"},
        {12, "Proceed through w/ limited speed (40 km/h)"},
        {13, "Proceed - no safety overlap (40 km/h)"},
        {14, "Proceed - no safety overlap (40 km/h, divert)"},
        {15, "Proceed (stop at entry block signal)"},
        {16, "Proceed through (low speed at entry block signal)"},
      },
      // C48
      {
        {1, "Stop"},
        {2, "Stop and Proceed"},
        {3, "Proceed (optional: route towards A-city)"},
        {4, "Proceed though (optional: route towards A-city)"},
        {5, "Pass"},
        {6, "Pass with caution"},
        {7, "No passing"},
        {8, "Signal cancelled"},
        {9, "Proceed (route towards B-city)"},
        {10, "Proceed though (route towards B-city)"},
        {11, "Proceed (route towards C-city)"},
        {12, "Proceed though (route towards C-city)"},
        {13, "Sweden: Proceed"},
        {14, "Sweden: Proceed, max speed 40 km/h"},
        {15, "Sweden: Proceed w caution, next signal 40 or stop"},
        {16, "Sweden: Proceed w caution, next signalstop"},
      },
      // C49
      {
        {1, "Signal 1: Stop"},
        {2, "Signal 1: Stop and Proceed"},
        {3, "Signal 1: Proceed"},
        {4, "Signal 1: Proceed through"},
        {5, "Signal 1: Proceed through (signal w/ 2 lamps)"},
        {6, "Signal 1: 'Dark Green' proceed"},
        {7, "Signal 1: 'Dark Green' proceed through"},
        {8, "Signal 2: Stop"},
        {9, "Signal 2: Stop and Proceed"},
        {10, "Signal 2: Proceed"},
        {11, "Signal 2: Proceed through"},
        {12, "Signal 2: Proceed through (signal w/ 2 lamps)"},
        {13, "Signal 2: 'Dark Green' proceed"},
        {14, "Signal 2: 'Dark Green' proceed through"},
      },
      // C50
      {
        {1, "Signal 1: Pass"},
        {2, "Signal 1: Pass with caution"},
        {3, "Signal 1: No passing"},
        {4, "Signal 1: Signal cancelled"},
        {5, "Signal 1: Proceed"},
        {6, "Signal 1: Proceed through"},
        {7, "Signal 2: Pass"},
        {8, "Signal 2: Pass with caution"},
        {9, "Signal 2: No passing"},
        {10, "Signal 2: Signal cancelled"},
        {11, "Signal 2: Proceed"},
        {12, "Signal 2: Proceed through"},
      },
      // C51
      {
        {1, "Stop"},
        {2, "Stop and Proceed"},
        {3, "Stop and Proceed (w/o speed signal box)"},
        {4, "Proceed (high speed)"},
        {5, "Proceed through"},
        {6, "Proceed w/ limited speed (60 km/h)"},
        {7, "Proceed w/ limited speed (40 km/h)"},
        {8, "Proceed through w/ limited speed (60 km/h)"},
        {9, "Proceed through w/ limited speed (40 km/h)"},
        {10, "Proceed - no safety overlap (40 km/h)"},
        {11, "Sweden: Proceed 40 km/h with short route"},
        {12, "Sweden: Proceed 80 km/h, expect stop"},
        {13, "Sweden: Proceed 80 km/h, expect proceed 40 km/h"},
        {14, "Norway: Reduced speed"},
      },
      // C52
      {
        {1, "Adresse 01"},
        {2, "Adresse 02"},
        {3, "Adresse 03"},
        {4, "Adresse 04"},
        {5, "Adresse 05"},
        {6, "Adresse 06"},
        {7, "Adresse 07"},
        {8, "Adresse 08"},
      },
      // C53
      {
        {1, "Adresse 01"},
        {2, "Adresse 02"},
        {3, "Adresse 03"},
        {4, "Adresse 04"},
      },
      // C54
      {
        {1, "Adresse 01"},
        {2, "Adresse 02"},
      },
      // C55
      {
        {1, "Muster 1"},
        {2, "Muster 2"},
        {3, "Muster 3"},
        {4, "Muster 4"},
      },
  };
  return sets;
}

}  // namespace

// Columns: identifiers, title, PIC, mode, caption set, rows per column (99 = one column),
// gap after row (0 = none), frame kind (0 = none).
const std::vector<CatalogueEntry>& DecoderCatalogue() {
  static const std::vector<CatalogueEntry> catalogue = {
      Entry({0x30FF}, "Drehscheibe 48 Position", 676, RowMode::RG, 1, 15, 0, 0),
      Entry({0x17E800}, "Drehscheibe 24 Position", 676, RowMode::RG, 2, 7, 0, 0),
      Entry({0x8}, "Tollet", 629, RowMode::RG, 3, 99, 0, 1),
      Entry({0x208}, "Tollet  ab V3.51", 629, RowMode::RG, 3, 99, 0, 1),
      Entry({0x308}, "Tollet  ab V3.58", 629, RowMode::RG, 3, 99, 0, 1),
      Entry({0x408}, "Tollet  ab V3.61", 629, RowMode::RG, 3, 99, 0, 1),
      Entry({0x9}, "Tollet Roduror", 629, RowMode::RG, 4, 99, 0, 0),
      Entry({0xA}, "Pandor", 629, RowMode::RG, 5, 99, 0, 1),
      Entry({0x20A}, "Pandor ab V3.51", 629, RowMode::RG, 5, 99, 0, 1),
      Entry({0x30A}, "Pandor ab V3.58", 629, RowMode::RG, 5, 99, 0, 1),
      Entry({0x30C}, "Tollet-Autofuse ab V3.58", 629, RowMode::RG, 5, 99, 0, 1),
      Entry({0x4}, "Pandor - 3Wege", 629, RowMode::RG, 6, 99, 0, 0),
      Entry({0x3}, "Pandor - Signal 2x2", 629, RowMode::RG, 7, 99, 0, 1),
      Entry({0x5}, "Pandor - Signal 1x4", 629, RowMode::RG, 8, 99, 0, 0),
      Entry({0xB}, "Pandor - Schalten", 629, RowMode::RG, 8, 99, 0, 1),
      Entry({0x2}, "Pandor - Spur 1", 629, RowMode::RG, 9, 99, 0, 1),
      Entry({0x202}, "Pandor - Spur 1  ab V3.51", 629, RowMode::RG, 9, 99, 0, 1),
      Entry({0x302}, "Pandor - Spur 1  ab V3.58", 629, RowMode::RG, 9, 99, 0, 1),
      Entry({0x6}, "Pandor - Signal HL", 629, RowMode::RG, 10, 99, 0, 0),
      Entry({0x7}, "Pandor - Signal StraBa", 629, RowMode::RG, 11, 99, 0, 0),
      Entry({0x4400}, "F-Dekoder mit CV", 688, RowMode::Fn, 0, 99, 0, 6, kRecognisedWithoutRows),
      Entry({0x3D00}, "Pandor - F-Dekoder Schalten", 629, RowMode::Fn, 8, 99, 0, 1),
      Entry({0x13D00}, "Pandor - F-Dekoder Schalten ab V0.60", 629, RowMode::Fn, 12, 99, 0, 1),
      Entry({0x3F00}, "Pandor - F-Dekoder Blinken", 629, RowMode::Fn, 13, 99, 0, 0),
      Entry({0x13F00}, "Pandor - F-Dekoder Blinken ab V0.60", 629, RowMode::Fn, 13, 99, 0, 1),
      Entry({0x4000}, "Pandor - F-Dekoder Neon ab V0.37", 629, RowMode::None, 14, 99, 0, 0),
      Entry({0x4100}, "Pandor/Fenwik - F.Dekoder Neon ab V0.42", 629, RowMode::Fn, 15, 99, 0, 0),
      Entry({0x1A4100, 0x1B4100}, "Pandor/Fenwik - F-Dekoder Neon ab V0.44", 629, RowMode::Fn, 15, 99, 0, 1),
      Entry({0x2A4100, 0x2B4100}, "Pandor/Fenwik - F-Dekoder Neon ab V0.60", 629, RowMode::Fn, 16, 99, 0, 1),
      Entry({0x3C00}, "Pandor - Funktionsdekoder Weiche", 629, RowMode::Fn, 5, 99, 0, 0),
      Entry({0x69}, "Relaisdekoder 8", 684, RowMode::RG, 17, 99, 8, 1),
      Entry({0x65}, "Lumo88", 684, RowMode::RG, 18, 99, 0, 1),
      Entry({0x265}, "Lumo88 ab V3.51", 684, RowMode::RG, 18, 99, 0, 1),
      Entry({0x365}, "Lumo88 ab V3.58", 684, RowMode::RG, 18, 99, 0, 1),
      Entry({0x6A}, "LED-Dekoder - Schalten", 684, RowMode::RG, 19, 99, 0, 1),
      Entry({0x6B}, "LED-Dekoder - Signal 5x2", 684, RowMode::RG, 20, 99, 0, 0),
      Entry({0x6C}, "LED-Dekoder - Signal 4", 684, RowMode::RG, 21, 99, 4, 1),
      Entry({0x6D}, "LED-Dekoder - Signal SBB", 684, RowMode::RG, 22, 99, 0, 1),
      Entry({0x16D}, "LED-Dekoder - Signal SBB ab V3.59", 684, RowMode::RG, 23, 99, 0, 1),
      Entry({0x68}, "LED-Dekoder - Rodurorkreuz / Schranke", 684, RowMode::RG, 24, 99, 0, 1),
      Entry({0x67}, "LED-Dekoder - Ampel < V3.40", 684, RowMode::RG, 25, 99, 2, 0),
      Entry({0x167}, "LED-Dekoder - Ampel V3.40", 684, RowMode::RG, 25, 99, 2, 1),
      Entry({0x267}, "LED-Dekoder - Ampel ab V3.41", 684, RowMode::RG, 25, 99, 2, 1),
      Entry({0x367}, "LED-Dekoder - Ampel ab V3.61", 684, RowMode::RG, 25, 99, 2, 1),
      Entry({0x6E}, "LED-Dekoder - Blink", 684, RowMode::RG, 26, 99, 0, 0),
      Entry({0x6F}, "LED-Dekoder - Kirmes", 684, RowMode::RG, 27, 99, 0, 1),
      Entry({0x70}, "LED-Dekoder - Neon", 684, RowMode::RG, 24, 99, 0, 0),
      Entry({0x170}, "LED-Dekoder - Neon ab V3.38", 684, RowMode::RG, 24, 99, 0, 1),
      Entry({0x270}, "LED-Dekoder - Neon ab V3.48", 684, RowMode::RG, 24, 99, 0, 1),
      Entry({0x66}, "LED-Dekoder - Gas", 684, RowMode::RG, 24, 99, 0, 1),
      Entry({0x71}, "LED-Dekoder - Haus", 684, RowMode::RG, 24, 99, 0, 1),
      Entry({0x171}, "LED-Dekoder - Haus ab V3.61", 684, RowMode::RG, 24, 99, 0, 1),
      Entry({0x72}, "LED-Dekoder - Feuer", 684, RowMode::RG, 24, 99, 0, 0),
      Entry({0x3E00}, "LED-Dekoder - Funktionsdekoder Schalten", 684, RowMode::Fn, 19, 99, 0, 1),
      Entry({0x13E00}, "LED-Dekoder - F-Dekoder Schalten ab V0.60", 684, RowMode::Fn, 28, 99, 0, 1),
      Entry({0xC9}, "LED-Dekoder - Signal 001 - Einfahrsignal", 684, RowMode::RG, 29, 99, 0, 1),
      Entry({0x1C9}, "LED-Dekoder - Signal 001 - Einfahrsignal ab V3.37", 684, RowMode::RG, 30, 99, 6, 1),
      Entry({0xCA}, "LED-Dekoder - Signal 002 - Ausfahrsignal", 684, RowMode::RG, 31, 99, 6, 1),
      Entry({0x1CA}, "LED-Dekoder - Signal 002 - Ausfahrsignal ab V3.37", 684, RowMode::RG, 32, 99, 6, 1),
      Entry({0xCB}, "LED-Dekoder - Signal 003 - ÖBB", 684, RowMode::RG, 33, 99, 7, 1),
      Entry({0xCC}, "LED-Dekoder - Signal 004 - 2x Ausfahr-Signal", 684, RowMode::RG, 34, 99, 4, 0),
      Entry({0xCD}, "LED-Dekoder - Signal 005 - HL", 684, RowMode::RG, 35, 99, 7, 1),
      Entry({0xCE}, "LED-Dekoder - Signal 006 - PKP", 684, RowMode::RG, 36, 99, 7, 1),
      Entry({0xCF}, "LED-Dekoder - Signal 007 - Ks", 684, RowMode::RG, 37, 99, 7, 1),
      Entry({0xD0}, "LED-Dekoder - Signal 008 - 2x Ausfahr-Signal (V2)", 684, RowMode::RG, 38, 99, 5, 0),
      Entry({0xD4}, "LED-Dekoder - Signal 009 - 2x Vorsignal", 684, RowMode::RG, 39, 99, 4, 0),
      Entry({0x1D4}, "LED-Dekoder - Signal 009 - 2x Vorsignal ab V3.61", 684, RowMode::RG, 40, 99, 6, 0),
      Entry({0xD1}, "LED-Dekoder - Signal 010 - Signal SNCF", 684, RowMode::RG, 41, 99, 0, 0),
      Entry({0xE6}, "LED-Dekoder - Signal 011 - Signal NS", 684, RowMode::RG, 42, 99, 0, 0),
      Entry({0xE7}, "LED-Dekoder - Signal 020 - Ausfahrsignal mit fahrstrassenabhängigen Zusatzsignalen", 684, RowMode::RG, 43, 99, 6, 0),
      Entry({0x1E7}, "LED-Dekoder - Signal 020 ab V3.58", 684, RowMode::RG, 44, 99, 6, 0),
      Entry({0xE8}, "LED-Dekoder - Signal 021 - Vorsignal mit fahrstrassenabhängigen Zusatzsignalen", 684, RowMode::RG, 45, 99, 8, 0),
      Entry({0xE9}, "LED-Dekoder - Signal 022 - Belgien", 684, RowMode::RG, 46, 99, 8, 0),
      Entry({0xEA}, "LED-Dekoder - Signal 030 - DK Entry Signal", 684, RowMode::RG, 47, 99, 0, 0),
      Entry({0xEB}, "LED-Dekoder - Signal 031 - DK PU-signals", 684, RowMode::RG, 48, 99, 0, 0),
      Entry({0xEC}, "LED-Dekoder - Signal 032 - SK/N: Block-, Exit signals", 684, RowMode::RG, 49, 99, 0, 0),
      Entry({0xED}, "LED-Dekoder - Signal 033 - DK/N: Dwarf Signals", 684, RowMode::RG, 50, 99, 0, 0),
      Entry({0xEE}, "LED-Dekoder - Signal 034 - DK/N/S: Entry Signal", 684, RowMode::RG, 51, 99, 0, 0),
      Entry({0xD3}, "Tamb-4 Servo-Dekoder", 684, RowMode::RG, 52, 4, 0, 4),
      Entry({0xD2}, "Tambel Servo-Dekoder", 684, RowMode::RG, 53, 2, 0, 4),
      Entry({0x1D2}, "Tambel Servo-Dekoder ab V3.58", 684, RowMode::RG, 53, 2, 0, 4),
      Entry({0x7DD2}, "Tambel V2 Servo-Dekoder ab V3.73", 684, RowMode::RG, 53, 2, 0, 4),
      Entry({0x4200}, "Tambel Servo-Dekoder (F-Dekoder)", 684, RowMode::Fn, 54, 4, 0, 4),
      Entry({0x1, 0x101}, "Pandor - Blinkmuster", 684, RowMode::RG, 55, 99, 0, 2),
      Entry({0xDD}, "LED - Blinkmuster bis V3.59", 684, RowMode::RG, 55, 99, 0, 3),
      Entry({0x1DD}, "LED - Blinkmuster ab V3.60", 684, RowMode::RG, 55, 99, 0, 3),
      Entry({0x14B00}, "Fenwik 16F18324", 18324, RowMode::CV, 0, 99, 0, 6),
      Entry({0x15000}, "Grosk 16F18324", 18324, RowMode::CV, 0, 99, 0, 6),
  };
  return catalogue;
}

const CatalogueEntry* FindCatalogueEntry(int32_t identifier) {
  for (const CatalogueEntry& entry : DecoderCatalogue()) {
    if (std::find(entry.identifiers.begin(), entry.identifiers.end(), identifier) !=
        entry.identifiers.end()) {
      return &entry;
    }
  }
  return nullptr;
}

const std::map<int, std::string>& CaptionSet(int n) {
  static const std::map<int, std::string> none;
  const auto& sets = CaptionSets();
  if (n < 1 || n > static_cast<int>(sets.size())) return none;
  return sets[static_cast<size_t>(n - 1)];
}

std::vector<std::string> RowCaptions(const CatalogueEntry* entry) {
  std::vector<std::string> captions(kRowCount);
  if (entry == nullptr) return captions;
  for (const auto& [row, caption] : CaptionSet(entry->captionSet)) {
    if (row >= 0 && row < kRowCount) captions[static_cast<size_t>(row)] = caption;
  }
  return captions;
}

std::string HelpFileName(int32_t identifier) {
  return Format("typ-0x%04X.html", static_cast<unsigned>(identifier));
}

CatalogueModes ModesFor(RowMode mode) {
  CatalogueModes modes;
  modes.RG_Mode = mode == RowMode::RG;
  modes.Fn_Mode = mode == RowMode::Fn;
  modes.CV_Mode = mode == RowMode::CV;
  return modes;
}

bool EntrySetsIsDcc(const CatalogueEntry& entry) { return entry.mode == RowMode::CV; }

int32_t IdentifierAfterCatalogue(int32_t identifier) {
  // The pattern decoder exists with two signatures; its frames know it only as 1.
  return identifier == 0x101 ? 0x1 : identifier;
}

void SetMotLimits(InputLimits& limits) {
  limits.MaxAddress = 320;
  limits.MaxFunction = 4;
}

void SetDccLimits(InputLimits& limits, bool rgMode) {
  limits.MaxAddress = rgMode ? 2044 : 16128;
  limits.MaxFunction = 12;
}

InputLimits LimitsAfterCatalogue(const InputLimits& current, bool isMot, bool isDcc, bool rgMode) {
  InputLimits limits = current;
  if (isMot) {
    SetMotLimits(limits);
  } else if (isDcc) {
    SetDccLimits(limits, rgMode);
  }
  return limits;
}

std::string AddressHint(int32_t maxAddress) {
  return Format(
      "gültiger Adressbereich: 1 bis %d\n'0' für unbenutzt (keine Reaktion auf irgendeinen Befehl)",
      static_cast<int>(maxAddress));
}

std::string FunctionHint(int32_t maxFunction) {
  return Format("gültiger Bereich für die Funktions-Nummer: 1 bis %d", static_cast<int>(maxFunction));
}

RowControls RowControlsFor(const std::string& caption, bool rgMode, const InputLimits& limits) {
  RowControls controls;
  if (caption.empty()) {
    // Everything hidden; only the address edit's hint display is switched off.
    return controls;
  }
  controls.labelVisible = true;
  controls.addressVisible = true;
  controls.rgButtonVisible = rgMode;
  controls.functionVisible = !rgMode;
  controls.addressHint = AddressHint(limits.MaxAddress);
  controls.functionHint = FunctionHint(limits.MaxFunction);
  controls.addressHintShown = true;
  controls.functionHintShown = true;
  controls.recognises = true;
  return controls;
}

bool MustReportUnrecognised(bool recognisedWithoutRows, bool cvMode) {
  return !recognisedWithoutRows && !cvMode;
}

std::string PicName(int32_t pic) {
  switch (pic) {
    case 629: return "12F629/16F630";
    case 676: return "16F676";
    case 684: return "16F684";
    case 688: return "16F688";
    case 18324: return "16F18324";
    default: return std::string();
  }
}

std::string FrameName(FrameKind frameKind) {
  switch (frameKind) {
    case FrameKind::Options: return "Optionen und Betriebsarten";
    case FrameKind::Blink: return "Blinkmuster-Editor";
    case FrameKind::LedBlink: return "LED-Blinkmuster-Editor";
    case FrameKind::Servo: return "Servo-Editor (Servokurven und Servo-Adressen)";
    case FrameKind::Cv: return "CV-Register-Tabelle";
    default: return std::string();
  }
}

}  // namespace korrin
