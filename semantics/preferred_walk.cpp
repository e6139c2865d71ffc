#include "semantics/preferred_walk.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <deque>
#include <optional>
#include <utility>

#include "semantics/preferred.h"

namespace dialectic {

namespace {

// Work the walk may do before it gives up, a second or two: an option test counts one, and one
// more for every 16 names the option holds.
constexpr std::uint64_t kMaxWalkWork = std::uint64_t{1} << 26;
// The most names the kept candidates may hold together, so that their list stays within memory.
constexpr std::uint64_t kMaxKeptNames = std::uint64_t{1} << 24;
// Option tests between two looks at the stop request.
constexpr std::uint64_t kStopCheckInterval = 4096;

// An option as the walk tests it: its names as classes (each name by the first rank of its class,
// since compatibility ignores letter case; where every class has one name, the option's own sets)
// and the ambiguous arguments among them as bit masks over their places in the ambiguous list.
struct WalkOption {
  const RankSet* in;
  const RankSet* out;
  std::uint64_t ambiguous_in = 0;
  std::uint64_t ambiguous_out = 0;
};

// What a partial replay knows: the labels fixed so far (bit j of values is the label of the j-th
// ambiguous argument, set for OUT, valid where known is set) and the classes merged so far.
struct WalkState {
  std::uint64_t known = 0;
  std::uint64_t values = 0;
  RankSet merged_in, merged_out;
};

struct KeptCombination {
  std::uint64_t combination;
  RankSet merged_in, merged_out;
};

// A candidate merges an option exactly when the names merged so far do not contradict it and
// the ambiguous arguments it names carry the one set of labels that agrees with it. So at each
// option the walk splits the combinations it stands for: those whose unknown labels agree merge
// the option; the others fall into disjoint branches, one per unknown label that is the first to
// disagree. An ambiguous argument that merged nothing drops its branch, and with it every
// combination that agrees with the labels fixed so far.
class KeepRuleWalk {
 public:
  // Where labels_to_add names ranks (ascending, each with its label's place), every kept
  // combination's merged sets get those ranks too, IN or OUT as its labels say: then they are
  // its candidate's sets, completed while they are fresh in the cache.
  KeepRuleWalk(std::vector<std::vector<WalkOption>> options, std::vector<bool> is_ambiguous,
               int ambiguous_count, std::vector<std::pair<int, std::size_t>> labels_to_add,
               RunContext& context)
      : options_(std::move(options)),
        is_ambiguous_(std::move(is_ambiguous)),
        labels_to_add_(std::move(labels_to_add)),
        all_labels_(ambiguous_count == 64 ? ~std::uint64_t{0}
                                          : (std::uint64_t{1} << ambiguous_count) - 1),
        context_(context) {}

  // The kept combinations in the order the walk found them, unless the walk ended otherwise.
  WalkEnd Run(std::vector<KeptCombination>& kept) {
    Visit(0, 0, StartsKept(0), {});
    if (end_ != WalkEnd::kDone) return end_;
    kept = std::move(kept_);
    return WalkEnd::kDone;
  }

 private:
  bool StartsKept(std::size_t arg) const {
    return arg >= is_ambiguous_.size() || !is_ambiguous_[arg];
  }

  // Counts an option test; false when the walk must end.
  bool CountTest(const WalkOption& option) {
    if (end_ != WalkEnd::kDone) return false;
    ++option_tests_;
    work_ += 1 + static_cast<std::uint64_t>(option.in->Count() + option.out->Count()) / 16;
    if (work_ > kMaxWalkWork) {
      end_ = WalkEnd::kTooMany;
      return false;
    }
    if (option_tests_ % kStopCheckInterval == 1 && context_.StopRequested()) {
      end_ = WalkEnd::kStopped;
      return false;
    }
    return true;
  }

  void Visit(std::size_t arg, std::size_t option, bool keep, WalkState state) {
    for (; arg < options_.size(); ++arg, option = 0, keep = StartsKept(arg)) {
      const std::vector<WalkOption>& arg_options = options_[arg];
      for (; option < arg_options.size(); ++option) {
        const WalkOption& o = arg_options[option];
        if (!CountTest(o)) return;
        if (state.merged_in.Intersects(*o.out) || state.merged_out.Intersects(*o.in)) continue;
        if ((o.ambiguous_in & o.ambiguous_out) != 0) continue;
        const std::uint64_t named = o.ambiguous_in | o.ambiguous_out;
        const std::uint64_t agreeing = o.ambiguous_out;
        if ((state.known & named & (state.values ^ agreeing)) != 0) continue;
        for (std::uint64_t unknown = named & ~state.known; unknown != 0; unknown &= unknown - 1) {
          const std::uint64_t label = unknown & (~unknown + 1);
          WalkState disagreeing = state;
          disagreeing.known |= label;
          disagreeing.values = (disagreeing.values & ~label) | (~agreeing & label);
          Visit(arg, option + 1, keep, std::move(disagreeing));
          state.known |= label;
          state.values = (state.values & ~label) | (agreeing & label);
        }
        state.merged_in.AddAll(*o.in);
        state.merged_out.AddAll(*o.out);
        keep = true;
      }
      if (!keep) return;
    }
    // Labels that no tested option named do not change the replay: each of their settings is
    // kept with the same merged names.
    const std::uint64_t free = all_labels_ & ~state.known;
    std::uint64_t subset = 0;
    do {
      kept_names_ += static_cast<std::uint64_t>(state.merged_in.Count() + state.merged_out.Count());
      if (kept_.size() == kMaxPreferredCandidates || kept_names_ > kMaxKeptNames) {
        end_ = WalkEnd::kTooMany;
        return;
      }
      const std::uint64_t next = (subset - free) & free;
      const std::uint64_t combination = state.values | subset;
      if (next == 0) {
        // The last setting takes the merged sets over instead of copying them.
        kept_.push_back({combination, std::move(state.merged_in), std::move(state.merged_out)});
      } else {
        kept_.push_back({combination, state.merged_in, state.merged_out});
      }
      KeptCombination& kept = kept_.back();
      for (const auto& [rank, j] : labels_to_add_) {
        ((combination >> j) & 1) != 0 ? kept.merged_out.Add(rank) : kept.merged_in.Add(rank);
      }
      context_.AddCandidates(1);
      subset = next;
    } while (subset != 0);
  }

