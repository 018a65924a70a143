#include "app/gui/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QUrl>

#include "app/gui/undo_support.h"
#include "app/program_layout.h"
#include "app/settings.h"
#include "app/settings_location.h"

#include "info/gui/hex_info_dialog.h"

namespace korrin {

namespace {

const int kPanelWidths[4] = {35, 50, 50, 250};

void Place(QWidget* w, const Rect& r) { w->setGeometry(r.left, r.top, r.width, r.height); }

// The address edit keeps the 40 pixels the layout gives it and shows five digits (DCC function
// addresses go up to 16128): a one-pixel border, no padding, and the largest font, at most the
// normal one, whose five widest digits fit between the edit's own two-pixel text margins.
constexpr int kAddressEditWidth = 40;
const char* const kAddressEditFrame = "border: 1px solid #7A7A7A; padding: 0px;";

// A button narrower than its caption (the layout gives "HEX Info" 52 pixels in the neutral
// window) gets a smaller font, down to 6 points, so the caption stays readable.
void FitCaption(QPushButton* b) {
  QFont f = b->font();
  if (!b->property("normalPointSize").isValid()) b->setProperty("normalPointSize", f.pointSizeF());
  const qreal normal = b->property("normalPointSize").toReal();
  QStyleOptionButton option;
  option.initFrom(b);
  option.rect = QRect(0, 0, b->width(), b->height());
  const int room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b).width() - 4;
  for (qreal size = normal; size >= 6.0; size -= 0.5) {
    f.setPointSizeF(size);
    if (QFontMetrics(f).horizontalAdvance(b->text()) <= room) break;
  }
  b->setFont(f);
}

QFont AddressEditFont(const QFont& normal) {
  const qreal room = kAddressEditWidth - 2 * 1 - 2 * 2 - 1;  // border, text margins, cursor
  QFont f = normal;
  for (qreal size = normal.pointSizeF(); size >= 6.0; size -= 0.5) {
    f.setPointSizeF(size);
    const QFontMetricsF fm(f);
    qreal digit = 0;
    for (char c = '0'; c <= '9'; ++c) digit = std::max(digit, fm.horizontalAdvance(QChar(c)));
    if (5 * digit <= room) break;
  }
  return f;
}

// A label that runs an action when clicked (the logo).
class ClickLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> clicked;

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && clicked) clicked();
    QLabel::mouseReleaseEvent(e);
  }
};

class ClickGroupBox : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;
  std::function<void()> clicked;

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && clicked) clicked();
    QGroupBox::mouseReleaseEvent(e);
  }
};

QPixmap LogoPixmap() {
  const qreal dpr = 2.0;
  QPixmap pm(QSize(LayoutMetrics::kImageWidth, LayoutMetrics::kImageHeight) * dpr);
  pm.setDevicePixelRatio(dpr);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(0x1F, 0x4E, 0x79));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(1, 1, 198, 30), 6, 6);
  // two rails and sleepers
  p.setPen(QPen(QColor(0xC8, 0xD6, 0xE5), 1.5));
  for (int x = 12; x < 60; x += 8) p.drawLine(x, 8, x - 4, 24);
  p.drawLine(6, 12, 62, 12);
  p.drawLine(4, 20, 60, 20);
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(18);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(66, 0, 130, 32), Qt::AlignVCenter | Qt::AlignLeft, "Korrin");
  return pm;
}

}  // namespace

