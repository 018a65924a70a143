// korrin-cli batch and inventory: many decoders at once.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <iomanip>
#include <map>
#include <ostream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "base/platform.h"
#include "base/text_encoding.h"
#include "base/text_excerpt.h"
#include "cli/commands.h"
#include "cli/editor_settings.h"
#include "cli/plan.h"
#include "image/text_file.h"

namespace korrin::cli {


int CmdBatch(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
  const std::string& templatePath = args.operands[0];
  const std::string& planPath = args.operands[1];
  const std::string dir = args.value("-o");
  const bool configDefault = args.has("--config-default");
  if (!IsFolder(dir)) {
    err << "error: der Ausgabe-Ordner \"" << TextUtf8(dir) << "\" existiert nicht\n";
    return 2;
  }
  std::string readError;
  auto planText = ReadTextLines(planPath, &readError, FileKind::Plan);
  if (!planText) {
    err << "error: " << TextUtf8(readError) << "\n";
    return 2;
  }
  std::string planError;
  auto plan = ParsePlan(*planText, &planError);
  if (!plan) {
    err << "error: " << planError << "\n";
    return 2;
  }
  // The template is read once, into memory: every line of the plan starts from it, whatever
  // happens to its file while the batch runs, and nothing is left behind anywhere.
  auto templateLines = ReadTextLines(templatePath, &readError);
  if (!templateLines) {
    err << "error: " << TextUtf8(readError) << "\n";
    return 2;
  }
  // The template must load on its own; its messages are shown once. Its editor tells what
  // each column's key means: a plan holds values, never a file to read or write.
  std::vector<ParsedKey> columnKeys(plan->columns.size());
  std::vector<std::optional<std::string>> columnRefusals(plan->columns.size());
  {
    Session check(&err, configDefault);
    LoadResult r = check.doc.LoadHexLines(templatePath, *templateLines);
    if (r == LoadResult::NotRead) return 2;
    if (r != LoadResult::Loaded) {
      err << "error: die Vorlage wurde nicht vollständig geladen, nichts geschrieben\n";
      return 1;
    }
    const EditorModel* model = check.doc.ShownEditor();
    const SettingKeys keys(model);
    const std::string typeName = TypeName(check.doc);
    for (size_t c = 0; c < plan->columns.size(); ++c) {
      if (plan->columns[c].row) continue;
      columnKeys[c] = keys.Parse(plan->columns[c].key);
      columnRefusals[c] = KeyRefusal(model, typeName, plan->columns[c].key, columnKeys[c], KeySource::Plan);
      if (columnRefusals[c] && columnKeys[c].kind == KeyKind::Action) {
        err << "error: Spalte " << (c + 2) << ": " << *columnRefusals[c] << "; nichts geschrieben\n";
        return 2;
      }
    }
  }

  // Refused lines and written lines are reported in the order of the plan.
  std::map<int, std::string> problems(plan->refused.begin(), plan->refused.end());
  std::map<int, const PlanLine*> work;
  for (const auto& line : plan->lines) work[line.lineNumber] = &line;
  std::vector<int> order;
  for (const auto& [n, _] : problems) order.push_back(n);
  for (const auto& [n, _] : work) order.push_back(n);
  std::sort(order.begin(), order.end());

  int written = 0, failed = 0;
  for (int lineNumber : order) {
    auto fail = [&](const std::string& why) {
      err << "Zeile " << lineNumber << ": " << why << "\n";
      ++failed;
    };
    if (auto p = problems.find(lineNumber); p != problems.end()) {
      fail(p->second);
      continue;
    }
    const PlanLine& line = *work[lineNumber];
    // Built as UTF-8 text: a folder or name outside Windows' ANSI code page stays whole.
    const std::string target = JoinPath(dir, line.name);
    const std::string shownName = "\"" + TextUtf8(line.name) + "\"";
    if (IsSameFile(target, templatePath)) {
      fail(shownName + " ist die Vorlage; sie wird nicht überschrieben");
      continue;
    }
    if (IsSameFile(target, planPath)) {
      fail(shownName + " ist der Plan; er wird nicht überschrieben");
      continue;
    }
    Session s(nullptr, configDefault);
    s.doc.LoadHexLines(templatePath, *templateLines);
    s.dialogs.messages.clear();
    EditorModel* model = s.doc.ShownEditor();
    std::optional<std::string> problem;
    for (size_t c = 0; c < line.cells.size() && !problem; ++c) {
      const std::string& cell = line.cells[c];
      const PlanColumn& column = plan->columns[c];
      if (cell.empty()) continue;
      if (column.row) {
        auto edit = ParseRowEdit(cell);
        if (!edit) problem = QuotedExcerpt(cell) + " ist keine Zeilen-Angabe";
        else problem = ApplyRowEdit(s.doc, *column.row, *edit);
      } else {
        problem = columnRefusals[c] ? columnRefusals[c] : SetParsedValue(model, columnKeys[c], cell);
        if (problem && problem->empty())
          problem = Excerpt(column.key) + ": " +
                    (s.dialogs.messages.empty() ? "abgelehnt" : PlainText(TextUtf8(s.dialogs.messages.front().text)));
      }
    }
    if (problem) {
      fail(*problem);
      continue;
    }
    ApplyPendingEdits(model);
    SaveResult saved = s.doc.SaveTo(target);
    if (saved != SaveResult::Saved) {
      std::string why = s.dialogs.messages.empty() ? "nicht gespeichert" : PlainText(TextUtf8(s.dialogs.messages.front().text));
      fail(TextUtf8(line.name) + ": " + why);
      continue;
    }
    out << TextUtf8(target) << "\n";
    ++written;
  }
  out << written << " Datei(en) geschrieben, " << failed << " Zeile(n) fehlerhaft\n";
  return failed > 0 ? 1 : 0;
}

int CmdInventory(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
  const std::string& dir = args.operands[0];
  const std::string format = args.has("--json") ? "json" : args.has("--csv") ? "csv" : "text";
  if (!IsFolder(dir)) {
    err << "error: \"" << TextUtf8(dir) << "\" ist kein Ordner\n";
    return 2;
  }
  // The platform lists the regular *.hex files by name (UTF-8 on every system).
  std::string listError;
  auto names = ListHexFiles(dir, &listError);
  if (!names) {
    err << "error: " << TextUtf8(listError) << "\n";
    return 2;
  }
  std::vector<std::string> paths;
  for (const auto& name : *names) paths.push_back(JoinPath(dir, name));

  nlohmann::json decoders = nlohmann::json::array();
  // protocol -> address -> uses (file, caption)
  std::map<std::string, std::map<int, std::vector<std::pair<std::string, std::string>>>> uses;
  for (const auto& p : paths) {
    Session s(nullptr, false);
    LoadResult r = s.doc.LoadHexFile(p);
    nlohmann::json d;
    const std::string fileName = TextUtf8(FileNameOf(p));
    d["file"] = fileName;
    if (r != LoadResult::Loaded) {
      d["loaded"] = false;
      std::string message =
          s.dialogs.messages.empty() ? "nicht geladen" : PlainText(TextUtf8(s.dialogs.messages.front().text));
      // One line per decoder in the listings.
      std::replace(message.begin(), message.end(), '\n', ' ');
      d["message"] = message;
      decoders.push_back(d);
      continue;
    }
    const DecoderType* entry = FindDecoderType(s.doc.DecoderIdentifier);
    d["loaded"] = true;
    d["title"] = entry ? nlohmann::json(entry->title) : nlohmann::json(nullptr);
    d["pic"] = s.doc.image.PIC;
    d["protocol"] = ProtocolName(s.doc);
    d["version"] = std::round(static_cast<double>(s.doc.image.Version) * 100.0) / 100.0;
    nlohmann::json rows = nlohmann::json::array();
    for (int r2 = 0; r2 < kAddressRowCount; ++r2) {
      const AddressRow& row = s.doc.rows[r2];
      if (!row.shown() || !row.addressVisible) continue;
      auto a = ShownNumber(row.addressText);
      rows.push_back({{"row", r2}, {"caption", row.caption}, {"address", a ? nlohmann::json(*a) : nlohmann::json(nullptr)}});
      if (a && *a > 0) uses[ProtocolName(s.doc)][*a].push_back({fileName, row.caption});
    }
    d["rows"] = rows;
    decoders.push_back(d);
  }
  nlohmann::json duplicates = nlohmann::json::array();
  for (const auto& [protocol, byAddress] : uses) {
    for (const auto& [address, list] : byAddress) {
      std::vector<std::string> distinct;
      for (const auto& u : list)
        if (std::find(distinct.begin(), distinct.end(), u.first) == distinct.end()) distinct.push_back(u.first);
      if (distinct.size() < 2) continue;
      nlohmann::json entry{{"protocol", protocol}, {"address", address}, {"uses", nlohmann::json::array()}};
      for (const auto& u : list) entry["uses"].push_back({{"file", u.first}, {"caption", u.second}});
      duplicates.push_back(entry);
    }
  }

  if (format == "json") {
    out << nlohmann::json{{"decoders", decoders}, {"duplicates", duplicates}}.dump(
               2, ' ', false, nlohmann::json::error_handler_t::replace)
        << "\n";
    return 0;
  }
  auto addresses = [](const nlohmann::json& d) {
    std::string s;
    for (const auto& r : d["rows"]) {
      if (!s.empty()) s += " ";
      s += r["address"].is_null() ? "?" : std::to_string(r["address"].get<int>());
    }
    return s;
  };
  if (format == "csv") {
    out << "file;title;pic;protocol;version;addresses;message\n";
    for (const auto& d : decoders) {
      if (!d["loaded"].get<bool>()) {
        out << CsvLine({d["file"].get<std::string>(), "", "", "", "", "", d["message"].get<std::string>()}, ';') << "\n";
        continue;
      }
      std::ostringstream v;
      v << std::fixed << std::setprecision(2) << d["version"].get<double>();
      out << CsvLine({d["file"].get<std::string>(), d["title"].is_null() ? "" : d["title"].get<std::string>(),
                      std::to_string(d["pic"].get<int>()), d["protocol"].get<std::string>(), v.str(), addresses(d), ""},
                     ';')
          << "\n";
    }
    return 0;
  }
  for (const auto& d : decoders) {
    if (!d["loaded"].get<bool>()) {
      out << d["file"].get<std::string>() << ": nicht geladen: " << d["message"].get<std::string>() << "\n";
      continue;
    }
    out << d["file"].get<std::string>() << ": " << (d["title"].is_null() ? "(nicht erkannt)" : d["title"].get<std::string>())
        << ", PIC " << d["pic"].get<int>() << ", " << d["protocol"].get<std::string>() << ", Adressen: " << addresses(d)
        << "\n";
  }
  if (!duplicates.empty()) out << "\nMehrfach belegte Adressen:\n";
  for (const auto& dup : duplicates) {
    out << dup["protocol"].get<std::string>() << " " << dup["address"].get<int>() << ":";
    for (const auto& u : dup["uses"])
      out << " " << u["file"].get<std::string>() << " <" << u["caption"].get<std::string>() << ">";
    out << "\n";
  }
  return 0;
}

}  // namespace korrin::cli
