#pragma once
// Small widgets of the two servo frames: the drawing areas of the curve and the relay strip,
// and the up/down spinner that steps the number in an edit.
#include <QWidget>
#include <functional>

#include "editors/servo_curves.h"

class QLineEdit;
class QPainter;
class QToolButton;

namespace korrin {

// A drawing area painted afresh by a paint function in every paint event, in the widget's own
// coordinates, so that it stays sharp on screens with more device pixels per pixel. Mouse
// presses, moves while a button is held (Qt keeps reporting them to the pressed widget) and
// releases are passed on with the pixel position.
class ServoCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit ServoCanvas(QWidget* parent = nullptr);
  void setPaint(std::function<void(QPainter&)> paint) { paint_ = std::move(paint); }
  // Runs the paint function on another painter (the border around the drawing).
  void paintPicture(QPainter& painter) const {
    if (paint_) paint_(painter);
  }

 signals:
  void pressed(int x, int y);
  void moved(int x, int y);
  void released(int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void(QPainter&)> paint_;
};

// The room around a drawing: a white border of `margin` pixels on each side, lying below the
// drawing, on which the drawing's picture goes on, so that the markers of the points on the
// drawing's edges are drawn whole. The drawing keeps its size and its pixel coordinates; a
// press on the border acts on the drawing as a press at the same place, outside its pixels.
// Placed once around the drawing; update() it whenever the drawing is updated.
class CanvasMargin : public QWidget {
  Q_OBJECT
 public:
  CanvasMargin(ServoCanvas* canvas, int margin);
  int margin() const { return margin_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QPoint onCanvas(const QMouseEvent* event) const;

  ServoCanvas* canvas_;
  int margin_;
};

// The curve drawing: white ground, black lines joining the points, red markers with black
// outline, green raster lines and the red threshold line; and the relay strip. The lines
// across the drawing reach `margin` pixels beyond its edges, into the room around it.
void PaintCurve(QPainter& painter, const CurvePicture& picture, int width, int height, int margin = 0);
void PaintRelay(QPainter& painter, const RelayPicture& picture, int width, int height);

// Two arrow buttons beside an edit: each click takes the edit's number (or the last
// position when the text is no number), steps it by one within min..max and writes it back
// into the edit, which then runs the edit's own change reaction.
class ServoUpDown : public QWidget {
  Q_OBJECT
 public:
  ServoUpDown(QLineEdit* edit, int min, int max, QWidget* parent = nullptr);
  void step(int delta);
  int minimum() const { return min_; }
  int maximum() const { return max_; }
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLineEdit* edit_;
  int min_, max_;
  int position_;
  QToolButton* up_;
  QToolButton* down_;
};

// Sets a tool tip from the program's hint text; its "\r\n" and "\r" become line breaks.
void SetHint(QWidget* widget, const char* hint);

}  // namespace korrin
