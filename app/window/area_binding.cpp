#include "app/window/area_binding.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <string_view>

#include "app/window/line_view.h"

namespace dialectic {

namespace {

// Up to these sizes the editor takes a text in some tens of milliseconds. It lays out a line all
// at once, so one very long line (the grounded extension of thousands of arguments) is already
// too much for it.
constexpr int kEditorMaxLines = 5000;
constexpr std::size_t kEditorMaxCharacters = std::size_t{1} << 19;
constexpr std::size_t kEditorMaxLineLength = 2000;

}  // namespace

std::string EditorText(const QPlainTextEdit& editor) {
  // The raw text separates lines by paragraph separators (and line separators where the user
  // pressed Shift+Enter) and keeps every other character unchanged.
  QString text = editor.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return text.toUtf8().toStdString();
}

bool IsLargeText(const LineList& lines) {
  if (lines.Count() > kEditorMaxLines || lines.CharacterCount() > kEditorMaxCharacters) return true;
  return std::any_of(lines.begin(), lines.end(),
                     [](std::string_view line) { return line.size() > kEditorMaxLineLength; });
}

AreaBinding::AreaBinding(TextArea& area, QPlainTextEdit& editor, const QString& name)
    : area_(area), editor_(editor), view_(nullptr), name_(name) {
  editor_.setObjectName(name_);
}

AreaBinding::AreaBinding(TextArea& area, QPlainTextEdit& editor, LineView& view,
                         const QString& name)
    : area_(area), editor_(editor), view_(&view), name_(name) {
  editor_.setObjectName(name_);
  view.hide();
}

void AreaBinding::TakeEditorText() {
  if (view_ == nullptr) {
    // The input's modified flag is left to the window: it tells whether the input was edited
    // since it was last loaded or saved.
    area_.SetText(EditorText(editor_));
    lines_before_ = static_cast<const LineList&>(area_);
    return;
  }
  if (&Shown() == &editor_ && editor_.document()->isModified()) {
    area_.SetText(EditorText(editor_));
    // The area now holds the edit; it is read again only after a further one.
    editor_.document()->setModified(false);
  }
}

void AreaBinding::ShowChanges() {
  if (view_ == nullptr && !(static_cast<const LineList&>(area_) == lines_before_)) {
    ReplaceAsOneStep(QString::fromStdString(area_.Text()));
  }
  lines_before_.Clear();
  ShowCaretAndVisibility();
}

void AreaBinding::ReplaceAsOneStep(const QString& text) {
  QTextCursor cursor(editor_.document());
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.insertText(text);
  cursor.endEditBlock();
  // The new text shows from its start, as a text that was set anew would.
  editor_.moveCursor(QTextCursor::Start);
}

void AreaBinding::Show() {
  if (view_ != nullptr && IsLargeText(area_)) {
    view_->SetEditableLines(&area_);
    ShowIn(*view_);
    // The editor lets go of the previous text, however long.
    editor_.clear();
  } else {
    if (view_ != nullptr) view_->SetLines(nullptr);
    editor_.setPlainText(QString::fromStdString(area_.Text()));
    ShowIn(editor_);
  }
  editor_.document()->setModified(false);
  ShowCaretAndVisibility();
}

QWidget& AreaBinding::Shown() const {
  if (in_view_) return *view_;
  return editor_;
}

bool AreaBinding::IsShownBy(const QWidget* widget) const {
  return widget != nullptr && widget == &Shown();
}

void AreaBinding::ShowIn(QWidget& widget) {
  // Only an area with a view ever changes widget; the input area has none to name.
  if (&widget == &Shown()) return;
  QWidget& other = &widget == &editor_ ? static_cast<QWidget&>(*view_) : editor_;
  in_view_ = &widget == view_;
  other.setObjectName(QString());
  widget.setObjectName(name_);
  // The newcomer takes the focus before the other one hides, so that it does not wander off.
  const bool had_focus = other.hasFocus();
  widget.setVisible(area_.Visible());
  if (had_focus) widget.setFocus(Qt::OtherFocusReason);
  other.hide();
}

void AreaBinding::ShowCaretAndVisibility() {
  if (area_.TakeCaretReset()) {
    if (&Shown() == &editor_) {
      editor_.moveCursor(QTextCursor::Start);
      editor_.verticalScrollBar()->setValue(0);
      editor_.horizontalScrollBar()->setValue(0);
    } else {
      view_->Select({}, {});
    }
  }
  QWidget& shown = Shown();
  if (shown.isHidden() == area_.Visible()) shown.setVisible(area_.Visible());
}

bool AreaBinding::Find(const QString& text, bool backward) {
  if (&Shown() != &editor_) return view_->Find(text, backward);
  const QTextDocument::FindFlags flags =
      backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  bool found = editor_.find(text, flags);
  if (!found) {
    const QTextCursor kept = editor_.textCursor();
    editor_.moveCursor(backward ? QTextCursor::End : QTextCursor::Start);
    found = editor_.find(text, flags);
    if (!found) editor_.setTextCursor(kept);
  }
  // A find bar may cover the last rows: a place found there moves up to the middle.
  const int covered_from = editor_.viewport()->height() - 3 * editor_.fontMetrics().height();
  if (found && editor_.cursorRect().bottom() > covered_from) editor_.centerCursor();
  return found;
}

}  // namespace dialectic
