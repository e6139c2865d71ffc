#include "frontend/line_search.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dialectic {
namespace {

TEST(LineSearch, FindsTheNextPlaceAroundTheEnd) {
  LineList lines;
  lines.AddStrings({"Alpha beta", "", "gamma ALPHA", "b\xc3\xa4r alpha", "end"});
  struct Case {
    std::string text;
    LinePlace from;
    bool backward;
    std::optional<LinePlace> found;
  };
  const Case kCases[] = {
      {"alpha", {0, 0}, false, LinePlace{0, 0}},
      {"alpha", {0, 1}, false, LinePlace{2, 6}},
      {"ALPHA", {2, 7}, false, LinePlace{3, 5}},
      // Around the end, and on the start line before the place.
      {"alpha", {3, 6}, false, LinePlace{0, 0}},
      {"beta", {0, 7}, false, LinePlace{0, 6}},
      // Backward: the last place that ends at or before the start.
      {"alpha", {2, 11}, true, LinePlace{2, 6}},
      {"alpha", {2, 10}, true, LinePlace{0, 0}},
      {"alpha", {0, 3}, true, LinePlace{3, 5}},
      {"end", {0, 0}, true, LinePlace{4, 0}},
      // Only A-Z fold: a byte above 127 equals only itself.
      {"B\xc3\xa4R", {0, 0}, false, LinePlace{3, 0}},
      {"B\xc3\x84R", {0, 0}, false, std::nullopt},
      {"a\nb", {0, 0}, false, std::nullopt},
      {"", {0, 0}, false, std::nullopt},
      {"alpha", {7, 0}, false, std::nullopt},
      // A place past a line's end counts as its end.
      {"a", {1, 99}, false, LinePlace{2, 1}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text + " from " + std::to_string(c.from.line) + ":" +
                 std::to_string(c.from.offset) + (c.backward ? " backward" : ""));
    EXPECT_EQ(FindInLines(lines, c.text, c.from, c.backward), c.found);
  }
}

TEST(LineSearch, FindsNothingInNoLines) {
  EXPECT_EQ(FindInLines(LineList(), "a", {0, 0}, false), std::nullopt);
}

}  // namespace
}  // namespace dialectic
