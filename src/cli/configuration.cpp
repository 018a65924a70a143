#include "cli/configuration.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <unordered_set>

#include "base/text_encoding.h"
#include "base/text_excerpt.h"
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
  return out;
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

// "Konfiguration, /cvs/cv29: " — where a refusal is, the pointer cut short when a key is long.
std::string At(const std::string& pointer) {
  return "Konfiguration, " + (pointer.empty() ? std::string("/") : Excerpt(pointer, 2 * kExcerptBytes)) + ": ";
}

ConfigurationFailure Malformed(const std::string& pointer, const std::string& what) { return {2, At(pointer) + what}; }

}  // namespace

Json ExportConfiguration(const Document& doc, const EditorModel* model) {
  Json j;
  j["format"] = kConfigurationFormat;
  j["version"] = kConfigurationVersion;
  j["identifier"] = doc.DecoderIdentifier;
  const DecoderType* entry = FindDecoderType(doc.DecoderIdentifier);
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
    for (const EditorSetting& s : model->Settings())
      if (s.enterable) j[s.section][s.key] = EightBitToUtf8(s.value);
  }
  return j;
}

namespace {

// Builds the JSON value of a configuration as nlohmann's own parser would, with two
// differences: a key that appears twice in one object stops the parse (nlohmann keeps the last
// silently), and the members of an object are appended without a search (an ordered object
// looks every new key up among all before it, which made large files quadratic).
class ConfigurationBuilder : public nlohmann::json_sax<Json> {
 public:
  Json root;
  std::string duplicate;  // the JSON pointer of a repeated key
  std::string duplicateKey;
  size_t errorByte = 0;
  std::string errorText;

  bool null() override { return Place(Json(nullptr)); }
  bool boolean(bool v) override { return Place(Json(v)); }
  bool number_integer(number_integer_t v) override { return Place(Json(v)); }
  bool number_unsigned(number_unsigned_t v) override { return Place(Json(v)); }
  bool number_float(number_float_t v, const string_t&) override { return Place(Json(v)); }
  bool string(string_t& v) override { return Place(Json(std::move(v))); }
  bool binary(binary_t& v) override { return Place(Json::binary(std::move(v))); }
  bool start_object(std::size_t) override { return Open(Json::object()); }
  bool start_array(std::size_t) override { return Open(Json::array()); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }
  bool key(string_t& k) override {
    Level& level = levels_.back();
    if (!level.keys.insert(k).second) {
      duplicate = PointerHere() + "/" + PointerToken(k);
      duplicateKey = k;
      return false;
    }
    level.key = std::move(k);
    return true;
  }
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e) override {
    errorByte = position;
    errorText = e.what();
    return false;
  }

 private:
  struct Level {
    Json* value;
    std::unordered_set<std::string> keys;
    std::string key;  // the member being read (objects)
  };
  std::vector<Level> levels_;

  // The pointer of the value being read now.
  std::string PointerHere() const {
    std::string pointer;
    for (size_t i = 0; i < levels_.size(); ++i) {
      if (i + 1 == levels_.size()) break;
      const Json& v = *levels_[i].value;
      pointer += "/" + (v.is_array() ? std::to_string(v.size() - 1) : PointerToken(levels_[i].key));
    }
    return pointer;
  }

  Json* Append(Json&& v) {
    if (levels_.empty()) {
      root = std::move(v);
      return &root;
    }
    Level& level = levels_.back();
    if (level.value->is_array()) {
      auto& array = level.value->get_ref<Json::array_t&>();
      array.push_back(std::move(v));
      return &array.back();
    }
    auto& members = static_cast<std::vector<std::pair<const std::string, Json>>&>(level.value->get_ref<Json::object_t&>());
    members.emplace_back(level.key, std::move(v));
    return &members.back().second;
  }
  bool Place(Json&& v) {
    Append(std::move(v));
    return true;
  }
  bool Open(Json&& v) {
    levels_.push_back({Append(std::move(v)), {}, {}});
    return true;
  }
  bool Close() {
    levels_.pop_back();
    return true;
  }
};

}  // namespace

