#include "semantics/option_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "frontend/result_areas.h"
#include "semantics/stage_steps.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

struct SearchResult {
  TextArea memo2;
  TextArea memo3;
  SearchOutcome outcome;
};

class OptionSearchTest : public ::testing::Test {
 protected:
  SearchResult& Search(const std::string& text, std::int32_t depth, bool show_trace) {
    ParseText(text, theory_);
    index_.emplace(theory_);
    // The trace and the warnings as the run writes them.
    result_.memo3.Clear();
    TraceWriter trace(*index_, show_trace, result_.memo3);
    result_.outcome = ComputeAllOptions(theory_, *index_, {depth, run_, &trace});
    cut_offs_ = result_.outcome.cut_offs;
    WriteWarnings(cut_offs_, result_.memo2);
    return result_;
  }

  // The cut-off phases as "name phase reason", the name without its blank.
  StringList CutOffTexts() const {
    StringList texts;
    for (const PhaseCutOff& cut_off : cut_offs_) {
      texts.push_back(cut_off.arg->Name +
                      (cut_off.phase == Phase::kProof ? "proof " : "refutation ") +
                      (cut_off.reason == CutOffReason::kDepth          ? "depth"
                       : cut_off.reason == CutOffReason::kCombinations ? "combinations"
                                                                       : "options"));
    }
    return texts;
  }

  StringList OptionTexts(const std::string& name) {
    StringList texts;
    for (const TProofLabeling& option : theory_.FindOrAdd(name).Options)
      texts.push_back(LabelingText(option, *index_));
    return texts;
  }

  TTheory theory_;
  std::optional<ArgIndex> index_;
  RunContext run_;
  SearchResult result_;
  std::vector<PhaseCutOff> cut_offs_;
};

TEST_F(OptionSearchTest, TracesEveryStageOfReinstatement) {
  const SearchResult& result = Search("a b, b c", 100, true);
  const StringList& trace = result.memo3.Lines();
  ASSERT_GE(trace.size(), kReinstatementTraceOfA.size());
  EXPECT_EQ(StringList(trace.begin(), trace.begin() + kReinstatementTraceOfA.size()),
            kReinstatementTraceOfA);
  EXPECT_EQ(OptionTexts("a "), StringList{"a c (b)"});
  EXPECT_EQ(OptionTexts("b "), StringList{"c (b)"});
  EXPECT_EQ(OptionTexts("c "), StringList{"c"});
  EXPECT_EQ(result.memo2.Count(), 0);
}

TEST_F(OptionSearchTest, WithoutTraceOnlyTheStableStagesAreWritten) {
  const SearchResult& result = Search("a b, b c", 100, false);
  const StringList expected = {"3:", "  <as previous level>",
                               "3:", "  <none>",
                               "2:", "  <none>",
                               "2:", "  <as previous level>",
                               "1:", "  <as previous level>",
                               "1:", "  <none>"};
  EXPECT_EQ(result.memo3.Lines(), expected);
  EXPECT_EQ(OptionTexts("a "), StringList{"a c (b)"});
}

TEST_F(OptionSearchTest, RecordsTheStageThatGaveEachPhaseItsOptions) {
  struct Case {
    std::string theory;
    std::int32_t depth;
    std::string arg;
    OptionStages expected;
  };
  const Case kCases[] = {
      // Unattacked: proved at once; refuted by nothing, so the counter stage drops the option.
      {"a", 100, "a ", {0, 1, 1}},
      // Attacked by an unattacked argument: the proof dies at its counter stage (2), the
      // refutation is found at its first stage.
      {"a b", 100, "a ", {2, 1, 0}},
      {"a b", 100, "b ", {0, 1, 1}},
      // Reinstated: the proof grows over two stages before it stands; the refutation through b
      // dies when c cannot be countered.
      {"a b, b c", 100, "a ", {2, 3, 1}},
      {"a b, b c", 100, "b ", {2, 1, 0}},
      // The depth cuts the proof of a short: its last stage is the depth.
      {"a b, b c", 1, "a ", {1, 1, 1}},
      // No stage at all at depth 0.
      {"a b, b c", 0, "a ", {0, 0, 1}},
  };
  for (const Case& c : kCases) {
    theory_.Clear();
    Search(c.theory, c.depth, false);
    const TArg& arg = theory_.FindOrAdd(c.arg);
    const OptionStages& stages = result_.outcome.stages[static_cast<std::size_t>(arg.Position)];
    EXPECT_EQ(stages.proof_stage, c.expected.proof_stage) << c.theory << " depth " << c.depth;
    EXPECT_EQ(stages.refutation_stage, c.expected.refutation_stage)
        << c.theory << " depth " << c.depth;
    EXPECT_EQ(stages.proof_count, c.expected.proof_count) << c.theory << " depth " << c.depth;
  }
}

