#pragma once
// CSV as RFC 4180 writes it (fields in double quotes when they hold the separator, a quote or
// a line end; quotes inside doubled), and the plan of `batch` read from it.
#include <optional>
#include <string>
#include <vector>

namespace korrin::cli {

// The fields of one line. Unquoted fields lose surrounding blanks; quoted fields keep their
// text exactly. Nothing when a quote is unbalanced or text follows a closing quote.
std::optional<std::vector<std::string>> SplitCsvLine(const std::string& line, char separator);

// One field, quoted when it must be; one line of fields (without line end).
std::string CsvField(const std::string& text, char separator);
std::string CsvLine(const std::vector<std::string>& fields, char separator);

// A column of the plan after the file name: an address row (its number) or a setting key.
struct PlanColumn {
  std::optional<int> row;
  std::string key;
};

struct PlanLine {
  int lineNumber = 0;  // 1-based, in the plan file
  std::string name;    // the output file name
  std::vector<std::string> cells;  // one per column after the name; empty: leave as is
};

struct Plan {
  char separator = ';';
  std::vector<PlanColumn> columns;
  std::vector<PlanLine> lines;  // the lines to write
  std::vector<std::pair<int, std::string>> refused;  // line number, German reason
};

// Reads a plan. The header is the first non-blank line: it uses ';' when it holds one outside
// quotes, else ','. Lines whose name is unsafe (a path, '.', '..', a control character, a
// quote, anything Windows cannot hold: WindowsNameProblem), used before in the plan (letter
// case ignored, umlauts included, as Windows and macOS do: NameCaseKey), or that do not
// split are refused with their number; the others are kept. Nothing, with a German reason in
// *error, when the header is missing or wrong.
std::optional<Plan> ParsePlan(const std::vector<std::string>& lines, std::string* error);

}  // namespace korrin::cli
