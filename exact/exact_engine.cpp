#include "exact/exact_engine.h"

#include <algorithm>
#include <array>
#include <utility>

#include "exact/admissible_naive.h"
#include "exact/components.h"
#include "exact/directional.h"
#include "exact/grounded_labeling.h"
#include "exact/ideal.h"
#include "exact/labeling_counter.h"
#include "exact/labeling_solver.h"
#include "exact/maximal_search.h"
#include "exact/scc_recursive.h"
#include "exact/sceptical_preferred.h"

namespace dialectic::exact {

namespace {

struct SemanticsNames {
  Semantics semantics;
  std::string_view short_name;
  std::string_view word;
};

constexpr std::array<SemanticsNames, 9> kNames = {{
    {Semantics::kGrounded, "GR", "grounded"},
    {Semantics::kComplete, "CO", "complete"},
    {Semantics::kStable, "ST", "stable"},
    {Semantics::kPreferred, "PR", "preferred"},
    {Semantics::kSemiStable, "SST", "semi-stable"},
    {Semantics::kStage, "STG", "stage"},
    {Semantics::kIdeal, "ID", "ideal"},
    {Semantics::kAdmissible, "ADM", "admissible"},
    {Semantics::kNaive, "NA", "naive"},
}};

bool Meets(const Extension& extension, const std::optional<Requirement>& requirement) {
  if (!requirement) return true;
  return std::binary_search(extension.begin(), extension.end(), requirement->argument) ==
         requirement->in;
}

// Whether the graph alone shows that no extension meets the requirement: no extension contains a
// self-attacking argument, and every extension of a semantics built on complete ones contains the
// grounded extension and nothing it attacks.
bool IsRuledOut(const ArgumentGraph& graph, const std::vector<Label>& grounded, Semantics semantics,
                const Requirement& requirement) {
  const int a = requirement.argument;
  const std::vector<int>& attackers = graph.attackers[a];
  if (requirement.in && std::find(attackers.begin(), attackers.end(), a) != attackers.end()) {
    return true;
  }
  if (semantics == Semantics::kStage) return false;
  return grounded[a] == (requirement.in ? Label::kOut : Label::kIn);
}

BaseSemantics DirectBase(Semantics semantics) {
  return semantics == Semantics::kStable ? BaseSemantics::kStable : BaseSemantics::kComplete;
}

// Complete and stable extensions are plain models of their encoding.
ExtensionAnswer FindDirect(const ArgumentGraph& graph, Semantics semantics,
                           const std::optional<Requirement>& requirement, RunContext& context) {
  LabelingSolver solver(graph, DirectBase(semantics), false, context);
  // A counter-example to sceptical acceptance is often the first model the solver finds without
  // the argument excluded, which on dense frameworks came far faster than one with it excluded
  // (DS-ST on 300 arguments of ten or eleven attackers each 5.1 s -> 0.8 s and 17.9 s -> 7.5 s).
  // Otherwise the solver goes on with what it learnt. Where no stable extension exists, that first
  // call is the whole proof, at times a slower one than with the argument excluded (10.7 s ->
  // 14.3 s on one framework of twelve attackers each).
  if (requirement && !requirement->in) {
    switch (solver.Solve({})) {
      case SolveResult::kSatisfiable: {
        Extension model = solver.ModelExtension();
        if (Meets(model, requirement)) return {Outcome::kFinished, std::move(model)};
        break;
      }
      case SolveResult::kUnsatisfiable:
        return {};
      case SolveResult::kStopped:
        return {Outcome::kStopped, {}};
    }
  }
  if (requirement) solver.Require(*requirement);
  return SolveForExtension(solver);
}

// A complete extension with the argument in. An argument is in some complete extension exactly
// when it is in some admissible set, and the least complete extension above that set is one. The
// admissible encoding lacks the clauses that force every defended argument in, and on dense
// frameworks (300 arguments of 10 to 12 attackers each) it answered in about half the time.
ExtensionAnswer FindCompleteContaining(const ArgumentGraph& graph, int argument,
                                       RunContext& context) {
  LabelingSolver solver(graph, BaseSemantics::kAdmissible, false, context);
  solver.Require({argument, true});
  switch (solver.Solve({})) {
    case SolveResult::kSatisfiable:
      return {Outcome::kFinished, InArguments(LeastCompleteLabels(graph, solver.ModelExtension()))};
    case SolveResult::kUnsatisfiable:
      return {};
    case SolveResult::kStopped:
      break;
  }
  return {Outcome::kStopped, {}};
}

CountAnswer EnumerateDirect(const ArgumentGraph& graph, Semantics semantics, RunContext& context,
                            const ExtensionCallback& callback) {
  // A complete extension is blocked alone; every later stable one conflicts with a found one.
  LabelingSolver solver(graph, DirectBase(semantics), false, context);
  return EnumerateModels(
      solver, [](LabelingSolver& model) { return model.ModelExtension(); },
      [&solver, semantics](const Extension& extension) {
        if (semantics == Semantics::kStable) {
          solver.RequireConflictWith(extension);
        } else {
          solver.BlockExtension(extension);
        }
      },
      callback);
}

// Stable extensions are stage ones, and once one exists there are no other stage extensions. A
// stage search grows conflict-free sets to maximal ranges, and on dense frameworks its proofs that
// no larger range exists took most of the time, where the same question about stable extensions
// is one SAT call or two: DC-STG on 300 arguments of ten attackers each took 1.6 s instead of
// 33.9 s, EE-STG 6.1 s instead of 49.6 s; where no stable extension exists, the stage questions
// took up to a fifth longer (DC-STG 30.0 s -> 35.4 s). The same holds for semi-stable extensions,
// but there asking first cost more than it saved: their admissible base often proves quickly what
// stable questions prove slowly (DC-SST 0.1 s -> 0.9 s, DS-SST 8.4 s -> 13.8 s on frameworks
// without a stable extension). None when no stable extension exists.
std::optional<ExtensionAnswer> AnswerByStable(const ArgumentGraph& graph,
                                              const std::optional<Requirement>& requirement,
                                              RunContext& context) {
  LabelingSolver solver(graph, BaseSemantics::kStable, false, context);
  SolveResult result = solver.Solve(solver.RequiredLiterals(requirement));
  if (result == SolveResult::kSatisfiable) {
    return ExtensionAnswer{Outcome::kFinished, solver.ModelExtension()};
  }
  if (result == SolveResult::kUnsatisfiable && requirement) {
    result = solver.Solve({});
    if (result == SolveResult::kSatisfiable) return ExtensionAnswer{};
  }
  if (result == SolveResult::kStopped) return ExtensionAnswer{Outcome::kStopped, {}};
  return std::nullopt;
}

// A stable extension is preferred. Where one exists, the stable encoding often finds it sooner
// than a preferred search finds its first nonempty admissible set: on three frameworks derived
// from assumption-based ones (256 to 448 arguments of 40 to 135 attacks each) one preferred
// extension took 7.6, 2.9 and 0.8 s of CPU before, 1.5, 0.8 and 0.7 s with the stable question
// first. So a preferred question that a stable extension can answer asks for one first, within
// 300,000 conflicts (the slowest of the three needed between 100,000 and 1,000,000), which is all
// it costs where no stable extension exists. None when that does not decide it.
std::optional<ExtensionAnswer> PreferredByStable(const ArgumentGraph& graph,
                                                 const std::optional<Requirement>& requirement,
                                                 RunContext& context) {
  constexpr int kConflictBound = 300000;
  LabelingSolver solver(graph, BaseSemantics::kStable, false, context);
  SolveResult result = SolveResult::kUnsatisfiable;
  if (requirement && !requirement->in) {
    // A counter-example to sceptical acceptance. As for a sceptical stable question, the first
    // model without the requirement often lacks the argument already. On the frameworks above a
    // sceptical question took 2.8, 0.8 and 3.0 s of CPU with the admissible search alone, 1.7,
    // 0.8 and 0.9 s with this try first.
    result = solver.SolveWithin({}, kConflictBound);
    if (result == SolveResult::kUnsatisfiable) return std::nullopt;
    if (result == SolveResult::kSatisfiable) {
      Extension model = solver.ModelExtension();
      if (Meets(model, requirement)) return ExtensionAnswer{Outcome::kFinished, std::move(model)};
    }
  }
  if (result != SolveResult::kStopped) {
    result = solver.SolveWithin(solver.RequiredLiterals(requirement), kConflictBound);
  }
  if (result == SolveResult::kSatisfiable) {
    return ExtensionAnswer{Outcome::kFinished, solver.ModelExtension()};
  }
  if (result == SolveResult::kStopped && context.StopRequested()) {
    return ExtensionAnswer{Outcome::kStopped, {}};
  }
  return std::nullopt;
}

ExtensionAnswer FindMeeting(const ArgumentGraph& graph, Semantics semantics,
                            const std::optional<Requirement>& requirement, RunContext& context);
Decomposition Decompose(const ArgumentGraph& graph, Semantics semantics);
PartSolvers SolversOf(Semantics semantics, RunContext& context);

// Whether the question is one that the arguments reaching its argument decide, and one that may
// need a SAT call: credulous admissible, complete and preferred acceptance, and sceptical
// preferred acceptance (the grounded extension answers the sceptical complete question, and the
// empty set the sceptical admissible one).
bool IsAskedUpstream(Semantics semantics, const Requirement& requirement) {
  if (semantics == Semantics::kPreferred) return true;
  return requirement.in &&
         (semantics == Semantics::kAdmissible || semantics == Semantics::kComplete);
}

// A preferred extension of the graph whose arguments among the upstream ones are exactly the
// found ones, which form a preferred extension of the upstream arguments alone: the rest of the
// graph, conditioned on the labels that the found ones give the upstream arguments, contributes
// any preferred extension of its own.
ExtensionAnswer CompletePreferred(const ArgumentGraph& graph, const std::vector<int>& upstream,
                                  Extension found, RunContext& context) {
  std::vector<Label> labels(graph.Size(), Label::kUndec);
  for (const int a : found) labels[a] = Label::kIn;
  for (const int a : found) {
    for (const int target : graph.targets[a]) labels[target] = Label::kOut;
  }
  std::vector<int> rest;
  rest.reserve(graph.Size() - upstream.size());
  for (int a = 0, next = 0; a < graph.Size(); ++a) {
    const bool is_upstream = next < static_cast<int>(upstream.size()) && upstream[next] == a;
    if (is_upstream) {
      ++next;
    } else {
      rest.push_back(a);
    }
  }
  const ConditionedGraph conditioned = Condition(graph, rest, labels);
  const ExtensionAnswer answer =
      FindByParts(Decompose(conditioned.graph, Semantics::kPreferred), std::nullopt,
                  SolversOf(Semantics::kPreferred, context));
  if (answer.outcome == Outcome::kStopped) return answer;
  const int kept = static_cast<int>(conditioned.kept.size());
  for (const int i : *answer.extension) {
    if (i < kept) found.push_back(conditioned.kept[i]);
  }
  std::sort(found.begin(), found.end());
  return {Outcome::kFinished, std::move(found)};
}

// The question asked of the arguments that reach the required one alone, when they are fewer than
// the graph's, and the extension found there completed on the rest of the graph. No argument
// outside them attacks them, so an admissible set among them is admissible in the graph; the least
// complete extension above a complete one among them adds none of them; and the preferred
// extensions of the graph are, among them, exactly their own preferred extensions. None when they
// are the whole graph.
std::optional<ExtensionAnswer> FindMeetingUpstream(const ArgumentGraph& graph, Semantics semantics,
                                                   const Requirement& requirement,
                                                   RunContext& context) {
  const std::vector<int> upstream = UpstreamOf(graph, requirement.argument);
  if (static_cast<int>(upstream.size()) == graph.Size()) return std::nullopt;
  const int local = static_cast<int>(
      std::lower_bound(upstream.begin(), upstream.end(), requirement.argument) - upstream.begin());
  ExtensionAnswer answer = FindMeeting(InducedGraph(graph, upstream), semantics,
                                       Requirement{local, requirement.in}, context);
  if (!answer.extension) return answer;
  Extension found;
  found.reserve(answer.extension->size());
  for (const int i : *answer.extension) found.push_back(upstream[i]);
  switch (semantics) {
    case Semantics::kAdmissible:
      return ExtensionAnswer{Outcome::kFinished, std::move(found)};
    case Semantics::kComplete:
      return ExtensionAnswer{Outcome::kFinished, InArguments(LeastCompleteLabels(graph, found))};
    default:
      return CompletePreferred(graph, upstream, std::move(found), context);
  }
}

// An extension that meets the requirement, or none: the one search behind SE, DC and DS, on a whole
// graph or on one part of it.
ExtensionAnswer FindMeeting(const ArgumentGraph& graph, Semantics semantics,
                            const std::optional<Requirement>& requirement, RunContext& context) {
  if (requirement && IsAskedUpstream(semantics, *requirement)) {
    if (std::optional<ExtensionAnswer> answer =
            FindMeetingUpstream(graph, semantics, *requirement, context)) {
      return std::move(*answer);
    }
  }
  if (semantics == Semantics::kAdmissible) return FindAdmissible(graph, requirement, context);
  if (semantics == Semantics::kNaive) return FindNaive(graph, requirement);
  const std::vector<Label> grounded = GroundedLabels(graph);
  // The grounded extension is complete, and often it is the answer: then no SAT call is needed,
  // and sceptical acceptance under complete semantics never needs one.
  if (semantics == Semantics::kGrounded || semantics == Semantics::kComplete) {
    Extension extension = InArguments(grounded);
    if (Meets(extension, requirement)) return {Outcome::kFinished, std::move(extension)};
    if (semantics == Semantics::kGrounded) return {};
  }
  if (semantics == Semantics::kIdeal) {
    ExtensionAnswer answer = IdealExtension(graph, grounded, context);
    if (answer.extension && !Meets(*answer.extension, requirement)) answer.extension.reset();
    return answer;
  }
  if (requirement && IsRuledOut(graph, grounded, semantics, *requirement)) return {};
  if (semantics == Semantics::kComplete && requirement && requirement->in) {
    return FindCompleteContaining(graph, requirement->argument, context);
  }
  if (semantics == Semantics::kComplete || semantics == Semantics::kStable) {
    return FindDirect(graph, semantics, requirement, context);
  }
  if (semantics == Semantics::kStage) {
    if (std::optional<ExtensionAnswer> answer = AnswerByStable(graph, requirement, context)) {
      return std::move(*answer);
    }
  }
  if (semantics == Semantics::kPreferred && !requirement && HasSeveralStrongComponents(graph)) {
    return FindPreferredByComponents(graph, context);
  }
  if (semantics == Semantics::kPreferred) {
    if (std::optional<ExtensionAnswer> answer = PreferredByStable(graph, requirement, context)) {
      return std::move(*answer);
    }
  }
  // A counter-example to sceptical preferred acceptance: admissible sets without the argument
  // grown and checked one at a time, instead of each grown to a maximal one.
  if (semantics == Semantics::kPreferred && requirement && !requirement->in) {
    return FindPreferredWithout(graph, requirement->argument, context);
  }
  return MaximalSearch(graph, semantics, context).Find(requirement);
}

// Complete and stable extensions are counted (complete ones also listed) by a search over labels on
// sparse parts,
// where they can be millions (CE-CO on a traffic network of 81 arguments, one part of 50 of them,
// ran past 60 s by one SAT call per extension); on dense parts, with few extensions and hard
// conditions, the SAT solver's learning finds them faster.
bool IsSearchedByLabels(const ArgumentGraph& part, Semantics semantics) {
  constexpr std::size_t kMostAttacksPerArgument = 4;
  return (semantics == Semantics::kComplete || semantics == Semantics::kStable) &&
         part.AttackCount() <= kMostAttacksPerArgument * static_cast<std::size_t>(part.Size());
}

// Every extension, on a whole graph or on one part of it.
CountAnswer EnumerateWhole(const ArgumentGraph& graph, Semantics semantics, RunContext& context,
                           const ExtensionCallback& callback) {
  switch (semantics) {
    case Semantics::kGrounded:
    case Semantics::kIdeal: {
      // One extension, always.
      const ExtensionAnswer answer = FindMeeting(graph, semantics, std::nullopt, context);
      if (answer.outcome == Outcome::kStopped) return {Outcome::kStopped, 0};
      callback(*answer.extension);
      return {Outcome::kFinished, 1};
    }
    case Semantics::kComplete:
      if (IsSearchedByLabels(graph, semantics)) return EnumerateLabelings(graph, context, callback);
      return EnumerateDirect(graph, semantics, context, callback);
    case Semantics::kStable:
      // Not listed by labels: a search without learning can meet one dead end once per labeling of
      // the arguments it branched on before (24 even cycles and an odd one attacking one of them
      // took 2.9 s, where one SAT call proves that no stable extension exists). Every complete
      // labeling of some arguments has a complete extension above it, so there such dead ends
      // stay few.
      return EnumerateDirect(graph, semantics, context, callback);
    case Semantics::kAdmissible:
      return EnumerateAdmissible(graph, context, callback);
    case Semantics::kNaive:
      return EnumerateNaive(graph, context, callback);
    case Semantics::kPreferred:
    case Semantics::kSemiStable:
    case Semantics::kStage:
      break;
  }
  if (semantics == Semantics::kStage) {
    const CountAnswer stable = EnumerateDirect(graph, Semantics::kStable, context, callback);
    if (stable.outcome == Outcome::kStopped || !stable.count.IsZero()) return stable;
  }
  if (semantics == Semantics::kPreferred && HasSeveralStrongComponents(graph)) {
    return EnumeratePreferredByComponents(graph, context, callback);
  }
  return MaximalSearch(graph, semantics, context).Enumerate(callback);
}

// Every semantics here but stage, admissible and naive contains the grounded extension and nothing
// it attacks in each of its extensions, and the rest of each extension is an extension of the same
// semantics of the graph left when those arguments are taken away; stage and naive extensions are
// conflict-free sets and admissible ones need not be complete, which the grounded extension does
// not bound. Every semantics splits into components: each is a union of one extension per part.
Decomposition Decompose(const ArgumentGraph& graph, Semantics semantics) {
  const bool contains_grounded = semantics != Semantics::kStage &&
                                 semantics != Semantics::kAdmissible &&
                                 semantics != Semantics::kNaive;
  return Decomposition(graph, contains_grounded);
}

PartSolvers SolversOf(Semantics semantics, RunContext& context) {
  return {[semantics, &context](const ArgumentGraph& part,
                                const std::optional<Requirement>& requirement) {
            return FindMeeting(part, semantics, requirement, context);
          },
          [semantics, &context](const ArgumentGraph& part, const ExtensionCallback& callback) {
            return EnumerateWhole(part, semantics, context, callback);
          },
          [semantics, &context](const ArgumentGraph& part) {
            if (IsSearchedByLabels(part, semantics)) {
              return CountLabelings(part, semantics == Semantics::kStable, context);
            }
            return EnumerateWhole(part, semantics, context, [](const Extension&) {});
          }};
}

// An extension that meets the requirement, or none, part by part. The grounded extension is found
// in linear time and needs no parts.
ExtensionAnswer FindSplit(const ArgumentGraph& graph, Semantics semantics,
                          const std::optional<Requirement>& requirement, RunContext& context) {
  context.BeginPhase(RunPhase::kExact, graph.Size());
  if (requirement) context.SetArgument(requirement->argument + 1);
  if (semantics == Semantics::kGrounded) return FindMeeting(graph, semantics, requirement, context);
  return FindByParts(Decompose(graph, semantics), requirement, SolversOf(semantics, context));
}

}  // namespace

std::string_view SemanticsName(Semantics semantics) {
  for (const SemanticsNames& names : kNames) {
    if (names.semantics == semantics) return names.short_name;
  }
  return "";
}

std::string_view SemanticsWord(Semantics semantics) {
  for (const SemanticsNames& names : kNames) {
    if (names.semantics == semantics) return names.word;
  }
  return "";
}

std::optional<Semantics> ParseSemantics(std::string_view name) {
  for (const SemanticsNames& names : kNames) {
    if (names.short_name == name) return names.semantics;
  }
  return std::nullopt;
}

ExtensionAnswer FindExtension(const ArgumentGraph& graph, Semantics semantics,
                              RunContext& context) {
  return FindSplit(graph, semantics, std::nullopt, context);
}

AcceptanceAnswer IsCredulouslyAccepted(const ArgumentGraph& graph, Semantics semantics,
                                       int argument, RunContext& context) {
  ExtensionAnswer witness = FindSplit(graph, semantics, Requirement{argument, true}, context);
  const bool accepted = witness.extension.has_value();
  return {witness.outcome, accepted, std::move(witness.extension)};
}

AcceptanceAnswer IsScepticallyAccepted(const ArgumentGraph& graph, Semantics semantics,
                                       int argument, RunContext& context) {
  ExtensionAnswer counter = FindSplit(graph, semantics, Requirement{argument, false}, context);
  const bool accepted = counter.outcome == Outcome::kFinished && !counter.extension;
  return {counter.outcome, accepted, std::move(counter.extension)};
}

CountAnswer EnumerateExtensions(const ArgumentGraph& graph, Semantics semantics,
                                RunContext& context, const ExtensionCallback& callback) {
  context.BeginPhase(RunPhase::kExact, graph.Size());
  if (semantics == Semantics::kGrounded) return EnumerateWhole(graph, semantics, context, callback);
  return EnumerateByParts(Decompose(graph, semantics), SolversOf(semantics, context), context,
                          callback);
}

CountAnswer CountExtensions(const ArgumentGraph& graph, Semantics semantics, RunContext& context) {
  context.BeginPhase(RunPhase::kExact, graph.Size());
  if (semantics == Semantics::kGrounded) return {Outcome::kFinished, 1};
  return CountByParts(Decompose(graph, semantics), SolversOf(semantics, context));
}

}  // namespace dialectic::exact
