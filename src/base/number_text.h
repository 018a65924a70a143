#pragma once
// Decimal text of floating-point numbers without any locale: always a '.', never a ','.
// The window sets the C library's locale from the user's environment (printf and strtod then
// write and expect a German comma), and not every C++ library has the floating-point
// std::to_chars/std::from_chars (the WebAssembly build's does not). This is the one
// implementation for every build; it computes with exact integers, so it gives the same
// digits as printf and std::from_chars in the "C" locale.
#include <optional>
#include <string>
#include <string_view>

namespace korrin {

// value with precision digits after the point ("%.*f" in the "C" locale): the exact binary
// value rounded half to even, a '-' for every negative value (also "-0.0"), no padding.
// Infinity and NaN give "inf", "-inf" and "nan". precision is taken as 0..40.
std::string FormatFixed(double value, int precision);

// The number a whole text spells: an optional sign, digits with at most one '.' (digits on at
// least one side of it), an optional exponent "e"/"E" with optional sign and digits. No
// blanks, no "inf" or "nan". Rounded to the nearest double (ties to even); nothing when the
// text has another form or its value is too large for a double (a value too small for one
// becomes 0).
std::optional<double> ParseDecimal(std::string_view text);

}  // namespace korrin
