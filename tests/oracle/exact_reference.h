// The semantics by their textbook definitions, by brute force over every subset of a graph of at
// most 12 arguments, for checking the exact engine. Sets are bit masks: bit a is argument a.
#pragma once

#include <cstdint>
#include <vector>

#include "exact/exact_engine.h"
#include "model/argument_graph.h"

namespace dialectic::exact {

using Mask = std::uint32_t;

// The arguments of an extension as a mask.
inline Mask MaskOf(const Extension& extension) {
  Mask mask = 0;
  for (const int a : extension) mask |= Mask{1} << a;
  return mask;
}

inline constexpr Semantics kAllSemantics[] = {
    Semantics::kGrounded,  Semantics::kComplete,   Semantics::kStable,
    Semantics::kPreferred, Semantics::kSemiStable, Semantics::kStage,
    Semantics::kIdeal,     Semantics::kAdmissible, Semantics::kNaive,
};

class ReferenceSemantics {
 public:
  explicit ReferenceSemantics(const ArgumentGraph& graph);

  // The extensions of the semantics, ascending.
  const std::vector<Mask>& Extensions(Semantics semantics) const {
    return extensions_[static_cast<int>(semantics)];
  }

 private:
  std::vector<Mask>& Of(Semantics semantics) { return extensions_[static_cast<int>(semantics)]; }
  // Of the sets where chosen is true, those whose key no other chosen set's key strictly contains.
  std::vector<Mask> MaximalByKey(const std::vector<bool>& chosen,
                                 const std::vector<Mask>& key) const;

  int size_;
  Mask all_;
  std::vector<std::vector<Mask>> extensions_;
};

}  // namespace dialectic::exact
