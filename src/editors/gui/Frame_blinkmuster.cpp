#include "editors/gui/Frame_blinkmuster.h"

namespace korrin {

namespace {
constexpr int kStripLeft = 75;
constexpr int kStripTop = 92;
constexpr int kStripPitch = 48;
constexpr int kStripHeight = 41;
constexpr int kPreviewRow = kStripTop + 4 * kStripPitch;
constexpr int kBottomRow = kPreviewRow + 34;
}  // namespace

TFrameBlinkmuster::TFrameBlinkmuster(BlinkPatternModel& model, QWidget* parent)
    : BlinkPatternFrame(model, parent) {
  group_parameter = new QGroupBox(QStringLiteral("Parameter für ..."), this);
  group_parameter->setGeometry(8, 2, 340, 46);
  const char* addressHint = "Auswahl, für welche Adresse die Angezeigten Parameter gültig sind";
  QRadioButton** radios[4] = {&blinkmuster_rad_a1, &blinkmuster_rad_a2, &blinkmuster_rad_a3, &blinkmuster_rad_a4};
  for (int i = 0; i < 4; ++i) {
    auto* r = new QRadioButton(QStringLiteral("Adresse %1").arg(i + 1), group_parameter);
    r->setGeometry(8 + i * 82, 20, 80, 20);
    r->setToolTip(QString::fromUtf8(addressHint));
    *radios[i] = r;
    address_buttons[static_cast<size_t>(i)] = r;
  }
  blinkmuster_rad_a1->setChecked(true);
  for (int i = 0; i < 4; ++i)
    connect(address_buttons[static_cast<size_t>(i)], &QRadioButton::toggled, this,
            [this, i](bool checked) { blinkmuster_rad_axClick(i, checked); });

  blinkmuster_cbx_loop = new QCheckBox(QStringLiteral("Loop"), this);
  blinkmuster_cbx_loop->setGeometry(358, 22, 70, 20);
  blinkmuster_cbx_loop->setToolTip(QString::fromUtf8("Ablauf wieder immer wieder neu gestartet"));
  loop_box = blinkmuster_cbx_loop;

  lbl_stretch = new QLabel(QStringLiteral("Stretch-Faktor"), this);
  stretch_label = lbl_stretch;
  lbl_stretch->setGeometry(8, 58, 90, 18);
  blinkmuster_edt_stretch = new QLineEdit(QStringLiteral("10"), this);
  blinkmuster_edt_stretch->setGeometry(100, 56, 40, 22);
  blinkmuster_edt_stretch->setToolTip(QString::fromUtf8("ermöglicht es, den Ablauf zu Verlangsamen"));
  UpDown4 = new PatternUpDown(blinkmuster_edt_stretch, 1, model.maxStretch(), this);
  UpDown4->setGeometry(140, 56, 16, 22);
  stretch_edit = blinkmuster_edt_stretch;
  stretch_spinner = UpDown4;

  lbl_anzahl = new QLabel(QStringLiteral("Anzahl Punkte"), this);
  count_label = lbl_anzahl;
  lbl_anzahl->setGeometry(168, 58, 92, 18);
  blinkmuster_edt_Anzahl = new QLineEdit(QStringLiteral("10"), this);
  blinkmuster_edt_Anzahl->setGeometry(262, 56, 40, 22);
  blinkmuster_edt_Anzahl->setToolTip(QStringLiteral("Anzahl der Kurven-Punkte"));
  UpDown3 = new PatternUpDown(blinkmuster_edt_Anzahl, 1, model.maxCount(), this);
  UpDown3->setGeometry(302, 56, 16, 22);
  count_edit = blinkmuster_edt_Anzahl;
  count_spinner = UpDown3;

  blinkmuster_lbl_KurveInfo1 = new QLabel(this);
  blinkmuster_lbl_KurveInfo1->setGeometry(330, 52, 200, 18);
  blinkmuster_lbl_KurveInfo2 = new QLabel(this);
  blinkmuster_lbl_KurveInfo2->setGeometry(330, 70, 200, 18);
  info_raster = blinkmuster_lbl_KurveInfo1;
  info_total = blinkmuster_lbl_KurveInfo2;

  QCheckBox** boxes[4] = {&blinkmuster_cbx_out1, &blinkmuster_cbx_out2, &blinkmuster_cbx_out3, &blinkmuster_cbx_out4};
  PatternStrip** images[4] = {&Image_Blink1, &Image_Blink2, &Image_Blink3, &Image_Blink4};
  for (int j = 0; j < 4; ++j) {
    const int y = kStripTop + j * kStripPitch;
    lbl_out[static_cast<size_t>(j)] = new QLabel(QStringLiteral("Out#%1").arg(j + 1), this);
    lbl_out[static_cast<size_t>(j)]->setGeometry(8, y + 12, 42, 18);
    output_labels.push_back(lbl_out[static_cast<size_t>(j)]);
    auto* box = new QCheckBox(this);
    box->setGeometry(50, y + 12, 20, 20);
    box->setToolTip(QStringLiteral("Ausgang %1 verwenden (wird sonst nicht beeinflusst)").arg(j + 1));
    *boxes[j] = box;
    output_boxes.push_back(box);
    auto* strip = new PatternStrip(this);
    strip->setGeometry(kStripLeft, y, 450, kStripHeight);
    *images[j] = strip;
    strips.push_back(strip);
    connect(strip, &PatternStrip::pressed, this, &TFrameBlinkmuster::Image_BlinkxMouseDown);
    connect(strip, &PatternStrip::moved, this, [this, j](QPoint p) { Image_BlinkxMouseMove(j, p); });
    connect(strip, &PatternStrip::released, this, &TFrameBlinkmuster::Image_BlinkxMouseUp);
  }
  connect(blinkmuster_cbx_out1, &QCheckBox::toggled, this, &TFrameBlinkmuster::blinkmuster_cbx_out1Click);
  connect(blinkmuster_cbx_out2, &QCheckBox::toggled, this, &TFrameBlinkmuster::blinkmuster_cbx_out2Click);
  connect(blinkmuster_cbx_out3, &QCheckBox::toggled, this, &TFrameBlinkmuster::blinkmuster_cbx_out3Click);
  connect(blinkmuster_cbx_out4, &QCheckBox::toggled, this, &TFrameBlinkmuster::blinkmuster_cbx_out4Click);

  lbl_kopieren = new QLabel(QStringLiteral("Kurve kopieren"), this);
  lbl_kopieren->setGeometry(8, kBottomRow + 4, 100, 18);
  QPushButton** copies[4] = {&blinkmuster_btn_copy1, &blinkmuster_btn_copy2, &blinkmuster_btn_copy3, &blinkmuster_btn_copy4};
  for (int i = 0; i < 4; ++i) {
    auto* b = new QPushButton(QStringLiteral("von #%1").arg(i + 1), this);
    b->setGeometry(108 + i * 56, kBottomRow, 52, 25);
    b->setToolTip(QStringLiteral("Kopieren der Kurvenformen von Adresse %1").arg(i + 1));
    *copies[i] = b;
    copy_buttons[static_cast<size_t>(i)] = b;
  }
  connect(blinkmuster_btn_copy1, &QPushButton::clicked, this, &TFrameBlinkmuster::blinkmuster_btn_copy1Click);
  connect(blinkmuster_btn_copy2, &QPushButton::clicked, this, &TFrameBlinkmuster::blinkmuster_btn_copy2Click);
  connect(blinkmuster_btn_copy3, &QPushButton::clicked, this, &TFrameBlinkmuster::blinkmuster_btn_copy3Click);
  connect(blinkmuster_btn_copy4, &QPushButton::clicked, this, &TFrameBlinkmuster::blinkmuster_btn_copy4Click);

  blinkmuster_btn_verwerfen = new QPushButton(QStringLiteral("Verwerfen"), this);
  blinkmuster_btn_verwerfen->setGeometry(340, kBottomRow, 85, 25);
  blinkmuster_btn_uebernehmen = new QPushButton(QString::fromUtf8("Übernehmen"), this);
  blinkmuster_btn_uebernehmen->setGeometry(435, kBottomRow, 85, 25);
  blinkmuster_btn_uebernehmen->setEnabled(false);
  discard_button = blinkmuster_btn_verwerfen;
  apply_button = blinkmuster_btn_uebernehmen;
  connect(blinkmuster_btn_verwerfen, &QPushButton::clicked, this, &TFrameBlinkmuster::blinkmuster_btn_verwerfenClick);
  connect(blinkmuster_btn_uebernehmen, &QPushButton::clicked, this, &TFrameBlinkmuster::blinkmuster_btn_uebernehmenClick);

  connect(blinkmuster_cbx_loop, &QCheckBox::toggled, this, &TFrameBlinkmuster::blinkmuster_cbx_loopClick);
  connect(blinkmuster_edt_stretch, &QLineEdit::textChanged, this, &TFrameBlinkmuster::blinkmuster_edt_stretchChange);
  connect(blinkmuster_edt_Anzahl, &QLineEdit::textChanged, this, &TFrameBlinkmuster::blinkmuster_edt_AnzahlChange);

  preview = new PatternPreview(this, model, address_buttons, QRect(8, kPreviewRow, 512, 30),
                               std::vector<QWidget*>(strips.begin(), strips.end()),
                               [this]() -> const PatternStripGeometry& { return geometry(); });
  nameControls();
  resize(535, kBottomRow + 25 + 15);
  hide();
}

}  // namespace korrin
