// The command layer over the editor models (set by key, editor state, decoded comparison,
// export and apply of a configuration), driven with a small model of its own so that it is
// checked independently of any one editor.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/document.h"
#include "cli/configuration.h"
#include "cli/editor_settings.h"
#include "recording_dialogs.h"

namespace korrin::cli {
namespace {

using Json = nlohmann::ordered_json;

// A CV value checked as the CV frame checks it, a curve kept in a working copy, and a blink
// pattern row of characters.
class FakeModel : public EditorModel {
 public:
  using EditorModel::EditorModel;
  FrameKind kind() const override { return FrameKind::Cv; }
  void Load() override {}
  std::vector<EditorSetting> Settings() const override {
    return {{"cvs", "cv29", "CV29", cv29, "", false},
            {"curves", "kurve2.punkte", "Kurve 2", working, "Punkt", false},
            {"patterns", "muster1.ausgang1", "Muster 1, Ausgang 1", pattern, "Punkt", true}};
  }
  std::vector<EditorAction> Actions() const override {
    return {{"kurve2.erzeugen", "lin|log:PUNKTE", "erzeugt Kurve 2", ActionKind::Generate},
            {"kurve2.datei", "PFAD", "lädt Kurve 2", ActionKind::ReadFile},
            {"kurve2.speichern", "PFAD", "speichert Kurve 2", ActionKind::WriteFile}};
  }
  SetOutcome Set(const std::string& key, const std::string& value) override {
    log.push_back(key + "=" + value);
    if (key == "cv29") {
      if (value.empty() || value.size() > 3 || value.find_first_not_of("0123456789") != std::string::npos ||
          std::stoi(value) > 255) {
        ctx.dialogs.warning("Der Wert muss zwischen 0 und 255 liegen.");
        return SetOutcome::Refused;
      }
      cv29 = value;
      return SetOutcome::Done;
    }
    if (key == "kurve2.punkte") {
      working = value;
      pending = working != curve;
      return SetOutcome::Done;
    }
    if (key == "muster1.ausgang1") {
      pattern = value;
      return SetOutcome::Done;
    }
    if (key == "kurve2.erzeugen" || key == "kurve2.datei" || key == "kurve2.speichern") return SetOutcome::Done;
    return SetOutcome::UnknownKey;
  }
  bool hasPendingChanges() const override { return pending; }
  void applyPendingChanges() override {
    curve = working;
    pending = false;
  }

  std::string cv29 = "6", curve = "10,20,30", working = "10,20,30", pattern = "XX..";
  bool pending = false;
  std::vector<std::string> log;
};

class EditorSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(doc.LoadHexFile(std::string(KORRIN_FIXTURES) + "/mot_switching.hex"), LoadResult::Loaded); }
  testing::RecordingDialogs dialogs;
  testing::ScriptedFileDialogs files;
  Document doc{dialogs, files};
  FakeModel model{doc};
};

TEST_F(EditorSettingsTest, SetByKeyReportsEachOutcome) {
  const std::string type = TypeName(doc);
  EXPECT_EQ(type, "\"Tollet\" (Identifier 8)");
  EXPECT_EQ(SetEditorValue(&model, type, "cv29", "38"), std::nullopt);
  EXPECT_EQ(model.cv29, "38");

  // Refused: the model's own message is the report.
  auto refused = SetEditorValue(&model, type, "cv29", "300");
  ASSERT_TRUE(refused);
  EXPECT_EQ(*refused, "");
  EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Der Wert muss zwischen 0 und 255 liegen."});
  EXPECT_EQ(model.cv29, "38");

  EXPECT_EQ(SetEditorValue(&model, type, "cv300", "1"),
            "Unbekannter Schlüssel \"cv300\" für den Dekoder-Typ \"Tollet\" (Identifier 8)");
  // A number in a key is written as the editor lists it; another spelling never reaches it.
  EXPECT_EQ(SetEditorValue(&model, type, "cv029", "1"),
            "Schlüssel \"cv029\": Zahlen in Schlüsseln stehen ohne führende Null, also \"cv29\"");
  EXPECT_EQ(SetEditorValue(&model, type, "kurve02.speichern", "k.cur"),
            "Schlüssel \"kurve02.speichern\": Zahlen in Schlüsseln stehen ohne führende Null, also \"kurve2.speichern\"");
  EXPECT_EQ(model.log, (std::vector<std::string>{"cv29=38", "cv29=300"}));
  // A key of megabytes is quoted as a short excerpt.
  const std::string huge(4 << 20, 'k');
  EXPECT_EQ(SetEditorValue(&model, type, huge, "1"), "Unbekannter Schlüssel \"" + std::string(40, 'k') +
                                                         "…\" (4194304 Bytes) für den Dekoder-Typ \"Tollet\" (Identifier 8)");
  EXPECT_EQ(SetEditorValue(nullptr, type, "modus", "2"),
            "Der Dekoder-Typ \"Tollet\" (Identifier 8) hat keinen Editor, also auch keine Einstellung \"modus\"");

  // The working copy reaches the image only when applied.
  ASSERT_EQ(SetEditorValue(&model, type, "kurve2.punkte", "1,2,3"), std::nullopt);
  EXPECT_EQ(model.curve, "10,20,30");
  ApplyPendingEdits(&model);
  EXPECT_EQ(model.curve, "1,2,3");
  EXPECT_FALSE(model.hasPendingChanges());
  ApplyPendingEdits(nullptr);
}

