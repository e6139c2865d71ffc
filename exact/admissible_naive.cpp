#include "exact/admissible_naive.h"

#include <algorithm>
#include <vector>

namespace dialectic::exact {

namespace {

// The arguments that attack or are attacked by the argument, itself included when it attacks
// itself.
std::vector<int> Neighbours(const ArgumentGraph& graph, int argument) {
  std::vector<int> neighbours = graph.attackers[argument];
  neighbours.insert(neighbours.end(), graph.targets[argument].begin(),
                    graph.targets[argument].end());
  return neighbours;
}

}  // namespace

bool IsIn(const Extension& extension, int argument) {
  return std::binary_search(extension.begin(), extension.end(), argument);
}

bool IsSelfAttacking(const ArgumentGraph& graph, int argument) {
  const std::vector<int>& attackers = graph.attackers[argument];
  return std::find(attackers.begin(), attackers.end(), argument) != attackers.end();
}

Extension GrowNaive(const ArgumentGraph& graph, const Extension& start) {
  // blocked[a]: a attacks itself or conflicts with an argument taken.
  std::vector<bool> blocked(graph.Size(), false), taken(graph.Size(), false);
  const auto take = [&](int a) {
    taken[a] = true;
    for (const int b : Neighbours(graph, a)) blocked[b] = true;
  };
  for (const int a : start) take(a);
  for (int a = 0; a < graph.Size(); ++a) {
    if (!taken[a] && !blocked[a] && !IsSelfAttacking(graph, a)) take(a);
  }
  Extension extension;
  for (int a = 0; a < graph.Size(); ++a) {
    if (taken[a]) extension.push_back(a);
  }
  return extension;
}

ExtensionAnswer FindAdmissible(const ArgumentGraph& graph,
                               const std::optional<Requirement>& requirement, RunContext& context) {
  // The empty set is admissible: it answers every question but "is the argument in some one?".
  if (!requirement || !requirement->in) return {Outcome::kFinished, Extension{}};
  if (IsSelfAttacking(graph, requirement->argument)) return {};
  LabelingSolver solver(graph, BaseSemantics::kAdmissible, false, context);
  solver.Require(*requirement);
  return SolveForExtension(solver);
}

ExtensionAnswer FindNaive(const ArgumentGraph& graph,
                          const std::optional<Requirement>& requirement) {
  if (!requirement) return {Outcome::kFinished, GrowNaive(graph, {})};
  const int a = requirement->argument;
  if (requirement->in) {
    if (IsSelfAttacking(graph, a)) return {};
    return {Outcome::kFinished, GrowNaive(graph, {a})};
  }
  // Without the argument: a self-attacker is in no naive extension; otherwise a naive extension
  // leaves it out exactly when it grows from an argument in conflict with it, and any such one
  // that does not attack itself will do.
  if (IsSelfAttacking(graph, a)) return {Outcome::kFinished, GrowNaive(graph, {})};
  for (const int b : Neighbours(graph, a)) {
    if (b != a && !IsSelfAttacking(graph, b)) return {Outcome::kFinished, GrowNaive(graph, {b})};
  }
  return {};
}

CountAnswer EnumerateAdmissible(const ArgumentGraph& graph, RunContext& context,
                                const ExtensionCallback& callback) {
  LabelingSolver solver(graph, BaseSemantics::kAdmissible, false, context);
  return EnumerateModels(
      solver, [](LabelingSolver& model) { return model.ModelExtension(); },
      [&solver](const Extension& extension) { solver.BlockExtension(extension); }, callback);
}

CountAnswer EnumerateNaive(const ArgumentGraph& graph, RunContext& context,
                           const ExtensionCallback& callback) {
  // Each model of the conflict-free encoding grows greedily to a naive extension, which is then
  // reported and cut away with the clause "some argument outside it is in". Two naive extensions
  // are never subsets of one another, so every one not yet reported meets all these clauses, and
  // every model grows to one not yet reported.
  LabelingSolver solver(graph, BaseSemantics::kConflictFree, false, context);
  return EnumerateModels(
      solver, [&graph](LabelingSolver& model) { return GrowNaive(graph, model.ModelExtension()); },
      [&graph, &solver](const Extension& extension) {
        std::vector<int> outside;
        for (int a = 0; a < graph.Size(); ++a) {
          if (!IsIn(extension, a) && !IsSelfAttacking(graph, a)) outside.push_back(solver.In(a));
        }
        solver.AddClause(outside);
      },
      callback);
}

}  // namespace dialectic::exact
