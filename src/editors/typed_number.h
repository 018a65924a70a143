#pragma once
// Reading what the user types into the small numeric edit boxes of the CV and option
// frames. Every keystroke is checked, so the answer distinguishes an empty box (ignored),
// text that is no whole number, a whole number outside the accepted range, and a value.
#include <string>

namespace korrin {

enum class TypedNumberKind { Empty, NotANumber, OutOfRange, InRange };

struct TypedNumber {
  TypedNumberKind kind = TypedNumberKind::Empty;
  int value = 0;  // the parsed number for OutOfRange and InRange
};

// Accepts an optional '+' or '-' followed by decimal digits, nothing else (no blanks, no
// hex prefix). A number that does not fit a 32-bit integer counts as no number.
TypedNumber ReadTypedNumber(const std::string& text, int min, int max);

// "Ungültige Eingabe.\rZugelassen sind nur Zahlen"
std::string NotANumberMessage();
// "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich min..max"
std::string OutOfRangeMessage(int min, int max);

}  // namespace korrin
