// One run of the whole computation on a worker thread (a TaskThread that runs one job after
// another), followed there by the check of its results against the exact semantics. The run
// writes into four text areas that the job owns, so the caller's areas stay untouched (and
// readable) while it runs; the theory is the caller's, and the caller leaves it alone until the
// run has ended. Once the run has ended, completed or stopped, the job's areas hold what it wrote,
// its check says how far to trust it, and the caller may take them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "check/run_check.h"
#include "frontend/form.h"
#include "frontend/run.h"
#include "frontend/task_thread.h"
#include "frontend/text_area.h"
#include "model/line_list.h"
#include "model/run_context.h"
#include "model/theory.h"

namespace dialectic {

// What a run leaves: its four areas, the check of its results and how it ended.
struct RunResult {
  ResultAreas Areas;
  RunOutcome Outcome;                // the values the areas show
  CheckReport Check;                 // "not checked" when the run or the check was stopped
  bool Completed = false;            // false when the run was stopped or failed
  std::optional<std::string> Error;  // what escaped the run, such as running out of memory
};

class RunJob {
 public:
  // Hands the run of the input lines (copied) to the worker, which starts it once the jobs before
  // it are done. on_end, when given, is called on the worker after the run has ended, when
  // HasEnded is already true.
  RunJob(const LineList& input, const RunSettings& settings, TTheory& theory, TaskThread& worker,
         std::function<void()> on_end = {}, const CheckLimits& check_limits = {});
  // Asks the run to stop and waits until the worker is done with the job, end notice included.
  ~RunJob();
  RunJob(const RunJob&) = delete;
  RunJob& operator=(const RunJob&) = delete;

  // The stop request and the progress, for any thread.
  RunContext& Context() { return context_; }

  bool HasEnded() const;
  // Waits until the run has ended or the timeout has passed; gives whether it has ended.
  bool WaitFor(std::chrono::milliseconds timeout);
  // What the run left; valid only once it has ended.
  RunResult& Result();

 private:
  void Work();

  LineList input_;
  RunSettings settings_;
  CheckLimits check_limits_;
  TTheory& theory_;
  std::function<void()> on_end_;
  RunContext context_;
  RunResult result_;
  mutable std::mutex mutex_;
  std::condition_variable end_signal_;
  bool ended_ = false;  // guarded by mutex_; the run has ended
  bool done_ = false;   // guarded by mutex_; the worker has let go of the job
};

// Exchanges the form's result areas and outcome with the run's: the form gets what the run found
// and wrote, and the result keeps what the form showed before, which can then be dropped on any
// thread.
void SwapResultAreas(TForm1& form, RunResult& result);

}  // namespace dialectic
