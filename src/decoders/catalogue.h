#pragma once
// The catalogue of decoder types and the small rules of the catalogue step.
//
// For each DecoderIdentifier the catalogue gives the type's title, its PIC, the kind of address
// rows it has, which rows are shown and what they are called, how the rows are arranged, which
// editor frame is shown beside them and the type's help page. The catalogue step itself
// (ApplyCatalogue) drives the window state and lives with the main window's document; it calls
// the functions below, each of which is one rule of that step and keeps no state.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/frame_kind.h"

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
inline constexpr int kCaptionSetCount = 55;

// The folder of the generated help document and the program's own help page (its index).
// Every HelpPage value is an address relative to the folder the help folder lies in.
inline constexpr const char* kHelpFolder = "help";
inline constexpr const char* kProgramHelpPage = "help/index.html";

struct CatalogueEntry {
  std::vector<int32_t> identifiers;  // one, or two for the entries that serve two identifiers
  std::string title;                 // DecoderTitle, exactly as shown (blanks included)
  int32_t pic = 0;                   // 629, 676, 684, 688 or 18324
  RowMode mode = RowMode::None;
  int captionSet = 0;                // 1..55, 0 = no captions
  int perColumn = kOneColumn;        // PlaceRows: rows per column, 99 = one column with header
  int gapRow = 0;                    // PlaceRows: row after which a 10-pixel gap is left, 0 = none
  FrameKind frameKind = FrameKind::None;
  bool recognisedWithoutRows = false;  // the type counts as recognised though no row is captioned
  std::string helpPage;              // e.g. "help/typ-0x0008.html"
};

// The 88 entries for 91 identifiers, in catalogue order.
const std::vector<CatalogueEntry>& DecoderCatalogue();

// The entry serving identifier, or nullptr when the catalogue has none.
const CatalogueEntry* FindCatalogueEntry(int32_t identifier);

// Caption set n (1..55): row index -> caption, exactly as shown (a single blank is a caption).
// Any other n gives the empty set.
const std::map<int, std::string>& CaptionSet(int n);

// The caption of each row 0..47 for an entry (kRowCount texts; empty where the row has none).
// For no entry (nullptr) all captions are empty.
std::vector<std::string> RowCaptions(const CatalogueEntry* entry);

// The help page file name of an identifier inside the help folder, e.g. "typ-0x0008.html".
std::string HelpFileName(int32_t identifier);

// --- Rules of the catalogue step -------------------------------------------------------------

// The three mode flags an entry sets (the step clears all three first).
struct CatalogueModes {
  bool RG_Mode = false;
  bool Fn_Mode = false;
  bool CV_Mode = false;
};
CatalogueModes ModesFor(RowMode mode);

// True for the entries that also set Is_DCC (the CV types).
bool EntrySetsIsDcc(const CatalogueEntry& entry);

// The identifier as the catalogue leaves it: 0x101 (257) becomes 0x1, everything else stays.
int32_t IdentifierAfterCatalogue(int32_t identifier);

// The input limits.
struct InputLimits {
  int32_t MaxAddress = 0;   // 0 at program start
  int32_t MaxFunction = 0;
};
// Motorola: MaxAddress 320, MaxFunction 4.
void SetMotLimits(InputLimits& limits);
// DCC: MaxAddress 2044 for switching rows (rgMode), otherwise 16128 (0x3F00); MaxFunction 12.
void SetDccLimits(InputLimits& limits, bool rgMode);
// The limits after the step: Motorola wins when both flags are set; with neither flag the
// limits keep their last values.
InputLimits LimitsAfterCatalogue(const InputLimits& current, bool isMot, bool isDcc, bool rgMode);

// The hint texts of the address and function-number edits ('\n' is the line break).
std::string AddressHint(int32_t maxAddress);
std::string FunctionHint(int32_t maxFunction);

// What the step does with the four controls of one row, given the row's caption.
// A row without caption is hidden and its address hint display switched off; the function
// edit's hint display and both hint texts are then left as they are (nullopt).
// A captioned row (a single blank counts) shows label and address edit, the "R/G" button
// exactly in RG mode, the function edit exactly when not in RG mode, gets both hint texts with
// their display on, and marks the type as recognised.
struct RowControls {
  bool labelVisible = false;
  bool addressVisible = false;
  bool functionVisible = false;
  bool rgButtonVisible = false;
  bool addressHintShown = false;
  std::optional<bool> functionHintShown;
  std::optional<std::string> addressHint;
  std::optional<std::string> functionHint;
  bool recognises = false;  // sets RecognisedWithoutRows
};
RowControls RowControlsFor(const std::string& caption, bool rgMode, const InputLimits& limits);

// The recognition failure box is shown when the type neither was recognised (entry flag or a
// captioned row) nor is a CV type.
bool MustReportUnrecognised(bool recognisedWithoutRows, bool cvMode);

// --- Texts used by the help document ---------------------------------------------------------

// "12F629/16F630", "16F676", "16F684", "16F688", "16F18324"; empty for other values.
std::string PicName(int32_t pic);
// German name of the editor frame of a kind; empty for FrameKind::None and unknown kinds.
std::string FrameName(FrameKind frameKind);

}  // namespace korrin
