#pragma once
// The CV register table: one row per CV of the loaded decoder type, a caption and a small
// edit box showing the EEPROM byte behind the CV in decimal. Every keystroke that leaves a
// byte value in a box writes it into the image at once; the frame keeps no copy.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "editors/cv_tables.h"
#include "editors/gui/editor_frame.h"

namespace korrin {

class TFrameRegister : public EditorFrame {
  Q_OBJECT
 public:
  explicit TFrameRegister(EditorContext& ctx, QWidget* parent = nullptr);

  // Empties and hides every row and places the column separators.
  void ClearRows();
  // Chooses the table of the current DecoderIdentifier, fills captions and offsets, shows
  // the values of the image and the rows in use. Writes nothing.
  void LoadRows();

  QFrame* pnl_cv = nullptr;
  QFrame* Line1 = nullptr;
  QFrame* Line2 = nullptr;
  QFrame* Line3 = nullptr;
  std::array<QLabel*, kCvRowSlots> lbl_cv{};
  std::array<QLineEdit*, kCvRowSlots> edt_cv{};
  std::array<int, kCvRowSlots> cv_ee_offset{};
  int cv_row_count = 0;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void edt_cvChange(QLineEdit* sender);
};

}  // namespace korrin
