#include "frontend/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "semantics/preferred.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

// How soon a stopped run must end; the sanitizers slow every step down several times.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kStopBoundMs = 500;
#else
constexpr int kStopBoundMs = 50;
#endif

class RunTest : public ::testing::Test {
 protected:
  void RunOn(const std::string& input) {
    form_.Memo1.SetText(input);
    dialectic::Run(form_);
  }
  TForm1 form_;
};

TEST_F(RunTest, EmptyInputGivesTheBareLayoutOfEveryArea) {
  form_.Edit1 = "100";
  RunOn("");
  EXPECT_EQ(form_.Memo2.Lines(),
            (StringList{"STANDARD STYLE", "", "COMMA STYLE", "", "", "YET ANOTHER STYLE"}));
  EXPECT_TRUE(form_.Memo3.Lines().empty());
  EXPECT_EQ(WithoutTimings(form_.Memo4), (StringList{"", "# ms elapsed"}));
  EXPECT_EQ(WithoutTimings(form_.Memo5),
            (StringList{"Grounded extension", "  <empty>", "", "# ms elapsed", "",
                        "Preferred extensions", "  <empty>", "", "# ms elapsed"}));
}

TEST_F(RunTest, ReinstatementFillsEveryArea) {
  form_.Edit1 = "100";
  RunOn("a b, b c");
  EXPECT_EQ(form_.Memo2.Lines(),
            (StringList{"STANDARD STYLE", "a b", "b c", "", "COMMA STYLE", "a b, b c", "",
                        "YET ANOTHER STYLE", "a ", "  x-- b ", "", "b ", "  x-- c ", "  --x a ", "",
                        "c ", "  --x b ", ""}));
  StringList trace = kReinstatementTraceOfA;
  trace.insert(trace.end(), {"Partial proof options of b ",
                             "0:",
                             "  b",
                             "1:",
                             "  b (c)",
                             "2:",
                             "  <none>",
                             "",
                             "Partial refutation options of b ",
                             "0:",
                             "  (b)",
                             "1:",
                             "  c (b)",
                             "2:",
                             "  <as previous level>",
                             "",
                             "Partial proof options of c ",
                             "0:",
                             "  c",
                             "1:",
                             "  <as previous level>",
                             "",
                             "Partial refutation options of c ",
                             "0:",
                             "  (c)",
                             "1:",
                             "  <none>",
                             ""});
  EXPECT_EQ(form_.Memo3.Lines(), trace);
  EXPECT_TRUE(form_.Memo3.Visible());
  EXPECT_EQ(WithoutTimings(form_.Memo4),
            (StringList{"a :", "  a c (b)", "b :", "  c (b)", "c :", "  c", "", "# ms elapsed"}));
  EXPECT_EQ(WithoutTimings(form_.Memo5),
            (StringList{"Grounded extension", "  a c (b)", "", "# ms elapsed", "",
                        "Preferred extensions", "  a c (b)", "", "# ms elapsed"}));
}

TEST_F(RunTest, RunningTwiceGivesTheSameAreas) {
  RunOn("a b, b a, c a b\nd d e");
  const StringList memo2 = form_.Memo2.Lines(), memo3 = form_.Memo3.Lines();
  const StringList memo4 = WithoutTimings(form_.Memo4), memo5 = WithoutTimings(form_.Memo5);
  dialectic::Run(form_);
  EXPECT_EQ(form_.Memo2.Lines(), memo2);
  EXPECT_EQ(form_.Memo3.Lines(), memo3);
  EXPECT_EQ(WithoutTimings(form_.Memo4), memo4);
  EXPECT_EQ(WithoutTimings(form_.Memo5), memo5);
}

TEST_F(RunTest, TooManyAmbiguousArgumentsPutTheMessageAfterTheGroundedTiming) {
  std::string input;
  for (int i = 0; i < 16; ++i) {
    const std::string a = "a" + std::to_string(i), b = "b" + std::to_string(i);
    input += a + " " + b + ", " + b + " " + a + "\n";
  }
  RunOn(input + "z a0");
  EXPECT_EQ(WithoutTimings(form_.Memo5),
            (StringList{"Grounded extension", "  <empty>", "", "# ms elapsed",
                        "There are too many dialectically ambiguous arguments for this version of "
                        "the algorithm",
                        "", "Preferred extensions", "", "# ms elapsed"}));
}

TEST_F(RunTest, WarningsFollowTheRephrasingAndTheTraceOffKeepsStageResults) {
  form_.Edit1 = "1";
  form_.ShowTrace = false;
  RunOn("a b");
  const StringList& memo2 = form_.Memo2.Lines();
  ASSERT_GE(memo2.size(), 3u);
  EXPECT_EQ(StringList(memo2.end() - 3, memo2.end()),
            (StringList{"***", "Check whether computation depth was sufficient", "***"}));
  EXPECT_EQ(form_.Depth, 1);
  EXPECT_EQ(form_.Memo3.Lines(), (StringList{"1:", "  <as previous level>", "1:", "  <none>"}));
}

