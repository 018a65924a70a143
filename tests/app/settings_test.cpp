#include "app/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

using namespace korrin;
namespace fs = std::filesystem;

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("korrin-settings-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string touch(const std::string& name) {
    std::ofstream(dir / name) << ":00000001FF\n";
    return (dir / name).string();
  }
  std::string folder() const { return (dir / "").string(); }  // with the system's separator
  fs::path dir;
};

TEST(SettingsPath, NamedAfterTheProgram) {
  EXPECT_EQ(SettingsPathFor("/opt/korrin/korrin"), "/opt/korrin/korrin.ini");
  EXPECT_EQ(SettingsPathFor("C:/Korrin/Korrin.exe"), "C:/Korrin/Korrin.ini");
}

TEST_F(TempFolder, SettingsDefaultsAndRoundTrip) {
  auto path = (dir / "korrin.ini").string();
  Settings missing = ReadSettings(path);
  EXPECT_EQ(missing.WindowLeft, 10);
  EXPECT_EQ(missing.WindowTop, 10);
  EXPECT_EQ(missing.WindowWidth, 560);
  EXPECT_EQ(missing.RasterX, 0);
  EXPECT_EQ(missing.LastFileName, "");

  std::ofstream(path) << "[Raster]\r\nx=abc\r\ny=7\r\n[Window]\r\nTop=12x\r\nLeft=300\r\n";
  Settings partial = ReadSettings(path);
  EXPECT_EQ(partial.RasterX, 0);  // not an integer: default
  EXPECT_EQ(partial.RasterY, 7);
  EXPECT_EQ(partial.WindowTop, 10);
  EXPECT_EQ(partial.WindowLeft, 300);
  EXPECT_EQ(partial.WindowWidth, 560);

  Settings s{3, 4, 800, 40, 50, "/home/u/weiche 1.hex"};
  ASSERT_TRUE(WriteSettings(path, s));
  Settings back = ReadSettings(path);
  EXPECT_EQ(back.RasterX, 3);
  EXPECT_EQ(back.RasterY, 4);
  EXPECT_EQ(back.WindowWidth, 800);
  EXPECT_EQ(back.WindowTop, 40);
  EXPECT_EQ(back.WindowLeft, 50);
  EXPECT_EQ(back.LastFileName, "/home/u/weiche 1.hex");
}

TEST_F(TempFolder, NeighboursWrapAround) {
  auto a = touch("a.hex"), b = touch("b.hex"), c = touch("c.hex");
  touch("notes.txt");
  struct Case {
    std::string loaded, prev, next;
  } cases[] = {{b, a, c}, {c, b, a}, {a, c, b}};
  for (const auto& k : cases) {
    Neighbours n = FindNeighbours(k.loaded);
    EXPECT_EQ(n.PrevFileName, k.prev) << k.loaded;
    EXPECT_EQ(n.NextFileName, k.next) << k.loaded;
  }
  // A file that is not listed gets the files around its name.
  Neighbours other = FindNeighbours(folder() + "bb.txt");
  EXPECT_EQ(other.PrevFileName, b);
  EXPECT_EQ(other.NextFileName, c);
  Neighbours after = FindNeighbours(folder() + "z.txt");
  EXPECT_EQ(after.PrevFileName, c);
  EXPECT_EQ(after.NextFileName, a);
}

TEST_F(TempFolder, NeighboursOfTwoOneAndNone) {
  auto a = touch("a.hex"), b = touch("b.hex");
  Neighbours two = FindNeighbours(a);
  EXPECT_EQ(two.PrevFileName, b);
  EXPECT_EQ(two.NextFileName, b);
  fs::remove(b);
  Neighbours one = FindNeighbours(a);
  EXPECT_EQ(one.PrevFileName, "");
  EXPECT_EQ(one.NextFileName, "");
  fs::remove(a);
  Neighbours none = FindNeighbours(folder() + "x.hex");
  EXPECT_EQ(none.PrevFileName, "");
  EXPECT_EQ(none.NextFileName, "");
}
