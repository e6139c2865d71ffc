// The production run must give, on every input, exactly the areas of the reference run by name in
// tests/oracle: on random theories with names equal up to letter case, tabs inside names or before
// their blank, self-attacks and mixed clause breaks, and on hand-picked theories for the
// letter-case rules and the combination limits, at depths 100, 3, 1 and 0 with the trace on and
// off.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/run.h"
#include "frontend/text_area.h"
#include "model/line_list.h"
#include "model/run_context.h"
#include "tests/oracle/oracle.h"

// How many random theories are compared; the sanitizer build asks for fewer, and the environment
// variable of the same name overrides both (for a longer search by hand).
#ifndef DIALECTIC_ONE_PATH_THEORIES
#define DIALECTIC_ONE_PATH_THEORIES 2000
#endif

namespace dialectic {
namespace {

constexpr std::array<std::string_view, 4> kAreaNames = {"Memo2", "Memo3", "Memo4", "Memo5"};

int RandomTheoryCount() {
  if (const char* text = std::getenv("DIALECTIC_ONE_PATH_THEORIES")) return std::atoi(text);
  return DIALECTIC_ONE_PATH_THEORIES;
}

// Whether the line is one or more decimal digits followed by " ms elapsed".
bool IsTimingLine(std::string_view line) {
  constexpr std::string_view kSuffix = " ms elapsed";
  if (line.size() <= kSuffix.size() || !line.ends_with(kSuffix)) return false;
  const std::string_view digits = line.substr(0, line.size() - kSuffix.size());
  return digits.find_first_not_of("0123456789") == std::string_view::npos;
}

// The area's lines with each timing line written as the oracle writes it.
StringList WithOracleTimes(const TextArea& area) {
  StringList lines = area.Lines();
  for (std::string& line : lines) {
    if (IsTimingLine(line)) line = oracle::kElapsedLine;
  }
  return lines;
}

// The production run of the text on a fresh theory and fresh areas. Timing lines are only
// written into the options and extensions areas; elsewhere such a line is the user's text.
std::array<StringList, 4> ProductionRun(std::string_view text, std::int32_t depth,
                                        bool show_trace) {
  LineList memo1;
  memo1.SetText(text);
  TTheory theory;
  ResultAreas areas;
  const auto& [memo2, memo3, memo4, memo5] = areas;
  RunOutcome outcome;
  RunContext context;
  const bool finished =
      RunTheory(memo1, RunSettings{depth, show_trace}, theory, areas, context, outcome);
  EXPECT_TRUE(finished);
  return {memo2.Lines(), memo3.Lines(), WithOracleTimes(memo4), WithOracleTimes(memo5)};
}

std::array<StringList, 4> OracleRun(std::string_view text, std::int32_t depth, bool show_trace) {
  oracle::Areas areas = oracle::RunByName(text, depth, show_trace);
  return {std::move(areas.Memo2), std::move(areas.Memo3), std::move(areas.Memo4),
          std::move(areas.Memo5)};
}

// The text with tabs, line breaks and backslashes spelled out, so a failure shows the input.
std::string Visible(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    switch (c) {
      case '\t':
        shown += "\\t";
        break;
      case '\r':
        shown += "\\r";
        break;
      case '\n':
        shown += "\\n";
        break;
      case '\\':
        shown += "\\\\";
        break;
      default:
        shown += c;
    }
  }
  return shown;
}

// The first line where the production areas differ from the oracle's, or nothing.
std::string FirstDifference(const std::array<StringList, 4>& expected,
                            const std::array<StringList, 4>& actual) {
  for (std::size_t a = 0; a < expected.size(); ++a) {
    const StringList& want = expected[a];
    const StringList& got = actual[a];
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
      const std::string want_line = i < want.size() ? want[i] : "<no line>";
      const std::string got_line = i < got.size() ? got[i] : "<no line>";
      if (i < want.size() && i < got.size() && want_line == got_line) continue;
      return std::string(kAreaNames[a]) + " line " + std::to_string(i + 1) + " (of " +
             std::to_string(want.size()) + " in the oracle, " + std::to_string(got.size()) +
             " in production)\n    oracle     \"" + Visible(want_line) + "\"\n    production \"" +
             Visible(got_line) + "\"";
    }
  }
  return {};
}

// Depth 0 leaves every argument ambiguous, so both runs list all 2^n candidates: past this many
// arguments that costs time and tries nothing new.
constexpr std::size_t kMaxArgsAtDepth0 = 8;

std::size_t ArgumentCount(std::string_view text) {
  oracle::TTheory theory;
  oracle::ParseInput(SplitLines(text), theory);
  return theory.Args.size();
}

