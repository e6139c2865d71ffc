// The two trees of the admissibility game. A dispute tree shows that a set defends the argument:
// under each proponent node every attacker of its argument as an opponent, under each opponent an
// argument of the set that attacks it. An opponent strategy shows that no admissible set holds
// the argument: under each proponent node the attack the opponent chooses, under each opponent
// node every answer the proponent has without a conflict with its arguments so far.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "exact/exact_engine.h"
#include "exact/explanation.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

// The dispute tree of the argument inside the witness, an admissible set holding it. Each
// opponent is answered by the first argument of the witness that attacks it; an argument met
// again in the same role is a repeat.
std::vector<TreeNode> DisputeTree(const ArgumentGraph& graph, const Extension& witness,
                                  int argument);

// A minimal admissible set (no admissible proper subset holds the argument) inside the given
// admissible set holding the argument, by removing one member at a time; polynomial, no SAT call.
// On a large graph the removals may stop at a step limit: the witness is then admissible and
// holds the argument, but minimal is false.
struct MinimalWitness {
  Outcome outcome = Outcome::kFinished;
  Extension witness;
  bool minimal = true;
};
MinimalWitness MinimalAdmissibleWitness(const ArgumentGraph& graph, const Extension& admissible,
                                        int argument, RunContext& context);

// The opponent's winning strategy against an argument that no admissible set holds, with its
// size in nodes: the tree when at most max_nodes, else none. The search looks at no more than a
// fixed number of positions; beyond that, or when stopped, it gives up: size none too.
struct OpponentStrategy {
  Outcome outcome = Outcome::kFinished;
  std::optional<std::uint64_t> size;
  std::vector<TreeNode> tree;
};
OpponentStrategy FindOpponentStrategy(const ArgumentGraph& graph, int argument,
                                      std::uint64_t max_nodes, RunContext& context);

// The tree of a defence: every proponent node has each attacker of its argument as an opponent
// child, in attack order, and every opponent node has as its one child the proponent argument that
// answer gives (none where it gives -1). Built in preorder by an explicit stack; an argument met
// again in the same role is a repeat without children. round_of, when given, numbers the
// proponent nodes.
std::vector<TreeNode> AnsweredTree(const ArgumentGraph& graph, int root, Role root_role,
                                   const std::function<int(int)>& answer,
                                   const std::function<int(int)>& round_of = {});

}  // namespace dialectic::exact
