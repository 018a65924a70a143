// libFuzzer target for the plans of `korrin-cli batch`: any bytes, split into lines as a plan
// file is read, go through the CSV splitter and the plan reader. Every kept line must have a
// name that may be written (no path, no control character, no quote, not used before in any
// letter case) and one cell per column; every line number is reported at most once; and the
// CSV writer's quoting must split back into the same fields.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "cli/plan.h"
#include "image/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto lines = korrin::SplitLines(text);

  for (const auto& line : lines) {
    for (char separator : {';', ','}) {
      auto fields = korrin::cli::SplitCsvLine(line, separator);
      if (!fields) continue;
      if (fields->empty()) __builtin_trap();
      if (korrin::cli::SplitCsvLine(korrin::cli::CsvLine(*fields, separator), separator) != fields) __builtin_trap();
    }
  }

  std::string error;
  auto plan = korrin::cli::ParsePlan(lines, &error);
  if (!plan) {
    if (error.empty()) __builtin_trap();
    return 0;
  }
  std::set<int> numbers;
  std::set<std::string> names;
  for (const auto& [number, why] : plan->refused) {
    if (number < 1 || static_cast<size_t>(number) > lines.size() || why.empty()) __builtin_trap();
    if (!numbers.insert(number).second) __builtin_trap();
  }
  for (const auto& line : plan->lines) {
    if (line.lineNumber < 1 || static_cast<size_t>(line.lineNumber) > lines.size()) __builtin_trap();
    if (!numbers.insert(line.lineNumber).second) __builtin_trap();
    if (line.cells.size() != plan->columns.size()) __builtin_trap();
    const std::string& name = line.name;
    if (name.empty() || name == "." || name == "..") __builtin_trap();
    for (unsigned char c : name)
      if (c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == '"') __builtin_trap();
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!names.insert(lower).second) __builtin_trap();
  }
  for (const auto& column : plan->columns)
    if (!column.row && column.key.empty()) __builtin_trap();
  return 0;
}
