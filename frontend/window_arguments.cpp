#include "frontend/window_arguments.h"

#include "frontend/version.h"

namespace dialectic {

namespace {

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

}  // namespace

WindowArguments ReadWindowArguments(const std::vector<std::string>& args) {
  WindowArguments read;
  const auto fail = [&read](std::string error) {
    read.action = WindowArguments::Action::kUsageError;
    read.error = std::move(error);
    return read;
  };
  bool options_end = false;
  for (const std::string& arg : args) {
    if (!options_end && IsHelp(arg)) {
      read.action = WindowArguments::Action::kHelp;
      return read;
    }
    if (!options_end && arg == "--version") {
      read.action = WindowArguments::Action::kVersion;
      return read;
    }
    if (!options_end && arg == "--") {
      options_end = true;
    } else if (!options_end && arg.size() > 1 && arg.front() == '-') {
      return fail("unknown option " + arg);
    } else if (!read.file.empty()) {
      return fail("more than one file: " + read.file + " and " + arg);
    } else if (arg.empty()) {
      return fail("an empty file name");
    } else {
      read.file = arg;
    }
  }
  return read;
}

bool AsksForTextOnly(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--") return false;
    if (IsHelp(arg) || arg == "--version") return true;
  }
  return false;
}

std::string WindowUsage() {
  return "Usage: dialectic [FILE]\n"
         "Opens the window of dialectic, the dialectical proof search over argumentation\n"
         "theories; with FILE, opens that theory file in it (.txt the line syntax, .i23 or .af,\n"
         ".apx, .tgf).\n"
         "\n"
         "  --version          print the version\n"
         "  --help             print this text\n"
         "\n"
         "The window needs a display. Without one, run it as \"xvfb-run dialectic\", or use\n"
         "dialectic-cli, which prints the same results.\n";
}

std::string WindowVersionLine() { return "dialectic " + std::string(kVersion) + "\n"; }

std::string NoDisplayAdvice() {
  return "dialectic: cannot open the window: no display was found.\n"
         "Run it on a desktop, or without a display as \"xvfb-run dialectic\"; dialectic-cli\n"
         "prints the same results without a window (see dialectic --help).\n";
}

}  // namespace dialectic
