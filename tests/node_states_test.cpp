#include "graph/node_states.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "exact/exact_engine.h"
#include "frontend/form.h"
#include "frontend/run.h"
#include "tests/support/theory_generators.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

TheoryGraph GraphOf(std::string_view input) {
  TTheory theory;
  ParseText(input, theory);
  return GraphOfTheory(theory);
}

// The states written as the shown names per state in byte order, e.g. "IN a c OUT b", for
// readable failures.
std::string Described(const std::vector<NodeState>& states, const TheoryGraph& graph) {
  std::vector<std::string> in;
  std::vector<std::string> out;
  std::vector<std::string> both;
  for (std::size_t i = 0; i < states.size(); ++i) {
    const std::string name(ShownName(graph.names[i]));
    if (states[i] == NodeState::kIn) in.push_back(name);
    if (states[i] == NodeState::kOut) out.push_back(name);
    if (states[i] == NodeState::kInAndOut) both.push_back(name);
    if (states[i] == NodeState::kPlain) return "plain";
  }
  const auto joined = [](std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names) text += " " + name;
    return text;
  };
  std::string text = "IN" + joined(in) + " OUT" + joined(out);
  if (!both.empty()) text += " BOTH" + joined(both);
  return text;
}

TEST(ReadLabelingText, GivesEveryNamedArgumentItsSideAndTheRestUndecided) {
  struct Case {
    std::string_view input;
    std::string_view line;
    std::string_view expected;  // "none" when the line is no labeling of the theory
  };
  const Case kCases[] = {
      {"a b, b c", "  a c (b)", "IN a c OUT b"},
      {"a b, b c", "a c (b)", "IN a c OUT b"},
      {"a b, b c", "  <empty>", "IN OUT"},
      {"a b, b c", "  (a)", "IN OUT a"},
      {"a b, b c", "  c", "IN c OUT"},
      {"a b, b c", "  a (a)", "IN OUT BOTH a"},
      {"a b, b c", "  a x (b)", "none"},
      {"a b, b c", "  a (x)", "none"},
      {"a b, b c", "  Grounded extension", "none"},
      // Letter case tells arguments apart.
      {"A a", "  A (a)", "IN A OUT a"},
      // Names with parentheses: every reading but one names a missing argument.
      {"x (y", "  x ((y)", "IN x OUT (y"},
      {"x (y", "  (y (x)", "IN (y OUT x"},
      {"(a)", "  (a)", "IN (a) OUT"},
      {"(a) a", "  (a)", "IN OUT a"},
      // "<empty>" is the empty labeling unless an argument has that name.
      {"<empty> b", "  <empty>", "IN <empty> OUT"},
      // Bytes of every kind are parts of names.
      {"\xC3\xA9t\xC3\xA9 \xE9", "  \xE9 (\xC3\xA9t\xC3\xA9)", "IN \xE9 OUT \xC3\xA9t\xC3\xA9"},
      {"q\"uote back\\slash", "  back\\slash (q\"uote)", "IN back\\slash OUT q\"uote"},
  };
  for (const Case& c : kCases) {
    const TheoryGraph graph = GraphOf(c.input);
    const NameLookup names(graph);
    const auto states = ReadLabelingText(c.line, names, graph.Size());
    EXPECT_EQ(states ? Described(*states, graph) : "none", c.expected)
        << "input '" << c.input << "', line '" << c.line << "'";
  }
}

TEST(ReadLabelingText, ReadsAWordThatLostControlCharactersAtTheEndOfTheLine) {
  // "a\t " and "a " are two arguments; the line's end trims the tab of the first one, so "a"
  // alone at the end can only mean the argument whose word is exactly "a", while "a\t" inside
  // the line is the other one.
  TheoryGraph graph;
  graph.names = {"a\t ", "a ", "b\t "};
  graph.attacks.attackers.resize(3);
  graph.attacks.targets.resize(3);
  const NameLookup names(graph);
  const auto states = ReadLabelingText("  a\t a (b)", names, graph.Size());
  ASSERT_TRUE(states);
  EXPECT_EQ(*states, (std::vector<NodeState>{NodeState::kIn, NodeState::kIn, NodeState::kOut}));
}

// Every line of the areas of a real run, with what it colours: "-" for nothing, "outline x" for a
// heading, else the states and the outlined argument.
struct AreaLineCase {
  int line;
  std::string_view expected;
};

