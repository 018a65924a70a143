// batch, inventory and the decoded comparison of korrin-cli.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>
#include <unistd.h>

#include "app/document.h"
#include "cli/cli.h"
#include "recording_dialogs.h"

namespace fs = std::filesystem;
using korrin::cli::Run;

namespace {

struct Result {
  int status;
  std::string out, err;
};

Result Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int status = Run(args, out, err);
  return {status, out.str(), err.str()};
}

const std::string kDcc = std::string(KORRIN_FIXTURES) + "/dcc_switching.hex";
const std::string kCv = std::string(KORRIN_FIXTURES) + "/fenwik_18324.hex";

class ManyDecoders : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("korrin-many-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir / "out");
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string write(const std::string& name, const std::string& text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  }
  fs::path dir;
};

}  // namespace

TEST_F(ManyDecoders, BatchWritesGoodLinesAndReportsTheBadOne) {
  auto plan = write("plan.csv", "file;1;2\r\nw1.hex;25g;26r\r\nw2.hex;abc;1\r\nw3.hex;27;\r\n");
  Result r = Cli({"batch", kDcc, plan, "-o", (dir / "out").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(fs::exists(dir / "out" / "w1.hex"));
  EXPECT_FALSE(fs::exists(dir / "out" / "w2.hex"));
  EXPECT_TRUE(fs::exists(dir / "out" / "w3.hex"));
  EXPECT_NE(r.err.find("Zeile 3: w2.hex: Ungültige Eingabe"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("2 Datei(en) geschrieben, 1 Zeile(n) fehlerhaft"), std::string::npos) << r.out;

  Result info = Cli({"info", "--json", (dir / "out" / "w1.hex").string()});
  ASSERT_EQ(info.status, 0) << info.err;
  auto j = nlohmann::json::parse(info.out);
  EXPECT_EQ(j["rows"][0]["address"], 25);
  EXPECT_EQ(j["rows"][0]["green"], true);
  EXPECT_EQ(j["rows"][1]["address"], 26);
  EXPECT_EQ(j["rows"][1]["green"], false);
}

TEST_F(ManyDecoders, BatchRefusesNamesOutsideTheFolder) {
  auto plan = write("plan.csv", "file,1\n../evil.hex,5\n");
  Result r = Cli({"batch", kDcc, plan, "-o", (dir / "out").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(fs::exists(dir / "evil.hex"));
  EXPECT_NE(r.err.find("Zeile 2: ungültiger Dateiname"), std::string::npos) << r.err;
}

TEST_F(ManyDecoders, InventoryFindsSharedAddressesAndBrokenFiles) {
  fs::copy_file(kDcc, dir / "a.hex");
  fs::copy_file(kDcc, dir / "b.hex");
  write("c.hex", "kein HEX\n");
  Result r = Cli({"inventory", dir.string(), "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j["decoders"].size(), 3u);
  EXPECT_EQ(j["decoders"][0]["file"], "a.hex");
  EXPECT_EQ(j["decoders"][0]["protocol"], "DCC");
  EXPECT_EQ(j["decoders"][2]["loaded"], false);
  EXPECT_NE(j["decoders"][2]["message"].get<std::string>().find("E206"), std::string::npos);
  ASSERT_FALSE(j["duplicates"].empty());
  for (const auto& d : j["duplicates"]) {
    EXPECT_EQ(d["protocol"], "DCC");
    std::set<std::string> files;
    for (const auto& u : d["uses"]) files.insert(u["file"].get<std::string>());
    EXPECT_EQ(files, (std::set<std::string>{"a.hex", "b.hex"}));
  }
  Result csv = Cli({"inventory", dir.string(), "--csv"});
  EXPECT_EQ(csv.out.rfind("file;title;pic;protocol;version;addresses;message\n", 0), 0u);
}

TEST_F(ManyDecoders, DecodedComparisonNamesAddressAndCv) {
  auto changed = (dir / "changed.hex").string();
  ASSERT_EQ(Cli({"set", kDcc, "-o", changed, "--row", "1=77g"}).status, 0);
  Result rows = Cli({"compare", "--decoded", kDcc, changed});
  EXPECT_EQ(rows.status, 1);
  EXPECT_NE(rows.out.find("Zeile 1 <Ausgang / Out 1> Adresse:"), std::string::npos) << rows.out;
  EXPECT_NE(rows.out.find(" / 77"), std::string::npos) << rows.out;

  // A CV changed in the image, saved with the document's own save.
  korrin::testing::RecordingDialogs dialogs;
  korrin::testing::ScriptedFileDialogs files;
  korrin::Document doc(dialogs, files);
  ASSERT_EQ(doc.LoadHexFile(kCv), korrin::LoadResult::Loaded);
  doc.image.setEepromValue(0x6A, 38);  // CV029
  auto cv = (dir / "cv.hex").string();
  ASSERT_EQ(doc.SaveTo(cv), korrin::SaveResult::Saved);
  Result cvs = Cli({"compare", "--decoded", kCv, cv});
  EXPECT_EQ(cvs.status, 1);
  EXPECT_NE(cvs.out.find("CV029: Konfigbyte: 6 / 38"), std::string::npos) << cvs.out;

  Result same = Cli({"compare", "--decoded", kDcc, kDcc});
  EXPECT_EQ(same.status, 0) << same.out;
  EXPECT_NE(same.out.find("keine"), std::string::npos);
}
