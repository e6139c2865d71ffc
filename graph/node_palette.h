// How each node state is drawn, as data shared by the window and the DOT text: a fill, a text
// colour and a border whose line and width differ from state to state, so that the states stay
// apart without colour (in print, for colour-blind readers). The fills come from a palette that
// readers with any common colour vision deficiency tell apart: blue for IN, orange for OUT, grey
// for undecided. Colours are "#RRGGBB".
#pragma once

#include <string_view>

#include "graph/node_states.h"

namespace dialectic {

enum class BorderLine { kSolid, kDashed, kDotted };

struct NodeStyle {
  std::string_view caption;  // the legend's words for the state
  std::string_view fill;
  std::string_view text;
  std::string_view border;
  BorderLine border_line;
  double border_width;  // in points
};

const NodeStyle& StyleOf(NodeState state);

// Every state with a style, in the legend's order.
inline constexpr NodeState kLegendStates[] = {NodeState::kIn, NodeState::kOut,
                                              NodeState::kUndecided, NodeState::kInAndOut,
                                              NodeState::kPlain};

// The argument whose options a line belongs to gets a second ring around its border.
struct OutlineStyle {
  std::string_view colour;
  double width;  // of the ring, in points
  double gap;    // between the border and the ring, in points
};
inline constexpr OutlineStyle kOutline{"#000000", 2.0, 3.0};

inline constexpr std::string_view kAttackColour = "#404040";

}  // namespace dialectic
