#include "editors/gui/options_frame.h"

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

OptionsFrame::OptionsFrame(OptionsModel& optionsModel, QWidget* parent) : EditorFrame(parent), model(optionsModel) {
  resize(kGroupWidth + 20, kFrameHeight);
  QFont frameFont = font();
  frameFont.setPixelSize(11);
  setFont(frameFont);

  panel = new QFrame(this);
  panel->setObjectName("pnl_Zusatz");
  panel->setGeometry(0, 0, width(), height());
  const int innerWidth = width() - 26;

  QFont bold = frameFont;
  bold.setBold(true);
  headingLabel = new QLabel(panel);
  headingLabel->setFont(bold);
  headingLabel->move(16, 16);
  secondHeadingLabel = new QLabel(panel);
  secondHeadingLabel->setFont(bold);
  secondHeadingLabel->move(16, 18);
  secondHeadingLabel->hide();

  modeGroup = new QGroupBox(QString::fromStdString(model.modeGroupCaption), panel);
  modeGroup->setGeometry(10, 100, kGroupWidth, 200);
  modeLabel = new QLabel(modeGroup);
  SetCaption(modeLabel, Text(model.modeText));
  modeLabel->move(10, 20);
  QRadioButton** radioMembers[] = {&modeRadio1, &modeRadio2, &modeRadio3, &modeRadio4, &modeRadio5, &modeRadio6};
  for (int i = 0; i < kModeRadios; ++i) {
    auto* radio = new QRadioButton(modeGroup);
    radio->setGeometry(10, 20, kGroupWidth - 20, kBoxHeight);
    *radioMembers[i] = radio;
    // toggled fires for a click and for a check set from code; only the button that
    // becomes checked reacts.
    connect(radio, &QRadioButton::toggled, this, [this, i](bool checked) {
      if (checked) forward([this, i] { model.SelectMode(i + 1); });
    });
  }
  modeBit6Box = new QCheckBox(modeGroup);
  modeBit7Box = new QCheckBox(modeGroup);
  for (QCheckBox* box : {modeBit6Box, modeBit7Box}) box->setGeometry(10, 20, kGroupWidth - 20, kBoxHeight);
  connect(modeBit6Box, &QCheckBox::toggled, this,
          [this](bool ticked) { forward([this, ticked] { model.SetModeBit6(ticked); }); });
  connect(modeBit7Box, &QCheckBox::toggled, this,
          [this](bool ticked) { forward([this, ticked] { model.SetModeBit7(ticked); }); });

  timeOutMarkerBox = new QCheckBox(panel);
  timeOutMarkerBox->setGeometry(16, 100, innerWidth, kBoxHeight);
  connect(timeOutMarkerBox, &QCheckBox::toggled, this,
          [this](bool ticked) { forward([this, ticked] { model.SetTimeOutMarker(ticked); }); });

  QCheckBox** boxMembers[] = {&optionBox1, &optionBox2, &optionBox3, &optionBox4,
                              &optionBox5, &optionBox6, &optionBox7, &optionBox8};
  for (int i = 0; i < 8; ++i) {
    auto* box = new QCheckBox(panel);
    box->setGeometry(16, 40 + 20 * i, innerWidth, kBoxHeight);
    *boxMembers[i] = box;
    connect(box, &QCheckBox::toggled, this,
            [this, i](bool ticked) { forward([this, i, ticked] { model.SetOptionBox(i + 1, ticked); }); });
  }
  boxNoteLabel = new QLabel(panel);
  boxNoteLabel->move(16, 230);

  barTitleLabel = new QLabel(panel);
  barLeftLabel = new QLabel(panel);
  barRightLabel = new QLabel(panel);
  fadingOrSpeedBar = new QSlider(Qt::Horizontal, panel);
  fadingOrSpeedBar->setTickPosition(QSlider::TicksBelow);
  barTitleLabel->setBuddy(fadingOrSpeedBar);
  connect(fadingOrSpeedBar, &QSlider::valueChanged, this,
          [this](int position) { forward([this, position] { model.SetFadingOrSpeed(position); }); });

  neonDarkBar = new QSlider(Qt::Horizontal, panel);
  neonBrightBar = new QSlider(Qt::Horizontal, panel);
  for (QSlider* bar : {neonDarkBar, neonBrightBar}) {
    bar->setTickPosition(QSlider::TicksBelow);
    bar->resize(180, 30);
  }
  connect(neonDarkBar, &QSlider::valueChanged, this,
          [this](int position) { forward([this, position] { model.SetNeonDarkLevel(position); }); });
  connect(neonBrightBar, &QSlider::valueChanged, this,
          [this](int position) { forward([this, position] { model.SetNeonBrightLevel(position); }); });
  neonLabel1 = new QLabel(panel);
  neonLabel2 = new QLabel(panel);
  neonLabel3 = new QLabel(panel);
  neonLabel1->setBuddy(neonDarkBar);
  neonLabel2->setBuddy(neonBrightBar);
  neonDarkBar->setAccessibleName(QString::fromStdString(model.neonLabels[0].text));
  neonBrightBar->setAccessibleName(QString::fromStdString(model.neonLabels[1].text));

  for (size_t i = 0; i < kOptionRowSlots; ++i) {
    optionLabels[i] = new QLabel(panel);
    optionLabels[i]->resize(100, 20);
    auto* edit = new QLineEdit(panel);
    edit->resize(40, 20);
    optionEdits[i] = edit;
    optionLabels[i]->setBuddy(edit);
    optionUnitLabels[i] = new QLabel(panel);
    optionUnitLabels[i]->resize(100, 20);
    optionLabels[i]->hide();
    edit->hide();
    optionUnitLabels[i]->hide();
    // textChanged fires for typed text and for text set from code alike.
    connect(edit, &QLineEdit::textChanged, this, [this, i, edit] {
      forward([this, i, edit] { model.SetOptionRowText(static_cast<int>(i), edit->text().toStdString()); });
    });
  }
  Render();
  observer_ = model.Observe([this] { Render(); });
}

