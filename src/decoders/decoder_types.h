#pragma once
// The registry of decoder types: one constant row per type with everything that depends on the
// type. Identification finds the row of a DecoderIdentifier once; the catalogue step, the help
// document and every editor then read that row instead of asking for the identifier again.
//
// A row names its identifiers, title, PIC, the kind of its address rows, the captions of those
// rows (as runs, "Weiche 1".."Weiche 4" is one run), how the rows are arranged and the editor
// frame beside them together with the set-up that frame works from (which options, which
// CV table, how the LED pattern keeps its stretch factor, how the servo editors look). The
// set-ups themselves are tables of the editors; a row only names the one it uses.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/frame_kind.h"
#include "image/pic_types.h"

namespace korrin {

// The kind of address rows a type has.
//   RG:   every shown row is a switching address of one output pair (address edit + "R/G" button).
//   Fn:   every shown row is a decoder address with a function number.
//   CV:   configured through the CV register frame only; no address rows; sets Is_DCC.
//   None: rows show address and function edits, but are neither decoded nor stored.
enum class RowMode { None, RG, Fn, CV };

// PlaceRows argument for "one column, header shown".
inline constexpr int kOneColumn = 99;

// The main window has rows 0..47; captions only ever name rows 1..31.
inline constexpr int kRowCount = 48;
inline constexpr int kFirstCaptionRow = 1;
inline constexpr int kLastCaptionRow = 31;

// ---- captions -------------------------------------------------------------------------------

// Consecutive rows captioned alike: one text, the same text on `count` rows, or a text followed
// by the numbers from, from + 1, ... (zero-padded to `digits` digits when digits > 0).
struct CaptionRun {
  int row = 0;
  int count = 1;
  const char* text = "";
  bool numbered = false;
  int from = 1;
  int digits = 0;
};

constexpr CaptionRun Caption(int row, const char* text) { return {row, 1, text, false, 1, 0}; }
constexpr CaptionRun Repeated(int row, int count, const char* text) { return {row, count, text, false, 1, 0}; }
constexpr CaptionRun Numbered(int row, int count, const char* text, int from = 1, int digits = 0) {
  return {row, count, text, true, from, digits};
}

inline constexpr int kMaxCaptionRuns = 16;

// The caption runs of one type, kept inside its row.
class CaptionRuns {
 public:
  constexpr CaptionRuns() = default;
  constexpr CaptionRuns(std::initializer_list<CaptionRun> runs) {
    for (const CaptionRun& run : runs) runs_[size_++] = run;  // more than kMaxCaptionRuns: no constant
  }
  constexpr std::span<const CaptionRun> runs() const { return {runs_.data(), static_cast<size_t>(size_)}; }
  constexpr bool empty() const { return size_ == 0; }
  // Number of captioned rows.
  constexpr int rowCount() const {
    int n = 0;
    for (const CaptionRun& run : runs()) n += run.count;
    return n;
  }

