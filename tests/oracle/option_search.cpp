// The stage-by-stage option search by name. Each phase starts from one labeling of the argument
// (IN for its proof options, OUT for its refutation options) and alternates two steps until a
// stage changes nothing or the depth is used up: the defend step makes every attacker of the
// latest IN arguments OUT, the counter step gives each latest OUT argument that nothing IN
// attacks yet one of its attackers as a new IN argument, one option per minimal choice.

#include <algorithm>
#include <limits>
#include <map>

#include "tests/oracle/oracle.h"

namespace dialectic::oracle {

namespace {

bool IsConflictFree(const TTheory& theory, const TProofLabeling& labeling) {
  for (const std::string& name : labeling.InArgs) {
    for (int attacker : theory.Named(name).Attackers) {
      if (labeling.InArgs.Contains(theory.ArgAt(attacker).Name)) return false;
    }
  }
  return true;
}

// Conflict-free, and every OUT argument is attacked by an IN argument.
bool IsAdmissibleStage(const TTheory& theory, const TProofLabeling& labeling) {
  if (!IsConflictFree(theory, labeling)) return false;
  for (const std::string& name : labeling.OutArgs) {
    if (!IsAttackedByIn(theory, labeling, theory.Named(name))) return false;
  }
  return true;
}

// ---- The defend step ----

// Makes every attacker of every NewIn argument OUT and NewOut unless it is OUT already; true when
// some name was added.
bool AddAttackersOut(const TTheory& theory, TProofLabeling& labeling) {
  bool added = false;
  for (const std::string& name : labeling.NewIn) {
    for (int attacker_at : theory.Named(name).Attackers) {
      const std::string& attacker = theory.ArgAt(attacker_at).Name;
      if (labeling.OutArgs.Contains(attacker)) continue;
      labeling.OutArgs.Add(attacker);
      labeling.NewOut.Add(attacker);
      added = true;
    }
  }
  return added;
}

void DefendStep(const TTheory& theory, std::vector<TProofLabeling>& options) {
  std::vector<TProofLabeling> kept;
  for (TProofLabeling& option : options) {
    // Only an option to which something was added can have become conflicting.
    if (!option.NewIn.empty() && AddAttackersOut(theory, option) && !IsConflictFree(theory, option))
      continue;
    option.NewIn.Clear();
    kept.push_back(option);
  }
  options = kept;
}

// ---- The counter step ----

// The NewOut arguments, in set order, that no IN argument attacks yet.
std::vector<int> OpenArguments(const TTheory& theory, const TProofLabeling& labeling) {
  std::vector<int> open;
  for (const std::string& name : labeling.NewOut) {
    if (!IsAttackedByIn(theory, labeling, theory.Named(name))) open.push_back(theory.Find(name));
  }
  return open;
}

// The product of the open arguments' attacker counts, saturated; 0 when one has no attacker.
std::uint64_t CombinationCount(const TTheory& theory, const std::vector<int>& open) {
  constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();
  std::uint64_t count = 1;
  for (int arg : open) {
    const std::uint64_t radix = theory.ArgAt(arg).Attackers.size();
    if (radix == 0) return 0;
    count = count > kSaturated / radix ? kSaturated : count * radix;
  }
  return count;
}

bool NeedsTooManyCombinations(const TTheory& theory, const std::vector<TProofLabeling>& options) {
  std::uint64_t total = 0;
  for (const TProofLabeling& option : options) {
    if (option.NewOut.empty()) continue;
    const std::uint64_t count = CombinationCount(theory, OpenArguments(theory, option));
    if (count > kMaxCounterCombinations) return true;
    total += count;
  }
  return total > kMaxStepCombinations;
}

// Combination k writes k in mixed radix over the open arguments, the first open argument the
// fastest digit, and names one attacker per open argument, in Attackers order.
StringList Combination(const TTheory& theory, const std::vector<int>& open, std::uint64_t k) {
  StringList names;
  names.reserve(open.size());
  for (int arg : open) {
    const std::vector<int>& attackers = theory.ArgAt(arg).Attackers;
    names.push_back(theory.ArgAt(attackers[k % attackers.size()]).Name);
    k /= attackers.size();
  }
  return names;
}

// The names folded to lower case, sorted, each once.
StringList FoldedNameSet(StringList names) {
  for (std::string& name : names) {
    for (char& c : name) c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

// A combination survives when no other holds a strictly smaller set of names (letter case
// ignored) and no earlier one holds the same set; survivors keep enumeration order. A strictly
// smaller set has fewer names, so each set is compared only with the sets of fewer names.
std::vector<StringList> MinimalCombinations(const TTheory& theory, const std::vector<int>& open,
                                            std::uint64_t count) {
  std::map<StringList, std::uint64_t> first_of_set;
  for (std::uint64_t k = 0; k < count; ++k)
    first_of_set.emplace(FoldedNameSet(Combination(theory, open, k)), k);

  std::map<std::size_t, std::vector<const StringList*>> sets_of_size;
  for (const auto& [names, k] : first_of_set) sets_of_size[names.size()].push_back(&names);

  const auto holds_a_smaller_set = [&](const StringList& names) {
    for (const auto& [size, smaller_sets] : sets_of_size) {
      if (size >= names.size()) return false;
      for (const StringList* smaller : smaller_sets) {
        if (std::includes(names.begin(), names.end(), smaller->begin(), smaller->end()))
          return true;
      }
    }
    return false;
  };
  std::vector<std::uint64_t> survivors;
  for (const auto& [names, k] : first_of_set) {
    if (!holds_a_smaller_set(names)) survivors.push_back(k);
  }
  std::sort(survivors.begin(), survivors.end());

  std::vector<StringList> combinations;
  for (std::uint64_t k : survivors) combinations.push_back(Combination(theory, open, k));
  return combinations;
}

// Each option is replaced, at its place, by its expansion: itself when nothing is open, nothing
// when some open argument has no attacker, else one option per minimal combination. Then every
// option that is not an admissible stage is dropped. False, changing nothing, when the step
// would need more combinations than the limits allow.
bool CounterStep(const TTheory& theory, std::vector<TProofLabeling>& options) {
  if (NeedsTooManyCombinations(theory, options)) return false;
  std::vector<TProofLabeling> expanded;
  for (const TProofLabeling& option : options) {
    const std::vector<int> open =
        option.NewOut.empty() ? std::vector<int>() : OpenArguments(theory, option);
    if (open.empty()) {
      expanded.push_back(option);
      continue;
    }
    const std::uint64_t count = CombinationCount(theory, open);
    if (count == 0) continue;
    for (const StringList& combination : MinimalCombinations(theory, open, count)) {
      TProofLabeling& replacement = expanded.emplace_back();
      replacement.InArgs = option.InArgs;
      replacement.OutArgs = option.OutArgs;
      replacement.InArgs.AddAll(combination);
      replacement.NewIn.AddAll(combination);
    }
  }
  options.clear();
  for (TProofLabeling& option : expanded) {
    if (!IsAdmissibleStage(theory, option)) continue;
    option.NewOut.Clear();
    options.push_back(option);
  }
  return true;
}

// ---- The search ----

void AddWarning(StringList& memo2, const std::string& text) {
  memo2.insert(memo2.end(), {"***", text, "***"});
}

// Whether every option has the IN and OUT names of the snapshot option at its place; snapshot
// options past the end of the options are not looked at.
bool IsStable(const std::vector<TProofLabeling>& options,
              const std::vector<TProofLabeling>& snapshot) {
  if (options.size() > snapshot.size()) return false;
  for (std::size_t i = 0; i < options.size(); ++i) {
    if (options[i].InArgs != snapshot[i].InArgs || options[i].OutArgs != snapshot[i].OutArgs)
      return false;
  }
  return true;
}

void TraceStage(const TArg& arg, int stage, bool is_proof, const SearchOutput& output) {
  if (!output.show_trace) return;
  if (stage == 0) {
    output.memo3.push_back(
        (is_proof ? "Partial proof options of " : "Partial refutation options of ") + arg.Name);
  }
  output.memo3.push_back(std::to_string(stage) + ":");
  for (const TProofLabeling& option : arg.Options)
    output.memo3.push_back("  " + LabelingText(option));
}

// Runs the stages of one phase on the argument's Options. Proof phases defend at even stages and
// counter at odd ones, refutation phases the other way round.
void SearchPhase(const TTheory& theory, TArg& arg, bool is_proof, const SearchOutput& output) {
  TraceStage(arg, 0, is_proof, output);
  for (int n = 0; n < output.depth;) {
    const std::vector<TProofLabeling> snapshot = arg.Options;
    if (n % 2 == (is_proof ? 0 : 1)) {
      DefendStep(theory, arg.Options);
    } else if (!CounterStep(theory, arg.Options)) {
      // The options stay those of the last completed stage.
      AddWarning(output.memo2, "Too many counter-attack combinations for " + arg.Name);
      return;
    }
    ++n;
    if (IsStable(arg.Options, snapshot)) {
      output.memo3.push_back(std::to_string(n) + ":");
      output.memo3.push_back(arg.Options.empty() ? "  <none>" : "  <as previous level>");
      return;
    }
    TraceStage(arg, n, is_proof, output);
  }
  AddWarning(output.memo2, "Check whether computation depth was sufficient");
}

void SearchOptions(const TTheory& theory, TArg& arg, const SearchOutput& output) {
  TProofLabeling proof_start;
  proof_start.InArgs.Add(arg.Name);
  proof_start.NewIn.Add(arg.Name);
  arg.Options = {proof_start};
  SearchPhase(theory, arg, true, output);
  if (output.show_trace) output.memo3.push_back("");
  const std::vector<TProofLabeling> proof_options = arg.Options;

  TProofLabeling refutation_start;
  refutation_start.OutArgs.Add(arg.Name);
  refutation_start.NewOut.Add(arg.Name);
  arg.Options = {refutation_start};
  SearchPhase(theory, arg, false, output);
  if (output.show_trace) output.memo3.push_back("");

  arg.Options.insert(arg.Options.begin(), proof_options.begin(), proof_options.end());
}

}  // namespace

void ComputeAllOptions(TTheory& theory, const SearchOutput& output) {
  output.memo3.clear();
  // The steps read the theory while each argument's Options change; no step reads Options.
  for (TArg& arg : theory.Args) SearchOptions(theory, arg, output);
}

}  // namespace dialectic::oracle
