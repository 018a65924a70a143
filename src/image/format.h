#pragma once
// printf-style formatting into a std::string, for the program's messages, which are
// written with printf placeholders.
#include <cstdio>
#include <string>

namespace korrin {

template <typename... Args>
std::string Format(const char* format, Args... args) {
  int size = std::snprintf(nullptr, 0, format, args...);
  if (size <= 0) return std::string();
  std::string out(static_cast<size_t>(size) + 1, '\0');
  std::snprintf(out.data(), out.size(), format, args...);
  out.resize(static_cast<size_t>(size));
  return out;
}

}  // namespace korrin