FrameMetrics OptionsFrame::Metrics() const {
  FrameMetrics m;
  m.groupModeRight = RightOf(modeGroup);
  return m;
}

void OptionsFrame::resizeEvent(QResizeEvent* event) {
  EditorFrame::resizeEvent(event);
  panel->setGeometry(0, 0, width(), height());
}

template <typename Reaction>
void OptionsFrame::forward(Reaction reaction) {
  if (rendering()) return;
  reaction();  // the model's notification renders
}

void OptionsFrame::Render() {
  {
    RenderingScope scope(*this);
    RenderLabel(headingLabel, model.heading);
    RenderLabel(secondHeadingLabel, model.heading3);

    RenderBox(timeOutMarkerBox, model.timeOutMarker, true);
    auto boxes = optionBoxes();
    for (size_t i = 0; i < boxes.size(); ++i) RenderBox(boxes[i], model.boxes[i], true);
    RenderLabel(boxNoteLabel, model.text1);

    renderBars();
    renderRows();
    renderModeGroup();
  }
  applyFocus();
}

void OptionsFrame::renderModeGroup() {
  modeGroup->setTitle(QString::fromStdString(model.modeGroupCaption));
  modeLabel->setVisible(model.modeTextVisible);
  auto radio = modeRadios();
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
  RenderBox(modeBit6Box, model.modeBit6, false);
  RenderBox(modeBit7Box, model.modeBit7, false);
  modeGroup->setVisible(model.modeGroupVisible);
  if (model.modeGroupVisible) stackModeGroup();
}

void OptionsFrame::renderBars() {
  RenderBar(fadingOrSpeedBar, model.bar);
  SetCaption(barTitleLabel, QString::fromStdString(model.barTitle.text));
  SetCaption(barLeftLabel, QString::fromStdString(model.barLeft.text));
  SetCaption(barRightLabel, QString::fromStdString(model.barRight.text));
  fadingOrSpeedBar->setAccessibleName(QString::fromStdString(model.barTitle.text));
  if (model.bar.visible) placeTrackBar();
  fadingOrSpeedBar->setVisible(model.bar.visible);
  barTitleLabel->setVisible(model.barTitle.visible);
  barLeftLabel->setVisible(model.barLeft.visible);
  barRightLabel->setVisible(model.barRight.visible);

  QSlider* neonBars[] = {neonDarkBar, neonBrightBar};
  QLabel* neonLabels[] = {neonLabel1, neonLabel2, neonLabel3};
  for (size_t i = 0; i < 3; ++i) {
    SetCaption(neonLabels[i], Text(model.neonLabels[i].text));
    neonLabels[i]->move(10, model.neonLabels[i].top);
    neonLabels[i]->setVisible(model.neonLabels[i].visible);
  }
  // The bars start at 120, or just right of the longer label where the font is wider.
  const int barLeft = std::max(120, 10 + std::max(neonLabel1->width(), neonLabel2->width()) + 6);
  for (size_t i = 0; i < 2; ++i) {
    RenderBar(neonBars[i], model.neon[i]);
    neonBars[i]->setGeometry(barLeft, model.neon[i].top, 180, neonBars[i]->height());
    neonBars[i]->setVisible(model.neon[i].visible);
  }
}

