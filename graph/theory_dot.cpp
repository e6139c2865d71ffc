#include "graph/theory_dot.h"

#include <charconv>

#include "graph/node_palette.h"

namespace dialectic {

namespace {

// The length of the well-formed UTF-8 sequence that starts at text[i] (shortest form, no
// surrogates, at most U+10FFFF), or 0 when none starts there.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length = 0;
  unsigned char second_low = 0x80;
  unsigned char second_high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) second_low = 0xA0;
    if (lead == 0xED) second_high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) second_low = 0x90;
    if (lead == 0xF4) second_high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < second_low || byte(i + 1) > second_high) return 0;
  for (std::size_t k = i + 2; k < i + length; ++k) {
    if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
  }
  return length;
}

std::string Number(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string_view DotStyle(BorderLine line) {
  switch (line) {
    case BorderLine::kDashed:
      return "filled,dashed";
    case BorderLine::kDotted:
      return "filled,dotted";
    case BorderLine::kSolid:
      break;
  }
  return "filled,solid";
}

void AppendNodeStyle(NodeState state, bool is_outlined, std::string& dot) {
  const NodeStyle& style = StyleOf(state);
  dot += ", style=\"";
  dot += DotStyle(style.border_line);
  dot += "\", fillcolor=\"";
  dot += style.fill;
  dot += "\", fontcolor=\"";
  dot += style.text;
  dot += "\", color=\"";
  dot += style.border;
  dot += "\", penwidth=";
  dot += Number(style.border_width);
  if (is_outlined) dot += ", peripheries=2";
}

}  // namespace

std::string DotLabel(std::string_view name) {
  const std::string_view shown = ShownName(name);
  std::string label = "\"";
  for (std::size_t i = 0; i < shown.size();) {
    const char c = shown[i];
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) {
      const std::size_t length = Utf8SequenceLength(shown, i);
      if (length == 0) {
        label += "&#65533;";
        ++i;
      } else {
        label.append(shown.substr(i, length));
        i += length;
      }
      continue;
    }
    if (c == '"' || c == '\\') {
      label += '\\';
      label += c;
    } else if (c == '&') {
      label += "&amp;";
    } else if (byte < 32 || byte == 127) {
      label += "&#" + std::to_string(byte) + ";";
    } else {
      label += c;
    }
    ++i;
  }
  label += '"';
  return label;
}

std::string TheoryDot(const Framework& graph, std::span<const NodeState> states, int outlined) {
  const bool is_coloured = static_cast<int>(states.size()) == graph.Size() && graph.Size() > 0;
  std::string dot = "digraph theory {\n";
  dot += "  node [shape=ellipse];\n";
  dot += "  edge [color=\"";
  dot += kAttackColour;
  dot += "\"];\n";
  for (int position = 0; position < graph.Size(); ++position) {
    const auto index = static_cast<std::size_t>(position);
    dot += "  n" + std::to_string(position) + " [label=" + DotLabel(graph.Names()[index]);
    if (is_coloured) AppendNodeStyle(states[index], position == outlined, dot);
    dot += "];\n";
  }
  for (int target = 0; target < graph.Size(); ++target) {
    for (int attacker : graph.Graph().attackers[static_cast<std::size_t>(target)]) {
      dot += "  n" + std::to_string(attacker) + " -> n" + std::to_string(target) + ";\n";
    }
  }
  dot += "}\n";
  return dot;
}

std::string TheoryDot(const TTheory& theory) {
  const std::vector<NodeState> states = GroundedStates(theory);
  return TheoryDot(FrameworkOfTheory(theory), states);
}

}  // namespace dialectic
