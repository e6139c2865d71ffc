#include "exact/dispute_tree.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <utility>

#include "exact/admissible_naive.h"

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

// The positions looked at before the strategy search gives up. It bounds the search's time, its
// recursion depth and its memory (each position a set of up to this many arguments).
constexpr std::size_t kMaxPositions = 5000;

// The steps (arguments taken out, attacks followed) the minimal witness may take before it
// settles for the admissible set it has.
constexpr std::size_t kMaxWitnessSteps = 20'000'000;

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
    if (gave_up_ || ++looked_at_ > kMaxPositions || context_.StopRequested()) {
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
  std::size_t looked_at_ = 0;
  bool gave_up_ = false;
};

}  // namespace

std::vector<TreeNode> AnsweredTree(const ArgumentGraph& graph, int root, Role root_role,
                                   const std::function<int(int)>& answer,
                                   const std::function<int(int)>& round_of) {
  struct Pending {
    int parent;
    int argument;
    Role role;
  };
  std::vector<TreeNode> tree;
  std::set<std::pair<int, Role>> expanded;
  std::vector<Pending> stack = {{-1, root, root_role}};
  while (!stack.empty()) {
    const Pending item = stack.back();
    stack.pop_back();
    const int index = static_cast<int>(tree.size());
    TreeNode node;
    node.argument = item.argument;
    node.role = item.role;
    if (item.role == Role::kProponent && round_of) node.round = round_of(item.argument);
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

std::vector<TreeNode> DisputeTree(const ArgumentGraph& graph, const Extension& witness,
                                  int argument) {
  const auto answer = [&](int opponent) {
    for (const int c : graph.attackers[opponent]) {
      if (IsIn(witness, c)) return c;
    }
    return -1;
  };
  return AnsweredTree(graph, argument, Role::kProponent, answer);
}

MinimalWitness MinimalAdmissibleWitness(const ArgumentGraph& graph, const Extension& admissible,
                                        int argument, RunContext& context) {
  // First the defence of the argument inside the given set: the argument, and for each attacker
  // of a member not yet answered, the first member of the given set that attacks it. That set is
  // admissible. Then each member in turn is taken out, with every member that loses its defence
  // through that, over and over; if the argument survives, the smaller set stays, else the
  // removals are undone. When no member can go, no admissible proper subset holds the argument:
  // it would survive taking out some member missing from it. answering[b] counts the members
  // that attack b.
  const int size = graph.Size();
  std::vector<bool> in(size, false);
  std::vector<int> answering(size, 0), members;
  const auto add = [&](int a) {
    in[a] = true;
    members.push_back(a);
    for (const int t : graph.targets[a]) ++answering[t];
  };
  add(argument);
  for (std::size_t next = 0; next < members.size(); ++next) {
    for (const int b : graph.attackers[members[next]]) {
      if (answering[b] > 0) continue;
      for (const int c : graph.attackers[b]) {
        if (IsIn(admissible, c)) {
          if (!in[c]) add(c);
          break;
        }
      }
    }
  }
  std::sort(members.begin(), members.end());
  std::vector<int> removed;
  std::size_t steps = 0;
  bool minimal = true;
  for (const int x : members) {
    if (x == argument || !in[x]) continue;
    if (context.StopRequested()) return {Outcome::kStopped, {}, false};
    if (steps > kMaxWitnessSteps) {
      minimal = false;
      break;
    }
    removed.clear();
    std::vector<int> work = {x};
    in[x] = false;
    bool lost = false;
    while (!work.empty() && !lost) {
      const int a = work.back();
      work.pop_back();
      removed.push_back(a);
      steps += graph.targets[a].size() + 1;
      for (const int b : graph.targets[a]) {
        if (--answering[b] != 0) continue;
        // b is no longer attacked by the set: every member it attacks loses its defence.
        for (const int t : graph.targets[b]) {
          if (!in[t]) continue;
          in[t] = false;
          work.push_back(t);
          lost = lost || t == argument;
        }
      }
    }
    if (!lost) continue;
    // Undo: the removed members and those still waiting come back, with their counts.
    for (const int a : work) in[a] = true;
    for (const int a : removed) {
      in[a] = true;
      for (const int b : graph.targets[a]) ++answering[b];
    }
  }
  Extension witness;
  for (const int a : members) {
    if (in[a]) witness.push_back(a);
  }
  return {Outcome::kFinished, std::move(witness), minimal};
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
