#include "editors/gui/blink_pattern_frame.h"

namespace korrin {

namespace {
constexpr int kStripLeft = 75;
constexpr int kStripTop = 92;
constexpr int kStripPitch = 48;
constexpr int kStripHeight = 41;
constexpr int kPreviewRow = kStripTop + 4 * kStripPitch;
constexpr int kBottomRow = kPreviewRow + 34;
}  // namespace

BlinkPatternFrame::BlinkPatternFrame(BlinkPatternModel& model, QWidget* parent) : PatternFrameBase(model, parent) {
  parameterGroup = new QGroupBox(QStringLiteral("Parameter für ..."), this);
  parameterGroup->setGeometry(8, 2, 340, 46);
  const char* addressHint = "Auswahl, für welche Adresse die Angezeigten Parameter gültig sind";
  for (int i = 0; i < 4; ++i) {
    auto* r = new QRadioButton(QStringLiteral("Adresse %1").arg(i + 1), parameterGroup);
    r->setGeometry(8 + i * 82, 20, 80, 20);
    r->setToolTip(QString::fromUtf8(addressHint));
    addressButtons[static_cast<size_t>(i)] = r;
  }
  addressButtons[0]->setChecked(true);
  for (int i = 0; i < 4; ++i)
    connect(addressButtons[static_cast<size_t>(i)], &QRadioButton::toggled, this,
            [this, i](bool checked) { addressClicked(i, checked); });

  loopBox = new QCheckBox(QStringLiteral("Loop"), this);
  loopBox->setGeometry(358, 22, 70, 20);
  loopBox->setToolTip(QString::fromUtf8("Ablauf wieder immer wieder neu gestartet"));

  stretchLabel = new QLabel(QStringLiteral("Stretch-Faktor"), this);
  stretchLabel->setGeometry(8, 58, 90, 18);
  stretchEdit = new QLineEdit(QStringLiteral("10"), this);
  stretchEdit->setGeometry(100, 56, 40, 22);
  stretchEdit->setToolTip(QString::fromUtf8("ermöglicht es, den Ablauf zu Verlangsamen"));
  stretchSpinner = new PatternUpDown(stretchEdit, 1, model.maxStretch(), this);
  stretchSpinner->setGeometry(140, 56, 16, 22);

  countLabel = new QLabel(QStringLiteral("Anzahl Punkte"), this);
  countLabel->setGeometry(168, 58, 92, 18);
  countEdit = new QLineEdit(QStringLiteral("10"), this);
  countEdit->setGeometry(262, 56, 40, 22);
  countEdit->setToolTip(QStringLiteral("Anzahl der Kurven-Punkte"));
  countSpinner = new PatternUpDown(countEdit, 1, model.maxCount(), this);
  countSpinner->setGeometry(302, 56, 16, 22);

  pointTimeLabel = new QLabel(this);
  pointTimeLabel->setGeometry(330, 52, 200, 18);
  totalTimeLabel = new QLabel(this);
  totalTimeLabel->setGeometry(330, 70, 200, 18);

  for (int j = 0; j < 4; ++j) {
    const int y = kStripTop + j * kStripPitch;
    addOutputRow(j, QRect(8, y + 12, 42, 18), QRect(50, y + 12, 20, 20), QRect(kStripLeft, y, 450, kStripHeight));
  }

  copyLabel = new QLabel(QStringLiteral("Kurve kopieren"), this);
  copyLabel->setGeometry(8, kBottomRow + 4, 100, 18);
  for (int i = 0; i < 4; ++i) {
    auto* b = new QPushButton(QStringLiteral("von #%1").arg(i + 1), this);
    b->setGeometry(108 + i * 56, kBottomRow, 52, 25);
    b->setToolTip(QStringLiteral("Kopieren der Kurvenformen von Adresse %1").arg(i + 1));
    copyButtons[static_cast<size_t>(i)] = b;
  }
  for (int i = 0; i < 4; ++i)
    connect(copyButtons[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { copyClicked(i); });

  discardButton = new QPushButton(QStringLiteral("Verwerfen"), this);
  discardButton->setGeometry(340, kBottomRow, 85, 25);
  applyButton = new QPushButton(QString::fromUtf8("Übernehmen"), this);
  applyButton->setGeometry(435, kBottomRow, 85, 25);
  applyButton->setEnabled(false);
  connect(discardButton, &QPushButton::clicked, this, [this] { discardClicked(); });
  connect(applyButton, &QPushButton::clicked, this, [this] { applyClicked(); });

  connect(loopBox, &QCheckBox::toggled, this, [this] { loopClicked(); });
  connect(stretchEdit, &QLineEdit::textChanged, this, [this] { stretchChanged(); });
  connect(countEdit, &QLineEdit::textChanged, this, [this] { countChanged(); });

  preview = new PatternPreview(this, model, addressButtons, QRect(8, kPreviewRow, 512, 30),
                               std::vector<QWidget*>(strips.begin(), strips.end()),
                               [this]() -> const PatternStripGeometry& { return geometry(); });
  nameControls();
  resize(535, kBottomRow + 25 + 15);
  hide();
}

}  // namespace korrin
