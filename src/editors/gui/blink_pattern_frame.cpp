#include "editors/gui/blink_pattern_frame.h"

#include <climits>

namespace korrin {

BlinkPatternFrame::BlinkPatternFrame(EditorContext& context, QWidget* parent, PatternLayout layout,
                                     Behaviour behaviour)
    : EditorFrame(context, parent), table_(std::move(layout)), behaviour_(behaviour) {}

void BlinkPatternFrame::ShowEditor(int width) {
  filling = true;
  show();
  for (auto* s : strips) s->setBars({});
  geometry_.setHeight(strips.front()->height());
  layoutControls();
  strip_width_ = width - strips.front()->x() - 10;
  for (auto* s : strips) s->resize(strip_width_, s->height());
  ReloadEditor();
  apply_button->setEnabled(false);
  if (behaviour_.drawAtEndOfShowEditor) DrawPatterns();
  filling = false;
}

void BlinkPatternFrame::RefreshEditor() {
  ShowParameters();
  DrawPatterns();
}

void BlinkPatternFrame::ReloadEditor() {
  LoadPatterns();
  ShowParameters();
  DrawPatterns();
}

bool BlinkPatternFrame::hasPendingChanges() const { return !isHidden() && apply_button->isEnabled(); }

void BlinkPatternFrame::applyPendingChanges() { applyClicked(); }

int BlinkPatternFrame::selectedAddress() const {
  for (int k = 0; k < 4; ++k)
    if (address_buttons[static_cast<size_t>(k)]->isChecked()) return k;
  return 0;
}

void BlinkPatternFrame::LoadPatterns() {
  table_.setLayout(layoutForFirmware());
  table_.LoadPatterns(ctx.image);
}

void BlinkPatternFrame::StorePatterns() { table_.StorePatterns(ctx.image); }

int BlinkPatternFrame::editNumber(QLineEdit* edit, int fallback) const {
  PatternNumberInput in = ReadPatternNumber(edit->text().toStdString(), INT_MIN, INT_MAX);
  return in.kind == PatternNumberInput::Kind::Value ? in.value : fallback;
}

void BlinkPatternFrame::ShowParameters() {
  const int k = selectedAddress();
  for (int i = 0; i < 4; ++i) copy_buttons[static_cast<size_t>(i)]->setEnabled(i != k);
  // Setting the texts runs the count and stretch reactions when they change.
  count_edit->setText(QString::number(table_.count(k)));
  stretch_edit->setText(QString::number(table_.stretch(k)));
  loop_box->setChecked(table_.loop(k));
  for (int j = 0; j < table_.outputCount(); ++j)
    output_boxes[static_cast<size_t>(j)]->setChecked(table_.outputUsed(k, j));
  // The time texts follow what the edits show.
  int n = editNumber(count_edit, table_.count(k));
  int s = editNumber(stretch_edit, table_.stretch(k));
  info_raster->setText(QString::fromStdString(PatternRasterText(s)));
  info_total->setText(QString::fromStdString(PatternTotalText(s, n)));
}

void BlinkPatternFrame::DrawPatterns() {
  const int k = selectedAddress();
  // The cell width is taken from the selected block every time the strips are drawn, so a
  // count that is shown without a change of the edit's text (and so without the count
  // reaction) still gets its own cells.
  const int n = table_.drawCount(k);
  geometry_.setCells(strip_width_, n);
  for (int j = 0; j < table_.outputCount(); ++j) {
    PatternStrip* strip = strips[static_cast<size_t>(j)];
    strip->setVisible(output_boxes[static_cast<size_t>(j)]->isChecked());
    std::vector<PatternStripGeometry::Cell> bars;
    for (int q = 0; q < n; ++q)
      if (table_.pointOn(k, q, j)) bars.push_back(geometry_.cell(q, true));
    strip->setBars(std::move(bars));
  }
}

void BlinkPatternFrame::numberChanged(QLineEdit* edit, int max, bool isCount) {
  PatternNumberInput in = ReadPatternNumber(edit->text().toStdString(), 1, max);
  if (in.kind == PatternNumberInput::Kind::Empty) return;
  if (in.kind == PatternNumberInput::Kind::Invalid) {
    ctx.dialogs.show(BoxKind::Warning, PatternRangeMessage(1, max), Buttons::Cancel);
    edit->setFocus();
    return;
  }
  const int k = selectedAddress();
  if (isCount) {
    int n = table_.storeCount(k, in.value);
    geometry_.setCells(strip_width_, n);
  } else {
    table_.storeStretch(k, in.value);
  }
  DrawPatterns();
  if (!filling) ShowParameters();
  apply_button->setEnabled(true);
}

void BlinkPatternFrame::countChanged() { numberChanged(count_edit, table_.layout().maxCount, true); }

void BlinkPatternFrame::stretchChanged() {
  if (behaviour_.stretchIgnoredWhileFilling && filling) return;
  numberChanged(stretch_edit, table_.layout().maxStretch, false);
}

void BlinkPatternFrame::loopClicked() {
  if (filling) return;
  table_.setLoop(selectedAddress(), loop_box->isChecked());
  apply_button->setEnabled(true);
}

void BlinkPatternFrame::outputClicked(int output) {
  if (filling) return;
  table_.setOutputUsed(selectedAddress(), output, output_boxes[static_cast<size_t>(output)]->isChecked());
  DrawPatterns();
  apply_button->setEnabled(true);
}

void BlinkPatternFrame::addressClicked(bool checked) {
  // Only the newly checked button reacts, not the one that was unchecked.
  if (!checked || filling) return;
  ShowParameters();
  DrawPatterns();
}

void BlinkPatternFrame::copyClicked(int fromAddress) {
  table_.copyBlock(fromAddress, selectedAddress());
  DrawPatterns();
  ShowParameters();
  apply_button->setEnabled(true);
}

void BlinkPatternFrame::applyClicked() {
  StorePatterns();
  apply_button->setEnabled(false);
}

void BlinkPatternFrame::discardClicked() {
  ReloadEditor();
  apply_button->setEnabled(false);
}

void BlinkPatternFrame::stripPressed() { mouse_down = true; }

void BlinkPatternFrame::stripMoved(int output, QPoint position) {
  if (!mouse_down) return;
  int q = geometry_.pointAt(position.x(), table_.layout().lastPaintPoint);
  table_.paintPoint(selectedAddress(), q, output, geometry_.switchesOn(position.y()));
  DrawPatterns();
  apply_button->setEnabled(true);
}

void BlinkPatternFrame::stripReleased() { mouse_down = false; }

}  // namespace korrin
