#include "exact/sceptical_preferred.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "tests/oracle/exact_reference.h"
#include "tests/support/small_graphs.h"

namespace dialectic::exact {
namespace {

// The counter-example search on the whole graph, without the split into parts that the engine's
// tasks make first, against the preferred extensions of the definitions: for every argument, a
// preferred extension without it exactly when one exists. True when all agreed.
bool FindsEveryCounterExample(const ArgumentGraph& graph) {
  SCOPED_TRACE(small_graphs::Describe(graph));
  const ReferenceSemantics reference(graph);
  const std::vector<Mask>& preferred = reference.Extensions(Semantics::kPreferred);
  RunContext context;
  for (int a = 0; a < graph.Size(); ++a) {
    SCOPED_TRACE("argument " + std::to_string(a));
    const bool exists = std::any_of(preferred.begin(), preferred.end(),
                                    [a](Mask set) { return (set >> a & 1) == 0; });
    const ExtensionAnswer answer = FindPreferredWithout(graph, a, context);
    EXPECT_EQ(answer.outcome, Outcome::kFinished);
    EXPECT_EQ(answer.extension.has_value(), exists);
    if (!answer.extension) continue;
    Mask found = 0;
    for (const int b : *answer.extension) found |= Mask{1} << b;
    EXPECT_TRUE(std::is_sorted(answer.extension->begin(), answer.extension->end()));
    EXPECT_TRUE(std::binary_search(preferred.begin(), preferred.end(), found));
    EXPECT_EQ(found >> a & 1, 0u);
  }
  return !::testing::Test::HasFailure();
}

TEST(ScepticalPreferred, CounterExamplesOfKnownGraphs) {
  // Arguments 0, 1, 2, ...; each row lists the attacks and, per argument, whether some preferred
  // extension lacks it, worked out by hand.
  struct Case {
    int size;
    std::vector<small_graphs::Attack> attacks;
    std::string lacked;  // '1' where a preferred extension without the argument exists
  };
  const std::vector<Case> kCases = {
      {1, {}, "0"},
      {1, {{0, 0}}, "1"},
      {2, {{0, 1}, {1, 0}}, "11"},
      // An odd cycle: the empty set is the one preferred extension.
      {3, {{0, 1}, {1, 2}, {2, 0}}, "111"},
      // 0 and 1 attack each other, both attack 2, which attacks 3: 3 is in both preferred ones.
      {4, {{0, 1}, {1, 0}, {0, 2}, {1, 2}, {2, 3}}, "1110"},
      // 0 is attacked only by 1, which attacks itself and is attacked by 2: 2 defends 0, and
      // {0, 2} is the one preferred extension.
      {3, {{1, 0}, {1, 1}, {2, 1}}, "010"},
      // {0} extends to {0, 2}, which leaves 3 out; {1} extends to {1, 3}: no argument is sceptical.
      {4, {{0, 1}, {1, 0}, {0, 3}, {1, 2}}, "1111"},
  };
  for (const Case& c : kCases) {
    const ArgumentGraph graph = small_graphs::MakeGraph(c.size, c.attacks);
    SCOPED_TRACE(small_graphs::Describe(graph));
    RunContext context;
    for (int a = 0; a < c.size; ++a) {
      EXPECT_EQ(FindPreferredWithout(graph, a, context).extension.has_value(), c.lacked[a] == '1')
          << "argument " << a;
    }
    EXPECT_TRUE(FindsEveryCounterExample(graph));
  }
}

TEST(ScepticalPreferred, ExactOnEveryGraphOfUpToThreeArguments) {
  for (int size = 1; size <= 3; ++size) {
    for (const ArgumentGraph& graph : small_graphs::EveryGraph(size)) {
      if (!FindsEveryCounterExample(graph)) return;
    }
  }
}

TEST(ScepticalPreferred, ExactOnRandomGraphsOfUpToTwelveArguments) {
  // Uniform random attacks at densities from sparse to dense, self-attacks included, so that
  // preferred extensions range from one large set to many small ones and the empty set alone.
  int count = 3000;
  if (const char* text = std::getenv("DIALECTIC_EXACT_RANDOM_GRAPHS")) count = std::atoi(text);
#ifdef __SANITIZE_ADDRESS__
  count /= 10;
#endif
  std::mt19937 random(23);
  for (int i = 0; i < count; ++i) {
    const int size = 4 + static_cast<int>(random() % 9);
    const int percent = 5 + static_cast<int>(random() % 36);
    std::vector<small_graphs::Attack> attacks;
    for (int a = 0; a < size; ++a) {
      for (int b = 0; b < size; ++b) {
        if (static_cast<int>(random() % 100) < percent) attacks.emplace_back(a, b);
      }
    }
    if (!FindsEveryCounterExample(small_graphs::MakeGraph(size, attacks))) return;
  }
}

}  // namespace
}  // namespace dialectic::exact
