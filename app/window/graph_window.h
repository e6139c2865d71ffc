// The Graph window: the theory's arguments as nodes and its attacks as arrows, laid out by
// Graphviz in a child process and coloured by whatever labeling the user points at. It keeps
// its own copy of the theory's arguments and attacks, so a run may rebuild the theory meanwhile.
// Colours change without a new layout. A theory of more than kLargestDrawnTheory arguments is not
// drawn; the window says so and offers its DOT text instead. Zoom with the wheel, Ctrl++ and
// Ctrl+-, fit with Ctrl+0, pan by dragging; a node's tooltip and the panel below the graph give
// its status in the exact semantics, worked out on a thread of its own; the panel wraps, never
// widens the window and is cleared with each new theory. A layout that is no longer wanted (a new
// theory, the window closing) is killed at once, so it never holds up quitting; a dense graph gets
// the fast layout and a note that says so. The window remembers its place and size, and comes back
// onto a screen when the place remembered is on none. Exported pictures carry the legend.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/window/graph_layout.h"
#include "frontend/explanation_lines.h"
#include "frontend/node_positions.h"
#include "frontend/task_thread.h"
#include "graph/node_states.h"
#include "graph/shown_name.h"
#include "model/framework.h"
#include "model/run_context.h"
#include "model/theory.h"

class QGraphicsScene;
class QLabel;
class QPainter;
class QPushButton;
class QStackedWidget;

namespace dialectic {

class GraphView;
class NodeItem;

// The most arguments the window draws.
inline constexpr int kLargestDrawnTheory = 5000;

class GraphWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own, owned by the parent.
  explicit GraphWindow(QWidget* parent = nullptr);
  // Stops the status questions still open and waits for the threads.
  ~GraphWindow() override;

  // Takes the theory's arguments and attacks, without a labeling; the layout starts at once when
  // the window shows, else when it is shown.
  void SetTheory(const TTheory& theory);
  // Colours the nodes (states by position) and outlines one argument (-1: none); the caption
  // says what the colours are.
  void ShowStates(std::vector<NodeState> states, int outlined, const QString& caption);
  // A line of a listing: a labeling replaces the colours and the outline, a heading moves only
  // the outline, any other line changes nothing.
  void ShowLineColouring(const LineColouring& colouring, const QString& caption);
  // A labeling by position; false when it names an argument the theory does not have.
  bool ShowLabeling(const PositionLabeling& labeling, const QString& caption);

  // Draws the arguments and attacks thicker until the next highlight or theory (an empty one
  // clears it); positions the theory does not have are left out.
  void ShowHighlight(const Highlight& highlight);
  bool IsHighlighted(int position) const;
  bool IsAttackHighlighted(int attacker, int target) const;

  const Framework& Graph() const { return *graph_; }
  std::shared_ptr<const Framework> SharedGraph() const { return graph_; }
  // The view of the graph, for the editor that works on it.
  GraphView& View() const { return *view_; }

  // Where the arguments are kept, by name: every argument shown keeps its place through edits of
  // the theory, and a new one is placed around them. Up to kLayeredLayoutLimit arguments.
  const NodePlaces& KeptPlaces() const { return kept_places_; }
  // Replaces the places kept; the next layout uses them.
  void KeepPlaces(NodePlaces places) { kept_places_ = std::move(places); }
  // Keeps the argument of that name at the point (scene coordinates) and lays out again.
  void PlaceNode(const std::string& name, QPointF centre);
  // Forgets the places and lays the theory out afresh.
  void LayOutAgain();
  // Whether the scene shows the layout of the current theory.
  bool IsLaidOut() const { return laid_out_; }
  bool IsTooLarge() const { return graph_->Size() > kLargestDrawnTheory; }
  // What the window shows, as the nodes of the scene have it (plain and white before a layout).
  NodeState StateOf(int position) const;
  QColor NodeFill(int position) const;
  int Outlined() const { return outlined_; }
  QString Caption() const;
  std::string LayoutEngine() const { return engine_; }

  // The status of the argument in the exact semantics, once worked out; empty before.
  QString StatusOf(int position) const;
  // Starts working out the status unless it is known or on its way.
  void RequestStatus(int position);

