#include "app/window/line_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <QWheelEvent>
#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

#include "model/string_list.h"

namespace dialectic {

namespace {

// Space around the text, as a plain-text editor leaves it, so that a switch between the two does
// not move the text.
constexpr int kMargin = 4;
// More laid-out lines than a screen can show are dropped at once and laid out again when needed.
constexpr std::size_t kMaxLayouts = 2000;

QString ShownText(std::string_view line) {
  return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

// The byte offset in the line of a column of its shown text, and back.
std::size_t ByteOffset(std::string_view line, int column) {
  return static_cast<std::size_t>(ShownText(line).left(column).toUtf8().size());
}
int ColumnOf(std::string_view line, std::size_t offset) {
  return static_cast<int>(ShownText(line.substr(0, offset)).size());
}

bool EqualFoldedByte(char a, char b) {
  return FoldCase(static_cast<unsigned char>(a)) == FoldCase(static_cast<unsigned char>(b));
}

// The first place at or after from where the needle starts, ignoring letter case, or npos.
std::size_t FindForward(std::string_view line, std::string_view needle, std::size_t from) {
  const auto at = std::search(line.begin() + static_cast<std::ptrdiff_t>(from), line.end(),
                              needle.begin(), needle.end(), EqualFoldedByte);
  return at == line.end() ? std::string_view::npos : static_cast<std::size_t>(at - line.begin());
}

// The last place where the needle ends at or before limit, ignoring letter case, or npos.
std::size_t FindBackward(std::string_view line, std::string_view needle, std::size_t limit) {
  const auto end = line.begin() + static_cast<std::ptrdiff_t>(limit);
  const auto at = std::find_end(line.begin(), end, needle.begin(), needle.end(), EqualFoldedByte);
  return at == end ? std::string_view::npos : static_cast<std::size_t>(at - line.begin());
}

// Whether the key types its text, as a letter, digit, blank or sign does.
bool IsTypedText(const QKeyEvent* event) {
  const QString text = event->text();
  const bool command =
      (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
  return !command && !text.isEmpty() && text.front().isPrint();
}

}  // namespace

enum class LineView::Move {
  kNextCharacter,
  kPreviousCharacter,
  kNextWord,
  kPreviousWord,
  kNextRow,
  kPreviousRow,
  kRowStart,
  kRowEnd,
  kNextPage,
  kPreviousPage,
  kTextStart,
  kTextEnd,
};

LineView::LineView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setCursor(Qt::IBeamCursor);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalScrollBar()->setSingleStep(1);
  UpdateScrollRange();
}

LineView::~LineView() = default;

void LineView::SetEditableLines(LineList* lines) {
  SetLines(lines);
  editable_lines_ = lines;
}

void LineView::SetLines(const LineList* lines) {
  lines_ = lines;
  editable_lines_ = nullptr;
  ForgetLayouts();
  top_ = {};
  anchor_ = caret_ = {};
  wanted_x_ = -1;
  selecting_ = false;
  drag_scroll_.stop();
  UpdateScrollRange();
  viewport()->update();
}

int LineView::LineCount() const { return lines_ == nullptr ? 0 : lines_->Count(); }

QString LineView::LineText(int line) const { return Layout(line).text(); }

const QTextLayout& LineView::Layout(int line) const {
  auto found = layouts_.find(line);
  if (found != layouts_.end()) return *found->second;
  if (layouts_.size() >= kMaxLayouts) layouts_.clear();
  auto layout = std::make_unique<QTextLayout>(ShownText(lines_->Get(line)), font());
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout->setTextOption(option);
  layout->setCacheEnabled(true);
  const qreal width = std::max(1, viewport()->width() - 2 * kMargin);
  const int row_height = RowHeight();
  layout->beginLayout();
  for (int row = 0;; ++row) {
    QTextLine text_line = layout->createLine();
    if (!text_line.isValid()) break;
    text_line.setLineWidth(width);
    text_line.setPosition(QPointF(0, row * row_height));
  }
  layout->endLayout();
  return *layouts_.emplace(line, std::move(layout)).first->second;
}

int LineView::RowCount(int line) const { return std::max(1, Layout(line).lineCount()); }

int LineView::RowHeight() const { return std::max(1, fontMetrics().height()); }

int LineView::VisibleRows() const {
  return std::max(1, (viewport()->height() - 2 * kMargin) / RowHeight());
}

void LineView::ForgetLayouts() { layouts_.clear(); }

LineView::RowPosition LineView::MoveRows(RowPosition from, int rows) const {
  if (LineCount() == 0) return {};
  RowPosition at = from;
  at.row += rows;
  while (at.row < 0) {
    if (at.line == 0) return {};
    --at.line;
    at.row += RowCount(at.line);
  }
  while (at.row >= RowCount(at.line)) {
    if (at.line + 1 == LineCount()) return {at.line, RowCount(at.line) - 1};
    at.row -= RowCount(at.line);
    ++at.line;
  }
  return at;
}

LineView::RowPosition LineView::RowOf(TextPosition position) const {
  if (LineCount() == 0) return {};
  const QTextLine row = Layout(position.line).lineForTextPosition(position.column);
  return {position.line, row.isValid() ? row.lineNumber() : 0};
}

LineView::RowPosition LineView::LastTop() const {
  if (LineCount() == 0) return {};
  const int last = LineCount() - 1;
  return MoveRows({last, RowCount(last) - 1}, 1 - VisibleRows());
}

void LineView::ScrollTo(RowPosition top) {
  top_ = std::min(std::max(top, RowPosition{}), LastTop());
  scrolling_ = true;
  verticalScrollBar()->setValue(top_.line);
  scrolling_ = false;
  viewport()->update();
}

void LineView::ScrollRows(int rows) { ScrollTo(MoveRows(top_, rows)); }

void LineView::ScrollToLine(int line) { ScrollTo({std::clamp(line, 0, LineCount()), 0}); }

void LineView::UpdateScrollRange() {
  const RowPosition last_top = LastTop();
  scrolling_ = true;
  verticalScrollBar()->setRange(0, last_top.line);
  verticalScrollBar()->setPageStep(VisibleRows());
  scrolling_ = false;
  ScrollTo(top_);
}

void LineView::MakeCaretVisible() {
  if (LineCount() == 0) return;
  const RowPosition caret_row = RowOf(caret_);
  if (caret_row < top_) {
    ScrollTo(caret_row);
  } else if (MoveRows(top_, VisibleRows() - 1) < caret_row) {
    ScrollTo(MoveRows(caret_row, 1 - VisibleRows()));
  }
}

void LineView::scrollContentsBy(int /*dx*/, int /*dy*/) {
  // The user moved the scroll bar: its value is the top line.
  if (scrolling_) return;
  top_ = std::min(RowPosition{verticalScrollBar()->value(), 0}, LastTop());
  viewport()->update();
}

void LineView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  ForgetLayouts();
  top_.row = 0;
  UpdateScrollRange();
}

void LineView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    ForgetLayouts();
    UpdateScrollRange();
  }
}

