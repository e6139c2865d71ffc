// The main window's side of the Graph window: after a run the graph takes the theory and shows
// its grounded labeling; moving the caret to a line of the options area or of the extensions
// area colours the graph by that line; a click on a node selects the argument's heading in the
// options area, and selecting arguments in the graph selects their headings. Each result area
// shows in its editor or, when large, in its LineView; the lines are read from whichever shows
// them. Edits made in the graph rewrite the input; typing in the input redraws the graph.
#include <QFile>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include "app/window/area_binding.h"
#include "app/window/check_verdict.h"
#include "app/window/graph_editor.h"
#include "app/window/graph_window.h"
#include "app/window/line_view.h"
#include "app/window/main_window.h"
#include "frontend/line_colouring.h"
#include "frontend/node_positions.h"
#include "frontend/text_file.h"
#include "frontend/theory_edit.h"
#include "model/theory_text.h"

namespace dialectic {

namespace {

constexpr std::size_t kOptionsArea = 3;     // Memo4
constexpr std::size_t kExtensionsArea = 4;  // Memo5
// How long typing in the input pauses before the graph shows its theory.
constexpr int kTypingPauseMs = 400;
// How long a note about the side file of positions shows in the status bar.
constexpr int kPlacesNoteMs = 10000;

std::filesystem::path PathOf(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// The names of the theory the lines read as.
std::vector<std::string> NamesOf(const LineList& lines) {
  TTheory theory;
  ParseInput(lines, theory);
  return FrameworkOfTheory(theory).Names();
}

// A line of an area as the editor shows it.
QString ShownLine(std::string_view line) {
  return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

}  // namespace

void MainWindow::CreateGraph() {
  graph_window_ = new GraphWindow(this);
  connect(this, &MainWindow::RunEnded, this, &MainWindow::ShowRunInGraph);
  connect(graph_window_, &GraphWindow::NodeClicked, this, &MainWindow::SelectHeadingOf);
  graph_editor_ = new GraphEditor(*graph_window_);
  graph_editor_->InputText = [this] { return EditorText(*memo1_); };
  graph_editor_->ReplaceInput = [this](const std::string& text) { ReplaceInputFromGraph(text); };
  graph_editor_->Undo = [this] {
    if (memo1_->isReadOnly()) return;
    memo1_->undo();
    DrawInputInGraph();
  };
  graph_editor_->Redo = [this] {
    if (memo1_->isReadOnly()) return;
    memo1_->redo();
    DrawInputInGraph();
  };
  connect(graph_editor_, &GraphEditor::SelectionChanged, this, &MainWindow::SelectHeadingsOf);
  input_graph_timer_ = new QTimer(this);
  input_graph_timer_->setSingleShot(true);
  input_graph_timer_->setInterval(kTypingPauseMs);
  connect(input_graph_timer_, &QTimer::timeout, this, &MainWindow::DrawInputInGraph);
  connect(memo1_->document(), &QTextDocument::contentsChanged, input_graph_timer_,
          qOverload<>(&QTimer::start));
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

int MainWindow::HeadingLineOf(int position) const {
  // The graph may show an input edited since the run: the argument is found by its name.
  if (IsRunning() || position < 0 || position >= graph_window_->Graph().Size()) return -1;
  const TArg* arg = Form1.Theory.Find(graph_window_->Graph().NameOf(position) + ' ');
  if (arg == nullptr) return -1;
  return Form1.Memo4.LineOf({LineValue::Kind::kArgument, arg->Position});
}

void MainWindow::SelectHeadingOf(int position) {
  const int line = HeadingLineOf(position);
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

void MainWindow::SelectHeadingsOf(const std::vector<int>& positions) {
  // The editor has one selection: the first heading takes it and the others are highlighted as
  // selected text is. The view selects the first heading.
  std::vector<int> lines;
  for (int position : positions) {
    const int line = HeadingLineOf(position);
    if (line >= 0) lines.push_back(line);
  }
  auto [editor, view] = area_widgets_[kOptionsArea];
  QList<QTextEdit::ExtraSelection> highlights;
  if (areas_[kOptionsArea]->IsShownBy(editor)) {
    for (std::size_t i = 1; i < lines.size(); ++i) {
      QTextEdit::ExtraSelection highlight;
      highlight.cursor = QTextCursor(editor->document()->findBlockByNumber(lines[i]));
      highlight.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
      highlight.format.setBackground(editor->palette().highlight());
      highlight.format.setForeground(editor->palette().highlightedText());
      highlights.push_back(highlight);
    }
  }
  editor->setExtraSelections(highlights);
  if (lines.empty()) return;
  const int first = lines.front();
  if (areas_[kOptionsArea]->IsShownBy(editor)) {
    QTextCursor cursor(editor->document()->findBlockByNumber(first));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
  } else {
    view->Select({first, 0}, {first, static_cast<int>(view->LineText(first).size())});
  }
}

void MainWindow::ReplaceInputFromGraph(const std::string& text) {
  // During a run the input belongs to the run.
  if (memo1_->isReadOnly()) return;
  // The edit was made on a graph that typing has outrun: the graph shows the input first, and the
  // user acts on what it shows.
  if (input_graph_timer_->isActive() && DrawInputInGraph()) return;
  // Only the span that differs is replaced, as one undo step, so that the caret and the rest of
  // the text stay. The editor counts UTF-16 units; the span lies between characters.
  const std::string before = EditorText(*memo1_);
  const TextChange change = ChangeBetween(before, text);
  const auto units = [](std::string_view bytes) {
    return static_cast<int>(
        QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).size());
  };
  const int begin = units(std::string_view(before).substr(0, change.begin));
  const int removed = units(std::string_view(before).substr(change.begin, change.removed));
  QTextCursor cursor(memo1_->document());
  cursor.beginEditBlock();
  cursor.setPosition(begin);
  cursor.setPosition(begin + removed, QTextCursor::KeepAnchor);
  cursor.insertText(
      QString::fromUtf8(change.inserted.data(), static_cast<qsizetype>(change.inserted.size())));
  cursor.endEditBlock();
  DrawInputInGraph();
}

void MainWindow::TakeGraphPlaces(const QString& path, const StringList& lines) {
  LineList input;
  input.AddStrings(lines);
  PositionsRead read = ReadPositionsFile(PathOf(path), NamesOf(input));
  graph_window_->KeepPlaces(std::move(read.places));
  if (!read.problem.empty()) {
    statusBar()->showMessage(QString::fromLocal8Bit(read.problem), kPlacesNoteMs);
  }
}

void MainWindow::SaveGraphPlaces(const QString& path) {
  // The places are those of the graph shown, and only while it shows the theory saved.
  LineList input;
  input.SetText(EditorText(*memo1_));
  const std::vector<std::string> names = NamesOf(input);
  if (!graph_window_->IsLaidOut() || names != graph_window_->Graph().Names()) return;
  NodePlaces places;
  for (const std::string& name : names) {
    const auto kept = graph_window_->KeptPlaces().find(name);
    if (kept != graph_window_->KeptPlaces().end()) places.insert(*kept);
  }
  try {
    WritePositionsFile(PathOf(path), names, places);
  } catch (const FileError& error) {
    statusBar()->showMessage(tr("The theory was saved, its graph's positions not: %1")
                                 .arg(QString::fromLocal8Bit(error.what())),
                             kPlacesNoteMs);
  }
}

void MainWindow::ForgetGraphPlaces() { graph_window_->KeepPlaces({}); }

bool MainWindow::DrawInputInGraph() {
  input_graph_timer_->stop();
  LineList lines;
  lines.SetText(EditorText(*memo1_));
  TTheory theory;
  ParseInput(lines, theory);
  // Typing that leaves the theory as it is keeps the graph with its colours.
  if (FrameworkOfTheory(theory) == graph_window_->Graph()) return false;
  graph_window_->SetTheory(theory);
  return true;
}

}  // namespace dialectic
