#pragma once
// The one way the core talks to the user: a modal message box with a fixed kind, an exact
// German text and a fixed set of buttons. The window shows a QMessageBox, the command-line
// tool prints to stderr and answers by a policy, the tests record and answer from a script.
#include <string>

namespace korrin {

enum class BoxKind { Warning, Error, Information };

// The button sets a message box may have. SaveDiscardCancel asks about unsaved changes:
// "Speichern", "Verwerfen", "Abbrechen".
enum class Buttons { Ok, Cancel, CancelIgnore, YesIgnore, YesNo, SaveDiscardCancel };

enum class Answer { Ok, Cancel, Ignore, Yes, No, Save, Discard };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual Answer show(BoxKind kind, const std::string& text, Buttons buttons) = 0;

  // Shorthands for the single-button boxes.
  void warning(const std::string& text) { show(BoxKind::Warning, text, Buttons::Ok); }
  void error(const std::string& text) { show(BoxKind::Error, text, Buttons::Ok); }
  void information(const std::string& text) { show(BoxKind::Information, text, Buttons::Ok); }
};

}  // namespace korrin
