// Why an argument is or is not accepted under a semantics, as a value: a proof tree, a witness or a
// counter-example extension with the facts that make it one, or a statement. Renderers make text
// and JSON of it, a window highlights its arguments; nothing here is text. Every tree is stored
// flat, its nodes in preorder, so that deep proofs are built and destroyed without recursion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "exact/exact_engine.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

enum class ExplanationKind {
  kGroundedProof,     // proof by rounds of the grounded labeling
  kUndecidedCycle,    // grounded undecided: the undecided attackers and the cycles behind them
  kDisputeTree,       // a witness set and its defence, attack by attack
  kOpponentStrategy,  // the opponent's winning strategy in the admissibility game
  kCounterExample,    // an extension without the argument, and why it is outside
  kEveryExtension,    // the extensions, all holding the argument or none holding it
  kStatement,         // a fact stated without a tree (see Statement)
};

// "grounded-proof", "undecided-cycle", "dispute-tree", "opponent-strategy", "counter-example",
// "every-extension", "statement".
std::string_view ExplanationKindName(ExplanationKind kind);

enum class Role { kProponent, kOpponent };
std::string_view RoleName(Role role);  // "proponent", "opponent"

// One node of a tree. The root is node 0; every other node is the child of exactly one node
// before it, so the nodes stand in preorder.
struct TreeNode {
  int argument = 0;
  Role role = Role::kProponent;
  // In a grounded proof, the round in which a proponent's argument is IN (1: unattacked); 0 in
  // every other node.
  int round = 0;
  // The same argument in the same role was expanded earlier in the tree, with the subtree it has
  // here too; this node then has no children.
  bool repeat = false;
  std::vector<int> children;  // node indices, in order
};

// Why an argument is outside a counter-example extension.
enum class Exclusion {
  kOut,            // an argument of the extension attacks it (the excluder)
  kUndecided,      // nothing in the extension attacks it; its undefeated attackers are listed
  kSelfAttacking,  // it attacks itself, so no conflict-free set holds it
  kConflict,       // naive: it attacks or is attacked by the excluder, an argument of the extension
};

// The facts of a statement.
enum class Statement {
  kNoAdmissibleSet,  // no admissible set holds the argument; the strategy was too large to show
  kStageWitness,     // the extension holds the argument: conflict-free, with a maximal range
  kNaiveWitness,     // the extension holds the argument: a maximal conflict-free set
  kSelfAttacking,    // the argument attacks itself, so no conflict-free set holds it
  kTreeTooLarge,     // the tree of tree_kind has tree_nodes nodes in tree_depth levels: too many
};

// An argument outside an extension and an argument of the extension that attacks it, if any.
struct OutsideArgument {
  int argument = 0;
  std::optional<int> attacker;
};

// Strategies larger than this many nodes are stated, not shown.
inline constexpr std::uint64_t kMaxStrategyNodes = 500;
// Trees with more nodes or levels than these are stated, not shown: a reader could not follow
// them, and their text, indented by depth, would grow with the square of the depth.
inline constexpr std::size_t kMaxTreeNodes = 10000;
inline constexpr std::size_t kMaxTreeDepth = 500;
// Every-extension explanations list the extensions when there are at most this many.
inline constexpr std::uint64_t kMaxListedExtensions = 8;

struct Explanation {
  ExplanationKind kind = ExplanationKind::kStatement;
  // The tree of a grounded proof, dispute tree or opponent strategy; empty otherwise. Its root is
  // the argument asked about, a proponent, except in the proof that an argument is OUT in the
  // grounded labeling: there the root is an opponent, answered by its defeating IN attacker.
  std::vector<TreeNode> tree;
  // Dispute tree: the witness whose arguments the proponent plays (a minimal admissible set
  // holding the argument for admissible, complete and preferred semantics, else the extension).
  // Counter-example: the extension without the argument. Stage and naive statements: the witness.
  std::optional<Extension> extension;
  // Dispute tree of admissible, complete and preferred semantics: false when the witness was left
  // larger than minimal, its search cut short on a large graph.
  bool witness_minimal = true;
  // Stable and semi-stable dispute trees, stage statements: every argument outside the witness,
  // with an attacker in it where there is one.
  std::vector<OutsideArgument> outside;
  // Ideal dispute tree: every attacker of the witness; none is in any admissible set, which makes
  // the witness part of every preferred extension.
  std::vector<int> refuted_attackers;
  // Counter-example: why the argument is outside, and by which argument of the extension.
  std::optional<Exclusion> exclusion;
  std::optional<int> excluder;
  // Undecided in a counter-example or in the grounded labeling: the attackers that are neither
  // defeated nor defeating there.
  std::vector<int> undecided_attackers;
  // Undecided-cycle: cycles of undecided arguments that the argument depends on, one per strongly
  // connected part of them that reaches it; each a list where every argument attacks the next and
  // the last attacks the first.
  std::vector<std::vector<int>> cycles;
  // Every-extension: the extensions when at most kMaxListedExtensions, and their number.
  std::vector<Extension> extensions;
  std::uint64_t extension_count = 0;
  // Every-extension: each extension holds the argument (a sceptical yes), or none does (a
  // credulous no).
  bool each_holds = false;
  // Statement: what is stated; for kNoAdmissibleSet the size of the opponent's strategy in nodes,
  // or none when the search for it was given up.
  std::optional<Statement> statement;
  std::optional<std::uint64_t> strategy_size;
  // kTreeTooLarge: the kind of explanation whose tree it was, and its size. The other facts of
  // that kind (the witness, the extension outside arguments) stay.
  std::optional<ExplanationKind> tree_kind;
  std::size_t tree_nodes = 0;
  std::size_t tree_depth = 0;
};

enum class AcceptanceQuestion { kCredulous, kSceptical };

struct ExplanationAnswer {
  Outcome outcome = Outcome::kFinished;
  Explanation explanation;
};

// The explanation of the engine's answer to the question (the answer must be the engine's, for
// the same graph, semantics and argument). Some explanations ask the engine again (a minimal
// witness, the extensions, the ideal extension's attackers), under the same run context.
// The number of levels of a tree (a root alone: 1; an empty tree: 0).
std::size_t TreeDepth(const std::vector<TreeNode>& tree);

ExplanationAnswer Explain(const ArgumentGraph& graph, Semantics semantics,
                          AcceptanceQuestion question, int argument, const AcceptanceAnswer& answer,
                          RunContext& context);

}  // namespace dialectic::exact
