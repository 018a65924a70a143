// The platform interface on Linux and other POSIX systems. Paths are byte strings here, so
// the program's UTF-8 goes to the calls unchanged.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/os/platform_detail.h"
#include "base/platform.h"

namespace korrin {

namespace platform_detail {
bool IsPathSeparator(char c) { return c == '/'; }
char PreferredSeparator() { return '/'; }
}  // namespace platform_detail

using namespace platform_detail;

namespace {

Fault FromErrno(int code) {
  switch (code) {
    case ENOENT: return {Reason::NotFound, ""};
    case EACCES:
    case EPERM: return {Reason::NoPermission, ""};
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return {Reason::DiskFull, ""};
    case EISDIR: return {Reason::IsFolder, ""};
    case ENOTDIR: return {Reason::NotFolder, ""};
    case ENAMETOOLONG: return {Reason::NameTooLong, ""};
    case EROFS: return {Reason::ReadOnlyFileSystem, ""};
    case ELOOP: return {Reason::LinkLoop, ""};
    default: return {Reason::Other, std::strerror(code)};
  }
}

// What a path that is no regular file is.
Fault KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return {Reason::IsFolder, ""};
  if (S_ISFIFO(mode)) return {Reason::Pipe, ""};
  if (S_ISCHR(mode) || S_ISBLK(mode)) return {Reason::Device, ""};
  if (S_ISSOCK(mode)) return {Reason::Socket, ""};
  return {Reason::NotRegular, ""};
}

// The null device (/dev/null under any name) holds no data: it reads as an empty file, so
// that it is reported as a file without data rather than as a device.
bool IsNullDevice(const struct stat& st) {
  struct stat null {};
  return S_ISCHR(st.st_mode) && ::stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode) && st.st_rdev == null.st_rdev;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error, FileKind kind) {
  // The type is looked at before the file is opened: opening a pipe would wait for a writer.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return Nothing(error, CannotRead(path, FromErrno(errno)));
  if (IsNullDevice(st)) return std::string();
  if (!S_ISREG(st.st_mode)) return Nothing(error, CannotRead(path, KindOf(st.st_mode)));
  if (static_cast<std::uint64_t>(st.st_size) > kMaxReadSize)
    return Nothing(error, TooLarge(path, static_cast<std::uint64_t>(st.st_size), kind));

  // O_NONBLOCK: should the path have become a pipe meanwhile, the open does not wait.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return Nothing(error, CannotRead(path, FromErrno(errno)));
  if (::fstat(fd.get(), &st) != 0) return Nothing(error, CannotRead(path, FromErrno(errno)));
  if (!S_ISREG(st.st_mode)) return Nothing(error, CannotRead(path, KindOf(st.st_mode)));

  std::string content;
  content.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Nothing(error, CannotRead(path, FromErrno(errno)));
    }
    if (n == 0) break;
    if (content.size() + static_cast<size_t>(n) > kMaxReadSize)  // it grew while being read
      return Nothing(error, TooLarge(path, content.size() + static_cast<size_t>(n), kind));
    content.append(buffer, static_cast<size_t>(n));
  }
  return content;
}

std::optional<std::vector<std::string>> ListHexFiles(const std::string& folder, std::string* error) {
  const std::string where = folder.empty() ? std::string(".") : folder;
  DIR* dir = ::opendir(where.c_str());
  if (!dir) return Nothing(error, CannotList(folder, FromErrno(errno)));
  std::vector<std::string> names;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (!entry) break;
    std::string name = entry->d_name;
    if (!IsHexName(name)) continue;
    bool regular = false;
#ifdef DT_REG
    if (entry->d_type == DT_REG) regular = true;
    else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK)
#endif
    {
      struct stat st {};
      regular = ::stat(JoinPath(where, name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }
    if (regular) names.push_back(std::move(name));
  }
  const int readError = errno;
  ::closedir(dir);
  if (readError != 0) return Nothing(error, CannotList(folder, FromErrno(readError)));
  std::sort(names.begin(), names.end());
  return names;
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::filesystem::path PathOf(const std::string& utf8) { return std::filesystem::path(utf8); }

std::string Utf8Of(const std::filesystem::path& path) { return path.string(); }

std::string EnvironmentVariable(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::vector<std::string> ProgramArguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

bool UseParentConsole() { return true; }

// ---------------------------------------------------------------------------------------------
// The safe save.

namespace {

// Saves run one after the other: the signal handler knows one temporary file at a time.
std::mutex g_saveMutex;

// The temporary file of the save in progress, for the signal handler. Plain memory and a
// flag: the handler may only make async-signal-safe calls.
char g_tempPath[PATH_MAX];
volatile sig_atomic_t g_tempActive = 0;

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];
struct sigaction g_previous[kSignalCount];
volatile sig_atomic_t g_installed[kSignalCount];

extern "C" void RemoveTempOnSignal(int signal) {
  const int savedErrno = errno;
  if (g_tempActive) ::unlink(g_tempPath);
  for (int i = 0; i < kSignalCount; ++i)
    if (kSignals[i] == signal && g_installed[i]) ::sigaction(signal, &g_previous[i], nullptr);
  // Blocked while the handler runs; delivered with the default action as soon as it returns.
  ::raise(signal);
  errno = savedErrno;
}

// For the length of a save, a signal that would end the program removes the temporary file
// first. Only signals with the default action are taken: a program that ignores or handles
// one itself goes on running, and its save must go on too.
class SignalGuard {
 public:
  SignalGuard() {
    for (int i = 0; i < kSignalCount; ++i) {
      struct sigaction current {};
      if (::sigaction(kSignals[i], nullptr, &current) != 0) continue;
      if ((current.sa_flags & SA_SIGINFO) || current.sa_handler != SIG_DFL) continue;
      struct sigaction ours {};
      ours.sa_handler = RemoveTempOnSignal;
      sigemptyset(&ours.sa_mask);
      for (int s : kSignals) sigaddset(&ours.sa_mask, s);
      g_previous[i] = current;
      g_installed[i] = 1;
      if (::sigaction(kSignals[i], &ours, nullptr) != 0) g_installed[i] = 0;
    }
  }
  ~SignalGuard() {
    for (int i = 0; i < kSignalCount; ++i) {
      if (!g_installed[i]) continue;
      ::sigaction(kSignals[i], &g_previous[i], nullptr);
      g_installed[i] = 0;
    }
  }
  SignalGuard(const SignalGuard&) = delete;
  SignalGuard& operator=(const SignalGuard&) = delete;
};

// Holds back the signals of kSignals for its lifetime; they are delivered when it ends.
class SignalBlock {
 public:
  SignalBlock() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : kSignals) sigaddset(&set, s);
    ::pthread_sigmask(SIG_BLOCK, &set, &previous_);
  }
  ~SignalBlock() {
    const int savedErrno = errno;
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    errno = savedErrno;
  }
  SignalBlock(const SignalBlock&) = delete;
  SignalBlock& operator=(const SignalBlock&) = delete;

 private:
  sigset_t previous_;
};

