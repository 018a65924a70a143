#include "editors/blink_pattern_model.h"

#include <gtest/gtest.h>

#include <memory>

#include "recording_dialogs.h"

using namespace korrin;
using Input = PatternEditorModel::Input;

namespace {

// An image, a model of the four-output editor (identifier 1) or of the LED editor (221, 477),
// and helpers for the table's entries in the image. Block k, entry i.
struct Editor {
  explicit Editor(int32_t id) {
    ctx.image.ResetForNewFile();  // erased: every low byte FF
    ctx.SelectDecoderType(id);
    if (id == 1) model = std::make_unique<BlinkPatternModel>(ctx);
    else model = std::make_unique<LedBlinkPatternModel>(ctx);
  }
  bool led() const { return ctx.DecoderIdentifier != 1; }
  int blockSize() const { return led() ? 256 : 64; }
  int RomAddress(int k, int i) const { return led() ? 0x600 + 0x200 * k + 2 * i : 0x600 + 2 * (64 * k + i); }
  void SetImage(int k, int i, int v) { ctx.image.setRomValue(RomAddress(k, i), v); }
  int Image(int k, int i) const { return ctx.image.romValue(RomAddress(k, i)); }
  int Entry(int k, int i) const { return model->table().entry(blockSize() * k + i); }
  int CountOffset() const { return led() ? 101 : 53; }

  // Block k with N points, stretch S (as the firmware stores it), loop off, every output
  // used, all points off.
  void SetBlock(int k, int n, int s) {
    for (int i = 0; i < blockSize(); ++i) SetImage(k, i, 0);
    if (led()) {
      SetImage(k, 100, 0xF0);
      SetImage(k, 101, n);
      SetImage(k, 102, ctx.DecoderIdentifier == 477 ? s % 255 : s);
      SetImage(k, 103, 0x3F);
      SetImage(k, 104, ctx.DecoderIdentifier == 477 ? s / 255 + 1 : 0);
    } else {
      SetImage(k, 53, n);
      SetImage(k, 54, s);
      SetImage(k, 55, 0xF0);
    }
  }
  void SetAllBlocks(int n, int s) {
    for (int k = 0; k < 4; ++k) SetBlock(k, n, s);
  }

  korrin::testing::RecordingDialogs dialogs;
  korrin::testing::ScriptedFileDialogs files;
  EditorContext ctx{dialogs, files};
  std::unique_ptr<PatternEditorModel> model;
};

std::string Row(const PatternEditorModel::Strip& s) {
  std::string r;
  for (bool on : s.points) r += on ? 'X' : '.';
  return r;
}

}  // namespace

TEST(BlinkPatternModel, LoadShowsTheExampleBlock) {
  Editor e(1);
  e.SetAllBlocks(10, 10);
  e.SetBlock(0, 4, 25);
  e.SetImage(0, 55, 0xB1);  // loop, outputs 1, 2 and 4
  for (int q = 0; q < 4; ++q) e.SetImage(0, q, 1 << q);
  PatternEditorModel& m = *e.model;
  m.Load();
  EXPECT_EQ(m.countText(), "4");
  EXPECT_EQ(m.stretchText(), "25");
  EXPECT_EQ(m.rasterText(), "Zeit-Raster = 500 ms");
  EXPECT_EQ(m.totalText(), "Gesamtzeit = 2.0000 s");
  EXPECT_TRUE(m.loopChecked());
  EXPECT_FALSE(m.hasPendingChanges());
  EXPECT_FALSE(m.copyEnabled(0));
  EXPECT_TRUE(m.copyEnabled(1) && m.copyEnabled(2) && m.copyEnabled(3));
  const char* rows[] = {"X...", ".X..", "..X.", "...X"};
  const bool used[] = {true, true, false, true};
  ASSERT_EQ(m.strips().size(), 4u);
  for (int j = 0; j < 4; ++j) {
    EXPECT_EQ(m.outputChecked(j), used[j]) << j;
    EXPECT_EQ(m.strips()[static_cast<size_t>(j)].visible, used[j]) << j;
    EXPECT_EQ(Row(m.strips()[static_cast<size_t>(j)]), rows[j]) << j;
  }
  EXPECT_TRUE(e.dialogs.messages.empty());
}