  const std::vector<std::vector<WalkOption>> options_;
  const std::vector<bool> is_ambiguous_;
  const std::vector<std::pair<int, std::size_t>> labels_to_add_;
  const std::uint64_t all_labels_;
  RunContext& context_;
  std::vector<KeptCombination> kept_;
  std::uint64_t option_tests_ = 0;
  std::uint64_t work_ = 0;
  std::uint64_t kept_names_ = 0;
  WalkEnd end_ = WalkEnd::kDone;
};

// The set of the classes of the set's names: the set itself where every class has one name, else
// a new set kept in the store.
const RankSet* ClassesOf(const RankSet& names, const ArgIndex& index, std::deque<RankSet>& store) {
  if (!index.HasCaseEqualNames()) return &names;
  RankSet& classes = store.emplace_back();
  names.ForEach([&](int rank) { classes.Add(index.ClassBegin(rank)); });
  return &classes;
}

}  // namespace

KeptCandidates KeptCandidatesByWalk(const TTheory& theory, const ArgIndex& index,
                                    const std::vector<const TArg*>& ambiguous,
                                    RunContext& context) {
  const std::size_t k = ambiguous.size();
  assert(k <= 64);
  // The labels that a class carries: bit j for each ambiguous argument j in the class.
  std::vector<std::uint64_t> labels_of_class(static_cast<std::size_t>(index.Size()), 0);
  for (std::size_t j = 0; j < k; ++j) {
    const int rank = index.RankOf(*ambiguous[j]);
    labels_of_class[static_cast<std::size_t>(index.ClassBegin(rank))] |= std::uint64_t{1} << j;
  }
  auto labels_named = [&](const RankSet& classes) {
    std::uint64_t mask = 0;
    classes.ForEach([&](int c) { mask |= labels_of_class[static_cast<std::size_t>(c)]; });
    return mask;
  };

  std::vector<std::vector<WalkOption>> options;
  options.reserve(static_cast<std::size_t>(theory.Args.Count()));
  std::deque<RankSet> class_sets;
  std::vector<bool> is_ambiguous(static_cast<std::size_t>(theory.Args.Count()), false);
  for (const TArg* arg : ambiguous) is_ambiguous[static_cast<std::size_t>(arg->Position)] = true;
  for (const TArg* arg : theory.Args) {
    std::vector<WalkOption>& arg_options = options.emplace_back();
    arg_options.reserve(arg->Options.size());
    for (const TProofLabeling& option : arg->Options) {
      WalkOption& walk_option = arg_options.emplace_back();
      walk_option.in = ClassesOf(option.InArgs, index, class_sets);
      walk_option.out = ClassesOf(option.OutArgs, index, class_sets);
      walk_option.ambiguous_in = labels_named(*walk_option.in);
      walk_option.ambiguous_out = labels_named(*walk_option.out);
    }
  }

  // Where every class has one name, the kept sets become the candidates' sets during the walk;
  // otherwise each candidate is replayed below. The ranks go ascending, so that adding them to a
  // set in list form appends.
  std::vector<std::pair<int, std::size_t>> labels_to_add;
  if (!index.HasCaseEqualNames()) {
    for (std::size_t j = 0; j < k; ++j) labels_to_add.emplace_back(index.RankOf(*ambiguous[j]), j);
    std::sort(labels_to_add.begin(), labels_to_add.end());
  }
  KeepRuleWalk walk(std::move(options), is_ambiguous, static_cast<int>(k), std::move(labels_to_add),
                    context);
  std::vector<KeptCombination> kept;
  KeptCandidates result;
  result.end = walk.Run(kept);
  if (result.end != WalkEnd::kDone) return result;
  // The candidates go out ascending by combination number (no two kept ones share one); sorting
  // the numbers with the places where the walk found them moves less than sorting the kept sets.
  std::vector<std::pair<std::uint64_t, std::size_t>> order;
  order.reserve(kept.size());
  for (std::size_t i = 0; i < kept.size(); ++i) order.emplace_back(kept[i].combination, i);
  std::sort(order.begin(), order.end());
  result.candidates.reserve(kept.size());
  if (index.HasCaseEqualNames()) {
    for (const auto& [combination, i] : order) {
      // Each replay visits every option of the theory, and up to kMaxPreferredCandidates of them
      // may follow a walk that used its whole budget: the stop request is heard here too.
      if (context.StopRequested()) {
        result.candidates.clear();
        result.end = WalkEnd::kStopped;
        return result;
      }
      // Which spelling of a name a candidate shows depends on the order of merging: replay it.
      std::optional<TProofLabeling> candidate = CandidateOf(theory, index, ambiguous, combination);
      assert(candidate);
      result.candidates.push_back(std::move(*candidate));
    }
    return result;
  }
  for (const auto& [combination, i] : order) {
    TProofLabeling& candidate = result.candidates.emplace_back();
    candidate.InArgs = std::move(kept[i].merged_in);
    candidate.OutArgs = std::move(kept[i].merged_out);
  }
  return result;
}

}  // namespace dialectic
