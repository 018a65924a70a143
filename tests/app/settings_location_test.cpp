#include "app/settings_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <stdlib.h>
#include <unistd.h>

#include "app/program_layout.h"
#include "app/settings.h"
#include "base/platform.h"

using namespace korrin;
namespace fs = std::filesystem;

namespace {

class ProgramFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("korrin-places-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root);
  }
  void TearDown() override { fs::remove_all(root); }
  // A help folder with its index page at root/relative.
  void help(const std::string& relative) {
    fs::create_directories(root / relative);
    std::ofstream(root / relative / "index.html") << "<html></html>\n";
  }
  void folder(const std::string& relative) { fs::create_directories(root / relative); }
  std::string at(const std::string& relative) const { return (root / relative).lexically_normal().string(); }
  fs::path root;
};

}  // namespace

// The choice itself, without any folder: every combination that decides it.
TEST(SettingsPath, ChosenByWritabilityLayoutAndEnvironment) {
  struct Case {
    const char* what;
    SettingsPlaces places;
    std::string expected;
  } cases[] = {
      {"portable folder", {"/opt/korrin/korrin", true, false, false, "/x", "/home/u", ""}, "/opt/korrin/korrin.ini"},
      {"portable Windows folder", {"D:/Korrin/Korrin.exe", true, false, true, "", "", "C:\\Users\\u\\AppData\\Roaming"},
       "D:/Korrin/Korrin.ini"},
      {"read-only folder, XDG set", {"/usr/bin/korrin", false, false, false, "/home/u/cfg", "/home/u", ""},
       "/home/u/cfg/korrin/korrin.ini"},
      {"read-only folder, XDG with slash", {"/usr/bin/korrin", false, false, false, "/home/u/cfg/", "/home/u", ""},
       "/home/u/cfg/korrin/korrin.ini"},
      {"read-only folder, no XDG", {"/usr/bin/korrin", false, false, false, "", "/home/u", ""},
       "/home/u/.config/korrin/korrin.ini"},
      {"relative XDG is ignored", {"/usr/bin/korrin", false, false, false, "cfg", "/home/u", ""},
       "/home/u/.config/korrin/korrin.ini"},
      {"installed, folder writable (root, ~/.local/bin)", {"/home/u/.local/bin/korrin", true, true, false, "", "/home/u", ""},
       "/home/u/.config/korrin/korrin.ini"},
      {"Windows, read-only folder", {"C:/Program Files/Korrin/Korrin.exe", false, false, true, "", "", "C:\\Users\\u\\AppData\\Roaming"},
       "C:\\Users\\u\\AppData\\Roaming\\Korrin\\korrin.ini"},
      {"no user folder known", {"/usr/bin/korrin", false, false, false, "", "", ""}, "/usr/bin/korrin.ini"},
  };
  for (const auto& c : cases) EXPECT_EQ(ChooseSettingsPath(c.places), c.expected) << c.what;
}

TEST_F(ProgramFolders, WritabilityIsTriedNotGuessed) {
  folder("portable");
  EXPECT_TRUE(FolderIsWritable(at("portable")));
  EXPECT_TRUE(fs::is_empty(root / "portable"));  // the probe file is gone again
  EXPECT_FALSE(FolderIsWritable(at("missing")));
  EXPECT_FALSE(FolderIsWritable(""));
  // Below a regular file nothing can be created, whoever runs the test (root included).
  std::ofstream(root / "plain") << "x";
  EXPECT_FALSE(FolderIsWritable(at("plain")));
}

#ifndef _WIN32  // the XDG configuration folder is the Linux rule
TEST_F(ProgramFolders, PlacesOfARunningProgram) {
  setenv("XDG_CONFIG_HOME", at("cfg").c_str(), 1);
  // A portable folder: korrin.ini beside the program.
  folder("portable");
  EXPECT_EQ(ChooseSettingsPath(SettingsPlacesOf(at("portable/korrin"))), at("portable/korrin.ini"));
  // The build tree (build/src/korrin, build/help): portable as well.
  folder("build/src");
  help("build/help");
  EXPECT_EQ(ChooseSettingsPath(SettingsPlacesOf(at("build/src/korrin"))), at("build/src/korrin.ini"));
  // An installation, even one the user may write: the user's configuration folder.
  folder("prefix/bin");
  help("prefix/share/korrin/help");
  SettingsPlaces installed = SettingsPlacesOf(at("prefix/bin/korrin"));
  EXPECT_TRUE(installed.installed);
  EXPECT_EQ(ChooseSettingsPath(installed), at("cfg/korrin/korrin.ini"));
  // A program whose folder cannot be written to (here: a file stands where the folder would be).
  std::ofstream(root / "locked") << "x";
  EXPECT_EQ(ChooseSettingsPath(SettingsPlacesOf(at("locked/korrin"))), at("cfg/korrin/korrin.ini"));
  unsetenv("XDG_CONFIG_HOME");
}
#endif

