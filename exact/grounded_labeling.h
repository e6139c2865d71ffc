// The grounded labeling of an argument graph: IN exactly the grounded extension, OUT exactly the
// arguments it attacks, UNDEC the rest. Every complete extension contains the IN arguments and
// none of the OUT ones, which lets the engine answer some questions without a SAT call.
#pragma once

#include <vector>

#include "model/argument_graph.h"

namespace dialectic::exact {

enum class Label : signed char { kUndec, kIn, kOut };

// The label of every argument, by index; linear in arguments plus attacks.
std::vector<Label> GroundedLabels(const ArgumentGraph& graph);
// The labeling of the least complete extension that contains the given admissible set (ascending
// indices): the set, and then every argument it defends, until none is left; linear in arguments
// plus attacks. The grounded labeling is the one of the empty set.
std::vector<Label> LeastCompleteLabels(const ArgumentGraph& graph,
                                       const std::vector<int>& admissible);
// The IN arguments of a labeling, ascending.
std::vector<int> InArguments(const std::vector<Label>& labels);

}  // namespace dialectic::exact
