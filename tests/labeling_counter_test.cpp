// The count and the listing of complete and stable labelings by search, against the brute-force
// definitions, on every graph of up to three arguments, on random graphs of up to twelve (dense
// ones too, which the engine itself counts by SAT) and on graphs whose counts are known in closed
// form.
#include "exact/labeling_counter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/oracle/exact_reference.h"
#include "tests/support/small_graphs.h"

namespace dialectic::exact {
namespace {

using small_graphs::Attack;
using small_graphs::Describe;
using small_graphs::MakeGraph;

// The counts, and the listing of complete extensions by the same search: every one once.
bool CountsAgree(const ArgumentGraph& graph) {
  SCOPED_TRACE(Describe(graph));
  const ReferenceSemantics reference(graph);
  RunContext context;
  for (const Semantics semantics : {Semantics::kComplete, Semantics::kStable}) {
    SCOPED_TRACE(std::string(SemanticsName(semantics)));
    const bool stable_only = semantics == Semantics::kStable;
    const std::vector<Mask>& expected = reference.Extensions(semantics);
    const CountAnswer count = CountLabelings(graph, stable_only, context);
    EXPECT_EQ(count.outcome, Outcome::kFinished);
    EXPECT_EQ(count.count, BigCount(expected.size()));

    if (stable_only) continue;
    std::vector<Mask> listed;
    const CountAnswer listing = EnumerateLabelings(graph, context, [&](const Extension& extension) {
      EXPECT_TRUE(std::is_sorted(extension.begin(), extension.end()));
      listed.push_back(MaskOf(extension));
    });
    EXPECT_EQ(listing.outcome, Outcome::kFinished);
    EXPECT_EQ(listing.count, BigCount(listed.size()));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, expected);
  }
  return !::testing::Test::HasFailure();
}

TEST(LabelingCounter, AgreesWithDefinitionsOnEveryGraphOfUpToThreeArguments) {
  for (int size = 0; size <= 3; ++size) {
    for (const ArgumentGraph& graph : small_graphs::EveryGraph(size)) {
      ASSERT_TRUE(CountsAgree(graph));
    }
  }
}

// The sanitizer build, many times slower, checks fewer.
constexpr int kRandomGraphs =
#ifdef __SANITIZE_ADDRESS__
    600;
#else
    3000;
#endif

TEST(LabelingCounter, AgreesWithDefinitionsOnRandomGraphsOfUpToTwelveArguments) {
  std::mt19937 random(20261210);
  const int percents[] = {8, 15, 25, 40, 60};
  for (int i = 0; i < kRandomGraphs; ++i) {
    if (i % 2 == 0) {
      ASSERT_TRUE(CountsAgree(small_graphs::RandomPiecedGraph(random))) << "graph " << i;
      continue;
    }
    const int size = 1 + static_cast<int>(random() % 12);
    const int percent = percents[random() % std::size(percents)];
    std::vector<Attack> attacks;
    for (int a = 0; a < size; ++a) {
      for (int b = 0; b < size; ++b) {
        if (static_cast<int>(random() % 100) < (a == b ? percent / 3 : percent)) {
          attacks.emplace_back(a, b);
        }
      }
    }
    ASSERT_TRUE(CountsAgree(MakeGraph(size, attacks))) << "graph " << i;
  }
}

TEST(LabelingCounter, KnownCountsOfLargeGraphs) {
  // An even cycle has three complete labelings (all UNDEC and the two alternations) and two
  // stable ones, an odd cycle one and none; 60 independent pairs 3^60 and 2^60, past 64 bits.
  struct Case {
    std::string name;
    ArgumentGraph graph;
    std::string complete;
    std::string stable;
  };
  const auto cycle = [](int n) {
    std::vector<Attack> attacks;
    for (int a = 0; a < n; ++a) attacks.emplace_back(a, (a + 1) % n);
    return MakeGraph(n, attacks);
  };
  std::vector<Attack> pairs;
  for (int a = 0; a < 120; a += 2) {
    pairs.emplace_back(a, a + 1);
    pairs.emplace_back(a + 1, a);
  }
  const Case cases[] = {
      {"even cycle of 1000", cycle(1000), "3", "2"},
      {"odd cycle of 999", cycle(999), "1", "0"},
      {"60 pairs", MakeGraph(120, pairs), "42391158275216203514294433201", "1152921504606846976"},
      // The pairs a-b and c-d, a and c attacking e, and e attacking f, g and h: every labeling of
      // the pairs decides the rest. Once e is OUT, a and c are open in separate groups, and
      // only the condition of e (some attacker IN) still ties them.
      {"two pairs under one argument",
       MakeGraph(8, {{0, 1}, {1, 0}, {2, 3}, {3, 2}, {0, 4}, {2, 4}, {4, 5}, {4, 6}, {4, 7}}), "9",
       "4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunContext context;
    EXPECT_EQ(CountLabelings(c.graph, false, context).count.ToDecimal(), c.complete);
    EXPECT_EQ(CountLabelings(c.graph, true, context).count.ToDecimal(), c.stable);
    // The listings that fit in a test: a thousand branches deep on the cycles.
    if (c.complete.size() > 3) continue;
    std::size_t complete = 0;
    EnumerateLabelings(c.graph, context, [&](const Extension&) { ++complete; });
    EXPECT_EQ(std::to_string(complete), c.complete);
  }
}

TEST(LabelingCounter, StopsWhenAsked) {
  std::vector<Attack> pairs;
  for (int a = 0; a < 20; a += 2) {
    pairs.emplace_back(a, a + 1);
    pairs.emplace_back(a + 1, a);
  }
  const ArgumentGraph graph = MakeGraph(20, pairs);
  RunContext stopped;
  stopped.RequestStop();
  EXPECT_EQ(CountLabelings(graph, false, stopped).outcome, Outcome::kStopped);
  // A stop asked for during a listing ends it with the count of what was listed.
  RunContext context;
  int listed = 0;
  const CountAnswer listing = EnumerateLabelings(graph, context, [&](const Extension&) {
    if (++listed == 5) context.RequestStop();
  });
  EXPECT_EQ(listing.outcome, Outcome::kStopped);
  EXPECT_EQ(listing.count, BigCount(5));
  EXPECT_EQ(listed, 5);
}

}  // namespace
}  // namespace dialectic::exact
