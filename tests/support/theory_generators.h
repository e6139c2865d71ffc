// Theories made in code for the benchmarks and the golden outputs, as input lines. Every generator
// is deterministic: the same parameters and seed give the same lines with every standard library,
// because the random numbers come straight from std::mt19937 (whose sequence the language fixes),
// reduced by plain modulo rather than by a library distribution.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/string_list.h"

namespace dialectic {

// The named shapes of the speed workloads.

// "a0 b0, b0 a0, a1 b1, b1 a1, ...": independent even cycles, 2 * pairs ambiguous arguments.
StringList EvenCyclesTheory(int pairs);

// "a b0 ... b{width-1}, b0 c0_0 ... c0_{k-1}, ...": every bi has its own attackers ci_j, so the
// first counter step of a's proof expands into attackers^width combinations.
StringList WideCounterTheory(int width, int attackers = 4);

// "a1 a2, a2 a3, ..., a{n-1} an": n arguments, each attacked by the next one.
StringList ChainTheory(int length);

// Random numbers from a fixed seed.
class SeededRandom {
 public:
  explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}

  // A number from 0 to bound - 1; bound must be positive.
  int Below(int bound);
  // True with the given chance in percent.
  bool Chance(int percent) { return Below(100) < percent; }

 private:
  std::mt19937 engine_;
};

// An attack relation by argument index: attackers[i] lists the attackers of argument i, each once,
// in the order they are written.
struct AttackGraph {
  std::vector<std::vector<int>> attackers;

  int size() const { return static_cast<int>(attackers.size()); }
};

// How a random attack graph is drawn. Attackers normally come from later arguments, which keeps the
// graph acyclic; a back attacker comes from anywhere (the argument itself included) and may close a
// cycle.
struct GraphShape {
  int min_args = 10;
  int max_args = 30;
  // Chances in percent of 0, 1, 2, ... attackers for one argument; the list's length bounds the
  // attacker count.
  std::vector<int> attacker_count_percent = {25, 35, 30, 10};
  int back_attacker_percent = 25;
  // Back attackers are dropped, latest first, until at most this many arguments lie on a cycle or
  // below one (attacked from a cycle, directly or through others). Only those arguments can be
  // dialectically ambiguous when the search runs to the end, so this bounds the 2^k preferred
  // candidates.
  int max_cyclic_args = 12;
};

AttackGraph RandomAttackGraph(SeededRandom& random, const GraphShape& shape);

// The number of arguments that lie on a cycle (a self-attack counts) or below one.
int CountCyclicArgs(const AttackGraph& graph);

// The names p0, p1, ... for a graph of the given size.
StringList PlainNames(int count);

// The graph as clauses "name attacker attacker ...", in argument order, clauses_per_line of them
// joined by ", " on each line. An argument without attackers gets a clause of its own only when
// no clause mentions it otherwise.
StringList GraphTheory(const AttackGraph& graph, const StringList& names, int clauses_per_line);

// The theories of the Random workload: 10 to 30 arguments each, from seeds first_seed, first_seed
// + 1, ...
std::vector<StringList> MediumRandomTheories(int count, std::uint32_t first_seed = 1);

}  // namespace dialectic
