// Binds one text area of the form to the widgets that show it. The input area, and any area of
// moderate size, shows in a plain-text editor. A large result area shows in a LineView over the
// area's own lines, which copies nothing, lays out only what is on screen and edits the area's
// lines in place. The widget showing the area carries the area's name (Memo1 ... Memo5), the other
// none, and it follows the area's visibility. Before a handler the editor's text is taken into the
// area where it may differ from it (the view's edits are in the area already). The input area is
// shown again when a handler changed it, as one step that Undo takes back; a result area changes
// only when a run ends, and the window then shows it with Show. Text crosses between the area's
// bytes and the editor's characters as UTF-8 here and nowhere else (the LineView converts the lines
// it shows itself).
#pragma once

#include <QString>
#include <string>

#include "frontend/text_area.h"

class QPlainTextEdit;
class QWidget;

namespace dialectic {

class LineView;

// The editor's text as an area holds it: lines joined by LF, every other character kept as it is
// (a no-break space stays one, where QPlainTextEdit::toPlainText would make it a blank).
std::string EditorText(const QPlainTextEdit& editor);

// Whether the lines are too many or too long, together or one of them alone, for the editor to
// take them at once without a noticeable pause.
bool IsLargeText(const LineList& lines);

class AreaBinding {
 public:
  // The input area: read before every handler, always in the editor.
  AreaBinding(TextArea& area, QPlainTextEdit& editor, const QString& name);
  // A result area: read before a handler only when the user has edited it in the editor since it
  // was shown; shown in the view while it is large.
  AreaBinding(TextArea& area, QPlainTextEdit& editor, LineView& view, const QString& name);
  AreaBinding(const AreaBinding&) = delete;
  AreaBinding& operator=(const AreaBinding&) = delete;

  // Before a handler: takes the editor's text into the area where needed and, for the input,
  // remembers the lines.
  void TakeEditorText();
  // After a handler: shows the input again when the handler changed it, keeping the editor's undo
  // history; puts the caret at the start when the area asks for it.
  void ShowChanges();
  // Shows the whole area, whatever changed.
  void Show();

  // The widget that shows the area now (hidden while the area is).
  QWidget& Shown() const;
  bool IsShownBy(const QWidget* widget) const;
  // Selects the next place that holds the text, after the selection (backward: before it) and
  // around the end; false when there is none.
  bool Find(const QString& text, bool backward);

 private:
  void ShowIn(QWidget& widget);
  // Replaces the editor's text as one undoable edit.
  void ReplaceAsOneStep(const QString& text);
  void ShowCaretAndVisibility();

  TextArea& area_;
  QPlainTextEdit& editor_;
  LineView* view_;        // none for the input area
  bool in_view_ = false;  // whether the view shows the area rather than the editor
  QString name_;
  LineList lines_before_;  // the input's lines when the handler started
};

}  // namespace dialectic
