#pragma once
// Base of the six editor frames beside the address rows. Each frame keeps its widget wiring
// here in the Qt layer and computes everything in a core model.
#include <QFrame>

#include "editors/editor_context.h"

namespace korrin {

class EditorFrame : public QFrame, public PendingEditor {
  Q_OBJECT
 public:
  explicit EditorFrame(EditorContext& context, QWidget* parent = nullptr)
      : QFrame(parent), ctx(context) {}

  // Set while the frame fills its own controls, so that no change reaction writes back.
  bool filling = false;

  bool hasPendingChanges() const override { return false; }
  void applyPendingChanges() override {}

 protected:
  EditorContext& ctx;
};

}  // namespace korrin
