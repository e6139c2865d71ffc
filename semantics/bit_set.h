// A dense set of small numbers as a bitset of fixed size, so that set operations are word
// operations. Sets of up to 128 numbers live inline, without a heap allocation.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dialectic {

class BitSet {
 public:
  BitSet() = default;
  // An empty set for numbers 0 to size - 1.
  explicit BitSet(int size) : word_count_(static_cast<std::size_t>(size + 63) / 64) {
    if (word_count_ > kInlineWords) heap_.assign(word_count_, 0);
  }

  void Add(int number) { words()[Word(number)] |= Bit(number); }
  bool Contains(int number) const { return (words()[Word(number)] & Bit(number)) != 0; }
  void AddAll(const BitSet& other) {
    for (std::size_t w = 0; w < word_count_; ++w) words()[w] |= other.words()[w];
  }
  void Clear() {
    for (std::size_t w = 0; w < word_count_; ++w) words()[w] = 0;
  }
  bool empty() const {
    for (std::size_t w = 0; w < word_count_; ++w) {
      if (words()[w] != 0) return false;
    }
    return true;
  }
  int Count() const {
    int count = 0;
    for (std::size_t w = 0; w < word_count_; ++w) count += std::popcount(words()[w]);
    return count;
  }
  bool Intersects(const BitSet& other) const {
    for (std::size_t w = 0; w < word_count_; ++w) {
      if ((words()[w] & other.words()[w]) != 0) return true;
    }
    return false;
  }
  bool IsSubsetOf(const BitSet& other) const {
    for (std::size_t w = 0; w < word_count_; ++w) {
      if ((words()[w] & ~other.words()[w]) != 0) return false;
    }
    return true;
  }

  // Calls visit(number) for every number in the set, ascending.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    for (std::size_t w = 0; w < word_count_; ++w) {
      for (std::uint64_t word = words()[w]; word != 0; word &= word - 1) {
        visit(static_cast<int>(w * 64) + std::countr_zero(word));
      }
    }
  }

  std::size_t Hash() const {
    std::size_t hash = word_count_;
    for (std::size_t w = 0; w < word_count_; ++w) hash = hash * 1000003u ^ words()[w];
    return hash;
  }

  // Unused inline words stay zero and the heap is empty for inline sets, so member-wise equality
  // is set equality.
  friend bool operator==(const BitSet& a, const BitSet& b) = default;

 private:
  static constexpr std::size_t kInlineWords = 2;

  static std::size_t Word(int number) { return static_cast<std::size_t>(number) / 64; }
  static std::uint64_t Bit(int number) { return std::uint64_t{1} << (number % 64); }
  std::uint64_t* words() { return word_count_ > kInlineWords ? heap_.data() : inline_.data(); }
  const std::uint64_t* words() const {
    return word_count_ > kInlineWords ? heap_.data() : inline_.data();
  }

  std::size_t word_count_ = 0;
  std::array<std::uint64_t, kInlineWords> inline_{};
  std::vector<std::uint64_t> heap_;
};

struct BitSetHash {
  std::size_t operator()(const BitSet& set) const { return set.Hash(); }
};

}  // namespace dialectic
