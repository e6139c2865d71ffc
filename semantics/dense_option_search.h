// The option search of every argument on the dense view of a theory: stage for stage the same
// steps, options, trace lines and warnings as the search by name, with sets of ranks instead of
// sorted name lists. Afterwards every argument's Options hold its proof options followed by its
// refutation options (their IN and OUT sets; the working sets of a finished search are not kept).
#pragma once

#include "model/theory.h"
#include "semantics/dense_theory.h"
#include "semantics/option_search.h"

namespace dialectic {

void ComputeAllOptionsDense(const DenseTheory& dense, const SearchContext& context);

}  // namespace dialectic
