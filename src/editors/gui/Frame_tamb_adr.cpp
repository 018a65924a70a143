#include "editors/gui/Frame_tamb_adr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "editors/gui/Frame_tamb.h"
#include "editors/gui/servo_widgets.h"
#include "image/format.h"

namespace korrin {

namespace {

constexpr int kRowTop = 6;
constexpr int kRowPitch = 23;
constexpr int kStepOf[4] = {-10, -1, 1, 10};
const char* const kStepCaption[4] = {"<<", "<", ">", ">>"};
const char* const kStepHint[4] = {"- 80 us", "- 8 us", "+ 8 us", "+ 80 us"};

QComboBox* MakeList(QWidget* parent, const std::string& name, const std::vector<const char*>& items, const char* hint,
                    int x, int y, int w) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromStdString(name));
  for (const char* item : items) list->addItem(QString::fromUtf8(item));
  SetHint(list, hint);
  list->setGeometry(x, y, w, 22);
  return list;
}

QCheckBox* MakeBox(QWidget* parent, const std::string& name, const char* caption, const std::string& hint, int y) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(QString::fromStdString(name));
  SetHint(box, hint.c_str());
  box->setGeometry(8, y, 180, 18);
  return box;
}

char DecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  const char c = point.isEmpty() ? '.' : point.at(0).toLatin1();
  return c ? c : '.';
}

}  // namespace

TFrameTambAdr::TFrameTambAdr(EditorContext& context, TFrameTamb& curves, QWidget* parent)
    : EditorFrame(context, parent), curves_(curves) {
  setObjectName(QStringLiteral("FrameTambAdr"));
  buildControls();
  curves_.setAddressFrame(this);
}

