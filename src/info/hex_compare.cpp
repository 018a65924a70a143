#include "info/hex_compare.h"

#include <algorithm>

#include "base/text_encoding.h"
#include "image/format.h"
#include "image/hex_reader.h"
#include "image/text_file.h"
#include "info/mnemonic.h"

namespace korrin {

namespace {

// Characters first .. first+count-1 of line, counted from 1 as the record positions are;
// what lies past the end of the line is missing (a short line gives short or empty texts).
std::string Cut(const std::string& line, int32_t first, int32_t count) {
  if (first < 1 || count <= 0 || static_cast<size_t>(first) > line.size()) return std::string();
  return line.substr(static_cast<size_t>(first - 1), static_cast<size_t>(count));
}

std::string Upper(std::string text) {
  // ASCII letters only, as the load upper-cases (std::toupper would follow the C locale).
  for (auto& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// The record-type messages: the whole line, RECLEN, LOAD OFFSET high and low, RECTYP.
constexpr const char* kE201a =
    "E201a: Unerwartete Zeile:\n%s\n\nRECLEN (Identifier 1): %s\nLOAD OFFSET (Identifier 2): %s %s\nRECTYP (Identifier 3): %s";
constexpr const char* kE202a =
    "E202a: Unerwarteter End File Record:\n%s\n\nRECLEN (Identifier 1): %s\nLOAD OFFSET (Identifier 2): %s %s\nRECTYP "
    "(Identifier 3): %s";
constexpr const char* kE203a =
    "E203a: Unerwartete Zeile im File:\n%s\n\nRECLEN (Identifier 1): %s\nLOAD OFFSET (Identifier 2): %s %s\nRECTYP "
    "(Identifier 3): %s";
constexpr const char* kE204a =
    "E204a: Unerwartete Zeile im File:\n%s\n\nRECLEN (Identifier 1): %s\nLOAD OFFSET (Identifier 2): %s %s\nRECTYP "
    "(Identifier 3): %s";
constexpr const char* kE205 =
    "E205: Unerwarteter Extendet Linear Address Record:\n%s\n\nRECLEN (Identifier 1): %s\nLOAD OFFSET (Identifier 2): "
    "%s %s\nRECTYP (Identifier 3): %s";
constexpr const char* kE206a =
    "E206a: Unerwartete Zeile im File:\n%s\n\nRECLEN (Identifier 1): %s\nLOAD OFFSET (Identifier 2): %s %s\nRECTYP "
    "(Identifies 3): %s";
constexpr const char* kE200 = "E200: Überschreitung ROM-Adressbereich";

// File 2 (and File 1's ID and configuration, which came from a file as well) may hold any byte;
// every part of a line put into a message or a memo line is made UTF-8 first.
std::string Shown(const std::string& fileText) { return EightBitToUtf8(fileText); }
// The cells in the memo lines stand in columns: a tab is shown like every control character.
std::string ShownCell(const std::string& fileText) { return EightBitToUtf8Grid(fileText); }

}  // namespace

const char* const kComparisonNoData = "Datei 2 enthält keine Daten: es wurde nichts verglichen.";

HexComparison::HexComparison(const FirmwareImage& image, Dialogs& dialogs) : image_(image), dialogs_(dialogs) {}

void HexComparison::Clear() {
  eepromLines.clear();
  romLines.clear();
  EE_Differences = 0;
  ROM_Differences = 0;
  ID_Differences = 0;
  Config_Differences = 0;
  DataRecords = 0;
  NoData = false;
}

bool HexComparison::CompareLines(const std::vector<std::string>& fileLines) {
  StoredLines.assign(std::max<size_t>(static_cast<size_t>(kHexLines), fileLines.size()), std::string());
  for (size_t i = 0; i < fileLines.size(); ++i) StoredLines[i] = Upper(fileLines[i]);
  CompareUpperAddress = 0;
  DataRecords = 0;
  NoData = false;

  // Empty lines are passed over as the load does, so that every file that loads can be
  // compared (a file saved with CR CR LF line ends has an empty line after every record).
  for (size_t i = 0; i < fileLines.size(); ++i) {
    if (StoredLines[i].empty()) continue;
    if (!CompareHexLine(StoredLines[i])) return false;
  }

  // A file without a single data record (empty, or only address and end records) has
  // nothing to compare: "0 differences" would read as "identical".
  if (DataRecords == 0) {
    NoData = true;
    dialogs_.information(kComparisonNoData);
    return false;
  }

  eepromLines.push_back(" ");
  romLines.push_back(" ");
  eepromLines.push_back(Format("%4i gefundene Unterschiede im EEprom", EE_Differences));
  romLines.push_back(Format("%4i gefundene Unterschiede im ROM", ROM_Differences));
  romLines.push_back(Format("%4i gefundene Unterschiede in ID", ID_Differences));
  romLines.push_back(Format("%4i gefundene Unterschiede in Config", Config_Differences));
  return true;
}

bool HexComparison::CompareHexLine(const std::string& line) {
  const std::string reclen = Cut(line, 2, 2);
  const std::string offsetHigh = Cut(line, 4, 2);
  const std::string offsetLow = Cut(line, 6, 2);
  const std::string rectyp = Cut(line, 8, 2);
  const int32_t n = HexByteValue(reclen);
  const int32_t b = HexByteValue(offsetHigh) * 256 + HexByteValue(offsetLow) + CompareUpperAddress;
  const int32_t w = b / 2;

  auto refuse = [&](const char* format) {
    dialogs_.information(Format(format, QuotedLine(line).c_str(), Shown(reclen).c_str(), Shown(offsetHigh).c_str(),
                                Shown(offsetLow).c_str(), Shown(rectyp).c_str()));
    return false;
  };

  if (rectyp != "00") {
    if (rectyp == "01") return line == ":00000001FF" ? true : refuse(kE202a);
    if (rectyp == "02") return refuse(kE203a);
    if (rectyp == "03") return refuse(kE204a);
    if (rectyp == "04") {
      if (line == ":020000040000FA") {
        CompareUpperAddress = 0;
        return true;
      }
      if (line == ":020000040001F9") {
        CompareUpperAddress = 0x10000;
        return true;
      }
      return refuse(kE205);
    }
    if (rectyp == "05") return true;
    return refuse(kE206a);
  }

  ++DataRecords;
  if (w >= 0 && w <= 0xFFF) return CompareProgram(line, b, n);
  if (w == 0x2000) {
    std::string id;
    for (int32_t k = 0; k < n / 2; ++k) id += Cut(line, 11 + 4 * k, 1);
    CompareText(image_.ID_Text, id, "ID: File1:0x%s - File2:0x%s", ID_Differences);
    return true;
  }
  if (w >= 0x8000 && w <= 0x8003) {
    CompareText(image_.ID_Text, Cut(line, 10, 2 * n), "ID: File1:0x%s - File2:0x%s", ID_Differences);
    return true;
  }
  if (w == 0x2007) {
    CompareText(image_.Config[0], Cut(line, 10, 2 * n), "CONFIG: File1:0x%s - File2:0x%s", Config_Differences);
    return true;
  }
  if (w >= 0x8007 && w <= 0x800A) {
    static constexpr const char* kFormats[4] = {"CONFIG 1: File1:0x%s - File2:0x%s", "CONFIG 2: File1:0x%s - File2:0x%s",
                                                "CONFIG 3: File1:0x%s - File2:0x%s", "CONFIG 4: File1:0x%s - File2:0x%s"};
    const auto word = static_cast<size_t>(w - 0x8007);
    CompareText(image_.Config[word], Cut(line, 10, 2 * n), kFormats[word], Config_Differences);
    return true;
  }
  if (w >= 0x2100 && w <= 0x21FF) return CompareEeprom(line, w, 0x2100, n);
  if (w >= 0xF000 && w <= 0xF0FF) return CompareEeprom(line, w, 0xF000, n);
  return refuse(kE201a);
}

bool HexComparison::CompareProgram(const std::string& line, int32_t b, int32_t n) {
  for (int32_t a = b; a < b + n; a += 2) {
    const int32_t p = 10 + 2 * (a - b);
    if (p + 2 > 16384) {
      dialogs_.show(BoxKind::Warning, kE200, Buttons::Cancel);
      return false;
    }
    const std::string low1 = image_.get_Hex_ROM(a);
    const std::string high1 = image_.get_Hex_ROM(a + 1);
    const std::string low2 = Cut(line, p, 2);
    // A record with an odd byte count ends with a lone low byte: the two characters after it
    // are the checksum, not data, so the high byte is the image's own (File 2 does not hold it).
    const std::string high2 = a + 1 < b + n ? Cut(line, p + 2, 2) : high1;
    if (low1 != low2 || high1 != high2) {
      const std::string address = Format("$%04X: ", static_cast<unsigned>(a / 2));
      romLines.push_back(Format("%s 0x%s%s [%s] - 0x%s%s [%s]", address.c_str(), ShownCell(high1).c_str(),
                                ShownCell(low1).c_str(), WordMnemonic(high1, low1).c_str(), ShownCell(high2).c_str(),
                                ShownCell(low2).c_str(), WordMnemonic(high2, low2).c_str()));
      ++ROM_Differences;
    }
  }
  return true;
}

bool HexComparison::CompareEeprom(const std::string& line, int32_t w, int32_t base, int32_t n) {
  for (int32_t k = 0; k < n / 2; ++k) {
    const int32_t index = w - base + k;
    const std::string file2 = Cut(line, 10 + 4 * k, 2);
    const std::string file1 = image_.get_Hex_EE(index);
    if (file1 == "error") return false;
    if (file1 != file2) {
      eepromLines.push_back(Format("EE%s%x: File1:0x%s - File2:0x%s", index <= 15 ? "0x0" : "0x", static_cast<unsigned>(index),
                                   ShownCell(file1).c_str(), ShownCell(file2).c_str()));
      ++EE_Differences;
    }
  }
  return true;
}

void HexComparison::CompareText(const std::string& file1, const std::string& file2, const char* format, int32_t& counter) {
  if (file1 == file2) return;
  romLines.push_back(" ");
  romLines.push_back(Format(format, ShownCell(file1).c_str(), ShownCell(file2).c_str()));
  ++counter;
}

ComparisonResult CompareImageWithLines(const FirmwareImage& image, Dialogs& dialogs, const std::string& lastFileName,
                                       const std::string& file2Path, const std::vector<std::string>& file2Lines) {
  ComparisonResult result;
  result.statusFile1 = Format("File 1 = %s", Shown(lastFileName).c_str());
  result.statusFile2 = Format("File 2 = %s", Shown(file2Path).c_str());

  HexComparison comparison(image, dialogs);
  comparison.eepromLines.push_back("");
  result.completed = comparison.CompareLines(file2Lines);
  result.noData = comparison.NoData;

  result.eepromLines = std::move(comparison.eepromLines);
  result.romLines = std::move(comparison.romLines);
  result.EE_Differences = comparison.EE_Differences;
  result.ROM_Differences = comparison.ROM_Differences;
  result.ID_Differences = comparison.ID_Differences;
  result.Config_Differences = comparison.Config_Differences;
  return result;
}

ComparisonResult CompareImageWithFile(const FirmwareImage& image, Dialogs& dialogs, const std::string& lastFileName,
                                      const std::string& file2Path) {
  std::string error;
  auto lines = ReadTextLines(file2Path, &error);
  if (!lines) {
    dialogs.error(error);
    ComparisonResult result;
    result.fileRead = false;
    return result;
  }
  return CompareImageWithLines(image, dialogs, lastFileName, file2Path, *lines);
}

}  // namespace korrin
