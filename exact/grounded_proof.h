// The grounded labeling with the min-max numbering of its rounds, the proof of an IN or OUT
// argument read from it, and the undecided cycles behind an undecided one. An argument is IN in
// round r when every attacker is OUT in an earlier round (round 1: unattacked), OUT in round r
// when its first IN attacker is IN in round r; so every proof descends strictly in rounds.
#pragma once

#include <vector>

#include "exact/explanation.h"
#include "exact/grounded_labeling.h"
#include "model/argument_graph.h"

namespace dialectic::exact {

struct GroundedRounds {
  std::vector<Label> labels;
  std::vector<int> rounds;  // 0 for UNDEC arguments
};

// Linear in arguments plus attacks.
GroundedRounds NumberGroundedRounds(const ArgumentGraph& graph);

// The proof of an IN argument (root: the argument as proponent) or an OUT one (root: the argument
// as opponent, answered by an IN attacker of the least round); the argument must not be UNDEC.
std::vector<TreeNode> GroundedProofTree(const ArgumentGraph& graph, const GroundedRounds& rounds,
                                        int argument);

// The UNDEC attackers of an UNDEC argument.
std::vector<int> UndecidedAttackers(const ArgumentGraph& graph, const std::vector<Label>& labels,
                                    int argument);
// For an UNDEC argument, one cycle through each strongly connected part of UNDEC arguments (joined
// by attacks) that has a cycle and reaches the argument by attacks between UNDEC arguments.
std::vector<std::vector<int>> UndecidedCycles(const ArgumentGraph& graph,
                                              const std::vector<Label>& labels, int argument);

}  // namespace dialectic::exact
