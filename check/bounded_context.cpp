#include "check/bounded_context.h"

#include <algorithm>

namespace dialectic {

namespace {

// How soon a stop request of the outer context reaches the task.
constexpr std::chrono::milliseconds kPollInterval(10);

}  // namespace

BoundedContext::BoundedContext(const RunContext& outer, std::chrono::milliseconds budget)
    : outer_(outer),
      watcher_([this, deadline = std::chrono::steady_clock::now() + budget] { Watch(deadline); }) {
  // A stop asked for already holds from the start, before the watcher first looks.
  if (outer_.StopRequested()) inner_.RequestStop();
}

BoundedContext::~BoundedContext() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ended_ = true;
  }
  wake_.notify_all();
  watcher_.join();
}

void BoundedContext::Watch(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!ended_) {
    if (outer_.StopRequested()) {
      inner_.RequestStop();
      return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      timed_out_.store(true, std::memory_order_relaxed);
      inner_.RequestStop();
      return;
    }
    const auto wait = std::min<std::chrono::steady_clock::duration>(kPollInterval, deadline - now);
    wake_.wait_for(lock, wait, [this] { return ended_; });
  }
}

}  // namespace dialectic
