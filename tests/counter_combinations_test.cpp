#include "semantics/counter_combinations.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "semantics/stage_steps.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

// The minimality rule applied literally: every non-empty combination, in order, empties every
// other combination of which it is a subset; the non-empty ones that remain survive.
std::vector<StringList> MinimalByPairwisePass(const std::vector<const TArg*>& open,
                                              std::uint64_t count) {
  std::vector<StringList> combinations;
  for (std::uint64_t k = 0; k < count; ++k) combinations.push_back(Combination(open, k));
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    if (combinations[i].empty()) continue;
    for (std::size_t j = 0; j < combinations.size(); ++j) {
      if (j != i && IsSubsetOf(combinations[i], combinations[j])) combinations[j].clear();
    }
  }
  std::vector<StringList> survivors;
  for (StringList& combination : combinations) {
    if (!combination.empty()) survivors.push_back(std::move(combination));
  }
  return survivors;
}

TEST(Combination, WritesTheNumberInMixedRadixFirstOpenArgumentFastest) {
  TTheory theory;
  ParseText("x p q, y r s t", theory);
  const std::vector<const TArg*> open = {&theory.Args[0], &theory.FindOrAdd("y ")};
  EXPECT_EQ(Combination(open, 0), (StringList{"p ", "r "}));
  EXPECT_EQ(Combination(open, 1), (StringList{"q ", "r "}));
  EXPECT_EQ(Combination(open, 2), (StringList{"p ", "s "}));
  EXPECT_EQ(Combination(open, 5), (StringList{"q ", "t "}));
}

TEST(MinimalCombinations, KeepsTheFirstOfEqualSetsAndDropsSupersets) {
  TTheory theory;
  ParseText("b1 e f, b2 f e, b3 e", theory);
  const std::vector<const TArg*> two = {&theory.Args[0], &theory.FindOrAdd("b2 ")};
  EXPECT_EQ(MinimalCombinations(two, 4), (std::vector<StringList>{{"f ", "f "}, {"e ", "e "}}));
  const std::vector<const TArg*> three = {&theory.Args[0], &theory.FindOrAdd("b2 "),
                                          &theory.FindOrAdd("b3 ")};
  EXPECT_EQ(MinimalCombinations(three, 4), (std::vector<StringList>{{"e ", "e ", "e "}}));
}

// Random open arguments over a small pool of attacker names (some differing only in letter
// case), so that equal sets and proper subsets are common.
TEST(MinimalCombinations, GivesTheOutcomeOfThePairwisePassOnRandomAttackerLists) {
  const StringList pool = {"p", "q", "r", "s", "P", "t", "u", "Q"};
  std::mt19937 random(12345);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int open_count = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < open_count; ++i) {
      if (i > 0) text += ", ";
      text += "o" + std::to_string(i);
      const int attackers = 1 + static_cast<int>(random() % 4);
      for (int j = 0; j < attackers; ++j) text += " " + pool[random() % pool.size()];
    }
    TTheory theory;
    ParseText(text, theory);
    std::vector<const TArg*> open;
    for (int i = 0; i < open_count; ++i)
      open.push_back(&theory.FindOrAdd("o" + std::to_string(i) + " "));
    const std::uint64_t count = CombinationCount(open);
    EXPECT_EQ(MinimalCombinations(open, count), MinimalByPairwisePass(open, count)) << text;
  }
}

}  // namespace
}  // namespace dialectic
