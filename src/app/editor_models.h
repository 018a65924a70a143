#pragma once
// The editor models of the document, one per editor frame (the two servo frames share one),
// created once with the document like the frames of the window.
#include "editors/blink_pattern_model.h"
#include "editors/cv_register_model.h"
#include "editors/options_model.h"
#include "editors/servo_model.h"

namespace korrin {

struct EditorModels {
  explicit EditorModels(EditorContext& ctx) : options(ctx), cv(ctx), blink(ctx), ledBlink(ctx), servo(ctx) {}

  OptionsModel options;
  CvRegisterModel cv;
  BlinkPatternModel blink;
  LedBlinkPatternModel ledBlink;
  ServoModel servo;

  // The model of a frame kind; nullptr for FrameKind::None.
  EditorModel* For(FrameKind kind) {
    switch (kind) {
      case FrameKind::Options: return &options;
      case FrameKind::Cv: return &cv;
      case FrameKind::Blink: return &blink;
      case FrameKind::LedBlink: return &ledBlink;
      case FrameKind::Servo: return &servo;
      case FrameKind::None: break;
    }
    return nullptr;
  }
};

}  // namespace korrin
