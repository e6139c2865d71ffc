#include "model/name_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialectic {
namespace {

std::vector<std::string> Listing(const NameSet& set) { return {set.begin(), set.end()}; }

TEST(NameSet, ListsNamesInCaseFoldedOrderWhateverTheOrderOfAdding) {
  struct Case {
    std::vector<std::string> added;
    std::vector<std::string> listed;
  };
  const std::vector<Case> cases = {
      {{"b ", "a "}, {"a ", "b "}},
      {{"a ", "A "}, {"a "}},
      {{"A ", "a "}, {"A "}},
      {{"b ", "B ", "a ", "b "}, {"a ", "b "}},
      {{"b1 ", "b ", "B2 "}, {"b ", "b1 ", "B2 "}},
      {{"Zed ", "alpha "}, {"alpha ", "Zed "}},
      // Bytes 128-255 sort after every ASCII byte and do not fold.
      {{"\xC3\xA9 ", "z ", "\xC3\x89 "}, {"z ", "\xC3\x89 ", "\xC3\xA9 "}},
      // The blank ending a name sorts before every word character.
      {{"ab ", "a "}, {"a ", "ab "}},
  };
  for (const Case& c : cases) {
    NameSet set;
    for (const std::string& name : c.added) set.Add(name);
    EXPECT_EQ(Listing(set), c.listed);
  }
}

TEST(NameSet, IndexOfIgnoresLetterCaseAndGivesMinusOneWhenAbsent) {
  NameSet set;
  set.AddAll(StringList{"c ", "a ", "B "});
  EXPECT_EQ(set.IndexOf("A "), 0);
  EXPECT_EQ(set.IndexOf("b "), 1);
  EXPECT_EQ(set.IndexOf("C "), 2);
  EXPECT_EQ(set.IndexOf("a"), -1);
  EXPECT_EQ(set.IndexOf("d "), -1);
  set.Clear();
  EXPECT_TRUE(set.empty());
  EXPECT_EQ(set.IndexOf("a "), -1);
}

TEST(NameSet, EqualityCountsLetterCase) {
  NameSet lower, upper, same;
  lower.Add("a ");
  upper.Add("A ");
  same.Add("a ");
  EXPECT_EQ(lower, same);
  EXPECT_NE(lower, upper);
}

}  // namespace
}  // namespace dialectic
