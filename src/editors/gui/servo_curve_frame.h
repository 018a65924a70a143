#pragma once
// The servo curve editor: four movement curves with their relay states, drawn and edited
// with the mouse, generated and transformed with one click, exchanged as files, and written
// back into the two curve tables of program memory on "übernehmen". It shows the servo model,
// which it shares with the address assignment frame (ServoAssignmentFrame), and forwards every user
// event to it; the model's "übernehmen"/"verwerfen" serve both frames.
#include <array>
#include <memory>

#include "editors/gui/editor_frame.h"
#include "editors/servo_model.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korrin {

class CanvasMargin;
class ServoCanvas;
class ServoPreview;
class ServoUpDown;

class ServoCurveFrame : public EditorFrame {
  Q_OBJECT
 public:
  explicit ServoCurveFrame(ServoModel& model, QWidget* parent = nullptr);

  // Shows the model; the main window calls it after the model has loaded the image.
  void ShowEditor() override;
  // Sets every control from the model (no change reaction of a control runs back).
  void Render() override;
  FrameMetrics Metrics() const override;

  ServoModel& model() const { return model_; }

  // Controls.
  QGroupBox* parameterGroup;
  std::array<QRadioButton*, 4> curveRadios;  // servo_rad_a1 .. servo_rad_a4
  QLabel* countLabel;
  QLineEdit* countEdit;
  ServoUpDown* countSpinner;
  QLabel* stretchLabel;
  QLineEdit* stretchEdit;
  ServoUpDown* stretchSpinner;
  QLabel* pointTimeLabel;
  QLabel* totalTimeLabel;
  QLabel* rasterXLabel;
  QComboBox* rasterXList;
  QLabel* rasterYLabel;
  QComboBox* rasterYList;
  QLabel* curveLabel;
  ServoCanvas* curveCanvas;
  CanvasMargin* curveMargin;  // the room around curveCanvas for the markers on its edges
  QLabel* relayLabel;
  ServoCanvas* relayCanvas;
  QLabel* thresholdLabel;
  QLineEdit* thresholdEdit;
  ServoUpDown* thresholdSpinner;
  QGroupBox* functionsGroup;
  QPushButton* linearButton;
  QPushButton* logButton;
  QPushButton* sineButton;
  QPushButton* sine2Button;
  QGroupBox* mirrorGroup;
  QPushButton* mirrorVerticalButton;
  QPushButton* mirrorHorizontalButton;
  QGroupBox* copyGroup;
  std::array<QPushButton*, 4> copyButtons;  // btn_copy1 .. btn_copy4
  QGroupBox* curveFileGroup;
  QPushButton* loadCurveButton;
  QPushButton* saveCurveButton;
  QGroupBox* setFileGroup;
  QPushButton* loadSetButton;
  QPushButton* saveSetButton;
  QGroupBox* scaleGroup;
  QLineEdit* scaleEdit;
  QPushButton* scaleButton;
  QGroupBox* shiftGroup;
  QLineEdit* shiftEdit;
  QPushButton* shiftButton;
  QGroupBox* sw1Group;
  QRadioButton* sw1ServoRadio;
  QRadioButton* sw1LearnRadio;
  // servo_cbx_s1c, servo_cbx_s1o, servo_cbx_s2c, servo_cbx_s2o and their labels
  // Label_Servo_sw1a, Label_Servo_sw1b, Label_Servo_sw2a, Label_Servo_sw2b.
  std::array<QComboBox*, 4> buttonActionLists;
  std::array<QLabel*, 4> buttonActionLabels;
  QPushButton* discardButton;
  QPushButton* applyButton;
  // "Vorschau": the servo arm, the relay lamp and the play heads over the two drawings;
  // stopped when the frame is shown for a file, hidden or another curve is chosen.
  ServoPreview* preview = nullptr;

 private:
  void buildControls();
  // Forwards a text change of an edit unless the frame fills it; a refused text puts the
  // focus back into the edit.
  void forwardEdit(QLineEdit* edit, bool (ServoModel::*reaction)(const std::string&));

  ServoModel& model_;
  // Lives as long as the frame: the model drops its callback when it has expired.
  Subscription observer_;
};

}  // namespace korrin
