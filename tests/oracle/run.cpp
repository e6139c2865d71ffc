// The grounded and preferred extensions by name, the listings of the options and extensions areas,
// and the whole run.

#include <algorithm>
#include <set>
#include <stdexcept>

#include "tests/oracle/oracle.h"

namespace dialectic::oracle {

namespace {

bool IsDefendedByIn(const TTheory& theory, const TProofLabeling& labeling, const TArg& arg) {
  return std::all_of(arg.Attackers.begin(), arg.Attackers.end(), [&](int attacker) {
    return IsAttackedByIn(theory, labeling, theory.ArgAt(attacker));
  });
}

// Whether some option has the argument IN and some option has it OUT.
bool IsAmbiguous(const TArg& arg) {
  bool has_in = false;
  bool has_out = false;
  for (const TProofLabeling& option : arg.Options) {
    has_in = has_in || option.InArgs.Contains(arg.Name);
    has_out = has_out || option.OutArgs.Contains(arg.Name);
  }
  return has_in && has_out;
}

// False when an IN name of the candidate is OUT in the option or an OUT name is IN in it.
bool IsCompatible(const TProofLabeling& candidate, const TProofLabeling& option) {
  for (const std::string& name : candidate.InArgs) {
    if (option.OutArgs.Contains(name)) return false;
  }
  for (const std::string& name : candidate.OutArgs) {
    if (option.InArgs.Contains(name)) return false;
  }
  return true;
}

// Bit j of the combination number labels the j-th ambiguous argument: clear IN, set OUT. Every
// argument in theory order then merges each of its options that is compatible with the candidate
// as it stands; an ambiguous argument that merged nothing rejects the candidate.
bool IsKept(const TTheory& theory, const std::vector<int>& ambiguous, std::uint64_t combination,
            TProofLabeling& candidate) {
  for (std::size_t j = 0; j < ambiguous.size(); ++j) {
    const std::string& name = theory.ArgAt(ambiguous[j]).Name;
    if ((combination >> j) % 2 == 1) {
      candidate.OutArgs.Add(name);
    } else {
      candidate.InArgs.Add(name);
    }
  }
  for (std::size_t i = 0; i < theory.Args.size(); ++i) {
    bool keep =
        std::find(ambiguous.begin(), ambiguous.end(), static_cast<int>(i)) == ambiguous.end();
    for (const TProofLabeling& option : theory.Args[i].Options) {
      if (!IsCompatible(candidate, option)) continue;
      candidate.InArgs.AddAll(option.InArgs);
      candidate.OutArgs.AddAll(option.OutArgs);
      keep = true;
    }
    if (!keep) return false;
  }
  return true;
}

void AddTimedEnd(StringList& area) { area.insert(area.end(), {"", std::string(kElapsedLine)}); }

}  // namespace

TProofLabeling ComputeGrounded(const TTheory& theory) {
  // An argument made IN counts at once for the arguments after it in the same pass.
  TProofLabeling grounded;
  bool added = true;
  while (added) {
    added = false;
    for (const TArg& arg : theory.Args) {
      if (grounded.InArgs.Contains(arg.Name) || IsAttackedByIn(theory, grounded, arg) ||
          !IsDefendedByIn(theory, grounded, arg))
        continue;
      grounded.InArgs.Add(arg.Name);
      for (int target : arg.Targets) grounded.OutArgs.Add(theory.ArgAt(target).Name);
      added = true;
    }
  }
  return grounded;
}

std::vector<TProofLabeling> ComputePreferred(const TTheory& theory, StringList& memo5) {
  std::vector<int> ambiguous;
  for (std::size_t i = 0; i < theory.Args.size(); ++i) {
    if (IsAmbiguous(theory.Args[i])) ambiguous.push_back(static_cast<int>(i));
  }
  if (ambiguous.size() > kMaxAmbiguousArgs) {
    memo5.push_back(
        "There are too many dialectically ambiguous arguments for this version of the algorithm");
    return {};
  }
  if (ambiguous.size() > kMaxEnumeratedAmbiguousArgs) {
    throw std::length_error("the oracle enumerates the combinations of at most " +
                            std::to_string(kMaxEnumeratedAmbiguousArgs) +
                            " ambiguous arguments; this theory has " +
                            std::to_string(ambiguous.size()));
  }
  std::vector<TProofLabeling> kept;
  for (std::uint64_t c = 0; c < (std::uint64_t{1} << ambiguous.size()); ++c) {
    TProofLabeling candidate;
    if (IsKept(theory, ambiguous, c, candidate)) kept.push_back(candidate);
  }
  return kept;
}

Areas RunByName(std::string_view input_text, std::int32_t depth, bool show_trace) {
  TTheory theory;
  ParseInput(SplitLines(input_text), theory);
  Areas areas;
  areas.Memo2 = Rephrase(theory);

  areas.Memo5 = {"Grounded extension", "  " + LabelingText(ComputeGrounded(theory))};
  AddTimedEnd(areas.Memo5);

  ComputeAllOptions(theory, {depth, show_trace, areas.Memo2, areas.Memo3});
  for (const TArg& arg : theory.Args) {
    areas.Memo4.push_back(arg.Name + ":");
    for (const TProofLabeling& option : arg.Options)
      areas.Memo4.push_back("  " + LabelingText(option));
  }
  AddTimedEnd(areas.Memo4);

  // Each distinct text (letter case counting) is listed once, where it first comes.
  const std::vector<TProofLabeling> preferred = ComputePreferred(theory, areas.Memo5);
  areas.Memo5.insert(areas.Memo5.end(), {"", "Preferred extensions"});
  std::set<std::string> listed;
  for (const TProofLabeling& candidate : preferred) {
    const std::string line = "  " + LabelingText(candidate);
    if (listed.insert(line).second) areas.Memo5.push_back(line);
  }
  AddTimedEnd(areas.Memo5);
  return areas;
}

}  // namespace dialectic::oracle
