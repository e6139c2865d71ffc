// A set of arguments by rank (see arg_index.h), small for small sets and fast for dense ones: a
// sorted list of ranks while that is the smaller form, a bitset once the set holds at least one
// rank in 32 of the range up to its highest rank. Both forms list their ranks ascending, which is
// name-set order. Sets only grow until cleared; equality is set equality whatever the form.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dialectic {

class RankSet {
 public:
  void Add(int rank);
  // Adds every rank of the other set.
  void AddAll(const RankSet& other);
  void Clear() {
    ranks_.clear();
    words_.clear();
    count_ = 0;
  }

  bool Contains(int rank) const {
    if (!IsBitset())
      return std::binary_search(ranks_.begin(), ranks_.end(), static_cast<std::int32_t>(rank));
    const std::size_t word = Word(rank);
    return word < words_.size() && (words_[word] & Bit(rank)) != 0;
  }
  // Whether some rank from first up to (not including) last is in the set.
  bool ContainsAnyIn(int first, int last) const;

  bool empty() const { return count_ == 0; }
  int Count() const { return static_cast<int>(count_); }

  bool Intersects(const RankSet& other) const;
  bool IsSubsetOf(const RankSet& other) const;

  // Calls visit(rank) for every rank in the set, ascending.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    if (!IsBitset()) {
      for (std::int32_t rank : ranks_) visit(static_cast<int>(rank));
      return;
    }
    for (std::size_t w = 0; w < words_.size(); ++w) {
      for (std::uint64_t word = words_[w]; word != 0; word &= word - 1)
        visit(static_cast<int>(w * 64) + std::countr_zero(word));
    }
  }
  // Calls visit(rank) ascending until it returns true; gives whether it did.
  template <typename Visit>
  bool AnyOf(Visit&& visit) const {
    if (!IsBitset()) return std::any_of(ranks_.begin(), ranks_.end(), visit);
    for (std::size_t w = 0; w < words_.size(); ++w) {
      for (std::uint64_t word = words_[w]; word != 0; word &= word - 1) {
        if (visit(static_cast<int>(w * 64) + std::countr_zero(word))) return true;
      }
    }
    return false;
  }

  friend bool operator==(const RankSet& a, const RankSet& b);

 private:
  static std::size_t Word(int rank) { return static_cast<std::size_t>(rank) / 64; }
  static std::uint64_t Bit(int rank) { return std::uint64_t{1} << (rank % 64); }

  bool IsBitset() const { return !words_.empty(); }
  // Turns the sorted list into a bitset when the bitset is no larger.
  void CompactIfDense();

  std::vector<std::int32_t> ranks_;   // ascending; used while words_ is empty
  std::vector<std::uint64_t> words_;  // the bitset form, up to the word of the highest rank
  std::size_t count_ = 0;
};

}  // namespace dialectic
