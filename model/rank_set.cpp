#include "model/rank_set.h"

namespace dialectic {

void RankSet::Add(int rank) {
  if (IsBitset()) {
    const std::size_t word = Word(rank);
    if (word >= words_.size()) words_.resize(word + 1, 0);
    if ((words_[word] & Bit(rank)) != 0) return;
    words_[word] |= Bit(rank);
    ++count_;
    return;
  }
  const auto value = static_cast<std::int32_t>(rank);
  // Ranks often come in ascending order (copies, merges): append without a search then.
  if (ranks_.empty() || ranks_.back() < value) {
    ranks_.push_back(value);
  } else {
    const auto at = std::lower_bound(ranks_.begin(), ranks_.end(), value);
    if (*at == value) return;
    ranks_.insert(at, value);
  }
  ++count_;
  CompactIfDense();
}

void RankSet::CompactIfDense() {
  const std::size_t word_count = Word(ranks_.back()) + 1;
  // Two ranks take one word as a list; a word of bits holds 64. Below one rank in 32 the list is
  // the smaller form.
  if (count_ < 4 || count_ * 2 < word_count) return;
  words_.assign(word_count, 0);
  for (std::int32_t r : ranks_) words_[Word(r)] |= Bit(r);
  ranks_.clear();
  ranks_.shrink_to_fit();
}

void RankSet::AddAll(const RankSet& other) {
  if (other.empty()) return;
  if (IsBitset() && other.IsBitset()) {
    if (other.words_.size() > words_.size()) words_.resize(other.words_.size(), 0);
    count_ = 0;
    for (std::size_t w = 0; w < words_.size(); ++w) {
      if (w < other.words_.size()) words_[w] |= other.words_[w];
      count_ += static_cast<std::size_t>(std::popcount(words_[w]));
    }
    return;
  }
  if (!IsBitset() && !other.IsBitset()) {
    std::vector<std::int32_t> merged;
    merged.reserve(ranks_.size() + other.ranks_.size());
    std::set_union(ranks_.begin(), ranks_.end(), other.ranks_.begin(), other.ranks_.end(),
                   std::back_inserter(merged));
    ranks_ = std::move(merged);
    count_ = ranks_.size();
    CompactIfDense();
    return;
  }
  other.ForEach([&](int rank) { Add(rank); });
}

bool RankSet::ContainsAnyIn(int first, int last) const {
  if (!IsBitset()) {
    const auto at =
        std::lower_bound(ranks_.begin(), ranks_.end(), static_cast<std::int32_t>(first));
    return at != ranks_.end() && *at < last;
  }
  for (int rank = first; rank < last; ++rank) {
    if (Contains(rank)) return true;
  }
  return false;
}

bool RankSet::Intersects(const RankSet& other) const {
  if (count_ > other.count_) return other.Intersects(*this);
  if (IsBitset() && other.IsBitset()) {
    const std::size_t words = std::min(words_.size(), other.words_.size());
    for (std::size_t w = 0; w < words; ++w) {
      if ((words_[w] & other.words_[w]) != 0) return true;
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
  if (!a.IsBitset() && !b.IsBitset()) return a.ranks_ == b.ranks_;
  return a.IsSubsetOf(b);
}

}  // namespace dialectic
