#include "editors/gui/Frame_register.h"

#include <QFontMetrics>
#include <QResizeEvent>
#include <algorithm>

#include "image/firmware_image.h"

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
    for (int32_t id : {0x4400, 0x14B00, 0x15000})
      for (const CvRow& row : CvTableFor(id))
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromUtf8(row.caption)));
    if (widest <= 176) break;
    if (font.stretch() == QFont::Unstretched || font.stretch() == 0)
      font.setStretch(QFont::SemiCondensed);
    else
      font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

}  // namespace

TFrameRegister::TFrameRegister(EditorContext& context, QWidget* parent) : EditorFrame(context, parent) {
  resize(940, 571);
  pnl_cv = new QFrame(this);
  pnl_cv->setObjectName("pnl_cv");
  pnl_cv->setGeometry(0, 0, 940, 571);

  auto makeLine = [this](const char* name) {
    auto* line = new QFrame(pnl_cv);
    line->setObjectName(name);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
  };
  Line1 = makeLine("Line1");
  Line2 = makeLine("Line2");
  Line3 = makeLine("Line3");

  const QFont rowFont = RowFont(font());
  for (int i = 0; i < kCvRowSlots; ++i) {
    CvSlotPlace place = CvSlotPlacement(i);
    auto* caption = new QLabel(pnl_cv);
    caption->setFont(rowFont);
    caption->setGeometry(place.captionLeft, place.captionTop, kCvCaptionWidth, kCvCaptionHeight);
    caption->hide();
    auto* edit = new QLineEdit(pnl_cv);
    edit->setFont(rowFont);
    edit->setGeometry(place.editLeft, place.editTop, kCvEditWidth, kCvEditHeight);
    edit->hide();
    lbl_cv[static_cast<size_t>(i)] = caption;
    edt_cv[static_cast<size_t>(i)] = edit;
    // textChanged fires for typed text and for text set from code alike; `filling` keeps
    // the frame's own filling from writing back.
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { edt_cvChange(edit); });
  }
  ClearRows();
}

void TFrameRegister::resizeEvent(QResizeEvent* event) {
  EditorFrame::resizeEvent(event);
  pnl_cv->setGeometry(0, 0, width(), height());
}

void TFrameRegister::ClearRows() {
  filling = true;
  pnl_cv->show();
  for (int i = 0; i < kCvRowSlots; ++i) {
    lbl_cv[static_cast<size_t>(i)]->setText(QString());
    lbl_cv[static_cast<size_t>(i)]->hide();
    edt_cv[static_cast<size_t>(i)]->hide();
  }
  cv_row_count = 0;
  auto separators = CvSeparators(pnl_cv->height());
  QFrame* lines[] = {Line1, Line2, Line3};
  for (size_t i = 0; i < 3; ++i)
    lines[i]->setGeometry(separators[i].left, separators[i].top, separators[i].width, separators[i].height);
  filling = false;
}

void TFrameRegister::LoadRows() {
  filling = true;
  auto table = CvTableFor(ctx.DecoderIdentifier);
  if (!table.empty()) {
    for (size_t r = 0; r < table.size(); ++r) {
      lbl_cv[r]->setText(QString::fromUtf8(table[r].caption));
      // The caption takes the size of its text, so that it lines up with its edit box.
      lbl_cv[r]->resize(std::max(kCvCaptionWidth, lbl_cv[r]->sizeHint().width()), lbl_cv[r]->sizeHint().height());
      cv_ee_offset[r] = table[r].offset;
    }
    cv_row_count = static_cast<int>(table.size());
  }
  for (int r = 0; r < cv_row_count; ++r) {
    auto cell = ctx.image.get_Hex_EE(cv_ee_offset[static_cast<size_t>(r)]);
    edt_cv[static_cast<size_t>(r)]->setText(QString::fromStdString(CvValueText(cell)));
  }
  filling = false;
  for (int i = 0; i < kCvRowSlots; ++i) {
    bool used = !lbl_cv[static_cast<size_t>(i)]->text().isEmpty();
    lbl_cv[static_cast<size_t>(i)]->setVisible(used);
    edt_cv[static_cast<size_t>(i)]->setVisible(used);
  }
}

void TFrameRegister::edt_cvChange(QLineEdit* sender) {
  if (filling) return;
  int row = -1;
  for (int r = 0; r < cv_row_count; ++r)
    if (edt_cv[static_cast<size_t>(r)] == sender) row = r;
  if (row < 0) return;
  TypedNumber typed = ReadCvInput(sender->text().toStdString());
  switch (typed.kind) {
    case TypedNumberKind::Empty: return;
    case TypedNumberKind::NotANumber:
      ctx.dialogs.show(BoxKind::Warning, NotANumberMessage(), Buttons::Cancel);
      if (sender->isVisible()) sender->setFocus();
      return;
    case TypedNumberKind::OutOfRange:
      // An EEPROM byte holds 0..255: other whole numbers are refused, nothing is written.
      ctx.dialogs.show(BoxKind::Warning, OutOfRangeMessage(0, 255), Buttons::Cancel);
      if (sender->isVisible()) sender->setFocus();
      return;
    case TypedNumberKind::InRange:
      ctx.image.set_Hex_EE(cv_ee_offset[static_cast<size_t>(row)], HexByteText()[static_cast<size_t>(typed.value)]);
      return;
  }
}

}  // namespace korrin
