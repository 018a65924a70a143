// The decoder types, one constant row each, and the few reads every user of the registry shares.
#include "decoders/decoder_types.h"

#include <algorithm>

#include "image/format.h"

namespace korrin {

namespace {

constexpr bool kRecognisedWithoutRows = true;

// Columns: identifiers, title, PIC, row mode, captions, rows per column (kOneColumn = one
// column with header), gap after row (0 = none), editor [, recognised without rows].
constexpr DecoderType kDecoderTypes[] = {
    {{0x30FF}, "Drehscheibe 48 Position", 676, RowMode::RG,
     {Caption(4, "Licht"), Caption(5, "Step"), Caption(6, "Turn (180°)"), Caption(7, "Drehrichtung"),
      Numbered(8, 24, "Position")},
     15, 0, kNoEditor},
    {{0x17E800}, "Drehscheibe 24 Position", 676, RowMode::RG,
     {Caption(4, "Licht"), Caption(5, "Step"), Caption(6, "Turn (180°)"), Caption(7, "Drehrichtung"),
      Numbered(8, 12, "Position")},
     7, 0, kNoEditor},
    {{0x8}, "Tollet", 629, RowMode::RG,
     {Caption(1, "Weiche"), Caption(2, "Licht")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutTimeOut)},
    {{0x208}, "Tollet  ab V3.51", 629, RowMode::RG,
     {Caption(1, "Weiche"), Caption(2, "Licht")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutTimeOutMarker)},
    {{0x308}, "Tollet  ab V3.58", 629, RowMode::RG,
     {Caption(1, "Weiche"), Caption(2, "Licht")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutSwitchOff)},
    {{0x408}, "Tollet  ab V3.61", 629, RowMode::RG,
     {Caption(1, "Weiche"), Caption(2, "Licht")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutSwitchOffLantern)},
    {{0x9}, "Tollet Roduror", 629, RowMode::RG,
     {Caption(1, "Blinken"), Caption(2, "Signal")},
     kOneColumn, 0, kNoEditor},
    {{0xA}, "Pandor", 629, RowMode::RG,
     {Numbered(1, 2, "Weiche ")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutTimeOut)},
    {{0x20A}, "Pandor ab V3.51", 629, RowMode::RG,
     {Numbered(1, 2, "Weiche ")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutTimeOutMarker)},
    {{0x30A}, "Pandor ab V3.58", 629, RowMode::RG,
     {Numbered(1, 2, "Weiche ")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutSwitchOff)},
    {{0x30C}, "Tollet-Autofuse ab V3.58", 629, RowMode::RG,
     {Numbered(1, 2, "Weiche ")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutSwitchOff)},
    {{0x4}, "Pandor - 3Wege", 629, RowMode::RG,
     {Caption(1, "Links"), Caption(2, "Mitte"), Caption(3, "Rechts")},
     kOneColumn, 0, kNoEditor},
    {{0x3}, "Pandor - Signal 2x2", 629, RowMode::RG,
     {Caption(1, "Signal 1 grün"), Caption(2, "Signal 1 rot"), Caption(3, "Signal 2 grün"),
      Caption(4, "Signal 2 rot")},
     kOneColumn, 0, OptionsEditor(OptionType::SignalDarkening)},
    {{0x5}, "Pandor - Signal 1x4", 629, RowMode::RG,
     {Numbered(1, 4, "Ausgang / Out ")},
     kOneColumn, 0, kNoEditor},
    {{0xB}, "Pandor - Schalten", 629, RowMode::RG,
     {Numbered(1, 4, "Ausgang / Out ")},
     kOneColumn, 0, OptionsEditor(OptionType::SwitchingModes)},
    {{0x2}, "Pandor - Spur 1", 629, RowMode::RG,
     {Caption(1, "Weichen-Adresse")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutTimeOut)},
    {{0x202}, "Pandor - Spur 1  ab V3.51", 629, RowMode::RG,
     {Caption(1, "Weichen-Adresse")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutTimeOutMarker)},
    {{0x302}, "Pandor - Spur 1  ab V3.58", 629, RowMode::RG,
     {Caption(1, "Weichen-Adresse")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutSwitchOff)},
    {{0x6}, "Pandor - Signal HL", 629, RowMode::RG,
     {Caption(1, "Vorsignal: Vmax"), Caption(2, "Vorsignal: Halt"), Caption(3, "Vorsignal: 100"),
      Caption(4, "Vorsignal: 40/60"), Caption(5, "Hauptsignal: Vmax"), Caption(6, "Hauptsignal: Halt"),
      Caption(7, "Hauptsignal: 100/40/60")},
     kOneColumn, 0, kNoEditor},
    {{0x7}, "Pandor - Signal StraBa", 629, RowMode::RG,
     {Caption(1, "Signal"), Caption(2, "Kennlicht")},
     kOneColumn, 0, kNoEditor},
    {{0x4400}, "F-Dekoder mit CV", 688, RowMode::Fn,
     {},
     kOneColumn, 0, CvEditor(CvTable::FunctionDecoder), kRecognisedWithoutRows},
    {{0x3D00}, "Pandor - F-Dekoder Schalten", 629, RowMode::Fn,
     {Numbered(1, 4, "Ausgang / Out ")},
     kOneColumn, 0, OptionsEditor(OptionType::PandorFunctionSwitching)},
    {{0x13D00}, "Pandor - F-Dekoder Schalten ab V0.60", 629, RowMode::Fn,
     {Numbered(1, 2, "Ausgang / Out "), Caption(3, "Ausgang / Out 3 (FL)"), Caption(4, "Ausgang / Out 4")},
     kOneColumn, 0, OptionsEditor(OptionType::PandorFunctionSwitching060)},
    {{0x3F00}, "Pandor - F-Dekoder Blinken", 629, RowMode::Fn,
     {Numbered(1, 4, "Blink ")},
     kOneColumn, 0, kNoEditor},
    {{0x13F00}, "Pandor - F-Dekoder Blinken ab V0.60", 629, RowMode::Fn,
     {Numbered(1, 4, "Blink ")},
     kOneColumn, 0, OptionsEditor(OptionType::PandorFunctionBlink060)},
    {{0x4000}, "Pandor - F-Dekoder Neon ab V0.37", 629, RowMode::None,
     {Caption(1, "Ein"), Caption(2, "Hell-Dunkel")},
     kOneColumn, 0, kNoEditor},
    {{0x4100}, "Pandor/Fenwik - F.Dekoder Neon ab V0.42", 629, RowMode::Fn,
     {Numbered(1, 4, "Ausgang / Out "), Caption(5, "Hell-Dunkel")},
     kOneColumn, 0, kNoEditor},
    {{0x1A4100, 0x1B4100}, "Pandor/Fenwik - F-Dekoder Neon ab V0.44", 629, RowMode::Fn,
     {Numbered(1, 4, "Ausgang / Out "), Caption(5, "Hell-Dunkel")},
     kOneColumn, 0, OptionsEditor(OptionType::NeonFunction044)},
    {{0x2A4100, 0x2B4100}, "Pandor/Fenwik - F-Dekoder Neon ab V0.60", 629, RowMode::Fn,
     {Numbered(1, 2, "Ausgang / Out "), Caption(3, "Ausgang / Out 3 (FL)"), Caption(4, "Ausgang / Out 4"),
      Caption(5, "Hell-Dunkel")},
     kOneColumn, 0, OptionsEditor(OptionType::NeonFunction060)},
    {{0x3C00}, "Pandor - Funktionsdekoder Weiche", 629, RowMode::Fn,
     {Numbered(1, 2, "Weiche ")},
     kOneColumn, 0, kNoEditor},
    {{0x69}, "Relaisdekoder 8", 684, RowMode::RG,
     {Numbered(1, 8, "Ausgang / Out "), Caption(9, "All")},
     kOneColumn, 8, OptionsEditor(OptionType::RelayModes)},
    {{0x65}, "Lumo88", 684, RowMode::RG,
     {Numbered(1, 4, "Weiche ")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutTimeOut)},
    {{0x265}, "Lumo88 ab V3.51", 684, RowMode::RG,
     {Numbered(1, 4, "Weiche ")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutTimeOutMarker)},
    {{0x365}, "Lumo88 ab V3.58", 684, RowMode::RG,
     {Numbered(1, 4, "Weiche ")},
     kOneColumn, 0, OptionsEditor(OptionType::TurnoutSwitchOff)},
    {{0x6A}, "LED-Dekoder - Schalten", 684, RowMode::RG,
     {Numbered(1, 10, "Ausgang / Out ")},
     kOneColumn, 0, OptionsEditor(OptionType::SwitchingModes)},
    {{0x6B}, "LED-Dekoder - Signal 5x2", 684, RowMode::RG,
     {Numbered(1, 5, "Signal ")},
     kOneColumn, 0, kNoEditor},
    {{0x6C}, "LED-Dekoder - Signal 4", 684, RowMode::RG,
     {Caption(1, "HP00"), Numbered(2, 2, "HP"), Caption(4, "SH1"), Numbered(5, 3, "VR", 0)},
     kOneColumn, 4, OptionsEditor(OptionType::SignalDarkening)},
    {{0x6D}, "LED-Dekoder - Signal SBB", 684, RowMode::RG,
     {Caption(1, "HALT"), Numbered(2, 3, "FB "), Caption(5, "Warnung"), Numbered(6, 3, "FB ")},
     kOneColumn, 0, OptionsEditor(OptionType::SignalDarkening)},
    {{0x16D}, "LED-Dekoder - Signal SBB ab V3.59", 684, RowMode::RG,
     {Caption(1, "HALT"), Numbered(2, 3, "FB "), Caption(5, "Warnung"), Numbered(6, 3, "FB "),
      Numbered(9, 2, "Out ", 5)},
     kOneColumn, 0, OptionsEditor(OptionType::None)},
    {{0x68}, "LED-Dekoder - Rodurorkreuz / Schranke", 684, RowMode::RG,
     {Caption(1, "Ein")},
     kOneColumn, 0, OptionsEditor(OptionType::CrossingModes)},
    {{0x67}, "LED-Dekoder - Ampel < V3.40", 684, RowMode::RG,
     {Caption(1, "Auto"), Caption(2, "Nacht"), Caption(3, "Grün"), Caption(4, "Rot")},
     kOneColumn, 2, kNoEditor},
    {{0x167}, "LED-Dekoder - Ampel V3.40", 684, RowMode::RG,
     {Caption(1, "Auto"), Caption(2, "Nacht"), Caption(3, "Grün"), Caption(4, "Rot")},
     kOneColumn, 2, OptionsEditor(OptionType::TrafficLight340)},
    {{0x267}, "LED-Dekoder - Ampel ab V3.41", 684, RowMode::RG,
     {Caption(1, "Auto"), Caption(2, "Nacht"), Caption(3, "Grün"), Caption(4, "Rot")},
     kOneColumn, 2, OptionsEditor(OptionType::TrafficLight341)},
    {{0x367}, "LED-Dekoder - Ampel ab V3.61", 684, RowMode::RG,
     {Caption(1, "Auto"), Caption(2, "Nacht"), Caption(3, "Grün"), Caption(4, "Rot")},
     kOneColumn, 2, OptionsEditor(OptionType::TrafficLight361)},
    {{0x6E}, "LED-Dekoder - Blink", 684, RowMode::RG,
     {Numbered(1, 3, "Blink "), Caption(4, "Lauf"), Caption(5, "Leit"), Caption(6, "Warn"),
      Caption(7, "Foto"), Caption(8, "aus")},
     kOneColumn, 0, kNoEditor},
    {{0x6F}, "LED-Dekoder - Kirmes", 684, RowMode::RG,
     {Numbered(1, 3, "Blink "), Caption(4, "aus")},
     kOneColumn, 0, OptionsEditor(OptionType::Fairground)},
    {{0x70}, "LED-Dekoder - Neon", 684, RowMode::RG,
     {Caption(1, "Ein")},
     kOneColumn, 0, kNoEditor},
    {{0x170}, "LED-Dekoder - Neon ab V3.38", 684, RowMode::RG,
     {Caption(1, "Ein")},
     kOneColumn, 0, OptionsEditor(OptionType::Neon338)},
    {{0x270}, "LED-Dekoder - Neon ab V3.48", 684, RowMode::RG,
     {Caption(1, "Ein")},
     kOneColumn, 0, OptionsEditor(OptionType::Neon348)},
    {{0x66}, "LED-Dekoder - Gas", 684, RowMode::RG,
     {Caption(1, "Ein")},
     kOneColumn, 0, OptionsEditor(OptionType::GasLamp)},
    {{0x71}, "LED-Dekoder - Haus", 684, RowMode::RG,
     {Caption(1, "Ein")},
     kOneColumn, 0, OptionsEditor(OptionType::House)},
    {{0x171}, "LED-Dekoder - Haus ab V3.61", 684, RowMode::RG,
     {Caption(1, "Ein")},
     kOneColumn, 0, OptionsEditor(OptionType::House361)},
    {{0x72}, "LED-Dekoder - Feuer", 684, RowMode::RG,
     {Caption(1, "Ein")},
     kOneColumn, 0, kNoEditor},
    {{0x3E00}, "LED-Dekoder - Funktionsdekoder Schalten", 684, RowMode::Fn,
     {Numbered(1, 10, "Ausgang / Out ")},
     kOneColumn, 0, OptionsEditor(OptionType::LedFunctionSwitching)},
    {{0x13E00}, "LED-Dekoder - F-Dekoder Schalten ab V0.60", 684, RowMode::Fn,
     {Numbered(1, 8, "Ausgang / Out "), Caption(9, "Ausgang / Out 9 (FL)"), Caption(10, "Ausgang / Out 10")},
     kOneColumn, 0, OptionsEditor(OptionType::LedFunctionSwitching060)},
    {{0xC9}, "LED-Dekoder - Signal 001 - Einfahrsignal", 684, RowMode::RG,
     {Numbered(1, 3, "Hauptsignal: Hp", 0), Caption(4, "Hauptsignal: Nebenrot + Zs1"),
      Caption(5, "Hauptsignal: Hp1 + Zs3"), Caption(6, "Hauptsignal: Hp2 + Zs3"),
      Numbered(7, 3, "Vorsignal: Vr", 0)},
     kOneColumn, 0, OptionsEditor(OptionType::SignalDarkening)},
    {{0x1C9}, "LED-Dekoder - Signal 001 - Einfahrsignal ab V3.37", 684, RowMode::RG,
     {Numbered(1, 3, "Hauptsignal: Hp", 0), Caption(4, "Hauptsignal: Nebenrot + Zs1"),
      Caption(5, "Hauptsignal: Hp1 + Zs3"), Caption(6, "Hauptsignal: Hp2 + Zs3"),
      Numbered(7, 3, "Vorsignal: Vr", 0), Numbered(10, 3, "Vorsignal: Vr", 0)},
     kOneColumn, 6, OptionsEditor(OptionType::SignalDarkening)},
    {{0xCA}, "LED-Dekoder - Signal 002 - Ausfahrsignal", 684, RowMode::RG,
     {Caption(1, "Hauptsignal: Hp00"), Numbered(2, 2, "Hauptsignal: Hp"),
      Caption(4, "Hauptsignal: Hp0 + Sh1"), Caption(5, "Hauptsignal: Hp0 + Zs1"),
      Caption(6, "Hauptsignal: Hp0 + Zs8 (blink)"), Numbered(7, 3, "Vorsignal: Vr", 0)},
     kOneColumn, 6, OptionsEditor(OptionType::SignalDarkening)},
    {{0x1CA}, "LED-Dekoder - Signal 002 - Ausfahrsignal ab V3.37", 684, RowMode::RG,
     {Caption(1, "Hauptsignal: Hp00"), Numbered(2, 2, "Hauptsignal: Hp"),
      Caption(4, "Hauptsignal: Hp0 + Sh1"), Caption(5, "Hauptsignal: Hp0 + Zs1"),
      Caption(6, "Hauptsignal: Hp0 + Zs8 (blink)"), Numbered(7, 3, "Vorsignal: Vr", 0),
      Repeated(10, 3, "Vorsignal: Vr0")},
     kOneColumn, 6, OptionsEditor(OptionType::SignalDarkening)},
    {{0xCB}, "LED-Dekoder - Signal 003 - ÖBB", 684, RowMode::RG,
     {Caption(1, "Signal 1: Halt"), Caption(2, "Signal 1: Frei"), Caption(3, "Signal 1: Frei 40"),
      Caption(4, "Signal 1: Frei 60"), Caption(5, "Signal 1: Frei 40/60"), Caption(6, "Signal 1: Verschub"),
      Caption(7, "Signal 1: Ersatz-Signal"), Caption(8, "Signal 2: Halt"), Caption(9, "Signal 2: Frei"),
      Caption(10, "Signal 2: Frei 40"), Caption(11, "Signal 2: Frei 60"), Caption(12, "Signal 2: Frei 40/60"),
      Caption(13, "Signal 2: Verschub"), Caption(14, "Signal 2: Ersatz-Signal")},
     kOneColumn, 7, OptionsEditor(OptionType::SignalObb)},
    {{0xCC}, "LED-Dekoder - Signal 004 - 2x Ausfahr-Signal", 684, RowMode::RG,
     {Caption(1, "Signal 1: Hp00"), Numbered(2, 2, "Signal 1: Hp"), Caption(4, "Signal 1: Hp0 + Sh1"),
      Caption(5, "Signal 2: Hp00"), Numbered(6, 2, "Signal 2: Hp"), Caption(8, "Signal 2: Hp0 + Sh1")},
     kOneColumn, 4, kNoEditor},
    {{0xCD}, "LED-Dekoder - Signal 005 - HL", 684, RowMode::RG,
     {Caption(1, "Hauptsignal: Halt"), Caption(2, "Hauptsignal: Vmax"), Caption(3, "Hauptsignal: 40 km/h"),
      Caption(4, "Hauptsignal: 60 km/h"), Caption(5, "Hauptsignal: 100 km/h"),
      Caption(6, "Hauptsignal: Hp0 + Zs1"), Caption(7, "Hauptsignal: Hp0 + Ra12"),
      Caption(8, "Vorsignal: erwarte Halt"), Caption(9, "Vorsignal: erwarte Vmax"),
      Caption(10, "Vorsignal: erwarte 40 km/h"), Caption(11, "Vorsignal: erwarte 60 km/h"),
      Caption(12, "Vorsignal: erwarte 100 km/h"), Repeated(13, 2, "Vorsignal: erwarte Halt")},
     kOneColumn, 7, OptionsEditor(OptionType::SignalDarkening)},
    {{0xCE}, "LED-Dekoder - Signal 006 - PKP", 684, RowMode::RG,
     {Caption(1, "Hauptsignal: Halt"), Caption(2, "Hauptsignal: Vmax"), Caption(3, "Hauptsignal: 40 km/h"),
      Caption(4, "Hauptsignal: 60 km/h"), Caption(5, "Hauptsignal: 100 km/h"),
      Caption(6, "Hauptsignal: Hp0 + Ersatz"), Caption(7, "Hauptsignal: Hp0 + Rangierfahrt"),
      Caption(8, "Vorsignal: erwarte Halt"), Caption(9, "Vorsignal: erwarte Vmax"),
      Caption(10, "Vorsignal: erwarte 40 km/h"), Caption(11, "Vorsignal: erwarte 60 km/h"),
      Caption(12, "Vorsignal: erwarte 100 km/h"), Repeated(13, 2, "Vorsignal: erwarte Halt")},
     kOneColumn, 7, OptionsEditor(OptionType::SignalDarkening)},
    {{0xCF}, "LED-Dekoder - Signal 007 - Ks", 684, RowMode::RG,
     {Caption(1, "Hauptsignal: Hp0"), Caption(2, "Hauptsignal: Ks1"), Caption(3, "Hauptsignal: Ks1 + Zs3"),
      Caption(4, "Hauptsignal: Ks1 + Zs1"), Caption(5, "Hauptsignal: Ks1 + Sh1"),
      Caption(6, "Hauptsignal: Ks1 + Zs7"), Caption(7, "Hauptsignal: Kennlicht"),
      Caption(8, "Vorsignal: Ks2 (Halt erwarten)"), Caption(9, "Vorsignal: Ks1"),
      Caption(10, "Vorsignal: Ks1 + Zs3v"), Repeated(11, 3, "Vorsignal: Ks2 (Halt erwarten)"),
      Caption(14, "Vorsignal: Kennlicht")},
     kOneColumn, 7, OptionsEditor(OptionType::SignalDarkening)},
    {{0xD0}, "LED-Dekoder - Signal 008 - 2x Ausfahr-Signal (V2)", 684, RowMode::RG,
     {Caption(1, "Signal 1: Hp00"), Numbered(2, 2, "Signal 1: Hp"), Caption(4, "Signal 1: Hp0 + Sh1"),
      Repeated(5, 2, "Signal 2: Hp00"), Numbered(7, 2, "Signal 2: Hp"), Caption(9, "Signal 2: Hp0 + Sh1"),
      Caption(10, "Signal 2: Hp00")},
     kOneColumn, 5, kNoEditor},
    {{0xD4}, "LED-Dekoder - Signal 009 - 2x Vorsignal", 684, RowMode::RG,
     {Numbered(1, 3, "Signal 1: Vr", 0), Caption(4, "Signal 1: Dunkel"), Numbered(5, 3, "Signal 2: Vr", 0),
      Caption(8, "Signal 2: Dunkel")},
     kOneColumn, 4, kNoEditor},
    {{0x1D4}, "LED-Dekoder - Signal 009 - 2x Vorsignal ab V3.61", 684, RowMode::RG,
     {Numbered(1, 2, "Signal 1: Vr", 0), Caption(3, "Signal 1: Vr1 + Zs3v"), Caption(4, "Signal 1: Vr2"),
      Caption(5, "Signal 1: Vr2 + Zs3v"), Caption(6, "Signal 1: Dunkel"), Numbered(7, 2, "Signal 2: Vr", 0),
      Caption(9, "Signal 2: Vr1 + Zs3v"), Caption(10, "Signal 2: Vr2"), Caption(11, "Signal 2: Vr2 + Zs3v"),
      Caption(12, "Signal 2: Dunkel")},
     kOneColumn, 6, kNoEditor},
    {{0xD1}, "LED-Dekoder - Signal 010 - Signal SNCF", 684, RowMode::RG,
     {Caption(1, "C - Stop Carré"), Caption(2, "S - red"), Caption(3, "(S) - red flash."),
      Caption(4, "VL - green"), Caption(5, "(VL) - green flash."), Caption(6, "Cv - violet"),
      Caption(7, "M - white"), Caption(8, "(M) - white flash."), Caption(9, "A - yellow"),
      Caption(10, "(A) - yellow flash."), Caption(11, "30 R - slow"), Caption(12, "60 (R) - slow"),
      Caption(13, "30 RR - remember"), Caption(14, "60 (RR) - remember")},
     kOneColumn, 0, kNoEditor},
    {{0xE6}, "LED-Dekoder - Signal 011 - Signal NS", 684, RowMode::RG,
     {Caption(1, "Stop"), Caption(2, "Ride on Sight"), Caption(3, "reduce to 30"),
      Repeated(4, 2, "reduce to x"), Caption(6, "pass with 40"), Caption(7, "pass with x"),
      Caption(8, "pass"), Caption(9, "Stop"), Caption(10, "Ride on Sight"), Caption(11, "reduce to 30"),
      Repeated(12, 2, "reduce to x"), Caption(14, "pass with 40"), Caption(15, "pass with x"),
      Caption(16, "pass")},
     kOneColumn, 0, kNoEditor},
    {{0xE7}, "LED-Dekoder - Signal 020 - Ausfahrsignal mit fahrstrassenabhängigen Zusatzsignalen", 684, RowMode::RG,
     {Caption(1, "Hp00"), Caption(2, "Hp1 + Zs3 + Zs6"), Caption(3, "Hp2 + Zs3 + Zs6"),
      Caption(4, "Hp0 + Sh1"), Caption(5, "Hp0 + Zs1"), Caption(6, "Hp0 + Zs8"), Numbered(7, 2, "Weg ")},
     kOneColumn, 6, kNoEditor},
    {{0x1E7}, "LED-Dekoder - Signal 020 ab V3.58", 684, RowMode::RG,
     {Caption(1, "Hp00"), Caption(2, "Hp1 + Zs3 + Zs6"), Caption(3, "Hp2 + Zs3 + Zs6"),
      Caption(4, "Hp0 + Sh1"), Caption(5, "Hp0 + Zs1"), Caption(6, "Hp0 + Zs8"), Numbered(7, 2, "Kennlicht "),
      Numbered(9, 2, "Weg ")},
     kOneColumn, 6, kNoEditor},
    {{0xE8}, "LED-Dekoder - Signal 021 - Vorsignal mit fahrstrassenabhängigen Zusatzsignalen", 684, RowMode::RG,
     {Caption(1, "Vr0 bei Weg 1"), Caption(2, "Vr1 bei Weg 1"), Caption(3, "Vr2 bei Weg 2"),
      Caption(4, "Vr0 bei Weg 2"), Caption(5, "Vr1 bei Weg 2"), Caption(6, "Vr2 bei Weg 2"),
      Numbered(7, 2, "Weg "), Repeated(9, 4, "Dunkel EIN"), Repeated(13, 2, "Dunkel AUS")},
     kOneColumn, 8, kNoEditor},
    {{0xE9}, "LED-Dekoder - Signal 022 - Belgien", 684, RowMode::RG,
     {Repeated(1, 16, " ")},
     kOneColumn, 8, kNoEditor},
    {{0xEA}, "LED-Dekoder - Signal 030 - DK Entry Signal", 684, RowMode::RG,
     {Caption(1, "Stop"), Caption(2, "Stop and Proceed"),
      Caption(3, "Stop and Proceed (w/o speed signal box)"), Caption(4, "Proceed (high speed)"),
      Caption(5, "Proceed through"), Caption(6, "Proceed through (diversion route)"),
      Caption(7, "Proceed w/ limited speed (60 km/h)"), Caption(8, "Proceed w/ limited speed (40 km/h)"),
      Caption(9, "Proceed w/ limited speed (60 km/h, diversion)"),
      Caption(10, "Proceed w/ limited speed (40 km/h, diversion)"),
      Caption(11, "Proceed through w/ limited speed (60 km/h)"),
      Caption(12, "Proceed through w/ limited speed (40 km/h)"),
      Caption(13, "Proceed - no safety overlap (40 km/h)"),
      Caption(14, "Proceed - no safety overlap (40 km/h, divert)"),
      Caption(15, "Proceed (stop at entry block signal)"),
      Caption(16, "Proceed through (low speed at entry block signal)")},
     kOneColumn, 0, kNoEditor},
    {{0xEB}, "LED-Dekoder - Signal 031 - DK PU-signals", 684, RowMode::RG,
     {Caption(1, "Stop"), Caption(2, "Stop and Proceed"),
      Caption(3, "Proceed (optional: route towards A-city)"),
      Caption(4, "Proceed though (optional: route towards A-city)"), Caption(5, "Pass"),
      Caption(6, "Pass with caution"), Caption(7, "No passing"), Caption(8, "Signal cancelled"),
      Caption(9, "Proceed (route towards B-city)"), Caption(10, "Proceed though (route towards B-city)"),
      Caption(11, "Proceed (route towards C-city)"), Caption(12, "Proceed though (route towards C-city)"),
      Caption(13, "Sweden: Proceed"), Caption(14, "Sweden: Proceed, max speed 40 km/h"),
      Caption(15, "Sweden: Proceed w caution, next signal 40 or stop"),
      Caption(16, "Sweden: Proceed w caution, next signalstop")},
     kOneColumn, 0, kNoEditor},
    {{0xEC}, "LED-Dekoder - Signal 032 - SK/N: Block-, Exit signals", 684, RowMode::RG,
     {Caption(1, "Signal 1: Stop"), Caption(2, "Signal 1: Stop and Proceed"), Caption(3, "Signal 1: Proceed"),
      Caption(4, "Signal 1: Proceed through"), Caption(5, "Signal 1: Proceed through (signal w/ 2 lamps)"),
      Caption(6, "Signal 1: 'Dark Green' proceed"), Caption(7, "Signal 1: 'Dark Green' proceed through"),
      Caption(8, "Signal 2: Stop"), Caption(9, "Signal 2: Stop and Proceed"),
      Caption(10, "Signal 2: Proceed"), Caption(11, "Signal 2: Proceed through"),
      Caption(12, "Signal 2: Proceed through (signal w/ 2 lamps)"),
      Caption(13, "Signal 2: 'Dark Green' proceed"), Caption(14, "Signal 2: 'Dark Green' proceed through")},
     kOneColumn, 0, kNoEditor},
    {{0xED}, "LED-Dekoder - Signal 033 - DK/N: Dwarf Signals", 684, RowMode::RG,
     {Caption(1, "Signal 1: Pass"), Caption(2, "Signal 1: Pass with caution"),
      Caption(3, "Signal 1: No passing"), Caption(4, "Signal 1: Signal cancelled"),
      Caption(5, "Signal 1: Proceed"), Caption(6, "Signal 1: Proceed through"), Caption(7, "Signal 2: Pass"),
      Caption(8, "Signal 2: Pass with caution"), Caption(9, "Signal 2: No passing"),
      Caption(10, "Signal 2: Signal cancelled"), Caption(11, "Signal 2: Proceed"),
      Caption(12, "Signal 2: Proceed through")},
     kOneColumn, 0, kNoEditor},
    {{0xEE}, "LED-Dekoder - Signal 034 - DK/N/S: Entry Signal", 684, RowMode::RG,
     {Caption(1, "Stop"), Caption(2, "Stop and Proceed"),
      Caption(3, "Stop and Proceed (w/o speed signal box)"), Caption(4, "Proceed (high speed)"),
      Caption(5, "Proceed through"), Caption(6, "Proceed w/ limited speed (60 km/h)"),
      Caption(7, "Proceed w/ limited speed (40 km/h)"),
      Caption(8, "Proceed through w/ limited speed (60 km/h)"),
      Caption(9, "Proceed through w/ limited speed (40 km/h)"),
      Caption(10, "Proceed - no safety overlap (40 km/h)"),
      Caption(11, "Sweden: Proceed 40 km/h with short route"),
      Caption(12, "Sweden: Proceed 80 km/h, expect stop"),
      Caption(13, "Sweden: Proceed 80 km/h, expect proceed 40 km/h"), Caption(14, "Norway: Reduced speed")},
     kOneColumn, 0, kNoEditor},
    {{0xD3}, "Tamb-4 Servo-Dekoder", 684, RowMode::RG,
     {Numbered(1, 8, "Adresse ", 1, 2)},
     4, 0, ServoEditor(ServoButtons::Tamb4, ServoAddresses::Tamb4)},
    {{0xD2}, "Tambel Servo-Dekoder", 684, RowMode::RG,
     {Numbered(1, 4, "Adresse ", 1, 2)},
     2, 0, ServoEditor(ServoButtons::Tambel, ServoAddresses::Tambel)},
    {{0x1D2}, "Tambel Servo-Dekoder ab V3.58", 684, RowMode::RG,
     {Numbered(1, 4, "Adresse ", 1, 2)},
     2, 0, ServoEditor(ServoButtons::Tambel, ServoAddresses::Tambel, kX7Threshold)},
    {{0x7DD2}, "Tambel V2 Servo-Dekoder ab V3.73", 684, RowMode::RG,
     {Numbered(1, 4, "Adresse ", 1, 2)},
     2, 0, ServoEditor(ServoButtons::Tambel, ServoAddresses::Tambel, kX7Threshold)},
    {{0x4200}, "Tambel Servo-Dekoder (F-Dekoder)", 684, RowMode::Fn,
     {Numbered(1, 2, "Adresse ", 1, 2)},
     4, 0, ServoEditor(ServoButtons::Tambel, ServoAddresses::TambelFunction)},
    {{0x1, 0x101}, "Pandor - Blinkmuster", 684, RowMode::RG,
     {Numbered(1, 4, "Muster ")},
     kOneColumn, 0, kBlinkEditor},
    {{0xDD}, "LED - Blinkmuster bis V3.59", 684, RowMode::RG,
     {Numbered(1, 4, "Muster ")},
     kOneColumn, 0, LedBlinkEditor(StretchEncoding::OneByte)},
    {{0x1DD}, "LED - Blinkmuster ab V3.60", 684, RowMode::RG,
     {Numbered(1, 4, "Muster ")},
     kOneColumn, 0, LedBlinkEditor(StretchEncoding::Radix255)},
    {{0x14B00}, "Fenwik 16F18324", 18324, RowMode::CV,
     {},
     kOneColumn, 0, CvEditor(CvTable::Fenwik)},
    {{0x15000}, "Grosk 16F18324", 18324, RowMode::CV,
     {},
     kOneColumn, 0, CvEditor(CvTable::Grosk)},

};

// The rules every row keeps, checked when the table is compiled.
constexpr bool RowsAreSound() {
  for (const DecoderType& type : kDecoderTypes) {
    if (type.ids[0] == 0 || type.title.empty()) return false;
    // The PIC is looked up by value: a pointer compared in a constant expression is not
    // constant in a sanitizer build.
    bool picKnown = false;
    for (const PicType& pic : kPicTypes)
      if (pic.pic == type.pic && pic.name[0] != '\0') picKnown = true;
    if (!picKnown) return false;
    for (const CaptionRun& run : type.captions.runs()) {
      if (run.count < 1 || run.row < kFirstCaptionRow || run.row + run.count - 1 > kLastCaptionRow) return false;
    }
    // A type without captioned rows must be recognised some other way, or every load of it
    // would end in the recognition failure box.
    if (type.captions.empty() && !type.recognisedWithoutRows && type.mode != RowMode::CV) return false;
  }
  return true;
}
static_assert(RowsAreSound());

constexpr bool EveryIdentifierOnce() {
  for (const DecoderType& a : kDecoderTypes)
    for (int32_t id : a.identifiers()) {
      int seen = 0;
      for (const DecoderType& b : kDecoderTypes)
        for (int32_t other : b.identifiers()) seen += other == id ? 1 : 0;
      if (seen != 1) return false;
    }
  return true;
}
static_assert(EveryIdentifierOnce());

std::string CaptionText(const CaptionRun& run, int k) {
  if (!run.numbered) return run.text;
  const int number = run.from + k;
  return run.digits > 0 ? run.text + Format("%0*d", run.digits, number) : run.text + std::to_string(number);
}

}  // namespace

std::span<const DecoderType> DecoderTypes() { return kDecoderTypes; }

const DecoderType* FindDecoderType(int32_t identifier) {
  for (const DecoderType& type : kDecoderTypes) {
    const auto ids = type.identifiers();
    if (std::find(ids.begin(), ids.end(), identifier) != ids.end()) return &type;
  }
  return nullptr;
}

std::vector<std::string> RowCaptions(const DecoderType* type) {
  std::vector<std::string> captions(kRowCount);
  if (type == nullptr) return captions;
  for (const CaptionRun& run : type->captions.runs()) {
    for (int k = 0; k < run.count; ++k) {
      const int row = run.row + k;
      if (row >= 0 && row < kRowCount) captions[static_cast<size_t>(row)] = CaptionText(run, k);
    }
  }
  return captions;
}

std::string HelpFileName(int32_t identifier) {
  return Format("typ-0x%04X.html", static_cast<unsigned>(identifier));
}

std::string HelpPageOf(const DecoderType& type) {
  return std::string(kHelpFolder) + "/" + HelpFileName(type.ids[0]);
}

}  // namespace korrin
