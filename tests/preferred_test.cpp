#include "semantics/preferred.h"

#include <gtest/gtest.h>

#include <optional>
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
    index.emplace(theory);
    ComputeAllOptions(theory, *index, {100, context});
    outcome = ComputePreferred(theory, *index, result, context);
  }
  StringList Texts() const {
    StringList texts;
    for (const TProofLabeling& labeling : result) texts.push_back(LabelingText(labeling, *index));
    return texts;
  }
  TTheory theory;
  std::optional<ArgIndex> index;
  RunContext context;
  PreferredOutcome outcome = PreferredOutcome::kDone;
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
      // Names equal up to letter case are one name in the candidates: the first spelling stays.
      {"a B, B a, b a", {"B (a)", "a (B)"}},
  };
  for (const Case& c : cases) {
    const PreferredRun run(c.theory);
    EXPECT_EQ(run.Texts(), c.extensions) << c.theory;
    EXPECT_EQ(run.outcome, PreferredOutcome::kDone);
  }
}

TEST(ComputePreferred, ThirtyThreeAmbiguousArgumentsAreTooManyAndGiveNothing) {
  // z, attacked by a cycle member, can be IN and OUT too.
  const PreferredRun run(EvenCycles(16) + "z a0");
  ASSERT_EQ(GetAmbiguousArgs(run.theory, *run.index).size(), 33u);
  EXPECT_TRUE(run.result.empty());
  EXPECT_EQ(run.outcome, PreferredOutcome::kTooManyAmbiguous);
}

TEST(ComputePreferred, TooManyKeptCandidatesGiveNone) {
  // Eighteen arguments whose only options are themselves IN and themselves OUT: every one of the
  // 2^18 combinations is kept, more than the listing takes.
  RunContext context;
  for (const int count : {18, 17}) {
    TTheory theory;
    for (int i = 0; i < count; ++i) theory.FindOrAdd("x" + std::to_string(i) + " ");
    const ArgIndex index(theory);
    for (TArg* arg : theory.Args) {
      arg->Options.emplace_back().InArgs.Add(index.RankOf(*arg));
      arg->Options.emplace_back().OutArgs.Add(index.RankOf(*arg));
    }
    std::vector<TProofLabeling> result;
    const PreferredOutcome outcome = ComputePreferred(theory, index, result, context);
    if (count == 18) {
      EXPECT_TRUE(result.empty());
      EXPECT_EQ(outcome, PreferredOutcome::kTooMany);
    } else {
      EXPECT_EQ(result.size(), kMaxPreferredCandidates);
      EXPECT_EQ(outcome, PreferredOutcome::kDone);
      EXPECT_EQ(LabelingText(result[1], index),
                "x1 x10 x11 x12 x13 x14 x15 x16 x2 x3 x4 x5 x6 x7 x8 x9 (x0)");
    }
  }
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

TEST(ComputePreferred, AStopRequestEndsItWithNothing) {
  PreferredRun run(EvenCycles(8));
  run.context.RequestStop();
  EXPECT_EQ(ComputePreferred(run.theory, *run.index, run.result, run.context),
            PreferredOutcome::kStopped);
  EXPECT_TRUE(run.result.empty());
}

TEST(IsAmbiguous, NeedsAnOptionWithTheArgumentInAndOneWithItOutLetterCaseIgnored) {
  TTheory theory;
  ParseText("a b, A", theory);
  const ArgIndex index(theory);
  TArg& a = theory.Args[0];
  EXPECT_FALSE(IsAmbiguous(a, index));
  a.Options.push_back(LabelingNamed(theory, index, {"a "}, {}));
  EXPECT_FALSE(IsAmbiguous(a, index));
  a.Options.push_back(LabelingNamed(theory, index, {}, {"A "}));
  EXPECT_TRUE(IsAmbiguous(a, index));
}

TEST(IsCompatible, ComparesInAgainstOutAcrossTheTwoLabelingsOnly) {
  TTheory theory;
  ParseText("a b, c d, C", theory);
  const ArgIndex index(theory);
  struct Case {
    StringList l_in, l_out, o_in, o_out;
    bool compatible;
  };
  const Case cases[] = {
      {{}, {}, {"a "}, {"b "}, true},
      {{"a "}, {}, {}, {"a "}, false},
      {{}, {"a "}, {"a "}, {}, false},
      {{"a "}, {"a "}, {"c "}, {"d "}, true},
      {{"a ", "c "}, {"b "}, {"b "}, {"d "}, false},
      {{"c "}, {}, {"c "}, {"c "}, false},
      {{"C "}, {}, {}, {"c "}, false},  // letter case ignored
  };
  for (const Case& c : cases) {
    const TProofLabeling l = LabelingNamed(theory, index, c.l_in, c.l_out);
    const TProofLabeling o = LabelingNamed(theory, index, c.o_in, c.o_out);
    EXPECT_EQ(IsCompatible(l, o, index), c.compatible)
        << LabelingText(l, index) << " / " << LabelingText(o, index);
  }
}

}  // namespace
}  // namespace dialectic
