// The main window's side of the Graph window: after a run the graph takes the theory and shows
// its grounded labeling; moving the caret to a line of the options area or of the extensions
// area colours the graph by that line; a click on a node selects the argument's heading in the
// options area. Each result area shows in its editor or, when large, in its LineView; the lines
// are read from whichever shows them.
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/window/check_verdict.h"
#include "app/window/graph_window.h"
#include "app/window/line_view.h"
#include "app/window/main_window.h"
#include "frontend/line_colouring.h"

namespace dialectic {

namespace {

constexpr std::size_t kOptionsArea = 3;     // Memo4
constexpr std::size_t kExtensionsArea = 4;  // Memo5

// A line of an area as the editor shows it.
QString ShownLine(std::string_view line) {
  return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

}  // namespace

void MainWindow::CreateGraph() {
  graph_window_ = new GraphWindow(this);
  connect(this, &MainWindow::RunEnded, this, &MainWindow::ShowRunInGraph);
  connect(graph_window_, &GraphWindow::NodeClicked, this, &MainWindow::SelectHeadingOf);
  connect(check_verdict_, &CheckVerdict::LabelingChosen, this,
          [this](const PositionLabeling& labeling, const QString& caption) {
            graph_window_->ShowLabeling(labeling, caption);
          });
  for (std::size_t area : {kOptionsArea, kExtensionsArea}) {
    auto [editor, view] = area_widgets_[area];
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, [this, area, editor = editor] {
      if (areas_[area]->IsShownBy(editor)) {
        ShowAreaLineInGraph(area, editor->textCursor().blockNumber());
      }
    });
    connect(view, &LineView::CaretMoved, this, [this, area, view = view](int line) {
      if (areas_[area]->IsShownBy(view)) ShowAreaLineInGraph(area, line);
    });
  }
}

void MainWindow::ShowGraph() {
  graph_window_->show();
  graph_window_->raise();
  graph_window_->activateWindow();
}

void MainWindow::ExportGraph() { graph_window_->ExportWithDialog(); }

void MainWindow::ShowRunInGraph() {
  graph_window_->SetTheory(Form1.Theory);
  graph_window_->ShowStates(GroundedStates(Form1.Theory), -1, tr("Grounded extension"));
}

void MainWindow::ShowAreaLineInGraph(std::size_t area, int line) {
  // A run rebuilds the theory that the values refer to; the graph follows the areas again once
  // the run has ended and its areas are shown.
  if (IsRunning()) return;
  const TextArea& lines = area == kOptionsArea ? Form1.Memo4 : Form1.Memo5;
  if (line < 0 || line >= lines.Count()) return;
  const LineValue* value = lines.ValueAt(line);
  if (value == nullptr) return;
  // The view shows the area's own lines; the editor may hold edits the area has not taken yet,
  // and an edited line no longer shows its value.
  QPlainTextEdit* editor = area_widgets_[area].first;
  if (areas_[area]->IsShownBy(editor) &&
      editor->document()->findBlockByNumber(line).text() != ShownLine(lines.Get(line))) {
    return;
  }
  const LineColouring colouring = ColouringOfValue(*value, Form1.Theory, Form1.Outcome);
  const QString where = area == kOptionsArea ? tr("Options") : tr("Extensions");
  const QString text = ShownLine(lines.Get(line)).trimmed();
  graph_window_->ShowLineColouring(colouring,
                                   tr("%1, line %2: %3").arg(where).arg(line + 1).arg(text));
}

void MainWindow::SelectHeadingOf(int position) {
  const int line = Form1.Memo4.LineOf({LineValue::Kind::kArgument, position});
  if (line < 0) return;
  auto [editor, view] = area_widgets_[kOptionsArea];
  if (areas_[kOptionsArea]->IsShownBy(editor)) {
    QTextCursor cursor(editor->document()->findBlockByNumber(line));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
  } else {
    view->Select({line, 0}, {line, static_cast<int>(view->LineText(line).size())});
  }
}

}  // namespace dialectic
