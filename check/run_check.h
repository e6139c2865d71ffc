// The check of a run: its grounded extension and its preferred listing beside the exact engine's
// grounded and preferred extensions of the same theory, with the phases of the option search that
// were cut short. A listed labeling stands for an exact extension when it names, in each of IN and
// OUT, exactly the classes of names equal up to letter case that the extension's labeling names,
// and only arguments that are really there; without such names that is plain equality. The exact
// preferred extensions are found within a time budget and a count; past either, or on a stop
// request, the report says "not checked" instead of guessing.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/position_labeling.h"
#include "model/run_context.h"
#include "model/theory.h"
#include "semantics/preferred.h"
#include "semantics/run_outcome.h"

namespace dialectic {

enum class CheckStatus {
  kAllListed,       // every exact preferred extension is listed, nothing else, grounded right
  kMissingOrWrong,  // something is missing from the listing or listed wrongly
  kNotChecked,      // the run or the exact engine was stopped, or the engine reached a limit
};

// A listed line that is no preferred extension, with the first reason found.
struct WrongListing {
  PositionLabeling labeling;
  std::string reason;

  friend bool operator==(const WrongListing&, const WrongListing&) = default;
};

// What the check says: one line for a status bar, the lines that explain it, and what they say
// as values.
struct CheckReport {
  CheckStatus status = CheckStatus::kNotChecked;
  std::string verdict;
  std::vector<std::string> details;
  // For each detail line, the labeling it shows, so that a viewer can colour the theory by it;
  // none for lines that show none.
  std::vector<std::optional<PositionLabeling>> detail_labelings;
  // Whether the listed grounded extension is right; none when the run did not get to it.
  std::optional<bool> grounded_right;
  // The exact preferred extensions that the listing lacks, and the listed lines that are wrong.
  std::vector<PositionLabeling> missing;
  std::vector<WrongListing> wrong;
};

// How much the exact engine may do for one check.
struct CheckLimits {
  // The window waits for the check before it shows a run, so the budget is short; the typical
  // theory takes a few milliseconds, sixteen independent even cycles (65,536 extensions) minutes.
  std::chrono::milliseconds time_budget{1000};
  // More exact preferred extensions than this cannot all be listed by one run anyway.
  std::size_t max_extensions = kMaxPreferredCandidates;
};

// Checks what a completed or stopped run left: the theory with its options and the results that
// RunTheory gave. The exact engine obeys the context's stop request and the limits.
CheckReport CheckRun(const TTheory& theory, const RunOutcome& results, RunContext& context,
                     const CheckLimits& limits = {});

// The report as the lines of a text area: the verdict, an empty line, the details.
std::vector<std::string> ReportLines(const CheckReport& report);

}  // namespace dialectic
