#include <csignal>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "app/cli/command_line.h"
#include "app/cli/solver_command.h"
#include "frontend/out_of_memory.h"
#include "model/run_context.h"

namespace {

// SIGINT (Ctrl+C) and SIGTERM (what a harness sends when time is up) ask the task to stop; the
// solver then prints nothing more, so every line it printed is complete, and exits 128 plus the
// signal's number.
dialectic::RunContext run_context;
volatile std::sig_atomic_t stop_signal = 0;

extern "C" void RequestStop(int signal) {
  stop_signal = signal;
  run_context.RequestStop();
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  dialectic::EndOnOutOfMemory("dialectic-solve");
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int code = dialectic::RunSolverCommand(args, std::cout, std::cerr, run_context);
    if (code == dialectic::kExitStopped && stop_signal != 0) return 128 + stop_signal;
    return code;
  } catch (const std::bad_alloc&) {
    dialectic::ReportOutOfMemory("dialectic-solve");
    return dialectic::kExitOutOfMemory;
  }
}
