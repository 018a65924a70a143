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

class TfrmInfo : public QDialog {
  Q_OBJECT
 public:
  // Fills every control from ctx.image. lastFileName is the main window's LastFileName,
  // shown as File 1 after a comparison. The dialog does not delete itself: make it on the
  // stack (ShowModal) or set Qt::WA_DeleteOnClose on a dialog made with new.
  TfrmInfo(EditorContext& ctx, const std::string& lastFileName, QWidget* parent = nullptr);

  // Creates the dialog, shows it modally centred on parent and destroys it when it closes.
  static int ShowModal(EditorContext& ctx, const std::string& lastFileName, QWidget* parent);

  void btn_compareClick();
  void btn_closeClick();

  QLabel* Label3 = nullptr;  // "Config Value:"
  std::array<QLineEdit*, 4> edt_config{};
  QLabel* lbl_ID = nullptr;  // "ID-Value:"
  std::array<QLineEdit*, 4> edt_ID{};
  QLabel* Label4 = nullptr;  // "EEprom"
  QPlainTextEdit* Memo1a = nullptr;
  QLabel* Label2 = nullptr;  // "ROM"
  QPlainTextEdit* Memo3a = nullptr;
  QLabel* lbl_anzahl = nullptr;
  QPushButton* btn_compare = nullptr;
  QPushButton* btn_close = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  std::array<QLabel*, 2> StatusPanels{};

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CentreOnParent();

  EditorContext& ctx_;
  std::string lastFileName_;
};

}  // namespace korrin
