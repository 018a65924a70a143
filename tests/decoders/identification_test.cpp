#include "decoders/identification.h"

#include <gtest/gtest.h>

#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;

namespace {
void SetWord(FirmwareImage& image, int w, int word) {
  image.setRomValue(2 * w, word & 0xFF);
  image.setRomValue(2 * w + 1, word >> 8);
}
}  // namespace

TEST(IdentifyDecoder, SignatureAndFallbacks) {
  struct Case {
    int w0, w1, w2, w137;
    int32_t identifier;
    std::array<int32_t, 3> bytes;
  } cases[] = {
      {0x3008, 0x3000, 0x3000, 0x3FFF, 8, {8, 0, 0}},
      {0x3067, 0x3002, 0x3000, 0x3FFF, 0x267, {0x67, 2, 0}},
      {0x3108, 0x3000, 0x3000, 0x3FFF, 0, {0, 0, 0}},  // 0x31.. is no MOVLW
      {0x3FFF, 0x3FFF, 0x3FFF, 0x0A2F, 0x30FF, {0, 0, 0}},
      {0x3FFF, 0x3FFF, 0x3FFF, 0x0A17, 0x17E800, {0, 0, 0}},
      {0x3FFF, 0x3FFF, 0x3FFF, 0x2F12, 0, {0, 0, 0}},
      {0x3012, 0x3034, 0x3056, 0x0A2F, 5649426, {18, 52, 86}},  // signature wins over fallback
  };
  for (const auto& c : cases) {
    FirmwareImage image;
    image.ResetForNewFile();
    SetWord(image, 0, c.w0);
    SetWord(image, 1, c.w1);
    SetWord(image, 2, c.w2);
    SetWord(image, 137, c.w137);
    Identification id = IdentifyDecoder(image);
    EXPECT_EQ(id.DecoderIdentifier, c.identifier) << std::hex << c.w0;
    EXPECT_EQ(id.IdentifierBytes, c.bytes) << std::hex << c.w0;
  }
}

TEST(DetectProtocol, RulesInOrder) {
  struct Case {
    int w8, w35;
    bool mot, dcc, noRows;
  } cases[] = {
      {0x1C8B, 0x0000, true, false, false}, {0x1C8B, 0x1905, true, false, false},
      {0x1905, 0x1C8B, false, true, false}, {0x0181, 0x0000, false, false, true},
      {0x1C0C, 0x1C8B, true, false, false}, {0x1C0C, 0x1905, false, true, false},
      {0x1C0C, 0x0000, false, false, false}, {0x2812, 0x0000, false, true, false},
      {0x3FFF, 0x1C8B, false, false, false},
  };
  for (const auto& c : cases) {
    FirmwareImage image;
    image.ResetForNewFile();
    SetWord(image, 8, c.w8);
    SetWord(image, 35, c.w35);
    ProtocolFlags f = DetectProtocol(image);
    EXPECT_EQ(f.Is_Mot, c.mot) << std::hex << c.w8 << " " << c.w35;
    EXPECT_EQ(f.Is_DCC, c.dcc) << std::hex << c.w8 << " " << c.w35;
    EXPECT_EQ(f.No_Rows, c.noRows) << std::hex << c.w8 << " " << c.w35;
  }
}

TEST(ApplyPic, StatusTextAndDefaults) {
  FirmwareImage image;
  image.ResetForNewFile();
  image.ConfigDefault.fill("");
  image.PIC = 18324;
  std::string panel = "/tmp/a.hex";
  ApplyPic(image, panel);
  ApplyPic(image, panel);  // the step runs twice at start-up with a file argument
  EXPECT_EQ(panel, "/tmp/a.hex (16F18324) (16F18324)");
  EXPECT_EQ(image.ConfigDefault, (std::array<std::string, 4>{"8C17", "3C25", "FF1F", "FF3F"}));

  image.ConfigDefault.fill("");
  image.PIC = 684;
  panel.clear();
  ApplyPic(image, panel);
  EXPECT_EQ(panel, " (16F684)");
  EXPECT_EQ(image.ConfigDefault, (std::array<std::string, 4>{"CC33", "", "", ""}));
  image.PIC = 0;
  panel.clear();
  ApplyPic(image, panel);
  EXPECT_EQ(panel, "");
}

TEST(CheckLocations, OneBoxPerMisplacedRecord) {
  RecordingDialogs dialogs;
  FirmwareImage image;
  image.PIC = 684;
  image.ID_Address = 0x2000;
  image.Config_Address = 0x2008;
  image.EE_Address = 0x2100;
  CheckLocations(image, dialogs);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_EQ(dialogs.messages[0].text,
            "Das HEX-File wurde dem 12f629/16f630/16f684/16f688 zugeordnet, CONFIG liegt aber nicht bei 0x2007 (0x2008)");

  dialogs.clear();
  image.PIC = 676;  // never checked
  CheckLocations(image, dialogs);
  EXPECT_TRUE(dialogs.messages.empty());

  image.PIC = 18324;
  image.ID_Address = 0;
  image.Config_Address = 0x8007;
  image.EE_Address = 0x2100;
  CheckLocations(image, dialogs);
  EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{
      "Das HEX-File wurde dem 16F18324 zugeordnet, die ID liegt aber nicht bei 0x8000 (0x0)",
      "Das HEX-File wurde dem 16F18324 zugeordnet, EEPROM liegt aber nicht bei 0xF000 (0x2100)"}));
}

TEST(ReportUnrecognised, MessageAndHelpPage) {
  RecordingDialogs dialogs;
  Identification id{5649426, {18, 52, 86}};
  std::string help = "help/typ.html";
  ReportUnrecognised(id, "help/index.html", help, dialogs);
  EXPECT_EQ(help, "help/index.html");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Das HEX-File konnte leider nicht erkannt werden: Identifier 5649426 (18/52/86)");
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Error);
}
