#include "image/text_file.h"

#include "base/platform.h"

namespace korrin {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
  std::string current;
  bool open = false;  // characters since the last line end
  for (size_t i = start; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      open = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current.push_back(c);
      open = true;
    }
  }
  if (open) lines.push_back(current);
  return lines;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path, std::string* error,
                                                      FileKind kind) {
  auto text = ReadWholeFile(path, error, kind);
  if (!text) return std::nullopt;
  return SplitLines(*text);
}

bool WriteTextLinesSafely(const std::string& path, const std::vector<std::string>& lines,
                          std::string* error,
                          const std::function<std::optional<std::string>(const std::string&)>& verify) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return SaveFileSafely(path, text, error, verify);
}

}  // namespace korrin
