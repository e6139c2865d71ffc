#include "exact/exercise_check.h"

#include <cassert>

#include "exact/labeling_solver.h"

namespace dialectic::exact {

namespace {

// The first local rule of a complete labeling that the labeling breaks, argument by argument in
// index order: IN arguments first need no IN attacker and then only OUT attackers; OUT arguments
// need an IN attacker; undecided arguments need an attacker that is not OUT and none that is IN.
// Stable semantics forbids undecided arguments outright.
ExerciseVerdict FirstBrokenLocalRule(const ArgumentGraph& graph, const std::vector<Label>& labels,
                                     bool stable) {
  const int size = graph.Size();
  for (int a = 0; a < size; ++a) {
    if (labels[a] != Label::kIn) continue;
    for (const int b : graph.attackers[a]) {
      if (labels[b] == Label::kIn)
        return {Outcome::kFinished, ExerciseRule::kInAttackedByIn, {a, b}, {}};
    }
  }
  for (int a = 0; a < size; ++a) {
    if (labels[a] != Label::kIn) continue;
    for (const int b : graph.attackers[a]) {
      if (labels[b] != Label::kOut) {
        return {Outcome::kFinished, ExerciseRule::kInAttackerNotOut, {a, b}, {}};
      }
    }
  }
  for (int a = 0; a < size; ++a) {
    if (labels[a] != Label::kOut) continue;
    bool has_in_attacker = false;
    for (const int b : graph.attackers[a])
      has_in_attacker = has_in_attacker || labels[b] == Label::kIn;
    if (!has_in_attacker) return {Outcome::kFinished, ExerciseRule::kOutWithoutInAttacker, {a}, {}};
  }
  for (int a = 0; a < size; ++a) {
    if (labels[a] != Label::kUndec) continue;
    if (stable) return {Outcome::kFinished, ExerciseRule::kUndecidedInStable, {a}, {}};
    bool all_out = true;
    for (const int b : graph.attackers[a]) {
      if (labels[b] == Label::kIn) {
        return {Outcome::kFinished, ExerciseRule::kUndecidedAttackedByIn, {a, b}, {}};
      }
      all_out = all_out && labels[b] == Label::kOut;
    }
    if (all_out) return {Outcome::kFinished, ExerciseRule::kUndecidedDefended, {a}, {}};
  }
  return {};
}

// An admissible set that holds every IN argument of the labeling and at least one more, by one SAT
// call: the IN arguments are fixed in, and some other argument must be in too.
ExerciseVerdict LargerAdmissible(const ArgumentGraph& graph, const std::vector<Label>& labels,
                                 RunContext& context) {
  LabelingSolver solver(graph, BaseSemantics::kAdmissible, false, context);
  std::vector<int> some_other;
  for (int a = 0; a < graph.Size(); ++a) {
    if (labels[a] == Label::kIn) {
      solver.Require({a, true});
    } else {
      some_other.push_back(solver.In(a));
    }
  }
  if (some_other.empty()) return {};
  solver.AddClause(some_other);
  const ExtensionAnswer answer = SolveForExtension(solver);
  if (answer.outcome == Outcome::kStopped) return {Outcome::kStopped, ExerciseRule::kNone, {}, {}};
  if (!answer.extension) return {};
  ExerciseVerdict verdict{
      Outcome::kFinished, ExerciseRule::kLargerAdmissible, {}, answer.extension};
  for (const int a : *answer.extension) {
    if (labels[a] != Label::kIn) verdict.arguments.push_back(a);
  }
  return verdict;
}

}  // namespace

std::string_view ExerciseRuleText(ExerciseRule rule) {
  switch (rule) {
    case ExerciseRule::kNone:
      return "the labeling is right";
    case ExerciseRule::kInAttackedByIn:
      return "an IN argument is attacked by an IN argument";
    case ExerciseRule::kInAttackerNotOut:
      return "an IN argument has an attacker that is not OUT";
    case ExerciseRule::kOutWithoutInAttacker:
      return "an OUT argument has no IN attacker";
    case ExerciseRule::kUndecidedAttackedByIn:
      return "an undecided argument has an IN attacker, so it should be OUT";
    case ExerciseRule::kUndecidedDefended:
      return "an undecided argument has only OUT attackers, so it should be IN";
    case ExerciseRule::kUndecidedInStable:
      return "a stable labeling leaves no argument undecided";
    case ExerciseRule::kNotLeast:
      return "the labeling is complete but not the least one: these arguments should be undecided";
    case ExerciseRule::kLargerAdmissible:
      return "the labeling is complete but its IN set is not maximal: a larger admissible set "
             "adds these arguments";
  }
  return "";
}

bool IsExerciseSemantics(Semantics semantics) {
  return semantics == Semantics::kGrounded || semantics == Semantics::kComplete ||
         semantics == Semantics::kPreferred || semantics == Semantics::kStable;
}

ExerciseVerdict CheckExercise(const ArgumentGraph& graph, Semantics semantics,
                              const std::vector<Label>& labels, RunContext& context) {
  assert(IsExerciseSemantics(semantics));
  assert(static_cast<int>(labels.size()) == graph.Size());
  ExerciseVerdict verdict = FirstBrokenLocalRule(graph, labels, semantics == Semantics::kStable);
  if (verdict.rule != ExerciseRule::kNone) return verdict;
  // The labeling is complete now: stable and complete ask no more.
  if (semantics == Semantics::kGrounded) {
    const std::vector<Label> least = GroundedLabels(graph);
    for (int a = 0; a < graph.Size(); ++a) {
      if (labels[a] != Label::kUndec && least[a] == Label::kUndec) verdict.arguments.push_back(a);
    }
    if (!verdict.arguments.empty()) verdict.rule = ExerciseRule::kNotLeast;
    return verdict;
  }
  if (semantics == Semantics::kPreferred) return LargerAdmissible(graph, labels, context);
  return verdict;
}

std::vector<Label> LabelsOfExtension(const ArgumentGraph& graph, const Extension& extension) {
  std::vector<Label> labels(static_cast<std::size_t>(graph.Size()), Label::kUndec);
  for (const int a : extension) labels[a] = Label::kIn;
  for (const int a : extension) {
    for (const int target : graph.targets[a]) {
      if (labels[target] != Label::kIn) labels[target] = Label::kOut;
    }
  }
  return labels;
}

std::optional<std::vector<Label>> ExerciseAnswer(const ArgumentGraph& graph, Semantics semantics,
                                                 RunContext& context) {
  assert(IsExerciseSemantics(semantics));
  if (semantics == Semantics::kGrounded || semantics == Semantics::kComplete) {
    return GroundedLabels(graph);
  }
  const ExtensionAnswer answer = FindExtension(graph, semantics, context);
  if (answer.outcome == Outcome::kStopped || !answer.extension) return std::nullopt;
  return LabelsOfExtension(graph, *answer.extension);
}

}  // namespace dialectic::exact
