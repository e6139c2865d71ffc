// The geometry of a theory's graph, laid out by Graphviz: a centre per node and, per attack, the
// cubic Bezier curve Graphviz routed with the tip of its arrowhead. Coordinates are points with y
// growing downward, as a scene has them. Small graphs use the layered "dot" layout, larger ones
// the force-directed "sfdp" (or "neato" where sfdp is missing), which stays fast at thousands of
// nodes. Graphviz keeps global state, so layouts run one at a time, on whatever thread calls.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <string>
#include <utility>
#include <vector>

namespace dialectic {

// Up to this many arguments the layered layout is used.
inline constexpr int kLayeredLayoutLimit = 300;

struct LayoutInput {
  std::vector<QSizeF> node_sizes;            // by position, in points
  std::vector<std::pair<int, int>> attacks;  // (attacker, target) by position
};

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
  std::vector<QPointF> centres;
  std::vector<EdgeGeometry> edges;  // in the order of the input's attacks
  QRectF bounds;
};

// The layout a graph of this many arguments gets first.
std::string LayoutEngineFor(int argument_count);

// Lays the graph out; every node keeps the size it is given.
GraphGeometry LayOutGraph(const LayoutInput& input);

}  // namespace dialectic
