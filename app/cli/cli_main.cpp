#include <csignal>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "app/cli/command_line.h"
#include "frontend/out_of_memory.h"
#include "model/run_context.h"

namespace {

// Ctrl+C asks the run to stop; the command line then prints what it has and exits 130.
dialectic::RunContext run_context;

extern "C" void RequestStop(int /*signal*/) { run_context.RequestStop(); }

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  dialectic::EndOnOutOfMemory("dialectic-cli");
  std::signal(SIGINT, RequestStop);
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return dialectic::RunCommandLine(args, std::cin, std::cout, std::cerr, run_context);
  } catch (const std::bad_alloc&) {
    // Too little memory for the theory: a message and a failure status, never an abort.
    dialectic::ReportOutOfMemory("dialectic-cli");
    return dialectic::kExitOutOfMemory;
  }
}
