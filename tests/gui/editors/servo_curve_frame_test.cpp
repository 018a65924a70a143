// The two servo frames render the one servo model and forward their events to it. The logic
// is tested on the model; these tests check the wiring of each kind of control, the drawing
// and that both frames follow every change of the shared model.
#include "editors/gui/servo_curve_frame.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include "editors/gui/servo_assignment_frame.h"
#include "editors/gui/servo_widgets.h"
#include "image/text_file.h"
#include "qt_app.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;

namespace {

class FrameTambTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { korrin::testing::QtApp(); }

  void SetUp() override {
    ctx.image.ResetForNewFile();
    window = std::make_unique<QWidget>();
    window->resize(1050, 800);
    tamb = new ServoCurveFrame(model, window.get());
    adr = new ServoAssignmentFrame(model, window.get());
  }

  // Curve k: count, stretch and the points (j + k) & 0x7F in the image.
  void SetCurve(int k, int count, int stretch) {
    const int base = (k < 2 ? 0xA00 : 0xC00) + 2 * 128 * (k % 2);
    ctx.image.setRomValue(base + 2 * kEntryCount, count);
    ctx.image.setRomValue(base + 2 * kEntryStretch, stretch);
    for (int j = 0; j < 100; ++j) ctx.image.setRomValue(base + 2 * j, (j + k) & 0x7F);
  }
  void SetBlockEntry(int k, int entry, int value) {
    ctx.image.setRomValue((k < 2 ? 0xA00 : 0xC00) + 2 * 128 * (k % 2) + 2 * entry, value);
  }

  // What the main window does for the servo pair: place and show both frames, the document
  // loads the model, then each frame renders it.
  void Show(int32_t id) {
    ctx.SelectDecoderType(id);
    const QRect b = tamb->applyButton->geometry();
    tamb->setGeometry(410, 5, b.right() + 1 + 15, b.bottom() + 1 + 15);
    tamb->show();
    adr->setGeometry(1, 120, 398, 530);
    adr->show();
    window->show();
    model.Load();
    tamb->ShowEditor();
    adr->ShowEditor();
  }

  void Drag(ServoCanvas* canvas, QPoint from, QPoint to) {
    QMouseEvent press(QEvent::MouseButtonPress, from, canvas->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &press);
    QMouseEvent move(QEvent::MouseMove, to, canvas->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, canvas->mapToGlobal(to), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &release);
  }

  void Pick(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
  }

  int Entry(int k, int entry) const { return model.workingCopy().blocks[static_cast<size_t>(k)][static_cast<size_t>(entry)]; }
  bool ApplyEnabled() const { return tamb->applyButton->isEnabled(); }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  EditorContext ctx{dialogs, files};
  ServoModel model{ctx};
  std::unique_ptr<QWidget> window;
  ServoCurveFrame* tamb = nullptr;
  ServoAssignmentFrame* adr = nullptr;
};

TEST_F(FrameTambTest, ShowingRendersTheLoadedModel) {
  SetCurve(0, 10, 10);
  ctx.image.set_Hex_EE(0x00, "01");
  ctx.RasterX = 3;
  ctx.RasterY = 2;
  Show(211);
  EXPECT_EQ(tamb->countEdit->text(), "10");
  EXPECT_EQ(tamb->stretchEdit->text(), "10");
  EXPECT_EQ(tamb->pointTimeLabel->text(), "Zeit zwischen 2 Punkten = 200 ms");
  EXPECT_EQ(tamb->totalTimeLabel->text(), "Gesamtzeit für diese Kurve = 1800 ms");
  EXPECT_EQ(tamb->rasterXList->currentIndex(), 3);
  EXPECT_EQ(tamb->rasterYList->currentIndex(), 2);
  EXPECT_TRUE(tamb->sw1LearnRadio->isChecked());
  EXPECT_TRUE(tamb->curveRadios[0]->isChecked());
  EXPECT_TRUE(tamb->buttonActionLists[0]->isHidden());  // Taster 1 lists only with "Servo-Bedienung"
  EXPECT_FALSE(tamb->buttonActionLists[2]->isHidden());
  EXPECT_EQ(tamb->buttonActionLists[2]->count(), 9);
  EXPECT_EQ(tamb->buttonActionLists[2]->itemText(0), "Adr.-Lernen");
  EXPECT_EQ(tamb->buttonActionLabels[3]->text(), "Taster 2 open");
  EXPECT_FALSE(tamb->copyButtons[0]->isEnabled());
  EXPECT_TRUE(tamb->copyButtons[1]->isEnabled());
  EXPECT_EQ(tamb->scaleEdit->text(), "0,5");
  EXPECT_EQ(tamb->shiftEdit->text(), "10");
  EXPECT_TRUE(tamb->thresholdEdit->isHidden());
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_TRUE(dialogs.messages.empty());

  Show(210);
  EXPECT_TRUE(tamb->relayCanvas->isHidden());
  EXPECT_TRUE(tamb->sw1Group->isHidden());
  EXPECT_FALSE(tamb->buttonActionLists[0]->isHidden());
  EXPECT_EQ(tamb->buttonActionLabels[0]->text(), "Taster 3 close");
  EXPECT_EQ(tamb->buttonActionLists[0]->count(), 5);
}

