#include "model/proof_labeling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/arg_index.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

// A theory holding exactly the given names, in that order, without attacks.
class NamedTheory {
 public:
  explicit NamedTheory(const StringList& names) {
    for (const std::string& name : names) theory_.FindOrAdd(name);
    index_.emplace(theory_);
  }
  TProofLabeling Labeling(const StringList& in, const StringList& out) const {
    return LabelingNamed(theory_, *index_, in, out);
  }
  std::string Text(const StringList& in, const StringList& out) const {
    return LabelingText(Labeling(in, out), *index_);
  }

 private:
  TTheory theory_;
  std::optional<ArgIndex> index_;
};

TEST(LabelingText, ListsInNamesThenOutNamesInParentheses) {
  const NamedTheory theory({"a ", "c ", "b ", "b1 ", "b2 ", "c1 ", "A ", " ", "a\t ", "b\t "});
  struct Case {
    StringList in, out;
    std::string text;
  };
  const Case cases[] = {
      {{"a ", "c "}, {"b "}, "a c (b)"},
      {{"a ", "b1 "}, {"b2 ", "c1 "}, "a b1 (b2 c1)"},
      {{"a "}, {}, "a"},
      {{}, {"a "}, "(a)"},
      {{}, {}, "<empty>"},
      {{"b ", "a "}, {}, "a b"},
      {{"a "}, {"a "}, "a (a)"},
      {{"a ", "A "}, {}, "a"},
      {{"A ", "a "}, {}, "A"},
      {{" "}, {}, "<empty>"},
      {{}, {" "}, "()"},
      {{" ", "a "}, {"c "}, "a (c)"},
      {{" "}, {" ", "c "}, "( c)"},
      {{"a\t "}, {"b\t "}, "a\t (b)"},
  };
  for (const Case& c : cases) EXPECT_EQ(theory.Text(c.in, c.out), c.text);
}

TEST(NameSetRules, ListNamesInCaseFoldedOrderAndKeepTheFirstSpelling) {
  struct Case {
    StringList added;
    std::string listed;  // the text of a labeling with these IN names
  };
  const Case cases[] = {
      {{"b ", "a "}, "a b"},
      {{"a ", "A "}, "a"},
      {{"A ", "a "}, "A"},
      {{"b ", "B ", "a ", "b "}, "a b"},
      {{"b1 ", "b ", "B2 "}, "b b1 B2"},
      {{"Zed ", "alpha "}, "alpha Zed"},
      // Bytes 128-255 sort after every ASCII byte and do not fold.
      {{"\xC3\xA9 ", "z ", "\xC3\x89 "}, "z \xC3\x89 \xC3\xA9"},
      // The blank ending a name sorts before every word character.
      {{"ab ", "a "}, "a ab"},
  };
  for (const Case& c : cases) {
    StringList names = c.added;
    for (const std::string& name : StringList(c.added.rbegin(), c.added.rend()))
      names.push_back(name);  // every spelling is an argument, in both orders of first mention
    const NamedTheory theory(names);
    EXPECT_EQ(theory.Text(c.added, {}), c.listed);
  }
}

TEST(IsAttackedByIn, MatchesInArgumentsAgainstAttackersExactly) {
  TTheory theory;
  ParseText("a b, b c, d d, e A", theory);
  const ArgIndex index(theory);
  const auto attacked = [&](const StringList& in, std::string_view name) {
    return IsAttackedByIn(RanksNamed(theory, index, in), RankNamed(theory, index, name), index);
  };
  EXPECT_FALSE(attacked({}, "a "));
  EXPECT_TRUE(attacked({"b "}, "a "));
  EXPECT_FALSE(attacked({"b "}, "b "));
  EXPECT_TRUE(attacked({"d "}, "d "));
  // The set holds "a " for both spellings, and "a " is no attacker of e.
  EXPECT_FALSE(attacked({"a ", "A "}, "e "));
  EXPECT_TRUE(attacked({"A ", "a "}, "e "));
}

TEST(Merge, AddsInAndOutNamesAndLeavesTheWorkingSets) {
  TTheory theory;
  ParseText("a b c d x y A", theory);
  const ArgIndex index(theory);
  TProofLabeling labeling = LabelingNamed(theory, index, {"a "}, {"b "});
  labeling.NewIn.Add(RankNamed(theory, index, "x "));
  TProofLabeling other = LabelingNamed(theory, index, {"c ", "A "}, {"d "});
  other.NewOut.Add(RankNamed(theory, index, "y "));
  Merge(labeling, other, index);
  EXPECT_EQ(LabelingText(labeling, index), "a c (b d)");
  EXPECT_EQ(labeling.NewIn.Count(), 1);
  EXPECT_TRUE(labeling.NewOut.empty());
}

// Sets move between their list and bitset forms as they grow; every operation must give the same
// answer as a plain set whatever the forms of its operands.
TEST(RankSet, AgreesWithAPlainSetInBothForms) {
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) {
    const int range = 1 + static_cast<int>(random() % 300);
    std::vector<RankSet> sets(2);
    std::vector<std::set<int>> plain(2);
    for (int s = 0; s < 2; ++s) {
      const int adds = static_cast<int>(random() % (round % 2 == 0 ? 8 : 200));
      for (int i = 0; i < adds; ++i) {
        const int rank = static_cast<int>(random() % static_cast<unsigned>(range));
        sets[static_cast<std::size_t>(s)].Add(rank);
        plain[static_cast<std::size_t>(s)].insert(rank);
      }
    }
    const RankSet& a = sets[0];
    const RankSet& b = sets[1];
    std::vector<int> listed;
    a.ForEach([&](int rank) { listed.push_back(rank); });
    EXPECT_EQ(listed, std::vector<int>(plain[0].begin(), plain[0].end()));
    EXPECT_EQ(a.Count(), static_cast<int>(plain[0].size()));
    const bool intersects =
        std::any_of(plain[0].begin(), plain[0].end(), [&](int r) { return plain[1].count(r) > 0; });
    EXPECT_EQ(a.Intersects(b), intersects);
    EXPECT_EQ(a.IsSubsetOf(b),
              std::includes(plain[1].begin(), plain[1].end(), plain[0].begin(), plain[0].end()));
    EXPECT_EQ(a == b, plain[0] == plain[1]);
    const int first = static_cast<int>(random() % static_cast<unsigned>(range));
    const int last = first + static_cast<int>(random() % 5);
    EXPECT_EQ(a.ContainsAnyIn(first, last),
              plain[0].lower_bound(first) != plain[0].lower_bound(last));
    RankSet united = a;
    united.AddAll(b);
    std::set<int> plain_united = plain[0];
    plain_united.insert(plain[1].begin(), plain[1].end());
    std::vector<int> united_listed;
    united.ForEach([&](int rank) { united_listed.push_back(rank); });
    EXPECT_EQ(united_listed, std::vector<int>(plain_united.begin(), plain_united.end()));
    EXPECT_EQ(united.Count(), static_cast<int>(plain_united.size()));
  }
}

}  // namespace
}  // namespace dialectic
