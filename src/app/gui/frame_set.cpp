#include "app/gui/frame_set.h"

#include <QGroupBox>
#include <QPushButton>

#include "editors/gui/Frame_register.h"
#include "editors/gui/Frame_tamb.h"
#include "editors/gui/Frame_tamb_adr.h"
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
  auto* tamb = new TFrameTamb(ctx, parent);
  auto* tambAdr = new TFrameTambAdr(ctx, *tamb, parent);
  set.FrameTamb1 = tamb;
  set.FrameTambAdr1 = tambAdr;
  for (EditorFrame* f : set.all()) f->hide();

  auto rightOf = [](QWidget* w) { return w->x() + w->width(); };
  auto bottomOf = [](QWidget* w) { return w->y() + w->height(); };
  set.metrics = [=](int kind) {
    FrameMetrics m;
    if (kind == kOptionsFrame) m.groupModeRight = rightOf(zusatz->group_mode);
    if (kind == kServoFrame) {
      m.applyRight = rightOf(tamb->servo_btn_uebernehmen);
      m.applyBottom = bottomOf(tamb->servo_btn_uebernehmen);
    }
    return m;
  };
  set.prepare = [reg, zusatz, tamb, tambAdr](int kind) {
    switch (kind) {
      case kServoFrame:
        tamb->ShowEditor();
        tambAdr->ShowEditor();
        break;
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
