// The explanations checked from the definitions: every tree, witness and counter-example is
// verified by code written here from what it claims, by brute force over bit masks, without the
// engine's explanation code (only its result types are read).
#include "exact/explanation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "exact/exact_engine.h"
#include "tests/oracle/exact_reference.h"

namespace dialectic::exact::explanation_check {
namespace {

// How many random graphs of up to 12 arguments to check; fewer under the sanitizers.
// DIALECTIC_EXPLANATION_RANDOM_GRAPHS sets another number for a run by hand.
int RandomGraphCount() {
  if (const char* count = std::getenv("DIALECTIC_EXPLANATION_RANDOM_GRAPHS")) {
    return std::atoi(count);
  }
#ifdef __SANITIZE_ADDRESS__
  return 300;
#else
  return 2500;
#endif
}

// Under the sanitizers, every this-many-th graph of four arguments is checked (all of up to three).
#ifdef __SANITIZE_ADDRESS__
constexpr int kFourArgumentStride = 10;
#else
constexpr int kFourArgumentStride = 1;
#endif

bool Has(Mask set, int a) { return (set >> a & 1) != 0; }
Mask Bit(int a) { return Mask{1} << a; }

// The graph seen through bit masks, with the definitions the checks need.
class Definitions {
 public:
  explicit Definitions(const ArgumentGraph& graph) : graph_(graph), size_(graph.Size()) {
    attackers_.resize(size_);
    for (int a = 0; a < size_; ++a) {
      for (const int b : graph.attackers[a]) attackers_[a] |= Bit(b);
    }
    // The grounded labeling by its definition: IN what the IN set defends, OUT what it attacks,
    // to a fixpoint.
    for (bool grew = true; grew;) {
      grew = false;
      for (int a = 0; a < size_; ++a) {
        if (!Has(grounded_, a) && (attackers_[a] & ~AttackedBy(grounded_)) == 0) {
          grounded_ |= Bit(a);
          grew = true;
        }
      }
    }
  }

  int Size() const { return size_; }
  bool Attacks(int a, int b) const { return Has(attackers_[b], a); }
  Mask AttackersOf(int a) const { return attackers_[a]; }
  Mask AttackedBy(Mask set) const {
    Mask attacked = 0;
    for (int a = 0; a < size_; ++a) {
      if (attackers_[a] & set) attacked |= Bit(a);
    }
    return attacked;
  }
  bool IsConflictFree(Mask set) const { return (set & AttackedBy(set)) == 0; }
  bool IsAdmissible(Mask set) const {
    if (!IsConflictFree(set)) return false;
    const Mask attacked = AttackedBy(set);
    for (int a = 0; a < size_; ++a) {
      if (Has(set, a) && (attackers_[a] & ~attacked) != 0) return false;
    }
    return true;
  }
  bool IsGroundedIn(int a) const { return Has(grounded_, a); }
  bool IsGroundedOut(int a) const { return Has(AttackedBy(grounded_), a); }
  bool IsGroundedUndecided(int a) const { return !IsGroundedIn(a) && !IsGroundedOut(a); }

