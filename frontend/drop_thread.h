// A thread of its own that destroys whatever it is handed, so that dropping the text areas of a
// huge run (hundreds of megabytes in hundreds of blocks) costs the caller no time, and then hands
// the freed memory back to the system. It is started once and kept, since starting a thread while
// another one returns memory to the system can itself take milliseconds. Objects are destroyed in
// the order handed in; the destructor waits until every one is gone.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace dialectic {

class DropThread {
 public:
  DropThread();
  ~DropThread();
  DropThread(const DropThread&) = delete;
  DropThread& operator=(const DropThread&) = delete;

  // Takes over the object; the thread destroys it unless someone else still shares it.
  void Drop(std::shared_ptr<void> object);

 private:
  void Work();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::shared_ptr<void>> waiting_;  // guarded by mutex_
  bool closing_ = false;                       // guarded by mutex_
  std::thread thread_;  // last, so that it starts once every other member is ready
};

}  // namespace dialectic
