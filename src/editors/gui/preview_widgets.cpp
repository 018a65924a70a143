#include "editors/gui/preview_widgets.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QtMath>
#include <algorithm>

#include "editors/blink_pattern_model.h"
#include "editors/gui/servo_widgets.h"

namespace korrin {

namespace {
const QColor kLit(230, 30, 20);        // the red of the strips' "on" bars
const QColor kDark(70, 70, 70);
const QColor kHead(20, 90, 220);
}  // namespace

QPushButton* MakePreviewButton(QWidget* parent) {
  auto* b = new QPushButton(QStringLiteral("Vorschau"), parent);
  b->setObjectName(QStringLiteral("btn_vorschau"));
  b->setCheckable(true);
  b->setAccessibleName(QStringLiteral("Vorschau"));
  b->setToolTip(QString::fromUtf8("Vorschau in Echtzeit starten oder anhalten"));
  // A play sign while stopped, a stop sign while playing.
  auto caption = [b](bool playing) {
    b->setText((playing ? QString::fromUtf8("\u25A0 ") : QString::fromUtf8("\u25B6 ")) + QStringLiteral("Vorschau"));
  };
  caption(false);
  QObject::connect(b, &QPushButton::toggled, b, caption);
  return b;
}

// --- the clock -------------------------------------------------------------------------------

PreviewPlayer::PreviewPlayer(QAbstractButton* button, std::function<bool(double)> show, std::function<void()> reset,
                             QObject* parent)
    : QObject(parent), button_(button), show_(std::move(show)), reset_(std::move(reset)) {
  timer_.setInterval(kIntervalMs);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &PreviewPlayer::tick);
  connect(button, &QAbstractButton::toggled, this, &PreviewPlayer::buttonToggled);
}

void PreviewPlayer::buttonToggled(bool checked) {
  if (checked == playing_) return;
  if (checked) start();
  else stop();
}

void PreviewPlayer::start() {
  playing_ = true;
  if (button_ && !button_->isChecked()) button_->setChecked(true);
  elapsed_.start();
  timer_.start();
  tick();
}

void PreviewPlayer::stop() {
  const bool was = playing_ || timer_.isActive();
  playing_ = false;
  timer_.stop();
  if (button_ && button_->isChecked()) button_->setChecked(false);
  if (was && reset_) reset_();
}

double PreviewPlayer::elapsedMs() const {
  if (clock_) return clock_();
  return elapsed_.isValid() ? static_cast<double>(elapsed_.nsecsElapsed()) / 1e6 : 0.0;
}

void PreviewPlayer::tick() {
  if (!playing_) return;
  if (!show_(elapsedMs())) {
    // The run has ended: the clock stops, the last picture stays until the next start.
    playing_ = false;
    timer_.stop();
    if (button_ && button_->isChecked()) button_->setChecked(false);  // not playing: no reset
  }
}

// --- lamps -----------------------------------------------------------------------------------

PreviewLampRow::PreviewLampRow(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  setAccessibleName(QStringLiteral("Vorschau Ausgänge"));
}

void PreviewLampRow::setLamps(std::vector<Lamp> lamps, QString status) {
  auto same = [](const Lamp& a, const Lamp& b) { return a.lit == b.lit && a.used == b.used; };
  if (status == status_ && std::equal(lamps.begin(), lamps.end(), lamps_.begin(), lamps_.end(), same)) return;
  lamps_ = std::move(lamps);
  status_ = std::move(status);
  QStringList lit;
  for (size_t j = 0; j < lamps_.size(); ++j)
    if (lamps_[j].lit) lit << QString::number(j + 1);
  setAccessibleDescription(lit.isEmpty() ? QStringLiteral("alle aus") : QStringLiteral("an: ") + lit.join(u','));
  update();
}

void PreviewLampRow::clear() { setLamps(std::vector<Lamp>(lamps_.size()), QString()); }

void PreviewLampRow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal d = std::min<qreal>(height() - 4, 22);
  const qreal pitch = d + 6;
  QFont f = font();
  f.setPointSizeF(std::max(6.0, f.pointSizeF() * 0.8));
  p.setFont(f);
  qreal x = 2;
  for (size_t j = 0; j < lamps_.size(); ++j) {
    const Lamp& l = lamps_[j];
    const QRectF r(x, (height() - d) / 2.0, d, d);
    if (l.lit) {
      QRadialGradient glow(r.center(), d / 2);
      glow.setColorAt(0, QColor(255, 210, 160));
      glow.setColorAt(0.55, kLit);
      glow.setColorAt(1, kLit.darker(140));
      p.setBrush(glow);
      p.setPen(QPen(Qt::black, 1));
    } else if (l.used) {
      p.setBrush(kDark);
      p.setPen(QPen(Qt::black, 1));
    } else {
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
    }
    p.drawEllipse(r);
    if (numbered_) {
      p.setPen(l.lit ? Qt::black : l.used ? Qt::white : Qt::gray);
      p.drawText(r, Qt::AlignCenter, QString::number(j + 1));
    }
    x += pitch;
  }
  if (!status_.isEmpty()) {
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    p.drawText(QRectF(x + 4, 0, width() - x - 4, height()), Qt::AlignVCenter | Qt::AlignLeft, status_);
  }
}