TEST_F(OptionSearchTest, InsufficientDepthWarnsOncePerUnstablePhase) {
  const StringList warning = {"***", "Check whether computation depth was sufficient", "***"};
  struct Case {
    std::string theory;
    std::int32_t depth;
    int warnings;
    StringList options_of_a;
  };
  const Case cases[] = {
      {"a b, b c", 1, 4, {"a (b)", "b (a)"}}, {"a b, b c", 2, 2, {"a c (b)", "b (a c)"}},
      {"a b, b c", 3, 0, {"a c (b)"}},        {"a", 0, 2, {"a", "(a)"}},
      {"a b", -5, 4, {"a", "(a)"}},
  };
  for (const Case& c : cases) {
    theory_.Clear();
    result_.memo2.Clear();
    Search(c.theory, c.depth, true);
    ASSERT_EQ(result_.memo2.Count(), 3 * c.warnings) << c.theory << " depth " << c.depth;
    for (int w = 0; w < c.warnings; ++w) {
      const StringList warnings = result_.memo2.Lines();
      const StringList lines(warnings.begin() + 3 * w, warnings.begin() + 3 * w + 3);
      EXPECT_EQ(lines, warning);
    }
    EXPECT_EQ(OptionTexts("a "), c.options_of_a) << c.theory << " depth " << c.depth;
    EXPECT_EQ(CutOffTexts().size(), static_cast<std::size_t>(c.warnings));
  }
  // Each warning is recorded with the argument and phase it belongs to.
  Search("a b, b c", 1, false);
  EXPECT_EQ(CutOffTexts(), (StringList{"a proof depth", "a refutation depth", "b proof depth",
                                       "b refutation depth"}));
}

TEST_F(OptionSearchTest, DepthZeroWritesOnlyTheStartLabelings) {
  const SearchResult& result = Search("a", 0, true);
  const StringList expected = {"Partial proof options of a ",      "0:", "  a",   "",
                               "Partial refutation options of a ", "0:", "  (a)", ""};
  EXPECT_EQ(result.memo3.Lines(), expected);
}

TEST_F(OptionSearchTest, SelfAttackerHasNoOptions) {
  const SearchResult& result = Search("a a", 100, true);
  const StringList expected = {
      "Partial proof options of a ",      "0:", "  a",   "1:", "  <none>", "",
      "Partial refutation options of a ", "0:", "  (a)", "1:", "  <none>", ""};
  EXPECT_EQ(result.memo3.Lines(), expected);
  EXPECT_TRUE(OptionTexts("a ").empty());
}

TEST_F(OptionSearchTest, EvenCycleGivesBothArgumentsBothKindsOfOption) {
  Search("a b, b a", 100, false);
  EXPECT_EQ(OptionTexts("a "), (StringList{"a (b)", "b (a)"}));
  EXPECT_EQ(OptionTexts("b "), (StringList{"b (a)", "a (b)"}));
}

TEST_F(OptionSearchTest, TooManyCombinationsStopThatPhaseWithAMessage) {
  std::string text = "a";
  for (int i = 0; i < 9; ++i) text += " b" + std::to_string(i);
  for (int i = 0; i < 9; ++i) {
    text += ", b" + std::to_string(i);
    for (int j = 0; j < 4; ++j) text += " c" + std::to_string(i) + "_" + std::to_string(j);
  }
  const SearchResult& result = Search(text, 100, false);
  const StringList expected = {"***", "Too many counter-attack combinations for a ", "***"};
  EXPECT_EQ(result.memo2.Lines(), expected);
  EXPECT_EQ(CutOffTexts(), StringList{"a proof combinations"});
  // The proof of a keeps the option of its last completed stage, the defence of a.
  const StringList options = OptionTexts("a ");
  ASSERT_EQ(options.size(), 1u);
  EXPECT_EQ(options[0], "a (b0 b1 b2 b3 b4 b5 b6 b7 b8)");
  // Every other argument is searched as usual.
  EXPECT_EQ(OptionTexts("b0 "), (StringList{"c0_0 (b0)", "c0_1 (b0)", "c0_2 (b0)", "c0_3 (b0)"}));
  EXPECT_EQ(OptionTexts("c0_0 "), StringList{"c0_0"});
}

