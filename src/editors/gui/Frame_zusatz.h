#pragma once
// The options frame: operating mode, switch-off options, option bits, fading and speed
// bars, brightness bars and small numeric option rows of the loaded decoder type. Which
// controls appear and what they edit comes from the type table of the core
// (editors/option_types.h); every change is written straight into the image's EEPROM.
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <array>

#include "editors/gui/editor_frame.h"
#include "editors/option_types.h"

namespace korrin {

class TFrameZusatz : public EditorFrame {
  Q_OBJECT
 public:
  explicit TFrameZusatz(EditorContext& ctx, QWidget* parent = nullptr);

  // Hides every optional control and restores the default captions and positions.
  void ResetControls();
  // Sets the frame up for the current DecoderIdentifier and shows the image's values.
  // Writes nothing, except "11" into byte 0x20 when a fading bar finds no speed code there.
  void LoadOptions();

  QFrame* pnl_Zusatz = nullptr;
  QLabel* lbl_zusatz = nullptr;
  QLabel* lbl_zusatz3 = nullptr;

  QGroupBox* group_mode = nullptr;
  QLabel* lbl_mode = nullptr;
  QRadioButton* rad_mode1 = nullptr;
  QRadioButton* rad_mode2 = nullptr;
  QRadioButton* rad_mode3 = nullptr;
  QRadioButton* rad_mode4 = nullptr;
  QRadioButton* rad_mode5 = nullptr;
  QRadioButton* rad_mode6 = nullptr;
  QCheckBox* cbx_mode_bit6 = nullptr;
  QCheckBox* cbx_mode_bit7 = nullptr;

  QCheckBox* cbx_weiche_ab = nullptr;
  QCheckBox* cbx_zusatz_1 = nullptr;
  QCheckBox* cbx_zusatz_2 = nullptr;
  QCheckBox* cbx_zusatz_3 = nullptr;
  QCheckBox* cbx_zusatz_4 = nullptr;
  QCheckBox* cbx_zusatz_5 = nullptr;
  QCheckBox* cbx_zusatz_6 = nullptr;
  QCheckBox* cbx_zusatz_7 = nullptr;
  QCheckBox* cbx_zusatz_8 = nullptr;
  QLabel* lbl_text_1 = nullptr;

  QSlider* TrackBar_01 = nullptr;
  QLabel* lbl_trackbar_01 = nullptr;
  QLabel* lbl_trackbar_01_l = nullptr;
  QLabel* lbl_trackbar_01_r = nullptr;

  QSlider* TrackBar_neon_1 = nullptr;
  QSlider* TrackBar_neon_2 = nullptr;
  QLabel* lbl_fNeon_01 = nullptr;
  QLabel* lbl_fNeon_02 = nullptr;
  QLabel* lbl_fNeon_03 = nullptr;

  std::array<QLabel*, kOptionRowSlots> lbl_option{};
  std::array<QLineEdit*, kOptionRowSlots> edt_option{};
  std::array<QLabel*, kOptionRowSlots> lbl_option_sec{};
  std::array<int, kOptionRowSlots> option_ee_offset{};
  std::array<float, kOptionRowSlots> option_unit{};
  std::array<int, kOptionRowSlots> option_min{};
  std::array<int, kOptionRowSlots> option_max{};
  int option_row_count = 0;
  int row_top = 0;

  std::array<QRadioButton*, kModeRadios> radios() const {
    return {rad_mode1, rad_mode2, rad_mode3, rad_mode4, rad_mode5, rad_mode6};
  }
  std::array<QCheckBox*, 8> zusatzBoxes() const {
    return {cbx_zusatz_1, cbx_zusatz_2, cbx_zusatz_3, cbx_zusatz_4,
            cbx_zusatz_5, cbx_zusatz_6, cbx_zusatz_7, cbx_zusatz_8};
  }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void rad_modexClick(QAbstractButton* sender);
  void cbx_zusatz_x_Click();
  void cbx_weiche_abClick();
  void TrackBar_01Change();
  void TrackBar_neon_1Change();
  void TrackBar_neon_2Change();
  void edt_optionChange(QLineEdit* sender);

  void applyType(const OptionTypeSpec& optionType);
  void placeTrackBar(int titleTop);
  void layOutRows();
  void stackModeGroup();
  int eeValue(int offset) const;
  void setEeValue(int offset, int value);
};

}  // namespace korrin
