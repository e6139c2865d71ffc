#include "semantics/dense_theory.h"

#include <algorithm>
#include <unordered_map>

namespace dialectic {

std::optional<DenseTheory> MakeDenseTheory(const TTheory& theory) {
  DenseTheory dense;
  dense.size = theory.Args.Count();
  dense.arg_of_rank.assign(theory.Args.begin(), theory.Args.end());
  std::sort(dense.arg_of_rank.begin(), dense.arg_of_rank.end(),
            [](const TArg* a, const TArg* b) { return CompareFolded(a->Name, b->Name) < 0; });
  for (int r = 1; r < dense.size; ++r) {
    const auto at = static_cast<std::size_t>(r);
    if (EqualFolded(dense.arg_of_rank[at - 1]->Name, dense.arg_of_rank[at]->Name)) return {};
  }
  std::unordered_map<const TArg*, int> rank_of_arg;
  for (int r = 0; r < dense.size; ++r)
    rank_of_arg[dense.arg_of_rank[static_cast<std::size_t>(r)]] = r;
  for (const TArg* arg : theory.Args) dense.rank_of_position.push_back(rank_of_arg[arg]);
  dense.attackers.resize(static_cast<std::size_t>(dense.size));
  dense.targets.resize(static_cast<std::size_t>(dense.size));
  for (int r = 0; r < dense.size; ++r) {
    const TArg& arg = *dense.arg_of_rank[static_cast<std::size_t>(r)];
    for (const TArg* attacker : arg.Attackers)
      dense.attackers[static_cast<std::size_t>(r)].push_back(rank_of_arg[attacker]);
    for (const TArg* target : arg.Targets)
      dense.targets[static_cast<std::size_t>(r)].push_back(rank_of_arg[target]);
  }
  return dense;
}

DenseLabeling EmptyDenseLabeling(const DenseTheory& dense) {
  const RankSet empty(dense.size);
  return {empty, empty, empty, empty};
}

namespace {

std::string ConcatenatedNames(const DenseTheory& dense, const RankSet& ranks) {
  std::string names;
  ranks.ForEach([&](int r) { names += dense.arg_of_rank[static_cast<std::size_t>(r)]->Name; });
  return names;
}

}  // namespace

std::string DenseLabelingText(const DenseTheory& dense, const RankSet& in, const RankSet& out) {
  return LabelingTextOfNames(ConcatenatedNames(dense, in), ConcatenatedNames(dense, out));
}

NameSet NamesOfRanks(const DenseTheory& dense, const RankSet& ranks) {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(ranks.Count()));
  ranks.ForEach(
      [&](int r) { names.push_back(dense.arg_of_rank[static_cast<std::size_t>(r)]->Name); });
  return NameSet::FromSortedNames(std::move(names));
}

bool IsAttackedByInDense(const DenseTheory& dense, const RankSet& in, int rank) {
  const std::vector<int>& attackers = dense.attackers[static_cast<std::size_t>(rank)];
  return std::any_of(attackers.begin(), attackers.end(), [&](int y) { return in.Contains(y); });
}

}  // namespace dialectic
