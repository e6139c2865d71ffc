#include "app/window/graph_layout.h"

#include <fcntl.h>
#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// Lays the graph out with the engine; the caller holds Graphviz for itself.
GraphGeometry LayOutWith(const LayoutInput& input, const std::string& engine_name) {
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
  const bool keeps_places = KeepsPlaces(input);
  // Spreading the layout to remove overlaps would move the kept nodes too.
  if (engine_name != "dot" && !keeps_places) {
    // Overlaps are removed by spreading the whole layout, which costs next to nothing where the
    // default removal takes longer than the layout itself; the fast force approximation keeps
    // thousands of nodes within a second.
    agattr(graph, AGRAPH, Text("overlap"), Text("scale"));
    agattr(graph, AGRAPH, Text("sep"), Text("+6"));
    agattr(graph, AGRAPH, Text("quadtree"), Text("fast"));
  }
  Agsym_t* pos = nullptr;
  if (keeps_places) {
    // Kept nodes are pinned where they were, in inches with y growing upward; the rest start
    // wherever the layout puts them.
    pos = agattr(graph, AGNODE, Text("pos"), Text(""));
    agattr(graph, AGRAPH, Text("notranslate"), Text("true"));
  }
  std::vector<Agnode_t*> nodes;
  nodes.reserve(input.node_sizes.size());
  for (int position = 0; position < count; ++position) {
    std::string name = "n" + std::to_string(position);
    Agnode_t* node = agnode(graph, Text(name), 1);
    const QSizeF size = input.node_sizes[static_cast<std::size_t>(position)];
    agxset(node, width, Text(Inches(size.width())));
    agxset(node, height, Text(Inches(size.height())));
    if (keeps_places && input.kept[static_cast<std::size_t>(position)]) {
      const QPointF place = *input.kept[static_cast<std::size_t>(position)];
      agxset(node, pos, Text(Inches(place.x()) + "," + Inches(-place.y()) + "!"));
    }
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
  if (keeps_places) {
    // Graphviz may move the whole drawing; it goes back so that the kept nodes are where they were.
    for (std::size_t position = 0; position < input.kept.size(); ++position) {
      if (!input.kept[position]) continue;
      const QPointF shift = *input.kept[position] - geometry.centres[position];
      for (QPointF& centre : geometry.centres) centre += shift;
      for (EdgeGeometry& edge : geometry.edges) {
        for (QPointF& point : edge.curve) point += shift;
        edge.arrow_tip += shift;
      }
      geometry.bounds.translate(shift);
      break;
    }
  }
  return geometry;
}

const char* const kFastEngine = "sfdp";
const char* const kPinningEngine = "neato";

// Appends and reads the plain values a geometry is made of, in the machine's own byte order: the
// bytes never leave the process that wrote them and its parent.
class ByteWriter {
 public:
  template <typename T>
  void Put(const T& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
  }
  void Put(const std::string& text) {
    Put(text.size());
    bytes += text;
  }
  void Put(QPointF point) {
    Put(point.x());
    Put(point.y());
  }
  std::string bytes;
};

class ByteReader {
 public:
  explicit ByteReader(const std::string& bytes) : bytes_(bytes) {}
  template <typename T>
  bool Get(T& value) {
    if (bytes_.size() - at_ < sizeof value) return false;
    std::memcpy(&value, bytes_.data() + at_, sizeof value);
    at_ += sizeof value;
    return true;
  }
  bool Get(std::string& text) {
    std::size_t size = 0;
    if (!Get(size) || bytes_.size() - at_ < size) return false;
    text.assign(bytes_, at_, size);
    at_ += size;
    return true;
  }
  bool Get(QPointF& point) {
    double x = 0;
    double y = 0;
    if (!Get(x) || !Get(y)) return false;
    point = QPointF(x, y);
    return true;
  }
  // A count of items of at least item_size bytes each that the rest can hold.
  bool GetCount(std::size_t& count, std::size_t item_size) {
    return Get(count) && count <= (bytes_.size() - at_) / item_size;
  }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  const std::string& bytes_;
  std::size_t at_ = 0;
};

enum class ChildEnd { kDone, kCancelled, kOverran };

// The environment variable that makes this program, started again by LayOutInChild, a layout
// child: it lays out the input on its standard input and writes the geometry on its standard
// output, before anything else of the program starts.
constexpr char kLayoutChildVariable[] = "DIALECTIC_LAYOUT_CHILD";

// The input as bytes and back, with the engine to use.
std::string InputBytes(const LayoutInput& input, const std::string& engine) {
  ByteWriter out;
  out.Put(engine);
  out.Put(input.node_sizes.size());
  for (QSizeF size : input.node_sizes) out.Put(QPointF(size.width(), size.height()));
  out.Put(input.attacks.size());
  for (const auto& [attacker, target] : input.attacks) {
    out.Put(attacker);
    out.Put(target);
  }
  out.Put(input.kept.size());
  for (const std::optional<QPointF>& place : input.kept) {
    out.Put(place.has_value());
    out.Put(place.value_or(QPointF()));
  }
  return std::move(out.bytes);
}

std::optional<LayoutInput> InputOfBytes(const std::string& bytes) {
  ByteReader in(bytes);
  LayoutInput input;
  std::size_t count = 0;
  if (!in.Get(input.engine) || !in.GetCount(count, 2 * sizeof(double))) return std::nullopt;
  input.node_sizes.resize(count);
  for (QSizeF& size : input.node_sizes) {
    QPointF read;
    if (!in.Get(read)) return std::nullopt;
    size = QSizeF(read.x(), read.y());
  }
  if (!in.GetCount(count, 2 * sizeof(int))) return std::nullopt;
  input.attacks.resize(count);
  for (auto& [attacker, target] : input.attacks) {
    if (!in.Get(attacker) || !in.Get(target)) return std::nullopt;
    const auto outside = [&](int node) {
      return node < 0 || static_cast<std::size_t>(node) >= input.node_sizes.size();
    };
    if (outside(attacker) || outside(target)) return std::nullopt;
  }
  if (!in.GetCount(count, sizeof(bool) + 2 * sizeof(double))) return std::nullopt;
  if (count != 0 && count != input.node_sizes.size()) return std::nullopt;
  input.kept.resize(count);
  for (std::optional<QPointF>& place : input.kept) {
    bool has_place = false;
    QPointF point;
    if (!in.Get(has_place) || !in.Get(point)) return std::nullopt;
    if (has_place) place = point;
  }
  if (!in.AtEnd()) return std::nullopt;
  return input;
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

// The layout child's whole life: the input from standard input, the geometry to standard output.
[[noreturn]] void RunLayoutChild() {
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) _exit(1);
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  const std::optional<LayoutInput> input = InputOfBytes(bytes);
  if (!input) _exit(1);
  _exit(WriteAll(STDOUT_FILENO, GeometryBytes(LayOutWith(*input, input->engine))) ? 0 : 1);
}

// Runs before main in every program that lays graphs out, so that a layout child does nothing of
// the program but its layout.
[[maybe_unused]] const bool kRunsAsLayoutChild = [] {
  if (std::getenv(kLayoutChildVariable) != nullptr) RunLayoutChild();
  return false;
}();

// Runs the layout with the engine in a child process and reads its geometry, until cancel is set
// or the deadline (none: unset) passes; then the child is killed. The child is this program
// started again, not a copy of this process: a copy of a process with threads may find a lock
// held forever by a thread it does not have (a layout copied from the window did hang so, in a
// build with the address sanitizer), while a program started afresh holds none.
GraphGeometry LayOutInChild(const LayoutInput& input, const std::string& engine,
                            const std::atomic<bool>& cancel,
                            std::optional<std::chrono::steady_clock::time_point> deadline,
                            ChildEnd& end) {
  end = ChildEnd::kDone;
  GraphGeometry geometry;
  // The input goes in a file in memory, so the child reads it whenever it starts and nothing
  // waits on a pipe for it.
  const int input_fd = memfd_create("dialectic-layout-input", MFD_CLOEXEC);
  int fds[2];
  if (input_fd < 0 || !WriteAll(input_fd, InputBytes(input, engine)) ||
      lseek(input_fd, 0, SEEK_SET) != 0 || pipe2(fds, O_CLOEXEC) != 0) {
    geometry.error = std::string("Cannot start the layout: ") + std::strerror(errno);
    if (input_fd >= 0) close(input_fd);
    return geometry;
  }
  // Everything the child needs is made before it exists: between fork and exec it may only make
  // the calls that are safe there.
  std::vector<std::string> environment_texts;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    environment_texts.emplace_back(*variable);
  }
  environment_texts.push_back(std::string(kLayoutChildVariable) + "=1");
  std::vector<char*> environment;
  for (std::string& text : environment_texts) environment.push_back(text.data());
  environment.push_back(nullptr);
  char program_name[] = "dialectic-layout";
  char* const arguments[] = {program_name, nullptr};
  const pid_t parent = getpid();
  const pid_t child = fork();
  if (child == 0) {
    // A child whose program has ended, however it ended, ends too rather than lay out for hours.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(1);
    if (dup2(input_fd, STDIN_FILENO) < 0 || dup2(fds[1], STDOUT_FILENO) < 0) _exit(1);
    execve("/proc/self/exe", arguments, environment.data());
    _exit(1);
  }
  close(input_fd);
  close(fds[1]);
  if (child < 0) {
    close(fds[0]);
    geometry.error = std::string("Cannot start the layout: ") + std::strerror(errno);
    return geometry;
  }
  // The child's answer is read as it comes, a few milliseconds at a time, so that a cancel or the
  // deadline is heard at once.
  constexpr int kPollMs = 10;
  std::string bytes;
  char buffer[65536];
  bool stopped = false;
  for (;;) {
    if (cancel.load()) {
      end = ChildEnd::kCancelled;
      stopped = true;
      break;
    }
    if (deadline && std::chrono::steady_clock::now() >= *deadline) {
      end = ChildEnd::kOverran;
      stopped = true;
      break;
    }
    pollfd readable{fds[0], POLLIN, 0};
    const int ready = poll(&readable, 1, kPollMs);
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  close(fds[0]);
  if (stopped) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (stopped) {
    geometry.error = end == ChildEnd::kCancelled ? "cancelled" : "took too long";
    return geometry;
  }
  const std::optional<GraphGeometry> read = GeometryOfBytes(bytes);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !read) {
    geometry.error =
        "Graphviz could not lay the graph out with " + engine + " (its process " +
        (WIFSIGNALED(status) ? "ended by signal " + std::to_string(WTERMSIG(status)) : "failed") +
        ")";
    return geometry;
  }
  return *read;
}

}  // namespace