MainWindow::MainWindow(Dialogs& dialogs, FileDialogs& fileDialogs, const std::string& settingsPath, QWidget* parent)
    : QMainWindow(parent), doc_(dialogs, fileDialogs), settingsPath_(settingsPath) {
  // Every recorded step may change whether there are unsaved changes: the title follows at once.
  doc_.history.onStepRecorded = [this] { ShowModified(); };
  ShowModified();
  setAcceptDrops(true);
  openUrl = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };

  auto* central = new QWidget(this);
  setCentralWidget(central);

  rowsGroup = new QGroupBox(central);
  rowsGroup->setGeometry(5, 5, 400, 475);
  headerLabel = new QLabel("Korrin", rowsGroup);
  headerLabel->move(5, 15);
  headerLabel->hide();
  CreateRows();
  CreateButtons();
  // Tab order: the rows in their order, then the buttons, the help button and the frame.
  QWidget* previous = nullptr;
  auto chain = [&previous](QWidget* w) {
    if (previous) setTabOrder(previous, w);
    previous = w;
  };
  for (size_t i = 0; i < 48; ++i)
    for (QWidget* w : {static_cast<QWidget*>(addressEdits[i]), static_cast<QWidget*>(functionEdits[i]),
                       static_cast<QWidget*>(colourButtons[i])})
      chain(w);
  for (QWidget* w : {previousButton, loadButton, nextButton, saveButton, infoButton, closeButton, helpButton}) chain(w);

  for (int i = 0; i < 4; ++i) {
    statusPanels[static_cast<size_t>(i)] = new QLabel(this);
    statusPanels[static_cast<size_t>(i)]->setMinimumWidth(kPanelWidths[i]);
    statusBar()->addWidget(statusPanels[static_cast<size_t>(i)], i == 3 ? 1 : 0);
  }
  statusBar()->setToolTip("Anzeige der HEX-Version und des Namens");
  statusBar()->setSizeGripEnabled(false);
  statusBar()->setFixedHeight(LayoutMetrics::kStatusBarHeight);

  frames_ = CreateFrames(doc_.editors, doc_, central);
  doc_.frames = this;
  // The save asks the shown editor's model about pending changes; no frame keeps any.

  doc_.captionWidth = [this](const std::string& text) {
    return QFontMetrics(rowLabels[1]->font()).horizontalAdvance(QString::fromStdString(text));
  };
  doc_.headerWidthAt = [this](const std::string& text, int size) {
    QFont f = headerLabel->font();
    f.setPointSize(size);
    return QFontMetrics(f).horizontalAdvance(QString::fromStdString(text));
  };
  doc_.onProgress = [this](int value) { progressBar->setValue(std::max(0, value)); };

  Settings s = ReadSettings(settingsPath_);
  doc_.RasterX = s.RasterX;
  doc_.RasterY = s.RasterY;
  doc_.LastFileName = s.LastFileName;
  move(s.WindowLeft, s.WindowTop);

  doc_.NeutralLayout();
  Render();
  new UndoSupport(*this);  // undo and redo: shortcuts, context menu, the end of typing
}

MainWindow::~MainWindow() { doc_.frames = nullptr; }

void MainWindow::CreateRows() {
  int x = 5, y = 5;
  for (int r = 0; r < 48; ++r) {
    const size_t i = static_cast<size_t>(r);
    y += 25;
    rowLabels[i] = new QLabel(QString("A%1").arg(r), rowsGroup);
    addressEdits[i] = new QLineEdit(rowsGroup);
    addressEdits[i]->setFont(AddressEditFont(addressEdits[i]->font()));
    rowLabels[i]->setBuddy(addressEdits[i]);
    functionEdits[i] = new QLineEdit(rowsGroup);
    functionEdits[i]->setToolTip("Funktion Nummer");
    colourButtons[i] = new QPushButton("R/G", rowsGroup);
    colourButtons[i]->setToolTip(QString::fromUtf8("Wechsel zwischen ROTer und GRÜNer Adresse "));
    colourButtons[i]->setFocusPolicy(Qt::TabFocus);
    QFont small = colourButtons[i]->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    colourButtons[i]->setFont(small);
    rowLabels[i]->setGeometry(x, y + 4, 100, 20);
    addressEdits[i]->setGeometry(x + 100, y, 40, 20);
    functionEdits[i]->setGeometry(x + 150, y, 30, 20);
    colourButtons[i]->setGeometry(x + 150, y + 2, 30, 16);
    for (QWidget* w : {static_cast<QWidget*>(rowLabels[i]), static_cast<QWidget*>(addressEdits[i]),
                       static_cast<QWidget*>(functionEdits[i]), static_cast<QWidget*>(colourButtons[i])})
      w->hide();
    if (r == 15) {
      x += 200;
      y = 5;
    }
    connect(addressEdits[i], &QLineEdit::textChanged, this, [this, r](const QString& t) {
      if (!rendering_) doc_.SetRowAddressText(r, t.toStdString());
    });
    connect(functionEdits[i], &QLineEdit::textChanged, this, [this, r](const QString& t) {
      if (!rendering_) doc_.SetRowFunctionText(r, t.toStdString());
    });
    connect(colourButtons[i], &QPushButton::clicked, this, [this, r] { ToggleRowColour(r); });
  }
}

