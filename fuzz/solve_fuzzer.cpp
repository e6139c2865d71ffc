// dialectic-solve on arbitrary i23 text. The first byte chooses the task (any of --problems), the
// second the argument a DC or DS task asks about; the rest is the file. Properties: a file the
// reader refuses gives exit code 1 and the reader's message; otherwise every certificate the
// command prints (the w line of DC, DS and SE, every line of EE) meets the semantics' definition,
// checked on the set itself, and a DC witness holds the argument while a DS counter-example lacks
// it. On frameworks of at most 12 arguments every answer is compared with the brute-force
// reference: YES or NO, each extension printed, and the count.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/solver_command.h"
#include "exact/exact_engine.h"
#include "formats/formats.h"
#include "fuzz/extension_definitions.h"
#include "fuzz/fuzz_support.h"
#include "model/run_context.h"
#include "tests/oracle/exact_reference.h"

namespace dialectic::fuzz {
namespace {

// The reference enumerates every subset; 2^12 is a few milliseconds.
constexpr int kMaxReferenceArguments = 12;
// EE and CE enumerate extensions, which may be exponentially many; only small graphs ask them.
constexpr int kMaxEnumerationArguments = 24;

// The arguments of a "w" line: i23 numbers, each of an argument of the framework, each once.
Membership ParseWitness(std::string_view line, int count) {
  Require(line == "w" || line.starts_with("w "), "a certificate is a w line", line);
  Membership set(static_cast<std::size_t>(count), false);
  std::istringstream words{std::string(line.substr(1))};
  for (long number = 0; words >> number;) {
    Require(number >= 1 && number <= count, "a w line names arguments of the framework", line);
    Require(!set[static_cast<std::size_t>(number - 1)], "a w line names each argument once", line);
    set[static_cast<std::size_t>(number - 1)] = true;
  }
  Require(words.eof(), "a w line holds only numbers", line);
  return set;
}

exact::Mask MaskOf(const Membership& set) {
  exact::Mask mask = 0;
  for (std::size_t a = 0; a < set.size(); ++a) mask |= set[a] ? exact::Mask{1} << a : 0;
  return mask;
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

struct Check {
  std::string task;
  exact::Semantics semantics;
  const ArgumentGraph& graph;
  int argument;  // index of the argument a DC or DS task asks about
  std::optional<exact::ReferenceSemantics> reference;

  const std::vector<exact::Mask>* Extensions() const {
    return reference ? &reference->Extensions(semantics) : nullptr;
  }

  void Certificate(const std::string& line) const {
    const Membership set = ParseWitness(line, graph.Size());
    Require(MeetsDefinition(graph, semantics, set), "a certificate meets the definition",
            task + ": " + line);
    if (const auto* extensions = Extensions()) {
      Require(std::find(extensions->begin(), extensions->end(), MaskOf(set)) != extensions->end(),
              "a certificate is an extension of the reference", task + ": " + line);
    }
  }

  bool InSome() const {
    return std::any_of(Extensions()->begin(), Extensions()->end(),
                       [this](exact::Mask set) { return (set >> argument & 1) != 0; });
  }
  bool InEvery() const {
    return std::all_of(Extensions()->begin(), Extensions()->end(),
                       [this](exact::Mask set) { return (set >> argument & 1) != 0; });
  }

  void Acceptance(const std::vector<std::string>& lines, bool credulous) const {
    Require(!lines.empty() && (lines[0] == "YES" || lines[0] == "NO"), "DC and DS answer YES or NO",
            task);
    const bool yes = lines[0] == "YES";
    // A credulous yes and a sceptical no come with an extension that shows it.
    const bool has_certificate = credulous == yes;
    Require(lines.size() == (has_certificate ? 2u : 1u), "only DC YES and DS NO print a w line",
            task);
    if (has_certificate) {
      Certificate(lines[1]);
      const bool holds = ParseWitness(lines[1], graph.Size())[static_cast<std::size_t>(argument)];
      Require(holds == credulous, "a DC witness holds the argument, a DS counter-example lacks it",
              task + ": " + lines[1]);
    }
    if (Extensions() != nullptr) {
      Require(yes == (credulous ? InSome() : InEvery()), "the answer is the reference's", task);
    }
  }

  void Enumeration(const std::vector<std::string>& lines) const {
    std::set<exact::Mask> printed;
    for (const std::string& line : lines) {
      Certificate(line);
      Require(printed.insert(MaskOf(ParseWitness(line, graph.Size()))).second,
              "EE prints each extension once", task + ": " + line);
    }
    if (Extensions() != nullptr) {
      Require(printed == std::set<exact::Mask>(Extensions()->begin(), Extensions()->end()),
              "EE prints the reference's extensions", task);
    }
  }

  void Answer(const std::vector<std::string>& lines) const {
    const std::string_view question = std::string_view(task).substr(0, 2);
    if (question == "DC" || question == "DS") {
      Acceptance(lines, question == "DC");
    } else if (question == "SE") {
      Require(lines.size() == 1, "SE prints one line", task);
      if (lines[0] == "NO") {
        Require(semantics == exact::Semantics::kStable, "only stable may have no extension", task);
        if (Extensions() != nullptr) Require(Extensions()->empty(), "NO only without extension");
      } else {
        Certificate(lines[0]);
      }
    } else if (question == "EE") {
      Enumeration(lines);
    } else {
      Require(lines.size() == 1 && !lines[0].empty() &&
                  lines[0].find_first_not_of("0123456789") == std::string::npos,
              "CE prints a count", task);
      if (Extensions() != nullptr) {
        Require(lines[0] == std::to_string(Extensions()->size()), "CE counts the reference's",
                task + ": " + lines[0]);
      }
    }
  }
};

}  // namespace
}  // namespace dialectic::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dialectic;
  using namespace dialectic::fuzz;
  static const std::vector<std::string> kTasks = SolverTaskNames();
  FuzzInput input(data, size);
  const std::string task = kTasks[input.TakeByte() % kTasks.size()];
  const std::uint8_t argument_choice = input.TakeByte();
  const std::string_view text = input.Rest();

