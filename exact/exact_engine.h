// The exact engine: the standard semantics of an argument graph (grounded, complete, stable,
// preferred, semi-stable, stage, ideal, admissible, naive) and the questions asked of them,
// answered by a SAT solver.
// Every answer is exact when its outcome is kFinished; a stop request through the run context ends
// a task early with kStopped, and the rest of such an answer means nothing beyond what it says.
// Extensions are sorted argument indices; every certificate is an extension of the semantics.
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "exact/big_count.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

enum class Semantics {
  kGrounded,
  kComplete,
  kStable,
  kPreferred,
  kSemiStable,
  kStage,
  kIdeal,
  kAdmissible,
  kNaive,
};

// The short names of the competition's task list: GR, CO, ST, PR, SST, STG, ID, ADM, NA.
std::string_view SemanticsName(Semantics semantics);
// The semantics with the given short name (exact spelling), if any.
std::optional<Semantics> ParseSemantics(std::string_view name);
// The semantics as a word of running text: "grounded", "semi-stable", "naive", ...
std::string_view SemanticsWord(Semantics semantics);

// A set of arguments by index, sorted ascending, each once.
using Extension = std::vector<int>;

// Whether a task ran to its end or stopped on request.
enum class Outcome { kFinished, kStopped };

// One extension, or none when the semantics has none (only stable can have none).
struct ExtensionAnswer {
  Outcome outcome = Outcome::kFinished;
  std::optional<Extension> extension;
};

// Whether an argument is accepted. The certificate is a witness extension containing the argument
// for a credulous yes and a counter-example extension without it for a sceptical no; the other
// answers have none.
struct AcceptanceAnswer {
  Outcome outcome = Outcome::kFinished;
  bool accepted = false;
  std::optional<Extension> certificate;
};

// How many extensions there are, exact at any size; when stopped, how many an enumeration had
// handed over before the stop (none for a count).
struct CountAnswer {
  Outcome outcome = Outcome::kFinished;
  BigCount count;
};

// Receives every extension of an enumeration once, as soon as it is found.
using ExtensionCallback = std::function<void(const Extension&)>;

// The grounded extension, by a linear-time work list; never stops.
Extension GroundedExtension(const ArgumentGraph& graph);

// The tasks. Each starts the run context's kExact phase, counts its SAT calls as candidates and
// checks the stop request between them; the SAT solver checks it during a call too.
ExtensionAnswer FindExtension(const ArgumentGraph& graph, Semantics semantics, RunContext& context);
// Credulous acceptance: is the argument (0 <= argument < graph.Size()) in some extension?
AcceptanceAnswer IsCredulouslyAccepted(const ArgumentGraph& graph, Semantics semantics,
                                       int argument, RunContext& context);
// Sceptical acceptance: is the argument in every extension? Yes when there is no extension at all.
// Never under admissible semantics: the empty set is admissible.
AcceptanceAnswer IsScepticallyAccepted(const ArgumentGraph& graph, Semantics semantics,
                                       int argument, RunContext& context);
// Hands every extension to the callback, each once, without keeping them.
CountAnswer EnumerateExtensions(const ArgumentGraph& graph, Semantics semantics,
                                RunContext& context, const ExtensionCallback& callback);
CountAnswer CountExtensions(const ArgumentGraph& graph, Semantics semantics, RunContext& context);

}  // namespace dialectic::exact