void TFrameTambAdr::buildControls() {
  for (int r = 0; r < kAddressRows; ++r) {
    const size_t i = static_cast<size_t>(r);
    const int y = kRowTop + r * kRowPitch;
    auto* caption = new QLabel(this);
    caption->setObjectName(QString::fromStdString(Format("lbl_servo_adresse%02i", r + 1)));
    caption->setText(QString::fromStdString(Format("Adresse %02i:", r + 1)));
    caption->setGeometry(4, y + 2, 76, 20);
    lbl_servo_adresse[i] = caption;
    cbx_servo[i] = MakeList(this, Format("cbx_a%i_servo", r + 1), {"Servo 1", "Servo 2", "Servo 3", "Servo 4"},
                            "Auswahl des Servo", 80, y, 74);
    cbx_action[i] = MakeList(this, Format("cbx_a%i_action", r + 1), {"Start", "Start Loop", "Abbruch", "Beenden"},
                             "Start: Kurve einmalig starten\r\nStart Loop: Kurve immer wieder starten\r\n"
                             "Abbruch: Kurve sofort abbrechen\r\nBeenden: Kurve nach Beendigung abbrechen (Loop Ende)",
                             156, y, 92);
    cbx_curve[i] = MakeList(this, Format("cbx_a%i_curve", r + 1), {"Kurve 1", "Kurve 2", "Kurve 3", "Kurve 4"},
                            "Auswahl der Kurve", 250, y, 72);
    cbx_relais[i] = MakeList(this, Format("cbx_a%i_relais", r + 1), {"Relais 1", "Relais 2", "Relais 3", "Relais 4"},
                             "Auswahl des Relais", 324, y, 72);
    connect(cbx_servo[i], &QComboBox::activated, this, [this, r](int index) { cbx_ax_servoChange(r + 1, index); });
    connect(cbx_action[i], &QComboBox::activated, this, [this, r](int index) { cbx_ax_actionChange(r + 1, index); });
    connect(cbx_curve[i], &QComboBox::activated, this, [this, r](int index) { cbx_ax_curveChange(r + 1, index); });
    connect(cbx_relais[i], &QComboBox::activated, this, [this, r](int index) { cbx_ax_relaisChange(r + 1, index); });
  }

  const char* const kOffsetHint =
      "Diese Zeit definiert die untere Grenze, mit der der Servo\r\nangesteuert wird.\r\n"
      "Dieser Parameter kann später über eine Lern-Funktion \r\nan den Servo und die Konstruktion angepasst werden.\r\n"
      "Eine Änderung der Min-Zeit verschieb auch die Max-Zeit\r\n(wirkt wie ein Offset)";
  const char* const kMaxHint =
      "Mit dieser Impuls-Zeit wird der Servo Maximal angesteuert. \r\n"
      "Dieser Parameter kann später über eine Lern-Funktion \r\nan den Servo und die Konstruktion angepasst werden.\r\n"
      "Eine Änderung der Min-Zeit verschieb auch die Max-Zeit\r\n(wirkt wie ein Offset)";
  for (int s = 0; s < kServos; ++s) {
    const size_t i = static_cast<size_t>(s);
    const int n = s + 1;
    auto* group = new QGroupBox(QString::fromStdString(Format("Servo %i", n)), this);
    group->setObjectName(QString::fromStdString(Format("GroupBox_Servo%i", n)));
    group->setGeometry(2 + (s % 2) * 198, 194 + (s / 2) * 168, 194, 166);
    GroupBox_Servo[i] = group;
    const std::string noIrHint =
        n == 2 ? "eine aktive Kurve für Servo2 kann nicht durch eine andere Kurve unterbrochen werden"
               : Format("eine aktive Kurve für Servo %i kann nicht durch eine andere Kurve unterbrochen werden", n);
    cbx_v_off[i] = MakeBox(group, Format("cbx_v_off_%i", n), "Spannung aus",
                           "Versorgungs-Spannung des Servos nach Ablauf abschalten", 16);
    cbx_imp_off[i] = MakeBox(group, Format("cbx_imp_off_%i", n), "Impulse aus",
                             "Ansteuer-Impulse des Servos nach Ablauf abschalten", 33);
    cbx_no_ir[i] = MakeBox(group, Format("cbx_no_ir_%i", n), "keine Unterbrechung", noIrHint, 50);
    cbx_no_rep[i] = MakeBox(group, Format("cbx_no_rep_%i", n), "keine Wiederholung",
                            "es kann nicht 2x hintereinander die selbe Kurve gefahren werden", 67);
    connect(cbx_v_off[i], &QCheckBox::clicked, this, [this] { flagClick(kFlagVoltageOff, cbx_v_off); });
    connect(cbx_imp_off[i], &QCheckBox::clicked, this, [this] { flagClick(kFlagPulsesOff, cbx_imp_off); });
    connect(cbx_no_ir[i], &QCheckBox::clicked, this, [this] { flagClick(kFlagNoInterrupt, cbx_no_ir); });
    connect(cbx_no_rep[i], &QCheckBox::clicked, this, [this] { flagClick(kFlagNoRepeat, cbx_no_rep); });

    for (int kind = 0; kind < 2; ++kind) {
      const int top = kind == 0 ? 85 : 123;
      auto* label = new QLabel(QString::fromUtf8(kind == 0 ? "ms Impuls-Zeit (Min)" : "ms Impuls-Zeit (Max)"), group);
      label->setGeometry(8, top, 180, 16);
      auto* edit = new QLineEdit(group);
      edit->setObjectName(QString::fromStdString(Format(kind == 0 ? "servo_edt_Offset_%i" : "servo_edt_max_%i", n)));
      edit->setReadOnly(true);
      edit->setAlignment(Qt::AlignCenter);
      edit->setGeometry(58, top + 16, 62, 22);
      SetHint(edit, kind == 0 ? kOffsetHint : kMaxHint);
      connect(edit, &QLineEdit::textChanged, this, [this] { servo_edt_x_xChange(); });
      (kind == 0 ? servo_edt_Offset : servo_edt_max)[i] = edit;
      for (int b = 0; b < 4; ++b) {
        const char* const kNames[4] = {"btn_dec10%s_%i", "btn_dec1%s_%i", "btn_inc1%s_%i", "btn_inc10%s_%i"};
        auto* button = new QPushButton(QString::fromLatin1(kStepCaption[b]), group);
        button->setObjectName(QString::fromStdString(Format(kNames[b], kind == 0 ? "offset" : "faktor", n)));
        SetHint(button, kStepHint[b]);
        const int x = b < 2 ? 8 + b * 25 : 124 + (b - 2) * 25;
        button->setGeometry(x, top + 16, 24, 22);
        const int step = kStepOf[b];
        if (kind == 0) {
          btn_offset[i][static_cast<size_t>(b)] = button;
          connect(button, &QPushButton::clicked, this, [this, s, step] { btn_offset_Click(s, step); });
        } else {
          btn_faktor[i][static_cast<size_t>(b)] = button;
          connect(button, &QPushButton::clicked, this, [this, s, step] { btn_faktor_Click(s, step); });
        }
      }
    }
  }
}

