#include "decoders/address_codes.h"

#include "image/firmware_image.h"
#include "image/format.h"

namespace korrin {

namespace {

std::string Hex4(int value) { return Format("%04X", value); }

const std::string& Byte(int value) { return HexByteText()[static_cast<size_t>(value & 0xFF)]; }

// The 16-bit Motorola code of four 2-bit pairs p0..p3.
int MotPairs(int p0, int p1, int p2, int p3) { return (p0 << 8) | (p1 << 6) | (p2 << 4) | (p3 << 2); }

// The order in which a pair runs through its values in the enumeration of the codes
// 81..255: pairs "behind" the fixed 01 pair run through all four values, pairs "before" it
// only through the three trit values.
constexpr int kFourValues[4] = {0b00, 0b10, 0b01, 0b11};
constexpr int kThreeValues[3] = {0b00, 0b11, 0b10};

std::vector<std::string> BuildMotAddressCodes() {
  std::vector<std::string> codes(kMotAddressRoom);
  // 1..79: the address in base 3, each trit coded 0 -> 00, 1 -> 11, 2 -> 10.
  constexpr int kTrit[3] = {0b00, 0b11, 0b10};
  for (int a = 1; a <= 79; ++a) {
    int t0 = a % 3, t1 = (a / 3) % 3, t2 = (a / 9) % 3, t3 = (a / 27) % 3;
    codes[static_cast<size_t>(a)] = Hex4(MotPairs(kTrit[t0], kTrit[t1], kTrit[t2], kTrit[t3]));
  }
  // 80 is sent as address 0.
  codes[80] = "0000";
  // 81..255: the codes with at least one pair 01.
  int a = 81;
  auto add = [&](int value) { codes[static_cast<size_t>(a++)] = Hex4(value); };
  for (int p3 : kFourValues)
    for (int p2 : kFourValues)
      for (int p1 : kFourValues) add(MotPairs(0b01, p1, p2, p3));
  for (int p0 : kThreeValues)
    for (int p3 : kFourValues)
      for (int p2 : kFourValues) add(MotPairs(p0, 0b01, p2, p3));
  for (int p1 : kThreeValues)
    for (int p0 : kThreeValues)
      for (int p3 : kFourValues) add(MotPairs(p0, p1, 0b01, p3));
  for (int p2 : kThreeValues)
    for (int p1 : kThreeValues)
      for (int p0 : kThreeValues) add(MotPairs(p0, p1, p2, 0b01));
  // The decoders use two pairs of these codes the other way round.
  std::swap(codes[83], codes[191]);
  std::swap(codes[123], codes[192]);
  return codes;
}

std::vector<std::string> BuildMotAccessoryCodes(const std::vector<std::string>& address) {
  static const char* const kOutput[4] = {"C3", "F3", "CF", "FF"};
  std::vector<std::string> codes(kMotAccessoryRoom);
  codes[0] = "FFFFFF";
  for (int n = 1; n <= kMaxMotAccessory; ++n) {
    int a = (n - 1) / 4 + 1, p = (n - 1) % 4;
    codes[static_cast<size_t>(n)] = address[static_cast<size_t>(a)] + kOutput[p];
  }
  return codes;
}

// The DCC basic accessory packet for output address n with the activation bit set and
// D0 = 0, written as the decoder compares it.
std::vector<std::string> BuildDccAccessoryCodes() {
  std::vector<std::string> codes(kDccAccessoryRoom);
  for (int n = 1; n <= kMaxDccAccessory; ++n) {
    int a = (n - 1) / 4 + 1, p = (n - 1) % 4;
    int b1 = 0x80 | (a & 0x3F);
    int b2 = 0x80 | ((~(a >> 6) & 0x07) << 4) | 0x08 | (p << 1);
    int b3 = b1 ^ b2;
    codes[static_cast<size_t>(n)] = Byte(b3) + Byte(b2 << 1) + Byte(((b1 & 0x3F) << 2) | 1);
  }
  return codes;
}

char InvertLowBit(char c) {
  int v;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  else return c;
  v ^= 1;
  return static_cast<char>(v < 10 ? '0' + v : 'A' + v - 10);
}

}  // namespace

AddressCodeTables BuildAddressCodeTables() {
  AddressCodeTables t;
  t.MotAddressCode = BuildMotAddressCodes();
  t.MotAccessoryCode = BuildMotAccessoryCodes(t.MotAddressCode);
  t.DccAccessoryCode = BuildDccAccessoryCodes();
  t.MotAccessoryRed.resize(t.MotAccessoryCode.size());
  t.DccAccessoryGreen.resize(t.DccAccessoryCode.size());
  for (size_t n = 0; n < t.MotAccessoryCode.size(); ++n) {
    const std::string& green = t.MotAccessoryCode[n];
    if (green.empty()) continue;
    t.MotAccessoryRed[n] = MotRedVariant(green);
    t.motAccessoryIndex.emplace(green, AddressCodeTables::SwitchingMatch{static_cast<int>(n), true});
    t.motAccessoryIndex.emplace(t.MotAccessoryRed[n], AddressCodeTables::SwitchingMatch{static_cast<int>(n), false});
  }
  for (size_t n = 0; n < t.DccAccessoryCode.size(); ++n) {
    const std::string& red = t.DccAccessoryCode[n];
    if (red.empty()) continue;
    t.DccAccessoryGreen[n] = DccGreenVariant(red);
    t.dccAccessoryIndex.emplace(red, AddressCodeTables::SwitchingMatch{static_cast<int>(n), false});
    t.dccAccessoryIndex.emplace(t.DccAccessoryGreen[n], AddressCodeTables::SwitchingMatch{static_cast<int>(n), true});
  }
  for (size_t n = 0; n < t.MotAddressCode.size(); ++n)
    if (!t.MotAddressCode[n].empty()) t.motAddressIndex.emplace(t.MotAddressCode[n], static_cast<int>(n));
  return t;
}

std::optional<AddressCodeTables::SwitchingMatch> AddressCodeTables::FindMotAccessory(
    const std::string& code, int maxIndex) const {
  auto it = motAccessoryIndex.find(code);
  if (it == motAccessoryIndex.end() || it->second.index > maxIndex) return std::nullopt;
  return it->second;
}

std::optional<AddressCodeTables::SwitchingMatch> AddressCodeTables::FindDccAccessory(
    const std::string& code, int maxIndex) const {
  auto it = dccAccessoryIndex.find(code);
  if (it == dccAccessoryIndex.end() || it->second.index > maxIndex) return std::nullopt;
  return it->second;
}

std::optional<int> AddressCodeTables::FindMotAddress(const std::string& code, int maxIndex) const {
  auto it = motAddressIndex.find(code);
  if (it == motAddressIndex.end() || it->second > maxIndex) return std::nullopt;
  return it->second;
}

const AddressCodeTables& AddressCodes() {
  static const AddressCodeTables tables = BuildAddressCodeTables();
  return tables;
}

const std::string& CodeAt(const std::vector<std::string>& table, int index) {
  static const std::string kEmpty;
  if (index < 0 || static_cast<size_t>(index) >= table.size()) return kEmpty;
  return table[static_cast<size_t>(index)];
}

const std::array<std::string, 5>& MotFunctionCode() {
  static const std::array<std::string, 5> codes{"", "51", "05", "15", "55"};
  return codes;
}

// The function-group instruction bytes with one function bit set:
// 100DDDDD for F1..F4, 1011DDDD for F5..F8, 1010DDDD for F9..F12.
const std::array<std::string, 13>& DccFunctionCode() {
  static const std::array<std::string, 13> codes = [] {
    std::array<std::string, 13> c{};
    for (int f = 1; f <= 12; ++f) {
      int group = (f - 1) / 4, bit = 1 << ((f - 1) % 4);
      static constexpr int kGroup[3] = {0x80, 0xB0, 0xA0};
      c[static_cast<size_t>(f)] = Byte(kGroup[group] | bit);
    }
    return c;
  }();
  return codes;
}

std::string MotRedVariant(const std::string& code) {
  std::string out = code;
  if (out.size() >= 5) {
    if (out[4] == 'C') out[4] = '0';
    else if (out[4] == 'F') out[4] = '3';
  }
  return out;
}

std::string DccGreenVariant(const std::string& code) {
  std::string out = code;
  if (out.size() >= 4) {
    switch (out[3]) {
      case '0': out[3] = '2'; break;
      case '4': out[3] = '6'; break;
      case '8': out[3] = 'A'; break;
      case 'C': out[3] = 'E'; break;
      default: break;
    }
  }
  if (out.size() >= 2) out[1] = InvertLowBit(out[1]);
  return out;
}

}  // namespace korrin