// What a freshly loaded table shows, and whether the showing already offers "Übernehmen"
// (a count or stretch out of range is clamped by the edit's reaction, the LED stretch only
// outside the load).
TEST(BlinkPatternModel, LoadOfErasedAndOrdinaryTables) {
  struct Case {
    const char* name;
    int32_t id;
    bool erased;
    const char* count;
    const char* stretch;
    const char* raster;
    bool pending;
    int countEntry;  // entry of the count in block 0 of the working copy
  } cases[] = {
      {"four erased", 1, true, "50", "200", "Zeit-Raster = 4.0000 s", true, 50},
      {"four ordinary", 1, false, "10", "10", "Zeit-Raster = 200 ms", false, 10},
      {"LED 477 erased", 477, true, "100", "65025", "Zeit-Raster = 1300.5000 s", true, 100},
      {"LED 221 erased", 221, true, "100", "255", "Zeit-Raster = 5.1000 s", true, 100},
      {"LED 477 ordinary", 477, false, "10", "10", "Zeit-Raster = 200 ms", false, 10},
  };
  for (const auto& c : cases) {
    Editor e(c.id);
    if (!c.erased) e.SetAllBlocks(10, 10);
    PatternEditorModel& m = *e.model;
    m.Load();
    EXPECT_EQ(m.countText(), c.count) << c.name;
    EXPECT_EQ(m.stretchText(), c.stretch) << c.name;
    EXPECT_EQ(m.rasterText(), c.raster) << c.name;
    EXPECT_EQ(m.hasPendingChanges(), c.pending) << c.name;
    EXPECT_EQ(e.Entry(0, e.CountOffset()), c.countEntry) << c.name;
    EXPECT_EQ(e.Image(0, e.CountOffset()), c.erased ? 0xFF : 10) << c.name << ": the image waits for Übernehmen";
    EXPECT_EQ(m.strips()[0].points.size(), static_cast<size_t>(c.erased ? (e.led() ? 100 : 50) : 10)) << c.name;
    if (c.erased) {
      EXPECT_TRUE(m.loopChecked()) << c.name;
      EXPECT_EQ(Row(m.strips()[0]), std::string(m.strips()[0].points.size(), 'X')) << c.name;
    }
    EXPECT_TRUE(e.dialogs.messages.empty()) << c.name;
  }
  // The LED stretch kept as stored is re-encoded once it is edited.
  Editor e(477);
  e.model->Load();
  EXPECT_EQ(e.Entry(0, 102), 0xFF);
  EXPECT_EQ(e.model->StretchTextChanged("30000"), Input::Taken);
  EXPECT_EQ(e.Entry(0, 102), 165);
  EXPECT_EQ(e.Entry(0, 104), 118);
  EXPECT_EQ(e.model->totalText(), "Gesamtzeit = 16.6667 h");
}

