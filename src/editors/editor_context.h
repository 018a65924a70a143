#pragma once
// What every editor reaches of the loaded decoder: the firmware image, the decoder
// identifier and its registry row, the two dialog seams and the servo raster settings kept in
// the settings file. The application's document is one of these; the tests make their own.
#include <cstdint>

#include "base/dialogs.h"
#include "base/file_dialogs.h"
#include "decoders/decoder_types.h"
#include "editors/step_recorder.h"
#include "image/firmware_image.h"

namespace korrin {

struct EditorContext {
  EditorContext(Dialogs& d, FileDialogs& f) : dialogs(d), fileDialogs(f), image(&d) {}
  EditorContext(const EditorContext&) = delete;
  EditorContext& operator=(const EditorContext&) = delete;

  Dialogs& dialogs;
  FileDialogs& fileDialogs;
  FirmwareImage image;
  int32_t DecoderIdentifier = 0;
  const DecoderType* Type = nullptr;  // the registry row of the loaded type; nullptr: none

  // The editor set-up of the loaded type (kNoEditor when no type is loaded).
  const EditorSpec& Editor() const { return Type != nullptr ? Type->editor : kNoEditor; }
  // Sets the identifier and the row that serves it, as the catalogue step leaves them.
  void SelectDecoderType(int32_t identifier) {
    DecoderIdentifier = identifier;
    Type = FindDecoderType(identifier);
  }
  int RasterX = 0;  // selected entry of the servo editor's x raster box (0..70)
  int RasterY = 0;  // selected entry of the servo editor's y raster box (0..10)
  // Where the editors record their user actions as undo steps; nullptr: nowhere.
  StepRecorder* steps = nullptr;
};

// An editor that edits a working copy and writes it into the image only on its apply
// button. The save asks about pending changes before it writes.
class PendingEditor {
 public:
  virtual ~PendingEditor() = default;
  // True when the editor is shown and its apply button is enabled.
  virtual bool hasPendingChanges() const = 0;
  // Runs exactly what the apply button runs.
  virtual void applyPendingChanges() = 0;
};

}  // namespace korrin
