#include "frontend/run_job.h"

#include <exception>
#include <new>
#include <utility>

namespace dialectic {

RunJob::RunJob(const LineList& input, const RunSettings& settings, TTheory& theory,
               TaskThread& worker, std::function<void()> on_end, const CheckLimits& check_limits)
    : input_(input),
      settings_(settings),
      check_limits_(check_limits),
      theory_(theory),
      on_end_(std::move(on_end)) {
  worker.Post([this] { Work(); });
}

RunJob::~RunJob() {
  context_.RequestStop();
  std::unique_lock<std::mutex> lock(mutex_);
  end_signal_.wait(lock, [this] { return done_; });
}

void RunJob::Work() {
  try {
    result_.Completed =
        RunTheory(input_, settings_, theory_, result_.Areas, context_, result_.Outcome);
    // A stopped run is checked too: the check then says so at once.
    result_.Check = CheckRun(theory_, result_.Outcome, context_, check_limits_);
  } catch (const std::bad_alloc&) {
    result_.Completed = false;
    result_.Error = "Out of memory: the theory is too large for this machine.";
  } catch (const std::exception& error) {
    // Nothing is thrown for a theory; this is the machine giving out, which the caller reports.
    result_.Completed = false;
    result_.Error = error.what();
  }
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ended_ = true;
  }
  end_signal_.notify_all();
  if (on_end_) on_end_();
  // The last touch of the job: once done is set, its owner may destroy it.
  const std::lock_guard<std::mutex> lock(mutex_);
  done_ = true;
  end_signal_.notify_all();
}

bool RunJob::HasEnded() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return ended_;
}

bool RunJob::WaitFor(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  return end_signal_.wait_for(lock, timeout, [this] { return ended_; });
}

RunResult& RunJob::Result() {
  // The lock orders the worker's writes before the caller's reads.
  const std::lock_guard<std::mutex> lock(mutex_);
  return result_;
}

void SwapResultAreas(TForm1& form, RunResult& result) {
  SwapResultAreas(form, result.Areas);
  std::swap(form.Outcome, result.Outcome);
}

}  // namespace dialectic
