#include "editors/cv_register_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;

namespace {

const char* const kNotANumber = "Ungültige Eingabe.\rZugelassen sind nur Zahlen";
const char* const kNotAByte = "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 0..255";

// The model with its fill flag in reach, to check what a reaction does while the model fills.
struct FillingCvRegisterModel : CvRegisterModel {
  using CvRegisterModel::CvRegisterModel;
  using CvRegisterModel::filling;
};

class CvRegisterModelTest : public ::testing::Test {
 protected:
  void SetUp() override { ctx.image.ResetForNewFile(); }

  void Load(int32_t id) {
    ctx.SelectDecoderType(id);
    model.Load();
  }
  int RowAt(int offset) const {
    for (size_t r = 0; r < model.rows.size(); ++r)
      if (model.rows[r].offset == offset) return static_cast<int>(r);
    return -1;
  }
  std::string Byte(int offset) const { return ctx.image.get_Hex_EE(offset); }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  EditorContext ctx{dialogs, files};
  FillingCvRegisterModel model{ctx};
};

}  // namespace

TEST_F(CvRegisterModelTest, LoadShowsTheTableOfTheTypeAndWritesNothing) {
  struct Case {
    int32_t id;
    size_t rows;
    const char* cv29Caption;
    int cv29Offset;
  } cases[] = {
      {0x4400, 25, "CV29: Konfiguration", 0x68},
      {0x14B00, 73, "CV029: Konfigbyte", 0x6A},
      {0x15000, 73, "CV029: Konfigbyte", 0x6A},
  };
  for (int i = 0; i < 256; ++i) ctx.image.setEepromValue(i, i % 3 ? 0xFF : i);
  const auto before = ctx.image.Hex_EE;
  for (const auto& c : cases) {
    Load(c.id);
    EXPECT_FALSE(model.filling);
    ASSERT_EQ(model.rows.size(), c.rows) << std::hex << c.id;
    EXPECT_EQ(ctx.image.Hex_EE, before) << std::hex << c.id;
    for (const auto& row : model.rows) EXPECT_EQ(row.text, std::to_string(row.offset % 3 ? 255 : row.offset)) << row.caption;
    int r = RowAt(c.cv29Offset);
    ASSERT_GE(r, 0);
    EXPECT_EQ(model.rows[static_cast<size_t>(r)].caption, c.cv29Caption);
  }
  EXPECT_TRUE(dialogs.messages.empty());

  // A type without a table shows no rows, also after a type with one.
  Load(0x8);
  EXPECT_TRUE(model.rows.empty());
  EXPECT_TRUE(model.Settings().empty());
}

TEST_F(CvRegisterModelTest, EveryKeystrokeThatLeavesAByteWritesIt) {
  Load(0x4400);
  const int r = RowAt(0x6F);
  ASSERT_GE(r, 0);
  struct Step {
    const char* text;  // the edit box's text after the keystroke
    const char* byte;  // the EEPROM cell afterwards
    const char* message;
  } steps[] = {
      // Typing "1", "2", "a" into an emptied box.
      {"", "FF", nullptr},
      {"1", "01", nullptr},
      {"12", "0C", nullptr},
      {"12a", "0C", kNotANumber},
      // Deleting "255" character by character, then typing "7".
      {"255", "FF", nullptr},
      {"25", "19", nullptr},
      {"2", "02", nullptr},
      {"", "02", nullptr},
      {"7", "07", nullptr},
      // Whole numbers that no byte holds are refused like text.
      {"256", "07", kNotAByte},
      {"-1", "07", kNotAByte},
      {"-", "07", kNotANumber},
      {"99999999999", "07", kNotANumber},
      {"+9", "09", nullptr},
  };
  for (const auto& s : steps) {
    dialogs.clear();
    SetOutcome outcome = model.SetCvText(r, s.text);
    EXPECT_EQ(Byte(0x6F), s.byte) << s.text;
    // The box keeps what was typed.
    EXPECT_EQ(model.rows[static_cast<size_t>(r)].text, s.text);
    if (s.message) {
      EXPECT_EQ(outcome, SetOutcome::Refused) << s.text;
      ASSERT_EQ(dialogs.messages.size(), 1u) << s.text;
      EXPECT_EQ(dialogs.messages[0].text, s.message);
      EXPECT_EQ(dialogs.messages[0].kind, BoxKind::Warning);
      EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Cancel);
      EXPECT_EQ(model.focusRow, r) << "the focus goes back into the box";
      model.focusRow = -1;
    } else {
      EXPECT_EQ(outcome, SetOutcome::Done) << s.text;
      EXPECT_TRUE(dialogs.messages.empty()) << s.text;
      EXPECT_EQ(model.focusRow, -1);
    }
  }
}