TEST(BlinkPatternModel, CountAndStretchTexts) {
  struct Case {
    int32_t id;
    bool count;        // the count edit, else the stretch edit
    const char* text;  // typed
    Input outcome;
    const char* shown;  // the edit's text afterwards
    int offset, entry;  // an entry of block 0 afterwards
    int offset2, entry2;
    const char* message;  // nullptr: none
  } cases[] = {
      {1, true, "60", Input::Taken, "50", 53, 50, 54, 10, nullptr},
      {1, true, "0", Input::Taken, "1", 53, 1, 54, 10, nullptr},
      {1, true, "12", Input::Taken, "12", 53, 12, 54, 10, nullptr},
      {1, true, "", Input::Taken, "", 53, 10, 54, 10, nullptr},
      {1, true, "x", Input::Refused, "x", 53, 10, 54, 10,
       "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..50"},
      {1, false, "250", Input::Taken, "200", 54, 200, 53, 10, nullptr},
      {1, false, "-", Input::Refused, "-", 54, 10, 53, 10,
       "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200"},
      {477, true, "150", Input::Taken, "100", 101, 100, 102, 10, nullptr},
      {477, true, "q", Input::Refused, "q", 101, 10, 102, 10,
       "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..100"},
      {477, false, "255", Input::Taken, "255", 102, 0, 104, 2, nullptr},
      {477, false, "30001", Input::Taken, "30000", 102, 165, 104, 118, nullptr},
      {477, false, "z", Input::Refused, "z", 102, 10, 104, 1,
       "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..30000"},
      {221, false, "250", Input::Taken, "200", 102, 200, 104, 0, nullptr},
      {221, false, "z", Input::Refused, "z", 102, 10, 104, 0,
       "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200"},
  };
  for (const auto& c : cases) {
    Editor e(c.id);
    e.SetAllBlocks(10, 10);
    PatternEditorModel& m = *e.model;
    m.Load();
    Input in = c.count ? m.CountTextChanged(c.text) : m.StretchTextChanged(c.text);
    const std::string name = std::to_string(c.id) + " '" + c.text + "'";
    EXPECT_EQ(in, c.outcome) << name;
    EXPECT_EQ(c.count ? m.countText() : m.stretchText(), c.shown) << name;
    EXPECT_EQ(e.Entry(0, c.offset), c.entry) << name;
    EXPECT_EQ(e.Entry(0, c.offset2), c.entry2) << name;
    const bool stored = c.outcome == Input::Taken && c.text[0] != '\0';
    EXPECT_EQ(m.hasPendingChanges(), stored) << name;
    if (c.message) {
      ASSERT_EQ(e.dialogs.messages.size(), 1u) << name;
      EXPECT_EQ(e.dialogs.messages[0].text, c.message);
      EXPECT_EQ(e.dialogs.messages[0].kind, BoxKind::Warning);
      EXPECT_EQ(e.dialogs.messages[0].buttons, Buttons::Cancel);
    } else {
      EXPECT_TRUE(e.dialogs.messages.empty()) << name;
    }
    if (stored) {
      // Another address and back: the stored value is shown again as the edit showed it.
      m.SelectAddress(1);
      EXPECT_EQ(c.count ? m.countText() : m.stretchText(), "10") << name;
      m.SelectAddress(0);
      EXPECT_EQ(c.count ? m.countText() : m.stretchText(), c.shown) << name;
    }
  }
}

TEST(BlinkPatternModel, TypingStoresEveryIntermediateNumberAndUpdatesTheTimes) {
  Editor e(1);
  e.SetAllBlocks(10, 10);
  PatternEditorModel& m = *e.model;
  m.Load();
  m.CountTextChanged("");
  EXPECT_EQ(e.Entry(0, 53), 10);
  m.CountTextChanged("5");
  EXPECT_EQ(e.Entry(0, 53), 5);
  EXPECT_EQ(m.strips()[0].points.size(), 5u);
  m.CountTextChanged("50");
  m.StretchTextChanged("200");
  EXPECT_EQ(e.Entry(0, 53), 50);
  EXPECT_EQ(m.rasterText(), "Zeit-Raster = 4.0000 s");
  EXPECT_EQ(m.totalText(), "Gesamtzeit = 3.3333 min");
}

