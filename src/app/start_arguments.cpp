#include "app/start_arguments.h"

namespace korrin {

StartRequest ParseStartArguments(const std::vector<std::string>& args) {
  StartRequest request;
  bool options = true;
  bool haveFile = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options) {
      if (a == "--") {
        options = false;
        continue;
      }
      if (a == "--help" || a == "-h") return {StartRequest::Kind::Help, ""};
      if (a == "--version") return {StartRequest::Kind::Version, ""};
      if (i == 0 && a == "--check") {
        request.kind = StartRequest::Kind::Check;
        continue;
      }
    }
    if (!haveFile) {
      request.file = a;
      haveFile = true;
    }
  }
  return request;
}

std::string StartUsageText() {
  return "Aufruf: korrin [DATEI]\n"
         "       korrin --check [DATEI]\n"
         "       korrin --help | --version\n"
         "\n"
         "Öffnet das Fenster von Korrin, mit DATEI (einer HEX-Datei) geladen.\n"
         "\n"
         "  --check    lädt DATEI ohne Fenster, nennt die Hilfeseiten, die deutsche\n"
         "             Übersetzung und die Einstellungsdatei und endet\n"
         "             (Status 0: alles gefunden, 1: etwas fehlt)\n"
         "  --help     zeigt diesen Text\n"
         "  --version  zeigt die Version\n"
         "  --         beendet die Optionen (für eine Datei, deren Name mit - beginnt)\n"
         "\n"
         "Bearbeiten ohne Fenster: korrin-cli --help\n";
}

std::string StartVersionText(const std::string& version) { return "korrin " + version + "\n"; }

}  // namespace korrin
