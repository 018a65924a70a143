#pragma once
// Test doubles for the two dialog seams: they record every request and answer from a script.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/file_dialogs.h"

namespace korrin::testing {

struct RecordedMessage {
  BoxKind kind;
  std::string text;
  Buttons buttons;
};

class RecordingDialogs : public Dialogs {
 public:
  // Answers given in order; when the script is empty the first button of the set is pressed
  // (OK, Cancel, Cancel, Yes, Yes, Save).
  std::deque<Answer> script;
  std::vector<RecordedMessage> messages;

  Answer show(BoxKind kind, const std::string& text, Buttons buttons) override {
    messages.push_back({kind, text, buttons});
    if (!script.empty()) {
      Answer a = script.front();
      script.pop_front();
      return a;
    }
    switch (buttons) {
      case Buttons::Ok: return Answer::Ok;
      case Buttons::Cancel:
      case Buttons::CancelIgnore: return Answer::Cancel;
      case Buttons::YesIgnore:
      case Buttons::YesNo: return Answer::Yes;
      case Buttons::SaveDiscardCancel: return Answer::Save;
    }
    return Answer::Ok;
  }

  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text);
    return out;
  }
  void clear() { messages.clear(); }
};

class ScriptedFileDialogs : public FileDialogs {
 public:
  std::deque<std::optional<std::string>> openAnswers;  // empty script: cancelled
  std::deque<std::optional<std::string>> saveAnswers;
  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;

  std::optional<std::string> open(const FileDialogRequest& request) override {
    openRequests.push_back(request);
    return next(openAnswers);
  }
  std::optional<std::string> save(const FileDialogRequest& request) override {
    saveRequests.push_back(request);
    return next(saveAnswers);
  }

 private:
  static std::optional<std::string> next(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace korrin::testing
