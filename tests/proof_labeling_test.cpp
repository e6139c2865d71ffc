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

std::vector<int> RanksOf(const RankSet& set) {
  std::vector<int> ranks;
  set.ForEach([&](int rank) { ranks.push_back(rank); });
  return ranks;
}

TEST(RankSet, CopiesMovesAndShrinksKeepTheRanksWhereverTheyAreStored) {
  // Sets of up to four list entries or four words of bits lie inside the object, larger ones
  // outside it: each case crosses that line one way or the other.
  struct Case {
    std::vector<int> ranks;
    std::vector<int> other;
  };
  const Case kCases[] = {
      {{}, {1, 500, 900, 1300, 1700, 2100}},
      {{3, 70, 900}, {5}},
      {{3, 70, 900, 1200}, {1, 2, 3, 4, 5, 6, 7, 8}},
      {{3, 70, 900, 1200, 1500}, {}},
      {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 127}, {600, 601, 602, 603, 604}},
      {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 128}, {40}},
      {{9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1000, 999, 998, 997}, {2, 4}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(c.ranks));
    RankSet set;
    for (int rank : c.ranks) set.Add(rank);
    const std::vector<int> expected = RanksOf(set);
    const std::set<int> distinct(c.ranks.begin(), c.ranks.end());
    EXPECT_EQ(expected, std::vector<int>(distinct.begin(), distinct.end()));
    RankSet other;
    for (int rank : c.other) other.Add(rank);
    const std::vector<int> other_expected = RanksOf(other);

    RankSet copy = set;
    EXPECT_EQ(RanksOf(copy), expected);
    copy.Add(2000);  // the copy is its own
    EXPECT_EQ(RanksOf(set), expected);

    RankSet assigned = other;
    assigned = set;
    EXPECT_EQ(RanksOf(assigned), expected);
    EXPECT_TRUE(assigned == set);

    RankSet moved = std::move(copy);
    std::vector<int> with_2000 = expected;
    with_2000.push_back(2000);
    EXPECT_EQ(RanksOf(moved), with_2000);

    RankSet move_assigned = other;
    move_assigned = std::move(moved);
    EXPECT_EQ(RanksOf(move_assigned), with_2000);
    move_assigned = other;
    EXPECT_EQ(RanksOf(move_assigned), other_expected);

    RankSet shrunk = set;
    shrunk.AddAll(other);
    shrunk.ShrinkToFit();
    std::set<int> united(c.ranks.begin(), c.ranks.end());
    united.insert(c.other.begin(), c.other.end());
    EXPECT_EQ(RanksOf(shrunk), std::vector<int>(united.begin(), united.end()));
    shrunk.Clear();
    EXPECT_TRUE(shrunk.empty());
    shrunk.Add(7);
    shrunk.ShrinkToFit();
    EXPECT_EQ(RanksOf(shrunk), std::vector<int>{7});
  }
}

}  // namespace
}  // namespace dialectic
