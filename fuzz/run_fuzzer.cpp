// The whole run behind "Do your thing" on arbitrary input text. The first byte chooses the depth
// (from a table of the small depths where the search stops early, 100 and a negative one) and the
// trace switch; the rest is the input. Properties: the run finishes, or stops soon after a stop
// request when it outlasts its time budget, saying where it stopped; the options and extensions
// areas write their timings as "N ms elapsed"; and the four areas are exactly those of the
// reference run by name (tests/oracle), whenever the run was quick and the theory has few enough
// dialectically ambiguous arguments for the reference to enumerate the preferred candidates.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "frontend/run.h"
#include "frontend/text_area.h"
#include "fuzz/fuzz_support.h"
#include "model/arg_index.h"
#include "model/line_list.h"
#include "model/run_context.h"
#include "semantics/preferred.h"
#include "tests/oracle/oracle.h"

namespace dialectic::fuzz {
namespace {

constexpr std::array<std::int32_t, 8> kDepths = {100, 0, 1, 2, 3, 5, 25, -1};

// The reference enumerates every combination number without pruning: 2^12 candidates stay within
// a few milliseconds, which keeps the target fast enough to explore.
constexpr std::size_t kMaxAmbiguousForReference = 12;

// The run's bounded work (the preferred walk's budget is about a second of the optimised program)
// takes ten times longer under the fuzz build's instrumentation. A run that takes longer than the
// budget is asked to stop, as the Stop button asks, and must end soon after; only runs that end
// well within it are repeated by the slower reference, so that every input stays below libFuzzer's
// time-out.
constexpr std::chrono::milliseconds kRunBudget(400);
constexpr std::chrono::milliseconds kStopLatency(1000);
constexpr std::chrono::milliseconds kMaxRunForReference(200);

// The area's lines with every timing line written as the reference writes it.
StringList WithReferenceTimes(const TextArea& area) {
  StringList lines = area.Lines();
  for (std::string& line : lines) {
    if (IsTimingLine(line)) line = oracle::kElapsedLine;
  }
  return lines;
}

// The options area times one computation and the extensions area two. No other line can look like
// a timing line: every other line is a caption, "name :" or a labeling indented by two blanks.
// The area is read in place: a run may list 131,072 preferred candidates.
void RequireTimings(const TextArea& area, int expected, std::string_view name) {
  int found = 0;
  for (std::string_view line : area) {
    if (IsTimingLine(line)) ++found;
  }
  Require(found == expected, "the area writes one timing line per computation", name);
}

void RequireSameLines(const StringList& production, const StringList& reference,
                      std::string_view area, std::string_view input) {
  if (production == reference) return;
  std::size_t line = 0;
  while (line < production.size() && line < reference.size() &&
         production[line] == reference[line]) {
    ++line;
  }
  const auto at = [line](const StringList& lines) {
    return line < lines.size() ? Visible(lines[line]) : std::string("<end>");
  };
  Require(false, "the run gives the reference run's areas",
          std::string(area) + " line " + std::to_string(line + 1) + ": production \"" +
              at(production) + "\", reference \"" + at(reference) + "\"; input \"" +
              Visible(input) + "\"");
}

}  // namespace
}  // namespace dialectic::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dialectic;
  using namespace dialectic::fuzz;
  FuzzInput input(data, size);
  const std::uint8_t switches = input.TakeByte();
  const RunSettings settings{kDepths[switches % kDepths.size()], (switches & 8) != 0};
  const std::string_view text = input.Rest();

  LineList memo1;
  memo1.SetText(text);
  TTheory theory;
  ResultAreas areas;
  auto& [memo2, memo3, memo4, memo5] = areas;
  RunContext context;
  const auto start = std::chrono::steady_clock::now();
  bool finished = false;
  {
    const StopAfter stop(context, kRunBudget);
    RunOutcome outcome;
    finished = RunTheory(memo1, settings, theory, areas, context, outcome);
  }
  const auto elapsed = std::chrono::steady_clock::now() - start;
  if (!finished) {
    Require(context.StopRequested(), "a run without a stop request finishes");
    Require(elapsed < kRunBudget + kStopLatency, "a stopped run ends soon after the request");
    const auto says_stopped = [](const TextArea& area) {
      return std::find(area.begin(), area.end(), kStoppedLine) != area.end();
    };
    Require(
        says_stopped(memo2) || says_stopped(memo3) || says_stopped(memo4) || says_stopped(memo5),
        "a stopped run says where it stopped");
    return 0;
  }
  RequireTimings(memo4, 1, "Memo4");
  RequireTimings(memo5, 2, "Memo5");

  const ArgIndex index(theory);
  if (elapsed > kMaxRunForReference ||
      GetAmbiguousArgs(theory, index).size() > kMaxAmbiguousForReference) {
    return 0;
  }
  const oracle::Areas reference = oracle::RunByName(text, settings.depth, settings.show_trace);
  RequireSameLines(memo2.Lines(), reference.Memo2, "Memo2", text);
  RequireSameLines(memo3.Lines(), reference.Memo3, "Memo3", text);
  RequireSameLines(WithReferenceTimes(memo4), reference.Memo4, "Memo4", text);
  RequireSameLines(WithReferenceTimes(memo5), reference.Memo5, "Memo5", text);
  return 0;
}
