#pragma once
// Small widgets of the two servo frames: the bitmap-backed drawing areas of the curve and
// the relay strip, and the up/down spinner that steps the number in an edit.
#include <QImage>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace korrin {

// A drawing area that keeps its picture in an image of its own size. Mouse presses, moves
// while a button is held (Qt keeps reporting them to the pressed widget) and releases are
// passed on with the pixel position.
class ServoCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit ServoCanvas(QWidget* parent = nullptr);
  // The picture, sized to the widget; draw into it, then call update().
  QImage& picture();

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
  QImage image_;
};

// Two arrow buttons beside an edit: each click takes the edit's number (or the last
// position when the text is no number), steps it by one within min..max and writes it back
// into the edit, which then runs the edit's own change reaction.
class ServoUpDown : public QWidget {
  Q_OBJECT
 public:
  ServoUpDown(QLineEdit* edit, int min, int max, QWidget* parent = nullptr);
  void step(int delta);
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
