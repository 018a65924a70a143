// The platform interface on Windows. The program's paths are UTF-8; every call here takes
// UTF-16 (the "W" functions), so paths are converted at this boundary and nowhere else.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
// windows.h first: shellapi.h needs its declarations (a separate block keeps the order).
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <mutex>

#include "base/os/platform_detail.h"
#include "base/platform.h"

namespace korrin {

namespace platform_detail {
bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }
char PreferredSeparator() { return '\\'; }
}  // namespace platform_detail

using namespace platform_detail;

namespace {

// UTF-8 -> UTF-16. Text that is no UTF-8 (a name typed in the ANSI code page) is taken in
// the ANSI code page instead, so that it still finds its file.
std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  UINT codePage = CP_UTF8;
  DWORD flags = MB_ERR_INVALID_CHARS;
  int n = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (n <= 0) {
    codePage = CP_ACP;
    flags = 0;
    n = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  }
  if (n <= 0) return {};
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), n);
  return wide;
}

std::string Narrow(const wchar_t* text, size_t length) {
  if (length == 0) return {};
  const int size = static_cast<int>(length);
  int n = WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string narrow(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, size, narrow.data(), n, nullptr, nullptr);
  return narrow;
}

std::string Narrow(const std::wstring& text) { return Narrow(text.data(), text.size()); }

// The path as the API takes it. A long one gets the "\\?\" form, which lifts the limit of
// 260 characters (it needs a full path with backslashes, which GetFullPathNameW gives).
std::wstring ApiPath(const std::string& path) {
  std::wstring wide = Wide(path);
  if (wide.size() < MAX_PATH - 14 || wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (n == 0) return wide;
  std::wstring full(n, L'\0');
  n = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
  full.resize(n);
  if (full.size() >= 3 && full[1] == L':') return L"\\\\?\\" + full;
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return wide;
}

std::string SystemText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = n ? Narrow(buffer, n) : std::string();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  if (text.empty()) text = "Systemfehler " + std::to_string(code);
  return text;
}

Fault FromError(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return {Reason::NotFound, ""};
    case ERROR_ACCESS_DENIED: return {Reason::NoPermission, ""};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return {Reason::DiskFull, ""};
    case ERROR_FILENAME_EXCED_RANGE: return {Reason::NameTooLong, ""};
    case ERROR_WRITE_PROTECT: return {Reason::ReadOnlyFileSystem, ""};
    case ERROR_DIRECTORY: return {Reason::NotFolder, ""};
    case ERROR_CANT_RESOLVE_FILENAME: return {Reason::LinkLoop, ""};
    default: return {Reason::Other, SystemText(code)};
  }
}

Fault LastFault() { return FromError(GetLastError()); }

// "NUL", "nul" or "\\.\NUL".
bool IsNullDeviceName(const std::string& path) {
  std::string name = path.size() >= 4 && (path.compare(0, 4, "\\\\.\\") == 0) ? path.substr(4) : path;
  if (name.size() != 3) return false;
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name == "NUL";
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() { close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  void close() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_;
};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error, FileKind kind) {
  // The null device holds no data: it reads as an empty file (as /dev/null does on POSIX).
  if (IsNullDeviceName(path)) return std::string();
  const std::wstring wide = ApiPath(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Nothing(error, CannotRead(path, LastFault()));
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Nothing(error, CannotRead(path, {Reason::IsFolder, ""}));

  Handle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return Nothing(error, CannotRead(path, LastFault()));
  switch (GetFileType(file.get())) {
    case FILE_TYPE_DISK: break;
    case FILE_TYPE_PIPE: return Nothing(error, CannotRead(path, {Reason::Pipe, ""}));
    case FILE_TYPE_CHAR: return Nothing(error, CannotRead(path, {Reason::Device, ""}));
    default: return Nothing(error, CannotRead(path, {Reason::NotRegular, ""}));
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return Nothing(error, CannotRead(path, LastFault()));
  if (static_cast<std::uint64_t>(size.QuadPart) > kMaxReadSize)
    return Nothing(error, TooLarge(path, static_cast<std::uint64_t>(size.QuadPart), kind));

  std::string content;
  content.reserve(static_cast<size_t>(size.QuadPart));
  char buffer[65536];
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) return Nothing(error, CannotRead(path, LastFault()));
    if (n == 0) break;
    if (content.size() + n > kMaxReadSize) return Nothing(error, TooLarge(path, content.size() + n, kind));
    content.append(buffer, n);
  }
  return content;
}

