#include "cli/cli_session.h"

#include <ostream>

#include "base/text_encoding.h"
#include "cli/editor_settings.h"

namespace korrin::cli {

const char* KindName(BoxKind kind) {
  switch (kind) {
    case BoxKind::Warning: return "warning";
    case BoxKind::Error: return "error";
    case BoxKind::Information: return "info";
  }
  return "info";
}

std::string PlainText(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string TextUtf8(const std::string& text) {
  std::string out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    out += EightBitToUtf8(std::string_view(text).substr(start, end - start));
    if (end < text.size()) out += text[end];
    start = end + 1;
  }
  return out;
}

int LoadForEdit(Session& s, const std::string& file, std::ostream& err) {
  LoadResult r = s.doc.LoadHexFile(file);
  if (r == LoadResult::NotRead) return 2;
  if (r != LoadResult::Loaded) {
    err << "error: die Datei wurde nicht vollständig geladen, nichts geschrieben\n";
    return 1;
  }
  return 0;
}

int ApplyAndSave(Session& s, const std::string& output, std::ostream& out) {
  ApplyPendingEdits(s.doc.ShownEditor());
  if (s.doc.SaveTo(output) != SaveResult::Saved) return 1;
  out << TextUtf8(output) << "\n";
  return 0;
}

Answer CliDialogs::show(BoxKind kind, const std::string& text, Buttons buttons) {
  messages.push_back({kind, text});
  if (err_) *err_ << KindName(kind) << ": " << PlainText(TextUtf8(text)) << "\n";
  switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::Cancel: return Answer::Cancel;
    case Buttons::CancelIgnore: return Answer::Ignore;
    case Buttons::YesIgnore: return configDefault_ ? Answer::Yes : Answer::Ignore;
    case Buttons::YesNo: return Answer::Yes;
    case Buttons::SaveDiscardCancel: return Answer::Cancel;  // never asked: the tool always saves to -o
  }
  return Answer::Ok;
}

std::string ProtocolName(const Document& doc) {
  return doc.Is_Mot ? "Mot" : doc.Is_DCC ? "DCC" : "ohne";
}

std::optional<int> ShownNumber(const std::string& text) {
  auto v = ParseRowInteger(text);
  if (!v) return std::nullopt;
  return *v;
}

std::optional<RowEdit> ParseRowEdit(const std::string& text) {
  RowEdit edit;
  std::string rest = text;
  size_t slash = rest.find('/');
  if (slash != std::string::npos) {
    edit.function = rest.substr(slash + 1);
    rest = rest.substr(0, slash);
    if (edit.function->empty()) return std::nullopt;
  }
  if (!rest.empty() && (rest.back() == 'g' || rest.back() == 'G' || rest.back() == 'r' || rest.back() == 'R')) {
    edit.green = rest.back() == 'g' || rest.back() == 'G';
    rest.pop_back();
  }
  edit.address = rest;
  return edit;
}

std::optional<std::string> ApplyRowEdit(Document& doc, int n, const RowEdit& edit) {
  if (n < 0 || n >= kAddressRowCount || !doc.rows[n].shown())
    return "Zeile " + std::to_string(n) + " gibt es bei diesem Dekoder nicht";
  AddressRow& row = doc.rows[n];
  if (edit.green && !doc.RG_Mode)
    return "Zeile " + std::to_string(n) + " (" + row.caption + ") hat keine Rot/Grün-Umschaltung";
  if (edit.function && doc.RG_Mode)
    return "Zeile " + std::to_string(n) + " (" + row.caption + ") hat keine Funktions-Nummer";
  if (!edit.address.empty()) row.addressText = edit.address;
  if (edit.green) row.RowGreen = *edit.green;
  if (edit.function) row.functionText = *edit.function;
  return std::nullopt;
}

}  // namespace korrin::cli
