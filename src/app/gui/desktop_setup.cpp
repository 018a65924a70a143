#include "app/gui/desktop_setup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTranslator>

#include "app/settings_location.h"

namespace korrin {

QString InstallGermanTranslation(QCoreApplication& app) {
  const QString appDir = QCoreApplication::applicationDirPath();
  const QStringList folders = {appDir + "/translations", appDir,
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
  for (const QString& folder : folders) {
    const QString file = folder + "/qtbase_de.qm";
    if (!QFileInfo::exists(file)) continue;
    auto* translator = new QTranslator(&app);
    if (translator->load(file)) {
      app.installTranslator(translator);
      return file;
    }
    delete translator;
  }
  return QString();
}

QIcon ProgramIcon() {
  QSvgRenderer svg(QStringLiteral(":/korrin/korrin.svg"));
  QIcon icon;
  if (!svg.isValid()) return icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    svg.render(&p);
    p.end();
    icon.addPixmap(pm);
  }
  return icon;
}

std::string ProgramSettingsPath() {
  return ChooseSettingsPath(SettingsPlacesOf(QCoreApplication::applicationFilePath().toStdString()));
}

}  // namespace korrin
