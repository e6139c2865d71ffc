#include "semantics/grounded.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "semantics/dense_theory.h"

namespace dialectic {

namespace {

// The closure from nothing on the dense view. Where no two names are equal under case folding the
// closure does not depend on the order in which arguments qualify, so instead of whole passes an
// argument is taken in as soon as its last attacker has been made OUT: each attack is looked at
// once rather than once per pass.
void ComputeGroundedDense(const DenseTheory& dense, TProofLabeling& result) {
  RankSet in(dense.size);
  RankSet out(dense.size);
  std::vector<std::size_t> attackers_not_out(static_cast<std::size_t>(dense.size));
  std::vector<int> qualified;
  for (int rank = 0; rank < dense.size; ++rank) {
    const std::size_t count = dense.attackers[static_cast<std::size_t>(rank)].size();
    attackers_not_out[static_cast<std::size_t>(rank)] = count;
    if (count == 0) qualified.push_back(rank);
  }
  while (!qualified.empty()) {
    const int rank = qualified.back();
    qualified.pop_back();
    in.Add(rank);
    for (int target : dense.targets[static_cast<std::size_t>(rank)]) {
      if (out.Contains(target)) continue;
      out.Add(target);
      for (int attacked : dense.targets[static_cast<std::size_t>(target)]) {
        if (--attackers_not_out[static_cast<std::size_t>(attacked)] == 0)
          qualified.push_back(attacked);
      }
    }
  }
  result.InArgs = NamesOfRanks(dense, in);
  result.OutArgs = NamesOfRanks(dense, out);
  result.NewIn.Clear();
  result.NewOut.Clear();
}

// Whether every attacker of the argument is attacked by an IN argument of the labeling.
bool IsDefendedByIn(const TProofLabeling& labeling, const TArg& arg) {
  return std::all_of(arg.Attackers.begin(), arg.Attackers.end(),
                     [&](const TArg* attacker) { return IsAttackedByIn(labeling, *attacker); });
}

}  // namespace

void ComputeGrounded(const TTheory& theory, TProofLabeling& result) {
  if (const std::optional<DenseTheory> dense = MakeDenseTheory(theory)) {
    ComputeGroundedDense(*dense, result);
    return;
  }
  const TProofLabeling empty_start;
  GroundedClosure(theory, empty_start, result);
}

void GroundedClosure(const TTheory& theory, const TProofLabeling& start, TProofLabeling& result) {
  result.InArgs.Clear();
  result.NewIn.Clear();
  result.OutArgs.Clear();
  result.NewOut.Clear();
  result.InArgs.AddAll(start.InArgs);
  result.OutArgs.AddAll(start.OutArgs);

  // An argument added to IN counts at once for the arguments after it in the same pass; OUT is
  // only ever decided through IsAttackedByIn, never by looking up OutArgs.
  bool added = true;
  while (added) {
    added = false;
    for (const TArg* arg : theory.Args) {
      if (result.InArgs.Contains(arg->Name)) continue;
      if (IsAttackedByIn(result, *arg)) continue;
      if (!IsDefendedByIn(result, *arg)) continue;
      result.InArgs.Add(arg->Name);
      for (const TArg* target : arg->Targets) result.OutArgs.Add(target->Name);
      added = true;
    }
  }
}

}  // namespace dialectic