TEST_F(FrameTambTest, EditsForwardTheirTextAndShowTheModelsAnswer) {
  SetCurve(1, 10, 10);
  Show(211);
  QTest::mouseClick(tamb->curveRadios[1], Qt::LeftButton);
  ASSERT_EQ(model.selectedCurve(), 1);
  EXPECT_FALSE(ApplyEnabled());  // viewing another curve is no change
  tamb->countEdit->setText("150");
  EXPECT_EQ(Entry(1, kEntryCount), 100);
  EXPECT_EQ(tamb->countEdit->text(), "100");
  EXPECT_TRUE(ApplyEnabled());
  tamb->countEdit->setText("x");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..100");
  EXPECT_EQ(tamb->countEdit->text(), "x");  // the typed text stays for correcting it
  tamb->stretchSpinner->step(-1);           // the spinner writes into the edit, which runs its reaction
  EXPECT_EQ(Entry(1, kEntryStretch), 9);
  EXPECT_EQ(tamb->pointTimeLabel->text(), "Zeit zwischen 2 Punkten = 180 ms");
  tamb->scaleEdit->setText("2");
  EXPECT_EQ(model.scaleText(), "2");
}

TEST_F(FrameTambTest, ThresholdEditShowsTheLimitedValue) {
  ctx.image.set_Hex_EE(0x30, "20");
  Show(466);
  EXPECT_FALSE(tamb->thresholdEdit->isHidden());
  EXPECT_EQ(tamb->thresholdEdit->text(), "32");
  tamb->thresholdEdit->setText("150");
  EXPECT_EQ(tamb->thresholdEdit->text(), "127");
  EXPECT_EQ(ctx.image.get_Hex_EE(0x30), "7F");
  EXPECT_FALSE(ApplyEnabled());
}