int& TFrameTambAdr::servoByte(int row) {
  const AddressRowPlace p = AddressRowSlot(row);
  return curves_.curve_table.blocks[static_cast<size_t>(p.block)][static_cast<size_t>(p.servoEntry)];
}

int& TFrameTambAdr::curveByte(int row) {
  const AddressRowPlace p = AddressRowSlot(row);
  return curves_.curve_table.blocks[static_cast<size_t>(p.block)][static_cast<size_t>(p.curveEntry)];
}

void TFrameTambAdr::ShowEditor() {
  filling = true;
  const AssignmentPresentation p = AssignmentPresentationFor(ctx.DecoderIdentifier);
  four_servos_ = p.servoAndRelayLists;
  for (int r = 0; r < kAddressRows; ++r) {
    const size_t i = static_cast<size_t>(r);
    const bool rowShown = r < p.rows;
    lbl_servo_adresse[i]->setText(QString::fromStdString(p.captions[i]));
    // Without the servo list the caption may use its place ("Adresse 01 ein").
    lbl_servo_adresse[i]->setGeometry(4, kRowTop + r * kRowPitch + 2, p.servoAndRelayLists ? 76 : 150, 20);
    lbl_servo_adresse[i]->setVisible(rowShown);
    cbx_servo[i]->setVisible(rowShown && p.servoAndRelayLists);
    cbx_action[i]->setVisible(rowShown);
    cbx_curve[i]->setVisible(rowShown);
    cbx_relais[i]->setVisible(rowShown && p.servoAndRelayLists);
  }
  for (int s = 0; s < kServos; ++s) GroupBox_Servo[static_cast<size_t>(s)]->setVisible(s < p.servoGroups);
  for (int s = 0; s < kServos; ++s) {
    const size_t i = static_cast<size_t>(s);
    // A cell that is no exact byte text keeps the value held so far.
    if (auto v = ExactHexByte(ctx.image.get_Hex_EE(kPulseEepromCell + 2 * s))) pulse_offset[i] = *v;
    if (auto v = ExactHexByte(ctx.image.get_Hex_EE(kPulseEepromCell + 1 + 2 * s))) pulse_factor[i] = *v;
  }
  RefreshEditor();
  filling = false;
}

void TFrameTambAdr::RefreshEditor() {
  const bool was = filling;
  filling = true;
  ShowServoFlags();
  ShowAddressRows();
  ShowPulseTimes();
  filling = was;
}

void TFrameTambAdr::ShowServoFlags() {
  const CurveTable& t = curves_.curve_table;
  for (int s = 0; s < kServos; ++s) {
    const size_t i = static_cast<size_t>(s);
    cbx_v_off[i]->setChecked(ServoFlag(t, s, kFlagVoltageOff));
    cbx_imp_off[i]->setChecked(ServoFlag(t, s, kFlagPulsesOff));
    cbx_no_ir[i]->setChecked(ServoFlag(t, s, kFlagNoInterrupt));
    cbx_no_rep[i]->setChecked(ServoFlag(t, s, kFlagNoRepeat));
  }
}

