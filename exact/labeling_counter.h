// Counts the complete (or stable) labelings of an argument graph, and lists the complete ones: a
// search over the labels IN, OUT and UNDEC with propagation of the labeling conditions, which
// splits the arguments still open into independent groups whenever it can and multiplies their
// counts. Where a graph has millions of complete extensions over sparse attacks, this counts and
// lists them in far fewer steps than one SAT call per extension. Complete labelings and complete
// extensions correspond one to one (the IN arguments), and so do stable ones.
#pragma once

#include "exact/exact_engine.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

// The IN arguments of every complete labeling, each once to the callback, by the same search
// without the split into groups; with their count, or the count so far when stopped. Checks the
// stop request at every step of the search.
CountAnswer EnumerateLabelings(const ArgumentGraph& graph, RunContext& context,
                               const ExtensionCallback& callback);

// The number of complete labelings, or with stable_only of those without UNDEC (the stable
// extensions). Checks the stop request at every step of the search.
CountAnswer CountLabelings(const ArgumentGraph& graph, bool stable_only, RunContext& context);

}  // namespace dialectic::exact
