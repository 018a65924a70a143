#include "editors/setting_keys.h"

namespace korrin {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::vector<int> NumbersIn(const std::string& key) {
  std::vector<int> numbers;
  for (size_t i = 0; i < key.size();) {
    if (!IsDigit(key[i])) {
      ++i;
      continue;
    }
    long long n = 0;
    while (i < key.size() && IsDigit(key[i])) {
      if (n < 1000000000) n = n * 10 + (key[i] - '0');
      ++i;
    }
    numbers.push_back(static_cast<int>(n < 1000000000 ? n : 1000000000));
  }
  return numbers;
}

}  // namespace

std::optional<std::string> WithoutLeadingZeros(const std::string& key) {
  std::string out;
  out.reserve(key.size());
  bool dropped = false;
  for (size_t i = 0; i < key.size();) {
    if (!IsDigit(key[i])) {
      out += key[i++];
      continue;
    }
    size_t end = i;
    while (end < key.size() && IsDigit(key[end])) ++end;
    size_t first = i;
    while (first + 1 < end && key[first] == '0') ++first;
    dropped = dropped || first != i;
    out.append(key, first, end - first);
    i = end;
  }
  if (!dropped) return std::nullopt;
  return out;
}

SettingKeys::SettingKeys(const EditorModel* model) {
  if (!model) return;
  for (const EditorSetting& s : model->Settings())
    entries_.emplace(s.key, Entry{KeyKind::Setting, s.section, ActionKind::Transform});
  for (const EditorAction& a : model->Actions()) entries_.emplace(a.key, Entry{KeyKind::Action, "", a.kind});
}

ParsedKey SettingKeys::Parse(const std::string& key) const {
  ParsedKey parsed;
  auto found = entries_.find(key);
  if (found == entries_.end()) {
    // Another spelling of a listed key is recognised, to be refused as what it is.
    if (auto plain = WithoutLeadingZeros(key)) {
      found = entries_.find(*plain);
      parsed.otherSpelling = found != entries_.end();
    }
  }
  if (found == entries_.end()) return parsed;
  parsed.kind = found->second.kind;
  parsed.key = found->first;
  parsed.section = found->second.section;
  parsed.action = found->second.action;
  parsed.numbers = NumbersIn(found->first);
  return parsed;
}

}  // namespace korrin
