#include "app/cli/command_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string_view>

#include "app/cli/option_reader.h"
#include "check/run_check.h"
#include "formats/formats.h"
#include "formats/generators.h"
#include "frontend/example_library.h"
#include "frontend/form.h"
#include "frontend/run.h"
#include "frontend/run_json.h"
#include "frontend/text_file.h"
#include "frontend/theory_file.h"
#include "frontend/version.h"
#include "graph/theory_dot.h"
#include "model/theory_text.h"

namespace dialectic {

namespace {

constexpr std::string_view kUsage =
    "Usage: dialectic-cli [--depth TEXT] [--no-trace] [--area NAME]... [--json] [--from FORMAT]\n"
    "                     [--to FORMAT] [--example CAPTION | --list-examples] [FILE]\n"
    "       dialectic-cli --generate KIND:N[:PARAM...][:seed=S] [--to FORMAT]\n"
    "\n"
    "Reads a theory from FILE (or standard input when FILE is absent or \"-\"), performs the\n"
    "whole run of \"Do your thing\" and prints the chosen text areas.\n"
    "\n"
    "  --depth TEXT       the depth, read as the depth box reads it (invalid text keeps 100)\n"
    "  --no-trace         leave the stage-by-stage trace out\n"
    "  --area NAME        print only this area: rephrased, trace, options, extensions or check\n"
    "                     (repeatable; default the first four, always in that order); check\n"
    "                     compares the listing with the exact semantics\n"
    "  --json             print the run as one JSON document instead of the areas: the\n"
    "                     theory, the grounded labeling, every option with its stage, the\n"
    "                     listed preferred extensions, the limits reached, the times, and the\n"
    "                     check when --area check is given\n"
    "  --from FORMAT      read FILE as text (the input syntax), i23, apx or tgf; the default\n"
    "                     comes from the file's ending (.i23 .af .apx .tgf), else text\n"
    "  --to FORMAT        write the theory as text, i23, apx or tgf, or as a Graphviz graph\n"
    "                     coloured by the grounded labeling (dot), and do not run\n"
    "  --memory-budget MB refuse a theory whose run would take more memory than this many\n"
    "                     megabytes (default 1024); the estimate counts its arguments and\n"
    "                     attacks before the run starts\n"
    "  --example CAPTION  take the input from the example with this caption\n"
    "  --list-examples    print the captions of the example library and nothing else\n"
    "  --generate RECIPE  write a generated framework in the --to format (default text) and\n"
    "                     do not run; RECIPE is KIND:N[:PARAM...][:seed=S] (seed default 1),\n"
    "                     N the number of arguments (of cycles for the cycles), KIND one of\n"
    "                       er           PARAM the attack probability (default 0.1)\n"
    "                       ba           attacks per new argument (1)\n"
    "                       ws           neighbours (4), rewiring probability (0.1)\n"
    "                       grid         probability of a mutual attack (0.1)\n"
    "                       even-cycles  cycle length (2)\n"
    "                       odd-cycles   cycle length (3)\n"
    "                       chain\n"
    "                       tree         branching (2)\n"
    "                     for example --generate er:50:0.1:seed=3 --to i23\n"
    "  --version          print the version\n"
    "  --help             print this text\n"
    "\n"
    "The example library is examples.txt in the current directory when it exists, else the\n"
    "built-in one; the command line never writes that file.\n"
    "\n"
    "The input must be a regular file or standard input of at most 64 MB without NUL bytes; a\n"
    "UTF-8 byte-order mark at its start is skipped. Exit status: 0 done, 1 the input could not\n"
    "be read or was refused, or standard output could not be written, or memory ran out; 2 bad\n"
    "usage; 130 stopped by Ctrl+C after printing what was computed.\n";

// The area that follows the four of the form when asked for.
constexpr std::string_view kCheckArea = "check";

constexpr const auto& kAreas = kResultAreaNames;
// The trace's place among them.
constexpr std::size_t kTraceArea = 1;

struct CommandOptions {
  bool help = false;
  bool json = false;
  bool version = false;
  std::optional<std::string> depth_text;
  bool trace = true;
  std::array<bool, kAreas.size()> areas{};
  bool check_area = false;
  bool any_area = false;
  std::optional<Format> from;
  // The format to write the theory in; none with to_dot, which writes the graph instead.
  std::optional<Format> to;
  bool to_dot = false;
  std::optional<std::string> example;
  std::optional<GeneratorRecipe> generate;
  bool list_examples = false;
  std::optional<std::string> file;
  std::uint64_t memory_budget = kDefaultRunBudgetBytes;
};

void SelectArea(CommandOptions& options, const std::string& name) {
  options.any_area = true;
  if (name == kCheckArea) {
    options.check_area = true;
    return;
  }
  for (std::size_t a = 0; a < kAreas.size(); ++a) {
    if (kAreas[a].name == name) {
      options.areas[a] = true;
      return;
    }
  }
  throw UsageError{"unknown area \"" + name +
                   "\" (rephrased, trace, options, extensions or check)"};
}

// The --to value that writes the attack graph in Graphviz's language.
constexpr std::string_view kDotFormat = "dot";

// The format of the name; known_names lists the names that the option takes, for the message.
Format FormatOption(const std::string& name, std::string_view known_names) {
  const std::optional<Format> format = FormatNamed(name);
  if (!format) {
    throw UsageError{"unknown format \"" + name + "\" (" + std::string(known_names) + ")"};
  }
  return *format;
}

// The bytes of a --memory-budget value, a whole number of megabytes from 1 up.
std::uint64_t MegabytesOption(const std::string& text) {
  std::uint64_t megabytes = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), megabytes);
  constexpr std::uint64_t kMostMegabytes = std::uint64_t{1} << 40;
  if (error != std::errc() || end != text.data() + text.size() || megabytes == 0 ||
      megabytes > kMostMegabytes) {
    throw UsageError{"the memory budget \"" + text + "\" is not a number of megabytes"};
  }
  return megabytes << 20;
}

