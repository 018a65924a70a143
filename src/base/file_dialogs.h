#pragma once
// File-open and file-save dialogs as the core asks for them. The Qt layer shows the
// platform dialogs; the tests answer from a script.
#include <optional>
#include <string>

namespace korrin {

struct FileDialogRequest {
  std::string title;             // may be empty: the platform's default title
  std::string filter;            // "HEX|*.hex|TXT|*.txt|*.*|*.*": pairs of label and pattern
  std::string defaultExtension;  // added when the user types a name without extension
  std::string presetName;        // file name (or path) the dialog starts with
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> open(const FileDialogRequest& request) = 0;
  // As open; asks before overwriting an existing file.
  virtual std::optional<std::string> save(const FileDialogRequest& request) = 0;
};

}  // namespace korrin
