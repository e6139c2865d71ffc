// The command-line front end: the same run as the window's button, on input lines from a file or
// standard input (in the line syntax or, converted into it, a framework file format), printing the
// chosen text areas and, when asked, the check of the run against the exact semantics; or the
// theory written in a format, without a run. Exit codes: 0 success, 1 an unreadable or malformed
// file or a refused input (not a regular file, more than 64 MB, NUL bytes, a theory past the memory
// budget: nothing is printed on standard output then) or a standard output that could not be
// written, 2 a bad option or an unknown example caption, 130 a run stopped by its context (Ctrl+C),
// after printing what the run had computed.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "model/run_context.h"

namespace dialectic {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitStopped = 130;

// Runs the command line with the arguments after the program name. The example library is read
// from examples_path when it exists (never written), else the built-in one is used.
int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, const std::filesystem::path& examples_path = "examples.txt");
// The same, with a run context whose stop request the caller may set (from a signal handler).
int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, RunContext& context,
                   const std::filesystem::path& examples_path = "examples.txt");

}  // namespace dialectic
