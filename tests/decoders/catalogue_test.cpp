// The decoder catalogue checked against a second, independently typed copy of the type list
// (decimal identifiers, caption sets written as runs), so that a typo on either side shows.
#include "decoders/catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include <unistd.h>

#include "decoders/catalogue_help.h"

namespace korrin {
namespace {

constexpr RowMode RG = RowMode::RG;
constexpr RowMode Fn = RowMode::Fn;
constexpr RowMode CV = RowMode::CV;
constexpr RowMode NoMode = RowMode::None;

struct ExpectedEntry {
  std::vector<int32_t> identifiers;  // decimal, as printed beside the hexadecimal values
  const char* title;
  int32_t pic;
  RowMode mode;
  int captionSet;
  int perColumn;
  int gapRow;
  int frameKind;
};

const std::vector<ExpectedEntry>& ExpectedCatalogue() {
  static const std::vector<ExpectedEntry> expected = {
      {{12543}, "Drehscheibe 48 Position", 676, RG, 1, 15, 0, 0},
      {{1566720}, "Drehscheibe 24 Position", 676, RG, 2, 7, 0, 0},
      {{8}, "Tollet", 629, RG, 3, 99, 0, 1},
      {{520}, "Tollet  ab V3.51", 629, RG, 3, 99, 0, 1},
      {{776}, "Tollet  ab V3.58", 629, RG, 3, 99, 0, 1},
      {{1032}, "Tollet  ab V3.61", 629, RG, 3, 99, 0, 1},
      {{9}, "Tollet Roduror", 629, RG, 4, 99, 0, 0},
      {{10}, "Pandor", 629, RG, 5, 99, 0, 1},
      {{522}, "Pandor ab V3.51", 629, RG, 5, 99, 0, 1},
      {{778}, "Pandor ab V3.58", 629, RG, 5, 99, 0, 1},
      {{780}, "Tollet-Autofuse ab V3.58", 629, RG, 5, 99, 0, 1},
      {{4}, "Pandor - 3Wege", 629, RG, 6, 99, 0, 0},
      {{3}, "Pandor - Signal 2x2", 629, RG, 7, 99, 0, 1},
      {{5}, "Pandor - Signal 1x4", 629, RG, 8, 99, 0, 0},
      {{11}, "Pandor - Schalten", 629, RG, 8, 99, 0, 1},
      {{2}, "Pandor - Spur 1", 629, RG, 9, 99, 0, 1},
      {{514}, "Pandor - Spur 1  ab V3.51", 629, RG, 9, 99, 0, 1},
      {{770}, "Pandor - Spur 1  ab V3.58", 629, RG, 9, 99, 0, 1},
      {{6}, "Pandor - Signal HL", 629, RG, 10, 99, 0, 0},
      {{7}, "Pandor - Signal StraBa", 629, RG, 11, 99, 0, 0},
      {{17408}, "F-Dekoder mit CV", 688, Fn, 0, 99, 0, 6},
      {{15616}, "Pandor - F-Dekoder Schalten", 629, Fn, 8, 99, 0, 1},
      {{81152}, "Pandor - F-Dekoder Schalten ab V0.60", 629, Fn, 12, 99, 0, 1},
      {{16128}, "Pandor - F-Dekoder Blinken", 629, Fn, 13, 99, 0, 0},
      {{81664}, "Pandor - F-Dekoder Blinken ab V0.60", 629, Fn, 13, 99, 0, 1},
      {{16384}, "Pandor - F-Dekoder Neon ab V0.37", 629, NoMode, 14, 99, 0, 0},
      {{16640}, "Pandor/Fenwik - F.Dekoder Neon ab V0.42", 629, Fn, 15, 99, 0, 0},
      {{1720576, 1786112}, "Pandor/Fenwik - F-Dekoder Neon ab V0.44", 629, Fn, 15, 99, 0, 1},
      {{2769152, 2834688}, "Pandor/Fenwik - F-Dekoder Neon ab V0.60", 629, Fn, 16, 99, 0, 1},
      {{15360}, "Pandor - Funktionsdekoder Weiche", 629, Fn, 5, 99, 0, 0},
      {{105}, "Relaisdekoder 8", 684, RG, 17, 99, 8, 1},
      {{101}, "Lumo88", 684, RG, 18, 99, 0, 1},
      {{613}, "Lumo88 ab V3.51", 684, RG, 18, 99, 0, 1},
      {{869}, "Lumo88 ab V3.58", 684, RG, 18, 99, 0, 1},
      {{106}, "LED-Dekoder - Schalten", 684, RG, 19, 99, 0, 1},
      {{107}, "LED-Dekoder - Signal 5x2", 684, RG, 20, 99, 0, 0},
      {{108}, "LED-Dekoder - Signal 4", 684, RG, 21, 99, 4, 1},
      {{109}, "LED-Dekoder - Signal SBB", 684, RG, 22, 99, 0, 1},
      {{365}, "LED-Dekoder - Signal SBB ab V3.59", 684, RG, 23, 99, 0, 1},
      {{104}, "LED-Dekoder - Rodurorkreuz / Schranke", 684, RG, 24, 99, 0, 1},
      {{103}, "LED-Dekoder - Ampel < V3.40", 684, RG, 25, 99, 2, 0},
      {{359}, "LED-Dekoder - Ampel V3.40", 684, RG, 25, 99, 2, 1},
      {{615}, "LED-Dekoder - Ampel ab V3.41", 684, RG, 25, 99, 2, 1},
      {{871}, "LED-Dekoder - Ampel ab V3.61", 684, RG, 25, 99, 2, 1},
      {{110}, "LED-Dekoder - Blink", 684, RG, 26, 99, 0, 0},
      {{111}, "LED-Dekoder - Kirmes", 684, RG, 27, 99, 0, 1},
      {{112}, "LED-Dekoder - Neon", 684, RG, 24, 99, 0, 0},
      {{368}, "LED-Dekoder - Neon ab V3.38", 684, RG, 24, 99, 0, 1},
      {{624}, "LED-Dekoder - Neon ab V3.48", 684, RG, 24, 99, 0, 1},
      {{102}, "LED-Dekoder - Gas", 684, RG, 24, 99, 0, 1},
      {{113}, "LED-Dekoder - Haus", 684, RG, 24, 99, 0, 1},
      {{369}, "LED-Dekoder - Haus ab V3.61", 684, RG, 24, 99, 0, 1},
      {{114}, "LED-Dekoder - Feuer", 684, RG, 24, 99, 0, 0},
      {{15872}, "LED-Dekoder - Funktionsdekoder Schalten", 684, Fn, 19, 99, 0, 1},
      {{81408}, "LED-Dekoder - F-Dekoder Schalten ab V0.60", 684, Fn, 28, 99, 0, 1},
      {{201}, "LED-Dekoder - Signal 001 - Einfahrsignal", 684, RG, 29, 99, 0, 1},
      {{457}, "LED-Dekoder - Signal 001 - Einfahrsignal ab V3.37", 684, RG, 30, 99, 6, 1},
      {{202}, "LED-Dekoder - Signal 002 - Ausfahrsignal", 684, RG, 31, 99, 6, 1},
      {{458}, "LED-Dekoder - Signal 002 - Ausfahrsignal ab V3.37", 684, RG, 32, 99, 6, 1},
      {{203}, "LED-Dekoder - Signal 003 - ÖBB", 684, RG, 33, 99, 7, 1},
      {{204}, "LED-Dekoder - Signal 004 - 2x Ausfahr-Signal", 684, RG, 34, 99, 4, 0},
      {{205}, "LED-Dekoder - Signal 005 - HL", 684, RG, 35, 99, 7, 1},
      {{206}, "LED-Dekoder - Signal 006 - PKP", 684, RG, 36, 99, 7, 1},
      {{207}, "LED-Dekoder - Signal 007 - Ks", 684, RG, 37, 99, 7, 1},
      {{208}, "LED-Dekoder - Signal 008 - 2x Ausfahr-Signal (V2)", 684, RG, 38, 99, 5, 0},
      {{212}, "LED-Dekoder - Signal 009 - 2x Vorsignal", 684, RG, 39, 99, 4, 0},
      {{468}, "LED-Dekoder - Signal 009 - 2x Vorsignal ab V3.61", 684, RG, 40, 99, 6, 0},
      {{209}, "LED-Dekoder - Signal 010 - Signal SNCF", 684, RG, 41, 99, 0, 0},
      {{230}, "LED-Dekoder - Signal 011 - Signal NS", 684, RG, 42, 99, 0, 0},
      {{231},
       "LED-Dekoder - Signal 020 - Ausfahrsignal mit fahrstrassenabhängigen Zusatzsignalen",
       684, RG, 43, 99, 6, 0},
      {{487}, "LED-Dekoder - Signal 020 ab V3.58", 684, RG, 44, 99, 6, 0},
      {{232},
       "LED-Dekoder - Signal 021 - Vorsignal mit fahrstrassenabhängigen Zusatzsignalen",
       684, RG, 45, 99, 8, 0},
      {{233}, "LED-Dekoder - Signal 022 - Belgien", 684, RG, 46, 99, 8, 0},
      {{234}, "LED-Dekoder - Signal 030 - DK Entry Signal", 684, RG, 47, 99, 0, 0},
      {{235}, "LED-Dekoder - Signal 031 - DK PU-signals", 684, RG, 48, 99, 0, 0},
      {{236}, "LED-Dekoder - Signal 032 - SK/N: Block-, Exit signals", 684, RG, 49, 99, 0, 0},
      {{237}, "LED-Dekoder - Signal 033 - DK/N: Dwarf Signals", 684, RG, 50, 99, 0, 0},
      {{238}, "LED-Dekoder - Signal 034 - DK/N/S: Entry Signal", 684, RG, 51, 99, 0, 0},
      {{211}, "Tamb-4 Servo-Dekoder", 684, RG, 52, 4, 0, 4},
      {{210}, "Tambel Servo-Dekoder", 684, RG, 53, 2, 0, 4},
      {{466}, "Tambel Servo-Dekoder ab V3.58", 684, RG, 53, 2, 0, 4},
      {{32210}, "Tambel V2 Servo-Dekoder ab V3.73", 684, RG, 53, 2, 0, 4},
      {{16896}, "Tambel Servo-Dekoder (F-Dekoder)", 684, Fn, 54, 4, 0, 4},
      {{1, 257}, "Pandor - Blinkmuster", 684, RG, 55, 99, 0, 2},
      {{221}, "LED - Blinkmuster bis V3.59", 684, RG, 55, 99, 0, 3},
      {{477}, "LED - Blinkmuster ab V3.60", 684, RG, 55, 99, 0, 3},
      {{84736}, "Fenwik 16F18324", 18324, CV, 0, 99, 0, 6},
      {{86016}, "Grosk 16F18324", 18324, CV, 0, 99, 0, 6},
  };
  return expected;
}

// A run of captions: rows first..last; '#' in text stands for a number that starts at `number`
// and counts up by one per row, written with at least `width` digits (leading zeros). A text
// without '#' is the same on every row of the run.
struct Run {
  int first;
  int last;
  const char* text;
  int number = 0;
  int width = 1;
};

std::map<int, std::string> Expand(const std::vector<Run>& runs) {
  std::map<int, std::string> captions;
  for (const Run& run : runs) {
    for (int row = run.first; row <= run.last; ++row) {
      std::string text = run.text;
      const size_t hash = text.find('#');
      if (hash != std::string::npos) {
        std::string digits = std::to_string(run.number + row - run.first);
        while (static_cast<int>(digits.size()) < run.width) digits.insert(0, "0");
        text.replace(hash, 1, digits);
      }
      EXPECT_EQ(captions.count(row), 0u) << "row " << row << " typed twice";
      captions[row] = text;
    }
  }
  return captions;
}

// Caption sets C1..C55 (index 0 = C1).
const std::vector<std::vector<Run>>& ExpectedCaptionRuns() {
  static const std::vector<std::vector<Run>> sets = {
      /* C1 */ {{4, 4, "Licht"}, {5, 5, "Step"}, {6, 6, "Turn (180°)"}, {7, 7, "Drehrichtung"},
                {8, 31, "Position#", 1}},
      /* C2 */ {{4, 4, "Licht"}, {5, 5, "Step"}, {6, 6, "Turn (180°)"}, {7, 7, "Drehrichtung"},
                {8, 19, "Position#", 1}},
      /* C3 */ {{1, 1, "Weiche"}, {2, 2, "Licht"}},
      /* C4 */ {{1, 1, "Blinken"}, {2, 2, "Signal"}},
      /* C5 */ {{1, 1, "Weiche 1"}, {2, 2, "Weiche 2"}},
      /* C6 */ {{1, 1, "Links"}, {2, 2, "Mitte"}, {3, 3, "Rechts"}},
      /* C7 */ {{1, 1, "Signal 1 grün"}, {2, 2, "Signal 1 rot"}, {3, 3, "Signal 2 grün"},
                {4, 4, "Signal 2 rot"}},
      /* C8 */ {{1, 4, "Ausgang / Out #", 1}},
      /* C9 */ {{1, 1, "Weichen-Adresse"}},
      /* C10 */ {{1, 1, "Vorsignal: Vmax"}, {2, 2, "Vorsignal: Halt"}, {3, 3, "Vorsignal: 100"},
                 {4, 4, "Vorsignal: 40/60"}, {5, 5, "Hauptsignal: Vmax"},
                 {6, 6, "Hauptsignal: Halt"}, {7, 7, "Hauptsignal: 100/40/60"}},
      /* C11 */ {{1, 1, "Signal"}, {2, 2, "Kennlicht"}},
      /* C12 */ {{1, 2, "Ausgang / Out #", 1}, {3, 3, "Ausgang / Out 3 (FL)"},
                 {4, 4, "Ausgang / Out 4"}},
      /* C13 */ {{1, 4, "Blink #", 1}},
      /* C14 */ {{1, 1, "Ein"}, {2, 2, "Hell-Dunkel"}},
      /* C15 */ {{1, 4, "Ausgang / Out #", 1}, {5, 5, "Hell-Dunkel"}},
      /* C16 */ {{1, 2, "Ausgang / Out #", 1}, {3, 3, "Ausgang / Out 3 (FL)"},
                 {4, 4, "Ausgang / Out 4"}, {5, 5, "Hell-Dunkel"}},
      /* C17 */ {{1, 8, "Ausgang / Out #", 1}, {9, 9, "All"}},
      /* C18 */ {{1, 4, "Weiche #", 1}},
      /* C19 */ {{1, 10, "Ausgang / Out #", 1}},
      /* C20 */ {{1, 5, "Signal #", 1}},
      /* C21 */ {{1, 1, "HP00"}, {2, 2, "HP1"}, {3, 3, "HP2"}, {4, 4, "SH1"}, {5, 7, "VR#", 0}},
      /* C22 */ {{1, 1, "HALT"}, {2, 4, "FB #", 1}, {5, 5, "Warnung"}, {6, 8, "FB #", 1}},
      /* C23 */ {{1, 1, "HALT"}, {2, 4, "FB #", 1}, {5, 5, "Warnung"}, {6, 8, "FB #", 1},
                 {9, 9, "Out 5"}, {10, 10, "Out 6"}},
      /* C24 */ {{1, 1, "Ein"}},
      /* C25 */ {{1, 1, "Auto"}, {2, 2, "Nacht"}, {3, 3, "Grün"}, {4, 4, "Rot"}},
      /* C26 */ {{1, 3, "Blink #", 1}, {4, 4, "Lauf"}, {5, 5, "Leit"}, {6, 6, "Warn"},
                 {7, 7, "Foto"}, {8, 8, "aus"}},
      /* C27 */ {{1, 3, "Blink #", 1}, {4, 4, "aus"}},
      /* C28 */ {{1, 8, "Ausgang / Out #", 1}, {9, 9, "Ausgang / Out 9 (FL)"},
                 {10, 10, "Ausgang / Out 10"}},
      /* C29 */ {{1, 3, "Hauptsignal: Hp#", 0}, {4, 4, "Hauptsignal: Nebenrot + Zs1"},
                 {5, 5, "Hauptsignal: Hp1 + Zs3"}, {6, 6, "Hauptsignal: Hp2 + Zs3"},
                 {7, 9, "Vorsignal: Vr#", 0}},
      /* C30 */ {{1, 3, "Hauptsignal: Hp#", 0}, {4, 4, "Hauptsignal: Nebenrot + Zs1"},
                 {5, 5, "Hauptsignal: Hp1 + Zs3"}, {6, 6, "Hauptsignal: Hp2 + Zs3"},
                 {7, 9, "Vorsignal: Vr#", 0}, {10, 12, "Vorsignal: Vr#", 0}},
      /* C31 */ {{1, 1, "Hauptsignal: Hp00"}, {2, 2, "Hauptsignal: Hp1"},
                 {3, 3, "Hauptsignal: Hp2"}, {4, 4, "Hauptsignal: Hp0 + Sh1"},
                 {5, 5, "Hauptsignal: Hp0 + Zs1"}, {6, 6, "Hauptsignal: Hp0 + Zs8 (blink)"},
                 {7, 9, "Vorsignal: Vr#", 0}},
      /* C32 */ {{1, 1, "Hauptsignal: Hp00"}, {2, 2, "Hauptsignal: Hp1"},
                 {3, 3, "Hauptsignal: Hp2"}, {4, 4, "Hauptsignal: Hp0 + Sh1"},
                 {5, 5, "Hauptsignal: Hp0 + Zs1"}, {6, 6, "Hauptsignal: Hp0 + Zs8 (blink)"},
                 {7, 9, "Vorsignal: Vr#", 0}, {10, 12, "Vorsignal: Vr0"}},
      /* C33 */ {{1, 1, "Signal 1: Halt"}, {2, 2, "Signal 1: Frei"}, {3, 3, "Signal 1: Frei 40"},
                 {4, 4, "Signal 1: Frei 60"}, {5, 5, "Signal 1: Frei 40/60"},
                 {6, 6, "Signal 1: Verschub"}, {7, 7, "Signal 1: Ersatz-Signal"},
                 {8, 8, "Signal 2: Halt"}, {9, 9, "Signal 2: Frei"}, {10, 10, "Signal 2: Frei 40"},
                 {11, 11, "Signal 2: Frei 60"}, {12, 12, "Signal 2: Frei 40/60"},
                 {13, 13, "Signal 2: Verschub"}, {14, 14, "Signal 2: Ersatz-Signal"}},
      /* C34 */ {{1, 1, "Signal 1: Hp00"}, {2, 2, "Signal 1: Hp1"}, {3, 3, "Signal 1: Hp2"},
                 {4, 4, "Signal 1: Hp0 + Sh1"}, {5, 5, "Signal 2: Hp00"},
                 {6, 6, "Signal 2: Hp1"}, {7, 7, "Signal 2: Hp2"}, {8, 8, "Signal 2: Hp0 + Sh1"}},
      /* C35 */ {{1, 1, "Hauptsignal: Halt"}, {2, 2, "Hauptsignal: Vmax"},
                 {3, 3, "Hauptsignal: 40 km/h"}, {4, 4, "Hauptsignal: 60 km/h"},
                 {5, 5, "Hauptsignal: 100 km/h"}, {6, 6, "Hauptsignal: Hp0 + Zs1"},
                 {7, 7, "Hauptsignal: Hp0 + Ra12"}, {8, 8, "Vorsignal: erwarte Halt"},
                 {9, 9, "Vorsignal: erwarte Vmax"}, {10, 10, "Vorsignal: erwarte 40 km/h"},
                 {11, 11, "Vorsignal: erwarte 60 km/h"}, {12, 12, "Vorsignal: erwarte 100 km/h"},
                 {13, 14, "Vorsignal: erwarte Halt"}},
      /* C36 */ {{1, 1, "Hauptsignal: Halt"}, {2, 2, "Hauptsignal: Vmax"},
                 {3, 3, "Hauptsignal: 40 km/h"}, {4, 4, "Hauptsignal: 60 km/h"},
                 {5, 5, "Hauptsignal: 100 km/h"}, {6, 6, "Hauptsignal: Hp0 + Ersatz"},
                 {7, 7, "Hauptsignal: Hp0 + Rangierfahrt"}, {8, 8, "Vorsignal: erwarte Halt"},
                 {9, 9, "Vorsignal: erwarte Vmax"}, {10, 10, "Vorsignal: erwarte 40 km/h"},
                 {11, 11, "Vorsignal: erwarte 60 km/h"}, {12, 12, "Vorsignal: erwarte 100 km/h"},
                 {13, 14, "Vorsignal: erwarte Halt"}},
      /* C37 */ {{1, 1, "Hauptsignal: Hp0"}, {2, 2, "Hauptsignal: Ks1"},
                 {3, 3, "Hauptsignal: Ks1 + Zs3"}, {4, 4, "Hauptsignal: Ks1 + Zs1"},
                 {5, 5, "Hauptsignal: Ks1 + Sh1"}, {6, 6, "Hauptsignal: Ks1 + Zs7"},
                 {7, 7, "Hauptsignal: Kennlicht"}, {8, 8, "Vorsignal: Ks2 (Halt erwarten)"},
                 {9, 9, "Vorsignal: Ks1"}, {10, 10, "Vorsignal: Ks1 + Zs3v"},
                 {11, 13, "Vorsignal: Ks2 (Halt erwarten)"}, {14, 14, "Vorsignal: Kennlicht"}},
      /* C38 */ {{1, 1, "Signal 1: Hp00"}, {2, 2, "Signal 1: Hp1"}, {3, 3, "Signal 1: Hp2"},
                 {4, 4, "Signal 1: Hp0 + Sh1"}, {5, 6, "Signal 2: Hp00"},
                 {7, 7, "Signal 2: Hp1"}, {8, 8, "Signal 2: Hp2"}, {9, 9, "Signal 2: Hp0 + Sh1"},
                 {10, 10, "Signal 2: Hp00"}},
      /* C39 */ {{1, 3, "Signal 1: Vr#", 0}, {4, 4, "Signal 1: Dunkel"},
                 {5, 7, "Signal 2: Vr#", 0}, {8, 8, "Signal 2: Dunkel"}},
      /* C40 */ {{1, 1, "Signal 1: Vr0"}, {2, 2, "Signal 1: Vr1"}, {3, 3, "Signal 1: Vr1 + Zs3v"},
                 {4, 4, "Signal 1: Vr2"}, {5, 5, "Signal 1: Vr2 + Zs3v"},
                 {6, 6, "Signal 1: Dunkel"}, {7, 7, "Signal 2: Vr0"}, {8, 8, "Signal 2: Vr1"},
                 {9, 9, "Signal 2: Vr1 + Zs3v"}, {10, 10, "Signal 2: Vr2"},
                 {11, 11, "Signal 2: Vr2 + Zs3v"}, {12, 12, "Signal 2: Dunkel"}},
      /* C41 */ {{1, 1, "C - Stop Carré"}, {2, 2, "S - red"}, {3, 3, "(S) - red flash."},
                 {4, 4, "VL - green"}, {5, 5, "(VL) - green flash."}, {6, 6, "Cv - violet"},
                 {7, 7, "M - white"}, {8, 8, "(M) - white flash."}, {9, 9, "A - yellow"},
                 {10, 10, "(A) - yellow flash."}, {11, 11, "30 R - slow"},
                 {12, 12, "60 (R) - slow"}, {13, 13, "30 RR - remember"},
                 {14, 14, "60 (RR) - remember"}},
      /* C42 */ {{1, 1, "Stop"}, {2, 2, "Ride on Sight"}, {3, 3, "reduce to 30"},
                 {4, 5, "reduce to x"}, {6, 6, "pass with 40"}, {7, 7, "pass with x"},
                 {8, 8, "pass"}, {9, 9, "Stop"}, {10, 10, "Ride on Sight"},
                 {11, 11, "reduce to 30"}, {12, 13, "reduce to x"}, {14, 14, "pass with 40"},
                 {15, 15, "pass with x"}, {16, 16, "pass"}},
      /* C43 */ {{1, 1, "Hp00"}, {2, 2, "Hp1 + Zs3 + Zs6"}, {3, 3, "Hp2 + Zs3 + Zs6"},
                 {4, 4, "Hp0 + Sh1"}, {5, 5, "Hp0 + Zs1"}, {6, 6, "Hp0 + Zs8"},
                 {7, 8, "Weg #", 1}},
      /* C44 */ {{1, 1, "Hp00"}, {2, 2, "Hp1 + Zs3 + Zs6"}, {3, 3, "Hp2 + Zs3 + Zs6"},
                 {4, 4, "Hp0 + Sh1"}, {5, 5, "Hp0 + Zs1"}, {6, 6, "Hp0 + Zs8"},
                 {7, 8, "Kennlicht #", 1}, {9, 10, "Weg #", 1}},
      /* C45 */ {{1, 1, "Vr0 bei Weg 1"}, {2, 2, "Vr1 bei Weg 1"}, {3, 3, "Vr2 bei Weg 2"},
                 {4, 6, "Vr# bei Weg 2", 0}, {7, 8, "Weg #", 1}, {9, 12, "Dunkel EIN"},
                 {13, 14, "Dunkel AUS"}},
      /* C46 */ {{1, 16, " "}},
      /* C47 */ {{1, 1, "Stop"}, {2, 2, "Stop and Proceed"},
                 {3, 3, "Stop and Proceed (w/o speed signal box)"},
                 {4, 4, "Proceed (high speed)"}, {5, 5, "Proceed through"},
                 {6, 6, "Proceed through (diversion route)"},
                 {7, 7, "Proceed w/ limited speed (60 km/h)"},
                 {8, 8, "Proceed w/ limited speed (40 km/h)"},
                 {9, 9, "Proceed w/ limited speed (60 km/h, diversion)"},
                 {10, 10, "Proceed w/ limited speed (40 km/h, diversion)"},
                 {11, 11, "Proceed through w/ limited speed (60 km/h)"},
                 {12, 12, "Proceed through w/ limited speed (40 km/h)"},
                 {13, 13, "Proceed - no safety overlap (40 km/h)"},
                 {14, 14, "Proceed - no safety overlap (40 km/h, divert)"},
                 {15, 15, "Proceed (stop at entry block signal)"},
                 {16, 16, "Proceed through (low speed at entry block signal)"}},
      /* C48 */ {{1, 1, "Stop"}, {2, 2, "Stop and Proceed"},
                 {3, 3, "Proceed (optional: route towards A-city)"},
                 {4, 4, "Proceed though (optional: route towards A-city)"}, {5, 5, "Pass"},
                 {6, 6, "Pass with caution"}, {7, 7, "No passing"}, {8, 8, "Signal cancelled"},
                 {9, 9, "Proceed (route towards B-city)"},
                 {10, 10, "Proceed though (route towards B-city)"},
                 {11, 11, "Proceed (route towards C-city)"},
                 {12, 12, "Proceed though (route towards C-city)"}, {13, 13, "Sweden: Proceed"},
                 {14, 14, "Sweden: Proceed, max speed 40 km/h"},
                 {15, 15, "Sweden: Proceed w caution, next signal 40 or stop"},
                 {16, 16, "Sweden: Proceed w caution, next signalstop"}},
      /* C49 */ {{1, 1, "Signal 1: Stop"}, {2, 2, "Signal 1: Stop and Proceed"},
                 {3, 3, "Signal 1: Proceed"}, {4, 4, "Signal 1: Proceed through"},
                 {5, 5, "Signal 1: Proceed through (signal w/ 2 lamps)"},
                 {6, 6, "Signal 1: 'Dark Green' proceed"},
                 {7, 7, "Signal 1: 'Dark Green' proceed through"}, {8, 8, "Signal 2: Stop"},
                 {9, 9, "Signal 2: Stop and Proceed"}, {10, 10, "Signal 2: Proceed"},
                 {11, 11, "Signal 2: Proceed through"},
                 {12, 12, "Signal 2: Proceed through (signal w/ 2 lamps)"},
                 {13, 13, "Signal 2: 'Dark Green' proceed"},
                 {14, 14, "Signal 2: 'Dark Green' proceed through"}},
      /* C50 */ {{1, 1, "Signal 1: Pass"}, {2, 2, "Signal 1: Pass with caution"},
                 {3, 3, "Signal 1: No passing"}, {4, 4, "Signal 1: Signal cancelled"},
                 {5, 5, "Signal 1: Proceed"}, {6, 6, "Signal 1: Proceed through"},
                 {7, 7, "Signal 2: Pass"}, {8, 8, "Signal 2: Pass with caution"},
                 {9, 9, "Signal 2: No passing"}, {10, 10, "Signal 2: Signal cancelled"},
                 {11, 11, "Signal 2: Proceed"}, {12, 12, "Signal 2: Proceed through"}},
      /* C51 */ {{1, 1, "Stop"}, {2, 2, "Stop and Proceed"},
                 {3, 3, "Stop and Proceed (w/o speed signal box)"},
                 {4, 4, "Proceed (high speed)"}, {5, 5, "Proceed through"},
                 {6, 6, "Proceed w/ limited speed (60 km/h)"},
                 {7, 7, "Proceed w/ limited speed (40 km/h)"},
                 {8, 8, "Proceed through w/ limited speed (60 km/h)"},
                 {9, 9, "Proceed through w/ limited speed (40 km/h)"},
                 {10, 10, "Proceed - no safety overlap (40 km/h)"},
                 {11, 11, "Sweden: Proceed 40 km/h with short route"},
                 {12, 12, "Sweden: Proceed 80 km/h, expect stop"},
                 {13, 13, "Sweden: Proceed 80 km/h, expect proceed 40 km/h"},
                 {14, 14, "Norway: Reduced speed"}},
      /* C52 */ {{1, 8, "Adresse #", 1, 2}},
      /* C53 */ {{1, 4, "Adresse #", 1, 2}},
      /* C54 */ {{1, 1, "Adresse 01"}, {2, 2, "Adresse 02"}},
      /* C55 */ {{1, 4, "Muster #", 1}},
  };
  return sets;
}

TEST(DecoderCatalogue, EveryEntryMatchesTheTypedList) {
  const auto& catalogue = DecoderCatalogue();
  const auto& expected = ExpectedCatalogue();
  ASSERT_EQ(catalogue.size(), 88u);
  ASSERT_EQ(expected.size(), 88u);
  size_t identifierCount = 0;
  for (size_t i = 0; i < catalogue.size(); ++i) {
    const CatalogueEntry& entry = catalogue[i];
    const ExpectedEntry& want = expected[i];
    SCOPED_TRACE("entry " + std::to_string(i) + " \"" + want.title + "\"");
    EXPECT_EQ(entry.identifiers, want.identifiers);
    EXPECT_EQ(entry.title, want.title);
    EXPECT_EQ(entry.pic, want.pic);
    EXPECT_EQ(entry.mode, want.mode);
    EXPECT_EQ(entry.captionSet, want.captionSet);
    EXPECT_EQ(entry.perColumn, want.perColumn);
    EXPECT_EQ(entry.gapRow, want.gapRow);
    EXPECT_EQ(static_cast<int>(entry.frameKind), want.frameKind);
    // Only "F-Dekoder mit CV" counts as recognised without captioned rows.
    EXPECT_EQ(entry.recognisedWithoutRows, want.identifiers.front() == 17408);
    identifierCount += entry.identifiers.size();
  }
  EXPECT_EQ(identifierCount, 91u);
}

TEST(DecoderCatalogue, CaptionSetsMatchTheTypedRuns) {
  const auto& runs = ExpectedCaptionRuns();
  ASSERT_EQ(runs.size(), 55u);
  for (int n = 1; n <= kCaptionSetCount; ++n) {
    SCOPED_TRACE("C" + std::to_string(n));
    const auto want = Expand(runs[static_cast<size_t>(n - 1)]);
    const auto& got = CaptionSet(n);
    EXPECT_EQ(got.size(), want.size());
    EXPECT_EQ(got, want);
  }
}

TEST(DecoderCatalogue, CaptionsKeepTheirExactCharacters) {
  // Blanks and non-ASCII characters are easy to lose in a table; check a few byte for byte.
  EXPECT_EQ(CaptionSet(1).at(6), "Turn (180\xC2\xB0)");
  EXPECT_EQ(CaptionSet(41).at(1), "C - Stop Carr\xC3\xA9");
  EXPECT_EQ(CaptionSet(25).at(3), "Gr\xC3\xBCn");
  EXPECT_EQ(CaptionSet(1).at(31), "Position24");
  EXPECT_EQ(CaptionSet(52).at(8), "Adresse 08");
  EXPECT_EQ(CaptionSet(12).at(3), "Ausgang / Out 3 (FL)");
  ASSERT_EQ(CaptionSet(46).size(), 16u);
  for (const auto& [row, caption] : CaptionSet(46)) EXPECT_EQ(caption, " ") << "row " << row;
  EXPECT_EQ(FindCatalogueEntry(520)->title, "Tollet  ab V3.51");
  EXPECT_EQ(FindCatalogueEntry(514)->title, "Pandor - Spur 1  ab V3.51");
  EXPECT_EQ(FindCatalogueEntry(203)->title, "LED-Dekoder - Signal 003 - \xC3\x96" "BB");
}

TEST(DecoderCatalogue, CaptionSetNumbersOutsideTheRangeAreEmpty) {
  for (int n : {-1, 0, 56, 1000}) EXPECT_TRUE(CaptionSet(n).empty()) << n;
}

TEST(DecoderCatalogue, DataIsConsistent) {
  std::set<int> usedSets;
  std::set<std::string> helpPages;
  for (const CatalogueEntry& entry : DecoderCatalogue()) {
    SCOPED_TRACE(entry.title);
    usedSets.insert(entry.captionSet);
    EXPECT_TRUE(helpPages.insert(entry.helpPage).second) << "help page used twice";
    for (const auto& [row, caption] : CaptionSet(entry.captionSet)) {
      EXPECT_GE(row, 1);
      EXPECT_LE(row, 31);
      EXPECT_FALSE(caption.empty());
    }
    // A type without captioned rows must be recognised some other way, or every load of it
    // would end in the recognition failure box.
    if (entry.captionSet == 0) {
      EXPECT_TRUE(entry.recognisedWithoutRows || entry.mode == RowMode::CV);
    }
  }
  for (int n = 1; n <= kCaptionSetCount; ++n) EXPECT_EQ(usedSets.count(n), 1u) << "C" << n;
}

TEST(DecoderCatalogue, FindsEveryIdentifierAndNothingElse) {
  std::set<int32_t> known;
  for (const CatalogueEntry& entry : DecoderCatalogue()) {
    for (int32_t identifier : entry.identifiers) {
      EXPECT_TRUE(known.insert(identifier).second) << "identifier " << identifier << " twice";
      EXPECT_EQ(FindCatalogueEntry(identifier), &entry) << identifier;
    }
  }
  for (int32_t unknown : {0, -1, 12, 0x100, 0x102, 258, 0x4401, 0x1E8FF, 0x7FFFFFFF}) {
    EXPECT_EQ(FindCatalogueEntry(unknown), nullptr) << unknown;
  }
}

TEST(DecoderCatalogue, RowCaptionsPlaceTheSetOnRowsZeroToFortySeven) {
  const auto turntable = RowCaptions(FindCatalogueEntry(12543));
  ASSERT_EQ(turntable.size(), 48u);
  EXPECT_EQ(turntable[0], "");
  EXPECT_EQ(turntable[3], "");
  EXPECT_EQ(turntable[4], "Licht");
  EXPECT_EQ(turntable[8], "Position1");
  EXPECT_EQ(turntable[31], "Position24");
  EXPECT_EQ(turntable[32], "");

  const auto cv = RowCaptions(FindCatalogueEntry(84736));
  ASSERT_EQ(cv.size(), 48u);
  for (const auto& caption : cv) EXPECT_EQ(caption, "");

  const auto none = RowCaptions(nullptr);
  ASSERT_EQ(none.size(), 48u);
  for (const auto& caption : none) EXPECT_EQ(caption, "");
}

TEST(CatalogueRules, ModesIsDccAndIdentifierRewrite) {
  struct Case {
    RowMode mode;
    bool rg, fn, cv;
  };
  for (const Case& c : {Case{RowMode::RG, true, false, false}, Case{RowMode::Fn, false, true, false},
                        Case{RowMode::CV, false, false, true},
                        Case{RowMode::None, false, false, false}}) {
    const CatalogueModes modes = ModesFor(c.mode);
    EXPECT_EQ(modes.RG_Mode, c.rg);
    EXPECT_EQ(modes.Fn_Mode, c.fn);
    EXPECT_EQ(modes.CV_Mode, c.cv);
  }

  std::set<int32_t> setsDcc;
  for (const CatalogueEntry& entry : DecoderCatalogue()) {
    if (EntrySetsIsDcc(entry)) setsDcc.insert(entry.identifiers.front());
  }
  EXPECT_EQ(setsDcc, (std::set<int32_t>{84736, 86016}));

  EXPECT_EQ(IdentifierAfterCatalogue(257), 1);
  EXPECT_EQ(IdentifierAfterCatalogue(1), 1);
  EXPECT_EQ(IdentifierAfterCatalogue(8), 8);
  EXPECT_EQ(IdentifierAfterCatalogue(0), 0);
  EXPECT_EQ(IdentifierAfterCatalogue(0x1101), 0x1101);
}

TEST(CatalogueRules, LimitsFollowTheProtocolAndMode) {
  const InputLimits previous{1234, 7};
  struct Case {
    bool isMot, isDcc, rg;
    int32_t maxAddress, maxFunction;
  };
  const Case cases[] = {
      {true, false, true, 320, 4},    {true, false, false, 320, 4},
      {false, true, true, 2044, 12},  {false, true, false, 16128, 12},
      {true, true, false, 320, 4},    // both flags (CV types on a Motorola firmware): Motorola
      {false, false, true, 1234, 7},  // neither: the last values stay
      {false, false, false, 1234, 7},
  };
  for (const Case& c : cases) {
    const InputLimits got = LimitsAfterCatalogue(previous, c.isMot, c.isDcc, c.rg);
    EXPECT_EQ(got.MaxAddress, c.maxAddress) << c.isMot << c.isDcc << c.rg;
    EXPECT_EQ(got.MaxFunction, c.maxFunction) << c.isMot << c.isDcc << c.rg;
  }
  const InputLimits start;
  EXPECT_EQ(start.MaxAddress, 0);
  EXPECT_EQ(start.MaxFunction, 0);
}

TEST(CatalogueRules, HintTexts) {
  EXPECT_EQ(AddressHint(2044),
            "g\xC3\xBCltiger Adressbereich: 1 bis 2044\n'0' f\xC3\xBCr unbenutzt (keine Reaktion "
            "auf irgendeinen Befehl)");
  EXPECT_EQ(AddressHint(16128),
            "g\xC3\xBCltiger Adressbereich: 1 bis 16128\n'0' f\xC3\xBCr unbenutzt (keine Reaktion "
            "auf irgendeinen Befehl)");
  EXPECT_EQ(FunctionHint(12), "g\xC3\xBCltiger Bereich f\xC3\xBCr die Funktions-Nummer: 1 bis 12");
  EXPECT_EQ(FunctionHint(4), "g\xC3\xBCltiger Bereich f\xC3\xBCr die Funktions-Nummer: 1 bis 4");
}

TEST(CatalogueRules, RowControlsByCaptionAndMode) {
  const InputLimits limits{320, 4};

  const RowControls hidden = RowControlsFor("", true, limits);
  EXPECT_FALSE(hidden.labelVisible || hidden.addressVisible || hidden.functionVisible ||
               hidden.rgButtonVisible);
  EXPECT_FALSE(hidden.addressHintShown);
  EXPECT_FALSE(hidden.functionHintShown.has_value());
  EXPECT_FALSE(hidden.addressHint.has_value());
  EXPECT_FALSE(hidden.functionHint.has_value());
  EXPECT_FALSE(hidden.recognises);

  struct Case {
    const char* caption;
    bool rg;
  };
  for (const Case& c : {Case{"Weiche", true}, Case{" ", true}, Case{"Ausgang / Out 1", false},
                        Case{" ", false}}) {
    SCOPED_TRACE(std::string("'") + c.caption + "' rg=" + (c.rg ? "1" : "0"));
    const RowControls shown = RowControlsFor(c.caption, c.rg, limits);
    EXPECT_TRUE(shown.labelVisible);
    EXPECT_TRUE(shown.addressVisible);
    EXPECT_EQ(shown.rgButtonVisible, c.rg);
    EXPECT_EQ(shown.functionVisible, !c.rg);
    EXPECT_TRUE(shown.addressHintShown);
    EXPECT_EQ(shown.functionHintShown, std::optional<bool>(true));
    EXPECT_EQ(shown.addressHint, AddressHint(320));
    EXPECT_EQ(shown.functionHint, FunctionHint(4));
    EXPECT_TRUE(shown.recognises);
  }
}

TEST(CatalogueRules, WhenTheFailureBoxIsShown) {
  EXPECT_TRUE(MustReportUnrecognised(false, false));
  EXPECT_FALSE(MustReportUnrecognised(true, false));
  EXPECT_FALSE(MustReportUnrecognised(false, true));
  EXPECT_FALSE(MustReportUnrecognised(true, true));
}

// --- Help document ---------------------------------------------------------------------------

const HelpFile* FindFile(const std::vector<HelpFile>& files, const std::string& name) {
  for (const HelpFile& file : files) {
    if (file.name == name) return &file;
  }
  return nullptr;
}

TEST(HelpDocument, CoversEveryEntry) {
  const std::vector<HelpFile> files = HelpDocument();
  ASSERT_EQ(files.size(), 89u);
  EXPECT_EQ(files.front().name, "index.html");
  EXPECT_EQ(std::string(kProgramHelpPage), std::string(kHelpFolder) + "/index.html");
  const HelpFile* index = FindFile(files, "index.html");
  ASSERT_NE(index, nullptr);

  const std::string prefix = std::string(kHelpFolder) + "/";
  for (const CatalogueEntry& entry : DecoderCatalogue()) {
    SCOPED_TRACE(entry.title);
    ASSERT_EQ(entry.helpPage.rfind(prefix, 0), 0u) << entry.helpPage;
    const std::string name = entry.helpPage.substr(prefix.size());
    EXPECT_EQ(name, HelpFileName(entry.identifiers.front()));
    const HelpFile* page = FindFile(files, name);
    ASSERT_NE(page, nullptr) << name;
    const std::string& html = page->html;
    EXPECT_NE(html.find("<h1>" + HtmlEscape(entry.title) + "</h1>"), std::string::npos);
    EXPECT_NE(html.find(PicName(entry.pic)), std::string::npos);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    if (entry.frameKind != FrameKind::None) {
      EXPECT_NE(html.find(FrameName(entry.frameKind)), std::string::npos);
    }
    for (const auto& [row, caption] : CaptionSet(entry.captionSet)) {
      const std::string cell =
          caption == " " ? std::string("(ohne Bezeichnung)") : HtmlEscape(caption);
      EXPECT_NE(html.find("<tr><td>" + std::to_string(row) + "</td><td>"), std::string::npos)
          << "row " << row;
      EXPECT_NE(html.find(cell), std::string::npos) << "row " << row;
    }
    for (int32_t identifier : entry.identifiers) {
      EXPECT_NE(html.find("(" + std::to_string(identifier) + ")"), std::string::npos);
    }
    EXPECT_NE(index->html.find("<a href=\"" + name + "\">" + HtmlEscape(entry.title) + "</a>"),
              std::string::npos);
  }
}

TEST(HelpDocument, EscapesMarkupInTitlesAndCaptions) {
  EXPECT_EQ(HtmlEscape("a < b & 'c' > \"d\""), "a &lt; b &amp; &#39;c&#39; &gt; &quot;d&quot;");
  const std::vector<HelpFile> files = HelpDocument();
  const HelpFile* ampel = FindFile(files, HelpFileName(103));
  ASSERT_NE(ampel, nullptr);
  EXPECT_NE(ampel->html.find("Ampel &lt; V3.40"), std::string::npos);
  EXPECT_EQ(ampel->html.find("Ampel < V3.40"), std::string::npos);
}

TEST(HelpDocument, WritesEveryPageIntoTheFolder) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("korrin_help_test_" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  std::string error;
  ASSERT_TRUE(WriteHelpDocument((folder / "help").string(), &error)) << error;
  for (const HelpFile& file : HelpDocument()) {
    std::ifstream in(folder / "help" / file.name, std::ios::binary);
    ASSERT_TRUE(in) << file.name;
    std::ostringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), file.html) << file.name;
  }
  size_t count = 0;
  for (const auto& item : std::filesystem::directory_iterator(folder / "help")) {
    EXPECT_EQ(item.path().extension(), ".html") << item.path();  // no temporary files left
    ++count;
  }
  EXPECT_EQ(count, 89u);

  // A folder that cannot be created: a plain file stands in its way.
  std::ofstream(folder / "blocker") << "x";
  error.clear();
  EXPECT_FALSE(WriteHelpDocument((folder / "blocker" / "help").string(), &error));
  EXPECT_FALSE(error.empty());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace korrin
