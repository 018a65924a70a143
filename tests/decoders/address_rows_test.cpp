// Address rows on load: the accessors, the slot layout and decoding the stored codes.
#include "decoders/address_rows.h"

#include <gtest/gtest.h>

#include <set>

#include "decoders/address_codes.h"

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

void SetCells(FirmwareImage& image, int row, const std::string& c0, const std::string& c1,
              const std::string& c2) {
  int s = RowSlot(row);
  image.set_Hex_EE(s, c0);
  image.set_Hex_EE(s + 16, c1);
  image.set_Hex_EE(s + 32, c2);
}

}  // namespace

TEST(AddressRows, AccessorsRefuseBadIndices) {
  RecordingDialogs dialogs;
  AddressRows rows(&dialogs);
  for (int bad : {-1, 48}) {
    dialogs.clear();
    rows.set_Adresse_hex(bad, "0300C3");
    rows.set_Adresse_hex_f(bad, "51");
    rows.set_Adresse_dez(bad, 5);
    rows.set_Adresse_dez2(bad, 5);
    EXPECT_EQ(rows.get_Adresse_hex(bad), "error");
    EXPECT_EQ(rows.get_Adresse_hex_f(bad), "error");
    EXPECT_EQ(rows.get_Adresse_dez(bad), -1);
    EXPECT_EQ(rows.get_Adresse_dez2(bad), -1);
    const std::string n = std::to_string(bad);
    std::vector<std::string> expected = {
        "Error: schreiben Adresse Bereichsüberschreitung (" + n + ") in set_Adresse_hex",
        "Error: schreiben Adresse F Bereichsüberschreitung (" + n + ") in set_Adresse_hex_f",
        "Error: Bereichsüberschreitung (" + n + ") in set_Adresse_dez",
        "Error: Bereichsüberschreitung (" + n + ") in set_Adresse_dez2",
        "Error: lesen Adresse Bereichsüberschreitung (" + n + ") in get_Adresse_hex",
        "Error: lesen Adresse F Bereichsüberschreitung (" + n + ") in get_Adresse_hex_f",
        "Error: Bereichsüberschreitung (" + n + ") in get_Adresse_dez",
        "Error: Bereichsüberschreitung (" + n + ") in get_Adresse_dez2",
    };
    EXPECT_EQ(dialogs.texts(), expected);
    for (const auto& m : dialogs.messages) {
      EXPECT_EQ(m.kind, BoxKind::Warning);
      EXPECT_EQ(m.buttons, Buttons::Ok);
    }
  }
  // Good indices store and read back without a message.
  dialogs.clear();
  rows.set_Adresse_hex(47, "0300C3");
  rows.set_Adresse_hex_f(0, "51");
  rows.set_Adresse_dez(47, 12);
  rows.set_Adresse_dez2(0, 3);
  EXPECT_EQ(rows.get_Adresse_hex(47), "0300C3");
  EXPECT_EQ(rows.get_Adresse_hex_f(0), "51");
  EXPECT_EQ(rows.get_Adresse_dez(47), 12);
  EXPECT_EQ(rows.get_Adresse_dez2(0), 3);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST(AddressRows, SlotLayout) {
  struct Case {
    int row, slot;
  } cases[] = {{0, 0},   {1, 1},   {15, 15}, {16, 65}, {17, 66}, {30, 79},
               {31, 65}, {32, 66}, {45, 79}, {46, 65}, {47, 66}};
  for (const auto& c : cases) EXPECT_EQ(RowSlot(c.row), c.slot) << c.row;
  // No row owns the cells 0x30..0x40, 0x50, 0x60, and no two of rows 0..30 share a cell.
  std::set<int> cells;
  for (int r = 0; r <= 30; ++r)
    for (int k : {0, 16, 32}) EXPECT_TRUE(cells.insert(RowSlot(r) + k).second) << r;
  for (int c = 0x30; c <= 0x40; ++c) EXPECT_EQ(cells.count(c), 0u) << c;
  EXPECT_EQ(cells.count(0x50), 0u);
  EXPECT_EQ(cells.count(0x60), 0u);
}

TEST(DecodeAddressRows, OneRowPerFamily) {
  struct Case {
    const char* what;
    RowModes modes;
    const char *c0, *c1, *c2;
    bool greenBefore;
    int32_t address;  // Adresse_dez afterwards
    bool green;
    int32_t function;  // Adresse_dez2 afterwards (7 before)
    const char* warning;
  } cases[] = {
      {"Mot green", kMotSwitching, "03", "00", "C3", false, 1, true, 7, nullptr},
      {"Mot red", kMotSwitching, "03", "00", "03", true, 1, false, 7, nullptr},
      {"Mot erased", kMotSwitching, "FF", "FF", "FF", false, 0, true, 7, nullptr},
      {"Mot erased red", kMotSwitching, "FF", "FF", "3F", true, 0, false, 7, nullptr},
      {"Mot highest", kMotSwitching, "00", "00", "FF", false, 320, true, 7, nullptr},
      {"Mot no code", kMotSwitching, "12", "34", "56", false, kNoAddressFound, false, 7,
       "Ungültige Adresse für <Weiche> mit 0x123456"},
      {"DCC red", kDccSwitching, "79", "F0", "05", true, 1, false, 7, nullptr},
      {"DCC green", kDccSwitching, "78", "F2", "05", false, 1, true, 7, nullptr},
      {"DCC highest", kDccSwitching, "31", "1C", "FD", true, 2044, false, 7, nullptr},
      {"DCC unused keeps colour", kDccSwitching, "00", "00", "00", true, 0, true, 7, nullptr},
      {"DCC erased", kDccSwitching, "FF", "FF", "FF", false, kNoAddressFound, false, 7,
       "Ungültige Adresse für <Weiche> mit 0xFFFFFF"},
      {"Mot function", kMotFunction, "03", "00", "51", false, 1, false, 1, nullptr},
      {"Mot function 4", kMotFunction, "02", "A4", "55", false, 255, false, 4, nullptr},
      {"Mot function unused", kMotFunction, "FF", "FF", "15", false, 0, false, 3, nullptr},
      {"Mot function unknown fn", kMotFunction, "03", "00", "99", false, 1, false, 7, nullptr},
      {"Mot function no code", kMotFunction, "12", "34", "05", false, kNoAddressFound, false, 2,
       "Ungültige Adresse für <Weiche> mit 0x1234"},
      {"DCC function 272/3", kDccFunction, "84", "10", "C1", false, 272, false, 3, nullptr},
      {"DCC function 3/1", kDccFunction, "81", "03", "00", false, 3, false, 1, nullptr},
      {"DCC function 12", kDccFunction, "A8", "80", "C0", false, 128, false, 12, nullptr},
      {"DCC function malformed cell", kDccFunction, "B1", "ZZ", "00", false, 0, false, 5, nullptr},
      {"DCC function too high", kDccFunction, "81", "FF", "FF", false, 16383, false, 1,
       "Ungültige Adresse für <Weiche> mit 0x81FFFF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FirmwareImage image = BlankImage();
    SetCells(image, 1, c.c0, c.c1, c.c2);
    RecordingDialogs dialogs;
    AddressRows rows(&dialogs);
    rows[1].caption = "Weiche";
    rows[1].RowGreen = c.greenBefore;
    rows[1].Adresse_dez2 = 7;
    rows[1].addressText = rows[1].functionText = "old";
    auto focus = DecodeAddressRows(image, rows, c.modes, dialogs);
    EXPECT_EQ(rows[1].RowGreen, c.green);
    EXPECT_EQ(rows[1].Adresse_dez2, c.function);
    if (c.warning) {
      EXPECT_EQ(rows[1].Adresse_dez, c.address);
      ASSERT_EQ(dialogs.messages.size(), 1u);
      EXPECT_EQ(dialogs.messages[0].text, c.warning);
      EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
      EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
      EXPECT_EQ(rows[1].addressText, "");
      EXPECT_EQ(rows[1].functionText, "");
      EXPECT_EQ(focus, (RowFocus{1, RowEdit::Address}));
    } else {
      EXPECT_EQ(rows[1].Adresse_dez, c.address);
      EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text;
      EXPECT_EQ(rows[1].addressText, std::to_string(c.address));
      EXPECT_EQ(rows[1].functionText, std::to_string(c.function));
      EXPECT_FALSE(focus);
    }
  }
}

TEST(DecodeAddressRows, RowsReadTheirOwnSlots) {
  FirmwareImage image = BlankImage();
  // Motorola green codes of the addresses 15, 16, 30 in rows 15, 16, 30.
  struct Case {
    int row;
    int cells[3];
    int address;
  } cases[] = {{15, {0x0F, 0x1F, 0x2F}, 15}, {16, {0x41, 0x51, 0x61}, 16}, {30, {0x4F, 0x5F, 0x6F}, 30}};
  AddressRows rows;
  for (const auto& c : cases) {
    std::string code = AddressCodes().MotAccessoryCode[static_cast<size_t>(c.address)];
    image.set_Hex_EE(c.cells[0], code.substr(0, 2));
    image.set_Hex_EE(c.cells[1], code.substr(2, 2));
    image.set_Hex_EE(c.cells[2], code.substr(4, 2));
    rows[c.row].caption = "Row";
  }
  RecordingDialogs dialogs;
  DecodeAddressRows(image, rows, kMotSwitching, dialogs);
  EXPECT_TRUE(dialogs.messages.empty());
  for (const auto& c : cases) {
    EXPECT_EQ(rows[c.row].Adresse_dez, c.address) << c.row;
    EXPECT_EQ(rows[c.row].addressText, std::to_string(c.address)) << c.row;
  }
  // Row 31 shares row 16's cells, rows 0..14 read the erased cells (address 0).
  EXPECT_EQ(rows[31].Adresse_dez, 16);
  EXPECT_EQ(rows[3].Adresse_dez, 0);
}

TEST(DecodeAddressRows, ProgressRunsFromMinusOneAndEndsAtZero) {
  FirmwareImage image = BlankImage();
  AddressRows rows;
  RecordingDialogs dialogs;
  std::vector<int> positions;
  DecodeAddressRows(image, rows, kMotSwitching, dialogs, [&](int p) { positions.push_back(p); });
  ASSERT_EQ(positions.size(), 49u);
  for (int r = 0; r < 48; ++r) EXPECT_EQ(positions[static_cast<size_t>(r)], r - 1);
  EXPECT_EQ(positions.back(), 0);
}

TEST(DecodeAddressRows, WarnsOncePerShownRowInRowOrder) {
  FirmwareImage image = BlankImage();  // erased: every DCC switching row has no valid code
  RecordingDialogs dialogs;
  AddressRows rows(&dialogs);
  rows[2].caption = "Zwei";
  rows[7].caption = " ";  // a single blank is a caption
  rows[5].addressText = "untouched";
  auto focus = DecodeAddressRows(image, rows, kDccSwitching, dialogs);
  EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Ungültige Adresse für <Zwei> mit 0xFFFFFF",
                                                        "Ungültige Adresse für < > mit 0xFFFFFF"}));
  EXPECT_EQ(focus, (RowFocus{7, RowEdit::Address}));
  // Hidden rows are decoded as well, but neither checked nor shown.
  EXPECT_EQ(rows[5].Adresse_dez, kNoAddressFound);
  EXPECT_EQ(rows[5].Adresse_hex, "FFFFFF");
  EXPECT_EQ(rows[5].addressText, "untouched");
}

