// Frameworks made in code: the named kinds of `dialectic-cli --generate` and of File > New Random
// Framework, and the theories of the benchmarks and the golden outputs as input lines. Every
// generator is deterministic: the same parameters and seed give the same result with every
// standard library, because the random numbers come straight from std::mt19937 (whose sequence
// the language fixes), mapped to a range by plain modulo and to a chance by comparing 53 of its
// bits with the probability, never by a library distribution.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "formats/framework.h"
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
  // True with the given probability, from 0 (never) to 1 (always).
  bool WithProbability(double probability);

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

// The named kinds of generated frameworks. Arguments are named a1, a2, ... in order; N is the
// number of arguments except for the cycles, where it is the number of cycles.
//
// er           every ordered pair of distinct arguments is an attack with probability P
//              (default 0.1); attacks listed by attacker, then target.
// ba           argument M+1 attacks the first M; every later one attacks M distinct earlier ones
//              chosen in proportion to their number of attacks so far, given or taken (M default
//              1, below N).
// ws           a ring where every argument attacks the K that follow it (K default 4, below N),
//              each attack's target redrawn with probability B (default 0.1) among the arguments
//              that are neither the attacker nor attacked by it yet; every argument keeps exactly
//              K targets, N * K attacks in all.
// grid         the arguments row by row in rows of ceil(sqrt(N)); each pair of neighbours in a row
//              or a column is attacked one way, the direction drawn at random, or both ways with
//              probability MUTUAL (default 0.1).
// even-cycles  N cycles of length L (even, default 2): in each, every argument attacks the next
// odd-cycles   one and the last the first (L odd, default 3; length 1 is a self-attack).
// chain        every argument is attacked by the next one: a1 by a2, a2 by a3, ...
// tree         a tree of attackers below a1: argument i > 1 attacks argument (i - 2) / B + 1, so
//              every argument has B attackers (B default 2) until the arguments run out.
struct GeneratorRecipe {
  std::string kind;
  int count = 0;
  // The kind's parameters in its order, the defaults filled in.
  std::vector<double> parameters;
  std::uint32_t seed = 1;
};

// The kinds' names in the order that listings give them.
const std::vector<std::string>& GeneratorKinds();

// What one kind takes: its parameters' names and defaults, and what its count means.
struct GeneratorParameter {
  std::string name;
  double default_value = 0;
  // A whole number (an attack count, a length, a branching) rather than a probability.
  bool whole = false;
};
struct GeneratorKindInfo {
  std::string name;
  std::string description;
  // "arguments" or "cycles".
  std::string counted;
  std::vector<GeneratorParameter> parameters;
};
// The kind of that name, or none.
std::optional<GeneratorKindInfo> GeneratorKindNamed(std::string_view name);

// A recipe "KIND:N[:PARAM...][:seed=S]", or the reason it is malformed.
struct GeneratorRecipeResult {
  std::optional<GeneratorRecipe> recipe;
  std::string error;
};
GeneratorRecipeResult ParseGeneratorRecipe(std::string_view text);
// The reason a recipe cannot be generated (an unknown kind, a count or a parameter out of
// range), or empty when it can.
std::string GeneratorRecipeError(const GeneratorRecipe& recipe);
// The recipe as text that ParseGeneratorRecipe reads back, every parameter and the seed
// written out.
std::string GeneratorRecipeText(const GeneratorRecipe& recipe);

// The framework of a recipe that GeneratorRecipeError accepts.
Framework GenerateFramework(const GeneratorRecipe& recipe);

}  // namespace dialectic
