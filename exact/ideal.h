// The ideal extension: the largest admissible set inside every preferred extension. An admissible
// set lies inside every preferred extension exactly when no credulously accepted argument attacks
// it, so the ideal extension is the largest admissible subset of the credulously accepted arguments
// that no credulously accepted argument attacks. The credulous ones come from a few SAT calls on
// one solver, asked only about the arguments that can still change the answer; the largest
// admissible subset from a linear-time work list.
#pragma once

#include <vector>

#include "exact/exact_engine.h"
#include "exact/grounded_labeling.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

// The ideal extension; the grounded labels are those of the graph.
ExtensionAnswer IdealExtension(const ArgumentGraph& graph, const std::vector<Label>& grounded,
                               RunContext& context);

}  // namespace dialectic::exact
