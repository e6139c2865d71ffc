// What a long computation hears from and tells its caller: a stop request, which it checks at
// least every few milliseconds of work, and how far it has come. Both sides may be on different
// threads: every field is atomic, and RequestStop is safe to call from a signal handler.
// The caller decides what stopping means (a Stop button, Ctrl+C); a computation that sees the
// request ends at once and says so in the text it was writing.
#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>

namespace dialectic {

// The part of a run that is working now.
enum class RunPhase : int {
  kIdle,
  kGrounded,   // the grounded extension
  kOptions,    // the option search, argument by argument
  kPreferred,  // the preferred candidates
  kExact,      // the exact engine
};

// A short word for the phase, as a progress line shows it.
std::string_view PhaseName(RunPhase phase);

// A consistent-enough copy of the progress for display.
struct Progress {
  RunPhase phase = RunPhase::kIdle;
  std::int64_t argument = 0;        // 1-based number of the argument being worked on, or 0
  std::int64_t argument_count = 0;  // how many arguments the phase works through
  std::uint64_t candidates = 0;     // options, candidates or solver calls examined so far
};

class RunContext {
 public:
  RunContext() = default;
  RunContext(const RunContext&) = delete;
  RunContext& operator=(const RunContext&) = delete;

  void RequestStop() { stop_.store(true, std::memory_order_relaxed); }
  bool StopRequested() const { return stop_.load(std::memory_order_relaxed); }

  // Starts a phase that works through argument_count arguments; resets the candidate count.
  void BeginPhase(RunPhase phase, std::int64_t argument_count) {
    phase_.store(phase, std::memory_order_relaxed);
    argument_count_.store(argument_count, std::memory_order_relaxed);
    argument_.store(0, std::memory_order_relaxed);
    candidates_.store(0, std::memory_order_relaxed);
  }
  void SetArgument(std::int64_t argument) { argument_.store(argument, std::memory_order_relaxed); }
  void AddCandidates(std::uint64_t count) {
    candidates_.fetch_add(count, std::memory_order_relaxed);
  }

  Progress CurrentProgress() const {
    return {phase_.load(std::memory_order_relaxed), argument_.load(std::memory_order_relaxed),
            argument_count_.load(std::memory_order_relaxed),
            candidates_.load(std::memory_order_relaxed)};
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<RunPhase> phase_{RunPhase::kIdle};
  std::atomic<std::int64_t> argument_{0};
  std::atomic<std::int64_t> argument_count_{0};
  std::atomic<std::uint64_t> candidates_{0};
};

// The line a stopped computation leaves where it stopped.
inline constexpr std::string_view kStoppedLine = "*** Stopped ***";

}  // namespace dialectic
