// The kept preferred candidates without visiting every combination of labels one by one: the keep
// rule is replayed for many combinations at once, and each label is fixed only when an option
// that the replay tests names its argument. The candidates and their order are those of the plain
// enumeration by combination number.
#pragma once

#include <vector>

#include "model/arg_index.h"
#include "model/proof_labeling.h"
#include "model/run_context.h"
#include "model/theory.h"

namespace dialectic {

enum class WalkEnd {
  kDone,
  kTooMany,  // more than kMaxPreferredCandidates, or too long a walk
  kStopped,
};

struct KeptCandidates {
  WalkEnd end = WalkEnd::kDone;
  std::vector<TProofLabeling> candidates;  // ascending by combination number, when done
};

// The kept candidates for the ambiguous arguments (at most 64, in theory order).
KeptCandidates KeptCandidatesByWalk(const TTheory& theory, const ArgIndex& index,
                                    const std::vector<const TArg*>& ambiguous, RunContext& context);

}  // namespace dialectic
