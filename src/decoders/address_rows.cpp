#include "decoders/address_rows.h"

#include <algorithm>
#include <charconv>

#include "decoders/address_codes.h"
#include "image/format.h"

namespace korrin {

namespace {

// Motorola function rows with address 0 (unused) keep this address code: it is no
// Motorola code, so the decoder reacts to nothing, and it decodes back to 0.
const char* const kMotUnusedAddressCode = "FFFF";
// DCC switching rows with address 0 are stored as this code.
const char* const kDccUnusedCode = "000000";

// Steps the slot counter of the rows: m counts 0..15 in bank 0, then 1..15 in bank 4.
void NextSlot(int& m, int& b) {
  ++m;
  if (m > 15) {
    m = 1;
    if (b == 0) b = 4;
  }
}

// The value of a cell: the byte whose HexByteText entry is the cell text, 0 if none is.
int CellValue(const std::string& text) {
  const auto& bytes = HexByteText();
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == text) return static_cast<int>(i);
  return 0;
}

// Characters [pos, pos + 2) of a code, or what there is of them.
std::string Piece(const std::string& code, size_t pos) {
  return pos < code.size() ? code.substr(pos, 2) : std::string();
}

std::string ThreeCells(const FirmwareImage& image, int s) {
  return image.get_Hex_EE(s) + image.get_Hex_EE(s + 16) + image.get_Hex_EE(s + 32);
}

Answer Refuse(Dialogs& dialogs, const std::string& text) {
  return dialogs.show(BoxKind::Warning, text, Buttons::Cancel);
}

}  // namespace

RowFamily FamilyOf(const RowModes& modes) {
  if (modes.Is_Mot && modes.RG_Mode) return RowFamily::MotSwitching;
  if (modes.Is_DCC && modes.RG_Mode) return RowFamily::DccSwitching;
  if (modes.Is_Mot && modes.Fn_Mode) return RowFamily::MotFunction;
  if (modes.Is_DCC && modes.Fn_Mode) return RowFamily::DccFunction;
  return RowFamily::None;
}

bool RowsAreStored(const RowModes& modes) {
  return !modes.No_Rows && FamilyOf(modes) != RowFamily::None;
}

int32_t StorableAddressLimit(const RowModes& modes) {
  switch (FamilyOf(modes)) {
    case RowFamily::MotSwitching: return std::min(modes.MaxAddress, kMaxMotAccessory);
    case RowFamily::DccSwitching: return std::min(modes.MaxAddress, kMaxDccAccessory);
    case RowFamily::MotFunction: return std::min(modes.MaxAddress, kMaxMotAddress);
    case RowFamily::DccFunction: return std::min(modes.MaxAddress, 0x3FFF);  // 6 + 8 bits
    case RowFamily::None: break;
  }
  return modes.MaxAddress;
}

int32_t StorableFunctionLimit(const RowModes& modes) {
  switch (FamilyOf(modes)) {
    case RowFamily::MotFunction: return std::min(modes.MaxFunction, 4);
    case RowFamily::DccFunction: return std::min(modes.MaxFunction, 12);
    default: return modes.MaxFunction;
  }
}

int RowSlot(int r) {
  int m = 0, b = 0;
  for (int i = 0; i < r; ++i) NextSlot(m, b);
  return 16 * b + m;
}

// ---- accessors ----

bool AddressRows::inRange(int32_t index, const char* message) const {
  if (index >= 0 && index < kAddressRowCount) return true;
  if (dialogs_) dialogs_->warning(Format(message, index));
  return false;
}

void AddressRows::set_Adresse_hex(int32_t index, const std::string& text) {
  if (inRange(index, "Error: schreiben Adresse Bereichsüberschreitung (%i) in set_Adresse_hex"))
    (*this)[index].Adresse_hex = text;
}

std::string AddressRows::get_Adresse_hex(int32_t index) const {
  if (!inRange(index, "Error: lesen Adresse Bereichsüberschreitung (%i) in get_Adresse_hex")) return "error";
  return (*this)[index].Adresse_hex;
}

void AddressRows::set_Adresse_hex_f(int32_t index, const std::string& text) {
  if (inRange(index, "Error: schreiben Adresse F Bereichsüberschreitung (%i) in set_Adresse_hex_f"))
    (*this)[index].Adresse_hex_f = text;
}

