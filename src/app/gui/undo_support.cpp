#include "app/gui/undo_support.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "app/gui/main_window.h"

namespace korrin {

namespace {

bool IsEditBox(const QObject* o) { return qobject_cast<const QLineEdit*>(o) || qobject_cast<const QAbstractSpinBox*>(o); }

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

QList<QKeySequence> UndoSupport::UndoKeys() { return QKeySequence::keyBindings(QKeySequence::Undo); }

QList<QKeySequence> UndoSupport::RedoKeys() {
  QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
  const QKeySequence ctrlY(Qt::CTRL | Qt::Key_Y);
  if (!keys.contains(ctrlY)) keys.append(ctrlY);
  return keys;
}

UndoSupport::UndoSupport(MainWindow& window) : QObject(&window), window_(window) {
  setObjectName("undoSupport");
  undoAction = new QAction(UndoText(""), &window);
  undoAction->setObjectName("undoAction");
  undoAction->setShortcuts(UndoKeys());
  redoAction = new QAction(RedoText(""), &window);
  redoAction->setObjectName("redoAction");
  redoAction->setShortcuts(RedoKeys());
  for (QAction* a : {undoAction, redoAction}) {
    a->setShortcutContext(Qt::WindowShortcut);
    window.addAction(a);
  }
  connect(undoAction, &QAction::triggered, this, [this] { Undo(); });
  connect(redoAction, &QAction::triggered, this, [this] { Redo(); });

  // A typed step ends when the field is left, wherever the focus goes (another control, a
  // popup list, another window).
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) {
    if (old && InWindow(old)) EndTyping();
  });

  // The edit boxes take Enter, the undo keys and the right-click for themselves; the rows
  // group and the frames get the right-clicks their other controls pass on.
  for (QWidget* edit : window.findChildren<QWidget*>())
    if (IsEditBox(edit)) edit->installEventFilter(this);
  if (window.rowsGroup) window.rowsGroup->installEventFilter(this);
  for (EditorFrame* f : window.frames().all())
    if (f) f->installEventFilter(this);
}

bool UndoSupport::InWindow(const QWidget* w) const { return w && (w == &window_ || window_.isAncestorOf(w)); }

bool UndoSupport::InRowsOrFrames(const QWidget* w) const {
  if (!w) return false;
  if (window_.rowsGroup && (w == window_.rowsGroup || window_.rowsGroup->isAncestorOf(w))) return true;
  for (const EditorFrame* f : window_.frames().all())
    if (f && f->isVisible() && (w == f || f->isAncestorOf(w))) return true;
  return false;
}

bool UndoSupport::IsCommandKey(const QKeyEvent* key) const {
  const QKeySequence pressed(key->keyCombination());
  return undoAction->shortcuts().contains(pressed) || redoAction->shortcuts().contains(pressed);
}

void UndoSupport::EndTyping() {
  window_.document().history.EndMerge();
  window_.ShowModified();
}

// The rows come back through the window; the editor frames render on their model's own
// notification of the restore.
void UndoSupport::RenderRestored() { window_.Render(); }

void UndoSupport::Undo() {
  if (window_.document().history.Undo()) RenderRestored();
  window_.ShowModified();
}

void UndoSupport::Redo() {
  if (window_.document().history.Redo()) RenderRestored();
  window_.ShowModified();
}

QMenu* UndoSupport::ContextMenuFor(QWidget* target) {
  if (!InRowsOrFrames(target)) return nullptr;
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
  if (!widget) return false;
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // Left unaccepted, the keys reach the window's actions instead of the box's own undo.
      if (IsEditBox(widget) && IsCommandKey(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
      }
      break;
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (IsEditBox(widget) && (key == Qt::Key_Return || key == Qt::Key_Enter)) EndTyping();
      break;
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
