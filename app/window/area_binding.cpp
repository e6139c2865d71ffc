#include "app/window/area_binding.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QString>
#include <QTextDocument>

namespace dialectic {

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
  if (is_input_ || editor_.document()->isModified()) area_.SetText(EditorText(editor_));
  lines_before_ = area_.Lines();
}

void AreaBinding::ShowChanges() {
  if (area_.Lines() != lines_before_) ShowText();
  lines_before_.clear();
  lines_before_.shrink_to_fit();
  ShowCaretAndVisibility();
}

void AreaBinding::Show() {
  ShowText();
  ShowCaretAndVisibility();
}

void AreaBinding::ShowText() {
  editor_.setPlainText(QString::fromStdString(area_.Text()));
  // The editor now shows the area exactly; an edit from here on marks it for reading back.
  editor_.document()->setModified(false);
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