TEST(SplitSettingTest, SplitsAtTheFirstEqualSign) {
  EXPECT_EQ(SplitSetting("cv29=6"), std::make_pair(std::string("cv29"), std::string("6")));
  EXPECT_EQ(SplitSetting("kurve1.datei=a=b.txt"), std::make_pair(std::string("kurve1.datei"), std::string("a=b.txt")));
  EXPECT_EQ(SplitSetting("cv29="), std::make_pair(std::string("cv29"), std::string()));
  EXPECT_EQ(SplitSetting("=6"), std::nullopt);
  EXPECT_EQ(SplitSetting("cv29"), std::nullopt);
}

TEST_F(EditorSettingsTest, StateNamesEverySettingAndAction) {
  Json state = EditorStateJson(&model);
  EXPECT_EQ(state, Json::parse(R"j({
    "frame": "cv",
    "settings": {
      "cvs": [{"key": "cv29", "caption": "CV29", "value": "6"}],
      "curves": [{"key": "kurve2.punkte", "caption": "Kurve 2", "value": "10,20,30", "element": "Punkt",
                  "count": 3, "elements": ["10", "20", "30"]}],
      "patterns": [{"key": "muster1.ausgang1", "caption": "Muster 1, Ausgang 1", "value": "XX..", "element": "Punkt",
                    "count": 4, "elements": ["X", "X", ".", "."]}]},
    "actions": [{"key": "kurve2.erzeugen", "form": "lin|log:PUNKTE", "description": "erzeugt Kurve 2"},
                {"key": "kurve2.datei", "form": "PFAD", "description": "lädt Kurve 2"},
                {"key": "kurve2.speichern", "form": "PFAD", "description": "speichert Kurve 2"}]})j"));
  EXPECT_TRUE(EditorStateJson(nullptr).is_null());
}

