#pragma once
// What the program asks of the operating system about files, in one place: reading a whole
// file, saving a file safely, listing the HEX files of a folder, taking paths apart and the
// program's arguments. One implementation per system (os/platform_posix.cpp,
// os/platform_windows.cpp); CMake picks the one that fits.
//
// Paths are UTF-8 everywhere inside the program. The POSIX side passes their bytes on as they
// are; the Windows side turns them into UTF-16 for the API and the names it lists back into
// UTF-8. Failures come back as false or nothing with one German sentence in *error, worded
// the same on every system.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korrin {

// The largest file that is read: 4 MiB. The largest PIC of these decoders has 4096 program
// words and 256 EEPROM bytes; written as a HEX file with one data byte per record that is
// still below 300 KB, and the usual 16-byte records make about 25 KB. 4 MiB leaves room for
// any honest HEX, curve, set or settings file and stops a wrong file (a disk image, a video,
// /dev/zero) before it eats the memory.
inline constexpr std::uint64_t kMaxReadSize = 4u * 1024u * 1024u;

// What a file that is read is meant to be; the refusal of a file that is too large names it.
enum class FileKind { Hex, Configuration, Curve, Set, Plan, Settings };

// The whole content of the regular file at path, at most kMaxReadSize bytes. A folder, a
// pipe, a device or a larger file is refused, named as what it is; nothing is read from it.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error = nullptr, FileKind kind = FileKind::Hex);

// Inspects the written temporary file before it replaces the target; a German reason refuses it.
using SaveCheck = std::function<std::optional<std::string>(const std::string& tempPath)>;

// Saves content at path so that a failure never damages the file that was there:
//  - the bytes go to a temporary file in the target's folder (".korrin-XXXXXX.tmp", a short
//    name of the program's own), are flushed to the disk, checked by verify (when given),
//    and only then replace the target in one step (rename / MoveFileExW);
//  - a symbolic link is followed: the file it points to is replaced, the link stays;
//  - a read-only target, a folder, a pipe or a device is refused with a German message;
//  - the replaced file's permissions carry over to the new one;
//  - SIGINT, SIGTERM or SIGHUP (Ctrl+C or closing the console on Windows) during the save
//    remove the temporary file before the program ends; a temporary file left by a save that
//    was killed outright is removed by the next save into that folder.
bool SaveFileSafely(const std::string& path, const std::string& content, std::string* error = nullptr,
                    const SaveCheck& verify = nullptr);

// The names (without folder) of the regular files in folder whose name ends in ".hex" in any
// case, in byte order of their UTF-8 names. Nothing, with a German reason, when the folder
// cannot be listed. An empty folder text means the current folder.
std::optional<std::vector<std::string>> ListHexFiles(const std::string& folder, std::string* error = nullptr);

// True when path names an existing folder.
bool IsFolder(const std::string& path);

// A std::filesystem path made from a UTF-8 path text, and the UTF-8 text of a path. On Windows a
// path built from a narrow string is read in the ANSI code page, which loses every character
// outside it (a user folder "C:\\Users\\Jürgen" may not be found); these convert through UTF-16.
std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

// The value of the environment variable name in UTF-8, empty when it is not set. On Windows
// the variable is read as UTF-16 (getenv gives it in the ANSI code page).
std::string EnvironmentVariable(const char* name);

// True when a and b name the same file: one existing file (also through a link or another
// name of it), or, for a file still to be written, the same place once ".", ".." and the
// links of the folders are resolved; letter case counts only on systems whose file names
// keep it apart (not on Windows and macOS).
bool IsSameFile(const std::string& a, const std::string& b);

// Taking paths apart: '/' separates on every system, '\' on Windows as well.
// FolderOf("a/b/c.hex") == "a/b/" (with its separator; "" without a folder),
// FileNameOf("a/b/c.hex") == "c.hex", JoinPath("a/b", "c.hex") == "a/b/c.hex".
std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);
std::string JoinPath(const std::string& folder, const std::string& name);

// The program's arguments in UTF-8, argv[0] included. POSIX: argv as it is. Windows: taken
// from the UTF-16 command line (argv there is in the ANSI code page and loses every
// character outside it), and the console is switched to UTF-8 output.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// For a program built without a console of its own (the Windows window program): connects
// stdout and stderr to the console of the program that started it, if there is one, so that
// `korrin --help` typed in a console prints there. Returns whether output now reaches a
// console or was already going somewhere (POSIX: always true, nothing to do).
bool UseParentConsole();

// True when name is a temporary file name of SaveFileSafely (".korrin-" six letters or
// digits ".tmp").
bool IsSaveTempName(const std::string& name);

// For tests only: called with the temporary file's path after it was written and flushed,
// before verify and the replace. Null switches it off.
void SetSaveHookForTesting(void (*hook)(const std::string& tempPath));

// For tests only: called with the temporary file's path at once after it was created, before
// anything is written into it. Null switches it off.
void SetTempCreatedHookForTesting(void (*hook)(const std::string& tempPath));

}  // namespace korrin
