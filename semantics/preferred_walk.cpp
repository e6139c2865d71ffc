#include "semantics/preferred_walk.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <string>
#include <string_view>

#include "semantics/preferred.h"
#include "semantics/rank_set.h"

namespace dialectic {

namespace {

// Option tests the walk may make before it gives up; a second or two of work.
constexpr std::uint64_t kMaxOptionTests = std::uint64_t{1} << 26;

// The theory's names up to letter case, numbered in name-set order. Compatibility of labelings
// looks names up with letter case ignored, so the walk works on these classes.
class NameClasses {
 public:
  explicit NameClasses(const TTheory& theory) {
    for (const TArg* arg : theory.Args) names_.push_back(arg->Name);
    std::sort(names_.begin(), names_.end(),
              [](const std::string& a, const std::string& b) { return CompareFolded(a, b) < 0; });
    const auto last = std::unique(names_.begin(), names_.end(), EqualFolded);
    all_spellings_distinct_ = last == names_.end();
    names_.erase(last, names_.end());
  }

  int Count() const { return static_cast<int>(names_.size()); }
  int ClassOf(std::string_view name) const {
    const auto at = std::lower_bound(
        names_.begin(), names_.end(), name,
        [](const std::string& a, std::string_view b) { return CompareFolded(a, b) < 0; });
    assert(at != names_.end() && EqualFolded(*at, name));
    return static_cast<int>(at - names_.begin());
  }
  RankSet ClassesOf(const NameSet& names) const {
    // Both lists are in name-set order, so one merge pass finds every class.
    RankSet classes(Count());
    std::size_t c = 0;
    for (const std::string& name : names) {
      while (c < names_.size() && !IsSpellingOf(names_[c], name)) ++c;
      assert(c < names_.size());
      if (c == names_.size()) break;
      classes.Add(static_cast<int>(c));
    }
    return classes;
  }
  // Whether the name belongs to the class spelled class_name. Where every class holds one name,
  // only that very spelling does, and the byte comparison is the quicker test.
  bool IsSpellingOf(const std::string& class_name, const std::string& name) const {
    return all_spellings_distinct_ ? class_name == name : EqualFolded(class_name, name);
  }

  // Whether every class holds one name, so that a set of classes spells its names.
  bool AllSpellingsDistinct() const { return all_spellings_distinct_; }
  NameSet NamesOf(const RankSet& classes) const {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(classes.Count()));
    classes.ForEach([&](int c) { names.push_back(names_[static_cast<std::size_t>(c)]); });
    return NameSet::FromSortedNames(std::move(names));
  }

 private:
  std::vector<std::string> names_;  // one spelling per class, in name-set order
  bool all_spellings_distinct_ = true;
};

// An option with the ambiguous arguments among its names as bit masks over their positions in
// the ambiguous list.
struct WalkOption {
  RankSet in, out;
  std::uint64_t ambiguous_in = 0;
  std::uint64_t ambiguous_out = 0;
};

// What a partial replay knows: the labels fixed so far (bit j of values is the label of the j-th
// ambiguous argument, set for OUT, valid where known is set) and the names merged so far.
struct WalkState {
  std::uint64_t known = 0;
  std::uint64_t values = 0;
  RankSet merged_in, merged_out;
};

struct KeptCandidate {
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
  KeepRuleWalk(std::vector<std::vector<WalkOption>> options, std::vector<bool> is_ambiguous,
               int ambiguous_count)
      : options_(std::move(options)),
        is_ambiguous_(std::move(is_ambiguous)),
        all_labels_(ambiguous_count == 64 ? ~std::uint64_t{0}
                                          : (std::uint64_t{1} << ambiguous_count) - 1) {}

