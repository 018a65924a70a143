#include "editors/gui/Frame_zusatz.h"

#include <QResizeEvent>
#include <algorithm>

#include "image/firmware_image.h"

namespace korrin {

namespace {

constexpr int kFrameHeight = 485;
constexpr int kGroupWidth = 350;
constexpr int kBoxHeight = 18;

// Texts of the program keep "\r\n" or "\r" as line breaks; labels want "\n".
QString Text(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace("\r\n", "\n");
  s.replace('\r', '\n');
  return s;
}

bool Shown(const QWidget* w) { return !w->isHidden(); }

// Labels take the width and height of their caption.
void SetCaption(QLabel* label, const QString& text) {
  label->setText(text);
  label->adjustSize();
}

}  // namespace

TFrameZusatz::TFrameZusatz(EditorContext& context, QWidget* parent) : EditorFrame(context, parent) {
  resize(kGroupWidth + 20, kFrameHeight);
  QFont frameFont = font();
  frameFont.setPixelSize(11);
  setFont(frameFont);

  pnl_Zusatz = new QFrame(this);
  pnl_Zusatz->setObjectName("pnl_Zusatz");
  pnl_Zusatz->setGeometry(0, 0, width(), height());
  const int innerWidth = width() - 26;

  QFont bold = frameFont;
  bold.setBold(true);
  lbl_zusatz = new QLabel(pnl_Zusatz);
  lbl_zusatz->setFont(bold);
  lbl_zusatz->move(16, 16);
  lbl_zusatz3 = new QLabel(pnl_Zusatz);
  lbl_zusatz3->setFont(bold);
  lbl_zusatz3->move(16, 18);
  lbl_zusatz3->hide();

  group_mode = new QGroupBox("Mode Auswahl", pnl_Zusatz);
  group_mode->setGeometry(10, 100, kGroupWidth, 200);
  lbl_mode = new QLabel(group_mode);
  SetCaption(lbl_mode, Text("Wird hier ein Mode ausgewählt, so sollte die Mode-\r\nUmschaltung gesperrt werden, da  "
                            "sich sonst der gewählte\r\nMode während des \"Brennen\" wieder verstellen kann."));
  lbl_mode->move(10, 20);
  QRadioButton** radioMembers[] = {&rad_mode1, &rad_mode2, &rad_mode3, &rad_mode4, &rad_mode5, &rad_mode6};
  for (int i = 0; i < kModeRadios; ++i) {
    auto* radio = new QRadioButton(QString("Mode %1").arg(i + 1), group_mode);
    radio->setGeometry(10, 20, kGroupWidth - 20, kBoxHeight);
    *radioMembers[i] = radio;
    // toggled fires for a click and for a check set from code; only the button that
    // becomes checked reacts.
    connect(radio, &QRadioButton::toggled, this, [this, radio](bool checked) {
      if (checked) rad_modexClick(radio);
    });
  }
  cbx_mode_bit6 = new QCheckBox("Dumm Mode: startet immer mit Ausgängen AUS", group_mode);
  cbx_mode_bit6->setToolTip(
      "Dekoder startet mit abgeschalteten Ausgängen. der Zustand beim Abschalten wird also NICHT wieder hergestellt.");
  cbx_mode_bit7 = new QCheckBox("Mode-Umschaltung SPERREN", group_mode);
  cbx_mode_bit7->setToolTip(
      "Aktiviert: eine Mode-Umschaltung (Taste beim Starten) ist dann nicht mehr möglich. Voreingestellte Modus ist "
      "damit garantiert. ");
  for (QCheckBox* box : {cbx_mode_bit6, cbx_mode_bit7}) {
    box->setGeometry(10, 20, kGroupWidth - 20, kBoxHeight);
    connect(box, &QCheckBox::toggled, this, [this, box] { rad_modexClick(box); });
  }

  cbx_weiche_ab = new QCheckBox("Abschalten des Antriebes NUR nach TimeOut", pnl_Zusatz);
  cbx_weiche_ab->setToolTip(
      "Der Abschaltebefehl der Zentrale wird ignoriert, sodass der Antrieb immer genau nach der TimeOut Zeit "
      "abschaltet");
  cbx_weiche_ab->setGeometry(16, 100, innerWidth, kBoxHeight);
  connect(cbx_weiche_ab, &QCheckBox::toggled, this, [this] { cbx_weiche_abClick(); });

  QCheckBox** boxMembers[] = {&cbx_zusatz_1, &cbx_zusatz_2, &cbx_zusatz_3, &cbx_zusatz_4,
                              &cbx_zusatz_5, &cbx_zusatz_6, &cbx_zusatz_7, &cbx_zusatz_8};
  for (int i = 0; i < 8; ++i) {
    auto* box = new QCheckBox(pnl_Zusatz);
    box->setGeometry(16, 40 + 20 * i, innerWidth, kBoxHeight);
    *boxMembers[i] = box;
    connect(box, &QCheckBox::toggled, this, [this] { cbx_zusatz_x_Click(); });
  }
  lbl_text_1 = new QLabel(pnl_Zusatz);
  lbl_text_1->move(16, 230);

  lbl_trackbar_01 = new QLabel(pnl_Zusatz);
  lbl_trackbar_01_l = new QLabel(pnl_Zusatz);
  lbl_trackbar_01_r = new QLabel(pnl_Zusatz);
  TrackBar_01 = new QSlider(Qt::Horizontal, pnl_Zusatz);
  TrackBar_01->setTickPosition(QSlider::TicksBelow);
  TrackBar_01->setToolTip("rechts = HELL, Links = dunkel");
  connect(TrackBar_01, &QSlider::valueChanged, this, [this] { TrackBar_01Change(); });

  TrackBar_neon_1 = new QSlider(Qt::Horizontal, pnl_Zusatz);
  TrackBar_neon_2 = new QSlider(Qt::Horizontal, pnl_Zusatz);
  for (QSlider* bar : {TrackBar_neon_1, TrackBar_neon_2}) {
    bar->setTickPosition(QSlider::TicksBelow);
    bar->resize(180, 30);
  }
  connect(TrackBar_neon_1, &QSlider::valueChanged, this, [this] { TrackBar_neon_1Change(); });
  connect(TrackBar_neon_2, &QSlider::valueChanged, this, [this] { TrackBar_neon_2Change(); });
  lbl_fNeon_01 = new QLabel(pnl_Zusatz);
  SetCaption(lbl_fNeon_01, "Leuchtstufe DUNKEL");
  lbl_fNeon_02 = new QLabel(pnl_Zusatz);
  SetCaption(lbl_fNeon_02, "Leuchtstufe HELL");
  lbl_fNeon_03 = new QLabel(pnl_Zusatz);
  SetCaption(lbl_fNeon_03,
             Text("Die Verzögerungszeit definiert eine Einschalt-Verzögerung. \r\nDiese ist dann aktiv, wenn noch kein "
                  "Ausgang eingeschaltet \r\nist, also wenn alle Ausgäne dunkel sind. Alle weiteren \r\nAusgänge "
                  "werden dann ohne Verzögerungszeit dazu \r\ngeschaltet"));

  for (size_t i = 0; i < kOptionRowSlots; ++i) {
    lbl_option[i] = new QLabel(pnl_Zusatz);
    lbl_option[i]->resize(100, 20);
    auto* edit = new QLineEdit(pnl_Zusatz);
    edit->resize(40, 20);
    edt_option[i] = edit;
    lbl_option_sec[i] = new QLabel(pnl_Zusatz);
    lbl_option_sec[i]->resize(100, 20);
    lbl_option[i]->hide();
    edit->hide();
    lbl_option_sec[i]->hide();
    // textChanged fires for typed text and for text set from code alike.
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { edt_optionChange(edit); });
  }
  ResetControls();
}

