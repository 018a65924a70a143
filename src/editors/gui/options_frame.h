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

class OptionsFrame : public EditorFrame {
  Q_OBJECT
 public:
  explicit OptionsFrame(OptionsModel& model, QWidget* parent = nullptr);

  // Shows what the model holds and places the controls: the option rows beside their widest
  // caption, the track bars between their end labels, the mode group stacked at the bottom
  // of the frame; then gives the focus where the model asks.
  void Render() override;
  FrameMetrics Metrics() const override;

  OptionsModel& model;

  QFrame* panel = nullptr;
  QLabel* headingLabel = nullptr;
  QLabel* secondHeadingLabel = nullptr;

  QGroupBox* modeGroup = nullptr;
  QLabel* modeLabel = nullptr;
  QRadioButton* modeRadio1 = nullptr;
  QRadioButton* modeRadio2 = nullptr;
  QRadioButton* modeRadio3 = nullptr;
  QRadioButton* modeRadio4 = nullptr;
  QRadioButton* modeRadio5 = nullptr;
  QRadioButton* modeRadio6 = nullptr;
  QCheckBox* modeBit6Box = nullptr;
  QCheckBox* modeBit7Box = nullptr;

  QCheckBox* timeOutMarkerBox = nullptr;
  QCheckBox* optionBox1 = nullptr;
  QCheckBox* optionBox2 = nullptr;
  QCheckBox* optionBox3 = nullptr;
  QCheckBox* optionBox4 = nullptr;
  QCheckBox* optionBox5 = nullptr;
  QCheckBox* optionBox6 = nullptr;
  QCheckBox* optionBox7 = nullptr;
  QCheckBox* optionBox8 = nullptr;
  QLabel* boxNoteLabel = nullptr;

  QSlider* fadingOrSpeedBar = nullptr;
  QLabel* barTitleLabel = nullptr;
  QLabel* barLeftLabel = nullptr;
  QLabel* barRightLabel = nullptr;

  QSlider* neonDarkBar = nullptr;
  QSlider* neonBrightBar = nullptr;
  QLabel* neonLabel1 = nullptr;
  QLabel* neonLabel2 = nullptr;
  QLabel* neonLabel3 = nullptr;

  std::array<QLabel*, kOptionRowSlots> optionLabels{};
  std::array<QLineEdit*, kOptionRowSlots> optionEdits{};
  std::array<QLabel*, kOptionRowSlots> optionUnitLabels{};

  std::array<QRadioButton*, kModeRadios> modeRadios() const {
    return {modeRadio1, modeRadio2, modeRadio3, modeRadio4, modeRadio5, modeRadio6};
  }
  std::array<QCheckBox*, 8> optionBoxes() const {
    return {optionBox1, optionBox2, optionBox3, optionBox4, optionBox5, optionBox6, optionBox7, optionBox8};
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

  Subscription observer_;
};

}  // namespace korrin
