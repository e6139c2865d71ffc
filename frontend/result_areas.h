// The four areas that a run writes and the renderers that write them from the run's values: the
// warnings below the rephrasing, the trace as the search streams it, the options listing and the
// extensions listing. Every line that shows a labeling, and every argument's heading, carries
// the value it shows (LineValue), so that a view selects and colours by the value.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/text_area.h"
#include "model/arg_index.h"
#include "model/proof_labeling.h"
#include "model/run_context.h"
#include "model/theory.h"
#include "semantics/option_search.h"
#include "semantics/run_outcome.h"

namespace dialectic {

// The areas a run fills. The window's form holds one set; a run on a worker thread fills a set of
// its own, which the window takes over when the run ends.
struct ResultAreas {
  TextArea Memo2;  // Rephrased, and the search's warnings
  TextArea Memo3;  // Trace
  TextArea Memo4;  // Proof and refutation options
  TextArea Memo5;  // Grounded and preferred extensions
};

// Each result area with the name the command line and the exported results give it.
struct ResultAreaName {
  std::string_view name;
  TextArea ResultAreas::*area;
};
inline constexpr std::array<ResultAreaName, 4> kResultAreaNames = {{
    {"rephrased", &ResultAreas::Memo2},
    {"trace", &ResultAreas::Memo3},
    {"options", &ResultAreas::Memo4},
    {"extensions", &ResultAreas::Memo5},
}};

// Exchanges every result area of the two sets.
void SwapResultAreas(ResultAreas& a, ResultAreas& b);

// Writes labelings as listing lines, two blanks and the labeling's text, reusing one buffer so
// that a trace of millions of lines costs no allocation per line.
class LabelingWriter {
 public:
  void Write(const TProofLabeling& labeling, const ArgIndex& index, LineList& area);
  void Write(const TProofLabeling& labeling, const ArgIndex& index, LineList& area,
             const LineValue& value);

 private:
  std::string line_;
};

// The trace as the option search streams it: with the trace on, each phase's heading and each
// stage with its options; on or off, the stage that changed nothing and the stopped line.
class TraceWriter : public SearchObserver {
 public:
  TraceWriter(const ArgIndex& index, bool show_trace, LineList& memo3)
      : index_(index), show_trace_(show_trace), memo3_(memo3) {}

  void PhaseBegins(const TArg& arg, Phase phase) override;
  void StageReached(int stage, const Options& options) override;
  void StageUnchanged(int stage, bool no_options) override;
  void PhaseEnds() override;
  void Stopped() override;

 private:
  const ArgIndex& index_;
  const bool show_trace_;
  LineList& memo3_;
  LabelingWriter writer_;
};

// The line "N ms elapsed".
std::string ElapsedLine(std::chrono::milliseconds elapsed);

// Below the rephrasing, one warning of three lines per phase cut short, in search order.
void WriteWarnings(const std::vector<PhaseCutOff>& cut_offs, LineList& memo2);

// The extensions area's first part: the heading, the grounded labeling and its time.
void WriteGrounded(const RunOutcome& outcome, const ArgIndex& index, LineList& memo5);

// For every argument in order: its name followed by ":", then a line per option.
void ListOptions(const TTheory& theory, const ArgIndex& index, LineList& area);

// The preferred part of the extensions area as the outcome says: the "too many" line, or the
// heading with one line per distinct text (letter case counting) and the time. A listing of many
// candidates (131,072 make 34 MB of text) hears the stop request: then it ends with the stopped
// line and gives false, as it does for an enumeration that was stopped.
bool WritePreferred(const RunOutcome& outcome, const ArgIndex& index, LineList& memo5,
                    const RunContext& context);

}  // namespace dialectic
