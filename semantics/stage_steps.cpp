#include "semantics/stage_steps.h"

#include <cassert>
#include <limits>

#include "semantics/counter_combinations.h"

namespace dialectic {

const TArg& ArgNamed(const TTheory& theory, const std::string& name) {
  const TArg* arg = theory.Find(name);
  assert(arg != nullptr);
  return *arg;
}

bool AddAttackersOut(TProofLabeling& labeling) {
  bool added = false;
  for (const std::string& name : labeling.NewIn) {
    for (const TArg* attacker : ArgNamed(*labeling.Theory, name).Attackers) {
      if (labeling.OutArgs.Contains(attacker->Name)) continue;
      labeling.OutArgs.Add(attacker->Name);
      labeling.NewOut.Add(attacker->Name);
      added = true;
    }
  }
  return added;
}

void DefendStep(TArg& arg) {
  std::vector<TProofLabeling>& options = arg.Options;
  for (std::size_t i = 0; i < options.size();) {
    TProofLabeling& option = options[i];
    // Only an option to which something was added can have become conflicting.
    if (!option.NewIn.empty() && AddAttackersOut(option) && !IsConflictFree(*arg.Theory, option)) {
      options.erase(options.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    ++i;
  }
  for (TProofLabeling& option : options) option.NewIn.Clear();
}

std::vector<const TArg*> OpenArguments(const TProofLabeling& labeling) {
  std::vector<const TArg*> open;
  for (const std::string& name : labeling.NewOut) {
    const TArg& arg = ArgNamed(*labeling.Theory, name);
    if (!IsAttackedByIn(labeling, arg)) open.push_back(&arg);
  }
  return open;
}

std::uint64_t CombinationCount(const std::vector<const TArg*>& open) {
  constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t count = 1;
  for (const TArg* arg : open) {
    const auto radix = static_cast<std::uint64_t>(arg->Attackers.Count());
    if (radix == 0) return 0;
    count = count > kSaturated / radix ? kSaturated : count * radix;
  }
  return count;
}

bool IsWithinCombinationLimits(const std::vector<std::uint64_t>& counts) {
  std::uint64_t total = 0;
  for (std::uint64_t count : counts) {
    if (count > kMaxCounterCombinations) return false;
    total += count;  // cannot overflow: every count is at most 2^16
    if (total > kMaxStepCombinations) return false;
  }
  return true;
}

bool ExpandCounters(const TProofLabeling& labeling, std::vector<TProofLabeling>& result) {
  result.clear();
  const std::vector<const TArg*> open = OpenArguments(labeling);
  if (open.empty()) {
    result.push_back(labeling);
    return true;
  }
  const std::uint64_t count = CombinationCount(open);
  assert(count <= kMaxCounterCombinations);
  if (count == 0) return false;
  for (const StringList& combination : MinimalCombinations(open, count)) {
    TProofLabeling& option = result.emplace_back();
    option.Theory = labeling.Theory;
    option.Arg = labeling.Arg;
    option.InArgs = labeling.InArgs;
    option.OutArgs = labeling.OutArgs;
    option.InArgs.AddAll(combination);
    option.NewIn.AddAll(combination);
  }
  return true;
}

namespace {

bool NeedsTooManyCombinations(const std::vector<TProofLabeling>& options) {
  std::vector<std::uint64_t> counts;
  for (const TProofLabeling& option : options) {
    if (!option.NewOut.empty()) counts.push_back(CombinationCount(OpenArguments(option)));
  }
  return !IsWithinCombinationLimits(counts);
}

}  // namespace

StepOutcome CounterStep(TArg& arg) {
  if (NeedsTooManyCombinations(arg.Options)) return StepOutcome::kTooManyCombinations;

  // Each option is replaced, at its place, by its expansion: itself when nothing is open, nothing
  // when it cannot be countered, else one new option per minimal combination.
  std::vector<TProofLabeling> advanced;
  advanced.reserve(arg.Options.size());
  std::vector<TProofLabeling> expansion;
  for (TProofLabeling& option : arg.Options) {
    if (option.NewOut.empty()) {
      advanced.push_back(std::move(option));
      continue;
    }
    if (!ExpandCounters(option, expansion)) continue;
    for (TProofLabeling& replacement : expansion) advanced.push_back(std::move(replacement));
  }

  // The admissibility filter applies to every option, expanded in this step or not.
  arg.Options.clear();
  for (TProofLabeling& option : advanced) {
    if (!IsAdmissibleStage(*arg.Theory, option)) continue;
    option.NewOut.Clear();
    arg.Options.push_back(std::move(option));
  }
  return StepOutcome::kDone;
}

bool IsConflictFree(const TTheory& theory, const TProofLabeling& labeling) {
  for (const std::string& name : labeling.InArgs) {
    for (const TArg* attacker : ArgNamed(theory, name).Attackers) {
      if (labeling.InArgs.Contains(attacker->Name)) return false;
    }
  }
  return true;
}

bool IsOutDefeated(const TTheory& theory, const TProofLabeling& labeling) {
  for (const std::string& name : labeling.OutArgs) {
    if (!IsAttackedByIn(labeling, ArgNamed(theory, name))) return false;
  }
  return true;
}

bool IsAdmissibleStage(const TTheory& theory, const TProofLabeling& labeling) {
  return IsConflictFree(theory, labeling) && IsOutDefeated(theory, labeling);
}

bool IsSubsetOf(const StringList& x, const StringList& y) {
  for (const std::string& s : x) {
    if (IndexOfText(y, s) < 0) return false;
  }
  return true;
}

}  // namespace dialectic
