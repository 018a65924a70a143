#include "info/gui/hex_info_dialog.h"

#include <QFont>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <vector>

#include "info/hex_compare.h"
#include "info/info_texts.h"

namespace korrin {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Hints keep "\r\n" as their line break; a tooltip breaks at "\n".
QString Hint(const char* text) { return Text(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

void ShowLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(lines.size()));
  for (const auto& line : lines) list << Text(line);
  memo->setPlainText(list.join(QLatin1Char('\n')));
}

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, const char* hint, bool wrap) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(QString::fromLatin1(name));
  memo->setReadOnly(true);
  QFont font(QStringLiteral("Courier"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  memo->setFont(font);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  memo->setToolTip(Hint(hint));
  return memo;
}

QLineEdit* MakeEdit(QWidget* parent, const QString& name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setEnabled(false);
  edit->setFixedWidth(90);
  return edit;
}

}  // namespace

HexInfoDialog::HexInfoDialog(EditorContext& ctx, const std::string& lastFileName, QWidget* parent)
    : QDialog(parent), ctx_(ctx), lastFileName_(lastFileName) {
  setObjectName(QStringLiteral("frmInfo"));
  setWindowTitle(QStringLiteral("HEX File Information"));

  configLabel = new QLabel(QStringLiteral("Config Value:"), this);
  configLabel->setObjectName(QStringLiteral("Label3"));
  idLabel = new QLabel(QStringLiteral("ID-Value:"), this);
  idLabel->setObjectName(QStringLiteral("lbl_ID"));
  for (int n = 0; n < 4; ++n) {
    configEdits[static_cast<size_t>(n)] = MakeEdit(this, QStringLiteral("edt_config_%1").arg(n + 1));
    idEdits[static_cast<size_t>(n)] = MakeEdit(this, QStringLiteral("edt_ID_%1").arg(n + 1));
  }

  eepromLabel = new QLabel(QStringLiteral("EEprom"), this);
  eepromLabel->setObjectName(QStringLiteral("Label4"));
  eepromText = MakeMemo(this, "Memo1a", "Anzeige der EEprom Daten\r\nFür den Normal-Bediener uninteressant!", false);
  romLabel = new QLabel(QStringLiteral("ROM"), this);
  romLabel->setObjectName(QStringLiteral("Label2"));
  romText = MakeMemo(this, "Memo3a", "Anzeige der Register\r\nFür den Normal-Bediener uninteressant!", true);

  romCountLabel = new QLabel(this);
  romCountLabel->setObjectName(QStringLiteral("lbl_anzahl"));
  compareButton = new QPushButton(QStringLiteral("vergleiche mit 2. HEX-File"), this);
  compareButton->setObjectName(QStringLiteral("btn_compare"));
  compareButton->setToolTip(QStringLiteral("das geladenen HEX wird mit einer 2. Datei verglichen"));
  compareButton->setAutoDefault(false);
  closeButton = new QPushButton(QStringLiteral("Fenster schliessen"), this);
  closeButton->setObjectName(QStringLiteral("btn_close"));
  closeButton->setAutoDefault(false);

  statusBar = new QStatusBar(this);
  statusBar->setObjectName(QStringLiteral("StatusBar1"));
  statusBar->setSizeGripEnabled(false);
  for (size_t i = 0; i < 2; ++i) {
    statusPanels[i] = new QLabel(statusBar);
    statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    statusPanels[i]->setContentsMargins(4, 0, 4, 0);
  }
  // The first panel is 400 pixels wide; the last one is at least 50 and takes the rest.
  statusPanels[0]->setFixedWidth(400);
  statusPanels[1]->setMinimumWidth(50);
  statusBar->addWidget(statusPanels[0]);
  statusBar->addWidget(statusPanels[1], 1);

  // Nested layouts take their spacing from the outer one, which has none; each sets its own.
  auto* words = new QHBoxLayout;
  words->setSpacing(6);
  words->addWidget(configLabel);
  for (auto* edit : configEdits) words->addWidget(edit);
  words->addSpacing(40);
  words->addWidget(idLabel);
  for (auto* edit : idEdits) words->addWidget(edit);
  words->addStretch(1);

  auto* eepromColumn = new QVBoxLayout;
  eepromColumn->setSpacing(3);
  eepromColumn->addWidget(eepromLabel);
  eepromColumn->addWidget(eepromText, 1);
  auto* romColumn = new QVBoxLayout;
  romColumn->setSpacing(3);
  romColumn->addWidget(romLabel);
  romColumn->addWidget(romText, 1);
  auto* memos = new QHBoxLayout;
  memos->setSpacing(10);
  memos->addLayout(eepromColumn, 1);
  memos->addLayout(romColumn, 1);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(8);
  buttons->addWidget(romCountLabel);
  buttons->addStretch(1);
  buttons->addWidget(compareButton);
  buttons->addWidget(closeButton);

  auto* content = new QVBoxLayout;
  content->setContentsMargins(10, 10, 10, 8);
  content->setSpacing(8);
  content->addLayout(words);
  content->addLayout(memos, 1);
  content->addLayout(buttons);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  outer->addLayout(content, 1);
  outer->addWidget(statusBar);

  resize(978, 662);

  connect(compareButton, &QPushButton::clicked, this, &HexInfoDialog::CompareWithFile);
  connect(closeButton, &QPushButton::clicked, this, &HexInfoDialog::CloseDialog);

  const InfoTexts texts = MakeInfoTexts(ctx_.image);
  for (size_t n = 0; n < 4; ++n) {
    configEdits[n]->setText(Text(texts.config[n]));
    idEdits[n]->setText(Text(texts.id[n]));
  }
  romCountLabel->setText(Text(texts.romCount));
  ShowLines(eepromText, texts.dump.eeprom);
  ShowLines(romText, texts.dump.rom);
}

int HexInfoDialog::ShowModal(EditorContext& ctx, const std::string& lastFileName, QWidget* parent) {
  HexInfoDialog dialog(ctx, lastFileName, parent);
  return dialog.exec();
}

void HexInfoDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnParent();
}

void HexInfoDialog::CentreOnParent() {
  QWidget* owner = parentWidget();
  if (!owner) return;
  const QRect area = owner->window()->frameGeometry();
  QRect frame = frameGeometry();
  frame.moveCenter(area.center());
  move(frame.topLeft());
}

void HexInfoDialog::CompareWithFile() {
  eepromText->clear();
  romText->clear();

  FileDialogRequest request;
  request.filter = "HEX|*.hex|TXT|*.txt|*.*|*.*";
  const auto path = ctx_.fileDialogs.open(request);
  if (!path) return;

  const ComparisonResult result = CompareImageWithFile(ctx_.image, ctx_.dialogs, lastFileName_, *path);
  if (!result.fileRead) return;
  statusPanels[0]->setText(Text(result.statusFile1));
  statusPanels[0]->setToolTip(Text(result.statusFile1));
  statusPanels[1]->setText(Text(result.statusFile2));
  statusPanels[1]->setToolTip(Text(result.statusFile2));
  ShowLines(eepromText, result.eepromLines);
  ShowLines(romText, result.romLines);
}

void HexInfoDialog::CloseDialog() { close(); }

}  // namespace korrin
