#include "base/file_names.h"

#include <cstdint>
#include <vector>

#include "base/text_encoding.h"

namespace korrin {

namespace {

// The code points of UTF-8 text (as EightBitToUtf8 makes it: always well-formed).
std::vector<uint32_t> CodePoints(const std::string& utf8) {
  std::vector<uint32_t> out;
  for (size_t i = 0; i < utf8.size();) {
    auto b = static_cast<uint8_t>(utf8[i]);
    size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : 4;
    uint32_t cp = len == 1 ? b : len == 2 ? (b & 0x1Fu) : len == 3 ? (b & 0x0Fu) : (b & 0x07u);
    for (size_t k = 1; k < len && i + k < utf8.size(); ++k) cp = (cp << 6) | (static_cast<uint8_t>(utf8[i + k]) & 0x3Fu);
    out.push_back(cp);
    i += len;
  }
  return out;
}

// One letter in upper case (the simple mapping; letters without one stay).
uint32_t Upper(uint32_t c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (c == 0xB5) return 0x39C;                                      // µ -> Greek capital mu
  if ((c >= 0xE0 && c <= 0xFE) && c != 0xF7) return c - 0x20;        // à..þ without ÷
  if (c == 0xFF) return 0x178;                                      // ÿ -> Ÿ
  if (c >= 0x100 && c <= 0x17F) {                                   // Latin Extended-A
    if (c == 0x131) return 'I';                                     // dotless i
    if (c == 0x17F) return 'S';                                     // long s
    if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x178) return c;
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (oddUpper) return (c % 2 == 0) ? c - 1 : c;
    return (c % 2 == 1) ? c - 1 : c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;     // Greek α..ω
  if (c == 0x3C2) return 0x3A3;                                     // final sigma
  if (c >= 0x3AC && c <= 0x3AF) {                                   // ά έ ή ί
    static constexpr uint32_t kTonos[] = {0x386, 0x388, 0x389, 0x38A};
    return kTonos[c - 0x3AC];
  }
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 0x3F;                    // ύ ώ
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;                    // Cyrillic а..я
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;                    // ѐ..џ
  return c;
}

std::string UpperAscii(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

}  // namespace

std::string NameCaseKey(const std::string& name) {
  std::string key;
  for (uint32_t cp : CodePoints(EightBitToUtf8(name))) AppendUtf8(key, Upper(cp));
  return key;
}

std::optional<std::string> WindowsNameProblem(const std::string& name) {
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F) return std::string("Steuerzeichen sind unter Windows nicht erlaubt");
    if (std::string("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string::npos)
      return "das Zeichen '" + std::string(1, static_cast<char>(c)) + "' ist unter Windows nicht erlaubt";
  }
  if (!name.empty() && (name.back() == '.' || name.back() == ' '))
    return std::string("unter Windows endet ein Dateiname nicht auf Punkt oder Leerzeichen");

  // The device names count with any extension ("con.tar.gz") and with blanks before it.
  std::string stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  const std::string upper = UpperAscii(stem);
  bool device = upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL" || upper == "CONIN$" ||
                upper == "CONOUT$";
  if (!device && upper.size() >= 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0)) {
    const std::string digit = upper.substr(3);
    device = (digit.size() == 1 && digit[0] >= '1' && digit[0] <= '9') || digit == "\xC2\xB9" ||
             digit == "\xC2\xB2" || digit == "\xC2\xB3";
  }
  if (device) return EightBitToUtf8(stem) + " ist unter Windows ein Gerätename";
  return std::nullopt;
}

}  // namespace korrin