TEST(BlinkPatternModel, LoopAndOutputBoxesUseTheirBitsOnly) {
  struct Case {
    int32_t id;
    int output;  // -1: the loop box
    int offset, bit;
  } cases[] = {
      {1, -1, 55, 0}, {1, 0, 55, 4}, {1, 3, 55, 7}, {477, -1, 100, 0}, {477, 1, 100, 5}, {477, 4, 103, 0}, {221, 9, 103, 5},
  };
  for (const auto& c : cases) {
    Editor e(c.id);
    e.SetAllBlocks(5, 10);
    e.SetImage(0, 0, 0x0F);
    if (e.led()) e.SetImage(0, 128, 0x3F);
    PatternEditorModel& m = *e.model;
    m.Load();
    const std::vector<int> before = m.table().entries();
    const bool was = c.output < 0 ? m.loopChecked() : m.outputChecked(c.output);
    if (c.output < 0) m.LoopToggled(!was);
    else m.OutputToggled(c.output, !was);
    EXPECT_TRUE(m.hasPendingChanges());
    for (int i = 0; i < m.table().size(); ++i) {
      int expected = before[static_cast<size_t>(i)];
      if (i == c.offset) expected ^= 1 << c.bit;
      ASSERT_EQ(m.table().entry(i), expected) << c.id << "/" << c.output << " entry " << i;
    }
    if (c.output >= 0) {
      // The strip is hidden, its points stay; checking the box again shows them unchanged.
      const auto& strip = m.strips()[static_cast<size_t>(c.output)];
      EXPECT_FALSE(strip.visible);
      EXPECT_EQ(Row(strip), "X....");
      m.OutputToggled(c.output, true);
      EXPECT_TRUE(m.strips()[static_cast<size_t>(c.output)].visible);
      EXPECT_EQ(m.table().entries(), before);
    }
  }
}

// Selecting an address shows its parameters; each edit or box whose value changes runs its
// reaction, so that showing a block with other values offers "Übernehmen", as the frame does.
TEST(BlinkPatternModel, SelectingAnAddressShowsItsParameters) {
  Editor e(1);
  e.SetAllBlocks(10, 10);
  e.SetBlock(2, 20, 60);
  e.SetImage(2, 55, 0x51);
  e.SetImage(2, 3, 0x04);
  PatternEditorModel& m = *e.model;
  m.Load();
  m.SelectAddress(1);  // the same values: nothing to react to
  EXPECT_FALSE(m.hasPendingChanges());
  EXPECT_FALSE(m.copyEnabled(1));
  m.SelectAddress(2);
  EXPECT_EQ(m.selectedAddress(), 2);
  EXPECT_EQ(m.countText(), "20");
  EXPECT_EQ(m.stretchText(), "60");
  EXPECT_EQ(m.rasterText(), "Zeit-Raster = 1.2000 s");
  EXPECT_EQ(m.totalText(), "Gesamtzeit = 24.0000 s");
  EXPECT_TRUE(m.loopChecked());
  EXPECT_TRUE(m.outputChecked(0));
  EXPECT_FALSE(m.outputChecked(1));
  EXPECT_FALSE(m.strips()[1].visible);
  EXPECT_EQ(Row(m.strips()[2]), "...X................");
  EXPECT_TRUE(m.copyEnabled(0) && m.copyEnabled(1) && !m.copyEnabled(2) && m.copyEnabled(3));
  EXPECT_TRUE(m.hasPendingChanges());
  for (int k = 0; k < 4; ++k) {
    for (int i = 0; i < 64; ++i) ASSERT_EQ(e.Entry(k, i), e.Image(k, i)) << k << "," << i;
  }
}

