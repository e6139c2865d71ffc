#include "frontend/line_colouring.h"

namespace dialectic {

namespace {

LineColouring LabelingColouring(const TProofLabeling& labeling, const RunOutcome& outcome,
                                int size) {
  const PositionLabeling positions =
      PositionsOf(labeling.InArgs, labeling.OutArgs, outcome.position_of_rank);
  return {true, StatesOf(positions, size), -1};
}

}  // namespace

LineColouring ColouringOfValue(const LineValue& value, const TTheory& theory,
                               const RunOutcome& outcome) {
  const int size = theory.Args.Count();
  const bool names_argument = value.arg >= 0 && value.arg < size;
  switch (value.kind) {
    case LineValue::Kind::kArgument:
      if (names_argument) return {false, {}, value.arg};
      break;
    case LineValue::Kind::kGrounded:
      if (outcome.grounded) return LabelingColouring(*outcome.grounded, outcome, size);
      break;
    case LineValue::Kind::kOption: {
      if (!names_argument) break;
      const std::vector<TProofLabeling>& options = theory.Args[value.arg].Options;
      if (value.item < 0 || static_cast<std::size_t>(value.item) >= options.size()) break;
      LineColouring colouring =
          LabelingColouring(options[static_cast<std::size_t>(value.item)], outcome, size);
      colouring.outlined = value.arg;
      return colouring;
    }
    case LineValue::Kind::kPreferred:
      if (value.item < 0 || static_cast<std::size_t>(value.item) >= outcome.preferred.size()) break;
      return LabelingColouring(outcome.preferred[static_cast<std::size_t>(value.item)], outcome,
                               size);
  }
  return {};
}

}  // namespace dialectic
