// The window and korrin-cli change a file alike: the same edits, made once through the
// widgets of the window's editor frames and once through `korrin-cli set`, give byte-identical
// files, for one file of every editor kind.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>

#include "app/gui/main_window.h"
#include "cli/cli.h"
#include "editors/gui/cv_table_frame.h"
#include "editors/gui/options_frame.h"
#include "editors/gui/servo_curve_frame.h"
#include "hex_builder.h"
#include "qt_app.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::MidRangeHex;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

template <typename W>
W* ChildNamed(QWidget* parent, const QString& accessibleName) {
  for (W* w : parent->findChildren<W*>())
    if (w->accessibleName() == accessibleName) return w;
  return nullptr;
}

void Type(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Return);
}

class WindowAndCli : public ::testing::Test {
 protected:
  void SetUp() override {
    korrin::testing::QtApp();
    dir = fs::temp_directory_path() /
          ("korrin-window-cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  // Loads input in the window, runs edit on it, saves (answering Yes to the question about
  // pending changes) and returns the written bytes.
  std::string SaveFromWindow(const std::string& input, const std::function<void(MainWindow&)>& edit) {
    RecordingDialogs dialogs;
    ScriptedFileDialogs files;
    MainWindow w(dialogs, files, (dir / "korrin.ini").string());
    w.show();
    w.StartWithFile(input);
    edit(w);
    const fs::path out = dir / "window.hex";
    files.saveAnswers.push_back(out.string());
    dialogs.script = {Answer::Yes};
    w.SaveFile();
    EXPECT_TRUE(fs::exists(out)) << input;
    return ReadAll(out);
  }

  std::string SaveFromCli(const std::string& input, const std::vector<std::string>& edits) {
    const fs::path out = dir / "cli.hex";
    std::vector<std::string> args = {"set", input, "-o", out.string()};
    args.insert(args.end(), edits.begin(), edits.end());
    std::ostringstream o, e;
    EXPECT_EQ(cli::Run(args, o, e), 0) << e.str();
    return ReadAll(out);
  }

  static std::string Example(const std::string& name) { return std::string(KORRIN_EXAMPLES) + "/" + name; }

  fs::path dir;
};

TEST_F(WindowAndCli, SameEditsGiveTheSameFileForEveryEditorKind) {
  struct Case {
    const char* file;
    std::function<void(MainWindow&)> window;
    std::vector<std::string> cli;
  } cases[] = {
      {"fenwik_18324_cv.hex",
       [](MainWindow& w) {
         auto* frame = static_cast<CvTableFrame*>(w.frames().cvTableFrame);
         for (size_t i = 0; i < frame->cvLabels.size(); ++i)
           if (frame->cvLabels[i]->text().startsWith("CV029")) Type(frame->cvEdits[i], "38");
       },
       {"--set", "cv29=38"}},
      {"relais8_dcc.hex",
       [](MainWindow& w) {
         auto* frame = static_cast<OptionsFrame*>(w.frames().optionsFrame);
         for (size_t i = 0; i < frame->optionLabels.size(); ++i)
           if (frame->optionLabels[i]->text().startsWith("Abschaltzeit")) Type(frame->optionEdits[i], "20");
         frame->modeRadio2->click();
       },
       {"--set", "abschaltzeit=20", "--set", "modus=2"}},
      {"blinkmuster_mot.hex",
       [](MainWindow& w) {
         auto* loop = w.frames().blinkPatternFrame->findChild<QCheckBox*>();
         ASSERT_NE(loop, nullptr);
         loop->click();
       },
       {"--set", "muster1.loop=0"}},
      {"led_blinkmuster_dcc.hex",
       [](MainWindow& w) {
         auto* out9 = ChildNamed<QCheckBox>(w.frames().ledBlinkPatternFrame, "Ausgang 9");
         ASSERT_NE(out9, nullptr);
         out9->click();
       },
       {"--set", "muster1.ausgang9.verwenden=0"}},
      {"servo_tamb4_dcc.hex",
       [](MainWindow& w) { static_cast<ServoCurveFrame*>(w.frames().servoCurveFrame)->logButton->click(); },
       {"--set", "kurve1.erzeugen=log"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string input = Example(c.file);
    const std::string fromWindow = SaveFromWindow(input, c.window);
    const std::string fromCli = SaveFromCli(input, c.cli);
    EXPECT_FALSE(fromWindow.empty());
    EXPECT_TRUE(fromWindow != ReadAll(input)) << "the edit changed nothing";
    EXPECT_TRUE(fromWindow == fromCli) << "window and korrin-cli wrote different files";
  }
}

// A traffic-light decoder whose fading byte holds no speed code: the load writes the
// fallback "11" in the window and in the command line alike.
TEST_F(WindowAndCli, TrafficLightFadingFallbackIsSavedByBoth) {
  MidRangeHex hex = MidRangeHex::Decoder(0x67, 0x02, 0x00, 0x1C8B);
  hex.eeprom[0x20] = 0x44;
  const std::string input = (dir / "ampel.hex").string();
  hex.write(input);
  const std::string fromWindow = SaveFromWindow(input, [](MainWindow& w) { EXPECT_EQ(w.document().DecoderIdentifier, 0x267); });
  const std::string fromCli = SaveFromCli(input, {});
  EXPECT_TRUE(fromWindow == fromCli) << "window and korrin-cli wrote different files";
  // EEPROM byte 0x20 is the low byte of the first word of the record at 0x4240.
  EXPECT_TRUE(std::regex_search(fromCli, std::regex(":[0-9A-F]{2}4240001100")));
}

}  // namespace
