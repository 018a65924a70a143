#include "app/gui/frame_set.h"

#include <QGroupBox>
#include <QPushButton>

#include "editors/gui/Frame_blinkmuster.h"
#include "editors/gui/Frame_blinkmuster_led.h"
#include "editors/gui/Frame_register.h"
#include "editors/gui/Frame_tamb.h"
#include "editors/gui/Frame_tamb_adr.h"
#include "editors/gui/Frame_zusatz.h"

namespace korrin {

FrameSet CreateFrames([[maybe_unused]] EditorModels& models, EditorContext& ctx, QWidget* parent) {
  FrameSet set;
  auto* reg = new TFrameRegister(models.cv, parent);
  auto* zusatz = new TFrameZusatz(models.options, parent);
  set.FrameRegister1 = reg;
  set.FrameZusatz1 = zusatz;
  auto* blink = new TFrameBlinkmuster(models.blink, parent);
  auto* ledBlink = new TFrameBlinkmuster_led(models.ledBlink, parent);
  set.FrameBlinkmuster1 = blink;
  set.FrameBlinkmuster_led1 = ledBlink;
  auto* tamb = new TFrameTamb(models.servo, parent);
  auto* tambAdr = new TFrameTambAdr(models.servo, parent);
  set.FrameTamb1 = tamb;
  set.FrameTambAdr1 = tambAdr;
  for (EditorFrame* f : set.all()) f->hide();

  auto rightOf = [](QWidget* w) { return w->x() + w->width(); };
  auto bottomOf = [](QWidget* w) { return w->y() + w->height(); };
  set.metrics = [=](FrameKind kind) {
    FrameMetrics m;
    if (kind == FrameKind::Options) m.groupModeRight = rightOf(zusatz->group_mode);
    QPushButton* apply = kind == FrameKind::Blink      ? blink->blinkmuster_btn_uebernehmen
                         : kind == FrameKind::LedBlink ? ledBlink->led_blinkmuster_btn_uebernehmen
                         : kind == FrameKind::Servo    ? tamb->servo_btn_uebernehmen
                                                  : nullptr;
    if (apply) {
      m.applyRight = rightOf(apply);
      m.applyBottom = bottomOf(apply);
    }
    return m;
  };
  set.prepare = [=](FrameKind kind) {
    switch (kind) {
      case FrameKind::Blink:
      case FrameKind::LedBlink: {
        auto* frame = kind == FrameKind::Blink ? static_cast<BlinkPatternFrame*>(blink) : ledBlink;
        frame->ShowEditor(frame->width());  // renders the model the document has loaded
        break;
      }
      case FrameKind::Servo:
        tamb->ShowEditor();  // both render the model the document has loaded
        tambAdr->ShowEditor();
        break;
      case FrameKind::Options: zusatz->Render(); break;
      case FrameKind::Cv: reg->Render(); break;
      default: break;
    }
  };
  return set;
}

}  // namespace korrin
