#include "editors/gui/pattern_strip.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace korrin {

PatternStrip::PatternStrip(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::CrossCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PatternStrip::setBars(std::vector<PatternStripGeometry::Cell> bars) {
  bars_ = std::move(bars);
  update();
}

void PatternStrip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  // Each bar is a rectangle from (x0, top) to (x1, below the bottom edge): a one-pixel black
  // outline at columns x0 and x1 - 1 and row top, filled red inside.
  const int bottom = height() + 1;
  for (const auto& b : bars_) {
    if (b.x1 <= b.x0 || b.top >= height()) continue;
    p.fillRect(QRect(QPoint(b.x0, b.top), QPoint(b.x1 - 1, bottom)), Qt::black);
    if (b.x1 - b.x0 > 2) p.fillRect(QRect(QPoint(b.x0 + 1, b.top + 1), QPoint(b.x1 - 2, bottom)), Qt::red);
  }
}

void PatternStrip::mousePressEvent(QMouseEvent* event) {
  emit pressed();
  event->accept();
}

void PatternStrip::mouseMoveEvent(QMouseEvent* event) {
  emit moved(event->position().toPoint());
  event->accept();
}

void PatternStrip::mouseReleaseEvent(QMouseEvent* event) {
  emit released();
  event->accept();
}

PatternUpDown::PatternUpDown(QLineEdit* edit, int min, int max, QWidget* parent)
    : QWidget(parent), edit_(edit), min_(min), max_(max), position_(min) {
  up_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  up_->setAutoRepeat(true);
  up_->setFocusPolicy(Qt::NoFocus);
  down_ = new QToolButton(this);
  down_->setArrowType(Qt::DownArrow);
  down_->setAutoRepeat(true);
  down_->setFocusPolicy(Qt::NoFocus);
  connect(up_, &QToolButton::clicked, this, [this] { step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
  edit_->installEventFilter(this);
}

void PatternUpDown::step(int delta) {
  PatternNumberInput in = ReadPatternNumber(edit_->text().toStdString(), min_, max_);
  if (in.kind == PatternNumberInput::Kind::Value) position_ = in.value;
  position_ = std::clamp(position_ + delta, min_, max_);
  edit_->setText(QString::number(position_));
}

void PatternUpDown::setRange(int min, int max) {
  min_ = min;
  max_ = max;
  position_ = std::clamp(position_, min_, max_);
}

void PatternUpDown::setAccessibleNames(const QString& what) {
  up_->setAccessibleName(what + QString::fromUtf8(" erhöhen"));
  down_->setAccessibleName(what + QStringLiteral(" verringern"));
}

bool PatternUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
      step(key->key() == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void PatternUpDown::resizeEvent(QResizeEvent*) {
  int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace korrin
