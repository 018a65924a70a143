// batch, inventory and the decoded comparison of korrin-cli.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string_view>

#include <nlohmann/json.hpp>
#include <unistd.h>

#include "cli/plan.h"

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

TEST_F(ManyDecoders, DecodedComparisonNamesRowsWithArrows) {
  auto changed = (dir / "changed.hex").string();
  ASSERT_EQ(Cli({"set", kDcc, "-o", changed, "--row", "1=77g"}).status, 0);
  Result rows = Cli({"compare", "--decoded", kDcc, changed});
  EXPECT_EQ(rows.status, 1);
  EXPECT_NE(rows.out.find("Unterschiede als Dekoder-Einstellungen (File 1 → File 2):\n"), std::string::npos) << rows.out;
  EXPECT_NE(rows.out.find("Zeile 1 <Ausgang / Out 1> Adresse: "), std::string::npos) << rows.out;
  EXPECT_NE(rows.out.find(" → 77\n"), std::string::npos) << rows.out;

  Result types = Cli({"compare", "--decoded", kDcc, kCv});
  EXPECT_EQ(types.status, 1);
  EXPECT_NE(types.out.find("Typ: \"Relaisdekoder 8\" (Identifier 105) → \"Fenwik 16F18324\" (Identifier 84736)\n"),
            std::string::npos)
      << types.out;

  Result same = Cli({"compare", "--decoded", kDcc, kDcc});
  EXPECT_EQ(same.status, 0) << same.out;
  EXPECT_NE(same.out.find("keine"), std::string::npos);
}

TEST_F(ManyDecoders, ComparisonWithAFileWithoutDataSaysSo) {
  // The null device is the empty file of the system: it holds no data either.
#ifdef _WIN32
  const char* nullDevice = "NUL";
#else
  const char* nullDevice = "/dev/null";
#endif
  const std::string noData[] = {write("empty.hex", ""), write("end.hex", ":00000001FF\r\n"),
                                write("config_only.hex", ":020000040000FA\r\n:00000001FF\r\n"), nullDevice};
  for (const auto& file : noData) {
    SCOPED_TRACE(file);
    Result r = Cli({"compare", kDcc, file});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Datei 2 enthält keine Daten: es wurde nichts verglichen."), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
  }
#ifndef _WIN32
  // Any other device is not read at all, and says so.
  Result device = Cli({"compare", kDcc, "/dev/zero"});
  EXPECT_EQ(device.status, 2);
  EXPECT_NE(device.err.find("\"/dev/zero\" kann nicht gelesen werden: Das ist ein Gerät"), std::string::npos)
      << device.err;
#endif
  // A file with data but without differences still compares as equal.
  EXPECT_EQ(Cli({"compare", kDcc, kDcc}).status, 0);
}

TEST_F(ManyDecoders, InventoryOfAFolderItCannotReadSaysSo) {
  Result missing = Cli({"inventory", (dir / "none").string()});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("ist kein Ordner"), std::string::npos);
  fs::create_directories(dir / "locked");
  fs::copy_file(kDcc, dir / "locked" / "a.hex");
  fs::permissions(dir / "locked", fs::perms::none);
  std::error_code probe;
  fs::directory_iterator{dir / "locked", probe};
  if (!probe) {
    fs::permissions(dir / "locked", fs::perms::owner_all);
    GTEST_SKIP() << "this user reads every folder (root)";
  }
  Result r = Cli({"inventory", (dir / "locked").string(), "--json"});
  fs::permissions(dir / "locked", fs::perms::owner_all);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("kann nicht gelesen werden"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
}

