#include "decoders/identification.h"

#include "image/format.h"

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
  switch (pic) {
    case 629: return " (12F629/16F630)";
    case 676: return " (16F676)";
    case 684: return " (16F684)";
    case 688: return " (16F688)";
    case 18324: return " (16F18324)";
    default: return "";
  }
}

void ApplyPic(FirmwareImage& image, std::string& statusPanel3) {
  statusPanel3 += PicStatusText(image.PIC);
  switch (image.PIC) {
    case 629:
    case 676: image.ConfigDefault[0] = "CC01"; break;
    case 684:
    case 688: image.ConfigDefault[0] = "CC33"; break;
    case 18324: image.ConfigDefault = {"8C17", "3C25", "FF1F", "FF3F"}; break;
    default: break;
  }
}

void CheckLocations(const FirmwareImage& image, Dialogs& dialogs) {
  const bool midRange = image.PIC == 629 || image.PIC == 684 || image.PIC == 688;
  if (midRange) {
    if (image.ID_Address != 0x2000)
      dialogs.error(Format("Das HEX-File wurde dem 12f629/16f630/16f684/16f688 zugeordnet, die ID liegt aber nicht bei 0x2000 (0x%x)", image.ID_Address));
    if (image.Config_Address != 0x2007)
      dialogs.error(Format("Das HEX-File wurde dem 12f629/16f630/16f684/16f688 zugeordnet, CONFIG liegt aber nicht bei 0x2007 (0x%x)", image.Config_Address));
    if (image.EE_Address != 0x2100)
      dialogs.error(Format("Das HEX-File wurde dem 12f629/16f630/16f684/16f688 zugeordnet, EEPROM liegt aber nicht bei 0x2100 (0x%x)", image.EE_Address));
  } else if (image.PIC == 18324) {
    if (image.ID_Address != 0x8000)
      dialogs.error(Format("Das HEX-File wurde dem 16F18324 zugeordnet, die ID liegt aber nicht bei 0x8000 (0x%x)", image.ID_Address));
    if (image.Config_Address != 0x8007)
      dialogs.error(Format("Das HEX-File wurde dem 16F18324 zugeordnet, CONFIG liegt aber nicht bei 0x8007 (0x%x)", image.Config_Address));
    if (image.EE_Address != 0xF000)
      dialogs.error(Format("Das HEX-File wurde dem 16F18324 zugeordnet, EEPROM liegt aber nicht bei 0xF000 (0x%x)", image.EE_Address));
  }
}

void ReportUnrecognised(const Identification& id, const std::string& programHelpPage,
                        std::string& helpPage, Dialogs& dialogs) {
  helpPage = programHelpPage;
  dialogs.error(Format("Das HEX-File konnte leider nicht erkannt werden: Identifier %i (%i/%i/%i)",
                       id.DecoderIdentifier, id.IdentifierBytes[0], id.IdentifierBytes[1],
                       id.IdentifierBytes[2]));
}

}  // namespace korrin
