// A view of a long list of byte lines that lays out only the lines on screen, so that a text of
// millions of lines shows at once and scrolls smoothly. Each line wraps at the view's width; the
// vertical scroll bar counts lines, and scrolling by keys or wheel goes row by row, also within a
// line taller than the view. The user can select (mouse, Shift with the movement keys), copy,
// select all and find, and, when the view is given the lines to edit, type, delete, cut and paste:
// an edit replaces the lines it touches in the list itself, so it costs the same for a million
// lines as for ten (there is no undo). Lines cross between bytes and shown text as UTF-8 here, a
// line at a time; nobody else changes them while the view shows them.
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPoint>
#include <QString>
#include <QTextLine>
#include <compare>
#include <memory>
#include <unordered_map>

#include "app/window/wrapped_line.h"
#include "model/line_list.h"

namespace dialectic {

// A place between two characters: a line and an offset into the line as shown (UTF-16 units).
struct TextPosition {
  int line = 0;
  int column = 0;
  friend auto operator<=>(const TextPosition&, const TextPosition&) = default;
};

class LineView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit LineView(QWidget* parent = nullptr);
  ~LineView() override;

  // Shows the lines, or nothing for nullptr, from the top with the caret at the start; keys that
  // would edit them do nothing.
  void SetLines(const LineList* lines);
  // The same for lines that the user may edit.
  void SetEditableLines(LineList* lines);
  int LineCount() const;
  // Line i as shown.
  QString LineText(int line) const;

  TextPosition Caret() const { return caret_; }
  TextPosition Anchor() const { return anchor_; }
  // Selects from the anchor to the caret (nothing when they are equal); the caret comes into view.
  void Select(TextPosition anchor, TextPosition caret);
  void SelectAll();
  bool HasSelection() const { return anchor_ != caret_; }
  // The selected lines joined by LF.
  QString SelectedText() const;
  // Puts the selection on the clipboard; without a selection nothing happens.
  void Copy() const;
  // Whether the user may edit the lines; Cut and Paste do nothing when not.
  bool IsEditable() const { return editable_lines_ != nullptr; }
  // Copies the selection and deletes it.
  void Cut();
  // Replaces the selection by the clipboard's text.
  void Paste();
  // Selects the next place holding the text, letter case ignored as everywhere in the program,
  // after the selection (backward: before it) and around the end; false when there is none.
  bool Find(const QString& text, bool backward);

  // The line at the top of the view, and a scroll that puts a line there (as far as the end
  // allows).
  int TopLine() const { return top_.line; }
  void ScrollToLine(int line);

 signals:
  // The caret has moved, by the user or by Select.
  void CaretMoved(int line);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  // A wrapped row: the line, the segment of the line and the row within the segment.
  struct RowPosition {
    int line = 0;
    int segment = 0;
    int row = 0;
    friend auto operator<=>(const RowPosition&, const RowPosition&) = default;
  };
  // Where a key moves the caret.
  enum class Move {
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

  // The line wrapped at the current width; kept for the lines last shown until the next paint.
  const WrappedLine& Wrapped(int line) const;
  // The row as laid out, and the column at which its segment starts.
  QTextLine RowLine(RowPosition row) const;
  int RowHeight() const;
  int VisibleRows() const;
  void ForgetLayouts();

  // The row the given number of rows further on (back for a negative count), within the text.
  RowPosition MoveRows(RowPosition from, int rows) const;
  RowPosition RowOf(TextPosition position) const;
  // The top row that shows the text's last row at the bottom.
  RowPosition LastTop() const;
  void ScrollTo(RowPosition top);
  void ScrollRows(int rows);
  void UpdateScrollRange();
  void MakeCaretVisible();

  TextPosition PositionAt(QPoint point);
  TextPosition Moved(TextPosition from, Move move);
  void MoveCaret(TextPosition to, bool keep_anchor);
  bool MoveByKey(QKeyEvent* event);
  bool EditByKey(QKeyEvent* event);
  // Replaces the selection by the text, whose lines are separated by LF; the caret follows it.
  void ReplaceSelection(const QString& text);
  // Selects from the caret to where the move takes it, unless something is selected already.
  void SelectForDeletion(Move move);
  void SelectWordAt(TextPosition position);
  void RestartCaretBlink();

  const LineList* lines_ = nullptr;
  LineList* editable_lines_ = nullptr;  // the same lines when the user may edit them, else none
  RowPosition top_;
  TextPosition anchor_;
  TextPosition caret_;
  qreal wanted_x_ = -1;  // where up and down keep the caret; negative: wherever it stands now
  bool caret_shown_ = true;
  bool selecting_ = false;  // the left button went down in the view and is still down
  bool scrolling_ = false;  // the view sets its own scroll bar
  QPoint drag_point_;       // the mouse while selecting
  int wheel_remainder_ = 0;
  QBasicTimer caret_blink_;
  QBasicTimer drag_scroll_;  // scrolls on while the mouse selects above or below the view
  mutable std::unordered_map<int, std::unique_ptr<WrappedLine>> wrapped_;
};

}  // namespace dialectic
