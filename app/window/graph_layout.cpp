#include "app/window/graph_layout.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <cmath>
#include <memory>
#include <mutex>

namespace dialectic {

namespace {

constexpr double kPointsPerInch = 72.0;

std::mutex& GraphvizMutex() {
  static std::mutex mutex;
  return mutex;
}

// cgraph takes names and values as char*, which it copies.
char* Text(const std::string& text) { return const_cast<char*>(text.c_str()); }

std::string Inches(double points) { return std::to_string(points / kPointsPerInch); }

struct GraphvizSession {
  GVC_t* context = gvContext();
  Agraph_t* graph = nullptr;
  bool has_layout = false;

  ~GraphvizSession() {
    if (graph != nullptr) {
      if (has_layout) gvFreeLayout(context, graph);
      agclose(graph);
    }
    gvFreeContext(context);
  }
};

// A straight line from centre to centre, cut at the nodes' ellipses, for an edge Graphviz gave no
// curve.
EdgeGeometry StraightEdge(const GraphGeometry& geometry, const LayoutInput& input, int attacker,
                          int target) {
  EdgeGeometry edge{attacker, target, {}, {}};
  const QPointF from = geometry.centres[static_cast<std::size_t>(attacker)];
  const QPointF to = geometry.centres[static_cast<std::size_t>(target)];
  const auto border_point = [&](int node, QPointF centre, QPointF towards) {
    const QSizeF size = input.node_sizes[static_cast<std::size_t>(node)];
    const QPointF d = towards - centre;
    const double a = size.width() / 2;
    const double b = size.height() / 2;
    const double scale = 1.0 / std::sqrt((d.x() * d.x()) / (a * a) + (d.y() * d.y()) / (b * b));
    return centre + d * scale;
  };
  if (attacker == target) {
    // A loop over the node's upper right side.
    const QSizeF size = input.node_sizes[static_cast<std::size_t>(target)];
    const QPointF start = from + QPointF(size.width() * 0.25, -size.height() * 0.45);
    edge.curve = {start, start + QPointF(10, -30), from + QPointF(size.width() * 0.8, -20),
                  from + QPointF(size.width() * 0.52, -2)};
    edge.arrow_tip = from + QPointF(size.width() * 0.5, 0);
    return edge;
  }
  const QPointF start = border_point(attacker, from, to);
  const QPointF tip = border_point(target, to, from);
  const QPointF base =
      tip + (start - tip) * std::min(1.0, 10.0 / std::hypot((start - tip).x(), (start - tip).y()));
  edge.curve = {start, start + (base - start) / 3, start + (base - start) * 2 / 3, base};
  edge.arrow_tip = tip;
  return edge;
}

}  // namespace

std::string LayoutEngineFor(int argument_count) {
  return argument_count <= kLayeredLayoutLimit ? "dot" : "sfdp";
}

GraphGeometry LayOutGraph(const LayoutInput& input) {
  std::lock_guard lock(GraphvizMutex());
  GraphGeometry geometry;
  GraphvizSession session;
  session.graph = agopen(Text("theory"), Agdirected, nullptr);
  Agraph_t* graph = session.graph;
  // Sizes are fixed, and no node has a label for Graphviz to measure: the window draws the names.
  agattr(graph, AGNODE, Text("shape"), Text("ellipse"));
  agattr(graph, AGNODE, Text("fixedsize"), Text("true"));
  agattr(graph, AGNODE, Text("label"), Text(""));
  Agsym_t* width = agattr(graph, AGNODE, Text("width"), Text("0.75"));
  Agsym_t* height = agattr(graph, AGNODE, Text("height"), Text("0.5"));
  const int count = static_cast<int>(input.node_sizes.size());
  const std::string engine_name = LayoutEngineFor(count);
  if (engine_name != "dot") {
    // Overlaps are removed by spreading the whole layout, which costs next to nothing where the
    // default removal takes longer than the layout itself; the fast force approximation keeps
    // thousands of nodes within a second.
    agattr(graph, AGRAPH, Text("overlap"), Text("scale"));
    agattr(graph, AGRAPH, Text("sep"), Text("+6"));
    agattr(graph, AGRAPH, Text("quadtree"), Text("fast"));
  }
  std::vector<Agnode_t*> nodes;
  nodes.reserve(input.node_sizes.size());
  for (int position = 0; position < count; ++position) {
    std::string name = "n" + std::to_string(position);
    Agnode_t* node = agnode(graph, Text(name), 1);
    const QSizeF size = input.node_sizes[static_cast<std::size_t>(position)];
    agxset(node, width, Text(Inches(size.width())));
    agxset(node, height, Text(Inches(size.height())));
    nodes.push_back(node);
  }
  std::vector<Agedge_t*> edges;
  edges.reserve(input.attacks.size());
  for (const auto& [attacker, target] : input.attacks) {
    edges.push_back(agedge(graph, nodes[static_cast<std::size_t>(attacker)],
                           nodes[static_cast<std::size_t>(target)], nullptr, 1));
  }

  std::string engine = engine_name;
  int status = gvLayout(session.context, graph, engine.c_str());
  if (status != 0 && engine == "sfdp") {
    engine = "neato";
    status = gvLayout(session.context, graph, engine.c_str());
  }
  if (status != 0) {
    geometry.error = "Graphviz could not lay the graph out with " + engine;
    return geometry;
  }
  session.has_layout = true;
  geometry.laid_out = true;
  geometry.engine = engine;

  // Graphviz's y grows upward from the bottom of its bounding box.
  const boxf box = GD_bb(graph);
  const auto scene_point = [&](pointf p) { return QPointF(p.x - box.LL.x, box.UR.y - p.y); };
  geometry.bounds = QRectF(0, 0, box.UR.x - box.LL.x, box.UR.y - box.LL.y);
  geometry.centres.reserve(nodes.size());
  for (Agnode_t* node : nodes) geometry.centres.push_back(scene_point(ND_coord(node)));
  geometry.edges.reserve(edges.size());
  for (std::size_t i = 0; i < edges.size(); ++i) {
    const auto [attacker, target] = input.attacks[i];
    const splines* spline = ED_spl(edges[i]);
    if (spline == nullptr || spline->size == 0 || spline->list[0].size < 4) {
      geometry.edges.push_back(StraightEdge(geometry, input, attacker, target));
      continue;
    }
    // An attack is one edge, so its spline is one Bezier curve.
    const bezier& curve = spline->list[0];
    EdgeGeometry edge{attacker, target, {}, {}};
    edge.curve.reserve(static_cast<std::size_t>(curve.size));
    for (int k = 0; k < curve.size; ++k) edge.curve.push_back(scene_point(curve.list[k]));
    edge.arrow_tip = curve.eflag != 0 ? scene_point(curve.ep) : edge.curve.back();
    geometry.edges.push_back(std::move(edge));
  }
  return geometry;
}

}  // namespace dialectic
