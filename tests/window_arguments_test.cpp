#include "frontend/window_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dialectic {
namespace {

using Action = WindowArguments::Action;

TEST(WindowArguments, ReadsTheFileAndTheOptions) {
  struct ArgumentsCase {
    std::vector<std::string> args;
    Action action;
    std::string file;
    std::string error;
  };
  const ArgumentsCase cases[] = {
      {{}, Action::kOpenWindow, "", ""},
      {{"t.apx"}, Action::kOpenWindow, "t.apx", ""},
      {{"--help"}, Action::kHelp, "", ""},
      {{"-h"}, Action::kHelp, "", ""},
      {{"t.apx", "--version"}, Action::kVersion, "t.apx", ""},
      {{"--version", "--help"}, Action::kVersion, "", ""},
      {{"--", "--help"}, Action::kOpenWindow, "--help", ""},
      {{"--", "-"}, Action::kOpenWindow, "-", ""},
      {{"-"}, Action::kOpenWindow, "-", ""},
      {{"--open"}, Action::kUsageError, "", "unknown option --open"},
      {{"a.txt", "b.txt"}, Action::kUsageError, "a.txt", "more than one file: a.txt and b.txt"},
      {{""}, Action::kUsageError, "", "an empty file name"},
  };
  for (const ArgumentsCase& c : cases) {
    std::string shown;
    for (const std::string& arg : c.args) shown += "[" + arg + "]";
    SCOPED_TRACE(shown);
    const WindowArguments read = ReadWindowArguments(c.args);
    EXPECT_EQ(read.action, c.action);
    EXPECT_EQ(read.file, c.file);
    EXPECT_EQ(read.error, c.error);
  }
}

TEST(WindowArguments, OnlyHelpAndVersionAnswerWithoutAWindow) {
  struct TextOnlyCase {
    std::vector<std::string> args;
    bool text_only;
  };
  const TextOnlyCase cases[] = {
      {{}, false},
      {{"t.apx"}, false},
      {{"-platform", "offscreen", "--help"}, true},
      {{"--version"}, true},
      {{"--", "--version"}, false},
  };
  for (const TextOnlyCase& c : cases) {
    EXPECT_EQ(AsksForTextOnly(c.args), c.text_only) << c.args.size();
  }
}

TEST(WindowArguments, HelpNamesTheFileAndTheWayToRunWithoutADisplay) {
  EXPECT_NE(WindowUsage().find("Usage: dialectic [FILE]"), std::string::npos);
  EXPECT_NE(WindowUsage().find("xvfb-run"), std::string::npos);
  EXPECT_NE(NoDisplayAdvice().find("xvfb-run dialectic"), std::string::npos);
  EXPECT_EQ(WindowVersionLine().rfind("dialectic ", 0), 0u);
  EXPECT_EQ(WindowVersionLine().back(), '\n');
}

}  // namespace
}  // namespace dialectic
