#pragma once
// Shared between platform.cpp and the one system implementation: the German reasons and
// messages, and the temporary file names of the safe save.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "base/platform.h"

namespace korrin::platform_detail {

// Why a file operation failed, as far as the program names it itself. Other keeps the
// system's own text.
enum class Reason {
  NotFound,
  NoPermission,
  DiskFull,
  IsFolder,
  NotFolder,
  NameTooLong,
  ReadOnlyFileSystem,
  Pipe,
  Device,
  Socket,
  NotRegular,
  LinkLoop,
  Other,
};

struct Fault {
  Reason reason = Reason::Other;
  std::string systemText;  // the system's message, used for Reason::Other
};

// The reason as German words ("Keine Berechtigung"), or the system's text.
std::string Describe(const Fault& fault);

// The messages, each one complete sentence (or two) in German.
std::string CannotRead(const std::string& path, const Fault& fault);
std::string TooLarge(const std::string& path, std::uint64_t size, FileKind kind);
std::string CannotWrite(const std::string& path, const Fault& fault);
std::string WriteFailed(const std::string& path, const Fault& fault);
std::string CannotReplace(const std::string& path, const Fault& fault);
std::string ReadOnlyTarget(const std::string& path);
std::string CannotList(const std::string& folder, const Fault& fault);

// A fresh temporary file name: ".korrin-" six random letters or digits ".tmp".
std::string MakeSaveTempName();

// True for the names ListHexFiles keeps.
bool IsHexName(const std::string& name);

// Defined by the system implementation.
bool IsPathSeparator(char c);
char PreferredSeparator();

// Call the test hooks, when they are set.
void RunSaveHook(const std::string& tempPath);
void RunTempCreatedHook(const std::string& tempPath);

// Puts message into *error (when given) and returns false, or nothing for the optional results.
inline bool Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}
inline std::nullopt_t Nothing(std::string* error, std::string message) {
  Fail(error, std::move(message));
  return std::nullopt;
}

}  // namespace korrin::platform_detail
