#pragma once
// The blink pattern editor of the four-output decoder: four patterns (one per address) of up
// to 50 steps in the 64-entry blocks at program words 0x300..0x3FF. The frame renders its
// BlinkPatternModel, which keeps the working copy, and forwards every event to it.
#include <QGroupBox>

#include "editors/gui/blink_pattern_frame.h"

namespace korrin {

class TFrameBlinkmuster : public BlinkPatternFrame {
  Q_OBJECT
 public:
  explicit TFrameBlinkmuster(BlinkPatternModel& model, QWidget* parent = nullptr);

  QGroupBox* group_parameter;
  QRadioButton* blinkmuster_rad_a1;
  QRadioButton* blinkmuster_rad_a2;
  QRadioButton* blinkmuster_rad_a3;
  QRadioButton* blinkmuster_rad_a4;
  QCheckBox* blinkmuster_cbx_loop;
  QLabel* lbl_stretch;
  QLineEdit* blinkmuster_edt_stretch;
  PatternUpDown* UpDown4;
  QLabel* lbl_anzahl;
  QLineEdit* blinkmuster_edt_Anzahl;
  PatternUpDown* UpDown3;
  QLabel* blinkmuster_lbl_KurveInfo1;
  QLabel* blinkmuster_lbl_KurveInfo2;
  std::array<QLabel*, 4> lbl_out{};
  QCheckBox* blinkmuster_cbx_out1;
  QCheckBox* blinkmuster_cbx_out2;
  QCheckBox* blinkmuster_cbx_out3;
  QCheckBox* blinkmuster_cbx_out4;
  PatternStrip* Image_Blink1;
  PatternStrip* Image_Blink2;
  PatternStrip* Image_Blink3;
  PatternStrip* Image_Blink4;
  QLabel* lbl_kopieren;
  QPushButton* blinkmuster_btn_copy1;
  QPushButton* blinkmuster_btn_copy2;
  QPushButton* blinkmuster_btn_copy3;
  QPushButton* blinkmuster_btn_copy4;
  QPushButton* blinkmuster_btn_verwerfen;
  QPushButton* blinkmuster_btn_uebernehmen;

  void blinkmuster_rad_axClick(int address, bool checked) { addressClicked(address, checked); }
  void blinkmuster_cbx_loopClick() { loopClicked(); }
  void blinkmuster_edt_stretchChange() { stretchChanged(); }
  void blinkmuster_edt_AnzahlChange() { countChanged(); }
  void blinkmuster_cbx_out1Click() { outputClicked(0); }
  void blinkmuster_cbx_out2Click() { outputClicked(1); }
  void blinkmuster_cbx_out3Click() { outputClicked(2); }
  void blinkmuster_cbx_out4Click() { outputClicked(3); }
  void Image_BlinkxMouseDown() { stripPressed(); }
  void Image_BlinkxMouseMove(int output, QPoint position) { stripMoved(output, position); }
  void Image_BlinkxMouseUp() { stripReleased(); }
  void blinkmuster_btn_copy1Click() { copyClicked(0); }
  void blinkmuster_btn_copy2Click() { copyClicked(1); }
  void blinkmuster_btn_copy3Click() { copyClicked(2); }
  void blinkmuster_btn_copy4Click() { copyClicked(3); }
  void blinkmuster_btn_uebernehmenClick() { applyClicked(); }
  void blinkmuster_btn_verwerfenClick() { discardClicked(); }
};

}  // namespace korrin
