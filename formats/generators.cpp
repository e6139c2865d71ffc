#include "formats/generators.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
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

bool SeededRandom::WithProbability(double probability) {
  // 53 bits, the precision of a double, so that every probability that a double holds is honoured
  // and the comparison is exact on every machine.
  const std::uint64_t high = engine_() >> 5;
  const std::uint64_t low = engine_() >> 6;
  const std::uint64_t draw = (high << 26) | low;
  return static_cast<double>(draw) < probability * 9007199254740992.0;  // 2^53
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

namespace {

// The largest frameworks that a recipe may ask for: every kind but er takes time and memory
// in proportion to its arguments and attacks, er in proportion to the square of its arguments.
constexpr int kMaxGeneratedArguments = 1'000'000;
constexpr int kMaxRandomPairArguments = 10'000;
constexpr long long kMaxGeneratedAttacks = 10'000'000;

const std::vector<GeneratorKindInfo>& KindTable() {
  static const std::vector<GeneratorKindInfo> kinds = {
      {"er", "Erdős–Rényi", "arguments", {{"probability", 0.1, false}}},
      {"ba", "Barabási–Albert", "arguments", {{"attacks per new argument", 1, true}}},
      {"ws",
       "Watts–Strogatz",
       "arguments",
       {{"neighbours", 4, true}, {"rewiring probability", 0.1, false}}},
      {"grid", "grid", "arguments", {{"mutual probability", 0.1, false}}},
      {"even-cycles", "even cycles", "cycles", {{"cycle length", 2, true}}},
      {"odd-cycles", "odd cycles", "cycles", {{"cycle length", 3, true}}},
      {"chain", "chain", "arguments", {}},
      {"tree", "tree", "arguments", {{"branching", 2, true}}},
  };
  return kinds;
}

std::string ArgumentName(int position) { return "a" + std::to_string(position + 1); }

Framework NamedFramework(int size, std::vector<Attack> attacks) {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(size));
  for (int i = 0; i < size; ++i) names.push_back(ArgumentName(i));
  return Framework(std::move(names), std::move(attacks));
}

std::vector<Attack> ErdosRenyi(int n, double p, SeededRandom& random) {
  std::vector<Attack> attacks;
  for (int attacker = 0; attacker < n; ++attacker) {
    for (int target = 0; target < n; ++target) {
      if (target != attacker && random.WithProbability(p)) attacks.push_back({attacker, target});
    }
  }
  return attacks;
}

std::vector<Attack> BarabasiAlbert(int n, int m, SeededRandom& random) {
  std::vector<Attack> attacks;
  // Every argument once per attack it gives or takes, so that a draw follows that count.
  std::vector<int> ends;
  for (int target = 0; target < m; ++target) {
    attacks.push_back({m, target});
    ends.push_back(m);
    ends.push_back(target);
  }
  std::vector<int> chosen;
  for (int added = m + 1; added < n; ++added) {
    chosen.clear();
    while (static_cast<int>(chosen.size()) < m) {
      const int old = ends[static_cast<std::size_t>(random.Below(static_cast<int>(ends.size())))];
      if (std::find(chosen.begin(), chosen.end(), old) == chosen.end()) chosen.push_back(old);
    }
    for (int old : chosen) {
      attacks.push_back({added, old});
      ends.push_back(added);
      ends.push_back(old);
    }
  }
  return attacks;
}

std::vector<Attack> WattsStrogatz(int n, int k, double beta, SeededRandom& random) {
  std::vector<Attack> attacks;
  attacks.reserve(static_cast<std::size_t>(n) * static_cast<std::size_t>(k));
  std::vector<int> targets;
  for (int attacker = 0; attacker < n; ++attacker) {
    // The ring's targets first, so that a redrawn one never lands on a later ring target.
    targets.clear();
    for (int step = 1; step <= k; ++step) targets.push_back((attacker + step) % n);
    for (int& target : targets) {
      if (!random.WithProbability(beta)) continue;
      // k < n, so at least one argument is neither the attacker nor one of its targets, unless
      // k = n - 1, when there is nowhere else to go and the ring target stays.
      if (k >= n - 1) continue;
      int drawn = random.Below(n);
      while (drawn == attacker || std::find(targets.begin(), targets.end(), drawn) != targets.end())
        drawn = random.Below(n);
      target = drawn;
    }
    for (int target : targets) attacks.push_back({attacker, target});
  }
  return attacks;
}

int GridColumns(int n) {
  int columns = static_cast<int>(std::sqrt(static_cast<double>(n)));
  while (columns * columns < n) ++columns;
  while (columns > 1 && (columns - 1) * (columns - 1) >= n) --columns;
  return columns;
}

std::vector<Attack> Grid(int n, double mutual, SeededRandom& random) {
  const int columns = GridColumns(n);
  std::vector<Attack> attacks;
  auto link = [&](int a, int b) {
    if (random.WithProbability(mutual)) {
      attacks.push_back({a, b});
      attacks.push_back({b, a});
    } else if (random.Below(2) == 0) {
      attacks.push_back({a, b});
    } else {
      attacks.push_back({b, a});
    }
  };
  for (int a = 0; a < n; ++a) {
    if ((a + 1) % columns != 0 && a + 1 < n) link(a, a + 1);
    if (a + columns < n) link(a, a + columns);
  }
  return attacks;
}

std::vector<Attack> Cycles(int count, int length) {
  std::vector<Attack> attacks;
  for (int cycle = 0; cycle < count; ++cycle) {
    const int first = cycle * length;
    for (int i = 0; i < length; ++i) attacks.push_back({first + i, first + (i + 1) % length});
  }
  return attacks;
}

std::vector<Attack> Chain(int n) {
  std::vector<Attack> attacks;
  for (int i = 0; i + 1 < n; ++i) attacks.push_back({i + 1, i});
  return attacks;
}

std::vector<Attack> Tree(int n, int branching) {
  std::vector<Attack> attacks;
  for (int i = 1; i < n; ++i) attacks.push_back({i, (i - 1) / branching});
  return attacks;
}

std::optional<int> WholeNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> RealNumber(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::string NumberText(double value) {
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : std::string("?");
}

}  // namespace

const std::vector<std::string>& GeneratorKinds() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (const GeneratorKindInfo& kind : KindTable()) list.push_back(kind.name);
    return list;
  }();
  return names;
}

