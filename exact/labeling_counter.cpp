#include "exact/labeling_counter.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>
#include <utility>
#include <vector>

namespace dialectic::exact {

namespace {

// A set of labels an argument may still take.
using Domain = std::uint8_t;
constexpr Domain kIn = 1;
constexpr Domain kOut = 2;
constexpr Domain kUndec = 4;

bool IsSingle(Domain d) { return d == kIn || d == kOut || d == kUndec; }

// The search state: each argument's domain, and a trail of changes to undo on backtracking. The
// condition of argument x ties x to its attackers: x is IN exactly when every attacker is OUT, OUT
// exactly when some attacker is IN, UNDEC otherwise. Propagation keeps every condition's domains
// consistent in the sense below; once every domain is one label, every condition holds.
class Counter {
 public:
  Counter(const ArgumentGraph& graph, bool stable_only, RunContext& context)
      : graph_(graph),
        context_(context),
        domain_(graph.Size(), stable_only ? Domain(kIn | kOut) : Domain(kIn | kOut | kUndec)),
        queued_(graph.Size(), false),
        seen_(graph.Size(), -1) {}

  // Every labeling's IN arguments to the callback, counted; false when stopped. A search
  // depth first without the split into groups, whose combinations would have to be listed one by
  // one anyway, kept on a stack of its own: a part of many thousand arguments may branch as often.
  bool EnumerateAll(const ExtensionCallback& callback, BigCount& count) {
    for (int x = 0; x < graph_.Size(); ++x) Enqueue(x);
    if (!Propagate()) return true;
    // Branching on arguments with many attacks first settles the most conditions; in a fixed order
    // the first open argument never moves back along a path of the search.
    std::vector<int> order(graph_.Size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return Degree(a) > Degree(b); });
    struct Branch {
      int argument;
      int next_label;      // index into kLabels of the next label to try
      std::size_t mark;    // the trail before the branch
      std::size_t cursor;  // the argument's place in the order
    };
    constexpr Domain kLabels[] = {kIn, kOut, kUndec};
    std::vector<Branch> branches;
    std::size_t cursor = 0;
    bool descended = true;
    while (true) {
      if (descended) {
        while (cursor < order.size() && IsSingle(domain_[order[cursor]])) ++cursor;
        if (cursor == order.size()) {
          callback(InArguments());
          ++count;
        } else {
          branches.push_back({order[cursor], 0, trail_.size(), cursor});
        }
      }
      if (branches.empty()) return true;
      if (context_.StopRequested()) return false;
      Branch& top = branches.back();
      Undo(top.mark);
      const Domain choices = domain_[top.argument];
      descended = false;
      while (!descended && top.next_label < 3) {
        const Domain label = kLabels[top.next_label++];
        if (!(choices & label)) continue;
        Set(top.argument, label);
        if (Propagate()) {
          cursor = top.cursor + 1;
          descended = true;
        } else {
          Undo(top.mark);
        }
      }
      if (!descended) branches.pop_back();
    }
  }

  // The count of the whole graph; none when stopped.
  std::optional<BigCount> CountAll() {
    for (int x = 0; x < graph_.Size(); ++x) Enqueue(x);
    if (!Propagate()) return BigCount();
    std::vector<int> open;
    for (int a = 0; a < graph_.Size(); ++a) {
      if (!IsSingle(domain_[a])) open.push_back(a);
    }
    return CountGroups(open);
  }

 private:
  std::size_t Degree(int a) const { return graph_.attackers[a].size() + graph_.targets[a].size(); }
  Extension InArguments() const {
    Extension in;
    for (int a = 0; a < graph_.Size(); ++a) {
      if (domain_[a] == kIn) in.push_back(a);
    }
    return in;
  }

  void Set(int a, Domain d) {
    trail_.emplace_back(a, domain_[a]);
    domain_[a] = d;
    Enqueue(a);
    for (const int t : graph_.targets[a]) Enqueue(t);
  }
  void Enqueue(int x) {
    if (!queued_[x]) {
      queued_[x] = true;
      queue_.push_back(x);
    }
  }
  void Undo(std::size_t mark) {
    while (trail_.size() > mark) {
      domain_[trail_.back().first] = trail_.back().second;
      trail_.pop_back();
    }
  }
  // Narrows a domain; false when it becomes empty.
  bool Narrow(int a, Domain keep) {
    const Domain narrowed = domain_[a] & keep;
    if (narrowed == domain_[a]) return true;
    if (narrowed == 0) return false;
    Set(a, narrowed);
    return true;
  }

  // Brings the condition of x to its fixpoint with the domains; false on a contradiction.
  bool Revise(int x) {
    const std::vector<int>& attackers = graph_.attackers[x];
    bool all_may_be_out = true, all_are_out = true, some_may_be_in = false, some_is_in = false;
    int may_be_in = 0, may_be_not_out = 0, last_may_be_in = -1, last_not_out = -1;
    for (const int y : attackers) {
      const Domain d = domain_[y];
      all_may_be_out = all_may_be_out && (d & kOut);
      all_are_out = all_are_out && d == kOut;
      if (d & kIn) {
        some_may_be_in = true;
        ++may_be_in;
        last_may_be_in = y;
      }
      some_is_in = some_is_in || d == kIn;
      if (d != kOut) {
        ++may_be_not_out;
        last_not_out = y;
      }
    }
    Domain keep = 0;
    if (all_may_be_out) keep |= kIn;
    if (some_may_be_in) keep |= kOut;
    if (!some_is_in && !all_are_out) keep |= kUndec;
    if (!Narrow(x, keep)) return false;
    const Domain d = domain_[x];
    if (d == kIn) {
      for (const int y : attackers) {
        if (!Narrow(y, kOut)) return false;
      }
    }
    // Not IN: some attacker is not OUT.
    if (!(d & kIn) && may_be_not_out == 1 && !Narrow(last_not_out, kIn | kUndec)) return false;
    // Not OUT: no attacker is IN.
    if (!(d & kOut)) {
      for (const int y : attackers) {
        if (!Narrow(y, kOut | kUndec)) return false;
      }
    }
    // OUT: some attacker is IN.
    if (d == kOut && may_be_in == 1 && !Narrow(last_may_be_in, kIn)) return false;
    return true;
  }

