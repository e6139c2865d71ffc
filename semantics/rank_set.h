// A set of arguments as a bitset over their collation ranks, so that ascending iteration lists the
// arguments in name-set order and set operations are word operations.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace dialectic {

class RankSet {
 public:
  RankSet() = default;
  // An empty set for ranks 0 to size - 1.
  explicit RankSet(int size) : words_(static_cast<std::size_t>(size + 63) / 64, 0) {}

  void Add(int rank) { words_[Word(rank)] |= Bit(rank); }
  bool Contains(int rank) const { return (words_[Word(rank)] & Bit(rank)) != 0; }
  void AddAll(const RankSet& other) {
    for (std::size_t w = 0; w < words_.size(); ++w) words_[w] |= other.words_[w];
  }
  void Clear() {
    for (std::uint64_t& word : words_) word = 0;
  }
  bool empty() const {
    for (std::uint64_t word : words_) {
      if (word != 0) return false;
    }
    return true;
  }
  bool Intersects(const RankSet& other) const {
    for (std::size_t w = 0; w < words_.size(); ++w) {
      if ((words_[w] & other.words_[w]) != 0) return true;
    }
    return false;
  }

  // Calls visit(rank) for every rank in the set, ascending.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    for (std::size_t w = 0; w < words_.size(); ++w) {
      for (std::uint64_t word = words_[w]; word != 0; word &= word - 1) {
        visit(static_cast<int>(w * 64) + std::countr_zero(word));
      }
    }
  }

  friend bool operator==(const RankSet& a, const RankSet& b) = default;

 private:
  static std::size_t Word(int rank) { return static_cast<std::size_t>(rank) / 64; }
  static std::uint64_t Bit(int rank) { return std::uint64_t{1} << (rank % 64); }

  std::vector<std::uint64_t> words_;
};

}  // namespace dialectic
