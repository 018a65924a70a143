#include "base/text_encoding.h"

#include <cstdint>

namespace korrin {

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    auto b = static_cast<uint8_t>(text[i]);
    int extra = 0;
    uint32_t cp = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1;
      cp = b & 0x1Fu;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2;
      cp = b & 0x0Fu;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3;
      cp = b & 0x07u;
    } else {
      return false;
    }
    if (i + static_cast<size_t>(extra) >= text.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      auto c = static_cast<uint8_t>(text[i + static_cast<size_t>(k)]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3Fu);
    }
    static constexpr uint32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += static_cast<size_t>(extra) + 1;
  }
  return true;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

namespace {

bool IsControl(uint32_t cp, bool keepTab) {
  return (cp < 0x20 && !(keepTab && cp == '\t')) || cp == 0x7F || (cp >= 0x80 && cp < 0xA0);
}

std::string ToUtf8(std::string_view text, bool keepTab) {
  std::string out;
  out.reserve(text.size());
  if (IsValidUtf8(text)) {
    // Keep every character; only control characters are replaced.
    size_t i = 0;
    while (i < text.size()) {
      auto b = static_cast<uint8_t>(text[i]);
      size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : 4;
      uint32_t cp = b;
      if (len == 2) cp = ((b & 0x1Fu) << 6) | (static_cast<uint8_t>(text[i + 1]) & 0x3Fu);
      if (IsControl(cp, keepTab))
        AppendUtf8(out, 0xFFFD);
      else
        out.append(text.substr(i, len));
      i += len;
    }
    return out;
  }
  for (char ch : text) {
    auto cp = static_cast<uint8_t>(ch);
    AppendUtf8(out, IsControl(cp, keepTab) ? 0xFFFDu : cp);
  }
  return out;
}

}  // namespace

std::string EightBitToUtf8(std::string_view text) { return ToUtf8(text, true); }

std::string EightBitToUtf8Grid(std::string_view text) { return ToUtf8(text, false); }

}  // namespace korrin
