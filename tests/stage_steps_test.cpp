#include "semantics/stage_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support.h"

namespace dialectic {
namespace {

// A theory with one option on its first argument, given by its four sets.
class StageStepsTest : public ::testing::Test {
 protected:
  TArg& Setup(const std::string& text) {
    ParseText(text, theory_);
    return theory_.Args[0];
  }

  TProofLabeling& AddOption(TArg& arg, const StringList& in, const StringList& out,
                            const StringList& new_in, const StringList& new_out) {
    TProofLabeling& option = arg.Options.emplace_back();
    option.Theory = &theory_;
    option.Arg = &arg;
    option.InArgs.AddAll(in);
    option.OutArgs.AddAll(out);
    option.NewIn.AddAll(new_in);
    option.NewOut.AddAll(new_out);
    return option;
  }

  static StringList Texts(const TArg& arg) {
    StringList texts;
    for (const TProofLabeling& option : arg.Options) texts.push_back(LabelingText(option));
    return texts;
  }

  TTheory theory_;
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
    theory_.Clear();
    TArg& a = Setup(c.theory);
    AddOption(a, {"a "}, c.out, {}, c.out);
    EXPECT_EQ(CounterStep(a), StepOutcome::kDone);
    EXPECT_EQ(Texts(a), c.options) << c.theory;
    for (const TProofLabeling& option : a.Options) {
      EXPECT_TRUE(option.NewOut.empty());
      EXPECT_EQ(option.Arg, &a);
    }
  }
}

TEST_F(StageStepsTest, CounterStepGivesEachNewOptionItsCounterAttackersAsNewIn) {
  TArg& a = Setup("a b1 b2, b1 c1 c2, b2 c1");
  AddOption(a, {"a "}, {"b1 ", "b2 "}, {}, {"b1 ", "b2 "});
  CounterStep(a);
  ASSERT_EQ(Texts(a), (StringList{"a c1 (b1 b2)"}));
  EXPECT_EQ(StringList(a.Options[0].NewIn.begin(), a.Options[0].NewIn.end()), StringList{"c1 "});
}

TEST_F(StageStepsTest, CounterStepKeepsAnOptionWithNothingOpenInPlace) {
  TArg& a = Setup("a b, b c, x y, y z");
  AddOption(a, {"a ", "c "}, {"b "}, {}, {"b "});
  AddOption(a, {"x "}, {"y "}, {}, {"y "});
  CounterStep(a);
  EXPECT_EQ(Texts(a), (StringList{"a c (b)", "x z (y)"}));
  EXPECT_TRUE(a.Options[0].NewIn.empty());
  EXPECT_TRUE(a.Options[0].NewOut.empty());
}

TEST_F(StageStepsTest, CounterStepFiltersEveryOptionForAdmissibility) {
  // The second option is not expanded (its NewOut is empty) but its OUT argument is undefeated.
  TArg& a = Setup("a b, b c");
  AddOption(a, {"b "}, {"a ", "c "}, {}, {"c "});
  AddOption(a, {"a "}, {"b "}, {}, {});
  AddOption(a, {"a ", "c "}, {"b "}, {}, {});
  CounterStep(a);
  EXPECT_EQ(Texts(a), (StringList{"a c (b)"}));
}

TEST_F(StageStepsTest, DefendStepMakesAttackersOutAndDropsConflictingOptions) {
  TArg& a = Setup("a b, b c");
  AddOption(a, {"a "}, {}, {"a "}, {});
  DefendStep(a);
  ASSERT_EQ(Texts(a), (StringList{"a (b)"}));
  EXPECT_TRUE(a.Options[0].NewIn.empty());
  EXPECT_EQ(StringList(a.Options[0].NewOut.begin(), a.Options[0].NewOut.end()), StringList{"b "});

  theory_.Clear();
  TArg& self = Setup("a a");
  AddOption(self, {"a "}, {}, {"a "}, {});
  DefendStep(self);
  EXPECT_TRUE(self.Options.empty());
}

TEST_F(StageStepsTest, DefendStepTestsForConflictOnlyWhenItAddedSomething) {
  // Both options are conflicting (a attacks b), but nothing new is made OUT in them.
  TArg& a = Setup("b a, a c");
  AddOption(a, {"b ", "a "}, {}, {}, {});
  AddOption(a, {"b ", "a "}, {"c "}, {"a "}, {});
  DefendStep(a);
  EXPECT_EQ(Texts(a), (StringList{"a b", "a b (c)"}));
  // An attacker already OUT is not put into NewOut again.
  EXPECT_TRUE(a.Options[1].NewOut.empty());
}

TEST_F(StageStepsTest, AdmissibilityPredicates) {
  Setup("a b, b c, d d");
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
  };
  for (const Case& c : cases) {
    TProofLabeling labeling;
    labeling.InArgs.AddAll(c.in);
    labeling.OutArgs.AddAll(c.out);
    EXPECT_EQ(IsConflictFree(theory_, labeling), c.conflict_free) << LabelingText(labeling);
    EXPECT_EQ(IsOutDefeated(theory_, labeling), c.out_defeated) << LabelingText(labeling);
    EXPECT_EQ(IsAdmissibleStage(theory_, labeling), c.conflict_free && c.out_defeated);
  }
}