  // Writes what the window shows into the file, by its extension: .svg and .png the picture,
  // .dot or .gv the DOT text with the current colours. Gives the error, or empty text.
  QString ExportTo(const QString& path) const;
  // Asks for a file and exports into it, telling the user of an error. A name without an ending
  // gets the one of the type chosen in the dialog.
  void ExportWithDialog();
  // Marks the graph as the previous run's, while the input has changed since that run.
  void MarkStale(bool stale);
  // The note under the caption: the previous run's mark and the layout's note; empty: none.
  QString Note() const;
  // The line that describes the argument clicked last.
  QString StatusLine() const;

  void ZoomIn();
  void ZoomOut();
  void FitAll();
  double Zoom() const;

 signals:
  void NodeClicked(int position);
  // The layout of the current theory shows.
  void LayoutShown();
  // The status of the argument is known.
  void StatusKnown(int position);
  // The user asked, in an argument's context menu, why it is or is not accepted.
  void ExplanationRequested(int position);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateControls();
  void CreateActions();
  // A layout on its way into the scene.
  struct Drawing {
    std::uint64_t generation = 0;
    GraphGeometry geometry;
    std::vector<QString> labels;
    std::vector<QSizeF> sizes;
    std::size_t next_edge = 0;
    bool keeps_places = false;  // laid out around the places kept
  };

  void StartLayout();
  // Lays the same theory out again, keeping its colours.
  void Relayout();
  void ShowLayout(const std::shared_ptr<Drawing>& drawing);
  void AddItems();
  void ApplyStates();
  void ClearScene();
  void ShowMessage(const QString& text, bool offers_dot);
  void ShowNote();
  // Draws the legend above the scene into a picture of the given size.
  void PaintPicture(QPainter& painter, QSizeF size) const;
  QSizeF PictureSize() const;
  // Moves the window onto the nearest screen when no screen shows any of it.
  void BringOntoScreen();
  QString NodeToolTip(int position);
  void ShowStatusPanel(int position);
  void StopStatusQuestions();
  QString ShownName(int position) const;
  void ApplyHighlight();
  // The context menu of the argument under the point of the view, if any.
  void ShowArgumentMenu(QPoint point);

  std::shared_ptr<const Framework> graph_;
  std::vector<NodeState> states_;  // by position, as shown; all plain without a labeling
  int outlined_ = -1;
  QString caption_;
  Highlight highlight_;  // of the current theory

  QLabel* caption_label_ = nullptr;
  QLabel* note_label_ = nullptr;
  QWidget* legend_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  GraphView* view_ = nullptr;
  QGraphicsScene* scene_ = nullptr;
  QLabel* message_ = nullptr;
  QPushButton* export_dot_ = nullptr;
  QLabel* status_panel_ = nullptr;
  std::vector<NodeItem*> nodes_;      // by position as added; the scene owns them
  std::shared_ptr<Drawing> drawing_;  // the layout being added to the scene, or none

  std::uint64_t generation_ = 0;  // counts the theories taken; a late layout of an older one is
                                  // dropped
  bool layout_pending_ = false;   // the current theory waits for the window to show
  bool laid_out_ = false;
  bool geometry_restored_ = false;
  std::string engine_;
  NodePlaces kept_places_;
  QString layout_note_;  // the note of the layout shown
  bool stale_ = false;
  int status_panel_position_ = -1;           // the argument the panel speaks of
  std::unordered_map<int, QString> status_;  // known statuses of the current theory
  std::unordered_map<int, std::shared_ptr<RunContext>> status_asked_;  // on their way

  // Last, so that they end first, while everything their tasks report to still exists. The layout
  // is something the user waits for, so it runs on threads of the window's own priority, one per
  // layout (Graphviz takes one at a time); the status questions run on a nicer thread.
  TaskThread status_thread_;
  struct Layout {
    std::shared_ptr<std::atomic<bool>> cancel;  // kills its child process once set
    std::future<void> done;
  };
  std::vector<Layout> layouts_;
};

}  // namespace dialectic
