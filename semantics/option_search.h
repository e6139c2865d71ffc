// The stage-by-stage search for every argument's proof options (labelings with it IN) and
// refutation options (with it OUT). Each phase starts from one labeling and alternates the defend
// and counter steps until a stage changes nothing, the depth is used up or a limit stops it.
// Afterwards an argument's Options hold its proof options followed by its refutation options.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/arg_index.h"
#include "model/line_list.h"
#include "model/run_context.h"
#include "model/theory.h"
#include "semantics/stage_steps.h"

namespace dialectic {

// The most names that the options of one phase may hold together, IN and OUT counted, after a
// stage. A phase whose options would hold more stops with a warning and keeps the options of its
// last completed stage, so that a search that multiplies its options ends within memory.
inline constexpr std::size_t kMaxLiveNames = std::size_t{1} << 22;
// The most names that the options of all arguments may hold together when their phases have
// ended: a bound on the memory of the whole search. A phase that would pass it stops the same way.
inline constexpr std::uint64_t kMaxHeldNames = std::uint64_t{1} << 25;
// The most names that the stages of one whole search may hold, summed over every stage of every
// phase: a bound on its time. Past it, every phase stops at its first stage with the same warning.
inline constexpr std::uint64_t kMaxSearchNames = std::uint64_t{1} << 31;

enum class Phase { kProof, kRefutation };

// Why a phase ended before a stage changed nothing: the depth was used up, or one of the limits
// above (counter-attack combinations, names held) stopped it at its last completed stage.
enum class CutOffReason { kDepth, kCombinations, kOptions };

// A phase of one argument whose options may lack what further stages would have found. The
// warning lines below the rephrasing say the same without naming the argument for the depth.
struct PhaseCutOff {
  const TArg* arg;
  Phase phase;
  CutOffReason reason;
};

// What the search reads and where it writes.
struct SearchContext {
  std::int32_t Depth;  // stages per phase at most; none when 0 or negative
  bool ShowTrace;      // whether every stage is written to the trace
  LineList& Memo2;     // receives the warnings
  LineList& Memo3;     // receives the stage results and the trace
  RunContext& Run;     // the stop request, and the progress it reports
  // When given, receives every cut-off phase in search order, as its warning is written.
  std::vector<PhaseCutOff>* CutOffs = nullptr;
};

// Clears the trace, then searches the options of every argument in Args order. False when a stop
// request ended it; the trace then ends with the stopped line.
bool ComputeAllOptions(TTheory& theory, const ArgIndex& index, const SearchContext& context);

}  // namespace dialectic