void TFrameZusatz::resizeEvent(QResizeEvent* event) {
  EditorFrame::resizeEvent(event);
  pnl_Zusatz->setGeometry(0, 0, width(), height());
}

int TFrameZusatz::eeValue(int offset) const { return ctx.image.eepromValue(offset); }

void TFrameZusatz::setEeValue(int offset, int value) {
  ctx.image.set_Hex_EE(offset, HexByteText()[static_cast<size_t>(value & 0xFF)]);
}

void TFrameZusatz::ResetControls() {
  for (size_t i = 0; i < kOptionRowSlots; ++i) {
    lbl_option[i]->setText(QString());
    edt_option[i]->setToolTip(QString());
    lbl_option[i]->hide();
    edt_option[i]->hide();
    lbl_option_sec[i]->hide();
  }
  option_row_count = 0;

  cbx_weiche_ab->hide();
  cbx_weiche_ab->move(cbx_weiche_ab->x(), 100);
  lbl_text_1->hide();
  for (QCheckBox* box : zusatzBoxes()) box->hide();
  TrackBar_01->hide();
  lbl_trackbar_01->hide();
  lbl_trackbar_01_l->hide();
  lbl_trackbar_01_r->hide();

  group_mode->hide();
  group_mode->move(10, 100);
  auto radio = radios();
  for (int i = 0; i < kModeRadios; ++i) radio[static_cast<size_t>(i)]->setText(QString("Mode %1").arg(i + 1));
  lbl_mode->show();
  rad_mode1->show();
  rad_mode2->show();
  for (size_t i = 2; i < kModeRadios; ++i) radio[i]->hide();
  cbx_mode_bit6->hide();
  cbx_mode_bit7->hide();

  TrackBar_neon_1->hide();
  TrackBar_neon_2->hide();
  lbl_fNeon_01->hide();
  lbl_fNeon_02->hide();
  lbl_fNeon_03->hide();
  TrackBar_neon_1->move(TrackBar_neon_1->x(), 40);
  TrackBar_neon_2->move(TrackBar_neon_2->x(), 60);
  lbl_fNeon_01->move(lbl_fNeon_01->x(), 44);
  lbl_fNeon_02->move(lbl_fNeon_02->x(), 64);
  lbl_fNeon_03->move(lbl_fNeon_03->x(), 104);

  SetCaption(lbl_zusatz, QString());
  lbl_zusatz->move(lbl_zusatz->x(), 16);
  SetCaption(lbl_zusatz3, QString());
  lbl_zusatz3->move(lbl_zusatz3->x(), 18);
  lbl_zusatz3->hide();
}

