#include "exact/grounded_labeling.h"

#include "exact/exact_engine.h"

namespace dialectic::exact {

std::vector<Label> GroundedLabels(const ArgumentGraph& graph) {
  return LeastCompleteLabels(graph, {});
}

std::vector<Label> LeastCompleteLabels(const ArgumentGraph& graph,
                                       const std::vector<int>& admissible) {
  // Each argument keeps the number of its attackers not yet OUT. An argument whose count drops to
  // zero is IN; the arguments it attacks become OUT, and each of them, once OUT, lowers the count
  // of its own targets. Every argument enters the work list at most once and every attack is looked
  // at at most twice. An argument defended by an admissible set can join it and the set stays
  // admissible, so no IN argument ever becomes OUT.
  const int size = graph.Size();
  std::vector<Label> labels(size, Label::kUndec);
  std::vector<int> live_attackers(size);
  std::vector<int> work;
  for (const int a : admissible) {
    labels[a] = Label::kIn;
    work.push_back(a);
  }
  for (int a = 0; a < size; ++a) {
    live_attackers[a] = static_cast<int>(graph.attackers[a].size());
    if (live_attackers[a] == 0 && labels[a] == Label::kUndec) {
      labels[a] = Label::kIn;
      work.push_back(a);
    }
  }
  while (!work.empty()) {
    const int in = work.back();
    work.pop_back();
    for (const int target : graph.targets[in]) {
      if (labels[target] != Label::kUndec) continue;
      labels[target] = Label::kOut;
      for (const int next : graph.targets[target]) {
        // An argument attacked by an IN one never reaches zero: its IN attacker stays counted.
        if (--live_attackers[next] == 0 && labels[next] == Label::kUndec) {
          labels[next] = Label::kIn;
          work.push_back(next);
        }
      }
    }
  }
  return labels;
}

std::vector<int> InArguments(const std::vector<Label>& labels) {
  std::vector<int> in;
  for (int a = 0; a < static_cast<int>(labels.size()); ++a) {
    if (labels[a] == Label::kIn) in.push_back(a);
  }
  return in;
}

Extension GroundedExtension(const ArgumentGraph& graph) {
  return InArguments(GroundedLabels(graph));
}

}  // namespace dialectic::exact
