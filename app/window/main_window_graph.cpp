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

namespace dialectic {

namespace {

constexpr std::size_t kOptionsArea = 3;     // Memo4
constexpr std::size_t kExtensionsArea = 4;  // Memo5

}  // namespace

void MainWindow::CreateGraph() {
  graph_window_ = new GraphWindow(this);
  connect(this, &MainWindow::RunEnded, this, &MainWindow::ShowRunInGraph);
  connect(graph_window_, &GraphWindow::NodeClicked, this, &MainWindow::SelectHeadingOf);
  connect(check_verdict_, &CheckVerdict::LabelingChosen, this,
          [this](const std::string& labeling, const QString& caption) {
            graph_window_->ShowLabelingLine(labeling, caption);
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
  QPlainTextEdit* editor = area_widgets_[area].first;
  const bool in_editor = areas_[area]->IsShownBy(editor);
  // The view shows the area's own lines; the editor may hold edits the area has not taken yet.
  const TextArea& lines = area == kOptionsArea ? Form1.Memo4 : Form1.Memo5;
  const LineAt line_at = [&](int number) -> std::string {
    if (!in_editor) return number < lines.Count() ? std::string(lines.Get(number)) : std::string();
    return editor->document()->findBlockByNumber(number).text().toUtf8().toStdString();
  };
  const TheoryGraph& graph = graph_window_->Graph();
  const LineColouring colouring =
      area == kOptionsArea
          ? ColouringOfOptionsLine(line_at, line, graph_window_->Names(), graph.Size())
          : ColouringOfLabelingLine(line_at(line), graph_window_->Names(), graph.Size());
  const QString where = area == kOptionsArea ? tr("Options") : tr("Extensions");
  const QString text = QString::fromStdString(line_at(line)).trimmed();
  graph_window_->ShowLineColouring(colouring,
                                   tr("%1, line %2: %3").arg(where).arg(line + 1).arg(text));
}

void MainWindow::SelectHeadingOf(int position) {
  const std::string heading =
      graph_window_->Graph().names[static_cast<std::size_t>(position)] + ":";
  int line = -1;
  for (int i = 0; i < Form1.Memo4.Count() && line < 0; ++i) {
    if (Form1.Memo4.Get(i) == heading) line = i;
  }
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
