#include "app/window/edit_actions.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>

#include "app/window/line_view.h"

namespace dialectic {

namespace {

using Command = EditActions::Command;

struct CommandLayout {
  Command command;
  const char* name;
  const char* caption;
  QKeySequence::StandardKey key;
  bool separator_after;
};

constexpr CommandLayout kCommands[] = {
    {Command::kUndo, "actionUndo", QT_TRANSLATE_NOOP("EditActions", "&Undo"), QKeySequence::Undo,
     false},
    {Command::kRedo, "actionRedo", QT_TRANSLATE_NOOP("EditActions", "&Redo"), QKeySequence::Redo,
     true},
    {Command::kCut, "actionCut", QT_TRANSLATE_NOOP("EditActions", "Cu&t"), QKeySequence::Cut,
     false},
    {Command::kCopy, "actionCopy", QT_TRANSLATE_NOOP("EditActions", "&Copy"), QKeySequence::Copy,
     false},
    {Command::kPaste, "actionPaste", QT_TRANSLATE_NOOP("EditActions", "&Paste"),
     QKeySequence::Paste, true},
    {Command::kSelectAll, "actionSelectAll", QT_TRANSLATE_NOOP("EditActions", "Select &All"),
     QKeySequence::SelectAll, false},
};

bool ClipboardHasText() { return !QGuiApplication::clipboard()->text().isEmpty(); }

bool CanCarry(Command command, const QPlainTextEdit& editor) {
  const bool editable = !editor.isReadOnly();
  switch (command) {
    case Command::kUndo:
      return editable && editor.document()->isUndoAvailable();
    case Command::kRedo:
      return editable && editor.document()->isRedoAvailable();
    case Command::kCut:
      return editable && editor.textCursor().hasSelection();
    case Command::kCopy:
      return editor.textCursor().hasSelection();
    case Command::kPaste:
      return editable && ClipboardHasText();
    case Command::kSelectAll:
      return !editor.document()->isEmpty();
  }
  return false;
}

bool CanCarry(Command command, const QLineEdit& edit) {
  const bool editable = !edit.isReadOnly();
  switch (command) {
    case Command::kUndo:
      return editable && edit.isUndoAvailable();
    case Command::kRedo:
      return editable && edit.isRedoAvailable();
    case Command::kCut:
      return editable && edit.hasSelectedText();
    case Command::kCopy:
      return edit.hasSelectedText();
    case Command::kPaste:
      return editable && ClipboardHasText();
    case Command::kSelectAll:
      return !edit.text().isEmpty();
  }
  return false;
}

bool CanCarry(Command command, const LineView& view) {
  switch (command) {
    case Command::kUndo:
    case Command::kRedo:
      return false;
    case Command::kCut:
      return view.IsEditable() && view.HasSelection();
    case Command::kCopy:
      return view.HasSelection();
    case Command::kPaste:
      return view.IsEditable() && ClipboardHasText();
    case Command::kSelectAll:
      return view.LineCount() > 0;
  }
  return false;
}

// The plain-text editor and the line edit name their commands alike.
template <typename Editor>
void CarryIn(Command command, Editor& editor) {
  switch (command) {
    case Command::kUndo:
      return editor.undo();
    case Command::kRedo:
      return editor.redo();
    case Command::kCut:
      return editor.cut();
    case Command::kCopy:
      return editor.copy();
    case Command::kPaste:
      return editor.paste();
    case Command::kSelectAll:
      return editor.selectAll();
  }
}

void CarryIn(Command command, LineView& view) {
  switch (command) {
    case Command::kUndo:
    case Command::kRedo:
      return;
    case Command::kCut:
      return view.Cut();
    case Command::kCopy:
      return view.Copy();
    case Command::kPaste:
      return view.Paste();
    case Command::kSelectAll:
      return view.SelectAll();
  }
}

// Calls the action with the focused widget as the kind of editor it is; nothing happens when it
// is none.
template <typename Action>
void WithEditor(QWidget* focused, Action&& action) {
  if (auto* editor = qobject_cast<QPlainTextEdit*>(focused)) {
    action(*editor);
  } else if (auto* edit = qobject_cast<QLineEdit*>(focused)) {
    action(*edit);
  } else if (auto* view = qobject_cast<LineView*>(focused)) {
    action(*view);
  }
}

}  // namespace

EditActions::EditActions(QMenu& menu, QWidget& window) : QObject(&menu), window_(window) {
  for (const CommandLayout& layout : kCommands) {
    QAction* action = menu.addAction(tr(layout.caption));
    action->setObjectName(QLatin1String(layout.name));
    action->setShortcut(layout.key);
    // The key works only while the menu itself has the focus; everywhere else the focused editor
    // takes it.
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this,
            [this, command = layout.command] { Carry(command); });
    actions_.emplace_back(layout.command, action);
    if (layout.separator_after) menu.addSeparator();
  }
  connect(&menu, &QMenu::aboutToShow, this, &EditActions::EnableForFocus);
}

void EditActions::EnableForFocus() {
  QWidget* focused = window_.focusWidget();
  for (auto& [command, action] : actions_) {
    bool can = false;
    WithEditor(focused, [&can, command = command](const auto& editor) {
      can = editor.isEnabled() && CanCarry(command, editor);
    });
    action->setEnabled(can);
  }
}

void EditActions::Carry(Command command) {
  WithEditor(window_.focusWidget(), [command](auto& editor) { CarryIn(command, editor); });
}

}  // namespace dialectic
