// The main window's side of the Semantics window: after a run it lists the extensions of the
// theory the Graph window took; an extension chosen there colours the graph, an explanation
// highlights on the graph what its selected line involves, and an argument's "Why?" in the Graph
// window's context menu explains it under the semantics and question chosen in the panel.
#include "app/window/explanation_view.h"
#include "app/window/graph_window.h"
#include "app/window/main_window.h"
#include "app/window/semantics_panel.h"

namespace dialectic {

void MainWindow::CreateSemanticsPanel() {
  semantics_panel_ = new SemanticsPanel(this);
  // The Graph window takes the run's theory first (it was connected first), so both speak of the
  // same positions.
  connect(this, &MainWindow::RunEnded, this,
          [this] { semantics_panel_->SetFramework(graph_window_->SharedGraph()); });
  connect(semantics_panel_, &SemanticsPanel::LabelingChosen, this,
          [this](const PositionLabeling& labeling, const QString& caption) {
            graph_window_->ShowLabeling(labeling, caption);
          });
  connect(&semantics_panel_->explanation_view(), &ExplanationView::HighlightChosen, this,
          [this](const Highlight& highlight) { graph_window_->ShowHighlight(highlight); });
  connect(graph_window_, &GraphWindow::ExplanationRequested, this,
          [this](int position) { semantics_panel_->Explain(position); });
}

void MainWindow::ShowSemantics() {
  semantics_panel_->show();
  semantics_panel_->raise();
  semantics_panel_->activateWindow();
}

}  // namespace dialectic
