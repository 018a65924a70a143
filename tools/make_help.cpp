// korrin-make-help FOLDER: writes the help document generated from the decoder catalogue into
// FOLDER (index.html and one page per decoder type). Run by the build.
#include <cstdio>
#include <string>

#include "decoders/catalogue_help.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Aufruf: korrin-make-help ORDNER\n");
    return 2;
  }
  std::string error;
  if (!korrin::WriteHelpDocument(argv[1], &error)) {
    std::fprintf(stderr, "korrin-make-help: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