std::optional<GeneratorKindInfo> GeneratorKindNamed(std::string_view name) {
  for (const GeneratorKindInfo& kind : KindTable()) {
    if (kind.name == name) return kind;
  }
  return std::nullopt;
}

std::string GeneratorRecipeError(const GeneratorRecipe& recipe) {
  const std::optional<GeneratorKindInfo> kind = GeneratorKindNamed(recipe.kind);
  if (!kind) {
    std::string known;
    for (const std::string& name : GeneratorKinds()) known += (known.empty() ? "" : ", ") + name;
    return "unknown kind \"" + recipe.kind + "\" (" + known + ")";
  }
  if (recipe.parameters.size() != kind->parameters.size()) {
    return recipe.kind + " takes " + std::to_string(kind->parameters.size()) + " parameter(s)";
  }
  for (std::size_t i = 0; i < recipe.parameters.size(); ++i) {
    const GeneratorParameter& parameter = kind->parameters[i];
    const double value = recipe.parameters[i];
    if (parameter.whole) {
      if (value != std::floor(value) || value < 1 || value > kMaxGeneratedArguments)
        return "the " + parameter.name + " must be a whole number from 1 to " +
               std::to_string(kMaxGeneratedArguments);
    } else if (!(value >= 0 && value <= 1)) {
      return "the " + parameter.name + " must lie from 0 to 1";
    }
  }
  const int limit = recipe.kind == "er" ? kMaxRandomPairArguments : kMaxGeneratedArguments;
  if (recipe.count < 1 || recipe.count > limit) {
    return "the number of " + kind->counted + " must lie from 1 to " + std::to_string(limit);
  }
  const long long n = recipe.count;
  const auto whole = [&](std::size_t i) { return static_cast<long long>(recipe.parameters[i]); };
  if (recipe.kind == "ba" && whole(0) >= n) {
    return "ba needs more arguments than attacks per new argument";
  }
  if (recipe.kind == "ws" && whole(0) >= n) {
    return "ws needs more arguments than neighbours";
  }
  if ((recipe.kind == "ba" || recipe.kind == "ws") && n * whole(0) > kMaxGeneratedAttacks) {
    return "at most " + std::to_string(kMaxGeneratedAttacks) + " attacks";
  }
  if (recipe.kind == "even-cycles" && whole(0) % 2 != 0) return "an even cycle's length is even";
  if (recipe.kind == "odd-cycles" && whole(0) % 2 == 0) return "an odd cycle's length is odd";
  if ((recipe.kind == "even-cycles" || recipe.kind == "odd-cycles") &&
      n * whole(0) > kMaxGeneratedArguments) {
    return "at most " + std::to_string(kMaxGeneratedArguments) + " arguments in all the cycles";
  }
  return {};
}