void MainWindow::CreateButtons() {
  QWidget* central = centralWidget();
  buttonsGroup = new QGroupBox(central);
  previousButton = new QPushButton("<", buttonsGroup);
  loadButton = new QPushButton("HEX laden", buttonsGroup);
  nextButton = new QPushButton(">", buttonsGroup);
  saveButton = new QPushButton("speichern", buttonsGroup);
  infoButton = new QPushButton("HEX Info", buttonsGroup);
  closeButton = new QPushButton("Ende", buttonsGroup);
  progressBar = new QProgressBar(buttonsGroup);
  progressBar->setRange(0, kDecodeProgressMaximum);
  progressBar->setValue(0);
  progressBar->setTextVisible(false);
  for (QPushButton* b : {loadButton, saveButton, closeButton}) {
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
  }
  loadButton->setToolTip(DisplayText("Hex-File laden.\r\nAnschliessend können Parameter wie z.B. die Adressen geändert werden."));
  saveButton->setToolTip(DisplayText("Hex-File speichern\r\nDas neue HEX-File kann dann in den PIC 'gebrannt' werden"));
  infoButton->setToolTip("Anzeige der HEX-Daten");
  closeButton->setToolTip("Programm beenden (ohne eine Nachfrage!)");
  previousButton->setToolTip("Vorherige HEX-Datei des Ordners (Alt+Links)");
  nextButton->setToolTip(QString::fromUtf8("Nächste HEX-Datei des Ordners (Alt+Rechts)"));
  saveButton->setEnabled(false);
  previousButton->setAccessibleName("Vorherige HEX-Datei");
  loadButton->setAccessibleName("HEX laden");
  nextButton->setAccessibleName(QString::fromUtf8("Nächste HEX-Datei"));
  saveButton->setAccessibleName("speichern");
  infoButton->setAccessibleName("HEX Info");
  closeButton->setAccessibleName("Ende");
  progressBar->setAccessibleName("Fortschritt");

  connect(previousButton, &QPushButton::clicked, this, [this] { LoadPreviousFile(); });
  connect(loadButton, &QPushButton::clicked, this, [this] { ChooseAndLoadFile(); });
  connect(nextButton, &QPushButton::clicked, this, [this] { LoadNextFile(); });
  connect(saveButton, &QPushButton::clicked, this, [this] { SaveFile(); });
  connect(infoButton, &QPushButton::clicked, this, [this] { ShowHexInfo(); });
  connect(closeButton, &QPushButton::clicked, this, [this] { SaveSettingsAndClose(); });

  // Keyboard access to the main buttons.
  auto shortcut = [this](const QKeySequence& keys, QPushButton* button) {
    auto* s = new QShortcut(keys, this);
    connect(s, &QShortcut::activated, button, [button] {
      if (button->isEnabled()) button->click();
    });
  };
  shortcut(QKeySequence::Open, loadButton);
  shortcut(QKeySequence::Save, saveButton);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_I), infoButton);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), closeButton);
  shortcut(QKeySequence(Qt::ALT | Qt::Key_Left), previousButton);
  shortcut(QKeySequence(Qt::ALT | Qt::Key_Right), nextButton);

  auto* imageBox = new ClickGroupBox(central);
  imageBox->clicked = [this] { OpenProgramHelp(); };
  logoGroup = imageBox;
  auto* logoLabel = new ClickLabel(logoGroup);
  logoLabel->setPixmap(LogoPixmap());
  logoLabel->setToolTip("Zur WebSite");
  logoLabel->setCursor(Qt::PointingHandCursor);
  logoLabel->clicked = [this] { OpenProgramHelp(); };
  logo = logoLabel;
  helpButton = new QPushButton("Web", central);
  helpButton->setToolTip("Gehe auf die WebSite zu dieser Software-Variante");
  helpButton->setAccessibleName("Hilfe zu diesem Decoder");
  logoLabel->setAccessibleName("Korrin-Hilfe");
  connect(helpButton, &QPushButton::clicked, this, [this] { OpenDecoderHelp(); });
}

void MainWindow::RecolourRows() {
  for (int r = 0; r < 48; ++r) {
    QString colour;
    switch (doc_.RowColourOf(r)) {
      case Document::RowColour::White: colour = "#FFFFFF"; break;
      case Document::RowColour::Green: colour = "#00FF00"; break;
      case Document::RowColour::Red: colour = "#FF0000"; break;
    }
    addressEdits[static_cast<size_t>(r)]->setStyleSheet(
        QString("QLineEdit { background: %1; color: black; %2 }").arg(colour, kAddressEditFrame));
  }
}

