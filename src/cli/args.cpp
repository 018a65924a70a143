#include "cli/args.h"

#include <algorithm>

namespace korrin::cli {

const char* const kVersionText = "korrin-cli " KORRIN_VERSION "\n";

const char* const kExitStatusText =
    "Rückgabewerte:\n"
    "  0  erledigt; bei compare: keine Unterschiede\n"
    "  1  bei compare: Unterschiede gefunden; sonst: ein Wert, ein Schlüssel oder eine Zeile\n"
    "     wurde abgelehnt, die Datei wurde nicht vollständig geladen oder nicht gespeichert\n"
    "     (bei batch: mindestens eine Zeile des Plans)\n"
    "  2  falscher Aufruf, eine Datei oder ein Ordner ist nicht lesbar, eine Datei enthält\n"
    "     keine Daten, oder eine Konfiguration ist kein gültiges JSON\n";

namespace {

const OptionSpec kConfigDefault{"--config-default", "", false,
                                "fehlt der Config-Wert: Standard-Wert erzeugen (wie \"Ja\" im Fenster)"};

std::vector<CommandSpec> MakeCommands() {
  return {
      {"info",
       {"DATEI"},
       "zeigt Typ, PIC, Protokoll, Adressen und die Einstellungen des Editors mit ihren Schlüsseln",
       {{"--json", "", false, "alles als JSON-Objekt ausgeben, auch den Zustand des Editors"}, kConfigDefault},
       "Ohne --json folgen auf die Adresszeilen die Schlüssel, die set --set für diese Datei\n"
       "annimmt, mit Bezeichnung und aktuellem Wert, und die Aktions-Schlüssel mit der Form\n"
       "ihres Werts."},
      {"set",
       {"DATEI"},
       "ändert Adresszeilen und Einstellungen und speichert geprüft nach AUSGABE",
       {{"-o", "AUSGABE", false, "die zu schreibende HEX-Datei (darf DATEI selbst sein)"},
        {"--row", "N=ADRESSE[g|r][/F]", true, "Adresszeile N: Adresse, g/r für grün/rot, /F Funktions-Nummer"},
        {"--set", "SCHLÜSSEL=WERT", true, "eine Einstellung oder Aktion des Editors (Schlüssel: korrin-cli info DATEI)"},
        kConfigDefault},
       "Die Änderungen gelten in der angegebenen Reihenfolge, mit denselben Prüfungen und\n"
       "Meldungen wie im Fenster. Danach werden geänderte Werte übernommen und die Datei wird\n"
       "gespeichert und zurückgelesen. Wird ein Wert abgelehnt, wird nichts geschrieben."},
      {"dump", {"DATEI"}, "gibt Config, ID und die EEPROM- und ROM-Listen des Info-Fensters aus", {}, ""},
      {"compare",
       {"DATEI1", "DATEI2"},
       "vergleicht zwei HEX-Dateien wie das Info-Fenster",
       {{"--decoded", "", false, "zusätzlich die Unterschiede als Dekoder-Einstellungen nennen"}},
       "Eine DATEI2 ohne Daten (leer, nur der Ende-Satz) wird gemeldet, Rückgabewert 2."},
      {"batch",
       {"VORLAGE", "PLAN"},
       "schreibt je Plan-Zeile eine Kopie der Vorlage mit geänderten Adressen und Einstellungen",
       {{"-o", "ORDNER", false, "der Ordner für die geschriebenen Dateien"}, kConfigDefault},
       "PLAN ist eine CSV-Datei (RFC 4180, Trennzeichen ';' oder ','). Die Kopfzeile nennt in\n"
       "der ersten Spalte die Dateinamen, danach je Spalte eine Zeilennummer (Werte wie bei\n"
       "--row) oder einen Schlüssel wie bei --set (z. B. cv29). Leere Zellen ändern nichts.\n"
       "Jede Zeile beginnt bei der Vorlage, wie sie zu Beginn gelesen wurde. Namen mit Pfad,\n"
       "Steuerzeichen oder unpaarigem Anführungszeichen, doppelte Namen und der Name der\n"
       "Vorlage oder des Plans werden mit der Zeilennummer abgelehnt."},
      {"inventory",
       {"ORDNER"},
       "listet alle HEX-Dateien eines Ordners und mehrfach belegte Adressen",
       {{"--json", "", false, "als JSON-Objekt ausgeben"}, {"--csv", "", false, "als CSV ausgeben (RFC 4180, ';')"}},
       ""},
      {"export",
       {"DATEI"},
       "gibt die ganze Konfiguration eines Dekoders als JSON aus",
       {{"-o", "AUSGABE.json", false, "in diese Datei schreiben statt auf die Standardausgabe"}, kConfigDefault},
       "Das Format (korrin-konfiguration, version 1) ist in der README beschrieben."},
      {"apply",
       {"DATEI", "KONFIG.json"},
       "wendet eine mit export geschriebene Konfiguration an und speichert geprüft nach AUSGABE",
       {{"-o", "AUSGABE", false, "die zu schreibende HEX-Datei (darf DATEI selbst sein)"}, kConfigDefault},
       "Jeder Abschnitt darf fehlen. Eine Konfiguration eines anderen Dekoder-Typs wird\n"
       "abgelehnt. Wird ein Wert abgelehnt, wird nichts geschrieben."},
  };
}

const OptionSpec* FindOption(const CommandSpec& def, const std::string& name) {
  for (const auto& o : def.options)
    if (o.name == name) return &o;
  return nullptr;
}

// Which options must be given.
bool Required(const CommandSpec& def, const std::string& option) {
  return option == "-o" && def.name != "export";
}

}  // namespace

bool ParsedArgs::has(const std::string& name) const {
  return std::any_of(options.begin(), options.end(), [&](const auto& o) { return o.first == name; });
}

std::string ParsedArgs::value(const std::string& name) const {
  for (const auto& o : options)
    if (o.first == name) return o.second;
  return "";
}

const std::vector<CommandSpec>& Commands() {
  static const std::vector<CommandSpec> commands = MakeCommands();
  return commands;
}

const CommandSpec* FindCommand(const std::string& name) {
  for (const auto& c : Commands())
    if (c.name == name) return &c;
  return nullptr;
}

ParseOutcome ParseArgs(const CommandSpec& def, const std::vector<std::string>& args) {
  ParsedArgs parsed;
  for (const auto& a : args)
    if (a == "--help" || a == "-h") {
      parsed.help = true;
      return {parsed, ""};
    }
  auto fail = [](std::string why) { return ParseOutcome{std::nullopt, std::move(why)}; };
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a.size() < 2 || a[0] != '-') {
      parsed.operands.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    size_t eq = a.find('=');
    const std::string name = a.substr(0, eq);
    const OptionSpec* option = FindOption(def, name);
    if (!option) return fail("unbekannte Option " + name + " für " + def.name);
    if (!option->repeatable && parsed.has(name)) return fail(name + " darf nur einmal stehen");
    if (option->valueName.empty()) {
      if (eq != std::string::npos) return fail(name + " nimmt keinen Wert");
      parsed.options.emplace_back(name, "");
      continue;
    }
    std::string value;
    if (eq != std::string::npos) {
      value = a.substr(eq + 1);
    } else {
      if (i + 1 >= args.size()) return fail(name + " braucht einen Wert (" + option->valueName + ")");
      value = args[++i];
    }
    parsed.options.emplace_back(name, value);
  }
  if (def.name == "inventory" && parsed.has("--json") && parsed.has("--csv"))
    return fail("--json und --csv schließen sich aus");
  if (parsed.operands.size() != def.operands.size()) {
    std::string names;
    for (const auto& o : def.operands) names += (names.empty() ? "" : " ") + o;
    return fail(def.name + " erwartet " + names + (parsed.operands.size() > def.operands.size() ? ", nicht mehr" : ""));
  }
  for (const auto& o : parsed.operands)
    if (o.empty()) return fail(def.name + ": leerer Dateiname");
  for (const auto& o : def.options)
    if (Required(def, o.name) && !parsed.has(o.name)) return fail(def.name + " braucht " + o.name + " " + o.valueName);
  for (const auto& [name, value] : parsed.options)
    if ((name == "-o") && value.empty()) return fail(name + " braucht einen Wert");
  return {parsed, ""};
}

