// The split of a graph into fixed arguments and independent parts, and the tasks answered part by
// part, against the brute-force definitions: on every graph of up to three arguments and on random
// graphs of up to twelve made of several small parts, with large parts that the grounded extension
// decides, so that both the fixing and the split have work to do.
#include "exact/components.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "exact/grounded_labeling.h"
#include "tests/oracle/exact_reference.h"
#include "tests/support/small_graphs.h"

namespace dialectic::exact {
namespace {

using small_graphs::Attack;
using small_graphs::Describe;
using small_graphs::MakeGraph;

Extension ExtensionOf(Mask mask, int size) {
  Extension extension;
  for (int a = 0; a < size; ++a) {
    if (mask >> a & 1) extension.push_back(a);
  }
  return extension;
}

// The tasks of one semantics on a part, by the brute-force definitions: the combination logic is
// then checked without the SAT solver.
PartSolvers ReferenceSolvers(Semantics semantics) {
  return {[semantics](const ArgumentGraph& part, const std::optional<Requirement>& requirement) {
            const ReferenceSemantics reference(part);
            for (const Mask set : reference.Extensions(semantics)) {
              if (!requirement || (set >> requirement->argument & 1) == requirement->in) {
                return ExtensionAnswer{Outcome::kFinished, ExtensionOf(set, part.Size())};
              }
            }
            return ExtensionAnswer{};
          },
          [semantics](const ArgumentGraph& part, const ExtensionCallback& callback) {
            const ReferenceSemantics reference(part);
            CountAnswer answer;
            for (const Mask set : reference.Extensions(semantics)) {
              callback(ExtensionOf(set, part.Size()));
              ++answer.count;
            }
            return answer;
          },
          [semantics](const ArgumentGraph& part) {
            return CountAnswer{Outcome::kFinished,
                               ReferenceSemantics(part).Extensions(semantics).size()};
          }};
}

// The split itself: the fixed arguments are the grounded extension (or none), the parts hold every
// other argument not attacked by it once, ascending, each part's graph holds exactly the attacks
// among its arguments, and no attack joins two parts.
void CheckSplit(const ArgumentGraph& graph, bool fix_grounded, const Decomposition& parts) {
  const int size = graph.Size();
  const std::vector<Label> grounded = GroundedLabels(graph);
  EXPECT_EQ(parts.FixedIn(), fix_grounded ? InArguments(grounded) : Extension{});
  std::vector<int> seen(size, 0);
  for (int part = 0; part < parts.PartCount(); ++part) {
    const std::vector<int>& arguments = parts.PartArguments(part);
    const ArgumentGraph& local = parts.PartGraph(part);
    ASSERT_EQ(local.Size(), static_cast<int>(arguments.size()));
    EXPECT_TRUE(std::is_sorted(arguments.begin(), arguments.end()));
    for (int i = 0; i < local.Size(); ++i) {
      const int a = arguments[i];
      ++seen[a];
      EXPECT_EQ(parts.PartOf(a), part);
      EXPECT_EQ(parts.LocalIndex(a), i);
      // The part's attackers of a are its attackers that are not fixed, renumbered.
      std::vector<int> expected;
      for (const int b : graph.attackers[a]) {
        if (!fix_grounded || grounded[b] == Label::kUndec) {
          EXPECT_EQ(parts.PartOf(b), part) << b << " attacks " << a << " across parts";
          expected.push_back(b);
        }
      }
      std::vector<int> got;
      for (const int local_b : local.attackers[i]) got.push_back(arguments[local_b]);
      EXPECT_EQ(got, expected) << "attackers of " << a;
      std::vector<int> targets;
      for (const int local_b : local.targets[i]) targets.push_back(arguments[local_b]);
      for (const int t : targets) {
        EXPECT_NE(std::find(graph.targets[a].begin(), graph.targets[a].end(), t),
                  graph.targets[a].end());
      }
    }
  }
  for (int a = 0; a < size; ++a) {
    const bool is_fixed = fix_grounded && grounded[a] != Label::kUndec;
    EXPECT_EQ(seen[a], is_fixed ? 0 : 1) << "argument " << a;
    if (is_fixed) {
      EXPECT_EQ(parts.PartOf(a), -1);
    }
  }
}

// Every task answered part by part, with the parts solved by brute force, against the brute-force
// answers on the whole graph.
void CheckTasksByParts(const ArgumentGraph& graph, Semantics semantics,
                       const std::vector<Mask>& expected) {
  SCOPED_TRACE(std::string(SemanticsName(semantics)));
  const int size = graph.Size();
  // Stage, admissible and naive extensions need not hold the grounded extension: only their parts
  // are split.
  const bool fix_grounded = semantics != Semantics::kStage && semantics != Semantics::kAdmissible &&
                            semantics != Semantics::kNaive;
  const Decomposition parts(graph, fix_grounded);
  const PartSolvers solvers = ReferenceSolvers(semantics);
  RunContext context;

  std::vector<Mask> listed;
  const CountAnswer listing = EnumerateByParts(parts, solvers, context, [&](const Extension& e) {
    EXPECT_TRUE(std::is_sorted(e.begin(), e.end()));
    listed.push_back(MaskOf(e));
  });
  EXPECT_EQ(listing.outcome, Outcome::kFinished);
  EXPECT_EQ(listing.count, BigCount(listed.size()));
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(CountByParts(parts, solvers).count, BigCount(expected.size()));

  const auto is_extension = [&](const Extension& e) {
    return std::binary_search(expected.begin(), expected.end(), MaskOf(e));
  };
  const ExtensionAnswer one = FindByParts(parts, std::nullopt, solvers);
  EXPECT_EQ(one.extension.has_value(), !expected.empty());
  if (one.extension) {
    EXPECT_TRUE(is_extension(*one.extension));
  }
  for (int a = 0; a < size; ++a) {
    for (const bool in : {true, false}) {
      SCOPED_TRACE("argument " + std::to_string(a) + (in ? " in" : " out"));
      const bool exists = std::any_of(expected.begin(), expected.end(),
                                      [&](Mask set) { return (set >> a & 1) == in; });
      const ExtensionAnswer meeting = FindByParts(parts, Requirement{a, in}, solvers);
      EXPECT_EQ(meeting.extension.has_value(), exists);
      if (meeting.extension) {
        EXPECT_TRUE(is_extension(*meeting.extension));
        EXPECT_EQ(std::binary_search(meeting.extension->begin(), meeting.extension->end(), a), in);
      }
    }
  }
}

bool SplitsExactly(const ArgumentGraph& graph) {
  SCOPED_TRACE(Describe(graph));
  for (const bool fix_grounded : {true, false}) {
    CheckSplit(graph, fix_grounded, Decomposition(graph, fix_grounded));
  }
  const ReferenceSemantics reference(graph);
  for (const Semantics semantics : kAllSemantics) {
    CheckTasksByParts(graph, semantics, reference.Extensions(semantics));
  }
  return !::testing::Test::HasFailure();
}

// How many random graphs to check; each costs a few milliseconds of brute force, and some hundred
// under the sanitizers.
int PiecedGraphCount() {
  if (const char* count = std::getenv("DIALECTIC_EXACT_RANDOM_GRAPHS")) return std::atoi(count);
#ifdef __SANITIZE_ADDRESS__
  return 150;
#else
  return 3000;
#endif
}

TEST(Components, SplitIsExactOnEveryGraphOfUpToThreeArguments) {
  int graphs = 0;
  for (int size = 0; size <= 3; ++size) {
    for (const ArgumentGraph& graph : small_graphs::EveryGraph(size)) {
      ASSERT_TRUE(SplitsExactly(graph));
      ++graphs;
    }
  }
  EXPECT_EQ(graphs, 1 + 2 + 16 + 512);
}

TEST(Components, SplitIsExactOnRandomGraphsOfSeveralPartsAndLargeGroundedParts) {
  std::mt19937 random(20261209);
  const int count = PiecedGraphCount();
  int with_fixed = 0;
  int with_several_parts = 0;
  for (int i = 0; i < count; ++i) {
    const ArgumentGraph graph = small_graphs::RandomPiecedGraph(random);
    ASSERT_TRUE(SplitsExactly(graph)) << "graph " << i;
    const Decomposition parts(graph, true);
    with_fixed += parts.PartCount() == 0 || !parts.FixedIn().empty() ||
                  static_cast<int>(parts.PartArguments(0).size()) < graph.Size();
    with_several_parts += parts.PartCount() > 1;
  }
  // The generator does force both steps to work on most graphs.
  EXPECT_GT(with_fixed, count / 2);
  EXPECT_GT(with_several_parts, count / 4);
}

TEST(Components, KnownSplits) {
  // Arguments a, b, c, ...; an attack "ab" is a attacking b. Parts are listed with their
  // arguments; "fixed" is the grounded extension.
  struct Case {
    int size;
    std::vector<Attack> attacks;
    Extension fixed_in;
    std::vector<std::vector<int>> parts;
  };
  const Case cases[] = {
      {0, {}, {}, {}},
      // a is unattacked and defeats b; c and d attack each other: one part, {c, d}.
      {4, {{0, 1}, {2, 3}, {3, 2}}, {0}, {{2, 3}}},
      // Two even cycles joined by the OUT argument b, which a defeats: two parts.
      {6, {{0, 1}, {1, 2}, {1, 4}, {2, 3}, {3, 2}, {4, 5}, {5, 4}}, {0}, {{2, 3}, {4, 5}}},
      // The same, with b undecided (attacked by the self-attacking f instead of a): one part.
      {6, {{5, 5}, {5, 1}, {1, 2}, {1, 3}, {2, 3}, {3, 2}}, {0, 4}, {{1, 2, 3, 5}}},
      // Everything decided: no part.
      {3, {{0, 1}, {1, 2}}, {0, 2}, {}},
  };
  for (const Case& c : cases) {
    const ArgumentGraph graph = MakeGraph(c.size, c.attacks);
    SCOPED_TRACE(Describe(graph));
    const Decomposition parts(graph, true);
    EXPECT_EQ(parts.FixedIn(), c.fixed_in);
    std::vector<std::vector<int>> got;
    for (int part = 0; part < parts.PartCount(); ++part) got.push_back(parts.PartArguments(part));
    EXPECT_EQ(got, c.parts);
  }
}

}  // namespace
}  // namespace dialectic::exact
