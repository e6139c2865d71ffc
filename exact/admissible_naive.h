// Admissible and naive extensions: the conflict-free sets that defend themselves, and the maximal
// conflict-free sets. The empty set is admissible, so every framework has an admissible extension
// and no argument is in every one; naive extensions are found by growing a set greedily, and an
// argument is in one exactly when it does not attack itself.
#pragma once

#include <optional>

#include "exact/exact_engine.h"
#include "exact/labeling_solver.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

// Whether the sorted extension holds the argument.
bool IsIn(const Extension& extension, int argument);
// Whether the argument attacks itself.
bool IsSelfAttacking(const ArgumentGraph& graph, int argument);
// The naive extension grown from the start set (conflict-free, no self-attacker) by adding every
// argument in index order that conflicts with nothing taken so far.
Extension GrowNaive(const ArgumentGraph& graph, const Extension& start);

// An admissible or naive extension that meets the requirement, or none.
ExtensionAnswer FindAdmissible(const ArgumentGraph& graph,
                               const std::optional<Requirement>& requirement, RunContext& context);
ExtensionAnswer FindNaive(const ArgumentGraph& graph,
                          const std::optional<Requirement>& requirement);

// Every admissible or naive extension, each once.
CountAnswer EnumerateAdmissible(const ArgumentGraph& graph, RunContext& context,
                                const ExtensionCallback& callback);
CountAnswer EnumerateNaive(const ArgumentGraph& graph, RunContext& context,
                           const ExtensionCallback& callback);

}  // namespace dialectic::exact
