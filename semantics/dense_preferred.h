// The preferred extensions on the dense view of a theory, with the same candidates in the same
// order as the enumeration of every combination, found without visiting each combination.
#pragma once

#include <vector>

#include "model/proof_labeling.h"
#include "semantics/dense_theory.h"

namespace dialectic {

// The kept candidates for the ambiguous arguments (at most 64, in theory order), ascending by
// combination number.
std::vector<TProofLabeling> KeptCandidatesDense(const DenseTheory& dense, const TArgs& ambiguous);

}  // namespace dialectic
