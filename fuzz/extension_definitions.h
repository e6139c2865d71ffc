// The semantics' defining conditions checked on one given set of arguments, for graphs of any
// size: whether a printed certificate is what it claims to be. Maximality (preferred, semi-stable,
// stage, ideal) is not checked here; for small graphs the brute-force reference covers it.
#pragma once

#include <vector>

#include "exact/exact_engine.h"
#include "model/argument_graph.h"

namespace dialectic::fuzz {

// The set as a membership vector over the graph's arguments.
using Membership = std::vector<bool>;

bool IsConflictFree(const ArgumentGraph& graph, const Membership& set);
// Conflict-free, and every attacker of a member is attacked by a member.
bool IsAdmissible(const ArgumentGraph& graph, const Membership& set);
// Admissible, and every argument the set defends is in it.
bool IsComplete(const ArgumentGraph& graph, const Membership& set);
// Conflict-free, and every argument outside the set is attacked by it.
bool IsStable(const ArgumentGraph& graph, const Membership& set);
// The least fixed point of the defence function, from the empty set.
Membership Grounded(const ArgumentGraph& graph);

// The conditions a certificate of the semantics must meet that can be checked on it alone:
// grounded equals the least fixed point; stable is stable; stage is conflict-free; every other
// semantics gives complete extensions.
bool MeetsDefinition(const ArgumentGraph& graph, exact::Semantics semantics, const Membership& set);

}  // namespace dialectic::fuzz