void TFrameTambAdr::ShowAddressRows() {
  for (int r = 1; r <= kAddressRows; ++r) {
    const size_t i = static_cast<size_t>(r - 1);
    cbx_servo[i]->setCurrentIndex(ServoIndex(servoByte(r)));
    cbx_curve[i]->setCurrentIndex(CurveIndex(curveByte(r)));
    cbx_action[i]->setCurrentIndex(ActionIndex(servoByte(r)));
  }
  UpdateCurveVisibility();
  for (int r = 1; r <= kAddressRows; ++r)
    cbx_relais[static_cast<size_t>(r - 1)]->setCurrentIndex(RelayIndex(curveByte(r)));
}

void TFrameTambAdr::UpdateCurveVisibility() {
  const int rows = four_servos_ ? 8 : 4;
  for (int r = 0; r < rows; ++r) {
    const size_t i = static_cast<size_t>(r);
    const bool shown = CurveListVisible(cbx_action[i]->currentIndex());
    cbx_curve[i]->setVisible(shown);
    if (four_servos_) cbx_relais[i]->setVisible(shown);
  }
}

void TFrameTambAdr::ShowPulseTimes() {
  const bool was = filling;
  filling = true;
  const char sep = DecimalSeparator();
  for (int s = 0; s < kServos; ++s) {
    const size_t i = static_cast<size_t>(s);
    const PulseTimes t = PulseTimesFor(pulse_offset[i], pulse_factor[i]);
    servo_edt_Offset[i]->setText(QString::fromStdString(FormatPulseTime(t.minimum, sep)));
    servo_edt_max[i]->setText(QString::fromStdString(FormatPulseTime(t.maximum, sep)));
  }
  filling = was;
}

std::array<int, 8> TFrameTambAdr::PulseValues() const {
  std::array<int, 8> v{};
  for (size_t s = 0; s < kServos; ++s) {
    v[2 * s] = pulse_offset[s];
    v[2 * s + 1] = pulse_factor[s];
  }
  return v;
}

void TFrameTambAdr::cbx_ax_servoChange(int row, int index) {
  if (filling) return;
  servoByte(row) = WithServo(servoByte(row), index);
  curves_.EnableApply();
}

void TFrameTambAdr::cbx_ax_actionChange(int row, int index) {
  if (filling) return;
  servoByte(row) = WithAction(servoByte(row), index);
  UpdateCurveVisibility();
  curves_.EnableApply();
}

void TFrameTambAdr::cbx_ax_curveChange(int row, int index) {
  if (filling) return;
  curveByte(row) = WithCurve(curveByte(row), index);
  curves_.EnableApply();
}

void TFrameTambAdr::cbx_ax_relaisChange(int row, int index) {
  if (filling) return;
  curveByte(row) = WithRelay(curveByte(row), index);
  curves_.EnableApply();
}

void TFrameTambAdr::flagClick(int bit, const std::array<QCheckBox*, kServos>& boxes) {
  if (filling) return;
  std::array<bool, kServos> checked{};
  for (size_t s = 0; s < kServos; ++s) checked[s] = boxes[s]->isChecked();
  SetServoFlags(curves_.curve_table, bit, checked);
  curves_.EnableApply();
}

void TFrameTambAdr::btn_offset_Click(int servo, int step) {
  if (filling) return;
  int& o = pulse_offset[static_cast<size_t>(servo)];
  o = StepPulseOffset(o, step);
  ShowPulseTimes();
  curves_.EnableApply();
}

void TFrameTambAdr::btn_faktor_Click(int servo, int step) {
  if (filling) return;
  int& f = pulse_factor[static_cast<size_t>(servo)];
  f = StepPulseFactor(f, step);
  ShowPulseTimes();
  curves_.EnableApply();
}

void TFrameTambAdr::servo_edt_x_xChange() {
  if (filling) return;
  curves_.EnableApply();
}

}  // namespace korrin
