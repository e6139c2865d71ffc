#include "exact/grounded_proof.h"

#include <algorithm>
#include <cassert>
#include <deque>
#include <set>
#include <utility>

namespace dialectic::exact {

namespace {

// The arguments reachable from the start by steps to next(a), within the allowed ones.
template <typename Next>
std::vector<bool> Reach(int size, int start, const std::vector<bool>& allowed, const Next& next) {
  std::vector<bool> reached(size, false);
  std::vector<int> work = {start};
  reached[start] = true;
  while (!work.empty()) {
    const int a = work.back();
    work.pop_back();
    for (const int b : next(a)) {
      if (allowed[b] && !reached[b]) {
        reached[b] = true;
        work.push_back(b);
      }
    }
  }
  return reached;
}

// The shortest cycle through start along attacks within the part: a breadth-first search from
// start to an argument that attacks start.
std::vector<int> CycleThrough(const ArgumentGraph& graph, const std::vector<bool>& part,
                              int start) {
  std::vector<int> parent(graph.Size(), -1);
  std::deque<int> queue = {start};
  parent[start] = start;
  while (!queue.empty()) {
    const int a = queue.front();
    queue.pop_front();
    for (const int t : graph.targets[a]) {
      if (t == start) {
        std::vector<int> cycle;
        for (int b = a; b != start; b = parent[b]) cycle.push_back(b);
        cycle.push_back(start);
        std::reverse(cycle.begin(), cycle.end());
        return cycle;
      }
      if (part[t] && parent[t] < 0) {
        parent[t] = a;
        queue.push_back(t);
      }
    }
  }
  return {};
}

}  // namespace

GroundedRounds NumberGroundedRounds(const ArgumentGraph& graph) {
  // Round by round: the arguments whose attackers are all OUT become IN, then everything they
  // attack that has no label yet becomes OUT, and counts down the live attackers of its targets.
  const int size = graph.Size();
  GroundedRounds result{std::vector<Label>(size, Label::kUndec), std::vector<int>(size, 0)};
  std::vector<int> live(size);
  std::vector<int> frontier;
  for (int a = 0; a < size; ++a) {
    live[a] = static_cast<int>(graph.attackers[a].size());
    if (live[a] == 0) frontier.push_back(a);
  }
  for (int round = 1; !frontier.empty(); ++round) {
    for (const int a : frontier) {
      result.labels[a] = Label::kIn;
      result.rounds[a] = round;
    }
    std::vector<int> next;
    for (const int a : frontier) {
      for (const int t : graph.targets[a]) {
        if (result.labels[t] != Label::kUndec) continue;
        result.labels[t] = Label::kOut;
        result.rounds[t] = round;
        for (const int u : graph.targets[t]) {
          if (--live[u] == 0 && result.labels[u] == Label::kUndec) next.push_back(u);
        }
      }
    }
    frontier = std::move(next);
  }
  return result;
}

std::vector<TreeNode> GroundedProofTree(const ArgumentGraph& graph, const GroundedRounds& rounds,
                                        int argument) {
  assert(rounds.labels[argument] != Label::kUndec);
  // A proponent's children are all its attackers, each OUT earlier; an opponent's child is its IN
  // attacker of the least round. Built in preorder by an explicit stack; an argument met again in
  // the same role is a repeat.
  struct Pending {
    int parent;
    int argument;
    Role role;
  };
  const auto least_in_attacker = [&](int a) {
    int best = -1;
    for (const int b : graph.attackers[a]) {
      if (rounds.labels[b] == Label::kIn && (best < 0 || rounds.rounds[b] < rounds.rounds[best])) {
        best = b;
      }
    }
    return best;
  };
  std::vector<TreeNode> tree;
  std::set<std::pair<int, Role>> expanded;
  const Role root_role = rounds.labels[argument] == Label::kIn ? Role::kProponent : Role::kOpponent;
  std::vector<Pending> stack = {{-1, argument, root_role}};
  while (!stack.empty()) {
    const Pending item = stack.back();
    stack.pop_back();
    const int index = static_cast<int>(tree.size());
    TreeNode node;
    node.argument = item.argument;
    node.role = item.role;
    if (item.role == Role::kProponent) node.round = rounds.rounds[item.argument];
    node.repeat = !expanded.insert({item.argument, item.role}).second;
    tree.push_back(std::move(node));
    if (item.parent >= 0) tree[item.parent].children.push_back(index);
    if (tree[index].repeat) continue;
    if (item.role == Role::kProponent) {
      const std::vector<int>& attackers = graph.attackers[item.argument];
      for (auto b = attackers.rbegin(); b != attackers.rend(); ++b) {
        stack.push_back({index, *b, Role::kOpponent});
      }
    } else {
      stack.push_back({index, least_in_attacker(item.argument), Role::kProponent});
    }
  }
  return tree;
}

std::vector<int> UndecidedAttackers(const ArgumentGraph& graph, const std::vector<Label>& labels,
                                    int argument) {
  std::vector<int> attackers;
  for (const int b : graph.attackers[argument]) {
    if (labels[b] == Label::kUndec) attackers.push_back(b);
  }
  std::sort(attackers.begin(), attackers.end());
  return attackers;
}

std::vector<std::vector<int>> UndecidedCycles(const ArgumentGraph& graph,
                                              const std::vector<Label>& labels, int argument) {
  // The UNDEC arguments that reach the argument, then their strongly connected parts, each the
  // arguments both reached from and reaching its least member.
  const int size = graph.Size();
  std::vector<bool> undecided(size);
  for (int a = 0; a < size; ++a) undecided[a] = labels[a] == Label::kUndec;
  const auto attackers = [&](int a) -> const std::vector<int>& { return graph.attackers[a]; };
  const auto targets = [&](int a) -> const std::vector<int>& { return graph.targets[a]; };
  const std::vector<bool> reaching = Reach(size, argument, undecided, attackers);
  std::vector<bool> placed(size, false);
  std::vector<std::vector<int>> cycles;
  for (int a = 0; a < size; ++a) {
    if (!reaching[a] || placed[a]) continue;
    const std::vector<bool> from = Reach(size, a, reaching, targets);
    const std::vector<bool> to = Reach(size, a, reaching, attackers);
    std::vector<bool> part(size, false);
    int members = 0;
    for (int b = 0; b < size; ++b) {
      if (from[b] && to[b]) {
        part[b] = placed[b] = true;
        ++members;
      }
    }
    const std::vector<int>& own = graph.attackers[a];
    if (members > 1 || std::find(own.begin(), own.end(), a) != own.end()) {
      cycles.push_back(CycleThrough(graph, part, a));
    }
  }
  return cycles;
}

}  // namespace dialectic::exact
