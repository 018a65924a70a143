#include "info/mnemonic.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace korrin {
namespace {

TEST(WordMnemonic, NamesWordsByRuleOrder) {
  struct Case {
    int word;
    const char* mnemonic;
  };
  const Case cases[] = {
      // High byte 00: the low byte decides.
      {0x0008, "RETURN"}, {0x0009, "RETFIE"}, {0x000A, "CALLW "}, {0x000B, "BRW   "},
      {0x0064, "CLRWDT"}, {0x0000, "NOP   "}, {0x0001, "RESET "}, {0x0063, "SLEEP "},
      {0x0030, "TRIS  "}, {0x0035, "TRIS  "}, {0x0037, "TRIS  "},
      {0x0020, "MOVLB "}, {0x0025, "MOVLB "}, {0x002F, "MOVLB "}, {0x0038, "MOVLB "}, {0x003F, "MOVLB "},
      {0x0080, "MOVWF "}, {0x00A0, "MOVWF "}, {0x00FF, "MOVWF "},
      // OPTION, the published TRIS words, MOVIW/MOVWI and other unlisted low bytes.
      {0x0062, "      "}, {0x0065, "      "}, {0x0067, "      "}, {0x0010, "      "},
      {0x001F, "      "}, {0x0002, "      "}, {0x0040, "      "}, {0x007F, "      "},
      // Bit patterns of the high byte.
      {0x1385, "BCF   "}, {0x1000, "BCF   "}, {0x1400, "BSF   "}, {0x1800, "BTFSC "},
      {0x1C00, "BTFSS "}, {0x1FFF, "BTFSS "}, {0x2000, "CALL  "}, {0x27FF, "CALL  "},
      {0x2805, "GOTO  "}, {0x2FFF, "GOTO  "},
      // The high byte text.
      {0x0180, "CLRF/W"}, {0x0103, "CLRF/W"}, {0x0200, "SUBWF "}, {0x0300, "DECF  "},
      {0x0400, "IORWF "}, {0x0500, "ANDWF "}, {0x0600, "XORWF "}, {0x0700, "ADDWF "},
      {0x0800, "MOVF  "}, {0x0900, "COMF  "}, {0x0A00, "INCF  "}, {0x0B00, "DECFSZ"},
      {0x0C00, "RRF   "}, {0x0D00, "RLF   "}, {0x0E00, "SWAPF "}, {0x0F00, "INCFSZ"},
      {0x3000, "MOVLW "}, {0x3100, "MOVLP "}, {0x31FF, "MOVLP "}, {0x3200, "      "},
      {0x33FF, "      "}, {0x3400, "RETLW "}, {0x3500, "LSLF  "}, {0x3600, "LSRF  "},
      {0x3700, "ASRF  "}, {0x3800, "IORLW "}, {0x3900, "ANDLW "}, {0x3A00, "XORLW "},
      {0x3B00, "SUBWFB"}, {0x3C00, "SUBLW "}, {0x3D00, "ADDWFC"}, {0x3E00, "ADDLW "},
      {0x3FFF, "      "},
      // High bytes a 14-bit word never has: the bit rules still apply, the text table not.
      {0xFFFF, "      "}, {0x5000, "BCF   "}, {0x6800, "GOTO  "}, {0x4100, "      "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WordMnemonic(c.word), c.mnemonic) << std::hex << "word 0x" << c.word;
    EXPECT_EQ(WordMnemonic(c.word).size(), 6u);
  }
}

TEST(WordMnemonic, ComparesTextsWhereTheRulesNameTexts) {
  // A short or damaged cell text is named by the same rules: "0" is not the text "00", so
  // the low byte does not decide, and its value 0 matches no bit rule and no text.
  EXPECT_EQ(WordMnemonic("0", "08"), "      ");
  // "8" is not the text "08" (RETURN); its value is 0x80 (one digit is the high nibble), so
  // the MOVWF bit rule names it.
  EXPECT_EQ(WordMnemonic("00", "8"), "MOVWF ");
  EXPECT_EQ(WordMnemonic("", ""), "      ");
  EXPECT_EQ(WordMnemonic("28", "05"), "GOTO  ");
  EXPECT_EQ(WordMnemonic("00", "A0"), "MOVWF ");
}

// ---- check against gputils' disassembler -----------------------------------------------

// Writes the words as an Intel HEX file from word address 0.
void WriteHex(const std::string& path, int firstWord, int count) {
  std::ofstream out(path, std::ios::binary);
  out << ":020000040000FA\n";
  for (int start = 0; start < count; start += 8) {
    const int words = std::min(8, count - start);
    const int address = 2 * start;
    int sum = 2 * words + (address >> 8) + (address & 0xFF);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, ":%02X%04X00", 2 * words, address);
    std::string line = buffer;
    for (int k = 0; k < words; ++k) {
      const int word = firstWord + start + k;
      std::snprintf(buffer, sizeof buffer, "%02X%02X", word & 0xFF, word >> 8);
      line += buffer;
      sum += (word & 0xFF) + (word >> 8);
    }
    std::snprintf(buffer, sizeof buffer, "%02X", (-sum) & 0xFF);
    out << line << buffer << "\n";
  }
  out << ":00000001FF\n";
}

