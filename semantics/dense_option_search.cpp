#include "semantics/dense_option_search.h"

#include <string>
#include <utility>
#include <vector>

#include "semantics/counter_combinations.h"
#include "semantics/stage_steps.h"

namespace dialectic {

namespace {

using DenseOptions = std::vector<DenseLabeling>;

class DenseSearch {
 public:
  DenseSearch(const DenseTheory& dense, const SearchContext& context)
      : dense_(dense), context_(context) {}

  void SearchArgument(int rank) {
    TArg& arg = *dense_.arg_of_rank[static_cast<std::size_t>(rank)];
    DenseLabeling proof_start = EmptyDenseLabeling(dense_);
    proof_start.in.Add(rank);
    proof_start.new_in.Add(rank);
    DenseOptions proof = {std::move(proof_start)};
    SearchPhase(arg, proof, /*defend_parity=*/0, "Partial proof options of ");
    if (context_.ShowTrace) context_.Memo3.Add("");

    DenseLabeling refutation_start = EmptyDenseLabeling(dense_);
    refutation_start.out.Add(rank);
    refutation_start.new_out.Add(rank);
    DenseOptions refutation = {std::move(refutation_start)};
    SearchPhase(arg, refutation, /*defend_parity=*/1, "Partial refutation options of ");

    arg.Options.clear();
    arg.PrevOptions.clear();
    for (const DenseOptions* options : {&proof, &refutation}) {
      for (const DenseLabeling& option : *options) {
        TProofLabeling& labeling = arg.Options.emplace_back();
        labeling.Theory = arg.Theory;
        labeling.Arg = &arg;
        labeling.InArgs = NamesOfRanks(dense_, option.in);
        labeling.OutArgs = NamesOfRanks(dense_, option.out);
      }
    }
    if (context_.ShowTrace) context_.Memo3.Add("");
  }

 private:
  void AddWarning(std::string_view text) {
    context_.Memo2.Add("***");
    context_.Memo2.Add(text);
    context_.Memo2.Add("***");
  }

  void SearchPhase(const TArg& arg, DenseOptions& options, int defend_parity,
                   std::string_view heading) {
    TraceStage(arg, options, 0, heading);
    bool stable = false;
    std::vector<std::pair<RankSet, RankSet>> snapshot;
    for (int n = 0; n < context_.Depth;) {
      snapshot.clear();
      for (const DenseLabeling& option : options) snapshot.emplace_back(option.in, option.out);
      if (n % 2 == defend_parity) {
        DefendStep(options);
      } else if (CounterStep(options) == StepOutcome::kTooManyCombinations) {
        AddWarning("Too many counter-attack combinations for " + arg.Name);
        return;
      }
      ++n;
      stable = IsStable(options, snapshot);
      if (stable) {
        context_.Memo3.Add(std::to_string(n) + ":");
        context_.Memo3.Add(options.empty() ? "  <none>" : "  <as previous level>");
        break;
      }
      TraceStage(arg, options, n, heading);
    }
    if (!stable) AddWarning("Check whether computation depth was sufficient");
  }

  static bool IsStable(const DenseOptions& options,
                       const std::vector<std::pair<RankSet, RankSet>>& snapshot) {
    if (options.size() > snapshot.size()) return false;
    for (std::size_t i = 0; i < options.size(); ++i) {
      if (options[i].in != snapshot[i].first || options[i].out != snapshot[i].second) return false;
    }
    return true;
  }

  void TraceStage(const TArg& arg, const DenseOptions& options, int stage,
                  std::string_view heading) {
    if (!context_.ShowTrace) return;
    if (stage == 0) context_.Memo3.Add(std::string(heading) + arg.Name);
    context_.Memo3.Add(std::to_string(stage) + ":");
    for (const DenseLabeling& option : options)
      context_.Memo3.Add("  " + DenseLabelingText(dense_, option.in, option.out));
  }