std::string AddressRows::get_Adresse_hex_f(int32_t index) const {
  if (!inRange(index, "Error: lesen Adresse F Bereichsüberschreitung (%i) in get_Adresse_hex_f")) return "error";
  return (*this)[index].Adresse_hex_f;
}

void AddressRows::set_Adresse_dez(int32_t index, int32_t value) {
  if (inRange(index, "Error: Bereichsüberschreitung (%d) in set_Adresse_dez")) (*this)[index].Adresse_dez = value;
}

int32_t AddressRows::get_Adresse_dez(int32_t index) const {
  if (!inRange(index, "Error: Bereichsüberschreitung (%d) in get_Adresse_dez")) return -1;
  return (*this)[index].Adresse_dez;
}

void AddressRows::set_Adresse_dez2(int32_t index, int32_t value) {
  if (inRange(index, "Error: Bereichsüberschreitung (%d) in set_Adresse_dez2")) (*this)[index].Adresse_dez2 = value;
}

int32_t AddressRows::get_Adresse_dez2(int32_t index) const {
  if (!inRange(index, "Error: Bereichsüberschreitung (%d) in get_Adresse_dez2")) return -1;
  return (*this)[index].Adresse_dez2;
}

// ---- load ----

std::optional<RowFocus> DecodeAddressRows(const FirmwareImage& image, AddressRows& rows,
                                          const RowModes& modes, Dialogs& dialogs,
                                          const std::function<void(int)>& progress) {
  if (modes.No_Rows) return std::nullopt;
  const AddressCodeTables& codes = AddressCodes();
  const RowFamily family = FamilyOf(modes);
  auto report = [&](int value) {
    if (progress) progress(value);
  };

  int m = 0, b = 0;
  for (int r = 0; r < kAddressRowCount; ++r) {
    report(r - 1);
    rows.set_Adresse_dez(r, kNoAddressFound);
    const int s = 16 * b + m;
    AddressRow& row = rows[r];

    if (modes.RG_Mode) {
      rows.set_Adresse_hex(r, ThreeCells(image, s));
    } else if (modes.Fn_Mode && modes.Is_DCC) {
      rows.set_Adresse_hex_f(r, image.get_Hex_EE(s));
      // The address of this family is a number, not a code; the row keeps its three cells
      // as its code so that a warning about the row can show what is stored.
      rows.set_Adresse_hex(r, ThreeCells(image, s));
    } else if (modes.Fn_Mode) {
      rows.set_Adresse_hex(r, image.get_Hex_EE(s) + image.get_Hex_EE(s + 16));
      rows.set_Adresse_hex_f(r, image.get_Hex_EE(s + 32));
    }

    const std::string& hex = row.Adresse_hex;
    switch (family) {
      case RowFamily::MotSwitching:
        if (auto match = codes.FindMotAccessory(hex, modes.MaxAddress)) {
          rows.set_Adresse_dez(r, match->index);
          row.RowGreen = match->green;
        }
        break;
      case RowFamily::DccSwitching:
        if (hex == kDccUnusedCode) {
          rows.set_Adresse_dez(r, 0);  // the colour flag stays as it was
        } else if (auto match = codes.FindDccAccessory(hex, modes.MaxAddress)) {
          rows.set_Adresse_dez(r, match->index);
          row.RowGreen = match->green;
        }
        break;
      case RowFamily::MotFunction: {
        if (hex == kMotUnusedAddressCode) rows.set_Adresse_dez(r, 0);
        if (auto index = codes.FindMotAddress(hex, modes.MaxAddress)) rows.set_Adresse_dez(r, *index);
        const auto& fn = MotFunctionCode();
        for (int f = 1; f < static_cast<int>(fn.size()); ++f)
          if (row.Adresse_hex_f == fn[static_cast<size_t>(f)]) rows.set_Adresse_dez2(r, f);
        break;
      }
      case RowFamily::DccFunction: {
        const int lo = CellValue(image.get_Hex_EE(s + 16));
        const int hi = CellValue(image.get_Hex_EE(s + 32)) & 0x3F;
        rows.set_Adresse_dez(r, 256 * hi + lo);
        const auto& fn = DccFunctionCode();
        for (int f = 1; f < static_cast<int>(fn.size()); ++f)
          if (row.Adresse_hex_f == fn[static_cast<size_t>(f)]) rows.set_Adresse_dez2(r, f);
        break;
      }
      case RowFamily::None:
        break;
    }
    NextSlot(m, b);
  }
  report(0);

  std::optional<RowFocus> focus;
  for (int r = 0; r < kAddressRowCount; ++r) {
    AddressRow& row = rows[r];
    if (!row.shown()) continue;
    if (family == RowFamily::None) {
      // Nothing of these rows is stored in a form this program knows: nothing to show.
      row.addressText.clear();
      row.functionText.clear();
      continue;
    }
    if (rows.get_Adresse_dez(r) > modes.MaxAddress) {
      Refuse(dialogs, Format("Ungültige Adresse für <%s> mit 0x%s", row.caption.c_str(),
                             row.Adresse_hex.c_str()));
      row.addressText.clear();
      row.functionText.clear();
      focus = RowFocus{r, RowEdit::Address};
    } else {
      row.addressText = std::to_string(row.Adresse_dez);
      row.functionText = std::to_string(row.Adresse_dez2);
    }
  }
  return focus;
}

