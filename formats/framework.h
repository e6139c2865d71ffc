// Argumentation frameworks as plain values: argument names in order and the attacks between them
// by index. Every file format is read into and written from this form. Invariants kept by every
// reader: no two names are equal, every index of an attack lies in 0..names.size()-1, and no attack
// is listed twice; attacks are listed in order of first statement.
#pragma once

#include <string>
#include <vector>

#include "model/theory.h"

namespace dialectic {

// Argument `attacker` attacks argument `target`; both are indices into Framework::names.
struct Attack {
  int attacker = 0;
  int target = 0;

  friend bool operator==(const Attack&, const Attack&) = default;
};

struct Framework {
  std::vector<std::string> names;  // argument names, without the blank the line syntax adds
  std::vector<Attack> attacks;

  friend bool operator==(const Framework&, const Framework&) = default;
};

// What a reader gives: the framework, or the reason it failed. A failed read keeps nothing of
// what it read before the failure.
struct ReadResult {
  Framework framework;  // empty unless ok()
  std::string error;    // "file:line:column: what was expected there"; empty on success

  bool ok() const { return error.empty(); }
};

// What a writer gives: the file's text, or why the framework cannot be written in that format.
struct WriteResult {
  std::string text;   // empty unless ok()
  std::string error;  // names the first argument the format cannot hold; empty on success

  bool ok() const { return error.empty(); }
};

// The theory's arguments in order, named without their ending blank, and its attacks grouped by
// target: the targets in argument order, the attackers of each in their stored order. (A theory
// keeps no order across targets, so this grouped order is the one the line syntax reads back.)
Framework FrameworkOfTheory(const TTheory& theory);

}  // namespace dialectic
