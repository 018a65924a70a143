#include "editors/gui/servo_widgets.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

namespace korrin {

ServoCanvas::ServoCanvas(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ServoCanvas::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  if (paint_) paint_(p);
}

CanvasMargin::CanvasMargin(ServoCanvas* canvas, int margin)
    : QWidget(canvas->parentWidget()), canvas_(canvas), margin_(margin) {
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setGeometry(canvas->geometry().adjusted(-margin, -margin, margin, margin));
  stackUnder(canvas);
}

void CanvasMargin::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.translate(margin_, margin_);
  canvas_->paintPicture(p);
}

QPoint CanvasMargin::onCanvas(const QMouseEvent* event) const {
  return event->position().toPoint() - QPoint(margin_, margin_);
}

void CanvasMargin::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = onCanvas(event);
  emit canvas_->pressed(pos.x(), pos.y());
}

void CanvasMargin::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = onCanvas(event);
  emit canvas_->moved(pos.x(), pos.y());
}

void CanvasMargin::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = onCanvas(event);
  emit canvas_->released(pos.x(), pos.y());
}

void PaintCurve(QPainter& p, const CurvePicture& pic, int w, int h, int margin) {
  p.fillRect(0, 0, w, h, Qt::white);
  const int r = pic.markerHalfSize;
  for (size_t q = 0; q < pic.points.size(); ++q) {
    const PixelPoint pt = pic.points[q];
    p.setPen(Qt::black);
    if (q > 0) p.drawLine(pic.points[q - 1].x, pic.points[q - 1].y, pt.x, pt.y);
    p.setBrush(Qt::red);
    const PixelRect marker = MarkerRect(pt, r);
    if (r > 0)
      p.drawRect(marker.left, marker.top, marker.right - marker.left - 1, marker.bottom - marker.top - 1);
    else
      p.drawPoint(pt.x, pt.y);
  }
  p.setPen(QColor(0, 255, 0));
  for (int y : pic.gridY) p.drawLine(-margin, y, w - 1 + margin, y);
  for (int x : pic.gridX) p.drawLine(x, -margin, x, h - 1 + margin);
  if (pic.thresholdY) {
    p.setPen(Qt::red);
    p.drawLine(-margin, *pic.thresholdY, w - 1 + margin, *pic.thresholdY);
  }
}

void PaintRelay(QPainter& p, const RelayPicture& pic, int w, int h) {
  p.fillRect(0, 0, w, h, Qt::white);
  p.setPen(Qt::black);
  p.setBrush(Qt::red);
  for (const PixelRect& c : pic.cells)
    if (c.right - c.left > 0 && c.bottom - c.top > 0)
      p.drawRect(c.left, c.top, c.right - c.left - 1, c.bottom - c.top - 1);
  p.setPen(QColor(0, 255, 0));
  for (int x : pic.gridX) p.drawLine(x, 0, x, h - 1);
}

void ServoCanvas::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit pressed(pos.x(), pos.y());
}

void ServoCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit moved(pos.x(), pos.y());
}

void ServoCanvas::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit released(pos.x(), pos.y());
}

ServoUpDown::ServoUpDown(QLineEdit* edit, int min, int max, QWidget* parent)
    : QWidget(parent), edit_(edit), min_(min), max_(max), position_(min) {
  up_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  up_->setAutoRepeat(true);
  down_ = new QToolButton(this);
  down_->setArrowType(Qt::DownArrow);
  down_->setAutoRepeat(true);
  connect(up_, &QToolButton::clicked, this, [this] { step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void ServoUpDown::step(int delta) {
  if (auto v = ReadServoInteger(edit_->text().toStdString())) position_ = *v;
  position_ = std::clamp(position_ + delta, min_, max_);
  edit_->setText(QString::number(position_));
}

void ServoUpDown::resizeEvent(QResizeEvent*) {
  const int h = height() / 2;
  up_->setGeometry(0, 0, width(), h);
  down_->setGeometry(0, h, width(), height() - h);
}

void SetHint(QWidget* widget, const char* hint) {
  QString text = QString::fromUtf8(hint);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  widget->setToolTip(text);
}

}  // namespace korrin