void SetFile(CommandOptions& options, const std::string& file) {
  if (options.file) throw UsageError{"more than one input file"};
  options.file = file;
}

CommandOptions ParseCommandOptions(const std::vector<std::string>& args) {
  CommandOptions options;
  for (OptionReader reader(args); !reader.Done();) {
    if (reader.Flag({"--help", "-h"})) {
      options.help = true;
    } else if (reader.Flag({"--no-trace"})) {
      options.trace = false;
    } else if (reader.Flag({"--json"})) {
      options.json = true;
    } else if (reader.Flag({"--list-examples"})) {
      options.list_examples = true;
    } else if (reader.Flag({"--version"})) {
      options.version = true;
    } else if (auto depth = reader.Value("--depth")) {
      options.depth_text = *depth;
    } else if (auto area = reader.Value("--area")) {
      SelectArea(options, *area);
    } else if (auto from = reader.Value("--from")) {
      options.from = FormatOption(*from, "text, i23, apx or tgf");
    } else if (auto to = reader.Value("--to")) {
      options.to_dot = *to == kDotFormat;
      options.to = options.to_dot ? std::nullopt
                                  : std::optional(FormatOption(*to, "text, i23, apx, tgf or dot"));
    } else if (auto budget = reader.Value("--memory-budget")) {
      options.memory_budget = MegabytesOption(*budget);
    } else if (auto example = reader.Value("--example")) {
      options.example = *example;
    } else if (auto recipe = reader.Value("--generate")) {
      GeneratorRecipeResult parsed = ParseGeneratorRecipe(*recipe);
      if (!parsed.recipe) throw UsageError{"--generate: " + parsed.error};
      options.generate = std::move(parsed.recipe);
    } else if (reader.Flag({"--"})) {
      while (!reader.Done()) SetFile(options, reader.TakeWord());
    } else if (reader.IsOptionLike()) {
      throw UsageError{"unknown option " + reader.Word()};
    } else {
      SetFile(options, reader.TakeWord());
    }
  }
  if (!options.list_examples && options.example && options.file) {
    throw UsageError{"--example and an input file exclude each other"};
  }
  if (options.example && options.from) {
    throw UsageError{"--from reads an input file, not an example"};
  }
  if (options.generate && (options.file || options.example || options.from)) {
    throw UsageError{"--generate makes the input: no input file, --example or --from with it"};
  }
  if (!options.any_area) options.areas.fill(true);
  return options;
}

void PrintAreas(const TForm1& form, const CommandOptions& options, std::ostream& out) {
  // The lines go out in pieces of about 64 kB: a trace has millions of short lines, and a write
  // to the stream for each costs more than gathering them.
  constexpr std::size_t kPieceSize = std::size_t{1} << 16;
  std::string piece;
  piece.reserve(kPieceSize);
  const auto write_piece = [&] {
    out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    piece.clear();
  };
  for (std::size_t a = 0; a < kAreas.size(); ++a) {
    if (!options.areas[a]) continue;
    piece += '[';
    piece += kAreas[a].name;
    piece += "]\n";
    const ResultAreas& areas = form;
    for (std::string_view line : areas.*kAreas[a].area) {
      piece += line;
      piece += '\n';
      if (piece.size() < kPieceSize) continue;
      write_piece();
      // Once standard output fails, the rest of a trace of any length is not formatted for it.
      if (!out) return;
    }
  }
  write_piece();
}

void PrintCheck(const CheckReport& report, std::ostream& out) {
  out << '[' << kCheckArea << "]\n";
  for (const std::string& line : ReportLines(report)) out << line << '\n';
}

// A framework file that cannot be read or written; the message is the reader's or the writer's.
struct FormatError {
  std::string message;
};

