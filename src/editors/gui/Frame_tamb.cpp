#include "editors/gui/Frame_tamb.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>

#include "editors/gui/preview_widgets.h"
#include "editors/gui/servo_widgets.h"
#include "image/format.h"

namespace korrin {

namespace {

QString Qs(const std::string& s) { return QString::fromStdString(s); }

template <typename W>
W* Make(QWidget* parent, const char* name, const char* text, int x, int y, int w, int h) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::fromLatin1(name));
  if (text) widget->setText(QString::fromUtf8(text));
  widget->setGeometry(x, y, w, h);
  return widget;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* title, int x, int y, int w, int h) {
  auto* box = new QGroupBox(QString::fromUtf8(title), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(x, y, w, h);
  return box;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int x, int y, int w, int h) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setGeometry(x, y, w, h);
  return edit;
}

QComboBox* MakeList(QWidget* parent, const char* name, int x, int y, int w, int h) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setGeometry(x, y, w, h);
  return list;
}

void Name(QWidget* widget, const char* name) { widget->setAccessibleName(QString::fromUtf8(name)); }

void Name(QWidget* widget, const std::string& name) { widget->setAccessibleName(QString::fromStdString(name)); }

void ShowText(QLineEdit* edit, const std::string& text) {
  const QString t = Qs(text);
  if (edit->text() != t) edit->setText(t);
}

}  // namespace

TFrameTamb::TFrameTamb(ServoModel& model, QWidget* parent) : EditorFrame(parent), model_(model) {
  setObjectName(QStringLiteral("FrameTamb"));
  buildControls();
  preview = new ServoPreview(
      this, [this]() -> const CurveBlock& { return model_.workingCopy().blocks[static_cast<size_t>(model_.selectedCurve())]; },
      [this] { return !servo_Image2->isHidden(); }, servo_rad_a, servo_Image1, servo_Image2, QPoint(440, 106),
      QRect(544, 160, 66, 110), QRect(546, 366, 66, 28));
  Render();
  model_.Subscribe(alive_, [this] { Render(); });
}

void TFrameTamb::forwardEdit(QLineEdit* edit, bool (ServoModel::*reaction)(const std::string&)) {
  connect(edit, &QLineEdit::textChanged, this, [this, edit, reaction](const QString& text) {
    if (filling) return;
    if (!(model_.*reaction)(text.toStdString())) edit->setFocus();
  });
}

