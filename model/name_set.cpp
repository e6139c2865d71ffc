#include "model/name_set.h"

#include <algorithm>
#include <cassert>

namespace dialectic {

namespace {

bool FoldedLess(const std::string& a, std::string_view b) { return CompareFolded(a, b) < 0; }

}  // namespace

void NameSet::Add(std::string_view name) {
  // Names often come in set order (copies, merges): append without a search then.
  if (names_.empty() || CompareFolded(names_.back(), name) < 0) {
    names_.emplace_back(name);
    return;
  }
  const auto at = std::lower_bound(names_.begin(), names_.end(), name, FoldedLess);
  if (at != names_.end() && CompareFolded(*at, name) == 0) return;
  names_.emplace(at, name);
}

NameSet NameSet::FromSortedNames(std::vector<std::string> names) {
  assert(std::adjacent_find(names.begin(), names.end(), [](const auto& a, const auto& b) {
           return CompareFolded(a, b) >= 0;
         }) == names.end());
  NameSet set;
  set.names_ = std::move(names);
  return set;
}

void NameSet::AddAll(const NameSet& other) {
  for (const std::string& name : other) Add(name);
}

void NameSet::AddAll(const StringList& names) {
  for (const std::string& name : names) Add(name);
}

int NameSet::IndexOf(std::string_view name) const {
  const auto at = std::lower_bound(names_.begin(), names_.end(), name, FoldedLess);
  if (at == names_.end() || CompareFolded(*at, name) != 0) return -1;
  return static_cast<int>(at - names_.begin());
}

}  // namespace dialectic
