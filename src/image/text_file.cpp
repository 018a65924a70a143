#include "image/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include <unistd.h>

namespace korrin {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
  std::string current;
  bool open = false;  // characters since the last line end
  for (size_t i = start; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      open = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current.push_back(c);
      open = true;
    }
  }
  if (open) lines.push_back(current);
  return lines;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  std::error_code ec;
  if (!in || std::filesystem::is_directory(path, ec)) {
    if (error) *error = "Die Datei \"" + path + "\" kann nicht gelesen werden: " + std::strerror(errno ? errno : ENOENT);
    return std::nullopt;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    if (error) *error = "Die Datei \"" + path + "\" kann nicht gelesen werden.";
    return std::nullopt;
  }
  return SplitLines(text);
}

bool WriteTextLinesSafely(const std::string& path, const std::vector<std::string>& lines,
                          std::string* error,
                          const std::function<std::optional<std::string>(const std::string&)>& verify) {
  namespace fs = std::filesystem;
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  fs::path target(path);
  fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::random_device rd;
  std::string temp = (folder / ("." + target.filename().string() + ".korrin-" + std::to_string(rd()) + ".tmp")).string();

  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) {
    return fail("Die Datei \"" + path + "\" kann nicht geschrieben werden: " + std::strerror(errno));
  }
  size_t written = std::fwrite(text.data(), 1, text.size(), f);
  int flushed = std::fflush(f);
  int synced = (flushed == 0) ? fsync(fileno(f)) : -1;
  int saved_errno = errno;
  int closed = std::fclose(f);
  if (written != text.size() || flushed != 0 || synced != 0 || closed != 0) {
    std::remove(temp.c_str());
    return fail("Beim Schreiben der Datei \"" + path + "\" ist ein Fehler aufgetreten (" +
                std::strerror(saved_errno ? saved_errno : EIO) + "). Die bisherige Datei bleibt unverändert.");
  }
  if (verify) {
    if (auto why = verify(temp)) {
      std::remove(temp.c_str());
      return fail(*why);
    }
  }
  std::error_code ec;
  // Keep the permissions of the file being replaced.
  if (fs::exists(target, ec)) {
    auto perms = fs::status(target, ec).permissions();
    if (!ec) fs::permissions(temp, perms, ec);
  }
  fs::rename(temp, target, ec);
  if (ec) {
    std::remove(temp.c_str());
    return fail("Die Datei \"" + path + "\" kann nicht ersetzt werden: " + ec.message() +
                ". Die bisherige Datei bleibt unverändert.");
  }
  return true;
}

}  // namespace korrin
