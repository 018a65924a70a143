#pragma once
// The document: everything the main window owns and shows, as plain data, and the load
// and save sequences that change it. The Qt window renders this state and turns user events
// into calls; the command-line tool and the tests drive the same object without widgets.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/editor_models.h"
#include "app/history.h"
#include "app/layout.h"
#include "app/settings.h"
#include "decoders/address_rows.h"
#include "decoders/catalogue.h"
#include "decoders/identification.h"
#include "editors/editor_context.h"
#include "image/hex_reader.h"

namespace korrin {

// The six editor frames as the document sees them. The window implements it with its
// frame widgets; without a window (command line, core tests) nothing is shown.
class FrameHost {
 public:
  virtual ~FrameHost() = default;
  // Hides the frames; the CV frame too when includingCv.
  virtual void HideFrames(bool includingCv) = 0;
  // The sizes a frame reports of its own controls, before it is placed.
  virtual FrameMetrics MetricsFor(FrameKind kind) = 0;
  // Places and shows the frame(s) of kind as the layout says; they render their model, which
  // has just read the image.
  virtual void ShowFrame(FrameKind kind, const MainLayout& layout) = 0;
};

enum class LoadResult {
  Loaded,       // ran through; "speichern" is enabled
  NotRead,      // the file could not be read; nothing changed
  ReaderError,  // a line was refused
  Cancelled,    // a load question was answered with Cancel
  NoFile,       // empty path: nothing done
};

enum class SaveResult {
  Saved,
  NotApplied,     // "No" to the pending-changes question
  RowError,       // an address row failed validation
  ChecksumError,  // the writer refused a cell
  Cancelled,      // the save dialog was cancelled
  WriteFailed,    // writing or verifying the file failed; the old file is untouched
};

// Reads a written HEX file back and names the first area (program memory, EEPROM,
// configuration, ID) in which it differs from saved; nothing when it holds the same image.
std::optional<std::string> VerifyWrittenFile(const std::string& path, const FirmwareImage& saved);

// Widens Max_EE_Index and Max_ROM_Index to the last cell that is not blank, so that the
// writer keeps every edited cell.
void ExtendWrittenRange(FirmwareImage& image);

class Document : public EditorContext {
 public:
  Document(Dialogs& dialogs, FileDialogs& fileDialogs);

  // --- what the window shows -------------------------------------------------------------
  std::array<std::string, 4> statusPanels{"", "", "", " Korrin "};
  std::string DecoderTitle;
  std::string headerText = "Korrin";
  int headerFontSize = 15;
  std::string HelpPage = kProgramHelpPage;  // also the caption of the help button
  bool saveEnabled = false;
  int progress = 0;  // the row-decoding progress bar, maximum kDecodeProgressMaximum
  MainLayout layout;
  std::optional<RowFocus> focus;  // the edit a row message was about

  // --- identification and catalogue --------------------------------------------------------
  Identification identification;
  bool Is_Mot = false, Is_DCC = false, No_Rows = false;
  bool RG_Mode = false, Fn_Mode = false, CV_Mode = false;
  InputLimits limits;
  AddressRows rows;
  RowModes modes() const;

  // --- the editors ---------------------------------------------------------------------------
  EditorModels editors{*this};
  // The model of the frame shown for the loaded type; nullptr when the type shows none.
  EditorModel* ShownEditor() { return editors.For(layout.frameKind); }

  // --- undo and redo: cleared by every load, kept by a save -------------------------------
  History history{*this};

  // --- unsaved changes ------------------------------------------------------------------------
  // Whether the loaded document differs from what was last loaded or saved: its history is
  // away from the saved state. A change of an editor's working copy that is not applied yet
  // is a step like any other, so it counts too. Changes not yet committed count once they
  // are; ConfirmDiscardChanges commits them first.
  bool IsModified() const { return saveEnabled && !history.AtSavedState(); }
  // Before another file replaces the document or the program ends: with unsaved changes asks
  // "Die Änderungen an DATEI speichern?" (Speichern / Verwerfen / Abbrechen), without them
  // asks nothing. Returns whether to go on: Verwerfen, or Speichern once the save sequence
  // has saved; not after Abbrechen or a save that did not save.
  bool ConfirmDiscardChanges();

  // --- files ------------------------------------------------------------------------------
  std::string LastFileName;
  std::string PrevFileName, NextFileName;

  // --- collaborators the window sets --------------------------------------------------------
  FrameHost* frames = nullptr;
  TextWidth captionWidth = EstimatedTextWidth;
  std::function<int(const std::string&, int pointSize)> headerWidthAt = [](const std::string& t, int size) {
    return EstimatedTextWidth(t) * size / 9;
  };
  std::function<void(int)> onProgress;  // called while the rows are decoded

  // --- the sequences ------------------------------------------------------------------------
  LoadResult LoadHexFile(const std::string& path);
  // The same load from the lines of a file read before (ReadTextLines; the one reader of HEX
  // files): a batch reads its template once and loads it for every plan line. path names the
  // file in the status bar.
  LoadResult LoadHexLines(const std::string& path, const std::vector<std::string>& lines);
  SaveResult SaveHexFile();
  // Validates, encodes and writes the image to path without any dialog (the save of the
  // command-line tool); messages go through the dialogs as in SaveHexFile.
  SaveResult SaveTo(const std::string& path);

  void ApplyCatalogue();
  void SetHeader(const std::string& title);
  void NeutralLayout();
  void ShowEditorFrame(FrameKind kind);

  // What the user types into a row's address or function edit, as one undo step per row and
  // field (the keystrokes merge until the user leaves the edit).
  void SetRowAddressText(int row, const std::string& text);
  void SetRowFunctionText(int row, const std::string& text);
  // The red/green click of a row's button.
  void ToggleRowColour(int row);
  // Background of a row's address edit: white without RG mode, else green or red.
  enum class RowColour { White, Green, Red };
  RowColour RowColourOf(int row) const;

  // The neighbours of the loaded file (after a load by the user, not from the command line).
  void FindNeighbours(const std::string& path);

  std::array<std::string, 48> Captions() const;

 private:
  // Validation and encoding of the rows, then the writer; false when the save must stop.
  SaveResult PrepareLines();
  LoadResult EndedEarly(LoadResult result);
  SaveResult WriteLines(const std::string& path);
  // "Weiche 1 Adresse ändern": the row's caption without the colon, then what.
  std::string RowStepName(int row, const std::string& what) const;
};

}  // namespace korrin
