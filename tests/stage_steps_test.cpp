#include "semantics/stage_steps.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/test_support.h"

namespace dialectic {
namespace {

// A theory and a list of options of its first argument, each given by its four sets.
class StageStepsTest : public ::testing::Test {
 protected:
  void Setup(const std::string& text) {
    theory_.Clear();
    options_.clear();
    ParseText(text, theory_);
    index_.emplace(theory_);
  }

  void AddOption(const StringList& in, const StringList& out, const StringList& new_in,
                 const StringList& new_out) {
    TProofLabeling& option = options_.emplace_back(LabelingNamed(theory_, *index_, in, out));
    option.Arg = &theory_.Args[0];
    option.NewIn = RanksNamed(theory_, *index_, new_in);
    option.NewOut = RanksNamed(theory_, *index_, new_out);
  }

  StringList Texts() const {
    StringList texts;
    for (const TProofLabeling& option : options_) texts.push_back(LabelingText(option, *index_));
    return texts;
  }

  StringList Names(const RankSet& set) const {
    StringList names;
    set.ForEach([&](int rank) { names.push_back(index_->NameOfRank(rank)); });
    return names;
  }

  TTheory theory_;
  std::optional<ArgIndex> index_;
  Options options_;
};

TEST_F(StageStepsTest, CounterStepBranchesIntoOneOptionPerMinimalCombination) {
  struct Case {
    std::string theory;
    StringList out;  // also the NewOut of the option; the searched argument a is IN
    StringList options;
  };
  const Case cases[] = {
      {"a b1, b1 c1 c2", {"b1 "}, {"a c1 (b1)", "a c2 (b1)"}},
      {"a b1 b2, b1 c1 c2, b2 c3 c4",
       {"b1 ", "b2 "},
       {"a c1 c3 (b1 b2)", "a c2 c3 (b1 b2)", "a c1 c4 (b1 b2)", "a c2 c4 (b1 b2)"}},
      {"a b1 b2, b1 e, b2 e f", {"b1 ", "b2 "}, {"a e (b1 b2)"}},
      {"a b1 b2, b1 e f, b2 f e", {"b1 ", "b2 "}, {"a f (b1 b2)", "a e (b1 b2)"}},
      // [E, e] and [e, e] are one set of names, so the first survives; IN then holds only E,
      // which does not attack b2, and the option fails the filter.
      {"a b1 b2, b1 E e, b2 e", {"b1 ", "b2 "}, {}},
      {"a b1 b2, b1 e E, b2 e", {"b1 ", "b2 "}, {"a e (b1 b2)"}},
      {"a b1 b2, b1 c, b2", {"b1 ", "b2 "}, {}},
  };
  for (const Case& c : cases) {
    Setup(c.theory);
    AddOption({"a "}, c.out, {}, c.out);
    EXPECT_EQ(CounterStep(options_, *index_), StepOutcome::kDone);
    EXPECT_EQ(Texts(), c.options) << c.theory;
    for (const TProofLabeling& option : options_) {
      EXPECT_TRUE(option.NewOut.empty());
      EXPECT_EQ(option.Arg, &theory_.Args[0]);
    }
  }
}

TEST_F(StageStepsTest, CounterStepGivesEachNewOptionItsCounterAttackersAsNewIn) {
  Setup("a b1 b2, b1 c1 c2, b2 c1");
  AddOption({"a "}, {"b1 ", "b2 "}, {}, {"b1 ", "b2 "});
  CounterStep(options_, *index_);
  ASSERT_EQ(Texts(), (StringList{"a c1 (b1 b2)"}));
  EXPECT_EQ(Names(options_[0].NewIn), StringList{"c1 "});
}

TEST_F(StageStepsTest, CounterStepKeepsAnOptionWithNothingOpenInPlace) {
  Setup("a b, b c, x y, y z");
  AddOption({"a ", "c "}, {"b "}, {}, {"b "});
  AddOption({"x "}, {"y "}, {}, {"y "});
  CounterStep(options_, *index_);
  EXPECT_EQ(Texts(), (StringList{"a c (b)", "x z (y)"}));
  EXPECT_TRUE(options_[0].NewIn.empty());
  EXPECT_TRUE(options_[0].NewOut.empty());
}

TEST_F(StageStepsTest, CounterStepFiltersEveryOptionForAdmissibility) {
  // The second option is not expanded (its NewOut is empty) but its OUT argument is undefeated.
  Setup("a b, b c");
  AddOption({"b "}, {"a ", "c "}, {}, {"c "});
  AddOption({"a "}, {"b "}, {}, {});
  AddOption({"a ", "c "}, {"b "}, {}, {});
  CounterStep(options_, *index_);
  EXPECT_EQ(Texts(), (StringList{"a c (b)"}));
}

TEST_F(StageStepsTest, DefendStepMakesAttackersOutAndDropsConflictingOptions) {
  Setup("a b, b c");
  AddOption({"a "}, {}, {"a "}, {});
  DefendStep(options_, *index_);
  ASSERT_EQ(Texts(), (StringList{"a (b)"}));
  EXPECT_TRUE(options_[0].NewIn.empty());
  EXPECT_EQ(Names(options_[0].NewOut), StringList{"b "});

  Setup("a a");
  AddOption({"a "}, {}, {"a "}, {});
  DefendStep(options_, *index_);
  EXPECT_TRUE(options_.empty());
}

TEST_F(StageStepsTest, DefendStepTestsForConflictOnlyWhenItAddedSomething) {
  // Both options are conflicting (a attacks b), but nothing new is made OUT in them.
  Setup("b a, a c");
  AddOption({"b ", "a "}, {}, {}, {});
  AddOption({"b ", "a "}, {"c "}, {"a "}, {});
  DefendStep(options_, *index_);
  EXPECT_EQ(Texts(), (StringList{"a b", "a b (c)"}));
  // An attacker already OUT is not put into NewOut again.
  EXPECT_TRUE(options_[1].NewOut.empty());
}

TEST_F(StageStepsTest, AdmissibilityPredicates) {
  Setup("a b, b c, d d, e E, E");
  struct Case {
    StringList in, out;
    bool conflict_free, out_defeated;
  };
  const Case cases[] = {
      {{}, {}, true, true},
      {{"a ", "c "}, {"b "}, true, true},
      {{"a ", "b "}, {}, false, true},
      {{"a "}, {"b "}, true, false},
      {{"d "}, {}, false, true},
      {{"c "}, {"b ", "a "}, true, false},
      {{"b "}, {"b "}, true, false},
      {{"c ", "b "}, {"b "}, false, true},
      // IN e is attacked by E, whose name IN holds in the spelling e: a conflict.
      {{"e "}, {}, false, true},
      // E is attacked by no one; OUT E is attacked by no IN argument.
      {{"E "}, {"e "}, true, true},
  };
  for (const Case& c : cases) {
    const TProofLabeling labeling = LabelingNamed(theory_, *index_, c.in, c.out);
    const std::string text = LabelingText(labeling, *index_);
    EXPECT_EQ(IsConflictFree(labeling, *index_), c.conflict_free) << text;
    EXPECT_EQ(IsOutDefeated(labeling, *index_), c.out_defeated) << text;
    EXPECT_EQ(IsAdmissibleStage(labeling, *index_), c.conflict_free && c.out_defeated);
  }
}

TEST(CombinationCount, MultipliesAttackerCountsWithoutOverflow) {
  TTheory theory;
  ParseText("x p q, y, z p q r", theory);
  const ArgIndex index(theory);
  const int x = RankNamed(theory, index, "x ");
  const int y = RankNamed(theory, index, "y ");
  const int z = RankNamed(theory, index, "z ");
  EXPECT_EQ(CombinationCount({}, index), 1u);
  EXPECT_EQ(CombinationCount({x, z}, index), 6u);
  EXPECT_EQ(CombinationCount({x, y, z}, index), 0u);
  const std::vector<int> many(70, x);
  EXPECT_EQ(CombinationCount(many, index), UINT64_MAX);
  std::vector<int> many_then_none = many;
  many_then_none.push_back(y);
  EXPECT_EQ(CombinationCount(many_then_none, index), 0u);
}

// Nine open arguments of four attackers each need 4^9 combinations, past the limit.
std::string WideTheory(int open_args) {
  std::string text = "a";
  for (int i = 0; i < open_args; ++i) text += " b" + std::to_string(i);
  for (int i = 0; i < open_args; ++i) {
    text += ", b" + std::to_string(i);
    for (int j = 0; j < 4; ++j) text += " c" + std::to_string(i) + "_" + std::to_string(j);
  }
  return text;
}

TEST_F(StageStepsTest, CounterStepPastTheCombinationLimitChangesNothing) {
  Setup(WideTheory(9));
  StringList out;
  for (int i = 0; i < 9; ++i) out.push_back("b" + std::to_string(i) + " ");
  AddOption({"a "}, out, {}, {});
  AddOption({"a "}, out, {}, out);
  const StringList before = Texts();
  EXPECT_EQ(CounterStep(options_, *index_), StepOutcome::kTooManyCombinations);
  EXPECT_EQ(Texts(), before);
  EXPECT_FALSE(options_[1].NewOut.empty());
}

TEST_F(StageStepsTest, CounterStepAtTheCombinationLimitExpandsFully) {
  Setup(WideTheory(8));
  StringList out;
  for (int i = 0; i < 8; ++i) out.push_back("b" + std::to_string(i) + " ");
  AddOption({"a "}, out, {}, out);
  EXPECT_EQ(CounterStep(options_, *index_), StepOutcome::kDone);
  ASSERT_EQ(options_.size(), kMaxCounterCombinations);
  EXPECT_EQ(LabelingText(options_.front(), *index_),
            "a c0_0 c1_0 c2_0 c3_0 c4_0 c5_0 c6_0 c7_0 (b0 b1 b2 b3 b4 b5 b6 b7)");
  EXPECT_EQ(LabelingText(options_[1], *index_),
            "a c0_1 c1_0 c2_0 c3_0 c4_0 c5_0 c6_0 c7_0 (b0 b1 b2 b3 b4 b5 b6 b7)");
  EXPECT_EQ(LabelingText(options_.back(), *index_),
            "a c0_3 c1_3 c2_3 c3_3 c4_3 c5_3 c6_3 c7_3 (b0 b1 b2 b3 b4 b5 b6 b7)");
}

}  // namespace
}  // namespace dialectic
