// An argumentation framework as one immutable value: argument names in order and the attacks
// between them by position, with every argument's attackers and targets. The file formats read
// into it and write from it, the line syntax's theory converts to it once per run, and the exact
// engine, the check and the graph take it. Invariants, kept by whoever builds one: no two names
// are equal, every position of an attack lies in 0..Size()-1, and no attack is listed twice;
// attacks are listed, and attack lists kept, in order of first statement.
#pragma once

#include <string>
#include <vector>

#include "model/argument_graph.h"
#include "model/theory.h"

namespace dialectic {

// Argument `attacker` attacks argument `target`; both are positions in the framework.
struct Attack {
  int attacker = 0;
  int target = 0;

  friend bool operator==(const Attack&, const Attack&) = default;
};

class Framework {
 public:
  Framework() = default;
  Framework(std::vector<std::string> names, std::vector<Attack> attacks);

  int Size() const { return static_cast<int>(names_.size()); }
  // Argument names, without the blank that the line syntax ends them with.
  const std::vector<std::string>& Names() const { return names_; }
  const std::string& NameOf(int position) const {
    return names_[static_cast<std::size_t>(position)];
  }
  const std::vector<Attack>& Attacks() const { return attacks_; }
  // Every argument's attackers and targets by position.
  const ArgumentGraph& Graph() const { return graph_; }

  friend bool operator==(const Framework& a, const Framework& b) {
    return a.names_ == b.names_ && a.attacks_ == b.attacks_;
  }

 private:
  std::vector<std::string> names_;
  std::vector<Attack> attacks_;
  ArgumentGraph graph_;
};

// The theory's arguments in order, named without their ending blank, and its attacks grouped by
// target: the targets in argument order, the attackers of each in their stored order. (A theory
// keeps no order across targets, so this grouped order is the one the line syntax reads back.)
Framework FrameworkOfTheory(const TTheory& theory);

}  // namespace dialectic
