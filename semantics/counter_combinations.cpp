#include "semantics/counter_combinations.h"

#include <algorithm>
#include <unordered_map>

#include "semantics/bit_set.h"

namespace dialectic {

namespace {

// Renumbers the ids densely from 0, so that the bitsets need only as many bits as there are
// distinct attackers.
std::vector<std::vector<int>> DenseIds(const std::vector<std::vector<int>>& ids, int& id_count) {
  std::unordered_map<int, int> dense_of;
  std::vector<std::vector<int>> dense;
  dense.reserve(ids.size());
  for (const std::vector<int>& list : ids) {
    std::vector<int>& dense_list = dense.emplace_back();
    dense_list.reserve(list.size());
    for (int id : list) {
      dense_list.push_back(dense_of.emplace(id, static_cast<int>(dense_of.size())).first->second);
    }
  }
  id_count = static_cast<int>(dense_of.size());
  return dense;
}

}  // namespace

std::vector<std::uint64_t> MinimalCombinationNumbers(
    const std::vector<std::vector<int>>& attacker_ids, std::uint64_t count) {
  // Same outcome as comparing every ordered pair, in far less work: keep the first combination of
  // each distinct name set, then visit the distinct sets by size; a set survives when no survivor
  // found so far (all of them no larger) is contained in it. A set that contains any strictly
  // smaller set also contains a minimal one, and the minimal ones are all survivors.
  int bit_count = 0;
  const std::vector<std::vector<int>> attacker_bits = DenseIds(attacker_ids, bit_count);

  std::vector<BitSet> distinct_sets;
  std::vector<std::uint64_t> first_combination;
  std::unordered_map<BitSet, std::size_t, BitSetHash> index_of_set;
  for (std::uint64_t k = 0; k < count; ++k) {
    BitSet bits(bit_count);
    std::uint64_t rest = k;
    for (const std::vector<int>& arg_bits : attacker_bits) {
      bits.Add(arg_bits[rest % arg_bits.size()]);
      rest /= arg_bits.size();
    }
    if (index_of_set.emplace(bits, distinct_sets.size()).second) {
      distinct_sets.push_back(std::move(bits));
      first_combination.push_back(k);
    }
  }

  std::vector<std::size_t> by_size(distinct_sets.size());
  for (std::size_t i = 0; i < by_size.size(); ++i) by_size[i] = i;
  std::vector<int> sizes(distinct_sets.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) sizes[i] = distinct_sets[i].Count();
  std::stable_sort(by_size.begin(), by_size.end(),
                   [&](std::size_t a, std::size_t b) { return sizes[a] < sizes[b]; });

  // Distinct sets of equal size never contain one another, so a candidate is compared only with
  // the survivors of strictly smaller size: those before smaller_end.
  std::vector<std::size_t> survivors;
  std::size_t smaller_end = 0;
  int current_size = -1;
  for (std::size_t candidate : by_size) {
    if (sizes[candidate] != current_size) {
      current_size = sizes[candidate];
      smaller_end = survivors.size();
    }
    const auto smaller = survivors.begin() + static_cast<std::ptrdiff_t>(smaller_end);
    const bool dominated = std::any_of(survivors.begin(), smaller, [&](std::size_t s) {
      return distinct_sets[s].IsSubsetOf(distinct_sets[candidate]);
    });
    if (!dominated) survivors.push_back(candidate);
  }
  std::sort(survivors.begin(), survivors.end());

  std::vector<std::uint64_t> numbers;
  numbers.reserve(survivors.size());
  for (std::size_t s : survivors) numbers.push_back(first_combination[s]);
  return numbers;
}

}  // namespace dialectic
