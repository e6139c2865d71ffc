// A theory seen by collation rank, for the fast computations. It exists only for theories in
// which no two argument names are equal under case folding: then every name set holds each
// argument under its one spelling, a set is exactly a set of ranks, and ascending rank order is
// name-set order. Theories with such names take the computations by name instead.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/proof_labeling.h"
#include "model/theory.h"
#include "semantics/rank_set.h"

namespace dialectic {

struct DenseTheory {
  int size = 0;
  std::vector<TArg*> arg_of_rank;
  std::vector<int> rank_of_position;        // by position in Args
  std::vector<std::vector<int>> attackers;  // by rank, in Attackers order
  std::vector<std::vector<int>> targets;    // by rank, in Targets order
};

// The dense view of the theory, or nothing when two of its names are equal under case folding.
std::optional<DenseTheory> MakeDenseTheory(const TTheory& theory);

// A labeling by rank: the four sets of a TProofLabeling.
struct DenseLabeling {
  RankSet in, out, new_in, new_out;
};

DenseLabeling EmptyDenseLabeling(const DenseTheory& dense);

// The same text as LabelingText of the labeling with these IN and OUT arguments.
std::string DenseLabelingText(const DenseTheory& dense, const RankSet& in, const RankSet& out);

// The argument's name set of the ranks.
NameSet NamesOfRanks(const DenseTheory& dense, const RankSet& ranks);

// Whether an IN argument attacks the argument of this rank.
bool IsAttackedByInDense(const DenseTheory& dense, const RankSet& in, int rank);

}  // namespace dialectic
