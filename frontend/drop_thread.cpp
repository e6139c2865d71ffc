#include "frontend/drop_thread.h"

#include <utility>

namespace dialectic {

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
    lock.lock();
  }
}

}  // namespace dialectic