TEST(BlinkPatternModel, PaintingNeedsAPressAndStaysInThePointBytes) {
  struct Case {
    int32_t id;
    int address, output, point;
    bool on;
    int index;  // the changed entry of the whole table
    int bit;
  } cases[] = {
      {1, 0, 0, 1, true, 1, 0},
      {1, 1, 2, 5, true, 64 + 5, 2},
      {1, 1, 0, 400, true, 64 + 49, 0},
      {1, 2, 1, -7, true, 128, 1},
      {1, 3, 3, 50, true, 192 + 49, 3},
      {477, 0, 3, 1000, true, 99, 3},
      {477, 0, 4, 150, true, 128 + 99, 0},
      {221, 3, 9, -1, true, 768 + 128, 5},
      {1, 0, 0, 0, false, 0, 0},
  };
  for (const auto& c : cases) {
    Editor e(c.id);
    e.SetAllBlocks(e.led() ? 100 : 50, 10);
    e.SetImage(0, 0, 0x01);
    PatternEditorModel& m = *e.model;
    m.Load();
    m.SelectAddress(c.address);
    ASSERT_FALSE(m.hasPendingChanges());
    const std::vector<int> before = m.table().entries();
    m.StripMoved(c.output, c.point, c.on);  // no button held
    EXPECT_EQ(m.table().entries(), before);
    m.StripPressed();
    EXPECT_FALSE(m.hasPendingChanges()) << "a press alone changes nothing";
    m.StripMoved(c.output, c.point, c.on);
    m.StripReleased();
    m.StripMoved(c.output, c.point + 1, c.on);  // released: no more painting
    EXPECT_TRUE(m.hasPendingChanges());
    for (int i = 0; i < m.table().size(); ++i) {
      int expected = before[static_cast<size_t>(i)];
      if (i == c.index) expected = c.on ? expected | (1 << c.bit) : expected & ~(1 << c.bit);
      ASSERT_EQ(m.table().entry(i), expected) << c.id << " point " << c.point << " entry " << i;
    }
  }
}

TEST(BlinkPatternModel, CopyTakesTheBlockOntoTheSelectedAddress) {
  // Four outputs: all 64 entries from address 3 onto address 1.
  Editor four(1);
  four.SetAllBlocks(10, 10);
  for (int i = 0; i < 64; ++i) four.SetImage(2, i, i);
  four.SetImage(2, 53, 7);
  four.SetImage(2, 54, 60);
  four.SetImage(2, 55, 0xA1);
  four.model->Load();
  four.model->Copy(2);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(four.Entry(0, i), four.Entry(2, i)) << i;
  EXPECT_EQ(four.Entry(1, 0), 0);
  EXPECT_EQ(four.model->countText(), "7");
  EXPECT_EQ(four.model->stretchText(), "60");
  EXPECT_TRUE(four.model->loopChecked());
  EXPECT_FALSE(four.model->outputChecked(0));
  EXPECT_TRUE(four.model->outputChecked(1));
  EXPECT_TRUE(four.model->hasPendingChanges());

  // LED: entries 0..254 from address 2 onto address 4; entry 255 stays.
  Editor led(477);
  led.SetAllBlocks(10, 10);
  for (int i = 0; i < 256; ++i) led.SetImage(1, i, (i * 3) & 0xFF);
  led.SetImage(1, 101, 20);
  led.SetImage(1, 104, 1);
  led.SetImage(3, 255, 0x5A);
  led.model->Load();
  led.model->SelectAddress(3);
  led.model->Copy(1);
  for (int i = 0; i < 255; ++i) ASSERT_EQ(led.Entry(3, i), led.Entry(1, i)) << i;
  EXPECT_EQ(led.Entry(3, 255), 0x5A);
  EXPECT_EQ(led.model->countText(), "20");
}

TEST(BlinkPatternModel, ApplyWritesExactlyTheTableAndDiscardReloads) {
  struct Case {
    int32_t id;
    int firstWord, lastWord;
  } cases[] = {{1, 0x300, 0x3FF}, {477, 0x300, 0x6FF}};
  for (const auto& c : cases) {
    Editor e(c.id);
    // Every cell distinct from what the table will write, so a missed or extra cell shows.
    for (int i = 0; i < kRomCells; ++i) e.ctx.image.set_Hex_ROM(i, i % 2 ? "3F" : "A5");
    e.SetAllBlocks(10, 10);
    PatternEditorModel& m = *e.model;
    m.Load();
    m.StripPressed();
    m.StripMoved(3, 1, true);
    m.StripReleased();
    const HexCells before = e.ctx.image.Hex_ROM;
    ASSERT_TRUE(m.hasPendingChanges());
    m.applyPendingChanges();
    EXPECT_FALSE(m.hasPendingChanges());
    for (int cell = 0; cell < kRomCells; ++cell) {
      const int word = cell / 2;
      const bool tableLow = cell % 2 == 0 && word >= c.firstWord && word <= c.lastWord;
      std::string expected = before[static_cast<size_t>(cell)];
      if (tableLow) expected = HexByteText()[static_cast<size_t>(m.table().entry(word - c.firstWord))];
      ASSERT_EQ(e.ctx.image.Hex_ROM[static_cast<size_t>(cell)], expected) << c.id << " cell " << cell;
    }
    EXPECT_EQ(e.Image(0, 1), 0x08);
    EXPECT_EQ(e.Image(1, 1), 0x00);

    // Discard throws away what was not applied.
    m.StretchTextChanged("99");
    ASSERT_TRUE(m.hasPendingChanges());
    m.Discard();
    EXPECT_FALSE(m.hasPendingChanges());
    EXPECT_EQ(m.stretchText(), "10");
    EXPECT_EQ(e.Entry(0, e.led() ? 102 : 54), 10);
    EXPECT_EQ(e.Entry(0, 1), 0x08);

    // Loading again starts from the image.
    m.CountTextChanged("20");
    e.SetBlock(0, 30, 40);
    m.Load();
    EXPECT_EQ(m.countText(), "30");
    EXPECT_EQ(m.stretchText(), "40");
    EXPECT_FALSE(m.hasPendingChanges());
  }
}

