#include "tests/golden/golden_cases.h"

#include <algorithm>
#include <utility>

#include "formats/generators.h"
#include "frontend/example_library.h"
#include "frontend/text_area.h"
#include "model/theory.h"
#include "model/theory_text.h"

namespace dialectic::golden {

namespace {

// With depth 0 every argument is ambiguous and every one of the 2^n IN/OUT choices is a preferred
// extension, so the argument count bounds both the run time and the size of the stored output.
constexpr int kMaxArgs = 8;

int ArgumentCount(const StringList& lines) {
  TextArea memo1;
  memo1.AddStrings(lines);
  TTheory theory;
  ParseInput(memo1, theory);
  return theory.Args.Count();
}

std::string SeedNote(std::string_view kind, std::uint32_t seed, const StringList& lines) {
  return std::string(kind) + ", seed " + std::to_string(seed) + ", " +
         std::to_string(ArgumentCount(lines)) + " arguments";
}

GoldenGroup ExampleGroup() {
  GoldenGroup group{"examples", "the built-in examples", {}};
  const StringList& library = BuiltInExamples();
  for (const std::string& caption : ExampleCaptions(library)) {
    group.theories.push_back({caption, ExampleLines(library, caption)});
  }
  return group;
}

// Names whose order under case folding differs from their byte order and from the order of first
// mention: upper-case letters, '_' and '[' (between 'Z' and 'a'), digits after letters.
const StringList kMixedNames = {"a",   "b",  "c", "d",   "e",  "f",  "g",  "h", "x1",
                                "x10", "x2", "_", "[q]", "Zz", "zy", "m0", "K", "ab"};

// Distinct names drawn from the pool, in drawing order.
StringList DrawNames(SeededRandom& random, const StringList& pool, int count) {
  StringList left = pool;
  StringList names;
  for (int i = 0; i < count && !left.empty(); ++i) {
    const auto at = left.begin() + random.Below(static_cast<int>(left.size()));
    names.push_back(*at);
    left.erase(at);
  }
  return names;
}

GraphShape SmallShape(int min_args, int max_args) {
  GraphShape shape;
  shape.min_args = min_args;
  shape.max_args = max_args;
  shape.attacker_count_percent = {25, 35, 28, 12};
  shape.back_attacker_percent = 30;
  shape.max_cyclic_args = max_args;
  return shape;
}

GoldenGroup RandomGroup() {
  GoldenGroup group{"random", "random theories of 1 to 8 arguments", {}};
  const GraphShape shape = SmallShape(1, 8);
  for (std::uint32_t seed = 1; seed <= 100; ++seed) {
    SeededRandom random(seed);
    const AttackGraph graph = RandomAttackGraph(random, shape);
    const StringList names =
        seed % 2 == 0 ? PlainNames(graph.size()) : DrawNames(random, kMixedNames, graph.size());
    const StringList lines = GraphTheory(graph, names, 1 + random.Below(4));
    group.theories.push_back({SeedNote("random", seed, lines), lines});
  }
  return group;
}

// Spellings of a few words that differ only in letter case.
const StringList kCaseNames = {"a", "A", "b", "B", "ab", "aB", "Ab", "AB", "ba", "Ba", "x", "X"};

GoldenGroup LetterCaseGroup() {
  GoldenGroup group{"letter_case", "arguments whose names differ only in letter case", {}};
  const std::vector<StringList> written = {
      {"a A"},
      {"A a, a A"},
      {"a b, B a"},
      {"x X x"},
      {"a b, A B"},
      {"a B, b A, B a"},
      {"ab AB, aB Ab, Ab ab"},
      {"a b c, b C, c B"},
      {"A b, a B, b a, B A"},
  };
  for (const StringList& lines : written) group.theories.push_back({"written", lines});
  const GraphShape shape = SmallShape(2, 8);
  for (std::uint32_t seed = 1; seed <= 35; ++seed) {
    SeededRandom random(1000 + seed);
    const AttackGraph graph = RandomAttackGraph(random, shape);
    const StringList names = DrawNames(random, kCaseNames, graph.size());
    const StringList lines = GraphTheory(graph, names, 1 + random.Below(3));
    group.theories.push_back({SeedNote("random", 1000 + seed, lines), lines});
  }
  return group;
}

// Words with tabs, control bytes and bytes from 128 on inside them.
const StringList kOddWords = {"a",     "b\tc",   "\xE9t\xE9", "d\x01", "e",         "\xFF",
                              "f\x7F", "g\t\th", "\x80i",     "j",     "K\xC3\x89", "l"};

// Word separators: at least one blank, tabs before it stay in the word before, tabs after it go.
const StringList kSeparators = {" ", "  ", "\t ", " \t", " \t ", "\t\t  "};
const StringList kClauseBreaks = {", ", ",", " , ", "\t,", ", ,", ",,\t", ",  "};

GoldenGroup SpacingGroup() {
  GoldenGroup group{"spacing", "tabs, control bytes and high bytes inside and around words", {}};
  const GraphShape shape = SmallShape(2, 7);
  std::uint32_t seed = 2000;
  while (group.theories.size() < 40) {
    SeededRandom random(++seed);
    const AttackGraph graph = RandomAttackGraph(random, shape);
    const StringList names = DrawNames(random, kOddWords, graph.size());
    StringList lines;
    std::string line = random.Chance(30) ? "\t" : "";
    for (int i = 0; i < graph.size(); ++i) {
      const std::vector<int>& attackers = graph.attackers[static_cast<std::size_t>(i)];
      line += names[static_cast<std::size_t>(i)];
      for (int a : attackers) {
        line += kSeparators[static_cast<std::size_t>(random.Below(6))];
        line += names[static_cast<std::size_t>(a)];
      }
      if (random.Chance(25)) {
        line += random.Chance(50) ? " \t" : "\t";
        lines.push_back(std::move(line));
        line.clear();
        if (random.Chance(20)) lines.push_back(random.Chance(50) ? "" : " \t ");
      } else {
        line += kClauseBreaks[static_cast<std::size_t>(random.Below(7))];
      }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    if (ArgumentCount(lines) > kMaxArgs) continue;
    group.theories.push_back({SeedNote("random", seed, lines), lines});
  }
  return group;
}

StringList Cycle(const std::string& prefix, int length) {
  std::string line;
  for (int i = 1; i <= length; ++i) {
    if (i > 1) line += ", ";
    line += prefix + std::to_string(i) + " " + prefix + std::to_string(i % length + 1);
  }
  return {line};
}

GoldenGroup CycleGroup() {
  GoldenGroup group{"cycles", "self-attacks, odd and even cycles, chains", {}};
  group.theories.push_back({"self-attack", {"a a"}});
  group.theories.push_back({"self-attack attacking", {"b a, a a"}});
  group.theories.push_back({"attacked by a self-attack", {"a b, b b"}});
  group.theories.push_back({"self-attack with a second attacker", {"a a b"}});
  group.theories.push_back({"two self-attacks attacking each other", {"a a b, b b a"}});
  for (int length = 1; length <= 8; ++length) {
    group.theories.push_back({"cycle of " + std::to_string(length), Cycle("c", length)});
  }
  group.theories.push_back({"chain into an even cycle", {"t1 t2, t2 t3, t3 c1, c1 c2, c2 c1"}});
  group.theories.push_back({"chain into an odd cycle", {"t1 t2, t2 c1, c1 c2, c2 c3, c3 c1"}});
  group.theories.push_back({"even cycle into a chain", {"c1 c2, c2 c1, t1 c1, t2 t1, t3 t2"}});
  group.theories.push_back({"odd cycle into a chain", {"c1 c3, c2 c1, c3 c2, t1 c2, t2 t1"}});
  group.theories.push_back({"two even cycles sharing an argument", {"a b, b a, a c, c a"}});
  group.theories.push_back({"odd and even cycle joined", {"a b, b c, c a, d a, a d"}});
  group.theories.push_back({"even cycle attacking both of another", {"a b, b a, c a, d b, c d"}});
  group.theories.push_back({"cycle of four with chords", {"a b, b c, c d, d a, a c, b d"}});
  for (int pairs = 1; pairs <= 4; ++pairs) {
    group.theories.push_back({"even cycles, " + std::to_string(pairs), EvenCyclesTheory(pairs)});
  }
  for (int length = 1; length <= 9; ++length) {
    group.theories.push_back({"chain of " + std::to_string(length), ChainTheory(length)});
  }
  // More than 32 ambiguous arguments at every depth: only the "too many" message.
  group.theories.push_back({"even cycles, 17", EvenCyclesTheory(17)});
  return group;
}

GoldenGroup WideGroup() {
  GoldenGroup group{"wide", "wide attacker sets and the choice of counter-attackers", {}};
  for (const auto& [width, attackers] :
       std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {1, 4}, {2, 1}, {2, 2}, {2, 3}, {3, 2}}) {
    group.theories.push_back(
        {"wide counter " + std::to_string(width) + " by " + std::to_string(attackers),
         WideCounterTheory(width, attackers)});
  }
  const std::vector<std::pair<std::string, StringList>> written = {
      {"shared counter-attacker", {"a b0 b1, b0 c0 c1, b1 c1 c2"}},
      {"shared counter-attackers in a ring", {"a b0 b1 b2, b0 c0 c1, b1 c1 c2, b2 c2 c0"}},
      {"the same set twice", {"a b0 b1, b0 c0 c1, b1 c1 c0"}},
      {"one attacker without counter", {"a b0 b1, b0 c0"}},
      {"counters differing in letter case", {"a b0 b1, b0 C, b1 c"}},
      {"both spellings on both", {"a b0 b1, b0 c C, b1 C c"}},
      {"attacker countered by the argument", {"a b, b a c"}},
      {"counter-attackers in conflict", {"a b0 b1, b0 c0, b1 c1, c0 c1"}},
      {"counter-attacker attacking the argument", {"a b0 b1, b0 c0, b1 c0, a c0"}},
      {"attacker counters itself", {"a b, b b c"}},
      {"two levels", {"a b0 b1, b0 c0 c1, b1 c2, c0 d0 d1, c2 d1"}},
  };
  for (const auto& [note, lines] : written) group.theories.push_back({note, lines});
  // The first counter step of a's proof needs 2^17 combinations, more than one expansion may take;
  // the self-attacking counter-attackers keep everything else small.
  StringList too_many = {"a"};
  for (int i = 0; i < 17; ++i) {
    const std::string b = "b" + std::to_string(i);
    const std::string c0 = "c" + std::to_string(i) + "_0";
    const std::string c1 = "c" + std::to_string(i) + "_1";
    too_many[0] += " " + b;
    too_many.push_back(b + " " + c0 + " " + c1 + ", " + c0 + " " + c0 + ", " + c1 + " " + c1);
  }
  group.theories.push_back({"too many counter-attack combinations", too_many});
  return group;
}

GoldenGroup OddInputGroup() {
  GoldenGroup group{"odd_inputs", "empty and unusual input texts", {}};
  const std::vector<std::pair<std::string, StringList>> written = {
      {"no line", {}},
      {"one empty line", {""}},
      {"blanks and tabs only", {"  \t  "}},
      {"commas only", {",,, ,"}},
      {"one argument", {"a"}},
      {"repeated attacker", {"a b b"}},
      {"repeated clause", {"a b, a b"}},
      {"clauses on two lines", {"a b", "b a"}},
      {"empty lines between", {"", "a b", "", "", "b c", ""}},
      {"argument named later first", {"b, a b"}},
      {"attacker before its own clause", {"a b c, c a, b"}},
      {"hash and colon in names", {"#a b:, b: #a"}},
      {"parentheses in names", {"a (b), (b) c)"}},
      {"argument named <empty>", {"<empty> a, a b"}},
      {"a clause that reads like a timing line", {"5 ms elapsed"}},
      {"leading and trailing blanks", {"   a b   ", "\tb c\t"}},
      {"long names", {"alpha beta, beta gamma_gamma_gamma, gamma_gamma_gamma alpha"}},
      {"digits and punctuation", {"1 2, 2 3, 3 1, - +, + -"}},
  };
  for (const auto& [note, lines] : written) group.theories.push_back({note, lines});
  return group;
}

}  // namespace

std::vector<GoldenGroup> GoldenGroups() {
  return {ExampleGroup(), RandomGroup(), LetterCaseGroup(), SpacingGroup(),
          CycleGroup(),   WideGroup(),   OddInputGroup()};
}

}  // namespace dialectic::golden
