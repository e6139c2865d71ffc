// Admissible, complete and preferred semantics are directional: whether an argument is in, out or
// undecided depends only on the arguments from which it can be reached by attacks. A set of
// arguments that no argument outside attacks (the arguments that reach a given one, for instance)
// can so be solved on its own, and the rest solved afterwards given the labels found there.
#pragma once

#include <vector>

#include "exact/grounded_labeling.h"
#include "model/argument_graph.h"

namespace dialectic::exact {

// The arguments from which the argument is reached by a path of attacks, itself included,
// ascending; linear in arguments plus attacks.
std::vector<int> UpstreamOf(const ArgumentGraph& graph, int argument);

// The graph of the given arguments (ascending) and the attacks among them, each numbered by its
// position among them.
ArgumentGraph InducedGraph(const ArgumentGraph& graph, const std::vector<int>& members);

// Some arguments on their own, given the labels of the arguments outside them that attack them.
struct ConditionedGraph {
  ArgumentGraph graph;    // the kept arguments, then the blocker if there is one
  std::vector<int> kept;  // kept[local]: the argument's index in the whole graph, ascending
};

// The members (ascending) on their own, where a member attacked by an IN argument outside is out
// and left away, an attack by an OUT one counts for nothing, and an attack by an UNDEC one becomes
// an attack by one extra self-attacking argument, the blocker (index kept.size()), which is
// undecided in every complete labeling and so keeps its targets from being in without ever making
// them out. The labels of the members themselves are not read.
ConditionedGraph Condition(const ArgumentGraph& graph, const std::vector<int>& members,
                           const std::vector<Label>& labels);

}  // namespace dialectic::exact
