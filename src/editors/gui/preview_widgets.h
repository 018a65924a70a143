#pragma once
// The live preview of the blink pattern and servo frames: a "Vorschau" button that starts and
// stops it, a clock that runs only while it plays, and the painted views (a row of lamps, a
// servo arm, a relay lamp and a play head over the curve). What is lit and where the arm
// stands comes from the core (editors/preview.h); these classes only ask and paint.
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "editors/blink_pattern_display.h"
#include "editors/preview.h"

class QAbstractButton;
class QPushButton;
class QRadioButton;

namespace korrin {

class PatternEditorModel;
class ServoCanvas;

// The checkable "Vorschau" button: pressed while the preview plays.
QPushButton* MakePreviewButton(QWidget* parent);

// Runs a preview: while playing, a timer on the user-interface thread asks `show` for the
// picture at the elapsed time about sixty times a second. `show` returns false once the run
// has ended; the clock then stops and the last picture stays. Stopped, nothing runs.
class PreviewPlayer : public QObject {
  Q_OBJECT
 public:
  PreviewPlayer(QAbstractButton* button, std::function<bool(double ms)> show, std::function<void()> reset,
                QObject* parent);

  void start();
  // Stops the clock, releases the button and clears the views.
  void stop();
  bool playing() const { return playing_; }
  bool clockRunning() const { return timer_.isActive(); }
  // Milliseconds since start (the test clock when one is set).
  double elapsedMs() const;
  // Asks for the picture at the current time (also while stopped after an ended run).
  void tick();
  // Tests: a clock of their own in place of the real elapsed time.
  void setClock(std::function<double()> clock) { clock_ = std::move(clock); }

  static constexpr int kIntervalMs = 16;

 private:
  void buttonToggled(bool checked);

  QPointer<QAbstractButton> button_;
  std::function<bool(double)> show_;
  std::function<void()> reset_;
  std::function<double()> clock_;
  QTimer timer_;
  QElapsedTimer elapsed_;
  bool playing_ = false;
};

// A row of round lamps, numbered from 1; a lamp is lit, dark, or hollow when its output is
// not driven. A status text ("Punkt 3/10") follows the lamps.
class PreviewLampRow : public QWidget {
  Q_OBJECT
 public:
  struct Lamp {
    bool lit = false;
    bool used = true;
  };
  explicit PreviewLampRow(QWidget* parent = nullptr);
  void setLamps(std::vector<Lamp> lamps, QString status);
  void clear();
  const std::vector<Lamp>& lamps() const { return lamps_; }
  const QString& status() const { return status_; }
  // Lamps shown as numbers only (no lamp is numbered on a single lamp).
  void setNumbered(bool numbered) { numbered_ = numbered; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<Lamp> lamps_;
  QString status_;
  bool numbered_ = true;
};

// A servo seen from above: the horn turns the arm from straight down (position 0) through
// right (64) to straight up (127), as the curve drawing puts 0 at the bottom. Without a
// state the arm rests in grey at the curve's first point.
class ServoArmView : public QWidget {
  Q_OBJECT
 public:
  explicit ServoArmView(QWidget* parent = nullptr);
  void setPosition(double position, bool active);
  double position() const { return position_; }
  bool active() const { return active_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double position_ = 0;
  bool active_ = false;
};

// A transparent layer over a curve drawing or the relay strip: a vertical play-head line at
// the current point and, over the curve, a dot where the servo stands. Mouse events pass
// through to the drawing below.
class CurvePlayhead : public QWidget {
  Q_OBJECT
 public:
  explicit CurvePlayhead(QWidget* over);
  // x and y in pixels of the drawing; no y: line only.
  void setHead(double x, std::optional<double> y);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double x_ = 0;
  std::optional<double> y_;
};

// A transparent layer over the drawing strips that marks the current step's cell on each
// shown strip. Mouse events pass through to the strips.
class StripPlayhead : public QWidget {
  Q_OBJECT
 public:
  explicit StripPlayhead(QWidget* parent);
  // The cells to mark, in the parent's coordinates; empty: nothing.
  void setCells(std::vector<QRect> cells);
  const std::vector<QRect>& cells() const { return cells_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<QRect> cells_;
};

// The preview of a blink pattern frame: button and lamp row in one row of the frame, and the
// current step marked on the strips. It stops when another address is chosen, when the frame
// is hidden and on stop().
class PatternPreview : public QObject {
  Q_OBJECT
 public:
  // strips: the frame's drawing strips; cells: their current cell geometry.
  PatternPreview(QWidget* frame, const PatternEditorModel& model, const std::array<QRadioButton*, 4>& addresses,
                 QRect row, std::vector<QWidget*> strips, std::function<const PatternStripGeometry&()> cells);
  void stop() { player->stop(); }

  QPushButton* button;
  PreviewLampRow* lamps;
  StripPlayhead* head;
  PreviewPlayer* player;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool show(double ms);
  void reset();

  const PatternEditorModel& model_;
  std::vector<QWidget*> strips_;
  std::function<const PatternStripGeometry&()> cells_;
  int address_ = 0;
};

// The preview of the servo curve frame: button, arm, relay lamp and play heads over the two
// drawings. `block` gives the selected curve of the working copy; `relayShown` whether the
// decoder type shows the relay strip.
class ServoPreview : public QObject {
  Q_OBJECT
 public:
  ServoPreview(QWidget* frame, std::function<const CurveBlock&()> block, std::function<bool()> relayShown,
               const std::array<QRadioButton*, 4>& curves, ServoCanvas* curve, ServoCanvas* relay, QPoint button,
               QRect arm, QRect relayLamp);
  void stop() { player->stop(); }

  QPushButton* button;
  ServoArmView* arm;
  PreviewLampRow* relayLamp;
  CurvePlayhead* curveHead;
  CurvePlayhead* relayHead;
  PreviewPlayer* player;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool show(double ms);
  void reset();

  std::function<const CurveBlock&()> block_;
  const CurveBlock* playing_ = nullptr;  // the curve chosen at the start
  std::function<bool()> relayShown_;
  ServoCanvas* curve_;
  ServoCanvas* relay_;
};

}  // namespace korrin
