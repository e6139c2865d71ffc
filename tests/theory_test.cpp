#include "model/theory.h"

#include <gtest/gtest.h>

#include "model/arg_index.h"
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
  ASSERT_NE(theory.Find("a "), nullptr);
  EXPECT_EQ(theory.Find("a ")->Position, 1);
  EXPECT_EQ(theory.Find("A ")->Position, 0);
  EXPECT_EQ(theory.Find("a"), nullptr);
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
  EXPECT_EQ(a.Position, 0);
}

TEST(TTheory, ManyAttackersOfOneArgumentAreEachRecordedOnce) {
  TTheory theory;
  std::string clause = "a";
  for (int i = 0; i < 20000; ++i) clause += " b" + std::to_string(i % 10000);
  ParseText(clause, theory);
  EXPECT_EQ(theory.Args.Count(), 10001);
  EXPECT_EQ(theory.Args[0].Attackers.Count(), 10000);
  EXPECT_EQ(theory.Args[5].Targets.Count(), 1);
}

TEST(ArgIndex, RanksByFoldedNameThenPositionAndGroupsClasses) {
  TTheory theory;
  ParseText("b B a, A c", theory);  // Args: b, B, a, A, c
  const ArgIndex index(theory);
  StringList by_rank;
  for (int rank = 0; rank < index.Size(); ++rank) by_rank.push_back(index.NameOfRank(rank));
  EXPECT_EQ(by_rank, (StringList{"a ", "A ", "b ", "B ", "c "}));
  EXPECT_TRUE(index.HasCaseEqualNames());
  EXPECT_EQ(index.ClassBegin(1), 0);
  EXPECT_EQ(index.ClassEnd(0), 2);
  EXPECT_EQ(index.ClassBegin(4), 4);
  EXPECT_EQ(index.ClassEnd(4), 5);
  for (const TArg* arg : theory.Args) EXPECT_EQ(&index.ArgOfRank(index.RankOf(*arg)), arg);
  // c attacks A: c's targets by rank hold the rank of A.
  EXPECT_EQ(index.TargetsOf(index.RankOf(*theory.Find("c "))), std::vector<int>{1});

  TTheory distinct;
  ParseText("b a", distinct);
  EXPECT_FALSE(ArgIndex(distinct).HasCaseEqualNames());
}

}  // namespace
}  // namespace dialectic