TEST_F(OptionSearchTest, OptionsHoldingTooManyNamesStopThatPhaseAtItsLastCompletedStage) {
  // a's first counter step gives 4^8 = 65,536 options of 129 names each (a, eight b, each with one
  // of its four c, and 56 x, each with its one y): more names than a phase may hold.
  std::string text = "a";
  for (int i = 0; i < 8; ++i) text += " b" + std::to_string(i);
  for (int i = 0; i < 56; ++i) text += " x" + std::to_string(i);
  for (int i = 0; i < 8; ++i) {
    text += ", b" + std::to_string(i);
    for (int j = 0; j < 4; ++j) text += " c" + std::to_string(i) + std::to_string(j);
  }
  for (int i = 0; i < 56; ++i) text += ", x" + std::to_string(i) + " y" + std::to_string(i);
  static_assert(65536 * 129 > kMaxLiveNames);
  const SearchResult& result = Search(text, 100, true);
  EXPECT_EQ(result.memo2.Lines(), (StringList{"***", "Too many options to follow for a ", "***"}));
  EXPECT_EQ(CutOffTexts(), StringList{"a proof options"});
  // The option of the last completed stage: a with every attacker OUT, in name order.
  StringList attackers;
  for (int i = 0; i < 8; ++i) attackers.push_back("b" + std::to_string(i));
  for (int i = 0; i < 56; ++i) attackers.push_back("x" + std::to_string(i));
  std::sort(attackers.begin(), attackers.end());
  std::string defence = "a (";
  for (const std::string& name : attackers)
    defence += name + (name == attackers.back() ? ")" : " ");
  EXPECT_EQ(OptionTexts("a "), StringList{defence});
  // The trace shows the last completed stage and goes on with the refutation of a.
  const StringList trace = result.memo3.Lines();
  const auto refutation = std::find(trace.begin(), trace.end(), "Partial refutation options of a ");
  ASSERT_NE(refutation, trace.end());
  EXPECT_EQ(*(refutation - 2), "  " + defence);
  EXPECT_EQ(OptionTexts("b0 ").size(), 4u);
}

TEST_F(OptionSearchTest, OptionsCannotMultiplyPastTheLimitOfAStep) {
  // a has 4^6 = 4,096 proof options after its first counter step; each of them then needs 2^6
  // combinations for the d arguments, 262,144 in all, past the limit of one step.
  std::string text = "a";
  for (int i = 0; i < 6; ++i) text += " b" + std::to_string(i);
  for (int i = 0; i < 6; ++i) {
    const std::string b = "b" + std::to_string(i);
    text += ", " + b;
    for (int j = 0; j < 4; ++j) text += " c" + std::to_string(i) + std::to_string(j);
    for (int j = 0; j < 4; ++j) {
      const std::string c = "c" + std::to_string(i) + std::to_string(j);
      const std::string d = "d" + std::to_string(i) + std::to_string(j);
      text += ", " + c + " " + d + ", " + d + " e" + c + " f" + c;
    }
  }
  const SearchResult& result = Search(text, 100, false);
  EXPECT_EQ(result.memo2.Lines(),
            (StringList{"***", "Too many counter-attack combinations for a ", "***"}));
  const StringList options = OptionTexts("a ");
  ASSERT_EQ(options.size(), 4096u);
  EXPECT_EQ(options.front(),
            "a c00 c10 c20 c30 c40 c50 (b0 b1 b2 b3 b4 b5 d00 d10 d20 d30 d40 d50)");
}

// Options of the argument a with the eight OUT arguments b0 ... b7 still to be countered, each
// attacked by four arguments: 4^8 combinations per option.
class CombinationLimitTest : public ::testing::Test {
 protected:
  CombinationLimitTest() {
    std::string text = "a";
    for (int i = 0; i < 8; ++i) {
      const std::string b = "b" + std::to_string(i);
      text += " " + b + ", " + b;
      for (int j = 0; j < 4; ++j) text += " c" + std::to_string(i) + std::to_string(j);
      text += ",";
    }
    ParseText(text, theory_);
    index_.emplace(theory_);
  }

  Options OptionsNeeding(int count) {
    Options options(static_cast<std::size_t>(count));
    for (TProofLabeling& option : options) {
      option.InArgs.Add(index_->RankOf(theory_.Args[0]));
      for (int i = 0; i < 8; ++i) {
        const int b = index_->RankOf(*theory_.Find("b" + std::to_string(i) + " "));
        option.OutArgs.Add(b);
        option.NewOut.Add(b);
      }
    }
    return options;
  }

  TTheory theory_;
  std::optional<ArgIndex> index_;
};

TEST_F(CombinationLimitTest, CounterStepKeepsWithinThePerOptionAndPerStepLimits) {
  static_assert(kMaxCounterCombinations == 65536 && kMaxStepCombinations == 2 * 65536);
  struct Case {
    int options;
    StepOutcome outcome;
  };
  for (const Case c : {Case{1, StepOutcome::kDone}, Case{2, StepOutcome::kDone},
                       Case{3, StepOutcome::kTooManyCombinations}}) {
    Options options = OptionsNeeding(c.options);
    EXPECT_EQ(CounterStep(options, *index_), c.outcome) << c.options << " options";
    if (c.outcome == StepOutcome::kTooManyCombinations) {
      EXPECT_EQ(options.size(), 3u) << "nothing changes past the limit";
    } else {
      EXPECT_EQ(options.size(), static_cast<std::size_t>(c.options) * 65536);
    }
  }
}

TEST_F(CombinationLimitTest, AnOptionPastThePerOptionLimitStopsTheStep) {
  ParseText("b0 c99", theory_);  // a fifth attacker of b0: 5 * 4^7 combinations
  index_.emplace(theory_);
  Options options = OptionsNeeding(1);
  EXPECT_EQ(CounterStep(options, *index_), StepOutcome::kTooManyCombinations);
  EXPECT_EQ(options.size(), 1u);
}

}  // namespace
}  // namespace dialectic
