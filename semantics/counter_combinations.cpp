#include "semantics/counter_combinations.h"

#include <algorithm>
#include <bit>
#include <map>
#include <string>
#include <unordered_map>

namespace dialectic {

StringList Combination(const std::vector<const TArg*>& open, std::uint64_t k) {
  StringList names;
  names.reserve(open.size());
  for (const TArg* arg : open) {
    const auto radix = static_cast<std::uint64_t>(arg->Attackers.Count());
    names.push_back(arg->Attackers[static_cast<int>(k % radix)].Name);
    k /= radix;
  }
  return names;
}

namespace {

// A set of names as a bitset over the case-folded names that the open arguments' attackers use.
using NameBits = std::vector<std::uint64_t>;

struct NameBitsHash {
  std::size_t operator()(const NameBits& bits) const {
    std::size_t hash = 0;
    for (std::uint64_t word : bits) hash = hash * 1000003u ^ std::hash<std::uint64_t>()(word);
    return hash;
  }
};

bool IsSubsetBits(const NameBits& small, const NameBits& large) {
  for (std::size_t w = 0; w < small.size(); ++w) {
    if ((small[w] & ~large[w]) != 0) return false;
  }
  return true;
}

int CountBits(const NameBits& bits) {
  int count = 0;
  for (std::uint64_t word : bits) count += std::popcount(word);
  return count;
}

// For each open argument, the bit of each of its attackers, in Attackers order.
std::vector<std::vector<int>> AttackerBits(const std::vector<const TArg*>& open, int& bit_count) {
  std::map<std::string, int> bit_of_folded_name;
  std::vector<std::vector<int>> bits;
  for (const TArg* arg : open) {
    std::vector<int>& arg_bits = bits.emplace_back();
    for (const TArg* attacker : arg->Attackers) {
      std::string folded = attacker->Name;
      for (char& c : folded) c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
      const auto [at, inserted] =
          bit_of_folded_name.emplace(folded, static_cast<int>(bit_of_folded_name.size()));
      arg_bits.push_back(at->second);
    }
  }
  bit_count = static_cast<int>(bit_of_folded_name.size());
  return bits;
}

}  // namespace

std::vector<StringList> MinimalCombinations(const std::vector<const TArg*>& open,
                                            std::uint64_t count) {
  // Same outcome as comparing every ordered pair, in far less work: keep the first combination of
  // each distinct name set, then visit the distinct sets by size; a set survives when no survivor
  // found so far (all of them no larger) is contained in it. A set that contains any strictly
  // smaller set also contains a minimal one, and the minimal ones are all survivors.
  int bit_count = 0;
  const std::vector<std::vector<int>> attacker_bits = AttackerBits(open, bit_count);
  const std::size_t words = static_cast<std::size_t>(bit_count + 63) / 64;

  std::vector<NameBits> distinct_sets;
  std::vector<std::uint64_t> first_combination;
  std::unordered_map<NameBits, std::size_t, NameBitsHash> index_of_set;
  for (std::uint64_t k = 0; k < count; ++k) {
    NameBits bits(words, 0);
    std::uint64_t rest = k;
    for (const std::vector<int>& arg_bits : attacker_bits) {
      const int bit = arg_bits[rest % arg_bits.size()];
      rest /= arg_bits.size();
      bits[static_cast<std::size_t>(bit) / 64] |= std::uint64_t{1} << (bit % 64);
    }
    if (index_of_set.emplace(bits, distinct_sets.size()).second) {
      distinct_sets.push_back(std::move(bits));
      first_combination.push_back(k);
    }
  }

  std::vector<std::size_t> by_size(distinct_sets.size());
  for (std::size_t i = 0; i < by_size.size(); ++i) by_size[i] = i;
  std::vector<int> sizes(distinct_sets.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) sizes[i] = CountBits(distinct_sets[i]);
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
      return IsSubsetBits(distinct_sets[s], distinct_sets[candidate]);
    });
    if (!dominated) survivors.push_back(candidate);
  }
  std::sort(survivors.begin(), survivors.end());

  std::vector<StringList> result;
  result.reserve(survivors.size());
  for (std::size_t s : survivors) result.push_back(Combination(open, first_combination[s]));
  return result;
}

}  // namespace dialectic
