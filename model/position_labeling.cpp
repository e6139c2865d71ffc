#include "model/position_labeling.h"

#include <algorithm>

namespace dialectic {

namespace {

template <typename PositionOfRank>
std::vector<int> PositionsOf(const RankSet& ranks, PositionOfRank&& position_of_rank) {
  std::vector<int> positions;
  positions.reserve(static_cast<std::size_t>(ranks.Count()));
  ranks.ForEach([&](int rank) { positions.push_back(position_of_rank(rank)); });
  std::sort(positions.begin(), positions.end());
  return positions;
}

}  // namespace

PositionLabeling PositionsOf(const RankSet& in, const RankSet& out, const ArgIndex& index) {
  const auto position_of_rank = [&](int rank) { return index.ArgOfRank(rank).Position; };
  return {PositionsOf(in, position_of_rank), PositionsOf(out, position_of_rank)};
}

PositionLabeling PositionsOf(const RankSet& in, const RankSet& out,
                             const std::vector<int>& position_of_rank) {
  const auto position = [&](int rank) { return position_of_rank[static_cast<std::size_t>(rank)]; };
  return {PositionsOf(in, position), PositionsOf(out, position)};
}

}  // namespace dialectic
