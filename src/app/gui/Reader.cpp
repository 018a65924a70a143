#include "app/gui/Reader.h"

#include <QCoreApplication>
#include <QCloseEvent>
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

#include "info/gui/Dlg_info.h"

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

TFormMain::TFormMain(Dialogs& dialogs, FileDialogs& fileDialogs, const std::string& settingsPath, QWidget* parent)
    : QMainWindow(parent), doc_(dialogs, fileDialogs), settingsPath_(settingsPath) {
  ShowModified();
  setAcceptDrops(true);
  openUrl = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };

  auto* central = new QWidget(this);
  setCentralWidget(central);

  GroupBoxMain = new QGroupBox(central);
  GroupBoxMain->setGeometry(5, 5, 400, 475);
  lbl_header = new QLabel("Korrin", GroupBoxMain);
  lbl_header->move(5, 15);
  lbl_header->hide();
  CreateRows();
  CreateButtons();
  // Tab order: the rows in their order, then the buttons, the help button and the frame.
  QWidget* previous = nullptr;
  auto chain = [&previous](QWidget* w) {
    if (previous) setTabOrder(previous, w);
    previous = w;
  };
  for (size_t i = 0; i < 48; ++i)
    for (QWidget* w : {static_cast<QWidget*>(edt_adresse[i]), static_cast<QWidget*>(edt_funktion[i]),
                       static_cast<QWidget*>(btn_RG[i])})
      chain(w);
  for (QWidget* w : {btn_prev, btn_load, btn_next, btn_save, btn_info, btn_close, btn_goweb}) chain(w);

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
    return QFontMetrics(lbl_row[1]->font()).horizontalAdvance(QString::fromStdString(text));
  };
  doc_.headerWidthAt = [this](const std::string& text, int size) {
    QFont f = lbl_header->font();
    f.setPointSize(size);
    return QFontMetrics(f).horizontalAdvance(QString::fromStdString(text));
  };
  doc_.onProgress = [this](int value) { ProgressBar1->setValue(std::max(0, value)); };

  Settings s = ReadSettings(settingsPath_);
  doc_.RasterX = s.RasterX;
  doc_.RasterY = s.RasterY;
  doc_.LastFileName = s.LastFileName;
  move(s.WindowLeft, s.WindowTop);

  doc_.NeutralLayout();
  Render();
  new UndoSupport(*this);  // undo and redo: shortcuts, context menu, commit points
}

TFormMain::~TFormMain() { doc_.frames = nullptr; }

void TFormMain::CreateRows() {
  int x = 5, y = 5;
  for (int r = 0; r < 48; ++r) {
    const size_t i = static_cast<size_t>(r);
    y += 25;
    lbl_row[i] = new QLabel(QString("A%1").arg(r), GroupBoxMain);
    edt_adresse[i] = new QLineEdit(GroupBoxMain);
    edt_adresse[i]->setFont(AddressEditFont(edt_adresse[i]->font()));
    lbl_row[i]->setBuddy(edt_adresse[i]);
    edt_funktion[i] = new QLineEdit(GroupBoxMain);
    edt_funktion[i]->setToolTip("Funktion Nummer");
    btn_RG[i] = new QPushButton("R/G", GroupBoxMain);
    btn_RG[i]->setToolTip(QString::fromUtf8("Wechsel zwischen ROTer und GRÜNer Adresse "));
    btn_RG[i]->setFocusPolicy(Qt::TabFocus);
    QFont small = btn_RG[i]->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    btn_RG[i]->setFont(small);
    lbl_row[i]->setGeometry(x, y + 4, 100, 20);
    edt_adresse[i]->setGeometry(x + 100, y, 40, 20);
    edt_funktion[i]->setGeometry(x + 150, y, 30, 20);
    btn_RG[i]->setGeometry(x + 150, y + 2, 30, 16);
    for (QWidget* w : {static_cast<QWidget*>(lbl_row[i]), static_cast<QWidget*>(edt_adresse[i]),
                       static_cast<QWidget*>(edt_funktion[i]), static_cast<QWidget*>(btn_RG[i])})
      w->hide();
    if (r == 15) {
      x += 200;
      y = 5;
    }
    connect(edt_adresse[i], &QLineEdit::textChanged, this, [this, r](const QString& t) {
      if (!rendering_) doc_.SetRowAddressText(r, t.toStdString());
    });
    connect(edt_funktion[i], &QLineEdit::textChanged, this, [this, r](const QString& t) {
      if (!rendering_) doc_.SetRowFunctionText(r, t.toStdString());
    });
    connect(btn_RG[i], &QPushButton::clicked, this, [this, r] { btn_RGClick(r); });
  }
}

