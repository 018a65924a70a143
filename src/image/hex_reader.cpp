#include "image/hex_reader.h"

#include <algorithm>
#include <initializer_list>

#include "base/text_encoding.h"
#include "image/format.h"
#include "image/pic_types.h"

namespace korrin {

namespace {

// The characters at 1-based position pos, at most len of them; fewer (or none) when the line
// ends earlier. Never reads outside the text.
std::string At(const std::string& line, size_t pos, size_t len) {
  if (pos == 0 || pos - 1 >= line.size()) return std::string();
  return line.substr(pos - 1, len);
}

std::string UpperAscii(const std::string& text) {
  std::string out = text;
  for (auto& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Fills the %s and %x placeholders of a message in order with ready-made texts. Done by hand
// rather than with printf so that a line holding '%' characters is shown as it is. The texts
// come from the file, which may hold any byte: each is made UTF-8 here (control characters,
// NUL included, become a replacement character), so every message is valid UTF-8.
std::string Fill(const char* tmpl, std::initializer_list<std::string> args) {
  std::string out;
  auto next = args.begin();
  for (const char* p = tmpl; *p; ++p) {
    if (p[0] == '%' && (p[1] == 's' || p[1] == 'x') && next != args.end()) {
      out += EightBitToUtf8(*next++);
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

// A text read as a decimal number: one or more digits and nothing else.
bool DecimalValue(const std::string& text, int& value) {
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

constexpr const char* kE2000 = "E2000 - DATA: Überschreitung ROM-Adressbereich";
constexpr const char* kE2001 =
    "E2001 - DATA: Speicher-Überschreitung für ROM HEX Array: Zu viele Daten";
constexpr const char* kE201 =
    "E201: Unerwartete DATA Zeile:\n%s\n\nRECLEN (Identifier 1): %s\nLOAD OFFSET (Identifier 2): "
    "%s %s\nRECTYP (Identifier 3): %s\nAdresse 0x%x";
constexpr const char* kE202 =
    "E202: Unerwarteter End File Record:\n%s\n\nRECLEN (Identifier 1): %s\nLOAD OFFSET "
    "(Identifier 2): %s %s\nRECTYP (Identifier 3): %s";
constexpr const char* kE203 =
    "E203: Unerwartete Zeile im File:\n%s\n\nRECLEN (Identifier 1): %s\nLOAD OFFSET (Identifier "
    "2): %s %s\nRECTYP (Identifier 3): %s";
constexpr const char* kE204 =
    "E204: Unerwartete Zeile im File:\n%s\n\nRECLEN (Identifier 1): %s\nLOAD OFFSET (Identifier "
    "2): %s %s\nRECTYP (Identifier 3): %s";
constexpr const char* kE205 =
    "E205: Unerwarteter Extendet Linear Address Record:\n%s\n\nRECLEN (Identifier 1): "
    "%s\nLOAD OFFSET (Identifier 2): %s %s\nRECTYP (Identifier 3): %s";
constexpr const char* kE206 =
    "E206: Unerwartete Zeile im File:\n%s\n\nRECLEN (Identifier 1): %s\nLOAD OFFSET (Identifier "
    "2): %s %s\nRECTYP (Identifier 3): %s";
// A version digit that is not a decimal digit ends the load at that line.
constexpr const char* kBadVersion =
    "Die Versionsnummer in der ID-Zeile ist ungültig: '%s' ist keine Dezimalzahl.\r"
    "Zeile: %s\rDas Laden wurde an dieser Stelle abgebrochen.";

struct Fields {
  std::string line, reclen, high, low, rectyp;
};

bool RecordError(Dialogs& dialogs, const char* tmpl, const Fields& f) {
  dialogs.show(BoxKind::Information, Fill(tmpl, {QuotedLine(f.line), f.reclen, f.high, f.low, f.rectyp}),
               Buttons::Ok);
  return false;
}

bool BadVersion(Dialogs& dialogs, const std::string& text, const std::string& line) {
  dialogs.show(BoxKind::Error, Fill(kBadVersion, {text, QuotedLine(line)}), Buttons::Ok);
  return false;
}

// Low bytes of the words of an EEPROM record, from EEPROM cell first on.
void ReadEeprom(FirmwareImage& image, const std::string& line, int n, int first) {
  for (int k = 0; k < n / 2; ++k) {
    int index = first + k;
    image.set_Hex_EE(index, At(line, static_cast<size_t>(10 + 4 * k), 2));
    image.Max_EE_Index = std::max(image.Max_EE_Index, index);
  }
}

}  // namespace

std::string QuotedLine(const std::string& line) {
  if (line.size() <= kQuotedLineLimit) return EightBitToUtf8(line);
  // Cut on a character boundary of UTF-8 text, so that the excerpt stays readable.
  size_t cut = kQuotedLineHead;
  while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
  return EightBitToUtf8(line.substr(0, cut)) + "… (gekürzt, die Zeile ist " + std::to_string(line.size()) +
         " Zeichen lang)";
}

bool ReadHexLine(FirmwareImage& image, const std::string& rawLine, Dialogs& dialogs,
                 HexReadStatus& status) {
  // The fields are read on the upper-cased line; the messages show them as the caller gave
  // them (the load passes upper-cased lines, and the text "error" of a line beyond the
  // 1024 kept ones stays as it is).
  const std::string line = UpperAscii(rawLine);
  const Fields f{rawLine, At(rawLine, 2, 2), At(rawLine, 4, 2), At(rawLine, 6, 2),
                 At(rawLine, 8, 2)};
  const std::string rectyp = At(line, 8, 2);
  const int n = HexByteValue(At(line, 2, 2));
  const int b = HexByteValue(At(line, 4, 2)) * 256 + HexByteValue(At(line, 6, 2)) + image.UpperAddress;
  const int w = b / 2;

  if (rectyp != "00") {
    if (rectyp == "01") {
      if (line == ":00000001FF") return true;
      return RecordError(dialogs, kE202, f);
    }
    if (rectyp == "02") return RecordError(dialogs, kE203, f);
    if (rectyp == "03") return RecordError(dialogs, kE204, f);
    if (rectyp == "04") {
      if (line == ":020000040000FA") {
        image.UpperAddress = 0;
        return true;
      }
      if (line == ":020000040001F9") {
        image.UpperAddress = 0x10000;
        return true;
      }
      return RecordError(dialogs, kE205, f);
    }
    if (rectyp == "05") return true;
    return RecordError(dialogs, kE206, f);
  }

  constexpr const MemoryMap& mid = kMidRangeMemory;
  constexpr const MemoryMap& pic18324 = kPic18324Memory;
  if (w >= 0 && w < mid.programWords) {
    // Program memory, one cell per byte.
    for (int i = 0; i < n; ++i) {
      int p = 10 + 2 * i;
      if (p > 16384) {
        dialogs.show(BoxKind::Warning, kE2000, Buttons::Cancel);
        return false;
      }
      int cell = b + i;
      if (cell >= kRomCells) {
        dialogs.show(BoxKind::Warning, kE2001, Buttons::Cancel);
        return false;
      }
      image.set_Hex_ROM(cell, At(line, static_cast<size_t>(p), 2));
      image.Max_ROM_Index = std::max(image.Max_ROM_Index, cell);
    }
  } else if (w == mid.idWord) {
    // Mid-range ID: one digit per word, the low digit of its low byte; the version is the
    // digit of the second, third and fourth word (3, 2, 6 -> 3.26).
    image.ID_Address = mid.idWord;
    std::string id;
    for (int k = 0; k < n / 2; ++k) id += At(line, static_cast<size_t>(11 + 4 * k), 1);
    image.ID_Text = id;
    image.ID_Found = true;
    status.panel0 = "ID: " + EightBitToUtf8(At(line, 11, 1));
    const std::string major = At(line, 15, 1), tenth = At(line, 19, 1), hundredth = At(line, 23, 1);
    status.panel1 = "V " + EightBitToUtf8(major + "." + tenth + hundredth);
    int d15 = 0, d19 = 0, d23 = 0;
    if (!DecimalValue(major, d15)) return BadVersion(dialogs, major, rawLine);
    if (!DecimalValue(tenth, d19)) return BadVersion(dialogs, tenth, rawLine);
    if (!DecimalValue(hundredth, d23)) return BadVersion(dialogs, hundredth, rawLine);
    image.Version = static_cast<float>(d15 + d19 * 0.1 + d23 * 0.01);
  } else if (w == mid.configWord) {
    image.Config_Address = mid.configWord;
    image.Config[0] = At(line, 10, static_cast<size_t>(2 * n));
    image.Config_Found = true;
  } else if (w >= mid.eepromWord && w < mid.eepromWord + mid.eepromBytes) {
    image.EE_Address = mid.eepromWord;
    ReadEeprom(image, line, n, w - mid.eepromWord);
  } else if (w >= pic18324.eepromWord && w < pic18324.eepromWord + pic18324.eepromBytes) {
    image.EE_Address = pic18324.eepromWord;
    ReadEeprom(image, line, n, w - pic18324.eepromWord);
  } else if (w >= pic18324.idWord && w < pic18324.idWord + pic18324.idWords) {
    // 16F18324 user ID: the four words kept as read. The version comes from the record type
    // field (always "00" here) and the first word's low byte: 26 -> 0.26.
    image.ID_Address = pic18324.idWord;
    std::string id;
    for (int k = 0; k < n / 2; ++k) id += At(line, static_cast<size_t>(10 + 4 * k), 4);
    image.ID_Text = id;
    image.ID_Found = true;
    status.panel0 = "ID: " + EightBitToUtf8(At(line, 18, 2));
    const std::string major = At(line, 8, 2), minor = At(line, 10, 2);
    status.panel1 = "V " + EightBitToUtf8((major == "00" ? std::string("0") : major) + "." + minor);
    int vMajor = 0, vMinor = 0;
    if (!DecimalValue(major, vMajor)) return BadVersion(dialogs, major, rawLine);
    if (!DecimalValue(minor, vMinor)) return BadVersion(dialogs, minor, rawLine);
    image.Version = static_cast<float>(vMajor + vMinor * 0.01);
  } else if (w == pic18324.configWord) {
    image.Config_Address = pic18324.configWord;
    image.Config[0] = At(line, 10, static_cast<size_t>(2 * n));
    image.Config_Found = true;
  } else if (w > pic18324.configWord && w < pic18324.configWord + pic18324.configWords) {
    image.Config[static_cast<size_t>(w - pic18324.configWord)] = At(line, 10, static_cast<size_t>(2 * n));
  } else {
    dialogs.show(BoxKind::Information,
                 Fill(kE201, {QuotedLine(f.line), f.reclen, f.high, f.low, f.rectyp, Format("%x", w)}),
                 Buttons::Ok);
    return false;
  }
  return true;
}

}  // namespace korrin
