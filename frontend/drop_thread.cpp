#include "frontend/drop_thread.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <utility>

namespace dialectic {

namespace {

// Hands the pages just freed back to the system. Without this the C library keeps them in the pool
// of the thread that allocated them, and the next run's worker, which may draw from another pool,
// would stack a second huge text on top of the first.
void ReturnFreeMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

}  // namespace

DropThread::DropThread() : thread_([this] { Work(); }) {}

DropThread::~DropThread() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void DropThread::Drop(std::shared_ptr<void> object) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    waiting_.push_back(std::move(object));
  }
  wake_.notify_one();
}

void DropThread::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return closing_ || !waiting_.empty(); });
    if (waiting_.empty()) return;
    std::shared_ptr<void> object = std::move(waiting_.front());
    waiting_.pop_front();
    // The object goes without the lock held, so that Drop never waits for it.
    lock.unlock();
    object.reset();
    ReturnFreeMemory();
    lock.lock();
  }
}

}  // namespace dialectic
