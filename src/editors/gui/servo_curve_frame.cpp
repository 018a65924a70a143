#include "editors/gui/servo_curve_frame.h"

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

ServoCurveFrame::ServoCurveFrame(ServoModel& model, QWidget* parent) : EditorFrame(parent), model_(model) {
  setObjectName(QStringLiteral("FrameTamb"));
  buildControls();
  preview = new ServoPreview(
      this, [this]() -> const CurveBlock& { return model_.workingCopy().blocks[static_cast<size_t>(model_.selectedCurve())]; },
      [this] { return !relayCanvas->isHidden(); }, curveRadios, curveCanvas, relayCanvas, QPoint(440, 106),
      QRect(544, 160, 66, 110), QRect(546, 366, 66, 28));
  Render();
  observer_ = model_.Observe([this] { Render(); });
}

FrameMetrics ServoCurveFrame::Metrics() const {
  FrameMetrics m;
  m.applyRight = RightOf(applyButton);
  m.applyBottom = BottomOf(applyButton);
  return m;
}

void ServoCurveFrame::forwardEdit(QLineEdit* edit, bool (ServoModel::*reaction)(const std::string&)) {
  connect(edit, &QLineEdit::textChanged, this, [this, edit, reaction](const QString& text) {
    if (rendering()) return;
    if (!(model_.*reaction)(text.toStdString())) edit->setFocus();
  });
}

