// The check of an exercise: is a labeling of an argument graph (IN, OUT or undecided by index) one
// of the labelings of grounded, complete, preferred or stable semantics, and if not, which rule it
// breaks first and with which arguments. The rules are checked in a fixed order, argument by
// argument, so the same labeling always gets the same answer: every rule named holds of the
// labeling as given.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "exact/exact_engine.h"
#include "exact/grounded_labeling.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

enum class ExerciseRule {
  kNone,                   // the labeling is one of the semantics' labelings
  kInAttackedByIn,         // arguments: the IN argument, then its IN attacker
  kInAttackerNotOut,       // arguments: the IN argument, then its attacker that is not OUT
  kOutWithoutInAttacker,   // arguments: the OUT argument (none of its attackers is IN)
  kUndecidedAttackedByIn,  // arguments: the undecided argument, then its IN attacker: it is OUT
  kUndecidedDefended,      // arguments: the undecided argument, all of whose attackers are OUT
  kUndecidedInStable,      // arguments: the undecided argument; stable leaves none undecided
  kNotLeast,               // grounded: complete, but these decided arguments are undecided in the
                           // least complete labeling
  kLargerAdmissible,       // preferred: complete, but the admissible set `larger` holds its IN set
                           // and more; arguments: those it adds
};

// A short sentence naming the rule, without the arguments: "an IN argument is attacked by an IN
// argument".
std::string_view ExerciseRuleText(ExerciseRule rule);

struct ExerciseVerdict {
  // kStopped only for preferred, whose check asks the SAT solver; the rest then means nothing.
  Outcome outcome = Outcome::kFinished;
  ExerciseRule rule = ExerciseRule::kNone;
  std::vector<int> arguments;
  // kLargerAdmissible: an admissible set that strictly holds the labeling's IN arguments.
  std::optional<Extension> larger;

  bool IsRight() const { return outcome == Outcome::kFinished && rule == ExerciseRule::kNone; }
};

// Whether the semantics can be asked in an exercise: grounded, complete, preferred or stable.
bool IsExerciseSemantics(Semantics semantics);

// The verdict on the labeling (one label per argument of the graph) under an exercise semantics.
ExerciseVerdict CheckExercise(const ArgumentGraph& graph, Semantics semantics,
                              const std::vector<Label>& labels, RunContext& context);

// One right labeling of an exercise semantics (the first one the engine finds), or none when
// there is none (stable only) or stopped.
std::optional<std::vector<Label>> ExerciseAnswer(const ArgumentGraph& graph, Semantics semantics,
                                                 RunContext& context);

// The labeling that an extension closed under defence (complete and above) gives: IN its
// members, OUT what they attack, undecided the rest.
std::vector<Label> LabelsOfExtension(const ArgumentGraph& graph, const Extension& extension);

}  // namespace dialectic::exact
