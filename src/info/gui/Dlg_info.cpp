#include "info/gui/Dlg_info.h"

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

TfrmInfo::TfrmInfo(EditorContext& ctx, const std::string& lastFileName, QWidget* parent)
    : QDialog(parent), ctx_(ctx), lastFileName_(lastFileName) {
  setObjectName(QStringLiteral("frmInfo"));
  setWindowTitle(QStringLiteral("HEX File Information"));

  Label3 = new QLabel(QStringLiteral("Config Value:"), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  lbl_ID = new QLabel(QStringLiteral("ID-Value:"), this);
  lbl_ID->setObjectName(QStringLiteral("lbl_ID"));
  for (int n = 0; n < 4; ++n) {
    edt_config[static_cast<size_t>(n)] = MakeEdit(this, QStringLiteral("edt_config_%1").arg(n + 1));
    edt_ID[static_cast<size_t>(n)] = MakeEdit(this, QStringLiteral("edt_ID_%1").arg(n + 1));
  }

  Label4 = new QLabel(QStringLiteral("EEprom"), this);
  Label4->setObjectName(QStringLiteral("Label4"));
  Memo1a = MakeMemo(this, "Memo1a", "Anzeige der EEprom Daten\r\nFür den Normal-Bediener uninteressant!", false);
  Label2 = new QLabel(QStringLiteral("ROM"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Memo3a = MakeMemo(this, "Memo3a", "Anzeige der Register\r\nFür den Normal-Bediener uninteressant!", true);

  lbl_anzahl = new QLabel(this);
  lbl_anzahl->setObjectName(QStringLiteral("lbl_anzahl"));
  btn_compare = new QPushButton(QStringLiteral("vergleiche mit 2. HEX-File"), this);
  btn_compare->setObjectName(QStringLiteral("btn_compare"));
  btn_compare->setToolTip(QStringLiteral("das geladenen HEX wird mit einer 2. Datei verglichen"));
  btn_compare->setAutoDefault(false);
  btn_close = new QPushButton(QStringLiteral("Fenster schliessen"), this);
  btn_close->setObjectName(QStringLiteral("btn_close"));
  btn_close->setAutoDefault(false);

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);
  for (size_t i = 0; i < 2; ++i) {
    StatusPanels[i] = new QLabel(StatusBar1);
    StatusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    StatusPanels[i]->setContentsMargins(4, 0, 4, 0);
  }
  // The first panel is 400 pixels wide; the last one is at least 50 and takes the rest.
  StatusPanels[0]->setFixedWidth(400);
  StatusPanels[1]->setMinimumWidth(50);
  StatusBar1->addWidget(StatusPanels[0]);
  StatusBar1->addWidget(StatusPanels[1], 1);

  // Nested layouts take their spacing from the outer one, which has none; each sets its own.
  auto* words = new QHBoxLayout;
  words->setSpacing(6);
  words->addWidget(Label3);
  for (auto* edit : edt_config) words->addWidget(edit);
  words->addSpacing(40);
  words->addWidget(lbl_ID);
  for (auto* edit : edt_ID) words->addWidget(edit);
  words->addStretch(1);

  auto* eepromColumn = new QVBoxLayout;
  eepromColumn->setSpacing(3);
  eepromColumn->addWidget(Label4);
  eepromColumn->addWidget(Memo1a, 1);
  auto* romColumn = new QVBoxLayout;
  romColumn->setSpacing(3);
  romColumn->addWidget(Label2);
  romColumn->addWidget(Memo3a, 1);
  auto* memos = new QHBoxLayout;
  memos->setSpacing(10);
  memos->addLayout(eepromColumn, 1);
  memos->addLayout(romColumn, 1);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(8);
  buttons->addWidget(lbl_anzahl);
  buttons->addStretch(1);
  buttons->addWidget(btn_compare);
  buttons->addWidget(btn_close);

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
  outer->addWidget(StatusBar1);

  resize(978, 662);

  connect(btn_compare, &QPushButton::clicked, this, &TfrmInfo::btn_compareClick);
  connect(btn_close, &QPushButton::clicked, this, &TfrmInfo::btn_closeClick);

  const InfoTexts texts = MakeInfoTexts(ctx_.image);
  for (size_t n = 0; n < 4; ++n) {
    edt_config[n]->setText(Text(texts.config[n]));
    edt_ID[n]->setText(Text(texts.id[n]));
  }
  lbl_anzahl->setText(Text(texts.romCount));
  ShowLines(Memo1a, texts.dump.eeprom);
  ShowLines(Memo3a, texts.dump.rom);
}

int TfrmInfo::ShowModal(EditorContext& ctx, const std::string& lastFileName, QWidget* parent) {
  TfrmInfo dialog(ctx, lastFileName, parent);
  return dialog.exec();
}

void TfrmInfo::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnParent();
}

void TfrmInfo::CentreOnParent() {
  QWidget* owner = parentWidget();
  if (!owner) return;
  const QRect area = owner->window()->frameGeometry();
  QRect frame = frameGeometry();
  frame.moveCenter(area.center());
  move(frame.topLeft());
}

void TfrmInfo::btn_compareClick() {
  Memo1a->clear();
  Memo3a->clear();

  FileDialogRequest request;
  request.filter = "HEX|*.hex|TXT|*.txt|*.*|*.*";
  const auto path = ctx_.fileDialogs.open(request);
  if (!path) return;

  const ComparisonResult result = CompareImageWithFile(ctx_.image, ctx_.dialogs, lastFileName_, *path);
  if (!result.fileRead) return;
  StatusPanels[0]->setText(Text(result.statusFile1));
  StatusPanels[0]->setToolTip(Text(result.statusFile1));
  StatusPanels[1]->setText(Text(result.statusFile2));
  StatusPanels[1]->setToolTip(Text(result.statusFile2));
  ShowLines(Memo1a, result.eepromLines);
  ShowLines(Memo3a, result.romLines);
}

void TfrmInfo::btn_closeClick() { close(); }

}  // namespace korrin
