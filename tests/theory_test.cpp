#include "model/theory.h"

#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace dialectic {
namespace {

TEST(TTheory, AddAttackEntersTheTargetBeforeTheAttacker) {
  TTheory theory;
  theory.AddAttack("x ", "y ");
  EXPECT_EQ(ArgNames(theory.Args), "y,x");
  EXPECT_EQ(ArgNames(theory.Args[0].Attackers), "x");
  EXPECT_EQ(ArgNames(theory.Args[1].Targets), "y");
}

TEST(TTheory, RepeatedAttackIsRecordedOnce) {
  TTheory theory;
  ParseText("a b\na b\na b b", theory);
  const TArg& a = theory.Args[0];
  const TArg& b = theory.Args[1];
  EXPECT_EQ(ArgNames(a.Attackers), "b");
  EXPECT_EQ(ArgNames(b.Targets), "a");
  EXPECT_TRUE(a.Targets.empty());
  EXPECT_TRUE(b.Attackers.empty());
}

TEST(TTheory, SelfAttackMakesTheArgumentItsOwnAttackerAndTarget) {
  TTheory theory;
  ParseText("a a", theory);
  ASSERT_EQ(theory.Args.Count(), 1);
  EXPECT_EQ(ArgNames(theory.Args[0].Attackers), "a");
  EXPECT_EQ(ArgNames(theory.Args[0].Targets), "a");
}

TEST(TTheory, NamesDifferingOnlyInLetterCaseAreTwoArguments) {
  TTheory theory;
  ParseText("A a", theory);
  EXPECT_EQ(ArgNames(theory.Args), "A,a");
  EXPECT_EQ(theory.Args.IndexOfName("a "), 1);
  EXPECT_EQ(theory.Args.IndexOfName("A "), 0);
  EXPECT_EQ(theory.Args.IndexOfName("a"), -1);
}

TEST(TTheory, ClearForgetsEveryArgumentWithItsAttacksAndOptions) {
  TTheory theory;
  ParseText("a b", theory);
  theory.Args[0].Options.emplace_back();
  theory.Clear();
  EXPECT_TRUE(theory.Args.empty());
  TArg& a = theory.FindOrAdd("a ");
  EXPECT_EQ(theory.Args.Count(), 1);
  EXPECT_TRUE(a.Attackers.empty());
  EXPECT_TRUE(a.Targets.empty());
  EXPECT_TRUE(a.Options.empty());
  EXPECT_EQ(a.Theory, &theory);
}

}  // namespace
}  // namespace dialectic
