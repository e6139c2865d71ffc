// The reference run: the whole computation behind "Do your thing", by name and in the plainest
// way (whole passes, linear scans, every combination number in turn), for tests to compare the
// production run with. It shares nothing with the production code but the byte-text helpers of
// model/string_list.h, so a fault in the computations cannot hide in both.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/string_list.h"

namespace dialectic::oracle {

// ---- Names, labelings and the theory (theory.cpp) ----

// Names in case-folded byte order; a name equal to one already present up to letter case is not
// added again, so the spelling added first stays.
class NameSet {
 public:
  void Add(std::string_view name);
  void AddAll(const NameSet& other);
  void AddAll(const StringList& names);
  void Clear() { names_.clear(); }
  // Whether a name equal to this one up to letter case is present.
  bool Contains(std::string_view name) const;

  bool empty() const { return names_.empty(); }
  auto begin() const { return names_.begin(); }
  auto end() const { return names_.end(); }
  // Byte-for-byte equality, letter case counting.
  friend bool operator==(const NameSet&, const NameSet&) = default;

 private:
  StringList names_;  // ascending by CompareFolded, no two equal under it
};

// A partial labeling by name: IN and OUT, and the search's working sets NewIn (made IN in the
// latest stage) and NewOut (made OUT in the latest stage). Every name is the exact name of an
// argument.
struct TProofLabeling {
  NameSet InArgs;
  NameSet OutArgs;
  NameSet NewIn;
  NameSet NewOut;
};

// IN names, then the OUT names in parentheses, trimmed; "<empty>" when nothing shows.
std::string LabelingText(const TProofLabeling& labeling);

struct TArg {
  std::string Name;                     // the word as written first, followed by one blank
  std::vector<int> Attackers;           // positions in Args, in order of first statement, each once
  std::vector<int> Targets;             // the same for the arguments it attacks
  std::vector<TProofLabeling> Options;  // proof options, then refutation options
};

// Arguments in order of first mention; no two have byte-equal names.
struct TTheory {
  std::vector<TArg> Args;

  const TArg& ArgAt(int position) const { return Args[static_cast<std::size_t>(position)]; }
  // Position of the argument with exactly this name, or -1.
  int Find(std::string_view name) const;
  // The argument with exactly this name, which must exist.
  const TArg& Named(std::string_view name) const;
  // Position of the argument with exactly this name, appended when there is none.
  int FindOrAdd(std::string_view name);
  // The target is looked up (and added) before the attacker.
  void AddAttack(std::string_view attacker_name, std::string_view target_name);
};

// Whether some IN name is, byte for byte, the name of an attacker of the argument.
bool IsAttackedByIn(const TTheory& theory, const TProofLabeling& labeling, const TArg& arg);

// ---- The line syntax and the rephrasing (theory.cpp) ----

struct FirstWordSplit {
  std::string word;  // the first word with the blank that ends it; a lone blank when there is none
  std::string rest;
};
// Cuts the first word off the trimmed text; only code 32 separates words.
FirstWordSplit SplitFirstWord(std::string_view text);
// A clause with no character above code 32 names no argument.
void ParseClause(std::string_view clause, TTheory& theory);
// Commas and line breaks (CR LF, lone CR, lone LF) separate clauses.
void ParseInput(const StringList& lines, TTheory& theory);
// The STANDARD, COMMA and YET ANOTHER styles of the theory.
StringList Rephrase(const TTheory& theory);

// ---- The option search (option_search.cpp) ----

// The most combinations one option's counter step enumerates, and all options' together.
inline constexpr std::uint64_t kMaxCounterCombinations = std::uint64_t{1} << 16;
inline constexpr std::uint64_t kMaxStepCombinations = std::uint64_t{1} << 17;

// Where the search writes: warnings below the rephrasing (memo2) and the trace (memo3).
struct SearchOutput {
  std::int32_t depth;  // stages per phase at most; none when 0 or negative
  bool show_trace;
  StringList& memo2;
  StringList& memo3;
};

// Fills every argument's Options, in theory order, writing the trace and the warnings.
void ComputeAllOptions(TTheory& theory, const SearchOutput& output);

// ---- Extensions and the run (run.cpp) ----

// The grounded extension by whole passes over the arguments until a pass adds nothing.
TProofLabeling ComputeGrounded(const TTheory& theory);

// Above this many ambiguous arguments the preferred extensions are not enumerated: a message
// says so. The oracle enumerates every combination number, so it refuses (throws) more than
// kMaxEnumeratedAmbiguousArgs rather than run for hours.
inline constexpr int kMaxAmbiguousArgs = 32;
inline constexpr int kMaxEnumeratedAmbiguousArgs = 20;

// The kept preferred candidates in combination-number order, or the "too many" line in memo5.
std::vector<TProofLabeling> ComputePreferred(const TTheory& theory, StringList& memo5);

// What a timing line ("N ms elapsed") of the options and extensions areas becomes here.
inline constexpr std::string_view kElapsedLine = "# ms elapsed";

// The four output areas of a run, with kElapsedLine for each timing line.
struct Areas {
  StringList Memo2;  // rephrased, then the search's warnings
  StringList Memo3;  // trace
  StringList Memo4;  // proof and refutation options
  StringList Memo5;  // grounded and preferred extensions
};

// The whole run on the input text (its lines separated by CR LF, CR or LF).
Areas RunByName(std::string_view input_text, std::int32_t depth, bool show_trace);

}  // namespace dialectic::oracle
