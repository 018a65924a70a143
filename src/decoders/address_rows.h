#pragma once
// The 48 address rows of the main window: what each row shows (caption, edits, buttons,
// hints) and what it holds (decimal address, function number, the stored codes, the
// red/green flag), and the two directions between the rows and the EEPROM: decoding the
// stored codes on load, and validating, encoding and storing the typed numbers on save.
//
// Everything here is plain data. The catalogue step sets captions, visibility and hints;
// the window renders the rows and writes the user's edits back into addressText and
// functionText; the save validates exactly those texts.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/dialogs.h"
#include "image/firmware_image.h"

namespace korrin {

constexpr int kAddressRowCount = 48;
// Maximum of the progress bar while the rows are decoded.
constexpr int kDecodeProgressMaximum = 32;
// Adresse_dez of a row whose stored code matched nothing.
constexpr int32_t kNoAddressFound = 999999;

struct AddressRow {
  // Values.
  int32_t Adresse_dez = 0;    // decimal address, 0 = unused
  int32_t Adresse_dez2 = 0;   // function number (Motorola 1..4, DCC 1..12), 0 = keep the code
  std::string Adresse_hex;    // the row's code as read from or written to the EEPROM
  std::string Adresse_hex_f;  // the function code, two hex digits
  bool RowGreen = false;      // switching rows: true = the green output of the pair

  // Presentation (the row label, the address and function edits, the red/green button).
  std::string caption;       // empty = the row is not shown
  std::string addressText;   // text of the address edit
  std::string functionText;  // text of the function edit
  bool captionVisible = false;
  bool addressVisible = false;
  bool functionVisible = false;
  bool rgVisible = false;
  std::string addressHint;
  std::string functionHint;
  bool addressHintShown = false;
  bool functionHintShown = false;

  // A row takes part in decoding checks and saving when it has a caption (a single blank
  // counts as a caption).
  bool shown() const { return !caption.empty(); }
};

// Which edit of a row a message is about; the window gives that edit the input focus.
enum class RowEdit { Address, Function };

struct RowFocus {
  int row = 0;
  RowEdit edit = RowEdit::Address;
  bool operator==(const RowFocus&) const = default;
};

// The protocol flags of the firmware, the row modes of the catalogue and the input limits.
struct RowModes {
  bool Is_Mot = false;
  bool Is_DCC = false;
  bool No_Rows = false;
  bool RG_Mode = false;
  bool Fn_Mode = false;
  bool CV_Mode = false;
  int32_t MaxAddress = 0;
  int32_t MaxFunction = 0;
};

// What the three EEPROM cells of a row mean; the first family whose condition holds.
enum class RowFamily {
  None,          // no protocol marker, or neither red/green nor function mode
  MotSwitching,  // Is_Mot and RG_Mode: a MotAccessoryCode entry or its red variant
  DccSwitching,  // Is_DCC and RG_Mode: a DccAccessoryCode entry or its green variant
  MotFunction,   // Is_Mot and Fn_Mode: MotAddressCode + MotFunctionCode
  DccFunction,   // Is_DCC and Fn_Mode: DccFunctionCode, address low byte, high byte
};

RowFamily FamilyOf(const RowModes& modes);

// True when the rows have a stored form at all: rows exist (No_Rows is false) and a family
// applies. Otherwise decoding shows no row warnings and saving checks and stores no row.
bool RowsAreStored(const RowModes& modes);

// The highest address a row of this family can be saved with: MaxAddress, but never more
// than the family can store so that it decodes back (Motorola function rows: 255).
int32_t StorableAddressLimit(const RowModes& modes);
// The highest function number that is stored: MaxFunction, at most 4 (Motorola) or 12 (DCC).
int32_t StorableFunctionLimit(const RowModes& modes);

// The EEPROM slot s of row r; the row owns the cells s, s + 16 and s + 32.
// Rows 0..15 -> 0..15, rows 16..30 -> 65..79, then the slots repeat from 65 (row 31 -> 65,
// row 46 -> 65, row 47 -> 66). Rows outside 0..47 follow the same counter.
int RowSlot(int r);

// The 48 rows with their range-checked accessors. A bad index shows a warning (OK) and
// stores nothing or returns the error value ("error", -1); the caller carries on.
class AddressRows {
 public:
  explicit AddressRows(Dialogs* dialogs = nullptr) : dialogs_(dialogs) {}
  void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }

  std::array<AddressRow, kAddressRowCount> rows{};
  AddressRow& operator[](int r) { return rows[static_cast<size_t>(r)]; }
  const AddressRow& operator[](int r) const { return rows[static_cast<size_t>(r)]; }

  void set_Adresse_hex(int32_t index, const std::string& text);
  std::string get_Adresse_hex(int32_t index) const;
  void set_Adresse_hex_f(int32_t index, const std::string& text);
  std::string get_Adresse_hex_f(int32_t index) const;
  void set_Adresse_dez(int32_t index, int32_t value);
  int32_t get_Adresse_dez(int32_t index) const;
  void set_Adresse_dez2(int32_t index, int32_t value);
  int32_t get_Adresse_dez2(int32_t index) const;

 private:
  bool inRange(int32_t index, const char* message) const;
  Dialogs* dialogs_ = nullptr;
};

// Turns the stored codes of all 48 rows into numbers and fills the edits of the shown rows.
// progress receives the row index - 1 while row r is read (-1 .. 46) and 0 at the end
// (maximum kDecodeProgressMaximum). A shown row whose code matches nothing gets the warning
// "Ungültige Adresse für <%s> mit 0x%s" and empty edits. Returns the edit that should have
// the input focus afterwards (the last row warned about), if any.
// Does nothing with No_Rows; without a family the cells are read but no row is warned about
// and the edits are emptied.
std::optional<RowFocus> DecodeAddressRows(const FirmwareImage& image, AddressRows& rows, const RowModes& modes, Dialogs& dialogs,
                                          const std::function<void(int)>& progress = {});

// Checks the edit texts of the shown rows: every function number first (function mode
// only), then every address, then that rows sharing an EEPROM slot agree. Stops at the
// first bad value with a warning (Cancel) and returns the edit to focus; std::nullopt when
// every row passed. Sets Adresse_dez / Adresse_dez2 of the rows checked so far.
// Checks nothing (and passes) with No_Rows or without a family.
std::optional<RowFocus> ValidateAddressRows(AddressRows& rows, const RowModes& modes, Dialogs& dialogs);

// Sets Adresse_hex (and Adresse_hex_f of function rows) of every shown row from the
// validated numbers.
void EncodeAddressRows(AddressRows& rows, const RowModes& modes);

// Writes the codes of the shown rows into their EEPROM cells; the cells of hidden rows and
// the cells outside the row slots stay as they are.
void StoreAddressRows(FirmwareImage& image, AddressRows& rows, const RowModes& modes);

// Validate, encode and store in one: nothing is encoded or stored when a check fails.
std::optional<RowFocus> SaveAddressRows(FirmwareImage& image, AddressRows& rows, const RowModes& modes, Dialogs& dialogs);

// The code row r would be stored with for address a and function number f (the function
// rows keep their loaded function code for f outside the stored range).
std::string RowCode(const AddressRow& row, const RowModes& modes, int32_t a, int32_t f);

// The edit texts' integer form: optional blanks around an optional sign and decimal digits,
// within the 32-bit range.
std::optional<int32_t> ParseRowInteger(const std::string& text);

}  // namespace korrin
