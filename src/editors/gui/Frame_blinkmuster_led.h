#pragma once
// The blink pattern editor of the LED decoder: four patterns of up to 100 steps for ten
// outputs in the 256-entry blocks at program words 0x300..0x6FF. Identifier 477 keeps the
// stretch factor in 1..30000 (two entries, radix 255), 221 in 1..200 (one entry). The frame
// renders its LedBlinkPatternModel, which keeps the working copy, and forwards every event.
#include <QGroupBox>

#include "editors/gui/blink_pattern_frame.h"

namespace korrin {

class TFrameBlinkmuster_led : public BlinkPatternFrame {
  Q_OBJECT
 public:
  explicit TFrameBlinkmuster_led(LedBlinkPatternModel& model, QWidget* parent = nullptr);

  QGroupBox* group_parameter;
  std::array<QRadioButton*, 4> led_blinkmuster_rad_a{};  // "Adresse 1" .. "Adresse 4"
  QRadioButton* led_blinkmuster_rad_a1;
  QRadioButton* led_blinkmuster_rad_a2;
  QRadioButton* led_blinkmuster_rad_a3;
  QRadioButton* led_blinkmuster_rad_a4;
  QCheckBox* led_blinkmuster_cbx_loop;
  QLabel* lbl_stretch;
  QLineEdit* led_blinkmuster_edt_stretch;
  PatternUpDown* UpDown10;
  QLabel* lbl_anzahl;
  QLineEdit* led_blinkmuster_edt_Anzahl;
  PatternUpDown* UpDown9;
  QLabel* led_blinkmuster_lbl_KurveInfo1;
  QLabel* led_blinkmuster_lbl_KurveInfo2;
  std::array<QLabel*, 10> lbl_out{};
  std::array<QCheckBox*, 10> led_blinkmuster_cbx_out{};  // led_blinkmuster_cbx_out1 .. 10
  std::array<PatternStrip*, 10> Image_led_Blink{};       // Image_led_Blink1 .. 10
  QLabel* lbl_kopieren;
  std::array<QPushButton*, 4> led_blinkmuster_btn_copy{};  // led_blinkmuster_btn_copy1 .. 4
  QPushButton* led_blinkmuster_btn_verwerfen;
  QPushButton* led_blinkmuster_btn_uebernehmen;

  void led_blinkmuster_rad_axClick(int address, bool checked) { addressClicked(address, checked); }
  void led_blinkmuster_cbx_loopClick() { loopClicked(); }
  void led_blinkmuster_edt_stretchChange() { stretchChanged(); }
  void led_blinkmuster_edt_AnzahlChange() { countChanged(); }
  // One reaction for the ten output boxes; output 0..9.
  void led_blinkmuster_cbx_outsClick(int output) { outputClicked(output); }
  void Image_led_BlinkxMouseDown() { stripPressed(); }
  void Image_led_BlinkxMouseMove(int output, QPoint position) { stripMoved(output, position); }
  void Image_led_BlinkxMouseUp() { stripReleased(); }
  // Copy button 1..4 (from address 1..4).
  void led_blinkmuster_btn_copyClick(int button) { copyClicked(button - 1); }
  void led_blinkmuster_btn_uebernehmenClick() { applyClicked(); }
  void led_blinkmuster_btn_verwerfenClick() { discardClicked(); }

 protected:
  // The top row side by side and the copy buttons on the line of "Verwerfen".
  void layoutControls() override;
};

}  // namespace korrin
