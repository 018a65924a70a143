// korrin-cli end to end: `info --json` on the fixtures, exit statuses, and `set` re-read with
// `info --json`.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/document.h"
#include "cli/args.h"
#include "cli/cli.h"
#include "recording_dialogs.h"

namespace korrin::cli {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string Fixture(const std::string& name) { return std::string(KORRIN_FIXTURES) + "/" + name; }
std::string Example(const std::string& name) { return std::string(KORRIN_EXAMPLES) + "/" + name; }

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Outcome {
  int status;
  std::string out, err;
};

Outcome RunCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int status = Run(args, out, err);
  return {status, out.str(), err.str()};
}

json InfoJson(const std::string& path, std::vector<std::string> extra = {}) {
  std::vector<std::string> args = {"info", path, "--json"};
  args.insert(args.end(), extra.begin(), extra.end());
  Outcome o = RunCli(args);
  EXPECT_EQ(o.status, 0) << o.err;
  return json::parse(o.out);
}

std::set<std::string> Keys(const json& object) {
  std::set<std::string> keys;
  for (auto it = object.begin(); it != object.end(); ++it) keys.insert(it.key());
  return keys;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("korrin_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

TEST_F(CliTest, InfoJsonHasExactlyTheDocumentedObject) {
  json j = InfoJson(Fixture("mot_switching.hex"));
  EXPECT_EQ(Keys(j), (std::set<std::string>{"identifier", "identifier_bytes", "title", "pic", "protocol", "version",
                                            "id", "config", "eeprom", "rows", "frame", "editor", "messages"}));
  EXPECT_EQ(j["identifier"], 8);
  EXPECT_EQ(j["identifier_bytes"], json({8, 0, 0}));
  EXPECT_EQ(j["title"], "Tollet");
  EXPECT_EQ(j["pic"], 629);
  EXPECT_EQ(j["protocol"], "Mot");
  ASSERT_TRUE(j["version"].is_number());
  EXPECT_DOUBLE_EQ(j["version"].get<double>(), 3.26);
  EXPECT_EQ(j["id"], "5326");
  EXPECT_EQ(j["config"], json({"8431", "0000", "0000", "0000"}));
  ASSERT_TRUE(j["eeprom"].is_string());
  const std::string eeprom = j["eeprom"];
  ASSERT_EQ(eeprom.size(), 512u);
  // Row 1 (Weiche, address 1 green) lies in the cells 0x01, 0x11, 0x21.
  EXPECT_EQ(eeprom.substr(2 * 0x01, 2) + eeprom.substr(2 * 0x11, 2) + eeprom.substr(2 * 0x21, 2), "0300C3");
  EXPECT_EQ(j["rows"], json::parse(R"j([
      {"row": 1, "caption": "Weiche", "address": 1, "green": true},
      {"row": 2, "caption": "Licht", "address": 320, "green": false}])j"));
  EXPECT_EQ(j["frame"], "options");
  EXPECT_EQ(j["messages"], json::array());
}

TEST_F(CliTest, InfoJsonOnEachKindOfFixture) {
  struct Case {
    const char* file;
    std::vector<std::string> extra;
    int identifier;
    json bytes, title;
    int pic;
    const char* protocol;
    json frame, config, rows, messages;
  };
  const Case cases[] = {
      {"mot_function.hex", {}, 0x3D00, {0, 0x3D, 0}, "Pandor - F-Dekoder Schalten", 629, "Mot", "options",
       {"8431", "0000", "0000", "0000"},
       json::parse(R"j([{"row":1,"caption":"Ausgang / Out 1","address":1,"function":1},
                       {"row":2,"caption":"Ausgang / Out 2","address":255,"function":4},
                       {"row":3,"caption":"Ausgang / Out 3","address":80,"function":2},
                       {"row":4,"caption":"Ausgang / Out 4","address":80,"function":3}])j"),
       json::array()},
      {"id257.hex", {}, 1, {1, 1, 0}, "Pandor - Blinkmuster", 684, "Mot", "blink",
       {"C431", "0000", "0000", "0000"},
       json::parse(R"j([{"row":1,"caption":"Muster 1","address":7,"green":true},
                       {"row":2,"caption":"Muster 2","address":8,"green":false},
                       {"row":3,"caption":"Muster 3","address":9,"green":true},
                       {"row":4,"caption":"Muster 4","address":10,"green":false}])j"),
       json::array()},
      {"fenwik_18324.hex", {}, 0x14B00, {0, 0x4B, 1}, "Fenwik 16F18324", 18324, "Mot", "cv",
       {"8C17", "3C25", "FF1F", "FF3F"}, json::array(), json::array()},
      {"unrecognised.hex", {}, 5649426, {0x12, 0x34, 0x56}, nullptr, 0, "DCC", nullptr,
       {"8431", "0000", "0000", "0000"}, json::array(),
       json::parse(R"j([{"kind":"error","text":"Das HEX-File konnte leider nicht erkannt werden: Identifier 5649426 (18/52/86)"},
                       {"kind":"warning","text":"Es konnte das HEX File keinem PIC zugeordnet werden."}])j")},
      {"no_id_no_config.hex", {}, 8, {8, 0, 0}, "Tollet", 629, "Mot", "options",
       {"0000", "0000", "0000", "0000"},
       json::parse(R"j([{"row":1,"caption":"Weiche","address":0,"green":true},
                       {"row":2,"caption":"Licht","address":0,"green":true}])j"),
       json::parse(R"j([
         {"kind":"error","text":"Das HEX-File wurde dem 12f629/16f630/16f684/16f688 zugeordnet, die ID liegt aber nicht bei 0x2000 (0x0)"},
         {"kind":"error","text":"Das HEX-File wurde dem 12f629/16f630/16f684/16f688 zugeordnet, CONFIG liegt aber nicht bei 0x2007 (0x0)"},
         {"kind":"warning","text":"In dem HEX-File wurde kein Wert für die ID gefunden."},
         {"kind":"warning","text":"In dem HEX-File wurde kein Config-Wert gefunden. Standard-Wert erzeugen?"}])j")},
      {"no_id_no_config.hex", {"--config-default"}, 8, {8, 0, 0}, "Tollet", 629, "Mot", "options",
       {"CC01", "", "", ""},
       json::parse(R"j([{"row":1,"caption":"Weiche","address":0,"green":true},
                       {"row":2,"caption":"Licht","address":0,"green":true}])j"),
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    json j = InfoJson(Fixture(c.file), c.extra);
    EXPECT_EQ(j["identifier"], c.identifier);
    EXPECT_EQ(j["identifier_bytes"], c.bytes);
    EXPECT_EQ(j["title"], c.title);
    EXPECT_EQ(j["pic"], c.pic);
    EXPECT_EQ(j["protocol"], c.protocol);
    EXPECT_EQ(j["frame"], c.frame);
    EXPECT_EQ(j["config"], c.config);
    EXPECT_EQ(j["rows"], c.rows);
    if (!c.messages.is_null()) {
      EXPECT_EQ(j["messages"], c.messages);
    }
  }
}

