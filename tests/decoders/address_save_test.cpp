// Address rows on save: validating the edit texts, encoding them and storing the codes,
// and the round trip back through decoding.
#include <gtest/gtest.h>

#include <optional>

#include "decoders/address_rows.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;

namespace {

const RowModes kMotSwitching{.Is_Mot = true, .RG_Mode = true, .MaxAddress = 320, .MaxFunction = 4};
const RowModes kDccSwitching{.Is_DCC = true, .RG_Mode = true, .MaxAddress = 2044, .MaxFunction = 12};
const RowModes kMotFunction{.Is_Mot = true, .Fn_Mode = true, .MaxAddress = 320, .MaxFunction = 4};
const RowModes kDccFunction{.Is_DCC = true, .Fn_Mode = true, .MaxAddress = 16128, .MaxFunction = 12};

FirmwareImage BlankImage() {
  FirmwareImage image;
  image.ResetForNewFile();
  return image;
}

void Show(AddressRows& rows, int r, const std::string& caption, const std::string& address,
          const std::string& function = "0", bool green = false) {
  rows[r].caption = caption;
  rows[r].addressText = address;
  rows[r].functionText = function;
  rows[r].RowGreen = green;
}

}  // namespace

TEST(StoreAddressRows, StoredCellsPerFamily) {
  struct Case {
    const char* what;
    RowModes modes;
    int row;
    const char* address;
    const char* function;
    bool green;
    const char* loadedFunctionCode;  // Adresse_hex_f before the save
    const char *c0, *c1, *c2;
  } cases[] = {
      {"Mot 5 green", kMotSwitching, 1, "5", "0", true, "", "02", "00", "C3"},
      {"Mot 5 red", kMotSwitching, 1, "5", "0", false, "", "02", "00", "03"},
      {"Mot 0 green", kMotSwitching, 1, "0", "0", true, "", "FF", "FF", "FF"},
      {"Mot 0 red", kMotSwitching, 1, "0", "0", false, "", "FF", "FF", "3F"},
      {"Mot 320 green", kMotSwitching, 1, "320", "0", true, "", "00", "00", "FF"},
      {"DCC 1 red", kDccSwitching, 1, "1", "0", false, "", "79", "F0", "05"},
      {"DCC 1 green", kDccSwitching, 1, "1", "0", true, "", "78", "F2", "05"},
      {"DCC 0 red", kDccSwitching, 1, "0", "0", false, "", "00", "00", "00"},
      {"DCC 0 green", kDccSwitching, 1, "0", "0", true, "", "00", "00", "00"},
      {"Mot function 1/3", kMotFunction, 1, "1", "3", false, "51", "03", "00", "15"},
      {"Mot function 255/4", kMotFunction, 1, "255", "4", false, "51", "02", "A4", "55"},
      {"Mot function 0 keeps unused", kMotFunction, 1, "0", "2", false, "51", "FF", "FF", "05"},
      {"Mot function 0 keeps code", kMotFunction, 1, "1", "0", false, "99", "03", "00", "99"},
      {"DCC function 3/1", kDccFunction, 1, "3", "1", false, "", "81", "03", "00"},
      {"DCC function 127/2", kDccFunction, 1, "127", "2", false, "", "82", "7F", "00"},
      {"DCC function 128/12", kDccFunction, 1, "128", "12", false, "", "A8", "80", "C0"},
      {"DCC function 300/5", kDccFunction, 1, "300", "5", false, "", "B1", "2C", "C1"},
      {"DCC function 0 keeps code", kDccFunction, 1, "0", "0", false, "B8", "B8", "00", "00"},
      {"row 16", kDccSwitching, 16, "1", "0", false, "", "79", "F0", "05"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FirmwareImage image = BlankImage();
    RecordingDialogs dialogs;
    AddressRows rows(&dialogs);
    Show(rows, c.row, "Row", c.address, c.function, c.green);
    rows[c.row].Adresse_hex_f = c.loadedFunctionCode;
    EXPECT_FALSE(SaveAddressRows(image, rows, c.modes, dialogs));
    EXPECT_TRUE(dialogs.messages.empty());
    const int s = RowSlot(c.row);
    EXPECT_EQ(image.get_Hex_EE(s), c.c0);
    EXPECT_EQ(image.get_Hex_EE(s + 16), c.c1);
    EXPECT_EQ(image.get_Hex_EE(s + 32), c.c2);
    EXPECT_EQ(rows[c.row].Adresse_hex, std::string(c.c0) + c.c1 + c.c2);
    if (c.modes.Fn_Mode) {
      EXPECT_EQ(rows[c.row].Adresse_hex_f, c.modes.Is_DCC ? c.c0 : c.c2);
    }
    // No other EEPROM cell changed.
    for (int i = 0; i < kEepromCells; ++i)
      if (i != s && i != s + 16 && i != s + 32) {
        EXPECT_EQ(image.get_Hex_EE(i), "FF") << i;
      }
  }
  // Row 16 is stored in the cells 0x41, 0x51, 0x61.
  EXPECT_EQ(RowSlot(16), 0x41);
}

TEST(StoreAddressRows, HiddenRowsAndForeignCellsStayUntouched) {
  FirmwareImage image = BlankImage();
  RecordingDialogs dialogs;
  AddressRows rows(&dialogs);
  Show(rows, 2, "Licht", "1", "0", true);
  rows[3].Adresse_hex = "0300C3";  // hidden: never written
  rows[3].addressText = "garbage";  // hidden: never checked
  EXPECT_FALSE(SaveAddressRows(image, rows, kMotSwitching, dialogs));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(image.get_Hex_EE(2), "03");
  EXPECT_EQ(image.get_Hex_EE(3), "FF");
  EXPECT_EQ(image.get_Hex_EE(19), "FF");
  EXPECT_EQ(image.get_Hex_EE(35), "FF");
}

// decode(encode(x)) == x over every address and colour of both switching families and every
// address of both function families. The rows 0..30 own distinct slots, so each save and
// load handles 31 values at once.
TEST(AddressRowsRoundTrip, EveryStorableValueDecodesBack) {
  struct Value {
    int32_t address;
    bool green;
    int32_t function;
  };
  struct Family {
    const char* what;
    RowModes modes;
    std::vector<Value> values;
  };
  std::vector<Family> families(4);
  families[0] = {"Mot switching", kMotSwitching, {}};
  families[1] = {"DCC switching", kDccSwitching, {}};
  families[2] = {"Mot function", kMotFunction, {}};
  families[3] = {"DCC function", kDccFunction, {}};
  for (int a = 0; a <= 320; ++a)
    for (bool g : {false, true}) families[0].values.push_back({a, g, 0});
  for (int a = 0; a <= 2044; ++a)
    for (bool g : {false, true}) families[1].values.push_back({a, g, 0});
  for (int a = 0; a <= 255; ++a)
    for (int f = 1; f <= 4; ++f) families[2].values.push_back({a, false, f});
  for (int a = 0; a <= 16128; ++a) families[3].values.push_back({a, false, 1 + a % 12});
  for (int f = 1; f <= 12; ++f) families[3].values.push_back({16128, false, f});

  for (const auto& family : families) {
    SCOPED_TRACE(family.what);
    const bool dccUnused = family.modes.Is_DCC && family.modes.RG_Mode;
    for (size_t first = 0; first < family.values.size(); first += 31) {
      FirmwareImage image = BlankImage();
      RecordingDialogs dialogs;
      AddressRows saved(&dialogs);
      size_t count = std::min<size_t>(31, family.values.size() - first);
      for (size_t k = 0; k < count; ++k) {
        const Value& v = family.values[first + k];
        Show(saved, static_cast<int>(k), "Row", std::to_string(v.address), std::to_string(v.function), v.green);
      }
      ASSERT_FALSE(SaveAddressRows(image, saved, family.modes, dialogs));
      AddressRows loaded(&dialogs);
      for (size_t k = 0; k < count; ++k) {
        loaded[static_cast<int>(k)].caption = "Row";
        // The DCC unused address keeps the colour it had; give it the other one to see that
        // only the address is decoded.
        loaded[static_cast<int>(k)].RowGreen = !family.values[first + k].green;
      }
      DecodeAddressRows(image, loaded, family.modes, dialogs);
      ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text;
      for (size_t k = 0; k < count; ++k) {
        const Value& v = family.values[first + k];
        const AddressRow& row = loaded[static_cast<int>(k)];
        ASSERT_EQ(row.Adresse_dez, v.address) << v.address;
        ASSERT_EQ(row.addressText, std::to_string(v.address));
        if (family.modes.RG_Mode) {
          if (!(dccUnused && v.address == 0)) {
            ASSERT_EQ(row.RowGreen, v.green) << v.address;
          }
        } else {
          ASSERT_EQ(row.Adresse_dez2, v.function) << v.address;
          ASSERT_EQ(row.functionText, std::to_string(v.function));
        }
      }
    }
  }
}

TEST(ValidateAddressRows, EveryMessageWithItsFocus) {
  struct Case {
    const char* what;
    RowModes modes;
    const char* address;
    const char* function;
    const char* message;  // nullptr: passes
    RowEdit focus;
  } cases[] = {
      {"function no integer", kMotFunction, "1", "x", "Ungültige Eingabe Funktion von <Ein> ", RowEdit::Function},
      {"function empty", kDccFunction, "1", "", "Ungültige Eingabe Funktion von <Ein> ", RowEdit::Function},
      {"function below 0", kMotFunction, "1", "-1", "Funktions-Nummer für <Ein> ist zu klein", RowEdit::Function},
      {"Mot function 5", kMotFunction, "1", "5", "Funktions-Nummer für <Ein> ist zu gross", RowEdit::Function},
      {"DCC function 13", kDccFunction, "1", "13", "Funktions-Nummer für <Ein> ist zu gross", RowEdit::Function},
      {"DCC function 12", kDccFunction, "1", "12", nullptr, RowEdit::Address},
      {"function 0", kMotFunction, "1", "0", nullptr, RowEdit::Address},
      {"address empty", kMotSwitching, "", "0", "Ungültige Eingabe für <Ein> ", RowEdit::Address},
      {"address text", kMotSwitching, "abc", "0", "Ungültige Eingabe für <Ein> ", RowEdit::Address},
      {"address decimal point", kDccSwitching, "1.5", "0", "Ungültige Eingabe für <Ein> ", RowEdit::Address},
      {"address hex", kDccSwitching, "0x10", "0", "Ungültige Eingabe für <Ein> ", RowEdit::Address},
      {"address below 0", kMotSwitching, "-1", "0", "Adresse für <Ein> ist zu klein", RowEdit::Address},
      {"address 0", kMotSwitching, "0", "0", nullptr, RowEdit::Address},
      {"Mot 320", kMotSwitching, "320", "0", nullptr, RowEdit::Address},
      {"Mot 321", kMotSwitching, "321", "0", "Adresse für <Ein> ist zu gross", RowEdit::Address},
      {"DCC 2044", kDccSwitching, "2044", "0", nullptr, RowEdit::Address},
      {"DCC 2045", kDccSwitching, "2045", "0", "Adresse für <Ein> ist zu gross", RowEdit::Address},
      // Motorola function rows have address codes only up to 255.
      {"Mot function 255", kMotFunction, "255", "1", nullptr, RowEdit::Address},
      {"Mot function 256", kMotFunction, "256", "1", "Adresse für <Ein> ist zu gross", RowEdit::Address},
      {"Mot function 320", kMotFunction, "320", "1", "Adresse für <Ein> ist zu gross", RowEdit::Address},
      {"DCC function 16128", kDccFunction, "16128", "1", nullptr, RowEdit::Address},
      {"DCC function 16129", kDccFunction, "16129", "1", "Adresse für <Ein> ist zu gross", RowEdit::Address},
      {"switching rows ignore the function edit", kMotSwitching, "1", "x", nullptr, RowEdit::Address},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FirmwareImage image = BlankImage();
    RecordingDialogs dialogs;
    AddressRows rows(&dialogs);
    Show(rows, 4, "Ein", c.address, c.function);
    rows[4].Adresse_hex = "before";
    auto focus = SaveAddressRows(image, rows, c.modes, dialogs);
    if (!c.message) {
      EXPECT_FALSE(focus);
      EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text;
      continue;
    }
    EXPECT_EQ(focus, (RowFocus{4, c.focus}));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, c.message);
    EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
    EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
    // Nothing encoded or stored.
    EXPECT_EQ(rows[4].Adresse_hex, "before");
    for (int i = 0; i < kEepromCells; ++i) EXPECT_EQ(image.get_Hex_EE(i), "FF") << i;
  }
}

