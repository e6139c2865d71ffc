#include "semantics/grounded.h"

#include <cstddef>
#include <functional>
#include <queue>
#include <tuple>
#include <vector>

namespace dialectic {

void ComputeGrounded(const ArgIndex& index, TProofLabeling& result) {
  // The passes, replayed by events. A pass takes an argument in when, at its turn, no argument of
  // its name (letter case ignored) is IN yet, no IN argument attacks it and every attacker is
  // attacked by an IN argument. Each condition, once settled, stays settled, so an argument need
  // only be looked at from the moment its last attacker became attacked: in the same pass when
  // that happened before its turn, else in the next pass. Taking the arguments in order of
  // (pass, position) gives exactly the passes' order, and with it the spellings that the name
  // sets keep.
  const int size = index.Size();
  std::vector<std::size_t> attackers_unattacked(static_cast<std::size_t>(size));
  std::vector<bool> attacked_by_in(static_cast<std::size_t>(size), false);
  using Turn = std::tuple<int, int, int>;  // pass, position, rank
  std::priority_queue<Turn, std::vector<Turn>, std::greater<>> turns;
  for (int rank = 0; rank < size; ++rank) {
    const std::size_t count = index.AttackersOf(rank).size();
    attackers_unattacked[static_cast<std::size_t>(rank)] = count;
    if (count == 0) turns.emplace(0, index.ArgOfRank(rank).Position, rank);
  }

  result.InArgs.Clear();
  result.OutArgs.Clear();
  result.NewIn.Clear();
  result.NewOut.Clear();
  while (!turns.empty()) {
    const auto [pass, position, rank] = turns.top();
    turns.pop();
    if (attacked_by_in[static_cast<std::size_t>(rank)]) continue;
    if (result.InArgs.ContainsName(rank, index)) continue;
    result.InArgs.Add(rank);
    for (int target : index.TargetsOf(rank)) {
      result.OutArgs.AddName(target, index);
      if (attacked_by_in[static_cast<std::size_t>(target)]) continue;
      attacked_by_in[static_cast<std::size_t>(target)] = true;
      for (int defended : index.TargetsOf(target)) {
        if (--attackers_unattacked[static_cast<std::size_t>(defended)] > 0) continue;
        const int defended_position = index.ArgOfRank(defended).Position;
        turns.emplace(defended_position > position ? pass : pass + 1, defended_position, defended);
      }
    }
  }
}

}  // namespace dialectic