TEST_F(CliTest, InvalidRowHasNullAddressAndKeepsItsGreenKey) {
  Outcome o = RunCli({"info", Fixture("dcc_switching_bad_row.hex"), "--json"});
  ASSERT_EQ(o.status, 0);
  json j = json::parse(o.out);
  ASSERT_EQ(j["rows"].size(), 9u);
  EXPECT_EQ(j["rows"][2], json::parse(R"j({"row":3,"caption":"Ausgang / Out 3","address":null,"green":false})j"));
  EXPECT_EQ(j["messages"], json::parse(R"j([{"kind":"warning","text":"Ungültige Adresse für <Ausgang / Out 3> mit 0xFFFFFF"}])j"));
  // Messages also go to stderr with their kind.
  EXPECT_EQ(o.err, "warning: Ungültige Adresse für <Ausgang / Out 3> mit 0xFFFFFF\n");
}

TEST_F(CliTest, InfoTableNamesTypeAndRows) {
  Outcome o = RunCli({"info", Fixture("mot_switching.hex")});
  ASSERT_EQ(o.status, 0);
  EXPECT_NE(o.out.find("Tollet (Identifier 8)"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("Weiche"), std::string::npos);
  EXPECT_NE(o.out.find("320"), std::string::npos);
  EXPECT_TRUE(o.err.empty());
}

TEST_F(CliTest, ExitStatuses) {
  const fs::path garbage = dir / "garbage.hex";
  std::ofstream(garbage, std::ios::binary) << ":020000040000FA\r\nkeine HEX-Zeile\r\n";
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{"info", Fixture("turntable48.hex")}, 0},
      {{"info", Fixture("unrecognised.hex"), "--json"}, 0},
      {{"info", garbage.string(), "--json"}, 1},  // reader error: the load ended early
      {{"set", garbage.string(), "-o", (dir / "x.hex").string()}, 1},
      {{}, 2},
      {{"frobnicate"}, 2},
      {{"info"}, 2},
      {{"info", Fixture("mot_switching.hex"), "--bogus"}, 2},
      {{"info", Fixture("mot_switching.hex"), Fixture("id257.hex")}, 2},
      {{"info", (dir / "missing.hex").string()}, 2},
      {{"set", Fixture("mot_switching.hex")}, 2},
      {{"set", Fixture("mot_switching.hex"), "-o"}, 2},
      {{"set", Fixture("mot_switching.hex"), "-o", (dir / "x.hex").string(), "--row", "1"}, 2},
      {{"set", (dir / "missing.hex").string(), "-o", (dir / "x.hex").string()}, 2},
      {{"set", Fixture("mot_switching.hex"), "-o", (dir / "x.hex").string(), "--set", "cv29"}, 2},
      {{"set", Fixture("mot_switching.hex"), "-o", (dir / "x.hex").string(), "-o", (dir / "y.hex").string()}, 2},
      {{"compare", Fixture("mot_switching.hex")}, 2},
      {{"inventory", dir.string(), "--json", "--csv"}, 2},
      {{"export"}, 2},
      {{"apply", Fixture("mot_switching.hex"), (dir / "c.json").string()}, 2},  // no -o
      {{"--version", "x"}, 2},
      {{"help", "frobnicate"}, 2},
  };
  for (const Case& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    SCOPED_TRACE(joined);
    Outcome o = RunCli(c.args);
    EXPECT_EQ(o.status, c.status) << o.err;
    if (c.status != 0) {
      EXPECT_FALSE(o.err.empty());
    }
  }
  EXPECT_FALSE(fs::exists(dir / "x.hex"));

  // A reader error still reports in JSON what was read, with the reader's message.
  json j = json::parse(RunCli({"info", garbage.string(), "--json"}).out);
  ASSERT_EQ(j["messages"].size(), 1u);
  EXPECT_EQ(j["messages"][0]["kind"], "info");
  EXPECT_EQ(j["messages"][0]["text"].get<std::string>().rfind("E206", 0), 0u);
}

