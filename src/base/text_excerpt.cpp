#include "base/text_excerpt.h"

namespace korrin {

namespace {

std::string Shown(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return out;
}

// The first bytes of text up to limit, shortened so that a UTF-8 sequence is not cut.
std::string_view Head(std::string_view text, std::size_t limit) {
  std::size_t end = limit;
  // A continuation byte (10xxxxxx) at the cut belongs to a sequence begun before it.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace

std::string Excerpt(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return Shown(text);
  return Shown(Head(text, limit)) + "… (" + std::to_string(text.size()) + " Bytes)";
}

std::string QuotedExcerpt(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return "\"" + Shown(text) + "\"";
  return "\"" + Shown(Head(text, limit)) + "…\" (" + std::to_string(text.size()) + " Bytes)";
}

}  // namespace korrin
