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

// Runs the computation and gives its elapsed time. The clock is monotonic, so the figure is never
// negative.
template <typename Computation>
std::chrono::milliseconds TimeIt(Computation&& computation) {
  const auto start = Clock::now();
  computation();
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

void FindGrounded(const ArgIndex& index, RunContext& context, RunOutcome& outcome) {
  context.BeginPhase(RunPhase::kGrounded, index.Size());
  TProofLabeling& grounded = outcome.grounded.emplace();
  outcome.grounded_time = TimeIt([&] { ComputeGrounded(index, grounded); });
}

// The option search, its trace streamed into the trace area as it goes.
void FindAllOptions(TTheory& theory, const ArgIndex& index, const RunSettings& settings,
                    TextArea& memo3, RunContext& context, RunOutcome& outcome) {
  memo3.Clear();
  // The trace area is hidden while it fills, so that a view need not repaint it line by line.
  memo3.SetVisible(false);
  TraceWriter trace(index, settings.show_trace, memo3);
  const SearchSettings search{settings.depth, context, settings.write_trace ? &trace : nullptr};
  SearchOutcome found;
  const auto elapsed = TimeIt([&] { found = ComputeAllOptions(theory, index, search); });
  outcome.cut_offs = std::move(found.cut_offs);
  outcome.stages = std::move(found.stages);
  outcome.options_completed = found.completed;
  if (found.completed) outcome.options_time = elapsed;
  memo3.SetVisible(true);
}

void FindPreferred(const TTheory& theory, const ArgIndex& index, RunContext& context,
                   RunOutcome& outcome) {
  PreferredOutcome preferred = PreferredOutcome::kDone;
  const auto elapsed =
      TimeIt([&] { preferred = ComputePreferred(theory, index, outcome.preferred, context); });
  outcome.preferred_outcome = preferred;
  if (preferred != PreferredOutcome::kStopped) outcome.preferred_time = elapsed;
}

}  // namespace

bool RunTheory(const LineList& memo1, const RunSettings& settings, TTheory& theory,
               ResultAreas& areas, RunContext& context, RunOutcome& outcome) {
  outcome = {};
  theory.Clear();
  ParseInput(memo1, theory);
  const ArgIndex index(theory);
  outcome.position_of_rank.reserve(static_cast<std::size_t>(index.Size()));
  for (int rank = 0; rank < index.Size(); ++rank) {
    outcome.position_of_rank.push_back(index.ArgOfRank(rank).Position);
  }
  Rephrase(theory, areas.Memo2);
  areas.Memo2.ResetCaret();

  FindGrounded(index, context, outcome);
  WriteGrounded(outcome, index, areas.Memo5);
  if (context.StopRequested()) {
    areas.Memo5.Add(kStoppedLine);
    return false;
  }

  areas.Memo4.Clear();
  FindAllOptions(theory, index, settings, areas.Memo3, context, outcome);
  WriteWarnings(outcome.cut_offs, areas.Memo2);
  if (!outcome.options_completed) return false;
  ListOptions(theory, index, areas.Memo4);
  areas.Memo4.Add("");
  areas.Memo4.Add(ElapsedLine(*outcome.options_time));

  FindPreferred(theory, index, context, outcome);
  if (!WritePreferred(outcome, index, areas.Memo5, context)) {
    outcome.preferred_outcome = PreferredOutcome::kStopped;
    return false;
  }
  return true;
}

bool Run(TForm1& form, RunContext& context) {
  ApplyDepth(form);
  return RunTheory(form.Memo1, {form.Depth, form.ShowTrace}, form.Theory, form, context,
                   form.Outcome);
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

}  // namespace dialectic
