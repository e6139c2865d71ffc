#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "formats/generators.h"

namespace dialectic {
namespace {

Framework Generated(const std::string& text) {
  const GeneratorRecipeResult parsed = ParseGeneratorRecipe(text);
  EXPECT_TRUE(parsed.recipe.has_value()) << text << ": " << parsed.error;
  return parsed.recipe ? GenerateFramework(*parsed.recipe) : Framework();
}

// The attacks as (attacker, target) pairs of 1-based argument numbers, in order.
std::vector<std::pair<int, int>> Pairs(const Framework& framework) {
  std::vector<std::pair<int, int>> pairs;
  for (const Attack& attack : framework.Attacks())
    pairs.emplace_back(attack.attacker + 1, attack.target + 1);
  return pairs;
}

std::vector<int> Targets(const Framework& framework, int attacker) {
  std::vector<int> targets;
  for (const Attack& attack : framework.Attacks())
    if (attack.attacker == attacker) targets.push_back(attack.target);
  return targets;
}

TEST(GeneratorRecipeTest, ReadsKindCountParametersAndSeed) {
  struct Case {
    std::string text;
    std::string kind;
    int count;
    std::vector<double> parameters;
    std::uint32_t seed;
  };
  const Case cases[] = {
      {"er:50:0.1:seed=3", "er", 50, {0.1}, 3},
      {"er:50", "er", 50, {0.1}, 1},
      {"ba:20:3", "ba", 20, {3}, 1},
      {"ws:30:6:0.25:seed=4294967295", "ws", 30, {6, 0.25}, 4294967295u},
      {"ws:30:6", "ws", 30, {6, 0.1}, 1},
      {"grid:9:0", "grid", 9, {0}, 1},
      {"even-cycles:4", "even-cycles", 4, {2}, 1},
      {"odd-cycles:2:5:seed=0", "odd-cycles", 2, {5}, 0},
      {"chain:7", "chain", 7, {}, 1},
      {"tree:15:3", "tree", 15, {3}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const GeneratorRecipeResult parsed = ParseGeneratorRecipe(c.text);
    ASSERT_TRUE(parsed.recipe.has_value()) << parsed.error;
    EXPECT_EQ(parsed.recipe->kind, c.kind);
    EXPECT_EQ(parsed.recipe->count, c.count);
    EXPECT_EQ(parsed.recipe->parameters, c.parameters);
    EXPECT_EQ(parsed.recipe->seed, c.seed);
    // The written form reads back to the same recipe.
    const GeneratorRecipeResult again = ParseGeneratorRecipe(GeneratorRecipeText(*parsed.recipe));
    ASSERT_TRUE(again.recipe.has_value()) << again.error;
    EXPECT_EQ(again.recipe->parameters, c.parameters);
    EXPECT_EQ(again.recipe->seed, c.seed);
  }
}

TEST(GeneratorRecipeTest, RefusesMalformedRecipesWithTheReason) {
  struct Case {
    std::string text;
    std::string reason;
  };
  const Case cases[] = {
      {"", "expected KIND:N"},
      {"er", "expected KIND:N"},
      {"star:5", "unknown kind \"star\" (er, ba, ws, grid, even-cycles, odd-cycles, chain, tree)"},
      {"er:", "number of arguments \"\" is not a whole number"},
      {"er:5x", "not a whole number"},
      {"er:0", "from 1 to 10000"},
      {"er:10001", "from 1 to 10000"},
      {"chain:-3", "from 1 to 1000000"},
      {"er:5:1.5", "probability must lie from 0 to 1"},
      {"er:5:-0.1", "probability must lie from 0 to 1"},
      {"er:5:nan", "probability \"nan\" is not a number"},
      {"er:5:x", "probability \"x\" is not a number"},
      {"er:5:0.1:0.2", "at most 1 parameter(s), not 2"},
      {"chain:5:2", "at most 0 parameter(s), not 1"},
      {"ba:5:5", "more arguments than attacks per new argument"},
      {"ba:5:1.5", "whole number"},
      {"ws:4:4", "more arguments than neighbours"},
      {"ws:10:0", "whole number from 1"},
      {"even-cycles:3:3", "even cycle's length is even"},
      {"odd-cycles:3:4", "odd cycle's length is odd"},
      {"odd-cycles:1000:1001", "at most 1000000 arguments in all the cycles"},
      {"ws:1000000:11", "at most 10000000 attacks"},
      {"er:5:seed=", "seed \"\" is not a whole number"},
      {"er:5:seed=-1", "seed \"-1\""},
      {"er:5:seed=4294967296", "seed \"4294967296\""},
      {"ws:10:seed=1:0.1", "neighbours \"seed=1\" is not a number"},
      {"tree:5:0", "branching must be a whole number"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const GeneratorRecipeResult parsed = ParseGeneratorRecipe(c.text);
    EXPECT_FALSE(parsed.recipe.has_value());
    EXPECT_NE(parsed.error.find(c.reason), std::string::npos) << parsed.error;
  }
}

TEST(GeneratorTest, TheSameSeedGivesTheSameFrameworkAndAnotherSeedAnother) {
  struct Case {
    std::string recipe;
    bool random;
  };
  const Case cases[] = {
      {"er:60:0.1", true}, {"ba:60:2", true},        {"ws:60:4:0.3", true},
      {"grid:49", true},   {"even-cycles:5", false}, {"odd-cycles:5:5", false},
      {"chain:20", false}, {"tree:30:3", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.recipe);
    const Framework first = Generated(c.recipe + ":seed=7");
    const Framework second = Generated(c.recipe + ":seed=7");
    EXPECT_GT(first.Attacks().size(), 0u);
    EXPECT_EQ(first, second);
    const Framework other = Generated(c.recipe + ":seed=8");
    EXPECT_EQ(first.Names(), other.Names());
    if (c.random) {
      EXPECT_NE(first, other);
    } else {
      EXPECT_EQ(first, other);
    }
  }
}

TEST(GeneratorTest, FixedShapesAreTheOnesTheirDefinitionGives) {
  using P = std::vector<std::pair<int, int>>;
  struct Case {
    std::string recipe;
    int size;
    P attacks;
  };
  const Case cases[] = {
      {"chain:1", 1, {}},
      {"chain:4", 4, {{2, 1}, {3, 2}, {4, 3}}},
      {"tree:6:2", 6, {{2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}}},
      {"tree:5:3", 5, {{2, 1}, {3, 1}, {4, 1}, {5, 2}}},
      {"even-cycles:2", 4, {{1, 2}, {2, 1}, {3, 4}, {4, 3}}},
      {"odd-cycles:2:3", 6, {{1, 2}, {2, 3}, {3, 1}, {4, 5}, {5, 6}, {6, 4}}},
      {"odd-cycles:3:1", 3, {{1, 1}, {2, 2}, {3, 3}}},
      // Mutual probability 1: every pair of neighbours attacks both ways. Rows of ceil(sqrt(N)).
      {"grid:4:1", 4, {{1, 2}, {2, 1}, {1, 3}, {3, 1}, {2, 4}, {4, 2}, {3, 4}, {4, 3}}},
      {"grid:5:1",
       5,
       {{1, 2}, {2, 1}, {1, 4}, {4, 1}, {2, 3}, {3, 2}, {2, 5}, {5, 2}, {4, 5}, {5, 4}}},
      {"er:4:1",
       4,
       {{1, 2},
        {1, 3},
        {1, 4},
        {2, 1},
        {2, 3},
        {2, 4},
        {3, 1},
        {3, 2},
        {3, 4},
        {4, 1},
        {4, 2},
        {4, 3}}},
      {"er:4:0", 4, {}},
      {"ws:5:2:0",
       5,
       {{1, 2}, {1, 3}, {2, 3}, {2, 4}, {3, 4}, {3, 5}, {4, 5}, {4, 1}, {5, 1}, {5, 2}}},
      {"ba:3:2", 3, {{3, 1}, {3, 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.recipe);
    const Framework framework = Generated(c.recipe);
    ASSERT_EQ(framework.Size(), c.size);
    for (int i = 0; i < c.size; ++i) EXPECT_EQ(framework.NameOf(i), "a" + std::to_string(i + 1));
    EXPECT_EQ(Pairs(framework), c.attacks);
  }
}

TEST(GeneratorTest, ErdosRenyiAttackCountStaysWithinStatisticalBounds) {
  struct Case {
    int n;
    double p;
  };
  const Case cases[] = {{200, 0.1}, {100, 0.01}, {300, 0.5}, {50, 0.9}};
  for (const Case& c : cases) {
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
      SCOPED_TRACE(std::to_string(c.n) + " " + std::to_string(c.p) + " seed " +
                   std::to_string(seed));
      GeneratorRecipe recipe{"er", c.n, {c.p}, seed};
      const Framework framework = GenerateFramework(recipe);
      const double pairs = static_cast<double>(c.n) * (c.n - 1);
      const double mean = pairs * c.p;
      const double deviation = std::sqrt(pairs * c.p * (1 - c.p));
      const double count = static_cast<double>(framework.Attacks().size());
      // Six standard deviations: a correct generator falls outside about once in 10^9 runs.
      EXPECT_LT(std::abs(count - mean), 6 * deviation);
      std::set<std::pair<int, int>> seen;
      for (const Attack& attack : framework.Attacks()) {
        EXPECT_NE(attack.attacker, attack.target);
        EXPECT_TRUE(seen.insert({attack.attacker, attack.target}).second);
      }
    }
  }
}

TEST(GeneratorTest, BarabasiAlbertEveryNewArgumentAttacksExactlyMEarlierOnes) {
  struct Case {
    int n;
    int m;
  };
  const Case cases[] = {{50, 1}, {80, 2}, {40, 5}, {6, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.n) + " " + std::to_string(c.m));
    const Framework framework = GenerateFramework({"ba", c.n, {double(c.m)}, 11});
    ASSERT_EQ(framework.Size(), c.n);
    EXPECT_EQ(framework.Attacks().size(), static_cast<std::size_t>((c.n - c.m) * c.m));
    for (int a = 0; a < c.n; ++a) {
      const std::vector<int> targets = Targets(framework, a);
      if (a < c.m) {
        EXPECT_TRUE(targets.empty()) << a;
        continue;
      }
      EXPECT_EQ(static_cast<int>(targets.size()), c.m) << a;
      EXPECT_EQ(std::set<int>(targets.begin(), targets.end()).size(), targets.size()) << a;
      for (int t : targets) EXPECT_LT(t, a);
    }
  }
  // Preferential attachment: on a large graph the first arguments gather far more attackers than
  // the mean of one per argument.
  const Framework big = GenerateFramework({"ba", 2000, {1}, 3});
  EXPECT_GT(big.Graph().attackers[0].size() + big.Graph().attackers[1].size(), 20u);
}

TEST(GeneratorTest, WattsStrogatzKeepsNTimesKAttacksAndKTargetsEach) {
  struct Case {
    int n;
    int k;
    double beta;
  };
  const Case cases[] = {{30, 4, 0.0}, {30, 4, 0.3}, {50, 6, 1.0}, {8, 7, 1.0}, {100, 1, 0.5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.n) + " " + std::to_string(c.k) + " " + std::to_string(c.beta));
    const Framework framework = GenerateFramework({"ws", c.n, {double(c.k), c.beta}, 5});
    ASSERT_EQ(framework.Size(), c.n);
    EXPECT_EQ(framework.Attacks().size(), static_cast<std::size_t>(c.n * c.k));
    int off_ring = 0;
    for (int a = 0; a < c.n; ++a) {
      const std::vector<int> targets = Targets(framework, a);
      EXPECT_EQ(static_cast<int>(targets.size()), c.k);
      EXPECT_EQ(std::set<int>(targets.begin(), targets.end()).size(), targets.size());
      for (int t : targets) {
        EXPECT_NE(t, a);
        const int step = (t - a + c.n) % c.n;
        if (step > c.k) ++off_ring;
      }
    }
    if (c.beta == 0.0 || c.k == c.n - 1) {
      EXPECT_EQ(off_ring, 0);
    } else {
      EXPECT_GT(off_ring, 0);
    }
  }
}

TEST(GeneratorTest, GridAttacksJoinExactlyTheNeighbours) {
  struct Case {
    int n;
    double mutual;
  };
  const Case cases[] = {{1, 0.1}, {2, 0.0}, {10, 0.0}, {49, 0.1}, {50, 0.5}, {100, 0.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.n) + " " + std::to_string(c.mutual));
    const Framework framework = GenerateFramework({"grid", c.n, {c.mutual}, 9});
    ASSERT_EQ(framework.Size(), c.n);
    int columns = 1;
    while (columns * columns < c.n) ++columns;
    std::set<std::pair<int, int>> links;
    for (int a = 0; a < c.n; ++a) {
      if ((a + 1) % columns != 0 && a + 1 < c.n) links.insert({a, a + 1});
      if (a + columns < c.n) links.insert({a, a + columns});
    }
    std::set<std::pair<int, int>> seen;
    int mutual = 0;
    for (const Attack& attack : framework.Attacks()) {
      const std::pair<int, int> link = std::minmax(attack.attacker, attack.target);
      EXPECT_TRUE(links.count(link)) << attack.attacker << " " << attack.target;
      if (!seen.insert(link).second) ++mutual;
    }
    EXPECT_EQ(seen, links);
    if (c.mutual == 0.0) {
      EXPECT_EQ(mutual, 0);
    } else if (c.mutual == 0.5) {
      EXPECT_GT(mutual, 0);
    }
  }
}

TEST(GeneratorTest, CyclesHaveTheAskedLengthAndCount) {
  struct Case {
    std::string kind;
    int count;
    int length;
  };
  const Case cases[] = {{"even-cycles", 1, 2},
                        {"even-cycles", 6, 4},
                        {"odd-cycles", 4, 3},
                        {"odd-cycles", 3, 7},
                        {"odd-cycles", 2, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind + " " + std::to_string(c.count) + " " + std::to_string(c.length));
    const Framework framework = GenerateFramework({c.kind, c.count, {double(c.length)}, 1});
    ASSERT_EQ(framework.Size(), c.count * c.length);
    std::vector<int> next(static_cast<std::size_t>(framework.Size()), -1);
    for (const Attack& attack : framework.Attacks()) {
      EXPECT_EQ(next[static_cast<std::size_t>(attack.attacker)], -1) << "two targets";
      next[static_cast<std::size_t>(attack.attacker)] = attack.target;
    }
    for (int a = 0; a < framework.Size(); ++a) {
      EXPECT_EQ(framework.Graph().attackers[static_cast<std::size_t>(a)].size(), 1u);
      // Following the attacks comes back to the start after exactly the cycle's length.
      int at = a;
      int steps = 0;
      do {
        at = next[static_cast<std::size_t>(at)];
        ++steps;
      } while (at != a && at >= 0 && steps <= c.length);
      EXPECT_EQ(steps, c.length);
      EXPECT_EQ(next[static_cast<std::size_t>(a)] / c.length, a / c.length) << "left its cycle";
    }
  }
}

TEST(GeneratorTest, TreeAndChainHaveTheAskedBranching) {
  struct Case {
    int n;
    int branching;
  };
  const Case cases[] = {{1, 2}, {15, 2}, {40, 3}, {10, 1}, {7, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.n) + " " + std::to_string(c.branching));
    const Framework tree = GenerateFramework({"tree", c.n, {double(c.branching)}, 1});
    ASSERT_EQ(tree.Size(), c.n);
    EXPECT_EQ(tree.Attacks().size(), static_cast<std::size_t>(c.n - 1));
    int leaves_seen = 0;
    for (int a = 0; a < c.n; ++a) {
      const std::vector<int> targets = Targets(tree, a);
      EXPECT_EQ(targets.size(), a == 0 ? 0u : 1u);
      if (a > 0 && !targets.empty()) {
        EXPECT_LT(targets[0], a);
      }
      const std::size_t attackers = tree.Graph().attackers[static_cast<std::size_t>(a)].size();
      // Full nodes first, then at most one partial node, then leaves.
      if (attackers < static_cast<std::size_t>(c.branching)) {
        ++leaves_seen;
      } else {
        EXPECT_EQ(leaves_seen, 0) << "a full node after a partial one";
      }
      EXPECT_LE(attackers, static_cast<std::size_t>(c.branching));
    }
    // The chain is the tree of branching one.
    if (c.branching == 1) {
      EXPECT_EQ(tree, GenerateFramework({"chain", c.n, {}, 1}));
    }
  }
}

TEST(GeneratorTest, ProbabilityDrawsFollowTheirProbability) {
  const double probabilities[] = {0.0, 0.25, 0.5, 0.999, 1.0};
  for (double p : probabilities) {
    SeededRandom random(42);
    int hits = 0;
    constexpr int kDraws = 20000;
    for (int i = 0; i < kDraws; ++i) hits += random.WithProbability(p) ? 1 : 0;
    const double deviation = std::sqrt(kDraws * p * (1 - p));
    EXPECT_LE(std::abs(hits - kDraws * p), 6 * deviation + 0.5) << p;
  }
}

}  // namespace
}  // namespace dialectic
