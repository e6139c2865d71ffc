// The kept preferred candidates without visiting every combination of labels one by one: the keep
// rule is replayed for many combinations at once, and each label is fixed only when an option
// that the replay tests names its argument. The candidates and their order are those of the plain
// enumeration by combination number.
#pragma once

#include <optional>
#include <vector>

#include "model/proof_labeling.h"
#include "model/theory.h"

namespace dialectic {

// The kept candidates for the ambiguous arguments (at most 64, in theory order), ascending by
// combination number; nothing when they are more than kMaxPreferredCandidates or the walk
// would take too long.
std::optional<std::vector<TProofLabeling>> KeptCandidatesByWalk(const TTheory& theory,
                                                                const TArgs& ambiguous);

}  // namespace dialectic