// ---- save ----

std::optional<int32_t> ParseRowInteger(const std::string& text) {
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return std::nullopt;
  size_t end = text.find_last_not_of(' ') + 1;
  const char* first = text.data() + begin;
  const char* last = text.data() + end;
  if (*first == '+') {
    ++first;
    if (first == last || *first == '-' || *first == '+') return std::nullopt;
  }
  int32_t value = 0;
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return value;
}

std::string RowCode(const AddressRow& row, const RowModes& modes, int32_t a, int32_t f) {
  const AddressCodeTables& codes = AddressCodes();
  switch (FamilyOf(modes)) {
    case RowFamily::MotSwitching: {
      const std::string& green = CodeAt(codes.MotAccessoryCode, a);
      return row.RowGreen ? green : MotRedVariant(green);
    }
    case RowFamily::DccSwitching: {
      const std::string& red = CodeAt(codes.DccAccessoryCode, a);
      return row.RowGreen ? DccGreenVariant(red) : red;
    }
    case RowFamily::MotFunction: {
      std::string address = a == 0 ? std::string(kMotUnusedAddressCode) : CodeAt(codes.MotAddressCode, a);
      std::string function = (f >= 1 && f <= 4) ? MotFunctionCode()[static_cast<size_t>(f)] : row.Adresse_hex_f;
      return address + function;
    }
    case RowFamily::DccFunction: {
      int hi = a / 256;
      int lo = a - 256 * hi;
      if (lo > 127 || hi > 0) hi |= 0xC0;
      const auto& bytes = HexByteText();
      std::string function = (f >= 1 && f <= 12) ? DccFunctionCode()[static_cast<size_t>(f)] : row.Adresse_hex_f;
      return function + bytes[static_cast<size_t>(lo & 0xFF)] + bytes[static_cast<size_t>(hi & 0xFF)];
    }
    case RowFamily::None: break;
  }
  return std::string();
}

namespace {

// The code a row stores: an empty code is stored as "000000".
std::string StoredCode(const AddressRow& row, const RowModes& modes) {
  std::string code = RowCode(row, modes, row.Adresse_dez, row.Adresse_dez2);
  return code.empty() ? std::string(kDccUnusedCode) : code;
}

}  // namespace

