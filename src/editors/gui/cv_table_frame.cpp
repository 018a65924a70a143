#include "editors/gui/cv_table_frame.h"

#include <QFontMetrics>
#include <QResizeEvent>
#include <algorithm>

namespace korrin {

namespace {

// The rows use a font of their own, small enough that the longest caption of any table
// fits in the 180 pixels between a caption and its edit box.
QFont RowFont(const QFont& base) {
  int widest = 0;
  QFont font = base;
  font.setPixelSize(11);
  for (int step = 0; step < 6; ++step) {
    QFontMetrics metrics(font);
    widest = 0;
    for (const std::string& caption : EveryCvCaption())
      widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(caption)));
    if (widest <= 176) break;
    if (font.stretch() == QFont::Unstretched || font.stretch() == 0) font.setStretch(QFont::SemiCondensed);
    else font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

}  // namespace

CvTableFrame::CvTableFrame(CvRegisterModel& cvModel, QWidget* parent) : EditorFrame(parent), model(cvModel) {
  resize(940, 571);
  panel = new QFrame(this);
  panel->setObjectName("pnl_cv");
  panel->setGeometry(0, 0, 940, 571);

  auto makeLine = [this](const char* name) {
    auto* line = new QFrame(panel);
    line->setObjectName(name);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
  };
  separator1 = makeLine("Line1");
  separator2 = makeLine("Line2");
  separator3 = makeLine("Line3");

  const QFont rowFont = RowFont(font());
  for (size_t i = 0; i < kCvRowSlots; ++i) {
    CvSlotPlace place = CvSlotPlacement(static_cast<int>(i));
    auto* caption = new QLabel(panel);
    caption->setFont(rowFont);
    caption->setGeometry(place.captionLeft, place.captionTop, kCvCaptionWidth, kCvCaptionHeight);
    caption->hide();
    auto* edit = new QLineEdit(panel);
    edit->setFont(rowFont);
    edit->setGeometry(place.editLeft, place.editTop, kCvEditWidth, kCvEditHeight);
    edit->hide();
    caption->setBuddy(edit);
    cvLabels[i] = caption;
    cvEdits[i] = edit;
    // textChanged fires for typed text and for text set from code alike; the frame's own
    // rendering does not reach the model.
    connect(edit, &QLineEdit::textChanged, this, [this, i] { CvEdited(i); });
  }
  Render();
  observer_ = model.Observe([this] { Render(); });
}

void CvTableFrame::resizeEvent(QResizeEvent* event) {
  EditorFrame::resizeEvent(event);
  panel->setGeometry(0, 0, width(), height());
}

void CvTableFrame::Render() {
  RenderingScope scope(*this);
  panel->show();
  auto separators = CvSeparators(panel->height());
  QFrame* lines[] = {separator1, separator2, separator3};
  for (size_t i = 0; i < 3; ++i)
    lines[i]->setGeometry(separators[i].left, separators[i].top, separators[i].width, separators[i].height);

  const size_t used = std::min(model.rows.size(), static_cast<size_t>(kCvRowSlots));
  for (size_t i = 0; i < kCvRowSlots; ++i) {
    QLabel* caption = cvLabels[i];
    QLineEdit* edit = cvEdits[i];
    if (i >= used) {
      caption->setText(QString());
      caption->hide();
      edit->hide();
      continue;
    }
    const CvRowState& row = model.rows[i];
    const QString text = QString::fromStdString(row.caption);
    if (caption->text() != text) {
      caption->setText(text);
      // The caption takes the size of its text, so that it lines up with its edit box.
      caption->resize(std::max(kCvCaptionWidth, caption->sizeHint().width()), caption->sizeHint().height());
      edit->setAccessibleName(text);
    }
    // Setting the same text again would move the cursor of a box the user is typing in.
    const QString value = QString::fromStdString(row.text);
    if (edit->text() != value) edit->setText(value);
    caption->show();
    edit->show();
  }

  if (model.focusRow >= 0 && static_cast<size_t>(model.focusRow) < used) {
    QLineEdit* edit = cvEdits[static_cast<size_t>(model.focusRow)];
    if (edit->isVisible()) edit->setFocus();
  }
  model.focusRow = -1;
}

void CvTableFrame::CvEdited(size_t slot) {
  if (rendering()) return;
  model.SetCvText(static_cast<int>(slot), cvEdits[slot]->text().toStdString());
}

}  // namespace korrin
