#include "editors/gui/Frame_tamb.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "editors/curve_files.h"
#include "editors/curve_generators.h"
#include "editors/gui/Frame_tamb_adr.h"
#include "editors/gui/preview_widgets.h"
#include "editors/gui/servo_widgets.h"
#include "image/format.h"

namespace korrin {

namespace {

constexpr int kCurveWidth = 530;
constexpr int kCurveHeight = 201;
constexpr int kRelayHeight = 57;
constexpr int kEepromSw1 = 0x00;
constexpr int kEepromX7 = 0x30;

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

void Warn(Dialogs& dialogs, const std::string& text) { dialogs.show(BoxKind::Warning, text, Buttons::Cancel); }

}  // namespace

TFrameTamb::TFrameTamb(EditorContext& context, QWidget* parent) : EditorFrame(context, parent) {
  setObjectName(QStringLiteral("FrameTamb"));
  buildControls();
  preview = new ServoPreview(
      this, [this]() -> const CurveBlock& { return curve_table.blocks[static_cast<size_t>(selectedCurve())]; },
      [this] { return !servo_Image2->isHidden(); }, servo_rad_a, servo_Image1, servo_Image2, QPoint(440, 106),
      QRect(544, 160, 66, 110), QRect(546, 366, 66, 28));
}

void TFrameTamb::buildControls() {
  GroupBoxParameter = MakeGroup(this, "GroupBoxParameter", "Parameter für ...", 10, 5, 530, 46);
  for (int i = 0; i < 4; ++i) {
    const std::string name = Format("servo_rad_a%i", i + 1);
    const std::string caption = Format("Kurve %i", i + 1);
    servo_rad_a[static_cast<size_t>(i)] =
        Make<QRadioButton>(GroupBoxParameter, name.c_str(), caption.c_str(), 12 + i * 125, 19, 100, 20);
    SetHint(servo_rad_a[static_cast<size_t>(i)], "Auswahl, für welche Adresse die Angezeigten Parameter gültig sind");
    connect(servo_rad_a[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this] { servo_rad_axClick(); });
  }
  servo_rad_a[0]->setChecked(true);

  lbl_Anzahl = Make<QLabel>(this, "lbl_Anzahl", "Anzahl Punkte", 10, 60, 95, 20);
  edt_Anzahl = MakeEdit(this, "edt_Anzahl", 105, 58, 40, 24);
  SetHint(edt_Anzahl, "Anzahl der Kurven-Punkte");
  UpDown1 = new ServoUpDown(edt_Anzahl, 1, 200, this);
  UpDown1->setObjectName(QStringLiteral("UpDown1"));
  UpDown1->setGeometry(145, 58, 17, 24);
  connect(edt_Anzahl, &QLineEdit::textChanged, this, [this] { edt_AnzahlChange(); });

  lbl_stretch = Make<QLabel>(this, "lbl_stretch", "Stretch-Faktor", 180, 60, 95, 20);
  edt_stretch = MakeEdit(this, "edt_stretch", 275, 58, 40, 24);
  SetHint(edt_stretch, "ermöglicht es, den Ablauf zu Verlangsamen");
  UpDown2 = new ServoUpDown(edt_stretch, 1, 200, this);
  UpDown2->setObjectName(QStringLiteral("UpDown2"));
  UpDown2->setGeometry(315, 58, 17, 24);
  connect(edt_stretch, &QLineEdit::textChanged, this, [this] { edt_stretchChange(); });

  lbl_raster_x = Make<QLabel>(this, "lbl_raster_x", "Raster X", 352, 60, 55, 20);
  cbx_raster_x = MakeList(this, "cbx_raster_x", 407, 58, 56, 24);
  for (int i = 0; i <= 70; ++i) cbx_raster_x->addItem(QString::number(i));
  lbl_raster_y = Make<QLabel>(this, "lbl_raster_y", "Raster Y", 478, 60, 55, 20);
  cbx_raster_y = MakeList(this, "cbx_raster_y", 533, 58, 56, 24);
  for (int i = 0; i <= 10; ++i) cbx_raster_y->addItem(QString::number(i));
  connect(cbx_raster_x, &QComboBox::activated, this, [this] { cbx_raster_xChange(); });
  connect(cbx_raster_y, &QComboBox::activated, this, [this] { cbx_raster_xChange(); });

  lbl_KurveInfo1 = Make<QLabel>(this, "lbl_KurveInfo1", "", 10, 86, 260, 18);
  lbl_KurveInfo2 = Make<QLabel>(this, "lbl_KurveInfo2", "", 275, 86, 315, 18);

  text_tambel_schwelle = Make<QLabel>(this, "text_tambel_schwelle", "Schwellwert Ausgang X7", 10, 110, 155, 20);
  SetHint(text_tambel_schwelle,
          "X7 kann ein Relais ansteuern in Abhängigkeit des Kurven-Wertes (unverstärkter Logik-Pegel)");
  edt_tambel_schwelle = MakeEdit(this, "edt_tambel_schwelle", 165, 108, 40, 24);
  SetHint(edt_tambel_schwelle, "In der Grafik: rote Linie");
  UpDown4 = new ServoUpDown(edt_tambel_schwelle, 1, 200, this);
  UpDown4->setObjectName(QStringLiteral("UpDown4"));
  UpDown4->setGeometry(205, 108, 17, 24);
  connect(edt_tambel_schwelle, &QLineEdit::textChanged, this, [this] { edt_tambel_schwelleChange(); });

  servo_Image1 = new ServoCanvas(this);
  servo_Image1->setObjectName(QStringLiteral("servo_Image1"));
  servo_Image1->setGeometry(10, 136, kCurveWidth, kCurveHeight);
  SetHint(servo_Image1, "Definieren der Kurvenform (Maus: Klick & Move)");
  Label_Servo = Make<QLabel>(this, "Label_Servo", "Servo", 546, 136, 50, 20);
  servo_Image2 = new ServoCanvas(this);
  servo_Image2->setObjectName(QStringLiteral("servo_Image2"));
  servo_Image2->setGeometry(10, 344, kCurveWidth, kRelayHeight);
  SetHint(servo_Image2,
          "Definieren, ob Relais zu einem bestimmten Kurven-Zeitpunkt AUS oder EIN (rotes Feld) ist");
  Label_Servo_Relais = Make<QLabel>(this, "Label_Servo_Relais", "Relais", 546, 344, 50, 20);
  for (ServoCanvas* canvas : {servo_Image1, servo_Image2}) {
    connect(canvas, &ServoCanvas::pressed, this, [this] { servo_ImagexMouseDown(); });
    connect(canvas, &ServoCanvas::released, this, [this] { servo_ImagexMouseUp(); });
  }
  connect(servo_Image1, &ServoCanvas::moved, this, [this](int x, int y) { servo_Image1MouseMove(x, y); });
  connect(servo_Image2, &ServoCanvas::moved, this, [this](int x, int y) { servo_Image2MouseMove(x, y); });

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
  connect(btn_Lin, &QPushButton::clicked, this, [this] { generate(CurveShape::Lin); });
  connect(btn_Log, &QPushButton::clicked, this, [this] { generate(CurveShape::Log); });
  connect(btn_Sin, &QPushButton::clicked, this, [this] { generate(CurveShape::QuarterSine); });
  connect(btn_sin2, &QPushButton::clicked, this, [this] { generate(CurveShape::HalfSine); });

  GroupBoxSpiegeln = MakeGroup(this, "GroupBoxSpiegeln", "Spiegeln", 232, 410, 160, 54);
  btn_MirrorVertikal = Make<QPushButton>(GroupBoxSpiegeln, "btn_MirrorVertikal", "vertikal", 8, 20, 70, 26);
  btn_MirrorHorizontal = Make<QPushButton>(GroupBoxSpiegeln, "btn_MirrorHorizontal", "horizontal", 82, 20, 72, 26);
  SetHint(btn_MirrorVertikal, "vertikales Spiegeln der Kurvenform");
  SetHint(btn_MirrorHorizontal, "horizonzales Spiegeln der Kurvenform");
  connect(btn_MirrorVertikal, &QPushButton::clicked, this, [this] { btn_MirrorVertikalClick(); });
  connect(btn_MirrorHorizontal, &QPushButton::clicked, this, [this] { btn_MirrorHorizontalClick(); });

  GroupBoxKopieren = MakeGroup(this, "GroupBoxKopieren", "Kurve kopieren", 399, 410, 200, 54);
  for (int i = 0; i < 4; ++i) {
    const std::string name = Format("btn_copy%i", i + 1);
    const std::string caption = Format("von #%i", i + 1);
    const std::string hint = Format("Kopieren der Kurvenformen von Kurve %i", i + 1);
    auto* b = Make<QPushButton>(GroupBoxKopieren, name.c_str(), caption.c_str(), 6 + i * 47, 20, 46, 26);
    SetHint(b, hint.c_str());
    btn_copy[static_cast<size_t>(i)] = b;
    connect(b, &QPushButton::clicked, this, [this, i] { btn_copyClick(i + 1); });
  }

  GroupBoxKurve = MakeGroup(this, "GroupBoxKurve", "Kurve", 10, 470, 150, 54);
  servo_load_1 = Make<QPushButton>(GroupBoxKurve, "servo_load_1", "laden", 8, 20, 64, 26);
  servo_save_1 = Make<QPushButton>(GroupBoxKurve, "servo_save_1", "speichern", 76, 20, 68, 26);
  SetHint(servo_load_1, "laden von Kurven-Daten");
  SetHint(servo_save_1, "speichern von Kurven-Daten");
  connect(servo_load_1, &QPushButton::clicked, this, [this] { servo_load_1Click(); });
  connect(servo_save_1, &QPushButton::clicked, this, [this] { servo_save_1Click(); });

  GroupBoxSetup = MakeGroup(this, "GroupBoxSetup", "Setup", 166, 470, 150, 54);
  servo_load_all = Make<QPushButton>(GroupBoxSetup, "servo_load_all", "laden", 8, 20, 64, 26);
  servo_save_all = Make<QPushButton>(GroupBoxSetup, "servo_save_all", "speichern", 76, 20, 68, 26);
  SetHint(servo_load_all, "laden Kurven-Daten inkl. Pukte-Anzahl, Stretch-Faktor etc.");
  SetHint(servo_save_all, "speichern Kurven-Daten inkl. Pukte-Anzahl, Stretch-Faktor etc.");
  connect(servo_load_all, &QPushButton::clicked, this, [this] { servo_load_allClick(); });
  connect(servo_save_all, &QPushButton::clicked, this, [this] { servo_save_allClick(); });

  GroupBoxSkalierung = MakeGroup(this, "GroupBoxSkalierung", "Skalierung", 322, 470, 136, 54);
  edt_scale = MakeEdit(GroupBoxSkalierung, "edt_scale", 8, 21, 46, 24);
  edt_scale->setText(QStringLiteral("0,5"));
  btn_scale = Make<QPushButton>(GroupBoxSkalierung, "btn_scale", "anwenden", 58, 20, 72, 26);
  connect(btn_scale, &QPushButton::clicked, this, [this] { btn_scaleClick(); });

  GroupBoxShift = MakeGroup(this, "GroupBoxShift", "Hoch/Runter", 463, 470, 136, 54);
  edt_shift = MakeEdit(GroupBoxShift, "edt_shift", 8, 21, 46, 24);
  edt_shift->setText(QStringLiteral("10"));
  btn_shift = Make<QPushButton>(GroupBoxShift, "btn_shift", "anwenden", 58, 20, 72, 26);
  connect(btn_shift, &QPushButton::clicked, this, [this] { btn_shiftClick(); });

  // Push-button SW1 and the push-button actions.
  servo_GroupBox1 = MakeGroup(this, "servo_GroupBox1", "Funktion für Taster SW1", 10, 530, 180, 72);
  servo_rad_servo = Make<QRadioButton>(servo_GroupBox1, "servo_rad_servo", "Servo-Bedienung", 10, 20, 160, 22);
  servo_rad_lernen = Make<QRadioButton>(servo_GroupBox1, "servo_rad_lernen", "Lernen + Justage", 10, 44, 160, 22);
  connect(servo_rad_servo, &QRadioButton::clicked, this, [this] { servo_rad_Click(); });
  connect(servo_rad_lernen, &QRadioButton::clicked, this, [this] { servo_rad_Click(); });

  const char* listNames[4] = {"servo_cbx_s1c", "servo_cbx_s1o", "servo_cbx_s2c", "servo_cbx_s2o"};
  const char* labelNames[4] = {"Label_Servo_sw1a", "Label_Servo_sw1b", "Label_Servo_sw2a", "Label_Servo_sw2b"};
  for (int i = 0; i < 4; ++i) {
    const int x = 198 + (i % 2) * 202;
    const int y = 538 + (i / 2) * 32;
    Label_Servo_sw[static_cast<size_t>(i)] = Make<QLabel>(this, labelNames[i], "", x, y + 2, 92, 20);
    QComboBox* list = MakeList(this, listNames[i], x + 92, y, 108, 24);
    SetHint(list, "ermöglicht das Auslösen von Aktionen \r\nvia (Justage-)Taster");
    servo_cbx_s[static_cast<size_t>(i)] = list;
    connect(list, &QComboBox::activated, this, [this, i](int index) { servo_cbx_sxxChange(i, index); });
  }

  servo_btn_verwerfen = Make<QPushButton>(this, "servo_btn_verwerfen", "verwerfen", 398, 612, 95, 28);
  SetHint(servo_btn_verwerfen, "Daten verwerfen");
  servo_btn_uebernehmen = Make<QPushButton>(this, "servo_btn_uebernehmen", "übernehmen", 500, 612, 100, 28);
  SetHint(servo_btn_uebernehmen, "Daten übernehmen");
  servo_btn_uebernehmen->setEnabled(false);
  connect(servo_btn_verwerfen, &QPushButton::clicked, this, [this] { servo_btn_verwerfenClick(); });
  connect(servo_btn_uebernehmen, &QPushButton::clicked, this, [this] { servo_btn_uebernehmenClick(); });
}

int TFrameTamb::selectedCurve() const {
  for (int i = 0; i < 4; ++i)
    if (servo_rad_a[static_cast<size_t>(i)]->isChecked()) return i;
  return 0;
}

CurveBlock& TFrameTamb::selectedBlock() { return curve_table.blocks[static_cast<size_t>(selectedCurve())]; }

void TFrameTamb::EnableApply() { servo_btn_uebernehmen->setEnabled(true); }

bool TFrameTamb::hasPendingChanges() const { return !isHidden() && servo_btn_uebernehmen->isEnabled(); }

void TFrameTamb::applyPendingChanges() { servo_btn_uebernehmenClick(); }

void TFrameTamb::ShowEditor() {
  preview->stop();
  filling = true;
  servo_Image1->picture().fill(Qt::white);
  servo_Image1->update();
  strip_height = static_cast<float>(servo_Image1->height());
  unit_height = strip_height / 128.0f;
  relay_height = static_cast<float>(servo_Image2->height());
  relay_unit_height = relay_height / 128.0f;

  const CurvePresentation p = CurvePresentationFor(ctx.DecoderIdentifier);
  for (size_t i = 0; i < 4; ++i) {
    servo_cbx_s[i]->clear();
    for (const auto& choice : p.buttonChoices[i]) servo_cbx_s[i]->addItem(Qs(choice));
    Label_Servo_sw[i]->setText(Qs(p.buttonLabels[i]));
    servo_cbx_s[i]->setVisible(true);
    Label_Servo_sw[i]->setVisible(true);
  }
  servo_Image2->setVisible(p.relayStripAndSw1);
  Label_Servo_Relais->setVisible(p.relayStripAndSw1);
  servo_GroupBox1->setVisible(p.relayStripAndSw1);
  text_tambel_schwelle->setVisible(p.x7Threshold);
  edt_tambel_schwelle->setVisible(p.x7Threshold);
  UpDown4->setVisible(p.x7Threshold);

  cbx_raster_x->setCurrentIndex(std::clamp(ctx.RasterX, 0, cbx_raster_x->count() - 1));
  cbx_raster_y->setCurrentIndex(std::clamp(ctx.RasterY, 0, cbx_raster_y->count() - 1));

  SetHint(edt_shift,
          "Wert, um den die Kurve nach oben (positive Werte) oder nach unten (negative Werte) verschoben wird\r\n"
          "Ein Wert von 64 verschiebt die Kurve um die halbe Y-Achse nach oben");
  SetHint(edt_scale,
          "Wert, mit dem die Kurve multipliziert wird. \r\n"
          "D.h. Werte > 1 ziehen die Kurve in der Y-Achse auseinander, Werte < 1 stauchen die Kurve");

  ReloadEditor();
  servo_btn_uebernehmen->setEnabled(false);
  filling = false;
}

void TFrameTamb::ShowButtonActions() {
  for (size_t i = 0; i < 4; ++i) {
    // An action bit beyond the list (bit 4..7 on a decoder with four addresses) selects
    // nothing; the byte stays as it is until the user chooses.
    const int index = ButtonActionIndex(curve_table.blocks[i][kEntryButtonAction]);
    servo_cbx_s[i]->setCurrentIndex(index < servo_cbx_s[i]->count() ? index : -1);
  }
}

void TFrameTamb::UpdateSw1Lists() {
  // Only the four-servo decoder has the SW1 choice; the lists of push-button 1 are usable
  // only while SW1 operates the servos.
  if (!CurvePresentationFor(ctx.DecoderIdentifier).relayStripAndSw1) return;
  const bool shown = servo_rad_servo->isChecked();
  for (size_t i = 0; i < 2; ++i) {
    servo_cbx_s[i]->setVisible(shown);
    Label_Servo_sw[i]->setVisible(shown);
  }
}

void TFrameTamb::ReloadEditor() {
  LoadCurves(ctx.image, curve_table);
  ShowButtonActions();
  if (ctx.image.get_Hex_EE(kEepromSw1) == "01")
    servo_rad_lernen->setChecked(true);
  else
    servo_rad_servo->setChecked(true);
  UpdateSw1Lists();
  if (HasX7Threshold(ctx.DecoderIdentifier)) {
    x7_threshold = ctx.image.eepromValue(kEepromX7);
    edt_tambel_schwelle->setText(QString::number(x7_threshold));
  }
  DrawCurve();
  DrawRelay();
  ShowParameters();
  if (address_frame) address_frame->RefreshEditor();
  servo_btn_uebernehmen->setEnabled(false);
}

void TFrameTamb::StoreCurves() { korrin::StoreCurves(curve_table, ctx.image); }

void TFrameTamb::ShowParameters() {
  const int b = selectedCurve();
  const CurveBlock& block = curve_table.blocks[static_cast<size_t>(b)];
  edt_Anzahl->setText(QString::number(block[kEntryCount]));
  edt_stretch->setText(QString::number(block[kEntryStretch]));
  for (int i = 0; i < 4; ++i) btn_copy[static_cast<size_t>(i)]->setEnabled(i != b);
  // The texts follow what the edits now show.
  const int n = ReadServoInteger(edt_Anzahl->text().toStdString()).value_or(block[kEntryCount]);
  const int s = ReadServoInteger(edt_stretch->text().toStdString()).value_or(block[kEntryStretch]);
  lbl_KurveInfo1->setText(Qs(PointTimeText(s)));
  lbl_KurveInfo2->setText(Qs(TotalTimeText(n, s)));
}

void TFrameTamb::DrawCurve() {
  const CurveBlock& block = selectedBlock();
  const int w = servo_Image1->width();
  const int h = servo_Image1->height();
  cell_width = CellWidth(w, block[kEntryCount]);
  std::optional<int> threshold;
  if (HasX7Threshold(ctx.DecoderIdentifier)) threshold = x7_threshold;
  const CurvePicture pic =
      LayoutCurve(block, w, h, cbx_raster_x->currentIndex(), cbx_raster_y->currentIndex(), threshold);

  QImage& img = servo_Image1->picture();
  img.fill(Qt::white);
  QPainter p(&img);
  const int r = pic.markerHalfSize;
  for (size_t q = 0; q < pic.points.size(); ++q) {
    const PixelPoint pt = pic.points[q];
    p.setPen(Qt::black);
    if (q > 0) p.drawLine(pic.points[q - 1].x, pic.points[q - 1].y, pt.x, pt.y);
    p.setBrush(Qt::red);
    // A square from (x - r, y - r) to (x + r, y + r), the far edges excluded.
    if (r > 0)
      p.drawRect(pt.x - r, pt.y - r, 2 * r - 1, 2 * r - 1);
    else
      p.drawPoint(pt.x, pt.y);
  }
  p.setPen(QColor(0, 255, 0));
  for (int y : pic.gridY) p.drawLine(0, y, w - 1, y);
  for (int x : pic.gridX) p.drawLine(x, 0, x, h - 1);
  if (pic.thresholdY) {
    p.setPen(Qt::red);
    p.drawLine(0, *pic.thresholdY, w - 1, *pic.thresholdY);
  }
  p.end();
  servo_Image1->update();
}

void TFrameTamb::DrawRelay() {
  const CurveBlock& block = selectedBlock();
  const int w = servo_Image2->width();
  const int h = servo_Image2->height();
  const RelayPicture pic = LayoutRelay(block, w, h, cbx_raster_x->currentIndex());
  QImage& img = servo_Image2->picture();
  img.fill(Qt::white);
  QPainter p(&img);
  p.setPen(Qt::black);
  p.setBrush(Qt::red);
  for (const PixelRect& c : pic.cells)
    if (c.right - c.left > 0 && c.bottom - c.top > 0)
      p.drawRect(c.left, c.top, c.right - c.left - 1, c.bottom - c.top - 1);
  p.setPen(QColor(0, 255, 0));
  for (int x : pic.gridX) p.drawLine(x, 0, x, h - 1);
  p.end();
  servo_Image2->update();
}

void TFrameTamb::CurveChanged() {
  DrawCurve();
  DrawRelay();
  EnableApply();
}

void TFrameTamb::servo_rad_axClick() {
  if (filling) return;
  DrawCurve();
  DrawRelay();
  ShowParameters();
}

void TFrameTamb::edt_AnzahlChange() {
  const std::string text = edt_Anzahl->text().toStdString();
  if (text.empty()) return;
  const auto v = ReadServoInteger(text);
  if (!v) {
    Warn(ctx.dialogs, "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..100");
    edt_Anzahl->setFocus();
    return;
  }
  const int n = std::clamp(*v, 1, kMaxCurvePoints);
  // Showing another curve's count runs this reaction too; only a count that differs from
  // the stored one is a change of the working copy.
  const bool changed = selectedBlock()[kEntryCount] != n;
  selectedBlock()[kEntryCount] = n;
  cell_width = CellWidth(servo_Image1->width(), n);
  if (filling) return;
  DrawCurve();
  DrawRelay();
  ShowParameters();
  if (changed) EnableApply();
}

void TFrameTamb::edt_stretchChange() {
  if (filling) return;
  const std::string text = edt_stretch->text().toStdString();
  if (text.empty()) return;
  const auto v = ReadServoInteger(text);
  if (!v) {
    Warn(ctx.dialogs, "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200");
    edt_stretch->setFocus();
    return;
  }
  const int stretch = std::clamp(*v, 1, 200);
  const bool changed = selectedBlock()[kEntryStretch] != stretch;
  selectedBlock()[kEntryStretch] = stretch;
  DrawCurve();
  DrawRelay();
  ShowParameters();
  if (changed) EnableApply();
}

void TFrameTamb::cbx_raster_xChange() {
  if (filling) return;
  ctx.RasterX = cbx_raster_x->currentIndex();
  ctx.RasterY = cbx_raster_y->currentIndex();
  DrawCurve();
  DrawRelay();
}

void TFrameTamb::edt_tambel_schwelleChange() {
  if (filling) return;
  const std::string text = edt_tambel_schwelle->text().toStdString();
  if (text.empty()) return;
  const auto v = ReadServoInteger(text);
  if (!v) {
    Warn(ctx.dialogs, Format("Ungültige Eingabe für <%s> ", text_tambel_schwelle->text().toUtf8().constData()));
    edt_tambel_schwelle->setFocus();
    return;
  }
  const int t = std::clamp(*v, 0, 127);
  const QString shown = QString::number(t);
  if (edt_tambel_schwelle->text() != shown) {
    // Writing the limited value back runs this reaction once more with the same value.
    edt_tambel_schwelle->setText(shown);
    return;
  }
  x7_threshold = t;
  ctx.image.setEepromValue(kEepromX7, t);
  DrawCurve();
}

void TFrameTamb::servo_ImagexMouseDown() { mouse_down = true; }

void TFrameTamb::servo_ImagexMouseUp() { mouse_down = false; }

void TFrameTamb::servo_Image1MouseMove(int x, int y) {
  if (!mouse_down) return;
  const int q = NearestCurvePoint(x, cell_width);
  const int p = CurvePositionAt(y, strip_height, unit_height);
  SetPointPosition(selectedBlock(), q, p);
  DrawCurve();
  EnableApply();
}

void TFrameTamb::servo_Image2MouseMove(int x, int y) {
  if (!mouse_down) return;
  const int q = RelayCellAt(x, cell_width);
  SetPointRelay(selectedBlock(), q, RelayOnAt(y, relay_height, relay_unit_height));
  DrawRelay();
  EnableApply();
}

void TFrameTamb::generate(CurveShape shape) {
  if (!GenerateCurve(selectedBlock(), shape)) {
    ctx.dialogs.show(BoxKind::Warning, kShapeNeedsTwoPointsMessage, Buttons::Ok);
    return;
  }
  CurveChanged();
}

void TFrameTamb::btn_MirrorVertikalClick() {
  MirrorVertical(selectedBlock());
  CurveChanged();
}

void TFrameTamb::btn_MirrorHorizontalClick() {
  MirrorHorizontal(selectedBlock());
  CurveChanged();
}

void TFrameTamb::btn_scaleClick() {
  const CurveOperand f = ReadScaleFactor(edt_scale->text().toStdString());
  if (f.kind == CurveOperand::Empty) return;
  if (f.kind == CurveOperand::Invalid) {
    Warn(ctx.dialogs, kScaleRangeMessage);
    edt_scale->setFocus();
    return;
  }
  ScaleCurve(selectedBlock(), f.value);
  CurveChanged();
}

void TFrameTamb::btn_shiftClick() {
  const CurveOperand s = ReadShiftAmount(edt_shift->text().toStdString());
  if (s.kind == CurveOperand::Empty) return;
  if (s.kind == CurveOperand::Invalid) {
    Warn(ctx.dialogs, kShiftRangeMessage);
    edt_shift->setFocus();
    return;
  }
  ShiftCurve(selectedBlock(), s.value);
  CurveChanged();
}

void TFrameTamb::btn_copyClick(int n) {
  CopyCurve(curve_table, n - 1, selectedCurve());
  DrawCurve();
  DrawRelay();
  ShowParameters();
  if (address_frame) address_frame->RefreshEditor();
  EnableApply();
}

void TFrameTamb::servo_load_1Click() {
  const CurveTable before = curve_table;
  const CurveFileResult r = LoadCurveFile(curve_table, selectedCurve(), ctx.dialogs, ctx.fileDialogs);
  if (r == CurveFileResult::Cancelled) return;
  if (r == CurveFileResult::Failed && curve_table.blocks == before.blocks) return;
  // A file that stopped at a faulty line has already replaced the points before it: the
  // drawing shows them and "übernehmen" is offered, so the working copy never differs
  // from what the frame shows.
  DrawCurve();
  DrawRelay();
  ShowParameters();
  EnableApply();
}

void TFrameTamb::servo_save_1Click() { SaveCurveFile(curve_table, selectedCurve(), ctx.dialogs, ctx.fileDialogs); }

void TFrameTamb::servo_load_allClick() {
  const CurveTable before = curve_table;
  const CurveFileResult r = LoadSetFile(curve_table, ctx.dialogs, ctx.fileDialogs);
  if (r == CurveFileResult::Cancelled) return;
  if (r == CurveFileResult::Failed && curve_table.blocks == before.blocks) return;
  DrawCurve();
  DrawRelay();
  ShowParameters();
  // The set holds the push-button actions too.
  ShowButtonActions();
  if (address_frame) address_frame->RefreshEditor();
  EnableApply();
}

void TFrameTamb::servo_save_allClick() { SaveSetFile(curve_table, ctx.dialogs, ctx.fileDialogs); }

void TFrameTamb::servo_rad_Click() {
  ctx.image.set_Hex_EE(kEepromSw1, servo_rad_lernen->isChecked() ? "01" : "F0");
  UpdateSw1Lists();
  EnableApply();
}

void TFrameTamb::servo_cbx_sxxChange(int list, int index) {
  curve_table.blocks[static_cast<size_t>(list)][kEntryButtonAction] = ButtonActionValue(index);
  EnableApply();
}

void TFrameTamb::servo_btn_uebernehmenClick() {
  StoreCurves();
  if (address_frame) {
    const auto values = address_frame->PulseValues();
    for (size_t i = 0; i < values.size(); ++i)
      ctx.image.setEepromValue(kPulseEepromCell + static_cast<int>(i), values[i]);
  }
  servo_btn_uebernehmen->setEnabled(false);
}

void TFrameTamb::servo_btn_verwerfenClick() {
  ReloadEditor();
  servo_btn_uebernehmen->setEnabled(false);
}

}  // namespace korrin