TEST(IsSubsetOf, IgnoresLetterCaseOrderAndRepetition) {
  EXPECT_TRUE(IsSubsetOf({}, {}));
  EXPECT_TRUE(IsSubsetOf({}, {"a "}));
  EXPECT_TRUE(IsSubsetOf({"e ", "e "}, {"e ", "f "}));
  EXPECT_TRUE(IsSubsetOf({"f ", "e "}, {"E ", "F "}));
  EXPECT_FALSE(IsSubsetOf({"e ", "f "}, {"e ", "e "}));
  EXPECT_FALSE(IsSubsetOf({"a "}, {}));
}

TEST(CombinationCount, MultipliesAttackerCountsWithoutOverflow) {
  TTheory theory;
  ParseText("x p q, y, z p q r", theory);
  const TArg& x = theory.Args[0];
  const TArg& y = theory.FindOrAdd("y ");
  const TArg& z = theory.FindOrAdd("z ");
  EXPECT_EQ(CombinationCount({}), 1u);
  EXPECT_EQ(CombinationCount({&x, &z}), 6u);
  EXPECT_EQ(CombinationCount({&x, &y, &z}), 0u);
  const std::vector<const TArg*> many(70, &x);
  EXPECT_EQ(CombinationCount(many), UINT64_MAX);
  std::vector<const TArg*> many_then_none = many;
  many_then_none.push_back(&y);
  EXPECT_EQ(CombinationCount(many_then_none), 0u);
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
  TArg& a = Setup(WideTheory(9));
  StringList out;
  for (int i = 0; i < 9; ++i) out.push_back("b" + std::to_string(i) + " ");
  AddOption(a, {"a "}, out, {}, {});
  AddOption(a, {"a "}, out, {}, out);
  const StringList before = Texts(a);
  EXPECT_EQ(CounterStep(a), StepOutcome::kTooManyCombinations);
  EXPECT_EQ(Texts(a), before);
  EXPECT_FALSE(a.Options[1].NewOut.empty());
}

TEST_F(StageStepsTest, CounterStepAtTheCombinationLimitExpandsFully) {
  TArg& a = Setup(WideTheory(8));
  StringList out;
  for (int i = 0; i < 8; ++i) out.push_back("b" + std::to_string(i) + " ");
  AddOption(a, {"a "}, out, {}, out);
  EXPECT_EQ(CounterStep(a), StepOutcome::kDone);
  ASSERT_EQ(a.Options.size(), kMaxCounterCombinations);
  EXPECT_EQ(LabelingText(a.Options.front()),
            "a c0_0 c1_0 c2_0 c3_0 c4_0 c5_0 c6_0 c7_0 (b0 b1 b2 b3 b4 b5 b6 b7)");
  EXPECT_EQ(LabelingText(a.Options[1]),
            "a c0_1 c1_0 c2_0 c3_0 c4_0 c5_0 c6_0 c7_0 (b0 b1 b2 b3 b4 b5 b6 b7)");
  EXPECT_EQ(LabelingText(a.Options.back()),
            "a c0_3 c1_3 c2_3 c3_3 c4_3 c5_3 c6_3 c7_3 (b0 b1 b2 b3 b4 b5 b6 b7)");
}

}  // namespace
}  // namespace dialectic