// Every byte value in a file name and in a line: the JSON outputs stay valid UTF-8 JSON.
TEST_F(ManyDecoders, EightBitNamesAndLinesGiveValidJson) {
  const std::string good = [] {
    std::ifstream in(kDcc, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }();
  fs::create_directories(dir / "names");
  fs::create_directories(dir / "lines");
  int names = 0;
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    // A line with the byte amid other text: the reader refuses it and quotes it.
    const std::string lineFile = (dir / "lines" / ("l" + std::to_string(b) + ".hex")).string();
    std::ofstream(lineFile, std::ios::binary) << good << "ab" << static_cast<char>(b) << "cd\r\n";
    Result info = Cli({"info", lineFile, "--json"});
    EXPECT_EQ(info.status, 1) << info.err;
    ASSERT_NO_THROW(nlohmann::json::parse(info.out)) << info.out;
    EXPECT_FALSE(nlohmann::json::parse(info.out)["messages"].empty());
    if (b == 0 || b == '/') continue;  // no file name can hold these
#ifdef _WIN32
    // Nor can a Windows file name hold a control character or one of these; Windows names
    // ignore letter case (an upper-case letter would name the lower-case file again); and they
    // are not bytes: beyond ASCII only "ä" (Latin-1 0xE4) is tried, through the ANSI code page.
    if (b < 0x20 || std::string_view("\"*:<>?\\|").find(static_cast<char>(b)) != std::string_view::npos ||
        (b >= 'A' && b <= 'Z') || (b >= 0x80 && b != 0xE4))
      continue;
#endif
    // A good file whose name holds the byte.
    const std::string name = std::string("Weiche") + static_cast<char>(b) + ".hex";
    std::ofstream(dir / "names" / name, std::ios::binary) << good;
    ++names;
    Result named = Cli({"info", (dir / "names" / name).string(), "--json"});
    EXPECT_EQ(named.status, 0) << named.err;
    ASSERT_NO_THROW(nlohmann::json::parse(named.out));
  }
  for (const char* folder : {"names", "lines"}) {
    SCOPED_TRACE(folder);
    Result inv = Cli({"inventory", (dir / folder).string(), "--json"});
    EXPECT_EQ(inv.status, 0) << inv.err;
    nlohmann::json j;
    ASSERT_NO_THROW(j = nlohmann::json::parse(inv.out));
    EXPECT_EQ(j["decoders"].size(), std::string(folder) == "names" ? static_cast<size_t>(names) : 256u);
    std::set<std::string> files;
    for (const auto& d : j["decoders"]) files.insert(d["file"].get<std::string>());
    if (std::string(folder) == "names") {
      // Latin-1 "ä" (0xE4) is shown as UTF-8; a control character as U+FFFD.
      EXPECT_TRUE(files.count("Weiche\xC3\xA4.hex"));
#ifndef _WIN32
      EXPECT_TRUE(files.count("Weiche\xEF\xBF\xBD.hex"));
#endif
      EXPECT_TRUE(j["duplicates"].size() > 0);
    }
  }
}

