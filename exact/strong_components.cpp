#include "exact/strong_components.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace dialectic::exact {

std::vector<std::vector<int>> StrongComponents(const ArgumentGraph& graph,
                                               const std::vector<bool>& within) {
  const int size = graph.Size();
  std::vector<int> order(size, -1), low(size, 0);
  std::vector<bool> on_stack(size, false);
  std::vector<int> stack;
  std::vector<std::pair<int, std::size_t>> path;  // argument, next target to look at
  std::vector<std::vector<int>> components;
  int counter = 0;
  const auto enter = [&](int argument) {
    order[argument] = low[argument] = counter++;
    stack.push_back(argument);
    on_stack[argument] = true;
    path.emplace_back(argument, 0);
  };
  for (int root = 0; root < size; ++root) {
    if (!within[root] || order[root] >= 0) continue;
    enter(root);
    while (!path.empty()) {
      auto& [argument, next] = path.back();
      const std::vector<int>& targets = graph.targets[argument];
      if (next < targets.size()) {
        const int target = targets[next++];
        if (!within[target]) continue;
        if (order[target] < 0) {
          enter(target);
        } else if (on_stack[target]) {
          low[argument] = std::min(low[argument], order[target]);
        }
        continue;
      }
      const int closed = argument;
      path.pop_back();
      if (!path.empty()) low[path.back().first] = std::min(low[path.back().first], low[closed]);
      if (low[closed] != order[closed]) continue;
      // The component is on the stack from its first argument up.
      std::vector<int>& component = components.emplace_back();
      int member = -1;
      do {
        member = stack.back();
        stack.pop_back();
        on_stack[member] = false;
        component.push_back(member);
      } while (member != closed);
      std::sort(component.begin(), component.end());
    }
  }
  return components;
}

}  // namespace dialectic::exact
