#pragma once
// Recognising the firmware: the decoder identifier from the signature in the first three
// program words, the address protocol from two marker words, and the PIC-dependent steps
// (status text, default configuration, record location checks, the failure message).
#include <array>
#include <cstdint>
#include <string>

#include "base/dialogs.h"
#include "image/firmware_image.h"

namespace korrin {

struct Identification {
  int32_t DecoderIdentifier = 0;
  std::array<int32_t, 3> IdentifierBytes{0, 0, 0};
};

struct ProtocolFlags {
  bool Is_Mot = false;
  bool Is_DCC = false;
  bool No_Rows = false;
};

// The identifiers of the two turntable types whose firmware carries no signature.
constexpr int32_t kTurntable48Identifier = 0x30FF;
constexpr int32_t kTurntable24Identifier = 0x17E800;

Identification IdentifyDecoder(const FirmwareImage& image);
ProtocolFlags DetectProtocol(const FirmwareImage& image);

// The text appended to status panel 3 for a PIC (empty for an unknown PIC).
std::string PicStatusText(int32_t pic);

// Appends the PIC's text to statusPanel3 and sets image.ConfigDefault for image.PIC.
void ApplyPic(FirmwareImage& image, std::string& statusPanel3);

// One error box for each of ID, CONFIG and EEPROM recorded at an address the PIC does not
// keep it at (PIC 629, 684, 688 and 18324 only).
void CheckLocations(const FirmwareImage& image, Dialogs& dialogs);

// Sets helpPage to the program's own page and shows the recognition failure box.
void ReportUnrecognised(const Identification& id, const std::string& programHelpPage,
                        std::string& helpPage, Dialogs& dialogs);

}  // namespace korrin
