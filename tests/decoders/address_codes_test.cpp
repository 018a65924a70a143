#include "decoders/address_codes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "image/format.h"

using namespace korrin;

namespace {
const AddressCodeTables& T() { return AddressCodes(); }

bool IsUpperHex(const std::string& s) {
  for (char c : s)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  return true;
}
}  // namespace

TEST(MotAddressCode, AnchorRowsAndExchangedPairs) {
  struct Case {
    int a;
    const char* code;
  } cases[] = {
      {1, "0300"},   {2, "0200"},   {3, "00C0"},   {4, "03C0"},   {13, "03F0"},  {79, "03A8"},
      {80, "0000"},  {81, "0100"},  {82, "0180"},  {84, "01C0"},  {85, "0120"},  {144, "01FC"},
      {145, "0040"}, {146, "0060"}, {161, "0340"}, {177, "0240"}, {190, "026C"}, {193, "0010"},
      {194, "0018"}, {205, "00D0"}, {229, "0004"}, {230, "0304"}, {255, "02A4"},
      // the two exchanged pairs
      {83, "025C"},  {191, "0140"}, {123, "027C"}, {192, "0154"},
  };
  for (const auto& c : cases) EXPECT_EQ(T().MotAddressCode[static_cast<size_t>(c.a)], c.code) << c.a;
}

TEST(MotAddressCode, FilledRangeAndRoom) {
  const auto& t = T().MotAddressCode;
  ASSERT_EQ(t.size(), static_cast<size_t>(kMotAddressRoom));
  EXPECT_EQ(t[0], "");
  std::set<std::string> seen;
  for (int a = 1; a <= 255; ++a) {
    const std::string& code = t[static_cast<size_t>(a)];
    EXPECT_EQ(code.size(), 4u) << a;
    EXPECT_TRUE(IsUpperHex(code)) << a;
    seen.insert(code);
  }
  EXPECT_EQ(seen.size(), 255u) << "all 255 codes are different";
  for (int a = 256; a < kMotAddressRoom; ++a) EXPECT_EQ(t[static_cast<size_t>(a)], "") << a;
}

TEST(MotAddressCode, CodesFrom81OnHoldAPair01AndTheFirst80None) {
  // Every code is four 2-bit pairs in bits 9..2; pair value 01 appears exactly from 81 on.
  for (int a = 1; a <= 255; ++a) {
    int v = std::stoi(T().MotAddressCode[static_cast<size_t>(a)], nullptr, 16);
    EXPECT_EQ(v & ~0x3FC, 0) << a;
    bool has01 = false;
    for (int shift : {8, 6, 4, 2}) has01 |= ((v >> shift) & 3) == 1;
    EXPECT_EQ(has01, a >= 81) << a;
  }
}

TEST(MotAccessoryCode, EntriesAndRedVariants) {
  struct Case {
    int n;
    const char* green;
    const char* red;
  } cases[] = {
      {0, "FFFFFF", "FFFF3F"}, {1, "0300C3", "030003"}, {2, "0300F3", "030033"},
      {3, "0300CF", "03000F"}, {4, "0300FF", "03003F"}, {5, "0200C3", "020003"},
      {320, "0000FF", "00003F"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(T().MotAccessoryCode[static_cast<size_t>(c.n)], c.green) << c.n;
    EXPECT_EQ(MotRedVariant(c.green), c.red) << c.n;
    EXPECT_EQ(T().MotAccessoryRed[static_cast<size_t>(c.n)], c.red) << c.n;
  }
  ASSERT_EQ(T().MotAccessoryCode.size(), static_cast<size_t>(kMotAccessoryRoom));
  EXPECT_EQ(T().MotAccessoryCode[321], "");
  // Every entry is the decoder address code followed by the output's two digits.
  for (int n = 1; n <= 320; ++n)
    EXPECT_EQ(T().MotAccessoryCode[static_cast<size_t>(n)].substr(0, 4),
              T().MotAddressCode[static_cast<size_t>((n - 1) / 4 + 1)])
        << n;
}

TEST(DccAccessoryCode, ExamplesAndGreenVariant) {
  struct Case {
    int n;
    const char* red;
  } cases[] = {{1, "79F005"}, {2, "7BF405"}, {5, "7AF009"}, {253, "68D001"}, {2044, "311CFD"}};
  for (const auto& c : cases) EXPECT_EQ(T().DccAccessoryCode[static_cast<size_t>(c.n)], c.red) << c.n;
  EXPECT_EQ(DccGreenVariant("79F005"), "78F205");
  EXPECT_EQ(T().DccAccessoryGreen[1], "78F205");
  EXPECT_EQ(T().DccAccessoryCode[0], "");
  EXPECT_EQ(T().DccAccessoryGreen[0], "");
  ASSERT_EQ(T().DccAccessoryCode.size(), static_cast<size_t>(kDccAccessoryRoom));
  EXPECT_EQ(T().DccAccessoryCode[2045], "");
}

// The codes read as a bit stream: the low six bits of B1, a 0, B2, a 0, B3, cut into three
// bytes Q0, Q1, Q2 and written Q2 Q1 Q0. Built here bit by bit for D0 = 0 and D0 = 1, which
// checks the table and the green variant against a second reading of the packet.
TEST(DccAccessoryCode, EqualsThePacketBitStreamForBothOutputs) {
  for (int n = 1; n <= 2044; ++n) {
    int a = (n - 1) / 4 + 1, p = (n - 1) % 4;
    for (int d0 = 0; d0 <= 1; ++d0) {
      int b1 = 0x80 | (a & 0x3F);
      int b2 = 0x80 | ((~(a >> 6) & 7) << 4) | 0x08 | (p << 1) | d0;
      int b3 = b1 ^ b2;
      std::vector<int> bits;
      for (int i = 5; i >= 0; --i) bits.push_back((b1 >> i) & 1);
      bits.push_back(0);
      for (int i = 7; i >= 0; --i) bits.push_back((b2 >> i) & 1);
      bits.push_back(0);
      for (int i = 7; i >= 0; --i) bits.push_back((b3 >> i) & 1);
      ASSERT_EQ(bits.size(), 24u);
      int q[3] = {0, 0, 0};
      for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 8; ++i) q[k] = (q[k] << 1) | bits[static_cast<size_t>(8 * k + i)];
      std::string expected = Format("%02X%02X%02X", q[2], q[1], q[0]);
      const std::string& red = T().DccAccessoryCode[static_cast<size_t>(n)];
      EXPECT_EQ(d0 == 0 ? red : DccGreenVariant(red), expected) << n << " D0=" << d0;
    }
  }
}