bool KeepsPlaces(const LayoutInput& input) {
  return input.kept.size() == input.node_sizes.size() &&
         std::any_of(input.kept.begin(), input.kept.end(),
                     [](const std::optional<QPointF>& place) { return place.has_value(); });
}

std::string LayoutEngineFor(int argument_count, std::size_t attack_count) {
  return argument_count <= kLayeredLayoutLimit &&
                 attack_count <= static_cast<std::size_t>(kLayeredAttackLimit)
             ? "dot"
             : kFastEngine;
}

GraphGeometry LayOutGraph(const LayoutInput& input) {
  std::lock_guard lock(GraphvizMutex());
  const int count = static_cast<int>(input.node_sizes.size());
  return LayOutWith(input, !input.engine.empty() ? input.engine
                           : KeepsPlaces(input)  ? kPinningEngine
                                                 : LayoutEngineFor(count, input.attacks.size()));
}

GraphGeometry LayOutGraphApart(const LayoutInput& input, const std::atomic<bool>& cancel,
                               std::chrono::milliseconds layered_budget) {
  const int count = static_cast<int>(input.node_sizes.size());
  // Kept places need the force layout that can pin nodes.
  const std::string engine = !input.engine.empty() ? input.engine
                             : KeepsPlaces(input)  ? kPinningEngine
                                                   : LayoutEngineFor(count, input.attacks.size());
  ChildEnd end = ChildEnd::kDone;
  if (engine != "dot") {
    GraphGeometry geometry = LayOutInChild(input, engine, cancel, std::nullopt, end);
    if (geometry.laid_out && count <= kLayeredLayoutLimit && engine != kPinningEngine) {
      geometry.note = "Dense graph (" + std::to_string(input.attacks.size()) +
                      " attacks): laid out by the fast force-directed layout.";
    }
    return geometry;
  }
  GraphGeometry geometry =
      LayOutInChild(input, engine, cancel, std::chrono::steady_clock::now() + layered_budget, end);
  if (end != ChildEnd::kOverran) return geometry;
  geometry = LayOutInChild(input, kFastEngine, cancel, std::nullopt, end);
  if (geometry.laid_out) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f",
                  static_cast<double>(layered_budget.count()) / 1000);
    geometry.note = std::string("The layered layout took longer than ") + seconds +
                    " s: laid out by the fast force-directed layout.";
  }
  return geometry;
}