void TFrameZusatz::LoadOptions() {
  filling = true;
  option_row_count = 0;

  // The mode byte is shown for every type, whether its group is visible or not.
  int mode = eeValue(kModeByte);
  int radio = ModeRadioOfByte(mode);
  if (radio > 0) radios()[static_cast<size_t>(radio - 1)]->setChecked(true);
  cbx_mode_bit6->setChecked((mode & 0x40) != 0);
  cbx_mode_bit7->setChecked((mode & 0x80) != 0);

  if (const OptionTypeSpec* optionType = FindOptionType(ctx.DecoderIdentifier, ctx.image.Version)) applyType(*optionType);

  for (int r = 0; r < option_row_count; ++r) {
    auto i = static_cast<size_t>(r);
    int value = eeValue(option_ee_offset[i]);
    QString text = QString::number(value);
    // Setting the same text again would move the cursor of a box the user is typing in.
    if (edt_option[i]->text() != text) edt_option[i]->setText(text);
    if (option_unit[i] != 0.0f) {
      SetCaption(lbl_option_sec[i], QString::fromStdString(OptionUnitLabel(option_unit[i], value)));
      lbl_option_sec[i]->show();
    } else {
      lbl_option_sec[i]->hide();
    }
  }
  layOutRows();
  if (Shown(group_mode)) stackModeGroup();
  filling = false;
}

