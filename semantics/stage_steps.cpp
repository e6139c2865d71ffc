#include "semantics/stage_steps.h"

#include <limits>

#include "semantics/counter_combinations.h"

namespace dialectic {

bool AddAttackersOut(TProofLabeling& labeling, const ArgIndex& index) {
  bool added = false;
  labeling.NewIn.ForEach([&](int rank) {
    for (int attacker : index.AttackersOf(rank)) {
      if (labeling.OutArgs.ContainsName(attacker, index)) continue;
      labeling.OutArgs.Add(attacker);
      labeling.NewOut.AddName(attacker, index);
      added = true;
    }
  });
  return added;
}

void DefendStep(Options& options, const ArgIndex& index) {
  std::size_t kept = 0;
  for (TProofLabeling& option : options) {
    // Only an option to which something was added can have become conflicting.
    if (!option.NewIn.empty() && AddAttackersOut(option, index) && !IsConflictFree(option, index))
      continue;
    option.NewIn.Clear();
    if (&options[kept] != &option) options[kept] = std::move(option);
    ++kept;
  }
  options.resize(kept);
}

std::vector<int> OpenArguments(const TProofLabeling& labeling, const ArgIndex& index) {
  std::vector<int> open;
  labeling.NewOut.ForEach([&](int rank) {
    if (!IsAttackedByIn(labeling.InArgs, rank, index)) open.push_back(rank);
  });
  return open;
}

std::uint64_t CombinationCount(const std::vector<int>& open, const ArgIndex& index) {
  constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t count = 1;
  for (int rank : open) {
    const auto radix = static_cast<std::uint64_t>(index.AttackersOf(rank).size());
    if (radix == 0) return 0;
    count = count > kSaturated / radix ? kSaturated : count * radix;
  }
  return count;
}

namespace {

// Whether the counter step's expansions keep within both limits.
bool IsWithinCombinationLimits(const Options& options, const ArgIndex& index) {
  std::uint64_t total = 0;
  for (const TProofLabeling& option : options) {
    if (option.NewOut.empty()) continue;
    const std::uint64_t count = CombinationCount(OpenArguments(option, index), index);
    if (count > kMaxCounterCombinations) return false;
    total += count;  // cannot overflow: every count is at most 2^16
    if (total > kMaxStepCombinations) return false;
  }
  return true;
}

// For each open argument, its attackers' class ids in Attackers order: arguments whose names are
// equal up to letter case count as one name when combinations are compared.
std::vector<std::vector<int>> AttackerClassIds(const std::vector<int>& open,
                                               const ArgIndex& index) {
  std::vector<std::vector<int>> ids;
  ids.reserve(open.size());
  for (int rank : open) {
    std::vector<int>& arg_ids = ids.emplace_back();
    for (int attacker : index.AttackersOf(rank)) arg_ids.push_back(index.ClassBegin(attacker));
  }
  return ids;
}

}  // namespace

bool ExpandCounters(TProofLabeling&& labeling, const ArgIndex& index, Options& result) {
  const std::vector<int> open = OpenArguments(labeling, index);
  if (open.empty()) {
    result.push_back(std::move(labeling));
    return true;
  }
  const std::uint64_t count = CombinationCount(open, index);
  if (count == 0) return false;
  // A single combination is minimal by itself.
  const std::vector<std::uint64_t> survivors =
      count == 1 ? std::vector<std::uint64_t>{0}
                 : MinimalCombinationNumbers(AttackerClassIds(open, index), count);
  for (std::size_t s = 0; s < survivors.size(); ++s) {
    std::uint64_t k = survivors[s];
    // The last replacement takes over the labeling's sets instead of copying them.
    TProofLabeling& replacement = result.emplace_back();
    replacement.Arg = labeling.Arg;
    if (s + 1 < survivors.size()) {
      replacement.InArgs = labeling.InArgs;
      replacement.OutArgs = labeling.OutArgs;
    } else {
      replacement.InArgs = std::move(labeling.InArgs);
      replacement.OutArgs = std::move(labeling.OutArgs);
    }
    // Combination k writes k in mixed radix, the first open argument the fastest digit.
    for (int rank : open) {
      const std::vector<int>& attackers = index.AttackersOf(rank);
      const int counter = attackers[k % attackers.size()];
      k /= attackers.size();
      replacement.InArgs.AddName(counter, index);
      replacement.NewIn.AddName(counter, index);
    }
  }
  return true;
}

StepOutcome CounterStep(Options& options, const ArgIndex& index) {
  if (!IsWithinCombinationLimits(options, index)) return StepOutcome::kTooManyCombinations;
  Options advanced;
  advanced.reserve(options.size());
  for (TProofLabeling& option : options) {
    if (option.NewOut.empty()) {
      advanced.push_back(std::move(option));
    } else {
      ExpandCounters(std::move(option), index, advanced);
    }
  }
  // The filter applies to every option, also to those that no expansion touched.
  options.clear();
  for (TProofLabeling& option : advanced) {
    if (!IsAdmissibleStage(option, index)) continue;
    option.NewOut.Clear();
    options.push_back(std::move(option));
  }
  return StepOutcome::kDone;
}

bool IsConflictFree(const TProofLabeling& labeling, const ArgIndex& index) {
  return !labeling.InArgs.AnyOf([&](int rank) {
    for (int attacker : index.AttackersOf(rank)) {
      if (labeling.InArgs.ContainsName(attacker, index)) return true;
    }
    return false;
  });
}

bool IsOutDefeated(const TProofLabeling& labeling, const ArgIndex& index) {
  return !labeling.OutArgs.AnyOf(
      [&](int rank) { return !IsAttackedByIn(labeling.InArgs, rank, index); });
}

bool IsAdmissibleStage(const TProofLabeling& labeling, const ArgIndex& index) {
  return IsConflictFree(labeling, index) && IsOutDefeated(labeling, index);
}

}  // namespace dialectic
