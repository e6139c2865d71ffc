#include "frontend/run.h"

#include <chrono>
#include <string>
#include <unordered_set>
#include <vector>

#include "frontend/depth_text.h"
#include "frontend/write_labeling.h"
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

void ListGrounded(const TTheory& theory, TextArea& memo5) {
  TProofLabeling grounded;
  const std::string elapsed = TimeIt([&] { ComputeGrounded(theory, grounded); });
  memo5.Clear();
  memo5.Add("Grounded extension");
  WriteLabeling(grounded, memo5);
  memo5.Add("");
  memo5.Add(elapsed);
}

void ListAllOptions(TTheory& theory, const RunSettings& settings, const RunAreas& areas) {
  areas.Memo4.Clear();
  // The trace area is hidden while it fills, so that a view need not repaint it line by line.
  areas.Memo3.SetVisible(false);
  const SearchContext context{settings.depth, settings.show_trace, areas.Memo2, areas.Memo3};
  const std::string elapsed = TimeIt([&] { ComputeAllOptions(theory, context); });
  ListOptions(theory, areas.Memo4);
  areas.Memo4.Add("");
  areas.Memo4.Add(elapsed);
  areas.Memo3.SetVisible(true);
}

void ListPreferred(const TTheory& theory, TextArea& memo5) {
  std::vector<TProofLabeling> preferred;
  const std::string elapsed = TimeIt([&] { ComputePreferred(theory, preferred, memo5); });
  memo5.Add("");
  memo5.Add("Preferred extensions");
  memo5.AddStrings(PreferredLines(preferred));
  memo5.Add("");
  memo5.Add(elapsed);
}

}  // namespace

bool RunTheory(const LineList& memo1, const RunSettings& settings, TTheory& theory,
               const RunAreas& areas, RunContext& /*context*/) {
  theory.Clear();
  ParseInput(memo1, theory);
  Rephrase(theory, areas.Memo2);
  ListGrounded(theory, areas.Memo5);
  ListAllOptions(theory, settings, areas);
  ListPreferred(theory, areas.Memo5);
  return true;
}

bool Run(TForm1& form, RunContext& context) {
  ApplyDepth(form);
  return RunTheory(form.Memo1, {form.Depth, form.ShowTrace}, form.Theory,
                   {form.Memo2, form.Memo3, form.Memo4, form.Memo5}, context);
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

StringList PreferredLines(const std::vector<TProofLabeling>& preferred) {
  StringList lines;
  std::unordered_set<std::string> seen_texts;
  for (const TProofLabeling& candidate : preferred) {
    std::string text = LabelingText(candidate);
    if (seen_texts.insert(text).second) lines.push_back("  " + std::move(text));
  }
  return lines;
}

void ListOptions(const TTheory& theory, TextArea& area) {
  for (const TArg* arg : theory.Args) {
    area.Add(arg->Name + ":");
    for (const TProofLabeling& option : arg->Options) WriteLabeling(option, area);
  }
}

}  // namespace dialectic
