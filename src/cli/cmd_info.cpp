// korrin-cli info: load a file as the window does and print what it shows.
#include <algorithm>
#include <cmath>
#include <iomanip>
#include <ostream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "base/text_encoding.h"
#include "cli/commands.h"
#include "cli/editor_settings.h"
#include "cli/info_json.h"

namespace korrin::cli {

namespace {

// The keys the file accepts with `set --set`, with caption and value, and the action keys.
void KeysTable(const EditorModel* model, std::ostream& out) {
  if (!model) return;
  const auto settings = model->Settings();
  if (!settings.empty()) out << "\nEinstellungen (set --set SCHLÜSSEL=WERT):\n";
  size_t width = 0;
  for (const auto& st : settings) width = std::max(width, st.key.size());
  for (const auto& st : settings)
    out << "  " << std::left << std::setw(static_cast<int>(width)) << st.key << std::right << "  "
        << EightBitToUtf8(st.caption) << ": " << EightBitToUtf8(st.value) << "\n";
  const auto actions = model->Actions();
  if (!actions.empty()) out << "\nAktionen (set --set SCHLÜSSEL=WERT):\n";
  for (const auto& a : actions) out << "  " << a.key << "=" << a.valueForm << "  " << a.description << "\n";
}

void InfoTable(Session& s, std::ostream& out) {
  Document& doc = s.doc;
  const DecoderType* entry = FindDecoderType(doc.DecoderIdentifier);
  std::ostringstream version;
  version << std::fixed << std::setprecision(2) << doc.image.Version;
  out << "Typ:        " << (entry ? entry->title : "(nicht erkannt)") << " (Identifier " << doc.DecoderIdentifier << ")\n";
  out << "PIC:        " << (doc.image.PIC ? std::to_string(doc.image.PIC) : "-") << "\n";
  out << "Protokoll:  " << ProtocolName(doc) << "\n";
  out << "Version:    " << version.str() << "\n";
  out << "ID:         " << EightBitToUtf8(doc.image.ID_Text) << "\n";
  out << "Config:     " << doc.image.Config[0] << " " << doc.image.Config[1] << " " << doc.image.Config[2] << " "
      << doc.image.Config[3] << "\n";
  bool any = false;
  for (int r = 0; r < kAddressRowCount; ++r) {
    const AddressRow& row = doc.rows[r];
    if (!row.shown() || !row.addressVisible) continue;
    if (!any) out << "\nZeile  Bezeichnung                               Adresse  " << (doc.RG_Mode ? "R/G" : "Funktion") << "\n";
    any = true;
    out << std::setw(5) << r << "  " << std::left << std::setw(40) << row.caption << std::right << "  "
        << std::setw(7) << (row.addressText.empty() ? "-" : row.addressText) << "  ";
    if (doc.RG_Mode) {
      out << (row.RowGreen ? "grün" : "rot");
    } else {
      out << (row.functionText.empty() ? "-" : row.functionText);
    }
    out << "\n";
  }
  KeysTable(doc.ShownEditor(), out);
}

}  // namespace

int CmdInfo(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
  Session s(&err, args.has("--config-default"));
  LoadResult r = s.doc.LoadHexFile(args.operands[0]);
  if (r == LoadResult::NotRead) return 2;
  if (args.has("--json")) {
    out << InfoJson(s.doc, s.dialogs.messages).dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
  } else {
    InfoTable(s, out);
  }
  return r == LoadResult::Loaded ? 0 : 1;
}

}  // namespace korrin::cli
