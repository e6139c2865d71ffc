#include "tests/oracle/exact_reference.h"

#include <cassert>
#include <iterator>

namespace dialectic::exact {

namespace {

bool Has(Mask set, int a) { return (set >> a & 1) != 0; }
Mask Bit(int a) { return Mask{1} << a; }

}  // namespace

ReferenceSemantics::ReferenceSemantics(const ArgumentGraph& graph)
    : size_(graph.Size()), all_(Bit(graph.Size()) - 1), extensions_(std::size(kAllSemantics)) {
  assert(size_ <= 12);
  const Mask subsets = all_ + 1;
  std::vector<bool> conflict_free(subsets), admissible(subsets), complete(subsets);
  std::vector<Mask> identity(subsets), range(subsets);
  for (Mask set = 0; set < subsets; ++set) {
    Mask attacked = 0;
    for (int a = 0; a < size_; ++a) {
      for (const int t : graph.targets[a]) attacked |= Has(set, a) ? Bit(t) : 0;
    }
    Mask defended = 0;  // the arguments whose every attacker the set attacks
    for (int a = 0; a < size_; ++a) {
      bool all_attacked = true;
      for (const int b : graph.attackers[a]) all_attacked = all_attacked && Has(attacked, b);
      if (all_attacked) defended |= Bit(a);
    }
    identity[set] = set;
    range[set] = set | attacked;
    conflict_free[set] = (set & attacked) == 0;
    admissible[set] = conflict_free[set] && (set & ~defended) == 0;
    complete[set] = admissible[set] && (defended & ~set) == 0;
    if (admissible[set]) Of(Semantics::kAdmissible).push_back(set);
    if (complete[set]) Of(Semantics::kComplete).push_back(set);
    if (conflict_free[set] && range[set] == all_) Of(Semantics::kStable).push_back(set);
  }
  // Grounded: the least complete set, the one inside every complete set.
  Mask least = all_;
  for (const Mask set : Of(Semantics::kComplete)) least &= set;
  assert(complete[least]);
  Of(Semantics::kGrounded) = {least};
  Of(Semantics::kPreferred) = MaximalByKey(admissible, identity);
  Of(Semantics::kSemiStable) = MaximalByKey(complete, range);
  Of(Semantics::kStage) = MaximalByKey(conflict_free, range);
  Of(Semantics::kNaive) = MaximalByKey(conflict_free, identity);
  // Ideal: the largest admissible set inside every preferred one. The union of all such sets is
  // one of them.
  Mask in_every_preferred = all_;
  for (const Mask set : Of(Semantics::kPreferred)) in_every_preferred &= set;
  Mask ideal = 0;
  for (Mask set = 0; set < subsets; ++set) {
    if (admissible[set] && (set & ~in_every_preferred) == 0) ideal |= set;
  }
  assert(admissible[ideal]);
  Of(Semantics::kIdeal) = {ideal};
}

std::vector<Mask> ReferenceSemantics::MaximalByKey(const std::vector<bool>& chosen,
                                                   const std::vector<Mask>& key) const {
  // covered[k]: some chosen set's key contains k. Filled from the largest k down, since every
  // strict superset of k is a larger number.
  std::vector<bool> covered(all_ + std::size_t{1}, false);
  for (Mask set = 0; set < chosen.size(); ++set) {
    if (chosen[set]) covered[key[set]] = true;
  }
  for (Mask k = all_ + 1; k-- > 0;) {
    for (int a = 0; a < size_ && !covered[k]; ++a) {
      covered[k] = !Has(k, a) && covered[k | Bit(a)];
    }
  }
  std::vector<Mask> maximal;
  for (Mask set = 0; set < chosen.size(); ++set) {
    bool has_larger = false;
    for (int a = 0; a < size_ && !has_larger; ++a) {
      has_larger = !Has(key[set], a) && covered[key[set] | Bit(a)];
    }
    if (chosen[set] && !has_larger) maximal.push_back(set);
  }
  return maximal;
}

}  // namespace dialectic::exact
