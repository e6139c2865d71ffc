// The colours of the graph as states of its nodes: what a labeling says about every argument.
// A labeling makes its IN arguments IN, its OUT arguments OUT and every other argument
// undecided; an argument on both sides is shown as such. A line of the options area also
// outlines the argument whose options it lists.
#pragma once

#include <vector>

#include "model/position_labeling.h"
#include "model/theory.h"

namespace dialectic {

enum class NodeState {
  kPlain,      // no labeling is shown
  kIn,         // labelled IN
  kOut,        // labelled OUT
  kUndecided,  // neither, under a shown labeling
  kInAndOut,   // on both sides of one labeling
};

// What one line of a listing changes in the drawing. A labeling line replaces every node's
// state and the outline; a heading only moves the outline; any other line changes nothing.
struct LineColouring {
  bool is_labeling = false;
  std::vector<NodeState> states;  // by position; filled for a labeling line only
  int outlined = -1;              // the argument whose options the line belongs to, or -1
};

// The states by position that the labeling gives to a theory of size arguments.
std::vector<NodeState> StatesOf(const PositionLabeling& labeling, int size);

// The grounded labeling of the theory as states by position.
std::vector<NodeState> GroundedStates(const TTheory& theory);

}  // namespace dialectic
