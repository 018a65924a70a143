#pragma once
// The options frame's model: which controls a decoder type shows, with which captions,
// and which EEPROM bytes and bits they edit, plus the byte arithmetic of the mode byte,
// the switch-off options, the output-function bits and the fading codes, and the layout
// arithmetic of the option rows and the mode group. No widgets here.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "decoders/decoder_types.h"
#include "editors/typed_number.h"

namespace korrin {

constexpr int kOptionRowSlots = 25;
constexpr int kModeRadios = 6;

// EEPROM bytes the frame reads and writes.
constexpr int kModeByte = 0x00;
constexpr int kOptionValueByte = 0x20;  // time-out, fading code, speed, output bits
constexpr int kNeonDarkByte = 0x40;
constexpr int kNeonBrightByte = 0x41;
constexpr int kTimeOutMarkerValue = 0xAB;
constexpr int kTimeOutMarkerCleared = 0x01;

// One numeric option row: caption, hint of its edit box, EEPROM byte, seconds per count
// (0: no unit label) and the accepted range.
struct OptionRowSpec {
  std::string caption;
  std::string hint;
  int offset = 0;
  float unit = 0.0f;
  int min = 0;
  int max = 255;
  std::string key;  // the setting key of the row, e.g. "timeout"
};

// One of the general-purpose check boxes cbx_zusatz_1 .. cbx_zusatz_8.
struct OptionBoxSpec {
  int box = 1;      // 1..8
  int bit = -1;     // bit of the boxes' byte it shows and edits; -1: none (switch-off boxes)
  std::string caption;
  std::string hint;
  int top = -1;     // -1: the box stays hidden
  std::string key;  // the setting key of the box, e.g. "abschalten.zentrale"
};

// What the check boxes of a type stand for.
enum class OptionBoxes {
  None,
  SwitchOff,        // two boxes that together make 0x00/0x0A/0xA0/0xAA of their byte
  BitField,         // each box is one bit of its byte; the other bits are kept
};

enum class OptionBar { None, Fading, Speed };

enum class ModeBit7Box { Hidden, Shown, ShownAbove354 };

struct OptionTypeSpec {
  OptionType type = OptionType::None;
  bool onlyAbove354 = false;  // without Version > 3.54 the frame stays empty

  std::vector<OptionRowSpec> rows;
  int rowTop = 20;

  bool timeOutMarker = false;  // cbx_weiche_ab

  OptionBoxes boxes = OptionBoxes::None;
  int boxesByte = -1;
  std::vector<OptionBoxSpec> boxList;
  std::string heading;       // lbl_zusatz (top 16)
  std::string heading3;      // lbl_zusatz3, shown when not empty
  int heading3Top = 18;
  std::string text1;         // lbl_text_1
  int text1Top = 0;
  bool text1OnlyWhenBothUnticked = false;

  OptionBar bar = OptionBar::None;
  int barTitleTop = 0;

  bool neonBars = false;

  // Mode group: shown when modeCaptions is not empty or modeOnlyBit6 is set.
  std::vector<std::string> modeCaptions;  // captions of rad_mode1 .. rad_modeN
  bool modeOnlyBit6 = false;              // lbl_mode and the radio buttons hidden
  bool modeBit6 = false;
  ModeBit7Box modeBit7 = ModeBit7Box::Hidden;