void MainWindow::Render() {
  rendering_ = true;
  const MainLayout& l = doc_.layout;

  // Header.
  QFont hf = headerLabel->font();
  hf.setPointSize(doc_.headerFontSize);
  headerLabel->setFont(hf);
  headerLabel->setText(QString::fromStdString(doc_.headerText));
  headerLabel->adjustSize();
  headerLabel->setVisible(l.headerVisible);

  // Rows.
  for (int r = 0; r < 48; ++r) {
    const size_t i = static_cast<size_t>(r);
    const AddressRow& row = doc_.rows[r];
    const RowPlacement& p = l.rows[i];
    if (r > 0) {
      Place(rowLabels[i], p.label);
      Place(addressEdits[i], p.address);
      Place(functionEdits[i], p.function);
      Place(colourButtons[i], p.rg);
    }
    rowLabels[i]->setText(QString::fromStdString(row.caption));
    NameRow(r);
    rowLabels[i]->setVisible(row.captionVisible);
    addressEdits[i]->setVisible(row.addressVisible);
    functionEdits[i]->setVisible(row.functionVisible);
    colourButtons[i]->setVisible(row.rgVisible);
    if (addressEdits[i]->text().toStdString() != row.addressText)
      addressEdits[i]->setText(QString::fromStdString(row.addressText));
    if (functionEdits[i]->text().toStdString() != row.functionText)
      functionEdits[i]->setText(QString::fromStdString(row.functionText));
    addressEdits[i]->setToolTip(row.addressHintShown ? DisplayText(row.addressHint) : QString());
    functionEdits[i]->setToolTip(row.functionHintShown ? DisplayText(row.functionHint) : QString("Funktion Nummer"));
  }
  RecolourRows();

  // Group boxes, buttons, logo.
  Place(rowsGroup, l.groupBoxMain);
  Place(buttonsGroup, l.buttonsGroup);
  Place(previousButton, l.previousButton);
  Place(loadButton, l.loadButton);
  Place(nextButton, l.nextButton);
  Place(saveButton, l.saveButton);
  Place(infoButton, l.infoButton);
  Place(closeButton, l.closeButton);
  Place(progressBar, l.progressBar);
  Place(logoGroup, l.logoGroup);
  Place(logo, l.logo);
  Place(helpButton, l.helpButton);
  helpButton->setText(QString::fromStdString(doc_.HelpPage));
  for (QPushButton* b : {previousButton, loadButton, nextButton, saveButton, infoButton, closeButton, helpButton}) FitCaption(b);
  saveButton->setEnabled(doc_.saveEnabled);
  progressBar->setValue(doc_.progress);

  for (size_t i = 0; i < 4; ++i) statusPanels[i]->setText(QString::fromStdString(doc_.statusPanels[i]));

  // Window size: exactly the layout's; the status bar has the height the layout counts with.
  setMinimumSize(0, 0);
  resize(l.windowWidth, l.windowHeight);
  setMinimumSize(l.minWidth, l.minHeight);
  ShowModified();
  rendering_ = false;
}

// The title marks unsaved changes as desktop programs do ("Korrin 2022-01-09*"); the mark's
// place "[*]" is in the title only while there is one, so the plain title stays as it was.
void MainWindow::ShowModified() {
  const bool modified = doc_.IsModified();
  if (!modified) setWindowModified(false);
  setWindowTitle(modified ? "Korrin 2022-01-09[*]" : "Korrin 2022-01-09");
  if (modified) setWindowModified(true);
}

void MainWindow::NameRow(int r) {
  // Screen readers name a row's controls after its caption; a row without one after its number.
  const size_t i = static_cast<size_t>(r);
  const QString caption = rowLabels[i]->text().trimmed();
  const QString row = caption.isEmpty() ? QString("Zeile %1").arg(r) : caption;
  addressEdits[i]->setAccessibleName(row);
  addressEdits[i]->setAccessibleDescription("Adresse");
  functionEdits[i]->setAccessibleName("Funktion " + row);
  colourButtons[i]->setAccessibleName("R/G " + row);
}

void MainWindow::ApplyFocus() {
  if (!doc_.focus) return;
  const size_t i = static_cast<size_t>(doc_.focus->row);
  if (i >= 48) return;
  QLineEdit* edit = doc_.focus->edit == RowEdit::Function ? functionEdits[i] : addressEdits[i];
  edit->setFocus();
  edit->selectAll();
}

void MainWindow::HideFrames(bool includingCv) {
  for (EditorFrame* f : frames_.all()) {
    if (f == frames_.cvTableFrame && !includingCv) continue;
    f->hide();
  }
}

FrameMetrics MainWindow::MetricsFor(FrameKind kind) { return frames_.metrics(kind); }

void MainWindow::ShowFrame(FrameKind kind, const MainLayout& l) {
  const std::vector<PlacedFrame>& shown = frames_.framesOf(kind);
  for (const PlacedFrame& p : shown) {
    EditorFrame* f = p.frame;
    f->setAutoFillBackground(true);  // the CV frame lies over the row area and its header
    Place(f, p.place == FramePlace::ServoAddresses ? l.servoAddressFrame : l.frame);
    f->show();
    f->raise();
  }
  // Each frame's own preparation after being placed and shown; it shows the model the
  // document has loaded.
  for (const PlacedFrame& p : shown) p.frame->ShowEditor();
}

