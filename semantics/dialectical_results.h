// What the dialectical computations of one run found, kept beside the text areas for whoever
// compares them with the exact semantics. Every labeling holds ranks of the run's ArgIndex; an
// ArgIndex built again from the same theory gives the same ranks. The arguments named here are the
// theory's, so the results are valid while the theory stays as the run left it.
#pragma once

#include <optional>
#include <vector>

#include "model/proof_labeling.h"
#include "semantics/option_search.h"
#include "semantics/preferred.h"

namespace dialectic {

struct DialecticalResults {
  // The grounded extension; none when the run did not get to it.
  std::optional<TProofLabeling> grounded;
  // Every phase of the option search that ended before its options were stable, in search order.
  std::vector<PhaseCutOff> cut_offs;
  // How the preferred enumeration ended; none when the run stopped before it started.
  std::optional<PreferredOutcome> preferred_outcome;
  // The kept candidates in listing order, equal texts included (the listing shows each text once).
  std::vector<TProofLabeling> preferred;
};

}  // namespace dialectic
