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
#include <memory>
#include <vector>

namespace dialectic {

class ArgIndex;

// The 32-bit values of a rank set, in order: up to four of them inside the object, more in an
// array of their own. Most sets of a run are small (a candidate of sixteen even cycles is one
// word of bits), and keeping them inside saves an allocation, a free and a cache miss for each.
class RankWords {
 public:
  using value_type = std::uint32_t;

  RankWords() = default;
  RankWords(const RankWords& other) { Append(other.begin(), other.size()); }
  RankWords(RankWords&& other) noexcept { Take(other); }
  RankWords& operator=(const RankWords& other) {
    if (this != &other) {
      size_ = 0;
      Append(other.begin(), other.size());
    }
    return *this;
  }
  RankWords& operator=(RankWords&& other) noexcept {
    if (this != &other) Take(other);
    return *this;
  }

  std::uint32_t* begin() { return data(); }
  std::uint32_t* end() { return data() + size_; }
  const std::uint32_t* begin() const { return data(); }
  const std::uint32_t* end() const { return data() + size_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::uint32_t& operator[](std::size_t i) { return data()[i]; }
  std::uint32_t operator[](std::size_t i) const { return data()[i]; }
  std::uint32_t back() const { return data()[size_ - 1]; }

  void clear() { size_ = 0; }
  void reserve(std::size_t count) {
    if (count > capacity_) Grow(count);
  }
  void push_back(std::uint32_t value) {
    if (size_ == capacity_) Grow(2 * static_cast<std::size_t>(capacity_));
    data()[size_++] = value;
  }
  // Inserts the value before the element at, which must point into the values or at their end.
  void insert(const std::uint32_t* at, std::uint32_t value);
  // Makes the values count long, new ones set to value.
  void resize(std::size_t count, std::uint32_t value);
  // Gives back unused room: into the object when the values fit there.
  void shrink_to_fit();

  friend bool operator==(const RankWords& a, const RankWords& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }

 private:
  static constexpr std::uint32_t kInlineCount = 4;

  std::uint32_t* data() { return heap_ ? heap_.get() : inline_; }
  const std::uint32_t* data() const { return heap_ ? heap_.get() : inline_; }
  void Append(const std::uint32_t* values, std::size_t count);
  // Moves the values into an array of the given capacity, at least their number.
  void Grow(std::size_t capacity);
  // Takes the other's values and leaves it empty.
  void Take(RankWords& other) noexcept;

  std::unique_ptr<std::uint32_t[]> heap_;  // the values when there are more than fit inside
  std::uint32_t inline_[kInlineCount] = {};
  std::uint32_t size_ = 0;
  std::uint32_t capacity_ = kInlineCount;
};

class RankSet {
 public:
  // Adding to a bitset within its words is the common case (candidates by the hundred thousand)
  // and is done inline; the rest, which may grow or convert the set, is not.
  void Add(int rank) {
    if (is_bitset_ && Word(rank) < values_.size()) {
      std::uint32_t& word = values_[Word(rank)];
      count_ += (word & Bit(rank)) == 0 ? 1 : 0;
      word |= Bit(rank);
      return;
    }
    AddSlowly(rank);
  }
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

  // Add for a list, and for a bitset that must grow to hold the rank.
  void AddSlowly(int rank);
  // Turns the sorted list into a bitset when the bitset is no larger.
  void CompactIfDense();

  // The ranks ascending, or the words of the bitset up to the word of the highest rank.
  RankWords values_;
  std::uint32_t count_ = 0;
  bool is_bitset_ = false;
};

}  // namespace dialectic
