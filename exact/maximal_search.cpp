#include "exact/maximal_search.h"

#include <cassert>

namespace dialectic::exact {

namespace {

BaseSemantics BaseOf(Semantics semantics) {
  return semantics == Semantics::kStage ? BaseSemantics::kConflictFree : BaseSemantics::kAdmissible;
}

}  // namespace

MaximalSearch::MaximalSearch(const ArgumentGraph& graph, Semantics semantics, RunContext& context)
    : size_(graph.Size()),
      key_is_range_(semantics != Semantics::kPreferred),
      solver_(graph, BaseOf(semantics), key_is_range_, context) {
  assert(semantics == Semantics::kPreferred || semantics == Semantics::kSemiStable ||
         semantics == Semantics::kStage);
}

int MaximalSearch::KeyLiteral(int argument) const {
  return key_is_range_ ? solver_.InRange(argument) : solver_.In(argument);
}

SolveResult MaximalSearch::RequireNonempty() {
  std::vector<int> some_in;
  some_in.reserve(size_);
  for (int a = 0; a < size_; ++a) some_in.push_back(solver_.In(a));
  solver_.AddClause(some_in);
  return solver_.Solve({});
}

MaximalSearch::Candidate MaximalSearch::ModelCandidate() {
  Candidate candidate{std::vector<bool>(size_), solver_.ModelExtension()};
  for (int a = 0; a < size_; ++a) candidate.key[a] = solver_.IsTrue(KeyLiteral(a));
  return candidate;
}

bool MaximalSearch::Grow(const std::vector<int>& assumptions, Candidate& candidate) {
  // Each round assumes every argument of the current key and the escape false, so the open clause
  // asks for one argument more. A candidate that grew is no extension, nor is any set whose key
  // lies inside its key, so its clause becomes permanent; what the solver learnt from that clause
  // then stays of use, instead of being thrown away with a retired activation literal. This matters
  // most for the last, unsatisfiable round, often the hardest call of the search.
  while (true) {
    if (candidate.escape == 0) OpenBlock(candidate);
    std::vector<int> round = assumptions;
    for (int a = 0; a < size_; ++a) {
      if (candidate.key[a]) round.push_back(KeyLiteral(a));
    }
    round.push_back(-candidate.escape);
    const SolveResult result = solver_.Solve(round);
    if (result != SolveResult::kSatisfiable) return result == SolveResult::kUnsatisfiable;
    Candidate larger = ModelCandidate();
    CloseBlock(candidate);
    candidate = std::move(larger);
  }
}

std::vector<int> MaximalSearch::KeyEquals(const std::vector<bool>& key) const {
  std::vector<int> assumptions;
  assumptions.reserve(size_);
  for (int a = 0; a < size_; ++a) assumptions.push_back(key[a] ? KeyLiteral(a) : -KeyLiteral(a));
  return assumptions;
}

void MaximalSearch::OpenBlock(Candidate& candidate) {
  candidate.escape = solver_.NewActivation();
  std::vector<int> clause = {candidate.escape};
  for (int a = 0; a < size_; ++a) {
    if (!candidate.key[a]) clause.push_back(KeyLiteral(a));
  }
  solver_.AddClause(clause);
}

ExtensionAnswer MaximalSearch::Find(const std::optional<Requirement>& requirement) {
  // A candidate that meets the requirement grows as far as it can while still meeting it. If it
  // cannot grow further without the requirement either, it is an answer. Otherwise it grows on to
  // a maximal key; with a range key another extension of that range may still meet the
  // requirement. Failing that, the maximal key is blocked, a conflict with its extension required,
  // and the search goes on: every extension that meets the requirement has a maximal key of its
  // own, which is never blocked unasked, and conflicts with every other extension.
  // Only the empty set can be a candidate when no nonempty one exists. A required argument in
  // already asks for a nonempty one, and proving that there is none at all can be by far the
  // hardest call (300 arguments of twelve attackers each took 26 s for it where the question
  // itself took 3 s), so that question goes straight to its own call.
  const bool requires_in = requirement && requirement->in;
  if (!requires_in) {
    switch (RequireNonempty()) {
      case SolveResult::kStopped:
        return {Outcome::kStopped, {}};
      case SolveResult::kUnsatisfiable:
        return {Outcome::kFinished, Extension{}};
      case SolveResult::kSatisfiable:
        break;
    }
  }
  // Every superset of a set with the argument in has it in too: such a preferred candidate that
  // cannot grow with the argument in cannot grow at all, so every call asks for the argument in.
  const bool in_key_keeps_argument = !key_is_range_ && requires_in;
  if (in_key_keeps_argument) solver_.Require(*requirement);
  const std::vector<int> required =
      in_key_keeps_argument ? std::vector<int>{} : solver_.RequiredLiterals(requirement);
  while (true) {
    SolveResult result = solver_.Solve(required);
    if (result == SolveResult::kUnsatisfiable) return {};
    if (result == SolveResult::kStopped) return {Outcome::kStopped, {}};
    Candidate candidate = ModelCandidate();
    if (!Grow(required, candidate)) return {Outcome::kStopped, {}};
    // Nothing left to assume: no requirement, or one that every candidate meets for good.
    if (required.empty()) return {Outcome::kFinished, std::move(candidate.extension)};
    Candidate grown = candidate;
    if (!Grow({}, grown)) return {Outcome::kStopped, {}};
    if (grown.key == candidate.key) return {Outcome::kFinished, std::move(candidate.extension)};
    // An in key determines its extension, which does not meet the requirement, or the candidate
    // would have grown into it.
    if (key_is_range_) {
      std::vector<int> same_range = KeyEquals(grown.key);
      same_range.insert(same_range.end(), required.begin(), required.end());
      result = solver_.Solve(same_range);
      if (result == SolveResult::kSatisfiable) {
        return {Outcome::kFinished, solver_.ModelExtension()};
      }
      if (result == SolveResult::kStopped) return {Outcome::kStopped, {}};
    }
    CloseBlock(grown);
    solver_.RequireConflictWith(grown.extension);
  }
}

CountAnswer MaximalSearch::Enumerate(const ExtensionCallback& callback) {
  CountAnswer answer;
  switch (RequireNonempty()) {
    case SolveResult::kStopped:
      answer.outcome = Outcome::kStopped;
      return answer;
    case SolveResult::kUnsatisfiable:
      callback(Extension{});
      answer.count = 1;
      return answer;
    case SolveResult::kSatisfiable:
      break;
  }
  while (true) {
    const SolveResult result = solver_.Solve({});
    if (result == SolveResult::kUnsatisfiable) return answer;
    if (result == SolveResult::kStopped || !ReportGrownModel(callback, answer.count)) {
      answer.outcome = Outcome::kStopped;
      return answer;
    }
  }
}

bool MaximalSearch::ReportGrownModel(const ExtensionCallback& callback, BigCount& count) {
  Candidate candidate = ModelCandidate();
  if (!Grow({}, candidate)) return false;
  if (key_is_range_) {
    if (!ReportRange(candidate.key, callback, count)) return false;
  } else {
    callback(candidate.extension);
    ++count;
    solver_.RequireConflictWith(candidate.extension);
  }
  CloseBlock(candidate);
  return true;
}

bool MaximalSearch::ReportRange(const std::vector<bool>& range, const ExtensionCallback& callback,
                                BigCount& count) {
  // The open clause of the range lets these models through; each extension found is cut away by
  // the clause that asks for a conflict with it.
  const std::vector<int> same_range = KeyEquals(range);
  while (true) {
    const SolveResult result = solver_.Solve(same_range);
    if (result != SolveResult::kSatisfiable) return result == SolveResult::kUnsatisfiable;
    const Extension extension = solver_.ModelExtension();
    callback(extension);
    ++count;
    solver_.RequireConflictWith(extension);
  }
}

}  // namespace dialectic::exact