void LineView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  if (LineCount() == 0) return;
  const TextPosition from = std::min(anchor_, caret_);
  const TextPosition to = std::max(anchor_, caret_);
  const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
  QTextCharFormat selected;
  selected.setBackground(palette().brush(group, QPalette::Highlight));
  selected.setForeground(palette().brush(group, QPalette::HighlightedText));
  painter.setPen(palette().color(group, QPalette::Text));

  const int height = viewport()->height();
  int y = kMargin - top_.row * RowHeight();
  for (int line = top_.line; line < LineCount() && y < height; ++line) {
    const QTextLayout& layout = Layout(line);
    QList<QTextLayout::FormatRange> selections;
    if (from.line <= line && line <= to.line && from != to) {
      const int start = line == from.line ? from.column : 0;
      const int end = line == to.line ? to.column : static_cast<int>(layout.text().size());
      selections.append({start, end - start, selected});
    }
    const QPointF origin(kMargin, y);
    layout.draw(&painter, origin, selections, QRectF(viewport()->rect()));
    if (line == caret_.line && hasFocus() && caret_shown_) {
      layout.drawCursor(&painter, origin, caret_.column, 1);
    }
    y += RowCount(line) * RowHeight();
  }
}

TextPosition LineView::PositionAt(QPoint point) {
  if (LineCount() == 0) return {};
  const int below_top = point.y() - kMargin;
  const int rows_down =
      below_top >= 0 ? below_top / RowHeight() : -((RowHeight() - 1 - below_top) / RowHeight());
  const RowPosition row = MoveRows(top_, rows_down);
  // Below the last row the caret goes to the very end, as in an editor.
  if (rows_down > 0 && row == MoveRows(top_, rows_down - 1)) return Moved({}, Move::kTextEnd);
  const QTextLine text_line = Layout(row.line).lineAt(row.row);
  if (!text_line.isValid()) return {row.line, 0};
  return {row.line, text_line.xToCursor(point.x() - kMargin)};
}

