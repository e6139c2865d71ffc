#include "tests/golden/golden_format.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace dialectic::golden {
namespace {

TEST(GoldenEscape, WritesOnlyPrintableAsciiThatNoBlankStrippingCanChange) {
  struct Case {
    std::string line;
    std::string escaped;
  };
  const std::vector<Case> cases = {
      {"", ""},
      {"a b", "a b"},
      {"a ", "a\\x20"},
      {"a  ", "a \\x20"},
      {" ", "\\x20"},
      {"  a", "  a"},
      {"a\tb", "a\\tb"},
      {"\t", "\\t"},
      {"a\\b", "a\\\\b"},
      {"\\x20", "\\\\x20"},
      {std::string("a\0b", 3), "a\\x00b"},
      {"\x01\x1F\x7F", "\\x01\\x1F\\x7F"},
      {"\x80\xE9\xFF", "\\x80\\xE9\\xFF"},
      {"\r\n", "\\x0D\\x0A"},
      {"|~#@", "|~#@"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Escape(c.line), c.escaped) << c.escaped;
    EXPECT_EQ(Unescape(c.escaped), c.line) << c.escaped;
  }
}

TEST(GoldenEscape, EveryByteAtEveryPlaceComesBack) {
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    for (const std::string& line : {std::string(1, byte), std::string("x") + byte + "y",
                                    std::string("x") + byte, std::string(2, byte)}) {
      const std::string escaped = Escape(line);
      for (char c : escaped) {
        ASSERT_GE(static_cast<unsigned char>(c), 32) << "byte " << b;
        ASSERT_LT(static_cast<unsigned char>(c), 127) << "byte " << b;
      }
      ASSERT_FALSE(escaped.ends_with(' ')) << "byte " << b;
      ASSERT_EQ(Unescape(escaped), line) << "byte " << b;
    }
  }
}

TEST(GoldenEscape, RejectsTextThatNoLineEscapesTo) {
  for (const std::string text : {"\\", "a\\", "\\q", "\\x4", "\\xG0", "\\x4g", "\\xe9"}) {
    EXPECT_FALSE(Unescape(text).has_value()) << text;
  }
}

TEST(GoldenTiming, MatchesDigitsFollowedByMsElapsedOnly) {
  struct Case {
    std::string line;
    bool is_timing;
  };
  const std::vector<Case> cases = {
      {"0 ms elapsed", true},    {"1234 ms elapsed", true}, {" ms elapsed", false},
      {"ms elapsed", false},     {"-1 ms elapsed", false},  {"12 ms elapsed ", false},
      {" 12 ms elapsed", false}, {"1 2 ms elapsed", false}, {"12ms elapsed", false},
      {"12 ms  elapsed", false}, {"x ms elapsed", false},   {"12 MS elapsed", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsTimingLine(c.line), c.is_timing) << c.line;
}

TEST(GoldenTiming, NormalisesOnlyInTheAreasThatTimeTheirComputation) {
  EXPECT_EQ(StoredLine("17 ms elapsed", true), kStoredTimingLine);
  EXPECT_EQ(StoredLine("17 ms elapsed", false), "|17 ms elapsed");
  EXPECT_EQ(StoredLine("  a (b)", true), "|  a (b)");
  EXPECT_EQ(StoredLine("# ms elapsed", true), "|# ms elapsed");
}

GoldenCase SampleCase() {
  GoldenCase golden_case;
  golden_case.id = "sample/3";
  golden_case.depth_text = " 0x1F ";
  golden_case.show_trace = false;
  golden_case.input = {"a b\t, b a ", "", "\xE9 \\"};
  return golden_case;
}

TEST(GoldenFile, ReadsBackWhatWasWritten) {
  GoldenCase written = SampleCase();
  const StringList memo2 = {"STANDARD STYLE", "a b\t ", "~# ms elapsed"};
  const StringList memo3 = {};
  const StringList memo4 = {"a :", "", "0 ms elapsed"};
  const StringList memo5 = {"Grounded extension", "  <empty>", "", "12 ms elapsed"};
  written.stored_outputs = StoredOutputs({&memo2, &memo3, &memo4, &memo5});
  std::ostringstream text;
  text << "# a comment\n\n";
  WriteCase(text, written);
  WriteCase(text, written);

  const ParsedGoldens parsed = ParseGoldens(text.str());
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  ASSERT_EQ(parsed.cases.size(), 2u);
  const GoldenCase& read = parsed.cases[1];
  EXPECT_EQ(parsed.cases[0].file_line, 3);
  EXPECT_EQ(read.id, written.id);
  EXPECT_EQ(read.depth_text, written.depth_text);
  EXPECT_EQ(read.show_trace, written.show_trace);
  EXPECT_EQ(read.input, written.input);
  EXPECT_EQ(read.stored_outputs, written.stored_outputs);
  EXPECT_EQ(read.stored_outputs[0][2], "|~# ms elapsed");
  EXPECT_EQ(read.stored_outputs[2][2], kStoredTimingLine);
}

TEST(GoldenFile, ReadsLinesEndingInCrLf) {
  GoldenCase written = SampleCase();
  std::ostringstream text;
  WriteCase(text, written);
  std::string crlf;
  for (char c : text.str()) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const ParsedGoldens parsed = ParseGoldens(crlf);
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  ASSERT_EQ(parsed.cases.size(), 1u);
  EXPECT_EQ(parsed.cases[0].input, written.input);
}

TEST(GoldenFile, NamesTheFirstMalformedLine) {
  const std::string good =
      "@case g/1\n@depth 100\n@trace on\n@Memo1 1\n|a\n@Memo2 0\n@Memo3 0\n@Memo4 1\n"
      "~# ms elapsed\n@Memo5 0\n";
  ASSERT_TRUE(ParseGoldens(good).error.empty()) << ParseGoldens(good).error;
  struct Case {
    std::string text;
    std::string error_start;
  };
  const std::vector<Case> cases = {
      {"@depth 100\n", "line 1:"},
      {"@case g/1\n@trace on\n", "line 2:"},
      {"@case g/1\n@depth 100\n@trace yes\n", "line 3:"},
      {"@case g/1\n@depth 100\n@trace on\n@Memo1 x\n", "line 4:"},
      {"@case g/1\n@depth 100\n@trace on\n@Memo1 2\n|a\n", "line 5:"},
      {"@case g/1\n@depth 100\n@trace on\n@Memo1 1\na\n", "line 5:"},
      {"@case g/1\n@depth 100\n@trace on\n@Memo1 1\n~# ms elapsed\n", "line 5:"},
      {"@case g/1\n@depth 100\n@trace on\n@Memo1 1\n|a\\q\n", "line 5:"},
      {"@case g/1\n@depth 100\n@trace on\n@Memo1 0\n@Memo2 1\n~# ms elapsed\n", "line 6:"},
      {"@case g/1\n@depth 100\n@trace on\n@Memo1 0\n@Memo3 0\n", "line 5:"},
      {good + "@case g/2\n@depth 1\n", "line 12:"},
  };
  for (const Case& c : cases) {
    const ParsedGoldens parsed = ParseGoldens(c.text);
    EXPECT_TRUE(parsed.cases.empty()) << c.text;
    EXPECT_TRUE(parsed.error.starts_with(c.error_start)) << c.text << "\ngave: " << parsed.error;
  }
}

}  // namespace
}  // namespace dialectic::golden
