#include "cli/plan.h"

#include <algorithm>
#include <map>

#include "app/document.h"
#include "base/file_names.h"
#include "base/text_encoding.h"
#include "cli/editor_settings.h"

namespace korrin::cli {

namespace {

std::string TrimBlanks(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

// Why a name cannot be an output file name; nothing when it can.
std::optional<std::string> NameProblem(const std::string& name) {
  const std::string shown = "\"" + EightBitToUtf8(name) + "\"";
  if (name.empty()) return std::string("kein Dateiname");
  if (name == "." || name == ".." || name.find('/') != std::string::npos || name.find('\\') != std::string::npos)
    return "ungültiger Dateiname " + shown + " (nur ein Name im Ausgabe-Ordner)";
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7F) return "ungültiger Dateiname " + shown + " (Steuerzeichen)";
  if (name.find('"') != std::string::npos) return "ungültiger Dateiname " + shown + " (Anführungszeichen)";
  // Plans travel between systems: a name Windows cannot hold is refused everywhere.
  if (auto why = WindowsNameProblem(name)) return "ungültiger Dateiname " + shown + " (" + *why + ")";
  return std::nullopt;
}

// The separator of the header: ';' when one stands outside quotes.
char HeaderSeparator(const std::string& header) {
  bool quoted = false;
  for (char c : header) {
    if (c == '"') quoted = !quoted;
    else if (c == ';' && !quoted) return ';';
  }
  return ',';
}

}  // namespace

std::optional<std::vector<std::string>> SplitCsvLine(const std::string& line, char separator) {
  std::vector<std::string> fields;
  size_t i = 0;
  while (true) {
    // Blanks before a field.
    size_t start = i;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i < line.size() && line[i] == '"') {
      std::string field;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          closed = true;
          ++i;
          break;
        }
        field += line[i++];
      }
      if (!closed) return std::nullopt;
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
      if (i < line.size() && line[i] != separator) return std::nullopt;
      fields.push_back(field);
    } else {
      size_t end = line.find(separator, start);
      if (end == std::string::npos) end = line.size();
      std::string field = line.substr(start, end - start);
      if (field.find('"') != std::string::npos) return std::nullopt;
      fields.push_back(TrimBlanks(field));
      i = end;
    }
    if (i >= line.size()) break;
    ++i;  // the separator
  }
  return fields;
}

std::string CsvField(const std::string& text, char separator) {
  if (text.find_first_of(std::string("\"\r\n") + separator) == std::string::npos && TrimBlanks(text) == text) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string CsvLine(const std::vector<std::string>& fields, char separator) {
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out += separator;
    out += CsvField(fields[i], separator);
  }
  return out;
}

std::optional<Plan> ParsePlan(const std::vector<std::string>& lines, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return std::nullopt;
  };
  size_t headerIndex = 0;
  while (headerIndex < lines.size() && TrimBlanks(lines[headerIndex]).empty()) ++headerIndex;
  if (headerIndex >= lines.size()) return fail("der Plan hat keine Kopfzeile");
  Plan plan;
  plan.separator = HeaderSeparator(lines[headerIndex]);
  const std::string at = "Kopfzeile (Zeile " + std::to_string(headerIndex + 1) + ")";
  auto head = SplitCsvLine(lines[headerIndex], plan.separator);
  if (!head) return fail(at + ": unpaariges Anführungszeichen");
  for (size_t c = 1; c < head->size(); ++c) {
    const std::string& cell = (*head)[c];
    const std::string column = at + ", Spalte " + std::to_string(c + 1);
    if (cell.empty()) return fail(column + ": leer");
    PlanColumn col;
    if (auto n = ParseRowInteger(cell)) {
      col.row = *n;
    } else {
      for (unsigned char ch : cell)
        if (ch <= 0x20 || ch == 0x7F || ch == '=')
          return fail(column + ": \"" + EightBitToUtf8(cell) + "\" ist weder Zeilennummer noch Schlüssel");
      col.key = cell;
    }
    plan.columns.push_back(col);
  }

  std::map<std::string, int> firstUse;  // name without letter case (NameCaseKey) -> line number
  for (size_t i = headerIndex + 1; i < lines.size(); ++i) {
    const int lineNumber = static_cast<int>(i) + 1;
    if (TrimBlanks(lines[i]).empty()) continue;
    auto refuse = [&](const std::string& why) { plan.refused.emplace_back(lineNumber, why); };
    auto cells = SplitCsvLine(lines[i], plan.separator);
    if (!cells) {
      refuse("unpaariges Anführungszeichen");
      continue;
    }
    const std::string name = (*cells)[0];
    if (auto why = NameProblem(name)) {
      refuse(*why);
      continue;
    }
    auto [it, inserted] = firstUse.emplace(NameCaseKey(name), lineNumber);
    if (!inserted) {
      refuse("\"" + EightBitToUtf8(name) + "\" steht schon in Zeile " + std::to_string(it->second));
      continue;
    }
    if (cells->size() > plan.columns.size() + 1) {
      refuse("mehr Spalten als in der Kopfzeile");
      continue;
    }
    PlanLine line;
    line.lineNumber = lineNumber;
    line.name = name;
    line.cells.assign(cells->begin() + 1, cells->end());
    line.cells.resize(plan.columns.size());
    plan.lines.push_back(std::move(line));
  }
  return plan;
}

}  // namespace korrin::cli