TEST_F(CvRegisterModelTest, NothingIsWrittenWhileFilling) {
  Load(0x14B00);
  model.filling = true;
  EXPECT_EQ(model.SetCvText(0, "9"), SetOutcome::Done);
  EXPECT_EQ(model.SetCvText(0, "x"), SetOutcome::Done);
  model.filling = false;
  EXPECT_EQ(Byte(0x60), "FF");
  EXPECT_TRUE(dialogs.messages.empty());
  // A slot beyond the table is no row.
  EXPECT_EQ(model.SetCvText(73, "1"), SetOutcome::UnknownKey);
}

TEST_F(CvRegisterModelTest, KeysNameTheCvNumberOfTheCaption) {
  struct Case {
    const char* caption;
    const char* key;
  } cases[] = {
      {"CV001: Kurze Adresse", "cv1"},
      {"CV1: Kurze Adresse", "cv1"},
      {"CV029: Konfigbyte", "cv29"},
      {"CV115: LISSY: Zug-Kategorie (1-4)", "cv115"},
      {"CV000: x", "cv0"},
      {"CVx: x", ""},
      {"Adresse", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CvRegisterModel::KeyOfCaption(c.caption), c.key) << c.caption;

  // Every row of every table has a key of its own.
  for (int32_t id : {0x4400, 0x14B00, 0x15000}) {
    Load(id);
    std::set<std::string> keys;
    for (const auto& s : model.Settings()) {
      EXPECT_EQ(s.section, "cvs");
      EXPECT_FALSE(s.key.empty()) << s.caption;
      EXPECT_TRUE(keys.insert(s.key).second) << "twice: " << s.key;
    }
    EXPECT_EQ(keys.size(), model.rows.size());
  }
}

TEST_F(CvRegisterModelTest, SettingsAndSetRoundTrip) {
  ctx.image.setEepromValue(0x6A, 6);
  Load(0x15000);
  auto settings = model.Settings();
  ASSERT_EQ(settings.size(), 73u);
  EXPECT_EQ(settings[6].key, "cv29");
  EXPECT_EQ(settings[6].caption, "CV029: Konfigbyte");
  EXPECT_EQ(settings[6].value, "6");
  EXPECT_EQ(settings[8].caption, "CV054: Länge des Neon-Effektes 18324");
  EXPECT_EQ(settings[0].value, "255");

  EXPECT_EQ(model.Set("cv29", "130"), SetOutcome::Done);
  EXPECT_EQ(Byte(0x6A), "82");
  EXPECT_EQ(model.Settings()[6].value, "130");
  EXPECT_EQ(model.rows[6].text, "130");
  EXPECT_EQ(model.Set("cv191", "0"), SetOutcome::Done);
  EXPECT_EQ(Byte(0xCF), "00");
  EXPECT_TRUE(dialogs.messages.empty());

  // Refused values keep the byte and show the frame's warning.
  EXPECT_EQ(model.Set("cv29", "300"), SetOutcome::Refused);
  EXPECT_EQ(model.Set("cv29", "0x10"), SetOutcome::Refused);
  EXPECT_EQ(Byte(0x6A), "82");
  EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{kNotAByte, kNotANumber}));

  // Keys of another table, or of no CV at all, are unknown; nothing is shown.
  dialogs.clear();
  for (const char* key : {"cv50", "cv029", "CV29", "cv", "modus"}) EXPECT_EQ(model.Set(key, "1"), SetOutcome::UnknownKey) << key;
  EXPECT_TRUE(dialogs.messages.empty());
  Load(0x4400);
  EXPECT_EQ(model.Set("cv29", "7"), SetOutcome::Done);
  EXPECT_EQ(Byte(0x68), "07");
  EXPECT_EQ(model.Set("cv50", "8"), SetOutcome::Done);
  EXPECT_EQ(Byte(0x6F), "08");
}
