#include "formats/flat_hash.h"

#include <cstring>
#include <utility>

namespace dialectic {

namespace {

constexpr std::size_t kFirstCapacity = 64;  // a power of two, like every capacity after it

// Spreads every bit of the value over all 64 (the finaliser of the splitmix64 generator), so that
// the low bits used as a slot number depend on the whole key.
std::uint64_t Mix(std::uint64_t value) {
  value ^= value >> 30;
  value *= 0xbf58476d1ce4e5b9ULL;
  value ^= value >> 27;
  value *= 0x94d049bb133111ebULL;
  return value ^ (value >> 31);
}

// FNV-1a over the bytes, then mixed.
std::uint64_t HashOf(std::string_view name) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  return Mix(hash);
}

bool IsOverHalfFull(std::size_t size, std::size_t capacity) { return 2 * size > capacity; }

}  // namespace

bool AttackSet::Insert(int attacker, int target) {
  if (IsOverHalfFull(size_ + 1, slots_.size())) Grow();
  const std::uint64_t key =
      (static_cast<std::uint64_t>(attacker) << 32) | static_cast<std::uint32_t>(target);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = Mix(key) & mask;; slot = (slot + 1) & mask) {
    if (slots_[slot] == key) return false;
    if (slots_[slot] == kEmpty) {
      slots_[slot] = key;
      ++size_;
      return true;
    }
  }
}

void AttackSet::Grow() {
  const std::size_t capacity = slots_.empty() ? kFirstCapacity : 2 * slots_.size();
  const std::vector<std::uint64_t> old =
      std::exchange(slots_, std::vector<std::uint64_t>(capacity, kEmpty));
  const std::size_t mask = slots_.size() - 1;
  for (const std::uint64_t key : old) {
    if (key == kEmpty) continue;
    std::size_t slot = Mix(key) & mask;
    while (slots_[slot] != kEmpty) slot = (slot + 1) & mask;
    slots_[slot] = key;
  }
}

std::string_view NameIndex::NameAt(int position) const {
  const std::size_t begin = name_ends_[static_cast<std::size_t>(position)];
  const std::size_t end = name_ends_[static_cast<std::size_t>(position) + 1];
  return std::string_view(name_bytes_).substr(begin, end - begin);
}

std::uint64_t NameIndex::KeyOf(std::string_view name, std::uint64_t hash) {
  if (name.size() > sizeof(std::uint64_t)) return hash;
  std::uint64_t key = 0;
  std::memcpy(&key, name.data(), name.size());
  return key;
}

std::size_t NameIndex::SlotOf(std::string_view name, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  const std::uint64_t key = KeyOf(name, hash);
  const bool is_short = name.size() <= sizeof key;
  std::size_t slot = hash & mask;
  while (slots_[slot].position >= 0 &&
         (slots_[slot].key != key || slots_[slot].size != name.size() ||
          (!is_short && NameAt(slots_[slot].position) != name))) {
    slot = (slot + 1) & mask;
  }
  return slot;
}

int NameIndex::Find(std::string_view name) const {
  if (slots_.empty()) return -1;
  return slots_[SlotOf(name, HashOf(name))].position;
}

int NameIndex::FindOrAdd(std::string_view name) {
  if (IsOverHalfFull(static_cast<std::size_t>(size()) + 1, slots_.size())) Grow();
  const std::uint64_t hash = HashOf(name);
  Slot& slot = slots_[SlotOf(name, hash)];
  if (slot.position < 0) {
    slot = {size(), static_cast<std::uint32_t>(name.size()), KeyOf(name, hash)};
    name_bytes_ += name;
    name_ends_.push_back(name_bytes_.size());
  }
  return slot.position;
}

void NameIndex::Grow() {
  const std::size_t capacity = slots_.empty() ? kFirstCapacity : 2 * slots_.size();
  const std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(capacity));
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& entry : old) {
    if (entry.position < 0) continue;
    // The slot number comes from the low bits of the hash, which the tag does not keep.
    std::size_t slot = HashOf(NameAt(entry.position)) & mask;
    while (slots_[slot].position >= 0) slot = (slot + 1) & mask;
    slots_[slot] = entry;
  }
}

}  // namespace dialectic
