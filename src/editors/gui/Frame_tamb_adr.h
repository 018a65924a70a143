#pragma once
// The servo address assignment beside the curve editor: for each address the servo, the
// action, the curve and the relay; for each servo four behaviour flags and the pulse-time
// window. It shows the servo model it shares with the curve editor (TFrameTamb) and forwards
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

class TFrameTambAdr : public EditorFrame {
  Q_OBJECT
 public:
  explicit TFrameTambAdr(ServoModel& model, QWidget* parent = nullptr);

  // Shows the model; the main window calls it after the curve editor's ShowEditor.
  void ShowEditor();
  // Sets every control from the model (with `filling` set, so no reaction runs back).
  void Render();

  // Controls; index 0 is row 1 or servo 1 (lbl_servo_adresse01, cbx_a1_servo,
  // GroupBox_Servo1, cbx_v_off_1, servo_edt_Offset_1, btn_dec10offset_1, ...).
  std::array<QLabel*, kAddressRows> lbl_servo_adresse;
  std::array<QComboBox*, kAddressRows> cbx_servo;
  std::array<QComboBox*, kAddressRows> cbx_action;
  std::array<QComboBox*, kAddressRows> cbx_curve;
  std::array<QComboBox*, kAddressRows> cbx_relais;
  std::array<QGroupBox*, kServos> GroupBox_Servo;
  std::array<QCheckBox*, kServos> cbx_v_off;
  std::array<QCheckBox*, kServos> cbx_imp_off;
  std::array<QCheckBox*, kServos> cbx_no_ir;
  std::array<QCheckBox*, kServos> cbx_no_rep;
  std::array<QLabel*, kServos> lbl_min;  // "ms Impuls-Zeit (Min)"
  std::array<QLabel*, kServos> lbl_max;  // "ms Impuls-Zeit (Max)"
  std::array<QLineEdit*, kServos> servo_edt_Offset;
  std::array<QLineEdit*, kServos> servo_edt_max;
  // "<<", "<", ">", ">>" beside the minimum and beside the maximum of each servo.
  std::array<std::array<QPushButton*, 4>, kServos> btn_offset;
  std::array<std::array<QPushButton*, 4>, kServos> btn_faktor;

 private:
  void buildControls();

  ServoModel& model_;
  // Lives as long as the frame: the model drops its callback when it has expired.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace korrin
