// A CaDiCaL solver holding the labeling encoding of one argument graph. For every argument a there
// is an "in" variable and an "attacked" variable, true exactly when some in argument attacks a, and
// on request a "range" variable, true exactly when a is in or attacked. The base clauses make the
// in arguments of every model a conflict-free, admissible, complete or stable set; their number is
// linear in arguments plus attacks. Further clauses and assumptions come from the searches that own
// the solver, which keep one solver for a whole question.
#pragma once

#include <cadical.hpp>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

#include "exact/exact_engine.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

// What every model's in arguments form.
enum class BaseSemantics { kConflictFree, kAdmissible, kComplete, kStable };

enum class SolveResult { kSatisfiable, kUnsatisfiable, kStopped };

// A condition on one argument that a searched extension must meet: to contain it or not.
struct Requirement {
  int argument = 0;
  bool in = true;
};

// Asks the run context whether to stop; CaDiCaL polls it during a solve call.
class StopTerminator : public CaDiCaL::Terminator {
 public:
  explicit StopTerminator(const RunContext& context) : context_(context) {}
  bool terminate() override { return context_.StopRequested(); }

 private:
  const RunContext& context_;
};

class LabelingSolver {
 public:
  LabelingSolver(const ArgumentGraph& graph, BaseSemantics base, bool with_range,
                 RunContext& context);
  ~LabelingSolver();
  LabelingSolver(const LabelingSolver&) = delete;
  LabelingSolver& operator=(const LabelingSolver&) = delete;

  // The literals of one argument's variables; negate for the opposite.
  int In(int argument) const { return argument + 1; }
  int Attacked(int argument) const { return size_ + argument + 1; }
  int InRange(int argument) const;
  // The assumptions that make a model meet the requirement: none, or one literal.
  std::vector<int> RequiredLiterals(const std::optional<Requirement>& requirement) const;
  // Makes every later model meet the requirement, for good. When every call left asks for it, this
  // beats assuming it: the solver may simplify with a fixed literal, never with an assumed one.
  void Require(const Requirement& requirement);

  void AddClause(std::initializer_list<int> literals) { AddLiterals(literals); }
  void AddClause(const std::vector<int>& literals) { AddLiterals(literals); }
  // A fresh variable that switches on the clauses it guards when assumed true.
  int NewActivation() { return next_variable_++; }
  // Adds the clause "the in arguments are not exactly the extension".
  void BlockExtension(const Extension& extension);
  // Adds the clause "the in arguments conflict with the extension": an attack between them, either
  // way. Two different stable, preferred, semi-stable or stage extensions always conflict (else
  // their union would be a larger one), so this cuts away more than "not a subset of it" and loses
  // no extension still to come.
  void RequireConflictWith(const Extension& extension);
  // Switches a guarded clause set off for good.
  void Retire(int activation);

  // Checks the stop request, then solves under the assumptions; counts one candidate.
  SolveResult Solve(const std::vector<int>& assumptions);
  // The same, giving up after the given number of conflicts with kStopped, which then does not
  // mean a stop request unless the run context says so.
  SolveResult SolveWithin(const std::vector<int>& assumptions, int conflicts);

  // The last model's value of a literal; only after kSatisfiable.
  bool IsTrue(int literal) { return solver_.val(literal) > 0; }
  // The in arguments of the last model.
  Extension ModelExtension();

 private:
  void AddBaseClauses(BaseSemantics base);
  void AddRangeClauses();
  // Makes the solver try every argument in before out when it decides, so that its models lean
  // towards large sets.
  void PreferIn();
  template <typename Literals>
  void AddLiterals(const Literals& literals) {
    for (const int literal : literals) solver_.add(literal);
    solver_.add(0);
  }

  const ArgumentGraph& graph_;
  RunContext& context_;
  const BaseSemantics base_;
  const int size_;
  const bool with_range_;
  int next_variable_;
  // Declared before the solver, which keeps a pointer to it, so that it outlives the solver.
  StopTerminator terminator_;
  CaDiCaL::Solver solver_;
};

// One model's extension, none when there is no model, or stopped.
ExtensionAnswer SolveForExtension(LabelingSolver& solver);

// Every model of the solver in turn until there is none: the extension that extension_of makes of
// each goes to the callback and is counted, then cut_away adds the clauses that exclude it. A
// stop request ends it with the count so far.
CountAnswer EnumerateModels(LabelingSolver& solver,
                            const std::function<Extension(LabelingSolver&)>& extension_of,
                            const std::function<void(const Extension&)>& cut_away,
                            const ExtensionCallback& callback);

}  // namespace dialectic::exact
