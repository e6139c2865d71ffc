#include "frontend/run_job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "tests/test_support.h"

namespace dialectic {
namespace {

using std::chrono::seconds;

// "a1 a2, a2 a3, ...": length arguments, each attacked by the next.
std::string Chain(int length) {
  std::string text;
  for (int i = 1; i < length; ++i) {
    text += "a" + std::to_string(i) + " a" + std::to_string(i + 1) + "\n";
  }
  return text;
}

TEST(RunJob, FillsItsOwnAreasAsTheRunOnTheFormDoes) {
  struct Case {
    std::string input;
    RunSettings settings;
  };
  const Case kCases[] = {
      {"", {100, true}},          {"a b, b c", {100, true}},
      {"a b, b a", {100, false}}, {"a b c\nb d e z\nc f g h i", {2, true}},
      {"a a", {0, true}},         {Chain(40), {100, true}},
      {Chain(40), {7, false}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.input);
    TForm1 form;
    form.Memo1.SetText(c.input);
    form.Edit1 = std::to_string(c.settings.depth);
    form.ShowTrace = c.settings.show_trace;
    form.Button1Click();

    TextArea input;
    input.SetText(c.input);
    TTheory theory;
    TaskThread worker;
    RunJob job(input, c.settings, theory, worker);
    ASSERT_TRUE(job.WaitFor(seconds(60)));
    const RunResult& result = job.Result();
    EXPECT_TRUE(result.Completed);
    EXPECT_FALSE(result.Error);
    EXPECT_EQ(result.Areas.Memo2.Lines(), form.Memo2.Lines());
    EXPECT_EQ(result.Areas.Memo3.Lines(), form.Memo3.Lines());
    EXPECT_EQ(WithoutTimings(result.Areas.Memo4), WithoutTimings(form.Memo4));
    EXPECT_EQ(WithoutTimings(result.Areas.Memo5), WithoutTimings(form.Memo5));
    EXPECT_TRUE(result.Areas.Memo3.Visible());
    EXPECT_EQ(ArgNames(theory.Args), ArgNames(form.Theory.Args));
  }
}

TEST(RunJob, ReadsItsOwnCopyOfTheInput) {
  TextArea input;
  input.SetText("a b");
  TTheory theory;
  TaskThread worker;
  RunJob job(input, {}, theory, worker);
  input.SetText("x y, y z");
  ASSERT_TRUE(job.WaitFor(seconds(60)));
  EXPECT_EQ(ArgNames(theory.Args), "a,b");
}

TEST(RunJob, TellsTheEndOnceOnTheWorker) {
  TextArea input;
  input.SetText("a b, b c");
  TTheory theory;
  std::atomic<int> calls{0};
  std::atomic<bool> told_on_caller_thread{false};
  const std::thread::id caller = std::this_thread::get_id();
  {
    TaskThread worker;
    RunJob job(input, {}, theory, worker, [&] {
      ++calls;
      told_on_caller_thread = std::this_thread::get_id() == caller;
    });
    ASSERT_TRUE(job.WaitFor(seconds(60)));
    EXPECT_TRUE(job.HasEnded());
  }
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(told_on_caller_thread);
}

TEST(RunJob, SwapGivesTheFormTheRunsAreasAndKeepsTheOldOnes) {
  TForm1 form;
  form.Memo2.SetText("old rephrasing");
  form.Memo3.SetText("old\ntrace");
  form.Memo5.SetText("old extensions");
  TextArea input;
  input.SetText("a b, b c");
  TaskThread worker;
  RunJob job(input, {}, form.Theory, worker);
  ASSERT_TRUE(job.WaitFor(seconds(60)));
  RunResult& result = job.Result();
  const StringList run_trace = result.Areas.Memo3.Lines();
  SwapResultAreas(form, result);
  EXPECT_EQ(form.Memo2.Get(0), "STANDARD STYLE");
  EXPECT_EQ(form.Memo3.Lines(), run_trace);
  EXPECT_EQ(form.Memo4.Get(0), "a :");
  EXPECT_EQ(form.Memo5.Get(0), "Grounded extension");
  EXPECT_EQ(result.Areas.Memo2.Lines(), StringList{"old rephrasing"});
  EXPECT_EQ(result.Areas.Memo3.Lines(), (StringList{"old", "trace"}));
  EXPECT_TRUE(result.Areas.Memo4.empty());
  EXPECT_EQ(result.Areas.Memo5.Lines(), StringList{"old extensions"});
}

TEST(RunJob, StopRequestEndsTheRunWithTheStoppedLine) {
  TextArea input;
  input.SetText(Chain(10000));
  TTheory theory;
  TaskThread worker;
  RunJob job(input, {100, true}, theory, worker);
  // Into the option search, where the chain spends nearly all its time.
  while (job.Context().CurrentProgress().argument < 2 && !job.HasEnded()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  job.Context().RequestStop();
  ASSERT_TRUE(job.WaitFor(seconds(60)));
  const RunResult& result = job.Result();
  EXPECT_FALSE(result.Completed);
  EXPECT_FALSE(result.Error);
  int stopped_lines = 0;
  for (const TextArea* area :
       {&result.Areas.Memo2, &result.Areas.Memo3, &result.Areas.Memo4, &result.Areas.Memo5}) {
    for (std::string_view line : *area) stopped_lines += line == kStoppedLine ? 1 : 0;
  }
  EXPECT_EQ(stopped_lines, 1);
  EXPECT_EQ(result.Areas.Memo2.Get(0), "STANDARD STYLE");
  EXPECT_EQ(result.Check.status, CheckStatus::kNotChecked);
  EXPECT_EQ(result.Check.verdict.rfind("Not checked: the run was stopped", 0), 0u)
      << result.Check.verdict;
}

TEST(RunJob, ChecksTheRunWithinItsLimits) {
  struct Case {
    std::string input;
    CheckLimits limits;
    CheckStatus status;
    std::string verdict_start;
  };
  const Case kCases[] = {
      {"a b d, b c f, c a, d e, e d, f g, g f",
       {},
       CheckStatus::kMissingOrWrong,
       "3 of 4 exact preferred extensions are listed; missing: e g."},
      {"a b, b a", {}, CheckStatus::kAllListed, "All 2 exact preferred extensions are listed."},
      {"a b, b a",
       {seconds(60), 1},
       CheckStatus::kNotChecked,
       "Not checked: there are more than 1 exact preferred extensions."},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.input);
    TextArea input;
    input.SetText(c.input);
    TTheory theory;
    TaskThread worker;
    RunJob job(input, {}, theory, worker, {}, c.limits);
    ASSERT_TRUE(job.WaitFor(seconds(60)));
    const CheckReport& check = job.Result().Check;
    EXPECT_EQ(check.status, c.status);
    EXPECT_EQ(check.verdict.rfind(c.verdict_start, 0), 0u) << check.verdict;
  }
}

TEST(RunJob, DroppingARunningJobStopsIt) {
  TextArea input;
  input.SetText(Chain(10000));
  TTheory theory;
  std::atomic<bool> ended{false};
  {
    TaskThread worker;
    RunJob job(input, {100, true}, theory, worker, [&] { ended = true; });
    while (job.Context().CurrentProgress().argument < 2 && !job.HasEnded()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  EXPECT_TRUE(ended);
  // The search stopped long before the chain's last argument.
  ASSERT_EQ(theory.Args.Count(), 10000);
  EXPECT_TRUE(theory.Args[9999].Options.empty());
}

TEST(RunJob, JobsOnOneWorkerRunOneAfterAnother) {
  TextArea long_input;
  long_input.SetText(Chain(300));
  TextArea short_input;
  short_input.SetText("a b");
  TTheory first_theory;
  TTheory second_theory;
  std::atomic<int> ends{0};
  int first_end = 0;
  int second_end = 0;
  bool first_completed = false;
  {
    TaskThread worker;
    RunJob first(long_input, {100, true}, first_theory, worker, [&] { first_end = ++ends; });
    RunJob second(short_input, {100, true}, second_theory, worker, [&] { second_end = ++ends; });
    ASSERT_TRUE(second.WaitFor(seconds(60)));
    first_completed = first.Result().Completed;
  }
  // Dropping a job waits for its end notice, so both are in.
  EXPECT_EQ(first_end, 1);
  EXPECT_EQ(second_end, 2);
  EXPECT_TRUE(first_completed);
  EXPECT_EQ(ArgNames(second_theory.Args), "a,b");
}

TEST(RunJob, HandlersUseTheStarterWhenOneIsSet) {
  TForm1 form;
  form.ExamplesPath = "";
  int started = 0;
  form.RunStarter = [&](TForm1& starting) {
    EXPECT_EQ(&starting, &form);
    ++started;
  };
  form.Button1Click();
  form.RadioItems = {"One"};
  form.Examples = {"#One", "a b"};
  form.ChooseRadioItem(0);
  EXPECT_EQ(started, 2);
  EXPECT_EQ(form.Memo1.Lines(), StringList{"a b"});
  // The starter decides what runs: the form's own areas stay as they were.
  EXPECT_TRUE(form.Memo5.empty());
}

}  // namespace
}  // namespace dialectic
