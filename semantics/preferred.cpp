#include "semantics/preferred.h"

#include <algorithm>

#include "semantics/preferred_walk.h"

namespace dialectic {

bool IsAmbiguous(const TArg& arg, const ArgIndex& index) {
  const int rank = index.RankOf(arg);
  const auto has_in = [&](const TProofLabeling& o) { return o.InArgs.ContainsName(rank, index); };
  const auto has_out = [&](const TProofLabeling& o) { return o.OutArgs.ContainsName(rank, index); };
  return std::any_of(arg.Options.begin(), arg.Options.end(), has_in) &&
         std::any_of(arg.Options.begin(), arg.Options.end(), has_out);
}

std::vector<const TArg*> GetAmbiguousArgs(const TTheory& theory, const ArgIndex& index) {
  std::vector<const TArg*> ambiguous;
  for (const TArg* arg : theory.Args) {
    if (IsAmbiguous(*arg, index)) ambiguous.push_back(arg);
  }
  return ambiguous;
}

bool IsCompatible(const TProofLabeling& labeling, const TProofLabeling& option,
                  const ArgIndex& index) {
  const auto in_option_out = [&](int rank) { return option.OutArgs.ContainsName(rank, index); };
  const auto out_option_in = [&](int rank) { return option.InArgs.ContainsName(rank, index); };
  return !labeling.InArgs.AnyOf(in_option_out) && !labeling.OutArgs.AnyOf(out_option_in);
}

std::optional<TProofLabeling> CandidateOf(const TTheory& theory, const ArgIndex& index,
                                          const std::vector<const TArg*>& ambiguous,
                                          std::uint64_t combination) {
  // Each argument's turn starts with keep set; its compatible options are merged one after
  // another, each tested against the candidate as it stands. An ambiguous argument that merged
  // nothing rejects the candidate, and the arguments after it are not visited.
  TProofLabeling candidate;
  std::vector<bool> is_ambiguous(static_cast<std::size_t>(theory.Args.Count()), false);
  for (std::size_t j = 0; j < ambiguous.size(); ++j) {
    RankSet& labels = ((combination >> j) & 1) != 0 ? candidate.OutArgs : candidate.InArgs;
    labels.AddName(index.RankOf(*ambiguous[j]), index);
    is_ambiguous[static_cast<std::size_t>(ambiguous[j]->Position)] = true;
  }
  for (const TArg* arg : theory.Args) {
    bool keep = !is_ambiguous[static_cast<std::size_t>(arg->Position)];
    for (const TProofLabeling& option : arg->Options) {
      if (!IsCompatible(candidate, option, index)) continue;
      Merge(candidate, option, index);
      keep = true;
    }
    if (!keep) return std::nullopt;
  }
  return candidate;
}

PreferredOutcome ComputePreferred(const TTheory& theory, const ArgIndex& index,
                                  std::vector<TProofLabeling>& result, RunContext& context) {
  result.clear();
  const std::vector<const TArg*> ambiguous = GetAmbiguousArgs(theory, index);
  if (static_cast<int>(ambiguous.size()) > kMaxAmbiguousArgs) {
    return PreferredOutcome::kTooManyAmbiguous;
  }
  context.BeginPhase(RunPhase::kPreferred, theory.Args.Count());
  KeptCandidates kept = KeptCandidatesByWalk(theory, index, ambiguous, context);
  switch (kept.end) {
    case WalkEnd::kDone:
      result = std::move(kept.candidates);
      return PreferredOutcome::kDone;
    case WalkEnd::kTooMany:
      return PreferredOutcome::kTooMany;
    case WalkEnd::kStopped:
      return PreferredOutcome::kStopped;
  }
  return PreferredOutcome::kDone;
}

}  // namespace dialectic
