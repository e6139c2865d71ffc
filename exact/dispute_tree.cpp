#include "exact/dispute_tree.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <utility>

#include "exact/admissible_naive.h"
#include "exact/labeling_solver.h"

namespace dialectic::exact {

namespace {

bool Attacks(const ArgumentGraph& graph, int attacker, int target) {
  const std::vector<int>& attackers = graph.attackers[target];
  return std::find(attackers.begin(), attackers.end(), attacker) != attackers.end();
}

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) {
  return a > std::numeric_limits<std::uint64_t>::max() - b
             ? std::numeric_limits<std::uint64_t>::max()
             : a + b;
}

// The positions looked at before the strategy search gives up; it bounds the search's time and
// its recursion depth.
constexpr std::size_t kMaxPositions = 10000;

// The admissibility game from a position, the proponent's arguments so far (a conflict-free set,
// sorted). The opponent moves an attacker of the position that the position does not attack; the
// proponent answers with an attacker of that move that conflicts with nothing in the position.
// The opponent wins exactly when no admissible set contains the position, since the proponent,
// answering from such a set, never runs out of answers, and an admissible position leaves the
// opponent no move.
class StrategySearch {
 public:
  StrategySearch(const ArgumentGraph& graph, RunContext& context)
      : graph_(graph), context_(context) {}

  // The size of the opponent's least winning strategy below a position, counting the move and
  // everything under it; none when the proponent wins, or when the search gave up.
  std::optional<std::uint64_t> Solve(const std::vector<int>& position) {
    if (const auto found = memo_.find(position); found != memo_.end()) return found->second.size;
    if (gave_up_ || memo_.size() >= kMaxPositions || context_.StopRequested()) {
      gave_up_ = true;
      return std::nullopt;
    }
    Entry entry;
    const std::vector<int> moves = Moves(position);
    // A move without an answer wins at once and cannot be beaten; look for one first.
    for (const int move : moves) {
      if (Answers(position, move).empty()) {
        entry = {1, move};
        break;
      }
    }
    for (std::size_t i = 0; i < moves.size() && !entry.size; ++i) {
      std::optional<std::uint64_t> size = 1;
      for (const int answer : Answers(position, moves[i])) {
        const std::optional<std::uint64_t> below = Solve(With(position, answer));
        if (!below) {
          size.reset();
          break;
        }
        size = SaturatingAdd(*size, SaturatingAdd(1, *below));
      }
      if (gave_up_) return std::nullopt;
      if (size && (!entry.size || *size < *entry.size)) entry = {size, moves[i]};
    }
    memo_[position] = entry;
    return entry.size;
  }

  bool GaveUp() const { return gave_up_; }

  // The opponent's move of the strategy found from a position it wins.
  int Move(const std::vector<int>& position) const { return memo_.at(position).move; }

  // The attackers of the position that it does not attack, ascending.
  std::vector<int> Moves(const std::vector<int>& position) const {
    std::set<int> moves;
    for (const int p : position) {
      for (const int b : graph_.attackers[p]) {
        if (!IsAttackedBy(b, position)) moves.insert(b);
      }
    }
    return {moves.begin(), moves.end()};
  }

  // The proponent's answers to a move, ascending.
  std::vector<int> Answers(const std::vector<int>& position, int move) const {
    std::vector<int> answers;
    for (const int c : graph_.attackers[move]) {
      if (!Attacks(graph_, c, c) && !ConflictsWith(c, position)) answers.push_back(c);
    }
    std::sort(answers.begin(), answers.end());
    return answers;
  }

  static std::vector<int> With(std::vector<int> position, int argument) {
    position.insert(std::upper_bound(position.begin(), position.end(), argument), argument);
    return position;
  }

 private:
  struct Entry {
    std::optional<std::uint64_t> size;
    int move = -1;
  };

  bool IsAttackedBy(int argument, const std::vector<int>& position) const {
    for (const int b : graph_.attackers[argument]) {
      if (IsIn(position, b)) return true;
    }
    return false;
  }

  bool ConflictsWith(int argument, const std::vector<int>& position) const {
    for (const int p : position) {
      if (Attacks(graph_, argument, p) || Attacks(graph_, p, argument)) return true;
    }
    return false;
  }

  const ArgumentGraph& graph_;
  RunContext& context_;
  std::map<std::vector<int>, Entry> memo_;
  bool gave_up_ = false;
};

}  // namespace

