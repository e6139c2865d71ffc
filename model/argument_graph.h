// An argument graph with dense indices: arguments are numbered 0 to Size() - 1 and each keeps
// the arguments that attack it and that it attacks, each at most once, in order of first
// statement. It is the shape every computation by index works on; what an index means (position
// in the theory, rank in name order) is the builder's business.
#pragma once

#include <cstddef>
#include <vector>

namespace dialectic {

struct ArgumentGraph {
  std::vector<std::vector<int>> attackers;  // attackers[i]: the arguments that attack i
  std::vector<std::vector<int>> targets;    // targets[i]: the arguments that i attacks

  int Size() const { return static_cast<int>(attackers.size()); }
  std::size_t AttackCount() const {
    std::size_t count = 0;
    for (const std::vector<int>& list : attackers) count += list.size();
    return count;
  }
};

}  // namespace dialectic
