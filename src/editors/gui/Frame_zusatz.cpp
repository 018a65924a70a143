#include "editors/gui/Frame_zusatz.h"

#include <QResizeEvent>
#include <algorithm>

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
  if (label->text() == text) return;
  label->setText(text);
  label->adjustSize();
}

void RenderLabel(QLabel* label, const OptionsLabel& state) {
  SetCaption(label, Text(state.text));
  label->move(label->x(), state.top);
  label->setVisible(state.visible);
}

// Caption, hint and tick of a box; placed at its top when placed is set.
void RenderBox(QAbstractButton* box, const OptionsCheckBox& state, bool placed) {
  const QString caption = QString::fromStdString(state.caption);
  box->setText(caption);
  box->setAccessibleName(caption);
  box->setToolTip(QString::fromStdString(state.hint));
  box->setChecked(state.checked);
  if (placed) box->move(box->x(), state.top);
  box->setVisible(state.visible);
}

void RenderBar(QSlider* slider, const OptionsTrackBar& state) {
  slider->setRange(state.min, state.max);
  slider->setTickInterval(state.tick);
  slider->setValue(state.position);
  slider->setToolTip(QString::fromStdString(state.hint));
}

}  // namespace

TFrameZusatz::TFrameZusatz(OptionsModel& optionsModel, QWidget* parent)
    : EditorFrame(optionsModel.context(), parent), model(optionsModel) {
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

  group_mode = new QGroupBox(QString::fromStdString(model.modeGroupCaption), pnl_Zusatz);
  group_mode->setGeometry(10, 100, kGroupWidth, 200);
  lbl_mode = new QLabel(group_mode);
  SetCaption(lbl_mode, Text(model.modeText));
  lbl_mode->move(10, 20);
  QRadioButton** radioMembers[] = {&rad_mode1, &rad_mode2, &rad_mode3, &rad_mode4, &rad_mode5, &rad_mode6};
  for (int i = 0; i < kModeRadios; ++i) {
    auto* radio = new QRadioButton(group_mode);
    radio->setGeometry(10, 20, kGroupWidth - 20, kBoxHeight);
    *radioMembers[i] = radio;
    // toggled fires for a click and for a check set from code; only the button that
    // becomes checked reacts.
    connect(radio, &QRadioButton::toggled, this, [this, i](bool checked) {
      if (checked) forward([this, i] { model.rad_modexClick(i + 1); });
    });
  }
  cbx_mode_bit6 = new QCheckBox(group_mode);
  cbx_mode_bit7 = new QCheckBox(group_mode);
  for (QCheckBox* box : {cbx_mode_bit6, cbx_mode_bit7}) box->setGeometry(10, 20, kGroupWidth - 20, kBoxHeight);
  connect(cbx_mode_bit6, &QCheckBox::toggled, this,
          [this](bool ticked) { forward([this, ticked] { model.cbx_mode_bit6Click(ticked); }); });
  connect(cbx_mode_bit7, &QCheckBox::toggled, this,
          [this](bool ticked) { forward([this, ticked] { model.cbx_mode_bit7Click(ticked); }); });

  cbx_weiche_ab = new QCheckBox(pnl_Zusatz);
  cbx_weiche_ab->setGeometry(16, 100, innerWidth, kBoxHeight);
  connect(cbx_weiche_ab, &QCheckBox::toggled, this,
          [this](bool ticked) { forward([this, ticked] { model.cbx_weiche_abClick(ticked); }); });

  QCheckBox** boxMembers[] = {&cbx_zusatz_1, &cbx_zusatz_2, &cbx_zusatz_3, &cbx_zusatz_4,
                              &cbx_zusatz_5, &cbx_zusatz_6, &cbx_zusatz_7, &cbx_zusatz_8};
  for (int i = 0; i < 8; ++i) {
    auto* box = new QCheckBox(pnl_Zusatz);
    box->setGeometry(16, 40 + 20 * i, innerWidth, kBoxHeight);
    *boxMembers[i] = box;
    connect(box, &QCheckBox::toggled, this,
            [this, i](bool ticked) { forward([this, i, ticked] { model.cbx_zusatz_x_Click(i + 1, ticked); }); });
  }
  lbl_text_1 = new QLabel(pnl_Zusatz);
  lbl_text_1->move(16, 230);

  lbl_trackbar_01 = new QLabel(pnl_Zusatz);
  lbl_trackbar_01_l = new QLabel(pnl_Zusatz);
  lbl_trackbar_01_r = new QLabel(pnl_Zusatz);
  TrackBar_01 = new QSlider(Qt::Horizontal, pnl_Zusatz);
  TrackBar_01->setTickPosition(QSlider::TicksBelow);
  lbl_trackbar_01->setBuddy(TrackBar_01);
  connect(TrackBar_01, &QSlider::valueChanged, this,
          [this](int position) { forward([this, position] { model.TrackBar_01Change(position); }); });

  TrackBar_neon_1 = new QSlider(Qt::Horizontal, pnl_Zusatz);
  TrackBar_neon_2 = new QSlider(Qt::Horizontal, pnl_Zusatz);
  for (QSlider* bar : {TrackBar_neon_1, TrackBar_neon_2}) {
    bar->setTickPosition(QSlider::TicksBelow);
    bar->resize(180, 30);
  }
  connect(TrackBar_neon_1, &QSlider::valueChanged, this,
          [this](int position) { forward([this, position] { model.TrackBar_neon_1Change(position); }); });
  connect(TrackBar_neon_2, &QSlider::valueChanged, this,
          [this](int position) { forward([this, position] { model.TrackBar_neon_2Change(position); }); });
  lbl_fNeon_01 = new QLabel(pnl_Zusatz);
  lbl_fNeon_02 = new QLabel(pnl_Zusatz);
  lbl_fNeon_03 = new QLabel(pnl_Zusatz);
  lbl_fNeon_01->setBuddy(TrackBar_neon_1);
  lbl_fNeon_02->setBuddy(TrackBar_neon_2);
  TrackBar_neon_1->setAccessibleName(QString::fromStdString(model.neonLabels[0].text));
  TrackBar_neon_2->setAccessibleName(QString::fromStdString(model.neonLabels[1].text));

  for (size_t i = 0; i < kOptionRowSlots; ++i) {
    lbl_option[i] = new QLabel(pnl_Zusatz);
    lbl_option[i]->resize(100, 20);
    auto* edit = new QLineEdit(pnl_Zusatz);
    edit->resize(40, 20);
    edt_option[i] = edit;
    lbl_option[i]->setBuddy(edit);
    lbl_option_sec[i] = new QLabel(pnl_Zusatz);
    lbl_option_sec[i]->resize(100, 20);
    lbl_option[i]->hide();
    edit->hide();
    lbl_option_sec[i]->hide();
    // textChanged fires for typed text and for text set from code alike.
    connect(edit, &QLineEdit::textChanged, this, [this, i, edit] {
      forward([this, i, edit] { model.edt_optionChange(static_cast<int>(i), edit->text().toStdString()); });
    });
  }
  Render();
}