void TFrameTamb::buildControls() {
  GroupBoxParameter = MakeGroup(this, "GroupBoxParameter", "Parameter für ...", 10, 5, 530, 46);
  for (int i = 0; i < 4; ++i) {
    const std::string name = Format("servo_rad_a%i", i + 1);
    const std::string caption = Format("Kurve %i", i + 1);
    QRadioButton* radio =
        Make<QRadioButton>(GroupBoxParameter, name.c_str(), caption.c_str(), 12 + i * 125, 19, 100, 20);
    SetHint(radio, "Auswahl, für welche Adresse die Angezeigten Parameter gültig sind");
    Name(radio, "Parameter für " + caption);
    servo_rad_a[static_cast<size_t>(i)] = radio;
    connect(radio, &QRadioButton::clicked, this, [this, i] { model_.SelectCurve(i); });
  }
  servo_rad_a[0]->setChecked(true);

  lbl_Anzahl = Make<QLabel>(this, "lbl_Anzahl", "Anzahl Punkte", 10, 60, 95, 20);
  edt_Anzahl = MakeEdit(this, "edt_Anzahl", 105, 58, 40, 24);
  SetHint(edt_Anzahl, "Anzahl der Kurven-Punkte");
  UpDown1 = new ServoUpDown(edt_Anzahl, ServoModel::countRange().min, ServoModel::countRange().max, this);
  UpDown1->setObjectName(QStringLiteral("UpDown1"));
  UpDown1->setGeometry(145, 58, 17, 24);
  forwardEdit(edt_Anzahl, &ServoModel::CountTextChanged);

  lbl_stretch = Make<QLabel>(this, "lbl_stretch", "Stretch-Faktor", 180, 60, 95, 20);
  edt_stretch = MakeEdit(this, "edt_stretch", 275, 58, 40, 24);
  SetHint(edt_stretch, "ermöglicht es, den Ablauf zu Verlangsamen");
  UpDown2 = new ServoUpDown(edt_stretch, ServoModel::stretchRange().min, ServoModel::stretchRange().max, this);
  UpDown2->setObjectName(QStringLiteral("UpDown2"));
  UpDown2->setGeometry(315, 58, 17, 24);
  forwardEdit(edt_stretch, &ServoModel::StretchTextChanged);

  lbl_raster_x = Make<QLabel>(this, "lbl_raster_x", "Raster X", 352, 60, 55, 20);
  cbx_raster_x = MakeList(this, "cbx_raster_x", 407, 58, 56, 24);
  for (int i = 0; i <= 70; ++i) cbx_raster_x->addItem(QString::number(i));
  lbl_raster_y = Make<QLabel>(this, "lbl_raster_y", "Raster Y", 478, 60, 55, 20);
  cbx_raster_y = MakeList(this, "cbx_raster_y", 533, 58, 56, 24);
  for (int i = 0; i <= 10; ++i) cbx_raster_y->addItem(QString::number(i));
  auto raster = [this] { model_.ChooseRaster(cbx_raster_x->currentIndex(), cbx_raster_y->currentIndex()); };
  connect(cbx_raster_x, &QComboBox::activated, this, raster);
  connect(cbx_raster_y, &QComboBox::activated, this, raster);

  lbl_KurveInfo1 = Make<QLabel>(this, "lbl_KurveInfo1", "", 10, 86, 260, 18);
  lbl_KurveInfo2 = Make<QLabel>(this, "lbl_KurveInfo2", "", 275, 86, 315, 18);

  text_tambel_schwelle = Make<QLabel>(this, "text_tambel_schwelle", "Schwellwert Ausgang X7", 10, 110, 155, 20);
  SetHint(text_tambel_schwelle,
          "X7 kann ein Relais ansteuern in Abhängigkeit des Kurven-Wertes (unverstärkter Logik-Pegel)");
  edt_tambel_schwelle = MakeEdit(this, "edt_tambel_schwelle", 165, 108, 40, 24);
  SetHint(edt_tambel_schwelle, "In der Grafik: rote Linie");
  UpDown4 = new ServoUpDown(edt_tambel_schwelle, ServoModel::thresholdRange().min,
                            ServoModel::thresholdRange().max, this);
  UpDown4->setObjectName(QStringLiteral("UpDown4"));
  UpDown4->setGeometry(205, 108, 17, 24);
  forwardEdit(edt_tambel_schwelle, &ServoModel::ThresholdTextChanged);

  servo_Image1 = new ServoCanvas(this);
  servo_Image1->setObjectName(QStringLiteral("servo_Image1"));
  servo_Image1->setGeometry(10, 136, kCurveDrawingWidth, kCurveDrawingHeight);
  SetHint(servo_Image1, "Definieren der Kurvenform (Maus: Klick & Move)");
  servo_Image1->setPaint([this](QPainter& p) {
    PaintCurve(p, model_.curvePicture(), kCurveDrawingWidth, kCurveDrawingHeight, kMaxMarkerHalfSize);
  });
  curveMargin = new CanvasMargin(servo_Image1, kMaxMarkerHalfSize);
  Label_Servo = Make<QLabel>(this, "Label_Servo", "Servo", 546, 136, 50, 20);
  servo_Image2 = new ServoCanvas(this);
  servo_Image2->setObjectName(QStringLiteral("servo_Image2"));
  servo_Image2->setGeometry(10, 344, kCurveDrawingWidth, kRelayDrawingHeight);
  SetHint(servo_Image2, "Definieren, ob Relais zu einem bestimmten Kurven-Zeitpunkt AUS oder EIN (rotes Feld) ist");
  servo_Image2->setPaint(
      [this](QPainter& p) { PaintRelay(p, model_.relayPicture(), kCurveDrawingWidth, kRelayDrawingHeight); });
  Label_Servo_Relais = Make<QLabel>(this, "Label_Servo_Relais", "Relais", 546, 344, 50, 20);
  for (ServoCanvas* canvas : {servo_Image1, servo_Image2}) {
    connect(canvas, &ServoCanvas::pressed, this, [this] { model_.MouseDown(); });
    connect(canvas, &ServoCanvas::released, this, [this] { model_.MouseUp(); });
  }
  connect(servo_Image1, &ServoCanvas::moved, this, [this](int x, int y) { model_.CurveMouseMove(x, y); });
  connect(servo_Image2, &ServoCanvas::moved, this, [this](int x, int y) { model_.RelayMouseMove(x, y); });

  // Generators and transforms.
  GroupBoxFunktionen = MakeGroup(this, "GroupBoxFunktionen", "Funktionen", 10, 410, 215, 54);
  btn_Lin = Make<QPushButton>(GroupBoxFunktionen, "btn_Lin", "Lin", 8, 20, 46, 26);
  btn_Log = Make<QPushButton>(GroupBoxFunktionen, "btn_Log", "Log", 57, 20, 46, 26);
  btn_Sin = Make<QPushButton>(GroupBoxFunktionen, "btn_Sin", "1/4 Sin", 106, 20, 50, 26);
  btn_sin2 = Make<QPushButton>(GroupBoxFunktionen, "btn_sin2", "1/2 Sin", 159, 20, 50, 26);
  SetHint(btn_Lin, "lineare Kurvenform erstellen");
  SetHint(btn_Log, "log, Kurvenform erstellen");
  SetHint(btn_Sin, "Sinus-Kurvenform erstellen (halbe Welle)");
  SetHint(btn_sin2, "Sinus-Kurvenform erstellen (Welle)");
  Name(btn_Lin, "Funktion Lin");
  Name(btn_Log, "Funktion Log");
  Name(btn_Sin, "Funktion 1/4 Sin");
  Name(btn_sin2, "Funktion 1/2 Sin");
  connect(btn_Lin, &QPushButton::clicked, this, [this] { model_.Generate(CurveShape::Lin); });
  connect(btn_Log, &QPushButton::clicked, this, [this] { model_.Generate(CurveShape::Log); });
  connect(btn_Sin, &QPushButton::clicked, this, [this] { model_.Generate(CurveShape::QuarterSine); });
  connect(btn_sin2, &QPushButton::clicked, this, [this] { model_.Generate(CurveShape::HalfSine); });

  GroupBoxSpiegeln = MakeGroup(this, "GroupBoxSpiegeln", "Spiegeln", 232, 410, 160, 54);
  btn_MirrorVertikal = Make<QPushButton>(GroupBoxSpiegeln, "btn_MirrorVertikal", "vertikal", 8, 20, 70, 26);
  btn_MirrorHorizontal = Make<QPushButton>(GroupBoxSpiegeln, "btn_MirrorHorizontal", "horizontal", 82, 20, 72, 26);
  SetHint(btn_MirrorVertikal, "vertikales Spiegeln der Kurvenform");
  SetHint(btn_MirrorHorizontal, "horizonzales Spiegeln der Kurvenform");
  Name(btn_MirrorVertikal, "Spiegeln vertikal");
  Name(btn_MirrorHorizontal, "Spiegeln horizontal");
  connect(btn_MirrorVertikal, &QPushButton::clicked, this, [this] { model_.MirrorCurveVertical(); });
  connect(btn_MirrorHorizontal, &QPushButton::clicked, this, [this] { model_.MirrorCurveHorizontal(); });

  GroupBoxKopieren = MakeGroup(this, "GroupBoxKopieren", "Kurve kopieren", 399, 410, 200, 54);
  for (int i = 0; i < 4; ++i) {
    const std::string name = Format("btn_copy%i", i + 1);
    const std::string caption = Format("von #%i", i + 1);
    const std::string hint = Format("Kopieren der Kurvenformen von Kurve %i", i + 1);
    auto* b = Make<QPushButton>(GroupBoxKopieren, name.c_str(), caption.c_str(), 6 + i * 47, 20, 46, 26);
    SetHint(b, hint.c_str());
    Name(b, Format("Kurve kopieren von Kurve %i", i + 1));
    btn_copy[static_cast<size_t>(i)] = b;
    connect(b, &QPushButton::clicked, this, [this, i] { model_.CopyFrom(i); });
  }

  GroupBoxKurve = MakeGroup(this, "GroupBoxKurve", "Kurve", 10, 470, 150, 54);
  servo_load_1 = Make<QPushButton>(GroupBoxKurve, "servo_load_1", "laden", 8, 20, 64, 26);
  servo_save_1 = Make<QPushButton>(GroupBoxKurve, "servo_save_1", "speichern", 76, 20, 68, 26);
  SetHint(servo_load_1, "laden von Kurven-Daten");
  SetHint(servo_save_1, "speichern von Kurven-Daten");
  Name(servo_load_1, "Kurve laden");
  Name(servo_save_1, "Kurve speichern");
  connect(servo_load_1, &QPushButton::clicked, this, [this] { model_.LoadCurve(); });
  connect(servo_save_1, &QPushButton::clicked, this, [this] { model_.SaveCurve(); });

  GroupBoxSetup = MakeGroup(this, "GroupBoxSetup", "Setup", 166, 470, 150, 54);
  servo_load_all = Make<QPushButton>(GroupBoxSetup, "servo_load_all", "laden", 8, 20, 64, 26);
  servo_save_all = Make<QPushButton>(GroupBoxSetup, "servo_save_all", "speichern", 76, 20, 68, 26);
  SetHint(servo_load_all, "laden Kurven-Daten inkl. Pukte-Anzahl, Stretch-Faktor etc.");
  SetHint(servo_save_all, "speichern Kurven-Daten inkl. Pukte-Anzahl, Stretch-Faktor etc.");
  Name(servo_load_all, "Setup laden");
  Name(servo_save_all, "Setup speichern");
  connect(servo_load_all, &QPushButton::clicked, this, [this] { model_.LoadSet(); });
  connect(servo_save_all, &QPushButton::clicked, this, [this] { model_.SaveSet(); });

  GroupBoxSkalierung = MakeGroup(this, "GroupBoxSkalierung", "Skalierung", 322, 470, 136, 54);
  edt_scale = MakeEdit(GroupBoxSkalierung, "edt_scale", 8, 21, 46, 24);
  btn_scale = Make<QPushButton>(GroupBoxSkalierung, "btn_scale", "anwenden", 58, 20, 72, 26);
  SetHint(edt_scale,
          "Wert, mit dem die Kurve multipliziert wird. \r\n"
          "D.h. Werte > 1 ziehen die Kurve in der Y-Achse auseinander, Werte < 1 stauchen die Kurve");
  Name(edt_scale, "Skalierung");
  Name(btn_scale, "Skalierung anwenden");
  connect(edt_scale, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!filling) model_.SetScaleText(text.toStdString());
  });
  connect(btn_scale, &QPushButton::clicked, this, [this] {
    if (!model_.ApplyScale()) edt_scale->setFocus();
  });

  GroupBoxShift = MakeGroup(this, "GroupBoxShift", "Hoch/Runter", 463, 470, 136, 54);
  edt_shift = MakeEdit(GroupBoxShift, "edt_shift", 8, 21, 46, 24);
  btn_shift = Make<QPushButton>(GroupBoxShift, "btn_shift", "anwenden", 58, 20, 72, 26);
  SetHint(edt_shift,
          "Wert, um den die Kurve nach oben (positive Werte) oder nach unten (negative Werte) verschoben wird\r\n"
          "Ein Wert von 64 verschiebt die Kurve um die halbe Y-Achse nach oben");
  Name(edt_shift, "Hoch/Runter");
  Name(btn_shift, "Hoch/Runter anwenden");
  connect(edt_shift, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!filling) model_.SetShiftText(text.toStdString());
  });
  connect(btn_shift, &QPushButton::clicked, this, [this] {
    if (!model_.ApplyShift()) edt_shift->setFocus();
  });

  // Push-button SW1 and the push-button actions.
  servo_GroupBox1 = MakeGroup(this, "servo_GroupBox1", "Funktion für Taster SW1", 10, 530, 180, 72);
  servo_rad_servo = Make<QRadioButton>(servo_GroupBox1, "servo_rad_servo", "Servo-Bedienung", 10, 20, 160, 22);
  servo_rad_lernen = Make<QRadioButton>(servo_GroupBox1, "servo_rad_lernen", "Lernen + Justage", 10, 44, 160, 22);
  Name(servo_rad_servo, "Taster SW1: Servo-Bedienung");
  Name(servo_rad_lernen, "Taster SW1: Lernen + Justage");
  connect(servo_rad_servo, &QRadioButton::clicked, this, [this] { model_.ChooseSw1(false); });
  connect(servo_rad_lernen, &QRadioButton::clicked, this, [this] { model_.ChooseSw1(true); });

  const char* listNames[4] = {"servo_cbx_s1c", "servo_cbx_s1o", "servo_cbx_s2c", "servo_cbx_s2o"};
  const char* labelNames[4] = {"Label_Servo_sw1a", "Label_Servo_sw1b", "Label_Servo_sw2a", "Label_Servo_sw2b"};
  for (int i = 0; i < 4; ++i) {
    const int x = 198 + (i % 2) * 202;
    const int y = 538 + (i / 2) * 32;
    QLabel* label = Make<QLabel>(this, labelNames[i], "", x, y + 2, 92, 20);
    QComboBox* list = MakeList(this, listNames[i], x + 92, y, 108, 24);
    SetHint(list, "ermöglicht das Auslösen von Aktionen \r\nvia (Justage-)Taster");
    label->setBuddy(list);
    Label_Servo_sw[static_cast<size_t>(i)] = label;
    servo_cbx_s[static_cast<size_t>(i)] = list;
    connect(list, &QComboBox::activated, this, [this, i](int index) { model_.ChooseButtonAction(i, index); });
  }

  servo_btn_verwerfen = Make<QPushButton>(this, "servo_btn_verwerfen", "verwerfen", 398, 612, 95, 28);
  SetHint(servo_btn_verwerfen, "Daten verwerfen");
  servo_btn_uebernehmen = Make<QPushButton>(this, "servo_btn_uebernehmen", "übernehmen", 500, 612, 100, 28);
  SetHint(servo_btn_uebernehmen, "Daten übernehmen");
  servo_btn_uebernehmen->setEnabled(false);
  connect(servo_btn_verwerfen, &QPushButton::clicked, this, [this] { model_.Discard(); });
  connect(servo_btn_uebernehmen, &QPushButton::clicked, this, [this] { model_.applyPendingChanges(); });

  // Screen readers name each control after its label; the labels lead the keyboard there.
  lbl_Anzahl->setBuddy(edt_Anzahl);
  lbl_stretch->setBuddy(edt_stretch);
  lbl_raster_x->setBuddy(cbx_raster_x);
  lbl_raster_y->setBuddy(cbx_raster_y);
  text_tambel_schwelle->setBuddy(edt_tambel_schwelle);
  Label_Servo->setBuddy(servo_Image1);
  Label_Servo_Relais->setBuddy(servo_Image2);
  Name(edt_Anzahl, "Anzahl Punkte");
  Name(edt_stretch, "Stretch-Faktor");
  Name(cbx_raster_x, "Raster X");
  Name(cbx_raster_y, "Raster Y");
  Name(edt_tambel_schwelle, "Schwellwert Ausgang X7");
  Name(servo_Image1, "Servo-Kurve");
  Name(servo_Image2, "Relais");
  Name(servo_btn_verwerfen, "verwerfen");
  Name(servo_btn_uebernehmen, "übernehmen");
  for (ServoUpDown* spinner : {UpDown1, UpDown2, UpDown4}) {
    Name(spinner->upButton(), "größer");
    Name(spinner->downButton(), "kleiner");
  }
  UpDown1->setAccessibleName(QStringLiteral("Anzahl Punkte"));
  UpDown2->setAccessibleName(QStringLiteral("Stretch-Faktor"));
  UpDown4->setAccessibleName(QStringLiteral("Schwellwert Ausgang X7"));
}

