#pragma once
// The instruction name of a 14-bit PIC program word, shown beside each differing word when
// two HEX files are compared. Only the instruction is named; operands are not decoded.
#include <string>

namespace korrin {

// Six characters, padded with blanks; six blanks when no rule names the word. high and low
// are the texts of the word's two bytes as held in a program-memory cell or cut from a HEX
// line: some rules compare the texts themselves, others test bits of their values
// (HexByteValue), so a damaged or short text is named by the same rules as in the file.
std::string WordMnemonic(const std::string& high, const std::string& low);

// The same for a word value: bits 8..15 and 0..7 of word as two-digit upper-case hex texts.
std::string WordMnemonic(int word);

}  // namespace korrin
