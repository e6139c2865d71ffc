#include "model/stop_after.h"

#include <condition_variable>
#include <mutex>
#include <stop_token>

namespace dialectic {

StopAfter::StopAfter(RunContext& context, std::chrono::milliseconds limit)
    : thread_([&context, limit](std::stop_token done) {
        std::mutex mutex;
        std::condition_variable_any wake;
        std::unique_lock lock(mutex);
        wake.wait_for(lock, done, limit, [] { return false; });
        if (!done.stop_requested()) context.RequestStop();
      }) {}

}  // namespace dialectic
