#include "frontend/run.h"

#include <chrono>
#include <string>
#include <vector>

#include "frontend/depth_text.h"
#include "model/theory_text.h"
#include "semantics/grounded.h"
#include "semantics/option_search.h"
#include "semantics/preferred.h"

namespace dialectic {

namespace {

using Clock = std::chrono::steady_clock;

// Runs the computation and gives its elapsed time as the line "N ms elapsed". The clock is
// monotonic, so the figure is never negative.
template <typename Computation>
std::string TimeIt(Computation&& computation) {
  const auto start = Clock::now();
  computation();
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  return std::to_string(elapsed.count()) + " ms elapsed";
}

void ListGrounded(const ArgIndex& index, TextArea& memo5, RunContext& context,
                  DialecticalResults& results) {
  context.BeginPhase(RunPhase::kGrounded, index.Size());
  TProofLabeling& grounded = results.grounded.emplace();
  const std::string elapsed = TimeIt([&] { ComputeGrounded(index, grounded); });
  memo5.Clear();
  memo5.Add("Grounded extension");
  WriteLabeling(grounded, index, memo5);
  memo5.Add("");
  memo5.Add(elapsed);
}

bool ListAllOptions(TTheory& theory, const ArgIndex& index, const RunSettings& settings,
                    const RunAreas& areas, RunContext& context, DialecticalResults& results) {
  areas.Memo4.Clear();
  // The trace area is hidden while it fills, so that a view need not repaint it line by line.
  areas.Memo3.SetVisible(false);
  const SearchContext search{settings.depth, settings.show_trace, areas.Memo2, areas.Memo3,
                             context,        &results.cut_offs};
  bool completed = true;
  const std::string elapsed = TimeIt([&] { completed = ComputeAllOptions(theory, index, search); });
  if (completed) {
    ListOptions(theory, index, areas.Memo4);
    areas.Memo4.Add("");
    areas.Memo4.Add(elapsed);
  }
  areas.Memo3.SetVisible(true);
  return completed;
}

bool ListPreferred(const TTheory& theory, const ArgIndex& index, TextArea& memo5,
                   RunContext& context, DialecticalResults& results) {
  std::vector<TProofLabeling>& preferred = results.preferred;
  PreferredOutcome outcome = PreferredOutcome::kDone;
  const std::string elapsed =
      TimeIt([&] { outcome = ComputePreferred(theory, index, preferred, memo5, context); });
  results.preferred_outcome = outcome;
  if (outcome == PreferredOutcome::kStopped) return false;
  memo5.Add("");
  memo5.Add("Preferred extensions");
  if (!WritePreferredLines(preferred, index, memo5, context)) {
    results.preferred_outcome = PreferredOutcome::kStopped;
    return false;
  }
  memo5.Add("");
  memo5.Add(elapsed);
  return true;
}

}  // namespace

bool RunTheory(const LineList& memo1, const RunSettings& settings, TTheory& theory,
               const RunAreas& areas, RunContext& context, DialecticalResults* results) {
  // Without a caller that keeps them, the results live for this run only.
  DialecticalResults own_results;
  DialecticalResults& found = results != nullptr ? *results : own_results;
  found = {};
  theory.Clear();
  ParseInput(memo1, theory);
  const ArgIndex index(theory);
  Rephrase(theory, areas.Memo2);
  areas.Memo2.ResetCaret();
  ListGrounded(index, areas.Memo5, context, found);
  if (context.StopRequested()) {
    areas.Memo5.Add(kStoppedLine);
    return false;
  }
  return ListAllOptions(theory, index, settings, areas, context, found) &&
         ListPreferred(theory, index, areas.Memo5, context, found);
}

bool Run(TForm1& form, RunContext& context, DialecticalResults* results) {
  ApplyDepth(form);
  return RunTheory(form.Memo1, {form.Depth, form.ShowTrace}, form.Theory,
                   {form.Memo2, form.Memo3, form.Memo4, form.Memo5}, context, results);
}

void Run(TForm1& form) {
  RunContext context;
  Run(form, context);
}

void ApplyDepth(TForm1& form) {
  const std::optional<std::int32_t> depth = ParseDepthText(form.Edit1);
  if (depth) {
    form.Depth = *depth;
    form.Focus = Control::kButton1;
  } else {
    form.Edit1 = std::to_string(form.Depth);
  }
}

void ListOptions(const TTheory& theory, const ArgIndex& index, LineList& area) {
  LabelingWriter writer;
  for (const TArg* arg : theory.Args) {
    area.Add(arg->Name + ":");
    for (const TProofLabeling& option : arg->Options) writer.Write(option, index, area);
  }
}

}  // namespace dialectic
