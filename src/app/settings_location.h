#pragma once
// Where the settings file lives. A portable program (its folder writable) keeps korrin.ini
// beside itself, named after the program file; an installed program, and one whose folder
// the user cannot write, keeps it in the user's configuration folder.
#include <string>

namespace korrin {

// What the choice depends on, gathered from the running program and its environment.
struct SettingsPlaces {
  std::string programPath;         // full path of the running program file
  bool programFolderWritable = false;
  bool installed = false;          // <prefix>/bin of an installation (see program_layout.h)
  bool windows = false;            // %APPDATA%\Korrin instead of the XDG folders
  std::string xdgConfigHome;       // $XDG_CONFIG_HOME (empty or relative: not used)
  std::string home;                // $HOME
  std::string appData;             // %APPDATA%
};

// The settings file for these places: beside the program (SettingsPathFor) when its folder is
// writable and no installation's bin folder (a bin folder is shared: ~/.local/bin, or /usr/bin
// for root); otherwise <config>/korrin/korrin.ini with <config> = $XDG_CONFIG_HOME or
// ~/.config, or %APPDATA%\Korrin\korrin.ini on Windows. When no user folder is known either,
// the file beside the program is kept (reading gives the defaults, writing may fail).
std::string ChooseSettingsPath(const SettingsPlaces& places);

// True when a file can be created in folder (tried with a probe file that is removed again;
// permission bits alone do not tell, e.g. for read-only mounts or Windows folder rights).
bool FolderIsWritable(const std::string& folder);

// The places of a running program: its folder's writability and the environment variables.
SettingsPlaces SettingsPlacesOf(const std::string& programPath);

// Creates the folder that holds settingsPath when it is missing (the user's configuration
// folder on the first "Ende"). False with a German reason in *error when that fails.
bool MakeSettingsFolder(const std::string& settingsPath, std::string* error = nullptr);

}  // namespace korrin
