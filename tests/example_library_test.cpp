#include "frontend/example_library.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "frontend/text_file.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::filesystem::path& path) { return ReadWholeFile(path); }

class ExampleLibraryTest : public ::testing::Test {
 protected:
  // Loads the library of a form whose library file lies in the temporary directory.
  void Load() {
    form_.ExamplesPath = file_;
    LoadExamples(form_);
  }
  TempDir dir_;
  std::filesystem::path file_ = dir_.path() / "examples.txt";
  TForm1 form_;
};

TEST_F(ExampleLibraryTest, FirstStartWritesTheBuiltInLibraryWithCrLf) {
  Load();
  const StringList& builtin = BuiltInExamples();
  ASSERT_EQ(builtin.size(), 68u);
  EXPECT_EQ(form_.Examples, builtin);
  std::string expected;
  for (const std::string& line : builtin) expected += line + "\r\n";
  EXPECT_EQ(ReadBytes(file_), expected);
  EXPECT_NE(expected.find("f g, g f \r\n#Ambrecht"), std::string::npos);
  ASSERT_EQ(form_.RadioItems.size(), 34u);
  EXPECT_EQ(form_.RadioItems.front(), "Single link (AB)");
  EXPECT_EQ(form_.RadioItems[3], "Even cycle");
  EXPECT_EQ(form_.RadioItems.back(), "Ambrecht, CM followed by same CM");
}

TEST_F(ExampleLibraryTest, AnExistingFileReplacesTheLibraryAndIsLeftUnchanged) {
  struct Case {
    std::string bytes;
    StringList examples;
  };
  const Case cases[] = {
      {"#One\r\na b\r\n", {"#One", "a b"}},
      {"#One\na b\n#Two\nc d", {"#One", "a b", "#Two", "c d"}},
      {"#One\ra b\r#Two\rc d\r", {"#One", "a b", "#Two", "c d"}},
      {"#One\n\na b\n\n", {"#One", "", "a b", ""}},
      {std::string("#One\na b\0#Two\nc d", 17), {"#One", "a b"}},
      // An editor's byte-order mark would hide the first caption.
      {"\xEF\xBB\xBF#One\na b\n", {"#One", "a b"}},
      {"a\xEF\xBB\xBF\n", {"a\xEF\xBB\xBF"}},
      {"", {}},
      {"  #not a caption\n#\nx\n", {"  #not a caption", "#", "x"}},
  };
  for (const Case& c : cases) {
    WriteBytes(file_, c.bytes);
    form_.RadioItems.clear();
    Load();
    EXPECT_EQ(form_.Examples, c.examples);
    EXPECT_EQ(ReadBytes(file_), c.bytes);
    EXPECT_EQ(form_.RadioItems, ExampleCaptions(c.examples));
  }
}

TEST_F(ExampleLibraryTest, AFolderOfThatNameDoesNotCountAndCannotBeCreatedOver) {
  std::filesystem::create_directory(file_);
  try {
    Load();
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot create file \"" + file_.string() +
                                             "\". Is a directory" + kUnsavedExamplesNote);
  }
  EXPECT_EQ(form_.Examples, BuiltInExamples());
  EXPECT_EQ(form_.RadioItems, ExampleCaptions(BuiltInExamples()));
  EXPECT_TRUE(std::filesystem::is_directory(file_));
}

TEST_F(ExampleLibraryTest, AnUnwritableDirectoryGivesTheCreateMessage) {
  const std::filesystem::path missing_dir = dir_.path() / "missing" / "examples.txt";
  form_.ExamplesPath = missing_dir;
  try {
    LoadExamples(form_);
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot create file \"" + missing_dir.string() +
                                             "\". No such file or directory" +
                                             kUnsavedExamplesNote);
  }
  // The examples are not lost with the file: every built-in one can still be chosen.
  EXPECT_EQ(form_.RadioItems.size(), 34u);
  EXPECT_EQ(form_.Examples, BuiltInExamples());
}

TEST_F(ExampleLibraryTest, AFileThatCannotBeReadGivesTheOpenMessage) {
  // A named pipe exists and is no folder, but reading it would wait for a writer.
  ASSERT_EQ(mkfifo(file_.c_str(), 0600), 0);
  try {
    Load();
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot open file \"" + file_.string() + "\". ", 0),
              0u)
        << error.what();
  }
  EXPECT_EQ(form_.Examples, BuiltInExamples());
  EXPECT_TRUE(form_.RadioItems.empty());
}

TEST_F(ExampleLibraryTest, ReadOnlyFormsDoNotCreateTheFile) {
  form_.WriteMissingExamples = false;
  Load();
  EXPECT_FALSE(std::filesystem::exists(file_));
  EXPECT_EQ(form_.RadioItems.size(), 34u);
}

TEST(ExampleLines, CopiesTheLinesAfterTheFirstMatchingCaptionUpToAnotherCaption) {
  const StringList library = {
      "before any caption", "#A",  "a1",           "",   "#a", "lower", "#A", "a2", "#",
      "empty caption",      "#B ", "b with blank", "#B", "b",  "#A",    "a3",
  };
  struct Case {
    std::string caption;
    StringList lines;
  };
  const Case cases[] = {
      {"A", {"a1", ""}}, {"a", {"lower"}}, {"", {"empty caption"}},    {"B ", {"b with blank"}},
      {"B", {"b"}},      {"missing", {}},  {"before any caption", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ExampleLines(library, c.caption), c.lines) << c.caption;
  EXPECT_EQ(ExampleCaptions(library), (StringList{"A", "a", "A", "", "B ", "B", "A"}));
}

TEST(ExampleLines, ARepeatedCaptionRightAfterItsLinesContinuesTheCopy) {
  const StringList library = {"#A", "a1", "#A", "a2", "#B", "b"};
  EXPECT_EQ(ExampleLines(library, "A"), (StringList{"a1", "a2"}));
}

TEST(BuiltInExamples, EveryExampleIsOneCaptionLineAndOneTheoryLine) {
  const StringList& lines = BuiltInExamples();
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    EXPECT_EQ(lines[i].front(), '#');
    EXPECT_NE(lines[i + 1].front(), '#');
    const std::string_view caption = std::string_view(lines[i]).substr(1);
    EXPECT_EQ(ExampleLines(lines, caption), StringList{lines[i + 1]});
  }
  EXPECT_EQ(lines[63], "a b d, b c f, c a, d e, e d, f g, g f ");
}

}  // namespace
}  // namespace dialectic
