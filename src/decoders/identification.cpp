#include "decoders/identification.h"

#include "image/format.h"
#include "image/pic_types.h"

namespace korrin {

Identification IdentifyDecoder(const FirmwareImage& image) {
  Identification id;
  for (int w = 0; w < 3; ++w) {
    // 0x30kk is MOVLW kk: its literal is one byte of the signature.
    if (image.get_Hex_ROM(2 * w + 1) == "30") id.IdentifierBytes[static_cast<size_t>(w)] = HexByteValue(image.get_Hex_ROM(2 * w));
  }
  id.DecoderIdentifier = id.IdentifierBytes[0] + 256 * id.IdentifierBytes[1] + 65536 * id.IdentifierBytes[2];
  if (id.DecoderIdentifier == 0) {
    const std::string word137 = image.get_Hex_ROM(274);
    if (word137 == "2F") {
      id.DecoderIdentifier = kTurntable48Identifier;
    } else if (word137 == "17") {
      id.DecoderIdentifier = kTurntable24Identifier;
    }
  }
  return id;
}

ProtocolFlags DetectProtocol(const FirmwareImage& image) {
  struct Rule {
    const char* w8lo;
    const char* w8hi;
    const char* w35lo;  // nullptr: any
    const char* w35hi;
    int flag;  // 0 Mot, 1 DCC, 2 no rows
  };
  static const Rule rules[] = {
      {"8B", "1C", nullptr, nullptr, 0}, {"05", "19", nullptr, nullptr, 1},
      {"81", "01", nullptr, nullptr, 2}, {"0C", "1C", "8B", "1C", 0},
      {"0C", "1C", "05", "19", 1},       {"12", "28", nullptr, nullptr, 1},
  };
  const std::string lo8 = image.get_Hex_ROM(16), hi8 = image.get_Hex_ROM(17);
  const std::string lo35 = image.get_Hex_ROM(70), hi35 = image.get_Hex_ROM(71);
  ProtocolFlags flags;
  for (const auto& r : rules) {
    if (lo8 != r.w8lo || hi8 != r.w8hi) continue;
    if (r.w35lo && (lo35 != r.w35lo || hi35 != r.w35hi)) continue;
    if (r.flag == 0) flags.Is_Mot = true;
    if (r.flag == 1) flags.Is_DCC = true;
    if (r.flag == 2) flags.No_Rows = true;
    break;
  }
  return flags;
}

std::string PicStatusText(int32_t pic) {
  const PicType* type = FindPicType(pic);
  return type != nullptr && type->name[0] != '\0' ? Format(" (%s)", type->name) : std::string();
}

void ApplyPic(FirmwareImage& image, std::string& statusPanel3) {
  statusPanel3 += PicStatusText(image.PIC);
  const PicType* type = FindPicType(image.PIC);
  if (type == nullptr) return;
  for (size_t k = 0; k < type->configDefault.size(); ++k)
    if (type->configDefault[k] != nullptr) image.ConfigDefault[k] = type->configDefault[k];
}

void CheckLocations(const FirmwareImage& image, Dialogs& dialogs) {
  const PicType* type = FindPicType(image.PIC);
  if (type == nullptr || !type->checksLocations) return;
  const MemoryMap& memory = *type->memory;
  if (image.ID_Address != memory.idWord)
    dialogs.error(Format("Das HEX-File wurde dem %s zugeordnet, die ID liegt aber nicht bei 0x%X (0x%x)",
                         memory.chips, static_cast<unsigned>(memory.idWord), image.ID_Address));
  if (image.Config_Address != memory.configWord)
    dialogs.error(Format("Das HEX-File wurde dem %s zugeordnet, CONFIG liegt aber nicht bei 0x%X (0x%x)",
                         memory.chips, static_cast<unsigned>(memory.configWord), image.Config_Address));
  if (image.EE_Address != memory.eepromWord)
    dialogs.error(Format("Das HEX-File wurde dem %s zugeordnet, EEPROM liegt aber nicht bei 0x%X (0x%x)",
                         memory.chips, static_cast<unsigned>(memory.eepromWord), image.EE_Address));
}

void ReportUnrecognised(const Identification& id, const std::string& programHelpPage,
                        std::string& helpPage, Dialogs& dialogs) {
  helpPage = programHelpPage;
  dialogs.error(Format("Das HEX-File konnte leider nicht erkannt werden: Identifier %i (%i/%i/%i)",
                       id.DecoderIdentifier, id.IdentifierBytes[0], id.IdentifierBytes[1],
                       id.IdentifierBytes[2]));
}

}  // namespace korrin