TEST(AddressCodes, NoCodeOrVariantEqualsAnother) {
  std::set<std::string> mot;
  for (int n = 0; n <= 320; ++n) {
    mot.insert(T().MotAccessoryCode[static_cast<size_t>(n)]);
    mot.insert(MotRedVariant(T().MotAccessoryCode[static_cast<size_t>(n)]));
  }
  EXPECT_EQ(mot.size(), 2u * 321u);
  std::set<std::string> dcc;
  for (int n = 1; n <= 2044; ++n) {
    dcc.insert(T().DccAccessoryCode[static_cast<size_t>(n)]);
    dcc.insert(DccGreenVariant(T().DccAccessoryCode[static_cast<size_t>(n)]));
  }
  EXPECT_EQ(dcc.size(), 2u * 2044u);
  // "000000" stands for the unused DCC address and must not be a code of its own.
  EXPECT_EQ(dcc.count("000000"), 0u);
}

TEST(AddressCodes, ReverseLookupHonoursTheLimit) {
  auto mot = T().FindMotAccessory("030003", 320);
  ASSERT_TRUE(mot);
  EXPECT_EQ(mot->index, 1);
  EXPECT_FALSE(mot->green);
  auto erased = T().FindMotAccessory("FFFFFF", 320);
  ASSERT_TRUE(erased);
  EXPECT_EQ(erased->index, 0);
  EXPECT_TRUE(erased->green);
  EXPECT_FALSE(T().FindMotAccessory("0000FF", 319));  // 320 lies beyond the limit
  auto dcc = T().FindDccAccessory("78F205", 2044);
  ASSERT_TRUE(dcc);
  EXPECT_EQ(dcc->index, 1);
  EXPECT_TRUE(dcc->green);
  EXPECT_FALSE(T().FindDccAccessory("", 2044));
  EXPECT_EQ(T().FindMotAddress("0140", 255), std::optional<int>(191));
  EXPECT_FALSE(T().FindMotAddress("02A4", 254));
  EXPECT_FALSE(T().FindMotAddress("FFFF", 320));
}

TEST(AddressCodes, VariantsLeaveUnlistedCharactersAlone) {
  struct Case {
    const char* in;
    const char* motRed;
    const char* dccGreen;
  } cases[] = {
      {"", "", ""},
      {"0300X3", "0300X3", "0202X3"},  // 5th not C/F; 4th "0" -> "2", 2nd "3" -> "2"
      {"7G1105", "7G1105", "7G1105"},  // 2nd 'G' and 4th '1' are not listed
      {"7F", "7F", "7E"},              // too short for the 4th or 5th character
      {"00C0FF", "00C03F", "01C2FF"},
      {"00CCFF", "00CC3F", "01CEFF"},
      {"00C8FF", "00C83F", "01CAFF"},
      {"00C4FF", "00C43F", "01C6FF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MotRedVariant(c.in), c.motRed) << c.in;
    EXPECT_EQ(DccGreenVariant(c.in), c.dccGreen) << c.in;
  }
}

TEST(FunctionCodes, MotorolaAndDcc) {
  const std::array<std::string, 5> mot{"", "51", "05", "15", "55"};
  EXPECT_EQ(MotFunctionCode(), mot);
  const std::array<std::string, 13> dcc{"",   "81", "82", "84", "88", "B1", "B2",
                                        "B4", "B8", "A1", "A2", "A4", "A8"};
  EXPECT_EQ(DccFunctionCode(), dcc);
}
