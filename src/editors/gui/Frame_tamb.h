#pragma once
// The servo curve editor: four movement curves with their relay states, drawn and edited
// with the mouse, generated and transformed with one click, exchanged as files, and written
// back into the two curve tables of program memory on "übernehmen". The address assignment
// frame beside it (TFrameTambAdr) edits the same working copy and uses this frame's
// "übernehmen"/"verwerfen".
#include <array>

#include "editors/gui/editor_frame.h"
#include "editors/servo_curves.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korrin {

class ServoCanvas;
class ServoPreview;
class ServoUpDown;
class TFrameTambAdr;
enum class CurveShape;

class TFrameTamb : public EditorFrame {
  Q_OBJECT
 public:
  explicit TFrameTamb(EditorContext& ctx, QWidget* parent = nullptr);

  // Called by the main window after showing the frame (and before TFrameTambAdr::ShowEditor).
  void ShowEditor();
  // Re-reads the working copy and the frame's EEPROM values from the image ("verwerfen").
  void ReloadEditor();
  // Writes both curve tables of the working copy into the image.
  void StoreCurves();
  void ShowParameters();
  void DrawCurve();
  void DrawRelay();
  // Enables "übernehmen": every change of the working copy, here or in the assignment frame.
  void EnableApply();

  bool hasPendingChanges() const override;
  void applyPendingChanges() override;

  // The curve block of the checked "Kurve n" radio button (0..3).
  int selectedCurve() const;

  // The address assignment frame registers itself here when it is created.
  void setAddressFrame(TFrameTambAdr* frame) { address_frame = frame; }

  // State.
  CurveTable curve_table;
  int x7_threshold = 0;
  bool mouse_down = false;
  float cell_width = 0;
  float unit_height = 0;
  float strip_height = 0;
  float relay_unit_height = 0;
  float relay_height = 0;

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
  // Reactions.
  void servo_rad_axClick();
  void edt_AnzahlChange();
  void edt_stretchChange();
  void cbx_raster_xChange();
  void edt_tambel_schwelleChange();
  void servo_ImagexMouseDown();
  void servo_Image1MouseMove(int x, int y);
  void servo_Image2MouseMove(int x, int y);
  void servo_ImagexMouseUp();
  void generate(CurveShape shape);
  void btn_MirrorVertikalClick();
  void btn_MirrorHorizontalClick();
  void btn_scaleClick();
  void btn_shiftClick();
  void btn_copyClick(int n);
  void servo_load_1Click();
  void servo_save_1Click();
  void servo_load_allClick();
  void servo_save_allClick();
  void servo_rad_Click();
  void servo_cbx_sxxChange(int list, int index);
  void servo_btn_uebernehmenClick();
  void servo_btn_verwerfenClick();

  void buildControls();
  void ShowButtonActions();
  void UpdateSw1Lists();
  // Redraws everything a changed curve shows and enables "übernehmen".
  void CurveChanged();
  CurveBlock& selectedBlock();

  TFrameTambAdr* address_frame = nullptr;
};

}  // namespace korrin
