#pragma once
// The editors as the command line sees them: settings by key (`set --set`, the plan columns
// of `batch`), their state for `info`, and the decoded comparison. Everything goes through
// the EditorModel interface, so every editor the window has is reached the same way.
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/document.h"
#include "editors/editor_model.h"
#include "editors/setting_keys.h"

namespace korrin::cli {

// The loaded type for messages: "\"Tollet\" (Identifier 8)"; unrecognised files by number.
std::string TypeName(const Document& doc);

// The frame as info --json names it: "options", "blink", "led-blink", "servo", "cv";
// nullptr for none.
const char* FrameKey(FrameKind kind);

// "KEY=VALUE" split at the first '='; nothing when there is no '=' or the key is empty.
std::optional<std::pair<std::string, std::string>> SplitSetting(const std::string& text);

// Where a key comes from. A configuration file holds values only (no action at all); a plan
// holds no key that reads or writes a file; `set --set` takes every key of the editor.
enum class KeySource { Command, Plan, Configuration };

// Why key (as given, parsed into parsed) is refused when it comes from source: unknown to the
// editor of the loaded type (model may be null: the type has none), written in another
// spelling than the editor's, or an action that source may not hold. Nothing when it may be
// set. The key is quoted as a short excerpt.
std::optional<std::string> KeyRefusal(const EditorModel* model, const std::string& typeName, const std::string& key,
                                      const ParsedKey& parsed, KeySource source);

// Sets a key that KeyRefusal let pass. Nothing when the value was taken; an empty text when
// the model refused the value and has shown its own message through the dialogs (that message
// is then the whole report, as in the window).
std::optional<std::string> SetParsedValue(EditorModel* model, const ParsedKey& parsed, const std::string& value);

// Parses key, checks it as a key of `set --set` and sets it: the two above in one.
std::optional<std::string> SetEditorValue(EditorModel* model, const std::string& typeName, const std::string& key,
                                          const std::string& value);

// Writes a pending working copy into the image, as "übernehmen" does before the save.
void ApplyPendingEdits(EditorModel* model);

// The elements of a list setting (by ',' or, perCharacter, by character); one element, the
// whole value, for a plain setting.
std::vector<std::string> SettingElements(const EditorSetting& setting);

// Every setting and action of the editor for `info --json`: {"frame", "settings": {section:
// [{key, caption, value[, element, elements]}]}, "actions": [{key, form, description}]};
// null when the type has no editor.
nlohmann::ordered_json EditorStateJson(const EditorModel* model);

// One line per difference of two decoders' settings, compared by key, in the order of a:
// "CV29: 6 → 38", "Kurve 2, Punkt 7: 120 → 95". A key only one side has shows "(fehlt)".
std::vector<std::string> SettingDifferences(const std::vector<EditorSetting>& a, const std::vector<EditorSetting>& b);

}  // namespace korrin::cli
