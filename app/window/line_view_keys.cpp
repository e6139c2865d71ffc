// The line view's keyboard: the keys that move the caret (with Shift, select) and the keys that
// edit the lines.
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTextLayout>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/window/line_view.h"

namespace dialectic {

namespace {

// Whether the key types its text, as a letter, digit, blank or sign does.
bool IsTypedText(const QKeyEvent* event) {
  const QString text = event->text();
  const bool command =
      (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
  return !command && !text.isEmpty() && text.front().isPrint();
}

}  // namespace

TextPosition LineView::Moved(TextPosition from, Move move) {
  const int last = LineCount() - 1;
  const WrappedLine& line = Wrapped(from.line);
  const RowPosition here = RowOf(from);
  const int start = line.SegmentStart(here.segment);
  const QTextLine row = RowLine(here);
  switch (move) {
    case Move::kNextCharacter:
    case Move::kNextWord: {
      if (from.column == line.Length()) {
        return from.line < last ? TextPosition{from.line + 1, 0} : from;
      }
      const auto mode =
          move == Move::kNextWord ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
      return {from.line,
              start + line.Layout(here.segment).nextCursorPosition(from.column - start, mode)};
    }
    case Move::kPreviousCharacter:
    case Move::kPreviousWord: {
      if (from.column == 0) {
        return from.line > 0 ? TextPosition{from.line - 1, Wrapped(from.line - 1).Length()} : from;
      }
      // At the start of a segment the step back goes into the segment before.
      const int segment = from.column == start ? here.segment - 1 : here.segment;
      const int segment_start = line.SegmentStart(segment);
      const auto mode =
          move == Move::kPreviousWord ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
      return {from.line, segment_start + line.Layout(segment).previousCursorPosition(
                                             from.column - segment_start, mode)};
    }
    case Move::kNextRow:
    case Move::kPreviousRow:
    case Move::kNextPage:
    case Move::kPreviousPage: {
      const int rows = (move == Move::kNextRow || move == Move::kPreviousRow) ? 1 : VisibleRows();
      const bool down = move == Move::kNextRow || move == Move::kNextPage;
      if (wanted_x_ < 0) wanted_x_ = row.isValid() ? row.cursorToX(from.column - start) : 0;
      const RowPosition there = MoveRows(here, down ? rows : -rows);
      if (there == here) return down ? TextPosition{last, Wrapped(last).Length()} : TextPosition{};
      const QTextLine target = RowLine(there);
      const int target_start = Wrapped(there.line).SegmentStart(there.segment);
      return {there.line, target_start + (target.isValid() ? target.xToCursor(wanted_x_) : 0)};
    }
    case Move::kRowStart:
      return {from.line, start + (row.isValid() ? row.textStart() : 0)};
    case Move::kRowEnd: {
      if (!row.isValid()) return from;
      // A wrapped row ends before the blank at which it wraps; the caret after it would stand at
      // the start of the next row.
      const int end = start + row.textStart() + row.textLength();
      const bool wraps = end < line.Length() && line.Text()[end - 1] == QLatin1Char(' ');
      return {from.line, wraps ? end - 1 : end};
    }
    case Move::kTextStart:
      return {};
    case Move::kTextEnd:
      return {last, Wrapped(last).Length()};
  }
  return from;
}

bool LineView::MoveByKey(QKeyEvent* event) {
  struct KeyMove {
    QKeySequence::StandardKey move_key;
    QKeySequence::StandardKey select_key;
    Move move;
  };
  static constexpr KeyMove kKeyMoves[] = {
      {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, Move::kNextCharacter},
      {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar,
       Move::kPreviousCharacter},
      {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, Move::kNextWord},
      {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, Move::kPreviousWord},
      {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, Move::kNextRow},
      {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, Move::kPreviousRow},
      {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, Move::kRowStart},
      {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, Move::kRowEnd},
      {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, Move::kNextPage},
      {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, Move::kPreviousPage},
      {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument, Move::kTextStart},
      {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, Move::kTextEnd},
  };
  for (const KeyMove& key_move : kKeyMoves) {
    const bool select = event->matches(key_move.select_key);
    if (!select && !event->matches(key_move.move_key)) continue;
    if (LineCount() == 0) return true;
    const bool vertical = key_move.move == Move::kNextRow || key_move.move == Move::kPreviousRow ||
                          key_move.move == Move::kNextPage || key_move.move == Move::kPreviousPage;
    if (!vertical) wanted_x_ = -1;
    const TextPosition to = Moved(caret_, key_move.move);
    if (key_move.move == Move::kNextPage) ScrollRows(VisibleRows());
    if (key_move.move == Move::kPreviousPage) ScrollRows(-VisibleRows());
    MoveCaret(to, select);
    return true;
  }
  return false;
}

bool LineView::EditByKey(QKeyEvent* event) {
  if (editable_lines_ == nullptr) return false;
  if (event->matches(QKeySequence::Paste)) {
    Paste();
  } else if (event->matches(QKeySequence::Cut)) {
    Cut();
  } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
    SelectForDeletion(Move::kPreviousWord);
    ReplaceSelection({});
  } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
    SelectForDeletion(Move::kNextWord);
    ReplaceSelection({});
  } else if (event->matches(QKeySequence::DeleteEndOfLine)) {
    SelectForDeletion(Move::kRowEnd);
    ReplaceSelection({});
  } else if (event->key() == Qt::Key_Backspace) {
    SelectForDeletion(Move::kPreviousCharacter);
    ReplaceSelection({});
  } else if (event->key() == Qt::Key_Delete) {
    SelectForDeletion(Move::kNextCharacter);
    ReplaceSelection({});
  } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    ReplaceSelection(QStringLiteral("\n"));
  } else if (IsTypedText(event)) {
    ReplaceSelection(event->text());
  } else {
    return false;
  }
  return true;
}

