#include "exact/directional.h"

#include <algorithm>
#include <unordered_map>

namespace dialectic::exact {

std::vector<int> UpstreamOf(const ArgumentGraph& graph, int argument) {
  std::vector<bool> reached(graph.Size(), false);
  std::vector<int> upstream = {argument};
  reached[argument] = true;
  // The list itself is the queue: every argument in it has its attackers added once.
  for (std::size_t next = 0; next < upstream.size(); ++next) {
    for (const int attacker : graph.attackers[upstream[next]]) {
      if (!reached[attacker]) {
        reached[attacker] = true;
        upstream.push_back(attacker);
      }
    }
  }
  std::sort(upstream.begin(), upstream.end());
  return upstream;
}

ArgumentGraph InducedGraph(const ArgumentGraph& graph, const std::vector<int>& members) {
  std::vector<int> local_of(graph.Size(), -1);
  for (std::size_t i = 0; i < members.size(); ++i) local_of[members[i]] = static_cast<int>(i);
  ArgumentGraph induced;
  induced.attackers.resize(members.size());
  induced.targets.resize(members.size());
  for (std::size_t i = 0; i < members.size(); ++i) {
    for (const int attacker : graph.attackers[members[i]]) {
      if (local_of[attacker] != -1) induced.attackers[i].push_back(local_of[attacker]);
    }
    for (const int target : graph.targets[members[i]]) {
      if (local_of[target] != -1) induced.targets[i].push_back(local_of[target]);
    }
  }
  return induced;
}

ConditionedGraph Condition(const ArgumentGraph& graph, const std::vector<int>& members,
                           const std::vector<Label>& labels) {
  // A map rather than a table over the whole graph: the preferred search by components conditions
  // each small component once per labeling of its attackers, on graphs of thousands of arguments.
  const auto is_member = [&members](int argument) {
    return std::binary_search(members.begin(), members.end(), argument);
  };
  ConditionedGraph conditioned;
  std::vector<int>& kept = conditioned.kept;
  std::unordered_map<int, int> local_of;
  bool undecided_attack = false;
  for (const int member : members) {
    bool defeated = false;
    bool kept_from_in = false;
    for (const int attacker : graph.attackers[member]) {
      if (is_member(attacker)) continue;
      defeated = defeated || labels[attacker] == Label::kIn;
      kept_from_in = kept_from_in || labels[attacker] == Label::kUndec;
    }
    if (defeated) continue;
    local_of.emplace(member, static_cast<int>(kept.size()));
    kept.push_back(member);
    undecided_attack = undecided_attack || kept_from_in;
  }
  const int size = static_cast<int>(kept.size());
  ArgumentGraph& result = conditioned.graph;
  result.attackers.resize(size + (undecided_attack ? 1 : 0));
  result.targets.resize(result.attackers.size());
  const auto add_attack = [&result](int attacker, int target) {
    result.attackers[target].push_back(attacker);
    result.targets[attacker].push_back(target);
  };
  const int blocker = size;
  if (undecided_attack) add_attack(blocker, blocker);
  for (int i = 0; i < size; ++i) {
    bool blocked = false;
    for (const int attacker : graph.attackers[kept[i]]) {
      if (const auto found = local_of.find(attacker); found != local_of.end()) {
        add_attack(found->second, i);
      } else if (!is_member(attacker) && labels[attacker] == Label::kUndec) {
        blocked = true;
      }
    }
    if (blocked) add_attack(blocker, i);
  }
  return conditioned;
}

}  // namespace dialectic::exact
