#include "model/string_list.h"

#include <gtest/gtest.h>

#include <string>

namespace dialectic {
namespace {

TEST(SplitLines, BreaksAtCrLfLoneCrAndLoneLfWithoutATrailingEmptyPiece) {
  struct Case {
    std::string text;
    StringList lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\rb\nc", {"a", "b", "c"}},
      {"a\r\n", {"a"}},
      {"a\n\n", {"a", ""}},
      {"\r\n", {""}},
      {"\n\r", {"", ""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {std::string("a\0b", 3), {std::string("a\0b", 3)}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(Trim, RemovesBlanksAndControlCharactersAtBothEndsOnly) {
  EXPECT_EQ(Trim("  a b\t "), "a b");
  EXPECT_EQ(Trim("\x01\x1F"
                 "a\tb\n"),
            "a\tb");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");
}

TEST(IndexOfText, ComparesWholeLinesIgnoringLetterCase) {
  const StringList area = {"ab(c)", "  ab", "x"};
  EXPECT_EQ(IndexOfText(area, "AB(C)"), 0);
  EXPECT_EQ(IndexOfText(area, "ab"), -1);
  EXPECT_EQ(IndexOfText(area, "  AB"), 1);
  EXPECT_EQ(IndexOfText({}, ""), -1);
}

}  // namespace
}  // namespace dialectic
