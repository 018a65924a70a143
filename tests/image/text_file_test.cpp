#include "image/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

using namespace korrin;
namespace fs = std::filesystem;

TEST(TextFile, SplitsOnEveryLineEnd) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (V{"a"}));
  EXPECT_EQ(SplitLines("a\n\nb"), (V{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\xEF\xBB\xBF" "12\r\n34"), (V{"12", "34"}));
  EXPECT_EQ(SplitLines(""), V{});
}

class SafeWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("korrin-textfile-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir);
  }
  static std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path dir;
};

TEST_F(SafeWrite, WritesCrLfAndLeavesNoTemporary) {
  auto path = (dir / "out.hex").string();
  std::string error;
  ASSERT_TRUE(WriteTextLinesSafely(path, {":00000001FF", "x"}, &error)) << error;
  EXPECT_EQ(slurp(path), ":00000001FF\r\nx\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  auto back = ReadTextLines(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, (std::vector<std::string>{":00000001FF", "x"}));
}

TEST_F(SafeWrite, RefusedVerificationKeepsOldFile) {
  auto path = (dir / "out.hex").string();
  ASSERT_TRUE(WriteTextLinesSafely(path, {"old"}));
  std::string error;
  EXPECT_FALSE(WriteTextLinesSafely(path, {"new"}, &error,
                                    [](const std::string&) { return std::optional<std::string>("nein"); }));
  EXPECT_EQ(error, "nein");
  EXPECT_EQ(slurp(path), "old\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(SafeWrite, MissingFolderReportsAndWritesNothing) {
  const std::string path = (dir / "missing" / "x.hex").string();
  std::string error;
  EXPECT_FALSE(WriteTextLinesSafely(path, {"a"}, &error));
  EXPECT_EQ(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden: Datei oder Ordner nicht gefunden.");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 0);
}

#ifndef _WIN32
TEST_F(SafeWrite, UnwritableFolderReportsAndKeepsOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  auto path = (dir / "out.hex").string();
  ASSERT_TRUE(WriteTextLinesSafely(path, {"old"}));
  fs::permissions(dir, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  std::string error;
  EXPECT_FALSE(WriteTextLinesSafely(path, {"new"}, &error));
  EXPECT_EQ(error, "Die Datei \"" + path + "\" kann nicht geschrieben werden: Keine Berechtigung.");
  EXPECT_EQ(slurp(path), "old\r\n");
}
#endif

TEST(TextFile, MissingFileGivesGermanReason) {
  std::string error;
  EXPECT_FALSE(ReadTextLines("/nonexistent/korrin.hex", &error));
  EXPECT_EQ(error, "Die Datei \"/nonexistent/korrin.hex\" kann nicht gelesen werden: Datei oder Ordner nicht gefunden.");
}
