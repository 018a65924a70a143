#include "app/gui/undo_support.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTextEdit>
#include <QTimer>

#include "app/gui/main_window.h"
#include "editors/gui/cv_table_frame.h"
#include "editors/gui/options_frame.h"
#include "editors/gui/pattern_frame_base.h"

namespace korrin {

namespace {

enum class Command { None, Undo, Redo };

// Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo.
Command CommandOf(const QKeyEvent* key) {
  const Qt::KeyboardModifiers mods =
      key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
  if (key->key() == Qt::Key_Z && mods == Qt::ControlModifier) return Command::Undo;
  if (key->key() == Qt::Key_Y && mods == Qt::ControlModifier) return Command::Redo;
  if (key->key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier)) return Command::Redo;
  return Command::None;
}

bool IsTextEdit(const QObject* o) {
  return qobject_cast<const QLineEdit*>(o) || qobject_cast<const QTextEdit*>(o) || qobject_cast<const QAbstractSpinBox*>(o);
}

}  // namespace

bool UndoSupport::IsStandardEntry(const QAction* action, QKeySequence::StandardKey key) {
  for (const QKeySequence& s : QKeySequence::keyBindings(key))
    if (!s.isEmpty() && action->text().endsWith('\t' + s.toString(QKeySequence::NativeText))) return true;
  return false;
}

QString UndoSupport::UndoText(const std::string& name) {
  return name.empty() ? QString::fromUtf8("Rückgängig") : QString::fromUtf8("Rückgängig: ") + QString::fromStdString(name);
}

QString UndoSupport::RedoText(const std::string& name) {
  return name.empty() ? QString("Wiederholen") : QString("Wiederholen: ") + QString::fromStdString(name);
}

UndoSupport::UndoSupport(MainWindow& window) : QObject(&window), window_(window) {
  setObjectName("undoSupport");
  undoAction = new QAction(UndoText(""), &window);
  undoAction->setObjectName("undoAction");
  undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redoAction = new QAction(RedoText(""), &window);
  redoAction->setObjectName("redoAction");
  redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  for (QAction* a : {undoAction, redoAction}) {
    a->setShortcutContext(Qt::WindowShortcut);
    window.addAction(a);
  }
  connect(undoAction, &QAction::triggered, this, [this] { Undo(); });
  connect(redoAction, &QAction::triggered, this, [this] { Redo(); });
  qApp->installEventFilter(this);
}

UndoSupport::~UndoSupport() {
  if (qApp) qApp->removeEventFilter(this);
}

bool UndoSupport::InWindow(const QWidget* w) const { return w && (w == &window_ || window_.isAncestorOf(w)); }

bool UndoSupport::InRowsOrFrames(const QWidget* w) const {
  if (!w) return false;
  if (window_.rowsGroup && (w == window_.rowsGroup || window_.rowsGroup->isAncestorOf(w))) return true;
  for (const EditorFrame* f : window_.frames().all())
    if (f && f->isVisible() && (w == f || f->isAncestorOf(w))) return true;
  return false;
}

void UndoSupport::ScheduleCommit() {
  if (commitScheduled_) return;
  commitScheduled_ = true;
  // After the event has been handled: the change it made is then complete.
  QTimer::singleShot(0, this, [this] {
    commitScheduled_ = false;
    CommitNow();
  });
}

void UndoSupport::CommitNow() {
  // A dialog in the middle of a reaction (a warning, a question) would cut the action in two;
  // the commit waits until it is closed.
  if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
    if (!commitScheduled_) {
      commitScheduled_ = true;
      QTimer::singleShot(200, this, [this] {
        commitScheduled_ = false;
        CommitNow();
      });
    }
    return;
  }
  window_.document().history.Commit();
  window_.ShowModified();
}

// The rows come back through the window; the editor frames render on their model's own
// notification of the restore.
void UndoSupport::RenderRestored() { window_.Render(); }

void UndoSupport::Undo() {
  if (window_.document().history.Undo()) RenderRestored();
}

void UndoSupport::Redo() {
  if (window_.document().history.Redo()) RenderRestored();
}

QMenu* UndoSupport::ContextMenuFor(QWidget* target) {
  if (!InRowsOrFrames(target)) return nullptr;
  CommitNow();  // the names must include what was just typed
  const History& history = window_.document().history;
  auto* edit = qobject_cast<QLineEdit*>(target);
  QMenu* menu = edit ? edit->createStandardContextMenu() : new QMenu;
  // An edit box's own undo would work beside the window's; the window's replaces it. The
  // standard entries carry their shortcut after a tab in their (translated) text.
  for (QAction* a : menu->actions())
    if (IsStandardEntry(a, QKeySequence::Undo) || IsStandardEntry(a, QKeySequence::Redo)) menu->removeAction(a);
  QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().front();
  auto* undo = new QAction(UndoText(history.UndoName()), menu);
  undo->setObjectName("menuUndo");
  undo->setShortcut(undoAction->shortcut());
  undo->setEnabled(history.CanUndo());
  auto* redo = new QAction(RedoText(history.RedoName()), menu);
  redo->setObjectName("menuRedo");
  redo->setShortcut(redoAction->shortcut());
  redo->setEnabled(history.CanRedo());
  connect(undo, &QAction::triggered, this, [this] { Undo(); });
  connect(redo, &QAction::triggered, this, [this] { Redo(); });
  menu->insertAction(first, undo);
  menu->insertAction(first, redo);
  if (first) menu->insertSeparator(first);
  return menu;
}

bool UndoSupport::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || !InWindow(widget)) return false;
  switch (event->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::FocusOut:
    case QEvent::Wheel: ScheduleCommit(); break;
    case QEvent::KeyRelease: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->isAutoRepeat()) break;
      // In an edit box a step ends with Enter or when the box is left; elsewhere every key
      // is an action of its own (a box ticked with Space, a bar moved with an arrow key).
      if (!IsTextEdit(widget) || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) ScheduleCommit();
      break;
    }
    case QEvent::KeyPress: {
      // Reaches here only where a widget kept the shortcut for itself (an edit box).
      const Command c = CommandOf(static_cast<QKeyEvent*>(event));
      if (c == Command::None) break;
      c == Command::Undo ? Undo() : Redo();
      return true;
    }
    case QEvent::ContextMenu: {
      QMenu* menu = ContextMenuFor(widget);
      if (!menu) break;
      menu->setAttribute(Qt::WA_DeleteOnClose);
      menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    }
    default: break;
  }
  return false;
}

}  // namespace korrin
