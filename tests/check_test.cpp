#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>
#include <string>
#include <thread>

#include "check/bounded_context.h"
#include "check/run_check.h"
#include "formats/generators.h"
#include "frontend/example_library.h"
#include "frontend/run.h"
#include "tests/oracle/exact_reference.h"
#include "tests/test_support.h"

// How many random theories the check is compared on; the sanitizer build asks for fewer.
#ifndef DIALECTIC_CHECK_THEORIES
#define DIALECTIC_CHECK_THEORIES 600
#endif

namespace dialectic {
namespace {

// A theory run at a depth, with what the run found kept for the check.
struct CheckedRun {
  TTheory theory;
  ResultAreas areas;
  RunOutcome results;
  CheckReport report;
};

void RunAndCheck(const StringList& lines, std::int32_t depth, CheckedRun& run,
                 const CheckLimits& limits = {}) {
  TextArea input;
  input.AddStrings(lines);
  RunContext context;
  RunTheory(input, {depth, false}, run.theory, run.areas, context, run.results);
  run.report = CheckRun(run.theory, run.results, context, limits);
}

// The labeling in the listing's form, or "" for none.
std::string TextOf(const std::optional<PositionLabeling>& labeling, const TTheory& theory) {
  if (!labeling) return "";
  const ArgIndex index(theory);
  RankSet in;
  RankSet out;
  for (int position : labeling->in) in.Add(index.RankOf(theory.Args[position]));
  for (int position : labeling->out) out.Add(index.RankOf(theory.Args[position]));
  return LabelingText(in, out, index);
}

StringList LinesOf(const std::string& text) {
  TextArea area;
  area.SetText(text);
  return area.Lines();
}

// The names as the theory stores them, each followed by its blank.
StringList Stored(const StringList& names) {
  StringList stored;
  for (const std::string& name : names) stored.push_back(name + " ");
  return stored;
}

StringList ExampleNamed(std::string_view caption) {
  return ExampleLines(BuiltInExamples(), caption);
}

TEST(CheckRun, ComparesTheListingWithTheExactExtensions) {
  struct Case {
    std::string caption;
    StringList input;
    std::int32_t depth;
    CheckStatus status;
    std::string verdict;
    StringList details;
  };
  const Case kCases[] = {
      {"an unattacked argument refuted at depth 1",
       LinesOf("p q r, q r, r s, s"),
       1,
       CheckStatus::kMissingOrWrong,
       "The one exact preferred extension is listed. 1 listed extension is not preferred: "
       "r (p q s) (s is OUT but no IN argument attacks it). The grounded extension is right. The "
       "listing was cut short by the depth (arguments p, q, r).",
       {"Grounded extension", "  right:  q s (p r)", "", "Exact preferred extensions",
        "  listed:  q s (p r)", "", "Listed extensions that are not preferred",
        "  r (p q s): s is OUT but no IN argument attacks it", "", "Phases cut short",
        "  proof options of p: the depth was used up",
        "  refutation options of p: the depth was used up",
        "  proof options of q: the depth was used up",
        "  refutation options of q: the depth was used up",
        "  proof options of r: the depth was used up",
        "  refutation options of r: the depth was used up"}},
      {"the same theory at full depth",
       LinesOf("p q r, q r, r s, s"),
       100,
       CheckStatus::kAllListed,
       "The one exact preferred extension is listed. The grounded extension is right.",
       {"Grounded extension", "  right:  q s (p r)", "", "Exact preferred extensions",
        "  listed:  q s (p r)"}},
      {"an extension that leaves an odd cycle undecided",
       ExampleNamed("Lindqvar and Serrapel, Fig. 3"),
       100,
       CheckStatus::kMissingOrWrong,
       "3 of 4 exact preferred extensions are listed; missing: e g. The grounded extension is "
       "right.",
       {"Grounded extension", "  right:  <empty>", "", "Exact preferred extensions",
        "  listed:  c d g (a b e f)", "  listed:  a e f (b c d g)", "  listed:  c d f (a b e g)",
        "  missing: e g (d f)"}},
      {"the empty theory",
       {},
       100,
       CheckStatus::kAllListed,
       "The one exact preferred extension is listed. The grounded extension is right.",
       {"Grounded extension", "  right:  <empty>", "", "Exact preferred extensions",
        "  listed:  <empty>"}},
      {"an even cycle beside reinstatement",
       LinesOf("a b, b a, c d, d e"),
       100,
       CheckStatus::kAllListed,
       "All 2 exact preferred extensions are listed. The grounded extension is right.",
       {"Grounded extension", "  right:  c e (d)", "", "Exact preferred extensions",
        "  listed:  b c e (a d)", "  listed:  a c e (b d)"}},
      {"a phase stopped by the combination limit",
       LinesOf("a b0 b1 b2 b3 b4 b5 b6 b7 b8, b0 c0 c1 c2 c3, b1 c0 c1 c2 c3, b2 c0 c1 c2 c3, "
               "b3 c0 c1 c2 c3, b4 c0 c1 c2 c3, b5 c0 c1 c2 c3, b6 c0 c1 c2 c3, b7 c0 c1 c2 c3, "
               "b8 c0 c1 c2 c3"),
       100,
       CheckStatus::kAllListed,
       "The one exact preferred extension is listed. The grounded extension is right. The "
       "listing was cut short by the search's limits (argument a).",
       {"Grounded extension", "  right:  a c0 c1 c2 c3 (b0 b1 b2 b3 b4 b5 b6 b7 b8)", "",
        "Exact preferred extensions", "  listed:  a c0 c1 c2 c3 (b0 b1 b2 b3 b4 b5 b6 b7 b8)", "",
        "Phases cut short", "  proof options of a: too many counter-attack combinations"}},
      // Names equal up to letter case: the listing holds one name of a class in each of IN and
      // OUT, so "a" stands for the extension {a, A}; but b and B fold together, which hides the
      // two extensions that take one of them IN and the other OUT.
      {"two unattacked names equal up to letter case",
       LinesOf("a, A"),
       100,
       CheckStatus::kAllListed,
       "The one exact preferred extension is listed. The grounded extension is right.",
       {"Grounded extension", "  right:  a A", "", "Exact preferred extensions", "  listed:  a A"}},
      {"two even cycles whose names are equal up to letter case",
       LinesOf("a b, b a, A B, B A"),
       100,
       CheckStatus::kMissingOrWrong,
       "2 of 4 exact preferred extensions are listed; missing: A b, a B. The grounded extension "
       "is right.",
       {"Grounded extension", "  right:  <empty>", "", "Exact preferred extensions",
        "  listed:  b B (a A)", "  listed:  a A (b B)", "  missing: A b (a B)",
        "  missing: a B (A b)"}},
      {"an attack on a name whose class is IN",
       LinesOf("b a A, a, A c"),
       100,
       CheckStatus::kMissingOrWrong,
       "0 of 1 exact preferred extensions are listed; missing: a c. 1 listed extension is not "
       "preferred: a c (b) (A is attacked by the IN argument c but not OUT). The grounded "
       "extension is right.",
       {"Grounded extension", "  right:  a c (A b)", "", "Exact preferred extensions",
        "  missing: a c (A b)", "", "Listed extensions that are not preferred",
        "  a c (b): A is attacked by the IN argument c but not OUT"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.caption);
    CheckedRun run;
    RunAndCheck(c.input, c.depth, run);
    EXPECT_EQ(run.report.status, c.status);
    EXPECT_EQ(run.report.verdict, c.verdict);
    EXPECT_EQ(run.report.details, c.details);
    // Every line that shows an extension offers its labeling; headings and reasons offer none.
    ASSERT_EQ(run.report.detail_labelings.size(), run.report.details.size());
    bool in_wrong_section = false;
    for (std::size_t i = 0; i < c.details.size(); ++i) {
      const std::string& line = c.details[i];
      if (line.rfind("  ", 0) != 0)
        in_wrong_section = line == "Listed extensions that are not preferred";
      std::string expected;
      for (const char* prefix : {"  right:  ", "  listed:  ", "  missing: ", "  exact:  "}) {
        if (line.rfind(prefix, 0) == 0) expected = line.substr(std::string_view(prefix).size());
      }
      if (in_wrong_section && line.rfind("  ", 0) == 0)
        expected = line.substr(2, line.find(": ") - 2);
      EXPECT_EQ(TextOf(run.report.detail_labelings[i], run.theory), expected) << line;
    }
  }
}

TEST(CheckRun, AListingThatGaveUpMissesEveryExtension) {
  // a and b attack each other and a attacks 40 more: 42 ambiguous arguments, 2 extensions.
  StringList input = {"a b, b a"};
  for (int i = 1; i <= 40; ++i) input.push_back("x" + std::to_string(i) + " a");
  CheckedRun run;
  RunAndCheck(input, 100, run);
  EXPECT_EQ(run.report.status, CheckStatus::kMissingOrWrong);
  EXPECT_EQ(run.report.verdict,
            "0 of 2 exact preferred extensions are listed; missing: a, b x1 x10 x11 x12 x13 x14 "
            "x15 x16 x17 x18 x19 x2 x20 x21 x22 [...]. The listing gave up: there are too many "
            "dialectically ambiguous arguments. The grounded extension is right.");
  ASSERT_GE(run.report.details.size(), 5u);
  EXPECT_EQ(run.report.details[4],
            "  The listing gave up: there are too many dialectically ambiguous arguments.");
}

// Each reason on a listing made by hand for the theory "a b, b c, c d, e e, f g, g f": a chain
// of four, a self-attacker and an even cycle.
TEST(CheckRun, GivesTheFirstReasonWhyAListedLineIsNotPreferred) {
  struct Case {
    StringList in, out;
    std::string reason;
  };
  const Case kCases[] = {
      {{"a", "d"}, {"a", "b", "c", "f"}, "  a d (a b c f): a is both IN and OUT"},
      {{"b", "c", "f"}, {"a", "g"}, "  b c f (a g): not conflict-free: c attacks b, both IN"},
      {{"b", "d", "f"},
       {"a", "c", "e", "g"},
       "  b d f (a c e g): e is OUT but no IN argument "
       "attacks it"},
      {{"b", "f"},
       {"a", "g"},
       "  b f (a g): not admissible: b is IN but its attacker c is not "
       "attacked by an IN argument"},
      {{"b", "d", "f"},
       {"c", "g"},
       "  b d f (c g): a is attacked by the IN argument b but not "
       "OUT"},
      {{"b", "d"},
       {"a", "c"},
       "  b d (a c): not maximal: the preferred extension b d f (a c g) "
       "holds its IN arguments"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.reason);
    CheckedRun run;
    RunAndCheck(LinesOf("a b, b c, c d, e e, f g, g f"), 100, run);
    ASSERT_EQ(run.report.status, CheckStatus::kAllListed) << run.report.verdict;
    const ArgIndex index(run.theory);
    run.results.preferred = {LabelingNamed(run.theory, index, Stored(c.in), Stored(c.out))};
    RunContext context;
    const CheckReport report = CheckRun(run.theory, run.results, context);
    EXPECT_EQ(report.status, CheckStatus::kMissingOrWrong);
    const auto found = std::find(report.details.begin(), report.details.end(),
                                 "Listed extensions that are not preferred");
    ASSERT_NE(found, report.details.end());
    ASSERT_NE(found + 1, report.details.end());
    EXPECT_EQ(*(found + 1), c.reason);
  }
}

TEST(CheckRun, SaysNotCheckedInsteadOfGuessing) {
  CheckedRun run;
  RunAndCheck(LinesOf("a b, b a, c d, d c, e f, f e"), 100, run);
  ASSERT_EQ(run.report.status, CheckStatus::kAllListed) << run.report.verdict;

  RunContext stopped;
  stopped.RequestStop();
  const CheckReport by_stop = CheckRun(run.theory, run.results, stopped);
  EXPECT_EQ(by_stop.status, CheckStatus::kNotChecked);
  EXPECT_EQ(by_stop.verdict,
            "Not checked: the exact engine was stopped. The grounded extension is right.");

  RunContext context;
  const CheckReport by_count =
      CheckRun(run.theory, run.results, context, {std::chrono::hours(1), 7});
  EXPECT_EQ(by_count.status, CheckStatus::kNotChecked);
  EXPECT_EQ(by_count.verdict,
            "Not checked: there are more than 7 exact preferred extensions. The grounded extension "
            "is right.");
  EXPECT_EQ(CheckRun(run.theory, run.results, context, {std::chrono::hours(1), 8}).status,
            CheckStatus::kAllListed);

  RunOutcome stopped_run = run.results;
  stopped_run.preferred_outcome = PreferredOutcome::kStopped;
  const CheckReport by_run = CheckRun(run.theory, stopped_run, context);
  EXPECT_EQ(by_run.status, CheckStatus::kNotChecked);
  EXPECT_EQ(by_run.verdict,
            "Not checked: the run was stopped before its preferred extensions were listed. The "
            "grounded extension is right.");
  EXPECT_EQ(by_run.details.back(),
            "  not checked: the run was stopped before its preferred extensions were listed");
}

TEST(CheckRun, AWrongGroundedExtensionIsNamed) {
  CheckedRun run;
  RunAndCheck(LinesOf("a b, b c"), 100, run);
  const ArgIndex index(run.theory);
  run.results.grounded = LabelingNamed(run.theory, index, {"c "}, {"b "});
  RunContext context;
  const CheckReport report = CheckRun(run.theory, run.results, context);
  EXPECT_EQ(report.status, CheckStatus::kMissingOrWrong);
  EXPECT_EQ(report.verdict,
            "The one exact preferred extension is listed. The grounded extension is wrong: it is "
            "a c (b).");
  EXPECT_EQ(StringList(report.details.begin(), report.details.begin() + 3),
            (StringList{"Grounded extension", "  listed: c (b)", "  exact:  a c (b)"}));
}

TEST(CheckRun, ReportLinesAreTheVerdictABlankLineAndTheDetails) {
  CheckReport report;
  report.verdict = "verdict";
  report.details = {"one", "two"};
  EXPECT_EQ(ReportLines(report), (std::vector<std::string>{"verdict", "", "one", "two"}));
}

TEST(BoundedContext, StopsTheTaskWhenTheOuterContextStopsOrTheBudgetIsUsedUp) {
  const auto stops = [](RunContext& context) {
    for (int i = 0; i < 6000 && !context.StopRequested(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return context.StopRequested();
  };
  RunContext outer;
  {
    BoundedContext bounded(outer, std::chrono::hours(1));
    EXPECT_FALSE(bounded.Context().StopRequested());
    outer.RequestStop();
    EXPECT_TRUE(stops(bounded.Context()));
    EXPECT_FALSE(bounded.TimedOut());
  }
  RunContext quiet;
  BoundedContext bounded(quiet, std::chrono::milliseconds(0));
  EXPECT_TRUE(stops(bounded.Context()));
  EXPECT_TRUE(bounded.TimedOut());
  EXPECT_FALSE(quiet.StopRequested());
}

// The labeling text of a set given by argument index: IN names in name order, then the names it
// attacks in parentheses. The names p0, p1, ... never differ only by letter case, so plain byte
// order is name order.
std::string ReferenceText(exact::Mask set, const AttackGraph& graph, const StringList& names) {
  StringList in, out;
  for (int a = 0; a < graph.size(); ++a) {
    const auto index = static_cast<std::size_t>(a);
    if ((set >> a & 1) != 0) in.push_back(names[index]);
    for (int attacker : graph.attackers[index]) {
      if ((set >> attacker & 1) != 0) {
        out.push_back(names[index]);
        break;
      }
    }
  }
  std::sort(in.begin(), in.end());
  std::sort(out.begin(), out.end());
  std::string text;
  for (const std::string& name : in) text += (text.empty() ? "" : " ") + name;
  if (!out.empty()) {
    text += text.empty() ? "(" : " (";
    for (std::size_t i = 0; i < out.size(); ++i) text += (i == 0 ? "" : " ") + out[i];
    text += ")";
  }
  return text.empty() ? "<empty>" : text;
}

// The extension lines of the listing, each without its two leading blanks.
std::set<std::string> ListedTexts(const TextArea& memo5) {
  std::set<std::string> texts;
  bool in_listing = false;
  for (std::string_view line : memo5) {
    if (line == "Preferred extensions") {
      in_listing = true;
    } else if (in_listing && line.empty()) {
      break;
    } else if (in_listing) {
      texts.insert(std::string(line.substr(2)));
    }
  }
  return texts;
}

std::size_t CountStartingWith(const StringList& lines, std::string_view start) {
  return static_cast<std::size_t>(
      std::count_if(lines.begin(), lines.end(),
                    [&](const std::string& line) { return line.starts_with(start); }));
}

// On random theories of up to ten arguments, at depths that cut the search short and at full
// depth: the check says "all listed" exactly when the listing is the set of preferred extensions
// that a brute-force reference finds, and it names as many missing and wrong lines as there are.
TEST(CheckRun, AgreesWithABruteForceReferenceOnRandomTheories) {
  constexpr int kTheories = DIALECTIC_CHECK_THEORIES;
  int all_listed = 0, missing_or_wrong = 0;
  for (int seed = 1; seed <= kTheories; ++seed) {
    SeededRandom random(static_cast<std::uint32_t>(seed));
    const AttackGraph graph = RandomAttackGraph(
        random,
        {.min_args = 1, .max_args = 10, .back_attacker_percent = 40, .max_cyclic_args = 10});
    const StringList names = PlainNames(graph.size());
    ArgumentGraph reference_graph;
    reference_graph.attackers = graph.attackers;
    reference_graph.targets.resize(graph.attackers.size());
    for (int a = 0; a < graph.size(); ++a) {
      for (int attacker : graph.attackers[static_cast<std::size_t>(a)])
        reference_graph.targets[static_cast<std::size_t>(attacker)].push_back(a);
    }
    const exact::ReferenceSemantics reference(reference_graph);
    std::set<std::string> preferred;
    for (exact::Mask set : reference.Extensions(exact::Semantics::kPreferred))
      preferred.insert(ReferenceText(set, graph, names));
    const std::string grounded =
        ReferenceText(reference.Extensions(exact::Semantics::kGrounded).front(), graph, names);

    for (std::int32_t depth : {1, 3, 100}) {
      CheckedRun run;
      RunAndCheck(GraphTheory(graph, names, 3), depth, run);
      SCOPED_TRACE(testing::Message()
                   << "seed " << seed << ", depth " << depth << ": " << run.report.verdict);
      const std::set<std::string> listed = ListedTexts(run.areas.Memo5);
      ASSERT_NE(run.report.status, CheckStatus::kNotChecked);
      EXPECT_EQ(run.report.status == CheckStatus::kAllListed, listed == preferred);
      EXPECT_EQ(run.report.details[1], "  right:  " + grounded);
      std::set<std::string> missing, wrong;
      std::set_difference(preferred.begin(), preferred.end(), listed.begin(), listed.end(),
                          std::inserter(missing, missing.end()));
      std::set_difference(listed.begin(), listed.end(), preferred.begin(), preferred.end(),
                          std::inserter(wrong, wrong.end()));
      EXPECT_EQ(CountStartingWith(run.report.details, "  missing: "), missing.size());
      EXPECT_EQ(CountStartingWith(run.report.details, "  listed:  "),
                preferred.size() - missing.size());
      for (const std::string& text : wrong) {
        EXPECT_EQ(CountStartingWith(run.report.details, "  " + text + ": "), 1u) << text;
      }
      ++(run.report.status == CheckStatus::kAllListed ? all_listed : missing_or_wrong);
    }
  }
  // Both answers occur often enough for the comparison to mean something.
  EXPECT_GT(all_listed, kTheories / 2);
  EXPECT_GT(missing_or_wrong, kTheories / 4);
}

}  // namespace
}  // namespace dialectic
