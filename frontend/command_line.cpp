#include "frontend/command_line.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <iterator>
#include <optional>
#include <string_view>

#include "frontend/example_library.h"
#include "frontend/form.h"
#include "frontend/run.h"
#include "frontend/text_file.h"

namespace dialectic {

namespace {

constexpr std::string_view kUsage =
    "Usage: dialectic-cli [--depth TEXT] [--no-trace] [--area NAME]...\n"
    "                     [--example CAPTION | --list-examples] [FILE]\n"
    "\n"
    "Reads a theory from FILE (or standard input when FILE is absent or \"-\"), performs the\n"
    "whole run of \"Do your thing\" and prints the chosen text areas.\n"
    "\n"
    "  --depth TEXT       the depth, read as the depth box reads it (invalid text keeps 100)\n"
    "  --no-trace         leave the stage-by-stage trace out\n"
    "  --area NAME        print only this area: rephrased, trace, options or extensions\n"
    "                     (repeatable; default all four, always in that order)\n"
    "  --example CAPTION  take the input from the example with this caption\n"
    "  --list-examples    print the captions of the example library and nothing else\n"
    "  --help             print this text\n"
    "\n"
    "The example library is examples.txt in the current directory when it exists, else the\n"
    "built-in one; the command line never writes that file.\n";

struct AreaChoice {
  std::string_view name;
  TextArea TForm1::*area;
};

constexpr std::array<AreaChoice, 4> kAreas = {{
    {"rephrased", &TForm1::Memo2},
    {"trace", &TForm1::Memo3},
    {"options", &TForm1::Memo4},
    {"extensions", &TForm1::Memo5},
}};

struct Options {
  bool help = false;
  std::optional<std::string> depth_text;
  bool trace = true;
  std::array<bool, kAreas.size()> areas{};
  bool any_area = false;
  std::optional<std::string> example;
  bool list_examples = false;
  std::optional<std::string> file;
};

struct UsageError {
  std::string message;
};

// The value of an option given as "--name VALUE" or "--name=VALUE"; nothing when arg is not it.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, std::size_t& i,
                                       std::string_view name) {
  const std::string& arg = args[i];
  if (arg == name) {
    if (i + 1 >= args.size()) throw UsageError{"option " + arg + " needs a value"};
    return args[++i];
  }
  if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
    return arg.substr(name.size() + 1);
  }
  return std::nullopt;
}

void SelectArea(Options& options, const std::string& name) {
  for (std::size_t a = 0; a < kAreas.size(); ++a) {
    if (kAreas[a].name == name) {
      options.areas[a] = true;
      options.any_area = true;
      return;
    }
  }
  throw UsageError{"unknown area \"" + name + "\" (rephrased, trace, options or extensions)"};
}

void SetFile(Options& options, const std::string& file) {
  if (options.file) throw UsageError{"more than one input file"};
  options.file = file;
}

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--no-trace") {
      options.trace = false;
    } else if (arg == "--list-examples") {
      options.list_examples = true;
    } else if (auto depth = OptionValue(args, i, "--depth")) {
      options.depth_text = *depth;
    } else if (auto area = OptionValue(args, i, "--area")) {
      SelectArea(options, *area);
    } else if (auto example = OptionValue(args, i, "--example")) {
      options.example = *example;
    } else if (arg == "--") {
      for (++i; i < args.size(); ++i) SetFile(options, args[i]);
    } else if (arg.size() > 1 && arg.front() == '-') {
      throw UsageError{"unknown option " + arg};
    } else {
      SetFile(options, arg);
    }
  }
  if (!options.list_examples && options.example && options.file) {
    throw UsageError{"--example and an input file exclude each other"};
  }
  if (!options.any_area) options.areas.fill(true);
  return options;
}

void PrintAreas(const TForm1& form, const Options& options, std::ostream& out) {
  for (std::size_t a = 0; a < kAreas.size(); ++a) {
    if (!options.areas[a]) continue;
    out << '[' << kAreas[a].name << "]\n";
    for (std::string_view line : form.*kAreas[a].area) out << line << '\n';
  }
}

int RunOnForm(TForm1& form, const Options& options, std::istream& in, std::ostream& out,
              std::ostream& err, RunContext& context) {
  if (options.depth_text) form.Edit1 = *options.depth_text;
  form.ShowTrace = options.trace;
  if (options.list_examples || options.example) LoadExamples(form);
  if (options.list_examples) {
    for (const std::string& caption : form.RadioItems) out << caption << '\n';
    return kExitOk;
  }
  if (options.example) {
    const StringList& items = form.RadioItems;
    const auto found = std::find(items.begin(), items.end(), *options.example);
    if (found == items.end()) {
      err << "dialectic-cli: no example has the caption \"" << *options.example << "\"\n";
      return kExitUsage;
    }
    form.Memo1.Clear();
    form.Memo1.AddStrings(ExampleLines(form.Examples, *found));
  } else {
    const bool from_stdin = !options.file || *options.file == "-";
    form.Memo1.SetText(from_stdin ? std::string(std::istreambuf_iterator<char>(in), {})
                                  : ReadWholeFile(*options.file));
  }
  // A stopped run still shows what it computed, with the stopped line where it ended.
  const bool completed = Run(form, context);
  PrintAreas(form, options, out);
  out.flush();
  return completed ? kExitOk : kExitStopped;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, const std::filesystem::path& examples_path) {
  RunContext context;
  return RunCommandLine(args, in, out, err, context, examples_path);
}

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, RunContext& context,
                   const std::filesystem::path& examples_path) {
  Options options;
  try {
    options = ParseOptions(args);
  } catch (const UsageError& error) {
    err << "dialectic-cli: " << error.message << " (see --help)\n";
    return kExitUsage;
  }
  if (options.help) {
    out << kUsage;
    return kExitOk;
  }
  TForm1 form;
  form.Edit1 = "100";
  form.ExamplesPath = examples_path;
  form.WriteMissingExamples = false;
  try {
    return RunOnForm(form, options, in, out, err, context);
  } catch (const FileError& error) {
    err << "dialectic-cli: " << error.what() << '\n';
    return kExitFileError;
  }
}

}  // namespace dialectic
