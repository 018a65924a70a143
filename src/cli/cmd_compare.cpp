// korrin-cli dump and compare: the texts of the info dialog, and the comparison with a
// second file, raw and in the decoder's own terms.
#include <map>
#include <ostream>

#include "cli/commands.h"
#include "editors/cv_tables.h"
#include "editors/option_types.h"
#include "info/hex_compare.h"
#include "info/info_texts.h"

namespace korrin::cli {

int CmdDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') return UsageError(err, "dump braucht genau eine HEX-Datei");
  Session s(&err, false);
  LoadResult r = s.doc.LoadHexFile(args[0]);
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
std::vector<std::string> DecodedDifferences(const Document& a, const Document& b) {
  std::vector<std::string> lines;
  if (a.DecoderIdentifier != b.DecoderIdentifier) {
    lines.push_back("Typ: Identifier " + std::to_string(a.DecoderIdentifier) + " / " + std::to_string(b.DecoderIdentifier));
    return lines;
  }
  for (int r = 0; r < kAddressRowCount; ++r) {
    const AddressRow& x = a.rows[r];
    const AddressRow& y = b.rows[r];
    if (!x.shown() || !x.addressVisible) continue;
    const std::string name = "Zeile " + std::to_string(r) + " <" + x.caption + ">";
    if (x.addressText != y.addressText) lines.push_back(name + " Adresse: " + x.addressText + " / " + y.addressText);
    if (a.RG_Mode && x.RowGreen != y.RowGreen)
      lines.push_back(name + " Farbe: " + (x.RowGreen ? "grün" : "rot") + " / " + (y.RowGreen ? "grün" : "rot"));
    if (!a.RG_Mode && x.functionText != y.functionText)
      lines.push_back(name + " Funktion: " + x.functionText + " / " + y.functionText);
  }
  for (const CvRow& cv : CvTableFor(a.DecoderIdentifier)) {
    const std::string& x = a.image.Hex_EE[static_cast<size_t>(cv.offset)];
    const std::string& y = b.image.Hex_EE[static_cast<size_t>(cv.offset)];
    if (x != y) lines.push_back(std::string(cv.caption) + ": " + CvValueText(x) + " / " + CvValueText(y));
  }
  if (const OptionTypeSpec* optionType = FindOptionType(a.DecoderIdentifier, a.image.Version); optionType && !optionType->modeCaptions.empty()) {
    int ma = a.image.eepromValue(kModeByte), mb = b.image.eepromValue(kModeByte);
    if (ma != mb) {
      auto name = [&](int byte) {
        int radio = ModeRadioOfByte(byte);
        if (radio >= 1 && radio <= static_cast<int>(optionType->modeCaptions.size()))
          return optionType->modeCaptions[static_cast<size_t>(radio - 1)];
        return std::string("(kein Modus)");
      };
      lines.push_back("Modus: " + name(ma) + " / " + name(mb) + " (Byte 0x" + a.image.Hex_EE[0] + " / 0x" +
                      b.image.Hex_EE[0] + ")");
    }
  }
  return lines;
}

}  // namespace

int CmdCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool decoded = false;
  std::vector<std::string> files;
  for (const auto& a : args) {
    if (a == "--decoded") decoded = true;
    else if (!a.empty() && a[0] == '-') return UsageError(err, "unbekannte Option " + a);
    else files.push_back(a);
  }
  if (files.size() != 2) return UsageError(err, "compare braucht zwei HEX-Dateien");
  Session first(&err, false);
  if (first.doc.LoadHexFile(files[0]) == LoadResult::NotRead) return 2;
  ComparisonResult c = CompareImageWithFile(first.doc.image, first.dialogs, first.doc.LastFileName, files[1]);
  if (!c.completed) return 2;
  out << c.statusFile1 << "\n" << c.statusFile2 << "\n";
  for (const auto& line : c.eepromLines) out << line << "\n";
  for (const auto& line : c.romLines) out << line << "\n";
  bool different = c.totalDifferences() > 0;
  if (decoded) {
    Session second(&err, false);
    if (second.doc.LoadHexFile(files[1]) == LoadResult::NotRead) return 2;
    auto lines = DecodedDifferences(first.doc, second.doc);
    out << "\nUnterschiede als Dekoder-Einstellungen (File 1 / File 2):\n";
    if (lines.empty()) out << "keine\n";
    for (const auto& l : lines) out << l << "\n";
    different = different || !lines.empty();
  }
  return different ? 1 : 0;
}

}  // namespace korrin::cli
