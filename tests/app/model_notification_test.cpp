// How the editor models tell their observers that they changed: once for each user action
// (however many reactions it runs inside), once for each undo and redo, and after a discard;
// a subscription that has ended is not called.
#include <gtest/gtest.h>

#include <functional>

#include "app/document.h"
#include "recording_dialogs.h"

namespace korrin {
namespace {

using testing::RecordingDialogs;
using testing::ScriptedFileDialogs;

std::string Example(const std::string& name) { return std::string(KORRIN_EXAMPLES) + "/" + name; }

struct NotificationCase {
  const char* file;
  FrameKind kind;
  std::function<void(Document&)> action;  // one user action on the shown model
  bool workingCopy;                       // the model has a working copy to discard
};

TEST(ModelNotification, OncePerActionAndOncePerUndoAndRedo) {
  const NotificationCase cases[] = {
      {"fenwik_18324_cv.hex", FrameKind::Cv, [](Document& d) { d.editors.cv.Set("cv29", "10"); }, false},
      {"relais8_dcc.hex", FrameKind::Options, [](Document& d) { d.editors.options.SelectMode(2); }, false},
      {"blinkmuster_mot.hex", FrameKind::Blink, [](Document& d) { d.editors.blink.SelectAddress(1); }, true},
      {"led_blinkmuster_dcc.hex", FrameKind::LedBlink, [](Document& d) { d.editors.ledBlink.CountTextChanged("7"); }, true},
      {"servo_tamb4_dcc.hex", FrameKind::Servo, [](Document& d) { d.editors.servo.Generate(CurveShape::Log); }, true},
  };
  for (const NotificationCase& c : cases) {
    SCOPED_TRACE(c.file);
    RecordingDialogs dialogs;
    ScriptedFileDialogs files;
    Document doc{dialogs, files};
    ASSERT_EQ(doc.LoadHexFile(Example(c.file)), LoadResult::Loaded);
    EditorModel* model = doc.ShownEditor();
    ASSERT_NE(model, nullptr);
    ASSERT_EQ(model->kind(), c.kind);

    int calls = 0;
    Subscription observer = model->Observe([&calls] { ++calls; });
    c.action(doc);
    EXPECT_EQ(calls, 1) << "the action";
    doc.history.Commit();
    ASSERT_TRUE(doc.history.CanUndo());
    doc.history.Undo();
    EXPECT_EQ(calls, 2) << "the undo";
    doc.history.Redo();
    EXPECT_EQ(calls, 3) << "the redo";
    int expected = 3;
    if (c.workingCopy) {
      ASSERT_TRUE(model->hasPendingChanges());
      model->Discard();
      EXPECT_EQ(calls, ++expected) << "the discard";
    }
    model->Load();
    EXPECT_EQ(calls, ++expected) << "the load";

    observer.reset();
    c.action(doc);
    doc.history.Undo();
    EXPECT_EQ(calls, expected) << "after the subscription ended";
  }
}

TEST(ModelNotification, SubscriptionsMayEndOrBeginWhileTheModelNotifies) {
  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  Document doc{dialogs, files};
  ASSERT_EQ(doc.LoadHexFile(Example("fenwik_18324_cv.hex")), LoadResult::Loaded);
  EditorModel& model = doc.editors.cv;

  // The first observer ends the second one's subscription and starts a third: the second is
  // not called any more, the third only from the next change on.
  int first = 0, second = 0, third = 0;
  Subscription secondObserver;
  Subscription thirdObserver;
  Subscription firstObserver = model.Observe([&] {
    ++first;
    secondObserver.reset();
    if (first == 1) thirdObserver = model.Observe([&third] { ++third; });
  });
  secondObserver = model.Observe([&second] { ++second; });
  model.Set("cv29", "10");
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0);
  EXPECT_EQ(third, 0);
  model.Set("cv29", "11");
  EXPECT_EQ(first, 2);
  EXPECT_EQ(third, 1);

  // An observer that ends its own subscription while it is called.
  int self = 0;
  Subscription selfObserver;
  selfObserver = model.Observe([&] {
    ++self;
    selfObserver.reset();
  });
  model.Set("cv29", "12");
  model.Set("cv29", "13");
  EXPECT_EQ(self, 1);
}

TEST(ModelNotification, ASubscriptionMayOutliveItsModelAndACopyHasNoObservers) {
  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  EditorContext ctx{dialogs, files};
  Subscription outliving;
  int calls = 0;
  {
    CvRegisterModel model(ctx);
    outliving = model.Observe([&calls] { ++calls; });
    model.Load();
    EXPECT_EQ(calls, 1);
    // The history's copies of a model's state tell nobody.
    CvRegisterModel copy(model);
    copy.Load();
    EXPECT_EQ(calls, 1);
  }
  outliving.reset();  // the model is gone: nothing to take the subscription from
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace korrin
