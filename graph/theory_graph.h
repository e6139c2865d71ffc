// What the graph draws of a theory: the arguments' names in theory order and the attacks by
// position, copied out of the theory so that a window can keep them while the next run rebuilds
// the theory elsewhere. Positions are places in the theory's Args; attack lists keep the theory's
// orders. NameLookup turns the words of a listing line back into positions.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/argument_graph.h"
#include "model/theory.h"

namespace dialectic {

struct TheoryGraph {
  std::vector<std::string> names;  // as stored, each with its ending blank
  ArgumentGraph attacks;           // attackers and targets by position

  int Size() const { return static_cast<int>(names.size()); }
};

TheoryGraph GraphOfTheory(const TTheory& theory);

// The name as a drawing shows it: without blanks and control characters at either end.
std::string_view ShownName(std::string_view name);

// Positions by name, for reading listing lines back.
class NameLookup {
 public:
  explicit NameLookup(const TheoryGraph& graph);

  // The argument with exactly this name (ending blank included), or -1.
  int PositionOfName(std::string_view name) const;
  // The argument that a listing writes as this word: the name without its ending blank, or, for
  // a word that lost control characters at the edge of a line, the shown name; -1 when none.
  int PositionOfWord(std::string_view word) const;

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };
  using Map = std::unordered_map<std::string, int, Hash, std::equal_to<>>;
  static int Lookup(const Map& map, std::string_view key);

  Map by_name_;
  Map by_word_;
  Map by_shown_name_;  // the first argument of each shown name
};

}  // namespace dialectic