TEST(SettingDifferencesTest, NamesEachDifferingValueAndElement) {
  auto cv = [](std::string v) { return EditorSetting{"cvs", "cv29", "CV29", std::move(v), "", false}; };
  auto curve = [](std::string v) { return EditorSetting{"curves", "kurve2.punkte", "Kurve 2", std::move(v), "Punkt", false}; };
  auto row = [](std::string v) { return EditorSetting{"patterns", "muster1", "Muster 1", std::move(v), "Punkt", true}; };
  struct Case {
    std::vector<EditorSetting> a, b;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {{cv("6")}, {cv("6")}, {}},
      {{cv("6")}, {cv("38")}, {"CV29: 6 → 38"}},
      {{curve("1,2,3,4,5,6,120,8")}, {curve("1,2,3,4,5,6,95,8")}, {"Kurve 2, Punkt 7: 120 → 95"}},
      {{curve("1,2")}, {curve("1,3,4")}, {"Kurve 2, Punkt 2: 2 → 3", "Kurve 2, Punkt 3: (fehlt) → 4"}},
      {{row("XX..")}, {row("X.X.")}, {"Muster 1, Punkt 2: X → .", "Muster 1, Punkt 3: . → X"}},
      {{cv("6"), curve("1")}, {curve("1")}, {"CV29: 6 → (fehlt)"}},
      {{curve("1")}, {cv(""), curve("1")}, {"CV29: (fehlt) → (leer)"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SettingDifferences(c.a, c.b), c.lines);
  }
}

TEST_F(EditorSettingsTest, ExportWritesRowsAndSectionsInTheModelsOrder) {
  Json j = ExportConfiguration(doc, &model);
  EXPECT_EQ(j.dump(), Json::parse(R"j({
    "format": "korrin-konfiguration", "version": 1, "identifier": 8, "title": "Tollet",
    "rows": [{"row": 1, "address": 1, "green": true}, {"row": 2, "address": 320, "green": false}],
    "cvs": {"cv29": "6"}, "curves": {"kurve2.punkte": "10,20,30"}, "patterns": {"muster1.ausgang1": "XX.."}})j").dump());
  // Without an editor: the rows only.
  EXPECT_FALSE(ExportConfiguration(doc, nullptr).contains("cvs"));
}

TEST_F(EditorSettingsTest, ExportedConfigurationAppliedElsewhereReproducesIt) {
  model.cv29 = "38";
  model.working = model.curve = "5,6,7,8";
  model.pattern = ".X.X";
  doc.rows[1].addressText = "44";
  doc.rows[1].RowGreen = false;
  const Json exported = ExportConfiguration(doc, &model);

  testing::RecordingDialogs otherDialogs;
  testing::ScriptedFileDialogs otherFiles;
  Document other(otherDialogs, otherFiles);
  ASSERT_EQ(other.LoadHexFile(std::string(KORRIN_FIXTURES) + "/mot_switching.hex"), LoadResult::Loaded);
  FakeModel target(other);
  // The file's order of the sections does not matter: the model's order is used.
  Json shuffled = exported;
  shuffled.erase("cvs");
  shuffled["cvs"] = exported["cvs"];
  ASSERT_EQ(ApplyConfiguration(other, &target, shuffled).has_value(), false) << ApplyConfiguration(other, &target, shuffled)->text;
  EXPECT_EQ(target.log.front(), "cv29=38");
  ApplyPendingEdits(&target);
  EXPECT_EQ(ExportConfiguration(other, &target), exported);
  EXPECT_TRUE(otherDialogs.messages.empty());

  // Any section may be left out; then nothing of it changes.
  FakeModel untouched(other);
  ASSERT_FALSE(ApplyConfiguration(other, &untouched, Json::parse(R"j({"format":"korrin-konfiguration","version":1,"identifier":8})j")));
  EXPECT_TRUE(untouched.log.empty());
  // A value the decoder already holds is not set again (it might lie outside what may be typed).
  ASSERT_FALSE(ApplyConfiguration(
      other, &untouched, Json::parse(R"j({"format":"korrin-konfiguration","version":1,"identifier":8,"cvs":{"cv29":6}})j")));
  EXPECT_TRUE(untouched.log.empty());
}

TEST_F(EditorSettingsTest, ApplyRefusesWithThePlaceOrTheReason) {
  const std::string head = R"j("format":"korrin-konfiguration","version":1)j";
  struct Case {
    std::string json;
    int status;
    std::string text;
    bool setBefore = false;  // the refusal came from the editor, after the keys were checked
  };
  const Case cases[] = {
      {"[]", 2, "Konfiguration, /: erwartet ein JSON-Objekt"},
      {R"j({"format":"x","version":1,"identifier":8})j", 2, "Konfiguration, /format: erwartet \"korrin-konfiguration\""},
      {R"j({"format":"korrin-konfiguration","version":2,"identifier":8})j", 2,
       "Konfiguration, /version: Version 2 wird nicht unterstützt (nur 1)"},
      {"{" + head + R"j(,"identifier":"8"})j", 2, "Konfiguration, /identifier: erwartet eine ganze Zahl"},
      {"{" + head + R"j(,"identifier":8,"cvs":{"cv29":1.5}})j", 2,
       "Konfiguration, /cvs/cv29: erwartet einen Text, eine ganze Zahl oder true/false"},
      {"{" + head + R"j(,"identifier":8,"cvs":{"a/b~":[]}})j", 2,
       "Konfiguration, /cvs/a~1b~0: erwartet einen Text, eine ganze Zahl oder true/false"},
      {"{" + head + R"j(,"identifier":8,"rows":[{"row":1},{"row":2,"green":"ja"}]})j", 2,
       "Konfiguration, /rows/1/green: erwartet true oder false"},
      {"{" + head + R"j(,"identifier":8,"rows":[{"address":5}]})j", 2,
       "Konfiguration, /rows/0: die Zeilennummer (row) fehlt"},
      {"{" + head + R"j(,"identifier":8,"cv":{}})j", 2, "Konfiguration, /cv: unbekannter Abschnitt"},
      {"{" + head + R"j(,"identifier":8,"options":{"cv29":"6"}})j", 2,
       "Konfiguration, /options/cv29: der Schlüssel \"cv29\" gehört in den Abschnitt cvs"},
      // Actions are refused by their kind, in whatever spelling of their numbers.
      {"{" + head + R"j(,"identifier":8,"curves":{"kurve2.erzeugen":"lin"}})j", 2,
       "Konfiguration, /curves/kurve2.erzeugen: Schlüssel \"kurve2.erzeugen\" ist eine Aktion, keine Einstellung; "
       "eine Konfiguration enthält nur Werte"},
      {"{" + head + R"j(,"identifier":8,"curves":{"kurve02.speichern":"victim.txt"}})j", 2,
       "Konfiguration, /curves/kurve02.speichern: Schlüssel \"kurve02.speichern\" (kurve2.speichern) ist eine Aktion, "
       "keine Einstellung; eine Konfiguration enthält nur Werte"},
      {"{" + head + R"j(,"identifier":8,"cvs":{"cv29":7},"curves":{"kurve002.datei":"/etc/hostname"}})j", 2,
       "Konfiguration, /curves/kurve002.datei: Schlüssel \"kurve002.datei\" (kurve2.datei) ist eine Aktion, "
       "keine Einstellung; eine Konfiguration enthält nur Werte"},
      {"{" + head + R"j(,"identifier":8,"cvs":{"cv029":7}})j", 1,
       "Konfiguration, /cvs/cv029: Schlüssel \"cv029\": Zahlen in Schlüsseln stehen ohne führende Null, also \"cv29\""},
      {"{" + head + R"j(,"identifier":1,"title":"Pandor - Blinkmuster"})j", 1,
       "Die Konfiguration gehört zum Dekoder-Typ \"Pandor - Blinkmuster\" (Identifier 1), die Datei ist ein "
       "\"Tollet\" (Identifier 8); nichts geändert"},
      {"{" + head + R"j(,"identifier":8,"cvs":{"cv29":300}})j", 1,
       "Konfiguration, /cvs/cv29: der Wert \"300\" für \"cv29\" wurde nicht übernommen", true},
      {"{" + head + R"j(,"identifier":8,"cvs":{"cv29":7},"curves":{"kurve2.punkte":"1","kurve3.punkte":"1"}})j", 1,
       "Konfiguration, /curves/kurve3.punkte: Unbekannter Schlüssel \"kurve3.punkte\" für den Dekoder-Typ \"Tollet\" "
       "(Identifier 8)"},
      {"{" + head + R"j(,"identifier":8,"rows":[{"row":1,"address":3},{"row":5,"address":3}]})j", 1,
       "Konfiguration, /rows/1: Zeile 5 gibt es bei diesem Dekoder nicht"},
      {"{" + head + R"j(,"identifier":8,"rows":[{"row":-1,"address":3}]})j", 1,
       "Konfiguration, /rows/0: Zeile -1 gibt es bei diesem Dekoder nicht"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.json);
    FakeModel fresh(doc);
    auto failure = ApplyConfiguration(doc, &fresh, Json::parse(c.json));
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->status, c.status);
    EXPECT_EQ(failure->text, c.text);
    // The form and every key are checked before anything is set.
    EXPECT_EQ(fresh.log.empty(), !c.setBefore);
  }

  std::string error;
  EXPECT_FALSE(ParseConfiguration("{\"format\": \"korrin-konfiguration\",\n \"version\": 1,, }", &error));
  // The 50th byte is the second comma.
  EXPECT_EQ(error.rfind("Konfiguration ist kein gültiges JSON (Byte 50): ", 0), 0u) << error;
}

