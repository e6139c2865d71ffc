// Where one argument stands in the exact semantics that a reader of the graph asks about first:
// whether it is in some extension (credulous) and in every one (sceptical) of the complete,
// preferred, stable and grounded semantics, answered by the exact engine, with the text a tooltip
// shows. A stop request leaves the questions not yet answered unknown.
#pragma once

#include <string>
#include <vector>

#include "exact/exact_engine.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic {

enum class Acceptance { kYes, kNo, kUnknown };

struct SemanticsStatus {
  exact::Semantics semantics;
  Acceptance credulous = Acceptance::kUnknown;
  Acceptance sceptical = Acceptance::kUnknown;
};

// The complete, preferred, stable and grounded status of the argument (0 <= argument < Size()).
std::vector<SemanticsStatus> ArgumentStatus(const ArgumentGraph& graph, int argument,
                                            RunContext& context);

// One line per semantics, such as "preferred: credulous yes, sceptical no"; a semantics without
// extensions says so instead.
std::string StatusText(const std::vector<SemanticsStatus>& status);

}  // namespace dialectic
