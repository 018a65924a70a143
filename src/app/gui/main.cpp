// Korrin: start-up of the window program.
//   korrin [FILE]            opens the window, with FILE loaded
//   korrin --check [FILE]    loads FILE without showing the window, prints where the program
//                            found its help pages, Qt's German texts and its settings file,
//                            and exits: 0 when help and translation are there, 1 otherwise
//   korrin --help | --version  prints the usage or the version and exits (no window)
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/gui/desktop_setup.h"
#include "app/gui/main_window.h"
#include "app/start_arguments.h"
#include "base/platform.h"

namespace {

// Anything that escapes an event handler is shown in a German error box, and the program goes on.
class KorrinApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      QMessageBox::critical(activeWindow(), "Korrin",
                            QString::fromUtf8("Unerwarteter Fehler: %1\nDie Aktion wurde abgebrochen.").arg(e.what()));
    } catch (...) {
      QMessageBox::critical(activeWindow(), "Korrin", QString::fromUtf8("Unerwarteter Fehler.\nDie Aktion wurde abgebrochen."));
    }
    return false;
  }
};

// The check runs without anybody at the screen: messages go to stderr and every question is
// answered with its last button (Cancel, Ignore, No), as Escape would.
class PrintingDialogs : public korrin::Dialogs {
 public:
  korrin::Answer show(korrin::BoxKind, const std::string& text, korrin::Buttons buttons) override {
    std::fprintf(stderr, "Meldung: %s\n", text.c_str());
    switch (buttons) {
      case korrin::Buttons::Ok: return korrin::Answer::Ok;
      case korrin::Buttons::Cancel: return korrin::Answer::Cancel;
      case korrin::Buttons::CancelIgnore:
      case korrin::Buttons::YesIgnore: return korrin::Answer::Ignore;
      case korrin::Buttons::YesNo: return korrin::Answer::No;
      case korrin::Buttons::SaveDiscardCancel: return korrin::Answer::Cancel;
    }
    return korrin::Answer::Cancel;
  }
};

class NoFileDialogs : public korrin::FileDialogs {
 public:
  std::optional<std::string> open(const korrin::FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> save(const korrin::FileDialogRequest&) override { return std::nullopt; }
};

int Check(const std::string& file, const QString& translation) {
  PrintingDialogs dialogs;
  NoFileDialogs fileDialogs;
  const std::string settings = korrin::ProgramSettingsPath();
  korrin::MainWindow window(dialogs, fileDialogs, settings);
  if (!file.empty()) window.StartWithFile(file);

  const QString help = korrin::MainWindow::HelpFolder();
  const bool helpFound = QFileInfo::exists(help + "/index.html");
  const QString page = QUrl(korrin::MainWindow::HelpUrlFor(window.document().HelpPage)).toLocalFile();
  const bool pageFound = QFileInfo::exists(page);
  const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
  const bool german = !translation.isEmpty() && cancel == QString::fromUtf8("Abbrechen");
  auto line = [](const char* what, const QString& value, bool ok) {
    std::printf("%s: %s%s\n", what, value.toUtf8().constData(), ok ? "" : " (fehlt)");
  };
  line("Hilfe", help, helpFound);
  line("Hilfeseite", page, pageFound);
  line("Übersetzung", translation.isEmpty() ? QString("qtbase_de.qm") : translation, german);
  line("Einstellungen", QString::fromStdString(settings), true);
  if (!file.empty()) line("Typ", QString::fromStdString(window.document().headerText), true);
  return helpFound && pageFound && german ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Usage and version are printed before Qt starts: they need no display.
  {
    std::vector<std::string> args = korrin::ProgramArguments(argc, argv);
    if (!args.empty()) args.erase(args.begin());
    const korrin::StartRequest early = korrin::ParseStartArguments(args);
    if (early.kind == korrin::StartRequest::Kind::Help || early.kind == korrin::StartRequest::Kind::Version) {
      const std::string text =
          early.kind == korrin::StartRequest::Kind::Help ? korrin::StartUsageText() : korrin::StartVersionText(KORRIN_VERSION);
      // The Windows window program has no console: the text goes to the one it was started from.
      korrin::UseParentConsole();
      std::fputs(text.c_str(), stdout);
      return 0;
    }
  }
  KorrinApplication app(argc, argv);
  // No application display name: Qt would append it to the window title ("… — Korrin").
  app.setApplicationName("Korrin");
  app.setDesktopFileName("de.korrin.Korrin");
  app.setWindowIcon(korrin::ProgramIcon());
  const QString translation = korrin::InstallGermanTranslation(app);

  // Qt has taken its own options (-platform ...) out of the arguments by now.
  std::vector<std::string> args;
  for (const QString& a : app.arguments().mid(1)) args.push_back(a.toStdString());
  const korrin::StartRequest request = korrin::ParseStartArguments(args);
  if (request.kind == korrin::StartRequest::Kind::Check) return Check(request.file, translation);

  korrin::QtDialogs dialogs;
  korrin::QtFileDialogs fileDialogs;
  korrin::MainWindow window(dialogs, fileDialogs, korrin::ProgramSettingsPath());
  dialogs.setParent(&window);
  fileDialogs.setParent(&window);
  window.show();
  if (!request.file.empty()) window.StartWithFile(request.file);
  return app.exec();
}
