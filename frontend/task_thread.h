// A thread of its own that runs the tasks handed to it one after another, in the order handed in.
// The window keeps two: one that runs the computations, so that every run allocates from the same
// memory pool of the C library and reuses what the previous run's dropped areas gave back, and one
// that drops those areas (hundreds of megabytes in hundreds of blocks) so that freeing them costs
// the window's thread nothing. Each is started once and kept: starting a thread while another one
// returns memory to the system can itself take milliseconds. The thread runs at a lower priority
// than the program's others, so that on a busy machine the window gets the processor first.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace dialectic {

class TaskThread {
 public:
  TaskThread();
  // Runs the tasks still waiting, then ends the thread.
  ~TaskThread();
  TaskThread(const TaskThread&) = delete;
  TaskThread& operator=(const TaskThread&) = delete;

  void Post(std::function<void()> task);
  // Hands the object over; the thread destroys it unless someone else still shares it.
  void Drop(std::shared_ptr<void> object);

 private:
  void Work();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> waiting_;  // guarded by mutex_
  bool closing_ = false;                       // guarded by mutex_
  std::thread thread_;  // last, so that it starts once every other member is ready
};

}  // namespace dialectic
