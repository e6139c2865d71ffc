#include "model/run_context.h"

namespace dialectic {

std::string_view PhaseName(RunPhase phase) {
  switch (phase) {
    case RunPhase::kIdle:
      return "idle";
    case RunPhase::kGrounded:
      return "grounded extension";
    case RunPhase::kOptions:
      return "options";
    case RunPhase::kPreferred:
      return "preferred extensions";
    case RunPhase::kExact:
      return "exact semantics";
  }
  return "";
}

}  // namespace dialectic
