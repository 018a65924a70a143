#pragma once
// What the program sets up on the desktop before its window opens: Qt's own German texts
// (file dialogs, standard buttons, edit menus), the program icon, and the places of its files.
#include <QIcon>
#include <QString>
#include <string>

class QCoreApplication;

namespace korrin {

// Loads Qt's German translation whatever the system's language is: first from beside the
// program (a portable folder: <dir>/translations or <dir>), then from Qt's translation folder.
// Returns the file loaded, or an empty text when none was found (Qt's texts stay English).
QString InstallGermanTranslation(QCoreApplication& app);

// The program icon (a decoder chip on a track), drawn from the SVG built into the program.
QIcon ProgramIcon();

// The settings file of the running program (beside it, or in the user's configuration folder).
std::string ProgramSettingsPath();

}  // namespace korrin