void TFormMain::CreateButtons() {
  QWidget* central = centralWidget();
  GroupBoxButtons = new QGroupBox(central);
  btn_prev = new QPushButton("<", GroupBoxButtons);
  btn_load = new QPushButton("HEX laden", GroupBoxButtons);
  btn_next = new QPushButton(">", GroupBoxButtons);
  btn_save = new QPushButton("speichern", GroupBoxButtons);
  btn_info = new QPushButton("HEX Info", GroupBoxButtons);
  btn_close = new QPushButton("Ende", GroupBoxButtons);
  ProgressBar1 = new QProgressBar(GroupBoxButtons);
  ProgressBar1->setRange(0, kDecodeProgressMaximum);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  for (QPushButton* b : {btn_load, btn_save, btn_close}) {
    QFont f = b->font();
    f.setBold(true);
    b->setFont(f);
  }
  btn_load->setToolTip(DisplayText("Hex-File laden.\r\nAnschliessend können Parameter wie z.B. die Adressen geändert werden."));
  btn_save->setToolTip(DisplayText("Hex-File speichern\r\nDas neue HEX-File kann dann in den PIC 'gebrannt' werden"));
  btn_info->setToolTip("Anzeige der HEX-Daten");
  btn_close->setToolTip("Programm beenden (ohne eine Nachfrage!)");
  btn_prev->setToolTip("Vorherige HEX-Datei des Ordners (Alt+Links)");
  btn_next->setToolTip(QString::fromUtf8("Nächste HEX-Datei des Ordners (Alt+Rechts)"));
  btn_save->setEnabled(false);
  btn_prev->setAccessibleName("Vorherige HEX-Datei");
  btn_load->setAccessibleName("HEX laden");
  btn_next->setAccessibleName(QString::fromUtf8("Nächste HEX-Datei"));
  btn_save->setAccessibleName("speichern");
  btn_info->setAccessibleName("HEX Info");
  btn_close->setAccessibleName("Ende");
  ProgressBar1->setAccessibleName("Fortschritt");

  connect(btn_prev, &QPushButton::clicked, this, [this] { btn_prevClick(); });
  connect(btn_load, &QPushButton::clicked, this, [this] { btn_loadClick(); });
  connect(btn_next, &QPushButton::clicked, this, [this] { btn_nextClick(); });
  connect(btn_save, &QPushButton::clicked, this, [this] { btn_saveClick(); });
  connect(btn_info, &QPushButton::clicked, this, [this] { btn_infoClick(); });
  connect(btn_close, &QPushButton::clicked, this, [this] { btn_closeClick(); });

  // Keyboard access to the main buttons.
  auto shortcut = [this](const QKeySequence& keys, QPushButton* button) {
    auto* s = new QShortcut(keys, this);
    connect(s, &QShortcut::activated, button, [button] {
      if (button->isEnabled()) button->click();
    });
  };
  shortcut(QKeySequence::Open, btn_load);
  shortcut(QKeySequence::Save, btn_save);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_I), btn_info);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), btn_close);
  shortcut(QKeySequence(Qt::ALT | Qt::Key_Left), btn_prev);
  shortcut(QKeySequence(Qt::ALT | Qt::Key_Right), btn_next);

  auto* imageBox = new ClickGroupBox(central);
  imageBox->clicked = [this] { gointoweb(); };
  GroupBoxImage = imageBox;
  auto* logo = new ClickLabel(GroupBoxImage);
  logo->setPixmap(LogoPixmap());
  logo->setToolTip("Zur WebSite");
  logo->setCursor(Qt::PointingHandCursor);
  logo->clicked = [this] { gointoweb(); };
  Image2 = logo;
  btn_goweb = new QPushButton("Web", central);
  btn_goweb->setToolTip("Gehe auf die WebSite zu dieser Software-Variante");
  btn_goweb->setAccessibleName("Hilfe zu diesem Decoder");
  logo->setAccessibleName("Korrin-Hilfe");
  connect(btn_goweb, &QPushButton::clicked, this, [this] { btn_gowebClick(); });
}

