// Preferred extensions found component by component, against the definition: on every graph of up
// to three arguments and on random graphs of up to twelve made of pieces that attack later pieces,
// so that the labels of earlier components decide what later ones may choose.
#include "exact/scc_recursive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/oracle/exact_reference.h"
#include "tests/support/small_graphs.h"

namespace dialectic::exact {
namespace {

using small_graphs::Describe;
using small_graphs::MakeGraph;

// Each random graph costs a few SAT solver instances; the sanitizer build, many times slower,
// checks fewer.
constexpr int kRandomGraphs =
#ifdef __SANITIZE_ADDRESS__
    500;
#else
    3000;
#endif

void CheckPreferred(const ArgumentGraph& graph) {
  SCOPED_TRACE(Describe(graph));
  std::vector<Mask> listed;
  RunContext context;
  const CountAnswer answer =
      EnumeratePreferredByComponents(graph, context, [&](const Extension& extension) {
        ASSERT_TRUE(std::is_sorted(extension.begin(), extension.end()));
        Mask mask = 0;
        for (const int a : extension) mask |= Mask{1} << a;
        listed.push_back(mask);
      });
  EXPECT_EQ(answer.outcome, Outcome::kFinished);
  EXPECT_EQ(answer.count, BigCount(listed.size()));
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(std::adjacent_find(listed.begin(), listed.end()), listed.end()) << "listed twice";
  std::vector<Mask> expected = ReferenceSemantics(graph).Extensions(Semantics::kPreferred);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);
}

TEST(PreferredByComponents, EveryGraphOfUpToThreeArguments) {
  for (int size = 0; size <= 3; ++size) {
    for (const ArgumentGraph& graph : small_graphs::EveryGraph(size)) CheckPreferred(graph);
  }
}

TEST(PreferredByComponents, RandomGraphsOfPiecesThatAttackLaterPieces) {
  std::mt19937 random(20261209);
  for (int i = 0; i < kRandomGraphs; ++i) CheckPreferred(small_graphs::RandomLayeredGraph(random));
}

TEST(PreferredByComponents, SaysWhetherTheGraphHasSeveralStrongComponents) {
  struct Case {
    std::string name;
    ArgumentGraph graph;
    bool several;
  };
  const std::vector<Case> cases = {
      {"no argument", MakeGraph(0, {}), false},
      {"one argument", MakeGraph(1, {}), false},
      {"a self-attack", MakeGraph(1, {{0, 0}}), false},
      {"a cycle of three", MakeGraph(3, {{0, 1}, {1, 2}, {2, 0}}), false},
      {"two arguments, no attack", MakeGraph(2, {}), true},
      {"an attack", MakeGraph(2, {{0, 1}}), true},
      {"a cycle attacking an argument", MakeGraph(3, {{0, 1}, {1, 0}, {1, 2}}), true},
  };
  for (const Case& c : cases) EXPECT_EQ(HasSeveralStrongComponents(c.graph), c.several) << c.name;
}

}  // namespace
}  // namespace dialectic::exact
