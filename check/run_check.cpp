#include "check/run_check.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "check/bounded_context.h"
#include "check/check_facts.h"
#include "exact/exact_engine.h"
#include "model/arg_index.h"
#include "model/proof_labeling.h"

namespace dialectic {

namespace {

// A labeling by rank as the exact engine's extensions give it: IN the extension, OUT every
// argument it attacks.
struct RankLabeling {
  RankSet in;
  RankSet out;
};

// The classes that IN and OUT name, each as its first rank, IN then a separator then OUT.
using ClassKey = std::vector<int>;

ClassKey KeyOf(const RankSet& in, const RankSet& out, const ArgIndex& index) {
  ClassKey key;
  // Ascending ranks give ascending class beginnings, so equal ones are neighbours.
  const auto add_classes = [&](const RankSet& set) {
    set.ForEach([&](int rank) {
      const int begin = index.ClassBegin(rank);
      if (key.empty() || key.back() != begin) key.push_back(begin);
    });
  };
  add_classes(in);
  key.push_back(-1);
  add_classes(out);
  return key;
}

// Whether the listed labeling stands for the exact one: the same classes in IN and in OUT, and
// no argument listed where the exact labeling does not have it.
bool StandsFor(const RankSet& in, const RankSet& out, const RankLabeling& exact,
               const ArgIndex& index) {
  return in.IsSubsetOf(exact.in) && out.IsSubsetOf(exact.out) &&
         KeyOf(in, out, index) == KeyOf(exact.in, exact.out, index);
}

RankLabeling LabelingOf(const exact::Extension& extension, const ArgIndex& index) {
  RankLabeling labeling;
  for (int rank : extension) {
    labeling.in.Add(rank);
    for (int target : index.TargetsOf(rank)) labeling.out.Add(target);
  }
  return labeling;
}

std::string NameOf(int rank, const ArgIndex& index) {
  const std::string& name = index.NameOfRank(rank);
  return name.substr(0, name.size() - 1);
}

bool IsAttackedBy(int rank, const RankSet& set, const ArgIndex& index) {
  const std::vector<int>& attackers = index.AttackersOf(rank);
  return std::any_of(attackers.begin(), attackers.end(),
                     [&](int attacker) { return set.Contains(attacker); });
}

// The first reason found why the listed labeling is no preferred extension's labeling, looking in
// the order of the WrongKind values.
WrongLine ReasonWrong(const TProofLabeling& listed, const ArgIndex& index,
                      const std::vector<RankLabeling>& exact) {
  const RankSet& in = listed.InArgs;
  const RankSet& out = listed.OutArgs;
  WrongLine wrong;
  wrong.text = LabelingText(listed, index);
  wrong.labeling = PositionsOf(in, out, index);
  const auto found = [&](WrongKind kind, int first, int second) {
    wrong.kind = kind;
    wrong.first = NameOf(first, index);
    if (second >= 0) wrong.second = NameOf(second, index);
    return true;
  };
  const auto in_and_out = [&](int x) {
    return out.Contains(x) && found(WrongKind::kInAndOut, x, -1);
  };
  const auto conflict = [&](int x) {
    for (int y : index.AttackersOf(x)) {
      if (in.Contains(y)) return found(WrongKind::kConflict, y, x);
    }
    return false;
  };
  const auto out_unattacked = [&](int x) {
    return !IsAttackedBy(x, in, index) && found(WrongKind::kOutUnattacked, x, -1);
  };
  const auto undefended = [&](int x) {
    for (int y : index.AttackersOf(x)) {
      if (!IsAttackedBy(y, in, index)) return found(WrongKind::kUndefended, x, y);
    }
    return false;
  };
  const auto attacked_not_out = [&](int x) {
    for (int y : index.TargetsOf(x)) {
      if (!out.Contains(y)) return found(WrongKind::kAttackedNotOut, y, x);
    }
    return false;
  };
  if (in.AnyOf(in_and_out) || in.AnyOf(conflict) || out.AnyOf(out_unattacked) ||
      in.AnyOf(undefended) || in.AnyOf(attacked_not_out)) {
    return wrong;
  }
  // The IN set is admissible, so some preferred extension holds it; it is not this one. Of several,
  // the one first in text order is named, whatever order the engine found them in.
  wrong.kind = WrongKind::kNotPreferred;
  for (const RankLabeling& extension : exact) {
    if (!in.IsSubsetOf(extension.in) || in == extension.in) continue;
    std::string text = LabelingText(extension.in, extension.out, index);
    if (wrong.kind == WrongKind::kNotMaximal && wrong.first <= text) continue;
    wrong.kind = WrongKind::kNotMaximal;
    wrong.first = std::move(text);
  }
  return wrong;
}

GroundedFacts CheckGrounded(const TProofLabeling& grounded, const ArgIndex& index) {
  const RankLabeling exact = LabelingOf(exact::GroundedExtension(index.Graph()), index);
  return {StandsFor(grounded.InArgs, grounded.OutArgs, exact, index), LabelingText(grounded, index),
          LabelingText(exact.in, exact.out, index),
          PositionsOf(grounded.InArgs, grounded.OutArgs, index),
          PositionsOf(exact.in, exact.out, index)};
}

// The exact preferred extensions, or why there are none to compare with.
struct ExactPreferred {
  std::vector<exact::Extension> extensions;
  std::optional<NotCheckedReason> not_checked;
};

ExactPreferred FindExactPreferred(const ArgIndex& index, RunContext& context,
                                  const CheckLimits& limits) {
  context.BeginPhase(RunPhase::kExact, index.Size());
  ExactPreferred found;
  BoundedContext bounded(context, limits.time_budget);
  bool too_many = false;
  const exact::CountAnswer answer =
      exact::EnumerateExtensions(index.Graph(), exact::Semantics::kPreferred, bounded.Context(),
                                 [&](const exact::Extension& extension) {
                                   if (found.extensions.size() == limits.max_extensions) {
                                     too_many = true;
                                     bounded.Context().RequestStop();
                                     return;
                                   }
                                   found.extensions.push_back(extension);
                                 });
  if (answer.outcome == exact::Outcome::kStopped) {
    found.extensions.clear();
    found.not_checked = too_many             ? NotCheckedReason::kTooManyExtensions
                        : bounded.TimedOut() ? NotCheckedReason::kTimeBudget
                                             : NotCheckedReason::kCheckStopped;
  }
  return found;
}

// Marks every exact extension that some listed line stands for, and records the lines that stand
// for none with their reason.
void ComparePreferred(const std::vector<TProofLabeling>& listing,
                      const std::vector<exact::Extension>& extensions, const ArgIndex& index,
                      CheckFacts& facts) {
  std::vector<RankLabeling> exact;
  exact.reserve(extensions.size());
  std::map<ClassKey, std::vector<std::size_t>> exact_of_key;
  for (const exact::Extension& extension : extensions) {
    exact.push_back(LabelingOf(extension, index));
    exact_of_key[KeyOf(exact.back().in, exact.back().out, index)].push_back(exact.size() - 1);
  }
  // Each text is listed once, as the extensions area shows it.
  std::unordered_set<std::string> texts_seen;
  std::vector<std::size_t> listed_order;
  std::vector<bool> listed(exact.size(), false);
  for (const TProofLabeling& line : listing) {
    if (!texts_seen.insert(LabelingText(line, index)).second) continue;
    std::optional<std::size_t> match;
    const auto candidates = exact_of_key.find(KeyOf(line.InArgs, line.OutArgs, index));
    if (candidates != exact_of_key.end()) {
      for (std::size_t e : candidates->second) {
        if (!StandsFor(line.InArgs, line.OutArgs, exact[e], index)) continue;
        match = e;
        break;
      }
    }
    if (!match) {
      facts.wrong.push_back(ReasonWrong(line, index, exact));
    } else if (!listed[*match]) {
      listed[*match] = true;
      listed_order.push_back(*match);
    }
  }
  const auto facts_of = [&](std::size_t e) {
    return ExactExtensionFacts{LabelingText(exact[e].in, exact[e].out, index),
                               LabelingText(exact[e].in, RankSet(), index), listed[e],
                               PositionsOf(exact[e].in, exact[e].out, index)};
  };
  for (std::size_t e : listed_order) facts.exact.push_back(facts_of(e));
  const std::size_t listed_count = facts.exact.size();
  for (std::size_t e = 0; e < exact.size(); ++e) {
    if (!listed[e]) facts.exact.push_back(facts_of(e));
  }
  std::sort(
      facts.exact.begin() + static_cast<std::ptrdiff_t>(listed_count), facts.exact.end(),
      [](const ExactExtensionFacts& a, const ExactExtensionFacts& b) { return a.text < b.text; });
}

CheckStatus StatusOf(const CheckFacts& facts) {
  if (facts.not_checked) return CheckStatus::kNotChecked;
  const bool all_listed = std::all_of(facts.exact.begin(), facts.exact.end(),
                                      [](const ExactExtensionFacts& e) { return e.listed; });
  const bool grounded_right = facts.grounded && facts.grounded->right;
  return all_listed && facts.wrong.empty() && grounded_right ? CheckStatus::kAllListed
                                                             : CheckStatus::kMissingOrWrong;
}

}  // namespace

CheckReport CheckRun(const TTheory& theory, const RunOutcome& results, RunContext& context,
                     const CheckLimits& limits) {
  const ArgIndex index(theory);
  CheckFacts facts;
  facts.limits = limits;
  facts.preferred_outcome = results.preferred_outcome;
  for (const PhaseCutOff& cut_off : results.cut_offs) {
    facts.cut_offs.push_back(
        {NameOf(index.RankOf(*cut_off.arg), index), cut_off.phase, cut_off.reason});
  }
  if (results.grounded) facts.grounded = CheckGrounded(*results.grounded, index);
  if (!results.preferred_outcome || *results.preferred_outcome == PreferredOutcome::kStopped) {
    facts.not_checked = NotCheckedReason::kRunStopped;
  } else {
    const ExactPreferred exact = FindExactPreferred(index, context, limits);
    facts.not_checked = exact.not_checked;
    if (!exact.not_checked) ComparePreferred(results.preferred, exact.extensions, index, facts);
  }
  facts.status = StatusOf(facts);
  return ReportOf(facts);
}

}  // namespace dialectic
