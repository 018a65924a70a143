// The parts of the platform interface that are the same on every system: the German
// messages, the temporary names and the path helpers.
#include "base/platform.h"

#include <atomic>
#include <filesystem>
#include <random>

#include "base/file_names.h"
#include "base/os/platform_detail.h"
#include "base/text_encoding.h"

namespace korrin {

namespace platform_detail {

namespace {

std::string Quoted(const std::string& path) { return "\"" + EightBitToUtf8(path) + "\""; }

std::atomic<void (*)(const std::string&)> g_saveHook{nullptr};
std::atomic<void (*)(const std::string&)> g_tempCreatedHook{nullptr};

}  // namespace

std::string Describe(const Fault& fault) {
  switch (fault.reason) {
    case Reason::NotFound: return "Datei oder Ordner nicht gefunden";
    case Reason::NoPermission: return "Keine Berechtigung";
    case Reason::DiskFull: return "Kein Platz mehr auf dem Datenträger";
    case Reason::IsFolder: return "Das ist ein Ordner, keine Datei";
    case Reason::NotFolder: return "Das ist kein Ordner";
    case Reason::NameTooLong: return "Der Name ist zu lang";
    case Reason::ReadOnlyFileSystem: return "Das Dateisystem ist schreibgeschützt";
    case Reason::Pipe: return "Das ist eine Pipe (FIFO), keine Datei";
    case Reason::Device: return "Das ist ein Gerät, keine Datei";
    case Reason::Socket: return "Das ist ein Socket, keine Datei";
    case Reason::NotRegular: return "Das ist keine gewöhnliche Datei";
    case Reason::LinkLoop: return "Die symbolischen Verknüpfungen bilden eine Schleife";
    case Reason::Other: break;
  }
  return fault.systemText.empty() ? std::string("Unbekannter Fehler") : EightBitToUtf8(fault.systemText);
}

std::string CannotRead(const std::string& path, const Fault& fault) {
  return "Die Datei " + Quoted(path) + " kann nicht gelesen werden: " + Describe(fault) + ".";
}

std::string TooLarge(const std::string& path, std::uint64_t size, FileKind kind) {
  const char* usual = "Eine HEX-Datei dieser Decoder ist viel kleiner.";
  switch (kind) {
    case FileKind::Hex: break;
    case FileKind::Configuration: usual = "Eine JSON-Konfiguration eines Decoders ist viel kleiner."; break;
    case FileKind::Curve: usual = "Eine Kurven-Datei ist viel kleiner."; break;
    case FileKind::Set: usual = "Eine Set-Datei ist viel kleiner."; break;
    case FileKind::Plan: usual = "Ein Batch-Plan (CSV-Datei) ist viel kleiner."; break;
    case FileKind::Settings: usual = "Eine Einstellungsdatei ist viel kleiner."; break;
  }
  return "Die Datei " + Quoted(path) + " kann nicht gelesen werden: Sie ist " + std::to_string(size) +
         " Bytes groß, gelesen werden höchstens " + std::to_string(kMaxReadSize) + " Bytes (4 MB). " + usual;
}

std::string CannotWrite(const std::string& path, const Fault& fault) {
  return "Die Datei " + Quoted(path) + " kann nicht geschrieben werden: " + Describe(fault) + ".";
}

std::string WriteFailed(const std::string& path, const Fault& fault) {
  return "Beim Schreiben der Datei " + Quoted(path) + " ist ein Fehler aufgetreten: " + Describe(fault) +
         ". Die bisherige Datei bleibt unverändert.";
}

std::string CannotReplace(const std::string& path, const Fault& fault) {
  return "Die Datei " + Quoted(path) + " kann nicht ersetzt werden: " + Describe(fault) +
         ". Die bisherige Datei bleibt unverändert.";
}

std::string ReadOnlyTarget(const std::string& path) {
  return "Die Datei " + Quoted(path) +
         " ist schreibgeschützt und wird nicht überschrieben. Die bisherige Datei bleibt unverändert.";
}

std::string CannotList(const std::string& folder, const Fault& fault) {
  return "Der Ordner " + Quoted(folder.empty() ? std::string(".") : folder) +
         " kann nicht gelesen werden: " + Describe(fault) + ".";
}

std::string MakeSaveTempName() {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937_64 generator{std::random_device{}()};
  static std::atomic<unsigned> counter{0};
  std::uint64_t bits = generator() ^ (static_cast<std::uint64_t>(counter++) * 0x9E3779B97F4A7C15ull);
  std::string name = ".korrin-";
  for (int i = 0; i < 6; ++i) {
    name += kLetters[bits % 36];
    bits /= 36;
  }
  return name + ".tmp";
}

bool IsHexName(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return tail == ".hex";
}

void RunSaveHook(const std::string& tempPath) {
  if (auto hook = g_saveHook.load()) hook(tempPath);
}

void RunTempCreatedHook(const std::string& tempPath) {
  if (auto hook = g_tempCreatedHook.load()) hook(tempPath);
}

}  // namespace platform_detail

using namespace platform_detail;

bool IsSaveTempName(const std::string& name) {
  const std::string head = ".korrin-", tail = ".tmp";
  if (name.size() != head.size() + 6 + tail.size()) return false;
  if (name.compare(0, head.size(), head) != 0 || name.compare(head.size() + 6, tail.size(), tail) != 0)
    return false;
  for (size_t i = head.size(); i < head.size() + 6; ++i) {
    char c = name[i];
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

void SetSaveHookForTesting(void (*hook)(const std::string& tempPath)) { g_saveHook = hook; }

void SetTempCreatedHookForTesting(void (*hook)(const std::string& tempPath)) { g_tempCreatedHook = hook; }

std::string FolderOf(const std::string& path) {
  for (size_t i = path.size(); i > 0; --i)
    if (IsPathSeparator(path[i - 1])) return path.substr(0, i);
  return "";
}

std::string FileNameOf(const std::string& path) { return path.substr(FolderOf(path).size()); }

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (IsPathSeparator(folder.back())) return folder + name;
  return folder + PreferredSeparator() + name;
}

bool IsSameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  const fs::path pa = PathOf(a), pb = PathOf(b);
  std::error_code ec;
  if (fs::equivalent(pa, pb, ec)) return true;
  const fs::path ca = fs::weakly_canonical(fs::absolute(pa, ec), ec);
  if (ec) return false;
  const fs::path cb = fs::weakly_canonical(fs::absolute(pb, ec), ec);
  if (ec) return false;
#if defined(_WIN32) || defined(__APPLE__)
  return NameCaseKey(Utf8Of(ca)) == NameCaseKey(Utf8Of(cb));
#else
  return ca == cb;
#endif
}

}  // namespace korrin
