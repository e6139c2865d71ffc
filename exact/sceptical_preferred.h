// A preferred extension without a given argument, by a counter-example loop over admissible sets:
// the question behind sceptical preferred acceptance. The answer is exact: a preferred extension
// that lacks the argument, or none exactly when every preferred extension contains it.
#pragma once

#include "exact/exact_engine.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

// A preferred extension of the graph without the argument (0 <= argument < graph.Size()), none when
// there is no such extension, or stopped. Counts its SAT calls as candidates.
ExtensionAnswer FindPreferredWithout(const ArgumentGraph& graph, int argument, RunContext& context);

}  // namespace dialectic::exact
