#include "graph/node_states.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "exact/exact_engine.h"
#include "formats/generators.h"
#include "frontend/form.h"
#include "frontend/line_colouring.h"
#include "frontend/run.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

Framework FrameworkOfText(std::string_view input) {
  TTheory theory;
  ParseText(input, theory);
  return FrameworkOfTheory(theory);
}

// The states written as the shown names per state in byte order, e.g. "IN a c OUT b", for
// readable failures.
std::string Described(const std::vector<NodeState>& states, const Framework& graph) {
  std::vector<std::string> in;
  std::vector<std::string> out;
  std::vector<std::string> both;
  for (std::size_t i = 0; i < states.size(); ++i) {
    const std::string name(ShownName(graph.Names()[i]));
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

TEST(StatesOf, GivesEveryArgumentItsSideAndTheRestUndecided) {
  struct Case {
    PositionLabeling labeling;
    std::string_view expected;
  };
  const Framework graph = FrameworkOfText("a b, b c, d");
  const Case kCases[] = {
      {{{0, 2}, {1}}, "IN a c OUT b"},
      {{{}, {}}, "IN OUT"},
      {{{}, {0}}, "IN OUT a"},
      {{{0}, {0}}, "IN OUT BOTH a"},
      {{{3}, {0, 1, 2}}, "IN d OUT a b c"},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(Described(StatesOf(c.labeling, graph.Size()), graph), c.expected) << c.expected;
  }
}

// Every line of the areas of a real run, with what it colours: "-" for nothing, "outline x" for a
// heading, else the states and the outlined argument.
struct AreaLineCase {
  int line;
  std::string_view expected;
};

std::string DescribedColouring(const LineColouring& colouring, const Framework& graph) {
  std::string text;
  if (colouring.is_labeling) text = Described(colouring.states, graph);
  if (colouring.outlined >= 0) {
    if (!text.empty()) text += ", ";
    text += "outline " +
            std::string(ShownName(graph.Names()[static_cast<std::size_t>(colouring.outlined)]));
  }
  return text.empty() ? "-" : text;
}

// The colouring of line number line of the area, read from the value the line shows.
LineColouring ColouringOfLine(const TForm1& form, const TextArea& area, int line) {
  const LineValue* value = area.ValueAt(line);
  return value == nullptr ? LineColouring{} : ColouringOfValue(*value, form.Theory, form.Outcome);
}

TEST(ColouringOfValue, OutlinesTheArgumentWhoseOptionsTheLineLists) {
  TForm1 form;
  form.Memo1.SetText("a b, b c\nd d e");
  dialectic::Run(form);
  const Framework graph = FrameworkOfTheory(form.Theory);
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
  for (const AreaLineCase& c : kCases) {
    EXPECT_EQ(DescribedColouring(ColouringOfLine(form, form.Memo4, c.line), graph), c.expected)
        << "line " << c.line << " '" << form.Memo4.Get(c.line) << "'";
  }
}

TEST(ColouringOfValue, ColoursTheExtensionsAreasLabelingsOnly) {
  // Two even cycles beside an odd one: the grounded extension is empty, four preferred ones.
  TForm1 form;
  form.Memo1.SetText("a b d, b c f, c a, d e, e d, f g, g f ");
  dialectic::Run(form);
  const Framework graph = FrameworkOfTheory(form.Theory);
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
    EXPECT_EQ(DescribedColouring(ColouringOfLine(form, form.Memo5, c.line), graph), c.expected)
        << "line " << c.line << " '" << form.Memo5.Get(c.line) << "'";
  }
}

TEST(ColouringOfValue, NamesThatALineCannotTellApartColourTheRightArguments) {
  // The grounded line of each theory: names holding parentheses, a name that reads like the
  // empty labeling, names equal up to letter case, and bytes of every kind.
  struct Case {
    std::string_view input;
    std::string_view expected;
  };
  const Case kCases[] = {
      {"x (y", "IN (y OUT x"},
      {"(a) a", "IN a OUT (a)"},
      {"<empty> b", "IN b OUT <empty>"},
      {"A a", "IN a OUT A"},
      {"\xC3\xA9t\xC3\xA9 \xE9", "IN \xE9 OUT \xC3\xA9t\xC3\xA9"},
  };
  for (const Case& c : kCases) {
    TForm1 form;
    form.Memo1.SetText(c.input);
    dialectic::Run(form);
    const Framework graph = FrameworkOfTheory(form.Theory);
    EXPECT_EQ(DescribedColouring(ColouringOfLine(form, form.Memo5, 1), graph), c.expected)
        << "input '" << c.input << "', line '" << form.Memo5.Get(1) << "'";
  }
}

TEST(ColouringOfValue, AValueTheOutcomeDoesNotHoldChangesNothing) {
  TForm1 form;
  form.Memo1.SetText("a b");
  dialectic::Run(form);
  const Framework graph = FrameworkOfTheory(form.Theory);
  const LineValue kValues[] = {
      {LineValue::Kind::kArgument, 2},
      {LineValue::Kind::kOption, 0, 5},
      {LineValue::Kind::kOption, -1, 0},
      {LineValue::Kind::kPreferred, -1, 1},
  };
  for (const LineValue& value : kValues) {
    EXPECT_EQ(DescribedColouring(ColouringOfValue(value, form.Theory, form.Outcome), graph), "-");
  }
}

TEST(GroundedStates, AgreeWithTheExactEnginesGroundedExtension) {
  // The exact engine's work list is independent of the option search's grounded computation.
  const std::vector<StringList> theories = MediumRandomTheories(40, 13);
  for (std::size_t round = 0; round < theories.size(); ++round) {
    TTheory theory;
    TextArea input;
    input.AddStrings(theories[round]);
    ParseInput(input, theory);
    const Framework graph = FrameworkOfTheory(theory);
    const exact::Extension grounded = exact::GroundedExtension(graph.Graph());
    const std::vector<NodeState> states = GroundedStates(theory);
    for (int position = 0; position < graph.Size(); ++position) {
      const bool in_extension = std::binary_search(grounded.begin(), grounded.end(), position);
      bool attacked_by_extension = false;
      for (int attacker : graph.Graph().attackers[static_cast<std::size_t>(position)]) {
        attacked_by_extension |= std::binary_search(grounded.begin(), grounded.end(), attacker);
      }
      const NodeState expected = in_extension            ? NodeState::kIn
                                 : attacked_by_extension ? NodeState::kOut
                                                         : NodeState::kUndecided;
      EXPECT_EQ(states[static_cast<std::size_t>(position)], expected)
          << "round " << round << ", argument "
          << graph.Names()[static_cast<std::size_t>(position)];
    }
  }
}

}  // namespace
}  // namespace dialectic
