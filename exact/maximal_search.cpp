#include "exact/maximal_search.h"

#include <cassert>

namespace dialectic::exact {

namespace {

BaseSemantics BaseOf(Semantics semantics) {
  return semantics == Semantics::kStage ? BaseSemantics::kConflictFree : BaseSemantics::kComplete;
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

MaximalSearch::Candidate MaximalSearch::ModelCandidate() {
  Candidate candidate{std::vector<bool>(size_), solver_.ModelExtension()};
  for (int a = 0; a < size_; ++a) candidate.key[a] = solver_.IsTrue(KeyLiteral(a));
  return candidate;
}

bool MaximalSearch::Grow(const std::vector<int>& assumptions, Candidate& candidate) {
  // Each round asks for a key that keeps every argument of the current one (assumed) and adds one
  // more (a clause switched on by a fresh activation literal, retired after the call).
  while (true) {
    const int activation = solver_.NewActivation();
    std::vector<int> larger = {-activation};
    std::vector<int> round = assumptions;
    for (int a = 0; a < size_; ++a) {
      (candidate.key[a] ? round : larger).push_back(KeyLiteral(a));
    }
    round.push_back(activation);
    solver_.AddClause(larger);
    const SolveResult result = solver_.Solve(round);
    if (result == SolveResult::kSatisfiable) candidate = ModelCandidate();
    solver_.Retire(activation);
    if (result != SolveResult::kSatisfiable) return result == SolveResult::kUnsatisfiable;
  }
}

std::vector<int> MaximalSearch::KeyEquals(const std::vector<bool>& key) const {
  std::vector<int> assumptions;
  assumptions.reserve(size_);
  for (int a = 0; a < size_; ++a) assumptions.push_back(key[a] ? KeyLiteral(a) : -KeyLiteral(a));
  return assumptions;
}

void MaximalSearch::BlockKeySubsets(const std::vector<bool>& key) {
  std::vector<int> clause;
  for (int a = 0; a < size_; ++a) {
    if (!key[a]) clause.push_back(KeyLiteral(a));
  }
  solver_.AddClause(clause);
}

ExtensionAnswer MaximalSearch::Find(const std::optional<Requirement>& requirement) {
  // A candidate that meets the requirement grows as far as it can while still meeting it. If it
  // cannot grow further without the requirement either, it is an answer. Otherwise it grows on to
  // a maximal key; with a range key another extension of that range may still meet the
  // requirement. Failing that, the maximal key is blocked and the search goes on: every extension
  // that meets the requirement has a maximal key of its own, which is never blocked unasked.
  const std::vector<int> required = solver_.RequiredLiterals(requirement);
  while (true) {
    SolveResult result = solver_.Solve(required);
    if (result == SolveResult::kUnsatisfiable) return {};
    if (result == SolveResult::kStopped) return {Outcome::kStopped, {}};
    Candidate candidate = ModelCandidate();
    if (!Grow(required, candidate)) return {Outcome::kStopped, {}};
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
      if (result == SolveResult::kSatisfiable)
        return {Outcome::kFinished, solver_.ModelExtension()};
      if (result == SolveResult::kStopped) return {Outcome::kStopped, {}};
    }
    BlockKeySubsets(grown.key);
  }
}

CountAnswer MaximalSearch::Enumerate(const ExtensionCallback& callback) {
  CountAnswer answer;
  while (true) {
    const SolveResult result = solver_.Solve({});
    if (result == SolveResult::kUnsatisfiable) return answer;
    if (result == SolveResult::kStopped || !ReportGrownModel(callback, answer.count)) {
      answer.outcome = Outcome::kStopped;
      return answer;
    }
  }
}

bool MaximalSearch::ReportGrownModel(const ExtensionCallback& callback, std::uint64_t& count) {
  Candidate candidate = ModelCandidate();
  if (!Grow({}, candidate)) return false;
  if (key_is_range_) {
    if (!ReportRange(candidate.key, callback, count)) return false;
  } else {
    callback(candidate.extension);
    ++count;
  }
  BlockKeySubsets(candidate.key);
  return true;
}

bool MaximalSearch::ReportRange(const std::vector<bool>& range, const ExtensionCallback& callback,
                                std::uint64_t& count) {
  // Two conflict-free sets with the same range are never one inside the other, and a subset of an
  // extension has a range inside its range, which is blocked next. So "not a subset of this
  // extension" blocks it without losing any extension still to come.
  const std::vector<int> same_range = KeyEquals(range);
  while (true) {
    const SolveResult result = solver_.Solve(same_range);
    if (result != SolveResult::kSatisfiable) return result == SolveResult::kUnsatisfiable;
    const Extension extension = solver_.ModelExtension();
    callback(extension);
    ++count;
    solver_.BlockSubsets(extension);
  }
}

}  // namespace dialectic::exact
