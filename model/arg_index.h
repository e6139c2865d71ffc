// The theory's arguments numbered by rank, built once per run and handed to every computation.
// Ranks order the arguments by name with A-Z folded, and arguments whose names are equal under
// that folding by their position in Args. Such arguments form a class: a run of neighbouring
// ranks. Ascending rank order is name-set order, so a set of ranks lists its names in the order
// every labeling text uses. Attack lists by rank keep the order of the theory's lists.
#pragma once

#include <string>
#include <vector>

#include "model/argument_graph.h"
#include "model/theory.h"

namespace dialectic {

class ArgIndex {
 public:
  explicit ArgIndex(const TTheory& theory);

  int Size() const { return graph_.Size(); }
  const TArg& ArgOfRank(int rank) const { return *arg_of_rank_[Index(rank)]; }
  const std::string& NameOfRank(int rank) const { return ArgOfRank(rank).Name; }
  int RankOf(const TArg& arg) const { return rank_of_position_[Index(arg.Position)]; }

  // The ranks of the argument's class: from ClassBegin up to (not including) ClassEnd.
  int ClassBegin(int rank) const { return class_begin_[Index(rank)]; }
  int ClassEnd(int rank) const { return class_end_[Index(rank)]; }
  // Whether some two names are equal under case folding, so that some class has two ranks.
  bool HasCaseEqualNames() const { return has_case_equal_names_; }

  // Attackers and targets by rank.
  const ArgumentGraph& Graph() const { return graph_; }
  const std::vector<int>& AttackersOf(int rank) const { return graph_.attackers[Index(rank)]; }
  const std::vector<int>& TargetsOf(int rank) const { return graph_.targets[Index(rank)]; }

 private:
  static std::size_t Index(int i) { return static_cast<std::size_t>(i); }

  std::vector<const TArg*> arg_of_rank_;
  std::vector<int> rank_of_position_;
  std::vector<int> class_begin_;
  std::vector<int> class_end_;
  bool has_case_equal_names_ = false;
  ArgumentGraph graph_;
};

}  // namespace dialectic