// A recognised type whose firmware has no protocol marker, and a type with neither red/green
// nor function mode, have no stored form for their rows: nobody is warned about them.
TEST(DecodeAddressRows, RowsWithoutFamilyGetNoWarning) {
  const RowModes cases[] = {
      {.RG_Mode = true, .MaxAddress = 0},                   // "ohne", red/green type
      {.Fn_Mode = true, .MaxAddress = 0},                   // "ohne", function type
      {.Is_Mot = true, .MaxAddress = 320, .MaxFunction = 4},  // neither mode
  };
  for (const auto& modes : cases) {
    FirmwareImage image = BlankImage();
    RecordingDialogs dialogs;
    AddressRows rows(&dialogs);
    rows[1].caption = "Ein";
    rows[2].caption = "Hell-Dunkel";
    rows[1].addressText = rows[1].functionText = "old";
    auto focus = DecodeAddressRows(image, rows, modes, dialogs);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_FALSE(focus);
    EXPECT_EQ(rows[1].addressText, "");
    EXPECT_EQ(rows[1].functionText, "");
  }
}

TEST(DecodeAddressRows, NoRowsLeavesEverything) {
  FirmwareImage image = BlankImage();
  RecordingDialogs dialogs;
  AddressRows rows(&dialogs);
  rows[1].caption = "X";
  rows[1].Adresse_dez = 12;
  rows[1].addressText = "12";
  int calls = 0;
  RowModes modes = kMotSwitching;
  modes.No_Rows = true;
  DecodeAddressRows(image, rows, modes, dialogs, [&](int) { ++calls; });
  EXPECT_EQ(rows[1].Adresse_dez, 12);
  EXPECT_EQ(rows[1].addressText, "12");
  EXPECT_EQ(calls, 0);
  EXPECT_TRUE(dialogs.messages.empty());
}
