// A labeling of a theory's arguments by position, as the graph and the check hand it on: the IN
// and the OUT arguments, each ascending; every other argument is undecided. An argument may be
// on both sides, as in a listed line that contradicts itself.
#pragma once

#include <vector>

#include "model/arg_index.h"
#include "model/rank_set.h"

namespace dialectic {

struct PositionLabeling {
  std::vector<int> in;
  std::vector<int> out;

  friend bool operator==(const PositionLabeling&, const PositionLabeling&) = default;
};

// The positions of the arguments that the two sets of ranks hold.
PositionLabeling PositionsOf(const RankSet& in, const RankSet& out, const ArgIndex& index);
// The same with the position of each rank given, for a theory whose index is gone.
PositionLabeling PositionsOf(const RankSet& in, const RankSet& out,
                             const std::vector<int>& position_of_rank);

}  // namespace dialectic
