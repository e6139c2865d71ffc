#include "model/line_list.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace dialectic {
namespace {

TEST(LineList, ReplaceTakesAnyNumberOfLinesForAnyOther) {
  struct Case {
    int first;
    int count;
    std::vector<std::string_view> lines;
    StringList expected;
  };
  const Case kCases[] = {
      {1, 1, {"B"}, {"a", "B", "c", "d"}},
      {1, 1, {"b1", "b2"}, {"a", "b1", "b2", "c", "d"}},
      {1, 2, {"bc"}, {"a", "bc", "d"}},
      {0, 4, {}, {}},
      {2, 0, {"new"}, {"a", "b", "new", "c", "d"}},
      {4, 0, {"", "end"}, {"a", "b", "c", "d", "", "end"}},
      {0, 1, {""}, {"", "b", "c", "d"}},
  };
  for (const Case& c : kCases) {
    LineList list;
    list.AddStrings({"a", "b", "c", "d"});
    list.Replace(c.first, c.count, c.lines);
    EXPECT_EQ(list.Lines(), c.expected) << c.first << " " << c.count;
    std::size_t characters = 0;
    for (const std::string& line : c.expected) characters += line.size();
    EXPECT_EQ(list.CharacterCount(), characters);
  }
}

TEST(LineList, ReplaceKeepsOtherLinesWhereTheyAreAndCopiesItsOwn) {
  LineList list;
  for (int i = 0; i < 5000; ++i) list.Add("line " + std::to_string(i));
  const std::string_view kept = list.Get(4999);
  std::string typed = "typed text";
  list.Replace(10, 1, {typed});
  typed = "changed afterwards";
  EXPECT_EQ(list.Get(10), "typed text");
  // The views of untouched lines point where they did.
  EXPECT_EQ(list.Get(4999).data(), kept.data());
  list.Replace(0, 2, {"x"});
  EXPECT_EQ(list.Get(4998).data(), kept.data());
  EXPECT_EQ(list.Count(), 4999);
}

// The lines that show a value, each as "line:item", in line order.
std::string ValueLines(const LineList& list) {
  std::string text;
  for (int line = 0; line < list.Count(); ++line) {
    if (const LineValue* value = list.ValueAt(line)) {
      text += (text.empty() ? "" : " ") + std::to_string(line) + ":" + std::to_string(value->item);
    }
  }
  return text;
}

TEST(LineList, ValuesFollowTheirLinesThroughReplacementsAndAreLostWithTheirLine) {
  struct Case {
    int first;
    int count;
    std::vector<std::string_view> lines;
    std::string expected;
  };
  // Lines 1, 2 and 4 of six show the values 1, 2 and 4.
  const Case kCases[] = {
      {0, 1, {"x"}, "1:1 2:2 4:4"},        // a line without a value, replaced
      {0, 0, {"x", "y"}, "3:1 4:2 6:4"},   // lines inserted before them
      {2, 1, {"typed"}, "1:1 4:4"},        // an edited line no longer shows its value
      {1, 3, {}, "1:4"},                   // lines deleted
      {3, 2, {"p", "q", "r"}, "1:1 2:2"},  // a value line among those replaced
      {5, 1, {}, "1:1 2:2 4:4"},           // the last line deleted
  };
  for (const Case& c : kCases) {
    LineList list;
    for (int line = 0; line < 6; ++line) {
      if (line == 1 || line == 2 || line == 4) {
        list.Add("value", {LineValue::Kind::kPreferred, -1, line});
      } else {
        list.Add("plain");
      }
    }
    list.Replace(c.first, c.count, c.lines);
    EXPECT_EQ(ValueLines(list), c.expected) << c.first << " " << c.count;
  }
}

TEST(LineList, CopiesKeepTheValuesAndClearingDropsThem) {
  LineList list;
  list.Add("heading");
  list.Add("  a (b)", {LineValue::Kind::kOption, 3, 0});
  LineList appended;
  appended.Add("first");
  appended.AddAll(list);
  EXPECT_EQ(ValueLines(appended), "2:0");
  EXPECT_EQ(appended.LineOf({LineValue::Kind::kOption, 3, 0}), 2);
  EXPECT_EQ(appended.LineOf({LineValue::Kind::kOption, 3, 1}), -1);
  const LineList copy = list;
  EXPECT_EQ(ValueLines(copy), "1:0");
  list.Clear();
  list.Add("  a (b)");
  EXPECT_EQ(list.ValueAt(0), nullptr);
  list.SetText("x\ny");
  EXPECT_EQ(ValueLines(list), "");
}

}  // namespace
}  // namespace dialectic
