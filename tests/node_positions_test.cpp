#include "frontend/node_positions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/text_file.h"
#include "tests/test_support.h"

namespace dialectic {
namespace {

TEST(NodePositions, SideFileIsNamedAfterTheWholeFileName) {
  EXPECT_EQ(PositionsFileOf("/x/theory.txt"),
            std::filesystem::path("/x/theory.txt.positions.json"));
  EXPECT_EQ(PositionsFileOf("t.apx"), std::filesystem::path("t.apx.positions.json"));
}

TEST(NodePositions, PlacesComeBackForTheSameArgumentsByteForByte) {
  // A name that is not UTF-8 (Latin-1 "été"), one with a tab inside, the character U+F780 that
  // stands for a byte in JSON names, one without a place.
  const std::vector<std::string> names = {"a",        "\xe9t\xe9",    "x\ty",
                                          "\xc3\xa9", "\xef\x9e\x80", "free"};
  const NodePlaces places = {{"a", {1.5, -2}},
                             {"\xe9t\xe9", {100, 200.25}},
                             {"x\ty", {0, 0}},
                             {"\xc3\xa9", {-3e5, 7}},
                             {"\xef\x9e\x80", {5, 5}}};
  const std::string json = PositionsJson(names, places);
  const PositionsRead read = PositionsOfJson(json, names);
  EXPECT_EQ(read.problem, "");
  EXPECT_EQ(read.places, places);
}

TEST(NodePositions, AFileOfAnotherTheoryIsIgnoredWithAReason) {
  const std::vector<std::string> names = {"a", "b"};
  const std::string good = PositionsJson(names, {{"a", {1, 2}}, {"b", {3, 4}}});
  struct Case {
    std::string what;
    std::string json;
    std::vector<std::string> theory;
    std::string problem;
  };
  const Case cases[] = {
      {"same", good, names, ""},
      {"an argument more", good, {"a", "b", "c"}, "its arguments are not the theory's"},
      {"an argument less", good, {"a"}, "its arguments are not the theory's"},
      {"another order", good, {"b", "a"}, "its arguments are not the theory's"},
      {"letter case", good, {"a", "B"}, "its arguments are not the theory's"},
      {"not JSON", "{\"dialectic-positions\": 1, ", names, "it is not a positions file"},
      {"other JSON", "[1, 2]", names, "it is not a positions file"},
      {"no names", "{\"dialectic-positions\": 1, \"arguments\": [1, 2]}", names,
       "it is not a positions file"},
      {"another version",
       "{\"dialectic-positions\": 2, \"arguments\": []}",
       {},
       "it is of another version"},
  };
  for (const Case& c : cases) {
    const PositionsRead read = PositionsOfJson(c.json, c.theory);
    EXPECT_EQ(read.problem, c.problem) << c.what;
    EXPECT_EQ(read.places.empty(), !c.problem.empty()) << c.what;
  }
  // Places that are not numbers are left out; the rest of the file is taken.
  const PositionsRead partial = PositionsOfJson(
      "{\"dialectic-positions\": 1, \"arguments\": [{\"name\": \"a\", \"x\": \"1\", \"y\": 2},"
      " {\"name\": \"b\", \"x\": 3, \"y\": 4}]}",
      names);
  EXPECT_EQ(partial.problem, "");
  EXPECT_EQ(partial.places, (NodePlaces{{"b", {3, 4}}}));
}

TEST(NodePositions, TheSideFileIsWrittenAndReadNextToTheTheory) {
  TempDir dir;
  const std::filesystem::path theory = dir.path() / "t.txt";
  const std::vector<std::string> names = {"a", "b"};
  // No side file: nothing to take, nothing to say.
  PositionsRead read = ReadPositionsFile(theory, names);
  EXPECT_TRUE(read.places.empty());
  EXPECT_EQ(read.problem, "");
  WritePositionsFile(theory, names, {{"a", {1, 2}}, {"b", {3, 4}}});
  read = ReadPositionsFile(theory, names);
  EXPECT_EQ(read.problem, "");
  EXPECT_EQ(read.places, (NodePlaces{{"a", {1, 2}}, {"b", {3, 4}}}));
  // The file of the same name for another theory is named in the reason it was ignored.
  read = ReadPositionsFile(theory, {"a", "c"});
  EXPECT_TRUE(read.places.empty());
  EXPECT_NE(read.problem.find("t.txt.positions.json"), std::string::npos) << read.problem;
  // A folder where the side file would be is a problem, not a crash.
  std::filesystem::create_directory(PositionsFileOf(dir.path() / "u.txt"));
  EXPECT_TRUE(ReadPositionsFile(dir.path() / "u.txt", names).places.empty());
}

}  // namespace
}  // namespace dialectic
