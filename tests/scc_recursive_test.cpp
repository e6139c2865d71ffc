// Preferred extensions found component by component, every one and a first one, against the
// definition: on every graph of up to three arguments and on random graphs of up to twelve made of
// pieces that attack later pieces, so that the labels of earlier components decide what later ones
// may choose.
#include "exact/scc_recursive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "exact/strong_components.h"
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
        listed.push_back(MaskOf(extension));
      });
  EXPECT_EQ(answer.outcome, Outcome::kFinished);
  EXPECT_EQ(answer.count, BigCount(listed.size()));
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(std::adjacent_find(listed.begin(), listed.end()), listed.end()) << "listed twice";
  std::vector<Mask> expected = ReferenceSemantics(graph).Extensions(Semantics::kPreferred);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);

  const ExtensionAnswer one = FindPreferredByComponents(graph, context);
  ASSERT_EQ(one.outcome, Outcome::kFinished);
  ASSERT_TRUE(one.extension.has_value());
  ASSERT_TRUE(std::is_sorted(one.extension->begin(), one.extension->end()));
  EXPECT_TRUE(std::binary_search(expected.begin(), expected.end(), MaskOf(*one.extension)))
      << "found one";
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

// Which arguments each argument reaches by attacks within the marked ones, by brute force.
std::vector<std::vector<bool>> Reaches(const ArgumentGraph& graph,
                                       const std::vector<bool>& within) {
  const int size = graph.Size();
  std::vector<std::vector<bool>> reaches(size, std::vector<bool>(size, false));
  for (int a = 0; a < size; ++a) {
    if (!within[a]) continue;
    reaches[a][a] = true;
    for (bool grew = true; grew;) {
      grew = false;
      for (int b = 0; b < size; ++b) {
        if (!reaches[a][b]) continue;
        for (const int t : graph.targets[b]) {
          if (within[t] && !reaches[a][t]) reaches[a][t] = grew = true;
        }
      }
    }
  }
  return reaches;
}

TEST(StrongComponents, PartitionTheMarkedArgumentsEachAfterThoseItAttacks) {
  std::mt19937 random(7);
  for (int i = 0; i < 500; ++i) {
    const ArgumentGraph graph = small_graphs::RandomLayeredGraph(random);
    std::vector<bool> within(graph.Size());
    for (int a = 0; a < graph.Size(); ++a) within[a] = random() % 4 != 0;
    SCOPED_TRACE(Describe(graph));
    const std::vector<std::vector<bool>> reaches = Reaches(graph, within);
    std::vector<int> component_of(graph.Size(), -1);
    const std::vector<std::vector<int>> components = StrongComponents(graph, within);
    for (std::size_t c = 0; c < components.size(); ++c) {
      EXPECT_TRUE(std::is_sorted(components[c].begin(), components[c].end()));
      for (const int a : components[c]) {
        ASSERT_TRUE(within[a]);
        ASSERT_EQ(component_of[a], -1) << a << " twice";
        component_of[a] = static_cast<int>(c);
      }
    }
    for (int a = 0; a < graph.Size(); ++a) {
      if (!within[a]) continue;
      ASSERT_NE(component_of[a], -1) << a << " in no component";
      for (int b = 0; b < graph.Size(); ++b) {
        if (!within[b]) continue;
        EXPECT_EQ(component_of[a] == component_of[b], reaches[a][b] && reaches[b][a]) << a << b;
        // An attack goes from a component to one listed before it, or stays inside.
        if (reaches[a][b]) {
          EXPECT_GE(component_of[a], component_of[b]) << a << ">" << b;
        }
      }
    }
  }
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