TEST(BlinkPatternModel, ChangesAreReportedOnceAnActionEnds) {
  Editor e(1);
  e.SetAllBlocks(10, 10);
  int calls = 0;
  Subscription observer = e.model->Observe([&] { ++calls; });
  e.model->Load();
  EXPECT_EQ(calls, 1);
  e.model->CountTextChanged("12");  // nested reactions, one report
  EXPECT_EQ(calls, 2);
  e.model->applyPendingChanges();  // the save's question applies from outside
  EXPECT_EQ(calls, 3);
}

TEST(BlinkPatternModel, SettingsListEveryAddressAndOutput) {
  Editor e(1);
  e.SetAllBlocks(10, 10);
  e.SetBlock(1, 4, 25);
  e.SetImage(1, 55, 0xB1);
  for (int q = 0; q < 4; ++q) e.SetImage(1, q, 1 << q);
  e.model->Load();
  std::vector<EditorSetting> s = e.model->Settings();
  ASSERT_EQ(s.size(), 4u * (3 + 4 * 2));
  for (const auto& x : s) EXPECT_EQ(x.section, "patterns");
  // Address 2 follows the eleven settings of address 1.
  struct Expected {
    const char* key;
    const char* caption;
    const char* value;
    const char* element;
  } expected[] = {
      {"muster2.anzahl", "Muster 2, Anzahl Punkte", "4", ""},
      {"muster2.dehnung", "Muster 2, Stretch-Faktor", "25", ""},
      {"muster2.loop", "Muster 2, Loop", "1", ""},
      {"muster2.ausgang1.verwenden", "Muster 2, Ausgang 1 verwenden", "1", ""},
      {"muster2.ausgang1", "Muster 2, Ausgang 1", "X...", "Punkt"},
      {"muster2.ausgang2.verwenden", "Muster 2, Ausgang 2 verwenden", "1", ""},
      {"muster2.ausgang2", "Muster 2, Ausgang 2", ".X..", "Punkt"},
      {"muster2.ausgang3.verwenden", "Muster 2, Ausgang 3 verwenden", "0", ""},
      {"muster2.ausgang3", "Muster 2, Ausgang 3", "..X.", "Punkt"},
  };
  for (size_t i = 0; i < std::size(expected); ++i) {
    const EditorSetting& x = s[11 + i];
    EXPECT_EQ(x.key, expected[i].key);
    EXPECT_EQ(x.caption, expected[i].caption);
    EXPECT_EQ(x.value, expected[i].value) << x.key;
    EXPECT_EQ(x.element, expected[i].element) << x.key;
    EXPECT_EQ(x.perCharacter, std::string(expected[i].element) == "Punkt") << x.key;
  }
  EXPECT_EQ(s.back().key, "muster4.ausgang4");
  EXPECT_EQ(s.back().value, "..........");

  Editor led(477);
  led.model->Load();  // erased: count and stretch as the edits keep them
  std::vector<EditorSetting> l = led.model->Settings();
  ASSERT_EQ(l.size(), 4u * (3 + 10 * 2));
  EXPECT_EQ(l[0].value, "100");
  EXPECT_EQ(l[1].value, "30000");
  EXPECT_EQ(l.back().key, "muster4.ausgang10");
  EXPECT_EQ(l.back().value, std::string(100, 'X'));
  ASSERT_EQ(led.model->Actions().size(), 4u);
  EXPECT_EQ(led.model->Actions()[2].key, "muster3.kopieren");
  EXPECT_EQ(led.model->Actions()[2].valueForm, "1..4");
}

