#pragma once
// An independent check of one Intel HEX line for the writer tests: colon, upper-case hex
// pairs, a length field equal to the number of data bytes, and a checksum that makes the sum
// of all bytes a multiple of 256. Returns an empty text when the line is well formed.
#include <string>
#include <vector>

namespace korrin::testing {

inline std::string HexLineProblem(const std::string& line) {
  if (line.size() < 11 || line[0] != ':') return "too short or no colon";
  if ((line.size() - 1) % 2 != 0) return "odd number of digits";
  std::vector<int> bytes;
  for (size_t i = 1; i < line.size(); i += 2) {
    int v = 0;
    for (size_t j = i; j < i + 2; ++j) {
      char c = line[j];
      if (c >= '0' && c <= '9') v = v * 16 + (c - '0');
      else if (c >= 'A' && c <= 'F') v = v * 16 + (c - 'A' + 10);
      else return "not an upper-case hex digit";
    }
    bytes.push_back(v);
  }
  if (static_cast<size_t>(bytes[0]) + 5 != bytes.size()) return "length field does not match";
  int sum = 0;
  for (int b : bytes) sum += b;
  if (sum % 256 != 0) return "bad checksum";
  return "";
}

}  // namespace korrin::testing