// The spinners of the count, stretch and X7 threshold edits step within the ranges the model
// takes (up to 100 points, a stretch up to 200, a threshold 0..127); the threshold reaches 0.
TEST_F(FrameTambTest, SpinnersStepWithinTheModelsRanges) {
  ctx.image.set_Hex_EE(0x30, "01");
  Show(466);
  const struct {
    const char* name;
    ServoUpDown* spinner;
    ServoModel::ValueRange range;
    int min, max;
  } cases[] = {
      {"Anzahl Punkte", tamb->countSpinner, ServoModel::countRange(), 1, 100},
      {"Stretch-Faktor", tamb->stretchSpinner, ServoModel::stretchRange(), 1, 200},
      {"Schwellwert", tamb->thresholdSpinner, ServoModel::thresholdRange(), 0, 127},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.range.min, c.min);
    EXPECT_EQ(c.range.max, c.max);
    EXPECT_EQ(c.spinner->minimum(), c.min);
    EXPECT_EQ(c.spinner->maximum(), c.max);
  }
  ASSERT_EQ(tamb->thresholdEdit->text(), "1");
  QTest::mouseClick(tamb->thresholdSpinner->downButton(), Qt::LeftButton);
  EXPECT_EQ(tamb->thresholdEdit->text(), "0");
  EXPECT_EQ(ctx.image.get_Hex_EE(0x30), "00");
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FrameTambTest, MouseOnBothDrawingsPaintsTheSelectedCurve) {
  SetCurve(0, 10, 1);
  Show(211);
  // Far right of the drawing, near the top: point trunc(520 / 52 + 0.5) = 10. The press at
  // x = 10 is point 0 and does not move it.
  Drag(tamb->curveCanvas, QPoint(10, 100), QPoint(520, 10));
  EXPECT_EQ(Entry(0, 10), CurvePositionAt(10, 201.0f, 201.0f / 128.0f));
  EXPECT_EQ(Entry(0, 0), 0);
  Drag(tamb->relayCanvas, QPoint(60, 5), QPoint(60, 5));  // cell 1, upper part
  EXPECT_EQ(Entry(0, 1), 0x80 | 1);
  EXPECT_TRUE(ApplyEnabled());
  // After the release moves change nothing.
  QMouseEvent move(QEvent::MouseMove, QPoint(60, 50), tamb->relayCanvas->mapToGlobal(QPoint(60, 50)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(tamb->relayCanvas, &move);
  EXPECT_EQ(Entry(0, 1), 0x80 | 1);
}

TEST_F(FrameTambTest, ButtonsReachTheirReactions) {
  SetCurve(0, 5, 1);
  SetCurve(1, 20, 7);
  Show(211);
  QTest::mouseClick(tamb->linearButton, Qt::LeftButton);
  EXPECT_EQ(Entry(0, 1), 31);
  QTest::mouseClick(tamb->mirrorVerticalButton, Qt::LeftButton);
  EXPECT_EQ(Entry(0, 1), 96);
  QTest::mouseClick(tamb->mirrorHorizontalButton, Qt::LeftButton);
  EXPECT_EQ(Entry(0, 4), 127);
  tamb->scaleEdit->setText("0,5");
  QTest::mouseClick(tamb->scaleButton, Qt::LeftButton);
  EXPECT_EQ(Entry(0, 4), 63);
  tamb->shiftEdit->setText("200");
  QTest::mouseClick(tamb->shiftButton, Qt::LeftButton);
  EXPECT_EQ(dialogs.texts().back(), kShiftRangeMessage);
  EXPECT_EQ(Entry(0, 4), 63);
  QTest::mouseClick(tamb->copyButtons[1], Qt::LeftButton);
  EXPECT_EQ(Entry(0, kEntryCount), 20);
  EXPECT_EQ(tamb->countEdit->text(), "20");
  EXPECT_EQ(tamb->stretchEdit->text(), "7");
  ASSERT_TRUE(ApplyEnabled());
  QTest::mouseClick(tamb->discardButton, Qt::LeftButton);
  EXPECT_EQ(Entry(0, kEntryCount), 5);
  EXPECT_EQ(tamb->countEdit->text(), "5");
  EXPECT_FALSE(ApplyEnabled());
  QTest::mouseClick(tamb->sine2Button, Qt::LeftButton);
  EXPECT_EQ(Entry(0, 2), 126);
  QTest::mouseClick(tamb->applyButton, Qt::LeftButton);
  EXPECT_EQ(ctx.image.get_Hex_ROM(0xA00 + 2 * 2), "7E");
  EXPECT_FALSE(ApplyEnabled());
}

TEST_F(FrameTambTest, ListsAndRadioButtonsReachTheirReactions) {
  ctx.image.set_Hex_EE(0x00, "01");
  Show(211);
  QTest::mouseClick(tamb->sw1ServoRadio, Qt::LeftButton);
  EXPECT_EQ(ctx.image.get_Hex_EE(0x00), "F0");
  EXPECT_FALSE(tamb->buttonActionLists[0]->isHidden());
  Pick(tamb->buttonActionLists[1], 3);
  EXPECT_EQ(Entry(1, kEntryButtonAction), 0x04);
  Pick(tamb->rasterXList, 5);
  Pick(tamb->rasterYList, 4);
  EXPECT_EQ(ctx.RasterX, 5);
  EXPECT_EQ(ctx.RasterY, 4);
  EXPECT_TRUE(ApplyEnabled());
}

TEST_F(FrameTambTest, FileButtonsUseTheDialogs) {
  const std::string path = ::testing::TempDir() + "servo_curve_frame_test.cur";
  ASSERT_TRUE(WriteTextLinesSafely(path, {"0", "64", "127", "192"}));
  SetCurve(0, 10, 3);
  Show(211);
  files.openAnswers.push_back(path);
  QTest::mouseClick(tamb->loadCurveButton, Qt::LeftButton);
  EXPECT_EQ(Entry(0, kEntryCount), 4);
  EXPECT_EQ(tamb->countEdit->text(), "4");
  const std::string set = ::testing::TempDir() + "servo_curve_frame_test.set";
  files.saveAnswers.push_back(set);
  QTest::mouseClick(tamb->saveSetButton, Qt::LeftButton);
  EXPECT_EQ(ReadTextLines(set)->size(), 512u);
  files.saveAnswers.push_back(path);
  QTest::mouseClick(tamb->saveCurveButton, Qt::LeftButton);
  EXPECT_EQ(*ReadTextLines(path), (std::vector<std::string>{"0", "64", "127", "192"}));
  QTest::mouseClick(tamb->discardButton, Qt::LeftButton);
  files.openAnswers.push_back(set);
  QTest::mouseClick(tamb->loadSetButton, Qt::LeftButton);
  EXPECT_EQ(Entry(0, kEntryCount), 4);
  EXPECT_EQ(files.openRequests.size(), 2u);
  EXPECT_TRUE(dialogs.messages.empty());
}

// A faulty file through the window's buttons: the message names the line, and the curve, its
// count and "übernehmen" stay as they were (no point before the faulty line taken).
TEST_F(FrameTambTest, FaultyFileLeavesTheCurveAndOffersNothing) {
  const std::string cur = ::testing::TempDir() + "frame_tamb_faulty.cur";
  const std::string set = ::testing::TempDir() + "frame_tamb_faulty.set";
  ASSERT_TRUE(WriteTextLinesSafely(cur, {"99", "98", "x"}));
  ASSERT_TRUE(WriteTextLinesSafely(set, {"99", "98", "97"}));
  SetCurve(0, 10, 3);
  Show(211);
  const CurveTable before = model.workingCopy();
  files.openAnswers.push_back(cur);
  QTest::mouseClick(tamb->loadCurveButton, Qt::LeftButton);
  files.openAnswers.push_back(set);
  QTest::mouseClick(tamb->loadSetButton, Qt::LeftButton);
  EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{"Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 2",
                                                       "Dieses File enthält ungültige Zeichen (kein Zahlenwert) in Zeile 2"}));
  EXPECT_EQ(model.workingCopy().blocks, before.blocks);
  EXPECT_EQ(tamb->countEdit->text(), "10");
  EXPECT_FALSE(ApplyEnabled());
}