bool MainWindow::MayDiscardChanges() {
  if (doc_.ConfirmDiscardChanges()) return true;
  // Staying: show what a save that did not run through left (its status text, a row error).
  Render();
  ApplyFocus();
  return false;
}

void MainWindow::LoadAndFindNeighbours(const std::string& path) {
  if (!path.empty() && !MayDiscardChanges()) return;
  doc_.LoadHexFile(path);
  doc_.FindNeighbours(path);
  Render();
  ApplyFocus();
}

// A file named at start (command line, a double click on a .hex file): loaded like any other,
// so that "<" and ">" step from it at once; the catalogue step runs once more afterwards.
void MainWindow::StartWithFile(const std::string& path) {
  doc_.LoadHexFile(path);
  doc_.FindNeighbours(path);
  doc_.ApplyCatalogue();
  Render();
  ApplyFocus();
}

void MainWindow::ChooseAndLoadFile() {
  FileDialogRequest request{"HEX-Datei laden", "HEX|*.hex|TXT|*.txt|*.*|*.*", "", doc_.LastFileName};
  if (auto path = doc_.fileDialogs.open(request)) LoadAndFindNeighbours(*path);
}

void MainWindow::SaveFile() {
  doc_.SaveHexFile();
  Render();
  ApplyFocus();
}

void MainWindow::LoadPreviousFile() {
  const std::string path = doc_.PrevFileName;
  if (!path.empty() && !MayDiscardChanges()) return;
  doc_.LoadHexFile(path);
  doc_.FindNeighbours(path);
  Render();
  ApplyFocus();
}

void MainWindow::LoadNextFile() {
  const std::string path = doc_.NextFileName;
  if (!path.empty() && !MayDiscardChanges()) return;
  doc_.LoadHexFile(path);
  doc_.FindNeighbours(path);
  Render();
  ApplyFocus();
}

void MainWindow::ShowHexInfo() { HexInfoDialog::ShowModal(doc_, doc_.LastFileName, this); }

void MainWindow::SaveSettingsAndClose() {
  if (!MayDiscardChanges()) return;
  Settings s;
  s.RasterX = doc_.RasterX;
  s.RasterY = doc_.RasterY;
  s.WindowWidth = width();
  s.WindowTop = y();
  s.WindowLeft = x();
  s.LastFileName = doc_.LastFileName;
  // The program closes even when the settings cannot be written; the user learns why.
  std::string error;
  if (!MakeSettingsFolder(settingsPath_, &error) || !WriteSettings(settingsPath_, s, &error)) doc_.dialogs.error(error);
  closeConfirmed_ = true;
  close();
  closeConfirmed_ = false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closeConfirmed_ && !MayDiscardChanges()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void MainWindow::ToggleRowColour(int row) {
  doc_.ToggleRowColour(row);
  RecolourRows();
}

QString MainWindow::HelpFolder() {
  // Beside the program, in the installation's data folder or in the build tree.
  const QString appDir = QCoreApplication::applicationDirPath();
  const std::string found = FindHelpFolder(appDir.toStdString());
  return found.empty() ? QDir(appDir + "/help").absolutePath() : QString::fromStdString(found);
}

QString MainWindow::HelpUrlFor(const std::string& page) {
  // Help pages are addresses relative to the folder that holds the help folder.
  QString p = QString::fromStdString(page);
  if (p.startsWith("http://") || p.startsWith("https://")) return p;
  QString folder = HelpFolder();
  QString relative = p.startsWith("help/") ? p.mid(5) : p;
  QString fragment;
  qsizetype hash = relative.indexOf('#');
  if (hash >= 0) {
    fragment = relative.mid(hash + 1);
    relative = relative.left(hash);
  }
  QUrl url = QUrl::fromLocalFile(folder + "/" + relative);
  if (!fragment.isEmpty()) url.setFragment(fragment);
  return url.toString();
}

void MainWindow::OpenDecoderHelp() { openUrl(HelpUrlFor(doc_.HelpPage)); }

void MainWindow::OpenProgramHelp() { openUrl(HelpUrlFor(kProgramHelpPage)); }

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && !event->mimeData()->urls().isEmpty() && event->mimeData()->urls().front().isLocalFile())
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const auto urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  LoadAndFindNeighbours(urls.front().toLocalFile().toStdString());
}

}  // namespace korrin
