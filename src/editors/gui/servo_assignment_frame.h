#pragma once
// The servo address assignment beside the curve editor: for each address the servo, the
// action, the curve and the relay; for each servo four behaviour flags and the pulse-time
// window. It shows the servo model it shares with the curve editor (ServoCurveFrame) and forwards
// every user event to it; the curve editor's "übernehmen"/"verwerfen" apply and discard both.
#include <array>
#include <memory>

#include "editors/gui/editor_frame.h"
#include "editors/servo_model.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korrin {

class ServoAssignmentFrame : public EditorFrame {
  Q_OBJECT
 public:
  explicit ServoAssignmentFrame(ServoModel& model, QWidget* parent = nullptr);

  // Shows the model; the main window calls it after the curve editor's ShowEditor.
  void ShowEditor() override;
  // Sets every control from the model (no change reaction of a control runs back).
  void Render() override;

  // Controls; index 0 is row 1 or servo 1 (lbl_servo_adresse01, cbx_a1_servo,
  // GroupBox_Servo1, cbx_v_off_1, servo_edt_Offset_1, btn_dec10offset_1, ...).
  std::array<QLabel*, kAddressRows> addressLabels;
  std::array<QComboBox*, kAddressRows> servoLists;
  std::array<QComboBox*, kAddressRows> actionLists;
  std::array<QComboBox*, kAddressRows> curveLists;
  std::array<QComboBox*, kAddressRows> relayLists;
  std::array<QGroupBox*, kServos> servoGroups;
  std::array<QCheckBox*, kServos> voltageOffBoxes;
  std::array<QCheckBox*, kServos> pulsesOffBoxes;
  std::array<QCheckBox*, kServos> noInterruptBoxes;
  std::array<QCheckBox*, kServos> noRepeatBoxes;
  std::array<QLabel*, kServos> minLabels;  // "ms Impuls-Zeit (Min)"
  std::array<QLabel*, kServos> maxLabels;  // "ms Impuls-Zeit (Max)"
  std::array<QLineEdit*, kServos> offsetEdits;
  std::array<QLineEdit*, kServos> maxEdits;
  // "<<", "<", ">", ">>" beside the minimum and beside the maximum of each servo.
  std::array<std::array<QPushButton*, 4>, kServos> offsetButtons;
  std::array<std::array<QPushButton*, 4>, kServos> factorButtons;

 private:
  void buildControls();

  ServoModel& model_;
  // Lives as long as the frame: the model drops its callback when it has expired.
  Subscription observer_;
};

}  // namespace korrin
