#pragma once
// The configuration file of `export` and `apply`: the whole configuration of one decoder as
// JSON (address rows and every editor setting by section), and the way back into a loaded
// document through the same edits `set` makes.
//
// {"format": "korrin-konfiguration", "version": 1, "identifier": 8, "title": "Tollet",
//  "rows": [{"row": 1, "address": 44, "green": true}, {"row": 2, "address": 7, "function": 3}],
//  "cvs": {"cv29": "6"}, "options": {...}, "patterns": {...}, "curves": {...},
//  "assignments": {...}}
// Values are written as the text `set --set` takes; apply also takes integers and true/false
// (as 1/0). Every member but format, version and identifier may be left out. Action keys (a
// generator, a copy, a file to load) are no settings and are refused.
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "app/document.h"
#include "editors/editor_model.h"

namespace korrin::cli {

extern const char* const kConfigurationFormat;
constexpr int kConfigurationVersion = 1;

// The configuration of the loaded decoder; model is the editor of its type (may be null).
nlohmann::ordered_json ExportConfiguration(const Document& doc, const EditorModel* model);

struct ConfigurationFailure {
  int status;        // 2: the file is no configuration of this form; 1: an edit was refused
  std::string text;  // German; empty when the editor refused a value with its own message
};

// Checks the whole configuration first (form, version, type, the kind of every value, named
// by its JSON pointer), then applies the rows and the settings in the editor's own order (keys
// the editor does not list follow in the file's order); a value the decoder already holds is
// left alone. Nothing when everything was taken.
// The caller applies pending working copies and saves.
std::optional<ConfigurationFailure> ApplyConfiguration(Document& doc, EditorModel* model,
                                                       const nlohmann::ordered_json& config);

// Parses the text of a configuration file; a parse error names its byte position.
std::optional<nlohmann::ordered_json> ParseConfiguration(const std::string& text, std::string* error);

}  // namespace korrin::cli
