#include "frontend/task_thread.h"

#include <algorithm>
#include <utility>

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace dialectic {

namespace {

// Background work yields the processor to the window's thread: on a machine busy with other
// programs the scheduler then gives the window its turn first, and it keeps repainting at once.
void LowerThisThreadsPriority() {
#if defined(__linux__)
  // Ten steps nicer than the thread started, for this thread alone; failing, the thread just keeps
  // its priority.
  const auto thread = static_cast<id_t>(gettid());
  setpriority(PRIO_PROCESS, thread, std::min(getpriority(PRIO_PROCESS, thread) + 10, 19));
#endif
}

}  // namespace

TaskThread::TaskThread() : thread_([this] { Work(); }) {}

TaskThread::~TaskThread() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void TaskThread::Post(std::function<void()> task) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    waiting_.push_back(std::move(task));
  }
  wake_.notify_one();
}

void TaskThread::Drop(std::shared_ptr<void> object) {
  Post([object = std::move(object)]() mutable { object.reset(); });
}

void TaskThread::Work() {
  LowerThisThreadsPriority();
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return closing_ || !waiting_.empty(); });
    if (waiting_.empty()) return;
    std::function<void()> task = std::move(waiting_.front());
    waiting_.pop_front();
    // The task runs without the lock held, so that Post never waits for it.
    lock.unlock();
    task();
    task = nullptr;
    lock.lock();
  }
}

}  // namespace dialectic
