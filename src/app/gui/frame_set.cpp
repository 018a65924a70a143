#include "app/gui/frame_set.h"

#include <QGroupBox>
#include <QPushButton>

#include "editors/gui/blink_pattern_frame.h"
#include "editors/gui/cv_table_frame.h"
#include "editors/gui/led_blink_pattern_frame.h"
#include "editors/gui/options_frame.h"
#include "editors/gui/servo_assignment_frame.h"
#include "editors/gui/servo_curve_frame.h"

namespace korrin {

FrameSet CreateFrames([[maybe_unused]] EditorModels& models, EditorContext& ctx, QWidget* parent) {
  FrameSet set;
  auto* cv = new CvTableFrame(models.cv, parent);
  auto* options = new OptionsFrame(models.options, parent);
  set.cvTableFrame = cv;
  set.optionsFrame = options;
  auto* blink = new BlinkPatternFrame(models.blink, parent);
  auto* ledBlink = new LedBlinkPatternFrame(models.ledBlink, parent);
  set.blinkPatternFrame = blink;
  set.ledBlinkPatternFrame = ledBlink;
  auto* servoCurves = new ServoCurveFrame(models.servo, parent);
  auto* servoAssignment = new ServoAssignmentFrame(models.servo, parent);
  set.servoCurveFrame = servoCurves;
  set.servoAssignmentFrame = servoAssignment;
  for (EditorFrame* f : set.all()) f->hide();

  auto rightOf = [](QWidget* w) { return w->x() + w->width(); };
  auto bottomOf = [](QWidget* w) { return w->y() + w->height(); };
  set.metrics = [=](FrameKind kind) {
    FrameMetrics m;
    if (kind == FrameKind::Options) m.groupModeRight = rightOf(options->modeGroup);
    QPushButton* apply = kind == FrameKind::Blink      ? blink->applyButton
                         : kind == FrameKind::LedBlink ? ledBlink->applyButton
                         : kind == FrameKind::Servo    ? servoCurves->applyButton
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
        auto* frame = kind == FrameKind::Blink ? static_cast<PatternFrameBase*>(blink) : ledBlink;
        frame->ShowEditor(frame->width());  // renders the model the document has loaded
        break;
      }
      case FrameKind::Servo:
        servoCurves->ShowEditor();  // both render the model the document has loaded
        servoAssignment->ShowEditor();
        break;
      case FrameKind::Options: options->Render(); break;
      case FrameKind::Cv: cv->Render(); break;
      default: break;
    }
  };
  return set;
}

}  // namespace korrin