void TFrameZusatz::applyType(const OptionTypeSpec& optionType) {
  const float version = ctx.image.Version;

  for (const OptionRowSpec& row : optionType.rows) {
    if (option_row_count >= kOptionRowSlots) break;
    auto i = static_cast<size_t>(option_row_count++);
    SetCaption(lbl_option[i], QString::fromStdString(row.caption));
    edt_option[i]->setToolTip(QString::fromStdString(row.hint));
    option_ee_offset[i] = row.offset;
    option_unit[i] = row.unit;
    option_min[i] = row.min;
    option_max[i] = row.max;
  }
  row_top = optionType.rowTop;

  if (optionType.timeOutMarker) {
    cbx_weiche_ab->setChecked(TimeOutMarkerTicked(ctx.image.get_Hex_EE(kModeByte)));
    cbx_weiche_ab->show();
  }

  if (!optionType.heading.empty()) SetCaption(lbl_zusatz, QString::fromStdString(optionType.heading));
  if (!optionType.heading3.empty()) {
    SetCaption(lbl_zusatz3, QString::fromStdString(optionType.heading3));
    lbl_zusatz3->move(lbl_zusatz3->x(), optionType.heading3Top);
    lbl_zusatz3->show();
  }
  if (optionType.boxes != OptionBoxes::None) {
    auto ticks = BoxTicksOf(optionType, eeValue(optionType.boxesByte));
    auto boxes = zusatzBoxes();
    for (const OptionBoxSpec& b : optionType.boxList) {
      QCheckBox* box = boxes[static_cast<size_t>(b.box - 1)];
      box->setText(QString::fromStdString(b.caption));
      box->setToolTip(QString::fromStdString(b.hint));
      box->setChecked(ticks[static_cast<size_t>(b.box - 1)]);
      if (b.top >= 0) {
        box->move(box->x(), b.top);
        box->show();
      } else {
        box->hide();
      }
    }
    if (!optionType.text1.empty()) {
      SetCaption(lbl_text_1, QString::fromStdString(optionType.text1));
      lbl_text_1->move(lbl_text_1->x(), optionType.text1Top);
      lbl_text_1->setVisible(optionType.text1OnlyWhenBothUnticked ? !ticks[0] && !ticks[1] : true);
    }
  }

  if (optionType.bar == OptionBar::Fading) {
    SetCaption(lbl_trackbar_01, "Geschwindigkeit Überblendung (Fading)");
    SetCaption(lbl_trackbar_01_l, "schnell");
    SetCaption(lbl_trackbar_01_r, "langsam");
    TrackBar_01->setRange(0, 5);
    TrackBar_01->setTickInterval(1);
    std::optional<int> position = FadingPositionOf(ctx.image.get_Hex_EE(kOptionValueByte));
    if (!position) {
      // No speed code in the byte: show the fastest setting and make the byte say so.
      position = kFadingFallbackPosition;
      setEeValue(kOptionValueByte, kFadingFallbackCode);
    }
    TrackBar_01->setValue(*position);
    placeTrackBar(optionType.barTitleTop);
  } else if (optionType.bar == OptionBar::Speed) {
    int value = eeValue(kOptionValueByte);
    SetCaption(lbl_trackbar_01, QString::fromStdString(SpeedBarTitle(value)));
    if (!Shown(TrackBar_01)) {
      TrackBar_01->setRange(1, 255);
      TrackBar_01->setTickInterval(5);
      TrackBar_01->setToolTip(QString());
      SetCaption(lbl_trackbar_01_l, "schnell");
      SetCaption(lbl_trackbar_01_r, "langsam");
      TrackBar_01->setValue(value);
      placeTrackBar(optionType.barTitleTop);
    }
  }

  if (optionType.neonBars && !Shown(TrackBar_neon_1)) {
    for (QSlider* bar : {TrackBar_neon_1, TrackBar_neon_2}) {
      bar->setRange(0, 15);
      bar->setTickInterval(1);
      bar->setToolTip("Rechts = HELL, Links = dunkel");
    }
    TrackBar_neon_1->setValue(eeValue(kNeonDarkByte));
    TrackBar_neon_2->setValue(eeValue(kNeonBrightByte));
    // The bars start at 120, or just right of the longer label where the font is wider.
    int barLeft = std::max(120, 10 + std::max(lbl_fNeon_01->width(), lbl_fNeon_02->width()) + 6);
    TrackBar_neon_1->setGeometry(barLeft, 170, 180, TrackBar_neon_1->height());
    TrackBar_neon_2->setGeometry(barLeft, 210, 180, TrackBar_neon_2->height());
    lbl_fNeon_01->move(10, TrackBar_neon_1->y() + 3);
    lbl_fNeon_02->move(10, TrackBar_neon_2->y() + 3);
    lbl_fNeon_03->move(10, 70);
    for (QWidget* w : std::initializer_list<QWidget*>{TrackBar_neon_1, TrackBar_neon_2, lbl_fNeon_01, lbl_fNeon_02,
                                                      lbl_fNeon_03})
      w->show();
  }

  if (optionType.hasModeGroup()) {
    group_mode->show();
    auto radio = radios();
    for (size_t i = 0; i < optionType.modeCaptions.size() && i < kModeRadios; ++i) {
      radio[i]->setText(QString::fromStdString(optionType.modeCaptions[i]));
      radio[i]->show();
    }
    if (optionType.modeOnlyBit6) {
      lbl_mode->hide();
      rad_mode1->hide();
      rad_mode2->hide();
    }
    cbx_mode_bit6->setVisible(optionType.modeBit6);
    cbx_mode_bit7->setVisible(ModeBit7Shown(optionType, version));
  }
}