void ServoCurveFrame::buildControls() {
  parameterGroup = MakeGroup(this, "GroupBoxParameter", "Parameter für ...", 10, 5, 530, 46);
  for (int i = 0; i < 4; ++i) {
    const std::string name = Format("servo_rad_a%i", i + 1);
    const std::string caption = Format("Kurve %i", i + 1);
    QRadioButton* radio = Make<QRadioButton>(parameterGroup, name.c_str(), caption.c_str(), 12 + i * 125, 19, 100, 20);
    SetHint(radio, "Auswahl, für welche Adresse die Angezeigten Parameter gültig sind");
    Name(radio, "Parameter für " + caption);
    curveRadios[static_cast<size_t>(i)] = radio;
    connect(radio, &QRadioButton::clicked, this, [this, i] { model_.SelectCurve(i); });
  }
  curveRadios[0]->setChecked(true);

  countLabel = Make<QLabel>(this, "lbl_Anzahl", "Anzahl Punkte", 10, 60, 95, 20);
  countEdit = MakeEdit(this, "edt_Anzahl", 105, 58, 40, 24);
  SetHint(countEdit, "Anzahl der Kurven-Punkte");
  countSpinner = new ServoUpDown(countEdit, ServoModel::countRange().min, ServoModel::countRange().max, this);
  countSpinner->setObjectName(QStringLiteral("UpDown1"));
  countSpinner->setGeometry(145, 58, 17, 24);
  forwardEdit(countEdit, &ServoModel::CountTextChanged);

  stretchLabel = Make<QLabel>(this, "lbl_stretch", "Stretch-Faktor", 180, 60, 95, 20);
  stretchEdit = MakeEdit(this, "edt_stretch", 275, 58, 40, 24);
  SetHint(stretchEdit, "ermöglicht es, den Ablauf zu Verlangsamen");
  stretchSpinner = new ServoUpDown(stretchEdit, ServoModel::stretchRange().min, ServoModel::stretchRange().max, this);
  stretchSpinner->setObjectName(QStringLiteral("UpDown2"));
  stretchSpinner->setGeometry(315, 58, 17, 24);
  forwardEdit(stretchEdit, &ServoModel::StretchTextChanged);

  rasterXLabel = Make<QLabel>(this, "lbl_raster_x", "Raster X", 352, 60, 55, 20);
  rasterXList = MakeList(this, "cbx_raster_x", 407, 58, 56, 24);
  for (int i = 0; i <= 70; ++i) rasterXList->addItem(QString::number(i));
  rasterYLabel = Make<QLabel>(this, "lbl_raster_y", "Raster Y", 478, 60, 55, 20);
  rasterYList = MakeList(this, "cbx_raster_y", 533, 58, 56, 24);
  for (int i = 0; i <= 10; ++i) rasterYList->addItem(QString::number(i));
  auto raster = [this] { model_.ChooseRaster(rasterXList->currentIndex(), rasterYList->currentIndex()); };
  connect(rasterXList, &QComboBox::activated, this, raster);
  connect(rasterYList, &QComboBox::activated, this, raster);

  pointTimeLabel = Make<QLabel>(this, "lbl_KurveInfo1", "", 10, 86, 260, 18);
  totalTimeLabel = Make<QLabel>(this, "lbl_KurveInfo2", "", 275, 86, 315, 18);

  thresholdLabel = Make<QLabel>(this, "text_tambel_schwelle", "Schwellwert Ausgang X7", 10, 110, 155, 20);
  SetHint(thresholdLabel, "X7 kann ein Relais ansteuern in Abhängigkeit des Kurven-Wertes (unverstärkter Logik-Pegel)");
  thresholdEdit = MakeEdit(this, "edt_tambel_schwelle", 165, 108, 40, 24);
  SetHint(thresholdEdit, "In der Grafik: rote Linie");
  thresholdSpinner = new ServoUpDown(thresholdEdit, ServoModel::thresholdRange().min, ServoModel::thresholdRange().max, this);
  thresholdSpinner->setObjectName(QStringLiteral("UpDown4"));
  thresholdSpinner->setGeometry(205, 108, 17, 24);
  forwardEdit(thresholdEdit, &ServoModel::ThresholdTextChanged);

  curveCanvas = new ServoCanvas(this);
  curveCanvas->setObjectName(QStringLiteral("servo_Image1"));
  curveCanvas->setGeometry(10, 136, kCurveDrawingWidth, kCurveDrawingHeight);
  SetHint(curveCanvas, "Definieren der Kurvenform (Maus: Klick & Move)");
  curveCanvas->setPaint(
      [this](QPainter& p) { PaintCurve(p, model_.curvePicture(), kCurveDrawingWidth, kCurveDrawingHeight, kMaxMarkerHalfSize); });
  curveMargin = new CanvasMargin(curveCanvas, kMaxMarkerHalfSize);
  curveLabel = Make<QLabel>(this, "Label_Servo", "Servo", 546, 136, 50, 20);
  relayCanvas = new ServoCanvas(this);
  relayCanvas->setObjectName(QStringLiteral("servo_Image2"));
  relayCanvas->setGeometry(10, 344, kCurveDrawingWidth, kRelayDrawingHeight);
  SetHint(relayCanvas, "Definieren, ob Relais zu einem bestimmten Kurven-Zeitpunkt AUS oder EIN (rotes Feld) ist");
  relayCanvas->setPaint([this](QPainter& p) { PaintRelay(p, model_.relayPicture(), kCurveDrawingWidth, kRelayDrawingHeight); });
  relayLabel = Make<QLabel>(this, "Label_Servo_Relais", "Relais", 546, 344, 50, 20);
  for (ServoCanvas* canvas : {curveCanvas, relayCanvas}) {
    connect(canvas, &ServoCanvas::pressed, this, [this] { model_.MouseDown(); });
    connect(canvas, &ServoCanvas::released, this, [this] { model_.MouseUp(); });
  }
  connect(curveCanvas, &ServoCanvas::moved, this, [this](int x, int y) { model_.CurveMouseMove(x, y); });
  connect(relayCanvas, &ServoCanvas::moved, this, [this](int x, int y) { model_.RelayMouseMove(x, y); });

  // Generators and transforms.
  functionsGroup = MakeGroup(this, "GroupBoxFunktionen", "Funktionen", 10, 410, 215, 54);
  linearButton = Make<QPushButton>(functionsGroup, "btn_Lin", "Lin", 8, 20, 46, 26);
  logButton = Make<QPushButton>(functionsGroup, "btn_Log", "Log", 57, 20, 46, 26);
  sineButton = Make<QPushButton>(functionsGroup, "btn_Sin", "1/4 Sin", 106, 20, 50, 26);
  sine2Button = Make<QPushButton>(functionsGroup, "btn_sin2", "1/2 Sin", 159, 20, 50, 26);
  SetHint(linearButton, "lineare Kurvenform erstellen");
  SetHint(logButton, "log, Kurvenform erstellen");
  SetHint(sineButton, "Sinus-Kurvenform erstellen (halbe Welle)");
  SetHint(sine2Button, "Sinus-Kurvenform erstellen (Welle)");
  Name(linearButton, "Funktion Lin");
  Name(logButton, "Funktion Log");
  Name(sineButton, "Funktion 1/4 Sin");
  Name(sine2Button, "Funktion 1/2 Sin");
  connect(linearButton, &QPushButton::clicked, this, [this] { model_.Generate(CurveShape::Lin); });
  connect(logButton, &QPushButton::clicked, this, [this] { model_.Generate(CurveShape::Log); });
  connect(sineButton, &QPushButton::clicked, this, [this] { model_.Generate(CurveShape::QuarterSine); });
  connect(sine2Button, &QPushButton::clicked, this, [this] { model_.Generate(CurveShape::HalfSine); });

  mirrorGroup = MakeGroup(this, "GroupBoxSpiegeln", "Spiegeln", 232, 410, 160, 54);
  mirrorVerticalButton = Make<QPushButton>(mirrorGroup, "btn_MirrorVertikal", "vertikal", 8, 20, 70, 26);
  mirrorHorizontalButton = Make<QPushButton>(mirrorGroup, "btn_MirrorHorizontal", "horizontal", 82, 20, 72, 26);
  SetHint(mirrorVerticalButton, "vertikales Spiegeln der Kurvenform");
  SetHint(mirrorHorizontalButton, "horizonzales Spiegeln der Kurvenform");
  Name(mirrorVerticalButton, "Spiegeln vertikal");
  Name(mirrorHorizontalButton, "Spiegeln horizontal");
  connect(mirrorVerticalButton, &QPushButton::clicked, this, [this] { model_.MirrorCurveVertical(); });
  connect(mirrorHorizontalButton, &QPushButton::clicked, this, [this] { model_.MirrorCurveHorizontal(); });

  copyGroup = MakeGroup(this, "GroupBoxKopieren", "Kurve kopieren", 399, 410, 200, 54);
  for (int i = 0; i < 4; ++i) {
    const std::string name = Format("btn_copy%i", i + 1);
    const std::string caption = Format("von #%i", i + 1);
    const std::string hint = Format("Kopieren der Kurvenformen von Kurve %i", i + 1);
    auto* b = Make<QPushButton>(copyGroup, name.c_str(), caption.c_str(), 6 + i * 47, 20, 46, 26);
    SetHint(b, hint.c_str());
    Name(b, Format("Kurve kopieren von Kurve %i", i + 1));
    copyButtons[static_cast<size_t>(i)] = b;
    connect(b, &QPushButton::clicked, this, [this, i] { model_.CopyFrom(i); });
  }

  curveFileGroup = MakeGroup(this, "GroupBoxKurve", "Kurve", 10, 470, 150, 54);
  loadCurveButton = Make<QPushButton>(curveFileGroup, "servo_load_1", "laden", 8, 20, 64, 26);
  saveCurveButton = Make<QPushButton>(curveFileGroup, "servo_save_1", "speichern", 76, 20, 68, 26);
  SetHint(loadCurveButton, "laden von Kurven-Daten");
  SetHint(saveCurveButton, "speichern von Kurven-Daten");
  Name(loadCurveButton, "Kurve laden");
  Name(saveCurveButton, "Kurve speichern");
  connect(loadCurveButton, &QPushButton::clicked, this, [this] { model_.LoadCurve(); });
  connect(saveCurveButton, &QPushButton::clicked, this, [this] { model_.SaveCurve(); });

  setFileGroup = MakeGroup(this, "GroupBoxSetup", "Setup", 166, 470, 150, 54);
  loadSetButton = Make<QPushButton>(setFileGroup, "servo_load_all", "laden", 8, 20, 64, 26);
  saveSetButton = Make<QPushButton>(setFileGroup, "servo_save_all", "speichern", 76, 20, 68, 26);
  SetHint(loadSetButton, "laden Kurven-Daten inkl. Pukte-Anzahl, Stretch-Faktor etc.");
  SetHint(saveSetButton, "speichern Kurven-Daten inkl. Pukte-Anzahl, Stretch-Faktor etc.");
  Name(loadSetButton, "Setup laden");
  Name(saveSetButton, "Setup speichern");
  connect(loadSetButton, &QPushButton::clicked, this, [this] { model_.LoadSet(); });
  connect(saveSetButton, &QPushButton::clicked, this, [this] { model_.SaveSet(); });

  scaleGroup = MakeGroup(this, "GroupBoxSkalierung", "Skalierung", 322, 470, 136, 54);
  scaleEdit = MakeEdit(scaleGroup, "edt_scale", 8, 21, 46, 24);
  scaleButton = Make<QPushButton>(scaleGroup, "btn_scale", "anwenden", 58, 20, 72, 26);
  SetHint(scaleEdit,
          "Wert, mit dem die Kurve multipliziert wird. \r\n"
          "D.h. Werte > 1 ziehen die Kurve in der Y-Achse auseinander, Werte < 1 stauchen die Kurve");
  Name(scaleEdit, "Skalierung");
  Name(scaleButton, "Skalierung anwenden");
  connect(scaleEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!rendering()) model_.SetScaleText(text.toStdString());
  });
  connect(scaleButton, &QPushButton::clicked, this, [this] {
    if (!model_.ApplyScale()) scaleEdit->setFocus();
  });

  shiftGroup = MakeGroup(this, "GroupBoxShift", "Hoch/Runter", 463, 470, 136, 54);
  shiftEdit = MakeEdit(shiftGroup, "edt_shift", 8, 21, 46, 24);
  shiftButton = Make<QPushButton>(shiftGroup, "btn_shift", "anwenden", 58, 20, 72, 26);
  SetHint(shiftEdit,
          "Wert, um den die Kurve nach oben (positive Werte) oder nach unten (negative Werte) verschoben wird\r\n"
          "Ein Wert von 64 verschiebt die Kurve um die halbe Y-Achse nach oben");
  Name(shiftEdit, "Hoch/Runter");
  Name(shiftButton, "Hoch/Runter anwenden");
  connect(shiftEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!rendering()) model_.SetShiftText(text.toStdString());
  });
  connect(shiftButton, &QPushButton::clicked, this, [this] {
    if (!model_.ApplyShift()) shiftEdit->setFocus();
  });

  // Push-button SW1 and the push-button actions.
  sw1Group = MakeGroup(this, "servo_GroupBox1", "Funktion für Taster SW1", 10, 530, 180, 72);
  sw1ServoRadio = Make<QRadioButton>(sw1Group, "servo_rad_servo", "Servo-Bedienung", 10, 20, 160, 22);
  sw1LearnRadio = Make<QRadioButton>(sw1Group, "servo_rad_lernen", "Lernen + Justage", 10, 44, 160, 22);
  Name(sw1ServoRadio, "Taster SW1: Servo-Bedienung");
  Name(sw1LearnRadio, "Taster SW1: Lernen + Justage");
  connect(sw1ServoRadio, &QRadioButton::clicked, this, [this] { model_.ChooseSw1(false); });
  connect(sw1LearnRadio, &QRadioButton::clicked, this, [this] { model_.ChooseSw1(true); });

  const char* listNames[4] = {"servo_cbx_s1c", "servo_cbx_s1o", "servo_cbx_s2c", "servo_cbx_s2o"};
  const char* labelNames[4] = {"Label_Servo_sw1a", "Label_Servo_sw1b", "Label_Servo_sw2a", "Label_Servo_sw2b"};
  for (int i = 0; i < 4; ++i) {
    const int x = 198 + (i % 2) * 202;
    const int y = 538 + (i / 2) * 32;
    QLabel* label = Make<QLabel>(this, labelNames[i], "", x, y + 2, 92, 20);
    QComboBox* list = MakeList(this, listNames[i], x + 92, y, 108, 24);
    SetHint(list, "ermöglicht das Auslösen von Aktionen \r\nvia (Justage-)Taster");
    label->setBuddy(list);
    buttonActionLabels[static_cast<size_t>(i)] = label;
    buttonActionLists[static_cast<size_t>(i)] = list;
    connect(list, &QComboBox::activated, this, [this, i](int index) { model_.ChooseButtonAction(i, index); });
  }

  discardButton = Make<QPushButton>(this, "servo_btn_verwerfen", "verwerfen", 398, 612, 95, 28);
  SetHint(discardButton, "Daten verwerfen");
  applyButton = Make<QPushButton>(this, "servo_btn_uebernehmen", "übernehmen", 500, 612, 100, 28);
  SetHint(applyButton, "Daten übernehmen");
  applyButton->setEnabled(false);
  connect(discardButton, &QPushButton::clicked, this, [this] { model_.Discard(); });
  connect(applyButton, &QPushButton::clicked, this, [this] { model_.applyPendingChanges(); });

  // Screen readers name each control after its label; the labels lead the keyboard there.
  countLabel->setBuddy(countEdit);
  stretchLabel->setBuddy(stretchEdit);
  rasterXLabel->setBuddy(rasterXList);
  rasterYLabel->setBuddy(rasterYList);
  thresholdLabel->setBuddy(thresholdEdit);
  curveLabel->setBuddy(curveCanvas);
  relayLabel->setBuddy(relayCanvas);
  Name(countEdit, "Anzahl Punkte");
  Name(stretchEdit, "Stretch-Faktor");
  Name(rasterXList, "Raster X");
  Name(rasterYList, "Raster Y");
  Name(thresholdEdit, "Schwellwert Ausgang X7");
  Name(curveCanvas, "Servo-Kurve");
  Name(relayCanvas, "Relais");
  Name(discardButton, "verwerfen");
  Name(applyButton, "übernehmen");
  for (ServoUpDown* spinner : {countSpinner, stretchSpinner, thresholdSpinner}) {
    Name(spinner->upButton(), "größer");
    Name(spinner->downButton(), "kleiner");
  }
  countSpinner->setAccessibleName(QStringLiteral("Anzahl Punkte"));
  stretchSpinner->setAccessibleName(QStringLiteral("Stretch-Faktor"));
  thresholdSpinner->setAccessibleName(QStringLiteral("Schwellwert Ausgang X7"));
}

