#include "frontend/theory_edit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "model/framework.h"
#include "model/line_list.h"
#include "model/theory.h"
#include "model/theory_text.h"

namespace dialectic {

// Readable failures: the names in order, then each attack as attacker>target.
void PrintTo(const Framework& framework, std::ostream* out) {
  for (const std::string& name : framework.Names()) *out << '[' << name << ']';
  for (const Attack& attack : framework.Attacks())
    *out << ' ' << attack.attacker << '>' << attack.target;
}
void PrintTo(const TextChange& change, std::ostream* out) {
  *out << change.begin << '+' << change.removed << " \"" << change.inserted << '"';
}

namespace {

// The framework that the text reads as, its lines cut at line feeds as the Input editor gives them.
Framework Parsed(std::string_view text) {
  LineList lines;
  std::size_t begin = 0;
  while (true) {
    const std::size_t end = std::min(text.find('\n', begin), text.size());
    lines.Add(text.substr(begin, end - begin));
    if (end == text.size()) break;
    begin = end + 1;
  }
  TTheory theory;
  ParseInput(lines, theory);
  return FrameworkOfTheory(theory);
}

TEST(TheoryEdit, EditsKeepTheUsersClausesAndSpacing) {
  struct Case {
    const char* what;
    std::string before;
    std::string (*edit)(std::string_view);
    std::string after;
  };
  const Case cases[] = {
      {"new argument on a line of its own", "a b",
       [](std::string_view t) { return WithArgument(t, "c"); }, "a b\nc"},
      {"new argument after a final line feed", "a b\n",
       [](std::string_view t) { return WithArgument(t, "c"); }, "a b\nc"},
      {"first argument", "", [](std::string_view t) { return WithArgument(t, "c"); }, "c"},
      {"attack joins the target's last clause", "a  b,\tc d\na e",
       [](std::string_view t) { return WithAttack(t, "d", "a"); }, "a  b,\tc d\na e d"},
      {"attack on an argument that heads no clause", "a b",
       [](std::string_view t) { return WithAttack(t, "a", "b"); }, "a b\nb a"},
      {"attack by an argument declared after the target's clause", "a b\nc",
       [](std::string_view t) { return WithAttack(t, "c", "a"); }, "a b c\nc"},
      {"attack by an argument named after another new one", "a b\nc\nd",
       [](std::string_view t) { return WithAttack(t, "d", "a"); }, "a b\nc\nd\na d"},
      {"self-attack", "a", [](std::string_view t) { return WithAttack(t, "a", "a"); }, "a a"},
      {"attack already there", "a b", [](std::string_view t) { return WithAttack(t, "b", "a"); },
       "a b"},
      {"rename every mention, not parts of words", "ab a, b a\na",
       [](std::string_view t) { return WithRename(t, "a", "x"); }, "ab x, b x\nx"},
      {"delete an attacker everywhere", "a b c, c b",
       [](std::string_view t) { return WithoutArguments(t, {"b"}); }, "a c, c"},
      {"delete a head: its attackers named first stay declared", "a b c\nd a",
       [](std::string_view t) { return WithoutArguments(t, {"a"}); }, "b, c\nd"},
      {"delete a whole line", "a b\nc\nd",
       [](std::string_view t) { return WithoutArguments(t, {"c"}); }, "a b\nd"},
      {"delete the first clause of a line", "a, c d",
       [](std::string_view t) { return WithoutArguments(t, {"a"}); }, "c d"},
      {"delete the only mention of an attacker", "a b c",
       [](std::string_view t) {
         return WithoutAttacks(t, {{"c", "a"}});
       },
       "a b, c"},
      {"delete an attack whose attacker is named there first", "a b c",
       [](std::string_view t) {
         return WithoutAttacks(t, {{"b", "a"}});
       },
       "a, b, a c"},
      {"delete an attack named twice", "x, a b b c, a b",
       [](std::string_view t) {
         return WithoutAttacks(t, {{"b", "a"}});
       },
       "x, a, b, a c, a"},
      {"delete an attack on an argument the text does not have", "a b",
       [](std::string_view t) {
         return WithoutAttacks(t, {{"b", "x"}});
       },
       "a b"},
      {"delete a self-attack", "a a b",
       [](std::string_view t) {
         return WithoutAttacks(t, {{"a", "a"}});
       },
       "a b"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.edit(c.before), c.after) << c.what;
}

TEST(TheoryEdit, NamesTheSyntaxCannotHoldAreRefusedWithAReason) {
  const std::vector<std::string> names = {"a", "Bob", "c"};
  struct Case {
    std::string name;
    int except;
    bool refused;
  };
  const Case cases[] = {
      {"d", -1, false},   {"", -1, true},          {"x y", -1, true},    {"x,y", -1, true},
      {"\tx", -1, true},  {"x\t", -1, true},       {"x\ty", -1, false},  {"a", -1, true},
      {"A", -1, true},    {"bob", -1, true},       {"bob", 1, false},    {"a\nb", -1, true},
      {"a\rb", -1, true}, {"\xc3\xa9", -1, false}, {"#(x):", -1, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(!NameProblem(c.name, names, c.except).empty(), c.refused) << c.name;
  }
}

TEST(TheoryEdit, ChangeBetweenIsTheSmallestSpanAndUndoes) {
  struct Case {
    std::string before;
    std::string after;
    TextChange change;
  };
  const Case cases[] = {
      {"a b", "a b c", {3, 0, " c"}},
      {"a b c", "a c", {2, 2, ""}},
      {"aaa", "aa", {2, 1, ""}},
      {"", "x", {0, 0, "x"}},
      {"same", "same", {4, 0, ""}},
      // Not inside a character: e acute to e grave shares a lead byte, which goes with the change.
      {"x\xc3\xa9", "x\xc3\xa8", {1, 2, "\xc3\xa8"}},
      {"\xc3\xa9x", "\xc4\xa9x", {0, 2, "\xc4\xa9"}},
  };
  for (const Case& c : cases) {
    const TextChange change = ChangeBetween(c.before, c.after);
    EXPECT_EQ(change, c.change) << c.before << " -> " << c.after;
    EXPECT_EQ(Applied(c.before, change), c.after);
    EXPECT_EQ(Applied(c.after, ChangeBetween(c.after, c.before)), c.before);
  }
}

// The theory as a value the test edits by itself: names in order, each argument's attackers.
struct Model {
  std::vector<std::string> names;
  std::vector<std::vector<int>> attackers;

  explicit Model(const Framework& framework)
      : names(framework.Names()), attackers(framework.Graph().attackers) {}

  Framework AsFramework() const {
    std::vector<Attack> attacks;
    for (std::size_t t = 0; t < attackers.size(); ++t) {
      for (int a : attackers[t]) attacks.push_back({a, static_cast<int>(t)});
    }
    return {names, attacks};
  }
  int IndexOf(const std::string& name) const {
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
  }
};

const std::vector<std::string> kNamePool = {
    "a", "b", "c", "A", "d1", "x_y", "\xc3\xa9", "#h", "(p)", "a\tb", "Zed", "q", "r", "s",
};

std::string RandomTheoryText(std::mt19937& random) {
  const auto pick = [&random](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  const std::vector<std::string> separators = {" ", " ", "  ", " \t ", " \t"};
  std::string text;
  const std::size_t lines = pick(6);
  for (std::size_t l = 0; l < lines; ++l) {
    if (l > 0) text += '\n';
    if (pick(6) == 0) continue;  // an empty line
    const std::size_t clauses = 1 + pick(3);
    for (std::size_t c = 0; c < clauses; ++c) {
      if (c > 0) text += pick(2) == 0 ? ", " : ",";
      if (pick(8) == 0) continue;  // an empty clause
      if (pick(3) == 0) text += separators[pick(separators.size())];
      text += kNamePool[pick(8)];
      const std::size_t words = pick(4);
      for (std::size_t w = 0; w < words; ++w) {
        text += separators[pick(separators.size())];
        text += kNamePool[pick(8)];
      }
      if (pick(4) == 0) text += separators[pick(separators.size())];
    }
    if (pick(6) == 0) text += ',';
  }
  if (pick(3) == 0) text += '\n';
  return text;
}

TEST(TheoryEdit, RandomEditsReadAsTheEditedTheoryAndUndoByteForByte) {
  std::mt19937 random(20261209);
  const auto pick = [&random](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  int edits_checked = 0;
  for (int round = 0; round < 400; ++round) {
    const std::string original = RandomTheoryText(random);
    Model model(Parsed(original));
    ASSERT_EQ(model.AsFramework(), Parsed(original)) << original;
    std::vector<std::string> history = {original};
    std::vector<TextChange> undo;
    for (int step = 0; step < 8; ++step) {
      const std::string& text = history.back();
      std::string next;
      const int size = static_cast<int>(model.names.size());
      switch (size == 0 ? 0 : pick(5)) {
        case 0: {  // add an argument
          const std::string& name = kNamePool[pick(kNamePool.size())];
          if (!NameProblem(name, model.names).empty()) continue;
          next = WithArgument(text, name);
          model.names.push_back(name);
          model.attackers.emplace_back();
          break;
        }
        case 1: {  // add an attack, a self-attack now and then
          const int attacker = static_cast<int>(pick(size));
          const int target = pick(4) == 0 ? attacker : static_cast<int>(pick(size));
          next = WithAttack(text, model.names[attacker], model.names[target]);
          auto& list = model.attackers[static_cast<std::size_t>(target)];
          if (std::find(list.begin(), list.end(), attacker) == list.end()) {
            list.push_back(attacker);
          }
          break;
        }
        case 2: {  // rename
          const int arg = static_cast<int>(pick(size));
          const std::string& name = kNamePool[pick(kNamePool.size())];
          if (!NameProblem(name, model.names, arg).empty()) continue;
          next = WithRename(text, model.names[arg], name);
          model.names[arg] = name;
          break;
        }
        case 3: {  // delete one or two arguments
          std::vector<std::string> gone = {model.names[pick(size)]};
          if (pick(2) == 0) gone.push_back(model.names[pick(size)]);
          next = WithoutArguments(text, gone);
          std::vector<int> new_index(static_cast<std::size_t>(size), -1);
          Model kept = model;
          kept.names.clear();
          kept.attackers.clear();
          for (int i = 0; i < size; ++i) {
            if (std::find(gone.begin(), gone.end(), model.names[i]) != gone.end()) continue;
            new_index[static_cast<std::size_t>(i)] = static_cast<int>(kept.names.size());
            kept.names.push_back(model.names[i]);
          }
          for (int i = 0; i < size; ++i) {
            if (new_index[static_cast<std::size_t>(i)] < 0) continue;
            auto& list = kept.attackers.emplace_back();
            for (int a : model.attackers[static_cast<std::size_t>(i)]) {
              if (new_index[static_cast<std::size_t>(a)] >= 0) {
                list.push_back(new_index[static_cast<std::size_t>(a)]);
              }
            }
          }
          model = kept;
          break;
        }
        default: {  // delete one or two attacks
          std::vector<std::pair<int, int>> attacks;
          for (int t = 0; t < size; ++t) {
            for (int a : model.attackers[static_cast<std::size_t>(t)]) attacks.emplace_back(a, t);
          }
          if (attacks.empty()) continue;
          std::vector<std::pair<std::string, std::string>> gone;
          for (std::size_t k = 0; k < 1 + pick(2); ++k) {
            const auto [a, t] = attacks[pick(attacks.size())];
            gone.emplace_back(model.names[a], model.names[t]);
            std::erase(model.attackers[static_cast<std::size_t>(t)], a);
          }
          next = WithoutAttacks(text, gone);
          break;
        }
      }
      ASSERT_EQ(Parsed(next), model.AsFramework()) << "before:\n" << text << "\nafter:\n" << next;
      const TextChange change = ChangeBetween(text, next);
      ASSERT_EQ(Applied(text, change), next);
      undo.push_back(ChangeBetween(next, text));
      history.push_back(next);
      ++edits_checked;
    }
    // Undoing every edit, one change at a time, gives the text back byte for byte.
    std::string text = history.back();
    for (auto change = undo.rbegin(); change != undo.rend(); ++change) {
      text = Applied(text, *change);
    }
    EXPECT_EQ(text, original);
  }
  EXPECT_GT(edits_checked, 2000);
}

}  // namespace
}  // namespace dialectic
