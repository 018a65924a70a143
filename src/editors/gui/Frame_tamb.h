#pragma once
// The servo curve editor: four movement curves with their relay states, drawn and edited
// with the mouse, generated and transformed with one click, exchanged as files, and written
// back into the two curve tables of program memory on "übernehmen". It shows the servo model,
// which it shares with the address assignment frame (TFrameTambAdr), and forwards every user
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

class TFrameTamb : public EditorFrame {
  Q_OBJECT
 public:
  explicit TFrameTamb(ServoModel& model, QWidget* parent = nullptr);

  // Shows the model; the main window calls it after the model has loaded the image.
  void ShowEditor();
  // Sets every control from the model (with `filling` set, so no reaction runs back).
  void Render();

  ServoModel& model() const { return model_; }

  // Controls.
  QGroupBox* GroupBoxParameter;
  std::array<QRadioButton*, 4> servo_rad_a;  // servo_rad_a1 .. servo_rad_a4
  QLabel* lbl_Anzahl;
  QLineEdit* edt_Anzahl;
  ServoUpDown* UpDown1;
  QLabel* lbl_stretch;
  QLineEdit* edt_stretch;
  ServoUpDown* UpDown2;
  QLabel* lbl_KurveInfo1;
  QLabel* lbl_KurveInfo2;
  QLabel* lbl_raster_x;
  QComboBox* cbx_raster_x;
  QLabel* lbl_raster_y;
  QComboBox* cbx_raster_y;
  QLabel* Label_Servo;
  ServoCanvas* servo_Image1;
  CanvasMargin* curveMargin;  // the room around servo_Image1 for the markers on its edges
  QLabel* Label_Servo_Relais;
  ServoCanvas* servo_Image2;
  QLabel* text_tambel_schwelle;
  QLineEdit* edt_tambel_schwelle;
  ServoUpDown* UpDown4;
  QGroupBox* GroupBoxFunktionen;
  QPushButton* btn_Lin;
  QPushButton* btn_Log;
  QPushButton* btn_Sin;
  QPushButton* btn_sin2;
  QGroupBox* GroupBoxSpiegeln;
  QPushButton* btn_MirrorVertikal;
  QPushButton* btn_MirrorHorizontal;
  QGroupBox* GroupBoxKopieren;
  std::array<QPushButton*, 4> btn_copy;  // btn_copy1 .. btn_copy4
  QGroupBox* GroupBoxKurve;
  QPushButton* servo_load_1;
  QPushButton* servo_save_1;
  QGroupBox* GroupBoxSetup;
  QPushButton* servo_load_all;
  QPushButton* servo_save_all;
  QGroupBox* GroupBoxSkalierung;
  QLineEdit* edt_scale;
  QPushButton* btn_scale;
  QGroupBox* GroupBoxShift;
  QLineEdit* edt_shift;
  QPushButton* btn_shift;
  QGroupBox* servo_GroupBox1;
  QRadioButton* servo_rad_servo;
  QRadioButton* servo_rad_lernen;
  // servo_cbx_s1c, servo_cbx_s1o, servo_cbx_s2c, servo_cbx_s2o and their labels
  // Label_Servo_sw1a, Label_Servo_sw1b, Label_Servo_sw2a, Label_Servo_sw2b.
  std::array<QComboBox*, 4> servo_cbx_s;
  std::array<QLabel*, 4> Label_Servo_sw;
  QPushButton* servo_btn_verwerfen;
  QPushButton* servo_btn_uebernehmen;
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
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace korrin
