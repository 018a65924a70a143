#pragma once
// Base of the six editor frames beside the address rows. Each frame renders its core model
// and turns widget events into calls on it; the model holds the values and the working copy.
#include <QFrame>

namespace korrin {

class EditorFrame : public QFrame {
  Q_OBJECT
 public:
  explicit EditorFrame(QWidget* parent = nullptr) : QFrame(parent) {}

  // Set while the frame fills its own controls, so that no change reaction writes back.
  bool filling = false;
};

}  // namespace korrin
