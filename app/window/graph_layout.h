// The geometry of a theory's graph, laid out by Graphviz: a centre per node and, per attack, the
// cubic Bezier curve Graphviz routed with the tip of its arrowhead. Coordinates are points with y
// growing downward, as a scene has them. Small, sparse graphs use the layered "dot" layout; larger
// or denser ones the force-directed "sfdp" (or "neato" where sfdp is missing), which stays fast at
// thousands of nodes. Graphviz keeps global state, so layouts in this process run one at a time,
// on whatever thread calls. Graphviz cannot be interrupted, so the window lays out in a child
// process, which is killed when the layout is no longer wanted or the layered layout overruns
// its time.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dialectic {

// Up to this many arguments, and this many attacks, the layered layout is used: its crossing
// reduction grows steeply with the attacks, and a dense graph of 100 arguments can take it hours.
inline constexpr int kLayeredLayoutLimit = 300;
inline constexpr int kLayeredAttackLimit = 400;
// How long the layered layout may take before the fast one replaces it.
inline constexpr std::chrono::milliseconds kLayeredLayoutBudget(5000);

struct LayoutInput {
  std::vector<QSizeF> node_sizes;            // by position, in points
  std::vector<std::pair<int, int>> attacks;  // (attacker, target) by position
  std::string engine;                        // the layout to use; empty: LayoutEngineFor's
  // Nodes that keep their place, by position (empty, or one per node): the force layout places
  // the others around them, and the geometry puts each kept node exactly where it was asked.
  std::vector<std::optional<QPointF>> kept;
};

// Whether some node of the input keeps its place.
bool KeepsPlaces(const LayoutInput& input);

struct EdgeGeometry {
  int attacker = 0;
  int target = 0;
  std::vector<QPointF> curve;  // a start point, then three points per cubic segment
  QPointF arrow_tip;           // where the arrowhead points; the curve ends at its base
};

struct GraphGeometry {
  bool laid_out = false;
  std::string engine;  // the Graphviz layout that made it
  std::string error;   // why there is no layout
  std::string note;    // why the layout is not the one the graph's size asks for; empty: it is
  std::vector<QPointF> centres;
  std::vector<EdgeGeometry> edges;  // in the order of the input's attacks
  QRectF bounds;
};

// The layout a graph of this many arguments and attacks gets first.
std::string LayoutEngineFor(int argument_count, std::size_t attack_count);

// Lays the graph out in this process; every node keeps the size it is given.
GraphGeometry LayOutGraph(const LayoutInput& input);

// Lays the graph out as LayOutGraph does, in a child process. Once cancel is set the child is
// killed and the geometry, not laid out, says "cancelled" within a few milliseconds. A layered
// layout that takes longer than its budget is killed too and the fast layout follows, with a note.
GraphGeometry LayOutGraphApart(const LayoutInput& input, const std::atomic<bool>& cancel,
                               std::chrono::milliseconds layered_budget = kLayeredLayoutBudget);

// The geometry as bytes and back, as the child process hands it over; nullopt for bytes that are
// not a whole geometry.
std::string GeometryBytes(const GraphGeometry& geometry);
std::optional<GraphGeometry> GeometryOfBytes(const std::string& bytes);

}  // namespace dialectic
