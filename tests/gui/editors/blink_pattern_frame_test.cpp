// The four-output frame renders its model and forwards its events; what the model does with
// them is tested on the model. These tests check the wiring and the pixel geometry.
#include "editors/gui/blink_pattern_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "qt_app.h"
#include "recording_dialogs.h"

using namespace korrin;
using korrin::testing::RecordingDialogs;
using korrin::testing::ScriptedFileDialogs;

namespace {

class FrameBlinkmusterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { korrin::testing::QtApp(); }

  void SetUp() override {
    ctx = std::make_unique<EditorContext>(dialogs, files);
    ctx->image.ResetForNewFile();
    ctx->SelectDecoderType(1);
    model = std::make_unique<BlinkPatternModel>(*ctx);
    frame = std::make_unique<BlinkPatternFrame>(*model);
  }
  void TearDown() override { frame.reset(); }

  // Entry i of the table in the image.
  void SetEntry(int i, int v) { ctx->image.setRomValue(0x600 + 2 * i, v); }
  int ImageEntry(int i) const { return ctx->image.romValue(0x600 + 2 * i); }

  // Block k: N points, stretch S, flags, all points off.
  void SetBlock(int k, int n, int s, int flags) {
    for (int i = 0; i < 64; ++i) SetEntry(64 * k + i, 0);
    SetEntry(64 * k + 53, n);
    SetEntry(64 * k + 54, s);
    SetEntry(64 * k + 55, flags);
  }

  // What the load and the main window's frame switch do: the document loads the model, the
  // window places and shows the frame, which renders it.
  void Show() {
    model->Load();
    QPushButton* apply = frame->applyButton;
    int width = apply->x() + apply->width() + 15;
    int height = apply->y() + apply->height() + 15;
    frame->setGeometry(410, 5, width, height);
    frame->show();
    frame->ShowEditor(width);
  }

  PatternStrip* Strip(int j) const {
    PatternStrip* s[] = {frame->strips[0], frame->strips[1], frame->strips[2], frame->strips[3]};
    return s[j];
  }
  QCheckBox* OutBox(int j) const {
    QCheckBox* b[] = {frame->outputBoxes[0], frame->outputBoxes[1], frame->outputBoxes[2], frame->outputBoxes[3]};
    return b[j];
  }
  int Entry(int i) const { return model->table().entry(i); }
  bool ApplyEnabled() const { return frame->applyButton->isEnabled(); }
  std::string Text(QLineEdit* e) const { return e->text().toStdString(); }
  std::string Text(QLabel* l) const { return l->text().toStdString(); }

  void Type(QLineEdit* edit, const char* text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }

  RecordingDialogs dialogs;
  ScriptedFileDialogs files;
  std::unique_ptr<EditorContext> ctx;
  std::unique_ptr<BlinkPatternModel> model;
  std::unique_ptr<BlinkPatternFrame> frame;
};

TEST_F(FrameBlinkmusterTest, RendersTheLoadedModel) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 0xF0);
  SetBlock(0, 4, 25, 0xB1);  // output 3 not used
  SetEntry(0, 1);
  SetEntry(1, 2);
  SetEntry(2, 4);
  SetEntry(3, 8);
  Show();
  EXPECT_EQ(Text(frame->countEdit), "4");
  EXPECT_EQ(Text(frame->stretchEdit), "25");
  EXPECT_EQ(Text(frame->pointTimeLabel), "Zeit-Raster = 500 ms");
  EXPECT_EQ(Text(frame->totalTimeLabel), "Gesamtzeit = 2.0000 s");
  EXPECT_TRUE(frame->loopBox->isChecked());
  EXPECT_TRUE(frame->addressButtons[0]->isChecked());
  EXPECT_FALSE(frame->copyButtons[0]->isEnabled());
  EXPECT_TRUE(frame->copyButtons[1]->isEnabled());
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_FALSE(frame->hasPendingChanges());
  EXPECT_FALSE(OutBox(2)->isChecked());
  EXPECT_FALSE(Strip(2)->isVisible());
  // Strip width = frame width - strip left - 10; four cells of (W - 10) / 4 pixels.
  EXPECT_EQ(frame->stripWidth(), 535 - 75 - 10);
  for (int j : {0, 1, 3}) {
    EXPECT_TRUE(OutBox(j)->isChecked());
    EXPECT_TRUE(Strip(j)->isVisible());
    ASSERT_EQ(Strip(j)->bars().size(), 1u) << j;
    const auto& bar = Strip(j)->bars()[0];
    EXPECT_EQ(bar.x0, static_cast<int>(static_cast<float>(j) * 110.0f));
    EXPECT_EQ(bar.x1, static_cast<int>(static_cast<float>(j + 1) * 110.0f));
    EXPECT_EQ(bar.top, 8);
  }
  // The red bar is really drawn: inside red, outline black, an off cell white.
  QImage img = Strip(1)->grab().toImage();
  EXPECT_EQ(img.pixelColor(150, 20), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(110, 20), QColor(Qt::black));
  EXPECT_EQ(img.pixelColor(150, 8), QColor(Qt::black));
  EXPECT_EQ(img.pixelColor(50, 20), QColor(Qt::white));
}

