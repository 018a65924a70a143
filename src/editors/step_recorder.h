#pragma once
// How an editor model marks a user action as one undo step without knowing the history. The
// document's history implements StepRecorder; a model reaches it through its context (null
// where nothing is recorded: plain model tests, a context without a document) and opens a
// RecordedStep where it reacts to the user's action.
#include <string>

namespace korrin {

class StepRecorder {
 public:
  // Opens a step. Steps nest; only the outermost one records: what changed between its Begin
  // and its End becomes one step named name. A step with a non-empty mergeKey equal to the key
  // of the step recorded last (and nothing else recorded, undone or ended since) is merged
  // into that step, so that typing "1", "12", "128" into one field stays one step.
  virtual void Begin(const std::string& name, const std::string& mergeKey) = 0;
  virtual void End() = 0;

 protected:
  ~StepRecorder() = default;
};

// One user action as one step, from construction to destruction. Does nothing without a
// recorder.
class RecordedStep {
 public:
  RecordedStep(StepRecorder* recorder, const std::string& name, const std::string& mergeKey = "") : recorder_(recorder) {
    if (recorder_) recorder_->Begin(name, mergeKey);
  }
  ~RecordedStep() {
    if (recorder_) recorder_->End();
  }
  RecordedStep(const RecordedStep&) = delete;
  RecordedStep& operator=(const RecordedStep&) = delete;

 private:
  StepRecorder* recorder_;
};

}  // namespace korrin