void ServoCurveFrame::ShowEditor() {
  preview->stop();
  Render();
}

void ServoCurveFrame::Render() {
  RenderingScope scope(*this);
  const ServoModel& m = model_;
  const CurvePresentation& p = m.curvePresentation();
  for (int i = 0; i < 4; ++i) {
    const size_t k = static_cast<size_t>(i);
    curveRadios[k]->setChecked(i == m.selectedCurve());
    copyButtons[k]->setEnabled(m.copyEnabled(i));
  }
  ShowText(countEdit, m.countText());
  ShowText(stretchEdit, m.stretchText());
  pointTimeLabel->setText(Qs(m.pointTimeText()));
  totalTimeLabel->setText(Qs(m.totalTimeText()));
  rasterXList->setCurrentIndex(m.rasterX());
  rasterYList->setCurrentIndex(m.rasterY());

  thresholdLabel->setVisible(p.x7Threshold);
  thresholdEdit->setVisible(p.x7Threshold);
  thresholdSpinner->setVisible(p.x7Threshold);
  ShowText(thresholdEdit, m.thresholdText());

  relayCanvas->setVisible(p.relayStripAndSw1);
  relayLabel->setVisible(p.relayStripAndSw1);
  sw1Group->setVisible(p.relayStripAndSw1);
  sw1LearnRadio->setChecked(m.sw1Learn());
  sw1ServoRadio->setChecked(!m.sw1Learn());
  for (size_t i = 0; i < 4; ++i) {
    QComboBox* list = buttonActionLists[i];
    QStringList items;
    for (const auto& choice : p.buttonChoices[i]) items << Qs(choice);
    QStringList shown;
    for (int k = 0; k < list->count(); ++k) shown << list->itemText(k);
    if (shown != items) {
      list->clear();
      list->addItems(items);
    }
    list->setCurrentIndex(m.buttonActionIndex(static_cast<int>(i)));
    buttonActionLabels[i]->setText(Qs(p.buttonLabels[i]));
    const bool visible = m.buttonListVisible(static_cast<int>(i));
    list->setVisible(visible);
    buttonActionLabels[i]->setVisible(visible);
    Name(list, p.buttonLabels[i]);
  }

  ShowText(scaleEdit, m.scaleText());
  ShowText(shiftEdit, m.shiftText());
  applyButton->setEnabled(m.hasPendingChanges());
  curveCanvas->update();
  curveMargin->update();
  relayCanvas->update();
}

}  // namespace korrin