  const std::vector<int>& AttackersOf(int rank) const {
    return dense_.attackers[static_cast<std::size_t>(rank)];
  }

  bool AddAttackersOut(DenseLabeling& option) const {
    bool added = false;
    option.new_in.ForEach([&](int r) {
      for (int attacker : AttackersOf(r)) {
        if (option.out.Contains(attacker)) continue;
        option.out.Add(attacker);
        option.new_out.Add(attacker);
        added = true;
      }
    });
    return added;
  }

  bool IsConflictFree(const DenseLabeling& option) const {
    bool conflict_free = true;
    option.in.ForEach([&](int r) {
      if (IsAttackedByInDense(dense_, option.in, r)) conflict_free = false;
    });
    return conflict_free;
  }

  bool IsOutDefeated(const DenseLabeling& option) const {
    bool defeated = true;
    option.out.ForEach([&](int r) {
      if (!IsAttackedByInDense(dense_, option.in, r)) defeated = false;
    });
    return defeated;
  }

  void DefendStep(DenseOptions& options) const {
    // Only an option to which something was added can have become conflicting.
    std::size_t kept = 0;
    for (DenseLabeling& option : options) {
      if (!option.new_in.empty() && AddAttackersOut(option) && !IsConflictFree(option)) continue;
      option.new_in.Clear();
      if (&options[kept] != &option) options[kept] = std::move(option);
      ++kept;
    }
    options.resize(kept);
  }

  std::vector<int> OpenArguments(const DenseLabeling& option) const {
    std::vector<int> open;
    option.new_out.ForEach([&](int r) {
      if (!IsAttackedByInDense(dense_, option.in, r)) open.push_back(r);
    });
    return open;
  }

  std::uint64_t Count(const std::vector<int>& open) const {
    std::vector<const TArg*> args;
    for (int r : open) args.push_back(dense_.arg_of_rank[static_cast<std::size_t>(r)]);
    return CombinationCount(args);
  }

  StepOutcome CounterStep(DenseOptions& options) const {
    std::vector<std::uint64_t> counts;
    for (const DenseLabeling& option : options) {
      if (!option.new_out.empty()) counts.push_back(Count(OpenArguments(option)));
    }
    if (!IsWithinCombinationLimits(counts)) return StepOutcome::kTooManyCombinations;
    DenseOptions advanced;
    advanced.reserve(options.size());
    for (DenseLabeling& option : options) {
      if (option.new_out.empty()) {
        advanced.push_back(std::move(option));
        continue;
      }
      const std::vector<int> open = OpenArguments(option);
      if (open.empty()) {
        advanced.push_back(std::move(option));
        continue;
      }
      std::vector<std::vector<int>> attacker_ranks;
      for (int r : open) attacker_ranks.push_back(AttackersOf(r));
      for (std::uint64_t k : MinimalCombinationNumbers(attacker_ranks, Count(open))) {
        DenseLabeling& replacement = advanced.emplace_back(EmptyDenseLabeling(dense_));
        replacement.in = option.in;
        replacement.out = option.out;
        for (const std::vector<int>& ranks : attacker_ranks) {
          const int counter = ranks[k % ranks.size()];
          k /= ranks.size();
          replacement.in.Add(counter);
          replacement.new_in.Add(counter);
        }
      }
    }
    options.clear();
    for (DenseLabeling& option : advanced) {
      if (!IsConflictFree(option) || !IsOutDefeated(option)) continue;
      option.new_out.Clear();
      options.push_back(std::move(option));
    }
    return StepOutcome::kDone;
  }

  const DenseTheory& dense_;
  const SearchContext& context_;
};

}  // namespace

void ComputeAllOptionsDense(const DenseTheory& dense, const SearchContext& context) {
  context.Memo3.Clear();
  DenseSearch search(dense, context);
  for (int rank : dense.rank_of_position) search.SearchArgument(rank);
}

}  // namespace dialectic
