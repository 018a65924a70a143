#pragma once
// The small rules of the catalogue step.
//
// The step applies the registry row of the loaded type (decoders/decoder_types.h) to the window
// state; the step itself (ApplyCatalogue) lives with the main window's document and calls the
// functions below, each of which is one rule of that step and keeps no state.
#include <cstdint>
#include <optional>
#include <string>

#include "base/frame_kind.h"
#include "decoders/decoder_types.h"

namespace korrin {

// --- Rules of the catalogue step -------------------------------------------------------------

// The three mode flags an entry sets (the step clears all three first).
struct CatalogueModes {
  bool RG_Mode = false;
  bool Fn_Mode = false;
  bool CV_Mode = false;
};
CatalogueModes ModesFor(RowMode mode);

// True for the types that also set Is_DCC (the CV types).
bool EntrySetsIsDcc(const DecoderType& type);

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

// German name of the editor frame of a kind; empty for FrameKind::None and unknown kinds.
std::string FrameName(FrameKind frameKind);

}  // namespace korrin
