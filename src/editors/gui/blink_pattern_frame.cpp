#include "editors/gui/blink_pattern_frame.h"

#include <QPointer>
#include <QSignalBlocker>

namespace korrin {

BlinkPatternFrame::BlinkPatternFrame(PatternEditorModel& model, QWidget* parent)
    : EditorFrame(parent), model_(model) {
  // Every action on the model, from this frame or from the save's question, ends in a
  // render. The frame may be destroyed before the model.
  QPointer<BlinkPatternFrame> self(this);
  model_.changed = [self] {
    if (self) self->Render();
  };
}

void BlinkPatternFrame::ShowEditor(int width) {
  if (preview) preview->stop();
  show();
  geometry_.setHeight(strips.front()->height());
  layoutControls();
  strip_width_ = width - strips.front()->x() - 10;
  for (auto* s : strips) s->resize(strip_width_, s->height());
  Render();
  filling = false;
}

void BlinkPatternFrame::Render() {
  const PatternEditorModel& m = model_;
  for (int k = 0; k < 4; ++k) {
    QRadioButton* r = address_buttons[static_cast<size_t>(k)];
    QSignalBlocker b(r);
    if (k == m.selectedAddress()) r->setChecked(true);
  }
  {
    QSignalBlocker b(count_edit);
    if (count_edit->text().toStdString() != m.countText()) count_edit->setText(QString::fromStdString(m.countText()));
  }
  {
    QSignalBlocker b(stretch_edit);
    if (stretch_edit->text().toStdString() != m.stretchText())
      stretch_edit->setText(QString::fromStdString(m.stretchText()));
  }
  {
    QSignalBlocker b(loop_box);
    loop_box->setChecked(m.loopChecked());
  }
  for (int j = 0; j < m.outputCount(); ++j) {
    QCheckBox* box = output_boxes[static_cast<size_t>(j)];
    QSignalBlocker b(box);
    box->setChecked(m.outputChecked(j));
  }
  // The spinners step within what the model takes (the LED table's stretch range depends on
  // the type).
  count_spinner->setRange(1, m.maxCount());
  stretch_spinner->setRange(1, m.maxStretch());
  info_raster->setText(QString::fromStdString(m.rasterText()));
  info_total->setText(QString::fromStdString(m.totalText()));
  for (int i = 0; i < 4; ++i) copy_buttons[static_cast<size_t>(i)]->setEnabled(m.copyEnabled(i));
  apply_button->setEnabled(m.applyEnabled());

  // The cells follow the count the strips were drawn with.
  const auto& drawn = m.strips();
  const int n = drawn.empty() ? 0 : static_cast<int>(drawn.front().points.size());
  geometry_.setCells(strip_width_, n);
  for (size_t j = 0; j < strips.size() && j < drawn.size(); ++j) {
    strips[j]->setVisible(drawn[j].visible);
    std::vector<PatternStripGeometry::Cell> bars;
    for (int q = 0; q < static_cast<int>(drawn[j].points.size()); ++q)
      if (drawn[j].points[static_cast<size_t>(q)]) bars.push_back(geometry_.cell(q, true));
    strips[j]->setBars(std::move(bars));
  }
}

bool BlinkPatternFrame::hasPendingChanges() const { return !isHidden() && model_.hasPendingChanges(); }

void BlinkPatternFrame::applyPendingChanges() { model_.applyPendingChanges(); }

void BlinkPatternFrame::nameControls() {
  for (int k = 0; k < 4; ++k)
    address_buttons[static_cast<size_t>(k)]->setAccessibleName(QStringLiteral("Adresse %1").arg(k + 1));
  loop_box->setAccessibleName(QStringLiteral("Loop"));
  stretch_edit->setAccessibleName(QStringLiteral("Stretch-Faktor"));
  stretch_label->setBuddy(stretch_edit);
  stretch_spinner->setAccessibleNames(QStringLiteral("Stretch-Faktor"));
  count_edit->setAccessibleName(QStringLiteral("Anzahl Punkte"));
  count_label->setBuddy(count_edit);
  count_spinner->setAccessibleNames(QStringLiteral("Anzahl Punkte"));
  for (size_t j = 0; j < output_boxes.size(); ++j) {
    output_boxes[j]->setAccessibleName(QStringLiteral("Ausgang %1").arg(j + 1));
    output_labels[j]->setBuddy(output_boxes[j]);
    strips[j]->setAccessibleName(QStringLiteral("Punkte Ausgang %1").arg(j + 1));
  }
  for (int i = 0; i < 4; ++i)
    copy_buttons[static_cast<size_t>(i)]->setAccessibleName(QStringLiteral("Kurve kopieren von #%1").arg(i + 1));
  discard_button->setAccessibleName(QStringLiteral("Verwerfen"));
  apply_button->setAccessibleName(QString::fromUtf8("Übernehmen"));
}

void BlinkPatternFrame::countChanged() {
  if (model_.CountTextChanged(count_edit->text().toStdString()) == PatternEditorModel::Input::Refused)
    count_edit->setFocus();
}

void BlinkPatternFrame::stretchChanged() {
  if (model_.StretchTextChanged(stretch_edit->text().toStdString()) == PatternEditorModel::Input::Refused)
    stretch_edit->setFocus();
}

void BlinkPatternFrame::loopClicked() { model_.LoopToggled(loop_box->isChecked()); }

void BlinkPatternFrame::outputClicked(int output) {
  model_.OutputToggled(output, output_boxes[static_cast<size_t>(output)]->isChecked());
}

void BlinkPatternFrame::addressClicked(int address, bool checked) {
  // Only the newly checked button reacts, not the one that was unchecked.
  if (checked) model_.SelectAddress(address);
}

void BlinkPatternFrame::copyClicked(int fromAddress) { model_.Copy(fromAddress); }

void BlinkPatternFrame::applyClicked() { model_.Apply(); }

void BlinkPatternFrame::discardClicked() { model_.Discard(); }

void BlinkPatternFrame::stripPressed() { model_.StripPressed(); }

void BlinkPatternFrame::stripMoved(int output, QPoint position) {
  // The pixel geometry stays here: the point under the pointer (clamped to the paintable
  // points) and whether the pointer is in the upper part of the strip.
  model_.StripMoved(output, geometry_.pointAt(position.x(), model_.lastPaintPoint()),
                    geometry_.switchesOn(position.y()));
}

void BlinkPatternFrame::stripReleased() { model_.StripReleased(); }

}  // namespace korrin
