#pragma once
// What the four-output and the ten-output blink pattern frames have in common: the working
// copy of the table, the parameter display, the drawing of the strips, mouse painting, the
// count/stretch/flag reactions, copy, apply and discard. The two frames create their own
// named controls, hand them to this class and wire them to their own handlers.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <vector>

#include "editors/blink_pattern_display.h"
#include "editors/blink_patterns.h"
#include "editors/gui/editor_frame.h"
#include "editors/gui/pattern_strip.h"

namespace korrin {

class BlinkPatternFrame : public EditorFrame {
  Q_OBJECT
 public:
  // Called each time the frame is shown, with the frame width: strips cleared, cell scale
  // and strip width set, table reloaded from the image, "Übernehmen" disabled.
  void ShowEditor(int width);
  void RefreshEditor();  // ShowParameters, DrawPatterns
  void ReloadEditor();   // LoadPatterns, ShowParameters, DrawPatterns

  bool hasPendingChanges() const override;
  void applyPendingChanges() override;

  // The selected address 0..3 (the checked radio button).
  int selectedAddress() const;
  const PatternTable& table() const { return table_; }
  const PatternStripGeometry& geometry() const { return geometry_; }
  int stripWidth() const { return strip_width_; }

  bool mouse_down = false;

 protected:
  struct Behaviour {
    // The LED frame's stretch edit does nothing at all while `filling` is set.
    bool stretchIgnoredWhileFilling = false;
    // The four-output frame draws once more at the end of ShowEditor.
    bool drawAtEndOfShowEditor = true;
  };

  BlinkPatternFrame(EditorContext& context, QWidget* parent, PatternLayout layout, Behaviour behaviour);

  // The table layout for the loaded firmware (the LED frame chooses by identifier).
  virtual PatternLayout layoutForFirmware() const = 0;
  // Placement done by ShowEditor before the table is loaded (the LED frame's top row).
  virtual void layoutControls() {}

  void LoadPatterns();
  void StorePatterns();
  void ShowParameters();
  void DrawPatterns();

  // The reactions; each frame's named handlers call these.
  void countChanged();
  void stretchChanged();
  void loopClicked();
  void outputClicked(int output);
  void addressClicked(bool checked);
  void copyClicked(int fromAddress);
  void applyClicked();
  void discardClicked();
  void stripPressed();
  void stripMoved(int output, QPoint position);
  void stripReleased();

  // The controls, filled by the frame's constructor.
  std::array<QRadioButton*, 4> address_buttons{};
  QCheckBox* loop_box = nullptr;
  QLineEdit* stretch_edit = nullptr;
  QLineEdit* count_edit = nullptr;
  QLabel* info_raster = nullptr;
  QLabel* info_total = nullptr;
  std::vector<QCheckBox*> output_boxes;
  std::vector<PatternStrip*> strips;
  std::array<QPushButton*, 4> copy_buttons{};
  QPushButton* discard_button = nullptr;
  QPushButton* apply_button = nullptr;

  PatternTable table_;

 private:
  // A number edit's reaction: empty text does nothing, a text that does not convert is
  // refused with the range message, a number is clamped and stored.
  void numberChanged(QLineEdit* edit, int max, bool isCount);
  int editNumber(QLineEdit* edit, int fallback) const;

  Behaviour behaviour_;
  PatternStripGeometry geometry_;
  int strip_width_ = 0;
};

}  // namespace korrin
