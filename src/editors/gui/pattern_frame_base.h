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

class PatternFrameBase : public EditorFrame {
  Q_OBJECT
 public:
  // Called each time the frame is shown, after the document has loaded the model: places
  // the strips for the frame width and renders the model.
  void ShowEditor(int width);
  void ShowEditor() override { ShowEditor(width()); }
  // Puts the model's state into the controls (without raising their change reactions).
  void Render() override;
  FrameMetrics Metrics() const override;

  // The frame is shown and "Übernehmen" is enabled.
  bool hasPendingChanges() const;
  void applyPendingChanges();

  PatternEditorModel& model() const { return model_; }
  const PatternStripGeometry& geometry() const { return geometry_; }
  int stripWidth() const { return stripWidth_; }

  // The controls, one name each, filled by the frame's constructor.
  std::array<QRadioButton*, 4> addressButtons{};
  QCheckBox* loopBox = nullptr;
  QLabel* stretchLabel = nullptr;
  QLineEdit* stretchEdit = nullptr;
  PatternUpDown* stretchSpinner = nullptr;
  QLabel* countLabel = nullptr;
  QLineEdit* countEdit = nullptr;
  PatternUpDown* countSpinner = nullptr;
  QLabel* pointTimeLabel = nullptr;
  QLabel* totalTimeLabel = nullptr;
  std::vector<QLabel*> outputLabels;
  std::vector<QCheckBox*> outputBoxes;
  std::vector<PatternStrip*> strips;
  std::array<QPushButton*, 4> copyButtons{};
  QPushButton* discardButton = nullptr;
  QPushButton* applyButton = nullptr;
  // "Vorschau" with its lamps; stopped when the frame is shown for a file, hidden or another
  // address is chosen.
  PatternPreview* preview = nullptr;

 protected:
  PatternFrameBase(PatternEditorModel& model, QWidget* parent);

  // Placement done by ShowEditor before the strips are sized (the LED frame's top row).
  virtual void layoutControls() {}
  // Accessible names and label buddies of the controls; called by the frame's constructor
  // once every control exists.
  void nameControls();
  // One output row: the caption "Out#N" (N = output + 1), the box that uses the output and its
  // strip, placed at the given rectangles and wired to the reactions below.
  void addOutputRow(int output, const QRect& label, const QRect& box, const QRect& strip);

  // The reactions; each frame connects its controls to these, and they forward to the model.
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

 private:
  PatternEditorModel& model_;
  PatternStripGeometry geometry_;
  int stripWidth_ = 0;
  Subscription observer_;
};

}  // namespace korrin