  if (DeclaredI23Count(text) > text.size()) return 0;
  const std::string path = (ScratchFolder() / "fuzz.i23").string();
  const ReadResult read = ReadFramework(text, Format::kI23, path);
  const int count = read.ok() ? static_cast<int>(read.framework.Names().size()) : 0;
  const bool asks_argument = task.starts_with("DC") || task.starts_with("DS");
  const bool enumerates = task.starts_with("EE") || task.starts_with("CE");
  // Admissible and conflict-free sets of a graph with few attacks are nearly all its subsets, so
  // their enumerations are asked only of graphs the reference can enumerate too.
  const bool has_many_extensions = task.ends_with("-ADM") || task.ends_with("-NA");
  const int most_enumerated =
      has_many_extensions ? kMaxReferenceArguments : kMaxEnumerationArguments;
  if (enumerates && count > most_enumerated) return 0;
  const int argument = count > 0 ? argument_choice % count : 0;

  WriteBytes(path, text);
  std::vector<std::string> args = {"-p", task, "-f", path};
  if (asks_argument) args.insert(args.end(), {"-a", std::to_string(argument + 1)});
  std::ostringstream out, err;
  RunContext context;
  const int exit_code = RunSolverCommand(args, out, err, context);

  if (text.find('\0') != std::string_view::npos) {
    // A file with a NUL byte is no text at all: refused before any reader sees it.
    Require(exit_code == 1 && out.str().empty() && err.str().find("NUL byte") != std::string::npos,
            "a file with a NUL byte gives exit code 1 and says so", err.str());
    return 0;
  }
  if (!read.ok()) {
    Require(exit_code == 1 && out.str().empty() && err.str() == read.error + "\n",
            "a refused file gives exit code 1 and the reader's message", err.str());
    return 0;
  }
  if (asks_argument && count == 0) {
    Require(exit_code == 2, "an argument not in the framework is a usage error", err.str());
    return 0;
  }
  Require(exit_code == 0 && err.str().empty(), "a read framework gets an answer", err.str());
  const ArgumentGraph& graph = read.framework.Graph();
  const std::optional<exact::Semantics> semantics =
      exact::ParseSemantics(std::string_view(task).substr(3));
  Require(semantics.has_value(), "every task names a semantics", task);
  Check check{task, *semantics, graph, argument, std::nullopt};
  if (count <= kMaxReferenceArguments) check.reference.emplace(graph);
  check.Answer(LinesOf(out.str()));
  return 0;
}
