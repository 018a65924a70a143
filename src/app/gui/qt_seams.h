#pragma once
// The Qt side of the two dialog seams: message boxes and the platform file dialogs.
#include <QString>
#include <QWidget>

#include "base/dialogs.h"
#include "base/file_dialogs.h"

namespace korrin {

// The program's texts write a line break as CR, LF or CR LF; Qt wants LF.
QString DisplayText(const std::string& text);

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  Answer show(BoxKind kind, const std::string& text, Buttons buttons) override;

 private:
  QWidget* parent_;
};

class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  std::optional<std::string> open(const FileDialogRequest& request) override;
  std::optional<std::string> save(const FileDialogRequest& request) override;

  // "HEX|*.hex|TXT|*.txt" -> "HEX (*.hex);;TXT (*.txt)"
  static QString QtFilter(const std::string& filter);

 private:
  std::optional<std::string> run(const FileDialogRequest& request, bool saving);
  QWidget* parent_;
};

}  // namespace korrin