// The scale and shift edits take ',' and '.' whatever the locale, and an empty edit is refused
// with the range message as korrin-cli refuses an empty value.
TEST_F(FrameTambTest, ScaleAndShiftEditsReadTheSameInEveryLocale) {
  SetCurve(0, 5, 1);
  Show(211);
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  struct Case {
    bool scale;
    const char* text;
    int point4;  // position of point 4 afterwards, 127 before
    const char* message;
  };
  const Case cases[] = {
      {true, "0,5", 63, nullptr},           {true, "0.5", 63, nullptr},     {true, "0,7", 88, nullptr},
      {false, "-10,5", 116, nullptr},       {false, "-10.5", 116, nullptr}, {true, "", 127, kScaleRangeMessage},
      {false, "", 127, kShiftRangeMessage},
  };
  for (const char* locale : {"C", "de_DE.UTF-8"}) {
    const bool german = std::string(locale) != "C";
    if (!std::setlocale(LC_ALL, locale)) continue;
    QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale(QLocale::English, QLocale::UnitedStates));
    for (const Case& c : cases) {
      model.PaintPoint(4, 127);
      dialogs.clear();
      QLineEdit* edit = c.scale ? tamb->scaleEdit : tamb->shiftEdit;
      edit->setText(QString::fromUtf8(c.text));
      QTest::mouseClick(c.scale ? tamb->scaleButton : tamb->shiftButton, Qt::LeftButton);
      EXPECT_EQ(Entry(0, 4), c.point4) << locale << " \"" << c.text << '"';
      EXPECT_EQ(dialogs.texts(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{})
          << locale << " \"" << c.text << '"';
    }
  }
  std::setlocale(LC_ALL, previous.c_str());
  QLocale::setDefault(QLocale::system());
}

// The assignment frame.