// The input's lines in the line syntax: a line-syntax file as it stands, every other format read
// strictly and rendered in the line syntax. The input is bounded: a regular file or standard input
// of at most 64 MB without NUL bytes, whose theory fits the budget.
std::string InputText(const CommandOptions& options, std::istream& in, std::uint64_t budget,
                      const RunContext& context) {
  const bool from_stdin = !options.file || *options.file == "-";
  const std::string bytes =
      from_stdin ? ReadBoundedStream(in, "standard input", kMaxTheoryFileBytes, &context)
                 : ReadRegularFile(*options.file, kMaxTheoryFileBytes, &context);
  const Format format =
      FormatOfFile(from_stdin ? std::string_view() : *options.file, options.from, Format::kText);
  TheoryText theory =
      TheoryTextOf(bytes, format, from_stdin ? "<stdin>" : *options.file, budget, &context);
  if (!theory.ok()) throw FormatError{theory.error};
  return std::move(theory.text);
}

// Writes the theory of the input in the format, without running.
void WriteTheory(const TextArea& input, Format format, std::ostream& out) {
  TTheory theory;
  ParseInput(input, theory);
  const WriteResult written = WriteFramework(FrameworkOfTheory(theory), format);
  if (!written.ok()) throw FormatError{written.error};
  out << written.text;
}

// Writes the theory's attack graph as DOT, coloured by its grounded labeling, without running.
void WriteTheoryDot(const TextArea& input, std::ostream& out) {
  TTheory theory;
  ParseInput(input, theory);
  out << TheoryDot(theory);
}

// Writes the generated framework in the --to format, the line syntax by default, without running.
void WriteGenerated(TForm1& form, const CommandOptions& options, std::ostream& out) {
  const Framework framework = GenerateFramework(*options.generate);
  const WriteResult written = WriteFramework(
      framework, options.to_dot ? Format::kText : options.to.value_or(Format::kText));
  if (!written.ok()) throw FormatError{written.error};
  if (!options.to_dot) {
    out << written.text;
    return;
  }
  form.Memo1.SetText(written.text);
  WriteTheoryDot(form.Memo1, out);
}

int RunOnForm(TForm1& form, const CommandOptions& options, std::istream& in, std::ostream& out,
              std::ostream& err, RunContext& context) {
  if (options.depth_text) form.Edit1 = *options.depth_text;
  form.ShowTrace = options.trace;
  if (options.generate) {
    WriteGenerated(form, options, out);
    return kExitOk;
  }
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
    // Writing the theory in a format runs nothing, so only a run is held to the budget.
    const bool runs = !options.to_dot && !options.to;
    form.Memo1.SetText(
        InputText(options, in, runs ? options.memory_budget : kNoRunBudget, context));
  }
  if (options.to_dot) {
    WriteTheoryDot(form.Memo1, out);
    return kExitOk;
  }
  if (options.to) {
    WriteTheory(form.Memo1, *options.to, out);
    return kExitOk;
  }
  // A stopped run still shows what it computed, with the stopped line where it ended.
  ApplyDepth(form);
  // A trace that is not printed is not written either: it can be hundreds of megabytes.
  const RunSettings settings{form.Depth, form.ShowTrace,
                             options.areas[kTraceArea] && !options.json};
  const bool completed = RunTheory(form.Memo1, settings, form.Theory, form, context, form.Outcome);
  if (options.json) {
    std::optional<CheckReport> check;
    if (options.check_area) check = CheckRun(form.Theory, form.Outcome, context);
    WriteRunJson({settings, form.Theory, form.Outcome, form, completed, check ? &*check : nullptr},
                 out);
  } else {
    PrintAreas(form, options, out);
    if (options.check_area) PrintCheck(CheckRun(form.Theory, form.Outcome, context), out);
  }
  return completed && !context.StopRequested() ? kExitOk : kExitStopped;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, const std::filesystem::path& examples_path) {
  RunContext context;
  return RunCommandLine(args, in, out, err, context, examples_path);
}

namespace {

int RunCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err, RunContext& context, const std::filesystem::path& examples_path) {
  CommandOptions options;
  try {
    options = ParseCommandOptions(args);
  } catch (const UsageError& error) {
    err << "dialectic-cli: " << error.message << " (see --help)\n";
    return kExitUsage;
  }
  if (options.help) {
    out << kUsage;
    return kExitOk;
  }
  if (options.version) {
    out << "dialectic-cli " << kVersion << '\n';
    return kExitOk;
  }
  TForm1 form;
  form.Edit1 = "100";
  form.ExamplesPath = examples_path;
  form.WriteMissingExamples = false;
  try {
    return RunOnForm(form, options, in, out, err, context);
  } catch (const FileError& error) {
    // A read cut short by Ctrl+C is a stop, not a fault of the file.
    if (context.StopRequested()) return kExitStopped;
    err << "dialectic-cli: " << error.what() << '\n';
    return kExitFileError;
  } catch (const FormatError& error) {
    if (context.StopRequested()) return kExitStopped;
    // The reader's message names the file, line and column already.
    err << error.message << '\n';
    return kExitFileError;
  }
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, RunContext& context,
                   const std::filesystem::path& examples_path) {
  const int code = RunCommand(args, in, out, err, context, examples_path);
  return OutputWritten(out, err, "dialectic-cli") ? code : kExitFileError;
}

}  // namespace dialectic
