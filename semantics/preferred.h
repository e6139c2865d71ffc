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

#include "frontend/text_area.h"
#include "model/proof_labeling.h"
#include "model/theory.h"

namespace dialectic {

// The most ambiguous arguments whose combinations are enumerated.
inline constexpr int kMaxAmbiguousArgs = 32;

// The most preferred candidates one run lists; twice the 65,536 of sixteen independent cycles.
inline constexpr std::size_t kMaxPreferredCandidates = std::size_t{1} << 17;

// Empties the result and appends one labeling per kept combination. With more than
// kMaxAmbiguousArgs ambiguous arguments it appends the "too many" line to memo5 instead; so it
// does when the kept combinations would be more than kMaxPreferredCandidates or finding them
// would take too long (then the result stays empty too).
void ComputePreferred(const TTheory& theory, std::vector<TProofLabeling>& result, TextArea& memo5);

// The same by replaying the keep rule for every combination number in turn, without limit on
// their number: the plain enumeration that the faster walk must agree with.
void ComputePreferredByName(const TTheory& theory, std::vector<TProofLabeling>& result,
                            TextArea& memo5);

// The candidate of one combination of labels for the ambiguous arguments, or nothing when the
// keep rule rejects it.
std::optional<TProofLabeling> CandidateOf(const TTheory& theory, const TArgs& ambiguous,
                                          std::uint64_t combination);

// The ambiguous arguments of the theory, in theory order.
void GetAmbiguousArgs(const TTheory& theory, TArgs& ambiguous);

// Whether some option has the argument IN and some option has it OUT.
bool IsAmbiguous(const TArg& arg);

// False when an IN name of the labeling is OUT in the option or an OUT name is IN in it.
bool IsCompatible(const TTheory& theory, const TProofLabeling& labeling,
                  const TProofLabeling& option);

// 2 to the power n, for n from 0 to 63.
std::uint64_t Power2(int n);

}  // namespace dialectic
