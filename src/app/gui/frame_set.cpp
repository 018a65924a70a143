#include "app/gui/frame_set.h"

#include <QGroupBox>

#include "editors/gui/Frame_register.h"
#include "editors/gui/Frame_zusatz.h"

namespace korrin {

FrameSet CreateFrames(EditorContext& ctx, QWidget* parent) {
  FrameSet set;
  auto* reg = new TFrameRegister(ctx, parent);
  auto* zusatz = new TFrameZusatz(ctx, parent);
  set.FrameRegister1 = reg;
  set.FrameZusatz1 = zusatz;
  set.FrameBlinkmuster1 = new EditorFrame(ctx, parent);
  set.FrameBlinkmuster_led1 = new EditorFrame(ctx, parent);
  set.FrameTamb1 = new EditorFrame(ctx, parent);
  set.FrameTambAdr1 = new EditorFrame(ctx, parent);
  for (EditorFrame* f : set.all()) f->hide();

  set.metrics = [zusatz](int kind) {
    FrameMetrics m;
    if (kind == kOptionsFrame) m.groupModeRight = zusatz->group_mode->x() + zusatz->group_mode->width();
    return m;
  };
  set.prepare = [reg, zusatz](int kind) {
    switch (kind) {
      case kOptionsFrame:
        zusatz->ResetControls();
        zusatz->LoadOptions();
        break;
      case kCvFrame:
        reg->ClearRows();
        reg->LoadRows();
        break;
      default: break;
    }
  };
  return set;
}

}  // namespace korrin
