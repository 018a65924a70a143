#pragma once
// File names that must work on every system a file may travel to. Batch plans are shared
// between Linux, Windows and macOS, so a name is judged by the strictest of them: Windows
// refuses some names and characters outright, and Windows and macOS ignore letter case,
// umlauts included ("Ä.hex" and "ä.hex" are one file there).
#include <optional>
#include <string>

namespace korrin {

// Why Windows cannot hold name (one German clause, e.g. "CON ist unter Windows ein
// Gerätename"); nothing when it can. Checked: the device names CON, PRN, AUX, NUL, COM1-9,
// LPT1-9 (also with ¹²³), CONIN$ and CONOUT$ in any case, with or without extension; the
// characters < > : " / \ | ? * and control characters; a trailing dot or blank.
std::optional<std::string> WindowsNameProblem(const std::string& name);

// The name with letter case taken out, as Windows and macOS compare names: equal keys name
// the same file there. Letters of ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic are
// mapped to one case (including ÿ/Ÿ, µ/Μ, ı/I, ſ/S, ς/Σ). name is UTF-8; a name that is not
// valid UTF-8 is read as Latin-1.
std::string NameCaseKey(const std::string& name);

}  // namespace korrin
