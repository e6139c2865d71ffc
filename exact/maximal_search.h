// Preferred, semi-stable and stage extensions by incremental SAT on one solver. Each of them is a
// set of a base kind (complete; conflict-free for stage) whose key is maximal under inclusion: the
// in arguments for preferred, the range (in or attacked) for semi-stable and stage. A candidate
// grows by asking for a strictly larger key under assumptions until there is none; every key
// passed, the maximal one too once dealt with, is blocked for good by the clause "the key is not a
// subset of it", so no later candidate grows into it again and every search ends after at most one
// round per maximal key.
#pragma once

#include <optional>
#include <vector>

#include "exact/exact_engine.h"
#include "exact/labeling_solver.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

class MaximalSearch {
 public:
  // The semantics is kPreferred, kSemiStable or kStage.
  MaximalSearch(const ArgumentGraph& graph, Semantics semantics, RunContext& context);

  // An extension that meets the requirement, or none. Meant to be called once per search.
  ExtensionAnswer Find(const std::optional<Requirement>& requirement);
  // Every extension, each once. Meant to be called once per search.
  CountAnswer Enumerate(const ExtensionCallback& callback);

 private:
  // A candidate: its key by argument and its in arguments. Once it has been asked to grow, its
  // escape is the literal that switches off its clause "the key is not a subset of this one".
  struct Candidate {
    std::vector<bool> key;
    Extension extension;
    int escape = 0;
  };

  // The empty set is a model of every base here, and it is an extension exactly when it is the
  // only model, since any other model has a larger key. So the search first adds the clause "some
  // argument is in" for good and asks whether any model is left: unsatisfiable means that the
  // empty set is the one extension. Asked this way, without assumptions, the often hardest call of
  // a search runs faster than when a candidate grows from the empty set.
  SolveResult RequireNonempty();
  int KeyLiteral(int argument) const;
  Candidate ModelCandidate();
  // Grows the candidate until no model under the assumptions has a strictly larger key; false
  // when stopped. The grown candidate's clause stays open.
  bool Grow(const std::vector<int>& assumptions, Candidate& candidate);
  // The assumptions that fix the key to exactly the given one.
  std::vector<int> KeyEquals(const std::vector<bool>& key) const;
  // Adds the candidate's clause "escape, or the key is not a subset of this one".
  void OpenBlock(Candidate& candidate);
  // Fixes the candidate's escape false, which makes its clause permanent.
  void CloseBlock(const Candidate& candidate) { solver_.AddClause({-candidate.escape}); }
  // Grows the model of the last solve call to a maximal key, hands its extensions to the callback
  // and blocks the key; false when stopped.
  bool ReportGrownModel(const ExtensionCallback& callback, BigCount& count);
  // Hands every extension whose range is the given maximal one to the callback and blocks it;
  // false when stopped.
  bool ReportRange(const std::vector<bool>& range, const ExtensionCallback& callback,
                   BigCount& count);

  const int size_;
  const bool key_is_range_;
  LabelingSolver solver_;
};

}  // namespace dialectic::exact
