#include "app/cli/solver_command.h"

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <string_view>
#include <utility>

#include "app/cli/command_line.h"
#include "app/cli/option_reader.h"
#include "exact/exact_engine.h"
#include "exact/explanation.h"
#include "formats/formats.h"
#include "frontend/explanation_json.h"
#include "frontend/explanation_text.h"
#include "frontend/text_file.h"
#include "frontend/version.h"

namespace dialectic {

namespace {

using exact::Semantics;

// The five questions a task asks of a semantics.
enum class Question { kCredulous, kSceptical, kSomeExtension, kEveryExtension, kCount };

struct Task {
  Question question;
  Semantics semantics;
};

constexpr std::array<std::pair<Question, std::string_view>, 5> kQuestionNames = {{
    {Question::kCredulous, "DC"},
    {Question::kSceptical, "DS"},
    {Question::kSomeExtension, "SE"},
    {Question::kEveryExtension, "EE"},
    {Question::kCount, "CE"},
}};

// Every semantics is asked every question, but the grounded one, which has exactly one extension,
// is not asked for sceptical acceptance (the same question as credulous acceptance there).
// Sceptical acceptance under admissible semantics is asked, though its answer is always no with
// the empty set as counter-example.
constexpr std::array<Semantics, 9> kTaskSemantics = {
    Semantics::kComplete,   Semantics::kPreferred,  Semantics::kStable,
    Semantics::kSemiStable, Semantics::kStage,      Semantics::kIdeal,
    Semantics::kGrounded,   Semantics::kAdmissible, Semantics::kNaive,
};

constexpr std::string_view kUsageLine =
    "usage: dialectic-solve -p TASK -f FILE [-fo i23|apx|tgf] [-a ARGUMENT] [--explain] [--json] "
    "| --formats | --problems\n";

constexpr std::string_view kHelp =
    "\n"
    "Answers one question about the framework in FILE and prints the answer alone:\n"
    "  DC-s  YES and a w line of an s-extension with ARGUMENT, or NO\n"
    "  DS-s  YES, or NO and a w line of an s-extension without ARGUMENT\n"
    "  SE-s  a w line of an s-extension, or NO when there is none\n"
    "  EE-s  a w line for every s-extension\n"
    "  CE-s  the number of s-extensions\n"
    "where s is CO, PR, ST, SST, STG, ID, GR, ADM (admissible) or NA (naive); see --problems.\n"
    "A w line names the arguments by number for i23 and by name for APX and TGF; ARGUMENT is\n"
    "named the same way.\n"
    "The format comes from -fo or from the file name (.i23 or .af, .apx, .tgf); a file with\n"
    "any other name is read as i23, the competition's format. FILE must be a regular file\n"
    "without NUL bytes; a UTF-8 byte-order mark at its start is skipped.\n"
    "Exit status: 0 an answer, 1 an unreadable file, a standard output that cannot be written\n"
    "or no memory left, 2 bad usage, 130 stopped by SIGINT, 143 stopped by SIGTERM; a stopped\n"
    "task prints only complete lines.\n"
    "  --explain   after a DC or DS answer, say why: a proof, a witness, a strategy or a\n"
    "              counter-example\n"
    "  --json      print the task, the answer and its certificate (and with --explain the\n"
    "              explanation) as one JSON object instead\n"
    "  --formats   print the formats read\n"
    "  --problems  print the tasks answered\n"
    "  --version   print the version\n";

std::string TaskName(const Task& task) {
  std::string name;
  for (const auto& [question, question_name] : kQuestionNames) {
    if (question == task.question) name = question_name;
  }
  return name + '-' + std::string(exact::SemanticsName(task.semantics));
}

std::vector<Task> AllTasks() {
  std::vector<Task> tasks;
  for (const Semantics semantics : kTaskSemantics) {
    for (const auto& [question, question_name] : kQuestionNames) {
      if (semantics == Semantics::kGrounded && question == Question::kSceptical) continue;
      tasks.push_back({question, semantics});
    }
  }
  return tasks;
}

std::optional<Task> TaskNamed(std::string_view name) {
  for (const Task& task : AllTasks()) {
    if (TaskName(task) == name) return task;
  }
  return std::nullopt;
}

bool AsksAboutAnArgument(const Task& task) {
  return task.question == Question::kCredulous || task.question == Question::kSceptical;
}

struct Options {
  bool help = false;
  bool version = false;
  bool list_formats = false;
  bool list_problems = false;
  bool explain = false;
  bool json = false;
  std::optional<std::string> task;
  std::optional<std::string> file;
  std::optional<std::string> format;
  std::optional<std::string> argument;
};

Options ParseSolverOptions(const std::vector<std::string>& args) {
  Options options;
  for (OptionReader reader(args); !reader.Done();) {
    if (reader.Flag({"--help", "-h"})) {
      options.help = true;
    } else if (reader.Flag({"--version"})) {
      options.version = true;
    } else if (reader.Flag({"--formats"})) {
      options.list_formats = true;
    } else if (reader.Flag({"--problems"})) {
      options.list_problems = true;
    } else if (reader.Flag({"--explain"})) {
      options.explain = true;
    } else if (reader.Flag({"--json"})) {
      options.json = true;
    } else if (auto task = reader.OnceValue("-p", options.task)) {
      options.task = task;
    } else if (auto file = reader.OnceValue("-f", options.file)) {
      options.file = file;
    } else if (auto format = reader.OnceValue("-fo", options.format)) {
      options.format = format;
    } else if (auto argument = reader.OnceValue("-a", options.argument)) {
      options.argument = argument;
    } else if (reader.IsOptionLike()) {
      throw UsageError{"unknown option " + reader.Word()};
    } else {
      throw UsageError{"unexpected word \"" + reader.Word() + "\" (the input file follows -f)"};
    }
  }
  return options;
}

// The task, checked against the options that it needs and those it does not take.
Task CheckedTask(const Options& options) {
  if (!options.task) throw UsageError{"no task given (-p)"};
  const std::optional<Task> task = TaskNamed(*options.task);
  if (!task) throw UsageError{"unknown task \"" + *options.task + "\" (see --problems)"};
  if (!options.file) throw UsageError{"no input file given (-f)"};
  if (AsksAboutAnArgument(*task) && !options.argument) {
    throw UsageError{"task " + *options.task + " needs an argument (-a)"};
  }
  if (!AsksAboutAnArgument(*task) && options.argument) {
    throw UsageError{"task " + *options.task + " takes no argument (-a)"};
  }
  if (!AsksAboutAnArgument(*task) && options.explain) {
    throw UsageError{"task " + *options.task +
                     " has nothing to explain (--explain is for DC and DS)"};
  }
  return *task;
}

// The format that -fo names, else the one the file name gives, else i23: the competition calls its
// solvers with -p and -f alone, on files in its own format whatever their names. The program's own
// line syntax is never taken here: it reads any text, so a file in another format would be misread
// rather than refused.
Format CheckedFormat(const Options& options) {
  std::optional<Format> named;
  if (options.format) {
    named = FormatNamed(*options.format);
    if (!named || std::find(kExchangeFormats.begin(), kExchangeFormats.end(), *named) ==
                      kExchangeFormats.end()) {
      throw UsageError{"unknown file format \"" + *options.format + "\" (i23, apx or tgf)"};
    }
  }
  return FormatOfFile(*options.file, named, Format::kI23);
}

// The index of the argument of that name; i23 arguments are named by their numbers.
int ArgumentIndex(const Framework& framework, const std::string& name, const std::string& file) {
  const auto found = std::find(framework.Names().begin(), framework.Names().end(), name);
  if (found == framework.Names().end()) {
    throw UsageError{"no argument " + name + " in " + file};
  }
  return static_cast<int>(found - framework.Names().begin());
}

exact::AcceptanceQuestion QuestionOf(const Task& task) {
  return task.question == Question::kCredulous ? exact::AcceptanceQuestion::kCredulous
                                               : exact::AcceptanceQuestion::kSceptical;
}

exact::AcceptanceAnswer AcceptanceOf(const Task& task, const ArgumentGraph& graph, int argument,
                                     RunContext& context) {
  return task.question == Question::kCredulous
             ? exact::IsCredulouslyAccepted(graph, task.semantics, argument, context)
             : exact::IsScepticallyAccepted(graph, task.semantics, argument, context);
}

void PrintExtension(const exact::Extension& extension, const Framework& framework,
                    std::ostream& out) {
  out << 'w';
  for (const int a : extension) out << ' ' << framework.Names()[a];
  out << '\n';
}

// Asks the engine about the argument and prints its answer as one JSON object, with its
// explanation when asked; the exit code.
int AnswerAsJson(const Task& task, const Framework& framework, int argument, bool explain,
                 std::ostream& out, RunContext& context) {
  const ArgumentGraph& graph = framework.Graph();
  const exact::AcceptanceAnswer answer = AcceptanceOf(task, graph, argument, context);
  if (answer.outcome == exact::Outcome::kStopped) return kExitStopped;
  nlohmann::ordered_json object = {
      {"task", TaskName(task)},
      {"argument", JsonName(framework.Names()[argument])},
      {"answer", answer.accepted ? "YES" : "NO"},
      {"certificate", answer.certificate ? JsonNames(*answer.certificate, framework.Names())
                                         : nlohmann::ordered_json(nullptr)}};
  if (explain) {
    const exact::ExplanationAnswer why =
        exact::Explain(graph, task.semantics, QuestionOf(task), argument, answer, context);
    if (why.outcome == exact::Outcome::kStopped) return kExitStopped;
    object["explanation"] = ExplanationJson(why.explanation, framework.Names());
  }
  out << object.dump(2) << '\n';
  out.flush();
  return kExitOk;
}

// The answers of the tasks without an argument as one JSON object; the exit code.
int AnswerTaskAsJson(const Task& task, const Framework& framework, std::ostream& out,
                     RunContext& context) {
  const ArgumentGraph& graph = framework.Graph();
  nlohmann::ordered_json object = {{"task", TaskName(task)}};
  exact::Outcome outcome = exact::Outcome::kFinished;
  if (task.question == Question::kSomeExtension) {
    const exact::ExtensionAnswer answer = exact::FindExtension(graph, task.semantics, context);
    outcome = answer.outcome;
    object["answer"] = answer.extension ? "YES" : "NO";
    object["certificate"] = answer.extension ? JsonNames(*answer.extension, framework.Names())
                                             : nlohmann::ordered_json(nullptr);
  } else {
    nlohmann::ordered_json extensions = nlohmann::ordered_json::array();
    const exact::CountAnswer answer =
        task.question == Question::kCount
            ? exact::CountExtensions(graph, task.semantics, context)
            : exact::EnumerateExtensions(
                  graph, task.semantics, context, [&](const exact::Extension& extension) {
                    extensions.push_back(JsonNames(extension, framework.Names()));
                  });
    outcome = answer.outcome;
    if (task.question == Question::kEveryExtension) object["extensions"] = std::move(extensions);
    // Past 64 bits a count is a string of its decimal digits, which no JSON reader rounds.
    object["count"] = answer.count.FitsIn64Bits()
                          ? nlohmann::ordered_json(answer.count.Low64Bits())
                          : nlohmann::ordered_json(answer.count.ToDecimal());
  }
  if (outcome == exact::Outcome::kStopped) return kExitStopped;
  out << object.dump(2) << '\n';
  out.flush();
  return kExitOk;
}

// Asks the engine and prints its answer, and after it the explanation when asked; the exit code.
int Answer(const Task& task, const Framework& framework, std::optional<int> argument, bool explain,
           std::ostream& out, RunContext& context) {
  const ArgumentGraph& graph = framework.Graph();
  exact::Outcome outcome = exact::Outcome::kFinished;
  switch (task.question) {
    case Question::kCredulous:
    case Question::kSceptical: {
      const exact::AcceptanceAnswer answer = AcceptanceOf(task, graph, *argument, context);
      outcome = answer.outcome;
      if (outcome == exact::Outcome::kStopped) break;
      out << (answer.accepted ? "YES\n" : "NO\n");
      if (answer.certificate) PrintExtension(*answer.certificate, framework, out);
      if (!explain) break;
      const exact::ExplanationAnswer why =
          exact::Explain(graph, task.semantics, QuestionOf(task), *argument, answer, context);
      outcome = why.outcome;
      if (outcome == exact::Outcome::kStopped) break;
      out << ExplanationText(why.explanation, task.semantics, *argument, framework.Names());
      break;
    }
    case Question::kSomeExtension: {
      const exact::ExtensionAnswer answer = exact::FindExtension(graph, task.semantics, context);
      outcome = answer.outcome;
      if (outcome == exact::Outcome::kStopped) break;
      if (answer.extension) {
        PrintExtension(*answer.extension, framework, out);
      } else {
        out << "NO\n";
      }
      break;
    }
    case Question::kEveryExtension:
      outcome = exact::EnumerateExtensions(graph, task.semantics, context,
                                           [&](const exact::Extension& extension) {
                                             PrintExtension(extension, framework, out);
                                             // Output that cannot be written ends the search.
                                             if (!out) context.RequestStop();
                                           })
                    .outcome;
      break;
    case Question::kCount: {
      const exact::CountAnswer answer = exact::CountExtensions(graph, task.semantics, context);
      outcome = answer.outcome;
      if (outcome == exact::Outcome::kFinished) out << answer.count.ToDecimal() << '\n';
      break;
    }
  }
  // The caller flushes the output and checks it.
  return outcome == exact::Outcome::kFinished ? kExitOk : kExitStopped;
}

int Solve(const Options& options, std::ostream& out, std::ostream& err, RunContext& context) {
  const Task task = CheckedTask(options);
  const Format format = CheckedFormat(options);
  const std::string& file = *options.file;
  std::string text;
  try {
    // Competition files can be large: any regular file is read, as far as memory allows.
    text = ReadRegularFile(file, kNoSizeLimit, &context);
    RequireText(text, "\"" + file + "\"");
  } catch (const FileError& error) {
    if (context.StopRequested()) return kExitStopped;
    err << "dialectic-solve: " << error.what() << '\n';
    return kExitFileError;
  }
  const ReadResult read = ReadFramework(text, format, file, &context);
  if (context.StopRequested()) return kExitStopped;
  if (!read.ok()) {
    err << read.error << '\n';
    return kExitFileError;
  }
  std::optional<int> argument;
  if (options.argument) argument = ArgumentIndex(read.framework, *options.argument, file);
  if (options.json && argument) {
    return AnswerAsJson(task, read.framework, *argument, options.explain, out, context);
  }
  if (options.json) return AnswerTaskAsJson(task, read.framework, out, context);
  return Answer(task, read.framework, argument, options.explain, out, context);
}

}  // namespace

std::vector<std::string> SolverTaskNames() {
  std::vector<std::string> names;
  for (const Task& task : AllTasks()) names.push_back(TaskName(task));
  return names;
}

namespace {

int RunSolver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              RunContext& context) {
  try {
    const Options options = ParseSolverOptions(args);
    if (options.help) {
      out << kUsageLine << kHelp;
      return kExitOk;
    }
    if (options.version) {
      out << "dialectic-solve " << kVersion << '\n';
      return kExitOk;
    }
    if (options.list_formats || options.list_problems) {
      if (options.list_formats) out << FormatListing(kExchangeFormats) << '\n';
      if (options.list_problems) {
        std::string listing;
        for (const std::string& name : SolverTaskNames()) {
          listing += (listing.empty() ? "[" : ",") + name;
        }
        out << listing << "]\n";
      }
      return kExitOk;
    }
    return Solve(options, out, err, context);
  } catch (const UsageError& error) {
    err << "dialectic-solve: " << error.message << '\n' << kUsageLine;
    return kExitUsage;
  }
}

}  // namespace

int RunSolverCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     RunContext& context) {
  const int code = RunSolver(args, out, err, context);
  return OutputWritten(out, err, "dialectic-solve") ? code : kExitFileError;
}

}  // namespace dialectic
