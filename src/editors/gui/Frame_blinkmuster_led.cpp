#include "editors/gui/Frame_blinkmuster_led.h"

namespace korrin {

namespace {
constexpr int kStripLeft = 78;
constexpr int kStripTop = 58;
constexpr int kStripPitch = 44;
constexpr int kStripHeight = 38;
constexpr int kPreviewRow = kStripTop + 10 * kStripPitch;
constexpr int kBottomRow = kPreviewRow + 34;
constexpr int kFrameWidth = 850;
}  // namespace

TFrameBlinkmuster_led::TFrameBlinkmuster_led(LedBlinkPatternModel& model, QWidget* parent)
    : BlinkPatternFrame(model, parent) {
  group_parameter = new QGroupBox(QStringLiteral("Parameter für ..."), this);
  const char* addressHint = "Auswahl, für welche Adresse die Angezeigten Parameter gültig sind";
  for (int i = 0; i < 4; ++i) {
    auto* r = new QRadioButton(QStringLiteral("Adresse %1").arg(i + 1), group_parameter);
    r->resize(86, 20);
    r->setToolTip(QString::fromUtf8(addressHint));
    led_blinkmuster_rad_a[static_cast<size_t>(i)] = r;
    address_buttons[static_cast<size_t>(i)] = r;
  }
  led_blinkmuster_rad_a1 = led_blinkmuster_rad_a[0];
  led_blinkmuster_rad_a2 = led_blinkmuster_rad_a[1];
  led_blinkmuster_rad_a3 = led_blinkmuster_rad_a[2];
  led_blinkmuster_rad_a4 = led_blinkmuster_rad_a[3];
  led_blinkmuster_rad_a1->setChecked(true);

  led_blinkmuster_cbx_loop = new QCheckBox(QStringLiteral("Loop"), this);
  led_blinkmuster_cbx_loop->resize(56, 20);
  led_blinkmuster_cbx_loop->setToolTip(QString::fromUtf8("Ablauf wieder immer wieder neu gestartet"));
  loop_box = led_blinkmuster_cbx_loop;

  lbl_stretch = new QLabel(QStringLiteral("Stretch-Faktor"), this);
  lbl_stretch->resize(92, 18);
  stretch_label = lbl_stretch;
  led_blinkmuster_edt_stretch = new QLineEdit(QStringLiteral("10"), this);
  led_blinkmuster_edt_stretch->resize(70, 22);
  led_blinkmuster_edt_stretch->setToolTip(QString::fromUtf8("ermöglicht es, den Ablauf zu Verlangsamen"));
  UpDown10 = new PatternUpDown(led_blinkmuster_edt_stretch, 1, model.maxStretch(), this);
  UpDown10->resize(16, 22);
  stretch_edit = led_blinkmuster_edt_stretch;
  stretch_spinner = UpDown10;

  lbl_anzahl = new QLabel(QStringLiteral("Anzahl Punkte"), this);
  lbl_anzahl->resize(92, 18);
  count_label = lbl_anzahl;
  led_blinkmuster_edt_Anzahl = new QLineEdit(QStringLiteral("10"), this);
  led_blinkmuster_edt_Anzahl->resize(40, 22);
  led_blinkmuster_edt_Anzahl->setToolTip(QStringLiteral("Anzahl der Kurven-Punkte"));
  UpDown9 = new PatternUpDown(led_blinkmuster_edt_Anzahl, 1, model.maxCount(), this);
  UpDown9->resize(16, 22);
  count_edit = led_blinkmuster_edt_Anzahl;
  count_spinner = UpDown9;

  led_blinkmuster_lbl_KurveInfo1 = new QLabel(this);
  led_blinkmuster_lbl_KurveInfo1->resize(175, 18);
  led_blinkmuster_lbl_KurveInfo2 = new QLabel(this);
  led_blinkmuster_lbl_KurveInfo2->resize(175, 18);
  info_raster = led_blinkmuster_lbl_KurveInfo1;
  info_total = led_blinkmuster_lbl_KurveInfo2;

  for (int j = 0; j < 10; ++j) {
    const int y = kStripTop + j * kStripPitch;
    auto* label = new QLabel(QStringLiteral("Out#%1").arg(j + 1), this);
    label->setGeometry(8, y + 10, 48, 18);
    lbl_out[static_cast<size_t>(j)] = label;
    output_labels.push_back(label);
    auto* box = new QCheckBox(this);
    box->setGeometry(56, y + 10, 20, 20);
    box->setToolTip(QStringLiteral("Ausgang %1 verwenden (wird sonst nicht beeinflusst)").arg(j + 1));
    led_blinkmuster_cbx_out[static_cast<size_t>(j)] = box;
    output_boxes.push_back(box);
    connect(box, &QCheckBox::toggled, this, [this, j] { led_blinkmuster_cbx_outsClick(j); });
    auto* strip = new PatternStrip(this);
    strip->setGeometry(kStripLeft, y, kFrameWidth - kStripLeft - 10, kStripHeight);
    Image_led_Blink[static_cast<size_t>(j)] = strip;
    strips.push_back(strip);
    connect(strip, &PatternStrip::pressed, this, &TFrameBlinkmuster_led::Image_led_BlinkxMouseDown);
    connect(strip, &PatternStrip::moved, this, [this, j](QPoint p) { Image_led_BlinkxMouseMove(j, p); });
    connect(strip, &PatternStrip::released, this, &TFrameBlinkmuster_led::Image_led_BlinkxMouseUp);
  }

  lbl_kopieren = new QLabel(QStringLiteral("Kurve kopieren"), this);
  lbl_kopieren->resize(92, 18);
  for (int i = 0; i < 4; ++i) {
    auto* b = new QPushButton(QStringLiteral("von #%1").arg(i + 1), this);
    b->resize(54, 25);
    b->setToolTip(QStringLiteral("Kopieren der Kurvenformen von Adresse %1").arg(i + 1));
    led_blinkmuster_btn_copy[static_cast<size_t>(i)] = b;
    copy_buttons[static_cast<size_t>(i)] = b;
    connect(b, &QPushButton::clicked, this, [this, i] { led_blinkmuster_btn_copyClick(i + 1); });
  }

  led_blinkmuster_btn_verwerfen = new QPushButton(QStringLiteral("Verwerfen"), this);
  led_blinkmuster_btn_verwerfen->setGeometry(kFrameWidth - 15 - 90 - 10 - 90, kBottomRow, 90, 25);
  led_blinkmuster_btn_uebernehmen = new QPushButton(QString::fromUtf8("Übernehmen"), this);
  led_blinkmuster_btn_uebernehmen->setGeometry(kFrameWidth - 15 - 90, kBottomRow, 90, 25);
  led_blinkmuster_btn_uebernehmen->setEnabled(false);
  discard_button = led_blinkmuster_btn_verwerfen;
  apply_button = led_blinkmuster_btn_uebernehmen;
  connect(led_blinkmuster_btn_verwerfen, &QPushButton::clicked, this,
          &TFrameBlinkmuster_led::led_blinkmuster_btn_verwerfenClick);
  connect(led_blinkmuster_btn_uebernehmen, &QPushButton::clicked, this,
          &TFrameBlinkmuster_led::led_blinkmuster_btn_uebernehmenClick);

  for (int i = 0; i < 4; ++i)
    connect(address_buttons[static_cast<size_t>(i)], &QRadioButton::toggled, this,
            [this, i](bool checked) { led_blinkmuster_rad_axClick(i, checked); });
  connect(led_blinkmuster_cbx_loop, &QCheckBox::toggled, this, &TFrameBlinkmuster_led::led_blinkmuster_cbx_loopClick);
  connect(led_blinkmuster_edt_stretch, &QLineEdit::textChanged, this,
          &TFrameBlinkmuster_led::led_blinkmuster_edt_stretchChange);
  connect(led_blinkmuster_edt_Anzahl, &QLineEdit::textChanged, this,
          &TFrameBlinkmuster_led::led_blinkmuster_edt_AnzahlChange);

  preview = new PatternPreview(this, model, address_buttons, QRect(8, kPreviewRow, kFrameWidth - 15 - 8, 30),
                               std::vector<QWidget*>(strips.begin(), strips.end()),
                               [this]() -> const PatternStripGeometry& { return geometry(); });
  nameControls();
  layoutControls();
  resize(kFrameWidth, kBottomRow + 25 + 15);
  hide();
}

void TFrameBlinkmuster_led::layoutControls() {
  // Address buttons spaced by their width plus 10 pixels inside their group.
  int x = 8;
  for (auto* r : address_buttons) {
    r->move(x, 20);
    x += r->width() + 10;
  }
  group_parameter->setGeometry(8, 2, x, 46);
  // Loop box right of the group, then stretch, count and the time texts side by side.
  x = group_parameter->geometry().right() + 10;
  led_blinkmuster_cbx_loop->move(x, 22);
  x += led_blinkmuster_cbx_loop->width() + 6;
  lbl_stretch->move(x, 4);
  led_blinkmuster_edt_stretch->move(x, 24);
  UpDown10->move(x + led_blinkmuster_edt_stretch->width(), 24);
  x += lbl_stretch->width() + 8;
  lbl_anzahl->move(x, 4);
  led_blinkmuster_edt_Anzahl->move(x, 24);
  UpDown9->move(x + led_blinkmuster_edt_Anzahl->width(), 24);
  x += lbl_anzahl->width() + 6;
  led_blinkmuster_lbl_KurveInfo1->move(x, 10);
  led_blinkmuster_lbl_KurveInfo2->move(x, 28);
  // "Kurve kopieren" and the copy buttons in a row on the line of "Verwerfen".
  const int y = led_blinkmuster_btn_verwerfen->y();
  lbl_kopieren->move(8, y + 4);
  x = lbl_kopieren->geometry().right() + 6;
  for (auto* b : copy_buttons) {
    b->move(x, y);
    x += b->width() + 4;
  }
}

}  // namespace korrin
