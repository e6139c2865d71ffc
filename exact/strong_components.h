// The strongly connected components of an argument graph by Tarjan's algorithm, with an explicit
// stack: linear in arguments and attacks, and no recursion however long the paths.
#pragma once

#include <vector>

#include "model/argument_graph.h"

namespace dialectic::exact {

// The strongly connected components of the arguments marked in `within` (attacks from or to
// others are left out), each in ascending order, every component after all those that it attacks.
std::vector<std::vector<int>> StrongComponents(const ArgumentGraph& graph,
                                               const std::vector<bool>& within);

}  // namespace dialectic::exact