// --- servo arm -------------------------------------------------------------------------------

ServoArmView::ServoArmView(QWidget* parent) : QWidget(parent) {
  setAccessibleName(QStringLiteral("Vorschau Servo"));
}

void ServoArmView::setPosition(double position, bool active) {
  position_ = std::clamp(position, 0.0, 127.0);
  active_ = active;
  setAccessibleDescription(QString::number(qRound(position_)));
  update();
}

void ServoArmView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal w = width();
  const qreal h = height() - 16;  // the value text below
  const qreal len = std::min(w - 18, h / 2 - 6);
  const QPointF pivot(12, h / 2);
  // The range the arm sweeps.
  p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(pivot.x() - len, pivot.y() - len, 2 * len, 2 * len), -90 * 16, 180 * 16);
  // Servo body under the horn.
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(60, 60, 60));
  p.drawRoundedRect(QRectF(2, pivot.y() - 14, 20, 28), 3, 3);
  // The arm: straight down at 0, straight up at 127.
  const qreal angle = qDegreesToRadians(-90.0 + position_ / 127.0 * 180.0);
  const QPointF tip(pivot.x() + len * std::cos(angle), pivot.y() - len * std::sin(angle));
  const QColor arm = active_ ? QColor(245, 245, 245) : QColor(200, 200, 200);
  p.setPen(QPen(Qt::black, 9, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(pivot, tip);
  p.setPen(QPen(arm, 7, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(pivot, tip);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(active_ ? kLit : QColor(150, 150, 150));
  p.drawEllipse(pivot, 5, 5);
  p.setBrush(Qt::white);
  p.drawEllipse(tip, 1.6, 1.6);
  p.setPen(palette().color(active_ ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  p.drawText(QRectF(0, h, w, 16), Qt::AlignCenter, QString::number(qRound(position_)));
}

// --- play head -------------------------------------------------------------------------------

CurvePlayhead::CurvePlayhead(QWidget* over) : QWidget(over->parentWidget()) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(over->geometry());
  hide();
}

void CurvePlayhead::setHead(double x, std::optional<double> y) {
  x_ = x;
  y_ = y;
  update();
}

void CurvePlayhead::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QColor line = kHead;
  line.setAlpha(170);
  p.setPen(QPen(line, 2));
  p.drawLine(QPointF(x_, 0), QPointF(x_, height()));
  if (y_) {
    p.setPen(QPen(line, 1, Qt::DashLine));
    p.drawLine(QPointF(0, *y_), QPointF(width(), *y_));
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(kHead);
    p.drawEllipse(QPointF(x_, *y_), 5, 5);
  }
}

// --- blink pattern frames --------------------------------------------------------------------

StripPlayhead::StripPlayhead(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  hide();
}

void StripPlayhead::setCells(std::vector<QRect> cells) {
  if (cells == cells_) return;
  QRegion dirty;
  for (const QRect& r : cells_) dirty += r.adjusted(-2, -2, 2, 2).translated(-pos());
  cells_ = std::move(cells);
  for (const QRect& r : cells_) dirty += r.adjusted(-2, -2, 2, 2).translated(-pos());
  update(dirty);
}

void StripPlayhead::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QColor fill = kHead;
  fill.setAlpha(50);
  p.setBrush(fill);
  p.setPen(QPen(kHead, 2));
  for (const QRect& r : cells_) p.drawRect(QRectF(r.translated(-pos())).adjusted(1, 1, -1, -1));
}

PatternPreview::PatternPreview(QWidget* frame, const PatternEditorModel& model,
                               const std::array<QRadioButton*, 4>& addresses, QRect row, std::vector<QWidget*> strips,
                               std::function<const PatternStripGeometry&()> cells)
    : QObject(frame), model_(model), strips_(std::move(strips)), cells_(std::move(cells)) {
  head = new StripPlayhead(frame);
  head->setObjectName(QStringLiteral("preview_strips"));
  button = MakePreviewButton(frame);
  button->setGeometry(row.x(), row.y() + (row.height() - 25) / 2, 85, 25);
  lamps = new PreviewLampRow(frame);
  lamps->setObjectName(QStringLiteral("preview_lamps"));
  lamps->setGeometry(row.x() + 92, row.y(), row.width() - 92, row.height());
  lamps->setLamps(std::vector<PreviewLampRow::Lamp>(static_cast<size_t>(model.outputCount())), QString());
  // The address is taken before the player's first picture at the start.
  connect(button, &QPushButton::toggled, this, [this](bool on) {
    if (on) address_ = model_.selectedAddress();
  });
  player = new PreviewPlayer(
      button, [this](double ms) { return show(ms); }, [this] { reset(); }, this);
  for (QRadioButton* r : addresses) connect(r, &QRadioButton::toggled, this, [this] { stop(); });
  frame->installEventFilter(this);
}

bool PatternPreview::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide) stop();
  return QObject::eventFilter(watched, event);
}

