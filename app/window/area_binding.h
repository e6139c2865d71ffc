// Binds one text area of the form to the plain-text editor that shows it. Before a handler the
// editor's text is taken into the area where it may differ from it; after the handler an area
// whose lines changed is shown in one go, the caret goes to the start when the area asks for it,
// and the editor follows the area's visibility. Text crosses between the area's bytes and the
// editor's characters as UTF-8 here and nowhere else.
// A long text is shown in pieces: its first lines at once, the rest appended piece by piece from
// the event loop, so that a trace of a million lines shows at once and the window stays
// responsive while the rest comes in. Until the last piece is in, the editor takes no edits.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <string>

#include "frontend/text_area.h"
#include "model/string_list.h"

class QPlainTextEdit;

namespace dialectic {

// The editor's text as an area holds it: lines joined by LF, every other character kept as it is
// (a no-break space stays one, where QPlainTextEdit::toPlainText would make it a blank).
std::string EditorText(const QPlainTextEdit& editor);

class AreaBinding {
 public:
  // An input area is read before every handler; any other area only when the user has edited it
  // since it was last shown, so that a long trace is not copied back at every event.
  AreaBinding(TextArea& area, QPlainTextEdit& editor, bool is_input);

  // Before a handler: takes the editor's text into the area where needed and remembers the lines.
  void TakeEditorText();
  // After a handler: shows what the handler changed.
  void ShowChanges();
  // Shows the whole area, whatever changed.
  void Show();

 private:
  void ShowText();
  // Appends the lines after position from (a line break) of the text, a piece at a time.
  void AppendPieces(std::shared_ptr<const QString> text, qsizetype from, std::uint64_t showing);
  void ShowCaretAndVisibility();

  TextArea& area_;
  QPlainTextEdit& editor_;
  bool is_input_;
  LineList lines_before_;      // the area's lines when the handler started
  std::uint64_t showing_ = 0;  // counts the texts shown; a piece of an older text is dropped
  bool appending_ = false;     // pieces of the shown text are still to come
};

}  // namespace dialectic
