#include "tests/support/theory_generators.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace dialectic {

namespace {

// Joins clauses with ", ", at most per_line of them on one line.
StringList JoinClauses(const StringList& clauses, int per_line) {
  StringList lines;
  std::string line;
  int on_line = 0;
  for (const std::string& clause : clauses) {
    if (on_line == per_line) {
      lines.push_back(std::move(line));
      line.clear();
      on_line = 0;
    }
    if (on_line > 0) line += ", ";
    line += clause;
    ++on_line;
  }
  if (on_line > 0) lines.push_back(std::move(line));
  return lines;
}

}  // namespace

StringList EvenCyclesTheory(int pairs) {
  StringList clauses;
  for (int i = 0; i < pairs; ++i) {
    const std::string a = "a" + std::to_string(i);
    const std::string b = "b" + std::to_string(i);
    clauses.push_back(a + " " + b);
    clauses.push_back(b + " " + a);
  }
  return JoinClauses(clauses, static_cast<int>(clauses.size()));
}

StringList WideCounterTheory(int width, int attackers) {
  StringList clauses;
  std::string top = "a";
  for (int i = 0; i < width; ++i) top += " b" + std::to_string(i);
  clauses.push_back(top);
  for (int i = 0; i < width; ++i) {
    std::string clause = "b" + std::to_string(i);
    for (int j = 0; j < attackers; ++j)
      clause += " c" + std::to_string(i) + "_" + std::to_string(j);
    clauses.push_back(clause);
  }
  return JoinClauses(clauses, static_cast<int>(clauses.size()));
}

StringList ChainTheory(int length) {
  StringList clauses;
  for (int i = 1; i < length; ++i) {
    clauses.push_back("a" + std::to_string(i) + " a" + std::to_string(i + 1));
  }
  if (length == 1) clauses.push_back("a1");
  return JoinClauses(clauses, std::max(1, static_cast<int>(clauses.size())));
}

int SeededRandom::Below(int bound) {
  assert(bound > 0);
  return static_cast<int>(engine_() % static_cast<std::uint32_t>(bound));
}

namespace {

int DrawAttackerCount(SeededRandom& random, const std::vector<int>& percent) {
  int roll = random.Below(100);
  for (std::size_t count = 0; count < percent.size(); ++count) {
    if (roll < percent[count]) return static_cast<int>(count);
    roll -= percent[count];
  }
  return static_cast<int>(percent.size()) - 1;
}

}  // namespace

AttackGraph RandomAttackGraph(SeededRandom& random, const GraphShape& shape) {
  const int size = shape.min_args + random.Below(shape.max_args - shape.min_args + 1);
  AttackGraph graph;
  graph.attackers.resize(static_cast<std::size_t>(size));
  std::vector<std::pair<int, int>> back_attacks;  // (target, attacker), in order of drawing
  for (int target = 0; target < size; ++target) {
    std::vector<int>& attackers = graph.attackers[static_cast<std::size_t>(target)];
    const int count = DrawAttackerCount(random, shape.attacker_count_percent);
    for (int n = 0; n < count; ++n) {
      const bool is_last = target == size - 1;
      const bool back = is_last || random.Chance(shape.back_attacker_percent);
      const int attacker = back ? random.Below(size) : target + 1 + random.Below(size - target - 1);
      if (std::find(attackers.begin(), attackers.end(), attacker) != attackers.end()) continue;
      attackers.push_back(attacker);
      if (attacker <= target) back_attacks.emplace_back(target, attacker);
    }
  }
  // Without back attacks the graph is acyclic, so this ends.
  while (CountCyclicArgs(graph) > shape.max_cyclic_args) {
    const auto [target, attacker] = back_attacks.back();
    back_attacks.pop_back();
    std::vector<int>& attackers = graph.attackers[static_cast<std::size_t>(target)];
    attackers.erase(std::find(attackers.begin(), attackers.end(), attacker));
  }
  return graph;
}

int CountCyclicArgs(const AttackGraph& graph) {
  // The well-founded part is peeled off: an argument all of whose attackers are peeled is peeled
  // too. What stays has an endless chain of attackers behind it, that is a cycle above it.
  const int size = graph.size();
  std::vector<bool> peeled(static_cast<std::size_t>(size), false);
  int peeled_count = 0;
  bool changed = true;
  while (changed) {
    changed = false;
    for (int i = 0; i < size; ++i) {
      if (peeled[static_cast<std::size_t>(i)]) continue;
      const std::vector<int>& attackers = graph.attackers[static_cast<std::size_t>(i)];
      const bool all_peeled = std::all_of(attackers.begin(), attackers.end(), [&](int a) {
        return peeled[static_cast<std::size_t>(a)];
      });
      if (!all_peeled) continue;
      peeled[static_cast<std::size_t>(i)] = true;
      ++peeled_count;
      changed = true;
    }
  }
  return size - peeled_count;
}

StringList PlainNames(int count) {
  StringList names;
  for (int i = 0; i < count; ++i) names.push_back("p" + std::to_string(i));
  return names;
}

StringList GraphTheory(const AttackGraph& graph, const StringList& names, int clauses_per_line) {
  const int size = graph.size();
  std::vector<bool> attacks_something(static_cast<std::size_t>(size), false);
  for (const std::vector<int>& attackers : graph.attackers) {
    for (int a : attackers) attacks_something[static_cast<std::size_t>(a)] = true;
  }
  StringList clauses;
  for (int i = 0; i < size; ++i) {
    const std::vector<int>& attackers = graph.attackers[static_cast<std::size_t>(i)];
    if (attackers.empty() && attacks_something[static_cast<std::size_t>(i)]) continue;
    std::string clause = names[static_cast<std::size_t>(i)];
    for (int a : attackers) clause += " " + names[static_cast<std::size_t>(a)];
    clauses.push_back(std::move(clause));
  }
  return JoinClauses(clauses, clauses_per_line);
}

std::vector<StringList> MediumRandomTheories(int count, std::uint32_t first_seed) {
  const GraphShape shape;
  std::vector<StringList> theories;
  for (int n = 0; n < count; ++n) {
    SeededRandom random(first_seed + static_cast<std::uint32_t>(n));
    const AttackGraph graph = RandomAttackGraph(random, shape);
    theories.push_back(GraphTheory(graph, PlainNames(graph.size()), 8));
  }
  return theories;
}

}  // namespace dialectic
