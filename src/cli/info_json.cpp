// The JSON of `korrin-cli info --json`; the web page reads the same text.
#include "cli/info_json.h"

#include <cmath>

#include "base/text_encoding.h"
#include "cli/editor_settings.h"

namespace korrin::cli {

nlohmann::ordered_json InfoJson(Document& doc, const std::vector<Message>& shownMessages) {
  nlohmann::ordered_json j;
  j["identifier"] = doc.DecoderIdentifier;
  j["identifier_bytes"] = doc.identification.IdentifierBytes;
  const DecoderType* entry = FindDecoderType(doc.DecoderIdentifier);
  j["title"] = entry ? nlohmann::ordered_json(std::string(entry->title)) : nlohmann::ordered_json(nullptr);
  j["pic"] = doc.image.PIC;
  j["protocol"] = ProtocolName(doc);
  j["version"] = std::round(static_cast<double>(doc.image.Version) * 100.0) / 100.0;
  j["id"] = EightBitToUtf8(doc.image.ID_Text);
  j["config"] = nlohmann::ordered_json::array();
  for (const auto& c : doc.image.Config) j["config"].push_back(EightBitToUtf8(c));
  std::string eeprom;
  for (const auto& cell : doc.image.Hex_EE) eeprom += cell;
  j["eeprom"] = EightBitToUtf8(eeprom);
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  for (int r = 0; r < kAddressRowCount; ++r) {
    const AddressRow& row = doc.rows[r];
    if (!row.shown()) continue;
    nlohmann::ordered_json o;
    o["row"] = r;
    o["caption"] = row.caption;
    auto address = ShownNumber(row.addressText);
    o["address"] = address ? nlohmann::ordered_json(*address) : nlohmann::ordered_json(nullptr);
    if (doc.RG_Mode) {
      o["green"] = row.RowGreen;
    } else {
      auto f = ShownNumber(row.functionText);
      o["function"] = f ? *f : row.Adresse_dez2;
    }
    rows.push_back(o);
  }
  j["rows"] = rows;
  const char* frame = FrameKey(doc.layout.frameKind);
  j["frame"] = frame ? nlohmann::ordered_json(frame) : nlohmann::ordered_json(nullptr);
  j["editor"] = EditorStateJson(doc.ShownEditor());
  nlohmann::ordered_json messages = nlohmann::ordered_json::array();
  for (const auto& m : shownMessages) messages.push_back({{"kind", KindName(m.kind)}, {"text", TextUtf8(m.text)}});
  j["messages"] = messages;
  return j;
}

}  // namespace korrin::cli
