#pragma once
// Undo and redo in the main window. The document's history does the work: the models and the
// document record each of the user's actions as a step themselves. This class
// - ends a typed step (no more keystrokes merge into it) when the focus leaves the field or
//   Enter is pressed in it, so typing "128" is one step;
// - offers the two commands with the platform's standard keys (and Ctrl+Y for redo), also
//   inside an edit box, whose own undo they replace;
// - on a right-click on the address rows or the editor frame offers "Rückgängig: <Aktion>"
//   and "Wiederholen: <Aktion>" (an edit box keeps its other standard entries);
// - after undo or redo has the rows and the shown frame render the restored state.
// It watches only the window's edit boxes, the rows group and the frames, not the whole
// application.
#include <QKeySequence>
#include <QList>
#include <QObject>

class QAction;
class QEvent;
class QKeyEvent;
class QMenu;
class QWidget;

namespace korrin {

class MainWindow;

class UndoSupport : public QObject {
  Q_OBJECT
 public:
  // Puts its two actions (with their shortcuts) on window and watches the window's edit boxes,
  // rows and frames; make it after the rows and the frames.
  explicit UndoSupport(MainWindow& window);

  void Undo();
  void Redo();

  // The menu a right-click on target shows; nullptr when target is outside the rows and the
  // editor frames. The caller owns the menu.
  QMenu* ContextMenuFor(QWidget* target);

  QAction* undoAction = nullptr;
  QAction* redoAction = nullptr;

  // The texts of the two menu entries: "Rückgängig: CV29 ändern"; without a name when there is
  // nothing to undo or redo.
  static QString UndoText(const std::string& name);
  static QString RedoText(const std::string& name);
  // An entry of an edit box's standard menu that stands for key (its text ends with the
  // shortcut after a tab).
  static bool IsStandardEntry(const QAction* action, QKeySequence::StandardKey key);
  // The keys of the two commands: the platform's standard ones, and Ctrl+Y for redo.
  static QList<QKeySequence> UndoKeys();
  static QList<QKeySequence> RedoKeys();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void EndTyping();
  void RenderRestored();
  bool InWindow(const QWidget* w) const;
  bool InRowsOrFrames(const QWidget* w) const;
  bool IsCommandKey(const QKeyEvent* key) const;

  MainWindow& window_;
};

}  // namespace korrin
