#pragma once
// The servo address assignment beside the curve editor: for each address the servo, the
// action, the curve and the relay; for each servo four behaviour flags and the pulse-time
// window. Rows and flags are edited in the curve editor's working copy and follow its
// "übernehmen"/"verwerfen"; the pulse times are held here and written by its "übernehmen".
//
// Construction: the curve editor first, then this frame with it:
//   auto* tamb = new TFrameTamb(ctx, window);
//   auto* adr = new TFrameTambAdr(ctx, *tamb, window);   // registers itself with tamb
#include <array>

#include "editors/gui/editor_frame.h"
#include "editors/servo_assignment.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korrin {

class TFrameTamb;

class TFrameTambAdr : public EditorFrame {
  Q_OBJECT
 public:
  TFrameTambAdr(EditorContext& ctx, TFrameTamb& curves, QWidget* parent = nullptr);

  // Called by the main window right after TFrameTamb::ShowEditor.
  void ShowEditor();
  // Shows flags, address rows and pulse times from the working copy and the held values.
  void RefreshEditor();
  void ShowServoFlags();
  void ShowAddressRows();
  void UpdateCurveVisibility();
  void ShowPulseTimes();

  // The eight EEPROM values 0x60..0x67: offset 1, range 1, offset 2, range 2, ...
  std::array<int, 8> PulseValues() const;

  // Its changes are pending in the curve editor's "übernehmen", which the save asks about.
  bool hasPendingChanges() const override { return false; }
  void applyPendingChanges() override {}

  std::array<int, kServos> pulse_offset{};
  std::array<int, kServos> pulse_factor{};

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
  std::array<QLineEdit*, kServos> servo_edt_Offset;
  std::array<QLineEdit*, kServos> servo_edt_max;
  // "<<", "<", ">", ">>" beside the minimum and beside the maximum of each servo.
  std::array<std::array<QPushButton*, 4>, kServos> btn_offset;
  std::array<std::array<QPushButton*, 4>, kServos> btn_faktor;

 private:
  void cbx_ax_servoChange(int row, int index);
  void cbx_ax_actionChange(int row, int index);
  void cbx_ax_curveChange(int row, int index);
  void cbx_ax_relaisChange(int row, int index);
  void flagClick(int bit, const std::array<QCheckBox*, kServos>& boxes);
  void btn_offset_Click(int servo, int step);
  void btn_faktor_Click(int servo, int step);
  void servo_edt_x_xChange();

  void buildControls();
  int& servoByte(int row);
  int& curveByte(int row);

  TFrameTamb& curves_;
  bool four_servos_ = false;
};

}  // namespace korrin
