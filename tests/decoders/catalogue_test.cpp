// The registry of decoder types: the rules every row must keep, and a few rows of each editor
// kind checked against the published type list, chosen where a slip in a row would show (blanks
// and umlauts in titles and captions, numbered and repeated caption runs, two identifiers, gaps,
// two columns, types without rows).
#include "decoders/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include <unistd.h>

#include "decoders/catalogue_help.h"
#include "decoders/decoder_types.h"

namespace korrin {
namespace {

std::map<int, std::string> CaptionedRows(const DecoderType& type) {
  std::map<int, std::string> rows;
  const std::vector<std::string> captions = RowCaptions(&type);
  for (size_t r = 0; r < captions.size(); ++r)
    if (!captions[r].empty()) rows[static_cast<int>(r)] = captions[r];
  return rows;
}

TEST(DecoderTypes, EveryIdentifierHasExactlyOneRow) {
  std::set<int32_t> known;
  size_t rows = 0;
  for (const DecoderType& type : DecoderTypes()) {
    ++rows;
    for (int32_t identifier : type.identifiers()) {
      EXPECT_TRUE(known.insert(identifier).second) << "identifier " << identifier << " twice";
      EXPECT_EQ(FindDecoderType(identifier), &type) << identifier;
    }
  }
  EXPECT_EQ(rows, 88u);
  EXPECT_EQ(known.size(), 91u);
  for (int32_t unknown : {0, -1, 12, 0x100, 0x102, 258, 0x4401, 0x1E8FF, 0x7FFFFFFF}) {
    EXPECT_EQ(FindDecoderType(unknown), nullptr) << unknown;
  }
}

TEST(DecoderTypes, EveryRowNamesAKnownPic) {
  for (const DecoderType& type : DecoderTypes()) {
    SCOPED_TRACE(std::string(type.title));
    const PicType* pic = type.picType();
    ASSERT_NE(pic, nullptr) << type.pic;
    EXPECT_EQ(pic->pic, type.pic);
    EXPECT_NE(std::string(pic->name), "");
    ASSERT_NE(pic->memory, nullptr);
  }
  for (int32_t unknown : {0, 1, 630 + 1, 16000, 18325}) EXPECT_EQ(FindPicType(unknown), nullptr) << unknown;
}

TEST(DecoderTypes, CaptionRunsExpandToTheRowsTheyName) {
  int numberedRuns = 0, repeatedRuns = 0;
  for (const DecoderType& type : DecoderTypes()) {
    SCOPED_TRACE(std::string(type.title));
    const std::map<int, std::string> captioned = CaptionedRows(type);
    // Runs that overlapped or left a row out would change this count.
    EXPECT_EQ(static_cast<int>(captioned.size()), type.captions.rowCount());
    for (const auto& [row, caption] : captioned) {
      EXPECT_GE(row, kFirstCaptionRow);
      EXPECT_LE(row, kLastCaptionRow);
    }
    for (const CaptionRun& run : type.captions.runs()) {
      EXPECT_GE(run.count, 1);
      for (int k = 0; k < run.count; ++k) {
        const std::string& caption = captioned.at(run.row + k);
        if (run.numbered) {
          const std::string number = std::to_string(run.from + k);
          const std::string padded =
              std::string(static_cast<size_t>(std::max(0, run.digits - static_cast<int>(number.size()))), '0') + number;
          EXPECT_EQ(caption, std::string(run.text) + padded);
        } else {
          EXPECT_EQ(caption, run.text);
        }
      }
      numberedRuns += run.numbered && run.count > 1 ? 1 : 0;
      repeatedRuns += !run.numbered && run.count > 1 ? 1 : 0;
    }
    // A type without captioned rows must be recognised some other way, or every load of it
    // would end in the recognition failure box.
    if (captioned.empty()) EXPECT_TRUE(type.recognisedWithoutRows || type.mode == RowMode::CV);
  }
  EXPECT_GT(numberedRuns, 0);
  EXPECT_GT(repeatedRuns, 0);
}

TEST(DecoderTypes, EveryRowHasItsOwnHelpPage) {
  std::set<std::string> pages;
  for (const DecoderType& type : DecoderTypes()) {
    const std::string page = HelpPageOf(type);
    EXPECT_EQ(page, std::string(kHelpFolder) + "/" + HelpFileName(type.identifiers().front()));
    EXPECT_TRUE(pages.insert(page).second) << page;
  }
  EXPECT_EQ(HelpFileName(8), "typ-0x0008.html");
  EXPECT_EQ(HelpFileName(0x17E800), "typ-0x17E800.html");
}

TEST(DecoderTypes, RowCaptionsWithoutATypeAreEmpty) {
  const auto none = RowCaptions(nullptr);
  ASSERT_EQ(none.size(), 48u);
  for (const auto& caption : none) EXPECT_EQ(caption, "");
}

// A few rows of each editor kind as the published type list gives them. Captions: the full
// set where it is short, otherwise its size and the rows where a run starts, ends or repeats.
struct ListedType {
  int32_t identifier;
  int32_t alsoIdentifier;  // 0: none
  const char* title;
  int32_t pic;
  RowMode mode;
  size_t captionCount;
  std::map<int, std::string> someCaptions;
  int perColumn;
  int gapRow;
  FrameKind frame;
};

const ListedType kListedTypes[] = {
    // no editor
    {12543, 0, "Drehscheibe 48 Position", 676, RowMode::RG, 28,
     {{4, "Licht"}, {6, "Turn (180\xC2\xB0)"}, {7, "Drehrichtung"}, {8, "Position1"}, {31, "Position24"}},
     15, 0, FrameKind::None},
    {1566720, 0, "Drehscheibe 24 Position", 676, RowMode::RG, 16,
     {{5, "Step"}, {8, "Position1"}, {19, "Position12"}}, 7, 0, FrameKind::None},
    {16384, 0, "Pandor - F-Dekoder Neon ab V0.37", 629, RowMode::None, 2, {{1, "Ein"}, {2, "Hell-Dunkel"}},
     kOneColumn, 0, FrameKind::None},
    {233, 0, "LED-Dekoder - Signal 022 - Belgien", 684, RowMode::RG, 16, {{1, " "}, {8, " "}, {16, " "}},
     kOneColumn, 8, FrameKind::None},
    {209, 0, "LED-Dekoder - Signal 010 - Signal SNCF", 684, RowMode::RG, 14,
     {{1, "C - Stop Carr\xC3\xA9"}, {3, "(S) - red flash."}, {14, "60 (RR) - remember"}}, kOneColumn, 0,
     FrameKind::None},
    {232, 0, "LED-Dekoder - Signal 021 - Vorsignal mit fahrstrassenabh\xC3\xA4ngigen Zusatzsignalen", 684,
     RowMode::RG, 14, {{3, "Vr2 bei Weg 2"}, {9, "Dunkel EIN"}, {12, "Dunkel EIN"}, {13, "Dunkel AUS"}, {14, "Dunkel AUS"}},
     kOneColumn, 8, FrameKind::None},
    // options
    {520, 0, "Tollet  ab V3.51", 629, RowMode::RG, 2, {{1, "Weiche"}, {2, "Licht"}}, kOneColumn, 0,
     FrameKind::Options},
    {10, 0, "Pandor", 629, RowMode::RG, 2, {{1, "Weiche 1"}, {2, "Weiche 2"}}, kOneColumn, 0, FrameKind::Options},
    {105, 0, "Relaisdekoder 8", 684, RowMode::RG, 9,
     {{1, "Ausgang / Out 1"}, {8, "Ausgang / Out 8"}, {9, "All"}}, kOneColumn, 8, FrameKind::Options},
    {365, 0, "LED-Dekoder - Signal SBB ab V3.59", 684, RowMode::RG, 10,
     {{1, "HALT"}, {4, "FB 3"}, {5, "Warnung"}, {6, "FB 1"}, {9, "Out 5"}, {10, "Out 6"}}, kOneColumn, 0,
     FrameKind::Options},
    {203, 0, "LED-Dekoder - Signal 003 - \xC3\x96" "BB", 684, RowMode::RG, 14,
     {{1, "Signal 1: Halt"}, {7, "Signal 1: Ersatz-Signal"}, {14, "Signal 2: Ersatz-Signal"}}, kOneColumn, 7,
     FrameKind::Options},
    {359, 0, "LED-Dekoder - Ampel V3.40", 684, RowMode::RG, 4,
     {{1, "Auto"}, {2, "Nacht"}, {3, "Gr\xC3\xBCn"}, {4, "Rot"}}, kOneColumn, 2, FrameKind::Options},
    {2769152, 2834688, "Pandor/Fenwik - F-Dekoder Neon ab V0.60", 629, RowMode::Fn, 5,
     {{3, "Ausgang / Out 3 (FL)"}, {4, "Ausgang / Out 4"}, {5, "Hell-Dunkel"}}, kOneColumn, 0,
     FrameKind::Options},
    {81408, 0, "LED-Dekoder - F-Dekoder Schalten ab V0.60", 684, RowMode::Fn, 10,
     {{8, "Ausgang / Out 8"}, {9, "Ausgang / Out 9 (FL)"}, {10, "Ausgang / Out 10"}}, kOneColumn, 0,
     FrameKind::Options},
    // blink patterns
    {1, 257, "Pandor - Blinkmuster", 684, RowMode::RG, 4, {{1, "Muster 1"}, {4, "Muster 4"}}, kOneColumn, 0,
     FrameKind::Blink},
    // LED blink patterns
    {221, 0, "LED - Blinkmuster bis V3.59", 684, RowMode::RG, 4, {{2, "Muster 2"}}, kOneColumn, 0,
     FrameKind::LedBlink},
    {477, 0, "LED - Blinkmuster ab V3.60", 684, RowMode::RG, 4, {{3, "Muster 3"}}, kOneColumn, 0,
     FrameKind::LedBlink},
    // servo
    {211, 0, "Tamb-4 Servo-Dekoder", 684, RowMode::RG, 8, {{1, "Adresse 01"}, {8, "Adresse 08"}}, 4, 0,
     FrameKind::Servo},
    {32210, 0, "Tambel V2 Servo-Dekoder ab V3.73", 684, RowMode::RG, 4, {{1, "Adresse 01"}, {4, "Adresse 04"}}, 2, 0,
     FrameKind::Servo},
    {16896, 0, "Tambel Servo-Dekoder (F-Dekoder)", 684, RowMode::Fn, 2, {{1, "Adresse 01"}, {2, "Adresse 02"}}, 4, 0,
     FrameKind::Servo},
    // CV registers
    {17408, 0, "F-Dekoder mit CV", 688, RowMode::Fn, 0, {}, kOneColumn, 0, FrameKind::Cv},
    {86016, 0, "Grosk 16F18324", 18324, RowMode::CV, 0, {}, kOneColumn, 0, FrameKind::Cv},
};

TEST(DecoderTypes, RowsMatchThePublishedList) {
  for (const ListedType& want : kListedTypes) {
    SCOPED_TRACE(want.title);
    const DecoderType* type = FindDecoderType(want.identifier);
    ASSERT_NE(type, nullptr);
    const auto ids = type->identifiers();
    const std::vector<int32_t> wantIds = want.alsoIdentifier ? std::vector<int32_t>{want.identifier, want.alsoIdentifier}
                                                             : std::vector<int32_t>{want.identifier};
    EXPECT_EQ(std::vector<int32_t>(ids.begin(), ids.end()), wantIds);
    EXPECT_EQ(type->title, want.title);
    EXPECT_EQ(type->pic, want.pic);
    EXPECT_EQ(type->mode, want.mode);
    const std::map<int, std::string> captioned = CaptionedRows(*type);
    EXPECT_EQ(captioned.size(), want.captionCount);
    for (const auto& [row, caption] : want.someCaptions) {
      ASSERT_TRUE(captioned.count(row)) << "row " << row;
      EXPECT_EQ(captioned.at(row), caption) << "row " << row;
    }
    EXPECT_EQ(type->perColumn, want.perColumn);
    EXPECT_EQ(type->gapRow, want.gapRow);
    EXPECT_EQ(type->frameKind(), want.frame);
    EXPECT_EQ(type->recognisedWithoutRows, want.identifier == 17408);
  }
}

TEST(PicTypes, TheRowsOfThePicTable) {
  struct Case {
    int32_t pic;
    const char* status;
    std::array<const char*, 4> config;
    int32_t id, configWord, eeprom;
    bool checked;
  };
  const Case cases[] = {
      {629, " (12F629/16F630)", {"CC01", "", "", ""}, 0x2000, 0x2007, 0x2100, true},
      {676, " (16F676)", {"CC01", "", "", ""}, 0x2000, 0x2007, 0x2100, false},
      {684, " (16F684)", {"CC33", "", "", ""}, 0x2000, 0x2007, 0x2100, true},
      {688, " (16F688)", {"CC33", "", "", ""}, 0x2000, 0x2007, 0x2100, true},
      {18324, " (16F18324)", {"8C17", "3C25", "FF1F", "FF3F"}, 0x8000, 0x8007, 0xF000, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pic);
    const PicType* pic = FindPicType(c.pic);
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(" (" + std::string(pic->name) + ")", c.status);
    for (size_t k = 0; k < 4; ++k) EXPECT_EQ(std::string(pic->configDefault[k] ? pic->configDefault[k] : ""), c.config[k]);
    EXPECT_EQ(pic->memory->idWord, c.id);
    EXPECT_EQ(pic->memory->configWord, c.configWord);
    EXPECT_EQ(pic->memory->eepromWord, c.eeprom);
    EXPECT_EQ(pic->checksLocations, c.checked);
  }
}

TEST(CatalogueRules, ModesIsDccAndIdentifierRewrite) {
  struct Case {
    RowMode mode;
    bool rg, fn, cv;
  };
  for (const Case& c : {Case{RowMode::RG, true, false, false}, Case{RowMode::Fn, false, true, false},
                        Case{RowMode::CV, false, false, true},
                        Case{RowMode::None, false, false, false}}) {
    const CatalogueModes modes = ModesFor(c.mode);
    EXPECT_EQ(modes.RG_Mode, c.rg);
    EXPECT_EQ(modes.Fn_Mode, c.fn);
    EXPECT_EQ(modes.CV_Mode, c.cv);
  }

  std::set<int32_t> setsDcc;
  for (const DecoderType& entry : DecoderTypes()) {
    if (EntrySetsIsDcc(entry)) setsDcc.insert(entry.identifiers().front());
  }
  EXPECT_EQ(setsDcc, (std::set<int32_t>{84736, 86016}));

  EXPECT_EQ(IdentifierAfterCatalogue(257), 1);
  EXPECT_EQ(IdentifierAfterCatalogue(1), 1);
  EXPECT_EQ(IdentifierAfterCatalogue(8), 8);
  EXPECT_EQ(IdentifierAfterCatalogue(0), 0);
  EXPECT_EQ(IdentifierAfterCatalogue(0x1101), 0x1101);
}

TEST(CatalogueRules, LimitsFollowTheProtocolAndMode) {
  const InputLimits previous{1234, 7};
  struct Case {
    bool isMot, isDcc, rg;
    int32_t maxAddress, maxFunction;
  };
  const Case cases[] = {
      {true, false, true, 320, 4},    {true, false, false, 320, 4},
      {false, true, true, 2044, 12},  {false, true, false, 16128, 12},
      {true, true, false, 320, 4},    // both flags (CV types on a Motorola firmware): Motorola
      {false, false, true, 1234, 7},  // neither: the last values stay
      {false, false, false, 1234, 7},
  };
  for (const Case& c : cases) {
    const InputLimits got = LimitsAfterCatalogue(previous, c.isMot, c.isDcc, c.rg);
    EXPECT_EQ(got.MaxAddress, c.maxAddress) << c.isMot << c.isDcc << c.rg;
    EXPECT_EQ(got.MaxFunction, c.maxFunction) << c.isMot << c.isDcc << c.rg;
  }
  const InputLimits start;
  EXPECT_EQ(start.MaxAddress, 0);
  EXPECT_EQ(start.MaxFunction, 0);
}

TEST(CatalogueRules, HintTexts) {
  EXPECT_EQ(AddressHint(2044),
            "g\xC3\xBCltiger Adressbereich: 1 bis 2044\n'0' f\xC3\xBCr unbenutzt (keine Reaktion "
            "auf irgendeinen Befehl)");
  EXPECT_EQ(AddressHint(16128),
            "g\xC3\xBCltiger Adressbereich: 1 bis 16128\n'0' f\xC3\xBCr unbenutzt (keine Reaktion "
            "auf irgendeinen Befehl)");
  EXPECT_EQ(FunctionHint(12), "g\xC3\xBCltiger Bereich f\xC3\xBCr die Funktions-Nummer: 1 bis 12");
  EXPECT_EQ(FunctionHint(4), "g\xC3\xBCltiger Bereich f\xC3\xBCr die Funktions-Nummer: 1 bis 4");
}

TEST(CatalogueRules, RowControlsByCaptionAndMode) {
  const InputLimits limits{320, 4};

  const RowControls hidden = RowControlsFor("", true, limits);
  EXPECT_FALSE(hidden.labelVisible || hidden.addressVisible || hidden.functionVisible ||
               hidden.rgButtonVisible);
  EXPECT_FALSE(hidden.addressHintShown);
  EXPECT_FALSE(hidden.functionHintShown.has_value());
  EXPECT_FALSE(hidden.addressHint.has_value());
  EXPECT_FALSE(hidden.functionHint.has_value());
  EXPECT_FALSE(hidden.recognises);

  struct Case {
    const char* caption;
    bool rg;
  };
  for (const Case& c : {Case{"Weiche", true}, Case{" ", true}, Case{"Ausgang / Out 1", false},
                        Case{" ", false}}) {
    SCOPED_TRACE(std::string("'") + c.caption + "' rg=" + (c.rg ? "1" : "0"));
    const RowControls shown = RowControlsFor(c.caption, c.rg, limits);
    EXPECT_TRUE(shown.labelVisible);
    EXPECT_TRUE(shown.addressVisible);
    EXPECT_EQ(shown.rgButtonVisible, c.rg);
    EXPECT_EQ(shown.functionVisible, !c.rg);
    EXPECT_TRUE(shown.addressHintShown);
    EXPECT_EQ(shown.functionHintShown, std::optional<bool>(true));
    EXPECT_EQ(shown.addressHint, AddressHint(320));
    EXPECT_EQ(shown.functionHint, FunctionHint(4));
    EXPECT_TRUE(shown.recognises);
  }
}

TEST(CatalogueRules, WhenTheFailureBoxIsShown) {
  EXPECT_TRUE(MustReportUnrecognised(false, false));
  EXPECT_FALSE(MustReportUnrecognised(true, false));
  EXPECT_FALSE(MustReportUnrecognised(false, true));
  EXPECT_FALSE(MustReportUnrecognised(true, true));
}

// --- Help document ---------------------------------------------------------------------------

const HelpFile* FindFile(const std::vector<HelpFile>& files, const std::string& name) {
  for (const HelpFile& file : files) {
    if (file.name == name) return &file;
  }
  return nullptr;
}

TEST(HelpDocument, CoversEveryEntry) {
  const std::vector<HelpFile> files = HelpDocument();
  ASSERT_EQ(files.size(), 89u);
  EXPECT_EQ(files.front().name, "index.html");
  EXPECT_EQ(std::string(kProgramHelpPage), std::string(kHelpFolder) + "/index.html");
  const HelpFile* index = FindFile(files, "index.html");
  ASSERT_NE(index, nullptr);

  const std::string prefix = std::string(kHelpFolder) + "/";
  for (const DecoderType& entry : DecoderTypes()) {
    SCOPED_TRACE(std::string(entry.title));
    const std::string helpPage = HelpPageOf(entry);
    ASSERT_EQ(helpPage.rfind(prefix, 0), 0u) << helpPage;
    const std::string name = helpPage.substr(prefix.size());
    EXPECT_EQ(name, HelpFileName(entry.identifiers().front()));
    const HelpFile* page = FindFile(files, name);
    ASSERT_NE(page, nullptr) << name;
    const std::string& html = page->html;
    EXPECT_NE(html.find("<h1>" + HtmlEscape(std::string(entry.title)) + "</h1>"), std::string::npos);
    EXPECT_NE(html.find(entry.picType()->name), std::string::npos);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    if (entry.frameKind() != FrameKind::None) {
      EXPECT_NE(html.find(FrameName(entry.frameKind())), std::string::npos);
    }
    for (const auto& [row, caption] : CaptionedRows(entry)) {
      const std::string cell =
          caption == " " ? std::string("(ohne Bezeichnung)") : HtmlEscape(caption);
      EXPECT_NE(html.find("<tr><td>" + std::to_string(row) + "</td><td>"), std::string::npos)
          << "row " << row;
      EXPECT_NE(html.find(cell), std::string::npos) << "row " << row;
    }
    for (int32_t identifier : entry.identifiers()) {
      EXPECT_NE(html.find("(" + std::to_string(identifier) + ")"), std::string::npos);
    }
    EXPECT_NE(index->html.find("<a href=\"" + name + "\">" + HtmlEscape(std::string(entry.title)) + "</a>"),
              std::string::npos);
  }
}

TEST(HelpDocument, EscapesMarkupInTitlesAndCaptions) {
  EXPECT_EQ(HtmlEscape("a < b & 'c' > \"d\""), "a &lt; b &amp; &#39;c&#39; &gt; &quot;d&quot;");
  const std::vector<HelpFile> files = HelpDocument();
  const HelpFile* ampel = FindFile(files, HelpFileName(103));
  ASSERT_NE(ampel, nullptr);
  EXPECT_NE(ampel->html.find("Ampel &lt; V3.40"), std::string::npos);
  EXPECT_EQ(ampel->html.find("Ampel < V3.40"), std::string::npos);
}

TEST(HelpDocument, WritesEveryPageIntoTheFolder) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("korrin_help_test_" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder);
  std::string error;
  ASSERT_TRUE(WriteHelpDocument((folder / "help").string(), &error)) << error;
  for (const HelpFile& file : HelpDocument()) {
    std::ifstream in(folder / "help" / file.name, std::ios::binary);
    ASSERT_TRUE(in) << file.name;
    std::ostringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), file.html) << file.name;
  }
  size_t count = 0;
  for (const auto& item : std::filesystem::directory_iterator(folder / "help")) {
    EXPECT_EQ(item.path().extension(), ".html") << item.path();  // no temporary files left
    ++count;
  }
  EXPECT_EQ(count, 89u);

  // A folder that cannot be created: a plain file stands in its way.
  std::ofstream(folder / "blocker") << "x";
  error.clear();
  EXPECT_FALSE(WriteHelpDocument((folder / "blocker" / "help").string(), &error));
  EXPECT_FALSE(error.empty());
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace korrin