TEST(ValidateAddressRows, FunctionNumbersBeforeAddressesAndOnlyTheFirstFailure) {
  RecordingDialogs dialogs;
  AddressRows rows(&dialogs);
  Show(rows, 1, "Eins", "abc", "1");
  Show(rows, 2, "Zwei", "", "2");
  Show(rows, 5, "Fünf", "3", "99");
  auto focus = ValidateAddressRows(rows, kDccFunction, dialogs);
  EXPECT_EQ(focus, (RowFocus{5, RowEdit::Function}));
  EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Funktions-Nummer für <Fünf> ist zu gross"});
  // The function numbers checked so far were taken over; no address was.
  EXPECT_EQ(rows[1].Adresse_dez2, 1);
  EXPECT_EQ(rows[5].Adresse_dez2, 99);

  dialogs.clear();
  rows[5].functionText = "3";
  focus = ValidateAddressRows(rows, kDccFunction, dialogs);
  EXPECT_EQ(focus, (RowFocus{1, RowEdit::Address}));
  EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Ungültige Eingabe für <Eins> "});
}

// Row 31 of the 48-position turntable is kept in row 16's cells. The save refuses to drop
// an edit of one of the two rows silently: they must agree, or nothing is stored.
TEST(ValidateAddressRows, RowsSharingCellsMustAgree) {
  struct Case {
    const char* what;
    RowModes modes;
    const char *address16, *address31;
    bool green16, green31;
    const char *function16, *function31;
    const char* message;
  } cases[] = {
      {"same address and colour", kMotSwitching, "9", "9", true, true, "0", "0", nullptr},
      {"different address", kMotSwitching, "9", "24", true, true, "0", "0",
       "<Position9> und <Position24> werden in denselben EEPROM-Zellen gespeichert.\r"
       "Bitte für beide dieselbe Adresse und dieselbe Farbe (R/G) einstellen."},
      {"different colour", kDccSwitching, "9", "9", true, false, "0", "0",
       "<Position9> und <Position24> werden in denselben EEPROM-Zellen gespeichert.\r"
       "Bitte für beide dieselbe Adresse und dieselbe Farbe (R/G) einstellen."},
      {"DCC unused, colours differ", kDccSwitching, "0", "0", true, false, "0", "0", nullptr},
      {"different function", kDccFunction, "9", "9", false, false, "1", "2",
       "<Position9> und <Position24> werden in denselben EEPROM-Zellen gespeichert.\r"
       "Bitte für beide dieselbe Adresse und dieselbe Funktions-Nummer einstellen."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FirmwareImage image = BlankImage();
    RecordingDialogs dialogs;
    AddressRows rows(&dialogs);
    Show(rows, 16, "Position9", c.address16, c.function16, c.green16);
    Show(rows, 31, "Position24", c.address31, c.function31, c.green31);
    auto focus = SaveAddressRows(image, rows, c.modes, dialogs);
    if (!c.message) {
      EXPECT_FALSE(focus);
      EXPECT_TRUE(dialogs.messages.empty());
      EXPECT_EQ(image.get_Hex_EE(0x41) + image.get_Hex_EE(0x51) + image.get_Hex_EE(0x61),
                rows[16].Adresse_hex);
      continue;
    }
    EXPECT_EQ(focus, (RowFocus{31, RowEdit::Address}));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, c.message);
    EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
    EXPECT_EQ(image.get_Hex_EE(0x41), "FF");
  }
}

