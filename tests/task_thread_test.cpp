#include "frontend/task_thread.h"

#include <gtest/gtest.h>

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <memory>
#include <thread>
#include <vector>

namespace dialectic {
namespace {

// Notes on which thread and in which order it was destroyed.
struct Noted {
  Noted(int number, std::vector<int>& order, std::thread::id& thread)
      : number(number), order(order), thread(thread) {}
  ~Noted() {
    order.push_back(number);
    thread = std::this_thread::get_id();
  }
  int number;
  std::vector<int>& order;
  std::thread::id& thread;
};

TEST(TaskThread, RunsEveryTaskInOrderOnItsOwnThreadBeforeItEnds) {
  std::vector<int> order;
  std::vector<std::thread::id> threads;
  {
    TaskThread tasks;
    for (int i = 0; i < 100; ++i) {
      tasks.Post([&order, &threads, i] {
        order.push_back(i);
        threads.push_back(std::this_thread::get_id());
      });
    }
  }
  ASSERT_EQ(order.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
  for (std::thread::id thread : threads) {
    EXPECT_EQ(thread, threads.front());
    EXPECT_NE(thread, std::this_thread::get_id());
  }
}

TEST(TaskThread, DropsWhatItIsHandedOnItsOwnThread) {
  std::vector<int> order;
  std::thread::id thread;
  {
    TaskThread tasks;
    for (int i = 0; i < 10; ++i) tasks.Drop(std::make_shared<Noted>(i, order, thread));
  }
  ASSERT_EQ(order.size(), 10u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
  EXPECT_NE(thread, std::this_thread::get_id());
}

TEST(TaskThread, LeavesWhatOthersStillShare) {
  std::vector<int> order;
  std::thread::id thread;
  auto shared = std::make_shared<Noted>(7, order, thread);
  {
    TaskThread tasks;
    tasks.Drop(shared);
  }
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(shared->number, 7);
}

#if defined(__linux__)
TEST(TaskThread, YieldsToTheProgramsOtherThreads) {
  const int own = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
  int task_niceness = own;
  {
    TaskThread tasks;
    tasks.Post([&] { task_niceness = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())); });
  }
  if (own < 19) {
    EXPECT_GT(task_niceness, own);
  }
}
#endif

}  // namespace
}  // namespace dialectic
