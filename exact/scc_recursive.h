// Preferred extensions strongly connected component by component. Preferred semantics is
// directional: whether an argument is in, out or undecided in an extension depends only on the
// labels of its attackers, so the labeling of an extension restricted to one strongly connected
// component is a preferred labeling of that component alone, given the labels of the arguments
// outside it that attack it; and every choice of such a labeling, component after component in
// the order of the attacks between them, gives one preferred extension of the whole graph. On a
// graph of many small components (the traffic networks of the competition, whose thousands of
// preferred extensions one SAT search over the whole graph finds one by one) each component's
// choices are found once per labeling of its attackers and then only combined.
#pragma once

#include "exact/exact_engine.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

// Whether the graph has more than one strongly connected component: only then does the search by
// components pay for its bookkeeping.
bool HasSeveralStrongComponents(const ArgumentGraph& graph);

// One preferred extension of the graph, each component's taken in turn given the labels of those
// before it. Checks the stop request between the components' searches.
ExtensionAnswer FindPreferredByComponents(const ArgumentGraph& graph, RunContext& context);

// Every preferred extension of the graph, each once, as the search over its strongly connected
// components gives them. Checks the stop request between the components' searches.
CountAnswer EnumeratePreferredByComponents(const ArgumentGraph& graph, RunContext& context,
                                           const ExtensionCallback& callback);

}  // namespace dialectic::exact
