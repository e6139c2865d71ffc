#include "model/rank_set.h"

#include <iterator>

#include "model/arg_index.h"

namespace dialectic {

void RankWords::insert(const std::uint32_t* at, std::uint32_t value) {
  const std::size_t offset = static_cast<std::size_t>(at - begin());
  push_back(value);
  std::uint32_t* values = data();
  std::move_backward(values + offset, values + size_ - 1, values + size_);
  values[offset] = value;
}

void RankWords::resize(std::size_t count, std::uint32_t value) {
  reserve(count);
  if (count > size_) std::fill(data() + size_, data() + count, value);
  size_ = static_cast<std::uint32_t>(count);
}

void RankWords::shrink_to_fit() {
  if (!heap_ || size_ == capacity_) return;
  if (size_ <= kInlineCount) {
    std::copy_n(heap_.get(), size_, inline_);
    heap_.reset();
    capacity_ = kInlineCount;
    return;
  }
  Grow(size_);
}

void RankWords::Append(const std::uint32_t* values, std::size_t count) {
  reserve(size_ + count);
  std::copy_n(values, count, data() + size_);
  size_ += static_cast<std::uint32_t>(count);
}

void RankWords::Grow(std::size_t capacity) {
  auto grown = std::make_unique_for_overwrite<std::uint32_t[]>(capacity);
  std::copy_n(data(), size_, grown.get());
  heap_ = std::move(grown);
  capacity_ = static_cast<std::uint32_t>(capacity);
}

void RankWords::Take(RankWords& other) noexcept {
  if (other.heap_) {
    heap_ = std::move(other.heap_);
    capacity_ = other.capacity_;
  } else {
    heap_.reset();
    capacity_ = kInlineCount;
    std::copy_n(other.inline_, other.size_, inline_);
  }
  size_ = other.size_;
  other.size_ = 0;
  other.capacity_ = kInlineCount;
}

void RankSet::AddSlowly(int rank) {
  if (is_bitset_) {
    const std::size_t word = Word(rank);
    if (word >= values_.size()) values_.resize(word + 1, 0);
    if ((values_[word] & Bit(rank)) != 0) return;
    values_[word] |= Bit(rank);
    ++count_;
    return;
  }
  const auto value = static_cast<std::uint32_t>(rank);
  // Ranks often come in ascending order (copies, merges): append without a search then.
  if (values_.empty() || values_.back() < value) {
    values_.push_back(value);
  } else {
    const auto at = std::lower_bound(values_.begin(), values_.end(), value);
    if (*at == value) return;
    values_.insert(at, value);
  }
  ++count_;
  CompactIfDense();
}

void RankSet::CompactIfDense() {
  // A word of bits holds 32 ranks, a list one: below one rank in 32 the list is smaller.
  const std::size_t word_count = Word(static_cast<int>(values_.back())) + 1;
  if (count_ < 4 || count_ < word_count) return;
  RankWords words;
  words.resize(word_count, 0);
  for (std::uint32_t rank : values_)
    words[Word(static_cast<int>(rank))] |= Bit(static_cast<int>(rank));
  values_ = std::move(words);
  is_bitset_ = true;
}

void RankSet::AddAll(const RankSet& other) {
  if (other.empty()) return;
  if (is_bitset_ && other.is_bitset_) {
    if (other.values_.size() > values_.size()) values_.resize(other.values_.size(), 0);
    count_ = 0;
    for (std::size_t w = 0; w < values_.size(); ++w) {
      if (w < other.values_.size()) values_[w] |= other.values_[w];
      count_ += static_cast<std::uint32_t>(std::popcount(values_[w]));
    }
    return;
  }
  if (!is_bitset_ && !other.is_bitset_) {
    RankWords merged;
    merged.reserve(values_.size() + other.values_.size());
    std::set_union(values_.begin(), values_.end(), other.values_.begin(), other.values_.end(),
                   std::back_inserter(merged));
    values_ = std::move(merged);
    count_ = static_cast<std::uint32_t>(values_.size());
    CompactIfDense();
    return;
  }
  other.ForEach([&](int rank) { Add(rank); });
}

bool RankSet::ContainsAnyIn(int first, int last) const {
  if (!is_bitset_) {
    const auto at =
        std::lower_bound(values_.begin(), values_.end(), static_cast<std::uint32_t>(first));
    return at != values_.end() && *at < static_cast<std::uint32_t>(last);
  }
  for (int rank = first; rank < last; ++rank) {
    if (Contains(rank)) return true;
  }
  return false;
}

bool RankSet::Intersects(const RankSet& other) const {
  if (count_ > other.count_) return other.Intersects(*this);
  if (is_bitset_ && other.is_bitset_) {
    const std::size_t words = std::min(values_.size(), other.values_.size());
    for (std::size_t w = 0; w < words; ++w) {
      if ((values_[w] & other.values_[w]) != 0) return true;
    }
    return false;
  }
  return AnyOf([&](int rank) { return other.Contains(rank); });
}

bool RankSet::IsSubsetOf(const RankSet& other) const {
  if (count_ > other.count_) return false;
  return !AnyOf([&](int rank) { return !other.Contains(rank); });
}

bool operator==(const RankSet& a, const RankSet& b) {
  if (a.count_ != b.count_) return false;
  if (!a.is_bitset_ && !b.is_bitset_) return a.values_ == b.values_;
  return a.IsSubsetOf(b);
}

void RankSet::AddName(int rank, const ArgIndex& index) {
  if (index.HasCaseEqualNames() && ContainsName(rank, index)) return;
  Add(rank);
}

void RankSet::AddNames(const RankSet& other, const ArgIndex& index) {
  if (!index.HasCaseEqualNames()) {
    AddAll(other);
    return;
  }
  other.ForEach([&](int rank) { AddName(rank, index); });
}

bool RankSet::ContainsName(int rank, const ArgIndex& index) const {
  if (!index.HasCaseEqualNames()) return Contains(rank);
  return ContainsAnyIn(index.ClassBegin(rank), index.ClassEnd(rank));
}

}  // namespace dialectic
