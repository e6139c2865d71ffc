#include "graph/node_palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace dialectic {
namespace {

// The relative luminance of a "#RRGGBB" colour, as contrast ratios are defined on.
double Luminance(std::string_view colour) {
  EXPECT_EQ(colour.size(), 7u) << colour;
  double luminance = 0;
  const double kWeights[] = {0.2126, 0.7152, 0.0722};
  for (int channel = 0; channel < 3; ++channel) {
    const double value =
        std::stoi(std::string(colour.substr(1 + 2 * channel, 2)), nullptr, 16) / 255.0;
    const double linear = value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    luminance += kWeights[channel] * linear;
  }
  return luminance;
}

double Contrast(std::string_view a, std::string_view b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(NodePalette, EveryNameIsReadableOnItsFill) {
  for (NodeState state : kLegendStates) {
    const NodeStyle& style = StyleOf(state);
    EXPECT_GE(Contrast(style.fill, style.text), 4.5) << style.caption;
  }
}

TEST(NodePalette, AnyTwoStatesDifferInFillAndInBorder) {
  // The border keeps the states apart where colour does not: in grey print, or for a reader who
  // cannot tell the fills apart.
  for (NodeState a : kLegendStates) {
    for (NodeState b : kLegendStates) {
      if (a == b) continue;
      const NodeStyle& style_a = StyleOf(a);
      const NodeStyle& style_b = StyleOf(b);
      EXPECT_NE(style_a.fill, style_b.fill) << style_a.caption << " / " << style_b.caption;
      EXPECT_TRUE(style_a.border_line != style_b.border_line ||
                  style_a.border_width != style_b.border_width)
          << style_a.caption << " / " << style_b.caption;
      EXPECT_NE(style_a.caption, style_b.caption);
    }
  }
}

TEST(NodePalette, InAndOutFillsDifferInLightnessNotOnlyInHue) {
  // Blue and orange stay apart for readers without red-green vision because one is much darker.
  EXPECT_GE(Contrast(StyleOf(NodeState::kIn).fill, StyleOf(NodeState::kOut).fill), 2.0);
  EXPECT_GE(Contrast(StyleOf(NodeState::kIn).fill, StyleOf(NodeState::kUndecided).fill), 2.0);
}

}  // namespace
}  // namespace dialectic
