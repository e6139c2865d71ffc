// The grounded extension: an argument is IN when each of its attackers is attacked by an IN
// argument, OUT when an IN argument attacks it. Computed by whole passes over the arguments in
// theory order until a pass adds nothing; the theory is only read.
#pragma once

#include "model/proof_labeling.h"
#include "model/theory.h"

namespace dialectic {

// Fills the result with the grounded extension of the theory, starting from nothing.
void ComputeGrounded(const TTheory& theory, TProofLabeling& result);

// Empties the result and fills it with the closure of the start labeling's IN and OUT names.
// The result's NewIn and NewOut stay empty; its Theory and Arg are not touched.
void GroundedClosure(const TTheory& theory, const TProofLabeling& start, TProofLabeling& result);

}  // namespace dialectic
