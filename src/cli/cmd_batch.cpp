// korrin-cli batch and inventory: many decoders at once.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <iomanip>
#include <map>
#include <ostream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "image/text_file.h"

namespace korrin::cli {

namespace fs = std::filesystem;

namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t");
  std::string t = s.substr(b, e - b + 1);
  if (t.size() >= 2 && t.front() == '"' && t.back() == '"') t = t.substr(1, t.size() - 2);
  return t;
}

std::vector<std::string> SplitCells(const std::string& line, char separator) {
  std::vector<std::string> cells;
  std::stringstream in(line);
  std::string cell;
  while (std::getline(in, cell, separator)) cells.push_back(Trim(cell));
  if (!line.empty() && line.back() == separator) cells.push_back("");
  return cells;
}

// An output name must stay inside the output folder.
bool SafeFileName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
         name != "." && name != "..";
}

}  // namespace

int CmdBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files;
  std::string dir;
  bool configDefault = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o") {
      if (i + 1 >= args.size()) return UsageError(err, "-o braucht einen Ordner");
      dir = args[++i];
    } else if (args[i] == "--config-default") {
      configDefault = true;
    } else if (!args[i].empty() && args[i][0] == '-') {
      return UsageError(err, "unbekannte Option " + args[i]);
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2 || dir.empty()) return UsageError(err, "batch braucht VORLAGE.hex PLAN.csv -o ORDNER");
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    err << "error: der Ausgabe-Ordner \"" << dir << "\" existiert nicht\n";
    return 2;
  }
  std::string readError;
  auto plan = ReadTextLines(files[1], &readError);
  if (!plan) {
    err << "error: " << readError << "\n";
    return 2;
  }
  // The template must load on its own; its messages are shown once.
  {
    Session check(&err, configDefault);
    LoadResult r = check.doc.LoadHexFile(files[0]);
    if (r == LoadResult::NotRead) return 2;
    if (r != LoadResult::Loaded) {
      err << "error: die Vorlage wurde nicht vollständig geladen, nichts geschrieben\n";
      return 1;
    }
  }
  size_t headerIndex = 0;
  while (headerIndex < plan->size() && Trim((*plan)[headerIndex]).empty()) ++headerIndex;
  if (headerIndex >= plan->size()) {
    err << "error: der Plan hat keine Kopfzeile\n";
    return 2;
  }
  const std::string& header = (*plan)[headerIndex];
  const char separator = header.find(';') != std::string::npos ? ';' : ',';
  std::vector<std::string> head = SplitCells(header, separator);
  std::vector<int> rowOfColumn(head.size(), -1);
  for (size_t c = 1; c < head.size(); ++c) {
    auto n = ParseRowInteger(head[c]);
    if (!n) {
      err << "error: Kopfzeile, Spalte " << c + 1 << ": \"" << head[c] << "\" ist keine Zeilennummer\n";
      return 2;
    }
    rowOfColumn[c] = *n;
  }

  int written = 0, failed = 0;
  for (size_t i = headerIndex + 1; i < plan->size(); ++i) {
    const int lineNumber = static_cast<int>(i) + 1;
    if (Trim((*plan)[i]).empty()) continue;
    std::vector<std::string> cells = SplitCells((*plan)[i], separator);
    auto fail = [&](const std::string& why) {
      err << "Zeile " << lineNumber << ": " << why << "\n";
      ++failed;
    };
    const std::string name = cells.empty() ? "" : cells[0];
    if (!SafeFileName(name)) {
      fail("ungültiger Dateiname \"" + name + "\"");
      continue;
    }
    if (cells.size() > head.size()) {
      fail("mehr Spalten als in der Kopfzeile");
      continue;
    }
    Session s(nullptr, configDefault);
    s.doc.LoadHexFile(files[0]);
    s.dialogs.messages.clear();
    std::optional<std::string> problem;
    for (size_t c = 1; c < cells.size() && !problem; ++c) {
      if (cells[c].empty()) continue;
      auto edit = ParseRowEdit(cells[c]);
      if (!edit) problem = "\"" + cells[c] + "\" ist keine Zeilen-Angabe";
      else problem = ApplyRowEdit(s.doc, rowOfColumn[c], *edit);
    }
    if (problem) {
      fail(*problem);
      continue;
    }
    const std::string target = (fs::path(dir) / name).string();
    SaveResult saved = s.doc.SaveTo(target);
    if (saved != SaveResult::Saved) {
      std::string why = s.dialogs.messages.empty() ? "nicht gespeichert" : PlainText(s.dialogs.messages.front().text);
      fail(name + ": " + why);
      continue;
    }
    out << target << "\n";
    ++written;
  }
  out << written << " Datei(en) geschrieben, " << failed << " Zeile(n) fehlerhaft\n";
  return failed > 0 ? 1 : 0;
}

