// The preferred extensions, built from the options that the option search left in every argument.
// Each IN/OUT choice for the dialectically ambiguous arguments (those with both a proof and a
// refutation option) starts a candidate; every argument in theory order merges into it each of
// its options that does not contradict it, and an ambiguous argument none of whose options fits
// rejects the candidate. Kept candidates come in the order of their combination numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/arg_index.h"
#include "model/proof_labeling.h"
#include "model/run_context.h"
#include "model/theory.h"

namespace dialectic {

// The most ambiguous arguments whose combinations are enumerated.
inline constexpr int kMaxAmbiguousArgs = 32;

// The most preferred candidates one run lists; twice the 65,536 of sixteen independent cycles.
inline constexpr std::size_t kMaxPreferredCandidates = std::size_t{1} << 17;

// How the enumeration ended: with the kept candidates; with too many ambiguous arguments or too
// many candidates to enumerate, and no candidates; or stopped.
enum class PreferredOutcome { kDone, kTooManyAmbiguous, kTooMany, kStopped };

// Empties the result and appends one labeling per kept combination. With more than
// kMaxAmbiguousArgs ambiguous arguments, or when the kept combinations would be more than
// kMaxPreferredCandidates or finding them would take too long, the result stays empty and the
// outcome says which.
PreferredOutcome ComputePreferred(const TTheory& theory, const ArgIndex& index,
                                  std::vector<TProofLabeling>& result, RunContext& context);

// The ambiguous arguments of the theory, in theory order.
std::vector<const TArg*> GetAmbiguousArgs(const TTheory& theory, const ArgIndex& index);

// Whether some option has the argument IN and some option has it OUT.
bool IsAmbiguous(const TArg& arg, const ArgIndex& index);

// False when an IN name of the labeling is OUT in the option or an OUT name is IN in it.
bool IsCompatible(const TProofLabeling& labeling, const TProofLabeling& option,
                  const ArgIndex& index);

// The candidate of one combination of labels for the ambiguous arguments (bit j clear: the j-th
// is IN, set: OUT), or nothing when the keep rule rejects it.
std::optional<TProofLabeling> CandidateOf(const TTheory& theory, const ArgIndex& index,
                                          const std::vector<const TArg*>& ambiguous,
                                          std::uint64_t combination);

}  // namespace dialectic
