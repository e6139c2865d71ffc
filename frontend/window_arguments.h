// The window program's command line: "dialectic [FILE]", --help and --version. The options are
// read before the toolkit starts, so that they answer without a display; whatever the toolkit
// takes for itself (-platform NAME and the like) has been removed from the arguments by then.
#pragma once

#include <string>
#include <vector>

namespace dialectic {

struct WindowArguments {
  enum class Action { kOpenWindow, kHelp, kVersion, kUsageError };
  Action action = Action::kOpenWindow;
  std::string file;   // the theory file to open in the window; empty: none
  std::string error;  // what is wrong, for kUsageError
};

// Reads the arguments after the program's name.
WindowArguments ReadWindowArguments(const std::vector<std::string>& args);

// Whether the arguments ask for --help or --version, wherever they stand, so that no window opens.
bool AsksForTextOnly(const std::vector<std::string>& args);

// The text --help prints.
std::string WindowUsage();
// The line --version prints.
std::string WindowVersionLine();
// What the program says when it finds no display to open its window on.
std::string NoDisplayAdvice();

}  // namespace dialectic