struct Setting {
  std::int32_t depth;
  bool show_trace;
};

// Depths 100, 3, 1 and 0, each with the trace on and off.
const std::vector<Setting> kAllSettings = {{100, true}, {100, false}, {3, true}, {3, false},
                                           {1, true},   {1, false},   {0, true}, {0, false}};

// Runs the text at the settings; gives the number of settings at which production and oracle
// differ, and reports the first.
int CountDifferences(std::string_view text, const std::vector<Setting>& settings) {
  int differing = 0;
  for (const auto [depth, show_trace] : settings) {
    if (depth == 0 && ArgumentCount(text) > kMaxArgsAtDepth0) continue;
    const std::string difference =
        FirstDifference(OracleRun(text, depth, show_trace), ProductionRun(text, depth, show_trace));
    if (difference.empty()) continue;
    if (++differing == 1) {
      ADD_FAILURE() << "input \"" << Visible(text) << "\" at depth " << depth << ", trace "
                    << (show_trace ? "on" : "off") << ":\n  " << difference;
    }
  }
  return differing;
}

// ---- Random theories ----

// Names with no two equal up to letter case, and names that come in such pairs. A name with a tab
// before its blank keeps the tab only where a blank follows it in the clause; at the end of a
// clause the tab is trimmed away, so both spellings of it occur.
const StringList kDistinctNames = {"a", "B", "c1", "D\t", "e\tf", "g", "Hh", "i", "j\t", "k", "xY"};
const StringList kCasePairNames = {"a",  "A",   "b",   "B",    "Ab",   "aB", "hH",
                                   "Hh", "d\t", "D\t", "e\tf", "E\tF", "c",  "x"};

// Separators between words. Only the blank separates, so a tab stands after it, where it is
// trimmed off the next word; before it the tab would make a new name of the word.
const StringList kWordBreaks = {" ", " ", " ", "  ", " \t"};
// Separators between clauses: commas and line breaks mixed, empty clauses, blank lines.
const StringList kClauseBreaks = {", ", ",", "\n", "\r\n", "\r", ",,", " , \n", "\n \t\n", ",\n"};

template <typename T>
const T& Pick(std::mt19937& random, const std::vector<T>& items) {
  return items[random() % items.size()];
}

// A theory of 1 to 10 arguments: every argument named in one or two clauses (an attacker list
// may be split between them), each attack present with a probability chosen per theory, and a
// few self-attacks. Plain modulo keeps the theories the same on every standard library.
std::string RandomTheory(std::mt19937& random, bool with_case_pairs) {
  StringList names = with_case_pairs ? kCasePairNames : kDistinctNames;
  std::shuffle(names.begin(), names.end(), random);
  names.resize(1 + random() % 10);
  const unsigned attack_in = 3 + random() % 6;  // an attack is present one time in attack_in

  std::vector<StringList> clauses;
  for (const std::string& target : names) {
    StringList attackers;
    for (const std::string& attacker : names) {
      const bool is_self = attacker == target;
      if (random() % (is_self ? 3 * attack_in : attack_in) == 0) attackers.push_back(attacker);
    }
    std::shuffle(attackers.begin(), attackers.end(), random);
    const std::size_t split = random() % 3 == 0 ? random() % (attackers.size() + 1) : 0;
    if (split > 0) clauses.push_back({target});
    for (std::size_t i = 0; i < split; ++i) clauses.back().push_back(attackers[i]);
    clauses.push_back({target});
    for (std::size_t i = split; i < attackers.size(); ++i) clauses.back().push_back(attackers[i]);
  }
  std::shuffle(clauses.begin(), clauses.end(), random);

  std::string text = random() % 4 == 0 ? " " : "";
  for (const StringList& clause : clauses) {
    for (std::size_t w = 0; w < clause.size(); ++w) {
      if (w > 0) text += Pick(random, kWordBreaks);
      text += clause[w];
    }
    text += Pick(random, kClauseBreaks);
  }
  return text;
}

TEST(OnePath, ProductionGivesTheOracleAreasOnRandomTheories) {
  const int count = RandomTheoryCount();
  int differing_theories = 0;
  for (int seed = 0; seed < count; ++seed) {
    std::mt19937 random(static_cast<std::uint32_t>(seed));
    const std::string text = RandomTheory(random, seed % 3 != 0);
    if (CountDifferences(text, kAllSettings) > 0 && ++differing_theories >= 5) break;
  }
  EXPECT_EQ(differing_theories, 0) << "the comparison stops after 5 differing theories";
}

// ---- Hand-picked theories ----

struct Case {
  std::string_view about;
  std::string_view text;
};

