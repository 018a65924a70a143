// Every test program takes the C library's locale from the environment, as the Qt program
// does when it starts. Run under LANG=de_DE.UTF-8, a number text that follows the locale
// (a decimal comma from printf, a parse that stops at the point) then shows up in the tests.
#include <clocale>

namespace {

const bool kLocaleTaken = std::setlocale(LC_ALL, "") != nullptr;

}  // namespace