TEST_F(CliTest, SetWritesTheEditedRowsAsInfoReadsThem) {
  struct Case {
    const char* file;
    std::vector<std::string> edits;
    json rows;  // the expected rows of the written file
  };
  const Case cases[] = {
      {"mot_switching.hex", {"1=44r", "2=100G"},
       json::parse(R"j([{"row":1,"caption":"Weiche","address":44,"green":false},
                       {"row":2,"caption":"Licht","address":100,"green":true}])j")},
      {"mot_function.hex", {"1=12/3", "4=200"},
       json::parse(R"j([{"row":1,"caption":"Ausgang / Out 1","address":12,"function":3},
                       {"row":2,"caption":"Ausgang / Out 2","address":255,"function":4},
                       {"row":3,"caption":"Ausgang / Out 3","address":80,"function":2},
                       {"row":4,"caption":"Ausgang / Out 4","address":200,"function":3}])j")},
      {"id257.hex", {"3=9r"},
       json::parse(R"j([{"row":1,"caption":"Muster 1","address":7,"green":true},
                       {"row":2,"caption":"Muster 2","address":8,"green":false},
                       {"row":3,"caption":"Muster 3","address":9,"green":false},
                       {"row":4,"caption":"Muster 4","address":10,"green":false}])j")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const fs::path out = dir / c.file;
    std::vector<std::string> args = {"set", Fixture(c.file), "-o", out.string()};
    for (const auto& e : c.edits) {
      args.push_back("--row");
      args.push_back(e);
    }
    Outcome o = RunCli(args);
    ASSERT_EQ(o.status, 0) << o.err;
    json j = InfoJson(out.string());
    EXPECT_EQ(j["rows"], c.rows);
    EXPECT_EQ(j["messages"], json::array());
  }

  // DCC function rows: only the edited row changes.
  const fs::path out = dir / "dcc_function_out.hex";
  ASSERT_EQ(RunCli({"set", Fixture("dcc_function.hex"), "-o", out.string(), "--row", "2=9999/6"}).status, 0);
  json before = InfoJson(Fixture("dcc_function.hex")), after = InfoJson(out.string());
  EXPECT_EQ(after["rows"][1], json::parse(R"j({"row":2,"caption":"Ausgang / Out 2","address":9999,"function":6})j"));
  before["rows"][1] = after["rows"][1];
  EXPECT_EQ(after["rows"], before["rows"]);
}

TEST_F(CliTest, SetMayWriteOverItsInput) {
  const fs::path file = dir / "same.hex";
  fs::copy_file(Fixture("mot_switching.hex"), file);
  ASSERT_EQ(RunCli({"set", file.string(), "-o", file.string(), "--row", "2=7g"}).status, 0);
  EXPECT_EQ(InfoJson(file.string())["rows"][1]["address"], 7);
  EXPECT_TRUE(InfoJson(file.string())["rows"][1]["green"].get<bool>());
}

TEST_F(CliTest, SetRefusesAndWritesNothing) {
  const fs::path existing = dir / "existing.hex";
  std::ofstream(existing, std::ios::binary) << "old\r\n";
  struct Case {
    const char* file;
    std::string row;
    const char* errPart;
  };
  const Case cases[] = {
      {"mot_switching.hex", "1=321", "warning: Adresse für <Weiche> ist zu gross"},
      {"mot_switching.hex", "2=abc", "warning: Ungültige Eingabe für <Licht> "},
      {"mot_switching.hex", "3=5", "Zeile 3"},          // a row the type does not show
      {"mot_switching.hex", "1=5/2", "Funktions-Nummer"},  // switching rows have no function
      {"mot_function.hex", "1=5g", "Rot/Grün"},
      {"mot_function.hex", "1=5/9", "warning: Funktions-Nummer für <Ausgang / Out 1> ist zu gross"},
      {"dcc_switching_bad_row.hex", "1=5", "warning: Ungültige Eingabe für <Ausgang / Out 3> "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.row);
    const fs::path fresh = dir / "fresh.hex";
    Outcome o = RunCli({"set", Fixture(c.file), "-o", fresh.string(), "--row", c.row});
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find(c.errPart), std::string::npos) << o.err;
    EXPECT_FALSE(fs::exists(fresh));
    Outcome over = RunCli({"set", Fixture(c.file), "-o", existing.string(), "--row", c.row});
    EXPECT_EQ(over.status, 1);
    EXPECT_EQ(ReadAll(existing), "old\r\n");
  }
}

TEST_F(CliTest, SetWithoutRowsRewritesTheSameContent) {
  const std::string files[] = {Fixture("mot_switching.hex"), Fixture("dcc_switching.hex"),
                               Fixture("dcc_function.hex"),  Fixture("turntable48.hex"),
                               Fixture("fenwik_18324.hex"),  Fixture("unrecognised.hex"),
                               Example("led_blinkmuster_dcc.hex"), Example("servo_tamb4_dcc.hex"),
                               Example("fenwik_18324_cv.hex")};
  for (const auto& file : files) {
    SCOPED_TRACE(file);
    const fs::path out = dir / "rewritten.hex";
    Outcome o = RunCli({"set", file, "-o", out.string()});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(ReadAll(out), ReadAll(file));
  }
}

