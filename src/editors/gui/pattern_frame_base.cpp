#include "editors/gui/pattern_frame_base.h"

#include <QSignalBlocker>

namespace korrin {

PatternFrameBase::PatternFrameBase(PatternEditorModel& model, QWidget* parent) : EditorFrame(parent), model_(model) {
  // Every action on the model, from this frame or from the save's question, ends in a
  // render.
  observer_ = model_.Observe([this] { Render(); });
}

FrameMetrics PatternFrameBase::Metrics() const {
  FrameMetrics m;
  m.applyRight = RightOf(applyButton);
  m.applyBottom = BottomOf(applyButton);
  return m;
}

void PatternFrameBase::ShowEditor(int width) {
  if (preview) preview->stop();
  show();
  geometry_.setHeight(strips.front()->height());
  layoutControls();
  stripWidth_ = width - strips.front()->x() - 10;
  for (auto* s : strips) s->resize(stripWidth_, s->height());
  Render();
}

void PatternFrameBase::Render() {
  const PatternEditorModel& m = model_;
  for (int k = 0; k < 4; ++k) {
    QRadioButton* r = addressButtons[static_cast<size_t>(k)];
    QSignalBlocker b(r);
    if (k == m.selectedAddress()) r->setChecked(true);
  }
  {
    QSignalBlocker b(countEdit);
    if (countEdit->text().toStdString() != m.countText()) countEdit->setText(QString::fromStdString(m.countText()));
  }
  {
    QSignalBlocker b(stretchEdit);
    if (stretchEdit->text().toStdString() != m.stretchText()) stretchEdit->setText(QString::fromStdString(m.stretchText()));
  }
  {
    QSignalBlocker b(loopBox);
    loopBox->setChecked(m.loopChecked());
  }
  for (int j = 0; j < m.outputCount(); ++j) {
    QCheckBox* box = outputBoxes[static_cast<size_t>(j)];
    QSignalBlocker b(box);
    box->setChecked(m.outputChecked(j));
  }
  // The spinners step within what the model takes (the LED table's stretch range depends on
  // the type).
  countSpinner->setRange(1, m.maxCount());
  stretchSpinner->setRange(1, m.maxStretch());
  pointTimeLabel->setText(QString::fromStdString(m.rasterText()));
  totalTimeLabel->setText(QString::fromStdString(m.totalText()));
  for (int i = 0; i < 4; ++i) copyButtons[static_cast<size_t>(i)]->setEnabled(m.copyEnabled(i));
  applyButton->setEnabled(m.applyEnabled());

  // The cells follow the count the strips were drawn with.
  const auto& drawn = m.strips();
  const int n = drawn.empty() ? 0 : static_cast<int>(drawn.front().points.size());
  geometry_.setCells(stripWidth_, n);
  for (size_t j = 0; j < strips.size() && j < drawn.size(); ++j) {
    strips[j]->setVisible(drawn[j].visible);
    std::vector<PatternStripGeometry::Cell> bars;
    for (int q = 0; q < static_cast<int>(drawn[j].points.size()); ++q)
      if (drawn[j].points[static_cast<size_t>(q)]) bars.push_back(geometry_.cell(q, true));
    strips[j]->setBars(std::move(bars));
  }
}

bool PatternFrameBase::hasPendingChanges() const { return !isHidden() && model_.hasPendingChanges(); }

void PatternFrameBase::applyPendingChanges() { model_.applyPendingChanges(); }

void PatternFrameBase::nameControls() {
  for (int k = 0; k < 4; ++k) addressButtons[static_cast<size_t>(k)]->setAccessibleName(QStringLiteral("Adresse %1").arg(k + 1));
  loopBox->setAccessibleName(QStringLiteral("Loop"));
  stretchEdit->setAccessibleName(QStringLiteral("Stretch-Faktor"));
  stretchLabel->setBuddy(stretchEdit);
  stretchSpinner->setAccessibleNames(QStringLiteral("Stretch-Faktor"));
  countEdit->setAccessibleName(QStringLiteral("Anzahl Punkte"));
  countLabel->setBuddy(countEdit);
  countSpinner->setAccessibleNames(QStringLiteral("Anzahl Punkte"));
  for (size_t j = 0; j < outputBoxes.size(); ++j) {
    outputBoxes[j]->setAccessibleName(QStringLiteral("Ausgang %1").arg(j + 1));
    outputLabels[j]->setBuddy(outputBoxes[j]);
    strips[j]->setAccessibleName(QStringLiteral("Punkte Ausgang %1").arg(j + 1));
  }
  for (int i = 0; i < 4; ++i)
    copyButtons[static_cast<size_t>(i)]->setAccessibleName(QStringLiteral("Kurve kopieren von #%1").arg(i + 1));
  discardButton->setAccessibleName(QStringLiteral("Verwerfen"));
  applyButton->setAccessibleName(QString::fromUtf8("Übernehmen"));
}

void PatternFrameBase::countChanged() {
  if (model_.CountTextChanged(countEdit->text().toStdString()) == PatternEditorModel::Input::Refused) countEdit->setFocus();
}

void PatternFrameBase::stretchChanged() {
  if (model_.StretchTextChanged(stretchEdit->text().toStdString()) == PatternEditorModel::Input::Refused) stretchEdit->setFocus();
}

void PatternFrameBase::loopClicked() { model_.LoopToggled(loopBox->isChecked()); }

void PatternFrameBase::addOutputRow(int output, const QRect& label, const QRect& box, const QRect& strip) {
  auto* caption = new QLabel(QStringLiteral("Out#%1").arg(output + 1), this);
  caption->setGeometry(label);
  outputLabels.push_back(caption);
  auto* use = new QCheckBox(this);
  use->setGeometry(box);
  use->setToolTip(QStringLiteral("Ausgang %1 verwenden (wird sonst nicht beeinflusst)").arg(output + 1));
  outputBoxes.push_back(use);
  connect(use, &QCheckBox::toggled, this, [this, output] { outputClicked(output); });
  auto* drawing = new PatternStrip(this);
  drawing->setGeometry(strip);
  strips.push_back(drawing);
  connect(drawing, &PatternStrip::pressed, this, [this] { stripPressed(); });
  connect(drawing, &PatternStrip::moved, this, [this, output](QPoint p) { stripMoved(output, p); });
  connect(drawing, &PatternStrip::released, this, [this] { stripReleased(); });
}

void PatternFrameBase::outputClicked(int output) {
  model_.OutputToggled(output, outputBoxes[static_cast<size_t>(output)]->isChecked());
}

void PatternFrameBase::addressClicked(int address, bool checked) {
  // Only the newly checked button reacts, not the one that was unchecked.
  if (checked) model_.SelectAddress(address);
}

void PatternFrameBase::copyClicked(int fromAddress) { model_.Copy(fromAddress); }

void PatternFrameBase::applyClicked() { model_.Apply(); }

void PatternFrameBase::discardClicked() { model_.Discard(); }

void PatternFrameBase::stripPressed() { model_.StripPressed(); }

void PatternFrameBase::stripMoved(int output, QPoint position) {
  // The pixel geometry stays here: the point under the pointer (clamped to the paintable
  // points) and whether the pointer is in the upper part of the strip.
  model_.StripMoved(output, geometry_.pointAt(position.x(), model_.lastPaintPoint()), geometry_.switchesOn(position.y()));
}

void PatternFrameBase::stripReleased() { model_.StripReleased(); }

}  // namespace korrin
