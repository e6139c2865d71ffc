#include "semantics/grounded.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "semantics/dense_theory.h"

namespace dialectic {

namespace {

// The closure from nothing on the dense view, pass for pass as by name.
void ComputeGroundedDense(const DenseTheory& dense, TProofLabeling& result) {
  RankSet in(dense.size);
  RankSet out(dense.size);
  bool added = true;
  while (added) {
    added = false;
    for (int rank : dense.rank_of_position) {
      if (in.Contains(rank) || IsAttackedByInDense(dense, in, rank)) continue;
      const std::vector<int>& attackers = dense.attackers[static_cast<std::size_t>(rank)];
      if (!std::all_of(attackers.begin(), attackers.end(),
                       [&](int y) { return IsAttackedByInDense(dense, in, y); }))
        continue;
      in.Add(rank);
      for (const TArg* target : dense.arg_of_rank[static_cast<std::size_t>(rank)]->Targets)
        out.Add(dense.rank_of_arg.at(target));
      added = true;
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