void OptionsFrame::renderRows() {
  for (size_t i = 0; i < kOptionRowSlots; ++i) {
    if (i >= model.rows.size()) {
      SetCaption(optionLabels[i], QString());
      optionEdits[i]->setToolTip(QString());
      optionUnitLabels[i]->hide();
      continue;
    }
    const OptionRowState& row = model.rows[i];
    const QString caption = QString::fromStdString(row.caption);
    SetCaption(optionLabels[i], caption);
    optionEdits[i]->setAccessibleName(caption);
    optionEdits[i]->setToolTip(QString::fromStdString(row.hint));
    // Setting the same text again would move the cursor of a box the user is typing in.
    const QString text = QString::fromStdString(row.text);
    if (optionEdits[i]->text() != text) optionEdits[i]->setText(text);
    SetCaption(optionUnitLabels[i], QString::fromStdString(row.unitText));
    optionUnitLabels[i]->setVisible(!row.unitText.empty());
  }
  layOutRows();
}

void OptionsFrame::placeTrackBar() {
  TrackBarPlaces p = PlaceTrackBar(model.barTitle.top, barLeftLabel->width(), barRightLabel->width(), panel->width());
  barTitleLabel->move(p.titleLeft, p.titleTop);
  fadingOrSpeedBar->setGeometry(p.barLeft, p.barTop, p.barWidth, 24);
  barLeftLabel->move(p.leftLabelLeft, p.leftLabelTop);
  barRightLabel->move(p.rightLabelLeft, p.rightLabelTop);
}

void OptionsFrame::layOutRows() {
  std::vector<size_t> shown;
  std::vector<int> widths;
  for (size_t i = 0; i < kOptionRowSlots; ++i) {
    if (optionLabels[i]->text().isEmpty()) {
      optionLabels[i]->hide();
      optionEdits[i]->hide();
      continue;
    }
    optionLabels[i]->show();
    optionEdits[i]->show();
    shown.push_back(i);
    widths.push_back(optionLabels[i]->width());
  }
  auto places = PlaceOptionRows(model.rowTop, widths, optionEdits[0]->width());
  for (size_t k = 0; k < shown.size(); ++k) {
    size_t i = shown[k];
    optionLabels[i]->move(places[k].captionLeft, places[k].captionTop);
    optionEdits[i]->move(places[k].editLeft, places[k].editTop);
    optionUnitLabels[i]->move(places[k].unitLeft, places[k].unitTop);
  }
}

void OptionsFrame::stackModeGroup() {
  ModeGroupContent c;
  c.labelShown = Shown(modeLabel);
  c.labelHeight = modeLabel->height();
  c.bit7Shown = Shown(modeBit7Box);
  c.bit7Height = modeBit7Box->height();
  auto radio = modeRadios();
  for (size_t i = 0; i < kModeRadios; ++i) {
    c.radioShown[i] = Shown(radio[i]);
    c.radioHeight[i] = radio[i]->height();
  }
  c.bit6Shown = Shown(modeBit6Box);
  c.bit6Height = modeBit6Box->height();
  ModeGroupPlaces p = StackModeGroup(c, panel->height());
  modeLabel->move(modeLabel->x(), p.labelTop);
  modeBit7Box->move(modeBit7Box->x(), p.bit7Top);
  for (size_t i = 0; i < kModeRadios; ++i)
    if (c.radioShown[i]) radio[i]->move(radio[i]->x(), p.radioTop[i]);
  modeBit6Box->move(modeBit6Box->x(), p.bit6Top);
  modeGroup->setGeometry(modeGroup->x(), p.top, modeGroup->width(), p.height);
}

void OptionsFrame::applyFocus() {
  switch (model.focus) {
    case OptionsFocus::None: break;
    case OptionsFocus::Row:
      if (model.focusRow >= 0 && model.focusRow < kOptionRowSlots) optionEdits[static_cast<size_t>(model.focusRow)]->setFocus();
      break;
    case OptionsFocus::Bar: fadingOrSpeedBar->setFocus(); break;
    case OptionsFocus::NeonBar1: neonDarkBar->setFocus(); break;
    case OptionsFocus::NeonBar2: neonBrightBar->setFocus(); break;
  }
  model.focus = OptionsFocus::None;
  model.focusRow = -1;
}

}  // namespace korrin
