#include "frontend/drop_thread.h"

#include <gtest/gtest.h>

#include <atomic>
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

TEST(DropThread, DestroysEverythingHandedInOrderOnItsOwnThread) {
  std::vector<int> order;
  std::thread::id thread;
  {
    DropThread drop;
    for (int i = 0; i < 100; ++i) drop.Drop(std::make_shared<Noted>(i, order, thread));
  }
  ASSERT_EQ(order.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
  EXPECT_NE(thread, std::this_thread::get_id());
}

TEST(DropThread, LeavesWhatOthersStillShare) {
  std::vector<int> order;
  std::thread::id thread;
  auto shared = std::make_shared<Noted>(7, order, thread);
  {
    DropThread drop;
    drop.Drop(shared);
  }
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(shared->number, 7);
}

}  // namespace
}  // namespace dialectic
