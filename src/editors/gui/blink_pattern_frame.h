#pragma once
// What the four-output and the ten-output blink pattern frames have in common: they render
// their PatternEditorModel (the working copy, the parameters, the strips, which buttons are
// enabled) and forward every event of their controls to it. The two frames create their own
// named controls, hand them to this class and wire them to their own handlers.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <vector>

#include "editors/blink_pattern_display.h"
#include "editors/blink_pattern_model.h"
#include "editors/gui/editor_frame.h"
#include "editors/gui/pattern_strip.h"
#include "editors/gui/preview_widgets.h"

namespace korrin {

class BlinkPatternFrame : public EditorFrame {
  Q_OBJECT
 public:
  // Called each time the frame is shown, after the document has loaded the model: places
  // the strips for the frame width and renders the model.
  void ShowEditor(int width);
  // Puts the model's state into the controls (without raising their change reactions).
  void Render();

  // The frame is shown and "Übernehmen" is enabled.
  bool hasPendingChanges() const override;
  void applyPendingChanges() override;

  PatternEditorModel& model() const { return model_; }
  const PatternStripGeometry& geometry() const { return geometry_; }
  int stripWidth() const { return strip_width_; }

 protected:
  BlinkPatternFrame(PatternEditorModel& model, QWidget* parent);

  // Placement done by ShowEditor before the strips are sized (the LED frame's top row).
  virtual void layoutControls() {}
  // Accessible names and label buddies of the controls; called by the frame's constructor
  // once every control exists.
  void nameControls();

  // The reactions; each frame's named handlers call these, and they forward to the model.
  void countChanged();
  void stretchChanged();
  void loopClicked();
  void outputClicked(int output);
  void addressClicked(int address, bool checked);
  void copyClicked(int fromAddress);
  void applyClicked();
  void discardClicked();
  void stripPressed();
  void stripMoved(int output, QPoint position);
  void stripReleased();

  // The controls, filled by the frame's constructor.
  std::array<QRadioButton*, 4> address_buttons{};
  QCheckBox* loop_box = nullptr;
  QLabel* stretch_label = nullptr;
  QLineEdit* stretch_edit = nullptr;
  PatternUpDown* stretch_spinner = nullptr;
  QLabel* count_label = nullptr;
  QLineEdit* count_edit = nullptr;
  PatternUpDown* count_spinner = nullptr;
  QLabel* info_raster = nullptr;
  QLabel* info_total = nullptr;
  std::vector<QLabel*> output_labels;
  std::vector<QCheckBox*> output_boxes;
  std::vector<PatternStrip*> strips;
  std::array<QPushButton*, 4> copy_buttons{};
  QPushButton* discard_button = nullptr;
  QPushButton* apply_button = nullptr;
  // "Vorschau" with its lamps; stopped when the frame is shown for a file, hidden or another
  // address is chosen.
  PatternPreview* preview = nullptr;

 private:
  PatternEditorModel& model_;
  PatternStripGeometry geometry_;
  int strip_width_ = 0;
};

}  // namespace korrin