void PatternPreview::reset() {
  lamps->clear();
  head->setCells({});
  head->hide();
}

bool PatternPreview::show(double ms) {
  if (model_.selectedAddress() != address_) {  // chosen by another way than the buttons
    player->stop();
    return false;
  }
  const PatternPreviewState s = PatternPreviewAt(model_.table(), address_, ms);
  std::vector<PreviewLampRow::Lamp> out(s.lit.size());
  for (size_t j = 0; j < out.size(); ++j) out[j] = {s.lit[j], s.used[j]};
  lamps->setLamps(std::move(out), QStringLiteral("Punkt %1/%2").arg(s.point + 1).arg(model_.table().drawCount(address_)));
  // The step's cell on every shown strip, as the strips place their cells.
  QRect area;
  std::vector<QRect> cells;
  const PatternStripGeometry::Cell c = cells_().cell(s.point, true);
  for (QWidget* strip : strips_) {
    area = area.united(strip->geometry());
    if (strip->isHidden()) continue;
    cells.emplace_back(strip->x() + c.x0, strip->y(), std::max(c.x1 - c.x0, 1), strip->height());
  }
  if (head->geometry() != area) head->setGeometry(area);
  head->setCells(std::move(cells));
  if (head->isHidden()) {
    head->show();
    head->raise();
  }
  return !s.ended;
}

// --- servo curve frame -----------------------------------------------------------------------

ServoPreview::ServoPreview(QWidget* frame, std::function<const CurveBlock&()> block, std::function<bool()> relayShown,
                           const std::array<QRadioButton*, 4>& curves, ServoCanvas* curve, ServoCanvas* relay,
                           QPoint buttonAt, QRect armRect, QRect relayLampRect)
    : QObject(frame), block_(std::move(block)), relayShown_(std::move(relayShown)), curve_(curve), relay_(relay) {
  button = MakePreviewButton(frame);
  button->setGeometry(buttonAt.x(), buttonAt.y(), 100, 26);
  arm = new ServoArmView(frame);
  arm->setObjectName(QStringLiteral("preview_servo"));
  arm->setGeometry(armRect);
  relayLamp = new PreviewLampRow(frame);
  relayLamp->setObjectName(QStringLiteral("preview_relais"));
  relayLamp->setAccessibleName(QStringLiteral("Vorschau Relais"));
  relayLamp->setNumbered(false);
  relayLamp->setGeometry(relayLampRect);
  relayLamp->hide();
  curveHead = new CurvePlayhead(curve);
  relayHead = new CurvePlayhead(relay);
  // The curve is taken before the player's first picture at the start.
  connect(button, &QPushButton::toggled, this, [this](bool on) {
    if (on) playing_ = &block_();
  });
  player = new PreviewPlayer(
      button, [this](double ms) { return show(ms); }, [this] { reset(); }, this);
  for (QRadioButton* r : curves) connect(r, &QRadioButton::toggled, this, [this] { stop(); });
  frame->installEventFilter(this);
  reset();
}

bool ServoPreview::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide) stop();
  return QObject::eventFilter(watched, event);
}

void ServoPreview::reset() {
  curveHead->hide();
  relayHead->hide();
  relayLamp->hide();
  arm->setPosition(block_()[0] & kPositionMask, false);
}

bool ServoPreview::show(double ms) {
  const CurveBlock& block = block_();
  if (&block != playing_) {  // another curve was chosen by another way than its button
    player->stop();
    return false;
  }
  const ServoPreviewState s = ServoPreviewAt(block, ms);
  arm->setPosition(s.position, true);
  // The drawings put point q at q·cell width and the 0..128 scale over their height.
  const double cell = CellWidth(curve_->width(), ClampedCount(block));
  const double x = s.progress * cell;
  curveHead->setGeometry(curve_->geometry());
  curveHead->setHead(x, curve_->height() - s.position * curve_->height() / 128.0);
  curveHead->show();
  curveHead->raise();
  if (relayShown_()) {
    relayHead->setGeometry(relay_->geometry());
    relayHead->setHead(x, std::nullopt);
    relayHead->show();
    relayHead->raise();
    relayLamp->setLamps({{s.relay, true}}, s.relay ? QStringLiteral("EIN") : QStringLiteral("AUS"));
    relayLamp->show();
  }
  return !s.ended;
}

}  // namespace korrin