std::string DescribedColouring(const LineColouring& colouring, const TheoryGraph& graph) {
  std::string text;
  if (colouring.is_labeling) text = Described(colouring.states, graph);
  if (colouring.outlined >= 0) {
    if (!text.empty()) text += ", ";
    text += "outline " +
            std::string(ShownName(graph.names[static_cast<std::size_t>(colouring.outlined)]));
  }
  return text.empty() ? "-" : text;
}

TEST(ColouringOfOptionsLine, OutlinesTheArgumentOfTheHeadingAboveTheLine) {
  TForm1 form;
  form.Memo1.SetText("a b, b c\nd d e");
  dialectic::Run(form);
  const TheoryGraph graph = GraphOfTheory(form.Theory);
  const NameLookup names(graph);
  const AreaLineCase kCases[] = {
      {0, "outline a"},                // a :
      {1, "IN a c OUT b, outline a"},  //   a c (b)
      {2, "outline b"},                // b :
      {3, "IN c OUT b, outline b"},    //   c (b)
      {4, "outline c"},                // c :
      {5, "IN c OUT, outline c"},      //   c
      {6, "outline d"},                // d :
      {7, "IN e OUT d, outline d"},    //   e (d)
      {8, "outline e"},                // e :
      {9, "IN e OUT, outline e"},      //   e
      {10, "-"},                       // (empty)
      {11, "-"},                       // N ms elapsed
  };
  ASSERT_EQ(form.Memo4.Count(), 12) << form.Memo4.Text();
  const LineAt line_at = [&](int line) { return std::string(form.Memo4.Get(line)); };
  for (const AreaLineCase& c : kCases) {
    EXPECT_EQ(
        DescribedColouring(ColouringOfOptionsLine(line_at, c.line, names, graph.Size()), graph),
        c.expected)
        << "line " << c.line << " '" << form.Memo4.Get(c.line) << "'";
  }
}

TEST(ColouringOfLabelingLine, ColoursTheExtensionsAreasLabelingsOnly) {
  // Two even cycles beside an odd one: the grounded extension is empty, four preferred ones.
  TForm1 form;
  form.Memo1.SetText("a b d, b c f, c a, d e, e d, f g, g f ");
  dialectic::Run(form);
  const TheoryGraph graph = GraphOfTheory(form.Theory);
  const NameLookup names(graph);
  const AreaLineCase kCases[] = {
      {0, "-"},       // Grounded extension
      {1, "IN OUT"},  //   <empty>
      {2, "-"},       // (empty)
      {3, "-"},       // N ms elapsed
      {5, "-"},       // Preferred extensions
      {6, "IN c d g OUT a b e f"},
      {8, "IN c d f OUT a b e g"},
  };
  for (const AreaLineCase& c : kCases) {
    EXPECT_EQ(DescribedColouring(
                  ColouringOfLabelingLine(form.Memo5.Get(c.line), names, graph.Size()), graph),
              c.expected)
        << "line " << c.line << " '" << form.Memo5.Get(c.line) << "'";
  }
  // The extension {e, g}, which the listing lacks, reads like any listed one.
  EXPECT_EQ(DescribedColouring(ColouringOfLabelingLine("  e g (d f)", names, graph.Size()), graph),
            "IN e g OUT d f");
}

TEST(GroundedStates, AgreeWithTheExactEnginesGroundedExtension) {
  // The exact engine's work list is independent of the option search's grounded computation.
  const std::vector<StringList> theories = MediumRandomTheories(40, 13);
  for (std::size_t round = 0; round < theories.size(); ++round) {
    TTheory theory;
    TextArea input;
    input.AddStrings(theories[round]);
    ParseInput(input, theory);
    const TheoryGraph graph = GraphOfTheory(theory);
    const exact::Extension grounded = exact::GroundedExtension(graph.attacks);
    const std::vector<NodeState> states = GroundedStates(theory);
    for (int position = 0; position < graph.Size(); ++position) {
      const bool in_extension = std::binary_search(grounded.begin(), grounded.end(), position);
      bool attacked_by_extension = false;
      for (int attacker : graph.attacks.attackers[static_cast<std::size_t>(position)]) {
        attacked_by_extension |= std::binary_search(grounded.begin(), grounded.end(), attacker);
      }
      const NodeState expected = in_extension            ? NodeState::kIn
                                 : attacked_by_extension ? NodeState::kOut
                                                         : NodeState::kUndecided;
      EXPECT_EQ(states[static_cast<std::size_t>(position)], expected)
          << "round " << round << ", argument " << graph.names[static_cast<std::size_t>(position)];
    }
  }
}

}  // namespace
}  // namespace dialectic
