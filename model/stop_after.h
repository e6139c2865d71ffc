// A time limit on a computation: the run context's stop is requested once the time has passed,
// as a Stop button would, unless the object goes first. A thread of its own waits for the time;
// destroying the object wakes and ends it at once. The context is only asked to stop, which is
// safe from any thread.
#pragma once

#include <chrono>
#include <thread>

#include "model/run_context.h"

namespace dialectic {

class StopAfter {
 public:
  StopAfter(RunContext& context, std::chrono::milliseconds limit);

 private:
  std::jthread thread_;
};

}  // namespace dialectic
