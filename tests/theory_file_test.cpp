#include "frontend/theory_file.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/framework.h"
#include "frontend/text_file.h"
#include "model/theory_text.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

// The framework that the input lines state, as the run reads them.
Framework FrameworkOfLines(const StringList& lines) {
  TextArea input;
  input.AddStrings(lines);
  TTheory theory;
  ParseInput(input, theory);
  return FrameworkOfTheory(theory);
}

class TheoryFileTest : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::string& name, const std::string& text) {
    const std::filesystem::path path = dir_.path() / name;
    WriteWholeFile(path, text);
    return path;
  }
  TempDir dir_;
};

TEST_F(TheoryFileTest, EachFormatOpensAsTheLineSyntaxOfItsFramework) {
  struct Case {
    std::string name;
    Format format;
    std::string text;
    StringList lines;
  };
  const Case cases[] = {
      // The line syntax comes in as it stands: layout, commas and odd blanks are kept.
      {"t.txt", Format::kText, "a b,  b c\r\n\r\nc\n", {"a b,  b c", "", "c"}},
      {"t.i23", Format::kI23, "p af 3\n# c\n2 1\n3 2\n", {"1 2", "2 3"}},
      {"t.apx", Format::kApx, "arg(a). arg(b). arg(c).\natt(c,b). att(b,a).\n", {"a b", "b c"}},
      {"t.tgf", Format::kTgf, "x\ny\nz\n#\nz y\n", {"x", "y z"}},
      {"e.tgf", Format::kTgf, "#\n", {}},
  };
  for (const Case& c : cases) {
    const TheoryFileRead read = ReadTheoryFile(Write(c.name, c.text), c.format);
    ASSERT_TRUE(read.ok()) << c.name << ": " << read.error;
    EXPECT_EQ(read.lines, c.lines) << c.name;
  }
}

TEST_F(TheoryFileTest, FailedReadsGiveTheReasonAndNoLines) {
  struct Case {
    std::string name;
    Format format;
    std::string text;
    std::string error_ending;  // the message after the file's path
  };
  const Case cases[] = {
      {"bad.apx", Format::kApx, "arg(a).\natt(a,b).\n",
       ":2:7: argument \"b\" is not declared; expected arg(b). before its attacks"},
      {"bad.i23", Format::kI23, "p af 2\n1 3\n", ":2:3: expected an argument number from 1 to 2"},
      // TGF names may hold a comma, which the line syntax reads as the end of a clause.
      {"comma.tgf", Format::kTgf, "a,b\n#\n",
       "argument 1 (\"a,b\") cannot be written in the line syntax: it contains a comma, which "
       "separates clauses"},
  };
  for (const Case& c : cases) {
    const std::filesystem::path path = Write(c.name, c.text);
    const TheoryFileRead read = ReadTheoryFile(path, c.format);
    EXPECT_FALSE(read.ok()) << c.name;
    EXPECT_TRUE(read.lines.empty()) << c.name;
    EXPECT_TRUE(read.error.ends_with(c.error_ending)) << read.error;
  }
  const TheoryFileRead missing = ReadTheoryFile(dir_.path() / "none.txt", Format::kText);
  EXPECT_FALSE(missing.ok());
  EXPECT_TRUE(missing.error.starts_with("Cannot open file \"")) << missing.error;
  EXPECT_NE(missing.error.find("none.txt"), std::string::npos) << missing.error;
}

TEST_F(TheoryFileTest, SavedFilesOpenAsTheSameTheory) {
  TextArea input;
  input.AddStrings({"a b c, b d", "", "c a", "lonely", "d d"});
  const Framework stated = FrameworkOfLines(input.Lines());
  for (const Format format : kFormats) {
    const std::filesystem::path path = dir_.path() / ("saved." + FormatName(format));
    ASSERT_EQ(WriteTheoryFile(path, input, format), "") << FormatName(format);
    const TheoryFileRead read = ReadTheoryFile(path, format);
    ASSERT_TRUE(read.ok()) << read.error;
    Framework opened = FrameworkOfLines(read.lines);
    if (format == Format::kI23) {
      // i23 numbers the arguments by position and keeps no names.
      EXPECT_EQ(opened.Names(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
      opened = Framework(stated.Names(), opened.Attacks());
    }
    EXPECT_EQ(opened, stated) << FormatName(format);
  }
  // The line syntax is the input itself, line for line.
  EXPECT_EQ(ReadWholeFile(dir_.path() / "saved.text"), "a b c, b d\n\nc a\nlonely\nd d\n");
}

TEST_F(TheoryFileTest, ATheoryAFormatCannotHoldWritesNothing) {
  TextArea input;
  input.AddStrings({"f(x) y"});
  const std::filesystem::path path = dir_.path() / "unwritable.apx";
  EXPECT_EQ(WriteTheoryFile(path, input, Format::kApx),
            "argument 1 (\"f(x)\") cannot be written in APX: it contains one of ( ) , .");
  EXPECT_FALSE(std::filesystem::exists(path));
  const std::string unwritable_folder =
      WriteTheoryFile(dir_.path() / "no" / "such.txt", input, Format::kText);
  EXPECT_TRUE(unwritable_folder.starts_with("Cannot create file \"")) << unwritable_folder;
}

}  // namespace
}  // namespace dialectic
