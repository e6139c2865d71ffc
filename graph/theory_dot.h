// The theory as a Graphviz DOT digraph: one node per argument in theory order, named n0, n1 ...
// by position so that any name is safe, labelled with its shown name; one edge per attack, from
// attacker to target, target by target in theory order and each target's attackers in their
// order. With node states every node carries the fill, text colour and border of its state and
// the outlined argument a second ring. The text depends on nothing but its input, so it is stable
// for tests and diffs.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "graph/node_states.h"
#include "graph/shown_name.h"
#include "model/framework.h"
#include "model/theory.h"

namespace dialectic {

// The DOT text; without states the nodes carry only their labels.
std::string TheoryDot(const Framework& graph, std::span<const NodeState> states = {},
                      int outlined = -1);

// The DOT text coloured by the theory's grounded labeling.
std::string TheoryDot(const TTheory& theory);

// The shown name as a quoted DOT string: quotes and backslashes escaped; "&", control
// characters and bytes that are not UTF-8 written as character references (the latter as the
// replacement character, as the window shows them); UTF-8 sequences kept as they are.
std::string DotLabel(std::string_view name);

}  // namespace dialectic
