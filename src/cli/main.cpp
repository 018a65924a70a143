#include "cli/cli.h"

int main(int argc, char** argv) { return korrin::cli::Run(argc, argv); }