std::optional<Json> ParseConfiguration(const std::string& text, std::string* error) {
  // The SAX parse throws nothing (the WebAssembly build has no exceptions): a fault reaches
  // parse_error or the duplicate check and ends the parse.
  ConfigurationBuilder builder;
  if (Json::sax_parse(text, &builder)) return std::move(builder.root);
  if (error) {
    if (!builder.duplicate.empty())
      *error = At(builder.duplicate) + "der Schlüssel " + QuotedExcerpt(builder.duplicateKey) +
               " steht zweimal im selben Objekt";
    else
      *error = "Konfiguration ist kein gültiges JSON (Byte " + std::to_string(builder.errorByte) +
               "): " + Excerpt(builder.errorText, 160);
  }
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
    const DecoderType* entry = identifier >= INT32_MIN && identifier <= INT32_MAX
                                   ? FindDecoderType(static_cast<int32_t>(identifier))
                                   : nullptr;
    const std::string number = "Identifier " + std::to_string(identifier);
    if (entry) theirs = "\"" + std::string(entry->title) + "\" (" + number + ")";
    else if (config.contains("title") && config["title"].is_string())
      theirs = QuotedExcerpt(config["title"].get<std::string>()) + " (" + number + ")";
    else theirs = "nicht erkannter Typ (" + number + ")";
    return ConfigurationFailure{1, "Die Konfiguration gehört zum Dekoder-Typ " + theirs + ", die Datei ist ein " +
                                       TypeName(doc) + "; nichts geändert"};
  }

  // --- the settings: every key checked before any is set, then set in the editor's order ----
  struct Pending {
    std::string section, given, pointer;
    ParsedKey key;
    std::string value;
  };
  const std::string typeName = TypeName(doc);
  const SettingKeys keys(model);
  std::unordered_map<std::string, Pending> given;  // by the editor's key
  std::vector<std::string> fileOrder;
  for (const char* section : kSections) {
    if (!config.contains(section)) continue;
    for (auto m = config[section].begin(); m != config[section].end(); ++m) {
      const std::string pointer = std::string("/") + section + "/" + PointerToken(m.key());
      const ParsedKey key = keys.Parse(m.key());
      if (auto why = KeyRefusal(model, typeName, m.key(), key, KeySource::Configuration))
        return ConfigurationFailure{key.kind == KeyKind::Action ? 2 : 1, At(pointer) + *why};
      if (key.section != section)
        return Malformed(pointer, "der Schlüssel " + QuotedExcerpt(m.key()) + " gehört in den Abschnitt " + key.section);
      fileOrder.push_back(key.key);
      given.emplace(key.key, Pending{section, m.key(), pointer, key, *ValueText(*m)});
    }
  }
  // --- the rows --------------------------------------------------------------------------------
  if (config.contains("rows")) {
    const Json& all = config["rows"];
    for (size_t i = 0; i < all.size(); ++i) {
      const Json& row = all[i];
      RowEdit edit;
      if (row.contains("address")) edit.address = *ValueText(row["address"]);
      if (row.contains("green")) edit.green = row["green"].get<bool>();
      if (row.contains("function")) edit.function = *ValueText(row["function"]);
      const auto n = row["row"].get<int64_t>();
      const int index = n < 0 || n >= kAddressRowCount ? -1 : static_cast<int>(n);
      if (auto why = ApplyRowEdit(doc, index, edit)) {
        if (index < 0) why = "Zeile " + std::to_string(n) + " gibt es bei diesem Dekoder nicht";
        return ConfigurationFailure{1, At("/rows/" + std::to_string(i)) + *why};
      }
    }
  }

  std::vector<const Pending*> edits;
  if (model) {
    for (const EditorSetting& s : model->Settings())
      if (auto g = given.find(s.key); g != given.end()) edits.push_back(&g->second);
  }
  // The editor lists every key it takes, so nothing is left over; the file's order stays the
  // rule for anything an editor might take without listing it.
  if (edits.size() != given.size()) {
    std::unordered_set<const Pending*> listed(edits.begin(), edits.end());
    for (const auto& key : fileOrder)
      if (const Pending* p = &given.at(key); !listed.count(p)) edits.push_back(p);
  }
  // A value the decoder already holds is left alone: the frame would show it unchanged, and a
  // stored value outside the range a user may type (an erased cell) must not stop the rest.
  std::unordered_map<std::string, std::string> current;
  if (model)
    for (const EditorSetting& s : model->Settings()) current.emplace(s.key, s.value);
  auto set = [&](const Pending& e) -> std::optional<ConfigurationFailure> {
    if (auto why = SetParsedValue(model, e.key, e.value)) {
      if (why->empty())
        why = "der Wert " + QuotedExcerpt(e.value) + " für " + QuotedExcerpt(e.given) + " wurde nicht übernommen";
      return ConfigurationFailure{1, At(e.pointer) + *why};
    }
    return std::nullopt;
  };
  for (const Pending* e : edits) {
    if (auto c = current.find(e->key.key); c != current.end() && c->second == e->value) continue;
    if (auto failure = set(*e)) return failure;
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