TEST_F(CliTest, HelpForTheToolAndEveryCommand) {
  Outcome tool = RunCli({"--help"});
  EXPECT_EQ(tool.status, 0);
  EXPECT_NE(tool.out.find("Rückgabewerte:\n  0  erledigt"), std::string::npos) << tool.out;
  for (const char* command : {"info", "set", "dump", "compare", "batch", "inventory", "export", "apply"}) {
    SCOPED_TRACE(command);
    EXPECT_NE(tool.out.find(std::string("  korrin-cli ") + command + " "), std::string::npos);
    for (const auto& args : {std::vector<std::string>{command, "--help"}, std::vector<std::string>{"help", command},
                             std::vector<std::string>{command, "-h", "--bogus"}}) {
      Outcome o = RunCli(args);
      EXPECT_EQ(o.status, 0) << o.err;
      EXPECT_EQ(o.out.rfind(std::string("Aufruf: korrin-cli ") + command, 0), 0u) << o.out;
      EXPECT_NE(o.out.find("Rückgabewerte:"), std::string::npos);
      EXPECT_TRUE(o.err.empty());
    }
  }
  EXPECT_NE(RunCli({"set", "--help"}).out.find("--set SCHLÜSSEL=WERT"), std::string::npos);
  Outcome version = RunCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("korrin-cli ", 0), 0u);
  // Without a command the tool's help goes to stderr, with status 2.
  Outcome none = RunCli({});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("Befehle:"), std::string::npos);
  Outcome bogus = RunCli({"set", "--bogus"});
  EXPECT_EQ(bogus.status, 2);
  EXPECT_EQ(bogus.err.rfind("korrin-cli: unbekannte Option --bogus für set\nAufruf: korrin-cli set DATEI -o AUSGABE", 0), 0u)
      << bogus.err;
}

TEST(ParseArgsTest, KeepsTheOrderOfOptionsAndTakesBothValueForms) {
  const CommandSpec* set = FindCommand("set");
  ASSERT_NE(set, nullptr);
  ParseOutcome p = ParseArgs(*set, {"--row", "1=5", "in.hex", "--set=cv29=6", "-o", "out.hex", "--set", "modus=2"});
  ASSERT_TRUE(p.args) << p.error;
  EXPECT_EQ(p.args->operands, (std::vector<std::string>{"in.hex"}));
  EXPECT_EQ(p.args->options, (std::vector<std::pair<std::string, std::string>>{
                                 {"--row", "1=5"}, {"--set", "cv29=6"}, {"-o", "out.hex"}, {"--set", "modus=2"}}));
  // "--" ends the options: the rest are operands (here one too many).
  EXPECT_EQ(ParseArgs(*set, {"in.hex", "-o", "x", "--", "--odd"}).error, "set erwartet DATEI, nicht mehr");
  EXPECT_EQ(ParseArgs(*FindCommand("compare"), {"--", "-a.hex", "-b.hex"}).args->operands,
            (std::vector<std::string>{"-a.hex", "-b.hex"}));
  EXPECT_EQ(ParseArgs(*FindCommand("info"), {"a.hex", "--json=1"}).error, "--json nimmt keinen Wert");
  EXPECT_EQ(ParseArgs(*set, {"in.hex", "-o"}).error, "-o braucht einen Wert (AUSGABE)");
  // A lone "-" is an operand (a file of that name), not an option.
  EXPECT_EQ(ParseArgs(*FindCommand("dump"), {"-"}).args->operands, (std::vector<std::string>{"-"}));
}

