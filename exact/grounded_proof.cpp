#include "exact/grounded_proof.h"

#include <algorithm>
#include <cassert>
#include <set>
#include <utility>

#include "exact/dispute_tree.h"
#include "exact/strong_components.h"

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
// start to an argument that attacks start. parent holds -1 for every argument, before and after;
// the search costs the part's size and attacks, not the graph's.
std::vector<int> CycleThrough(const ArgumentGraph& graph, const std::vector<bool>& part, int start,
                              std::vector<int>& parent) {
  std::vector<int> queue = {start}, cycle;
  parent[start] = start;
  for (std::size_t head = 0; head < queue.size() && cycle.empty(); ++head) {
    const int a = queue[head];
    for (const int t : graph.targets[a]) {
      if (t == start) {
        for (int b = a; b != start; b = parent[b]) cycle.push_back(b);
        cycle.push_back(start);
        std::reverse(cycle.begin(), cycle.end());
        break;
      }
      if (part[t] && parent[t] < 0) {
        parent[t] = a;
        queue.push_back(t);
      }
    }
  }
  for (const int a : queue) parent[a] = -1;
  return cycle;
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
  // attacker of the least round.
  const auto least_in_attacker = [&](int a) {
    int best = -1;
    for (const int b : graph.attackers[a]) {
      if (rounds.labels[b] == Label::kIn && (best < 0 || rounds.rounds[b] < rounds.rounds[best])) {
        best = b;
      }
    }
    return best;
  };
  const Role root_role = rounds.labels[argument] == Label::kIn ? Role::kProponent : Role::kOpponent;
  return AnsweredTree(graph, argument, root_role, least_in_attacker,
                      [&](int a) { return rounds.rounds[a]; });
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
  // The UNDEC arguments that reach the argument, then their strongly connected parts; a part of
  // more than one argument, or a self-attacking argument alone, holds a cycle.
  const int size = graph.Size();
  std::vector<bool> undecided(size);
  for (int a = 0; a < size; ++a) undecided[a] = labels[a] == Label::kUndec;
  const auto attackers = [&](int a) -> const std::vector<int>& { return graph.attackers[a]; };
  const std::vector<bool> reaching = Reach(size, argument, undecided, attackers);
  std::vector<int> parent(size, -1);
  std::vector<bool> part(size, false);
  std::vector<std::vector<int>> cycles;
  for (const std::vector<int>& members : StrongComponents(graph, reaching)) {
    const int least = members.front();
    const std::vector<int>& own = graph.attackers[least];
    if (members.size() == 1 && std::find(own.begin(), own.end(), least) == own.end()) continue;
    for (const int b : members) part[b] = true;
    cycles.push_back(CycleThrough(graph, part, least, parent));
    for (const int b : members) part[b] = false;
  }
  // In the order of their least arguments.
  std::sort(cycles.begin(), cycles.end());
  return cycles;
}

}  // namespace dialectic::exact
