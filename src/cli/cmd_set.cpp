// korrin-cli set: load a file, change address rows, save it as the window's save does.
#include <ostream>

#include "cli/commands.h"

namespace korrin::cli {

int CmdSet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string file, output;
  bool configDefault = false;
  std::vector<std::pair<int, RowEdit>> edits;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-o" || a == "--row") {
      if (i + 1 >= args.size()) return UsageError(err, a + " braucht einen Wert");
      const std::string& value = args[++i];
      if (a == "-o") {
        output = value;
        continue;
      }
      size_t eq = value.find('=');
      auto n = eq == std::string::npos ? std::nullopt : ParseRowInteger(value.substr(0, eq));
      auto edit = eq == std::string::npos ? std::nullopt : ParseRowEdit(value.substr(eq + 1));
      if (!n || !edit) return UsageError(err, "--row erwartet N=ADRESSE[g|r][/F], nicht " + value);
      edits.push_back({*n, *edit});
    } else if (a == "--config-default") {
      configDefault = true;
    } else if (!a.empty() && a[0] == '-') {
      return UsageError(err, "unbekannte Option " + a);
    } else if (file.empty()) {
      file = a;
    } else {
      return UsageError(err, "nur eine Eingabedatei erwartet");
    }
  }
  if (file.empty() || output.empty()) return UsageError(err, "set braucht eine HEX-Datei und -o AUSGABE");

  Session s(&err, configDefault);
  LoadResult r = s.doc.LoadHexFile(file);
  if (r == LoadResult::NotRead) return 2;
  if (r != LoadResult::Loaded) {
    err << "error: die Datei wurde nicht vollständig geladen, nichts geschrieben\n";
    return 1;
  }
  for (const auto& [n, edit] : edits) {
    if (auto why = ApplyRowEdit(s.doc, n, edit)) {
      err << "error: " << *why << "\n";
      return 1;
    }
  }
  SaveResult saved = s.doc.SaveTo(output);
  if (saved != SaveResult::Saved) return 1;
  out << output << "\n";
  return 0;
}

}  // namespace korrin::cli
