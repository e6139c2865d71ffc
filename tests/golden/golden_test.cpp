// Reruns every stored golden case and compares every area line by line: whatever changes in how
// the results are computed, the text a user reads must stay the same. The reference run by name
// (tests/oracle) must give the stored areas too, which is what makes it a reference.

#include <gtest/gtest.h>

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "frontend/example_library.h"
#include "frontend/form.h"
#include "tests/golden/golden_cases.h"
#include "tests/golden/golden_format.h"
#include "tests/golden/golden_run.h"
#include "tests/oracle/oracle.h"

namespace dialectic::golden {
namespace {

std::filesystem::path GroupPath(std::string_view group) {
  return std::filesystem::path(DIALECTIC_GOLDEN_DIR) / (std::string(group) + ".golden");
}

// The parsed file of the group, read once per test program.
const ParsedGoldens& LoadGroup(std::string_view group) {
  static std::map<std::string, ParsedGoldens, std::less<>> loaded;
  const auto found = loaded.find(group);
  if (found != loaded.end()) return found->second;
  std::ifstream file(GroupPath(group), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  ParsedGoldens parsed = file ? ParseGoldens(text.str()) : ParsedGoldens{{}, "cannot be read"};
  return loaded.emplace(std::string(group), std::move(parsed)).first->second;
}

std::string Describe(const GoldenCase& golden_case) {
  return "case " + golden_case.id + " (depth " + golden_case.depth_text + ", trace " +
         (golden_case.show_trace ? "on" : "off") + ")";
}

// The first line where the areas differ, or nothing when they are equal.
std::string FirstDifference(const std::array<StringList, 4>& expected,
                            const std::array<StringList, 4>& actual) {
  for (std::size_t a = 0; a < expected.size(); ++a) {
    const StringList& want = expected[a];
    const StringList& got = actual[a];
    const std::string area(kOutputAreaNames[a]);
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
      const std::string line_no = std::to_string(i + 1);
      if (i >= got.size()) {
        return area + " ends after " + std::to_string(got.size()) + " lines; line " + line_no +
               " should be " + want[i];
      }
      if (i >= want.size()) {
        return area + " has " + std::to_string(got.size() - want.size()) +
               " lines too many; line " + line_no + " is " + got[i];
      }
      if (want[i] != got[i]) {
        return area + " line " + line_no + "\n    expected " + want[i] + "\n    actual   " + got[i];
      }
    }
  }
  return {};
}

class GoldenGroupTest : public testing::TestWithParam<std::string_view> {};

TEST_P(GoldenGroupTest, StoresEveryTheoryAtEverySetting) {
  const ParsedGoldens& parsed = LoadGroup(GetParam());
  ASSERT_TRUE(parsed.error.empty()) << GroupPath(GetParam()) << ": " << parsed.error;
  ASSERT_FALSE(parsed.cases.empty()) << GroupPath(GetParam());
  ASSERT_EQ(parsed.cases.size() % kGoldenSettings.size(), 0u);
  for (std::size_t i = 0; i < parsed.cases.size(); ++i) {
    const GoldenCase& golden_case = parsed.cases[i];
    const GoldenCase& first = parsed.cases[i - i % kGoldenSettings.size()];
    const GoldenSetting& setting = kGoldenSettings[i % kGoldenSettings.size()];
    SCOPED_TRACE(Describe(golden_case));
    EXPECT_EQ(golden_case.id, first.id);
    EXPECT_EQ(golden_case.input, first.input);
    EXPECT_EQ(golden_case.depth_text, setting.depth_text);
    EXPECT_EQ(golden_case.show_trace, setting.show_trace);
  }
}

using StoredAreas = std::array<StringList, 4>;

// Runs every case of the group and compares its areas with the stored ones.
void ExpectStoredAreas(std::string_view group,
                       const std::function<StoredAreas(const GoldenCase&)>& run) {
  const ParsedGoldens& parsed = LoadGroup(group);
  ASSERT_TRUE(parsed.error.empty()) << GroupPath(group) << ": " << parsed.error;
  ASSERT_FALSE(parsed.cases.empty()) << GroupPath(group);
  int differing = 0;
  for (const GoldenCase& golden_case : parsed.cases) {
    const std::string difference = FirstDifference(golden_case.stored_outputs, run(golden_case));
    if (difference.empty()) continue;
    constexpr int kReported = 5;
    if (++differing <= kReported) {
      ADD_FAILURE() << GroupPath(group).string() << ":" << golden_case.file_line << ": "
                    << Describe(golden_case) << "\n  " << difference;
    }
  }
  EXPECT_EQ(differing, 0) << differing << " of " << parsed.cases.size()
                          << " cases differ (the first few are reported above)";
}

// The oracle's run of the case in stored form. Every stored depth is a decimal number.
StoredAreas OracleStoredRun(const GoldenCase& golden_case) {
  const std::string& depth_text = golden_case.depth_text;
  std::int32_t depth = 0;
  const auto [end, error] =
      std::from_chars(depth_text.data(), depth_text.data() + depth_text.size(), depth);
  EXPECT_TRUE(error == std::errc() && end == depth_text.data() + depth_text.size())
      << "depth " << depth_text << " of case " << golden_case.id;
  std::string input_text;
  for (const std::string& line : golden_case.input) input_text += line + '\n';
  const oracle::Areas areas = oracle::RunByName(input_text, depth, golden_case.show_trace);

  const std::array<const StringList*, 4> lines = {&areas.Memo2, &areas.Memo3, &areas.Memo4,
                                                  &areas.Memo5};
  StoredAreas stored;
  for (std::size_t a = 0; a < stored.size(); ++a) {
    for (const std::string& line : *lines[a]) {
      const bool is_timing = IsTimingArea(a) && line == oracle::kElapsedLine;
      stored[a].push_back(is_timing ? std::string(kStoredTimingLine)
                                    : StoredLine(line, IsTimingArea(a)));
    }
  }
  return stored;
}

TEST_P(GoldenGroupTest, EveryRunGivesTheStoredAreas) {
  // One form for the whole file, unlike make_goldens, which takes a fresh one for every run: no
  // run may depend on what the runs before it left behind.
  TForm1 form;
  ExpectStoredAreas(GetParam(), [&](const GoldenCase& golden_case) {
    return StoredRun(form, golden_case.input, golden_case.depth_text, golden_case.show_trace);
  });
}

TEST_P(GoldenGroupTest, TheOracleGivesTheStoredAreas) {
  ExpectStoredAreas(GetParam(), OracleStoredRun);
}

INSTANTIATE_TEST_SUITE_P(Groups, GoldenGroupTest, testing::ValuesIn(kGoldenGroupNames),
                         [](const testing::TestParamInfo<std::string_view>& info) {
                           return std::string(info.param);
                         });

TEST(GoldenExamples, HoldEveryBuiltInExampleInLibraryOrder) {
  const ParsedGoldens& parsed = LoadGroup("examples");
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  const StringList captions = ExampleCaptions(BuiltInExamples());
  ASSERT_EQ(parsed.cases.size(), captions.size() * kGoldenSettings.size());
  for (std::size_t e = 0; e < captions.size(); ++e) {
    EXPECT_EQ(parsed.cases[e * kGoldenSettings.size()].input,
              ExampleLines(BuiltInExamples(), captions[e]))
        << "example " << e + 1 << " " << captions[e];
  }
}

}  // namespace
}  // namespace dialectic::golden