void LineView::Cut() {
  if (!IsEditable() || !HasSelection()) return;
  Copy();
  ReplaceSelection({});
}

void LineView::Paste() {
  if (!IsEditable()) return;
  // Line breaks of any kind become the area's own.
  QString text = QGuiApplication::clipboard()->text();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  ReplaceSelection(text);
}

void LineView::SelectForDeletion(Move move) {
  if (HasSelection() || LineCount() == 0) return;
  anchor_ = caret_;
  caret_ = Moved(caret_, move);
}

void LineView::ReplaceSelection(const QString& text) {
  const int count = LineCount();
  const TextPosition from = std::min(anchor_, caret_);
  const TextPosition to = std::max(anchor_, caret_);
  QStringList pieces = text.split(QLatin1Char('\n'));
  if (count > 0) {
    pieces.front().prepend(LineText(from.line).left(from.column));
  }
  const int caret_column = static_cast<int>(pieces.back().size());
  if (count > 0) pieces.back().append(LineText(to.line).mid(to.column));

  std::vector<std::string> bytes;
  bytes.reserve(static_cast<std::size_t>(pieces.size()));
  for (const QString& piece : pieces) bytes.push_back(piece.toUtf8().toStdString());
  const std::vector<std::string_view> lines(bytes.begin(), bytes.end());
  const int replaced = count > 0 ? to.line - from.line + 1 : 0;
  editable_lines_->Replace(from.line, replaced, lines);

  // Lines after the edit may have moved; without a change of count only the edited ones changed.
  if (static_cast<int>(lines.size()) == replaced) {
    for (int line = from.line; line <= to.line; ++line) wrapped_.erase(line);
  } else {
    ForgetLayouts();
  }
  wanted_x_ = -1;
  UpdateScrollRange();
  MoveCaret({from.line + static_cast<int>(pieces.size()) - 1, caret_column}, false);
}

void LineView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    Copy();
  } else if (event->matches(QKeySequence::SelectAll)) {
    SelectAll();
  } else if (MoveByKey(event) || EditByKey(event)) {
    // done
  } else {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace dialectic
