// The computations by rank and the walk over combinations must give exactly what the
// computations by name and the plain enumeration of combinations give.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "semantics/grounded.h"
#include "semantics/option_search.h"
#include "semantics/preferred.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

// A theory of up to ten arguments with random attacks, self-attacks included; some names carry a
// tab before their blank or inside them, and with_case_pairs some differ only in letter case.
std::string RandomTheory(std::mt19937& random, bool with_case_pairs) {
  static const StringList kDistinctNames = {"a", "B",  "c1", "D\t", "e\tf",
                                            "g", "Hh", "i",  "j\t", "k"};
  static const StringList kCasePairNames = {"a", "A", "b", "B", "c", "hH", "Hh", "d\t", "D\t", "e"};
  const StringList& kNames = with_case_pairs ? kCasePairNames : kDistinctNames;
  const std::size_t count = 1 + random() % kNames.size();
  std::string text;
  for (std::size_t target = 0; target < count; ++target) {
    text += kNames[target];
    for (std::size_t attacker = 0; attacker < count; ++attacker) {
      if (random() % 4 == 0) text += " " + kNames[attacker];
    }
    text += random() % 2 == 0 ? ", " : "\n";
  }
  return text;
}

struct Outcome {
  StringList warnings, trace, options, grounded, preferred, preferred_message;
};

Outcome Compute(const std::string& text, std::int32_t depth, bool show_trace, bool by_name) {
  TTheory theory;
  ParseText(text, theory);
  Outcome outcome;
  TextArea memo2, memo3, memo5;
  const SearchContext context{depth, show_trace, memo2, memo3};
  TProofLabeling grounded;
  std::vector<TProofLabeling> preferred;
  if (by_name) {
    GroundedClosure(theory, TProofLabeling(), grounded);
    ComputeAllOptionsByName(theory, context);
    ComputePreferredByName(theory, preferred, memo5);
  } else {
    ComputeGrounded(theory, grounded);
    ComputeAllOptions(theory, context);
    ComputePreferred(theory, preferred, memo5);
  }
  outcome.warnings = memo2.Lines();
  outcome.trace = memo3.Lines();
  for (const TArg* arg : theory.Args) {
    outcome.options.push_back(arg->Name);
    for (const TProofLabeling& option : arg->Options)
      outcome.options.push_back(LabelingText(option));
  }
  outcome.grounded = {LabelingText(grounded)};
  for (const TProofLabeling& candidate : preferred)
    outcome.preferred.push_back(LabelingText(candidate));
  outcome.preferred_message = memo5.Lines();
  return outcome;
}

TEST(FastPath, GivesTheSameOutputAsTheComputationByName) {
  std::mt19937 random(2024);
  for (int round = 0; round < 400; ++round) {
    const std::string text = RandomTheory(random, round % 3 == 0);
    for (const std::int32_t depth : {100, 2, 1, 0}) {
      const bool show_trace = round % 2 == 0;
      const Outcome fast = Compute(text, depth, show_trace, false);
      const Outcome by_name = Compute(text, depth, show_trace, true);
      const std::string where = text + " at depth " + std::to_string(depth);
      EXPECT_EQ(fast.warnings, by_name.warnings) << where;
      EXPECT_EQ(fast.trace, by_name.trace) << where;
      EXPECT_EQ(fast.options, by_name.options) << where;
      EXPECT_EQ(fast.grounded, by_name.grounded) << where;
      EXPECT_EQ(fast.preferred, by_name.preferred) << where;
      EXPECT_EQ(fast.preferred_message, by_name.preferred_message) << where;
    }
  }
}

}  // namespace
}  // namespace dialectic
