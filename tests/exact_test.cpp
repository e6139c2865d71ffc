#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "exact/exact_engine.h"
#include "exact/grounded_labeling.h"
#include "tests/oracle/exact_reference.h"
#include "tests/support/small_graphs.h"

namespace dialectic::exact {
namespace {

// How many random graphs to check. Each costs a few hundred SAT solver instances, so the normal
// run keeps to a number that fits the time of the test set; the sanitizer build, many times
// slower, checks fewer. DIALECTIC_EXACT_RANDOM_GRAPHS sets another number for a run by hand.
int RandomGraphCount() {
  if (const char* count = std::getenv("DIALECTIC_EXACT_RANDOM_GRAPHS")) return std::atoi(count);
#ifdef __SANITIZE_ADDRESS__
  return 250;
#else
  return 2000;
#endif
}

using small_graphs::Attack;
using small_graphs::Describe;
using small_graphs::MakeGraph;

// The extension as a mask; fails the test unless it is sorted, without repeats, within the graph.
Mask MaskOf(const Extension& extension, int size) {
  EXPECT_TRUE(std::is_sorted(extension.begin(), extension.end()));
  Mask mask = 0;
  for (const int a : extension) {
    EXPECT_TRUE(a >= 0 && a < size) << a;
    EXPECT_FALSE(mask >> a & 1) << "repeated " << a;
    mask |= Mask{1} << a;
  }
  return mask;
}

bool IsAmong(Mask set, const std::vector<Mask>& sets) {
  return std::binary_search(sets.begin(), sets.end(), set);
}

// Every task of the semantics on the graph, against the extensions the definitions give.
void CheckSemantics(const ArgumentGraph& graph, Semantics semantics,
                    const std::vector<Mask>& expected) {
  SCOPED_TRACE(std::string(SemanticsName(semantics)));
  const int size = graph.Size();
  RunContext context;

  std::vector<Mask> listed;
  const CountAnswer listing = EnumerateExtensions(
      graph, semantics, context, [&](const Extension& e) { listed.push_back(MaskOf(e, size)); });
  EXPECT_EQ(listing.outcome, Outcome::kFinished);
  EXPECT_EQ(listing.count, listed.size());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, expected);

  const CountAnswer count = CountExtensions(graph, semantics, context);
  EXPECT_EQ(count.outcome, Outcome::kFinished);
  EXPECT_EQ(count.count, expected.size());

  const ExtensionAnswer one = FindExtension(graph, semantics, context);
  EXPECT_EQ(one.outcome, Outcome::kFinished);
  EXPECT_EQ(one.extension.has_value(), !expected.empty());
  if (one.extension) {
    EXPECT_TRUE(IsAmong(MaskOf(*one.extension, size), expected));
  }