std::vector<TreeNode> DisputeTree(const ArgumentGraph& graph, const Extension& witness,
                                  int argument) {
  struct Pending {
    int parent;
    int argument;
    Role role;
  };
  const auto answer = [&](int opponent) {
    for (const int c : graph.attackers[opponent]) {
      if (IsIn(witness, c)) return c;
    }
    return -1;
  };
  std::vector<TreeNode> tree;
  std::set<std::pair<int, Role>> expanded;
  std::vector<Pending> stack = {{-1, argument, Role::kProponent}};
  while (!stack.empty()) {
    const Pending item = stack.back();
    stack.pop_back();
    const int index = static_cast<int>(tree.size());
    TreeNode node;
    node.argument = item.argument;
    node.role = item.role;
    node.repeat = !expanded.insert({item.argument, item.role}).second;
    tree.push_back(std::move(node));
    if (item.parent >= 0) tree[item.parent].children.push_back(index);
    if (tree[index].repeat) continue;
    if (item.role == Role::kProponent) {
      const std::vector<int>& attackers = graph.attackers[item.argument];
      for (auto b = attackers.rbegin(); b != attackers.rend(); ++b) {
        stack.push_back({index, *b, Role::kOpponent});
      }
    } else if (const int c = answer(item.argument); c >= 0) {
      stack.push_back({index, c, Role::kProponent});
    }
  }
  return tree;
}

ExtensionAnswer MinimalAdmissibleWitness(const ArgumentGraph& graph, const Extension& admissible,
                                         int argument, RunContext& context) {
  // Every smaller witness lies inside the current one and leaves out one of its other members;
  // both conditions hold for every later one too, so they are added for good.
  LabelingSolver solver(graph, BaseSemantics::kAdmissible, false, context);
  solver.Require({argument, true});
  Extension current = admissible;
  for (int a = 0; a < graph.Size(); ++a) {
    if (!IsIn(current, a)) solver.AddClause({-solver.In(a)});
  }
  while (current.size() > 1) {
    std::vector<int> one_out;
    for (const int a : current) {
      if (a != argument) one_out.push_back(-solver.In(a));
    }
    solver.AddClause(one_out);
    switch (solver.Solve({})) {
      case SolveResult::kSatisfiable:
        current = solver.ModelExtension();
        break;
      case SolveResult::kUnsatisfiable:
        return {Outcome::kFinished, std::move(current)};
      case SolveResult::kStopped:
        return {Outcome::kStopped, {}};
    }
  }
  return {Outcome::kFinished, std::move(current)};
}

OpponentStrategy FindOpponentStrategy(const ArgumentGraph& graph, int argument,
                                      std::uint64_t max_nodes, RunContext& context) {
  OpponentStrategy strategy;
  // A self-attacking argument loses at once: the opponent plays it against itself, and every
  // answer would attack it.
  if (Attacks(graph, argument, argument)) {
    strategy.size = 2;
    strategy.tree = {{argument, Role::kProponent, 0, false, {1}},
                     {argument, Role::kOpponent, 0, false, {}}};
    return strategy;
  }
  StrategySearch search(graph, context);
  const std::vector<int> root = {argument};
  const std::optional<std::uint64_t> below = search.Solve(root);
  if (!below) {
    if (context.StopRequested()) strategy.outcome = Outcome::kStopped;
    return strategy;
  }
  strategy.size = SaturatingAdd(1, *below);
  if (*strategy.size > max_nodes) return strategy;
  // Unfolds the strategy in preorder: a proponent node at a position gets the opponent's move,
  // which gets every answer, each at the position grown by it.
  struct Pending {
    int parent;
    int argument;
    Role role;
    std::vector<int> position;  // the proponent's arguments, this node's own included
  };
  std::vector<Pending> stack = {{-1, argument, Role::kProponent, root}};
  while (!stack.empty()) {
    Pending item = std::move(stack.back());
    stack.pop_back();
    const int index = static_cast<int>(strategy.tree.size());
    strategy.tree.push_back({item.argument, item.role, 0, false, {}});
    if (item.parent >= 0) strategy.tree[item.parent].children.push_back(index);
    if (item.role == Role::kProponent) {
      stack.push_back({index, search.Move(item.position), Role::kOpponent, item.position});
    } else {
      const std::vector<int> answers = search.Answers(item.position, item.argument);
      for (auto c = answers.rbegin(); c != answers.rend(); ++c) {
        stack.push_back({index, *c, Role::kProponent, StrategySearch::With(item.position, *c)});
      }
    }
  }
  return strategy;
}

}  // namespace dialectic::exact
