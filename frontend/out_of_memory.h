// The end of a program that runs out of memory: std::bad_alloc escaping anywhere, on any thread
// (a Qt event handler, a worker), ends the program with a one-line message on standard error and
// status 1 rather than an abort with a core dump. Other escaping exceptions still abort.
#pragma once

namespace dialectic {

// The status of a program ended by running out of memory.
inline constexpr int kExitOutOfMemory = 1;

// Installs the ending for the program of that name (a string that lives as long as the program).
void EndOnOutOfMemory(const char* program);

// The message written then: "<program>: Out of memory; the theory is too large for this machine."
void ReportOutOfMemory(const char* program);

}  // namespace dialectic
