#include "cli/cli.h"

#include <cstdio>

namespace korrin::cli {
int Run(int, char**) {
  std::fprintf(stderr, "korrin-cli: noch keine Befehle\n");
  return 2;
}
}  // namespace korrin::cli
