#pragma once
// Undo and redo in the main window. The document's history does the work; this class finds
// the ends of the user's actions, offers the two commands and shows the result:
// - a step is committed once an action has ended: a mouse button released, Enter (or, outside
//   an edit box, any key) released, an edit left, a wheel turned; so typing "128" is one step;
// - Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo (also inside an edit box, whose own undo they
//   replace);
// - a right-click on the address rows or the editor frame offers "Rückgängig: <Aktion>" and
//   "Wiederholen: <Aktion>" (an edit box keeps its other standard entries);
// - after undo or redo the rows and the shown frame render the restored state.
#include <QKeySequence>
#include <QObject>
#include <QPoint>

class QAction;
class QEvent;
class QMenu;
class QWidget;

namespace korrin {

class MainWindow;

class UndoSupport : public QObject {
  Q_OBJECT
 public:
  // Installs itself on the application and its two actions (with their shortcuts) on window.
  explicit UndoSupport(MainWindow& window);
  ~UndoSupport() override;

  void Undo();
  void Redo();
  // Commits what the user changed since the last step (when no dialog is open).
  void CommitNow();

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

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ScheduleCommit();
  void RenderRestored();
  bool InWindow(const QWidget* w) const;
  bool InRowsOrFrames(const QWidget* w) const;

  MainWindow& window_;
  bool commitScheduled_ = false;
};

}  // namespace korrin
