#include "cli/configuration.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "base/text_encoding.h"
#include "cli/cli_session.h"
#include "cli/editor_settings.h"

namespace korrin::cli {

const char* const kConfigurationFormat = "korrin-konfiguration";

namespace {

using Json = nlohmann::ordered_json;

const std::array<const char*, 5> kSections = {"cvs", "options", "patterns", "curves", "assignments"};

bool IsSection(const std::string& name) {
  return std::find(kSections.begin(), kSections.end(), name) != kSections.end();
}

// A JSON pointer token: '~' and '/' escaped as RFC 6901 says.
std::string PointerToken(const std::string& key) {
  std::string out;
  for (char c : key) {
    if (c == '~') out += "~0";
    else if (c == '/') out += "~1";
    else out += c;
  }
  return EightBitToUtf8(out);
}

// The number or text of a row's edit as the configuration holds it.
Json RowValue(const std::string& text) {
  if (auto n = ShownNumber(text)) return *n;
  return EightBitToUtf8(text);
}

// A value of a row or a setting as the text `set` takes; nothing for any other kind.
std::optional<std::string> ValueText(const Json& v) {
  if (v.is_string()) return v.get<std::string>();
  if (v.is_boolean()) return std::string(v.get<bool>() ? "1" : "0");
  if (v.is_number_integer()) return v.is_number_unsigned() ? std::to_string(v.get<uint64_t>()) : std::to_string(v.get<int64_t>());
  return std::nullopt;
}

ConfigurationFailure Malformed(const std::string& pointer, const std::string& what) {
  return {2, "Konfiguration, " + (pointer.empty() ? std::string("/") : pointer) + ": " + what};
}

}  // namespace

Json ExportConfiguration(const Document& doc, const EditorModel* model) {
  Json j;
  j["format"] = kConfigurationFormat;
  j["version"] = kConfigurationVersion;
  j["identifier"] = doc.DecoderIdentifier;
  const CatalogueEntry* entry = FindCatalogueEntry(doc.DecoderIdentifier);
  j["title"] = entry ? Json(entry->title) : Json(nullptr);
  Json rows = Json::array();
  for (int r = 0; r < kAddressRowCount; ++r) {
    const AddressRow& row = doc.rows[r];
    if (!row.shown() || !row.addressVisible) continue;
    Json o{{"row", r}, {"address", RowValue(row.addressText)}};
    if (doc.RG_Mode) o["green"] = row.RowGreen;
    else if (row.functionVisible && !row.functionText.empty()) o["function"] = RowValue(row.functionText);
    rows.push_back(o);
  }
  j["rows"] = rows;
  if (model) {
    for (const EditorSetting& s : model->Settings()) j[s.section][s.key] = EightBitToUtf8(s.value);
  }
  return j;
}

namespace {

// Walks a text as JSON and only notes where it fails: nlohmann reports a number too large for
// any type (1e999) as out_of_range without a position, but its parser hands the position to
// the SAX interface for every kind of error.
struct ErrorPosition : nlohmann::json_sax<Json> {
  size_t byte = 0;
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return true; }
  bool key(string_t&) override { return true; }
  bool end_object() override { return true; }
  bool start_array(std::size_t) override { return true; }
  bool end_array() override { return true; }
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e) override {
    byte = position;
    message = e.what();
    return false;
  }
  std::string message;  // the parser's own words
};

}  // namespace

std::optional<Json> ParseConfiguration(const std::string& text, std::string* error) {
  // Without exceptions (the WebAssembly build has none): a text that does not parse is
  // walked once more to learn where and why.
  Json parsed = Json::parse(text, nullptr, false);
  if (!parsed.is_discarded()) return parsed;
  ErrorPosition where;
  Json::sax_parse(text, &where);
  if (error) *error = "Konfiguration ist kein gültiges JSON (Byte " + std::to_string(where.byte) + "): " + where.message;
  return std::nullopt;
}

