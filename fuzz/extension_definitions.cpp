#include "fuzz/extension_definitions.h"

#include <cstddef>

namespace dialectic::fuzz {

namespace {

bool Has(const Membership& set, int a) { return set[static_cast<std::size_t>(a)]; }

// The arguments that some member attacks.
Membership AttackedBy(const ArgumentGraph& graph, const Membership& set) {
  Membership attacked(set.size(), false);
  for (int a = 0; a < graph.Size(); ++a) {
    if (!Has(set, a)) continue;
    for (const int t : graph.targets[static_cast<std::size_t>(a)]) {
      attacked[static_cast<std::size_t>(t)] = true;
    }
  }
  return attacked;
}

// Whether every attacker of the argument is attacked by the set (the set defends it).
bool IsDefended(const ArgumentGraph& graph, const Membership& attacked, int a) {
  for (const int b : graph.attackers[static_cast<std::size_t>(a)]) {
    if (!Has(attacked, b)) return false;
  }
  return true;
}

}  // namespace

bool IsConflictFree(const ArgumentGraph& graph, const Membership& set) {
  const Membership attacked = AttackedBy(graph, set);
  for (int a = 0; a < graph.Size(); ++a) {
    if (Has(set, a) && Has(attacked, a)) return false;
  }
  return true;
}

bool IsAdmissible(const ArgumentGraph& graph, const Membership& set) {
  if (!IsConflictFree(graph, set)) return false;
  const Membership attacked = AttackedBy(graph, set);
  for (int a = 0; a < graph.Size(); ++a) {
    if (Has(set, a) && !IsDefended(graph, attacked, a)) return false;
  }
  return true;
}

bool IsComplete(const ArgumentGraph& graph, const Membership& set) {
  if (!IsAdmissible(graph, set)) return false;
  const Membership attacked = AttackedBy(graph, set);
  for (int a = 0; a < graph.Size(); ++a) {
    if (!Has(set, a) && IsDefended(graph, attacked, a)) return false;
  }
  return true;
}

bool IsStable(const ArgumentGraph& graph, const Membership& set) {
  if (!IsConflictFree(graph, set)) return false;
  const Membership attacked = AttackedBy(graph, set);
  for (int a = 0; a < graph.Size(); ++a) {
    if (!Has(set, a) && !Has(attacked, a)) return false;
  }
  return true;
}

Membership Grounded(const ArgumentGraph& graph) {
  Membership set(static_cast<std::size_t>(graph.Size()), false);
  for (bool grew = true; grew;) {
    grew = false;
    const Membership attacked = AttackedBy(graph, set);
    for (int a = 0; a < graph.Size(); ++a) {
      if (!Has(set, a) && IsDefended(graph, attacked, a)) {
        set[static_cast<std::size_t>(a)] = true;
        grew = true;
      }
    }
  }
  return set;
}

bool MeetsDefinition(const ArgumentGraph& graph, exact::Semantics semantics,
                     const Membership& set) {
  switch (semantics) {
    case exact::Semantics::kGrounded:
      return set == Grounded(graph);
    case exact::Semantics::kStable:
      return IsStable(graph, set);
    case exact::Semantics::kStage:
    case exact::Semantics::kNaive:
      return IsConflictFree(graph, set);
    case exact::Semantics::kAdmissible:
      return IsAdmissible(graph, set);
    case exact::Semantics::kComplete:
    case exact::Semantics::kPreferred:
    case exact::Semantics::kSemiStable:
    case exact::Semantics::kIdeal:
      return IsComplete(graph, set);
  }
  return false;
}

}  // namespace dialectic::fuzz
