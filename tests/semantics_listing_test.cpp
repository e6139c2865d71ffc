// The listing of a semantics' extensions and acceptance, checked against the semantics' brute-force
// definitions on every small graph, and the lines of an explanation with what each highlights.
#include "frontend/semantics_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "exact/explanation.h"
#include "frontend/explanation_lines.h"
#include "tests/oracle/exact_reference.h"

namespace dialectic {
namespace {

using exact::Mask;
using exact::Semantics;

// The framework of the relation: bit a * size + b says that a attacks b; names "a0", "a1" ...
Framework FrameworkOfRelation(int size, std::uint32_t relation) {
  std::vector<std::string> names;
  for (int a = 0; a < size; ++a) names.push_back("a" + std::to_string(a));
  std::vector<Attack> attacks;
  for (int a = 0; a < size; ++a) {
    for (int b = 0; b < size; ++b) {
      if (relation >> (a * size + b) & 1) attacks.push_back({a, b});
    }
  }
  return Framework(std::move(names), std::move(attacks));
}

// Mutual attacks between pair_count pairs (p0, q0), (p1, q1) ..., then the extra attacks named.
Framework PairsFramework(int pair_count, const std::vector<std::string>& extra_names,
                         const std::vector<Attack>& extra_attacks) {
  std::vector<std::string> names;
  std::vector<Attack> attacks;
  for (int i = 0; i < pair_count; ++i) {
    names.push_back("p" + std::to_string(i));
    names.push_back("q" + std::to_string(i));
    attacks.push_back({2 * i, 2 * i + 1});
    attacks.push_back({2 * i + 1, 2 * i});
  }
  for (const std::string& name : extra_names) names.push_back(name);
  for (const Attack& attack : extra_attacks) attacks.push_back(attack);
  return Framework(std::move(names), std::move(attacks));
}

Mask MaskOf(const exact::Extension& extension) {
  Mask mask = 0;
  for (const int a : extension) mask |= Mask{1} << a;
  return mask;
}

// Waits until the listing has ended, for at most a minute.
ListingSnapshot Ended(const SemanticsListing& listing) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < deadline) {
    ListingSnapshot snapshot = listing.Snapshot();
    if (snapshot.state == ListingState::kFinished || snapshot.state == ListingState::kStopped) {
      return snapshot;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return {};
}

TEST(SemanticsListing, EveryGraphOfUpToThreeArgumentsListsTheDefinedExtensionsAndAcceptance) {
  SemanticsListing listing([] {});
  for (int size = 0; size <= 3; ++size) {
    for (std::uint32_t relation = 0; relation < (1u << (size * size)); ++relation) {
      const auto framework = std::make_shared<Framework>(FrameworkOfRelation(size, relation));
      const exact::ReferenceSemantics reference(framework->Graph());
      for (const Semantics semantics : exact::kAllSemantics) {
        SCOPED_TRACE(std::string(exact::SemanticsName(semantics)) + " on relation " +
                     std::to_string(relation) + " of " + std::to_string(size));
        listing.Start(framework, semantics);
        const ListingSnapshot found = Ended(listing);
        ASSERT_EQ(found.state, ListingState::kFinished);
        std::set<Mask> listed;
        for (const exact::Extension& extension : found.listed) {
          EXPECT_TRUE(std::is_sorted(extension.begin(), extension.end()));
          listed.insert(MaskOf(extension));
        }
        const std::vector<Mask>& expected = reference.Extensions(semantics);
        EXPECT_EQ(found.listed.size(), expected.size()) << "an extension listed twice or missed";
        EXPECT_EQ(listed, std::set<Mask>(expected.begin(), expected.end()));
        EXPECT_EQ(found.found, expected.size());
        for (int a = 0; a < size; ++a) {
          const bool in_some = std::any_of(expected.begin(), expected.end(),
                                           [a](Mask e) { return (e >> a & 1) != 0; });
          const bool in_all = std::all_of(expected.begin(), expected.end(),
                                          [a](Mask e) { return (e >> a & 1) != 0; });
          EXPECT_EQ(found.credulous[a], in_some ? Acceptance::kYes : Acceptance::kNo) << a;
          EXPECT_EQ(found.sceptical[a], in_all ? Acceptance::kYes : Acceptance::kNo) << a;
        }
      }
    }
  }
}

TEST(SemanticsListing, ACountCutShortKeepsTheFirstExtensionsAndAsksTheEngineTheRest) {
  // 2^17 preferred extensions, more than are counted. z is unattacked and in each, w attacked by z
  // in none: after the cut neither sceptical z nor credulous w is settled by the extensions seen.
  const int pairs = 17;
  const int z = 2 * pairs;
  const int w = z + 1;
  const auto framework = std::make_shared<Framework>(PairsFramework(pairs, {"z", "w"}, {{z, w}}));
  SemanticsListing listing([] {});
  listing.Start(framework, Semantics::kPreferred);
  const ListingSnapshot found = Ended(listing);
  ASSERT_EQ(found.state, ListingState::kFinished);
  EXPECT_TRUE(found.count_capped);
  EXPECT_EQ(found.found, kMostCounted);
  EXPECT_EQ(found.listed.size(), kMostListed);
  EXPECT_EQ(found.credulous[z], Acceptance::kYes);
  EXPECT_EQ(found.sceptical[z], Acceptance::kYes);
  EXPECT_EQ(found.credulous[w], Acceptance::kNo);
  EXPECT_EQ(found.sceptical[w], Acceptance::kNo);
  for (int a = 0; a < 2 * pairs; ++a) {
    EXPECT_EQ(found.credulous[a], Acceptance::kYes) << a;
    EXPECT_EQ(found.sceptical[a], Acceptance::kNo) << a;
  }
  // The later snapshot hands over only the extensions after those taken.
  EXPECT_EQ(listing.Snapshot(kMostListed - 3).listed.size(), 3u);
  EXPECT_TRUE(listing.Snapshot(kMostListed + 5).listed.empty());
}

TEST(SemanticsListing, StopEndsTheListingAndANewStartReplacesIt) {
  const auto large = std::make_shared<Framework>(PairsFramework(30, {}, {}));
  SemanticsListing listing([] {});
  listing.Start(large, Semantics::kAdmissible);
  // 3^30 admissible sets: the enumeration is stopped while it goes on.
  ASSERT_TRUE([&listing] {
    for (int wait = 0; wait < 60000; ++wait) {
      if (listing.Snapshot().found > 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }());
  listing.Stop();
  const ListingSnapshot stopped = Ended(listing);
  EXPECT_EQ(stopped.state, ListingState::kStopped);
  EXPECT_LT(stopped.found, kMostCounted);
  // A new listing started while one goes on takes its place; the old one reports nothing more.
  listing.Start(large, Semantics::kAdmissible);
  const std::uint64_t generation =
      listing.Start(std::make_shared<Framework>(PairsFramework(1, {}, {})), Semantics::kStable);
  const ListingSnapshot replaced = Ended(listing);
  EXPECT_EQ(replaced.generation, generation);
  EXPECT_EQ(replaced.state, ListingState::kFinished);
  EXPECT_EQ(replaced.found, 2u);
}

TEST(SemanticsListing, LabelingLinesWriteTheAreasNotation) {
  // c attacks b, b attacks a; d attacks itself.
  const Framework framework({"a", "b", "c", "d"}, {{2, 1}, {1, 0}, {3, 3}});
  struct Case {
    exact::Extension extension;
    std::string line;
  };
  const Case kCases[] = {
      {{0, 2}, "a c (b)"},
      {{1}, "b (a)"},
      {{}, "<empty>"},
      {{0}, "a"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(LabelingLine(ExtensionLabeling(framework.Graph(), c.extension), framework.Names()),
              c.line);
  }
  EXPECT_EQ(LabelingLine({{}, {1}}, framework.Names()), "(b)");
}

// Whether every attack of the highlight is one of the framework's and every argument one of its
// positions.
bool IsOfFramework(const Highlight& highlight, const Framework& framework) {
  const auto& attacks = framework.Attacks();
  return std::all_of(highlight.arguments.begin(), highlight.arguments.end(),
                     [&](int a) { return a >= 0 && a < framework.Size(); }) &&
         std::all_of(highlight.attacks.begin(), highlight.attacks.end(), [&](const Attack& at) {
           return std::find(attacks.begin(), attacks.end(), at) != attacks.end();
         });
}

TEST(ExplanationLines, EveryTreeLineStandsForItsNodeOnEveryGraphOfUpToThreeArguments) {
  int tree_lines = 0;
  for (int size = 1; size <= 3; ++size) {
    for (std::uint32_t relation = 0; relation < (1u << (size * size)); ++relation) {
      const Framework framework = FrameworkOfRelation(size, relation);
      const ArgumentGraph& graph = framework.Graph();
      for (const Semantics semantics : exact::kAllSemantics) {
        for (const auto question :
             {exact::AcceptanceQuestion::kCredulous, exact::AcceptanceQuestion::kSceptical}) {
          for (int argument = 0; argument < size; ++argument) {
            RunContext context;
            const exact::AcceptanceAnswer answer =
                question == exact::AcceptanceQuestion::kCredulous
                    ? exact::IsCredulouslyAccepted(graph, semantics, argument, context)
                    : exact::IsScepticallyAccepted(graph, semantics, argument, context);
            const exact::Explanation explanation =
                exact::Explain(graph, semantics, question, argument, answer, context).explanation;
            const std::vector<ExplanationLine> lines = ExplanationLines(
                explanation, semantics, question, argument, answer.accepted, framework);
            ASSERT_FALSE(lines.empty());
            EXPECT_NE(lines.front().text.find(answer.accepted ? "YES" : "NO"), std::string::npos);
            std::vector<int> nodes_seen;
            for (const ExplanationLine& line : lines) {
              EXPECT_TRUE(IsOfFramework(line.highlight, framework)) << line.text;
              if (line.node < 0) continue;
              ++tree_lines;
              nodes_seen.push_back(line.node);
              const exact::TreeNode& node = explanation.tree[line.node];
              const std::string expected =
                  std::string(exact::RoleName(node.role)) + ' ' + framework.NameOf(node.argument);
              const std::size_t indent = line.text.find_first_not_of(' ');
              EXPECT_EQ(line.text.compare(indent, expected.size(), expected), 0) << line.text;
              EXPECT_NE(std::find(line.highlight.arguments.begin(), line.highlight.arguments.end(),
                                  node.argument),
                        line.highlight.arguments.end());
              // Every child attacks its node, and the highlight shows each such attack.
              for (const int child : node.children) {
                const Attack attack{explanation.tree[child].argument, node.argument};
                EXPECT_NE(
                    std::find(line.highlight.attacks.begin(), line.highlight.attacks.end(), attack),
                    line.highlight.attacks.end())
                    << line.text;
              }
            }
            std::sort(nodes_seen.begin(), nodes_seen.end());
            EXPECT_EQ(nodes_seen.size(), explanation.tree.size());
            EXPECT_TRUE(std::adjacent_find(nodes_seen.begin(), nodes_seen.end()) ==
                        nodes_seen.end());
          }
        }
      }
    }
  }
  EXPECT_GT(tree_lines, 1000);
}

TEST(ExplanationLines, AGroundedProofHighlightsEachRoundsAttack) {
  // c attacks b, b attacks a: a is IN in round 2, defended by c against b.
  const Framework framework({"a", "b", "c"}, {{2, 1}, {1, 0}});
  RunContext context;
  const exact::AcceptanceAnswer answer =
      exact::IsCredulouslyAccepted(framework.Graph(), Semantics::kGrounded, 0, context);
  ASSERT_TRUE(answer.accepted);
  const exact::Explanation explanation =
      exact::Explain(framework.Graph(), Semantics::kGrounded, exact::AcceptanceQuestion::kCredulous,
                     0, answer, context)
          .explanation;
  const std::vector<ExplanationLine> lines = ExplanationLines(
      explanation, Semantics::kGrounded, exact::AcceptanceQuestion::kCredulous, 0, true, framework);
  std::vector<std::string> texts;
  for (const ExplanationLine& line : lines) texts.push_back(line.text);
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0], "a is credulously accepted under grounded semantics: YES.");
  EXPECT_EQ(texts[2], "proponent a (round 2)");
  EXPECT_EQ(texts[3], "  opponent b");
  EXPECT_EQ(texts[4], "    proponent c (round 1)");
  struct Case {
    std::size_t line;
    Highlight highlight;
  };
  const Case kCases[] = {
      {2, {{0, 1}, {{1, 0}}}},
      {3, {{1, 0, 2}, {{1, 0}, {2, 1}}}},
      {4, {{2, 1}, {{2, 1}}}},
      {0, {{0, 1, 2}, {{1, 0}, {2, 1}}}},
  };
  for (const Case& c : kCases) EXPECT_EQ(lines[c.line].highlight, c.highlight) << c.line;
}

TEST(Explainer, HandsEachRequestItsOwnResultOnItsThread) {
  // c attacks b, b attacks a.
  const auto framework = std::make_shared<Framework>(Framework({"a", "b", "c"}, {{2, 1}, {1, 0}}));
  struct Case {
    Semantics semantics;
    exact::AcceptanceQuestion question;
    int argument;
    bool accepted;
    std::string second_line;
  };
  const Case kCases[] = {
      {Semantics::kGrounded, exact::AcceptanceQuestion::kCredulous, 0, true,
       "a is IN in the grounded labeling, in round 2: each attacker is OUT, attacked by an "
       "argument IN in an earlier round."},
      {Semantics::kPreferred, exact::AcceptanceQuestion::kSceptical, 1, false,
       "The preferred extension {a, c} does not hold b: b is OUT, attacked by c."},
  };
  Explainer explainer;
  std::vector<std::future<ExplanationResult>> results;
  std::vector<std::uint64_t> generations;
  std::vector<std::shared_ptr<std::promise<ExplanationResult>>> promises;
  for (const Case& c : kCases) {
    auto promise = std::make_shared<std::promise<ExplanationResult>>();
    results.push_back(promise->get_future());
    generations.push_back(explainer.Start(
        framework, c.semantics, c.question, c.argument,
        [promise](ExplanationResult result) { promise->set_value(std::move(result)); }));
  }
  EXPECT_EQ(generations[1], generations[0] + 1);
  // The first request was given up when the second came: it ends stopped or finished, never lost.
  const ExplanationResult first = results[0].get();
  EXPECT_EQ(first.generation, generations[0]);
  if (!first.stopped) {
    EXPECT_EQ(first.lines.at(1).text, kCases[0].second_line);
  }
  const ExplanationResult second = results[1].get();
  EXPECT_EQ(second.generation, generations[1]);
  ASSERT_FALSE(second.stopped);
  EXPECT_EQ(second.accepted, kCases[1].accepted);
  ASSERT_GE(second.lines.size(), 2u);
  EXPECT_EQ(second.lines[0].text, "b is sceptically accepted under preferred semantics: NO.");
  EXPECT_EQ(second.lines[1].text, kCases[1].second_line);
  EXPECT_EQ(second.whole, (Highlight{{1, 0, 2}, {{2, 1}}}));
  // Alone, the first request finishes.
  std::promise<ExplanationResult> again;
  explainer.Start(framework, kCases[0].semantics, kCases[0].question, kCases[0].argument,
                  [&again](ExplanationResult result) { again.set_value(std::move(result)); });
  const ExplanationResult alone = again.get_future().get();
  ASSERT_FALSE(alone.stopped);
  EXPECT_TRUE(alone.accepted);
  EXPECT_EQ(alone.lines.at(1).text, kCases[0].second_line);
}

}  // namespace
}  // namespace dialectic
