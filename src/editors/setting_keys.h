#pragma once
// Setting keys turned into what they mean, once, for every way a key reaches an editor: `set
// --set`, the sections of a configuration file and the columns of a batch plan. The keys an
// editor lists (its settings and its actions) are the only spellings there are; a key that
// differs from one of them only by leading zeros in a number ("kurve01.speichern") is still
// recognised for what it is, so that it is refused as that kind, and never reaches the editor.
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "editors/editor_model.h"

namespace korrin {

enum class KeyKind {
  Setting,  // a stored value
  Action,   // a generator, transform, copy or file action
  Unknown,  // nothing of the loaded decoder's editor
};

struct ParsedKey {
  KeyKind kind = KeyKind::Unknown;
  std::string key;       // the spelling the editor lists; empty when unknown
  std::string section;   // a setting's configuration section
  ActionKind action = ActionKind::Transform;  // an action's kind
  std::vector<int> numbers;                   // the numbers in the key: "kurve2.punkte" {2}
  // The key was written in another spelling than the editor's own (a number with leading
  // zeros). Such a key is refused everywhere; key tells the right spelling.
  bool otherSpelling = false;

  bool touchesFile() const {
    return kind == KeyKind::Action && (action == ActionKind::ReadFile || action == ActionKind::WriteFile);
  }
};

// The keys of one loaded decoder's editor, read once from its settings and actions (they stay
// the same while the decoder is loaded). model may be null: every key is then unknown.
class SettingKeys {
 public:
  explicit SettingKeys(const EditorModel* model);
  ParsedKey Parse(const std::string& key) const;

 private:
  struct Entry {
    KeyKind kind;
    std::string section;
    ActionKind action;
  };
  std::unordered_map<std::string, Entry> entries_;
};

// The key with every number written without leading zeros ("kurve01.x007" -> "kurve1.x7");
// nothing when it has no leading zero to drop.
std::optional<std::string> WithoutLeadingZeros(const std::string& key);

}  // namespace korrin
