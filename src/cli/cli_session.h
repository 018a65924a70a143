#pragma once
// A document loaded without a window: messages are printed to stderr and kept for the
// JSON output, questions are answered by fixed rules.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "app/document.h"
#include "base/file_dialogs.h"

namespace korrin::cli {

struct Message {
  BoxKind kind;
  std::string text;
};

const char* KindName(BoxKind kind);

// Answers: Cancel + Ignore -> Ignore; Yes + Ignore -> Yes with configDefault, else Ignore;
// Yes + No -> Yes; Cancel alone -> Cancel; OK -> OK.
class CliDialogs : public Dialogs {
 public:
  CliDialogs(std::ostream* err, bool configDefault) : err_(err), configDefault_(configDefault) {}
  Answer show(BoxKind kind, const std::string& text, Buttons buttons) override;
  std::vector<Message> messages;
  void setEcho(std::ostream* err) { err_ = err; }

 private:
  std::ostream* err_;
  bool configDefault_;
};

// No file dialogs on the command line: every request is cancelled.
class NoFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> open(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> save(const FileDialogRequest&) override { return std::nullopt; }
};

// korrin-cli never undoes anything: the document keeps no history.
struct Session {
  Session(std::ostream* err, bool configDefault) : dialogs(err, configDefault), doc(dialogs, files) {
    doc.history.SetEnabled(false);
  }
  CliDialogs dialogs;
  NoFileDialogs files;
  Document doc;
};

// A message text as one readable line group: CR LF and CR become line feeds.
std::string PlainText(const std::string& text);

// 8-bit text (a message quoting a file line, a file name) as UTF-8 for the terminal and for
// JSON; line ends stay where they are, every other control byte becomes U+FFFD.
std::string TextUtf8(const std::string& text);

// Loads file for a command that writes: 0 when it loaded completely, else the exit status
// (2: not read, 1: the load ended early) after saying so on err.
int LoadForEdit(Session& s, const std::string& file, std::ostream& err);

// Applies a pending working copy and saves to output with the verified save; prints output
// and returns 0, or returns 1 (the save's messages went through the dialogs).
int ApplyAndSave(Session& s, const std::string& output, std::ostream& out);

// "Mot", "DCC" or "ohne" for the loaded flags.
std::string ProtocolName(const Document& doc);

// The row's address as the window shows it, nothing when the edit is empty or no number.
std::optional<int> ShownNumber(const std::string& text);

// One row edit of `set` and `batch`: "ADDR", "ADDRg", "ADDRr", "ADDR/F", "ADDRg/F".
struct RowEdit {
  std::string address;
  std::optional<bool> green;
  std::optional<std::string> function;
};
std::optional<RowEdit> ParseRowEdit(const std::string& text);

// Applies an edit to row n of a loaded document; a German reason when the row cannot take it.
std::optional<std::string> ApplyRowEdit(Document& doc, int n, const RowEdit& edit);

}  // namespace korrin::cli
