// An argumentation theory: named arguments in order of first mention and the attacks between them.
// Invariants: no two arguments have byte-equal names (names differing only in letter case are two
// arguments); y is among the Attackers of x exactly when x is among the Targets of y; every
// argument in an attack list is an argument of the theory. The stored orders decide every later
// output order.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/proof_labeling.h"

namespace dialectic {

class TArg;

// An ordered list of references to arguments; it owns none of them.
class TArgs {
 public:
  // Position of the first argument whose name equals the name byte for byte, or -1.
  int IndexOfName(std::string_view name) const;
  int IndexOf(const TArg& arg) const;

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
  TTheory* Theory = nullptr;            // not owned
  std::string Name;                     // the word as first written, followed by exactly one blank
  TArgs Attackers;                      // in order of first statement, each once
  TArgs Targets;                        // in order of first statement, each once
  std::vector<TProofLabeling> Options;  // proof options, then refutation options
  std::vector<TProofLabeling> PrevOptions;  // snapshot taken at the start of the latest stage
};

class TTheory {
 public:
  TTheory() = default;
  // Arguments and labelings point back at their theory, so it never moves.
  TTheory(const TTheory&) = delete;
  TTheory& operator=(const TTheory&) = delete;

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
  std::vector<std::unique_ptr<TArg>> owned_args_;  // same order as Args
  // Every argument by its exact name, so that looking a name up does not scan Args.
  std::unordered_map<std::string, TArg*> arg_of_name_;
};

}  // namespace dialectic