// A recognised type whose firmware has no protocol marker, a type without row mode, and a
// firmware without rows: the save neither checks nor stores any row.
TEST(ValidateAddressRows, RowsWithoutStoredFormAreNotChecked) {
  RowModes noRows = kMotSwitching;
  noRows.No_Rows = true;
  const RowModes cases[] = {
      {.RG_Mode = true, .MaxAddress = 0},
      {.Fn_Mode = true, .MaxAddress = 0, .MaxFunction = 0},
      {.Is_Mot = true, .MaxAddress = 320, .MaxFunction = 4},
      noRows,
  };
  for (const auto& modes : cases) {
    FirmwareImage image = BlankImage();
    RecordingDialogs dialogs;
    AddressRows rows(&dialogs);
    Show(rows, 1, "Ein", "", "");
    rows[1].Adresse_hex = "0300";  // what a function type without protocol reads on load
    EXPECT_FALSE(SaveAddressRows(image, rows, modes, dialogs));
    EXPECT_TRUE(dialogs.messages.empty());
    for (int i = 0; i < kEepromCells; ++i) EXPECT_EQ(image.get_Hex_EE(i), "FF") << i;
  }
}

TEST(ParseRowInteger, AcceptedForms) {
  struct Case {
    const char* text;
    std::optional<int32_t> value;
  } cases[] = {
      {"0", 0},          {"12", 12},         {"+5", 5},          {"-5", -5},
      {" 12 ", 12},      {"007", 7},         {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},            {"2147483648", std::nullopt},
      {"", std::nullopt}, {" ", std::nullopt}, {"1 2", std::nullopt}, {"+-1", std::nullopt},
      {"--1", std::nullopt}, {"12a", std::nullopt}, {"0x10", std::nullopt}, {"+", std::nullopt},
      {"-", std::nullopt}, {"1,5", std::nullopt}, {"\t1", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseRowInteger(c.text), c.value) << '"' << c.text << '"';
}
