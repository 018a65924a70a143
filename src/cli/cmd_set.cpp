// korrin-cli set, export and apply: load a file, change rows and editor settings (one by one
// or from a configuration file), save it as the window's save does.
#include <memory>
#include <ostream>
#include <variant>

#include "base/platform.h"
#include "base/text_encoding.h"
#include "base/text_excerpt.h"
#include "cli/commands.h"
#include "cli/configuration.h"
#include "cli/editor_settings.h"
#include "image/text_file.h"

namespace korrin::cli {

namespace {

struct RowArg {
  int row;
  RowEdit edit;
};
struct SettingArg {
  std::string key, value;
};

}  // namespace

int CmdSet(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
  // Every edit is checked for its form before the file is loaded.
  std::vector<std::variant<RowArg, SettingArg>> edits;
  for (const auto& [name, value] : args.options) {
    if (name == "--row") {
      size_t eq = value.find('=');
      auto n = eq == std::string::npos ? std::nullopt : ParseRowInteger(value.substr(0, eq));
      auto edit = eq == std::string::npos ? std::nullopt : ParseRowEdit(value.substr(eq + 1));
      if (!n || !edit) return UsageError(err, "--row erwartet N=ADRESSE[g|r][/F], nicht " + QuotedExcerpt(value), "set");
      edits.emplace_back(RowArg{*n, *edit});
    } else if (name == "--set") {
      auto setting = SplitSetting(value);
      if (!setting) return UsageError(err, "--set erwartet SCHLÜSSEL=WERT, nicht " + QuotedExcerpt(value), "set");
      edits.emplace_back(SettingArg{setting->first, setting->second});
    }
  }
  Session s(&err, args.has("--config-default"));
  const std::string& input = args.operands[0];
  if (int status = LoadForEdit(s, input, err)) return status;
  EditorModel* model = s.doc.ShownEditor();
  const std::string typeName = TypeName(s.doc);
  const SettingKeys keys(model);
  // A file the command is asked to write (a curve or set file) is written only after every
  // value was taken and the HEX file was saved; it holds what the editor held at its place
  // among the edits, kept here until then.
  struct FileWrite {
    std::shared_ptr<const EditorModel> state;
    ParsedKey key;
    std::string path;
  };
  std::vector<FileWrite> writes;
  std::vector<std::string> reads;
  for (const auto& e : edits) {
    const size_t shown = s.dialogs.messages.size();
    std::optional<std::string> why;
    if (const auto* row = std::get_if<RowArg>(&e)) {
      why = ApplyRowEdit(s.doc, row->row, row->edit);
    } else if (const auto* set = std::get_if<SettingArg>(&e)) {
      const ParsedKey key = keys.Parse(set->key);
      why = KeyRefusal(model, typeName, set->key, key, KeySource::Command);
      if (!why && key.kind == KeyKind::Action && key.action == ActionKind::WriteFile) {
        writes.push_back({model->CloneState(), key, set->value});
        continue;
      }
      if (!why && key.kind == KeyKind::Action && key.action == ActionKind::ReadFile) reads.push_back(set->value);
      if (!why) why = SetParsedValue(model, key, set->value);
    }
    if (why) {
      if (why->empty() && s.dialogs.messages.size() == shown) *why = "Der Wert wurde nicht übernommen";
      if (!why->empty()) err << "error: " << *why << "\n";
      return 1;
    }
  }
  // No output may be an input of the command or another of its outputs.
  const std::string hexOutput = args.value("-o").empty() ? input : args.value("-o");
  std::vector<std::string> inputs = reads;
  inputs.insert(inputs.begin(), input);
  if (hexOutput != input)
    for (const auto& r : inputs)
      if (IsSameFile(hexOutput, r)) {
        err << "error: -o nennt die Datei " << QuotedExcerpt(r) << ", die dieser Befehl liest; nichts geschrieben\n";
        return 2;
      }
  for (size_t i = 0; i < writes.size(); ++i) {
    const FileWrite& w = writes[i];
    const std::string where = w.key.key + "=" + Excerpt(w.path);
    std::optional<std::string> clash;
    for (const auto& r : inputs)
      if (!clash && IsSameFile(w.path, r)) clash = "nennt die Datei " + QuotedExcerpt(r) + ", die dieser Befehl liest";
    if (!clash && IsSameFile(w.path, hexOutput)) clash = "nennt die HEX-Datei, die dieser Befehl schreibt";
    for (size_t j = 0; j < i && !clash; ++j)
      if (IsSameFile(w.path, writes[j].path))
        clash = "nennt dieselbe Datei wie " + writes[j].key.key + "=" + Excerpt(writes[j].path);
    if (clash) {
      err << "error: " << where << " " << *clash << "; nichts geschrieben\n";
      return 2;
    }
  }
  if (int status = ApplyAndSave(s, args.value("-o"), out)) return status;
  for (const FileWrite& w : writes) {
    if (w.state) model->Restore(*w.state);
    if (SetParsedValue(model, w.key, w.path)) return 1;  // the save's own message was shown
  }
  return 0;
}

int CmdExport(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
  if (!args.value("-o").empty() && IsSameFile(args.value("-o"), args.operands[0])) {
    err << "error: -o nennt die HEX-Datei selbst; die Konfiguration würde sie überschreiben\n";
    return 2;
  }
  Session s(&err, args.has("--config-default"));
  if (int status = LoadForEdit(s, args.operands[0], err)) return status;
  const std::string text =
      ExportConfiguration(s.doc, s.doc.ShownEditor()).dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
  const std::string output = args.value("-o");
  if (output.empty()) {
    out << text << "\n";
    return 0;
  }
  std::string error;
  if (!WriteTextLinesSafely(output, SplitLines(text), &error)) {
    err << "error: " << TextUtf8(error) << "\n";
    return 1;
  }
  out << TextUtf8(output) << "\n";
  return 0;
}

int CmdApply(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
  const std::string& configPath = args.operands[1];
  std::string readError;
  auto text = ReadWholeFile(configPath, &readError, FileKind::Configuration);
  if (!text) {
    err << "error: " << TextUtf8(readError) << "\n";
    return 2;
  }
  std::string parseError;
  auto config = ParseConfiguration(*text, &parseError);
  if (!config) {
    err << "error: " << TextUtf8(configPath) << ": " << parseError << "\n";
    return 2;
  }
  Session s(&err, args.has("--config-default"));
  if (int status = LoadForEdit(s, args.operands[0], err)) return status;
  const size_t shown = s.dialogs.messages.size();
  if (auto failure = ApplyConfiguration(s.doc, s.doc.ShownEditor(), *config)) {
    if (failure->text.empty() && s.dialogs.messages.size() == shown) failure->text = "ein Wert wurde nicht übernommen";
    if (!failure->text.empty()) err << "error: " << TextUtf8(configPath) << ": " << failure->text << "\n";
    return failure->status;
  }
  return ApplyAndSave(s, args.value("-o"), out);
}

}  // namespace korrin::cli
