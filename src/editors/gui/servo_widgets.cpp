#include "editors/gui/servo_widgets.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

#include "editors/servo_curves.h"

namespace korrin {

ServoCanvas::ServoCanvas(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage& ServoCanvas::picture() {
  if (image_.size() != size()) {
    image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(Qt::white);
  }
  return image_;
}

void ServoCanvas::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, picture());
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