 private:
  std::array<CaptionRun, kMaxCaptionRuns> runs_{};
  int size_ = 0;
};

// ---- editor set-ups ------------------------------------------------------------------

// Which entry of the options frame's table a type shows (editors/option_types.h).
enum class OptionType {
  None,                     // the frame is shown without any option
  TurnoutTimeOut,           // Tollet, Pandor, Spur 1, Lumo88
  TurnoutTimeOutMarker,     // the same from V3.51
  TurnoutSwitchOff,         // the same from V3.58
  TurnoutSwitchOffLantern,  // Tollet from V3.61
  SwitchingModes,           // Pandor and LED switching
  RelayModes,               // relay decoder 8
  SignalDarkening,
  SignalObb,
  CrossingModes,
  LedFunctionSwitching,
  PandorFunctionSwitching,
  PandorFunctionSwitching060,
  LedFunctionSwitching060,
  PandorFunctionBlink060,
  GasLamp,
  TrafficLight340,
  TrafficLight341,
  TrafficLight361,
  Fairground,
  House,
  House361,
  Neon338,
  Neon348,
  NeonFunction044,
  NeonFunction060,
};

// Which CV table the CV register frame shows (editors/cv_tables.h).
enum class CvTable { None, FunctionDecoder, Fenwik, Grosk };

// How the LED pattern table keeps its stretch factor.
enum class StretchEncoding {
  OneByte,    // S in the low entry; a high entry, if any, is written 0
  Radix255,   // S = (high - 1) * 255 + low; stored as low = S mod 255, high = S div 255 + 1
};

// How the servo curve editor's push-button controls look (editors/servo_curves.h).
enum class ServoButtons {
  Tamb4,   // relay strip and SW1, buttons 1 and 2, eight addresses to copy from
  Tambel,  // buttons 3 and 4, four addresses
};

// How the servo address frame looks (editors/servo_assignment.h).
enum class ServoAddresses {
  Tamb4,           // four servo groups, eight address rows, servo and relay lists
  Tambel,          // one group, four rows "Adresse 01".."Adresse 04"
  TambelFunction,  // one group, four rows "Adresse 01 ein", "Adresse 01 aus", ...
};

// The editor frame of a type and the set-up it works from. Only the fields of the
// frame's own kind mean anything.
struct EditorSpec {
  FrameKind frame = FrameKind::None;
  OptionType options = OptionType::None;
  CvTable cvTable = CvTable::None;
  StretchEncoding stretch = StretchEncoding::OneByte;
  ServoButtons servoButtons = ServoButtons::Tambel;
  ServoAddresses servoAddresses = ServoAddresses::Tambel;
  bool x7Threshold = false;  // the servo editor shows the X7 threshold
};

inline constexpr EditorSpec kNoEditor{};
constexpr EditorSpec OptionsEditor(OptionType options) {
  EditorSpec e;
  e.frame = FrameKind::Options;
  e.options = options;
  return e;
}
constexpr EditorSpec CvEditor(CvTable table) {
  EditorSpec e;
  e.frame = FrameKind::Cv;
  e.cvTable = table;
  return e;
}
inline constexpr EditorSpec kBlinkEditor{FrameKind::Blink};
constexpr EditorSpec LedBlinkEditor(StretchEncoding stretch) {
  EditorSpec e;
  e.frame = FrameKind::LedBlink;
  e.stretch = stretch;
  return e;
}
inline constexpr bool kX7Threshold = true;
constexpr EditorSpec ServoEditor(ServoButtons buttons, ServoAddresses addresses, bool x7Threshold = false) {
  EditorSpec e;
  e.frame = FrameKind::Servo;
  e.servoButtons = buttons;
  e.servoAddresses = addresses;
  e.x7Threshold = x7Threshold;
  return e;
}

// ---- the rows -------------------------------------------------------------------------------

struct DecoderType {
  std::array<int32_t, 2> ids{};  // one identifier, or two for the types that serve two; 0 = none
  std::string_view title;        // DecoderTitle, exactly as shown (blanks included)
  int32_t pic = 0;               // a row of kPicTypes
  RowMode mode = RowMode::None;
  CaptionRuns captions;
  int perColumn = kOneColumn;    // PlaceRows: rows per column, 99 = one column with header
  int gapRow = 0;                // PlaceRows: row after which a 10-pixel gap is left, 0 = none
  EditorSpec editor;
  bool recognisedWithoutRows = false;  // the type counts as recognised though no row is captioned

  constexpr std::span<const int32_t> identifiers() const {
    return {ids.data(), ids[1] != 0 ? 2u : 1u};
  }
  constexpr FrameKind frameKind() const { return editor.frame; }
  constexpr const PicType* picType() const { return FindPicType(pic); }
};

// Every type, in catalogue order (88 rows for 91 identifiers).
std::span<const DecoderType> DecoderTypes();

// The row serving identifier, or nullptr when no type has it.
const DecoderType* FindDecoderType(int32_t identifier);

// The caption of each row 0..47 (kRowCount texts; empty where the row has none). For no type
// (nullptr) all captions are empty.
std::vector<std::string> RowCaptions(const DecoderType* type);

// The folder of the generated help document and the program's own help page (its index).
// Every help page is an address relative to the folder the help folder lies in.
inline constexpr const char* kHelpFolder = "help";
inline constexpr const char* kProgramHelpPage = "help/index.html";

// The help page file name of an identifier inside the help folder, e.g. "typ-0x0008.html".
std::string HelpFileName(int32_t identifier);
// The help page of a type, e.g. "help/typ-0x0008.html" (named after its first identifier).
std::string HelpPageOf(const DecoderType& type);

}  // namespace korrin