std::optional<ConfigurationFailure> ApplyConfiguration(Document& doc, EditorModel* model, const Json& config) {
  // --- the form, checked whole before anything changes ---------------------------------------
  if (!config.is_object()) return Malformed("", "erwartet ein JSON-Objekt");
  if (!config.contains("format") || config["format"] != kConfigurationFormat)
    return Malformed("/format", std::string("erwartet \"") + kConfigurationFormat + "\"");
  if (!config.contains("version") || !config["version"].is_number_integer())
    return Malformed("/version", "erwartet eine ganze Zahl");
  if (config["version"] != kConfigurationVersion)
    return Malformed("/version", "Version " + config["version"].dump() + " wird nicht unterstützt (nur " +
                                     std::to_string(kConfigurationVersion) + ")");
  if (!config.contains("identifier") || !config["identifier"].is_number_integer())
    return Malformed("/identifier", "erwartet eine ganze Zahl");
  for (auto it = config.begin(); it != config.end(); ++it) {
    const std::string& name = it.key();
    const std::string pointer = "/" + PointerToken(name);
    if (name == "format" || name == "version" || name == "identifier") continue;
    if (name == "title") {
      if (!it->is_string() && !it->is_null()) return Malformed(pointer, "erwartet einen Text");
    } else if (name == "rows") {
      if (!it->is_array()) return Malformed(pointer, "erwartet eine Liste von Zeilen");
      for (size_t i = 0; i < it->size(); ++i) {
        const Json& row = (*it)[i];
        const std::string at = pointer + "/" + std::to_string(i);
        if (!row.is_object()) return Malformed(at, "erwartet ein Objekt mit row, address, green oder function");
        for (auto m = row.begin(); m != row.end(); ++m) {
          const std::string& field = m.key();
          const std::string fieldAt = at + "/" + PointerToken(field);
          if (field == "row") {
            if (!m->is_number_integer()) return Malformed(fieldAt, "erwartet eine Zeilennummer");
          } else if (field == "address" || field == "function") {
            if (!m->is_string() && !m->is_number_integer()) return Malformed(fieldAt, "erwartet eine Zahl oder einen Text");
          } else if (field == "green") {
            if (!m->is_boolean()) return Malformed(fieldAt, "erwartet true oder false");
          } else {
            return Malformed(fieldAt, "unbekanntes Feld");
          }
        }
        if (!row.contains("row")) return Malformed(at, "die Zeilennummer (row) fehlt");
      }
    } else if (IsSection(name)) {
      if (!it->is_object()) return Malformed(pointer, "erwartet ein Objekt aus Schlüssel und Wert");
      for (auto m = it->begin(); m != it->end(); ++m)
        if (!ValueText(*m)) return Malformed(pointer + "/" + PointerToken(m.key()), "erwartet einen Text, eine ganze Zahl oder true/false");
    } else {
      return Malformed(pointer, "unbekannter Abschnitt");
    }
  }

  // --- the type ------------------------------------------------------------------------------
  const auto identifier = config["identifier"].get<int64_t>();
  if (identifier != doc.DecoderIdentifier) {
    std::string theirs;
    const CatalogueEntry* entry = identifier >= INT32_MIN && identifier <= INT32_MAX
                                      ? FindCatalogueEntry(static_cast<int32_t>(identifier))
                                      : nullptr;
    const std::string number = "Identifier " + std::to_string(identifier);
    if (entry) theirs = "\"" + entry->title + "\" (" + number + ")";
    else if (config.contains("title") && config["title"].is_string())
      theirs = "\"" + EightBitToUtf8(config["title"].get<std::string>()) + "\" (" + number + ")";
    else theirs = "nicht erkannter Typ (" + number + ")";
    return ConfigurationFailure{1, "Die Konfiguration gehört zum Dekoder-Typ " + theirs + ", die Datei ist ein " +
                                       TypeName(doc) + "; nichts geändert"};
  }

  // --- the rows --------------------------------------------------------------------------------
  if (config.contains("rows")) {
    for (const Json& row : config["rows"]) {
      RowEdit edit;
      if (row.contains("address")) edit.address = *ValueText(row["address"]);
      if (row.contains("green")) edit.green = row["green"].get<bool>();
      if (row.contains("function")) edit.function = *ValueText(row["function"]);
      const auto n = row["row"].get<int64_t>();
      const int index = n < 0 || n >= kAddressRowCount ? -1 : static_cast<int>(n);
      if (auto why = ApplyRowEdit(doc, index, edit)) {
        if (index < 0) why = "Zeile " + std::to_string(n) + " gibt es bei diesem Dekoder nicht";
        return ConfigurationFailure{1, *why};
      }
    }
  }

  // --- the settings, in the editor's order -------------------------------------------------------
  struct Pending {
    std::string section, key, value;
  };
  std::vector<Pending> edits;
  std::map<std::string, std::string> sectionOfKey;
  std::vector<std::string> order;
  std::set<std::string> actions;
  if (model) {
    for (const EditorSetting& s : model->Settings()) {
      sectionOfKey.emplace(s.key, s.section);
      order.push_back(s.key);
    }
    for (const EditorAction& a : model->Actions()) actions.insert(a.key);
  }
  std::map<std::string, Pending> given;
  std::vector<std::string> unlisted;
  for (const char* section : kSections) {
    if (!config.contains(section)) continue;
    for (auto m = config[section].begin(); m != config[section].end(); ++m) {
      auto known = sectionOfKey.find(m.key());
      if (known != sectionOfKey.end() && known->second != section)
        return Malformed(std::string("/") + section + "/" + PointerToken(m.key()),
                         "der Schlüssel gehört in den Abschnitt " + known->second);
      // A configuration holds values only: no generator, no copy, and no file to be read.
      if (actions.count(m.key()))
        return Malformed(std::string("/") + section + "/" + PointerToken(m.key()),
                         "ist eine Aktion (set --set), keine Einstellung");
      if (known == sectionOfKey.end()) unlisted.push_back(m.key());
      given[m.key()] = Pending{section, m.key(), *ValueText(*m)};
    }
  }
  for (const auto& key : order)
    if (auto g = given.find(key); g != given.end()) edits.push_back(g->second);
  for (const auto& key : unlisted) edits.push_back(given[key]);
  // A value the decoder already holds is left alone: the frame would show it unchanged, and a
  // stored value outside the range a user may type (an erased cell) must not stop the rest.
  std::map<std::string, std::string> current;
  if (model)
    for (const EditorSetting& s : model->Settings()) current.emplace(s.key, s.value);
  const std::string typeName = TypeName(doc);
  auto set = [&](const Pending& e) -> std::optional<ConfigurationFailure> {
    if (auto why = SetEditorValue(model, typeName, e.key, e.value)) {
      if (!why->empty()) *why = "/" + e.section + "/" + PointerToken(e.key) + ": " + *why;
      return ConfigurationFailure{1, *why};
    }
    return std::nullopt;
  };
  for (const Pending& e : edits) {
    if (auto c = current.find(e.key); c != current.end() && c->second == e.value) continue;
    if (auto failure = set(e)) return failure;
  }
  // An earlier edit may have changed a value that was skipped as unchanged (a point count
  // lengthens the pattern rows): whatever still differs is set once more.
  if (model && !edits.empty())
    for (const EditorSetting& s : model->Settings())
      if (auto g = given.find(s.key); g != given.end() && g->second.value != s.value)
        if (auto failure = set(g->second)) return failure;
  return std::nullopt;
}

}  // namespace korrin::cli