void TFrameZusatz::resizeEvent(QResizeEvent* event) {
  EditorFrame::resizeEvent(event);
  pnl_Zusatz->setGeometry(0, 0, width(), height());
}

template <typename Reaction>
void TFrameZusatz::forward(Reaction reaction) {
  if (filling) return;
  reaction();
  Render();
}

void TFrameZusatz::Render() {
  filling = true;
  RenderLabel(lbl_zusatz, model.heading);
  RenderLabel(lbl_zusatz3, model.heading3);

  RenderBox(cbx_weiche_ab, model.timeOutMarker, true);
  auto boxes = zusatzBoxes();
  for (size_t i = 0; i < boxes.size(); ++i) RenderBox(boxes[i], model.boxes[i], true);
  RenderLabel(lbl_text_1, model.text1);

  renderBars();
  renderRows();
  renderModeGroup();
  filling = false;
  applyFocus();
}

void TFrameZusatz::renderModeGroup() {
  group_mode->setTitle(QString::fromStdString(model.modeGroupCaption));
  lbl_mode->setVisible(model.modeTextVisible);
  auto radio = radios();
  for (size_t i = 0; i < kModeRadios; ++i) {
    const QString caption = QString::fromStdString(model.modeCaptions[i]);
    radio[i]->setText(caption);
    radio[i]->setAccessibleName(caption);
    radio[i]->setVisible(model.modeVisible[i]);
  }
  if (model.checkedMode >= 1 && model.checkedMode <= kModeRadios) {
    radio[static_cast<size_t>(model.checkedMode - 1)]->setChecked(true);
  } else {
    // No mode chosen yet: an exclusive radio button can only be unchecked alone.
    for (QRadioButton* r : radio) {
      if (!r->isChecked()) continue;
      r->setAutoExclusive(false);
      r->setChecked(false);
      r->setAutoExclusive(true);
    }
  }
  RenderBox(cbx_mode_bit6, model.modeBit6, false);
  RenderBox(cbx_mode_bit7, model.modeBit7, false);
  group_mode->setVisible(model.modeGroupVisible);
  if (model.modeGroupVisible) stackModeGroup();
}

