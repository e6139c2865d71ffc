// Questions about one argument asked of the arguments that reach it, and the rest of the graph
// solved given their labels: the pieces against brute force, and the engine's credulous and
// sceptical answers on graphs of pieces that attack later pieces, where most arguments are reached
// by only some of the others.
#include "exact/directional.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "exact/exact_engine.h"
#include "tests/oracle/exact_reference.h"
#include "tests/support/small_graphs.h"

namespace dialectic::exact {
namespace {

using small_graphs::Describe;
using small_graphs::MakeGraph;

constexpr int kRandomGraphs =
#ifdef __SANITIZE_ADDRESS__
    300;
#else
    2000;
#endif

// The arguments that reach the argument, by brute force: grown until no attack adds one.
std::vector<int> ReachingByBruteForce(const ArgumentGraph& graph, int argument) {
  std::vector<bool> reaches(graph.Size(), false);
  reaches[argument] = true;
  for (bool grew = true; grew;) {
    grew = false;
    for (int a = 0; a < graph.Size(); ++a) {
      for (const int target : graph.targets[a]) {
        if (reaches[target] && !reaches[a]) reaches[a] = grew = true;
      }
    }
  }
  std::vector<int> reaching;
  for (int a = 0; a < graph.Size(); ++a) {
    if (reaches[a]) reaching.push_back(a);
  }
  return reaching;
}

// The attacks of a graph as sorted pairs, for comparing graphs whatever the order of their lists.
std::vector<std::pair<int, int>> AttacksOf(const ArgumentGraph& graph) {
  std::vector<std::pair<int, int>> attacks;
  for (int target = 0; target < graph.Size(); ++target) {
    for (const int attacker : graph.attackers[target]) attacks.emplace_back(attacker, target);
  }
  std::sort(attacks.begin(), attacks.end());
  return attacks;
}

TEST(Directional, UpstreamArgumentsAndTheirGraph) {
  std::mt19937 random(11);
  for (int i = 0; i < 500; ++i) {
    const ArgumentGraph graph = small_graphs::RandomLayeredGraph(random);
    SCOPED_TRACE(Describe(graph));
    for (int a = 0; a < graph.Size(); ++a) {
      const std::vector<int> upstream = UpstreamOf(graph, a);
      ASSERT_EQ(upstream, ReachingByBruteForce(graph, a)) << "argument " << a;
      const ArgumentGraph induced = InducedGraph(graph, upstream);
      std::vector<std::pair<int, int>> expected;
      for (std::size_t x = 0; x < upstream.size(); ++x) {
        for (std::size_t y = 0; y < upstream.size(); ++y) {
          const std::vector<int>& attackers = graph.attackers[upstream[y]];
          if (std::find(attackers.begin(), attackers.end(), upstream[x]) != attackers.end()) {
            expected.emplace_back(static_cast<int>(x), static_cast<int>(y));
          }
        }
      }
      EXPECT_EQ(AttacksOf(induced), expected) << "argument " << a;
      std::vector<std::pair<int, int>> reversed;
      for (int x = 0; x < induced.Size(); ++x) {
        for (const int target : induced.targets[x]) reversed.emplace_back(x, target);
      }
      std::sort(reversed.begin(), reversed.end());
      EXPECT_EQ(reversed, expected) << "targets of argument " << a;
    }
  }
}

TEST(Directional, ConditioningOnTheLabelsOfOutsideAttackers) {
  // Arguments 0 and 1 are outside; 2, 3 and 4 are the members, 2 and 3 attacking each other and 3
  // attacking 4.
  const ArgumentGraph graph = MakeGraph(5, {{2, 3}, {3, 2}, {3, 4}, {0, 2}, {1, 3}, {1, 4}});
  struct Case {
    std::string name;
    Label label0;
    Label label1;
    std::vector<int> kept;
    std::vector<std::pair<int, int>> attacks;  // local indices; the blocker after the kept ones
  };
  const std::vector<Case> cases = {
      {"OUT attackers count for nothing",
       Label::kOut,
       Label::kOut,
       {2, 3, 4},
       {{0, 1}, {1, 0}, {1, 2}}},
      {"an IN attacker leaves its target away", Label::kIn, Label::kOut, {3, 4}, {{0, 1}}},
      {"IN attackers of every member leave none", Label::kIn, Label::kIn, {}, {}},
      {"an UNDEC attacker becomes the self-attacking blocker",
       Label::kUndec,
       Label::kOut,
       {2, 3, 4},
       {{0, 1}, {1, 0}, {1, 2}, {3, 0}, {3, 3}}},
      {"one blocker for every UNDEC attack",
       Label::kOut,
       Label::kUndec,
       {2, 3, 4},
       {{0, 1}, {1, 0}, {1, 2}, {3, 1}, {3, 2}, {3, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Label> labels = {c.label0, c.label1, Label::kIn, Label::kIn, Label::kIn};
    const ConditionedGraph conditioned = Condition(graph, {2, 3, 4}, labels);
    EXPECT_EQ(conditioned.kept, c.kept);
    std::vector<std::pair<int, int>> expected = c.attacks;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(AttacksOf(conditioned.graph), expected);
  }
}

// The questions asked of the arguments reaching the argument, against the definitions: the answer,
// and a certificate that is an extension of the whole graph and meets the question.
void CheckQuestionsReachedFromUpstream(const ArgumentGraph& graph, int& smaller_upstream) {
  SCOPED_TRACE(Describe(graph));
  const ReferenceSemantics reference(graph);
  RunContext context;
  for (int a = 0; a < graph.Size(); ++a) {
    if (static_cast<int>(UpstreamOf(graph, a).size()) < graph.Size()) ++smaller_upstream;
    const auto contains_a = [a](Mask set) { return (set >> a & 1) != 0; };
    for (const Semantics semantics :
         {Semantics::kAdmissible, Semantics::kComplete, Semantics::kPreferred}) {
      SCOPED_TRACE(std::string(SemanticsName(semantics)) + " argument " + std::to_string(a));
      const std::vector<Mask>& expected = reference.Extensions(semantics);
      const AcceptanceAnswer credulous = IsCredulouslyAccepted(graph, semantics, a, context);
      ASSERT_EQ(credulous.outcome, Outcome::kFinished);
      EXPECT_EQ(credulous.accepted, std::any_of(expected.begin(), expected.end(), contains_a));
      if (credulous.certificate) {
        const Mask witness = MaskOf(*credulous.certificate);
        EXPECT_TRUE(std::binary_search(expected.begin(), expected.end(), witness));
        EXPECT_TRUE(contains_a(witness));
      }
      if (semantics != Semantics::kPreferred) continue;
      const AcceptanceAnswer sceptical = IsScepticallyAccepted(graph, semantics, a, context);
      ASSERT_EQ(sceptical.outcome, Outcome::kFinished);
      EXPECT_EQ(sceptical.accepted, std::all_of(expected.begin(), expected.end(), contains_a));
      EXPECT_EQ(sceptical.certificate.has_value(), !sceptical.accepted);
      if (sceptical.certificate) {
        const Mask counter = MaskOf(*sceptical.certificate);
        EXPECT_TRUE(std::binary_search(expected.begin(), expected.end(), counter));
        EXPECT_FALSE(contains_a(counter));
      }
    }
  }
}

TEST(Directional, AcceptanceOnEveryGraphOfUpToThreeArguments) {
  int smaller_upstream = 0;
  for (int size = 0; size <= 3; ++size) {
    for (const ArgumentGraph& graph : small_graphs::EveryGraph(size)) {
      CheckQuestionsReachedFromUpstream(graph, smaller_upstream);
    }
  }
  EXPECT_GT(smaller_upstream, 0);
}

TEST(Directional, AcceptanceOnRandomGraphsOfPiecesThatAttackLaterPieces) {
  std::mt19937 random(20261209);
  int smaller_upstream = 0;
  int questions = 0;
  for (int i = 0; i < kRandomGraphs; ++i) {
    const ArgumentGraph graph = small_graphs::RandomLayeredGraph(random);
    questions += graph.Size();
    CheckQuestionsReachedFromUpstream(graph, smaller_upstream);
    if (::testing::Test::HasFailure()) break;
  }
  // Most questions are asked of fewer arguments than the graph's.
  EXPECT_GT(smaller_upstream, questions / 2);
}

}  // namespace
}  // namespace dialectic::exact