 private:
  const ArgumentGraph& graph_;
  int size_;
  std::vector<Mask> attackers_;
  Mask grounded_ = 0;
};

bool IsAmong(Mask set, const std::vector<Mask>& sets) {
  return std::find(sets.begin(), sets.end(), set) != sets.end();
}

// The tree's shape: node 0 the root, every other node the child of exactly one earlier node, a
// repeat childless and standing after an expanded node of the same argument and role.
void CheckTreeShape(const std::vector<TreeNode>& tree, int size) {
  ASSERT_FALSE(tree.empty());
  std::vector<int> parents(tree.size(), 0);
  for (std::size_t i = 0; i < tree.size(); ++i) {
    const TreeNode& node = tree[i];
    ASSERT_TRUE(node.argument >= 0 && node.argument < size);
    for (const int child : node.children) {
      ASSERT_TRUE(child > static_cast<int>(i) && child < static_cast<int>(tree.size()));
      ++parents[child];
    }
    if (node.repeat) {
      EXPECT_TRUE(node.children.empty());
      bool original = false;
      for (std::size_t j = 0; j < i; ++j) {
        original = original || (!tree[j].repeat && tree[j].argument == node.argument &&
                                tree[j].role == node.role);
      }
      EXPECT_TRUE(original) << "repeat of node " << i << " without an earlier original";
    }
  }
  EXPECT_EQ(parents[0], 0);
  for (std::size_t i = 1; i < tree.size(); ++i) EXPECT_EQ(parents[i], 1) << "node " << i;
}

// An admissible dispute tree: every attacker of a proponent is one of its opponent children,
// every opponent has one proponent child that attacks it, no argument plays both roles. Returns
// the proponent arguments.
Mask CheckDisputeTree(const Definitions& d, const std::vector<TreeNode>& tree) {
  CheckTreeShape(tree, d.Size());
  Mask proponents = 0, opponents = 0;
  for (const TreeNode& node : tree) {
    (node.role == Role::kProponent ? proponents : opponents) |= Bit(node.argument);
    if (node.repeat) continue;
    if (node.role == Role::kProponent) {
      Mask children = 0;
      for (const int child : node.children) {
        EXPECT_EQ(tree[child].role, Role::kOpponent);
        EXPECT_FALSE(Has(children, tree[child].argument)) << "attacker listed twice";
        children |= Bit(tree[child].argument);
      }
      EXPECT_EQ(children, d.AttackersOf(node.argument)) << "proponent " << node.argument;
    } else {
      EXPECT_EQ(node.children.size(), 1u) << "opponent " << node.argument;
      for (const int child : node.children) {
        EXPECT_EQ(tree[child].role, Role::kProponent);
        EXPECT_TRUE(d.Attacks(tree[child].argument, node.argument));
      }
    }
  }
  EXPECT_EQ(proponents & opponents, 0u) << "an argument plays both roles";
  EXPECT_TRUE(d.IsAdmissible(proponents));
  return proponents;
}

// A grounded proof: a dispute tree whose proponents are grounded IN, each in a round strictly
// above that of every proponent answering its attackers, and in round 1 when unattacked.
void CheckGroundedProof(const Definitions& d, const std::vector<TreeNode>& tree, int argument) {
  const TreeNode& root = tree.front();
  EXPECT_EQ(root.argument, argument);
  if (d.IsGroundedIn(argument)) {
    EXPECT_EQ(root.role, Role::kProponent);
  } else {
    ASSERT_TRUE(d.IsGroundedOut(argument));
    EXPECT_EQ(root.role, Role::kOpponent);
  }
  const Mask proponents = CheckDisputeTree(d, tree);
  for (int a = 0; a < d.Size(); ++a) {
    if (Has(proponents, a)) {
      EXPECT_TRUE(d.IsGroundedIn(a)) << a;
    }
  }
  std::vector<int> round_of(d.Size(), 0);
  for (const TreeNode& node : tree) {
    if (node.role != Role::kProponent) {
      EXPECT_EQ(node.round, 0);
      continue;
    }
    EXPECT_GT(node.round, 0);
    if (round_of[node.argument] == 0) round_of[node.argument] = node.round;
    EXPECT_EQ(round_of[node.argument], node.round) << "one argument, two rounds";
    if (node.repeat) continue;
    if (node.children.empty()) {
      EXPECT_EQ(node.round, 1) << "unattacked " << node.argument;
    }
    for (const int opponent : node.children) {
      for (const int answer : tree[opponent].children) {
        EXPECT_LT(tree[answer].round, node.round) << "rounds do not descend at " << node.argument;
      }
    }
  }
}

// The opponent's strategy: under each proponent node one attack on the proponent's arguments so
// far, under each opponent node every answer that attacks it without a conflict with them, and
// every branch ending in an opponent's attack that has no such answer.
void CheckOpponentStrategy(const Definitions& d, const std::vector<TreeNode>& tree, int argument) {
  CheckTreeShape(tree, d.Size());
  ASSERT_EQ(tree.front().argument, argument);
  ASSERT_EQ(tree.front().role, Role::kProponent);
  // Depth first with the proponent's arguments on the path to each node.
  std::vector<std::pair<int, Mask>> stack = {{0, Bit(argument)}};
  while (!stack.empty()) {
    const auto [index, proponents] = stack.back();
    stack.pop_back();
    const TreeNode& node = tree[index];
    EXPECT_FALSE(node.repeat);
    if (node.role == Role::kProponent) {
      ASSERT_EQ(node.children.size(), 1u) << "the opponent must move at " << node.argument;
      const TreeNode& move = tree[node.children.front()];
      EXPECT_EQ(move.role, Role::kOpponent);
      bool attacks_path = false;
      for (int p = 0; p < d.Size(); ++p) {
        attacks_path = attacks_path || (Has(proponents, p) && d.Attacks(move.argument, p));
      }
      EXPECT_TRUE(attacks_path) << "move " << move.argument << " attacks no proponent";
      stack.emplace_back(node.children.front(), proponents);
    } else {
      Mask expected = 0;
      for (int c = 0; c < d.Size(); ++c) {
        if (d.Attacks(c, node.argument) && d.IsConflictFree(proponents | Bit(c))) {
          expected |= Bit(c);
        }
      }
      Mask answers = 0;
      for (const int child : node.children) {
        EXPECT_EQ(tree[child].role, Role::kProponent);
        EXPECT_FALSE(Has(answers, tree[child].argument));
        answers |= Bit(tree[child].argument);
        stack.emplace_back(child, proponents | Bit(tree[child].argument));
      }
      EXPECT_EQ(answers, expected) << "answers to " << node.argument;
    }
  }
}

// Every argument outside the extension, each with an attacker in it exactly where it has one.
void CheckOutside(const Definitions& d, const Explanation& e, Mask extension) {
  Mask listed = 0;
  for (const OutsideArgument& outside : e.outside) {
    EXPECT_FALSE(Has(extension, outside.argument));
    listed |= Bit(outside.argument);
    const bool attacked = (d.AttackersOf(outside.argument) & extension) != 0;
    EXPECT_EQ(outside.attacker.has_value(), attacked) << outside.argument;
    if (outside.attacker) {
      EXPECT_TRUE(Has(extension, *outside.attacker) &&
                  d.Attacks(*outside.attacker, outside.argument));
    }
  }
  EXPECT_EQ(listed, (Bit(d.Size()) - 1) & ~extension);
}

// The kind each question and answer is explained by.
ExplanationKind ExpectedKind(const Definitions& d, Semantics semantics, AcceptanceQuestion question,
                             bool accepted, int argument) {
  const bool sceptical = question == AcceptanceQuestion::kSceptical;
  if (semantics == Semantics::kGrounded) {
    return d.IsGroundedUndecided(argument) ? ExplanationKind::kUndecidedCycle
                                           : ExplanationKind::kGroundedProof;
  }
  if (semantics == Semantics::kComplete && sceptical && accepted) {
    return ExplanationKind::kGroundedProof;
  }
  if (semantics == Semantics::kIdeal) {
    return accepted ? ExplanationKind::kDisputeTree : ExplanationKind::kCounterExample;
  }
  if (sceptical)
    return accepted ? ExplanationKind::kEveryExtension : ExplanationKind::kCounterExample;
  if (accepted) {
    return semantics == Semantics::kStage || semantics == Semantics::kNaive
               ? ExplanationKind::kStatement
               : ExplanationKind::kDisputeTree;
  }
  switch (semantics) {
    case Semantics::kAdmissible:
    case Semantics::kComplete:
    case Semantics::kPreferred:
      return ExplanationKind::kOpponentStrategy;  // or a statement when too large
    case Semantics::kNaive:
      return ExplanationKind::kStatement;
    default:
      return ExplanationKind::kEveryExtension;
  }
}

// Asks and explains one question; checks the explanation against the definitions.
void CheckExplanation(const ArgumentGraph& graph, const Definitions& d,
                      const ReferenceSemantics& reference, Semantics semantics,
                      AcceptanceQuestion question, int a) {
  SCOPED_TRACE(std::string(SemanticsName(semantics)) +
               (question == AcceptanceQuestion::kCredulous ? " credulous " : " sceptical ") +
               std::to_string(a));
  RunContext context;
  const AcceptanceAnswer answer = question == AcceptanceQuestion::kCredulous
                                      ? IsCredulouslyAccepted(graph, semantics, a, context)
                                      : IsScepticallyAccepted(graph, semantics, a, context);
  const ExplanationAnswer result = Explain(graph, semantics, question, a, answer, context);
  ASSERT_EQ(result.outcome, Outcome::kFinished);
  const Explanation& e = result.explanation;
  const std::vector<Mask>& extensions = reference.Extensions(semantics);
  const std::vector<Mask>& admissible = reference.Extensions(Semantics::kAdmissible);
  const auto holds_a = [a](Mask set) { return Has(set, a); };

  const ExplanationKind expected = ExpectedKind(d, semantics, question, answer.accepted, a);
  if (expected == ExplanationKind::kOpponentStrategy && e.kind == ExplanationKind::kStatement) {
    EXPECT_EQ(e.statement, Statement::kNoAdmissibleSet);
  } else {
    EXPECT_EQ(e.kind, expected);
  }
  EXPECT_EQ(e.tree.empty(), e.kind != ExplanationKind::kGroundedProof &&
                                e.kind != ExplanationKind::kDisputeTree &&
                                e.kind != ExplanationKind::kOpponentStrategy);
  switch (e.kind) {
    case ExplanationKind::kGroundedProof:
      CheckGroundedProof(d, e.tree, a);
      EXPECT_EQ(answer.accepted, d.IsGroundedIn(a));
      break;
    case ExplanationKind::kUndecidedCycle: {
      ASSERT_TRUE(d.IsGroundedUndecided(a));
      Mask undecided_attackers = 0;
      for (const int b : e.undecided_attackers) undecided_attackers |= Bit(b);
      Mask expected_attackers = 0;
      for (int b = 0; b < d.Size(); ++b) {
        if (d.Attacks(b, a) && d.IsGroundedUndecided(b)) expected_attackers |= Bit(b);
      }
      EXPECT_EQ(undecided_attackers, expected_attackers);
      EXPECT_NE(expected_attackers, 0u);
      ASSERT_FALSE(e.cycles.empty());
      for (const std::vector<int>& cycle : e.cycles) {
        ASSERT_FALSE(cycle.empty());
        for (std::size_t i = 0; i < cycle.size(); ++i) {
          EXPECT_TRUE(d.IsGroundedUndecided(cycle[i]));
          EXPECT_TRUE(d.Attacks(cycle[i], cycle[(i + 1) % cycle.size()]));
        }
        // The cycle reaches a by attacks between undecided arguments.
        Mask reached = Bit(cycle.front());
        for (bool grew = true; grew;) {
          grew = false;
          for (int x = 0; x < d.Size(); ++x) {
            if (!Has(reached, x) && d.IsGroundedUndecided(x) && (d.AttackersOf(x) & reached)) {
              reached |= Bit(x);
              grew = true;
            }
          }
        }
        EXPECT_TRUE(Has(reached, a));
      }
      break;
    }
    case ExplanationKind::kDisputeTree: {
      ASSERT_TRUE(answer.accepted);
      ASSERT_TRUE(e.extension.has_value());
      const Mask witness = MaskOf(*e.extension);
      EXPECT_EQ(e.tree.front().argument, a);
      EXPECT_EQ(e.tree.front().role, Role::kProponent);
      const Mask proponents = CheckDisputeTree(d, e.tree);
      EXPECT_EQ(proponents & ~witness, 0u) << "a proponent outside the witness";
      EXPECT_TRUE(d.IsAdmissible(witness) && Has(witness, a));
      if (semantics == Semantics::kAdmissible || semantics == Semantics::kComplete ||
          semantics == Semantics::kPreferred) {
        EXPECT_TRUE(e.witness_minimal);
        for (Mask smaller = (witness - 1) & witness; smaller != witness;
             smaller = (smaller - 1) & witness) {
          EXPECT_FALSE(Has(smaller, a) && d.IsAdmissible(smaller))
              << "a smaller admissible witness: " << smaller;
          if (smaller == 0) break;
        }
      } else {
        EXPECT_TRUE(IsAmong(witness, extensions)) << "the witness is no extension";
      }
      if (semantics == Semantics::kStable || semantics == Semantics::kSemiStable) {
        CheckOutside(d, e, witness);
      }
      if (semantics == Semantics::kIdeal) {
        Mask attackers = 0;
        for (int x = 0; x < d.Size(); ++x) {
          if (Has(witness, x)) attackers |= d.AttackersOf(x);
        }
        EXPECT_EQ(MaskOf(e.refuted_attackers), attackers);
        for (int b = 0; b < d.Size(); ++b) {
          if (!Has(attackers, b)) continue;
          EXPECT_FALSE(std::any_of(admissible.begin(), admissible.end(),
                                   [b](Mask set) { return Has(set, b); }))
              << "attacker " << b << " is credulously accepted";
        }
      }
      break;
    }
    case ExplanationKind::kOpponentStrategy:
      ASSERT_FALSE(answer.accepted);
      EXPECT_LE(e.tree.size(), kMaxStrategyNodes);
      CheckOpponentStrategy(d, e.tree, a);
      break;
    case ExplanationKind::kCounterExample: {
      ASSERT_FALSE(answer.accepted);
      ASSERT_TRUE(e.extension.has_value());
      const Mask counter = MaskOf(*e.extension);
      EXPECT_TRUE(IsAmong(counter, extensions)) << "the counter-example is no extension";
      EXPECT_FALSE(Has(counter, a));
      if (answer.certificate) {
        EXPECT_EQ(*answer.certificate, *e.extension);
      }
      ASSERT_TRUE(e.exclusion.has_value());
      switch (*e.exclusion) {
        case Exclusion::kOut:
          ASSERT_TRUE(e.excluder.has_value());
          EXPECT_TRUE(Has(counter, *e.excluder) && d.Attacks(*e.excluder, a));
          break;
        case Exclusion::kUndecided: {
          EXPECT_EQ(d.AttackersOf(a) & counter, 0u);
          Mask undefeated = 0;
          for (int b = 0; b < d.Size(); ++b) {
            if (d.Attacks(b, a) && (d.AttackersOf(b) & counter) == 0) undefeated |= Bit(b);
          }
          EXPECT_EQ(MaskOf(e.undecided_attackers), undefeated);
          break;
        }
        case Exclusion::kSelfAttacking:
          EXPECT_TRUE(d.Attacks(a, a));
          break;
        case Exclusion::kConflict:
          EXPECT_EQ(semantics, Semantics::kNaive);
          ASSERT_TRUE(e.excluder.has_value());
          EXPECT_TRUE(Has(counter, *e.excluder) &&
                      (d.Attacks(*e.excluder, a) || d.Attacks(a, *e.excluder)));
          break;
      }
      break;
    }
    case ExplanationKind::kEveryExtension: {
      EXPECT_EQ(e.extension_count, extensions.size());
      std::vector<Mask> listed;
      for (const Extension& extension : e.extensions) listed.push_back(MaskOf(extension));
      std::sort(listed.begin(), listed.end());
      if (extensions.size() <= kMaxListedExtensions) {
        EXPECT_EQ(listed, extensions);
      } else {
        EXPECT_TRUE(listed.empty());
      }
      EXPECT_EQ(e.each_holds, answer.accepted);
      if (e.each_holds) {
        EXPECT_TRUE(std::all_of(extensions.begin(), extensions.end(), holds_a));
      } else {
        EXPECT_TRUE(std::none_of(extensions.begin(), extensions.end(), holds_a));
      }
      break;
    }
    case ExplanationKind::kStatement:
      ASSERT_TRUE(e.statement.has_value());
      switch (*e.statement) {
        case Statement::kNoAdmissibleSet:
          EXPECT_TRUE(std::none_of(admissible.begin(), admissible.end(), holds_a));
          EXPECT_TRUE(!e.strategy_size || *e.strategy_size > kMaxStrategyNodes);
          break;
        case Statement::kStageWitness:
        case Statement::kNaiveWitness: {
          ASSERT_TRUE(e.extension.has_value());
          const Mask witness = MaskOf(*e.extension);
          EXPECT_TRUE(IsAmong(witness, extensions) && Has(witness, a));
          if (*e.statement == Statement::kStageWitness) CheckOutside(d, e, witness);
          break;
        }
        case Statement::kSelfAttacking:
          EXPECT_TRUE(d.Attacks(a, a));
          EXPECT_FALSE(answer.accepted);
          break;
        case Statement::kTreeTooLarge:
          ADD_FAILURE() << "a tree too large on " << d.Size() << " arguments";
          break;
      }
      break;
  }
}

constexpr AcceptanceQuestion kQuestions[] = {AcceptanceQuestion::kCredulous,
                                             AcceptanceQuestion::kSceptical};

// Every argument, semantics and question of the graph; true when every check passed.
bool ExplainsEverything(const ArgumentGraph& graph) {
  const Definitions d(graph);
  const ReferenceSemantics reference(graph);
  for (const Semantics semantics : kAllSemantics) {
    for (const AcceptanceQuestion question : kQuestions) {
      for (int a = 0; a < graph.Size(); ++a) {
        CheckExplanation(graph, d, reference, semantics, question, a);
      }
    }
  }
  return !::testing::Test::HasFailure();
}

ArgumentGraph GraphOfRelation(int size, std::uint32_t relation) {
  ArgumentGraph graph;
  graph.attackers.resize(size);
  graph.targets.resize(size);
  for (int a = 0; a < size; ++a) {
    for (int b = 0; b < size; ++b) {
      if (relation >> (a * size + b) & 1) {
        graph.attackers[b].push_back(a);
        graph.targets[a].push_back(b);
      }
    }
  }
  return graph;
}

// Whether the relation (bit a * size + b: a attacks b) is the least of its renamings, so that
// each graph is checked once up to the names of its arguments.
bool IsLeastRenaming(int size, std::uint32_t relation) {
  std::array<int, 4> order = {0, 1, 2, 3};
  do {
    std::uint32_t renamed = 0;
    for (int a = 0; a < size; ++a) {
      for (int b = 0; b < size; ++b) {
        if (relation >> (a * size + b) & 1) renamed |= 1u << (order[a] * size + order[b]);
      }
    }
    if (renamed < relation) return false;
  } while (std::next_permutation(order.begin(), order.begin() + size));
  return true;
}

TEST(Explanation, EveryAnswerOnEveryGraphOfUpToFourArgumentsChecksOut) {
  int graphs = 0;
  for (int size = 0; size <= 4; ++size) {
    for (std::uint32_t relation = 0; relation < (1u << (size * size)); ++relation) {
      if (!IsLeastRenaming(size, relation)) continue;
      ++graphs;
      if (size == 4 && graphs % kFourArgumentStride != 0) continue;
      ASSERT_TRUE(ExplainsEverything(GraphOfRelation(size, relation)))
          << size << " arguments, relation " << relation;
    }
  }
  // The directed graphs with self-loops on up to four unlabelled nodes: 1 + 2 + 10 + 104 + 3044.
  EXPECT_EQ(graphs, 3161);
}

TEST(Explanation, TreesTooDeepOrTooLargeAreStatedWithTheirSize) {
  // A chain of n arguments, each attacking the one before it, asked about 0 when n is odd (then
  // 0 is IN) and about 1 otherwise: its proof has n or n - 1 nodes in as many levels. A star of k
  // attackers of argument 0, each attacked by an unattacked argument of its own: 2k + 1 nodes in
  // three levels.
  struct Case {
    std::string shape;
    int n;
    Semantics semantics;
    std::size_t nodes;  // 0: the tree is shown
    std::size_t depth;
  };
  constexpr int kDeep = static_cast<int>(kMaxTreeDepth);
  constexpr int kWide = static_cast<int>(kMaxTreeNodes) / 2;
  const Case cases[] = {
      {"chain", kDeep, Semantics::kGrounded, 0, 0},
      {"chain", kDeep + 1, Semantics::kGrounded, kMaxTreeDepth + 1, kMaxTreeDepth + 1},
      {"chain", 2000, Semantics::kPreferred, 1999, 1999},
      {"chain", 2000, Semantics::kStable, 1999, 1999},
      {"star", kWide - 1, Semantics::kGrounded, 0, 0},
      {"star", kWide, Semantics::kComplete, kMaxTreeNodes + 1, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shape + " of " + std::to_string(c.n));
    const int size = c.shape == "chain" ? c.n : 2 * c.n + 1;
    ArgumentGraph graph;
    graph.attackers.resize(size);
    graph.targets.resize(size);
    const auto attack = [&](int attacker, int target) {
      graph.attackers[target].push_back(attacker);
      graph.targets[attacker].push_back(target);
    };
    for (int a = 1; a < size; ++a) {
      if (c.shape == "chain") {
        attack(a, a - 1);
      } else {
        attack(a, a <= c.n ? 0 : a - c.n);
      }
    }
    const int argument = c.shape == "chain" && c.n % 2 == 0 ? 1 : 0;
    RunContext context;
    const AcceptanceAnswer answer = IsCredulouslyAccepted(graph, c.semantics, argument, context);
    ASSERT_TRUE(answer.accepted);
    const Explanation e =
        Explain(graph, c.semantics, AcceptanceQuestion::kCredulous, argument, answer, context)
            .explanation;
    if (c.nodes == 0) {
      EXPECT_NE(e.kind, ExplanationKind::kStatement);
      EXPECT_FALSE(e.tree.empty());
      EXPECT_LE(TreeDepth(e.tree), kMaxTreeDepth);
      continue;
    }
    ASSERT_EQ(e.kind, ExplanationKind::kStatement);
    EXPECT_EQ(e.statement, Statement::kTreeTooLarge);
    EXPECT_TRUE(e.tree.empty());
    EXPECT_EQ(e.tree_nodes, c.nodes);
    EXPECT_EQ(e.tree_depth, c.depth);
  }
}

TEST(Explanation, AnswersOnRandomGraphsOfUpToTwelveArgumentsCheckOut) {
  std::mt19937 random(20260);
  const int percents[] = {10, 18, 28, 40};
  const int count = RandomGraphCount();
  for (int i = 0; i < count; ++i) {
    const int size = 5 + static_cast<int>(random() % 8);
    const int percent = percents[random() % std::size(percents)];
    ArgumentGraph graph;
    graph.attackers.resize(size);
    graph.targets.resize(size);
    for (int a = 0; a < size; ++a) {
      for (int b = 0; b < size; ++b) {
        const int chance = a == b ? percent / 4 : percent;
        if (static_cast<int>(random() % 100) < chance) {
          graph.attackers[b].push_back(a);
          graph.targets[a].push_back(b);
        }
      }
    }
    const Definitions d(graph);
    const ReferenceSemantics reference(graph);
    // One argument per semantics and question, drawn afresh each time.
    for (const Semantics semantics : kAllSemantics) {
      for (const AcceptanceQuestion question : kQuestions) {
        CheckExplanation(graph, d, reference, semantics, question,
                         static_cast<int>(random() % size));
      }
    }
    ASSERT_FALSE(::testing::Test::HasFailure()) << "random graph " << i;
  }
}

}  // namespace
}  // namespace dialectic::exact::explanation_check