// A user whose name is not ASCII ("Jürgen Ω", the Omega outside every Western code page): the settings folder is found from the environment
// in UTF-8, created under its real name and the file written and read there. On Windows (the
// test also runs under Wine) the user folder comes from %APPDATA%, elsewhere from XDG.
TEST_F(ProgramFolders, SettingsOfAUserWithUmlautsInTheName) {
  const fs::path userFolder = root / fs::path(u8"J\u00fcrgen \u03a9");
  const std::string user = Utf8Of(userFolder.lexically_normal());
#ifdef _WIN32
  const char* variable = "APPDATA";
  const std::string expected = user + "\\Korrin\\korrin.ini";
#else
  const char* variable = "XDG_CONFIG_HOME";
  const std::string expected = user + "/korrin/korrin.ini";
#endif
  const std::string saved = EnvironmentVariable(variable);
  auto setVariable = [&](const std::string& value) {
#ifdef _WIN32
    // The wide call: what Windows holds, whatever the ANSI code page can express.
    _wputenv_s(PathOf(variable).c_str(), PathOf(value).c_str());
#else
    setenv(variable, value.c_str(), 1);
#endif
  };
  setVariable(user);
  EXPECT_EQ(EnvironmentVariable(variable), user);
  std::ofstream(root / "locked") << "x";  // the program's folder cannot be written to
  const std::string path = ChooseSettingsPath(SettingsPlacesOf(at("locked/korrin")));
  setVariable(saved);
  ASSERT_EQ(path, expected);
  ASSERT_TRUE(MakeSettingsFolder(path));
  Settings s;
  s.WindowTop = 77;
  ASSERT_TRUE(WriteSettings(path, s));
  EXPECT_EQ(ReadSettings(path).WindowTop, 77);
  // The folder carries the real name, not one mangled through a code page.
  EXPECT_TRUE(fs::is_regular_file(PathOf(path)));
  EXPECT_TRUE(fs::is_directory(userFolder));
}

// The first "Ende" of an installed program creates its configuration folder, then the file.
TEST_F(ProgramFolders, SettingsFolderIsCreatedForTheFirstWrite) {
  const std::string path = at("cfg/korrin/korrin.ini");
  ASSERT_TRUE(MakeSettingsFolder(path));
  Settings s;
  s.WindowLeft = 123;
  ASSERT_TRUE(WriteSettings(path, s));
  EXPECT_EQ(ReadSettings(path).WindowLeft, 123);
  EXPECT_TRUE(MakeSettingsFolder(path));  // existing: nothing to do
  std::ofstream(root / "plain") << "x";
  std::string error;
  EXPECT_FALSE(MakeSettingsFolder(at("plain/korrin/korrin.ini"), &error));
  EXPECT_EQ(error, "Der Ordner für die Einstellungen kann nicht angelegt werden: " + at("plain/korrin"));
}

TEST_F(ProgramFolders, HelpFolderOfEachLayout) {
  struct Case {
    const char* what;
    std::vector<std::string> helps;  // help folders that exist
    std::string programDir, expected;
  } cases[] = {
      {"portable", {"p/help"}, "p", "p/help"},
      {"installed", {"usr/share/korrin/help"}, "usr/bin", "usr/share/korrin/help"},
      {"build tree", {"build/help"}, "build/src", "build/help"},
      {"beside the program wins", {"q/bin/help", "q/share/korrin/help"}, "q/bin", "q/bin/help"},
      {"none", {}, "n/bin", ""},
  };
  for (const auto& c : cases) {
    for (const auto& h : c.helps) help(h);
    folder(c.programDir);
    EXPECT_EQ(FindHelpFolder(at(c.programDir)), c.expected.empty() ? "" : at(c.expected)) << c.what;
  }
  // A folder without its index page is no help folder.
  folder("e/help");
  folder("e/bin");
  EXPECT_EQ(FindHelpFolder(at("e/bin")), "");
  EXPECT_TRUE(IsInstalledLayout(at("usr/bin")));
  EXPECT_FALSE(IsInstalledLayout(at("build/src")));
}
