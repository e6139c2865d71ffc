// A set of arguments by rank (see arg_index.h), small for small sets and fast for dense ones: a
// sorted list of ranks while that is the smaller form, a bitset once the set holds at least one
// rank in 32 of the range up to its highest rank. Both forms share one vector of 32-bit values
// and list their ranks ascending, which is name-set order. Sets only grow until cleared;
// equality is set equality whatever the form. As a name set, the set follows the letter-case
// class rule: it holds at most one argument of each class of names equal up to letter case (the
// one added first), and asks about a name by its class.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dialectic {

class ArgIndex;

class RankSet {
 public:
  void Add(int rank);
  // Adds every rank of the other set.
  void AddAll(const RankSet& other);
  // The name-set forms of the two: adds the argument unless the set holds one of its class
  // already; adds every argument of the other set, in name order, by that rule.
  void AddName(int rank, const ArgIndex& index);
  void AddNames(const RankSet& other, const ArgIndex& index);
  // Gives back the room that growing left unused; for sets that are kept long.
  void ShrinkToFit() { values_.shrink_to_fit(); }
  void Clear() {
    values_.clear();
    count_ = 0;
    is_bitset_ = false;
  }

  bool Contains(int rank) const {
    if (!is_bitset_)
      return std::binary_search(values_.begin(), values_.end(), static_cast<std::uint32_t>(rank));
    const std::size_t word = Word(rank);
    return word < values_.size() && (values_[word] & Bit(rank)) != 0;
  }
  // Whether some rank from first up to (not including) last is in the set.
  bool ContainsAnyIn(int first, int last) const;
  // Whether the set holds the argument or another of its class (letter case ignored).
  bool ContainsName(int rank, const ArgIndex& index) const;

  bool empty() const { return count_ == 0; }
  int Count() const { return static_cast<int>(count_); }

  bool Intersects(const RankSet& other) const;
  bool IsSubsetOf(const RankSet& other) const;

  // Calls visit(rank) for every rank in the set, ascending.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    AnyOf([&](int rank) {
      visit(rank);
      return false;
    });
  }
  // Calls visit(rank) ascending until it returns true; gives whether it did.
  template <typename Visit>
  bool AnyOf(Visit&& visit) const {
    if (!is_bitset_) {
      for (std::uint32_t rank : values_) {
        if (visit(static_cast<int>(rank))) return true;
      }
      return false;
    }
    for (std::size_t w = 0; w < values_.size(); ++w) {
      for (std::uint32_t word = values_[w]; word != 0; word &= word - 1) {
        if (visit(static_cast<int>(w * 32) + std::countr_zero(word))) return true;
      }
    }
    return false;
  }

  friend bool operator==(const RankSet& a, const RankSet& b);

 private:
  static std::size_t Word(int rank) { return static_cast<std::size_t>(rank) / 32; }
  static std::uint32_t Bit(int rank) { return std::uint32_t{1} << (rank % 32); }

  // Turns the sorted list into a bitset when the bitset is no larger.
  void CompactIfDense();

  // The ranks ascending, or the words of the bitset up to the word of the highest rank.
  std::vector<std::uint32_t> values_;
  std::uint32_t count_ = 0;
  bool is_bitset_ = false;
};

}  // namespace dialectic
