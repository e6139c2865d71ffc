// A name set: names kept sorted by case-folded byte order, in which a name that is already present
// in any letter case is not added again (the spelling added first stays). Every listing of a set is
// in sorted order, so the order in which names were added never shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/string_list.h"

namespace dialectic {

class NameSet {
 public:
  using const_iterator = std::vector<std::string>::const_iterator;

  // Adds the name unless a name equal to it under case folding is present.
  void Add(std::string_view name);
  // The set of names that are already in set order, no two equal under case folding.
  static NameSet FromSortedNames(std::vector<std::string> names);

  // Adds every name of the other list, in its order.
  void AddAll(const NameSet& other);
  void AddAll(const StringList& names);
  void Clear() { names_.clear(); }

  // Position of the name (case folded) in sorted order, or -1.
  int IndexOf(std::string_view name) const;
  bool Contains(std::string_view name) const { return IndexOf(name) >= 0; }

  bool empty() const { return names_.empty(); }
  std::size_t size() const { return names_.size(); }
  const std::string& operator[](std::size_t i) const { return names_[i]; }
  const_iterator begin() const { return names_.begin(); }
  const_iterator end() const { return names_.end(); }

  // Byte-for-byte equality of the names in set order (letter case counts).
  friend bool operator==(const NameSet& a, const NameSet& b) = default;

 private:
  // Sorted ascending by CompareFolded; no two entries are equal under it.
  std::vector<std::string> names_;
};

}  // namespace dialectic