// Every setting of one table set into another editor gives the same table there.
TEST(BlinkPatternModel, SettingsRoundTripThroughSet) {
  for (int32_t id : {1, 477, 221}) {
    Editor from(id);
    from.SetAllBlocks(10, 10);
    for (int k = 0; k < 4; ++k) {
      from.SetBlock(k, 3 + 7 * k, 17 + 40 * k);
      for (int q = 0; q < 3 + 7 * k; ++q) {
        from.SetImage(k, q, (q * 5 + k) & 0x0F);
        if (from.led()) from.SetImage(k, 128 + q, (q * 3 + k) & 0x3F);
      }
      from.SetImage(k, from.led() ? 100 : 55, 0x50 | (k & 1));
    }
    from.model->Load();
    Editor to(id);
    to.SetAllBlocks(10, 10);
    to.model->Load();
    for (const EditorSetting& x : from.model->Settings())
      ASSERT_EQ(to.model->Set(x.key, x.value), SetOutcome::Done) << id << " " << x.key << "=" << x.value;
    EXPECT_EQ(to.model->Settings().size(), from.model->Settings().size());
    for (size_t i = 0; i < from.model->Settings().size(); ++i)
      EXPECT_EQ(to.model->Settings()[i].value, from.model->Settings()[i].value) << id << " " << to.model->Settings()[i].key;
    EXPECT_TRUE(to.model->hasPendingChanges());
    EXPECT_TRUE(to.dialogs.messages.empty());
    to.model->applyPendingChanges();
    for (int k = 0; k < 4; ++k) {
      const int n = 3 + 7 * k;
      for (int q = 0; q < n; ++q) ASSERT_EQ(to.Image(k, q), from.Image(k, q)) << id << " block " << k << " point " << q;
      EXPECT_EQ(to.Image(k, to.CountOffset()), n);
    }
  }
}

TEST(BlinkPatternModel, SetRunsTheReactionsOfTheControls) {
  Editor e(1);
  e.SetAllBlocks(10, 10);
  PatternEditorModel& m = *e.model;
  m.Load();
  EXPECT_EQ(m.Set("muster2.anzahl", "4"), SetOutcome::Done);
  EXPECT_EQ(m.selectedAddress(), 1);
  EXPECT_EQ(e.Entry(1, 53), 4);
  EXPECT_EQ(m.Set("muster2.anzahl", "99"), SetOutcome::Done);  // clamped as in the edit
  EXPECT_EQ(e.Entry(1, 53), 50);
  EXPECT_EQ(m.Set("muster2.anzahl", "4"), SetOutcome::Done);
  EXPECT_EQ(m.Set("muster2.ausgang3", "X.XX"), SetOutcome::Done);
  EXPECT_EQ(e.Entry(1, 0), 0x04);
  EXPECT_EQ(e.Entry(1, 1), 0x00);
  EXPECT_EQ(e.Entry(1, 3), 0x04);
  EXPECT_EQ(m.Set("muster2.ausgang3.verwenden", "0"), SetOutcome::Done);
  EXPECT_EQ(e.Entry(1, 55), 0xB0);
  EXPECT_EQ(m.Set("muster2.loop", "1"), SetOutcome::Done);
  EXPECT_EQ(e.Entry(1, 55), 0xB1);
  EXPECT_EQ(m.Set("muster4.kopieren", "2"), SetOutcome::Done);
  EXPECT_EQ(m.selectedAddress(), 3);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(e.Entry(3, i), e.Entry(1, i)) << i;
  EXPECT_EQ(m.countText(), "4");
  EXPECT_TRUE(e.dialogs.messages.empty());
  // Nothing reaches the image before the caller applies.
  EXPECT_EQ(e.Image(1, 53), 10);
}

