// The status line of a run that takes a while: what it is working on, how far it has come and how
// long it has taken ("Options, argument 1,234 of 10,000, 56,789 candidates examined, 3.2 s"), and
// the line that stays when it has ended. Counts carry thousands separators; times are in seconds
// with one decimal.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "model/run_context.h"

namespace dialectic {

// The line while the run goes on; stopping says that a stop was asked for and not yet obeyed.
std::string ProgressLine(const Progress& progress, std::chrono::milliseconds elapsed,
                         bool stopping);

// The line once the run has ended.
std::string EndLine(bool completed, std::chrono::milliseconds elapsed);

// The number with a comma between groups of three digits: 1234567 as "1,234,567".
std::string GroupedNumber(std::uint64_t number);

}  // namespace dialectic
