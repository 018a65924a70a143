#pragma once
// HEX files and file names are 8-bit text: mostly ASCII, now and then a Latin-1 or UTF-8
// character, and in a damaged or binary file any byte at all. Whatever is shown to the user
// or written as JSON is UTF-8. This is the one conversion between the two, made where file
// text enters a message or an output.
#include <cstdint>
#include <string>
#include <string_view>

namespace korrin {

// Appends the code point cp to out as UTF-8 (one to four bytes).
void AppendUtf8(std::string& out, uint32_t cp);

// True when text is well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF).
bool IsValidUtf8(std::string_view text);

// text as UTF-8: well-formed UTF-8 stays as it is, anything else is read as Latin-1, byte by
// byte. Control characters other than tab become U+FFFD, so that no byte of a file can
// break a terminal line or a message.
std::string EightBitToUtf8(std::string_view text);

// As EightBitToUtf8, with the tab replaced as well: for the texts of a fixed grid (the memory
// dumps, the comparison), where a tab would move the columns like any other control character.
std::string EightBitToUtf8Grid(std::string_view text);

}  // namespace korrin
