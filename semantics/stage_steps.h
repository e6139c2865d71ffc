// The two steps that advance an argument's options by one stage, in place, and the predicates
// they filter with. The defend step makes every attacker of the latest IN arguments OUT and drops
// options that become conflicting; the counter step gives every latest OUT argument that no IN
// argument attacks yet one attacker as a new IN argument, branching into one option per minimal
// choice, and then drops every option that is not an admissible stage.
// IN and OUT sets only grow; the defend step leaves every NewIn empty, the counter step every
// NewOut.
#pragma once

#include <cstdint>
#include <vector>

#include "model/arg_index.h"
#include "model/proof_labeling.h"

namespace dialectic {

// The most counter-attack combinations that one expansion may enumerate. Eight open arguments
// of four attackers each (4^8) are answered within about a second; a counter step that would need
// more stops the search of its phase instead.
inline constexpr std::uint64_t kMaxCounterCombinations = std::uint64_t{1} << 16;
// The most combinations that one counter step may enumerate over all its options together, so
// that the options cannot multiply without bound from stage to stage.
inline constexpr std::uint64_t kMaxStepCombinations = std::uint64_t{1} << 17;

using Options = std::vector<TProofLabeling>;

enum class StepOutcome { kDone, kTooManyCombinations };

// Advances the options by one defend step.
void DefendStep(Options& options, const ArgIndex& index);

// Advances the options by one counter step. When the step would need more combinations than the
// limits allow, nothing changes and kTooManyCombinations is returned.
StepOutcome CounterStep(Options& options, const ArgIndex& index);

// Makes every attacker of every NewIn argument OUT (and NewOut) unless it already is; true when
// some argument was added.
bool AddAttackersOut(TProofLabeling& labeling, const ArgIndex& index);

// The NewOut arguments, in name order, that no IN argument attacks yet.
std::vector<int> OpenArguments(const TProofLabeling& labeling, const ArgIndex& index);

// The product of the open arguments' attacker counts, saturated at UINT64_MAX; 0 when one of them
// has no attacker.
std::uint64_t CombinationCount(const std::vector<int>& open, const ArgIndex& index);

// Appends the options that replace the labeling: the labeling itself when nothing is open, else
// one option per minimal combination of counter-attackers. False when some open argument has no
// attacker (the labeling cannot be countered); nothing is appended then. The labeling's
// combination count must not exceed kMaxCounterCombinations.
bool ExpandCounters(TProofLabeling&& labeling, const ArgIndex& index, Options& result);

// No IN argument is attacked by an IN argument (letter case ignored for the attacker).
bool IsConflictFree(const TProofLabeling& labeling, const ArgIndex& index);
// Every OUT argument is attacked by some IN argument.
bool IsOutDefeated(const TProofLabeling& labeling, const ArgIndex& index);
bool IsAdmissibleStage(const TProofLabeling& labeling, const ArgIndex& index);

}  // namespace dialectic
