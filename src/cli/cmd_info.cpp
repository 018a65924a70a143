// korrin-cli info: load a file as the window does and print what it shows.
#include <cmath>
#include <iomanip>
#include <ostream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/commands.h"

namespace korrin::cli {

namespace {

const char* FrameKey(FrameKind kind) {
  switch (kind) {
    case FrameKind::Options: return "options";
    case FrameKind::Blink: return "blink";
    case FrameKind::LedBlink: return "led-blink";
    case FrameKind::Servo: return "servo";
    case FrameKind::Cv: return "cv";
    default: return nullptr;
  }
}

nlohmann::json InfoJson(const Session& s) {
  const Document& doc = s.doc;
  nlohmann::json j;
  j["identifier"] = doc.DecoderIdentifier;
  j["identifier_bytes"] = doc.identification.IdentifierBytes;
  const CatalogueEntry* entry = FindCatalogueEntry(doc.DecoderIdentifier);
  j["title"] = entry ? nlohmann::json(entry->title) : nlohmann::json(nullptr);
  j["pic"] = doc.image.PIC;
  j["protocol"] = ProtocolName(doc);
  j["version"] = std::round(static_cast<double>(doc.image.Version) * 100.0) / 100.0;
  j["id"] = doc.image.ID_Text;
  j["config"] = doc.image.Config;
  std::string eeprom;
  for (const auto& cell : doc.image.Hex_EE) eeprom += cell;
  j["eeprom"] = eeprom;
  nlohmann::json rows = nlohmann::json::array();
  for (int r = 0; r < kAddressRowCount; ++r) {
    const AddressRow& row = doc.rows[r];
    if (!row.shown()) continue;
    nlohmann::json o;
    o["row"] = r;
    o["caption"] = row.caption;
    auto address = ShownNumber(row.addressText);
    o["address"] = address ? nlohmann::json(*address) : nlohmann::json(nullptr);
    if (doc.RG_Mode) {
      o["green"] = row.RowGreen;
    } else {
      auto f = ShownNumber(row.functionText);
      o["function"] = f ? *f : row.Adresse_dez2;
    }
    rows.push_back(o);
  }
  j["rows"] = rows;
  const char* frame = FrameKey(doc.layout.frameKind);
  j["frame"] = frame ? nlohmann::json(frame) : nlohmann::json(nullptr);
  nlohmann::json messages = nlohmann::json::array();
  for (const auto& m : s.dialogs.messages) messages.push_back({{"kind", KindName(m.kind)}, {"text", m.text}});
  j["messages"] = messages;
  return j;
}

void InfoTable(const Session& s, std::ostream& out) {
  const Document& doc = s.doc;
  const CatalogueEntry* entry = FindCatalogueEntry(doc.DecoderIdentifier);
  std::ostringstream version;
  version << std::fixed << std::setprecision(2) << doc.image.Version;
  out << "Typ:        " << (entry ? entry->title : "(nicht erkannt)") << " (Identifier " << doc.DecoderIdentifier << ")\n";
  out << "PIC:        " << (doc.image.PIC ? std::to_string(doc.image.PIC) : "-") << "\n";
  out << "Protokoll:  " << ProtocolName(doc) << "\n";
  out << "Version:    " << version.str() << "\n";
  out << "ID:         " << doc.image.ID_Text << "\n";
  out << "Config:     " << doc.image.Config[0] << " " << doc.image.Config[1] << " " << doc.image.Config[2] << " "
      << doc.image.Config[3] << "\n";
  bool any = false;
  for (int r = 0; r < kAddressRowCount; ++r) {
    const AddressRow& row = doc.rows[r];
    if (!row.shown() || !row.addressVisible) continue;
    if (!any) out << "\nZeile  Bezeichnung                               Adresse  " << (doc.RG_Mode ? "R/G" : "Funktion") << "\n";
    any = true;
    out << std::setw(5) << r << "  " << std::left << std::setw(40) << row.caption << std::right << "  "
        << std::setw(7) << (row.addressText.empty() ? "-" : row.addressText) << "  ";
    if (doc.RG_Mode) {
      out << (row.RowGreen ? "grün" : "rot");
    } else {
      out << (row.functionText.empty() ? "-" : row.functionText);
    }
    out << "\n";
  }
}

}  // namespace

int CmdInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool json = false, configDefault = false;
  std::string file;
  for (const auto& a : args) {
    if (a == "--json") json = true;
    else if (a == "--config-default") configDefault = true;
    else if (!a.empty() && a[0] == '-') return UsageError(err, "unbekannte Option " + a);
    else if (file.empty()) file = a;
    else return UsageError(err, "nur eine Datei erwartet");
  }
  if (file.empty()) return UsageError(err, "info braucht eine HEX-Datei");
  Session s(&err, configDefault);
  LoadResult r = s.doc.LoadHexFile(file);
  if (r == LoadResult::NotRead) return 2;
  if (json) {
    out << InfoJson(s).dump(2) << "\n";
  } else {
    InfoTable(s, out);
  }
  return r == LoadResult::Loaded ? 0 : 1;
}

}  // namespace korrin::cli
