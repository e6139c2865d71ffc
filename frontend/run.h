// The run behind "Do your thing": depth, input, rephrasing, grounded extension, option search and
// preferred extensions, each written with its elapsed time into the form's text areas.
#pragma once

#include <cstdint>
#include <vector>

#include "frontend/form.h"
#include "frontend/result_areas.h"
#include "frontend/text_area.h"
#include "model/arg_index.h"
#include "model/line_list.h"
#include "model/proof_labeling.h"
#include "model/run_context.h"
#include "model/string_list.h"
#include "model/theory.h"
#include "semantics/run_outcome.h"

namespace dialectic {

// What a run reads besides the input lines.
struct RunSettings {
  std::int32_t depth = 100;
  bool show_trace = true;
  // Whether the trace area is written at all; a caller that never shows it saves its time.
  bool write_trace = true;
};

// The whole computation: the input lines into the theory (which is cleared first), each result
// computed as a value into the outcome (emptied first) and then rendered into its area. With a
// stop request it ends at once, leaving "*** Stopped ***" in the area it was filling, and gives
// false.
bool RunTheory(const LineList& memo1, const RunSettings& settings, TTheory& theory,
               ResultAreas& areas, RunContext& context, RunOutcome& outcome);

// The whole computation on the form's state: the depth from the depth box, then RunTheory on the
// form's input, theory, areas and outcome.
void Run(TForm1& form);
bool Run(TForm1& form, RunContext& context);

// Takes the depth from the depth box when it holds an integer and moves the focus to Button1;
// otherwise puts the current depth back into the box.
void ApplyDepth(TForm1& form);

}  // namespace dialectic