  for (int a = 0; a < size; ++a) {
    SCOPED_TRACE("argument " + std::to_string(a));
    const auto contains_a = [a](Mask set) { return (set >> a & 1) != 0; };

    const AcceptanceAnswer credulous = IsCredulouslyAccepted(graph, semantics, a, context);
    EXPECT_EQ(credulous.outcome, Outcome::kFinished);
    EXPECT_EQ(credulous.accepted, std::any_of(expected.begin(), expected.end(), contains_a));
    EXPECT_EQ(credulous.certificate.has_value(), credulous.accepted);
    if (credulous.certificate) {
      const Mask witness = MaskOf(*credulous.certificate, size);
      EXPECT_TRUE(IsAmong(witness, expected) && contains_a(witness));
    }

    const AcceptanceAnswer sceptical = IsScepticallyAccepted(graph, semantics, a, context);
    EXPECT_EQ(sceptical.outcome, Outcome::kFinished);
    EXPECT_EQ(sceptical.accepted, std::all_of(expected.begin(), expected.end(), contains_a));
    EXPECT_EQ(sceptical.certificate.has_value(), !sceptical.accepted);
    if (sceptical.certificate) {
      const Mask counter = MaskOf(*sceptical.certificate, size);
      EXPECT_TRUE(IsAmong(counter, expected) && !contains_a(counter));
    }
  }
}

// Every task of every semantics; true when all agreed.
bool AgreesWithDefinitions(const ArgumentGraph& graph) {
  SCOPED_TRACE(Describe(graph));
  const ReferenceSemantics reference(graph);
  EXPECT_EQ(MaskOf(GroundedExtension(graph), graph.Size()),
            reference.Extensions(Semantics::kGrounded).front());
  for (const Semantics semantics : kAllSemantics) {
    CheckSemantics(graph, semantics, reference.Extensions(semantics));
  }
  return !::testing::Test::HasFailure();
}

// Arguments are a, b, c, ...; an attack is written "ab" (a attacks b).
ArgumentGraph GraphFromText(int size, const std::string& attacks) {
  std::vector<Attack> list;
  for (std::size_t i = 0; i + 1 < attacks.size(); i += 3) {
    list.emplace_back(attacks[i] - 'a', attacks[i + 1] - 'a');
  }
  return MakeGraph(size, list);
}

// The extensions as text: "{} {a,c}", sets in ascending mask order.
std::string ExtensionsText(const std::vector<Mask>& sets) {
  std::string text;
  for (const Mask set : sets) {
    if (!text.empty()) text += ' ';
    text += '{';
    for (int a = 0; a < 12; ++a) {
      if (!(set >> a & 1)) continue;
      if (text.back() != '{') text += ',';
      text += static_cast<char>('a' + a);
    }
    text += '}';
  }
  return text;
}

TEST(ExactEngine, KnownExtensionsOfTextbookGraphs) {
  // The graphs where the semantics part ways, with their extensions worked out by hand. They
  // check the brute-force definitions the other tests trust, and the engine with them.
  struct Case {
    int size;
    std::string attacks;
    Semantics semantics;
    std::string extensions;
  };
  const Case cases[] = {
      {0, "", Semantics::kStable, "{}"},
      {2, "ab ba", Semantics::kComplete, "{} {a} {b}"},
      {2, "ab ba", Semantics::kPreferred, "{a} {b}"},
      {2, "ab ba", Semantics::kIdeal, "{}"},
      {1, "aa", Semantics::kStable, ""},
      {1, "aa", Semantics::kStage, "{}"},
      {3, "ab bc ca", Semantics::kStable, ""},
      {3, "ab bc ca", Semantics::kSemiStable, "{}"},
      {3, "ab bc ca", Semantics::kStage, "{a} {b} {c}"},
      {3, "ab bc", Semantics::kGrounded, "{a,c}"},
      // a and b attack each other, b attacks the self-attacking c: only {b} is stable.
      {3, "ab ba bc cc", Semantics::kPreferred, "{a} {b}"},
      {3, "ab ba bc cc", Semantics::kStable, "{b}"},
      {3, "ab ba bc cc", Semantics::kSemiStable, "{b}"},
      // As before, and a attacks the self-attacking d: no stable extension, yet the ranges of {a}
      // and {b} are both maximal.
      {4, "ab ba bc cc ad dd", Semantics::kStable, ""},
      {4, "ab ba bc cc ad dd", Semantics::kSemiStable, "{a} {b}"},
      {4, "ab ba bc cc ad dd", Semantics::kStage, "{a} {b}"},
      // a and b attack each other, both attack c, c attacks d: d is in both preferred extensions
      // but no admissible set inside both defends it, so the ideal extension is empty.
      {4, "ab ba ac bc cd", Semantics::kPreferred, "{a,d} {b,d}"},
      {4, "ab ba ac bc cd", Semantics::kIdeal, "{}"},
      // a and b attack each other, b attacks itself: the ideal extension is {a}, the grounded {}.
      {2, "ab ba bb", Semantics::kIdeal, "{a}"},
      {2, "ab ba bb", Semantics::kGrounded, "{}"},
      // Admissible: every set that defends itself, the empty one always among them.
      {2, "ab ba", Semantics::kAdmissible, "{} {a} {b}"},
      {3, "ab bc", Semantics::kAdmissible, "{} {a} {a,c}"},
      {3, "ab bc ca", Semantics::kAdmissible, "{}"},
      {1, "aa", Semantics::kAdmissible, "{}"},
      // Naive: the maximal conflict-free sets, never with a self-attacker.
      {3, "ab bc ca", Semantics::kNaive, "{a} {b} {c}"},
      {3, "ab bc", Semantics::kNaive, "{b} {a,c}"},
      {1, "aa", Semantics::kNaive, "{}"},
      {3, "aa ab ca", Semantics::kNaive, "{b,c}"},
      {0, "", Semantics::kNaive, "{}"},
  };
  for (const Case& c : cases) {
    const ArgumentGraph graph = GraphFromText(c.size, c.attacks);
    SCOPED_TRACE(c.attacks + " " + std::string(SemanticsName(c.semantics)));
    const ReferenceSemantics reference(graph);
    EXPECT_EQ(ExtensionsText(reference.Extensions(c.semantics)), c.extensions);
    RunContext context;
    std::vector<Mask> listed;
    EnumerateExtensions(graph, c.semantics, context,
                        [&](const Extension& e) { listed.push_back(MaskOf(e, c.size)); });
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(ExtensionsText(listed), c.extensions);
  }
}

TEST(ExactEngine, LeastCompleteExtensionAboveAnAdmissibleSet) {
  // The closure adds what the set defends, again and again, and what nothing attacks; it never
  // drops a member. Sets and answers are written as in ExtensionsText.
  struct Case {
    int size;
    std::string attacks;
    Extension admissible;
    std::string closure;
  };
  const Case cases[] = {
      {3, "ab bc", {}, "{a,c}"},
      {2, "ab ba", {}, "{}"},
      {2, "ab ba", {0}, "{a}"},
      // a defends c against b, and c then defends e against d; b instead defends d against c.
      {5, "ab ba bc cd de", {0}, "{a,c,e}"},
      {5, "ab ba bc cd de", {1}, "{b,d}"},
      // The unattacked f joins whatever set the closure starts from.
      {6, "ab ba bc cd de", {1}, "{b,d,f}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attacks + " from " + ExtensionsText({MaskOf(c.admissible, c.size)}));
    const ArgumentGraph graph = GraphFromText(c.size, c.attacks);
    const Extension closure = InArguments(LeastCompleteLabels(graph, c.admissible));
    EXPECT_EQ(ExtensionsText({MaskOf(closure, c.size)}), c.closure);
  }
}

TEST(ExactEngine, AgreesWithDefinitionsOnEveryGraphOfUpToThreeArguments) {
  int graphs = 0;
  for (int size = 0; size <= 3; ++size) {
    std::vector<Attack> pairs;
    for (int a = 0; a < size; ++a) {
      for (int b = 0; b < size; ++b) pairs.emplace_back(a, b);
    }
    for (std::uint32_t relation = 0; relation < (1u << pairs.size()); ++relation) {
      std::vector<Attack> attacks;
      for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (relation >> i & 1) attacks.push_back(pairs[i]);
      }
      ASSERT_TRUE(AgreesWithDefinitions(MakeGraph(size, attacks)));
      ++graphs;
    }
  }
  EXPECT_EQ(graphs, 1 + 2 + 16 + 512);
}

TEST(ExactEngine, AgreesWithDefinitionsOnRandomGraphsOfUpToTwelveArguments) {
  // Sizes 4 to 12 with attack densities from sparse to dense; self-attacks at a third of the
  // density. The numbers come straight from mt19937, whose sequence the language fixes.
  std::mt19937 random(20261208);
  const int percents[] = {8, 15, 25, 40};
  const int count = RandomGraphCount();
  for (int i = 0; i < count; ++i) {
    const int size = 4 + static_cast<int>(random() % 9);
    const int percent = percents[random() % std::size(percents)];
    std::vector<Attack> attacks;
    for (int a = 0; a < size; ++a) {
      for (int b = 0; b < size; ++b) {
        const int chance = a == b ? percent / 3 : percent;
        if (static_cast<int>(random() % 100) < chance) attacks.emplace_back(a, b);
      }
    }
    ASSERT_TRUE(AgreesWithDefinitions(MakeGraph(size, attacks))) << "graph " << i;
  }
}

TEST(ExactEngine, AgreesWithDefinitionsOnGraphsOfSeveralPartsAndLargeGroundedParts) {
  // Graphs that the engine splits: parts decided by the grounded extension and several
  // independent parts, so that the answers are combined from the parts' answers.
  std::mt19937 random(20261209);
  const int count = RandomGraphCount() / 2;
  for (int i = 0; i < count; ++i) {
    ASSERT_TRUE(AgreesWithDefinitions(small_graphs::RandomPiecedGraph(random))) << "graph " << i;
  }
}

TEST(ExactEngine, CountsBeyondSixtyFourBitsExactly) {
  // 70 even cycles, of two and four arguments in turn, each with two preferred, stable,
  // semi-stable and stage extensions and three complete ones. One more argument, unattacked,
  // defeats a self-attacking one that every other argument attacks: that joins the cycles into
  // one component, which only the fixing of the grounded extension splits again.
  std::vector<Attack> attacks;
  int size = 0;
  for (int cycle = 0; cycle < 70; ++cycle) {
    const int length = cycle % 2 == 0 ? 2 : 4;
    for (int i = 0; i < length; ++i) attacks.emplace_back(size + i, size + (i + 1) % length);
    size += length;
  }
  const int sink = size;
  const int unattacked = size + 1;
  for (int a = 0; a < sink; ++a) attacks.emplace_back(a, sink);
  attacks.emplace_back(sink, sink);
  attacks.emplace_back(unattacked, sink);
  const ArgumentGraph graph = MakeGraph(size + 2, attacks);
  struct Case {
    Semantics semantics;
    std::string count;
  };
  const Case cases[] = {
      {Semantics::kPreferred, "1180591620717411303424"},             // 2^70
      {Semantics::kStable, "1180591620717411303424"},                // 2^70
      {Semantics::kSemiStable, "1180591620717411303424"},            // 2^70
      {Semantics::kComplete, "2503155504993241601315571986085849"},  // 3^70
      {Semantics::kGrounded, "1"},
      {Semantics::kIdeal, "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(SemanticsName(c.semantics)));
    RunContext context;
    const CountAnswer answer = CountExtensions(graph, c.semantics, context);
    EXPECT_EQ(answer.outcome, Outcome::kFinished);
    EXPECT_EQ(answer.count.ToDecimal(), c.count);
  }
}

TEST(ExactEngine, EnumerationByPartsStreamsCombinationsWithoutRepeats) {
  // 20 even cycles of two arguments: 2^20 preferred extensions, handed over one by one as
  // combinations of the parts' extensions; every one is a distinct choice of one argument per
  // cycle.
  std::vector<Attack> attacks;
  for (int a = 0; a < 40; a += 2) {
    attacks.emplace_back(a, a + 1);
    attacks.emplace_back(a + 1, a);
  }
  const ArgumentGraph graph = MakeGraph(40, attacks);
  RunContext context;
  std::vector<std::uint64_t> seen;
  const CountAnswer answer =
      EnumerateExtensions(graph, Semantics::kPreferred, context, [&](const Extension& e) {
        std::uint64_t choice = 0;
        bool one_per_cycle = e.size() == 20;
        for (std::size_t i = 0; i < e.size() && one_per_cycle; ++i) {
          one_per_cycle = e[i] / 2 == static_cast<int>(i);
          choice |= static_cast<std::uint64_t>(e[i] % 2) << i;
        }
        EXPECT_TRUE(one_per_cycle);
        seen.push_back(choice);
      });
  EXPECT_EQ(answer.outcome, Outcome::kFinished);
  EXPECT_EQ(answer.count, BigCount(1u << 20));
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
  EXPECT_EQ(seen.size(), std::size_t{1} << 20);
}

TEST(ExactEngine, SemanticsNamesRoundTrip) {
  for (const Semantics semantics : kAllSemantics) {
    EXPECT_EQ(ParseSemantics(SemanticsName(semantics)), semantics);
  }
  EXPECT_EQ(SemanticsName(Semantics::kSemiStable), "SST");
  EXPECT_EQ(SemanticsName(Semantics::kStage), "STG");
  EXPECT_EQ(SemanticsName(Semantics::kAdmissible), "ADM");
  EXPECT_EQ(SemanticsName(Semantics::kNaive), "NA");
  for (const char* unknown : {"", "co", "adm", "Na", "SST ", "PR-"}) {
    EXPECT_EQ(ParseSemantics(unknown), std::nullopt) << unknown;
  }
}

}  // namespace
}  // namespace dialectic::exact
