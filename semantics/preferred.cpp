#include "semantics/preferred.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "semantics/preferred_walk.h"
#include "semantics/stage_steps.h"

namespace dialectic {

namespace {

constexpr std::string_view kTooManyAmbiguous =
    "There are too many dialectically ambiguous arguments for this version of the algorithm";
constexpr std::string_view kTooManyPreferred =
    "The preferred extensions are too many to enumerate with this version of the algorithm";

}  // namespace

bool IsAmbiguous(const TArg& arg) {
  const auto has_in = [&](const TProofLabeling& o) { return o.InArgs.Contains(arg.Name); };
  const auto has_out = [&](const TProofLabeling& o) { return o.OutArgs.Contains(arg.Name); };
  return std::any_of(arg.Options.begin(), arg.Options.end(), has_in) &&
         std::any_of(arg.Options.begin(), arg.Options.end(), has_out);
}

void GetAmbiguousArgs(const TTheory& theory, TArgs& ambiguous) {
  ambiguous.Clear();
  for (TArg* arg : theory.Args) {
    if (IsAmbiguous(*arg)) ambiguous.Add(*arg);
  }
}

bool IsCompatible(const TTheory& theory, const TProofLabeling& labeling,
                  const TProofLabeling& option) {
  for (const std::string& name : labeling.InArgs) {
    if (option.OutArgs.Contains(ArgNamed(theory, name).Name)) return false;
  }
  for (const std::string& name : labeling.OutArgs) {
    if (option.InArgs.Contains(ArgNamed(theory, name).Name)) return false;
  }
  return true;
}

std::uint64_t Power2(int n) {
  std::uint64_t power = 1;
  for (int i = 0; i < n; ++i) power *= 2;
  return power;
}

namespace {

// Empties the result and fills the ambiguous list; past the limit it writes the message instead
// and gives false.
bool PrepareCandidates(const TTheory& theory, std::vector<TProofLabeling>& result, TextArea& memo5,
                       TArgs& ambiguous) {
  result.clear();
  GetAmbiguousArgs(theory, ambiguous);
  if (ambiguous.Count() <= kMaxAmbiguousArgs) return true;
  memo5.Add(kTooManyAmbiguous);
  return false;
}

}  // namespace

void ComputePreferred(const TTheory& theory, std::vector<TProofLabeling>& result, TextArea& memo5) {
  TArgs ambiguous;
  if (!PrepareCandidates(theory, result, memo5, ambiguous)) return;
  std::optional<std::vector<TProofLabeling>> kept = KeptCandidatesByWalk(theory, ambiguous);
  if (kept) {
    result = std::move(*kept);
  } else {
    memo5.Add(kTooManyPreferred);
  }
}

void ComputePreferredByName(const TTheory& theory, std::vector<TProofLabeling>& result,
                            TextArea& memo5) {
  TArgs ambiguous;
  if (!PrepareCandidates(theory, result, memo5, ambiguous)) return;
  for (std::uint64_t c = 0; c < Power2(ambiguous.Count()); ++c) {
    if (std::optional<TProofLabeling> candidate = CandidateOf(theory, ambiguous, c))
      result.push_back(std::move(*candidate));
  }
}

std::optional<TProofLabeling> CandidateOf(const TTheory& theory, const TArgs& ambiguous,
                                          std::uint64_t combination) {
  // Bit j of the combination number labels the j-th ambiguous argument: clear IN, set OUT. Each
  // argument's turn starts with keep set; its compatible options are merged one after another,
  // each tested against the candidate as it stands. An ambiguous argument that merged nothing
  // rejects the candidate, and the arguments after it are not visited.
  TProofLabeling candidate;
  for (int j = 0; j < ambiguous.Count(); ++j) {
    NameSet& labels = ((combination / Power2(j)) % 2 == 1) ? candidate.OutArgs : candidate.InArgs;
    labels.Add(ambiguous[j].Name);
  }
  for (const TArg* arg : theory.Args) {
    bool keep = ambiguous.IndexOf(*arg) < 0;
    for (const TProofLabeling& option : arg->Options) {
      if (!IsCompatible(theory, candidate, option)) continue;
      Merge(candidate, option);
      keep = true;
    }
    if (!keep) return std::nullopt;
  }
  return candidate;
}

}  // namespace dialectic
