// korrin-cli dump and compare: the texts of the info dialog, and the comparison with a
// second file, raw and in the decoder's own terms.
#include <map>
#include <ostream>

#include "cli/commands.h"
#include "cli/editor_settings.h"
#include "info/hex_compare.h"
#include "info/info_texts.h"

namespace korrin::cli {

int CmdDump(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
  Session s(&err, false);
  LoadResult r = s.doc.LoadHexFile(args.operands[0]);
  if (r == LoadResult::NotRead) return 2;
  InfoTexts t = MakeInfoTexts(s.doc.image);
  out << "Config: " << t.config[0] << " " << t.config[1] << " " << t.config[2] << " " << t.config[3] << "\n";
  out << "ID: " << t.id[0] << " " << t.id[1] << " " << t.id[2] << " " << t.id[3] << "\n";
  out << t.romCount << "\n\nEEPROM:\n";
  for (const auto& line : t.dump.eeprom) out << line << "\n";
  out << "\nROM:\n";
  for (const auto& line : t.dump.rom) out << line << "\n";
  return r == LoadResult::Loaded ? 0 : 1;
}

namespace {

// The differences of two loaded decoders in their own terms; one line each.
std::vector<std::string> DecodedDifferences(Document& a, Document& b) {
  std::vector<std::string> lines;
  if (a.DecoderIdentifier != b.DecoderIdentifier) {
    lines.push_back("Typ: " + TypeName(a) + " → " + TypeName(b));
    return lines;
  }
  for (int r = 0; r < kAddressRowCount; ++r) {
    const AddressRow& x = a.rows[r];
    const AddressRow& y = b.rows[r];
    if (!x.shown() || !x.addressVisible) continue;
    const std::string name = "Zeile " + std::to_string(r) + " <" + x.caption + ">";
    if (x.addressText != y.addressText)
      lines.push_back(name + " Adresse: " + TextUtf8(x.addressText) + " → " + TextUtf8(y.addressText));
    if (a.RG_Mode && x.RowGreen != y.RowGreen)
      lines.push_back(name + " Farbe: " + (x.RowGreen ? "grün" : "rot") + " → " + (y.RowGreen ? "grün" : "rot"));
    if (!a.RG_Mode && x.functionText != y.functionText)
      lines.push_back(name + " Funktion: " + TextUtf8(x.functionText) + " → " + TextUtf8(y.functionText));
  }
  const EditorModel* ma = a.ShownEditor();
  const EditorModel* mb = b.ShownEditor();
  if (ma && mb) {
    auto more = SettingDifferences(ma->Settings(), mb->Settings());
    lines.insert(lines.end(), more.begin(), more.end());
  }
  return lines;
}

}  // namespace

int CmdCompare(const ParsedArgs& args, std::ostream& out, std::ostream& err) {
  const std::string& file1 = args.operands[0];
  const std::string& file2 = args.operands[1];
  Session first(&err, false);
  if (first.doc.LoadHexFile(file1) == LoadResult::NotRead) return 2;
  ComparisonResult c = CompareImageWithFile(first.doc.image, first.dialogs, first.doc.LastFileName, file2);
  // Not completed: File 2 unreadable, a line of it refused, or no data record in it (the
  // comparison has said which); nothing was compared.
  if (!c.completed) return 2;
  out << TextUtf8(c.statusFile1) << "\n" << TextUtf8(c.statusFile2) << "\n";
  for (const auto& line : c.eepromLines) out << TextUtf8(line) << "\n";
  for (const auto& line : c.romLines) out << TextUtf8(line) << "\n";
  bool different = c.totalDifferences() > 0;
  if (args.has("--decoded")) {
    Session second(&err, false);
    if (second.doc.LoadHexFile(file2) == LoadResult::NotRead) return 2;
    auto lines = DecodedDifferences(first.doc, second.doc);
    out << "\nUnterschiede als Dekoder-Einstellungen (File 1 → File 2):\n";
    if (lines.empty()) out << "keine\n";
    for (const auto& l : lines) out << l << "\n";
    different = different || !lines.empty();
  }
  return different ? 1 : 0;
}

}  // namespace korrin::cli
