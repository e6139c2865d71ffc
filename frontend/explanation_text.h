// An explanation as readable text: a few sentences and, for a tree, one line per node, indented
// two spaces per level ("proponent a (round 2)", "opponent b"). Names are written as the file
// gives them, byte for byte.
#pragma once

#include <string>
#include <vector>

#include "exact/exact_engine.h"
#include "exact/explanation.h"

namespace dialectic {

// The explanation of the answer about the argument (an index into names) under the semantics;
// every line ends with a newline.
std::string ExplanationText(const exact::Explanation& explanation, exact::Semantics semantics,
                            int argument, const std::vector<std::string>& names);

// The tree's lines alone, in preorder, each indented by its depth.
std::vector<std::string> TreeLines(const std::vector<exact::TreeNode>& tree,
                                   const std::vector<std::string>& names);

}  // namespace dialectic
