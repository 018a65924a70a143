#include "editors/gui/servo_assignment_frame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "editors/gui/servo_widgets.h"
#include "image/format.h"

namespace korrin {

namespace {

constexpr int kRowTop = 6;
constexpr int kRowPitch = 23;
constexpr int kStepOf[4] = {-10, -1, 1, 10};
const char* const kStepCaption[4] = {"<<", "<", ">", ">>"};
const char* const kStepHint[4] = {"- 80 us", "- 8 us", "+ 8 us", "+ 80 us"};

QComboBox* MakeList(QWidget* parent, const std::string& name, const std::vector<const char*>& items, const char* hint, int x,
                    int y, int w) {
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

ServoAssignmentFrame::ServoAssignmentFrame(ServoModel& model, QWidget* parent) : EditorFrame(parent), model_(model) {
  setObjectName(QStringLiteral("FrameTambAdr"));
  buildControls();
  Render();
  observer_ = model_.Observe([this] { Render(); });
}

void ServoAssignmentFrame::buildControls() {
  for (int r = 0; r < kAddressRows; ++r) {
    const size_t i = static_cast<size_t>(r);
    const int y = kRowTop + r * kRowPitch;
    auto* caption = new QLabel(this);
    caption->setObjectName(QString::fromStdString(Format("lbl_servo_adresse%02i", r + 1)));
    caption->setText(QString::fromStdString(Format("Adresse %02i:", r + 1)));
    caption->setGeometry(4, y + 2, 76, 20);
    addressLabels[i] = caption;
    servoLists[i] = MakeList(this, Format("cbx_a%i_servo", r + 1), {"Servo 1", "Servo 2", "Servo 3", "Servo 4"},
                             "Auswahl des Servo", 80, y, 74);
    actionLists[i] = MakeList(this, Format("cbx_a%i_action", r + 1), {"Start", "Start Loop", "Abbruch", "Beenden"},
                              "Start: Kurve einmalig starten\r\nStart Loop: Kurve immer wieder starten\r\n"
                              "Abbruch: Kurve sofort abbrechen\r\nBeenden: Kurve nach Beendigung abbrechen (Loop Ende)",
                              156, y, 92);
    curveLists[i] = MakeList(this, Format("cbx_a%i_curve", r + 1), {"Kurve 1", "Kurve 2", "Kurve 3", "Kurve 4"},
                             "Auswahl der Kurve", 250, y, 72);
    relayLists[i] = MakeList(this, Format("cbx_a%i_relais", r + 1), {"Relais 1", "Relais 2", "Relais 3", "Relais 4"},
                             "Auswahl des Relais", 324, y, 72);
    caption->setBuddy(actionLists[i]);
    connect(servoLists[i], &QComboBox::activated, this, [this, r](int index) { model_.ChooseServo(r + 1, index); });
    connect(actionLists[i], &QComboBox::activated, this, [this, r](int index) { model_.ChooseAction(r + 1, index); });
    connect(curveLists[i], &QComboBox::activated, this, [this, r](int index) { model_.ChooseCurve(r + 1, index); });
    connect(relayLists[i], &QComboBox::activated, this, [this, r](int index) { model_.ChooseRelay(r + 1, index); });
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
    servoGroups[i] = group;
    const std::string noIrHint =
        n == 2 ? "eine aktive Kurve für Servo2 kann nicht durch eine andere Kurve unterbrochen werden"
               : Format("eine aktive Kurve für Servo %i kann nicht durch eine andere Kurve unterbrochen werden", n);
    voltageOffBoxes[i] =
        MakeBox(group, Format("cbx_v_off_%i", n), "Spannung aus", "Versorgungs-Spannung des Servos nach Ablauf abschalten", 16);
    pulsesOffBoxes[i] =
        MakeBox(group, Format("cbx_imp_off_%i", n), "Impulse aus", "Ansteuer-Impulse des Servos nach Ablauf abschalten", 33);
    noInterruptBoxes[i] = MakeBox(group, Format("cbx_no_ir_%i", n), "keine Unterbrechung", noIrHint, 50);
    noRepeatBoxes[i] = MakeBox(group, Format("cbx_no_rep_%i", n), "keine Wiederholung",
                               "es kann nicht 2x hintereinander die selbe Kurve gefahren werden", 67);
    const std::pair<QCheckBox*, int> flags[4] = {{voltageOffBoxes[i], kFlagVoltageOff},
                                                 {pulsesOffBoxes[i], kFlagPulsesOff},
                                                 {noInterruptBoxes[i], kFlagNoInterrupt},
                                                 {noRepeatBoxes[i], kFlagNoRepeat}};
    for (const auto& flag : flags) {
      QCheckBox* box = flag.first;
      const int bit = flag.second;
      box->setAccessibleName(QString::fromStdString(Format("Servo %i ", n)) + box->text());
      connect(box, &QCheckBox::clicked, this, [this, n, bit](bool checked) { model_.SetServoFlag(n, bit, checked); });
    }

    for (int kind = 0; kind < 2; ++kind) {
      const int top = kind == 0 ? 85 : 123;
      const char* caption = kind == 0 ? "ms Impuls-Zeit (Min)" : "ms Impuls-Zeit (Max)";
      auto* label = new QLabel(QString::fromUtf8(caption), group);
      label->setGeometry(8, top, 180, 16);
      (kind == 0 ? minLabels : maxLabels)[i] = label;
      auto* edit = new QLineEdit(group);
      edit->setObjectName(QString::fromStdString(Format(kind == 0 ? "servo_edt_Offset_%i" : "servo_edt_max_%i", n)));
      edit->setReadOnly(true);
      edit->setAlignment(Qt::AlignCenter);
      edit->setGeometry(58, top + 16, 62, 22);
      SetHint(edit, kind == 0 ? kOffsetHint : kMaxHint);
      // Read-only: it only shows the model's time, and a shown time changes nothing.
      label->setBuddy(edit);
      edit->setAccessibleName(QString::fromStdString(Format("Servo %i ", n)) + QString::fromUtf8(caption));
      (kind == 0 ? offsetEdits : maxEdits)[i] = edit;
      for (int b = 0; b < 4; ++b) {
        const char* const kNames[4] = {"btn_dec10%s_%i", "btn_dec1%s_%i", "btn_inc1%s_%i", "btn_inc10%s_%i"};
        auto* button = new QPushButton(QString::fromLatin1(kStepCaption[b]), group);
        button->setObjectName(QString::fromStdString(Format(kNames[b], kind == 0 ? "offset" : "faktor", n)));
        SetHint(button, kStepHint[b]);
        button->setAccessibleName(
            QString::fromStdString(Format("Servo %i Impuls-Zeit (%s) %s", n, kind == 0 ? "Min" : "Max", kStepHint[b])));
        const int x = b < 2 ? 8 + b * 25 : 124 + (b - 2) * 25;
        button->setGeometry(x, top + 16, 24, 22);
        const int step = kStepOf[b];
        if (kind == 0) {
          offsetButtons[i][static_cast<size_t>(b)] = button;
          connect(button, &QPushButton::clicked, this, [this, n, step] { model_.StepOffset(n, step); });
        } else {
          factorButtons[i][static_cast<size_t>(b)] = button;
          connect(button, &QPushButton::clicked, this, [this, n, step] { model_.StepFactor(n, step); });
        }
      }
    }
  }
}

void ServoAssignmentFrame::ShowEditor() { Render(); }

void ServoAssignmentFrame::Render() {
  RenderingScope scope(*this);
  model_.decimalSeparator = DecimalSeparator();
  const bool lists = model_.assignmentPresentation().servoAndRelayLists;
  for (int r = 0; r < kAddressRows; ++r) {
    const size_t i = static_cast<size_t>(r);
    const ServoModel::AddressRowView v = model_.addressRow(r + 1);
    const QString caption = QString::fromStdString(v.caption);
    addressLabels[i]->setText(caption);
    // Without the servo list the caption may use its place ("Adresse 01 ein").
    addressLabels[i]->setGeometry(4, kRowTop + r * kRowPitch + 2, lists ? 76 : 150, 20);
    addressLabels[i]->setVisible(v.visible);
    addressLabels[i]->setBuddy(lists ? servoLists[i] : actionLists[i]);
    const std::pair<QComboBox*, std::pair<bool, int>> shown[4] = {{servoLists[i], {v.servoVisible, v.servo}},
                                                                  {actionLists[i], {v.actionVisible, v.action}},
                                                                  {curveLists[i], {v.curveVisible, v.curve}},
                                                                  {relayLists[i], {v.relayVisible, v.relay}}};
    const char* const kListNames[4] = {"Servo", "Aktion", "Kurve", "Relais"};
    for (int k = 0; k < 4; ++k) {
      QComboBox* list = shown[k].first;
      list->setVisible(shown[k].second.first);
      list->setCurrentIndex(shown[k].second.second);
      QString name = caption;
      if (name.endsWith(QLatin1Char(':'))) name.chop(1);
      list->setAccessibleName(name + QLatin1Char(' ') + QString::fromLatin1(kListNames[k]));
    }
  }
  for (int s = 1; s <= kServos; ++s) {
    const size_t i = static_cast<size_t>(s - 1);
    servoGroups[i]->setVisible(model_.servoGroupVisible(s));
    voltageOffBoxes[i]->setChecked(model_.servoFlag(s, kFlagVoltageOff));
    pulsesOffBoxes[i]->setChecked(model_.servoFlag(s, kFlagPulsesOff));
    noInterruptBoxes[i]->setChecked(model_.servoFlag(s, kFlagNoInterrupt));
    noRepeatBoxes[i]->setChecked(model_.servoFlag(s, kFlagNoRepeat));
    offsetEdits[i]->setText(QString::fromStdString(model_.minimumPulseText(s)));
    maxEdits[i]->setText(QString::fromStdString(model_.maximumPulseText(s)));
  }
}

}  // namespace korrin
