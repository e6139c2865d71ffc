// The independent parts of an argument graph, and every task answered part by part. Under the
// semantics built on complete extensions the grounded extension is in every extension and nothing
// it attacks is in any, so those arguments can be fixed and only the rest handed to a SAT solver;
// and under every semantics here an extension of a graph is exactly one extension of each of its
// weakly connected components put together. So a task is answered on each part alone and the
// answers are combined: one extension of each part, the product of their counts, every
// combination of their extensions. Every part's arguments attack and are attacked, among the parts,
// only by arguments of the same part.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "exact/big_count.h"
#include "exact/exact_engine.h"
#include "exact/labeling_solver.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

// One weakly connected component of the arguments left after fixing.
struct GraphPart {
  ArgumentGraph graph;         // the component alone, its arguments numbered from 0
  std::vector<int> arguments;  // arguments[local]: its index in the whole graph, ascending
};

class Decomposition {
 public:
  // With fix_grounded, the grounded extension is fixed in and the arguments it attacks out, and
  // the parts are the components of the rest; without, the parts are the graph's components.
  Decomposition(const ArgumentGraph& graph, bool fix_grounded);

  // The arguments in every extension (the grounded extension, or none), ascending.
  const Extension& FixedIn() const { return fixed_in_; }
  int PartCount() const { return static_cast<int>(parts_.size()); }
  // The part's graph; the whole graph itself when it is the one part and nothing is fixed.
  const ArgumentGraph& PartGraph(int part) const { return is_whole_ ? whole_ : parts_[part].graph; }
  const std::vector<int>& PartArguments(int part) const { return parts_[part].arguments; }
  // The part that holds the argument, or -1 when the argument is fixed (in or out).
  int PartOf(int argument) const { return part_of_[argument]; }
  // The argument's index within its part; only for an argument that is not fixed.
  int LocalIndex(int argument) const { return local_of_[argument]; }
  // The extension of the whole graph made of the fixed arguments and, for each part, the part's
  // extension given by index within that part.
  Extension Combine(const std::vector<const Extension*>& part_extensions) const;

 private:
  const ArgumentGraph& whole_;
  bool is_whole_ = false;
  Extension fixed_in_;
  std::vector<GraphPart> parts_;
  std::vector<int> part_of_;
  std::vector<int> local_of_;
};

// The tasks of one semantics on one graph of no fixed part, as the engine answers them; they share
// the caller's run context.
struct PartSolvers {
  std::function<ExtensionAnswer(const ArgumentGraph&, const std::optional<Requirement>&)> find;
  std::function<CountAnswer(const ArgumentGraph&, const ExtensionCallback&)> enumerate;
  std::function<CountAnswer(const ArgumentGraph&)> count;
};

// An extension of the whole graph that meets the requirement (an argument index of the whole
// graph), or none: the requirement is asked of the argument's part only, and every other part
// gives any extension of its own. None as soon as some part has no extension at all.
ExtensionAnswer FindByParts(const Decomposition& parts,
                            const std::optional<Requirement>& requirement,
                            const PartSolvers& solvers);
// Every extension of the whole graph, each once, as the combinations of the parts' extensions.
// The largest part is enumerated last and each of its extensions combined at once with those of
// the others, which are kept; no combination is kept.
CountAnswer EnumerateByParts(const Decomposition& parts, const PartSolvers& solvers,
                             RunContext& context, const ExtensionCallback& callback);
// The number of extensions of the whole graph: the product of the parts' counts. When stopped,
// the count is 0.
CountAnswer CountByParts(const Decomposition& parts, const PartSolvers& solvers);

}  // namespace dialectic::exact
