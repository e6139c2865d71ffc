// The grounded extension: an argument is IN when each of its attackers is attacked by an IN
// argument, OUT when an IN argument attacks it. The result is that of whole passes over the
// arguments in theory order, repeated until a pass adds nothing, in which an argument added to IN
// counts at once for the arguments after it; it is computed in time linear in the attacks (times
// a logarithm), without the passes.
#pragma once

#include "model/arg_index.h"
#include "model/proof_labeling.h"

namespace dialectic {

// Empties the result and fills its IN and OUT sets with the grounded extension.
void ComputeGrounded(const ArgIndex& index, TProofLabeling& result);

}  // namespace dialectic