GeneratorRecipeResult ParseGeneratorRecipe(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t colon = text.find(':', start);
    fields.push_back(text.substr(start, colon == std::string_view::npos ? colon : colon - start));
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  const std::string usage =
      "expected KIND:N[:PARAM...][:seed=S], not \"" + std::string(text) + "\"";
  if (fields.size() < 2) return {std::nullopt, usage};
  GeneratorRecipe recipe;
  recipe.kind = std::string(fields[0]);
  const std::optional<GeneratorKindInfo> kind = GeneratorKindNamed(recipe.kind);
  if (!kind) return {std::nullopt, GeneratorRecipeError(recipe)};
  const std::optional<int> count = WholeNumber(fields[1]);
  if (!count) {
    return {std::nullopt, "the number of " + kind->counted + " \"" + std::string(fields[1]) +
                              "\" is not a whole number"};
  }
  recipe.count = *count;
  constexpr std::string_view kSeed = "seed=";
  std::size_t end = fields.size();
  if (fields.back().starts_with(kSeed)) {
    const std::string_view seed_text = fields.back().substr(kSeed.size());
    std::uint32_t seed = 0;
    const auto [at, error] =
        std::from_chars(seed_text.data(), seed_text.data() + seed_text.size(), seed);
    if (error != std::errc() || at != seed_text.data() + seed_text.size() || seed_text.empty()) {
      return {std::nullopt, "the seed \"" + std::string(seed_text) +
                                "\" is not a whole number from 0 to 4294967295"};
    }
    recipe.seed = seed;
    --end;
  }
  const std::size_t given = end - 2;
  if (given > kind->parameters.size()) {
    return {std::nullopt, recipe.kind + " takes at most " +
                              std::to_string(kind->parameters.size()) + " parameter(s), not " +
                              std::to_string(given)};
  }
  for (std::size_t i = 0; i < kind->parameters.size(); ++i) {
    if (i >= given) {
      recipe.parameters.push_back(kind->parameters[i].default_value);
      continue;
    }
    const std::optional<double> value = RealNumber(fields[2 + i]);
    if (!value) {
      return {std::nullopt, "the " + kind->parameters[i].name + " \"" + std::string(fields[2 + i]) +
                                "\" is not a number"};
    }
    recipe.parameters.push_back(*value);
  }
  std::string error = GeneratorRecipeError(recipe);
  if (!error.empty()) return {std::nullopt, std::move(error)};
  return {std::move(recipe), {}};
}

std::string GeneratorRecipeText(const GeneratorRecipe& recipe) {
  std::string text = recipe.kind + ":" + std::to_string(recipe.count);
  for (double value : recipe.parameters) text += ":" + NumberText(value);
  return text + ":seed=" + std::to_string(recipe.seed);
}

Framework GenerateFramework(const GeneratorRecipe& recipe) {
  assert(GeneratorRecipeError(recipe).empty());
  SeededRandom random(recipe.seed);
  const int n = recipe.count;
  const auto whole = [&](std::size_t i) { return static_cast<int>(recipe.parameters[i]); };
  if (recipe.kind == "er") return NamedFramework(n, ErdosRenyi(n, recipe.parameters[0], random));
  if (recipe.kind == "ba") return NamedFramework(n, BarabasiAlbert(n, whole(0), random));
  if (recipe.kind == "ws")
    return NamedFramework(n, WattsStrogatz(n, whole(0), recipe.parameters[1], random));
  if (recipe.kind == "grid") return NamedFramework(n, Grid(n, recipe.parameters[0], random));
  if (recipe.kind == "even-cycles" || recipe.kind == "odd-cycles")
    return NamedFramework(n * whole(0), Cycles(n, whole(0)));
  if (recipe.kind == "chain") return NamedFramework(n, Chain(n));
  return NamedFramework(n, Tree(n, whole(0)));
}

}  // namespace dialectic