  // The kept candidates ascending by combination number, or nothing past the limits.
  std::optional<std::vector<KeptCandidate>> Run(int class_count) {
    Visit(0, 0, StartsKept(0), {0, 0, RankSet(class_count), RankSet(class_count)});
    if (gave_up_) return std::nullopt;
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
        if (gave_up_ || ++option_tests_ > kMaxOptionTests) {
          gave_up_ = true;
          return;
        }
        const WalkOption& o = arg_options[option];
        if (state.merged_in.Intersects(o.out) || state.merged_out.Intersects(o.in)) continue;
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
        state.merged_in.AddAll(o.in);
        state.merged_out.AddAll(o.out);
        keep = true;
      }
      if (!keep) return;
    }
    // Labels that no tested option named do not change the replay: each of their settings is
    // kept with the same merged names.
    const std::uint64_t free = all_labels_ & ~state.known;
    std::uint64_t subset = 0;
    do {
      if (kept_.size() == kMaxPreferredCandidates) {
        gave_up_ = true;
        return;
      }
      kept_.push_back({state.values | subset, state.merged_in, state.merged_out});
      subset = (subset - free) & free;
    } while (subset != 0);
  }

  const std::vector<std::vector<WalkOption>> options_;
  const std::vector<bool> is_ambiguous_;
  const std::uint64_t all_labels_;
  std::vector<KeptCandidate> kept_;
  std::uint64_t option_tests_ = 0;
  bool gave_up_ = false;
};

}  // namespace

std::optional<std::vector<TProofLabeling>> KeptCandidatesByWalk(const TTheory& theory,
                                                                const TArgs& ambiguous) {
  const int k = ambiguous.Count();
  assert(k <= 64);
  const NameClasses classes(theory);
  // The labels that a class of names carries: bit j for each ambiguous argument j in the class.
  std::vector<std::uint64_t> labels_of_class(static_cast<std::size_t>(classes.Count()), 0);
  for (int j = 0; j < k; ++j)
    labels_of_class[static_cast<std::size_t>(classes.ClassOf(ambiguous[j].Name))] |=
        std::uint64_t{1} << j;
  auto labels_named = [&](const RankSet& named) {
    std::uint64_t mask = 0;
    named.ForEach([&](int c) { mask |= labels_of_class[static_cast<std::size_t>(c)]; });
    return mask;
  };

  std::vector<std::vector<WalkOption>> options;
  std::vector<bool> is_ambiguous;
  for (const TArg* arg : theory.Args) {
    is_ambiguous.push_back(ambiguous.IndexOf(*arg) >= 0);
    std::vector<WalkOption>& arg_options = options.emplace_back();
    for (const TProofLabeling& option : arg->Options) {
      WalkOption& walk_option = arg_options.emplace_back();
      walk_option.in = classes.ClassesOf(option.InArgs);
      walk_option.out = classes.ClassesOf(option.OutArgs);
      walk_option.ambiguous_in = labels_named(walk_option.in);
      walk_option.ambiguous_out = labels_named(walk_option.out);
    }
  }

  KeepRuleWalk walk(std::move(options), std::move(is_ambiguous), k);
  std::optional<std::vector<KeptCandidate>> kept = walk.Run(classes.Count());
  if (!kept) return std::nullopt;
  std::vector<TProofLabeling> candidates;
  candidates.reserve(kept->size());
  for (KeptCandidate& found : *kept) {
    if (!classes.AllSpellingsDistinct()) {
      // Which spelling of a name a candidate shows depends on the order of merging: replay it.
      std::optional<TProofLabeling> candidate = CandidateOf(theory, ambiguous, found.combination);
      assert(candidate);
      candidates.push_back(std::move(*candidate));
      continue;
    }
    for (int j = 0; j < k; ++j) {
      const bool out = ((found.combination >> j) & 1) != 0;
      (out ? found.merged_out : found.merged_in).Add(classes.ClassOf(ambiguous[j].Name));
    }
    TProofLabeling& candidate = candidates.emplace_back();
    candidate.InArgs = classes.NamesOf(found.merged_in);
    candidate.OutArgs = classes.NamesOf(found.merged_out);
  }
  return candidates;
}

}  // namespace dialectic
