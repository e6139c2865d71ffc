#include "frontend/results_export.h"

#include <gtest/gtest.h>

#include <string>

#include "frontend/text_file.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

// The file's lines under each heading, in the order of the headings.
std::vector<std::pair<std::string, StringList>> Sections(const std::string& text) {
  std::vector<std::pair<std::string, StringList>> sections;
  for (const std::string& line : SplitLines(text)) {
    if (line.starts_with('[') && line.ends_with(']')) {
      sections.push_back({line, {}});
    } else {
      EXPECT_FALSE(sections.empty()) << "a line before the first heading: " << line;
      if (!sections.empty()) sections.back().second.push_back(line);
    }
  }
  return sections;
}

TEST(ResultsExport, WritesTheFiveAreasUnderTheirHeadingsInOrder) {
  TempDir dir;
  TForm1 form;
  form.ExamplesPath = dir.path() / "examples.txt";
  form.FormCreate();
  form.Memo1.SetText("a b, b c\n\nc");
  form.Button1Click();
  const std::filesystem::path path = dir.path() / "results.txt";
  ExportResults(form, path);

  const std::string text = ReadWholeFile(path);
  ASSERT_TRUE(text.ends_with("\n"));
  const auto sections = Sections(text);
  const std::pair<const char*, const TextArea*> expected[] = {{"[input]", &form.Memo1},
                                                              {"[rephrased]", &form.Memo2},
                                                              {"[trace]", &form.Memo3},
                                                              {"[options]", &form.Memo4},
                                                              {"[extensions]", &form.Memo5}};
  ASSERT_EQ(sections.size(), std::size(expected));
  for (std::size_t i = 0; i < sections.size(); ++i) {
    EXPECT_EQ(sections[i].first, expected[i].first);
    EXPECT_EQ(sections[i].second, expected[i].second->Lines()) << expected[i].first;
  }
  // The run wrote every result area; an empty one would not show the sections' order.
  for (const auto& [heading, lines] : sections) EXPECT_FALSE(lines.empty()) << heading;
  EXPECT_EQ(sections[0].second, (StringList{"a b, b c", "", "c"}));
}

TEST(ResultsExport, AFileThatCannotBeCreatedIsAFileError) {
  TempDir dir;
  TForm1 form;
  EXPECT_THROW(ExportResults(form, dir.path() / "missing" / "results.txt"), FileError);
}

}  // namespace
}  // namespace dialectic
