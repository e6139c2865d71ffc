// The stage-by-stage search for every argument's proof options (labelings with it IN) and
// refutation options (with it OUT). Each phase starts from one labeling and alternates the defend
// and counter steps until a stage changes nothing, the depth is used up or a limit stops it.
// Afterwards an argument's Options hold its proof options followed by its refutation options.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/arg_index.h"
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

// A phase of one argument whose options may lack what further stages would have found.
struct PhaseCutOff {
  const TArg* arg;
  Phase phase;
  CutOffReason reason;
};

// Where an argument's phases ended: the number of the stage that gave each phase's options their
// final form, the stage at which they were found (0 when the starting labeling already was;
// the last stage that changed or dropped options), and how many of the argument's Options are
// proof options (the rest are refutation options). -1 for a phase that did not end.
struct OptionStages {
  int proof_stage = -1;
  int refutation_stage = -1;
  int proof_count = 0;
};

// Receives the search as it goes, stage by stage, so that a trace of hundreds of megabytes can be
// written out, or dropped, while it is computed instead of being kept.
class SearchObserver {
 public:
  virtual ~SearchObserver() = default;
  // A phase starts; its stage 0 (the starting labeling) follows.
  virtual void PhaseBegins(const TArg& arg, Phase phase) = 0;
  // Stage number `stage` gave these options, which differ from the stage before.
  virtual void StageReached(int stage, const Options& options) = 0;
  // Stage number `stage` changed nothing: the options are final (there are none when empty).
  virtual void StageUnchanged(int stage, bool no_options) = 0;
  // A phase ended without a stop request, stable or cut off.
  virtual void PhaseEnds() = 0;
  // A stop request ended the search within the phase.
  virtual void Stopped() = 0;
};

// What the search reads.
struct SearchSettings {
  std::int32_t Depth;  // stages per phase at most; none when 0 or negative
  RunContext& Run;     // the stop request, and the progress it reports
  // When given, follows every stage as it is computed.
  SearchObserver* Observer = nullptr;
};

// What the search found besides the options it leaves in every argument.
struct SearchOutcome {
  bool completed = true;  // false when a stop request ended it
  // Every phase that ended before its options were stable, in search order.
  std::vector<PhaseCutOff> cut_offs;
  // By argument position; arguments after a stop keep the defaults.
  std::vector<OptionStages> stages;
};

// Searches the options of every argument in Args order.
SearchOutcome ComputeAllOptions(TTheory& theory, const ArgIndex& index,
                                const SearchSettings& settings);

}  // namespace dialectic
