// Korrin: start-up of the window program.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/gui/Reader.h"
#include "app/settings.h"

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
      QMessageBox::critical(activeWindow(), "Korrin",
                            QString::fromUtf8("Unerwarteter Fehler.\nDie Aktion wurde abgebrochen."));
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  KorrinApplication app(argc, argv);
  app.setApplicationName("Korrin");
  app.setApplicationDisplayName("Korrin");

  korrin::QtDialogs dialogs;
  korrin::QtFileDialogs fileDialogs;
  const std::string settings = korrin::SettingsPathFor(QCoreApplication::applicationFilePath().toStdString());
  korrin::TFormMain window(dialogs, fileDialogs, settings);
  dialogs.setParent(&window);
  fileDialogs.setParent(&window);
  window.show();
  const QStringList args = app.arguments();
  if (args.size() > 1) window.StartWithFile(args.at(1).toStdString());
  return app.exec();
}