const Case kLetterCaseCases[] = {
    {"two unattacked case-equal names attack b", "b a A"},
    {"counter-attackers equal up to letter case", "a b1 b2, b1 E e, b2 e"},
    {"case-equal arguments attack each other", "a A, A a"},
    {"a self-attack beside its case twin", "a a A"},
    {"two case-equal even cycles", "Ab aB, aB Ab, hH Hh, Hh hH"},
    {"an odd cycle through case-equal names", "a B, b A, A b"},
    {"a name is IN under one spelling and OUT under another", "x y Y, y x, Y x, z x"},
    {"the same word with and without a tab before its blank", "c\t d, c d, d c\t"},
    {"an argument first named as an attacker", "p Q q, Q p, q P"},
    {"mixed clause breaks and empty clauses", "a b,,\r\nb A\r\rA a,\n,a"},
    {"no argument at all", ",, \n\t\r\n"},
};

// Every argument a to h has the attackers p, q, r and s, so making them all OUT asks for
// 4^8 = 65,536 combinations, which collapse onto four minimal name sets.
constexpr std::string_view kEightOpen =
    "a p q r s, b p q r s, c p q r s, d p q r s, e p q r s, f p q r s, g p q r s, h p q r s";
// The same up to letter case: the sets collapse the same way, but only the spelling p is added,
// and it does not attack b, d, f and h, which P attacks, so no option survives.
constexpr std::string_view kEightOpenMixedCase =
    "a p q r s, b P Q R S, c p q r s, d P Q R S, e p q r s, f P Q R S, g p q r s, h P Q R S";

struct LimitCase {
  std::string_view about;
  std::string text;
  bool too_many;  // whether a counter step needs more combinations than allowed
};

const LimitCase kLimitCases[] = {
    {"the most combinations one option may enumerate, up to letter case",
     "z a b c d e f g h, " + std::string(kEightOpenMixedCase), false},
    {"one option asks for more", "z a b c d e f g h, a t, " + std::string(kEightOpen), true},
    // Each of m1 and m2 asks for the most one option may enumerate, in its own proof and in the
    // refutation of y, where together they ask for the most one step may enumerate.
    {"two options at the most combinations one step may enumerate",
     "y m1 m2, m1 a b c d e f g h, m2 a b c d e f g h, " + std::string(kEightOpen), false},
    {"three options ask for more",
     "y m1 m2 m3, m1 a b c d e f g h, m2 a b c d e f g h, m3 a b c d e f g h, " +
         std::string(kEightOpen),
     true},
};

bool WarnsOfTooManyCombinations(const StringList& memo2) {
  return std::any_of(memo2.begin(), memo2.end(), [](const std::string& line) {
    return line.starts_with("Too many counter-attack combinations for ");
  });
}

TEST(OnePath, ProductionGivesTheOracleAreasOnLetterCaseTheories) {
  for (const Case& c : kLetterCaseCases) {
    SCOPED_TRACE(c.about);
    EXPECT_EQ(CountDifferences(c.text, kAllSettings), 0);
  }
}

TEST(OnePath, ProductionGivesTheOracleAreasAtTheCombinationLimits) {
  // The counter steps that meet the limits end stages 2 and 3; the trace does not change them.
  for (const LimitCase& c : kLimitCases) {
    for (const auto [depth, show_trace] : {Setting{100, true}, Setting{3, false}}) {
      SCOPED_TRACE(std::string(c.about) + " at depth " + std::to_string(depth));
      const std::array<StringList, 4> expected = OracleRun(c.text, depth, show_trace);
      EXPECT_EQ(FirstDifference(expected, ProductionRun(c.text, depth, show_trace)), "");
      EXPECT_EQ(WarnsOfTooManyCombinations(expected[0]), c.too_many);
    }
  }
}

// At depth 0 every argument is ambiguous. Past 32 the run says it will not enumerate; between 21
// and 32 the oracle refuses rather than enumerate millions of combinations in a test.
TEST(OnePath, OracleRefusesToEnumerateMoreThanTwentyAmbiguousArguments) {
  const auto independent_arguments = [](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "a" + std::to_string(i) + "\n";
    return text;
  };
  EXPECT_THROW(oracle::RunByName(independent_arguments(21), 0, false), std::length_error);
  EXPECT_THROW(oracle::RunByName(independent_arguments(32), 0, false), std::length_error);
  const StringList memo5 = oracle::RunByName(independent_arguments(33), 0, false).Memo5;
  EXPECT_NE(std::find(memo5.begin(), memo5.end(),
                      "There are too many dialectically ambiguous arguments for this version of "
                      "the algorithm"),
            memo5.end());
}

}  // namespace
}  // namespace dialectic
