// The run behind "Do your thing": depth, input, rephrasing, grounded extension, option search and
// preferred extensions, each written with its elapsed time into the form's text areas.
#pragma once

#include <cstdint>
#include <vector>

#include "frontend/form.h"
#include "frontend/text_area.h"
#include "model/arg_index.h"
#include "model/line_list.h"
#include "model/proof_labeling.h"
#include "model/run_context.h"
#include "model/string_list.h"
#include "model/theory.h"
#include "semantics/dialectical_results.h"

namespace dialectic {

// The areas a run writes into. A run on the window's thread fills the form's own areas; a run
// on a worker thread fills areas of its own, which the window takes over when the run ends.
struct RunAreas {
  TextArea& Memo2;  // Rephrased, and the search's warnings
  TextArea& Memo3;  // Trace
  TextArea& Memo4;  // Proof and refutation options
  TextArea& Memo5;  // Grounded and preferred extensions
};

// What a run reads besides the input lines.
struct RunSettings {
  std::int32_t depth = 100;
  bool show_trace = true;
};

// The whole computation: the input lines into the theory (which is cleared first), then every
// result into the areas and, when given, into the results (emptied first). With a stop request it
// ends at once, leaving "*** Stopped ***" in the area it was filling, and gives false.
bool RunTheory(const LineList& memo1, const RunSettings& settings, TTheory& theory,
               const RunAreas& areas, RunContext& context, DialecticalResults* results = nullptr);

// The whole computation on the form's state: the depth from the depth box, then RunTheory on the
// form's input, theory and areas.
void Run(TForm1& form);
bool Run(TForm1& form, RunContext& context, DialecticalResults* results = nullptr);

// Takes the depth from the depth box when it holds an integer and moves the focus to Button1;
// otherwise puts the current depth back into the box.
void ApplyDepth(TForm1& form);

// For every argument in order: its name followed by ":", then a line per option.
void ListOptions(const TTheory& theory, const ArgIndex& index, LineList& area);

}  // namespace dialectic