  bool Propagate() {
    bool consistent = true;
    while (!queue_.empty()) {
      const int x = queue_.back();
      queue_.pop_back();
      queued_[x] = false;
      if (consistent && !Revise(x)) consistent = false;
    }
    return consistent;
  }

  // Whether the condition of x holds whatever labels its open arguments take.
  bool IsSettled(int x) const {
    const Domain d = domain_[x];
    if (!IsSingle(d)) return false;
    bool some_is_in = false, some_is_undec = false, all_closed = IsSingle(d);
    for (const int y : graph_.attackers[x]) {
      some_is_in = some_is_in || domain_[y] == kIn;
      some_is_undec = some_is_undec || domain_[y] == kUndec;
      all_closed = all_closed && IsSingle(domain_[y]);
    }
    // OUT with an IN attacker; UNDEC with an UNDEC attacker and, after propagation, no attacker
    // that may be IN; or nothing open.
    return all_closed || (d == kOut && some_is_in) || (d == kUndec && some_is_undec);
  }

  // The open arguments split into groups that no unsettled condition joins.
  std::vector<std::vector<int>> Groups(const std::vector<int>& open) {
    std::vector<int> parent(open.size());
    std::iota(parent.begin(), parent.end(), 0);
    const auto find = [&](int i) {
      while (parent[i] != i) i = parent[i] = parent[parent[i]];
      return i;
    };
    for (std::size_t i = 0; i < open.size(); ++i) seen_[open[i]] = static_cast<int>(i);
    // Each unsettled condition joins its open arguments: the condition of x involves x and its
    // attackers, and x is an open argument or a target of one.
    const auto join = [&](int x) {
      if (IsSettled(x)) return;
      int first = seen_[x] >= 0 ? find(seen_[x]) : -1;
      for (const int y : graph_.attackers[x]) {
        if (seen_[y] < 0) continue;
        if (first < 0) {
          first = find(seen_[y]);
        } else {
          parent[find(seen_[y])] = first;
        }
      }
    };
    for (const int a : open) {
      join(a);
      for (const int t : graph_.targets[a]) join(t);
    }
    std::vector<std::vector<int>> groups;
    std::vector<int> group_of(open.size(), -1);
    for (std::size_t i = 0; i < open.size(); ++i) {
      const int root = find(static_cast<int>(i));
      if (group_of[root] < 0) {
        group_of[root] = static_cast<int>(groups.size());
        groups.emplace_back();
      }
      groups[group_of[root]].push_back(open[i]);
    }
    for (const int a : open) seen_[a] = -1;
    return groups;
  }

  // The product of the groups' counts; none when stopped.
  std::optional<BigCount> CountGroups(const std::vector<int>& open) {
    BigCount product = 1;
    for (const std::vector<int>& group : Groups(open)) {
      std::optional<BigCount> count = CountGroup(group);
      if (!count) return std::nullopt;
      product *= *count;
      if (product.IsZero()) break;
    }
    return product;
  }

  // The labelings of one group of open arguments, by branching on the argument with the most
  // attacks; none when stopped.
  std::optional<BigCount> CountGroup(const std::vector<int>& group) {
    if (context_.StopRequested()) return std::nullopt;
    int branch = group.front();
    std::size_t degree = 0;
    for (const int a : group) {
      const std::size_t d = Degree(a);
      if (d > degree) {
        degree = d;
        branch = a;
      }
    }
    BigCount total;
    const Domain choices = domain_[branch];
    for (const Domain label : {kIn, kOut, kUndec}) {
      if (!(choices & label)) continue;
      const std::size_t mark = trail_.size();
      Set(branch, label);
      if (Propagate()) {
        std::vector<int> open;
        for (const int a : group) {
          if (!IsSingle(domain_[a])) open.push_back(a);
        }
        std::optional<BigCount> count = CountGroups(open);
        if (!count) {
          Undo(mark);
          return std::nullopt;
        }
        total += *count;
      }
      Undo(mark);
    }
    return total;
  }

  const ArgumentGraph& graph_;
  RunContext& context_;
  std::vector<Domain> domain_;
  std::vector<std::pair<int, Domain>> trail_;
  std::vector<int> queue_;
  std::vector<bool> queued_;
  std::vector<int> seen_;
};

}  // namespace

CountAnswer EnumerateLabelings(const ArgumentGraph& graph, RunContext& context,
                               const ExtensionCallback& callback) {
  Counter counter(graph, false, context);
  CountAnswer answer;
  if (!counter.EnumerateAll(callback, answer.count)) answer.outcome = Outcome::kStopped;
  return answer;
}

CountAnswer CountLabelings(const ArgumentGraph& graph, bool stable_only, RunContext& context) {
  Counter counter(graph, stable_only, context);
  std::optional<BigCount> count = counter.CountAll();
  if (!count) return {Outcome::kStopped, 0};
  return {Outcome::kFinished, std::move(*count)};
}

}  // namespace dialectic::exact
