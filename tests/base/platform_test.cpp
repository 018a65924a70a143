// The platform interface on the system it was built for: the same tests run on Linux and,
// cross-built, on Windows (under Wine in scripts/windows-check). Files are made and looked at
// through std::filesystem with char8_t paths, independently of the code under test.
#include "base/platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace korrin {
namespace {

namespace fs = std::filesystem;

fs::path FromUtf8(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }
std::string Utf8(const fs::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("korrin_platform_") + info->name() + "_" +
                       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    std::replace(name.begin(), name.end(), '/', '_');
    dir = fs::temp_directory_path() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    SetSaveHookForTesting(nullptr);
    std::error_code ec;
    // Read-only files cannot be deleted on Windows.
    for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
      fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
    fs::remove_all(dir, ec);
  }
  // The UTF-8 path of name in the test folder, as the program passes paths around.
  std::string Path(const std::string& name) const { return Utf8(dir / FromUtf8(name)); }
  void Put(const std::string& name, const std::string& content) const {
    std::ofstream out(dir / FromUtf8(name), std::ios::binary);
    out << content;
  }
  std::string Get(const std::string& name) const {
    std::ifstream in(dir / FromUtf8(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Every entry of the test folder, sorted.
  std::vector<std::string> Entries(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(Utf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<std::string> Entries() const { return Entries(dir); }

  fs::path dir;
};

// The temporary path the last save reported to the test hook.
std::string g_seenTemp;
void RememberTemp(const std::string& temp) { g_seenTemp = temp; }

// Makes the replace fail. POSIX: the temporary file vanishes. Windows: the target is held open
// without FILE_SHARE_DELETE, as another program reading it would (deleting the open temporary
// file only marks it for deletion there).
std::string g_blockedTarget;
std::ifstream g_holder;
void BlockReplace(const std::string& temp) {
#ifdef _WIN32
  (void)temp;
  g_holder.open(FromUtf8(g_blockedTarget), std::ios::binary);
#else
  fs::remove(FromUtf8(temp));
#endif
}

TEST_F(PlatformTest, SaveReplacesExistingFileAndLeavesNoTemporary) {
  Put("a.hex", "old content\r\n");
  std::string error;
  SetSaveHookForTesting(RememberTemp);
  ASSERT_TRUE(SaveFileSafely(Path("a.hex"), ":00000001FF\r\n", &error)) << error;
  EXPECT_EQ(Get("a.hex"), ":00000001FF\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"a.hex"});
  // The temporary file was beside the target, under a short name of the program's own.
  EXPECT_EQ(FolderOf(g_seenTemp), FolderOf(Path("a.hex")));
  EXPECT_TRUE(IsSaveTempName(FileNameOf(g_seenTemp))) << g_seenTemp;
}

TEST_F(PlatformTest, FailedReplaceKeepsOldFile) {
  Put("a.hex", "old\r\n");
  std::string error;
  g_blockedTarget = Path("a.hex");
  SetSaveHookForTesting(BlockReplace);
  EXPECT_FALSE(SaveFileSafely(Path("a.hex"), "new\r\n", &error));
  g_holder.close();
  EXPECT_EQ(error.rfind("Die Datei \"" + Path("a.hex") + "\" kann nicht ersetzt werden: ", 0), 0u) << error;
  EXPECT_NE(error.find("Die bisherige Datei bleibt unverändert."), std::string::npos) << error;
  EXPECT_EQ(Get("a.hex"), "old\r\n");
  SetSaveHookForTesting(nullptr);

  // A check that refuses the written file: its reason is the message, nothing is replaced.
  EXPECT_FALSE(SaveFileSafely(Path("a.hex"), "new\r\n", &error,
                              [](const std::string& temp) -> std::optional<std::string> {
                                if (!fs::exists(FromUtf8(temp))) return "keine Datei";
                                return "abgelehnt";
                              }));
  EXPECT_EQ(error, "abgelehnt");
  EXPECT_EQ(Get("a.hex"), "old\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"a.hex"});
}

TEST_F(PlatformTest, UmlautNamesAreReadSavedAndListed) {
  const std::string folder = "Gleisplan Ü";
  fs::create_directories(dir / FromUtf8(folder));
  fs::create_directories(dir / FromUtf8(folder + "/ordner.hex"));
  Put(folder + "/Weiche Ä.hex", "ä\r\n");
  Put(folder + "/straße.txt", "");

  auto read = ReadWholeFile(Path(folder + "/Weiche Ä.hex"));
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, "ä\r\n");

  std::string error;
  ASSERT_TRUE(SaveFileSafely(Path(folder + "/ölmühle.HEX"), "ö\r\n", &error)) << error;
  EXPECT_EQ(Get(folder + "/ölmühle.HEX"), "ö\r\n");
  ASSERT_TRUE(SaveFileSafely(Path(folder + "/Weiche Ä.hex"), "neu\r\n", &error)) << error;
  EXPECT_EQ(Get(folder + "/Weiche Ä.hex"), "neu\r\n");

  // Only regular files ending in .hex in any case; in byte order of the UTF-8 names.
  auto listed = ListHexFiles(Path(folder), &error);
  ASSERT_TRUE(listed) << error;
  EXPECT_EQ(*listed, (std::vector<std::string>{"Weiche Ä.hex", "ölmühle.HEX"}));
  EXPECT_EQ(Entries(dir / FromUtf8(folder)),
            (std::vector<std::string>{"Weiche Ä.hex", "ordner.hex", "straße.txt", "ölmühle.HEX"}));
}

TEST_F(PlatformTest, ListingRefusesWhatIsNoFolder) {
  Put("a.hex", "");
  std::string error;
  EXPECT_FALSE(ListHexFiles(Path("fehlt"), &error));
  EXPECT_EQ(error, "Der Ordner \"" + Path("fehlt") + "\" kann nicht gelesen werden: Datei oder Ordner nicht gefunden.");
  EXPECT_FALSE(ListHexFiles(Path("a.hex"), &error));
  EXPECT_EQ(error, "Der Ordner \"" + Path("a.hex") + "\" kann nicht gelesen werden: Das ist kein Ordner.");
  EXPECT_TRUE(IsFolder(Utf8(dir)));
  EXPECT_FALSE(IsFolder(Path("a.hex")));
}

// Only regular files of a sane size are read; everything else is named in the message.
TEST_F(PlatformTest, ReadingRefusesWhatIsNoSmallRegularFile) {
  fs::create_directories(dir / "ordner");
  {
    std::ofstream(dir / "gross.hex").put('x');
    fs::resize_file(dir / "gross.hex", 5 * 1024 * 1024);  // sparse: takes no room
    std::ofstream(dir / "passt.hex").put('x');
    fs::resize_file(dir / "passt.hex", kMaxReadSize);
  }
  struct Case {
    std::string path, reason;
  };
  std::vector<Case> cases = {
      {Path("ordner"), "Das ist ein Ordner, keine Datei."},
      {Path("fehlt.hex"), "Datei oder Ordner nicht gefunden."},
      {Path("gross.hex"),
       "Sie ist 5242880 Bytes groß, gelesen werden höchstens 4194304 Bytes (4 MB). Eine HEX-Datei dieser "
       "Decoder ist viel kleiner."},
  };
#ifndef _WIN32
  ASSERT_EQ(::mkfifo(Path("pipe.hex").c_str(), 0600), 0);
  cases.push_back({Path("pipe.hex"), "Das ist eine Pipe (FIFO), keine Datei."});
  cases.push_back({"/dev/zero", "Das ist ein Gerät, keine Datei."});
  cases.push_back({Path(std::string(300, 'n') + ".hex"), "Der Name ist zu lang."});
  // Links that lead round in a circle are named in German like every other reason.
  fs::create_symlink("kreis2.hex", dir / "kreis1.hex");
  fs::create_symlink("kreis1.hex", dir / "kreis2.hex");
  cases.push_back({Path("kreis1.hex"), "Die symbolischen Verknüpfungen bilden eine Schleife."});
#endif
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(ReadWholeFile(c.path, &error)) << c.path;
    EXPECT_EQ(error, "Die Datei \"" + c.path + "\" kann nicht gelesen werden: " + c.reason);
  }
  auto limit = ReadWholeFile(Path("passt.hex"));
  ASSERT_TRUE(limit);
  EXPECT_EQ(limit->size(), kMaxReadSize);
#ifndef _WIN32
  // A save into a circle of links is refused with the same German reason.
  std::string error;
  EXPECT_FALSE(SaveFileSafely(Path("kreis1.hex"), "x", &error));
  EXPECT_EQ(error, "Die Datei \"" + Path("kreis1.hex") +
                       "\" kann nicht geschrieben werden: Die symbolischen Verknüpfungen bilden eine Schleife.");
  // The null device holds no data: it reads as an empty file, not as a device.
  auto null = ReadWholeFile("/dev/null", &error);
  ASSERT_TRUE(null) << error;
  EXPECT_EQ(*null, "");
#endif
}

// The refusal of a file that is too large names what kind of file it was meant to be.
TEST_F(PlatformTest, SizeRefusalNamesTheKindOfFile) {
  std::ofstream(dir / "gross").put('x');
  fs::resize_file(dir / "gross", kMaxReadSize + 1);
  const struct {
    FileKind kind;
    const char* usual;
  } cases[] = {
      {FileKind::Hex, "Eine HEX-Datei dieser Decoder ist viel kleiner."},
      {FileKind::Configuration, "Eine JSON-Konfiguration eines Decoders ist viel kleiner."},
      {FileKind::Curve, "Eine Kurven-Datei ist viel kleiner."},
      {FileKind::Set, "Eine Set-Datei ist viel kleiner."},
      {FileKind::Plan, "Ein Batch-Plan (CSV-Datei) ist viel kleiner."},
      {FileKind::Settings, "Eine Einstellungsdatei ist viel kleiner."},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ReadWholeFile(Path("gross"), &error, c.kind));
    EXPECT_EQ(error, "Die Datei \"" + Path("gross") +
                         "\" kann nicht gelesen werden: Sie ist 4194305 Bytes groß, gelesen werden höchstens "
                         "4194304 Bytes (4 MB). " + c.usual);
  }
}

TEST_F(PlatformTest, SaveRefusesReadOnlyFileAndFolder) {
  Put("fest.hex", "old\r\n");
  fs::permissions(dir / "fest.hex", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::string error;
  EXPECT_FALSE(SaveFileSafely(Path("fest.hex"), "new\r\n", &error));
  EXPECT_EQ(error, "Die Datei \"" + Path("fest.hex") +
                       "\" ist schreibgeschützt und wird nicht überschrieben. Die bisherige Datei bleibt unverändert.");
  EXPECT_EQ(Get("fest.hex"), "old\r\n");

  fs::create_directories(dir / "ordner.hex");
  EXPECT_FALSE(SaveFileSafely(Path("ordner.hex"), "new\r\n", &error));
  EXPECT_EQ(error, "Die Datei \"" + Path("ordner.hex") + "\" kann nicht geschrieben werden: Das ist ein Ordner, keine Datei.");

  EXPECT_FALSE(SaveFileSafely(Path("fehlt/a.hex"), "new\r\n", &error));
  EXPECT_EQ(error, "Die Datei \"" + Path("fehlt/a.hex") + "\" kann nicht geschrieben werden: Datei oder Ordner nicht gefunden.");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"fest.hex", "ordner.hex"}));
}

// The longest name the file system takes can be saved: the temporary name does not grow with it.
TEST_F(PlatformTest, SavesTheLongestLegalName) {
  const std::string name = std::string(251, 'w') + ".hex";  // 255 bytes, the usual limit
  Put(name, "old\r\n");
  ASSERT_EQ(Get(name), "old\r\n") << "the file system here takes no 255-byte names";
  std::string error;
  ASSERT_TRUE(SaveFileSafely(Path(name), "new\r\n", &error)) << error;
  EXPECT_EQ(Get(name), "new\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{name});
}

TEST_F(PlatformTest, NextSaveRemovesLeftoverTemporaryFilesOnly) {
  const std::vector<std::string> others = {".korrin-ABC789.tmp", ".korrin-abc12.tmp", "x.korrin-abc123.tmp",
                                           ".korrin-abc123.tmp.hex"};
  Put(".korrin-abc123.tmp", "left by a killed save");
  for (const auto& name : others) Put(name, "not ours");
  std::string error;
  ASSERT_TRUE(SaveFileSafely(Path("a.hex"), "x\r\n", &error)) << error;
  std::vector<std::string> expected = others;
  expected.push_back("a.hex");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(), expected);
}

TEST(PlatformPaths, TakesPathsApart) {
  struct Case {
    std::string path, folder, name;
  } cases[] = {
      {"a/b/c.hex", "a/b/", "c.hex"},
      {"c.hex", "", "c.hex"},
      {"/c.hex", "/", "c.hex"},
      {"a/", "a/", ""},
#ifdef _WIN32
      {"C:\\Decoder\\Weiche Ä.hex", "C:\\Decoder\\", "Weiche Ä.hex"},
      {"C:\\Decoder/a.hex", "C:\\Decoder/", "a.hex"},
#else
      {"a\\b.hex", "", "a\\b.hex"},
#endif
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
    EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
  }
  EXPECT_EQ(JoinPath("", "a.hex"), "a.hex");
  EXPECT_EQ(JoinPath("a/", "b.hex"), "a/b.hex");
#ifdef _WIN32
  EXPECT_EQ(JoinPath("a", "b.hex"), "a\\b.hex");
#else
  EXPECT_EQ(JoinPath("a", "b.hex"), "a/b.hex");
#endif
}

#ifndef _WIN32

TEST_F(PlatformTest, SaveThroughSymbolicLinkReplacesItsTarget) {
  fs::create_directories(dir / "echt");
  Put("echt/a.hex", "old\r\n");
  ::chmod(Path("echt/a.hex").c_str(), 0640);
  fs::create_symlink("echt/a.hex", dir / "link.hex");  // relative to the link's folder
  fs::create_symlink("echt/neu.hex", dir / "offen.hex");  // leads nowhere yet

  std::string error;
  SetSaveHookForTesting(RememberTemp);
  ASSERT_TRUE(SaveFileSafely(Path("link.hex"), "new\r\n", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir / "link.hex"));
  EXPECT_EQ(fs::read_symlink(dir / "link.hex"), "echt/a.hex");
  EXPECT_EQ(Get("echt/a.hex"), "new\r\n");
  EXPECT_EQ(FolderOf(g_seenTemp), Path("echt/"));  // atomic: the temporary file lies beside the target
  EXPECT_EQ(fs::status(dir / "echt/a.hex").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  ASSERT_TRUE(SaveFileSafely(Path("offen.hex"), "neu\r\n", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir / "offen.hex"));
  EXPECT_EQ(Get("echt/neu.hex"), "neu\r\n");
  EXPECT_EQ(Entries(dir / "echt"), (std::vector<std::string>{"a.hex", "neu.hex"}));
}

// A child process saves and stops inside the save (after the temporary file is written);
// the test then signals it.
int g_reportPipe = -1;
void ReportAndWait(const std::string& temp) {
  std::string line = temp + "\n";
  if (::write(g_reportPipe, line.data(), line.size()) < 0) ::_exit(2);
  for (;;) ::pause();
}

struct StoppedSave {
  pid_t pid = -1;
  std::string temp;
};

StoppedSave StartStoppedSave(const std::string& path) {
  int fds[2];
  if (::pipe(fds) != 0) return {};
  pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    ::signal(SIGINT, SIG_DFL);  // a shell may have started the tests with SIGINT ignored
    ::signal(SIGTERM, SIG_DFL);
    g_reportPipe = fds[1];
    SetSaveHookForTesting(ReportAndWait);
    SaveFileSafely(path, "new\r\n");
    ::_exit(3);  // not reached: the hook never returns
  }
  ::close(fds[1]);
  StoppedSave save;
  save.pid = pid;
  char c;
  while (::read(fds[0], &c, 1) == 1 && c != '\n') save.temp += c;
  ::close(fds[0]);
  return save;
}

// The child's end: the signal that ended it, or -1 when it did not end within ten seconds.
int EndOf(pid_t pid) {
  for (int i = 0; i < 1000; ++i) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) return WIFSIGNALED(status) ? WTERMSIG(status) : 1000 + WEXITSTATUS(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  return -1;
}

TEST_F(PlatformTest, SignalDuringSaveRemovesTheTemporaryFile) {
  for (int signal : {SIGTERM, SIGINT}) {
    Put("a.hex", "old\r\n");
    StoppedSave save = StartStoppedSave(Path("a.hex"));
    ASSERT_GT(save.pid, 0);
    ASSERT_TRUE(fs::exists(save.temp)) << save.temp;

    // Another save into the folder meanwhile leaves the live temporary file alone.
    std::string error;
    ASSERT_TRUE(SaveFileSafely(Path("b.hex"), "b\r\n", &error)) << error;
    EXPECT_TRUE(fs::exists(save.temp));

    ::kill(save.pid, signal);
    EXPECT_EQ(EndOf(save.pid), signal);
    EXPECT_FALSE(fs::exists(save.temp)) << signal;
    EXPECT_EQ(Get("a.hex"), "old\r\n");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"a.hex", "b.hex"}));
  }
}