TEST_F(CliTest, SetRefusesUnknownKeysNamingKeyAndType) {
  const fs::path out = dir / "out.hex";
  struct Case {
    std::string file, key, err;
  };
  const Case cases[] = {
      {Fixture("mot_switching.hex"), "gibtsnicht=1",
       "error: Unbekannter Schlüssel \"gibtsnicht\" für den Dekoder-Typ \"Tollet\" (Identifier 8)\n"},
      {Fixture("fenwik_18324.hex"), "cv999=1", "Schlüssel \"cv999\" für den Dekoder-Typ \"Fenwik 16F18324\""},
      {Fixture("turntable48.hex"), "cv29=1", "Typ \"Drehscheibe 48 Position\" (Identifier 12543) hat keinen Editor"},
      {Fixture("unrecognised.hex"), "cv29=6",
       "error: Der Dekoder-Typ nicht erkannter Typ (Identifier 5649426) hat keinen Editor, also auch keine Einstellung "
       "\"cv29\"\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    Outcome o = RunCli({"set", c.file, "-o", out.string(), "--set", c.key});
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find(c.err), std::string::npos) << o.err;
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST_F(CliTest, ExportThenApplyReproducesTheFile) {
  const std::string files[] = {Fixture("mot_switching.hex"), Fixture("dcc_function.hex"), Fixture("fenwik_18324.hex"),
                               Example("blinkmuster_mot.hex"), Example("led_blinkmuster_dcc.hex"),
                               Example("servo_tamb4_dcc.hex"), Example("fenwik_18324_cv.hex"),
                               Example("drehscheibe24_dcc.hex")};
  for (const auto& file : files) {
    SCOPED_TRACE(file);
    const fs::path config = dir / "config.json", out = dir / "applied.hex";
    Outcome exported = RunCli({"export", file, "-o", config.string()});
    ASSERT_EQ(exported.status, 0) << exported.err;
    json j = json::parse(ReadAll(config));
    EXPECT_EQ(j["format"], "korrin-konfiguration");
    EXPECT_EQ(j["version"], 1);
    EXPECT_EQ(json::parse(RunCli({"export", file}).out), j);  // the same text on stdout
    Outcome applied = RunCli({"apply", file, config.string(), "-o", out.string()});
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(ReadAll(out), ReadAll(file));
  }
}

TEST_F(CliTest, ApplyChangesRowsAndRefusesAnotherType) {
  const fs::path config = dir / "config.json", out = dir / "applied.hex";
  std::ofstream(config) << R"j({"format": "korrin-konfiguration", "version": 1, "identifier": 8,
                                "rows": [{"row": 2, "address": 99, "green": true}]})j";
  ASSERT_EQ(RunCli({"apply", Fixture("mot_switching.hex"), config.string(), "-o", out.string()}).status, 0);
  EXPECT_EQ(InfoJson(out.string())["rows"][1], json::parse(R"j({"row":2,"caption":"Licht","address":99,"green":true})j"));

  fs::remove(out);
  ASSERT_EQ(RunCli({"export", Fixture("id257.hex"), "-o", config.string()}).status, 0);
  Outcome other = RunCli({"apply", Fixture("mot_switching.hex"), config.string(), "-o", out.string()});
  EXPECT_EQ(other.status, 1);
  EXPECT_NE(other.err.find("Die Konfiguration gehört zum Dekoder-Typ \"Pandor - Blinkmuster\" (Identifier 1), die Datei "
                           "ist ein \"Tollet\" (Identifier 8); nichts geändert"),
            std::string::npos)
      << other.err;
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliTest, ApplyNamesThePlaceOfAMalformedConfiguration) {
  const fs::path config = dir / "config.json", out = dir / "applied.hex";
  struct Case {
    std::string text, err;
    int status;
  };
  const Case cases[] = {
      {"{\"format\": \"korrin-konfiguration\", \"version\": 1, \"identifier\": 8,", "(Byte 66)", 2},
      {"", "(Byte 1)", 2},
      {"{\"format\": 1e999}", "(Byte 16)", 2},  // a number too large for any type
      {R"j({"format": "korrin-konfiguration", "version": 1, "identifier": 8, "rows": [{"row": 1, "address": 2.5}]})j",
       "Konfiguration, /rows/0/address: erwartet eine Zahl oder einen Text", 2},
      {R"j({"format": "korrin-konfiguration", "version": 1, "identifier": 8, "rows": [{"row": 1, "address": 999}]})j",
       "warning: Adresse für <Weiche> ist zu gross", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::ofstream(config, std::ios::binary | std::ios::trunc) << c.text;
    Outcome o = RunCli({"apply", Fixture("mot_switching.hex"), config.string(), "-o", out.string()});
    EXPECT_EQ(o.status, c.status);
    EXPECT_NE(o.err.find(c.err), std::string::npos) << o.err;
    EXPECT_FALSE(fs::exists(out));
  }
  for (const fs::path& unreadable : {dir / "none.json", dir}) {
    Outcome missing = RunCli({"apply", Fixture("mot_switching.hex"), unreadable.string(), "-o", out.string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("kann nicht gelesen werden"), std::string::npos) << missing.err;
  }
  // export never writes its JSON over the HEX file it reads.
  const fs::path hex = dir / "keep.hex";
  fs::copy_file(Fixture("mot_switching.hex"), hex);
  EXPECT_EQ(RunCli({"export", hex.string(), "-o", hex.string()}).status, 2);
  EXPECT_EQ(ReadAll(hex), ReadAll(Fixture("mot_switching.hex")));
}

}  // namespace
}  // namespace korrin::cli

