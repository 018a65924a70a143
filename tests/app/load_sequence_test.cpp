// The load sequence of the document on the HEX fixtures: what the window shows afterwards
// (status panels, header, rows, colours, frame, save button) and the questions it asks.
#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/document.h"
#include "base/text_encoding.h"
#include "decoders/catalogue.h"
#include "image/text_file.h"
#include "recording_dialogs.h"

namespace korrin {
namespace {

using testing::RecordingDialogs;
using testing::ScriptedFileDialogs;

std::string Fixture(const std::string& name) { return std::string(KORRIN_FIXTURES) + "/" + name; }

struct Loaded {
  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  Document doc{dialogs, files};
  LoadResult result = LoadResult::NoFile;
  explicit Loaded(const std::string& name, std::deque<Answer> script = {}) {
    dialogs.script = std::move(script);
    result = doc.LoadHexFile(Fixture(name));
  }
};

std::filesystem::path TempFile(const std::string& name, const std::string& content) {
  auto dir = std::filesystem::temp_directory_path() / "korrin_load_sequence_test";
  std::filesystem::create_directories(dir);
  auto path = dir / name;
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

TEST(LoadSequence, MotorolaSwitchingTypeIsPresented) {
  Loaded l("mot_switching.hex");
  ASSERT_EQ(l.result, LoadResult::Loaded);
  EXPECT_TRUE(l.dialogs.messages.empty());
  const Document& d = l.doc;
  EXPECT_EQ(d.statusPanels[0], "ID: 5");
  EXPECT_EQ(d.statusPanels[1], "V 3.26");
  EXPECT_EQ(d.statusPanels[2], "Mot");
  EXPECT_EQ(d.statusPanels[3], Fixture("mot_switching.hex") + " (12F629/16F630)");
  EXPECT_EQ(d.LastFileName, Fixture("mot_switching.hex"));
  EXPECT_EQ(d.headerText, "Tollet");
  EXPECT_TRUE(d.layout.headerVisible);
  EXPECT_EQ(d.HelpPage, HelpPageOf(*FindDecoderType(8)));
  EXPECT_EQ(d.DecoderIdentifier, 8);
  EXPECT_EQ(d.image.PIC, 629);
  EXPECT_EQ(d.image.Config[0], "8431");
  EXPECT_NEAR(d.image.Version, 3.26f, 1e-6);
  EXPECT_EQ(d.layout.frameKind, FrameKind::Options);
  EXPECT_TRUE(d.saveEnabled);
  EXPECT_EQ(d.progress, 0);
  EXPECT_FALSE(d.focus.has_value());

  EXPECT_EQ(d.rows[1].caption, "Weiche");
  EXPECT_EQ(d.rows[1].addressText, "1");
  EXPECT_EQ(d.RowColourOf(1), Document::RowColour::Green);
  EXPECT_EQ(d.rows[2].caption, "Licht");
  EXPECT_EQ(d.rows[2].addressText, "320");
  EXPECT_EQ(d.RowColourOf(2), Document::RowColour::Red);
  for (int r : {1, 2}) {
    EXPECT_TRUE(d.rows[r].captionVisible && d.rows[r].addressVisible && d.rows[r].rgVisible) << r;
    EXPECT_FALSE(d.rows[r].functionVisible) << r;
    EXPECT_EQ(d.rows[r].addressHint, AddressHint(320)) << r;
  }
  for (int r : {0, 3, 31, 47}) {
    EXPECT_FALSE(d.rows[r].captionVisible || d.rows[r].addressVisible || d.rows[r].rgVisible) << r;
  }
}

TEST(LoadSequence, RowAddressesOfEachFamily) {
  struct Row {
    int row;
    const char* caption;
    const char* address;
    const char* function;  // nullptr for switching rows
    bool green;
  };
  struct Case {
    const char* file;
    const char* protocol;
    FrameKind frame;
    std::vector<Row> rows;
  };
  const Case cases[] = {
      {"dcc_switching.hex", "DCC", FrameKind::Options,
       {{1, "Ausgang / Out 1", "1", nullptr, false},
        {2, "Ausgang / Out 2", "2", nullptr, true},
        {3, "Ausgang / Out 3", "0", nullptr, false},
        {4, "Ausgang / Out 4", "2044", nullptr, true},
        {9, "All", "5", nullptr, true}}},
      {"mot_function.hex", "Mot", FrameKind::Options,
       {{1, "Ausgang / Out 1", "1", "1", false},
        {2, "Ausgang / Out 2", "255", "4", false},
        {3, "Ausgang / Out 3", "80", "2", false},
        {4, "Ausgang / Out 4", "80", "3", false}}},
      {"dcc_function.hex", "DCC", FrameKind::Options,
       {{1, "Ausgang / Out 1", "272", "3", false},
        {2, "Ausgang / Out 2", "3", "1", false},
        {3, "Ausgang / Out 3", "128", "12", false},
        {4, "Ausgang / Out 4", "300", "5", false},
        {5, "Ausgang / Out 5", "127", "2", false},
        {6, "Ausgang / Out 6", "16128", "7", false},
        {7, "Ausgang / Out 7", "0", "4", false},
        {9, "Ausgang / Out 9 (FL)", "2000", "9", false}}},
      {"turntable48.hex", "Mot", FrameKind::None,
       {{4, "Licht", "4", nullptr, true},
        {5, "Step", "5", nullptr, false},
        {16, "Position9", "16", nullptr, true},
        {30, "Position23", "30", nullptr, true},
        {31, "Position24", "16", nullptr, true}}},
      {"id257.hex", "Mot", FrameKind::Blink,
       {{1, "Muster 1", "7", nullptr, true}, {4, "Muster 4", "10", nullptr, false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Loaded l(c.file);
    ASSERT_EQ(l.result, LoadResult::Loaded);
    EXPECT_TRUE(l.dialogs.messages.empty());
    EXPECT_EQ(l.doc.statusPanels[2], c.protocol);
    EXPECT_EQ(l.doc.layout.frameKind, c.frame);
    for (const Row& r : c.rows) {
      SCOPED_TRACE(r.row);
      const AddressRow& row = l.doc.rows[r.row];
      EXPECT_EQ(row.caption, r.caption);
      EXPECT_EQ(row.addressText, r.address);
      if (r.function) {
        EXPECT_EQ(row.functionText, r.function);
        EXPECT_TRUE(row.functionVisible);
        EXPECT_FALSE(row.rgVisible);
        EXPECT_EQ(l.doc.RowColourOf(r.row), Document::RowColour::White);
      } else {
        EXPECT_TRUE(row.rgVisible);
        EXPECT_FALSE(row.functionVisible);
        EXPECT_EQ(l.doc.RowColourOf(r.row),
                  r.green ? Document::RowColour::Green : Document::RowColour::Red);
      }
    }
  }
}

TEST(LoadSequence, TurntableIsFoundByWord137AndUsesTwoColumns) {
  Loaded l("turntable48.hex");
  ASSERT_EQ(l.result, LoadResult::Loaded);
  EXPECT_EQ(l.doc.DecoderIdentifier, kTurntable48Identifier);
  EXPECT_EQ(l.doc.identification.IdentifierBytes, (std::array<int32_t, 3>{0, 0, 0}));
  EXPECT_EQ(l.doc.headerText, "Drehscheibe 48 Position");
  EXPECT_FALSE(l.doc.layout.headerVisible);
  EXPECT_EQ(l.doc.statusPanels[3], Fixture("turntable48.hex") + " (16F676)");
}

TEST(LoadSequence, Identifier257BecomesOne) {
  Loaded l("id257.hex");
  ASSERT_EQ(l.result, LoadResult::Loaded);
  EXPECT_EQ(l.doc.DecoderIdentifier, 1);
  EXPECT_EQ(l.doc.identification.DecoderIdentifier, 257);
  EXPECT_EQ(l.doc.identification.IdentifierBytes, (std::array<int32_t, 3>{1, 1, 0}));
  EXPECT_EQ(l.doc.headerText, "Pandor - Blinkmuster");
}

TEST(LoadSequence, CvTypeOf16F18324HasNoRows) {
  Loaded l("fenwik_18324.hex");
  ASSERT_EQ(l.result, LoadResult::Loaded);
  EXPECT_TRUE(l.dialogs.messages.empty());
  const Document& d = l.doc;
  EXPECT_EQ(d.DecoderIdentifier, 0x14B00);
  EXPECT_TRUE(d.Is_Mot);
  EXPECT_TRUE(d.Is_DCC);  // set by the catalogue for the CV types
  EXPECT_TRUE(d.CV_Mode);
  EXPECT_EQ(d.statusPanels[0], "ID: 01");
  EXPECT_EQ(d.statusPanels[1], "V 0.26");
  EXPECT_EQ(d.statusPanels[2], "Mot");
  EXPECT_EQ(d.statusPanels[3], Fixture("fenwik_18324.hex") + " (16F18324)");
  EXPECT_EQ(d.image.Config, (std::array<std::string, 4>{"8C17", "3C25", "FF1F", "FF3F"}));
  EXPECT_EQ(d.layout.frameKind, FrameKind::Cv);
  EXPECT_TRUE(d.saveEnabled);
  for (int r = 0; r < kAddressRowCount; ++r) EXPECT_FALSE(d.rows[r].shown()) << r;
}

TEST(LoadSequence, RowWithoutValidCodeIsWarnedAboutAndLeftEmpty) {
  Loaded l("dcc_switching_bad_row.hex");
  ASSERT_EQ(l.result, LoadResult::Loaded);
  ASSERT_EQ(l.dialogs.messages.size(), 1u);
  EXPECT_EQ(l.dialogs.messages[0].kind, BoxKind::Warning);
  EXPECT_EQ(l.dialogs.messages[0].buttons, Buttons::Cancel);
  EXPECT_EQ(l.dialogs.messages[0].text, "Ungültige Adresse für <Ausgang / Out 3> mit 0xFFFFFF");
  EXPECT_EQ(l.doc.rows[3].addressText, "");
  EXPECT_EQ(l.doc.rows[2].addressText, "2");
  EXPECT_EQ(l.doc.rows[4].addressText, "2044");
  EXPECT_EQ(l.doc.focus, (RowFocus{3, RowEdit::Address}));
  EXPECT_TRUE(l.doc.saveEnabled);
}

TEST(LoadSequence, CatalogueStepMessagesComeBeforeTheLoadQuestions) {
  {
    // Location checks in the order ID, CONFIG, EEPROM; the type is a CV type, so no
    // recognition failure follows, and ID and configuration were found.
    Loaded l("fenwik_midrange_records.hex");
    ASSERT_EQ(l.result, LoadResult::Loaded);
    const std::vector<std::string> expected = {
        "Das HEX-File wurde dem 16F18324 zugeordnet, die ID liegt aber nicht bei 0x8000 (0x2000)",
        "Das HEX-File wurde dem 16F18324 zugeordnet, CONFIG liegt aber nicht bei 0x8007 (0x2007)",
        "Das HEX-File wurde dem 16F18324 zugeordnet, EEPROM liegt aber nicht bei 0xF000 (0x2100)"};
    EXPECT_EQ(l.dialogs.texts(), expected);
    for (const auto& m : l.dialogs.messages) {
      EXPECT_EQ(m.kind, BoxKind::Error);
      EXPECT_EQ(m.buttons, Buttons::Ok);
    }
  }
  {
    // Unrecognised: the failure box, then the question about the PIC.
    Loaded l("unrecognised.hex", {Answer::Ok, Answer::Ignore});
    ASSERT_EQ(l.result, LoadResult::Loaded);
    ASSERT_EQ(l.dialogs.messages.size(), 2u);
    EXPECT_EQ(l.dialogs.messages[0].text,
              "Das HEX-File konnte leider nicht erkannt werden: Identifier 5649426 (18/52/86)");
    EXPECT_EQ(l.dialogs.messages[0].kind, BoxKind::Error);
    EXPECT_EQ(l.dialogs.messages[1].text, "Es konnte das HEX File keinem PIC zugeordnet werden.");
    EXPECT_EQ(l.dialogs.messages[1].kind, BoxKind::Warning);
    EXPECT_EQ(l.dialogs.messages[1].buttons, Buttons::CancelIgnore);
    EXPECT_EQ(l.doc.HelpPage, kProgramHelpPage);
    EXPECT_EQ(l.doc.layout.frameKind, FrameKind::None);
    EXPECT_TRUE(l.doc.saveEnabled);
  }
}

TEST(LoadSequence, QuestionsAboutMissingIdAndConfiguration) {
  const std::string kId = "In dem HEX-File wurde kein Wert für die ID gefunden.";
  const std::string kConfig = "In dem HEX-File wurde kein Config-Wert gefunden. Standard-Wert erzeugen?";
  const std::string kIdLocation =
      "Das HEX-File wurde dem 12f629/16f630/16f684/16f688 zugeordnet, die ID liegt aber nicht bei 0x2000 (0x0)";
  const std::string kConfigLocation =
      "Das HEX-File wurde dem 12f629/16f630/16f684/16f688 zugeordnet, CONFIG liegt aber nicht bei 0x2007 (0x0)";
  {
    // Cancel at the ID question ends the load: no configuration question, save stays off.
    Loaded l("no_id_no_config.hex", {Answer::Ok, Answer::Ok, Answer::Cancel});
    EXPECT_EQ(l.result, LoadResult::Cancelled);
    EXPECT_EQ(l.dialogs.texts(), (std::vector<std::string>{kIdLocation, kConfigLocation, kId}));
    EXPECT_EQ(l.dialogs.messages[2].buttons, Buttons::CancelIgnore);
    EXPECT_FALSE(l.doc.saveEnabled);
    EXPECT_EQ(l.doc.rows[1].addressText, "");  // rows not decoded
  }
  {
    // Ignore, then Yes: the PIC's default configuration words.
    Loaded l("no_id_no_config.hex", {Answer::Ok, Answer::Ok, Answer::Ignore, Answer::Yes});
    EXPECT_EQ(l.result, LoadResult::Loaded);
    EXPECT_EQ(l.dialogs.texts(), (std::vector<std::string>{kIdLocation, kConfigLocation, kId, kConfig}));
    EXPECT_EQ(l.dialogs.messages[3].buttons, Buttons::YesIgnore);
    EXPECT_EQ(l.doc.image.Config, (std::array<std::string, 4>{"CC01", "", "", ""}));
    EXPECT_TRUE(l.doc.saveEnabled);
    EXPECT_EQ(l.doc.rows[1].addressText, "0");  // erased Motorola cells: address 0, green
    EXPECT_EQ(l.doc.RowColourOf(1), Document::RowColour::Green);
  }
  {
    // Ignore to the configuration question: all four words "0000".
    Loaded l("no_id_no_config.hex", {Answer::Ok, Answer::Ok, Answer::Ignore, Answer::Ignore});
    EXPECT_EQ(l.result, LoadResult::Loaded);
    EXPECT_EQ(l.doc.image.Config, (std::array<std::string, 4>{"0000", "0000", "0000", "0000"}));
  }
  {
    // A 16F18324 type gets its four default words, each from its own default.
    Loaded l("grosk_18324_no_config.hex", {Answer::Ok, Answer::Yes});
    EXPECT_EQ(l.result, LoadResult::Loaded);
    EXPECT_EQ(l.dialogs.texts().back(), kConfig);
    EXPECT_EQ(l.doc.image.Config, (std::array<std::string, 4>{"8C17", "3C25", "FF1F", "FF3F"}));
  }
  {
    // Cancel at the PIC question of an unrecognised file ends the load.
    Loaded l("unrecognised.hex", {Answer::Ok, Answer::Cancel});
    EXPECT_EQ(l.result, LoadResult::Cancelled);
    EXPECT_EQ(l.dialogs.messages.size(), 2u);
    EXPECT_FALSE(l.doc.saveEnabled);
  }
}

TEST(LoadSequence, ReaderErrorAndUnreadableFileLeaveSaveAsItWas) {
  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  Document doc(dialogs, files);

  auto text = TempFile("not_hex.txt", "Dies ist keine HEX-Datei\r\n");
  EXPECT_EQ(doc.LoadHexFile(text.string()), LoadResult::ReaderError);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text.rfind("E206: Unerwartete Zeile im File:\nDIES IST KEINE HEX-DATEI", 0), 0u);
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Information);
  EXPECT_FALSE(doc.saveEnabled);
  EXPECT_EQ(doc.statusPanels[3], text.string());

  // A file that cannot be read changes nothing and reports the reason.
  dialogs.clear();
  const std::string before = doc.statusPanels[3];
  EXPECT_EQ(doc.LoadHexFile(Fixture("there_is_no_such_file.hex")), LoadResult::NotRead);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Error);
  EXPECT_FALSE(dialogs.messages[0].text.empty());
  EXPECT_EQ(doc.statusPanels[3], before);

  EXPECT_EQ(doc.LoadHexFile(""), LoadResult::NoFile);
}

// A load that ends early leaves an image that no longer belongs to what the window shows:
// after a reader error it holds the new file only up to the failing line (the rest erased),
// after a Cancel the rows still hold the previous file's addresses. Saving it would write a
// damaged firmware, preset to the new file's own name. So such a load must leave saving off,
// also when the file before had been loaded completely.
TEST(LoadSequence, LoadEndedEarlyAfterAGoodLoadDisablesSave) {
  auto partial = TempFile("partial.hex", ":020000040000FA\r\n:1000000008300030003083168501831207309900D4\r\n"
                                         "keine HEX-Zeile\r\n:00000001FF\r\n");
  struct Case {
    std::string path;
    std::deque<Answer> script;
    LoadResult result;
  };
  const Case cases[] = {
      {partial.string(), {}, LoadResult::ReaderError},
      // The record addresses of the file before stay, so only the ID question comes: Cancel.
      {Fixture("no_id_no_config.hex"), {Answer::Cancel}, LoadResult::Cancelled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    RecordingDialogs dialogs;
    ScriptedFileDialogs files;
    Document doc(dialogs, files);
    ASSERT_EQ(doc.LoadHexFile(Fixture("mot_function.hex")), LoadResult::Loaded);
    ASSERT_TRUE(doc.saveEnabled);
    dialogs.script = c.script;
    EXPECT_EQ(doc.LoadHexFile(c.path), c.result);
    EXPECT_FALSE(doc.saveEnabled);
  }
}

TEST(LoadSequence, ProgressRunsOverTheRowsAndEndsAtZero) {
  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  Document doc(dialogs, files);
  std::vector<int> seen;
  doc.onProgress = [&seen](int v) { seen.push_back(v); };
  ASSERT_EQ(doc.LoadHexFile(Fixture("mot_switching.hex")), LoadResult::Loaded);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), -1);
  EXPECT_EQ(seen.back(), 0);
  EXPECT_EQ(doc.progress, 0);
}

// Damaged and hostile files through the whole load (and, where it loads, the save): what the
// user is told, how the load ends, and that nothing is written where nothing may be.
TEST(LoadSequence, HostileFilesEndTheLoadWithBoundedValidMessages) {
  struct Case {
    const char* name;
    std::string content;
    LoadResult result;
    size_t boxes;
    const char* lastBoxStart;
    const char* countingBox;  // the eleventh box, which counts the repeats not shown
  };
  const std::string manyLines(60000, '\n');  // empty lines: the load passes over them
  // Three records at the last EEPROM word, each with 126 words beyond it: one range message
  // per word, ten of them shown.
  std::string eepromPastEnd;
  for (int line = 0; line < 3; ++line) eepromPastEnd += ":FF43FE00" + std::string(510, '1') + "00\r\n";
  std::string binary;
  for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
  const Case cases[] = {
      // 1024 kept lines, ten range boxes, one box for the other 58966, the read of index 1024,
      // and the reader's refusal of its "error" text.
      {"many_lines.hex", manyLines, LoadResult::ReaderError, 13, "E206: Unerwartete Zeile im File:\nerror",
       "Error: schreiben HexString Bereichsüberschreitung (1034 bis 59999) in set_HexString: 58966 weitere Zeilen "
       "übersprungen"},
      // Ten range boxes, the count of the other 368, then the load goes on: the file is not
      // recognised, and Cancel to the PIC question ends it.
      {"eeprom_past_end.hex", eepromPastEnd, LoadResult::Cancelled, 13,
       "Es konnte das HEX File keinem PIC zugeordnet werden.", "368 weitere gleichartige Meldungen übersprungen"},
      {"binary.hex", binary, LoadResult::ReaderError, 1, "E206: Unerwartete Zeile im File:\n", nullptr},
      {"latin1.hex", ":0200000\xE4" "AABB00\r\n", LoadResult::ReaderError, 1,
       "E206: Unerwartete Zeile im File:\n:0200000\xC3\xA4" "AABB00", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingDialogs dialogs;
    ScriptedFileDialogs files;
    Document doc(dialogs, files);
    const auto path = TempFile(c.name, c.content);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(doc.LoadHexFile(path.string()), c.result);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
    ASSERT_EQ(dialogs.messages.size(), c.boxes) << ::testing::PrintToString(dialogs.texts());
    EXPECT_EQ(dialogs.messages.back().text.rfind(c.lastBoxStart, 0), 0u) << dialogs.messages.back().text;
    if (c.countingBox) {
      EXPECT_EQ(dialogs.messages[10].text, c.countingBox);
      EXPECT_EQ(dialogs.messages[10].kind, BoxKind::Warning);
    }
    for (const auto& m : dialogs.messages) EXPECT_TRUE(IsValidUtf8(m.text)) << m.text;
    for (const auto& panel : doc.statusPanels) EXPECT_TRUE(IsValidUtf8(panel)) << panel;
    EXPECT_FALSE(doc.saveEnabled);
  }
}

// A program record that starts in the last program word and runs past it loads without a
// message; the save must then write a file that reads back (before, every save of it was
// refused by the check of the written file).
TEST(LoadSequence, FileWithARecordPastTheEndOfProgramMemorySavesAndReadsBack) {
  auto lines = ReadTextLines(Fixture("mot_switching.hex"));
  ASSERT_TRUE(lines);
  std::string text;
  for (const auto& line : *lines) {
    if (line == ":00000001FF") text += ":021FFF000000E0\r\n";
    text += line + "\r\n";
  }
  const auto path = TempFile("past_program_end.hex", text);
  const auto out = path.parent_path() / "past_program_end_saved.hex";
  std::filesystem::remove(out);

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  Document doc(dialogs, files);
  ASSERT_EQ(doc.LoadHexFile(path.string()), LoadResult::Loaded);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(doc.image.Max_ROM_Index, 0x2000);

  files.saveAnswers = {out.string()};
  EXPECT_EQ(doc.SaveHexFile(), SaveResult::Saved);
  EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text;
  ASSERT_TRUE(std::filesystem::exists(out));

  RecordingDialogs again;
  ScriptedFileDialogs noFiles;
  Document reloaded(again, noFiles);
  ASSERT_EQ(reloaded.LoadHexFile(out.string()), LoadResult::Loaded);
  EXPECT_TRUE(again.messages.empty());
  EXPECT_EQ(reloaded.image.Hex_ROM, doc.image.Hex_ROM);
  EXPECT_EQ(reloaded.image.Max_ROM_Index, 0x2000);
}

// Loading and saving under the German locale (decimal comma) gives the same texts, version
// and file as under the C locale.
TEST(LoadSequence, LoadAndSaveDoNotDependOnTheLocale) {
  auto run = [](const std::string& outName) {
    RecordingDialogs dialogs;
    ScriptedFileDialogs files;
    Document doc(dialogs, files);
    EXPECT_EQ(doc.LoadHexFile(Fixture("mot_switching.hex")), LoadResult::Loaded);
    const auto out = std::filesystem::temp_directory_path() / "korrin_load_sequence_test" / outName;
    files.saveAnswers = {out.string()};
    EXPECT_EQ(doc.SaveHexFile(), SaveResult::Saved);
    std::ifstream in(out, std::ios::binary);
    std::ostringstream written;
    written << in.rdbuf();
    return std::make_tuple(doc.statusPanels[1], doc.image.Version, written.str());
  };
  const auto inC = run("locale_c.hex");
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 not installed (scripts/bootstrap)";
  const auto inGerman = run("locale_de.hex");
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(std::get<0>(inGerman), "V 3.26");
  EXPECT_EQ(inGerman, inC);
}

}  // namespace
}  // namespace korrin
