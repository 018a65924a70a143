#pragma once
// The CV register table (CvTableFrame): the CV values of the loaded decoder, written into
// the EEPROM at every accepted change. The model holds what the frame shows (one row per CV:
// caption, EEPROM offset, the text of its edit box) and runs the change reaction of the edit
// boxes; the values themselves live only in the image.
#include <string>
#include <vector>

#include "editors/editor_model.h"

namespace korrin {

struct CvRowState {
  std::string caption;  // "CV029: Konfigbyte"
  int offset = 0;       // EEPROM offset of the byte behind the CV
  std::string text;     // what the row's edit box shows (what was typed, or the byte in decimal)
};

class CvRegisterModel : public EditorModel {
 public:
  using EditorModel::EditorModel;
  FrameKind kind() const override { return FrameKind::Cv; }

  // ClearRows, then LoadRows: what the frame switch does after a load.
  void Load() override;
  std::vector<EditorSetting> Settings() const override;
  SetOutcome Set(const std::string& key, const std::string& value) override;
  std::shared_ptr<const EditorModel> CloneState() const override { return std::make_shared<CvRegisterModel>(*this); }
  void RestoreState(const EditorModel& state) override { *this = static_cast<const CvRegisterModel&>(state); }
  size_t StateBytes() const override;

  // Empties the table: no row is in use.
  void ClearRows();
  // Chooses the table of the DecoderIdentifier and reads every value from the image. Writes
  // nothing.
  void LoadRows();
  // The change reaction of row r's edit box, whose text is now `text`: an empty text is
  // ignored, text that is no whole number or lies outside 0..255 is refused with the warning
  // (and the focus goes back to the box), a byte value is written at once. Nothing happens
  // while `filling` is set, but the box's text is recorded all the same.
  SetOutcome SetCvText(int row, const std::string& text);

  // The rows in use (cv_row_count = rows.size()); every slot from rows.size() on is hidden.
  std::vector<CvRowState> rows;
  // The row whose edit box wants the input focus after a refused input; -1 for none. The
  // frame gives the focus and clears it.
  int focusRow = -1;

  // The setting key of a caption: "cv" and the CV number without leading zeros ("CV029: ..."
  // gives "cv29"); empty when the caption names no number.
  static std::string KeyOfCaption(const std::string& caption);
};

}  // namespace korrin
