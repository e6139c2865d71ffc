// The Edit menu: Undo, Redo, Cut, Copy, Paste and Select All on the widget that holds the keyboard
// focus, a plain-text editor (the input and the moderate result areas), the depth box or a
// LineView (a large result area, which has no undo). Each command is enabled, as the menu opens,
// exactly when the focused widget can carry it out: nothing is changed in a read-only editor, and
// nothing at all happens while the focus is on a button or the radio items.
#pragma once

#include <QObject>
#include <utility>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace dialectic {

class EditActions : public QObject {
  Q_OBJECT

 public:
  // Fills the menu, which becomes the owner. The commands' keys show in the menu but stay with
  // the focused widget, which handles them itself, so that a key is never taken twice.
  EditActions(QMenu& menu, QWidget& window);

  enum class Command { kUndo, kRedo, kCut, kCopy, kPaste, kSelectAll };

 private:
  void EnableForFocus();
  void Carry(Command command);

  QWidget& window_;
  std::vector<std::pair<Command, QAction*>> actions_;
};

}  // namespace dialectic
