#pragma once
// Where the program's own files lie relative to the program file. Three layouts:
//   portable folder:  <dir>/korrin, <dir>/help/
//   installed:        <prefix>/bin/korrin, <prefix>/share/korrin/help/
//   build tree:       build/src/korrin, build/help/
// Nothing of the build machine is compiled in, so a package or a copied folder works anywhere.
#include <string>

namespace korrin {

// The data folder of an installed program, relative to the folder of the program file.
std::string InstalledDataRelative();  // "../share/korrin" with the usual install folders

// True when programDir is the bin folder of an installation: <programDir>/<InstalledDataRelative()>
// holds the help folder.
bool IsInstalledLayout(const std::string& programDir);

// The help folder (the one that holds index.html) for a program in programDir, in the order
// portable, installed, build tree; empty when none of them has the help pages. The result
// is an absolute, normalised path.
std::string FindHelpFolder(const std::string& programDir);

}  // namespace korrin
