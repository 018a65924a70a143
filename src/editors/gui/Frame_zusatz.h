#pragma once
// The options frame: operating mode, switch-off options, option bits, fading and speed
// bars, brightness bars and small numeric option rows of the loaded decoder type. What is
// shown, with which captions and values, and every change reaction are the model's
// (editors/options_model.h); the frame builds and places the widgets, shows the model and
// hands every click, bar move and edit to it.
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <array>

#include "editors/gui/editor_frame.h"
#include "editors/options_model.h"

namespace korrin {

class TFrameZusatz : public EditorFrame {
  Q_OBJECT
 public:
  explicit TFrameZusatz(OptionsModel& model, QWidget* parent = nullptr);

  // Shows what the model holds and places the controls: the option rows beside their widest
  // caption, the track bars between their end labels, the mode group stacked at the bottom
  // of the frame; then gives the focus where the model asks.
  void Render();

  OptionsModel& model;

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
  // Runs a model reaction for a user event (nothing while the frame renders), then shows
  // the model again.
  template <typename Reaction>
  void forward(Reaction reaction);

  void renderModeGroup();
  void renderBars();
  void renderRows();
  void placeTrackBar();
  void layOutRows();
  void stackModeGroup();
  void applyFocus();
};

}  // namespace korrin