TEST_F(FrameTambTest, AssignmentFrameRendersAndForwards) {
  SetBlockEntry(0, kEntryAddrServo, 0x11);
  SetBlockEntry(2, kEntryAddrServo, 0x24);  // "Abbruch"
  SetBlockEntry(1, kEntryServoFlags, 0x84);
  Show(211);
  EXPECT_EQ(adr->actionLists[0]->currentIndex(), 1);  // "Start Loop"
  EXPECT_TRUE(adr->curveLists[2]->isHidden());
  EXPECT_TRUE(adr->relayLists[2]->isHidden());
  EXPECT_TRUE(adr->pulsesOffBoxes[1]->isChecked());
  EXPECT_FALSE(adr->voltageOffBoxes[1]->isChecked());
  Pick(adr->actionLists[0], 2);
  EXPECT_EQ(Entry(0, kEntryAddrServo), 0x21);
  EXPECT_TRUE(adr->curveLists[0]->isHidden());
  EXPECT_TRUE(ApplyEnabled());  // the curve frame's button shows the shared pending state
  Pick(adr->curveLists[5], 2);
  EXPECT_EQ(Entry(1, kEntryAddr2Curve) & 0xF0, 0x40);
  Pick(adr->relayLists[5], 3);
  EXPECT_EQ(Entry(1, kEntryAddr2Curve) & 0x0F, 0x08);
  Pick(adr->servoLists[7], 3);
  EXPECT_EQ(Entry(3, kEntryAddr2Servo), 0xF8);
  QTest::mouseClick(adr->voltageOffBoxes[3], Qt::LeftButton);
  EXPECT_TRUE(model.servoFlag(4, kFlagVoltageOff) == adr->voltageOffBoxes[3]->isChecked());
  // A change in the curve frame shows in the assignment frame: verwerfen restores the rows.
  QTest::mouseClick(tamb->discardButton, Qt::LeftButton);
  EXPECT_EQ(adr->actionLists[0]->currentIndex(), 1);
  EXPECT_FALSE(adr->curveLists[0]->isHidden());

  Show(16896);
  EXPECT_EQ(adr->addressLabels[1]->text(), "Adresse 01 aus");
  EXPECT_TRUE(adr->addressLabels[4]->isHidden());
  EXPECT_TRUE(adr->servoLists[0]->isHidden());
  EXPECT_TRUE(adr->servoGroups[1]->isHidden());
  EXPECT_FALSE(adr->servoGroups[0]->isHidden());
}

TEST_F(FrameTambTest, PulseTimesWithTheLocaleSeparator) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  ctx.image.set_Hex_EE(0x62, "32");  // servo 2: O = 50
  ctx.image.set_Hex_EE(0x63, "80");  // F = 128
  Show(211);
  EXPECT_EQ(adr->offsetEdits[1]->text(), "0,400");
  EXPECT_EQ(adr->maxEdits[1]->text(), "0,408");
  QTest::mouseClick(adr->factorButtons[1][1], Qt::LeftButton);  // "<" at 128 stays
  EXPECT_EQ(model.pulseFactor(2), 128);
  QTest::mouseClick(adr->offsetButtons[1][3], Qt::LeftButton);  // ">>"
  EXPECT_EQ(model.pulseOffset(2), 60);
  EXPECT_EQ(adr->offsetEdits[1]->text(), "0,480");
  EXPECT_TRUE(ApplyEnabled());
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  QTest::mouseClick(adr->offsetButtons[1][1], Qt::LeftButton);
  EXPECT_EQ(adr->offsetEdits[1]->text(), "0.472");
  QLocale::setDefault(QLocale::system());
}

TEST_F(FrameTambTest, ControlsAreNamedAndLabelsLeadToTheirControls) {
  Show(211);
  EXPECT_EQ(tamb->countLabel->buddy(), tamb->countEdit);
  EXPECT_EQ(tamb->thresholdLabel->buddy(), tamb->thresholdEdit);
  EXPECT_EQ(tamb->buttonActionLabels[2]->buddy(), tamb->buttonActionLists[2]);
  EXPECT_EQ(adr->minLabels[0]->buddy(), adr->offsetEdits[0]);
  EXPECT_EQ(adr->addressLabels[0]->buddy(), adr->servoLists[0]);
  EXPECT_EQ(adr->curveLists[4]->accessibleName(), "Adresse 05 Kurve");
  EXPECT_EQ(adr->factorButtons[2][0]->accessibleName(), "Servo 3 Impuls-Zeit (Max) - 80 us");
  EXPECT_EQ(tamb->buttonActionLists[0]->accessibleName(), "Taster 1 close");
  for (QWidget* frame : {static_cast<QWidget*>(tamb), static_cast<QWidget*>(adr)}) {
    for (QWidget* w : frame->findChildren<QWidget*>()) {
      const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w) ||
                           qobject_cast<ServoCanvas*>(w);
      if (!control || qobject_cast<QComboBox*>(w->parentWidget())) continue;
      const bool named = !w->accessibleName().isEmpty() ||
                         (qobject_cast<QAbstractButton*>(w) && !qobject_cast<QAbstractButton*>(w)->text().isEmpty());
      EXPECT_TRUE(named) << w->objectName().toStdString();
    }
  }
}