std::string Synopsis(const CommandSpec& def) {
  std::string s = "korrin-cli " + def.name;
  for (const auto& o : def.operands) s += " " + o;
  for (const auto& o : def.options) {
    std::string part = o.name + (o.valueName.empty() ? "" : " " + o.valueName);
    s += Required(def, o.name) ? " " + part : " [" + part + "]" + (o.repeatable ? "..." : "");
  }
  return s;
}

std::string CommandHelp(const CommandSpec& def) {
  std::string s = "Aufruf: " + Synopsis(def) + "\n\n" + def.summary + ".\n";
  if (!def.options.empty()) {
    s += "\nOptionen:\n";
    for (const auto& o : def.options) {
      std::string head = o.name + (o.valueName.empty() ? "" : " " + o.valueName);
      s += "  " + head;
      // Columns counted in characters, not bytes (the value names may hold umlauts).
      size_t width = 0;
      for (unsigned char c : head)
        if ((c & 0xC0) != 0x80) ++width;
      s += width < 26 ? std::string(26 - width, ' ') : "\n" + std::string(30, ' ');
      s += o.help + "\n";
    }
    s += "  -h, --help                diese Hilfe\n";
  }
  if (!def.details.empty()) s += "\n" + def.details + "\n";
  s += "\n";
  s += kExitStatusText;
  return s;
}

std::string ToolHelp() {
  std::string s =
      "korrin-cli: HEX-Dateien von Dekodern lesen, vergleichen und ändern, ohne Fenster.\n\n"
      "Aufruf:\n";
  for (const auto& c : Commands()) s += "  " + Synopsis(c) + "\n";
  s += "  korrin-cli --version\n"
       "  korrin-cli --help | korrin-cli BEFEHL --help | korrin-cli help BEFEHL\n\nBefehle:\n";
  for (const auto& c : Commands()) s += "  " + c.name + std::string(11 - c.name.size(), ' ') + c.summary + "\n";
  s += "\n";
  s += kExitStatusText;
  return s;
}

}  // namespace korrin::cli