TEST(ParseConfigurationTest, RefusesAKeyTwiceInAnyObjectByItsPlace) {
  const std::pair<std::string, std::string> cases[] = {
      {R"j({"version":1,"version":2})j", "Konfiguration, /version: der Schlüssel \"version\" steht zweimal im selben Objekt"},
      {R"j({"cvs":{"cv29":"6","cv1":"3","cv29":"7"}})j",
       "Konfiguration, /cvs/cv29: der Schlüssel \"cv29\" steht zweimal im selben Objekt"},
      {R"j({"rows":[{"row":1},{"row":2,"address":3,"address":4}]})j",
       "Konfiguration, /rows/1/address: der Schlüssel \"address\" steht zweimal im selben Objekt"},
      {R"j({"curves":{"a/b":1,"a/b":2}})j", "Konfiguration, /curves/a~1b: der Schlüssel \"a/b\" steht zweimal im selben Objekt"},
  };
  for (const auto& [text, message] : cases) {
    std::string error;
    EXPECT_FALSE(ParseConfiguration(text, &error)) << text;
    EXPECT_EQ(error, message);
  }
  // The same key in two objects is no repetition, and the file's order is kept.
  auto config = ParseConfiguration(R"j({"cvs":{"cv29":"6","cv1":1},"options":{"cv29":true},"rows":[[],{}]})j", nullptr);
  ASSERT_TRUE(config);
  EXPECT_EQ(config->dump(), R"j({"cvs":{"cv29":"6","cv1":1},"options":{"cv29":true},"rows":[[],{}]})j");
  // An error message quotes no more than an excerpt of a huge token.
  std::string error;
  EXPECT_FALSE(ParseConfiguration("{\"" + std::string(4 << 20, 'x') + "\":1,\"" + std::string(4 << 20, 'x') + "\":2}", &error));
  EXPECT_LT(error.size(), 300u) << error.substr(0, 300);
}

}  // namespace
}  // namespace korrin::cli
