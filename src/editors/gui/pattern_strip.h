#pragma once
// Widgets shared by the two blink pattern editors: the drawing strip of one output and the
// up/down spinner beside a count or stretch edit.
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>
#include <vector>

#include "editors/blink_pattern_display.h"

namespace korrin {

// One output's strip: white, with a red bar (black outline) for every "on" step. It reports
// press, move and release to the frame; while a button is held, Qt keeps sending the moves
// to the strip that received the press, also when the pointer has left it.
class PatternStrip : public QWidget {
  Q_OBJECT
 public:
  explicit PatternStrip(QWidget* parent = nullptr);

  // Replaces the bars; an empty list clears the strip to white.
  void setBars(std::vector<PatternStripGeometry::Cell> bars);
  const std::vector<PatternStripGeometry::Cell>& bars() const { return bars_; }

 signals:
  void pressed();
  void moved(QPoint position);
  void released();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::vector<PatternStripGeometry::Cell> bars_;
};

// Up/down buttons that step the number in an edit within min..max and write it back as
// plain digits (no digit grouping). A text that is not a number steps from the last value.
// The arrow keys in the edit step as well.
class PatternUpDown : public QWidget {
  Q_OBJECT
 public:
  PatternUpDown(QLineEdit* edit, int min, int max, QWidget* parent = nullptr);

  void step(int delta);
  int minimum() const { return min_; }
  int maximum() const { return max_; }
  void setRange(int min, int max);

  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }
  // Names the two buttons after the number they step: "<what> erhöhen" / "<what> verringern".
  void setAccessibleNames(const QString& what);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLineEdit* edit_;
  int min_;
  int max_;
  int position_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace korrin
