#include "model/arg_index.h"

#include <algorithm>

#include "model/string_list.h"

namespace dialectic {

ArgIndex::ArgIndex(const TTheory& theory) {
  const int size = theory.Args.Count();
  arg_of_rank_.assign(theory.Args.begin(), theory.Args.end());
  std::stable_sort(arg_of_rank_.begin(), arg_of_rank_.end(), [](const TArg* a, const TArg* b) {
    return CompareFolded(a->Name, b->Name) < 0;
  });
  rank_of_position_.resize(Index(size));
  for (int rank = 0; rank < size; ++rank)
    rank_of_position_[Index(arg_of_rank_[Index(rank)]->Position)] = rank;

  class_begin_.resize(Index(size));
  class_end_.resize(Index(size));
  for (int begin = 0; begin < size;) {
    int end = begin + 1;
    while (end < size &&
           EqualFolded(arg_of_rank_[Index(begin)]->Name, arg_of_rank_[Index(end)]->Name))
      ++end;
    if (end - begin > 1) has_case_equal_names_ = true;
    for (int rank = begin; rank < end; ++rank) {
      class_begin_[Index(rank)] = begin;
      class_end_[Index(rank)] = end;
    }
    begin = end;
  }

  graph_.attackers.resize(Index(size));
  graph_.targets.resize(Index(size));
  for (int rank = 0; rank < size; ++rank) {
    const TArg& arg = *arg_of_rank_[Index(rank)];
    std::vector<int>& attackers = graph_.attackers[Index(rank)];
    attackers.reserve(Index(arg.Attackers.Count()));
    for (const TArg* attacker : arg.Attackers) attackers.push_back(RankOf(*attacker));
    std::vector<int>& targets = graph_.targets[Index(rank)];
    targets.reserve(Index(arg.Targets.Count()));
    for (const TArg* target : arg.Targets) targets.push_back(RankOf(*target));
  }
}

}  // namespace dialectic