// Disassembles the file and returns word value -> upper-cased mnemonic ("DW" for data).
std::map<int, std::string> Disassemble(const std::string& processor, const std::string& hexPath) {
  const std::string listing = hexPath + ".lst";
  const std::string command = "gpdasm -p " + processor + " " + hexPath + " > " + listing + " 2>/dev/null";
  std::map<int, std::string> names;
  if (std::system(command.c_str()) != 0) return names;
  std::ifstream in(listing);
  std::string line;
  while (std::getline(in, line)) {
    // "0805:  2805  goto    0x005"
    std::istringstream fields(line);
    std::string address, word, name;
    if (!(fields >> address >> word >> name) || word.size() != 4 || address.back() != ':') continue;
    for (auto& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    names[std::stoi(word, nullptr, 16)] = name;
  }
  return names;
}

// The published name in the table's six-character form: CLRF and CLRW share "CLRF/W", a
// word the disassembler shows as data has no name.
std::string Published(const std::string& name) {
  if (name == "CLRF" || name == "CLRW") return "CLRF/W";
  if (name == "DW") return "      ";
  return (name + "      ").substr(0, 6);
}

bool HaveGpdasm() { return std::system("gpdasm -v > /dev/null 2>&1") == 0; }

// The words where the table knowingly differs from the published enhanced mid-range
// encoding: MOVIW/MOVWI (0x0010..0x001F, 0x3F00..0x3FFF), 0x0030..0x0037 named TRIS instead of
// MOVLB, the NOP and HALT forms 0x0040/0x0060/0x0061, OPTION 0x0062, TRIS 0x0065..0x0067, ADDFSR
// named MOVLP (0x3100..0x317F), BRA (0x3200..0x33FF). CLRW has don't-care bits: gpdasm names
// only 0x0103 and shows the rest of 0x0100..0x017F as data, so that range is left out as well.
bool DeviatesFromEnhanced(int w) {
  return (w >= 0x0010 && w <= 0x001F) || (w >= 0x0030 && w <= 0x0037) || w == 0x0040 || w == 0x0060 ||
         w == 0x0061 || w == 0x0062 || (w >= 0x0065 && w <= 0x0067) || (w >= 0x0100 && w <= 0x017F) ||
         (w >= 0x3100 && w <= 0x317F) || (w >= 0x3200 && w <= 0x33FF) || w >= 0x3F00;
}

// The same against the older mid-range set (16F684): there the enhanced words RESET, CALLW,
// BRW, MOVLB and the NOP forms 0x0020..0x003F, the optional literal bits of MOVLW (0x31..0x33),
// RETLW (0x35..0x37), SUBLW (0x3D) and ADDLW (0x3F), and 0x3B (no instruction) are named by the
// enhanced rows; the rest as for the enhanced set.
bool DeviatesFromMidRange(int w) {
  return w == 0x0001 || w == 0x000A || w == 0x000B || (w >= 0x0020 && w <= 0x003F) || w == 0x0040 ||
         w == 0x0060 || w == 0x0061 || w == 0x0062 || (w >= 0x0065 && w <= 0x0067) ||
         (w >= 0x0100 && w <= 0x017F) || (w >= 0x3100 && w <= 0x33FF) || (w >= 0x3500 && w <= 0x37FF) ||
         (w >= 0x3B00 && w <= 0x3BFF) || (w >= 0x3D00 && w <= 0x3DFF) || w >= 0x3F00;
}

// Returns the number of words compared.
int CheckAgainstGpdasm(const std::string& processor, int firstWord, int count, bool (*deviates)(int)) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("korrin_mnemonic_" + processor + "_" + std::to_string(firstWord) + "_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string hex = (dir / "words.hex").string();
  WriteHex(hex, firstWord, count);
  const auto names = Disassemble(processor, hex);
  std::filesystem::remove_all(dir);
  EXPECT_EQ(names.size(), static_cast<size_t>(count)) << "gpdasm -p " << processor << " did not list every word";

  int compared = 0;
  for (const auto& [word, name] : names) {
    if (deviates(word)) continue;
    ++compared;
    EXPECT_EQ(WordMnemonic(word), Published(name)) << processor << std::hex << " word 0x" << word << " (" << name << ")";
  }
  return compared;
}

TEST(WordMnemonic, AgreesWithGpdasmOnEnhancedMidRange) {
  if (!HaveGpdasm()) GTEST_SKIP() << "gpdasm (gputils) is not installed";
  // The 16F1939 has 16K words of program memory: every 14-bit word in one file.
  EXPECT_GT(CheckAgainstGpdasm("p16f1939", 0, 0x4000, DeviatesFromEnhanced), 15000);
}

TEST(WordMnemonic, AgreesWithGpdasmOnMidRange) {
  if (!HaveGpdasm()) GTEST_SKIP() << "gpdasm (gputils) is not installed";
  // The 16F684 has 2K words of program memory; the words go in pieces that fit.
  int compared = 0;
  for (int first = 0; first < 0x4000; first += 0x800) {
    compared += CheckAgainstGpdasm("p16f684", first, 0x800, DeviatesFromMidRange);
  }
  EXPECT_GT(compared, 12000);
}

}  // namespace
}  // namespace korrin
