#include "semantics/preferred.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "semantics/option_search.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

// The preferred extensions of the text after a full option search at depth 100.
struct PreferredRun {
  explicit PreferredRun(const std::string& text) {
    ParseText(text, theory);
    ComputeAllOptions(theory, {100, false, memo2, memo3});
    ComputePreferred(theory, result, memo5);
  }
  StringList Texts() const {
    StringList texts;
    for (const TProofLabeling& labeling : result) texts.push_back(LabelingText(labeling));
    return texts;
  }
  TTheory theory;
  TextArea memo2, memo3, memo5;
  std::vector<TProofLabeling> result;
};

// m independent even cycles a_i <-> b_i: 2m ambiguous arguments.
std::string EvenCycles(int m) {
  std::string text;
  for (int i = 0; i < m; ++i) {
    const std::string a = "a" + std::to_string(i), b = "b" + std::to_string(i);
    text += a + " " + b + ", " + b + " " + a + "\n";
  }
  return text;
}

TEST(ComputePreferred, ExtensionsInTheOrderOfTheirCombinationNumbers) {
  struct Case {
    std::string theory;
    StringList extensions;
  };
  const Case cases[] = {
      {"", {"<empty>"}},
      {"a b, b c", {"a c (b)"}},
      {"a b, b a", {"b (a)", "a (b)"}},
      {"a a", {"<empty>"}},
      {"a b, b c, c a", {"<empty>"}},
      {"a b, b c, c b", {"a c (b)", "b (a c)"}},
      // The floating argument c of two cycles: the two combinations that reject are not listed.
      {"a b, b a, c a b", {"b (a c)", "a (b c)"}},
      {"a b, b a, c d, d c", {"b d (a c)", "a d (b c)", "b c (a d)", "a c (b d)"}},
  };
  for (const Case& c : cases) {
    const PreferredRun run(c.theory);
    EXPECT_EQ(run.Texts(), c.extensions) << c.theory;
    EXPECT_EQ(run.memo5.Count(), 0);
  }
}

TEST(ComputePreferred, ThirtyThreeAmbiguousArgumentsGiveTheMessageAndNothingElse) {
  // z, attacked by a cycle member, can be IN and OUT too.
  const PreferredRun run(EvenCycles(16) + "z a0");
  TArgs ambiguous;
  GetAmbiguousArgs(run.theory, ambiguous);
  ASSERT_EQ(ambiguous.Count(), 33);
  EXPECT_TRUE(run.result.empty());
  EXPECT_EQ(run.memo5.Lines(),
            StringList{"There are too many dialectically ambiguous arguments for this version of "
                       "the algorithm"});
}

TEST(ComputePreferred, TooManyKeptCandidatesGiveAMessageInsteadOfAList) {
  // Eighteen arguments whose only options are themselves IN and themselves OUT: every one of the
  // 2^18 combinations is kept, more than the listing takes.
  TTheory theory;
  for (int i = 0; i < 18; ++i) {
    TArg& arg = theory.FindOrAdd("x" + std::to_string(i) + " ");
    arg.Options.emplace_back().InArgs.Add(arg.Name);
    arg.Options.emplace_back().OutArgs.Add(arg.Name);
  }
  TextArea memo5;
  std::vector<TProofLabeling> result;
  ComputePreferred(theory, result, memo5);
  EXPECT_TRUE(result.empty());
  EXPECT_EQ(memo5.Lines(), StringList{"The preferred extensions are too many to enumerate with "
                                      "this version of the algorithm"});

  theory.Clear();
  for (int i = 0; i < 17; ++i) {
    TArg& arg = theory.FindOrAdd("x" + std::to_string(i) + " ");
    arg.Options.emplace_back().InArgs.Add(arg.Name);
    arg.Options.emplace_back().OutArgs.Add(arg.Name);
  }
  memo5.Clear();
  ComputePreferred(theory, result, memo5);
  EXPECT_EQ(result.size(), kMaxPreferredCandidates);
  EXPECT_EQ(memo5.Count(), 0);
  EXPECT_EQ(LabelingText(result[1]), "x1 x10 x11 x12 x13 x14 x15 x16 x2 x3 x4 x5 x6 x7 x8 x9 (x0)");
}

TEST(ComputePreferred, SixteenCyclesListEveryOneOfTheirExtensionsInCombinationOrder) {
  const PreferredRun run(EvenCycles(16));
  ASSERT_EQ(run.result.size(), 65536u);
  EXPECT_EQ(run.Texts()[0],
            "b0 b1 b10 b11 b12 b13 b14 b15 b2 b3 b4 b5 b6 b7 b8 b9 "
            "(a0 a1 a10 a11 a12 a13 a14 a15 a2 a3 a4 a5 a6 a7 a8 a9)");
  EXPECT_EQ(run.Texts()[1],
            "a0 b1 b10 b11 b12 b13 b14 b15 b2 b3 b4 b5 b6 b7 b8 b9 "
            "(a1 a10 a11 a12 a13 a14 a15 a2 a3 a4 a5 a6 a7 a8 a9 b0)");
}

TEST(IsAmbiguous, NeedsAnOptionWithTheArgumentInAndOneWithItOut) {
  TTheory theory;
  ParseText("a b", theory);
  TArg& a = theory.Args[0];
  EXPECT_FALSE(IsAmbiguous(a));
  a.Options.emplace_back().InArgs.Add("a ");
  EXPECT_FALSE(IsAmbiguous(a));
  a.Options.emplace_back().OutArgs.Add("A ");
  EXPECT_TRUE(IsAmbiguous(a));
}

TEST(IsCompatible, ComparesInAgainstOutAcrossTheTwoLabelingsOnly) {
  TTheory theory;
  ParseText("a b, c d", theory);
  auto labeling = [](const StringList& in, const StringList& out) {
    TProofLabeling l;
    l.InArgs.AddAll(in);
    l.OutArgs.AddAll(out);
    return l;
  };
  struct Case {
    TProofLabeling l, o;
    bool compatible;
  };
  const Case cases[] = {
      {labeling({}, {}), labeling({"a "}, {"b "}), true},
      {labeling({"a "}, {}), labeling({}, {"a "}), false},
      {labeling({}, {"a "}), labeling({"a "}, {}), false},
      {labeling({"a "}, {"a "}), labeling({"c "}, {"d "}), true},
      {labeling({"a ", "c "}, {"b "}), labeling({"b "}, {"d "}), false},
      {labeling({"c "}, {}), labeling({"c "}, {"c "}), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsCompatible(theory, c.l, c.o), c.compatible)
        << LabelingText(c.l) << " / " << LabelingText(c.o);
  }
}

TEST(Power2, DoublesOneNTimes) {
  EXPECT_EQ(Power2(0), 1u);
  EXPECT_EQ(Power2(1), 2u);
  EXPECT_EQ(Power2(32), 4294967296u);
}

}  // namespace
}  // namespace dialectic
