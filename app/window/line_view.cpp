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
#include <optional>
#include <string>
#include <string_view>

#include "frontend/line_search.h"

namespace dialectic {

namespace {

// Space around the text, as the plain-text editor of a smaller area leaves it, so that text sits
// at the same place in either.
constexpr int kMargin = 4;
// More wrapped lines than a screen can show are dropped before a paint and wrapped again when
// needed.
constexpr std::size_t kMaxWrappedLines = 2000;

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

}  // namespace

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

QString LineView::LineText(int line) const { return Wrapped(line).Text(); }

const WrappedLine& LineView::Wrapped(int line) const {
  std::unique_ptr<WrappedLine>& wrapped = wrapped_[line];
  if (wrapped == nullptr) {
    const qreal width = std::max(1, viewport()->width() - 2 * kMargin);
    wrapped =
        std::make_unique<WrappedLine>(ShownText(lines_->Get(line)), font(), width, RowHeight());
  }
  return *wrapped;
}

QTextLine LineView::RowLine(RowPosition row) const {
  return Wrapped(row.line).Layout(row.segment).lineAt(row.row);
}

int LineView::RowHeight() const { return std::max(1, fontMetrics().height()); }

int LineView::VisibleRows() const {
  return std::max(1, (viewport()->height() - 2 * kMargin) / RowHeight());
}

void LineView::ForgetLayouts() { wrapped_.clear(); }

LineView::RowPosition LineView::MoveRows(RowPosition from, int rows) const {
  if (LineCount() == 0) return {};
  RowPosition at = from;
  at.row += rows;
  while (at.row < 0) {
    if (at.segment > 0) {
      --at.segment;
    } else if (at.line > 0) {
      --at.line;
      at.segment = Wrapped(at.line).SegmentCount() - 1;
    } else {
      return {};
    }
    at.row += Wrapped(at.line).RowCount(at.segment);
  }
  for (;;) {
    const WrappedLine& line = Wrapped(at.line);
    const int rows_here = line.RowCount(at.segment);
    if (at.row < rows_here) return at;
    if (at.segment + 1 < line.SegmentCount()) {
      ++at.segment;
    } else if (at.line + 1 < LineCount()) {
      ++at.line;
      at.segment = 0;
    } else {
      return {at.line, at.segment, rows_here - 1};
    }
    at.row -= rows_here;
  }
}

LineView::RowPosition LineView::RowOf(TextPosition position) const {
  if (LineCount() == 0) return {};
  const WrappedLine& line = Wrapped(position.line);
  const int segment = line.SegmentOf(position.column);
  const QTextLine row =
      line.Layout(segment).lineForTextPosition(position.column - line.SegmentStart(segment));
  return {position.line, segment, row.isValid() ? row.lineNumber() : 0};
}

LineView::RowPosition LineView::LastTop() const {
  if (LineCount() == 0) return {};
  const int last = LineCount() - 1;
  const WrappedLine& line = Wrapped(last);
  const int segment = line.SegmentCount() - 1;
  return MoveRows({last, segment, line.RowCount(segment) - 1}, 1 - VisibleRows());
}

void LineView::ScrollTo(RowPosition top) {
  top_ = std::min(std::max(top, RowPosition{}), LastTop());
  scrolling_ = true;
  verticalScrollBar()->setValue(top_.line);
  scrolling_ = false;
  viewport()->update();
}

void LineView::ScrollRows(int rows) { ScrollTo(MoveRows(top_, rows)); }

void LineView::ScrollToLine(int line) { ScrollTo({std::clamp(line, 0, LineCount()), 0, 0}); }

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
  top_ = std::min(RowPosition{verticalScrollBar()->value(), 0, 0}, LastTop());
  viewport()->update();
}

void LineView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  ForgetLayouts();
  top_.segment = 0;
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
  if (wrapped_.size() > kMaxWrappedLines) ForgetLayouts();
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
  RowPosition at{top_.line, top_.segment, 0};
  while (at.line < LineCount() && y < height) {
    const WrappedLine& line = Wrapped(at.line);
    const int start = line.SegmentStart(at.segment);
    const int end = line.SegmentEnd(at.segment);
    const QTextLayout& layout = line.Layout(at.segment);
    QList<QTextLayout::FormatRange> selections;
    if (from != to && from.line <= at.line && at.line <= to.line) {
      const int selected_from = std::max(at.line == from.line ? from.column : 0, start);
      const int selected_to = std::min(at.line == to.line ? to.column : line.Length(), end);
      if (selected_from < selected_to) {
        selections.append({selected_from - start, selected_to - selected_from, selected});
      }
    }
    const QPointF origin(kMargin, y);
    layout.draw(&painter, origin, selections, QRectF(viewport()->rect()));
    if (at.line == caret_.line && line.SegmentOf(caret_.column) == at.segment && hasFocus() &&
        caret_shown_) {
      layout.drawCursor(&painter, origin, caret_.column - start, 1);
    }
    y += line.RowCount(at.segment) * RowHeight();
    if (at.segment + 1 < line.SegmentCount()) {
      ++at.segment;
    } else {
      ++at.line;
      at.segment = 0;
    }
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
  const QTextLine text_line = RowLine(row);
  const int start = Wrapped(row.line).SegmentStart(row.segment);
  if (!text_line.isValid()) return {row.line, start};
  return {row.line, start + text_line.xToCursor(point.x() - kMargin)};
}

void LineView::MoveCaret(TextPosition to, bool keep_anchor) {
  caret_ = to;
  if (!keep_anchor) anchor_ = to;
  RestartCaretBlink();
  MakeCaretVisible();
  viewport()->update();
  emit CaretMoved(caret_.line);
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
  if (LineCount() == 0) return false;
  const std::string bytes = text.toUtf8().toStdString();
  const TextPosition start = backward ? std::min(anchor_, caret_) : std::max(anchor_, caret_);
  const std::string_view start_line = lines_->Get(start.line);
  const std::optional<LinePlace> found =
      FindInLines(*lines_, bytes, {start.line, ByteOffset(start_line, start.column)}, backward);
  if (!found) return false;
  const std::string_view line = lines_->Get(found->line);
  Select({found->line, ColumnOf(line, found->offset)},
         {found->line, ColumnOf(line, found->offset + bytes.size())});
  // A find bar may cover the last rows: a place found there moves up to the middle.
  const RowPosition found_row = RowOf(caret_);
  if (MoveRows(top_, VisibleRows() - 3) < found_row) {
    ScrollTo(MoveRows(found_row, -VisibleRows() / 2));
  }
  return true;
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