void TFormMain::RecolourRows() {
  for (int r = 0; r < 48; ++r) {
    QString colour;
    switch (doc_.RowColourOf(r)) {
      case Document::RowColour::White: colour = "#FFFFFF"; break;
      case Document::RowColour::Green: colour = "#00FF00"; break;
      case Document::RowColour::Red: colour = "#FF0000"; break;
    }
    edt_adresse[static_cast<size_t>(r)]->setStyleSheet(
        QString("QLineEdit { background: %1; color: black; %2 }").arg(colour, kAddressEditFrame));
  }
}

void TFormMain::Render() {
  rendering_ = true;
  const MainLayout& l = doc_.layout;

  // Header.
  QFont hf = lbl_header->font();
  hf.setPointSize(doc_.headerFontSize);
  lbl_header->setFont(hf);
  lbl_header->setText(QString::fromStdString(doc_.headerText));
  lbl_header->adjustSize();
  lbl_header->setVisible(l.headerVisible);

  // Rows.
  for (int r = 0; r < 48; ++r) {
    const size_t i = static_cast<size_t>(r);
    const AddressRow& row = doc_.rows[r];
    const RowPlacement& p = l.rows[i];
    if (r > 0) {
      Place(lbl_row[i], p.label);
      Place(edt_adresse[i], p.address);
      Place(edt_funktion[i], p.function);
      Place(btn_RG[i], p.rg);
    }
    lbl_row[i]->setText(QString::fromStdString(row.caption));
    NameRow(r);
    lbl_row[i]->setVisible(row.captionVisible);
    edt_adresse[i]->setVisible(row.addressVisible);
    edt_funktion[i]->setVisible(row.functionVisible);
    btn_RG[i]->setVisible(row.rgVisible);
    if (edt_adresse[i]->text().toStdString() != row.addressText)
      edt_adresse[i]->setText(QString::fromStdString(row.addressText));
    if (edt_funktion[i]->text().toStdString() != row.functionText)
      edt_funktion[i]->setText(QString::fromStdString(row.functionText));
    edt_adresse[i]->setToolTip(row.addressHintShown ? DisplayText(row.addressHint) : QString());
    edt_funktion[i]->setToolTip(row.functionHintShown ? DisplayText(row.functionHint) : QString("Funktion Nummer"));
  }
  RecolourRows();

  // Group boxes, buttons, logo.
  Place(GroupBoxMain, l.groupBoxMain);
  Place(GroupBoxButtons, l.groupBoxButtons);
  Place(btn_prev, l.btn_prev);
  Place(btn_load, l.btn_load);
  Place(btn_next, l.btn_next);
  Place(btn_save, l.btn_save);
  Place(btn_info, l.btn_info);
  Place(btn_close, l.btn_close);
  Place(ProgressBar1, l.progressBar);
  Place(GroupBoxImage, l.groupBoxImage);
  Place(Image2, l.image2);
  Place(btn_goweb, l.btn_goweb);
  btn_goweb->setText(QString::fromStdString(doc_.HelpPage));
  for (QPushButton* b : {btn_prev, btn_load, btn_next, btn_save, btn_info, btn_close, btn_goweb}) FitCaption(b);
  btn_save->setEnabled(doc_.saveEnabled);
  ProgressBar1->setValue(doc_.progress);

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
void TFormMain::ShowModified() {
  const bool modified = doc_.IsModified();
  if (!modified) setWindowModified(false);
  setWindowTitle(modified ? "Korrin 2022-01-09[*]" : "Korrin 2022-01-09");
  if (modified) setWindowModified(true);
}

void TFormMain::NameRow(int r) {
  // Screen readers name a row's controls after its caption; a row without one after its number.
  const size_t i = static_cast<size_t>(r);
  const QString caption = lbl_row[i]->text().trimmed();
  const QString row = caption.isEmpty() ? QString("Zeile %1").arg(r) : caption;
  edt_adresse[i]->setAccessibleName(row);
  edt_adresse[i]->setAccessibleDescription("Adresse");
  edt_funktion[i]->setAccessibleName("Funktion " + row);
  btn_RG[i]->setAccessibleName("R/G " + row);
}

void TFormMain::ApplyFocus() {
  if (!doc_.focus) return;
  const size_t i = static_cast<size_t>(doc_.focus->row);
  if (i >= 48) return;
  QLineEdit* edit = doc_.focus->edit == RowEdit::Function ? edt_funktion[i] : edt_adresse[i];
  edit->setFocus();
  edit->selectAll();
}

void TFormMain::HideFrames(bool includingCv) {
  for (EditorFrame* f : frames_.all()) {
    if (f == frames_.FrameRegister1 && !includingCv) continue;
    f->hide();
  }
}

FrameMetrics TFormMain::MetricsFor(FrameKind kind) { return frames_.metrics(kind); }

void TFormMain::ShowFrame(FrameKind kind, const MainLayout& l) {
  auto showAt = [](EditorFrame* f, const Rect& r) {
    f->filling = true;
    f->setAutoFillBackground(true);  // the CV frame lies over the row area and its header
    Place(f, r);
    f->show();
    f->raise();
  };
  switch (kind) {
    case FrameKind::Options: showAt(frames_.FrameZusatz1, l.frame); break;
    case FrameKind::Blink: showAt(frames_.FrameBlinkmuster1, l.frame); break;
    case FrameKind::LedBlink: showAt(frames_.FrameBlinkmuster_led1, l.frame); break;
    case FrameKind::Servo:
      showAt(frames_.FrameTamb1, l.frame);
      showAt(frames_.FrameTambAdr1, l.servoAddressFrame);
      frames_.FrameTambAdr1->filling = false;
      break;
    case FrameKind::Cv: showAt(frames_.FrameRegister1, l.frame); break;
    default: return;
  }
  frames_.prepare(kind);
}

bool TFormMain::MayDiscardChanges() {
  if (doc_.ConfirmDiscardChanges()) return true;
  // Staying: show what a save that did not run through left (its status text, a row error).
  Render();
  ApplyFocus();
  return false;
}

void TFormMain::LoadAndFindNeighbours(const std::string& path) {
  if (!path.empty() && !MayDiscardChanges()) return;
  doc_.LoadHexFile(path);
  doc_.FindNeighbours(path);
  Render();
  ApplyFocus();
}

// A file named at start (command line, a double click on a .hex file): loaded like any other,
// so that "<" and ">" step from it at once; the catalogue step runs once more afterwards.
void TFormMain::StartWithFile(const std::string& path) {
  doc_.LoadHexFile(path);
  doc_.FindNeighbours(path);
  doc_.ApplyCatalogue();
  Render();
  ApplyFocus();
}

void TFormMain::btn_loadClick() {
  FileDialogRequest request{"HEX-Datei laden", "HEX|*.hex|TXT|*.txt|*.*|*.*", "", doc_.LastFileName};
  if (auto path = doc_.fileDialogs.open(request)) LoadAndFindNeighbours(*path);
}

void TFormMain::btn_saveClick() {
  doc_.SaveHexFile();
  Render();
  ApplyFocus();
}

void TFormMain::btn_prevClick() {
  const std::string path = doc_.PrevFileName;
  if (!path.empty() && !MayDiscardChanges()) return;
  doc_.LoadHexFile(path);
  doc_.FindNeighbours(path);
  Render();
  ApplyFocus();
}

void TFormMain::btn_nextClick() {
  const std::string path = doc_.NextFileName;
  if (!path.empty() && !MayDiscardChanges()) return;
  doc_.LoadHexFile(path);
  doc_.FindNeighbours(path);
  Render();
  ApplyFocus();
}

void TFormMain::btn_infoClick() {
  TfrmInfo::ShowModal(doc_, doc_.LastFileName, this);
}

void TFormMain::btn_closeClick() {
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
  if (!MakeSettingsFolder(settingsPath_, &error) || !WriteSettings(settingsPath_, s, &error))
    doc_.dialogs.error(error);
  closeConfirmed_ = true;
  close();
  closeConfirmed_ = false;
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (!closeConfirmed_ && !MayDiscardChanges()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void TFormMain::btn_RGClick(int row) {
  doc_.btn_RGClick(row);
  RecolourRows();
}

QString TFormMain::HelpFolder() {
  // Beside the program, in the installation's data folder or in the build tree.
  const QString appDir = QCoreApplication::applicationDirPath();
  const std::string found = FindHelpFolder(appDir.toStdString());
  return found.empty() ? QDir(appDir + "/help").absolutePath() : QString::fromStdString(found);
}

QString TFormMain::HelpUrlFor(const std::string& page) {
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

void TFormMain::btn_gowebClick() { openUrl(HelpUrlFor(doc_.HelpPage)); }

void TFormMain::gointoweb() { openUrl(HelpUrlFor(kProgramHelpPage)); }

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && !event->mimeData()->urls().isEmpty() &&
      event->mimeData()->urls().front().isLocalFile())
    event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event) {
  const auto urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  LoadAndFindNeighbours(urls.front().toLocalFile().toStdString());
}

}  // namespace korrin
