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

}  // namespace
}  // namespace dialectic