namespace korrin::cli {
namespace {

// One edit per editor kind, through the real models: set, then what info --json and
// compare --decoded say of the written file, then export and apply onto another file of the
// type.
struct EditorCase {
  const char* example;
  std::vector<std::string> sets;                    // KEY=VALUE, in order
  std::vector<std::pair<std::string, std::string>> values;  // key -> value in info --json
  std::vector<std::string> decodedLines;           // lines compare --decoded must print
};

const EditorCase kEditorCases[] = {
    {"fenwik_18324_cv.hex", {"cv29=38", "cv1=120"}, {{"cv29", "38"}, {"cv1", "120"}},
     {"CV029: Konfigbyte: 6 → 38\n", "CV001: Kurze Adresse: 3 → 120\n"}},
    {"relais8_dcc.hex",
     {"modus=2", "modus.bit7=1", "abschaltzeit=40"},
     {{"modus", "2"}, {"modus.bit7", "1"}, {"abschaltzeit", "40"}},
     {"Mode Auswahl: 1 → 2\n", "Mode-Umschaltung SPERREN: 0 → 1\n", "Abschaltzeit in Mode 3 (1..255): 17 → 40\n"}},
    {"tollet_mot.hex", {"timeout=99"}, {{"timeout", "99"}}, {"Time Out (1..127): 17 → 99\n"}},
    {"servo_tamb4_dcc.hex",
     {"kurve2.punkte=0,0,2,4,8,12,120,23,30,37,45,52,60,69,77,84,92,99,105,110,115,119,122,124,125,125,124,122,119,115,"
      "110,105,99,92,84,77,69,60,52,45,37,30,23,17,12,8,4,2,0,0",
      "kurve1.relais=X.................................................", "sw1=lernen", "adresse3.servo=2",
      "servo2.impulsmin=1.504", "kurve4.erzeugen=lin:10"},
     {{"adresse3.servo", "2"}, {"sw1", "lernen"}, {"kurve4.anzahl", "10"}},
     {"Kurve 2, Punkt 7: 17 → 120\n", "Kurve 1 Relais, Punkt 1: . → X\n", "Funktion für Taster SW1: servo → lernen\n",
      "Adresse 03 Servo: 1 → 2\n", "Servo 2 Impuls-Zeit (Min): 2.040 → 1.504\n", "Kurve 4 Anzahl Punkte: 50 → 10\n"}},
    {"blinkmuster_mot.hex",
     {"muster2.ausgang3=XX.X", "muster1.loop=0"},
     {{"muster2.ausgang3", "XX.X"}, {"muster1.loop", "0"}},
     {"Muster 2, Ausgang 3, Punkt 1: . → X\n", "Muster 2, Ausgang 3, Punkt 3: X → .\n", "Muster 1, Loop: 1 → 0\n"}},
    {"led_blinkmuster_dcc.hex",
     {"muster4.ausgang9=X..X", "muster4.ausgang9.verwenden=0"},
     {{"muster4.ausgang9", "X..X"}, {"muster4.ausgang9.verwenden", "0"}},
     {"Muster 4, Ausgang 9, Punkt 1: . → X\n", "Muster 4, Ausgang 9 verwenden: 1 → 0\n"}},
};

json SettingsByKey(const json& info) {
  json byKey = json::object();
  if (info["editor"].is_null()) return byKey;
  for (const auto& [section, list] : info["editor"]["settings"].items())
    for (const auto& s : list) byKey[s["key"].get<std::string>()] = s["value"];
  return byKey;
}

TEST_F(CliTest, EveryEditorThroughSetInfoCompareExportApply) {
  for (const EditorCase& c : kEditorCases) {
    SCOPED_TRACE(c.example);
    const std::string original = Example(c.example);
    const fs::path edited = dir / "edited.hex";
    std::vector<std::string> args = {"set", original, "-o", edited.string()};
    for (const auto& s : c.sets) args.insert(args.end(), {"--set", s});
    Outcome set = RunCli(args);
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.err, "");

    json byKey = SettingsByKey(InfoJson(edited.string()));
    for (const auto& [key, value] : c.values) EXPECT_EQ(byKey[key], value) << key;

    Outcome decoded = RunCli({"compare", "--decoded", original, edited.string()});
    EXPECT_EQ(decoded.status, 1);
    for (const auto& line : c.decodedLines) EXPECT_NE(decoded.out.find(line), std::string::npos) << line << decoded.out;

    // The edited decoder's configuration applied to the original reproduces every setting.
    const fs::path config = dir / "edited.json", applied = dir / "applied.hex";
    ASSERT_EQ(RunCli({"export", edited.string(), "-o", config.string()}).status, 0);
    Outcome apply = RunCli({"apply", original, config.string(), "-o", applied.string()});
    ASSERT_EQ(apply.status, 0) << apply.err;
    EXPECT_EQ(SettingsByKey(InfoJson(applied.string())), SettingsByKey(InfoJson(edited.string())));
    EXPECT_EQ(json::parse(RunCli({"export", applied.string()}).out), json::parse(ReadAll(config)));
    Outcome same = RunCli({"compare", "--decoded", edited.string(), applied.string()});
    EXPECT_NE(same.out.find("Einstellungen (File 1 → File 2):\nkeine\n"), std::string::npos) << same.out;
  }
}

TEST_F(CliTest, RefusedEditorValueShowsTheWindowsMessageAndWritesNothing) {
  struct Case {
    const char* example;
    std::string set, err;
  };
  const Case cases[] = {
      {"fenwik_18324_cv.hex", "cv1=300", "warning: Ungültige Eingabe.\nZugelassen sind nur Zahlen im Werte-Bereich 0..255\n"},
      {"tollet_mot.hex", "timeout=200", "warning: Ungültige Eingabe.\nZugelassen sind nur Zahlen im Werte-Bereich 1..127\n"},
      {"relais8_dcc.hex", "modus=9", "warning: Ungültige Eingabe.\nZugelassen sind nur Zahlen im Werte-Bereich 1..4\n"},
      {"relais8_dcc.hex", "modus.bit7=2", "warning: Ungültige Eingabe.\nZugelassen sind nur Zahlen im Werte-Bereich 0..1\n"},
      {"servo_tamb4_dcc.hex", "sw1=x7", "warning: Ungültige Eingabe.\nZugelassen sind nur servo oder lernen\n"},
      {"servo_tamb4_dcc.hex", "servo2.impulsmin=1.5",
       "warning: Ungültige Eingabe.\nZugelassen sind nur Zeiten im Werte-Bereich 0.400 .. 2.040 ms in Schritten von 0.008 "
       "ms\n"},
      {"blinkmuster_mot.hex", "muster1.anzahl=abc",
       "warning: Ungültige Eingabe.\nZugelassen sind nur Zahlen im Werte-Bereich 1..50\n"},
      {"blinkmuster_mot.hex", "muster1.ausgang1=XYZ",
       "warning: Ungültiges Muster für Muster 1, Ausgang 1.\nErwartet werden 2 Zeichen (Anzahl Punkte): X für an, . für "
       "aus\n"},
  };
  const fs::path existing = dir / "existing.hex";
  std::ofstream(existing, std::ios::binary) << "old\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    const fs::path out = dir / "out.hex";
    Outcome o = RunCli({"set", Example(c.example), "-o", out.string(), "--set", c.set});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, c.err);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(RunCli({"set", Example(c.example), "-o", existing.string(), "--set", c.set}).status, 1);
    EXPECT_EQ(ReadAll(existing), "old\r\n");
  }
}


// The servo example's own configuration with one more member in a section.
std::string ServoConfigurationWith(const std::string& section, const std::string& key, const std::string& value) {
  json j = json::parse(RunCli({"export", Example("servo_tamb4_dcc.hex")}).out);
  j[section][key] = value;
  return j.dump();
}

