#include "graph/theory_dot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "frontend/form.h"
#include "frontend/line_colouring.h"
#include "frontend/run.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

TEST(DotLabel, EscapesWhatDotReadsSpeciallyAndKeepsUtf8) {
  struct Case {
    std::string_view name;
    std::string_view expected;
  };
  const Case kCases[] = {
      {"a ", R"("a")"},
      {" ", R"("")"},
      {"q\"uote ", R"("q\"uote")"},
      {"back\\slash ", R"("back\\slash")"},
      {"\\\" ", R"("\\\"")"},
      {"end\\ ", R"("end\\")"},  // a backslash before the closing quote must not escape it
      {"a&amp; ", R"("a&amp;amp;")"},
      {"a\tb ", R"("a&#9;b")"},
      {"del\x7F ", R"("del&#127;")"},
      {"\xC3\xA9t\xC3\xA9 ", "\"\xC3\xA9t\xC3\xA9\""},
      {"\xF0\x9F\x99\x82 ", "\"\xF0\x9F\x99\x82\""},
      // Bytes that are no UTF-8: a lone Latin-1 letter, a cut sequence, an overlong form, a
      // surrogate, a code point above U+10FFFF.
      {"caf\xE9 ", R"("caf&#65533;")"},
      {"\xE2\x82 ", R"("&#65533;&#65533;")"},
      {"\xC0\xAF ", R"("&#65533;&#65533;")"},
      {"\xED\xA0\x80 ", R"("&#65533;&#65533;&#65533;")"},
      {"\xF4\x90\x80\x80 ", R"("&#65533;&#65533;&#65533;&#65533;")"},
      {"{n0} -> n1; ", R"("{n0} -> n1;")"},
  };
  for (const Case& c : kCases) EXPECT_EQ(DotLabel(c.name), c.expected) << c.name;
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The DOT of whole theories, against the files in tests/data/graph. A mismatch leaves the text
// made in NAME.actual in the test's working folder, to compare and review.
TEST(TheoryDot, MatchesTheGoldenFiles) {
  enum class Colours { kNone, kGrounded, kLine };
  struct Case {
    std::string_view file;
    std::string_view input;
    Colours colours;
  };
  constexpr std::string_view kFig3 = "a b d, b c f, c a, d e, e d, f g, g f ";
  const Case kCases[] = {
      {"chain_plain.dot", "a b, b c", Colours::kNone},
      {"chain_grounded.dot", "a b, b c", Colours::kGrounded},
      {"fig3_plain.dot", kFig3, Colours::kNone},
      {"fig3_option_of_a.dot", kFig3, Colours::kLine},
      {"loops_grounded.dot", "a a, b a, c b d, d c", Colours::kGrounded},
      {"odd_names_grounded.dot",
       "q\"uote back\\slash, \xC3\xA9t\xC3\xA9 caf\xE9, a&b a&b, x\ty q\"uote", Colours::kGrounded},
  };
  for (const Case& c : kCases) {
    TTheory theory;
    ParseText(c.input, theory);
    const Framework graph = FrameworkOfTheory(theory);
    std::string dot;
    if (c.colours == Colours::kNone) dot = TheoryDot(graph);
    if (c.colours == Colours::kGrounded) dot = TheoryDot(theory);
    if (c.colours == Colours::kLine) {
      // The first option of the first argument, "  a e f (b d g)", as the options area shows it.
      TForm1 form;
      form.Memo1.SetText(c.input);
      dialectic::Run(form);
      ASSERT_EQ(form.Memo4.Get(1), "  a e f (b d g)");
      const LineColouring colouring =
          ColouringOfValue(*form.Memo4.ValueAt(1), form.Theory, form.Outcome);
      ASSERT_TRUE(colouring.is_labeling) << c.file;
      dot = TheoryDot(graph, colouring.states, colouring.outlined);
    }
    const std::filesystem::path golden = std::filesystem::path(DIALECTIC_GRAPH_DATA_DIR) / c.file;
    const std::string expected = FileText(golden);
    if (dot != expected) std::ofstream(std::string(c.file) + ".actual", std::ios::binary) << dot;
    EXPECT_EQ(dot, expected) << golden;
  }
}

TEST(TheoryDot, NamesNodesByPositionWhateverTheNames) {
  // Node ids never come from names, so two names that one id scheme could merge stay apart.
  TTheory theory;
  ParseText("n1 n0, n0 \"n1\"", theory);
  const std::string dot = TheoryDot(FrameworkOfTheory(theory));
  EXPECT_NE(dot.find("  n0 [label=\"n1\"];\n  n1 [label=\"n0\"];\n  n2 [label=\"\\\"n1\\\"\"];\n"),
            std::string::npos)
      << dot;
  EXPECT_NE(dot.find("  n1 -> n0;\n  n2 -> n1;\n"), std::string::npos) << dot;
}

}  // namespace
}  // namespace dialectic
