#include "app/gui/frame_set.h"

#include "editors/gui/Frame_register.h"

namespace korrin {

FrameSet CreateFrames(EditorContext& ctx, QWidget* parent) {
  FrameSet set;
  auto* reg = new TFrameRegister(ctx, parent);
  set.FrameRegister1 = reg;
  set.FrameZusatz1 = new EditorFrame(ctx, parent);
  set.FrameBlinkmuster1 = new EditorFrame(ctx, parent);
  set.FrameBlinkmuster_led1 = new EditorFrame(ctx, parent);
  set.FrameTamb1 = new EditorFrame(ctx, parent);
  set.FrameTambAdr1 = new EditorFrame(ctx, parent);
  for (EditorFrame* f : set.all()) f->hide();

  set.metrics = [](int) { return FrameMetrics{}; };
  set.prepare = [reg](int kind) {
    if (kind == kCvFrame) {
      reg->ClearRows();
      reg->LoadRows();
    }
  };
  return set;
}

}  // namespace korrin
