// What a line of a result area means for the graph, read from the value the line refers to: a
// heading outlines its argument; an option colours the graph by its labeling and outlines its
// argument; the grounded line and a preferred line colour it by their labelings.
#pragma once

#include "graph/node_states.h"
#include "model/line_list.h"
#include "model/theory.h"
#include "semantics/run_outcome.h"

namespace dialectic {

// The colouring of a line that shows the value; the theory and the outcome are those of the run
// that wrote the line. A value that the outcome does not hold changes nothing.
LineColouring ColouringOfValue(const LineValue& value, const TTheory& theory,
                               const RunOutcome& outcome);

}  // namespace dialectic