  bool hasModeGroup() const { return !modeCaptions.empty() || modeOnlyBit6; }
};

// The whole type table, in the order the types are documented; one entry per OptionType but None.
const std::vector<OptionTypeSpec>& OptionTypeTable();

// The entry a decoder type's row names, or nullptr when the frame shows no optional control
// (OptionType::None, or the gas lamp 0x66 up to version 3.54).
const OptionTypeSpec* OptionSpecFor(OptionType type, float version);

// Version thresholds compare the single-precision version with a double, strictly greater:
// 3.54f counts as not above 3.54, 3.55f does.
bool VersionAbove(float version, double threshold);

bool ModeBit7Shown(const OptionTypeSpec& optionType, float version);

// ---- mode byte ----

// The radio button (1..6) of the lowest set bit among bits 0..5, or 0 when none is set.
int ModeRadioOfByte(int modeByte);
// 0x01, 0x02, 0x04, 0x08, 0x10, 0x20 for the radio buttons 1..6.
int ModeCode(int radio);

// The state of the two mode check boxes at the time of a click.
struct ModeBits {
  bool bit6Shown = false, bit6Ticked = false;
  bool bit7Shown = false, bit7Ticked = false;
};
// The mode byte after a click on radio button `radio` (1..6), or on one of the two check
// boxes (radio 0): a radio button writes its mode code as the whole byte, then each shown
// box sets or clears its bit; bits of hidden boxes are then clear.
int ModeByteAfterClick(int modeByte, int radio, const ModeBits& bits);

// ---- time-out marker ----
inline bool TimeOutMarkerTicked(const std::string& modeCell) { return modeCell == "AB"; }
inline int TimeOutMarkerByte(bool ticked) { return ticked ? kTimeOutMarkerValue : kTimeOutMarkerCleared; }

// ---- switch-off options ----
// cbx_zusatz_1 ("OFF-Befehl der Zentrale") is ticked unless the high nibble is 0xA,
// cbx_zusatz_2 ("Time-Out des Dekoders") unless the low nibble is 0xA.
struct SwitchOffTicks {
  bool centralOff;
  bool timeOut;
};
SwitchOffTicks SwitchOffTicksOf(int value);
// 0x00, 0x0A, 0xA0 or 0xAA; the old content of the byte is not kept.
int SwitchOffValue(bool centralOffTicked, bool timeOutTicked);

// ---- bit-field boxes ----
// Ticks of boxes 1..8 (index 0..7) read from the boxes' byte.
std::array<bool, 8> BoxTicksOf(const OptionTypeSpec& optionType, int value);
// The byte after a click: every box of the optionType with a bit sets or clears it, all other
// bits keep their value.
int BitFieldValue(const OptionTypeSpec& optionType, int oldValue, const std::array<bool, 8>& ticked);

// ---- fading bar ----
// Speed code of the positions 0..5: 0xFF, 0x66, 0x33, 0x22, 0x12, 0x11.
int FadingCode(int position);
// The position a cell text selects, or nothing for a text that is no speed code (the frame
// then shows position 5 and writes "11").
std::optional<int> FadingPositionOf(const std::string& cell);
constexpr int kFadingFallbackPosition = 5;
constexpr int kFadingFallbackCode = 0x11;

// ---- texts ----
// "(%3.1f sec.)" of unit x value: 20 counts of 0.5 s give "(10.0 sec.)".
std::string OptionUnitLabel(float unit, int value);
// "Geschwindigkeit: %i"
std::string SpeedBarTitle(int value);

// ---- layout ----

// Places of the shown option rows (one entry per shown row, in order).
struct OptionRowPlace {
  int captionLeft, captionTop, editLeft, editTop, unitLeft, unitTop;
};
// Rows stand 21 pixels apart from rowTop; captions at left 10, the edit boxes 20 right of
// the widest caption, unit labels 10 right of their edit box.
std::vector<OptionRowPlace> PlaceOptionRows(int rowTop, const std::vector<int>& captionWidths, int editWidth);

// What the mode group holds, as it is to be stacked (heights of the shown controls).
struct ModeGroupContent {
  bool labelShown = false;
  int labelHeight = 0;
  bool bit7Shown = false;
  int bit7Height = 0;
  std::array<bool, kModeRadios> radioShown{};
  std::array<int, kModeRadios> radioHeight{};
  bool bit6Shown = false;
  int bit6Height = 0;
};
struct ModeGroupPlaces {
  int labelTop = 0;
  int bit7Top = 0;
  std::array<int, kModeRadios> radioTop{};
  int bit6Top = 0;
  int height = 0;   // of the group box
  int top = 0;      // of the group box in the panel: at the bottom, 10 pixels above the edge
};
ModeGroupPlaces StackModeGroup(const ModeGroupContent& content, int panelHeight);

// Track bar of the fading and speed settings: title, bar and the two end labels.
struct TrackBarPlaces {
  int titleLeft, titleTop;
  int barLeft, barTop, barWidth;
  int leftLabelLeft, leftLabelTop;
  int rightLabelLeft, rightLabelTop;
};
TrackBarPlaces PlaceTrackBar(int titleTop, int leftLabelWidth, int rightLabelWidth, int panelWidth);

}  // namespace korrin