// A signal that comes at the moment the temporary file has been created (before the save has
// noted it for its clean-up) must not leave an empty file behind.
void RaiseTerm(const std::string&) { ::raise(SIGTERM); }

TEST_F(PlatformTest, SignalWhileTheTemporaryFileIsCreatedLeavesNothing) {
  Put("a.hex", "old\r\n");
  pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGTERM, SIG_DFL);
    SetTempCreatedHookForTesting(RaiseTerm);
    SaveFileSafely(Path("a.hex"), "new\r\n");
    ::_exit(3);  // not reached: the signal ends the save
  }
  ASSERT_GT(pid, 0);
  EXPECT_EQ(EndOf(pid), SIGTERM);
  EXPECT_EQ(Get("a.hex"), "old\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"a.hex"});
}

TEST_F(PlatformTest, TemporaryFileOfAKilledSaveGoesWithTheNextSave) {
  Put("a.hex", "old\r\n");
  StoppedSave save = StartStoppedSave(Path("a.hex"));
  ASSERT_GT(save.pid, 0);
  ::kill(save.pid, SIGKILL);  // no handler runs
  EXPECT_EQ(EndOf(save.pid), SIGKILL);
  ASSERT_TRUE(fs::exists(save.temp));

  std::string error;
  ASSERT_TRUE(SaveFileSafely(Path("b.hex"), "b\r\n", &error)) << error;
  EXPECT_FALSE(fs::exists(save.temp));
  EXPECT_EQ(Get("a.hex"), "old\r\n");
}

#endif

}  // namespace
}  // namespace korrin
