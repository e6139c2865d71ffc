#include "model/theory_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support.h"

namespace dialectic {
namespace {

TEST(ClauseWords, CutsTheTrimmedClauseAtBlanksOnly) {
  struct Case {
    std::string clause;
    StringList words;
  };
  const Case cases[] = {
      {"a b c", {"a ", "b ", "c "}},
      {"  a   b\t", {"a ", "b "}},
      {"c ", {"c "}},
      {"a\tb", {"a\tb "}},
      {"a\t b", {"a\t ", "b "}},
      {"", {}},
      {" \t  ", {}},
      {"x \t\ty", {"x ", "y "}},
  };
  for (const Case& c : cases) EXPECT_EQ(ClauseWords(c.clause), c.words) << c.clause;
}

TEST(ParseInput, CutsLinesIntoClausesAtCommasAndIgnoresEmptyClauses) {
  struct Case {
    std::string text;
    std::string args;  // trimmed names in Args order
    std::string attackers_of_first;
  };
  const Case cases[] = {
      {"", "", ""},
      {"\n\n", "", ""},
      {"a b c", "a,b,c", "b,c"},
      {"a b, c d", "a,b,c,d", "b"},
      {"a b,", "a,b", "b"},
      {"a b,,", "a,b", "b"},
      {"a,,b", "a,b", ""},
      {",a", "a", ""},
      {",", "", ""},
      {"a b, ", "a,b", "b"},
      {" \t ", "", ""},
      {"b c, a b", "b,c,a", "c"},
      {"a b\n\nc d", "a,b,c,d", "b"},
      {"#x y", "#x,y", "y"},
      {"a b\na c", "a,b,c", "b,c"},
  };
  for (const Case& c : cases) {
    TTheory theory;
    ParseText(c.text, theory);
    EXPECT_EQ(ArgNames(theory.Args), c.args) << c.text;
    if (!theory.Args.empty()) {
      EXPECT_EQ(ArgNames(theory.Args[0].Attackers), c.attackers_of_first) << c.text;
    }
    for (const TArg* arg : theory.Args) {
      EXPECT_EQ(arg->Name.back(), ' ');
      EXPECT_GT(arg->Name.size(), 1u);
    }
  }
}

TEST(ParseInput, KeepsTabsInsideWordsAndDropsThemBesideSeparators) {
  TTheory theory;
  ParseText("a\tb\nc \t d\ne\t f", theory);
  std::vector<std::string> names;
  for (const TArg* arg : theory.Args) names.push_back(arg->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"a\tb ", "c ", "d ", "e\t ", "f "}));
}

TEST(ParseInput, ParsingTheSameTextAgainChangesNothing) {
  TTheory theory;
  ParseText("a b c, b a", theory);
  ParseText("a b c, b a", theory);
  EXPECT_EQ(ArgNames(theory.Args), "a,b,c");
  EXPECT_EQ(ArgNames(theory.Args[0].Attackers), "b,c");
  EXPECT_EQ(ArgNames(theory.Args[1].Attackers), "a");
}

StringList RephraseOf(const std::string& text) {
  TTheory theory;
  ParseText(text, theory);
  TextArea memo2;
  memo2.Add("old content");
  Rephrase(theory, memo2);
  return memo2.Lines();
}

// The lines between the STANDARD STYLE heading and the empty line after it.
StringList StandardLines(const StringList& rephrased) {
  StringList lines;
  for (std::size_t i = 1; i < rephrased.size() && rephrased[i] != "COMMA STYLE"; ++i)
    lines.push_back(rephrased[i]);
  lines.pop_back();
  return lines;
}

std::string CommaLine(const StringList& rephrased) {
  for (std::size_t i = 0; i + 1 < rephrased.size(); ++i)
    if (rephrased[i] == "COMMA STYLE") return rephrased[i + 1];
  ADD_FAILURE() << "no COMMA STYLE heading";
  return {};
}

TEST(Rephrase, StandardAndCommaStylesOfSmallInputs) {
  struct Case {
    std::string text;
    StringList standard;
    std::string comma;
  };
  const Case cases[] = {
      {"a", {"a "}, ""},
      {"a b", {"a b"}, "a b"},
      {"a b, a c", {"a b c"}, "a b c"},
      {"a b b\na b", {"a b"}, "a b"},
      {"a a", {"a a"}, "a a"},
      {"b c, a b", {"b c", "a b"}, "b c, a b"},
      {"A a", {"A a"}, "A a"},
      {"  a   b  ,", {"a b"}, "a b"},
      {"a\tb", {"a\tb "}, ""},
      {"a \t b", {"a b"}, "a b"},
      {"a\t b", {"a b"}, "a b"},
      {"a b, c", {"a b", "c "}, "a b"},
  };
  for (const Case& c : cases) {
    const StringList rephrased = RephraseOf(c.text);
    EXPECT_EQ(StandardLines(rephrased), c.standard) << c.text;
    EXPECT_EQ(CommaLine(rephrased), c.comma) << c.text;
  }
}

TEST(Rephrase, TheInitialInputGivesFortySevenLines) {
  const StringList expected = {
      "STANDARD STYLE",
      "a b c",
      "b d e z",
      "c f g h i",
      "",
      "COMMA STYLE",
      "a b c, b d e z, c f g h i",
      "",
      "YET ANOTHER STYLE",
      "a ",
      "  x-- b ",
      "  x-- c ",
      "",
      "b ",
      "  x-- d ",
      "  x-- e ",
      "  x-- z ",
      "  --x a ",
      "",
      "c ",
      "  x-- f ",
      "  x-- g ",
      "  x-- h ",
      "  x-- i ",
      "  --x a ",
      "",
      "d ",
      "  --x b ",
      "",
      "e ",
      "  --x b ",
      "",
      "z ",
      "  --x b ",
      "",
      "f ",
      "  --x c ",
      "",
      "g ",
      "  --x c ",
      "",
      "h ",
      "  --x c ",
      "",
      "i ",
      "  --x c ",
      "",
  };
  ASSERT_EQ(expected.size(), 47u);
  EXPECT_EQ(RephraseOf("a b c\nb d e z\nc f g h i"), expected);
}

TEST(Rephrase, EmptyTheoryGivesTheThreeHeadingsOnly) {
  const StringList expected = {"STANDARD STYLE", "", "COMMA STYLE", "", "", "YET ANOTHER STYLE"};
  EXPECT_EQ(RephraseOf(""), expected);
  EXPECT_EQ(RephraseOf(",, ,\n \t"), expected);
}

TEST(Rephrase, YetAnotherStyleShowsAttackersThenTargetsWithNamesUnchanged) {
  const StringList self = RephraseOf("a a");
  const StringList tail(self.end() - 4, self.end());
  EXPECT_EQ(tail, (StringList{"a ", "  x-- a ", "  --x a ", ""}));

  const StringList tabbed = RephraseOf("a\t b");
  const StringList tabbed_tail(tabbed.end() - 6, tabbed.end());
  EXPECT_EQ(tabbed_tail, (StringList{"a\t ", "  x-- b ", "", "b ", "  --x a\t ", ""}));
}

}  // namespace
}  // namespace dialectic