// A configuration and a plan are data. An action key, whatever the spelling of its numbers,
// is refused for what it is before anything is read or written.
TEST_F(CliTest, ApplyAndBatchRefuseEveryActionKeyAndTouchNoFile) {
  const fs::path victim = dir / "victim.txt", out = dir / "out.hex", config = dir / "c.json";
  const fs::path curve = dir / "k.cur";
  ASSERT_EQ(RunCli({"set", Example("servo_tamb4_dcc.hex"), "-o", (dir / "x.hex").string(), "--set",
                    "kurve1.speichern=" + curve.string()})
                .status,
            0);
  const std::string curveBefore = ReadAll(curve);
  struct Case {
    std::string key, value;
    int status;
    std::string err;
    bool plansTakeIt;  // a plan may hold a generator: it names no file
  };
  const Case cases[] = {
      {"kurve01.speichern", victim.string(), 2, "Schlüssel \"kurve01.speichern\" (kurve1.speichern) ist eine Aktion", false},
      {"kurve001.datei", curve.string(), 2, "Schlüssel \"kurve001.datei\" (kurve1.datei) ist eine Aktion", false},
      {"kurve2.speichern", victim.string(), 2, "Schlüssel \"kurve2.speichern\" ist eine Aktion", false},
      {"servo.set.speichern", victim.string(), 2, "Schlüssel \"servo.set.speichern\" ist eine Aktion", false},
      {"kurve3.erzeugen", "lin", 2, "Schlüssel \"kurve3.erzeugen\" ist eine Aktion", true},
      {"kurve01.punkte", "1,2", 1, "Zahlen in Schlüsseln stehen ohne führende Null, also \"kurve1.punkte\"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    std::ofstream(config, std::ios::trunc) << ServoConfigurationWith("curves", c.key, c.value);
    Outcome o = RunCli({"apply", Example("servo_tamb4_dcc.hex"), config.string(), "-o", out.string()});
    EXPECT_EQ(o.status, c.status);
    EXPECT_NE(o.err.find("Konfiguration, /curves/" + c.key + ": "), std::string::npos) << o.err;
    EXPECT_NE(o.err.find(c.err), std::string::npos) << o.err;
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(victim));

    // The same key as a column of a batch plan: a file action stops the whole batch.
    fs::create_directories(dir / "batch");
    std::ofstream(dir / "plan.csv", std::ios::trunc) << "datei;" << c.key << "\nw.hex;" << c.value << "\n";
    Outcome b = RunCli({"batch", Example("servo_tamb4_dcc.hex"), (dir / "plan.csv").string(), "-o", (dir / "batch").string()});
    EXPECT_EQ(b.status == 0, c.plansTakeIt) << b.err;
    EXPECT_EQ(fs::exists(dir / "batch" / "w.hex"), c.plansTakeIt) << b.err;
    fs::remove(dir / "batch" / "w.hex");
    EXPECT_FALSE(fs::exists(victim));
  }
  EXPECT_EQ(ReadAll(curve), curveBefore);
  // `set` names files on purpose, but only in the editor's spelling of a key.
  Outcome spelled = RunCli({"set", Example("servo_tamb4_dcc.hex"), "-o", out.string(), "--set",
                            "kurve01.speichern=" + victim.string()});
  EXPECT_EQ(spelled.status, 1);
  EXPECT_FALSE(fs::exists(victim));
  EXPECT_FALSE(fs::exists(out));
}

// A number is checked against its range, sign included, through set, apply and batch alike,
// with the window's message.
TEST_F(CliTest, NegativeNumbersAreRefusedEverywhere) {
  struct Case {
    std::string key, value, message;
  };
  const Case cases[] = {
      {"kurve1.punkte", "0,-5,10", "Ungültige Eingabe.\nZugelassen sind nur Zahlen im Werte-Bereich 0..127"},
      {"kurve1.punkte", "0,128", "Ungültige Eingabe.\nZugelassen sind nur Zahlen im Werte-Bereich 0..127"},
      {"taster1.close", "-1", "Ungültige Eingabe.\nZugelassen sind nur Zahlen im Werte-Bereich 0..8"},
      {"adresse1.kurve", "-2", "Ungültige Eingabe.\nZugelassen sind nur Zahlen im Werte-Bereich 1..4"},
      {"adresse1.servo", "+0", "Ungültige Eingabe.\nZugelassen sind nur Zahlen im Werte-Bereich 1..4"},
  };
  const std::string servo = Example("servo_tamb4_dcc.hex");
  const fs::path out = dir / "out.hex", config = dir / "c.json";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key + "=" + c.value);
    Outcome set = RunCli({"set", servo, "-o", out.string(), "--set", c.key + "=" + c.value});
    EXPECT_EQ(set.status, 1);
    EXPECT_EQ(set.err, "warning: " + c.message + "\n");

    std::ofstream(config, std::ios::trunc) << ServoConfigurationWith(c.key.rfind("adresse", 0) == 0 ? "assignments" : "curves", c.key, c.value);
    Outcome apply = RunCli({"apply", servo, config.string(), "-o", out.string()});
    EXPECT_EQ(apply.status, 1);
    EXPECT_NE(apply.err.find("warning: " + c.message + "\n"), std::string::npos) << apply.err;
    EXPECT_NE(apply.err.find("Konfiguration, /"), std::string::npos) << apply.err;

    fs::create_directories(dir / "batch");
    std::ofstream(dir / "plan.csv", std::ios::trunc) << "datei;" << c.key << "\nw.hex;\"" << c.value << "\"\n";
    Outcome batch = RunCli({"batch", servo, (dir / "plan.csv").string(), "-o", (dir / "batch").string()});
    EXPECT_EQ(batch.status, 1);
    EXPECT_EQ(batch.err, "Zeile 2: " + c.key + ": " + c.message + "\n");
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(dir / "batch" / "w.hex"));
  }
}

