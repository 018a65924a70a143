// libFuzzer target for the Intel HEX reader, and through it the writer.
//
// The input is split at '\n' and '\r' into lines, as the text file reader does (every other
// byte, NUL included, stays in the line), and read as a load reads a file. When the load
// succeeds the image is written back and the output must hold: every line well formed, the written file loads again without a
// message, and it carries the same program memory, EEPROM, ID and configuration.
// Any violation aborts, so libFuzzer reports it together with the sanitizers' findings.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "image/hex_reader.h"
#include "image/hex_writer.h"

namespace {

using namespace korrin;

class CountingDialogs : public Dialogs {
 public:
  int count = 0;
  Answer show(BoxKind, const std::string&, Buttons buttons) override {
    ++count;
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  }
};

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "hex_reader_fuzz: %s: %s\n", what, detail.c_str());
  std::abort();
}

int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Colon, upper-case hex pairs, length field = data bytes, checksum sums to 0 mod 256.
bool WellFormed(const std::string& line) {
  if (line.size() < 11 || line[0] != ':' || (line.size() - 1) % 2 != 0) return false;
  int sum = 0;
  size_t bytes = 0;
  for (size_t i = 1; i < line.size(); i += 2) {
    int hi = Hex(line[i]), lo = Hex(line[i + 1]);
    if (hi < 0 || lo < 0) return false;
    sum += hi * 16 + lo;
    ++bytes;
  }
  int length = Hex(line[1]) * 16 + Hex(line[2]);
  return static_cast<size_t>(length) + 5 == bytes && sum % 256 == 0;
}

bool Load(FirmwareImage& image, const std::vector<std::string>& lines, Dialogs& dialogs) {
  HexReadStatus status;
  image.ResetForNewFile();
  for (const auto& line : lines) {
    if (!line.empty() && !ReadHexLine(image, line, dialogs, status)) return false;
  }
  return true;
}

const int32_t kPics[] = {0, 629, 630, 676, 684, 688, 18324};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CountingDialogs dialogs;
  static FirmwareImage first(&dialogs);
  static FirmwareImage second(&dialogs);
  dialogs.count = 0;

  std::vector<std::string> lines(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n' || data[i] == '\r') {
      if (lines.size() == 256) break;
      lines.emplace_back();
    } else {
      lines.back() += static_cast<char>(data[i]);
    }
  }
  // The record addresses kept from an earlier input play the part of an earlier file.
  if (!Load(first, lines, dialogs)) return 0;

  first.PIC = kPics[size % (sizeof kPics / sizeof kPics[0])];
  int messagesBefore = dialogs.count;
  int32_t count = WriteHexImage(first, dialogs);
  if (count == 0) {
    if (dialogs.count == messagesBefore) Fail("writer failed without a message", "");
    return 0;
  }
  if (count != first.HexStringCount) Fail("line count", std::to_string(count));
  std::vector<std::string> written(first.HexString.begin(), first.HexString.begin() + count);
  // Every line well formed, and no two data records cover the same byte.
  static std::vector<bool> covered;
  covered.assign(0x20000, false);
  int32_t upper = 0;
  for (const auto& line : written) {
    if (!WellFormed(line)) Fail("malformed line", line);
    int length = Hex(line[1]) * 16 + Hex(line[2]);
    int offset = ((Hex(line[3]) * 16 + Hex(line[4])) << 8) + Hex(line[5]) * 16 + Hex(line[6]);
    std::string type = line.substr(7, 2);
    if (type == "04") upper = line == ":020000040001F9" ? 0x10000 : 0;
    if (type != "00") continue;
    for (int i = 0; i < length; ++i) {
      size_t address = static_cast<size_t>(upper + offset + i);
      if (address >= covered.size() || covered[address]) Fail("overlapping records", line);
      covered[address] = true;
    }
  }
  if (written.front() != ":020000040000FA" || written.back() != ":00000001FF") {
    Fail("first or last line", written.front() + " / " + written.back());
  }

  messagesBefore = dialogs.count;
  if (!Load(second, written, dialogs) || dialogs.count != messagesBefore) {
    Fail("written file does not load cleanly", first.ID_Text);
  }
  if (second.Max_ROM_Index != first.Max_ROM_Index) Fail("Max_ROM_Index", "");
  for (int32_t k = 0; k <= first.Max_ROM_Index; ++k) {
    if (first.Hex_ROM[static_cast<size_t>(k)] != second.Hex_ROM[static_cast<size_t>(k)]) {
      Fail("program cell", std::to_string(k));
    }
  }
  if (second.Hex_EE != first.Hex_EE) Fail("EEPROM", "");
  // The ID: at most the four ID words are written (one character each at 0x2000, four at
  // 0x8000); an ID cut short by its line is completed to whole words, keeping what was read
  // and the version.
  if (!first.ID_Text.empty() && (first.ID_Address == 0x2000 || first.ID_Address == 0x8000)) {
    const bool mid = first.ID_Address == 0x2000;
    std::string read = first.ID_Text.substr(0, mid ? 4 : 16);
    if (!mid && read.size() == 1) read = "0" + read;
    if (second.ID_Text.substr(0, read.size()) != read || second.ID_Address != first.ID_Address) {
      Fail("ID", first.ID_Text + " / " + second.ID_Text);
    }
    if (second.Version != first.Version) Fail("version", first.ID_Text + " / " + second.ID_Text);
  } else if (!second.ID_Text.empty()) {
    Fail("ID written without one read", second.ID_Text);
  }
  // The first configuration text is written for the PICs that have one, and else when it
  // was read from the file.
  bool listed = first.PIC == 629 || first.PIC == 630 || first.PIC == 684 || first.PIC == 688 ||
                first.PIC == 18324;
  bool configWritten = !first.Config[0].empty() && (listed || first.Config_Found);
  if (configWritten && second.Config[0] != first.Config[0]) Fail("configuration", first.Config[0]);
  return 0;
}
