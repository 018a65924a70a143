#include "app/gui/qt_seams.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace korrin {

QString DisplayText(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace("\r\n", "\n");
  s.replace('\r', '\n');
  return s;
}

Answer QtDialogs::show(BoxKind kind, const std::string& text, Buttons buttons) {
  QMessageBox box(parent_);
  box.setWindowTitle("Korrin");
  box.setText(DisplayText(text));
  box.setIcon(kind == BoxKind::Warning ? QMessageBox::Warning
              : kind == BoxKind::Error ? QMessageBox::Critical
                                       : QMessageBox::Information);
  struct Choice {
    QPushButton* button;
    Answer answer;
  };
  std::vector<Choice> choices;
  auto add = [&](const char* caption, QMessageBox::ButtonRole role, Answer answer) {
    choices.push_back({box.addButton(QString::fromUtf8(caption), role), answer});
  };
  switch (buttons) {
    case Buttons::Ok: add("OK", QMessageBox::AcceptRole, Answer::Ok); break;
    case Buttons::Cancel: add("Abbrechen", QMessageBox::RejectRole, Answer::Cancel); break;
    case Buttons::CancelIgnore:
      add("Abbrechen", QMessageBox::RejectRole, Answer::Cancel);
      add("Ignorieren", QMessageBox::AcceptRole, Answer::Ignore);
      break;
    case Buttons::YesIgnore:
      add("Ja", QMessageBox::YesRole, Answer::Yes);
      add("Ignorieren", QMessageBox::RejectRole, Answer::Ignore);
      break;
    case Buttons::YesNo:
      add("Ja", QMessageBox::YesRole, Answer::Yes);
      add("Nein", QMessageBox::NoRole, Answer::No);
      break;
    case Buttons::SaveDiscardCancel: {
      // Qt's standard buttons, so that each platform orders them its own way; German texts
      // whatever translation is loaded.
      auto standard = [&](QMessageBox::StandardButton which, const char* caption, Answer answer) {
        QPushButton* button = box.addButton(which);
        button->setText(QString::fromUtf8(caption));
        choices.push_back({button, answer});
      };
      standard(QMessageBox::Save, "Speichern", Answer::Save);
      standard(QMessageBox::Discard, "Verwerfen", Answer::Discard);
      standard(QMessageBox::Cancel, "Abbrechen", Answer::Cancel);
      break;
    }
  }
  box.setDefaultButton(choices.front().button);
  box.setEscapeButton(choices.back().button);
  box.exec();
  for (const auto& c : choices)
    if (box.clickedButton() == c.button) return c.answer;
  return choices.back().answer;
}

QString QtFileDialogs::QtFilter(const std::string& filter) {
  QStringList parts = QString::fromStdString(filter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString pattern = parts[i + 1] == "*.*" ? "*" : parts[i + 1];
    out << QString("%1 (%2)").arg(parts[i], pattern);
  }
  return out.join(";;");
}

std::optional<std::string> QtFileDialogs::run(const FileDialogRequest& request, bool saving) {
  // A request without a title gets a German one, never Qt's "Save As".
  const QString title = !request.title.empty() ? QString::fromStdString(request.title)
                        : saving                ? QStringLiteral("Datei speichern")
                                                : QString::fromUtf8("Datei öffnen");
  QFileDialog dialog(parent_, title);
  dialog.setNameFilters(QtFilter(request.filter).split(";;"));
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  if (!request.presetName.empty()) dialog.selectFile(QString::fromStdString(request.presetName));
  dialog.setOption(QFileDialog::ReadOnly, false);
#ifndef Q_OS_WIN
  // Qt's own dialog speaks German through Qt's translation whatever the desktop's language;
  // a desktop's native dialog would follow the system. Windows keeps its native dialog.
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
#endif
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtFileDialogs::open(const FileDialogRequest& request) { return run(request, false); }
std::optional<std::string> QtFileDialogs::save(const FileDialogRequest& request) { return run(request, true); }

}  // namespace korrin