std::optional<RowFocus> ValidateAddressRows(AddressRows& rows, const RowModes& modes,
                                            Dialogs& dialogs) {
  if (!RowsAreStored(modes)) return std::nullopt;

  if (modes.Fn_Mode) {
    const int32_t limit = StorableFunctionLimit(modes);
    for (int r = 0; r < kAddressRowCount; ++r) {
      const AddressRow& row = rows[r];
      if (!row.shown()) continue;
      const char* caption = row.caption.c_str();
      const RowFocus focus{r, RowEdit::Function};
      std::optional<int32_t> value = ParseRowInteger(row.functionText);
      if (!value) {
        Refuse(dialogs, Format("Ungültige Eingabe Funktion von <%s> ", caption));
        return focus;
      }
      rows.set_Adresse_dez2(r, *value);
      if (*value < 0) {
        Refuse(dialogs, Format("Funktions-Nummer für <%s> ist zu klein", caption));
        return focus;
      }
      if (*value > limit) {
        Refuse(dialogs, Format("Funktions-Nummer für <%s> ist zu gross", caption));
        return focus;
      }
    }
  }

  const int32_t limit = StorableAddressLimit(modes);
  for (int r = 0; r < kAddressRowCount; ++r) {
    const AddressRow& row = rows[r];
    if (!row.shown()) continue;
    const char* caption = row.caption.c_str();
    const RowFocus focus{r, RowEdit::Address};
    std::optional<int32_t> value = ParseRowInteger(row.addressText);
    if (!value) {
      Refuse(dialogs, Format("Ungültige Eingabe für <%s> ", caption));
      return focus;
    }
    rows.set_Adresse_dez(r, *value);
    if (*value < 0) {
      Refuse(dialogs, Format("Adresse für <%s> ist zu klein", caption));
      return focus;
    }
    if (*value > limit) {
      Refuse(dialogs, Format("Adresse für <%s> ist zu gross", caption));
      return focus;
    }
  }

  // Rows from 31 on share their cells with earlier rows. Both rows would be written into the
  // same cells, the later one overwriting the earlier; so they must agree, or an edit of
  // one of them would be lost without a word.
  for (int later = 0; later < kAddressRowCount; ++later) {
    const AddressRow& second = rows[later];
    if (!second.shown()) continue;
    for (int earlier = 0; earlier < later; ++earlier) {
      const AddressRow& first = rows[earlier];
      if (!first.shown() || RowSlot(earlier) != RowSlot(later)) continue;
      if (StoredCode(first, modes) == StoredCode(second, modes)) continue;
      const char* what = modes.RG_Mode ? "dieselbe Adresse und dieselbe Farbe (R/G)"
                                       : "dieselbe Adresse und dieselbe Funktions-Nummer";
      Refuse(dialogs, Format("<%s> und <%s> werden in denselben EEPROM-Zellen gespeichert.\r"
                             "Bitte für beide %s einstellen.",
                             first.caption.c_str(), second.caption.c_str(), what));
      return RowFocus{later, RowEdit::Address};
    }
  }
  return std::nullopt;
}

void EncodeAddressRows(AddressRows& rows, const RowModes& modes) {
  if (!RowsAreStored(modes)) return;
  const RowFamily family = FamilyOf(modes);
  for (int r = 0; r < kAddressRowCount; ++r) {
    AddressRow& row = rows[r];
    if (!row.shown()) continue;
    const int32_t a = row.Adresse_dez, f = row.Adresse_dez2;
    if (family == RowFamily::MotFunction && f >= 1 && f <= 4)
      rows.set_Adresse_hex_f(r, MotFunctionCode()[static_cast<size_t>(f)]);
    if (family == RowFamily::DccFunction && f >= 1 && f <= 12)
      rows.set_Adresse_hex_f(r, DccFunctionCode()[static_cast<size_t>(f)]);
    rows.set_Adresse_hex(r, RowCode(row, modes, a, f));
  }
}

void StoreAddressRows(FirmwareImage& image, AddressRows& rows, const RowModes& modes) {
  if (!RowsAreStored(modes)) return;
  int m = 0, b = 0;
  for (int r = 0; r < kAddressRowCount; ++r) {
    if (rows[r].shown()) {
      if (rows.get_Adresse_hex(r).empty()) rows.set_Adresse_hex(r, kDccUnusedCode);
      const int s = 16 * b + m;
      const std::string c = rows.get_Adresse_hex(r);
      image.set_Hex_EE(s, Piece(c, 0));
      image.set_Hex_EE(s + 16, Piece(c, 2));
      image.set_Hex_EE(s + 32, Piece(c, 4));
    }
    NextSlot(m, b);
  }
}

std::optional<RowFocus> SaveAddressRows(FirmwareImage& image, AddressRows& rows,
                                        const RowModes& modes, Dialogs& dialogs) {
  if (auto failure = ValidateAddressRows(rows, modes, dialogs)) return failure;
  EncodeAddressRows(rows, modes);
  StoreAddressRows(image, rows, modes);
  return std::nullopt;
}

}  // namespace korrin
