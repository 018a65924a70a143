#include "cli/editor_settings.h"

#include <algorithm>
#include <map>

#include "base/text_encoding.h"
#include "base/text_excerpt.h"

namespace korrin::cli {

std::string TypeName(const Document& doc) {
  const DecoderType* entry = FindDecoderType(doc.DecoderIdentifier);
  const std::string number = "Identifier " + std::to_string(doc.DecoderIdentifier);
  return entry ? "\"" + std::string(entry->title) + "\" (" + number + ")" : "nicht erkannter Typ (" + number + ")";
}

const char* FrameKey(FrameKind kind) {
  switch (kind) {
    case FrameKind::Options: return "options";
    case FrameKind::Blink: return "blink";
    case FrameKind::LedBlink: return "led-blink";
    case FrameKind::Servo: return "servo";
    case FrameKind::Cv: return "cv";
    case FrameKind::None: break;
  }
  return nullptr;
}

std::optional<std::pair<std::string, std::string>> SplitSetting(const std::string& text) {
  size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0) return std::nullopt;
  return std::make_pair(text.substr(0, eq), text.substr(eq + 1));
}

std::optional<std::string> KeyRefusal(const EditorModel* model, const std::string& typeName, const std::string& key,
                                      const ParsedKey& parsed, KeySource source) {
  const std::string shownKey = QuotedExcerpt(key);
  if (!model) return "Der Dekoder-Typ " + typeName + " hat keinen Editor, also auch keine Einstellung " + shownKey;
  if (parsed.kind == KeyKind::Unknown) return "Unbekannter Schlüssel " + shownKey + " für den Dekoder-Typ " + typeName;
  const std::string named = parsed.otherSpelling ? shownKey + " (" + parsed.key + ")" : shownKey;
  if (parsed.kind == KeyKind::Action && source == KeySource::Configuration)
    return "Schlüssel " + named + " ist eine Aktion, keine Einstellung; eine Konfiguration enthält nur Werte";
  if (parsed.touchesFile() && source == KeySource::Plan)
    return "Schlüssel " + named + " liest oder schreibt eine Datei; ein Plan enthält nur Werte";
  if (parsed.otherSpelling)
    return "Schlüssel " + shownKey + ": Zahlen in Schlüsseln stehen ohne führende Null, also \"" + parsed.key + "\"";
  return std::nullopt;
}

std::optional<std::string> SetParsedValue(EditorModel* model, const ParsedKey& parsed, const std::string& value) {
  switch (model->Set(parsed.key, value)) {
    case SetOutcome::Done: return std::nullopt;
    case SetOutcome::Refused: return std::string();
    case SetOutcome::UnknownKey: break;
  }
  // The editor listed the key but does not take it: a fault of the editor, reported as such.
  return "Der Schlüssel " + QuotedExcerpt(parsed.key) + " wird vom Editor nicht angenommen";
}

std::optional<std::string> SetEditorValue(EditorModel* model, const std::string& typeName, const std::string& key,
                                          const std::string& value) {
  const ParsedKey parsed = SettingKeys(model).Parse(key);
  if (auto why = KeyRefusal(model, typeName, key, parsed, KeySource::Command)) return why;
  return SetParsedValue(model, parsed, value);
}

void ApplyPendingEdits(EditorModel* model) {
  if (model && model->hasPendingChanges()) model->applyPendingChanges();
}

std::vector<std::string> SettingElements(const EditorSetting& setting) {
  std::vector<std::string> elements;
  if (setting.element.empty()) {
    elements.push_back(setting.value);
  } else if (setting.perCharacter) {
    for (char c : setting.value) elements.emplace_back(1, c);
  } else if (!setting.value.empty()) {
    size_t start = 0;
    while (true) {
      size_t comma = setting.value.find(',', start);
      elements.push_back(setting.value.substr(start, comma - start));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
  }
  return elements;
}

nlohmann::ordered_json EditorStateJson(const EditorModel* model) {
  if (!model) return nullptr;
  nlohmann::ordered_json state;
  const char* frame = FrameKey(model->kind());
  state["frame"] = frame ? nlohmann::ordered_json(frame) : nlohmann::ordered_json(nullptr);
  nlohmann::ordered_json settings = nlohmann::ordered_json::object();
  for (const EditorSetting& s : model->Settings()) {
    nlohmann::ordered_json one{{"key", s.key}, {"caption", EightBitToUtf8(s.caption)}, {"value", EightBitToUtf8(s.value)}};
    if (!s.element.empty()) {
      one["element"] = s.element;
      nlohmann::ordered_json elements = nlohmann::ordered_json::array();
      for (const auto& e : SettingElements(s)) elements.push_back(EightBitToUtf8(e));
      one["count"] = elements.size();
      one["elements"] = elements;
    }
    settings[s.section].push_back(one);
  }
  state["settings"] = settings;
  nlohmann::ordered_json actions = nlohmann::ordered_json::array();
  for (const EditorAction& a : model->Actions())
    actions.push_back({{"key", a.key}, {"form", a.valueForm}, {"description", a.description}});
  state["actions"] = actions;
  return state;
}

std::vector<std::string> SettingDifferences(const std::vector<EditorSetting>& a, const std::vector<EditorSetting>& b) {
  static const std::string kMissing = "(fehlt)";
  std::vector<std::string> lines;
  std::map<std::string, const EditorSetting*> byKey;
  for (const auto& s : b) byKey.emplace(s.key, &s);
  auto shown = [](const std::string& v) { return v.empty() ? std::string("(leer)") : EightBitToUtf8(v); };
  for (const EditorSetting& x : a) {
    auto found = byKey.find(x.key);
    if (found == byKey.end()) {
      lines.push_back(x.caption + ": " + shown(x.value) + " → " + kMissing);
      continue;
    }
    const EditorSetting& y = *found->second;
    byKey.erase(found);
    if (x.value == y.value) continue;
    if (x.element.empty()) {
      lines.push_back(x.caption + ": " + shown(x.value) + " → " + shown(y.value));
      continue;
    }
    const auto ex = SettingElements(x), ey = SettingElements(y);
    for (size_t i = 0; i < std::max(ex.size(), ey.size()); ++i) {
      const std::string vx = i < ex.size() ? shown(ex[i]) : kMissing;
      const std::string vy = i < ey.size() ? shown(ey[i]) : kMissing;
      if (vx != vy) lines.push_back(x.caption + ", " + x.element + " " + std::to_string(i + 1) + ": " + vx + " → " + vy);
    }
  }
  for (const EditorSetting& y : b)
    if (byKey.count(y.key)) lines.push_back(y.caption + ": " + kMissing + " → " + shown(y.value));
  return lines;
}

}  // namespace korrin::cli
