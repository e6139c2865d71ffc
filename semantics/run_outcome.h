// What the dialectical computations of one run found, as values: the grounded extension, every
// phase's final stage and the phases cut short, how the preferred enumeration ended and its
// candidates, and how long each computation took. The renderers write the text areas from it,
// the check compares it with the exact semantics. Every labeling holds ranks of the run's
// ArgIndex (an ArgIndex built again from the same theory gives the same ranks); the options stay
// in the theory's arguments, so the outcome is valid while the theory stays as the run left it.
#pragma once

#include <chrono>
#include <optional>
#include <vector>

#include "model/proof_labeling.h"
#include "semantics/option_search.h"
#include "semantics/preferred.h"

namespace dialectic {

struct RunOutcome {
  // The position of the argument of each rank, so that labelings can be read without the index.
  std::vector<int> position_of_rank;
  // The grounded extension; none when the run did not get to it.
  std::optional<TProofLabeling> grounded;
  // Every phase of the option search that ended before its options were stable, in search order.
  std::vector<PhaseCutOff> cut_offs;
  // By argument position: where its phases ended; empty when the search did not start.
  std::vector<OptionStages> stages;
  // Whether the option search ran to its end.
  bool options_completed = false;
  // How the preferred enumeration ended; none when the run stopped before it started.
  std::optional<PreferredOutcome> preferred_outcome;
  // The kept candidates in listing order, equal texts included (the listing shows each text once).
  std::vector<TProofLabeling> preferred;
  // The time each computation took, for those that ended.
  std::optional<std::chrono::milliseconds> grounded_time;
  std::optional<std::chrono::milliseconds> options_time;
  std::optional<std::chrono::milliseconds> preferred_time;
};

}  // namespace dialectic
