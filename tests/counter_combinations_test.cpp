#include "semantics/counter_combinations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

namespace dialectic {
namespace {

using Ids = std::vector<std::vector<int>>;

// Combination k of the lists, as the set of its ids: k in mixed radix, the first list fastest.
std::set<int> CombinationSet(const Ids& ids, std::uint64_t k) {
  std::set<int> set;
  for (const std::vector<int>& list : ids) {
    set.insert(list[k % list.size()]);
    k /= list.size();
  }
  return set;
}

// The minimality rule applied literally: every non-empty combination, in order, empties every
// other combination of which it is a subset; the numbers of the non-empty ones that remain.
std::vector<std::uint64_t> MinimalByPairwisePass(const Ids& ids, std::uint64_t count) {
  std::vector<std::set<int>> combinations;
  for (std::uint64_t k = 0; k < count; ++k) combinations.push_back(CombinationSet(ids, k));
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    if (combinations[i].empty()) continue;
    for (std::size_t j = 0; j < combinations.size(); ++j) {
      if (j != i && std::includes(combinations[j].begin(), combinations[j].end(),
                                  combinations[i].begin(), combinations[i].end()))
        combinations[j].clear();
    }
  }
  std::vector<std::uint64_t> survivors;
  for (std::uint64_t k = 0; k < count; ++k) {
    if (!combinations[k].empty()) survivors.push_back(k);
  }
  return survivors;
}

TEST(MinimalCombinationNumbers, KeepsTheFirstOfEqualSetsAndDropsSupersets) {
  struct Case {
    Ids ids;
    std::vector<std::uint64_t> survivors;
  };
  const Case cases[] = {
      // [e f] and [f e]: the combinations {e f}, {f}, {e}, {e f}.
      {{{0, 1}, {1, 0}}, {1, 2}},
      // A third open argument attacked by e alone leaves only {e}.
      {{{0, 1}, {1, 0}, {0}}, {2}},
      // Two attackers of one open argument: both survive in Attackers order.
      {{{3, 7}}, {0, 1}},
      // Equal ids (names equal up to letter case) make equal sets: the first one stays.
      {{{4, 4}}, {0}},
  };
  for (const Case& c : cases) {
    std::uint64_t count = 1;
    for (const std::vector<int>& list : c.ids) count *= list.size();
    EXPECT_EQ(MinimalCombinationNumbers(c.ids, count), c.survivors);
  }
}

// Random open arguments over a small pool of attacker ids, so that equal sets and proper subsets
// are common.
TEST(MinimalCombinationNumbers, GivesTheOutcomeOfThePairwisePassOnRandomAttackerLists) {
  std::mt19937 random(12345);
  for (int round = 0; round < 300; ++round) {
    Ids ids(1 + random() % 4);
    std::uint64_t count = 1;
    for (std::vector<int>& list : ids) {
      list.resize(1 + random() % 4);
      for (int& id : list) id = static_cast<int>(random() % 6);
      count *= list.size();
    }
    EXPECT_EQ(MinimalCombinationNumbers(ids, count), MinimalByPairwisePass(ids, count))
        << "round " << round;
  }
}

}  // namespace
}  // namespace dialectic
