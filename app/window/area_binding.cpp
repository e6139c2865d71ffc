#include "app/window/area_binding.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace dialectic {

namespace {

// Lines per piece of a long text: each piece takes the editor some tens of milliseconds.
constexpr int kLinesPerPiece = 20000;

// The position of the line break that ends the given number of lines from position from on, or
// -1 when the text ends first.
qsizetype EndOfLines(const QString& text, qsizetype from, int lines) {
  qsizetype at = from - 1;
  for (int line = 0; line < lines; ++line) {
    at = text.indexOf(QLatin1Char('\n'), at + 1);
    if (at < 0) return -1;
  }
  return at;
}

}  // namespace

std::string EditorText(const QPlainTextEdit& editor) {
  // The raw text separates lines by paragraph separators (and line separators where the user
  // pressed Shift+Enter) and keeps every other character unchanged.
  QString text = editor.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return text.toUtf8().toStdString();
}

AreaBinding::AreaBinding(TextArea& area, QPlainTextEdit& editor, bool is_input)
    : area_(area), editor_(editor), is_input_(is_input) {}

void AreaBinding::TakeEditorText() {
  // While pieces are still to come the area holds the whole text and the editor only a part.
  if (!appending_ && (is_input_ || editor_.document()->isModified()))
    area_.SetText(EditorText(editor_));
  lines_before_ = static_cast<const LineList&>(area_);
}

void AreaBinding::ShowChanges() {
  if (!(static_cast<const LineList&>(area_) == lines_before_)) ShowText();
  lines_before_.Clear();
  ShowCaretAndVisibility();
}

void AreaBinding::Show() {
  ShowText();
  ShowCaretAndVisibility();
}

void AreaBinding::ShowText() {
  const std::uint64_t showing = ++showing_;
  auto text = std::make_shared<const QString>(QString::fromStdString(area_.Text()));
  const qsizetype first_piece_end = EndOfLines(*text, 0, kLinesPerPiece);
  editor_.setPlainText(first_piece_end < 0 ? *text : text->first(first_piece_end));
  // The editor now shows the area exactly; an edit from here on marks it for reading back.
  editor_.document()->setModified(false);
  const bool complete = first_piece_end < 0;
  appending_ = !complete;
  editor_.setReadOnly(!complete);
  editor_.document()->setUndoRedoEnabled(complete);
  if (!complete) AppendPieces(std::move(text), first_piece_end, showing);
}

void AreaBinding::AppendPieces(std::shared_ptr<const QString> text, qsizetype from,
                               std::uint64_t showing) {
  QTimer::singleShot(0, &editor_, [this, text = std::move(text), from, showing] {
    if (showing != showing_) return;
    const qsizetype piece_end = EndOfLines(*text, from + 1, kLinesPerPiece);
    QTextCursor end(editor_.document());
    end.movePosition(QTextCursor::End);
    end.insertText(text->mid(from, piece_end < 0 ? -1 : piece_end - from));
    editor_.document()->setModified(false);
    if (piece_end >= 0) {
      AppendPieces(text, piece_end, showing);
      return;
    }
    appending_ = false;
    editor_.setReadOnly(false);
    editor_.document()->setUndoRedoEnabled(true);
  });
}

void AreaBinding::ShowCaretAndVisibility() {
  if (area_.TakeCaretReset()) {
    editor_.moveCursor(QTextCursor::Start);
    editor_.verticalScrollBar()->setValue(0);
    editor_.horizontalScrollBar()->setValue(0);
  }
  if (editor_.isHidden() == area_.Visible()) editor_.setVisible(area_.Visible());
}

}  // namespace dialectic