TEST_F(ManyDecoders, BatchRefusesNamesItMustNotWrite) {
  fs::copy_file(kDcc, dir / "out" / "vorlage.hex");
  const std::string templ = (dir / "out" / "vorlage.hex").string();
  const std::string before = [&] {
    std::ifstream in(templ, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }();
  auto plan = write("plan.csv",
                    "name;1\r\n"
                    "vorlage.hex;55\r\n"       // 2: the template itself
                    "a.hex;56\r\n"             // 3: written
                    "A.HEX;57\r\n"             // 4: the same name as line 3 on Windows
                    "\"b\x01.hex\";58\r\n"     // 5: a control character
                    "\"c.hex;59\r\n"           // 6: an unbalanced quote
                    "\"d;\"\"x\"\".hex\";60\r\n"  // 7: a quote in the name
                    "\"e;1.hex\";\"61\"\r\n"   // 8: written, the separator quoted
                    "f.hex;62;63\r\n"          // 9: more cells than columns
                    "plan.csv;64\r\n");        // 10: written into the output folder, not the plan
  Result r = Cli({"batch", templ, plan, "-o", (dir / "out").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "Zeile 2: \"vorlage.hex\" ist die Vorlage; sie wird nicht überschrieben\n"
            "Zeile 4: \"A.HEX\" steht schon in Zeile 3\n"
            "Zeile 5: ungültiger Dateiname \"b\xEF\xBF\xBD.hex\" (Steuerzeichen)\n"
            "Zeile 6: unpaariges Anführungszeichen\n"
            "Zeile 7: ungültiger Dateiname \"d;\"x\".hex\" (Anführungszeichen)\n"
            "Zeile 9: mehr Spalten als in der Kopfzeile\n");
  EXPECT_NE(r.out.find("3 Datei(en) geschrieben, 6 Zeile(n) fehlerhaft"), std::string::npos) << r.out;
  std::set<std::string> written;
  for (const auto& e : fs::directory_iterator(dir / "out")) written.insert(e.path().filename().string());
  EXPECT_EQ(written, (std::set<std::string>{"vorlage.hex", "a.hex", "e;1.hex", "plan.csv"}));
  std::ifstream in(templ, std::ios::binary);
  std::ostringstream now;
  now << in.rdbuf();
  EXPECT_EQ(now.str(), before);
  auto j = nlohmann::json::parse(Cli({"info", "--json", (dir / "out" / "e;1.hex").string()}).out);
  EXPECT_EQ(j["rows"][0]["address"], 61);

  // The plan itself is never a target either.
  auto planInOut = (dir / "out" / "p.csv").string();
  std::ofstream(planInOut, std::ios::binary) << "name,1\np.csv,5\n";
  Result self = Cli({"batch", kDcc, planInOut, "-o", (dir / "out").string()});
  EXPECT_EQ(self.status, 1);
  EXPECT_EQ(self.err, "Zeile 2: \"p.csv\" ist der Plan; er wird nicht überschrieben\n");
}

TEST_F(ManyDecoders, InventoryCsvQuotesAsRfc4180) {
  fs::copy_file(kDcc, dir / "a;b.hex");
#ifndef _WIN32  // a quote cannot stand in a Windows file name
  write("c\"d.hex", "kein HEX\n");
#endif
  Result csv = Cli({"inventory", dir.string(), "--csv"});
  EXPECT_EQ(csv.status, 0) << csv.err;
  EXPECT_NE(csv.out.find("\n\"a;b.hex\";"), std::string::npos) << csv.out;
#ifndef _WIN32
  EXPECT_NE(csv.out.find("\n\"c\"\"d.hex\";;;;;;"), std::string::npos) << csv.out;
#endif
}

TEST(CsvTest, SplitsAndQuotesAsRfc4180) {
  using korrin::cli::CsvLine;
  using korrin::cli::SplitCsvLine;
  using Cells = std::vector<std::string>;
  struct Case {
    std::string line;
    std::optional<Cells> cells;
  };
  const Case cases[] = {
      {"a;b;c", Cells{"a", "b", "c"}},
      {" a ; b ;", Cells{"a", "b", ""}},
      {"\"a;b\";\"x\"\"y\"", Cells{"a;b", "x\"y"}},
      {"\" a \";b", Cells{" a ", "b"}},
      {"\"\";", Cells{"", ""}},
      {"", Cells{""}},
      {"\"a", std::nullopt},
      {"\"a\"b;c", std::nullopt},
      {"a\"b;c", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(SplitCsvLine(c.line, ';'), c.cells);
    if (c.cells) {
      EXPECT_EQ(SplitCsvLine(CsvLine(*c.cells, ';'), ';'), c.cells);
    }
  }
  EXPECT_EQ(CsvLine({"a;b", "x\"y", " c", "plain"}, ';'), "\"a;b\";\"x\"\"y\";\" c\";plain");
}

TEST_F(ManyDecoders, BatchKeyColumnsAndHeaders) {
  // A key column reaches the editor; a key the type lacks is named with the type per line.
  auto plan = write("plan.csv", "file,1,gibtsnicht\nw1.hex,25g,\nw2.hex,26g,7\n");
  Result r = Cli({"batch", kDcc, plan, "-o", (dir / "out").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(fs::exists(dir / "out" / "w1.hex"));
  EXPECT_FALSE(fs::exists(dir / "out" / "w2.hex"));
  EXPECT_EQ(r.err, "Zeile 3: Unbekannter Schlüssel \"gibtsnicht\" für den Dekoder-Typ \"Relaisdekoder 8\" (Identifier 105)\n");

  struct Case {
    std::string plan, err;
  };
  const Case cases[] = {
      {"", "error: der Plan hat keine Kopfzeile\n"},
      {"\n\nfile;1;;2\n", "error: Kopfzeile (Zeile 3), Spalte 3: leer\n"},
      {"file;cv29=1\n", "error: Kopfzeile (Zeile 1), Spalte 2: \"cv29=1\" ist weder Zeilennummer noch Schlüssel\n"},
      {"file;\"1\n", "error: Kopfzeile (Zeile 1): unpaariges Anführungszeichen\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.plan);
    Result bad = Cli({"batch", kDcc, write("bad.csv", c.plan), "-o", (dir / "out").string()});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, c.err);
  }
}

TEST_F(ManyDecoders, BatchKeyColumnReachesTheEditor) {
  const std::string templ = std::string(KORRIN_EXAMPLES) + "/blinkmuster_mot.hex";
  auto plan = write("plan.csv", "file;1;muster2.ausgang3;muster1.anzahl\r\nx.hex;20g;XX.X;\r\ny.hex;;;abc\r\n");
  Result r = Cli({"batch", templ, plan, "-o", (dir / "out").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Zeile 3: muster1.anzahl: Ungültige Eingabe.\nZugelassen sind nur Zahlen im Werte-Bereich 1..50\n");
  auto j = nlohmann::json::parse(Cli({"info", "--json", (dir / "out" / "x.hex").string()}).out);
  bool found = false;
  for (const auto& s : j["editor"]["settings"]["patterns"])
    if (s["key"] == "muster2.ausgang3") found = s["value"] == "XX.X";
  EXPECT_TRUE(found) << j["editor"].dump();
  EXPECT_FALSE(fs::exists(dir / "out" / "y.hex"));
}

// Plans are shared between systems: names that Windows cannot hold are refused on every
// system, and names that are one file on Windows and macOS (letter case, umlauts included)
// are refused as used before.
TEST_F(ManyDecoders, BatchRefusesNamesThatDoNotTravel) {
  auto plan = write("plan.csv",
                    "name;1\r\n"
                    "\xC3\x84nderung.hex;30\r\n"  // 2: written ("Änderung")
                    "\xC3\xA4nderung.hex;31\r\n"  // 3: "änderung": the same file on Windows and macOS
                    "CON;32\r\n"                   // 4: a device name
                    "con.hex;33\r\n"               // 5: ... with an extension
                    "Lpt9.tar.hex;34\r\n"          // 6: ... with two
                    "C:x.hex;35\r\n"               // 7: a drive colon
                    "a?.hex;36\r\n"                // 8: a wildcard
                    "punkt.;37\r\n"                // 9: a trailing dot
                    "\"blank \";38\r\n"              // 10: a trailing blank
                    "CONSOLE.hex;39\r\n"           // 11: written: no device name
                    "\xC5\x92uvre.hex;40\r\n"     // 12: written ("Œuvre")
                    "\xC5\x93UVRE.hex;41\r\n");   // 13: "œUVRE": Latin Extended-A folds too
  Result r = Cli({"batch", kDcc, plan, "-o", (dir / "out").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "Zeile 3: \"\xC3\xA4nderung.hex\" steht schon in Zeile 2\n"
            "Zeile 4: ungültiger Dateiname \"CON\" (CON ist unter Windows ein Gerätename)\n"
            "Zeile 5: ungültiger Dateiname \"con.hex\" (con ist unter Windows ein Gerätename)\n"
            "Zeile 6: ungültiger Dateiname \"Lpt9.tar.hex\" (Lpt9 ist unter Windows ein Gerätename)\n"
            "Zeile 7: ungültiger Dateiname \"C:x.hex\" (das Zeichen ':' ist unter Windows nicht erlaubt)\n"
            "Zeile 8: ungültiger Dateiname \"a?.hex\" (das Zeichen '?' ist unter Windows nicht erlaubt)\n"
            "Zeile 9: ungültiger Dateiname \"punkt.\" (unter Windows endet ein Dateiname nicht auf Punkt oder "
            "Leerzeichen)\n"
            "Zeile 10: ungültiger Dateiname \"blank \" (unter Windows endet ein Dateiname nicht auf Punkt oder "
            "Leerzeichen)\n"
            "Zeile 13: \"\xC5\x93UVRE.hex\" steht schon in Zeile 12\n");
  std::set<std::string> written;
  for (const auto& e : fs::directory_iterator(dir / "out")) written.insert(e.path().filename().string());
  EXPECT_EQ(written, (std::set<std::string>{"\xC3\x84nderung.hex", "CONSOLE.hex", "\xC5\x92uvre.hex"}));
}

#ifndef _WIN32  // TMPDIR names the temporary folder on POSIX systems
// The template is read once into memory: nothing goes to the temporary folder, so a batch
// works with that folder full or missing and leaves nothing there after a signal.
TEST_F(ManyDecoders, BatchKeepsItsTemplateInMemory) {
  fs::create_directories(dir / "tmp");
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old ? old : "";
  auto plan = write("plan.csv", "file;1\r\nw1.hex;25g\r\nw2.hex;26r\r\n");
  for (const fs::path& tmp : {dir / "tmp", dir / "fehlt"}) {
    ::setenv("TMPDIR", tmp.string().c_str(), 1);
    Result r = Cli({"batch", kDcc, plan, "-o", (dir / "out").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(dir / "out" / "w2.hex"));
  }
  if (old) ::setenv("TMPDIR", saved.c_str(), 1);
  else ::unsetenv("TMPDIR");
  EXPECT_TRUE(fs::is_empty(dir / "tmp"));
  EXPECT_FALSE(fs::exists(dir / "fehlt"));
}
#endif

// batch and info read a template by one reader: a file with two byte-order marks is refused
// by both, one with a single mark loads in both.
TEST_F(ManyDecoders, BatchAndInfoReadTheTemplateAlike) {
  std::ifstream in(kDcc, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  auto plan = write("plan.csv", "file;1\r\nw.hex;25g\r\n");
  const std::string bom = "\xEF\xBB\xBF";
  struct Case {
    std::string name, prefix;
    int status;
  } cases[] = {{"one.hex", bom, 0}, {"two.hex", bom + bom, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = write(c.name, c.prefix + text.str());
    Result info = Cli({"info", file});
    Result batch = Cli({"batch", file, plan, "-o", (dir / "out").string()});
    EXPECT_EQ(info.status, c.status) << info.err;
    EXPECT_EQ(batch.status, c.status) << batch.err;
    EXPECT_EQ(fs::exists(dir / "out" / "w.hex"), c.status == 0);
    fs::remove(dir / "out" / "w.hex");
  }
}
