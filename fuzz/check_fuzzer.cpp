// The check of a run on arbitrary input text: the first byte chooses the depth (small depths
// leave phases cut short and list wrong extensions) and the rest is the input. Properties: the
// report offers one labeling slot per detail line; its status agrees with its lines (all listed
// exactly when nothing is missing, wrong or unchecked); and, on theories small enough to take
// every subset, it names as many exact preferred extensions (listed or missing) as the textbook
// definition gives.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check/run_check.h"
#include "frontend/run.h"
#include "frontend/text_area.h"
#include "fuzz/fuzz_support.h"
#include "model/arg_index.h"
#include "model/line_list.h"
#include "model/run_context.h"
#include "semantics/run_outcome.h"
#include "tests/oracle/exact_reference.h"

namespace dialectic::fuzz {
namespace {

constexpr std::array<std::int32_t, 6> kDepths = {100, 0, 1, 2, 3, 5};

// The run and the check each get a share of libFuzzer's 2 s per input under the instrumentation;
// a run past its share is stopped and then has nothing to check.
constexpr std::chrono::milliseconds kRunBudget(300);
constexpr std::chrono::milliseconds kCheckBudget(300);

// The brute-force reference takes every subset of the arguments.
constexpr int kMaxArgumentsForReference = 12;

bool StartsWith(std::string_view line, std::string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

// The lines of one section of the details: those after its heading up to the next blank line.
// Names are free text, so a line is known by its section, not by its words alone.
std::vector<std::string_view> SectionLines(const CheckReport& report, std::string_view heading) {
  std::vector<std::string_view> lines;
  bool inside = false;
  for (const std::string& line : report.details) {
    if (line.empty()) inside = false;
    if (inside) lines.emplace_back(line);
    if (line == heading) inside = true;
  }
  return lines;
}

// How many lines of the exact preferred extensions start with the prefix.
std::size_t CountExactLines(const CheckReport& report, std::string_view prefix) {
  std::size_t count = 0;
  for (std::string_view line : SectionLines(report, "Exact preferred extensions")) {
    count += StartsWith(line, prefix) ? 1 : 0;
  }
  return count;
}

void RequireConsistentReport(const CheckReport& report) {
  Require(report.detail_labelings.size() == report.details.size(),
          "every detail line has its labeling slot");
  const bool missing = CountExactLines(report, "  missing: ") > 0;
  const bool wrong = !SectionLines(report, "Listed extensions that are not preferred").empty();
  const bool unchecked = StartsWith(report.verdict, "Not checked");
  Require(unchecked == (report.status == CheckStatus::kNotChecked),
          "the verdict says not checked exactly when the status does", report.verdict);
  if (report.status == CheckStatus::kAllListed) {
    Require(!missing && !wrong, "an all-listed report lists nothing missing or wrong",
            report.verdict);
  }
  if (missing || wrong) {
    Require(report.status == CheckStatus::kMissingOrWrong,
            "a report with missing or wrong lines has that status", report.verdict);
  }
}

}  // namespace
}  // namespace dialectic::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dialectic;
  using namespace dialectic::fuzz;
  FuzzInput input(data, size);
  const RunSettings settings{kDepths[input.TakeByte() % kDepths.size()], false};
  LineList memo1;
  memo1.SetText(input.Rest());
  TTheory theory;
  ResultAreas areas;
  RunOutcome results;
  RunContext run_context;
  {
    const StopAfter stop(run_context, kRunBudget);
    if (!RunTheory(memo1, settings, theory, areas, run_context, results)) {
      return 0;
    }
  }
  RunContext check_context;
  const CheckReport report = CheckRun(theory, results, check_context, {kCheckBudget});
  RequireConsistentReport(report);

  const ArgIndex index(theory);
  if (report.status == CheckStatus::kNotChecked || index.Size() > kMaxArgumentsForReference) {
    return 0;
  }
  const exact::ReferenceSemantics reference(index.Graph());
  const std::size_t named =
      CountExactLines(report, "  listed:  ") + CountExactLines(report, "  missing: ");
  Require(named == reference.Extensions(exact::Semantics::kPreferred).size(),
          "the report names every exact preferred extension once", report.verdict);
  return 0;
}