void TFrameZusatz::placeTrackBar(int titleTop) {
  TrackBarPlaces p =
      PlaceTrackBar(titleTop, lbl_trackbar_01_l->width(), lbl_trackbar_01_r->width(), pnl_Zusatz->width());
  lbl_trackbar_01->move(p.titleLeft, p.titleTop);
  TrackBar_01->setGeometry(p.barLeft, p.barTop, p.barWidth, 24);
  lbl_trackbar_01_l->move(p.leftLabelLeft, p.leftLabelTop);
  lbl_trackbar_01_r->move(p.rightLabelLeft, p.rightLabelTop);
  for (QWidget* w : std::initializer_list<QWidget*>{TrackBar_01, lbl_trackbar_01, lbl_trackbar_01_l, lbl_trackbar_01_r})
    w->show();
}

void TFrameZusatz::layOutRows() {
  std::vector<size_t> shown;
  std::vector<int> widths;
  for (size_t i = 0; i < kOptionRowSlots; ++i) {
    if (lbl_option[i]->text().isEmpty()) {
      lbl_option[i]->hide();
      edt_option[i]->hide();
      continue;
    }
    lbl_option[i]->show();
    edt_option[i]->show();
    shown.push_back(i);
    widths.push_back(lbl_option[i]->width());
  }
  auto places = PlaceOptionRows(row_top, widths, edt_option[0]->width());
  for (size_t k = 0; k < shown.size(); ++k) {
    size_t i = shown[k];
    lbl_option[i]->move(places[k].captionLeft, places[k].captionTop);
    edt_option[i]->move(places[k].editLeft, places[k].editTop);
    lbl_option_sec[i]->move(places[k].unitLeft, places[k].unitTop);
  }
}

void TFrameZusatz::stackModeGroup() {
  ModeGroupContent c;
  c.labelShown = Shown(lbl_mode);
  c.labelHeight = lbl_mode->height();
  c.bit7Shown = Shown(cbx_mode_bit7);
  c.bit7Height = cbx_mode_bit7->height();
  auto radio = radios();
  for (size_t i = 0; i < kModeRadios; ++i) {
    c.radioShown[i] = Shown(radio[i]);
    c.radioHeight[i] = radio[i]->height();
  }
  c.bit6Shown = Shown(cbx_mode_bit6);
  c.bit6Height = cbx_mode_bit6->height();
  ModeGroupPlaces p = StackModeGroup(c, pnl_Zusatz->height());
  lbl_mode->move(lbl_mode->x(), p.labelTop);
  cbx_mode_bit7->move(cbx_mode_bit7->x(), p.bit7Top);
  for (size_t i = 0; i < kModeRadios; ++i)
    if (c.radioShown[i]) radio[i]->move(radio[i]->x(), p.radioTop[i]);
  cbx_mode_bit6->move(cbx_mode_bit6->x(), p.bit6Top);
  group_mode->setGeometry(group_mode->x(), p.top, group_mode->width(), p.height);
}