TEST(BlinkPatternModel, UnknownKeysShowNothing) {
  const char* keys[] = {
      "muster0.anzahl",     "muster5.anzahl", "muster1", "muster1.", "muster01.anzahl", "muster1.ausgang0", "muster1.ausgang5",
      "muster1.ausgang1.x", "muster1.Anzahl", "cv29",    ""};
  Editor e(1);
  e.SetAllBlocks(10, 10);
  e.model->Load();
  for (const char* key : keys) EXPECT_EQ(e.model->Set(key, "1"), SetOutcome::UnknownKey) << key;
  EXPECT_TRUE(e.dialogs.messages.empty());
  EXPECT_FALSE(e.model->hasPendingChanges());
  // Outputs 5..10 exist on the LED editor only.
  Editor led(477);
  led.SetAllBlocks(10, 10);
  led.model->Load();
  EXPECT_EQ(led.model->Set("muster1.ausgang10.verwenden", "0"), SetOutcome::Done);
  EXPECT_EQ(led.model->Set("muster1.ausgang11", ".........."), SetOutcome::UnknownKey);
}

TEST(BlinkPatternModel, RefusedValuesChangeNothing) {
  struct Case {
    const char* key;
    const char* value;
    const char* message;
  } cases[] = {
      {"muster1.ausgang1", "X.X",
       "Ungültiges Muster für Muster 1, Ausgang 1.\r"
       "Erwartet werden 10 Zeichen (Anzahl Punkte): X für an, . für aus"},
      {"muster3.ausgang4", "X.X.X.X.Xo",
       "Ungültiges Muster für Muster 3, Ausgang 4.\r"
       "Erwartet werden 10 Zeichen (Anzahl Punkte): X für an, . für aus"},
      {"muster1.ausgang1", "xxxxxxxxxx",
       "Ungültiges Muster für Muster 1, Ausgang 1.\r"
       "Erwartet werden 10 Zeichen (Anzahl Punkte): X für an, . für aus"},
      {"muster2.anzahl", "abc", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..50"},
      {"muster2.anzahl", "", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..50"},
      {"muster1.dehnung", "1.5", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..200"},
      {"muster1.loop", "2", "Ungültige Eingabe.\rZugelassen sind nur 0 (aus) und 1 (ein)"},
      {"muster1.ausgang2.verwenden", "ja", "Ungültige Eingabe.\rZugelassen sind nur 0 (aus) und 1 (ein)"},
      {"muster1.kopieren", "5", "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..4"},
      {"muster2.kopieren", "2", "Ungültige Eingabe.\rMuster 2 kann nicht auf sich selbst kopiert werden"},
  };
  for (const auto& c : cases) {
    Editor e(1);
    e.SetAllBlocks(10, 10);
    PatternEditorModel& m = *e.model;
    m.Load();
    const std::vector<int> before = m.table().entries();
    EXPECT_EQ(m.Set(c.key, c.value), SetOutcome::Refused) << c.key << "=" << c.value;
    ASSERT_EQ(e.dialogs.messages.size(), 1u) << c.key;
    EXPECT_EQ(e.dialogs.messages[0].text, c.message) << c.key;
    EXPECT_EQ(e.dialogs.messages[0].buttons, Buttons::Cancel);
    EXPECT_EQ(m.table().entries(), before) << c.key;
    EXPECT_FALSE(m.hasPendingChanges()) << c.key;
    EXPECT_EQ(m.countText(), "10") << c.key;
    EXPECT_EQ(m.stretchText(), "10") << c.key;
  }
}