std::optional<std::vector<std::string>> ListHexFiles(const std::string& folder, std::string* error) {
  const std::string where = folder.empty() ? std::string(".") : folder;
  const DWORD attributes = GetFileAttributesW(ApiPath(where).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Nothing(error, CannotList(folder, LastFault()));
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return Nothing(error, CannotList(folder, {Reason::NotFolder, ""}));

  std::vector<std::string> names;
  WIN32_FIND_DATAW data{};
  HANDLE find =
      FindFirstFileExW(ApiPath(JoinPath(where, "*")).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND) return names;
    return Nothing(error, CannotList(folder, FromError(code)));
  }
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string name = Narrow(data.cFileName, wcslen(data.cFileName));
    if (IsHexName(name)) names.push_back(std::move(name));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(ApiPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::filesystem::path PathOf(const std::string& utf8) { return std::filesystem::path(Wide(utf8)); }

std::string Utf8Of(const std::filesystem::path& path) { return Narrow(path.native()); }

std::string EnvironmentVariable(const char* name) {
  const wchar_t* value = _wgetenv(Wide(name).c_str());
  return value ? Narrow(value, std::wcslen(value)) : std::string();
}

namespace {
UINT g_consoleOutputCodePage = 0;
void RestoreConsoleCodePage() {
  if (g_consoleOutputCodePage) SetConsoleOutputCP(g_consoleOutputCodePage);
}
}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  if (!g_consoleOutputCodePage) {
    g_consoleOutputCodePage = GetConsoleOutputCP();
    if (g_consoleOutputCodePage && SetConsoleOutputCP(CP_UTF8)) std::atexit(RestoreConsoleCodePage);
  }
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Narrow(wide[i], wcslen(wide[i])));
  LocalFree(wide);
  return arguments;
}

bool UseParentConsole() {
  // Output already redirected into a file or a pipe has a handle: leave it alone.
  if (GetStdHandle(STD_OUTPUT_HANDLE) != nullptr && GetStdHandle(STD_OUTPUT_HANDLE) != INVALID_HANDLE_VALUE) return true;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
  FILE* ignored = nullptr;
  freopen_s(&ignored, "CONOUT$", "w", stdout);
  freopen_s(&ignored, "CONOUT$", "w", stderr);
  SetConsoleOutputCP(CP_UTF8);
  return true;
}

// ---------------------------------------------------------------------------------------------
// The safe save.

namespace {

std::mutex g_saveMutex;

// The temporary file of the save in progress, for the console handler (Ctrl+C, closing the
// console window). It runs on a thread of its own while the save goes on; the file is opened
// with FILE_SHARE_DELETE, so it can be deleted by name while open and disappears for good
// when the process ends.
wchar_t g_tempPath[32768];
volatile LONG g_tempActive = 0;
// Creating the temporary file and noting it above is one step for the handler: it waits while
// a file is being created, and once it has run no new file is created (the program is ending).
SRWLOCK g_createLock = SRWLOCK_INIT;
volatile LONG g_ending = 0;

BOOL WINAPI RemoveTempOnConsoleEvent(DWORD) {
  AcquireSRWLockExclusive(&g_createLock);
  InterlockedExchange(&g_ending, 1);
  if (InterlockedExchange(&g_tempActive, 0)) DeleteFileW(g_tempPath);
  ReleaseSRWLockExclusive(&g_createLock);
  return FALSE;  // the next handler (in the end the default one) ends the program
}

class ConsoleGuard {
 public:
  ConsoleGuard() { installed_ = SetConsoleCtrlHandler(RemoveTempOnConsoleEvent, TRUE); }
  ~ConsoleGuard() {
    InterlockedExchange(&g_tempActive, 0);
    if (installed_) SetConsoleCtrlHandler(RemoveTempOnConsoleEvent, FALSE);
  }
  ConsoleGuard(const ConsoleGuard&) = delete;
  ConsoleGuard& operator=(const ConsoleGuard&) = delete;

 private:
  BOOL installed_ = FALSE;
};

// A live save locks one byte far beyond the end of its temporary file (Windows locks are
// mandatory, so a lock on the data would stop the check that reads it back). A temporary file
// whose byte nobody locks was left by a save that was killed.
bool LockTemp(HANDLE file) {
  OVERLAPPED where{};
  where.Offset = 0;
  where.OffsetHigh = 0x7FFFFFF0;
  return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where) != 0;
}

