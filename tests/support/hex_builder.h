#pragma once
// Builds small Intel HEX files for tests: program words, an ID, a configuration word and
// EEPROM bytes of a mid-range PIC, with correct checksums.
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace korrin::testing {

inline std::string HexRecord(int address, int type, const std::vector<int>& data) {
  std::vector<int> bytes = {static_cast<int>(data.size()), (address >> 8) & 0xFF, address & 0xFF, type};
  bytes.insert(bytes.end(), data.begin(), data.end());
  int sum = 0;
  std::string out = ":";
  char buf[3];
  for (int b : bytes) {
    sum += b;
    std::snprintf(buf, sizeof buf, "%02X", b & 0xFF);
    out += buf;
  }
  std::snprintf(buf, sizeof buf, "%02X", (-sum) & 0xFF);
  return out + buf;
}

struct MidRangeHex {
  std::map<int, int> words;           // program word address -> 14-bit word
  std::vector<int> idDigits{3, 3, 2, 6};  // empty: no ID record
  int config = 0x01CC;                // < 0: no configuration record
  std::map<int, int> eeprom;          // EEPROM address -> byte

  // A decoder with the signature bytes b0, b1, b2 and the protocol marker word 8.
  static MidRangeHex Decoder(int b0, int b1, int b2, int word8) {
    MidRangeHex h;
    h.words[0] = 0x3000 | b0;
    h.words[1] = 0x3000 | b1;
    h.words[2] = 0x3000 | b2;
    h.words[8] = word8;
    return h;
  }

  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    int last = words.empty() ? 0 : words.rbegin()->first;
    for (int base = 0; base <= last; base += 8) {
      std::vector<int> data;
      for (int w = base; w < base + 8; ++w) {
        auto it = words.find(w);
        int v = it == words.end() ? 0x3FFF : it->second;
        data.push_back(v & 0xFF);
        data.push_back(v >> 8);
      }
      out.push_back(HexRecord(base * 2, 0, data));
    }
    if (!idDigits.empty()) {
      std::vector<int> data;
      for (int d : idDigits) {
        data.push_back(d);
        data.push_back(0);
      }
      out.push_back(HexRecord(0x4000, 0, data));
    }
    if (config >= 0) out.push_back(HexRecord(0x400E, 0, {config & 0xFF, config >> 8}));
    for (int base = 0; base < 256; base += 8) {
      std::vector<int> data;
      bool any = false;
      for (int a = base; a < base + 8; ++a) {
        auto it = eeprom.find(a);
        any = any || it != eeprom.end();
        data.push_back(it == eeprom.end() ? 0xFF : it->second);
        data.push_back(0);
      }
      if (any || base == 0) out.push_back(HexRecord(0x4200 + base * 2, 0, data));
    }
    out.push_back(":00000001FF");
    return out;
  }

  void write(const std::string& path) const {
    std::ofstream f(path, std::ios::binary);
    for (const auto& l : lines()) f << l << "\r\n";
  }
};

}  // namespace korrin::testing
