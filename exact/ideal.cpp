#include "exact/ideal.h"

#include <algorithm>

#include "exact/labeling_solver.h"

namespace dialectic::exact {

namespace {

bool AttacksItself(const ArgumentGraph& graph, int argument) {
  const std::vector<int>& attackers = graph.attackers[argument];
  return std::find(attackers.begin(), attackers.end(), argument) != attackers.end();
}

// The largest subset of the members that defends itself: a member leaves while one of its
// attackers is attacked by no member left. Every admissible subset of the members lies inside it,
// and for conflict-free members it is their largest admissible subset. Every argument keeps the
// number of members attacking it; when that drops to zero, the members it attacks have lost their
// defence and leave too. Linear in arguments plus attacks.
std::vector<bool> SelfDefendingCore(const ArgumentGraph& graph, std::vector<bool> members) {
  const int size = graph.Size();
  std::vector<int> member_attackers(size, 0);
  for (int a = 0; a < size; ++a) {
    for (const int attacker : graph.attackers[a]) member_attackers[a] += members[attacker] ? 1 : 0;
  }
  std::vector<int> leaving;
  const auto undefended_leave = [&](int unattacked) {
    for (const int target : graph.targets[unattacked]) {
      if (!members[target]) continue;
      members[target] = false;
      leaving.push_back(target);
    }
  };
  for (int a = 0; a < size; ++a) {
    if (member_attackers[a] == 0) undefended_leave(a);
  }
  while (!leaving.empty()) {
    const int left = leaving.back();
    leaving.pop_back();
    for (const int target : graph.targets[left]) {
      if (--member_attackers[target] == 0) undefended_leave(target);
    }
  }
  return members;
}

// What is known of the credulously accepted arguments (those in some admissible set) while they
// are being marked.
struct CredulousMarks {
  std::vector<bool> accepted;  // in an admissible set found so far
  std::vector<bool> refuted;   // in no admissible set
};

// The arguments that may still be in the ideal extension. It is admissible, and no admissible set
// attacks it, so it lies inside the self-defending core of the arguments that are not refuted and
// that no accepted argument attacks.
std::vector<bool> IdealBound(const ArgumentGraph& graph, const CredulousMarks& marks) {
  std::vector<bool> bound(graph.Size());
  for (int a = 0; a < graph.Size(); ++a) bound[a] = !marks.refuted[a];
  for (int a = 0; a < graph.Size(); ++a) {
    if (!marks.accepted[a]) continue;
    for (const int target : graph.targets[a]) bound[target] = false;
  }
  return SelfDefendingCore(graph, std::move(bound));
}

}  // namespace

ExtensionAnswer IdealExtension(const ArgumentGraph& graph, const std::vector<Label>& grounded,
                               RunContext& context) {
  // The ideal extension is the largest admissible subset of the accepted arguments that no
  // accepted argument attacks. Only the arguments inside the bound and their attackers need to be
  // known as accepted or not, and the bound shrinks with every admissible set found; once it holds
  // only the grounded extension, that is the ideal one, and the arguments not yet known never need
  // to be. Each SAT call asks for an admissible set with an argument that still needs to be known
  // and marks all of its arguments, or proves that none of them is accepted.
  const int size = graph.Size();
  CredulousMarks marks{std::vector<bool>(size), std::vector<bool>(size)};
  for (int a = 0; a < size; ++a) {
    marks.accepted[a] = grounded[a] == Label::kIn;
    marks.refuted[a] = grounded[a] == Label::kOut || AttacksItself(graph, a);
  }
  // The solver's models lean towards large admissible sets, which mark more arguments per call:
  // SE-ID on a grid of 10,000 arguments took 0.6 s instead of 3.5 s.
  LabelingSolver solver(graph, BaseSemantics::kAdmissible, false, context);
  while (true) {
    const std::vector<bool> bound = IdealBound(graph, marks);
    std::vector<bool> needed(size, false);
    for (int a = 0; a < size; ++a) {
      if (!bound[a]) continue;
      needed[a] = true;
      for (const int attacker : graph.attackers[a]) needed[attacker] = true;
    }
    const int activation = solver.NewActivation();
    std::vector<int> some_needed = {-activation};
    for (int a = 0; a < size; ++a) {
      if (needed[a] && !marks.accepted[a] && !marks.refuted[a]) some_needed.push_back(solver.In(a));
    }
    if (some_needed.size() > 1) {
      solver.AddClause(some_needed);
      const SolveResult result = solver.Solve({activation});
      if (result == SolveResult::kStopped) return {Outcome::kStopped, {}};
      if (result == SolveResult::kSatisfiable) {
        for (const int a : solver.ModelExtension()) marks.accepted[a] = true;
        solver.Retire(activation);
        continue;
      }
    }
    // Every argument that decides the ideal extension is known: the accepted ones in the bound
    // that no accepted argument attacks are conflict-free, and their largest admissible subset is
    // the ideal extension.
    std::vector<bool> candidates(size);
    for (int a = 0; a < size; ++a) candidates[a] = bound[a] && marks.accepted[a];
    for (int a = 0; a < size; ++a) {
      if (!marks.accepted[a]) continue;
      for (const int target : graph.targets[a]) candidates[target] = false;
    }
    const std::vector<bool> ideal = SelfDefendingCore(graph, std::move(candidates));
    Extension extension;
    for (int a = 0; a < size; ++a) {
      if (ideal[a]) extension.push_back(a);
    }
    return {Outcome::kFinished, std::move(extension)};
  }
}

}  // namespace dialectic::exact
