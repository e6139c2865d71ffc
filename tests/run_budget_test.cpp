#include "frontend/run_budget.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/formats.h"
#include "frontend/theory_file.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

// The word count stands in for the theory built by the line syntax: the same arguments and
// attacks, up to repeated attacks, which it counts again.
TEST(LineSyntaxSize, CountsArgumentsAndAttacksAsTheInputStatesThem) {
  struct Case {
    std::string text;
    std::uint64_t arguments, attacks;
  };
  const Case cases[] = {
      {"", 0, 0},
      {"a", 1, 0},
      {"a b, b c", 3, 2},
      {"a b c\nb a", 3, 3},
      {"a b\r\nb\ta\rc", 4, 1},       // a tab is within a word, as the line syntax reads it
      {"a\t b\x01,\tc \x02 ", 3, 1},  // and trimmed from its ends
      {" ,, a  b ,\n\n c", 3, 1},
      {"a a, a a", 1, 2},  // a repeated attack is counted twice
  };
  for (const Case& c : cases) {
    const TheorySize size = LineSyntaxSize(c.text, kDefaultRunBudgetBytes);
    EXPECT_EQ(size.arguments, c.arguments) << c.text;
    EXPECT_EQ(size.attacks, c.attacks) << c.text;
    // Where no attack repeats, the count is the theory's own.
    if (c.text == "a a, a a") continue;
    const ReadResult read = ReadFramework(c.text, Format::kText, {});
    EXPECT_EQ(read.framework.Names().size(), c.arguments) << c.text;
    EXPECT_EQ(read.framework.Attacks().size(), c.attacks) << c.text;
  }
}

TEST(LineSyntaxSize, StopsCountingNamesOncePastTheBudget) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "n" + std::to_string(i) + "\n";
  const TheorySize size = LineSyntaxSize(text, 1 << 20);
  EXPECT_EQ(size.arguments, 1025u);  // one past what a megabyte admits
  EXPECT_NE(RunBudgetProblem(size, 1 << 20), "");
}

TEST(RunBudgetProblem, NamesTheSizeAndTheBudgetOnlyPastTheBudget) {
  struct Case {
    TheorySize size;
    std::uint64_t budget;
    std::string message;
  };
  const Case cases[] = {
      {{1024, 0}, 1 << 20, ""},
      {{1025, 0},
       1 << 20,
       "The theory has 1025 arguments and 0 attacks; its run would take at least 2 MB of memory, "
       "more than the budget of 1 MB."},
      {{0, 256}, 1 << 20, ""},
      {{0, 257},
       1 << 20,
       "The theory has 0 arguments and 257 attacks; its run would take at least 2 MB of memory, "
       "more than the budget of 1 MB."},
      {{~std::uint64_t{0}, 0},
       kDefaultRunBudgetBytes,
       "The theory has 18446744073709551615 arguments and 0 attacks; its run would take more "
       "than any machine holds of memory, more than the budget of 1 GB."},
      {{1000000, 0}, kDefaultRunBudgetBytes, ""},
      {{1000, 1000},
       5000000,
       "The theory has 1000 arguments and 1000 attacks; its run would take at least 5 MB of "
       "memory, more than the budget of 5000000 bytes."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunBudgetProblem(c.size, c.budget), c.message) << c.size.arguments;
  }
}

// The window's read of a theory file holds it to the same bounds as the command line.
TEST(TheoryTextOf, RefusesNulBytesAndTheoriesPastTheBudgetInEveryFormat) {
  struct Case {
    Format format;
    std::string bytes;
    std::uint64_t budget;
    std::string text;   // the line syntax read, when read
    std::string error;  // how the message starts, when refused
  };
  const Case cases[] = {
      {Format::kText,
       "\xEF\xBB\xBF"
       "a b\n",
       kDefaultRunBudgetBytes, "a b\n", ""},
      {Format::kApx,
       "\xEF\xBB\xBF"
       "arg(a).",
       kDefaultRunBudgetBytes, "a\n", ""},
      {Format::kI23, "p af 10000000\n", kDefaultRunBudgetBytes, "", "The theory has 10000000"},
      {Format::kI23, "# big\np af 99999999999999999999\n", kDefaultRunBudgetBytes, "",
       "The theory has 18446744073709551615"},
      {Format::kI23, "p af 3\n1 2\n", 1 << 20, "1\n2 1\n3\n", ""},
      {Format::kTgf, "a\nb\n#\na b\nb a\n", 6000, "", "The theory has 2 arguments and 2"},
      {Format::kText, std::string("a\0", 2), kDefaultRunBudgetBytes, "", "Cannot read \"f\""},
      {Format::kTgf, std::string("a\0", 2), kDefaultRunBudgetBytes, "", "Cannot read \"f\""},
  };
  for (const Case& c : cases) {
    const TheoryText read = TheoryTextOf(c.bytes, c.format, "f", c.budget);
    EXPECT_EQ(read.text, c.text) << c.bytes;
    EXPECT_TRUE(read.error.starts_with(c.error)) << read.error;
    EXPECT_EQ(read.ok(), c.error.empty()) << c.bytes;
  }
}

}  // namespace
}  // namespace dialectic
