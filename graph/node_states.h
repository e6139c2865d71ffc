// The colours of the graph as states of its nodes: what a line of the options area or of the
// extensions area says about every argument. A labeling line (two blanks, then the IN names and
// the OUT names in parentheses, or "<empty>") makes its IN arguments IN, its OUT arguments OUT
// and every other argument undecided; a line of the options area also outlines the argument whose
// heading ("name:") stands above it. Lines are read with the theory's names, so a name holding a
// parenthesis reads right as long as the line has only one reading.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graph/theory_graph.h"
#include "model/theory.h"

namespace dialectic {

enum class NodeState {
  kPlain,      // no labeling is shown
  kIn,         // labelled IN
  kOut,        // labelled OUT
  kUndecided,  // neither, under a shown labeling
  kInAndOut,   // named on both sides of one line
};

// What one line of a listing changes in the drawing. A labeling line replaces every node's
// state and the outline; a heading only moves the outline; any other line changes nothing.
struct LineColouring {
  bool is_labeling = false;
  std::vector<NodeState> states;  // by position; filled for a labeling line only
  int outlined = -1;              // the argument whose options the line belongs to, or -1
};

// The states that a labeling's text form gives (without the two leading blanks or with them), or
// none when some word of it names no argument of the theory.
std::optional<std::vector<NodeState>> ReadLabelingText(std::string_view text,
                                                       const NameLookup& names, int size);

// A line of the extensions area (the grounded line, a preferred extension) or of any other
// listing of labelings without headings.
LineColouring ColouringOfLabelingLine(std::string_view line, const NameLookup& names, int size);

// Line number line of the options area, whose lines line_at gives: a heading outlines its
// argument; an option line gives its labeling with the argument of the heading above it outlined.
using LineAt = std::function<std::string(int line)>;
LineColouring ColouringOfOptionsLine(const LineAt& line_at, int line, const NameLookup& names,
                                     int size);

// The argument whose heading the line of the options area is, or -1.
int HeadingArgument(std::string_view line, const NameLookup& names);

// The grounded labeling of the theory as states by position.
std::vector<NodeState> GroundedStates(const TTheory& theory);

}  // namespace dialectic
