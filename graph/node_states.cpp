#include "graph/node_states.h"

#include "model/arg_index.h"
#include "semantics/grounded.h"

namespace dialectic {

namespace {

constexpr std::string_view kIndent = "  ";
constexpr std::string_view kEmptyLabeling = "<empty>";

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
  return text;
}

// Gives every word of the text (pieces between blanks) the state, or false when a word names no
// argument.
bool MarkWords(std::string_view text, NodeState state, const NameLookup& names,
               std::vector<NodeState>& states) {
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (word.empty()) continue;
    const int position = names.PositionOfWord(word);
    if (position < 0) return false;
    NodeState& current = states[static_cast<std::size_t>(position)];
    const bool is_other_side = (current == NodeState::kIn && state == NodeState::kOut) ||
                               (current == NodeState::kOut && state == NodeState::kIn);
    current = is_other_side ? NodeState::kInAndOut : state;
  }
  return true;
}

// The states when the OUT names start after the parenthesis at out_start (npos: there are none).
std::optional<std::vector<NodeState>> ReadSplit(std::string_view text, std::size_t out_start,
                                                const NameLookup& names, int size) {
  std::vector<NodeState> states(static_cast<std::size_t>(size), NodeState::kUndecided);
  const std::string_view in = text.substr(0, std::min(out_start, text.size()));
  if (!MarkWords(in, NodeState::kIn, names, states)) return std::nullopt;
  if (out_start != std::string_view::npos) {
    // The OUT names stand between the parenthesis and the closing one at the very end.
    const std::string_view out = text.substr(out_start + 1, text.size() - out_start - 2);
    if (!MarkWords(out, NodeState::kOut, names, states)) return std::nullopt;
  }
  return states;
}

}  // namespace

std::optional<std::vector<NodeState>> ReadLabelingText(std::string_view text,
                                                       const NameLookup& names, int size) {
  // The text is the IN names, then "(", the OUT names and ")", each name ending in the blank that
  // separates it from the next. Names may hold parentheses themselves, so every "(" that starts a
  // word is a possible start of the OUT names; the first split whose words all name arguments is
  // the reading, and a text without OUT names is tried last.
  text = Trimmed(text);
  if (text == kEmptyLabeling && names.PositionOfWord(text) < 0) {
    return std::vector<NodeState>(static_cast<std::size_t>(size), NodeState::kUndecided);
  }
  if (text.ends_with(')')) {
    for (std::size_t open = text.find('('); open != std::string_view::npos;
         open = text.find('(', open + 1)) {
      if (open != 0 && text[open - 1] != ' ') continue;
      if (auto states = ReadSplit(text, open, names, size)) return states;
    }
  }
  return ReadSplit(text, std::string_view::npos, names, size);
}

LineColouring ColouringOfLabelingLine(std::string_view line, const NameLookup& names, int size) {
  LineColouring colouring;
  if (!line.starts_with(kIndent)) return colouring;
  if (auto states = ReadLabelingText(line, names, size)) {
    colouring.is_labeling = true;
    colouring.states = std::move(*states);
  }
  return colouring;
}

int HeadingArgument(std::string_view line, const NameLookup& names) {
  if (line.starts_with(kIndent) || !line.ends_with(':')) return -1;
  line.remove_suffix(1);
  return names.PositionOfName(line);
}

LineColouring ColouringOfOptionsLine(const LineAt& line_at, int line, const NameLookup& names,
                                     int size) {
  const std::string text = line_at(line);
  if (!text.starts_with(kIndent)) {
    LineColouring colouring;
    colouring.outlined = HeadingArgument(text, names);
    return colouring;
  }
  LineColouring colouring = ColouringOfLabelingLine(text, names, size);
  if (!colouring.is_labeling) return colouring;
  // The options of an argument stand below its heading, each line indented.
  int heading = line - 1;
  std::string above;
  while (heading >= 0 && (above = line_at(heading)).starts_with(kIndent)) --heading;
  if (heading >= 0) colouring.outlined = HeadingArgument(above, names);
  return colouring;
}

std::vector<NodeState> GroundedStates(const TTheory& theory) {
  const ArgIndex index(theory);
  TProofLabeling grounded;
  ComputeGrounded(index, grounded);
  std::vector<NodeState> states(static_cast<std::size_t>(index.Size()), NodeState::kUndecided);
  const auto mark = [&](const RankSet& set, NodeState state) {
    set.ForEach([&](int rank) {
      states[static_cast<std::size_t>(index.ArgOfRank(rank).Position)] = state;
    });
  };
  mark(grounded.InArgs, NodeState::kIn);
  mark(grounded.OutArgs, NodeState::kOut);
  return states;
}

}  // namespace dialectic
