#include "frontend/out_of_memory.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>

namespace dialectic {

namespace {

const char* program_name = "dialectic";

// Writes with the system call alone: with no memory left, a stream could need to allocate.
void WriteError(const char* text) {
  const std::size_t length = std::strlen(text);
  if (::write(STDERR_FILENO, text, length) < 0) return;
}

[[noreturn]] void EndProgram() {
  if (const std::exception_ptr escaping = std::current_exception()) {
    try {
      std::rethrow_exception(escaping);
    } catch (const std::bad_alloc&) {
      ReportOutOfMemory(program_name);
      std::_Exit(kExitOutOfMemory);
    } catch (...) {
    }
  }
  std::abort();
}

}  // namespace

void ReportOutOfMemory(const char* program) {
  WriteError(program);
  WriteError(": Out of memory; the theory is too large for this machine.\n");
}

void EndOnOutOfMemory(const char* program) {
  program_name = program;
  std::set_terminate(EndProgram);
}

}  // namespace dialectic
