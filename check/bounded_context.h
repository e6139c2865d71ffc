// A run context for a task that must end within a time budget: it asks the task to stop when the
// outer context does, or once the budget has passed. A watcher thread looks at the outer context
// every few milliseconds and sleeps otherwise; it ends as soon as the bounded context goes.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "model/run_context.h"

namespace dialectic {

class BoundedContext {
 public:
  BoundedContext(const RunContext& outer, std::chrono::milliseconds budget);
  ~BoundedContext();
  BoundedContext(const BoundedContext&) = delete;
  BoundedContext& operator=(const BoundedContext&) = delete;

  // The context the task obeys.
  RunContext& Context() { return inner_; }
  // Whether the budget ran out before the task ended.
  bool TimedOut() const { return timed_out_.load(std::memory_order_relaxed); }

 private:
  void Watch(std::chrono::steady_clock::time_point deadline);

  const RunContext& outer_;
  RunContext inner_;
  std::atomic<bool> timed_out_{false};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool ended_ = false;   // guarded by mutex_; the task has ended
  std::thread watcher_;  // started last, once everything it reads exists
};

}  // namespace dialectic
