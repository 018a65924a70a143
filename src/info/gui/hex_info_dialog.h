#pragma once
// The info dialog: the loaded image as text (configuration and ID words, EEPROM and program
// memory dumps) and its comparison with a second HEX file. It is made for one use, from the
// image as it is at that moment, and reads the image only.
#include <QDialog>
#include <array>
#include <string>

#include "editors/editor_context.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

namespace korrin {

class HexInfoDialog : public QDialog {
  Q_OBJECT
 public:
  // Fills every control from ctx.image. lastFileName is the main window's LastFileName,
  // shown as File 1 after a comparison. The dialog does not delete itself: make it on the
  // stack (ShowModal) or set Qt::WA_DeleteOnClose on a dialog made with new.
  HexInfoDialog(EditorContext& ctx, const std::string& lastFileName, QWidget* parent = nullptr);

  // Creates the dialog, shows it modally centred on parent and destroys it when it closes.
  static int ShowModal(EditorContext& ctx, const std::string& lastFileName, QWidget* parent);

  void CompareWithFile();
  void CloseDialog();

  QLabel* configLabel = nullptr;  // "Config Value:"
  std::array<QLineEdit*, 4> configEdits{};
  QLabel* idLabel = nullptr;  // "ID-Value:"
  std::array<QLineEdit*, 4> idEdits{};
  QLabel* eepromLabel = nullptr;  // "EEprom"
  QPlainTextEdit* eepromText = nullptr;
  QLabel* romLabel = nullptr;  // "ROM"
  QPlainTextEdit* romText = nullptr;
  QLabel* romCountLabel = nullptr;
  QPushButton* compareButton = nullptr;
  QPushButton* closeButton = nullptr;
  QStatusBar* statusBar = nullptr;
  std::array<QLabel*, 2> statusPanels{};

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CentreOnParent();

  EditorContext& ctx_;
  std::string lastFileName_;
};

}  // namespace korrin
