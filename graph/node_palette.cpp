#include "graph/node_palette.h"

namespace dialectic {

namespace {

// Fills from the Okabe-Ito palette; each text colour has a contrast of at least 4.5:1 with its
// fill, and the borders differ in line or width between any two states.
constexpr NodeStyle kIn{"IN", "#0072B2", "#FFFFFF", "#002A42", BorderLine::kSolid, 3.0};
constexpr NodeStyle kOut{"OUT", "#E69F00", "#000000", "#5C3F00", BorderLine::kDashed, 2.0};
constexpr NodeStyle kUndecided{"undecided", "#C8C8C8",           "#000000",
                               "#4D4D4D",   BorderLine::kDotted, 2.0};
constexpr NodeStyle kInAndOut{"IN and OUT", "#CC79A7",           "#000000",
                              "#4D1F3A",    BorderLine::kDashed, 4.0};
constexpr NodeStyle kPlain{"no labeling", "#FFFFFF", "#000000", "#000000", BorderLine::kSolid, 1.0};

}  // namespace

const NodeStyle& StyleOf(NodeState state) {
  switch (state) {
    case NodeState::kIn:
      return kIn;
    case NodeState::kOut:
      return kOut;
    case NodeState::kUndecided:
      return kUndecided;
    case NodeState::kInAndOut:
      return kInAndOut;
    case NodeState::kPlain:
      break;
  }
  return kPlain;
}

}  // namespace dialectic