// set writes the curve and set files it is asked for only when every value was taken, after
// the HEX file, and never onto one of its inputs or another of its outputs.
TEST_F(CliTest, SetWritesItsCurveFilesOnlyWhenEverythingWasTaken) {
  const fs::path in = dir / "in.hex", out = dir / "out.hex", k = dir / "k.cur", k2 = dir / "k2.cur";
  fs::copy_file(Example("servo_tamb4_dcc.hex"), in);
  const std::string original = ReadAll(in);
  auto set = [&](std::vector<std::string> sets, std::string output) {
    std::vector<std::string> args = {"set", in.string()};
    if (!output.empty()) args.insert(args.end(), {"-o", output});
    for (auto& s : sets) args.insert(args.end(), {"--set", s});
    return RunCli(args);
  };
  // A refused value after the request: nothing at all is written.
  Outcome refused = set({"kurve2.speichern=" + k.string(), "servo1.impulsmin=NaN"}, out.string());
  EXPECT_EQ(refused.status, 1);
  EXPECT_FALSE(fs::exists(k));
  EXPECT_FALSE(fs::exists(out));

  struct Clash {
    std::vector<std::string> sets;
    std::string output, err;
  };
  const Clash clashes[] = {
      {{"kurve2.speichern=" + in.string()}, out.string(), "kurve2.speichern="},
      {{"servo.set.speichern=" + in.string()}, in.string(), "servo.set.speichern="},
      {{"kurve2.speichern=" + (dir / "." / "in.hex").string()}, out.string(), "nennt die Datei"},
      {{"kurve1.speichern=" + out.string()}, out.string(), "nennt die HEX-Datei, die dieser Befehl schreibt"},
      {{"kurve1.speichern=" + k.string(), "kurve2.speichern=" + (dir / "sub" / ".." / "k.cur").string()}, out.string(),
       "nennt dieselbe Datei wie kurve1.speichern="},
      {{"kurve1.datei=" + k2.string()}, k2.string(), "-o nennt die Datei"},
  };
  fs::create_directories(dir / "sub");
  ASSERT_EQ(set({"kurve4.speichern=" + k2.string()}, (dir / "k2.hex").string()).status, 0);
  const std::string k2Content = ReadAll(k2);
  for (const Clash& c : clashes) {
    SCOPED_TRACE(c.sets.back());
    Outcome o = set(c.sets, c.output);
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find(c.err), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("nichts geschrieben"), std::string::npos) << o.err;
    EXPECT_EQ(ReadAll(in), original);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(k));
    EXPECT_EQ(ReadAll(k2), k2Content);
  }

  // Taken: the curve file holds the curve as it was at its place among the edits.
  Outcome taken = set({"kurve2.punkte=1,2,3", "kurve2.speichern=" + k.string(), "kurve2.punkte=4,5"}, out.string());
  ASSERT_EQ(taken.status, 0) << taken.err;
  EXPECT_TRUE(fs::exists(out));
  const fs::path loaded = dir / "loaded.hex";
  ASSERT_EQ(RunCli({"set", in.string(), "-o", loaded.string(), "--set", "kurve3.datei=" + k.string()}).status, 0);
  EXPECT_EQ(SettingsByKey(InfoJson(loaded.string()))["kurve3.punkte"], "1,2,3");
  EXPECT_EQ(SettingsByKey(InfoJson(out.string()))["kurve2.punkte"], "4,5");
}

// Every export applies to every decoder of its type: each example's configuration onto the
// other examples of its type and onto a copy of each example whose EEPROM cells beside the
// address rows are erased (a 16F629 time-out then reads 255, which nobody may type), and the
// erased copy's configuration back onto the example.
TEST_F(CliTest, EveryExportAppliesToEveryFileOfItsType) {
  std::map<int, std::vector<std::string>> byType;
  for (const auto& entry : fs::directory_iterator(KORRIN_EXAMPLES)) {
    if (entry.path().extension() != ".hex") continue;
    const std::string file = entry.path().string();
    byType[InfoJson(file)["identifier"].get<int>()].push_back(file);
    testing::RecordingDialogs dialogs;
    testing::ScriptedFileDialogs files;
    Document doc(dialogs, files);
    ASSERT_EQ(doc.LoadHexFile(file), LoadResult::Loaded);
    for (int a = 0; a < kEepromCells; ++a) doc.image.setEepromValue(a, 0xFF);
    const fs::path erased = dir / ("erased_" + entry.path().filename().string());
    ASSERT_EQ(doc.SaveTo(erased.string()), SaveResult::Saved) << file;
    byType[InfoJson(erased.string())["identifier"].get<int>()].push_back(erased.string());
  }
  const fs::path config = dir / "config.json", applied = dir / "applied.hex";
  int pairs = 0;
  for (const auto& [identifier, group] : byType) {
    for (const auto& from : group) {
      ASSERT_EQ(RunCli({"export", from, "-o", config.string()}).status, 0) << from;
      const json exported = json::parse(ReadAll(config));
      for (const auto& onto : group) {
        if (onto == from) continue;
        SCOPED_TRACE(from + " -> " + onto);
        Outcome o = RunCli({"apply", onto, config.string(), "-o", applied.string()});
        ASSERT_EQ(o.status, 0) << o.err;
        ++pairs;
        // Everything the export holds is now the target's.
        const json result = json::parse(RunCli({"export", applied.string()}).out);
        EXPECT_EQ(result["rows"], exported["rows"]);
        for (const char* section : {"cvs", "options", "patterns", "curves", "assignments"})
          if (exported.contains(section)) {
            for (const auto& [key, value] : exported[section].items()) EXPECT_EQ(result[section][key], value) << key;
          }
      }
    }
  }
  // Each type has at least its example and the erased copy.
  EXPECT_GE(pairs, 2 * static_cast<int>(byType.size()));
  for (const auto& [identifier, group] : byType) EXPECT_GE(group.size(), 2u) << identifier;
}

}  // namespace
}  // namespace korrin::cli
