#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "formats/generators.h"
#include "frontend/text_area.h"
#include "model/theory.h"
#include "model/theory_text.h"

namespace dialectic {
namespace {

struct Shape {
  int args = 0;
  int attacks = 0;
};

Shape ParsedShape(const StringList& lines) {
  TextArea memo1;
  memo1.AddStrings(lines);
  TTheory theory;
  ParseInput(memo1, theory);
  Shape shape;
  shape.args = theory.Args.Count();
  for (const TArg* arg : theory.Args) shape.attacks += arg->Attackers.Count();
  return shape;
}

TEST(TheoryGenerators, WriteTheNamedWorkloadShapes) {
  struct Case {
    StringList lines;
    StringList expected;
    int args;
    int attacks;
  };
  const std::vector<Case> cases = {
      {EvenCyclesTheory(2), {"a0 b0, b0 a0, a1 b1, b1 a1"}, 4, 4},
      {EvenCyclesTheory(16), EvenCyclesTheory(16), 32, 32},
      {WideCounterTheory(2, 2), {"a b0 b1, b0 c0_0 c0_1, b1 c1_0 c1_1"}, 7, 6},
      {WideCounterTheory(8), WideCounterTheory(8), 1 + 8 + 32, 8 + 32},
      {ChainTheory(1), {"a1"}, 1, 0},
      {ChainTheory(3), {"a1 a2, a2 a3"}, 3, 2},
      {ChainTheory(2000), ChainTheory(2000), 2000, 1999},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.lines, c.expected);
    const Shape shape = ParsedShape(c.lines);
    EXPECT_EQ(shape.args, c.args) << c.lines.front();
    EXPECT_EQ(shape.attacks, c.attacks) << c.lines.front();
  }
}

// The golden inputs are made from these numbers: a change of the random source would change them.
TEST(SeededRandom, GivesTheSameNumbersEverywhere) {
  SeededRandom random(1);
  std::vector<int> drawn;
  for (int i = 0; i < 8; ++i) drawn.push_back(random.Below(1000));
  EXPECT_EQ(drawn, (std::vector<int>{845, 139, 124, 368, 263, 313, 491, 341}));
}

TEST(CountCyclicArgs, CountsArgumentsOnOrBelowACycle) {
  struct Case {
    std::vector<std::vector<int>> attackers;
    int cyclic;
  };
  const std::vector<Case> cases = {
      {{}, 0},
      {{{1}, {2}, {}}, 0},              // a chain
      {{{0}}, 1},                       // a self-attack
      {{{1}, {0}}, 2},                  // an even cycle
      {{{1}, {0}, {0}, {2}}, 4},        // a cycle attacking a chain
      {{{1}, {0, 2}, {3}, {}}, 2},      // a chain attacking a cycle
      {{{1}, {2}, {0}, {1}, {3}}, 5},   // an odd cycle and what it attacks
      {{{}, {0, 2}, {1}, {}, {3}}, 2},  // an even cycle above nothing cyclic
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountCyclicArgs(AttackGraph{c.attackers}), c.cyclic) << c.attackers.size();
  }
}

TEST(RandomAttackGraph, KeepsTheShapeWithinItsBounds) {
  GraphShape shape;
  shape.min_args = 3;
  shape.max_args = 9;
  shape.attacker_count_percent = {10, 20, 30, 40};
  shape.back_attacker_percent = 60;
  shape.max_cyclic_args = 4;
  std::set<int> sizes;
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    SeededRandom random(seed);
    const AttackGraph graph = RandomAttackGraph(random, shape);
    sizes.insert(graph.size());
    ASSERT_GE(graph.size(), 3);
    ASSERT_LE(graph.size(), 9);
    EXPECT_LE(CountCyclicArgs(graph), 4) << "seed " << seed;
    for (const std::vector<int>& attackers : graph.attackers) {
      EXPECT_LE(attackers.size(), 3u);
      EXPECT_EQ(std::set<int>(attackers.begin(), attackers.end()).size(), attackers.size());
      for (int a : attackers) {
        EXPECT_GE(a, 0);
        EXPECT_LT(a, graph.size());
      }
    }
  }
  EXPECT_EQ(sizes.size(), 7u) << "every size from 3 to 9 is drawn";
}

TEST(GraphTheory, WritesEveryAttackAndEveryArgument) {
  const AttackGraph graph{{{1, 2}, {}, {0}, {}}};
  EXPECT_EQ(GraphTheory(graph, {"a", "b", "c", "d"}, 2), (StringList{"a b c, c a", "d"}));
}

TEST(MediumRandomTheories, AreTheSameEachTimeAndWithinTheirBounds) {
  const std::vector<StringList> theories = MediumRandomTheories(200);
  ASSERT_EQ(theories.size(), 200u);
  EXPECT_EQ(theories, MediumRandomTheories(200));
  std::set<StringList> distinct(theories.begin(), theories.end());
  EXPECT_EQ(distinct.size(), theories.size());
  for (const StringList& lines : theories) {
    const Shape shape = ParsedShape(lines);
    EXPECT_GE(shape.args, 10) << lines.front();
    EXPECT_LE(shape.args, 30) << lines.front();
  }
  EXPECT_EQ(MediumRandomTheories(3, 5)[0], theories[4]);
}

}  // namespace
}  // namespace dialectic