void TFrameZusatz::rad_modexClick(QAbstractButton* sender) {
  if (filling) return;
  int radio = 0;
  auto buttons = radios();
  for (size_t i = 0; i < kModeRadios; ++i)
    if (buttons[i] == sender) radio = static_cast<int>(i) + 1;
  ModeBits bits{Shown(cbx_mode_bit6), cbx_mode_bit6->isChecked(), Shown(cbx_mode_bit7), cbx_mode_bit7->isChecked()};
  setEeValue(kModeByte, ModeByteAfterClick(eeValue(kModeByte), radio, bits));
}

void TFrameZusatz::cbx_zusatz_x_Click() {
  if (filling) return;
  const OptionTypeSpec* optionType = FindOptionType(ctx.DecoderIdentifier, ctx.image.Version);
  if (!optionType) return;
  auto boxes = zusatzBoxes();
  if (optionType->boxes == OptionBoxes::SwitchOff) {
    bool centralOff = cbx_zusatz_1->isChecked();
    bool timeOut = cbx_zusatz_2->isChecked();
    lbl_text_1->setVisible(!centralOff && !timeOut);
    setEeValue(optionType->boxesByte, SwitchOffValue(centralOff, timeOut));
  } else if (optionType->boxes == OptionBoxes::BitField) {
    std::array<bool, 8> ticked{};
    for (size_t i = 0; i < 8; ++i) ticked[i] = boxes[i]->isChecked();
    setEeValue(optionType->boxesByte, BitFieldValue(*optionType, eeValue(optionType->boxesByte), ticked));
  }
}

void TFrameZusatz::cbx_weiche_abClick() {
  if (filling) return;
  setEeValue(kModeByte, TimeOutMarkerByte(cbx_weiche_ab->isChecked()));
}

void TFrameZusatz::TrackBar_01Change() {
  if (filling) return;
  const OptionTypeSpec* optionType = FindOptionType(ctx.DecoderIdentifier, ctx.image.Version);
  if (optionType && optionType->bar == OptionBar::Fading) {
    TrackBar_01->setToolTip("Überblend-Zeit");
    setEeValue(kOptionValueByte, FadingCode(TrackBar_01->value()));
  } else if (optionType && optionType->bar == OptionBar::Speed) {
    TrackBar_01->setToolTip("Ablauf-Geschwindigkeit der Effekte");
    setEeValue(kOptionValueByte, TrackBar_01->value());
    TrackBar_01->setFocus();
  }
  LoadOptions();
}

void TFrameZusatz::TrackBar_neon_1Change() {
  if (filling) return;
  setEeValue(kNeonDarkByte, TrackBar_neon_1->value());
  TrackBar_neon_1->setFocus();
  LoadOptions();
}

void TFrameZusatz::TrackBar_neon_2Change() {
  if (filling) return;
  setEeValue(kNeonBrightByte, TrackBar_neon_2->value());
  TrackBar_neon_2->setFocus();
  LoadOptions();
}

void TFrameZusatz::edt_optionChange(QLineEdit* sender) {
  if (filling) return;
  int row = -1;
  for (int r = 0; r < option_row_count; ++r)
    if (edt_option[static_cast<size_t>(r)] == sender) row = r;
  if (row < 0) return;
  auto i = static_cast<size_t>(row);
  TypedNumber typed = ReadTypedNumber(sender->text().toStdString(), option_min[i], option_max[i]);
  switch (typed.kind) {
    case TypedNumberKind::Empty: return;
    case TypedNumberKind::NotANumber:
      ctx.dialogs.show(BoxKind::Warning, NotANumberMessage(), Buttons::Cancel);
      sender->setFocus();
      return;
    case TypedNumberKind::OutOfRange:
      ctx.dialogs.show(BoxKind::Warning, OutOfRangeMessage(option_min[i], option_max[i]), Buttons::Cancel);
      return;
    case TypedNumberKind::InRange:
      setEeValue(option_ee_offset[i], typed.value);
      LoadOptions();
      return;
  }
}

}  // namespace korrin