void RemoveLeftoverTemps(const std::wstring& folder) {
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileExW((folder + L".korrin-*.tmp").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (!IsSaveTempName(Narrow(data.cFileName, wcslen(data.cFileName)))) continue;
    const std::wstring temp = folder + data.cFileName;
    Handle file(CreateFileW(temp.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !LockTemp(file.get())) continue;
    FILE_DISPOSITION_INFO dispose{};
    dispose.DeleteFile = TRUE;
    SetFileInformationByHandle(file.get(), FileDispositionInfo, &dispose, sizeof dispose);
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

bool DeletePending(HANDLE file) {
  FILE_STANDARD_INFO info{};
  return GetFileInformationByHandleEx(file, FileStandardInfo, &info, sizeof info) && info.DeletePending;
}

// A symbolic link (or junction) to a file: the file it leads to, so that the link stays.
std::wstring FinalPath(const std::wstring& path) {
  Handle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                          FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return path;
  std::wstring final(32768, L'\0');
  DWORD n = GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
  if (n == 0 || n >= final.size()) return path;
  final.resize(n);
  return final;
}

size_t FolderLength(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? 0 : slash + 1;
}

}  // namespace

bool SaveFileSafely(const std::string& path, const std::string& content, std::string* error, const SaveCheck& verify) {
  std::lock_guard<std::mutex> lock(g_saveMutex);
  std::wstring target = ApiPath(path);
  DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    target = FinalPath(target);
    attributes = GetFileAttributesW(target.c_str());
  }
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(error, CannotWrite(path, {Reason::IsFolder, ""}));
    if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(error, ReadOnlyTarget(path));
  }

  const std::wstring folder = target.substr(0, FolderLength(target));
  RemoveLeftoverTemps(folder);
  ConsoleGuard console;

  std::wstring temp;
  HANDLE raw = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && raw == INVALID_HANDLE_VALUE; ++attempt) {
    temp = folder + Wide(MakeSaveTempName());
    AcquireSRWLockExclusive(&g_createLock);
    if (g_ending) {
      ReleaseSRWLockExclusive(&g_createLock);
      return Fail(error, CannotWrite(path, {Reason::Other, "Das Programm wird beendet"}));
    }
    raw = CreateFileW(temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD code = GetLastError();
    if (raw != INVALID_HANDLE_VALUE) {
      RunTempCreatedHook(Narrow(temp));
      if (temp.size() < sizeof g_tempPath / sizeof g_tempPath[0]) {
        std::memcpy(g_tempPath, temp.c_str(), (temp.size() + 1) * sizeof(wchar_t));
        InterlockedExchange(&g_tempActive, 1);
      }
    }
    ReleaseSRWLockExclusive(&g_createLock);
    if (raw == INVALID_HANDLE_VALUE) {
      if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) continue;
      return Fail(error, CannotWrite(path, FromError(code)));
    }
    // Another save's clean-up may have taken it for a leftover in the moment between.
    if (!LockTemp(raw) || DeletePending(raw)) {
      InterlockedExchange(&g_tempActive, 0);
      CloseHandle(raw);
      raw = INVALID_HANDLE_VALUE;
    }
  }
  if (raw == INVALID_HANDLE_VALUE) return Fail(error, CannotWrite(path, FromError(ERROR_FILE_EXISTS)));
  Handle file(raw);
  auto discard = [&](std::string message) {
    InterlockedExchange(&g_tempActive, 0);
    file.close();
    DeleteFileW(temp.c_str());
    return Fail(error, std::move(message));
  };

  size_t done = 0;
  while (done < content.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 20));
    DWORD n = 0;
    if (!WriteFile(file.get(), content.data() + done, chunk, &n, nullptr)) return discard(WriteFailed(path, LastFault()));
    done += n;
  }
  if (!FlushFileBuffers(file.get())) return discard(WriteFailed(path, LastFault()));

  const std::string tempUtf8 = Narrow(temp);
  RunSaveHook(tempUtf8);
  if (verify) {
    if (auto why = verify(tempUtf8)) return discard(*why);
  }
  // The temporary file stays open (and locked) until it has replaced the target; every
  // handle on it allows deleting, which is what MoveFileExW needs.
  if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return discard(CannotReplace(path, LastFault()));
  InterlockedExchange(&g_tempActive, 0);
  return true;
}

}  // namespace korrin
