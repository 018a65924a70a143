// Builds the help document from the registry of decoder types, so the pages always describe exactly the
// types the program knows.
#include "decoders/catalogue_help.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>

#include "decoders/catalogue.h"
#include "image/format.h"

namespace korrin {

namespace {

const char* const kStyle =
    "body{font-family:sans-serif;max-width:50em;margin:1em auto;padding:0 1em;line-height:1.4;"
    "color:#222}"
    "h1{font-size:1.5em}h2{font-size:1.2em;margin-top:1.5em}"
    "table{border-collapse:collapse;margin:0.5em 0}"
    "th,td{border:1px solid #bbb;padding:0.2em 0.6em;text-align:left;vertical-align:top}"
    "th{background:#eee}"
    ".blank{color:#777;font-style:italic}"
    ".nav{font-size:0.9em}";

std::string PageStart(const std::string& title) {
  return "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscape(title) +
         "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n";
}

const char* const kPageEnd = "</body>\n</html>\n";

std::string IdentifierText(int32_t identifier) {
  return Format("0x%04X (%d)", static_cast<unsigned>(identifier), static_cast<int>(identifier));
}

std::string IdentifiersText(const DecoderType& entry) {
  std::string text;
  for (int32_t identifier : entry.identifiers()) {
    if (!text.empty()) text += " und ";
    text += IdentifierText(identifier);
  }
  return text;
}

std::string ModeText(RowMode mode) {
  switch (mode) {
    case RowMode::RG:
      return "Schaltadressen: jede Zeile ist die Adresse eines Ausgangspaars, "
             "mit R/G wird der rote oder grüne Ausgang gewählt";
    case RowMode::Fn: return "Funktionsdekoder: jede Zeile ist eine Dekoder-Adresse mit einer Funktions-Nummer";
    case RowMode::CV: return "keine Adresszeilen: der Dekoder wird über seine CV-Register eingestellt";
    case RowMode::None:
      return "Adresse und Funktions-Nummer werden angezeigt, aber von Korrin weder gelesen "
             "noch gespeichert";
  }
  return std::string();
}

// For the types without captioned rows (the CV types and "F-Dekoder mit CV").
std::string NoRowsText(const DecoderType& entry) {
  return entry.frameKind() == FrameKind::Cv ? "keine Adresszeilen: der Dekoder wird über seine CV-Register eingestellt"
                                            : "keine Adresszeilen";
}

std::string ProtocolText(const DecoderType& entry) {
  if (EntrySetsIsDcc(entry)) return "DCC";
  return "Motorola oder DCC, wird beim Laden aus der Firmware erkannt";
}

std::string AddressRangeText(const DecoderType& entry) {
  InputLimits mot;
  SetMotLimits(mot);
  InputLimits dcc;
  SetDccLimits(dcc, ModesFor(entry.mode).RG_Mode);
  return Format("Motorola: 1 bis %d, DCC: 1 bis %d; 0 für unbenutzt", static_cast<int>(mot.MaxAddress),
                static_cast<int>(dcc.MaxAddress));
}

std::string FunctionRangeText(const DecoderType& entry) {
  InputLimits mot;
  SetMotLimits(mot);
  InputLimits dcc;
  SetDccLimits(dcc, ModesFor(entry.mode).RG_Mode);
  return Format("Motorola: 1 bis %d, DCC: 1 bis %d", static_cast<int>(mot.MaxFunction), static_cast<int>(dcc.MaxFunction));
}

std::string LayoutText(const DecoderType& entry) {
  std::string text = entry.perColumn == kOneColumn
                         ? std::string("eine Spalte unter der Überschrift")
                         : Format("zwei Spalten: die Zeilen 1 bis %d links, die übrigen rechts", entry.perColumn);
  if (entry.gapRow != 0) text += Format("; Abstand nach Zeile %d", entry.gapRow);
  return text;
}

std::string EditorText(const DecoderType& entry) {
  std::string name = FrameName(entry.frameKind());
  return name.empty() ? std::string("keiner, nur die Adresszeilen") : name;
}

// The captioned rows of a type, row index -> caption.
std::map<int, std::string> CaptionsByRow(const DecoderType& entry) {
  std::map<int, std::string> captions;
  const std::vector<std::string> rows = RowCaptions(&entry);
  for (size_t r = 0; r < rows.size(); ++r)
    if (!rows[r].empty()) captions[static_cast<int>(r)] = rows[r];
  return captions;
}

std::string CaptionHtml(const std::string& caption) {
  if (caption.find_first_not_of(' ') == std::string::npos) {
    return "<span class=\"blank\">(ohne Bezeichnung)</span>";
  }
  return HtmlEscape(caption);
}

std::string FactRow(const std::string& name, const std::string& valueHtml) {
  return "<tr><th>" + HtmlEscape(name) + "</th><td>" + valueHtml + "</td></tr>\n";
}

std::string TypePage(const DecoderType& entry) {
  std::string html = PageStart("Korrin – " + std::string(entry.title));
  html += "<p class=\"nav\"><a href=\"index.html\">Korrin – Übersicht</a></p>\n";
  html += "<h1>" + HtmlEscape(std::string(entry.title)) + "</h1>\n";
  html += "<table>\n";
  html += FactRow("Kennung", HtmlEscape(IdentifiersText(entry)));
  html += FactRow("PIC", HtmlEscape(entry.picType()->name));
  html += FactRow("Protokoll", HtmlEscape(ProtocolText(entry)));
  const std::map<int, std::string> captions = CaptionsByRow(entry);
  html += FactRow("Adresszeilen", HtmlEscape(captions.empty() ? NoRowsText(entry) : ModeText(entry.mode)));
  if (!captions.empty() && entry.mode != RowMode::CV) {
    html += FactRow("Adressbereich", HtmlEscape(AddressRangeText(entry)));
    if (entry.mode != RowMode::RG) {
      html += FactRow("Funktions-Nummer", HtmlEscape(FunctionRangeText(entry)));
    }
    html += FactRow("Anordnung", HtmlEscape(LayoutText(entry)));
  }
  html += FactRow("Editor", HtmlEscape(EditorText(entry)));
  html += "</table>\n";

  if (entry.identifiers().size() > 1) {
    html += "<p>" +
            HtmlEscape(Format("Firmware mit der Kennung 0x%04X wird genauso behandelt.",
                              static_cast<unsigned>(entry.identifiers().back()))) +
            "</p>\n";
  }

  html += "<h2>Zeilen</h2>\n";
  if (captions.empty()) {
    html += "<p>" + HtmlEscape(NoRowsText(entry)) + "</p>\n";
  } else {
    const bool rg = ModesFor(entry.mode).RG_Mode;
    html += "<table>\n<tr><th>Zeile</th><th>Bezeichnung</th><th>Eingabe</th></tr>\n";
    for (const auto& [row, caption] : captions) {
      html += Format("<tr><td>%d</td><td>", row) + CaptionHtml(caption) + "</td><td>" +
              (rg ? "Adresse, R/G" : "Adresse, Funktions-Nummer") + "</td></tr>\n";
    }
    html += "</table>\n";
  }
  html += kPageEnd;
  return html;
}

std::string IndexPage() {
  std::string html = PageStart("Korrin – Hilfe");
  html +=
      "<h1>Korrin</h1>\n"
      "<p>Korrin stellt selbstgebaute Modellbahn-Dekoder ein (Weichen-, Signal-, LED-, Relais-, "
      "Drehscheiben-, Funktions- und Servo-Dekoder mit PIC-Mikrocontrollern). Die Einstellungen "
      "stehen in der Firmware des Dekoders; Korrin ändert dazu die HEX-Datei der Firmware. Die "
      "neue HEX-Datei wird anschließend mit einem PIC-Programmiergerät in den PIC "
      "„gebrannt“. Korrin selbst spricht nie mit einem Dekoder.</p>\n"
      "<h2>Bedienung</h2>\n"
      "<ul>\n"
      "<li><b>HEX laden</b>: eine HEX-Datei laden. Korrin erkennt den Dekodertyp und zeigt seine "
      "Adresszeilen und, falls vorhanden, den passenden Editor.</li>\n"
      "<li><b>&lt;</b> und <b>&gt;</b>: die vorige bzw. nächste HEX-Datei desselben Ordners "
      "laden.</li>\n"
      "<li><b>speichern</b>: die geänderten Werte in eine neue HEX-Datei schreiben.</li>\n"
      "<li><b>HEX Info</b>: die HEX-Daten anzeigen und mit einer zweiten HEX-Datei "
      "vergleichen.</li>\n"
      "<li><b>Ende</b>: das Programm beenden (mit einer Nachfrage nur bei ungespeicherten Änderungen).</li>\n"
      "<li>Der Knopf unter dem Bild öffnet die Hilfeseite des geladenen Dekodertyps.</li>\n"
      "</ul>\n"
      "<h2>Adressen</h2>\n"
      "<p>Eine Adresse 0 bedeutet „unbenutzt“: der Dekoder reagiert dann auf keinen Befehl. ";
  InputLimits mot;
  SetMotLimits(mot);
  InputLimits dccSwitch;
  SetDccLimits(dccSwitch, true);
  InputLimits dccFunction;
  SetDccLimits(dccFunction, false);
  html += HtmlEscape(
      Format("Gültige Adressen: Motorola 1 bis %d (Funktions-Nummer 1 bis %d), DCC-Schaltadressen 1 bis "
             "%d, DCC-Funktionsdekoder 1 bis %d (Funktions-Nummer 1 bis %d).",
             static_cast<int>(mot.MaxAddress), static_cast<int>(mot.MaxFunction), static_cast<int>(dccSwitch.MaxAddress),
             static_cast<int>(dccFunction.MaxAddress), static_cast<int>(dccFunction.MaxFunction)));
  html += "</p>\n";
  html +=
      "<p>Wird eine HEX-Datei nicht erkannt, zeigt Korrin keine Adresszeilen; der Knopf unter dem "
      "Bild führt dann auf diese Seite.</p>\n";

  html += "<h2>Dekodertypen</h2>\n";
  html += "<table>\n<tr><th>Kennung</th><th>Typ</th><th>PIC</th><th>Editor</th></tr>\n";
  for (const DecoderType& entry : DecoderTypes()) {
    const std::string file = HelpFileName(entry.identifiers().front());
    const std::string anchor = file.substr(0, file.size() - 5);  // without ".html"
    html += "<tr id=\"" + anchor + "\"><td>" + HtmlEscape(IdentifiersText(entry)) + "</td><td><a href=\"" + file + "\">" +
            HtmlEscape(std::string(entry.title)) + "</a></td><td>" + HtmlEscape(entry.picType()->name) + "</td><td>" +
            HtmlEscape(EditorText(entry)) + "</td></tr>\n";
  }
  html += "</table>\n";
  html += kPageEnd;
  return html;
}

bool WriteFileSafely(const std::filesystem::path& path, const std::string& content, std::string* error) {
  std::filesystem::path temp = path;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      if (error) *error = "Die Datei " + path.string() + " konnte nicht geschrieben werden.";
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    if (error) *error = "Die Datei " + path.string() + " konnte nicht geschrieben werden: " + ec.message();
    return false;
  }
  return true;
}

}  // namespace

std::string HtmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::vector<HelpFile> HelpDocument() {
  std::vector<HelpFile> files;
  files.push_back({"index.html", IndexPage()});
  for (const DecoderType& entry : DecoderTypes()) {
    files.push_back({HelpFileName(entry.identifiers().front()), TypePage(entry)});
  }
  return files;
}

bool WriteHelpDocument(const std::string& folder, std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    if (error) *error = "Der Ordner " + folder + " konnte nicht angelegt werden: " + ec.message();
    return false;
  }
  for (const HelpFile& file : HelpDocument()) {
    if (!WriteFileSafely(std::filesystem::path(folder) / file.name, file.html, error)) return false;
  }
  return true;
}

}  // namespace korrin