TextPosition LineView::Moved(TextPosition from, Move move) {
  const int last = LineCount() - 1;
  const QTextLayout& layout = Layout(from.line);
  const int length = static_cast<int>(layout.text().size());
  const QTextLine row = layout.lineForTextPosition(from.column);
  switch (move) {
    case Move::kNextCharacter:
    case Move::kNextWord:
      if (from.column < length) {
        const auto mode =
            move == Move::kNextWord ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
        return {from.line, layout.nextCursorPosition(from.column, mode)};
      }
      return from.line < last ? TextPosition{from.line + 1, 0} : from;
    case Move::kPreviousCharacter:
    case Move::kPreviousWord:
      if (from.column > 0) {
        const auto mode =
            move == Move::kPreviousWord ? QTextLayout::SkipWords : QTextLayout::SkipCharacters;
        return {from.line, layout.previousCursorPosition(from.column, mode)};
      }
      return from.line > 0
                 ? TextPosition{from.line - 1, static_cast<int>(LineText(from.line - 1).size())}
                 : from;
    case Move::kNextRow:
    case Move::kPreviousRow:
    case Move::kNextPage:
    case Move::kPreviousPage: {
      const int rows = (move == Move::kNextRow || move == Move::kPreviousRow) ? 1 : VisibleRows();
      const bool down = move == Move::kNextRow || move == Move::kNextPage;
      if (wanted_x_ < 0) wanted_x_ = row.isValid() ? row.cursorToX(from.column) : 0;
      const RowPosition here = RowOf(from);
      const RowPosition there = MoveRows(here, down ? rows : -rows);
      if (there == here)
        return down ? TextPosition{last, static_cast<int>(LineText(last).size())} : TextPosition{};
      const QTextLine target = Layout(there.line).lineAt(there.row);
      return {there.line, target.isValid() ? target.xToCursor(wanted_x_) : 0};
    }
    case Move::kRowStart:
      return {from.line, row.isValid() ? row.textStart() : 0};
    case Move::kRowEnd: {
      if (!row.isValid()) return from;
      // A wrapped row ends before the blank at which it wraps; the caret after it would stand at
      // the start of the next row.
      const int end = row.textStart() + row.textLength();
      return {from.line, row.lineNumber() + 1 < layout.lineCount() ? end - 1 : end};
    }
    case Move::kTextStart:
      return {};
    case Move::kTextEnd:
      return {last, static_cast<int>(LineText(last).size())};
  }
  return from;
}

void LineView::MoveCaret(TextPosition to, bool keep_anchor) {
  caret_ = to;
  if (!keep_anchor) anchor_ = to;
  RestartCaretBlink();
  MakeCaretVisible();
  viewport()->update();
}

void LineView::Select(TextPosition anchor, TextPosition caret) {
  if (LineCount() == 0) return;
  const auto clamp = [this](TextPosition position) {
    const int line = std::clamp(position.line, 0, LineCount() - 1);
    return TextPosition{line,
                        std::clamp(position.column, 0, static_cast<int>(LineText(line).size()))};
  };
  wanted_x_ = -1;
  anchor_ = clamp(anchor);
  MoveCaret(clamp(caret), true);
}

void LineView::SelectAll() {
  if (LineCount() == 0) return;
  const int last = LineCount() - 1;
  anchor_ = {};
  caret_ = {last, static_cast<int>(LineText(last).size())};
  RestartCaretBlink();
  viewport()->update();
}

QString LineView::SelectedText() const {
  if (!HasSelection()) return {};
  const TextPosition from = std::min(anchor_, caret_);
  const TextPosition to = std::max(anchor_, caret_);
  if (from.line == to.line) return LineText(from.line).mid(from.column, to.column - from.column);
  // Lines in between are converted straight from the store: laying them out would take far
  // longer, and copying a million lines must not fill the layout cache.
  QString text = LineText(from.line).mid(from.column);
  for (int line = from.line + 1; line < to.line; ++line) {
    text += QLatin1Char('\n');
    text += ShownText(lines_->Get(line));
  }
  text += QLatin1Char('\n');
  text += LineText(to.line).left(to.column);
  return text;
}

void LineView::Copy() const {
  if (!HasSelection()) return;
  QGuiApplication::clipboard()->setText(SelectedText());
}

