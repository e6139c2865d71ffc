// Open-addressing hash tables for the readers: each is one flat array probed linearly and kept at
// most half full, so a million lookups cost a cache line or two each and allocate nothing but the
// array's doublings. (Node-based standard tables spent most of a large read in cache misses.)
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dialectic {

// A set of attacks as (attacker, target) pairs of non-negative indices.
class AttackSet {
 public:
  // Adds the pair; false when it is present already.
  bool Insert(int attacker, int target);

 private:
  static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};  // no pair of ints packs to this

  void Grow();

  std::vector<std::uint64_t> slots_;  // kEmpty, or the attacker in the high half, target in low
  std::size_t size_ = 0;
};

// The positions of distinct names in a list that the caller keeps and passes to every call.
class NameIndex {
 public:
  // The position of the name in names, or -1.
  int Find(std::string_view name, const std::vector<std::string>& names) const;
  // The position of the name in names, appending it to names first when it is new.
  int FindOrAppend(std::string_view name, std::vector<std::string>& names);

 private:
  // Eight bytes, so that the table of 100,000 names stays small enough for the cache.
  struct Slot {
    std::uint32_t tag = 0;  // the high half of the name's hash, compared before the name itself
    int position = -1;      // -1: empty
  };

  // The slot holding the name, or the empty slot where it belongs.
  std::size_t SlotOf(std::string_view name, std::uint64_t hash,
                     const std::vector<std::string>& names) const;
  void Grow(const std::vector<std::string>& names);

  std::vector<Slot> slots_;
  std::size_t size_ = 0;
};

}  // namespace dialectic
