#include "semantics/grounded.h"

#include <algorithm>

namespace dialectic {

void ComputeGrounded(const TTheory& theory, TProofLabeling& result) {
  const TProofLabeling empty_start;
  GroundedClosure(theory, empty_start, result);
}

namespace {

// Whether every attacker of the argument is attacked by an IN argument of the labeling.
bool IsDefendedByIn(const TProofLabeling& labeling, const TArg& arg) {
  return std::all_of(arg.Attackers.begin(), arg.Attackers.end(),
                     [&](const TArg* attacker) { return IsAttackedByIn(labeling, *attacker); });
}

}  // namespace

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
