#include "semantics/dense_preferred.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace dialectic {

namespace {

// An option with the ambiguous arguments among its names as bit masks over their positions in
// the ambiguous list.
struct WalkOption {
  RankSet in, out;
  std::uint64_t ambiguous_in = 0;
  std::uint64_t ambiguous_out = 0;
};

// What a partial replay of the keep rule knows: the labels fixed so far (bit j of values is the
// label of the j-th ambiguous argument, set for OUT, valid where known is set) and the names
// merged from options so far.
struct WalkState {
  std::uint64_t known = 0;
  std::uint64_t values = 0;
  RankSet merged_in, merged_out;
};

struct KeptCandidate {
  std::uint64_t combination;
  RankSet merged_in, merged_out;
};

// Replays the keep rule for many combinations at once. A candidate starts with every ambiguous
// argument labelled by its bit and merges, argument by argument, each option compatible with it.
// An option is compatible exactly when the names already merged do not contradict it and the
// ambiguous arguments among its names carry the one set of labels that agrees with it, so the
// replay needs a label only when an option names that argument. The walk fixes labels at that
// moment: one branch takes the agreeing labels and merges the option; the other combinations
// are split into disjoint branches by the first unknown label that disagrees. A branch whose
// ambiguous argument merged nothing drops every combination it stands for at once.
class KeepRuleWalk {
 public:
  KeepRuleWalk(std::vector<std::vector<WalkOption>> options, std::vector<bool> is_ambiguous,
               int ambiguous_count)
      : options_(std::move(options)),
        is_ambiguous_(std::move(is_ambiguous)),
        all_labels_(ambiguous_count == 64 ? ~std::uint64_t{0}
                                          : (std::uint64_t{1} << ambiguous_count) - 1) {}

  std::vector<KeptCandidate> Run(const DenseTheory& dense) {
    WalkState start{0, 0, RankSet(dense.size), RankSet(dense.size)};
    Visit(0, 0, StartsKept(0), std::move(start));
    std::sort(kept_.begin(), kept_.end(), [](const KeptCandidate& a, const KeptCandidate& b) {
      return a.combination < b.combination;
    });
    return std::move(kept_);
  }

 private:
  bool StartsKept(std::size_t arg) const {
    return arg >= is_ambiguous_.size() || !is_ambiguous_[arg];
  }

  void Visit(std::size_t arg, std::size_t option, bool keep, WalkState state) {
    for (; arg < options_.size(); ++arg, option = 0, keep = StartsKept(arg)) {
      const std::vector<WalkOption>& arg_options = options_[arg];
      for (; option < arg_options.size(); ++option) {
        const WalkOption& o = arg_options[option];
        if (state.merged_in.Intersects(o.out) || state.merged_out.Intersects(o.in)) continue;
        if ((o.ambiguous_in & o.ambiguous_out) != 0) continue;
        const std::uint64_t named = o.ambiguous_in | o.ambiguous_out;
        const std::uint64_t agreeing = o.ambiguous_out;
        if ((state.known & named & (state.values ^ agreeing)) != 0) continue;
        for (std::uint64_t unknown = named & ~state.known; unknown != 0; unknown &= unknown - 1) {
          const std::uint64_t bit = unknown & (~unknown + 1);
          WalkState disagreeing = state;
          disagreeing.known |= bit;
          disagreeing.values = (disagreeing.values & ~bit) | (~agreeing & bit);
          Visit(arg, option + 1, keep, std::move(disagreeing));
          state.known |= bit;
          state.values = (state.values & ~bit) | (agreeing & bit);
        }
        state.merged_in.AddAll(o.in);
        state.merged_out.AddAll(o.out);
        keep = true;
      }
      if (!keep) return;
    }
    // Labels that no option read do not change the replay: each of their settings is kept.
    const std::uint64_t free = all_labels_ & ~state.known;
    std::uint64_t subset = 0;
    do {
      kept_.push_back({state.values | subset, state.merged_in, state.merged_out});
      subset = (subset - free) & free;
    } while (subset != 0);
  }

  const std::vector<std::vector<WalkOption>> options_;
  const std::vector<bool> is_ambiguous_;
  const std::uint64_t all_labels_;
  std::vector<KeptCandidate> kept_;
};

}  // namespace

std::vector<TProofLabeling> KeptCandidatesDense(const DenseTheory& dense, const TArgs& ambiguous) {
  const int k = ambiguous.Count();
  assert(k <= 64);
  std::vector<int> ambiguous_rank;
  std::vector<int> ambiguous_index_of_rank(static_cast<std::size_t>(dense.size), -1);
  for (int j = 0; j < k; ++j) {
    const int rank = dense.rank_of_arg.at(&ambiguous[j]);
    ambiguous_rank.push_back(rank);
    ambiguous_index_of_rank[static_cast<std::size_t>(rank)] = j;
  }
  auto ambiguous_mask = [&](const RankSet& ranks) {
    std::uint64_t mask = 0;
    ranks.ForEach([&](int r) {
      const int j = ambiguous_index_of_rank[static_cast<std::size_t>(r)];
      if (j >= 0) mask |= std::uint64_t{1} << j;
    });
    return mask;
  };

  std::vector<std::vector<WalkOption>> options;
  std::vector<bool> is_ambiguous;
  for (int rank : dense.rank_of_position) {
    is_ambiguous.push_back(ambiguous_index_of_rank[static_cast<std::size_t>(rank)] >= 0);
    std::vector<WalkOption>& arg_options = options.emplace_back();
    for (const TProofLabeling& option :
         dense.arg_of_rank[static_cast<std::size_t>(rank)]->Options) {
      WalkOption& walk_option = arg_options.emplace_back();
      walk_option.in = RanksOfNames(dense, option.InArgs);
      walk_option.out = RanksOfNames(dense, option.OutArgs);
      walk_option.ambiguous_in = ambiguous_mask(walk_option.in);
      walk_option.ambiguous_out = ambiguous_mask(walk_option.out);
    }
  }

  KeepRuleWalk walk(std::move(options), std::move(is_ambiguous), k);
  std::vector<TProofLabeling> candidates;
  for (KeptCandidate& kept : walk.Run(dense)) {
    for (int j = 0; j < k; ++j) {
      const bool out = ((kept.combination >> j) & 1) != 0;
      (out ? kept.merged_out : kept.merged_in).Add(ambiguous_rank[static_cast<std::size_t>(j)]);
    }
    TProofLabeling& candidate = candidates.emplace_back();
    candidate.InArgs = NamesOfRanks(dense, kept.merged_in);
    candidate.OutArgs = NamesOfRanks(dense, kept.merged_out);
  }
  return candidates;
}

}  // namespace dialectic