void TFrameTamb::ShowEditor() {
  preview->stop();
  Render();
  filling = false;
}

void TFrameTamb::Render() {
  const bool was = filling;
  filling = true;
  const ServoModel& m = model_;
  const CurvePresentation& p = m.curvePresentation();
  for (int i = 0; i < 4; ++i) {
    const size_t k = static_cast<size_t>(i);
    servo_rad_a[k]->setChecked(i == m.selectedCurve());
    btn_copy[k]->setEnabled(m.copyEnabled(i));
  }
  ShowText(edt_Anzahl, m.countText());
  ShowText(edt_stretch, m.stretchText());
  lbl_KurveInfo1->setText(Qs(m.pointTimeText()));
  lbl_KurveInfo2->setText(Qs(m.totalTimeText()));
  cbx_raster_x->setCurrentIndex(m.rasterX());
  cbx_raster_y->setCurrentIndex(m.rasterY());

  text_tambel_schwelle->setVisible(p.x7Threshold);
  edt_tambel_schwelle->setVisible(p.x7Threshold);
  UpDown4->setVisible(p.x7Threshold);
  ShowText(edt_tambel_schwelle, m.thresholdText());

  servo_Image2->setVisible(p.relayStripAndSw1);
  Label_Servo_Relais->setVisible(p.relayStripAndSw1);
  servo_GroupBox1->setVisible(p.relayStripAndSw1);
  servo_rad_lernen->setChecked(m.sw1Learn());
  servo_rad_servo->setChecked(!m.sw1Learn());
  for (size_t i = 0; i < 4; ++i) {
    QComboBox* list = servo_cbx_s[i];
    QStringList items;
    for (const auto& choice : p.buttonChoices[i]) items << Qs(choice);
    QStringList shown;
    for (int k = 0; k < list->count(); ++k) shown << list->itemText(k);
    if (shown != items) {
      list->clear();
      list->addItems(items);
    }
    list->setCurrentIndex(m.buttonActionIndex(static_cast<int>(i)));
    Label_Servo_sw[i]->setText(Qs(p.buttonLabels[i]));
    const bool visible = m.buttonListVisible(static_cast<int>(i));
    list->setVisible(visible);
    Label_Servo_sw[i]->setVisible(visible);
    Name(list, p.buttonLabels[i]);
  }

  ShowText(edt_scale, m.scaleText());
  ShowText(edt_shift, m.shiftText());
  servo_btn_uebernehmen->setEnabled(m.hasPendingChanges());
  servo_Image1->update();
  curveMargin->update();
  servo_Image2->update();
  filling = was;
}

}  // namespace korrin