int CmdInventory(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string dir, format = "text";
  for (const auto& a : args) {
    if (a == "--json") format = "json";
    else if (a == "--csv") format = "csv";
    else if (!a.empty() && a[0] == '-') return UsageError(err, "unbekannte Option " + a);
    else if (dir.empty()) dir = a;
    else return UsageError(err, "nur ein Ordner erwartet");
  }
  if (dir.empty()) return UsageError(err, "inventory braucht einen Ordner");
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    err << "error: \"" << dir << "\" ist kein Ordner\n";
    return 2;
  }
  std::vector<fs::path> paths;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string ext = it->path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::error_code fec;
    if (it->is_regular_file(fec) && ext == ".hex") paths.push_back(it->path());
  }
  std::sort(paths.begin(), paths.end());

  nlohmann::json decoders = nlohmann::json::array();
  // protocol -> address -> uses (file, caption)
  std::map<std::string, std::map<int, std::vector<std::pair<std::string, std::string>>>> uses;
  for (const auto& p : paths) {
    Session s(nullptr, false);
    LoadResult r = s.doc.LoadHexFile(p.string());
    nlohmann::json d;
    d["file"] = p.filename().string();
    if (r != LoadResult::Loaded) {
      d["loaded"] = false;
      std::string message = s.dialogs.messages.empty() ? "nicht geladen" : PlainText(s.dialogs.messages.front().text);
      // One line per decoder in the listings.
      std::replace(message.begin(), message.end(), '\n', ' ');
      d["message"] = message;
      decoders.push_back(d);
      continue;
    }
    const CatalogueEntry* entry = FindCatalogueEntry(s.doc.DecoderIdentifier);
    d["loaded"] = true;
    d["title"] = entry ? nlohmann::json(entry->title) : nlohmann::json(nullptr);
    d["pic"] = s.doc.image.PIC;
    d["protocol"] = ProtocolName(s.doc);
    d["version"] = std::round(static_cast<double>(s.doc.image.Version) * 100.0) / 100.0;
    nlohmann::json rows = nlohmann::json::array();
    for (int r2 = 0; r2 < kAddressRowCount; ++r2) {
      const AddressRow& row = s.doc.rows[r2];
      if (!row.shown() || !row.addressVisible) continue;
      auto a = ShownNumber(row.addressText);
      rows.push_back({{"row", r2}, {"caption", row.caption}, {"address", a ? nlohmann::json(*a) : nlohmann::json(nullptr)}});
      if (a && *a > 0) uses[ProtocolName(s.doc)][*a].push_back({p.filename().string(), row.caption});
    }
    d["rows"] = rows;
    decoders.push_back(d);
  }
  nlohmann::json duplicates = nlohmann::json::array();
  for (const auto& [protocol, byAddress] : uses) {
    for (const auto& [address, list] : byAddress) {
      std::vector<std::string> distinct;
      for (const auto& u : list)
        if (std::find(distinct.begin(), distinct.end(), u.first) == distinct.end()) distinct.push_back(u.first);
      if (distinct.size() < 2) continue;
      nlohmann::json entry{{"protocol", protocol}, {"address", address}, {"uses", nlohmann::json::array()}};
      for (const auto& u : list) entry["uses"].push_back({{"file", u.first}, {"caption", u.second}});
      duplicates.push_back(entry);
    }
  }

  if (format == "json") {
    out << nlohmann::json{{"decoders", decoders}, {"duplicates", duplicates}}.dump(2) << "\n";
    return 0;
  }
  auto addresses = [](const nlohmann::json& d) {
    std::string s;
    for (const auto& r : d["rows"]) {
      if (!s.empty()) s += " ";
      s += r["address"].is_null() ? "?" : std::to_string(r["address"].get<int>());
    }
    return s;
  };
  if (format == "csv") {
    out << "file;title;pic;protocol;version;addresses;message\n";
    for (const auto& d : decoders) {
      if (!d["loaded"].get<bool>()) {
        out << d["file"].get<std::string>() << ";;;;;;" << d["message"].get<std::string>() << "\n";
        continue;
      }
      std::ostringstream v;
      v << std::fixed << std::setprecision(2) << d["version"].get<double>();
      out << d["file"].get<std::string>() << ";" << (d["title"].is_null() ? "" : d["title"].get<std::string>()) << ";"
          << d["pic"].get<int>() << ";" << d["protocol"].get<std::string>() << ";" << v.str() << ";" << addresses(d)
          << ";\n";
    }
    return 0;
  }
  for (const auto& d : decoders) {
    if (!d["loaded"].get<bool>()) {
      out << d["file"].get<std::string>() << ": nicht geladen: " << d["message"].get<std::string>() << "\n";
      continue;
    }
    out << d["file"].get<std::string>() << ": " << (d["title"].is_null() ? "(nicht erkannt)" : d["title"].get<std::string>())
        << ", PIC " << d["pic"].get<int>() << ", " << d["protocol"].get<std::string>() << ", Adressen: " << addresses(d)
        << "\n";
  }
  if (!duplicates.empty()) out << "\nMehrfach belegte Adressen:\n";
  for (const auto& dup : duplicates) {
    out << dup["protocol"].get<std::string>() << " " << dup["address"].get<int>() << ":";
    for (const auto& u : dup["uses"])
      out << " " << u["file"].get<std::string>() << " <" << u["caption"].get<std::string>() << ">";
    out << "\n";
  }
  return 0;
}

}  // namespace korrin::cli
