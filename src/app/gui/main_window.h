#pragma once
// The main window: renders the document's presentation state and turns user events into
// document calls.
#include <QMainWindow>
#include <array>
#include <memory>

#include "app/document.h"
#include "app/gui/frame_set.h"
#include "app/gui/qt_seams.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QProgressBar;

namespace korrin {

class MainWindow : public QMainWindow, private FrameHost {
  Q_OBJECT
 public:
  // dialogs/fileDialogs: the seams (the tests pass doubles); settingsPath: the ini file.
  MainWindow(Dialogs& dialogs, FileDialogs& fileDialogs, const std::string& settingsPath, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Start-up with a command-line argument: load it, then the catalogue step once more.
  void StartWithFile(const std::string& path);

  Document& document() { return doc_; }
  const FrameSet& frames() const { return frames_; }

  // Controls, named as the program's handlers know them.
  QGroupBox* rowsGroup = nullptr;
  QLabel* headerLabel = nullptr;
  std::array<QLabel*, 48> rowLabels{};
  std::array<QLineEdit*, 48> addressEdits{};
  std::array<QLineEdit*, 48> functionEdits{};
  std::array<QPushButton*, 48> colourButtons{};
  QGroupBox* buttonsGroup = nullptr;
  QPushButton *previousButton = nullptr, *loadButton = nullptr, *nextButton = nullptr, *saveButton = nullptr,
              *infoButton = nullptr, *closeButton = nullptr;
  QProgressBar* progressBar = nullptr;
  QGroupBox* logoGroup = nullptr;
  QLabel* logo = nullptr;
  QPushButton* helpButton = nullptr;
  std::array<QLabel*, 4> statusPanels{};

  void ChooseAndLoadFile();
  void SaveFile();
  void LoadPreviousFile();
  void LoadNextFile();
  void ShowHexInfo();
  void SaveSettingsAndClose();
  void ToggleRowColour(int row);
  void OpenDecoderHelp();
  void OpenProgramHelp();

  // Loads a file as "HEX laden" does after its dialog (load, then the folder neighbours).
  // Asks first about unsaved changes of the file shown.
  void LoadAndFindNeighbours(const std::string& path);

  // Asks about unsaved changes before another file is loaded or the window closes (see
  // Document::ConfirmDiscardChanges); false: the user stays with this file.
  bool MayDiscardChanges();

  // Shows the document's state on the widgets.
  void Render();
  // The title with or without the mark of unsaved changes.
  void ShowModified();

  // The help folder and the address opened for a help page.
  static QString HelpFolder();
  static QString HelpUrlFor(const std::string& page);
  // Where the help button and the logo send the user; the tests replace it.
  std::function<void(const QString& url)> openUrl;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // The close box asks about unsaved changes, as "Ende" does.
  void closeEvent(QCloseEvent* event) override;

 private:
  void HideFrames(bool includingCv) override;
  FrameMetrics MetricsFor(FrameKind kind) override;
  void ShowFrame(FrameKind kind, const MainLayout& layout) override;

  void CreateRows();
  void CreateButtons();
  void ApplyFocus();
  void NameRow(int r);
  void RecolourRows();

  Document doc_;
  std::string settingsPath_;
  FrameSet frames_;
  bool rendering_ = false;
  bool closeConfirmed_ = false;  // "Ende" has asked already
};

}  // namespace korrin
