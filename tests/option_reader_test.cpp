#include "app/cli/option_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialectic {
namespace {

// Reads the words as the two programs do, with a flag "-x", an option "--depth" and a once-only
// option "-p"; the result lists what was read, or the usage error.
std::string ReadAll(const std::vector<std::string>& args) {
  std::string read;
  std::optional<std::string> task;
  try {
    for (OptionReader reader(args); !reader.Done();) {
      if (reader.Flag({"-x", "--ex"})) {
        read += "[x]";
      } else if (auto depth = reader.Value("--depth")) {
        read += "[depth " + *depth + "]";
      } else if (auto value = reader.OnceValue("-p", task)) {
        task = value;
        read += "[p " + *value + "]";
      } else if (reader.IsOptionLike()) {
        return "unknown " + reader.Word();
      } else {
        read += "[word " + reader.TakeWord() + "]";
      }
    }
  } catch (const UsageError& error) {
    return "error: " + error.message;
  }
  return read;
}

TEST(OptionReader, ReadsFlagsValuesInBothFormsAndWords) {
  struct Case {
    std::vector<std::string> args;
    std::string expected;
  };
  const Case kCases[] = {
      {{}, ""},
      {{"-x", "--ex", "file"}, "[x][x][word file]"},
      {{"--depth", "7", "--depth=8"}, "[depth 7][depth 8]"},
      // The value may look like an option or be empty.
      {{"--depth", "-x", "--depth="}, "[depth -x][depth ]"},
      {{"--depthx"}, "unknown --depthx"},
      {{"-"}, "[word -]"},
      {{"--depth"}, "error: option --depth needs a value"},
      {{"-p", "DC-CO", "-p", "DS-PR"}, "error: option -p given twice"},
      {{"-p", "DC-CO", "f"}, "[p DC-CO][word f]"},
  };
  for (const Case& c : kCases) {
    std::string joined;
    for (const std::string& arg : c.args) joined += arg + " ";
    EXPECT_EQ(ReadAll(c.args), c.expected) << joined;
  }
}

}  // namespace
}  // namespace dialectic
