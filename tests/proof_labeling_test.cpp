#include "model/proof_labeling.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support.h"

namespace dialectic {
namespace {

TProofLabeling Labeling(const std::vector<std::string>& in, const std::vector<std::string>& out) {
  TProofLabeling labeling;
  labeling.InArgs.AddAll(in);
  labeling.OutArgs.AddAll(out);
  return labeling;
}

TEST(LabelingText, ListsInNamesThenOutNamesInParentheses) {
  struct Case {
    std::vector<std::string> in, out;
    std::string text;
  };
  const Case cases[] = {
      {{"a ", "c "}, {"b "}, "a c (b)"},
      {{"a ", "b1 "}, {"b2 ", "c1 "}, "a b1 (b2 c1)"},
      {{"a "}, {}, "a"},
      {{}, {"a "}, "(a)"},
      {{}, {}, "<empty>"},
      {{"b ", "a "}, {}, "a b"},
      {{"a "}, {"a "}, "a (a)"},
      {{"a ", "A "}, {}, "a"},
      {{" "}, {}, "<empty>"},
      {{}, {" "}, "()"},
      {{"a\t "}, {"b\t "}, "a\t (b)"},
  };
  for (const Case& c : cases) EXPECT_EQ(LabelingText(Labeling(c.in, c.out)), c.text);
}

TEST(IsAttackedByIn, MatchesInNamesAgainstAttackerNamesExactly) {
  TTheory theory;
  ParseText("a b, b c, d d, e A", theory);
  const TArg& a = theory.Args[0];
  const TArg& b = theory.Args[1];
  const TArg& d = theory.Args[3];
  const TArg& e = theory.Args[4];
  EXPECT_FALSE(IsAttackedByIn(Labeling({}, {}), a));
  EXPECT_TRUE(IsAttackedByIn(Labeling({"b "}, {}), a));
  EXPECT_FALSE(IsAttackedByIn(Labeling({"b "}, {}), b));
  EXPECT_FALSE(IsAttackedByIn(Labeling({}, {"b "}), a));
  EXPECT_TRUE(IsAttackedByIn(Labeling({"d "}, {}), d));
  // The name set holds "a " for both spellings, and "a " is no attacker of e.
  EXPECT_FALSE(IsAttackedByIn(Labeling({"a "}, {}), e));
  EXPECT_TRUE(IsAttackedByIn(Labeling({"A "}, {}), e));
}

TEST(Merge, AddsInAndOutNamesAndLeavesTheWorkingSets) {
  TProofLabeling labeling = Labeling({"a "}, {"b "});
  labeling.NewIn.Add("x ");
  TProofLabeling other = Labeling({"c ", "A "}, {"d "});
  other.NewOut.Add("y ");
  Merge(labeling, other);
  EXPECT_EQ(LabelingText(labeling), "a c (b d)");
  EXPECT_EQ(labeling.NewIn.size(), 1u);
  EXPECT_TRUE(labeling.NewOut.empty());
}

}  // namespace
}  // namespace dialectic