TEST_F(FrameTambTest, DrawingShowsMarkersGridRelayAndThreshold) {
  SetCurve(0, 10, 1);
  ctx.image.set_Hex_EE(0x30, "20");
  ctx.RasterX = 1;
  ctx.RasterY = 1;
  Show(466);
  const QImage curve = tamb->curveCanvas->grab().toImage();
  // Point 2 (position 2): x = 104, y = trunc(201 - 2 * 1.5703125) = 197, a red marker
  // from (101, 194) to (107, 200) with black outline; the joining line runs near y = 197.
  EXPECT_EQ(curve.pixelColor(103, 195), QColor(Qt::red));
  EXPECT_EQ(curve.pixelColor(101, 195), QColor(Qt::black));
  EXPECT_EQ(curve.pixelColor(260, 20), QColor(0, 255, 0));   // vertical raster line in the middle
  EXPECT_EQ(curve.pixelColor(520, 20), QColor(0, 255, 0));   // and at the end of the curve
  EXPECT_EQ(curve.pixelColor(300, 100), QColor(0, 255, 0));  // horizontal one: trunc(201 - 100.5)
  EXPECT_EQ(curve.pixelColor(300, 101), QColor(Qt::white));
  EXPECT_EQ(curve.pixelColor(300, 150), QColor(Qt::red));  // threshold 32: trunc(201 - 50.25)
  EXPECT_EQ(curve.pixelColor(529, 20), QColor(Qt::white));

  Show(211);
  model.PaintRelayStep(3, true);
  const QImage relay = tamb->relayCanvas->grab().toImage();
  EXPECT_EQ(relay.pixelColor(3 * 52 + 10, 40), QColor(Qt::red));
  EXPECT_EQ(relay.pixelColor(4 * 52 + 10, 40), QColor(Qt::white));
  EXPECT_EQ(relay.pixelColor(260, 5), QColor(0, 255, 0));
}

// The markers of the points on the drawing's edges are drawn whole: the drawing has a white
// border of half a marker around it, and a press there acts on the drawing.
TEST_F(FrameTambTest, MarkersOnTheEdgesAreDrawnWhole) {
  SetCurve(0, 10, 1);
  Show(211);
  model.PaintPoint(0, 0);    // (0, 201): on the left and the bottom edge
  model.PaintPoint(9, 127);  // (468, 1): at the top edge
  const QPoint origin = tamb->curveCanvas->pos();
  const QImage picture = tamb->grab().toImage();
  auto at = [&](int x, int y) { return picture.pixelColor(origin + QPoint(x, y)); };
  // Point 0: a marker from (-3, 198) to (2, 203), red inside its black outline.
  EXPECT_EQ(at(-2, 202), QColor(Qt::red));
  EXPECT_EQ(at(1, 199), QColor(Qt::red));
  EXPECT_EQ(at(-3, 202), QColor(Qt::black));
  EXPECT_EQ(at(-2, 203), QColor(Qt::black));
  // Point 9: from (465, -2) to (470, 3).
  EXPECT_EQ(at(467, -1), QColor(Qt::red));
  EXPECT_EQ(at(467, -2), QColor(Qt::black));
  // The rest of the border is white.
  EXPECT_EQ(at(-3, 100), QColor(Qt::white));
  EXPECT_EQ(at(300, -3), QColor(Qt::white));
  EXPECT_EQ(at(kCurveDrawingWidth + 2, 100), QColor(Qt::white));
  EXPECT_EQ(at(300, kCurveDrawingHeight + 2), QColor(Qt::white));

  // A drag from the border above point 0: the point goes to the top.
  QWidget* border = tamb->curveMargin;
  const QPoint above = tamb->curveCanvas->mapTo(tamb, QPoint(-2, -2)) - border->pos();
  QTest::mousePress(border, Qt::LeftButton, {}, above);
  QTest::mouseMove(border, above);
  QTest::mouseRelease(border, Qt::LeftButton, {}, above);
  EXPECT_EQ(Entry(0, 0), 127);
}

// Renders each servo presentation to /tmp for looking at.
TEST_F(FrameTambTest, Screenshots) {
  for (int id : {211, 210, 466, 16896}) {
    SetCurve(0, 10, 10);
    Show(id);
    QTest::mouseClick(tamb->sine2Button, Qt::LeftButton);
    model.PaintRelayStep(2, true);
    model.PaintRelayStep(3, true);
    window->resize(tamb->geometry().right() + 11, 660);
    QApplication::processEvents();
    const QString path = QString("/tmp/servo_frame_%1.png").arg(id);
    EXPECT_TRUE(window->grab().save(path));
  }
}

}  // namespace
