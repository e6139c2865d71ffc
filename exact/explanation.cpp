#include "exact/explanation.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "exact/admissible_naive.h"
#include "exact/dispute_tree.h"
#include "exact/grounded_proof.h"

namespace dialectic::exact {

namespace {

// Every argument outside the extension, with its first attacker inside it, if any.
std::vector<OutsideArgument> Outside(const ArgumentGraph& graph, const Extension& extension) {
  std::vector<OutsideArgument> outside;
  for (int a = 0; a < graph.Size(); ++a) {
    if (IsIn(extension, a)) continue;
    OutsideArgument entry{a, std::nullopt};
    for (const int b : graph.attackers[a]) {
      if (IsIn(extension, b)) {
        entry.attacker = b;
        break;
      }
    }
    outside.push_back(entry);
  }
  return outside;
}

Explanation Stated(Statement statement) {
  Explanation explanation;
  explanation.kind = ExplanationKind::kStatement;
  explanation.statement = statement;
  return explanation;
}

// The grounded labeling read for one argument: its proof by rounds, or its undecided attackers
// and the cycles behind them.
Explanation GroundedExplanation(const ArgumentGraph& graph, int argument) {
  const GroundedRounds rounds = NumberGroundedRounds(graph);
  Explanation explanation;
  if (rounds.labels[argument] == Label::kUndec) {
    explanation.kind = ExplanationKind::kUndecidedCycle;
    explanation.undecided_attackers = UndecidedAttackers(graph, rounds.labels, argument);
    explanation.cycles = UndecidedCycles(graph, rounds.labels, argument);
  } else {
    explanation.kind = ExplanationKind::kGroundedProof;
    explanation.tree = GroundedProofTree(graph, rounds, argument);
  }
  return explanation;
}

// The counter-example extension and why the argument is outside it.
Explanation CounterExample(const ArgumentGraph& graph, Semantics semantics, int argument,
                           const Extension& extension) {
  Explanation explanation;
  explanation.kind = ExplanationKind::kCounterExample;
  explanation.extension = extension;
  if (IsSelfAttacking(graph, argument) && semantics == Semantics::kNaive) {
    explanation.exclusion = Exclusion::kSelfAttacking;
    return explanation;
  }
  for (const int b : graph.attackers[argument]) {
    if (IsIn(extension, b)) {
      explanation.exclusion =
          semantics == Semantics::kNaive ? Exclusion::kConflict : Exclusion::kOut;
      explanation.excluder = b;
      return explanation;
    }
  }
  if (semantics == Semantics::kNaive) {
    // Naive extensions are maximal: what no argument of one attacks, it attacks.
    for (const int t : graph.targets[argument]) {
      if (IsIn(extension, t)) {
        explanation.exclusion = Exclusion::kConflict;
        explanation.excluder = t;
        return explanation;
      }
    }
  }
  explanation.exclusion = Exclusion::kUndecided;
  for (const int b : graph.attackers[argument]) {
    bool defeated = false;
    for (const int c : graph.attackers[b]) defeated = defeated || IsIn(extension, c);
    if (!defeated) explanation.undecided_attackers.push_back(b);
  }
  std::sort(explanation.undecided_attackers.begin(), explanation.undecided_attackers.end());
  return explanation;
}

ExplanationAnswer EveryExtension(const ArgumentGraph& graph, Semantics semantics, bool each_holds,
                                 RunContext& context) {
  ExplanationAnswer result;
  result.explanation.kind = ExplanationKind::kEveryExtension;
  result.explanation.each_holds = each_holds;
  Explanation& explanation = result.explanation;
  const CountAnswer count =
      EnumerateExtensions(graph, semantics, context, [&](const Extension& extension) {
        if (explanation.extensions.size() <= kMaxListedExtensions) {
          explanation.extensions.push_back(extension);
        }
      });
  result.outcome = count.outcome;
  // An enumeration ends long before its count passes 64 bits.
  explanation.extension_count = count.count.FitsIn64Bits()
                                    ? count.count.Low64Bits()
                                    : std::numeric_limits<std::uint64_t>::max();
  if (explanation.extension_count > kMaxListedExtensions) explanation.extensions.clear();
  std::sort(explanation.extensions.begin(), explanation.extensions.end());
  return result;
}

// A dispute tree in the witness; for admissible, complete and preferred semantics the witness
// first shrinks to a minimal admissible set.
ExplanationAnswer DisputeTreeIn(const ArgumentGraph& graph, Semantics semantics, int argument,
                                const Extension& extension, RunContext& context) {
  ExplanationAnswer result;
  Explanation& explanation = result.explanation;
  explanation.kind = ExplanationKind::kDisputeTree;
  Extension witness = extension;
  if (semantics == Semantics::kAdmissible || semantics == Semantics::kComplete ||
      semantics == Semantics::kPreferred) {
    MinimalWitness minimal = MinimalAdmissibleWitness(graph, extension, argument, context);
    if (minimal.outcome == Outcome::kStopped) return {Outcome::kStopped, {}};
    witness = std::move(minimal.witness);
    explanation.witness_minimal = minimal.minimal;
  }
  explanation.tree = DisputeTree(graph, witness, argument);
  if (semantics == Semantics::kStable || semantics == Semantics::kSemiStable) {
    explanation.outside = Outside(graph, witness);
  }
  if (semantics == Semantics::kIdeal) {
    for (const int a : witness) {
      for (const int b : graph.attackers[a]) explanation.refuted_attackers.push_back(b);
    }
    std::sort(explanation.refuted_attackers.begin(), explanation.refuted_attackers.end());
    explanation.refuted_attackers.erase(
        std::unique(explanation.refuted_attackers.begin(), explanation.refuted_attackers.end()),
        explanation.refuted_attackers.end());
  }
  explanation.extension = std::move(witness);
  return result;
}

ExplanationAnswer CredulousNo(const ArgumentGraph& graph, Semantics semantics, int argument,
                              RunContext& context) {
  switch (semantics) {
    case Semantics::kAdmissible:
    case Semantics::kComplete:
    case Semantics::kPreferred: {
      OpponentStrategy strategy = FindOpponentStrategy(graph, argument, kMaxStrategyNodes, context);
      if (strategy.outcome == Outcome::kStopped) return {Outcome::kStopped, {}};
      if (!strategy.tree.empty()) {
        Explanation explanation;
        explanation.kind = ExplanationKind::kOpponentStrategy;
        explanation.tree = std::move(strategy.tree);
        return {Outcome::kFinished, std::move(explanation)};
      }
      Explanation explanation = Stated(Statement::kNoAdmissibleSet);
      explanation.strategy_size = strategy.size;
      return {Outcome::kFinished, std::move(explanation)};
    }
    case Semantics::kNaive:
      return {Outcome::kFinished, Stated(Statement::kSelfAttacking)};
    default:
      return EveryExtension(graph, semantics, false, context);
  }
}

ExplanationAnswer CredulousYes(const ArgumentGraph& graph, Semantics semantics, int argument,
                               const Extension& witness, RunContext& context) {
  switch (semantics) {
    case Semantics::kStage: {
      Explanation explanation = Stated(Statement::kStageWitness);
      explanation.extension = witness;
      explanation.outside = Outside(graph, witness);
      return {Outcome::kFinished, std::move(explanation)};
    }
    case Semantics::kNaive: {
      Explanation explanation = Stated(Statement::kNaiveWitness);
      explanation.extension = witness;
      return {Outcome::kFinished, std::move(explanation)};
    }
    default:
      return DisputeTreeIn(graph, semantics, argument, witness, context);
  }
}

}  // namespace

std::string_view ExplanationKindName(ExplanationKind kind) {
  constexpr std::array<std::string_view, 7> kNames = {
      "grounded-proof",  "undecided-cycle", "dispute-tree", "opponent-strategy",
      "counter-example", "every-extension", "statement",
  };
  return kNames[static_cast<std::size_t>(kind)];
}

std::string_view RoleName(Role role) { return role == Role::kProponent ? "proponent" : "opponent"; }

std::size_t TreeDepth(const std::vector<TreeNode>& tree) {
  // Children stand after their parents, so one pass in order sets every depth.
  std::vector<std::size_t> depth(tree.size(), 1);
  std::size_t deepest = tree.empty() ? 0 : 1;
  for (std::size_t i = 0; i < tree.size(); ++i) {
    for (const int child : tree[i].children) depth[child] = depth[i] + 1;
    deepest = std::max(deepest, depth[i]);
  }
  return deepest;
}

namespace {

ExplanationAnswer ExplainInFull(const ArgumentGraph& graph, Semantics semantics,
                                AcceptanceQuestion question, int argument,
                                const AcceptanceAnswer& answer, RunContext& context) {
  if (answer.outcome == Outcome::kStopped) return {Outcome::kStopped, {}};
  // The grounded extension is the only grounded one and the sceptical answer of complete
  // semantics; its own proof explains every answer about it but a counter-example.
  const bool sceptical = question == AcceptanceQuestion::kSceptical;
  if (semantics == Semantics::kGrounded ||
      (semantics == Semantics::kComplete && sceptical && answer.accepted)) {
    return {Outcome::kFinished, GroundedExplanation(graph, argument)};
  }
  if (semantics == Semantics::kIdeal) {
    // One extension: it is the witness of a yes and the counter-example of a no.
    const ExtensionAnswer ideal = FindExtension(graph, semantics, context);
    if (ideal.outcome == Outcome::kStopped) return {Outcome::kStopped, {}};
    if (answer.accepted) {
      return DisputeTreeIn(graph, semantics, argument, *ideal.extension, context);
    }
    return {Outcome::kFinished, CounterExample(graph, semantics, argument, *ideal.extension)};
  }
  if (!sceptical) {
    if (answer.accepted) {
      return CredulousYes(graph, semantics, argument, *answer.certificate, context);
    }
    return CredulousNo(graph, semantics, argument, context);
  }
  if (!answer.accepted) {
    return {Outcome::kFinished, CounterExample(graph, semantics, argument, *answer.certificate)};
  }
  return EveryExtension(graph, semantics, true, context);
}

}  // namespace

ExplanationAnswer Explain(const ArgumentGraph& graph, Semantics semantics,
                          AcceptanceQuestion question, int argument, const AcceptanceAnswer& answer,
                          RunContext& context) {
  ExplanationAnswer result = ExplainInFull(graph, semantics, question, argument, answer, context);
  Explanation& explanation = result.explanation;
  const std::size_t depth = TreeDepth(explanation.tree);
  if (explanation.tree.size() > kMaxTreeNodes || depth > kMaxTreeDepth) {
    explanation.tree_kind = explanation.kind;
    explanation.tree_nodes = explanation.tree.size();
    explanation.tree_depth = depth;
    explanation.kind = ExplanationKind::kStatement;
    explanation.statement = Statement::kTreeTooLarge;
    explanation.tree.clear();
  }
  return result;
}

}  // namespace dialectic::exact