TEST_F(RunTest, AsksForTheRephrasedAreaToShowItsStart) {
  RunOn("a b");
  EXPECT_TRUE(form_.Memo2.TakeCaretReset());
  EXPECT_FALSE(form_.Memo2.TakeCaretReset());
}

TEST(WritePreferred, ListsEachTextOnceWithLetterCaseCountingEachLineShowingItsFirstCandidate) {
  TTheory theory;
  ParseText("a b A a\t c", theory);
  const ArgIndex index(theory);
  const auto labeling = [&](const StringList& in, const StringList& out) {
    return LabelingNamed(theory, index, in, out);
  };
  RunOutcome outcome;
  outcome.preferred = {
      labeling({"a "}, {"b "}), labeling({"b "}, {"a "}),   labeling({"a "}, {"b "}),
      labeling({"A "}, {"b "}), labeling({"a\t "}, {"b "}),
  };
  outcome.preferred_outcome = PreferredOutcome::kDone;
  outcome.preferred_time = std::chrono::milliseconds(7);
  TextArea memo5;
  memo5.Add("  b (a)");  // lines already in the area do not count
  RunContext context;
  EXPECT_TRUE(WritePreferred(outcome, index, memo5, context));
  EXPECT_EQ(memo5.Lines(), (StringList{"  b (a)", "", "Preferred extensions", "  a (b)", "  b (a)",
                                       "  A (b)", "  a\t (b)", "", "7 ms elapsed"}));
  // Each listed line refers to the first candidate with its text; the third is not listed.
  const std::vector<int> kCandidateOfLine = {-1, -1, -1, 0, 1, 3, 4, -1, -1};
  for (int line = 0; line < memo5.Count(); ++line) {
    const LineValue* value = memo5.ValueAt(line);
    const int candidate = kCandidateOfLine[static_cast<std::size_t>(line)];
    if (candidate < 0) {
      EXPECT_EQ(value, nullptr) << line;
    } else {
      ASSERT_NE(value, nullptr) << line;
      EXPECT_EQ(*value, (LineValue{LineValue::Kind::kPreferred, -1, candidate})) << line;
    }
  }
  // A stop request ends the listing with the stopped line.
  memo5.Clear();
  context.RequestStop();
  EXPECT_FALSE(WritePreferred(outcome, index, memo5, context));
  EXPECT_EQ(memo5.Lines(), (StringList{"", "Preferred extensions", std::string(kStoppedLine)}));
}

TEST(WritePreferred, ManyCandidatesWithRepeatedTextsListEachTextOnceAtItsFirstCandidate) {
  // Candidate c shows the name n(c % distinct); the listing holds each of those once, in order
  // of first showing, each line referring to the candidate that showed it first.
  struct Case {
    int candidates;
    int distinct;
  };
  const Case kCases[] = {{1, 1}, {5000, 1}, {1000, 7}, {40, 40}, {3000, 40}};
  TTheory theory;
  std::string text;
  for (int i = 0; i < 40; ++i) text += "n" + std::to_string(i) + "\n";
  ParseText(text, theory);
  const ArgIndex index(theory);
  for (const Case& c : kCases) {
    RunOutcome outcome;
    for (int i = 0; i < c.candidates; ++i) {
      outcome.preferred.push_back(
          LabelingNamed(theory, index, {"n" + std::to_string(i % c.distinct) + " "}, {}));
    }
    outcome.preferred_outcome = PreferredOutcome::kDone;
    outcome.preferred_time = std::chrono::milliseconds(0);
    TextArea memo5;
    RunContext context;
    ASSERT_TRUE(WritePreferred(outcome, index, memo5, context));
    StringList expected = {"", "Preferred extensions"};
    for (int i = 0; i < std::min(c.candidates, c.distinct); ++i) {
      expected.push_back("  n" + std::to_string(i));
    }
    expected.insert(expected.end(), {"", "0 ms elapsed"});
    EXPECT_EQ(memo5.Lines(), expected) << c.candidates << " " << c.distinct;
    for (int i = 0; i < std::min(c.candidates, c.distinct); ++i) {
      const LineValue* value = memo5.ValueAt(2 + i);
      ASSERT_NE(value, nullptr) << i;
      EXPECT_EQ(*value, (LineValue{LineValue::Kind::kPreferred, -1, i})) << i;
    }
  }
}

