#pragma once
// Base of the six editor frames beside the address rows. Each frame renders its core model
// and turns widget events into calls on it; the model holds the values and the working copy.
// A frame renders again whenever its model tells it changed.
#include <QFrame>
#include <QWidget>

#include "base/frame_kind.h"

namespace korrin {

class EditorFrame : public QFrame {
  Q_OBJECT
 public:
  explicit EditorFrame(QWidget* parent = nullptr) : QFrame(parent) {}

  // The measurements of the controls that decide the frame's placement.
  virtual FrameMetrics Metrics() const { return {}; }
  // Prepares the frame after the window has placed and shown it, and shows the model.
  virtual void ShowEditor() { Render(); }
  // Sets every control from the model.
  virtual void Render() = 0;

 protected:
  // Right edge and bottom edge of a control in the frame's coordinates.
  static int RightOf(const QWidget* w) { return w->x() + w->width(); }
  static int BottomOf(const QWidget* w) { return w->y() + w->height(); }

  // While the frame sets its controls from the model, their change signals (which fire for
  // values set from code as for typed ones) must not reach the model.
  bool rendering() const { return rendering_ > 0; }
  class RenderingScope {
   public:
    explicit RenderingScope(EditorFrame& frame) : frame_(frame) { ++frame_.rendering_; }
    ~RenderingScope() { --frame_.rendering_; }
    RenderingScope(const RenderingScope&) = delete;
    RenderingScope& operator=(const RenderingScope&) = delete;

   private:
    EditorFrame& frame_;
  };

 private:
  int rendering_ = 0;
};

}  // namespace korrin
