// An argumentation theory: named arguments in order of first mention and the attacks between them.
// Invariants: no two arguments have byte-equal names (names differing only in letter case are two
// arguments); y is among the Attackers of x exactly when x is among the Targets of y, each at most
// once; every argument in an attack list is an argument of the theory; an argument's Position is
// its place in Args. The stored orders decide every later output order.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/proof_labeling.h"

namespace dialectic {

class TArg;

// An ordered list of references to arguments; it owns none of them.
class TArgs {
 public:
  void Add(TArg& arg) { items_.push_back(&arg); }
  void Clear() { items_.clear(); }

  bool empty() const { return items_.empty(); }
  int Count() const { return static_cast<int>(items_.size()); }
  TArg& operator[](int i) const { return *items_[static_cast<std::size_t>(i)]; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<TArg*> items_;
};

class TArg {
 public:
  std::string Name;  // the word as first written, followed by exactly one blank
  int Position = 0;  // the argument's place in the theory's Args
  TArgs Attackers;   // in order of first statement, each once
  TArgs Targets;     // in order of first statement, each once
  // After the option search: the proof options, then the refutation options.
  std::vector<TProofLabeling> Options;
};

class TTheory {
 public:
  TArgs Args;  // every argument, in order of first mention

  // The argument with exactly this name, appended as a new argument when there is none.
  TArg& FindOrAdd(std::string_view name);
  // The argument with exactly this name, or none.
  TArg* Find(std::string_view name) const;
  // Records that the attacker attacks the target; the target is looked up (and added) first.
  void AddAttack(std::string_view attacker_name, std::string_view target_name);
  // Discards every argument with its attacks and options.
  void Clear();

 private:
  struct StringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };

  std::vector<std::unique_ptr<TArg>> owned_args_;  // same order as Args
  // Every argument by its exact name, so that looking a name up does not scan Args.
  std::unordered_map<std::string, TArg*, StringHash, std::equal_to<>> arg_of_name_;
  // Every attack as (attacker position, target position), so that a repeated one is found at once.
  std::unordered_set<std::uint64_t> attacks_;
};

}  // namespace dialectic