void TFrameZusatz::renderBars() {
  RenderBar(TrackBar_01, model.bar);
  SetCaption(lbl_trackbar_01, QString::fromStdString(model.barTitle.text));
  SetCaption(lbl_trackbar_01_l, QString::fromStdString(model.barLeft.text));
  SetCaption(lbl_trackbar_01_r, QString::fromStdString(model.barRight.text));
  TrackBar_01->setAccessibleName(QString::fromStdString(model.barTitle.text));
  if (model.bar.visible) placeTrackBar();
  TrackBar_01->setVisible(model.bar.visible);
  lbl_trackbar_01->setVisible(model.barTitle.visible);
  lbl_trackbar_01_l->setVisible(model.barLeft.visible);
  lbl_trackbar_01_r->setVisible(model.barRight.visible);

  QSlider* neonBars[] = {TrackBar_neon_1, TrackBar_neon_2};
  QLabel* neonLabels[] = {lbl_fNeon_01, lbl_fNeon_02, lbl_fNeon_03};
  for (size_t i = 0; i < 3; ++i) {
    SetCaption(neonLabels[i], Text(model.neonLabels[i].text));
    neonLabels[i]->move(10, model.neonLabels[i].top);
    neonLabels[i]->setVisible(model.neonLabels[i].visible);
  }
  // The bars start at 120, or just right of the longer label where the font is wider.
  const int barLeft = std::max(120, 10 + std::max(lbl_fNeon_01->width(), lbl_fNeon_02->width()) + 6);
  for (size_t i = 0; i < 2; ++i) {
    RenderBar(neonBars[i], model.neon[i]);
    neonBars[i]->setGeometry(barLeft, model.neon[i].top, 180, neonBars[i]->height());
    neonBars[i]->setVisible(model.neon[i].visible);
  }
}

void TFrameZusatz::renderRows() {
  for (size_t i = 0; i < kOptionRowSlots; ++i) {
    if (i >= model.rows.size()) {
      SetCaption(lbl_option[i], QString());
      edt_option[i]->setToolTip(QString());
      lbl_option_sec[i]->hide();
      continue;
    }
    const OptionRowState& row = model.rows[i];
    const QString caption = QString::fromStdString(row.caption);
    SetCaption(lbl_option[i], caption);
    edt_option[i]->setAccessibleName(caption);
    edt_option[i]->setToolTip(QString::fromStdString(row.hint));
    // Setting the same text again would move the cursor of a box the user is typing in.
    const QString text = QString::fromStdString(row.text);
    if (edt_option[i]->text() != text) edt_option[i]->setText(text);
    SetCaption(lbl_option_sec[i], QString::fromStdString(row.unitText));
    lbl_option_sec[i]->setVisible(!row.unitText.empty());
  }
  layOutRows();
}

void TFrameZusatz::placeTrackBar() {
  TrackBarPlaces p =
      PlaceTrackBar(model.barTitle.top, lbl_trackbar_01_l->width(), lbl_trackbar_01_r->width(), pnl_Zusatz->width());
  lbl_trackbar_01->move(p.titleLeft, p.titleTop);
  TrackBar_01->setGeometry(p.barLeft, p.barTop, p.barWidth, 24);
  lbl_trackbar_01_l->move(p.leftLabelLeft, p.leftLabelTop);
  lbl_trackbar_01_r->move(p.rightLabelLeft, p.rightLabelTop);
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
  auto places = PlaceOptionRows(model.rowTop, widths, edt_option[0]->width());
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

void TFrameZusatz::applyFocus() {
  switch (model.focus) {
    case OptionsFocus::None: break;
    case OptionsFocus::Row:
      if (model.focusRow >= 0 && model.focusRow < kOptionRowSlots)
        edt_option[static_cast<size_t>(model.focusRow)]->setFocus();
      break;
    case OptionsFocus::Bar: TrackBar_01->setFocus(); break;
    case OptionsFocus::NeonBar1: TrackBar_neon_1->setFocus(); break;
    case OptionsFocus::NeonBar2: TrackBar_neon_2->setFocus(); break;
  }
  model.focus = OptionsFocus::None;
  model.focusRow = -1;
}

}  // namespace korrin
