#pragma once
// korrin-cli: the core without widgets, for scripts.
namespace korrin::cli {
int Run(int argc, char** argv);
}
