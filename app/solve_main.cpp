#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "frontend/solver_command.h"
#include "model/run_context.h"

namespace {

// Ctrl+C asks the task to stop; the solver then prints nothing more and exits 130.
dialectic::RunContext run_context;

extern "C" void RequestStop(int /*signal*/) { run_context.RequestStop(); }

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::signal(SIGINT, RequestStop);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return dialectic::RunSolverCommand(args, std::cout, std::cerr, run_context);
}