std::string GeometryBytes(const GraphGeometry& geometry) {
  ByteWriter out;
  out.Put(geometry.laid_out);
  out.Put(geometry.engine);
  out.Put(geometry.error);
  out.Put(geometry.note);
  out.Put(geometry.centres.size());
  for (QPointF centre : geometry.centres) out.Put(centre);
  out.Put(geometry.edges.size());
  for (const EdgeGeometry& edge : geometry.edges) {
    out.Put(edge.attacker);
    out.Put(edge.target);
    out.Put(edge.curve.size());
    for (QPointF point : edge.curve) out.Put(point);
    out.Put(edge.arrow_tip);
  }
  out.Put(geometry.bounds.topLeft());
  out.Put(QPointF(geometry.bounds.width(), geometry.bounds.height()));
  return std::move(out.bytes);
}

std::optional<GraphGeometry> GeometryOfBytes(const std::string& bytes) {
  ByteReader in(bytes);
  GraphGeometry geometry;
  std::size_t count = 0;
  if (!in.Get(geometry.laid_out) || !in.Get(geometry.engine) || !in.Get(geometry.error) ||
      !in.Get(geometry.note) || !in.GetCount(count, 2 * sizeof(double))) {
    return std::nullopt;
  }
  geometry.centres.resize(count);
  for (QPointF& centre : geometry.centres) {
    if (!in.Get(centre)) return std::nullopt;
  }
  constexpr std::size_t kSmallestEdge = 2 * sizeof(int) + sizeof(std::size_t) + 2 * sizeof(double);
  if (!in.GetCount(count, kSmallestEdge)) return std::nullopt;
  geometry.edges.resize(count);
  for (EdgeGeometry& edge : geometry.edges) {
    std::size_t points = 0;
    if (!in.Get(edge.attacker) || !in.Get(edge.target) ||
        !in.GetCount(points, 2 * sizeof(double))) {
      return std::nullopt;
    }
    edge.curve.resize(points);
    for (QPointF& point : edge.curve) {
      if (!in.Get(point)) return std::nullopt;
    }
    if (!in.Get(edge.arrow_tip)) return std::nullopt;
  }
  QPointF top_left;
  QPointF size;
  if (!in.Get(top_left) || !in.Get(size) || !in.AtEnd()) return std::nullopt;
  geometry.bounds = QRectF(top_left, QSizeF(size.x(), size.y()));
  return geometry;
}

}  // namespace dialectic
