// The two steps that advance an argument's options by one stage, in place, and the predicates
// they filter with. The defend step makes every attacker of the latest IN arguments OUT and drops
// options that become conflicting; the counter step gives every latest OUT argument that no IN
// argument attacks yet one attacker as a new IN argument, branching into one option per minimal
// choice, and then drops every option that is not an admissible stage.
// IN and OUT sets only grow; the defend step leaves every NewIn empty, the counter step every
// NewOut. Every name in a set is the exact name of an argument of the theory.
#pragma once

#include <cstdint>
#include <vector>

#include "model/proof_labeling.h"
#include "model/string_list.h"
#include "model/theory.h"

namespace dialectic {

// The most counter-attack combinations that one expansion may enumerate. Eight open arguments
// of four attackers each (4^8) are answered within about a second; a counter step that would need
// more stops the search of its phase instead.
inline constexpr std::uint64_t kMaxCounterCombinations = std::uint64_t{1} << 16;
// The most combinations that one counter step may enumerate over all its options together, so
// that the options cannot multiply without bound from stage to stage.
inline constexpr std::uint64_t kMaxStepCombinations = std::uint64_t{1} << 17;

// Whether a counter step whose options need these numbers of combinations keeps within both
// limits.
bool IsWithinCombinationLimits(const std::vector<std::uint64_t>& counts);

enum class StepOutcome { kDone, kTooManyCombinations };

// Advances the argument's options by one defend step.
void DefendStep(TArg& arg);

// Advances the argument's options by one counter step. When the step would need more
// combinations than the limits allow, nothing changes and kTooManyCombinations is returned.
StepOutcome CounterStep(TArg& arg);

// Makes every attacker of every NewIn argument OUT (and NewOut) unless it already is; true when
// some name was added.
bool AddAttackersOut(TProofLabeling& labeling);

// The NewOut arguments, in set order, that no IN argument attacks yet.
std::vector<const TArg*> OpenArguments(const TProofLabeling& labeling);

// The product of the open arguments' attacker counts, saturated at UINT64_MAX; 0 when one of them
// has no attacker.
std::uint64_t CombinationCount(const std::vector<const TArg*>& open);

// Fills the result with the options that replace the labeling: the labeling itself when nothing is
// open, else one option per minimal combination of counter-attackers. False when some open
// argument has no attacker (the labeling cannot be countered); the result is then empty.
// The labeling's combination count must not exceed kMaxCounterCombinations.
bool ExpandCounters(const TProofLabeling& labeling, std::vector<TProofLabeling>& result);

// No IN argument is attacked by an IN argument.
bool IsConflictFree(const TTheory& theory, const TProofLabeling& labeling);
// Every OUT argument is attacked by some IN argument.
bool IsOutDefeated(const TTheory& theory, const TProofLabeling& labeling);
bool IsAdmissibleStage(const TTheory& theory, const TProofLabeling& labeling);

// Every string of x occurs in y when letter case is ignored.
bool IsSubsetOf(const StringList& x, const StringList& y);

// The argument of the theory with exactly this name, which must exist.
const TArg& ArgNamed(const TTheory& theory, const std::string& name);

}  // namespace dialectic
