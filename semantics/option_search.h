// The stage-by-stage search for every argument's proof options (labelings with it IN) and
// refutation options (with it OUT). Each phase starts from one labeling and alternates the defend
// and counter steps until a stage changes nothing or the depth is used up. Afterwards an
// argument's Options hold its proof options followed by its refutation options.
#pragma once

#include <cstdint>
#include <string_view>

#include "frontend/text_area.h"
#include "model/theory.h"

namespace dialectic {

// What the search reads and where it writes.
struct SearchContext {
  std::int32_t Depth;  // stages per phase at most; none when 0 or negative
  bool ShowTrace;      // whether every stage is written to the trace
  TextArea& Memo2;     // receives the warnings
  TextArea& Memo3;     // receives the stage results and the trace
};

// Clears the trace, then searches the options of every argument in order. Theories without names
// equal under case folding are searched by rank, the others by name; both give the same output.
void ComputeAllOptions(TTheory& theory, const SearchContext& context);

// The same search by name for every theory.
void ComputeAllOptionsByName(TTheory& theory, const SearchContext& context);

// Both phases for one argument.
void SearchOptions(TArg& arg, const SearchContext& context);

// Replaces PrevOptions by copies of the IN and OUT sets of Options.
void TakeSnapshot(TArg& arg);

// Whether every option equals the snapshot at its position (IN and OUT byte for byte); snapshot
// entries past the end of Options are not looked at.
bool IsStable(const TArg& arg);

// With the trace on: the phase heading at stage 0, the stage number and every option.
void TraceStage(const TArg& arg, int stage, std::string_view phase, const SearchContext& context);

// A line per option of the argument, in order.
void TraceOptions(const TArg& arg, TextArea& area);

}  // namespace dialectic