// The file a save replaces: path itself, or where its symbolic links lead. A link that leads
// nowhere yet names the file to create.
bool ResolveLinks(const std::string& path, std::string& target, Fault& fault) {
  target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) {
      if (errno == ENOENT) return true;
      fault = FromErrno(errno);
      return false;
    }
    if (!S_ISLNK(st.st_mode)) return true;
    std::vector<char> buffer(PATH_MAX + 1);
    ssize_t n = ::readlink(target.c_str(), buffer.data(), buffer.size() - 1);
    if (n < 0) {
      fault = FromErrno(errno);
      return false;
    }
    std::string link(buffer.data(), static_cast<size_t>(n));
    target = (!link.empty() && link[0] == '/') ? link : FolderOf(target) + link;
  }
  fault = FromErrno(ELOOP);
  return false;
}

// A live save holds a lock on its temporary file for as long as it exists; one that nobody
// locks was left by a save that was killed and is removed.
void RemoveLeftoverTemps(const std::string& folder) {
  const std::string where = folder.empty() ? std::string(".") : folder;
  DIR* dir = ::opendir(where.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsSaveTempName(entry->d_name)) continue;
    const std::string temp = JoinPath(where, entry->d_name);
    Descriptor fd(::open(temp.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY));
    if (fd.get() < 0) continue;
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) ::unlink(temp.c_str());
  }
  ::closedir(dir);
}

bool SameFile(int fd, const std::string& path) {
  struct stat byFd {
  }, byPath{};
  return ::fstat(fd, &byFd) == 0 && ::lstat(path.c_str(), &byPath) == 0 && byFd.st_dev == byPath.st_dev &&
         byFd.st_ino == byPath.st_ino;
}

// Makes the rename itself durable.
void SyncFolder(const std::string& folder) {
  Descriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

bool SaveFileSafely(const std::string& path, const std::string& content, std::string* error, const SaveCheck& verify) {
  std::lock_guard<std::mutex> lock(g_saveMutex);
  std::string target;
  Fault fault;
  if (!ResolveLinks(path, target, fault)) return Fail(error, CannotWrite(path, fault));

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists) {
    if (!S_ISREG(old.st_mode)) return Fail(error, CannotWrite(path, KindOf(old.st_mode)));
    // No write bit at all stops root as well; access() covers the bits that apply to us.
    if ((old.st_mode & 0222) == 0) return Fail(error, ReadOnlyTarget(path));
    if (::access(target.c_str(), W_OK) != 0) {
      if (errno == EACCES || errno == EPERM) return Fail(error, ReadOnlyTarget(path));
      return Fail(error, CannotWrite(path, FromErrno(errno)));
    }
  }

  const std::string folder = FolderOf(target);
  RemoveLeftoverTemps(folder);
  SignalGuard signals;

  // A fresh name of our own, created exclusively and locked at once. Should the lock fail or
  // the file be gone again, another save's clean-up took it for a leftover: take another name.
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = folder + MakeSaveTempName();
    {
      // The signals wait while the file is created and made known to the handler: one that
      // came in between would end the program and leave an empty file nobody removes.
      SignalBlock block;
      fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0666);
      if (fd < 0) {
        if (errno == EEXIST) continue;
        return Fail(error, CannotWrite(path, FromErrno(errno)));
      }
      RunTempCreatedHook(temp);
      if (temp.size() < sizeof g_tempPath) {
        std::memcpy(g_tempPath, temp.c_str(), temp.size() + 1);
        g_tempActive = 1;
      }
    }
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
    if (!locked || !SameFile(fd, temp)) {
      g_tempActive = 0;
      ::close(fd);
      fd = -1;
    }
  }
  if (fd < 0) return Fail(error, CannotWrite(path, FromErrno(EEXIST)));
  Descriptor file(fd);
  auto discard = [&](std::string message) {
    g_tempActive = 0;
    ::unlink(temp.c_str());
    return Fail(error, std::move(message));
  };

  if (exists) ::fchmod(fd, old.st_mode & 0777);
  size_t done = 0;
  while (done < content.size()) {
    ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return discard(WriteFailed(path, FromErrno(errno)));
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) return discard(WriteFailed(path, FromErrno(errno)));

  RunSaveHook(temp);
  if (verify) {
    if (auto why = verify(temp)) return discard(*why);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) return discard(CannotReplace(path, FromErrno(errno)));
  g_tempActive = 0;
  SyncFolder(folder);
  return true;
}

}  // namespace korrin
