#include "graph/node_states.h"

#include "model/arg_index.h"
#include "semantics/grounded.h"

namespace dialectic {

std::vector<NodeState> StatesOf(const PositionLabeling& labeling, int size) {
  std::vector<NodeState> states(static_cast<std::size_t>(size), NodeState::kUndecided);
  for (int position : labeling.in) states[static_cast<std::size_t>(position)] = NodeState::kIn;
  for (int position : labeling.out) {
    NodeState& state = states[static_cast<std::size_t>(position)];
    state = state == NodeState::kIn ? NodeState::kInAndOut : NodeState::kOut;
  }
  return states;
}

std::vector<NodeState> GroundedStates(const TTheory& theory) {
  const ArgIndex index(theory);
  TProofLabeling grounded;
  ComputeGrounded(index, grounded);
  return StatesOf(PositionsOf(grounded.InArgs, grounded.OutArgs, index), index.Size());
}

}  // namespace dialectic
