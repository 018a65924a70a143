#pragma once
// The CV register table: one row per CV of the loaded decoder type, a caption and a small
// edit box showing the EEPROM byte behind the CV in decimal. The rows, their texts and every
// change reaction are the model's (editors/cv_register_model.h); the frame places the 512 row
// slots, shows the model and hands every edit of a box to it.
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "editors/cv_register_model.h"
#include "editors/cv_tables.h"
#include "editors/gui/editor_frame.h"

namespace korrin {

class CvTableFrame : public EditorFrame {
  Q_OBJECT
 public:
  explicit CvTableFrame(CvRegisterModel& model, QWidget* parent = nullptr);

  // Shows what the model holds: the captions and texts of the rows in use, every other slot
  // hidden, the column separators in place; then gives the focus where the model asks.
  void Render() override;

  CvRegisterModel& model;

  QFrame* panel = nullptr;
  QFrame* separator1 = nullptr;
  QFrame* separator2 = nullptr;
  QFrame* separator3 = nullptr;
  std::array<QLabel*, kCvRowSlots> cvLabels{};
  std::array<QLineEdit*, kCvRowSlots> cvEdits{};

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CvEdited(size_t slot);

  Subscription observer_;
};

}  // namespace korrin
