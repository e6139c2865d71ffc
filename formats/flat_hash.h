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

// Distinct names, each with its position in order of addition. A slot holds a short name's bytes
// and the name bytes are kept together in one string, so that finding a name rarely touches more
// memory than its slot.
class NameIndex {
 public:
  // The position of the name, or -1.
  int Find(std::string_view name) const;
  // The position of the name, which is added at the next position when it is new.
  int FindOrAdd(std::string_view name);
  int size() const { return static_cast<int>(name_ends_.size()) - 1; }

 private:
  // A name of at most eight bytes is compared in its slot alone, without reading the name bytes.
  struct Slot {
    int position = -1;       // -1: empty
    std::uint32_t size = 0;  // the name's length
    std::uint64_t key = 0;   // a short name's bytes, or a longer name's hash
  };

  static std::uint64_t KeyOf(std::string_view name, std::uint64_t hash);

  std::string_view NameAt(int position) const;
  // The slot holding the name, or the empty slot where it belongs.
  std::size_t SlotOf(std::string_view name, std::uint64_t hash) const;
  void Grow();

  std::vector<Slot> slots_;
  std::string name_bytes_;  // every name, one after the other
  // Name i is name_bytes_[name_ends_[i], name_ends_[i + 1]).
  std::vector<std::size_t> name_ends_ = {0};
};

}  // namespace dialectic
