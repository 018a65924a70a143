#include "editors/gui/led_blink_pattern_frame.h"

namespace korrin {

namespace {
constexpr int kStripLeft = 78;
constexpr int kStripTop = 58;
constexpr int kStripPitch = 44;
constexpr int kStripHeight = 38;
constexpr int kPreviewRow = kStripTop + 10 * kStripPitch;
constexpr int kBottomRow = kPreviewRow + 34;
constexpr int kFrameWidth = 850;
}  // namespace

LedBlinkPatternFrame::LedBlinkPatternFrame(LedBlinkPatternModel& model, QWidget* parent) : PatternFrameBase(model, parent) {
  parameterGroup = new QGroupBox(QStringLiteral("Parameter für ..."), this);
  const char* addressHint = "Auswahl, für welche Adresse die Angezeigten Parameter gültig sind";
  for (int i = 0; i < 4; ++i) {
    auto* r = new QRadioButton(QStringLiteral("Adresse %1").arg(i + 1), parameterGroup);
    r->resize(86, 20);
    r->setToolTip(QString::fromUtf8(addressHint));
    addressButtons[static_cast<size_t>(i)] = r;
  }
  addressButtons[0]->setChecked(true);

  loopBox = new QCheckBox(QStringLiteral("Loop"), this);
  loopBox->resize(56, 20);
  loopBox->setToolTip(QString::fromUtf8("Ablauf wieder immer wieder neu gestartet"));

  stretchLabel = new QLabel(QStringLiteral("Stretch-Faktor"), this);
  stretchLabel->resize(92, 18);
  stretchEdit = new QLineEdit(QStringLiteral("10"), this);
  stretchEdit->resize(70, 22);
  stretchEdit->setToolTip(QString::fromUtf8("ermöglicht es, den Ablauf zu Verlangsamen"));
  stretchSpinner = new PatternUpDown(stretchEdit, 1, model.maxStretch(), this);
  stretchSpinner->resize(16, 22);

  countLabel = new QLabel(QStringLiteral("Anzahl Punkte"), this);
  countLabel->resize(92, 18);
  countEdit = new QLineEdit(QStringLiteral("10"), this);
  countEdit->resize(40, 22);
  countEdit->setToolTip(QStringLiteral("Anzahl der Kurven-Punkte"));
  countSpinner = new PatternUpDown(countEdit, 1, model.maxCount(), this);
  countSpinner->resize(16, 22);

  pointTimeLabel = new QLabel(this);
  pointTimeLabel->resize(175, 18);
  totalTimeLabel = new QLabel(this);
  totalTimeLabel->resize(175, 18);

  for (int j = 0; j < 10; ++j) {
    const int y = kStripTop + j * kStripPitch;
    addOutputRow(j, QRect(8, y + 10, 48, 18), QRect(56, y + 10, 20, 20),
                 QRect(kStripLeft, y, kFrameWidth - kStripLeft - 10, kStripHeight));
  }

  copyLabel = new QLabel(QStringLiteral("Kurve kopieren"), this);
  copyLabel->resize(92, 18);
  for (int i = 0; i < 4; ++i) {
    auto* b = new QPushButton(QStringLiteral("von #%1").arg(i + 1), this);
    b->resize(54, 25);
    b->setToolTip(QStringLiteral("Kopieren der Kurvenformen von Adresse %1").arg(i + 1));
    copyButtons[static_cast<size_t>(i)] = b;
    connect(b, &QPushButton::clicked, this, [this, i] { copyClicked(i); });
  }

  discardButton = new QPushButton(QStringLiteral("Verwerfen"), this);
  discardButton->setGeometry(kFrameWidth - 15 - 90 - 10 - 90, kBottomRow, 90, 25);
  applyButton = new QPushButton(QString::fromUtf8("Übernehmen"), this);
  applyButton->setGeometry(kFrameWidth - 15 - 90, kBottomRow, 90, 25);
  applyButton->setEnabled(false);
  connect(discardButton, &QPushButton::clicked, this, [this] { discardClicked(); });
  connect(applyButton, &QPushButton::clicked, this, [this] { applyClicked(); });

  for (int i = 0; i < 4; ++i)
    connect(addressButtons[static_cast<size_t>(i)], &QRadioButton::toggled, this,
            [this, i](bool checked) { addressClicked(i, checked); });
  connect(loopBox, &QCheckBox::toggled, this, [this] { loopClicked(); });
  connect(stretchEdit, &QLineEdit::textChanged, this, [this] { stretchChanged(); });
  connect(countEdit, &QLineEdit::textChanged, this, [this] { countChanged(); });

  preview = new PatternPreview(this, model, addressButtons, QRect(8, kPreviewRow, kFrameWidth - 15 - 8, 30),
                               std::vector<QWidget*>(strips.begin(), strips.end()),
                               [this]() -> const PatternStripGeometry& { return geometry(); });
  nameControls();
  layoutControls();
  resize(kFrameWidth, kBottomRow + 25 + 15);
  hide();
}

void LedBlinkPatternFrame::layoutControls() {
  // Address buttons spaced by their width plus 10 pixels inside their group.
  int x = 8;
  for (auto* r : addressButtons) {
    r->move(x, 20);
    x += r->width() + 10;
  }
  parameterGroup->setGeometry(8, 2, x, 46);
  // Loop box right of the group, then stretch, count and the time texts side by side.
  x = parameterGroup->geometry().right() + 10;
  loopBox->move(x, 22);
  x += loopBox->width() + 6;
  stretchLabel->move(x, 4);
  stretchEdit->move(x, 24);
  stretchSpinner->move(x + stretchEdit->width(), 24);
  x += stretchLabel->width() + 8;
  countLabel->move(x, 4);
  countEdit->move(x, 24);
  countSpinner->move(x + countEdit->width(), 24);
  x += countLabel->width() + 6;
  pointTimeLabel->move(x, 10);
  totalTimeLabel->move(x, 28);
  // "Kurve kopieren" and the copy buttons in a row on the line of "Verwerfen".
  const int y = discardButton->y();
  copyLabel->move(8, y + 4);
  x = copyLabel->geometry().right() + 6;
  for (auto* b : copyButtons) {
    b->move(x, y);
    x += b->width() + 4;
  }
}

}  // namespace korrin