TEST_F(FrameBlinkmusterTest, MouseOnAStripPaintsThePointUnderThePointer) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 0xF1);
  Show();
  EXPECT_FLOAT_EQ(frame->geometry().cellWidth, 44.0f);
  PatternStrip* s1 = Strip(0);
  QTest::mousePress(s1, Qt::LeftButton, {}, QPoint(50, 5));
  EXPECT_EQ(Entry(1), 0) << "a press alone changes nothing";
  EXPECT_FALSE(ApplyEnabled());
  QTest::mouseMove(s1, QPoint(50, 5));
  EXPECT_EQ(Entry(1), 0x01);
  EXPECT_TRUE(ApplyEnabled());
  ASSERT_EQ(s1->bars().size(), 1u);
  EXPECT_EQ(s1->bars()[0].x0, 44);
  QTest::mouseMove(s1, QPoint(100, 10));
  EXPECT_EQ(Entry(2), 0x01);
  QTest::mouseMove(s1, QPoint(60, 30));  // lower part switches off
  EXPECT_EQ(Entry(1), 0x00);
  EXPECT_EQ(Entry(2), 0x01);
  QTest::mouseRelease(s1, Qt::LeftButton, {}, QPoint(60, 30));
  QTest::mouseMove(s1, QPoint(200, 5));  // no button held
  EXPECT_EQ(Entry(4), 0x00);

  // Strip 3 on address 2 writes bit 2 of that block; far right is the last paintable point.
  QTest::mouseClick(frame->addressButtons[1], Qt::LeftButton);
  EXPECT_EQ(model->selectedAddress(), 1);
  QTest::mousePress(Strip(2), Qt::LeftButton, {}, QPoint(100, 2));
  QTest::mouseMove(Strip(2), QPoint(100, 2));
  QTest::mouseMove(Strip(2), QPoint(5000, 2));
  QTest::mouseMove(Strip(2), QPoint(-300, 2));
  QTest::mouseRelease(Strip(2), Qt::LeftButton, {}, QPoint(-300, 2));
  EXPECT_EQ(Entry(64 + 2), 0x04);
  EXPECT_EQ(Entry(64 + 49), 0x04);
  EXPECT_EQ(Entry(64 + 0), 0x04);
  EXPECT_EQ(Entry(64 + 53), 10);
  EXPECT_EQ(ImageEntry(64 + 2), 0x00) << "the image changes only with Übernehmen";
}

TEST_F(FrameBlinkmusterTest, BoxesAndButtonsReachTheModel) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 5, 10, 0xF0);
  for (int i = 0; i < 64; ++i) SetEntry(128 + i, i & 0x0F);
  SetEntry(128 + 53, 7);
  SetEntry(128 + 54, 60);
  SetEntry(128 + 55, 0xA1);
  Show();
  QTest::mouseClick(OutBox(1), Qt::LeftButton);
  EXPECT_EQ(Entry(55), 0xD0);
  EXPECT_FALSE(Strip(1)->isVisible());
  EXPECT_TRUE(ApplyEnabled());
  QTest::mouseClick(frame->loopBox, Qt::LeftButton);
  EXPECT_EQ(Entry(55), 0xD1);

  QTest::mouseClick(frame->copyButtons[2], Qt::LeftButton);
  EXPECT_EQ(Entry(53), 7);
  EXPECT_EQ(Text(frame->countEdit), "7");
  EXPECT_EQ(Text(frame->stretchEdit), "60");
  EXPECT_EQ(Text(frame->pointTimeLabel), "Zeit-Raster = 1.2000 s");
  EXPECT_TRUE(OutBox(1)->isChecked());
  EXPECT_FALSE(OutBox(0)->isChecked());
  EXPECT_EQ(Strip(1)->bars().size(), 3u);  // points 2, 3 and 6 have bit 1
  EXPECT_FALSE(Strip(0)->isVisible());

  // Another address: its parameters reach the controls, the copy buttons follow.
  QTest::mouseClick(frame->addressButtons[2], Qt::LeftButton);
  EXPECT_EQ(model->selectedAddress(), 2);
  EXPECT_FALSE(frame->copyButtons[2]->isEnabled());
  EXPECT_TRUE(frame->copyButtons[0]->isEnabled());
}