TEST(WritePreferred, EachWayTheEnumerationEndsHasItsLines) {
  struct Case {
    PreferredOutcome outcome;
    bool completed;
    StringList lines;
  };
  const Case kCases[] = {
      {PreferredOutcome::kDone, true, {"", "Preferred extensions", "  a (b)", "", "3 ms elapsed"}},
      {PreferredOutcome::kTooManyAmbiguous,
       true,
       {"There are too many dialectically ambiguous arguments for this version of the algorithm",
        "", "Preferred extensions", "", "3 ms elapsed"}},
      {PreferredOutcome::kTooMany,
       true,
       {"The preferred extensions are too many to enumerate with this version of the algorithm", "",
        "Preferred extensions", "", "3 ms elapsed"}},
      {PreferredOutcome::kStopped, false, {std::string(kStoppedLine)}},
  };
  TTheory theory;
  ParseText("a b", theory);
  const ArgIndex index(theory);
  for (const Case& c : kCases) {
    RunOutcome outcome;
    outcome.preferred_outcome = c.outcome;
    if (c.outcome == PreferredOutcome::kDone)
      outcome.preferred = {LabelingNamed(theory, index, {"a "}, {"b "})};
    outcome.preferred_time = std::chrono::milliseconds(3);
    TextArea memo5;
    const RunContext context;
    EXPECT_EQ(WritePreferred(outcome, index, memo5, context), c.completed);
    EXPECT_EQ(memo5.Lines(), c.lines);
  }
}

// A run long enough to be stopped in each of its computations: sixteen even cycles at depth 0
// make every argument ambiguous, and a long chain with the trace on takes seconds of search.
TEST(RunTheory, AStopRequestFromAnotherThreadEndsTheRunAtOnce) {
  std::string chain;
  for (int i = 0; i < 20000; ++i)
    chain += "c" + std::to_string(i) + " c" + std::to_string(i + 1) + "\n";
  LineList input;
  input.SetText(chain);
  TTheory theory;
  ResultAreas areas;
  auto& [memo2, memo3, memo4, memo5] = areas;
  RunOutcome outcome;
  RunContext context;
  std::atomic<bool> searching{false};
  std::chrono::steady_clock::time_point requested;
  std::thread stopper([&] {
    while (context.CurrentProgress().phase != RunPhase::kOptions) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    searching = context.CurrentProgress().argument < 20001;
    requested = std::chrono::steady_clock::now();
    context.RequestStop();
  });
  const bool completed = RunTheory(input, {100, true}, theory, areas, context, outcome);
  const auto stopped_after = std::chrono::steady_clock::now() - requested;
  stopper.join();
  EXPECT_FALSE(completed);
  EXPECT_TRUE(searching) << "the run ended before the stop request";
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(stopped_after).count(),
            kStopBoundMs);
  ASSERT_GT(memo3.Count(), 0);
  EXPECT_EQ(memo3.Get(memo3.Count() - 1), "*** Stopped ***");
  EXPECT_TRUE(memo4.empty()) << "no options listing for a stopped search";
  EXPECT_EQ(memo5.Get(0), "Grounded extension");

  // The next run starts clean.
  RunContext next;
  input.SetText("a b, b a");
  EXPECT_TRUE(RunTheory(input, {0, false}, theory, areas, next, outcome));
  EXPECT_TRUE(memo3.empty());  // depth 0 and no trace: no stage is written
  EXPECT_EQ(memo5.Get(memo5.Count() - 4), "  a (b)");
}

TEST(RunTheory, AStopDuringThePreferredWalkLeavesTheStoppedLineInTheExtensionsArea) {
  std::string cycles;
  for (int i = 0; i < 16; ++i) {
    const std::string a = "a" + std::to_string(i), b = "b" + std::to_string(i);
    cycles += a + " " + b + ", " + b + " " + a + "\n";
  }
  LineList input;
  input.SetText(cycles);
  TTheory theory;
  ResultAreas areas;
  auto& [memo2, memo3, memo4, memo5] = areas;
  RunOutcome outcome;
  RunContext context;
  std::thread stopper([&] {
    while (context.CurrentProgress().phase != RunPhase::kPreferred) std::this_thread::yield();
    context.RequestStop();
  });
  EXPECT_FALSE(RunTheory(input, {100, false}, theory, areas, context, outcome));
  stopper.join();
  EXPECT_EQ(memo5.Get(memo5.Count() - 1), "*** Stopped ***");
  EXPECT_EQ(memo5.Get(0), "Grounded extension");
  EXPECT_FALSE(memo4.empty());
}

TEST(ApplyDepth, ValidTextSetsTheDepthAndFocusesTheButtonInvalidTextIsPutBack) {
  struct Case {
    std::string text;
    std::int32_t depth;
    std::string text_after;
    Control focus;
  };
  const Case cases[] = {
      {"25", 25, "25", Control::kButton1},     {"25 ", 7, "7", Control::kEdit1},
      {"abc", 7, "7", Control::kEdit1},        {"$1A", 26, "$1A", Control::kButton1},
      {"-3", -3, "-3", Control::kButton1},     {"0x10", 16, "0x10", Control::kButton1},
      {"4294967296", 7, "7", Control::kEdit1}, {"", 7, "7", Control::kEdit1},
  };
  for (const Case& c : cases) {
    TForm1 form;
    form.Depth = 7;
    form.Focus = Control::kEdit1;
    form.Edit1 = c.text;
    ApplyDepth(form);
    EXPECT_EQ(form.Depth, c.depth) << c.text;
    EXPECT_EQ(form.Edit1, c.text_after) << c.text;
    EXPECT_EQ(form.Focus, c.focus) << c.text;
  }
}

}  // namespace
}  // namespace dialectic