bool LineView::Find(const QString& text, bool backward) {
  if (LineCount() == 0 || text.isEmpty()) return false;
  const std::string needle = text.toUtf8().toStdString();
  const TextPosition start = backward ? std::min(anchor_, caret_) : std::max(anchor_, caret_);
  const int count = LineCount();
  // One round through every line from the selection on, then the start line's other part.
  for (int step = 0; step <= count; ++step) {
    const int line =
        backward ? ((start.line - step) % count + count) % count : (start.line + step) % count;
    const std::string_view bytes = lines_->Get(line);
    if (bytes.size() < needle.size()) continue;
    std::size_t at = std::string_view::npos;
    if (backward) {
      const std::size_t limit = step == 0 ? ByteOffset(bytes, start.column) : bytes.size();
      at = FindBackward(bytes, needle, limit);
    } else {
      const std::size_t from = step == 0 ? ByteOffset(bytes, start.column) : 0;
      at = FindForward(bytes, needle, from);
    }
    if (at == std::string_view::npos) continue;
    Select({line, ColumnOf(bytes, at)}, {line, ColumnOf(bytes, at + needle.size())});
    // A find bar may cover the last rows: a place found there moves up to the middle.
    const RowPosition found_row = RowOf(caret_);
    if (MoveRows(top_, VisibleRows() - 3) < found_row) {
      ScrollTo(MoveRows(found_row, -VisibleRows() / 2));
    }
    return true;
  }
  return false;
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
  if (!HasSelection()) return;
  Copy();
  ReplaceSelection({});
}

void LineView::Paste() {
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
    for (int line = from.line; line <= to.line; ++line) layouts_.erase(line);
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

void LineView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  selecting_ = true;
  drag_point_ = event->position().toPoint();
  wanted_x_ = -1;
  MoveCaret(PositionAt(drag_point_), (event->modifiers() & Qt::ShiftModifier) != 0);
}

void LineView::mouseMoveEvent(QMouseEvent* event) {
  if (!selecting_) return;
  drag_point_ = event->position().toPoint();
  const bool outside = drag_point_.y() < 0 || drag_point_.y() >= viewport()->height();
  if (outside && !drag_scroll_.isActive()) drag_scroll_.start(50, this);
  if (!outside) drag_scroll_.stop();
  MoveCaret(PositionAt(drag_point_), true);
}

void LineView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  selecting_ = false;
  drag_scroll_.stop();
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (HasSelection() && clipboard->supportsSelection()) {
    clipboard->setText(SelectedText(), QClipboard::Selection);
  }
}

void LineView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || LineCount() == 0) return;
  SelectWordAt(PositionAt(event->position().toPoint()));
}

void LineView::SelectWordAt(TextPosition position) {
  // A word is what the program reads as one: the characters between blanks.
  const QString text = LineText(position.line);
  const auto is_blank = [&text](int i) { return text[i].isSpace(); };
  int start = position.column;
  int end = position.column;
  while (start > 0 && !is_blank(start - 1)) --start;
  while (end < text.size() && !is_blank(end)) ++end;
  Select({position.line, start}, {position.line, end});
}

void LineView::wheelEvent(QWheelEvent* event) {
  // Eighths of a degree; a notch of 15 degrees scrolls the system's number of rows.
  wheel_remainder_ += event->angleDelta().y();
  const int notches = wheel_remainder_ / 120;
  wheel_remainder_ -= notches * 120;
  if (notches != 0) ScrollRows(-notches * QApplication::wheelScrollLines());
  event->accept();
}

void LineView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copy = menu.addAction(tr("&Copy"), this, &LineView::Copy);
  copy->setShortcut(QKeySequence::Copy);
  copy->setEnabled(HasSelection());
  if (editable_lines_ != nullptr) {
    QAction* cut = menu.addAction(tr("Cu&t"), this, &LineView::Cut);
    cut->setShortcut(QKeySequence::Cut);
    cut->setEnabled(HasSelection());
    QAction* paste = menu.addAction(tr("&Paste"), this, &LineView::Paste);
    paste->setShortcut(QKeySequence::Paste);
    paste->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
  }
  QAction* select_all = menu.addAction(tr("Select All"), this, &LineView::SelectAll);
  select_all->setShortcut(QKeySequence::SelectAll);
  select_all->setEnabled(LineCount() > 0);
  menu.exec(event->globalPos());
}

void LineView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  RestartCaretBlink();
  viewport()->update();
}

void LineView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  caret_blink_.stop();
  viewport()->update();
}

void LineView::RestartCaretBlink() {
  caret_shown_ = true;
  const int flash_time = QApplication::cursorFlashTime();
  if (hasFocus() && flash_time > 0) {
    caret_blink_.start(flash_time / 2, this);
  } else {
    caret_blink_.stop();
  }
}

void LineView::timerEvent(QTimerEvent* event) {
  if (event->timerId() == caret_blink_.timerId()) {
    caret_shown_ = !caret_shown_;
    viewport()->update();
  } else if (event->timerId() == drag_scroll_.timerId()) {
    ScrollRows(drag_point_.y() < 0 ? -1 : 1);
    MoveCaret(PositionAt(drag_point_), true);
  } else {
    QAbstractScrollArea::timerEvent(event);
  }
}

}  // namespace dialectic