TEST_F(FrameBlinkmusterTest, EditsReachTheModelAndShowWhatItKeeps) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 0xF0);
  Show();
  struct Case {
    QLineEdit* edit;
    const char* typed;
    const char* shown;
    int offset;
    int stored;
  } cases[] = {
      {frame->countEdit, "60", "50", 53, 50},
      {frame->countEdit, "12", "12", 53, 12},
      {frame->stretchEdit, "250", "200", 54, 200},
  };
  for (const auto& c : cases) {
    Type(c.edit, c.typed);
    EXPECT_EQ(Text(c.edit), c.shown) << c.typed;
    EXPECT_EQ(Entry(c.offset), c.stored) << c.typed;
  }
  EXPECT_EQ(Text(frame->totalTimeLabel), "Gesamtzeit = 48.0000 s");
  EXPECT_FLOAT_EQ(frame->geometry().cellWidth, 440.0f / 12.0f);
  EXPECT_TRUE(dialogs.messages.empty());

  // Not a number: the model's warning, the text stays and the edit gets the focus.
  frame->discardButton->setFocus();
  ASSERT_EQ(frame->focusWidget(), frame->discardButton);
  frame->countEdit->setText("x");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "Ungültige Eingabe.\rZugelassen sind nur Zahlen im Werte-Bereich 1..50");
  EXPECT_EQ(Text(frame->countEdit), "x");
  EXPECT_EQ(model->countText(), "x");
  EXPECT_EQ(Entry(53), 12);
  EXPECT_EQ(frame->focusWidget(), frame->countEdit);

  // The spinner steps within its range.
  Type(frame->countEdit, "50");
  QTest::mouseClick(frame->countSpinner->upButton(), Qt::LeftButton);
  EXPECT_EQ(Text(frame->countEdit), "50");
  QTest::mouseClick(frame->countSpinner->downButton(), Qt::LeftButton);
  EXPECT_EQ(Text(frame->countEdit), "49");
  EXPECT_EQ(Entry(53), 49);

  // Count 1: one cell over the whole strip less 10 pixels.
  Type(frame->countEdit, "1");
  EXPECT_FLOAT_EQ(frame->geometry().cellWidth, static_cast<float>(frame->stripWidth() - 10));
}

TEST_F(FrameBlinkmusterTest, ApplyDiscardAndTheSavesQuestion) {
  for (int k = 0; k < 4; ++k) SetBlock(k, 10, 10, 0xF1);
  Show();
  Type(frame->stretchEdit, "99");
  EXPECT_TRUE(ApplyEnabled());
  EXPECT_TRUE(frame->hasPendingChanges());
  QTest::mouseClick(frame->applyButton, Qt::LeftButton);
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_EQ(ImageEntry(54), 99);

  Type(frame->stretchEdit, "98");
  QTest::mouseClick(frame->discardButton, Qt::LeftButton);
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_EQ(Text(frame->stretchEdit), "99");
  EXPECT_EQ(Entry(54), 99);

  // The save's question applies through the model; the frame follows.
  Type(frame->stretchEdit, "97");
  ASSERT_TRUE(ApplyEnabled());
  model->applyPendingChanges();
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_EQ(ImageEntry(54), 97);

  // A hidden frame has nothing pending.
  Type(frame->stretchEdit, "96");
  EXPECT_TRUE(frame->hasPendingChanges());
  frame->hide();
  EXPECT_FALSE(frame->hasPendingChanges());
}

TEST_F(FrameBlinkmusterTest, ControlsAreNamedAndLabelled) {
  EXPECT_EQ(frame->countEdit->accessibleName(), "Anzahl Punkte");
  EXPECT_EQ(frame->countLabel->buddy(), frame->countEdit);
  EXPECT_EQ(frame->stretchEdit->accessibleName(), "Stretch-Faktor");
  EXPECT_EQ(frame->stretchLabel->buddy(), frame->stretchEdit);
  EXPECT_EQ(frame->outputBoxes[2]->accessibleName(), "Ausgang 3");
  EXPECT_EQ(frame->outputLabels[2]->buddy(), frame->outputBoxes[2]);
  EXPECT_EQ(frame->copyButtons[1]->accessibleName(), "Kurve kopieren von #2");
  EXPECT_EQ(frame->applyButton->accessibleName(), QString::fromUtf8("Übernehmen"));
  EXPECT_EQ(frame->stretchSpinner->upButton()->accessibleName(), QString::fromUtf8("Stretch-Faktor erhöhen"));
  for (auto* w : frame->findChildren<QWidget*>()) {
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w)) {
      EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
    }
  }
}

}  // namespace
