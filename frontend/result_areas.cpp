#include "frontend/result_areas.h"

#include <unordered_set>
#include <utility>

namespace dialectic {

namespace {

constexpr std::string_view kTooManyAmbiguous =
    "There are too many dialectically ambiguous arguments for this version of the algorithm";
constexpr std::string_view kTooManyPreferred =
    "The preferred extensions are too many to enumerate with this version of the algorithm";

void AddWarning(LineList& memo2, std::string_view text) {
  memo2.Add("***");
  memo2.Add(text);
  memo2.Add("***");
}

// One listing line per distinct text, each referring to the first candidate that has it.
bool WritePreferredLines(const std::vector<TProofLabeling>& preferred, const ArgIndex& index,
                         LineList& area, const RunContext& context) {
  // How many candidates go between two looks at the stop request.
  constexpr std::size_t kStopCheckInterval = 4096;
  // The texts seen are views of the lines already added, which stay where they are.
  std::unordered_set<std::string_view> seen_texts;
  seen_texts.reserve(preferred.size());
  std::string line;
  for (std::size_t i = 0; i < preferred.size(); ++i) {
    if (i % kStopCheckInterval == 0 && context.StopRequested()) {
      area.Add(kStoppedLine);
      return false;
    }
    const TProofLabeling& candidate = preferred[i];
    line.assign("  ");
    AppendLabelingText(candidate.InArgs, candidate.OutArgs, index, line);
    if (seen_texts.contains(std::string_view(line).substr(2))) continue;
    area.Add(line, {LineValue::Kind::kPreferred, -1, static_cast<int>(i)});
    seen_texts.insert(area.Get(area.Count() - 1).substr(2));
  }
  return true;
}

}  // namespace

void SwapResultAreas(ResultAreas& a, ResultAreas& b) {
  for (const ResultAreaName& area : kResultAreaNames) std::swap(a.*area.area, b.*area.area);
}

void LabelingWriter::Write(const TProofLabeling& labeling, const ArgIndex& index, LineList& area) {
  line_.assign("  ");
  AppendLabelingText(labeling.InArgs, labeling.OutArgs, index, line_);
  area.Add(line_);
}

void LabelingWriter::Write(const TProofLabeling& labeling, const ArgIndex& index, LineList& area,
                           const LineValue& value) {
  line_.assign("  ");
  AppendLabelingText(labeling.InArgs, labeling.OutArgs, index, line_);
  area.Add(line_, value);
}

void TraceWriter::PhaseBegins(const TArg& arg, Phase phase) {
  if (!show_trace_) return;
  memo3_.Add(
      (phase == Phase::kProof ? "Partial proof options of " : "Partial refutation options of ") +
      arg.Name);
}

void TraceWriter::StageReached(int stage, const Options& options) {
  if (!show_trace_) return;
  memo3_.Add(std::to_string(stage) + ":");
  for (const TProofLabeling& option : options) writer_.Write(option, index_, memo3_);
}

void TraceWriter::StageUnchanged(int stage, bool no_options) {
  memo3_.Add(std::to_string(stage) + ":");
  memo3_.Add(no_options ? "  <none>" : "  <as previous level>");
}

void TraceWriter::PhaseEnds() {
  if (show_trace_) memo3_.Add("");
}

void TraceWriter::Stopped() { memo3_.Add(kStoppedLine); }

std::string ElapsedLine(std::chrono::milliseconds elapsed) {
  return std::to_string(elapsed.count()) + " ms elapsed";
}

void WriteWarnings(const std::vector<PhaseCutOff>& cut_offs, LineList& memo2) {
  for (const PhaseCutOff& cut_off : cut_offs) {
    switch (cut_off.reason) {
      case CutOffReason::kDepth:
        AddWarning(memo2, "Check whether computation depth was sufficient");
        break;
      case CutOffReason::kCombinations:
        AddWarning(memo2, "Too many counter-attack combinations for " + cut_off.arg->Name);
        break;
      case CutOffReason::kOptions:
        AddWarning(memo2, "Too many options to follow for " + cut_off.arg->Name);
        break;
    }
  }
}

void WriteGrounded(const RunOutcome& outcome, const ArgIndex& index, LineList& memo5) {
  memo5.Clear();
  memo5.Add("Grounded extension");
  LabelingWriter().Write(*outcome.grounded, index, memo5, {LineValue::Kind::kGrounded});
  memo5.Add("");
  memo5.Add(ElapsedLine(*outcome.grounded_time));
}

void ListOptions(const TTheory& theory, const ArgIndex& index, LineList& area) {
  LabelingWriter writer;
  for (const TArg* arg : theory.Args) {
    area.Add(arg->Name + ":", {LineValue::Kind::kArgument, arg->Position});
    for (std::size_t i = 0; i < arg->Options.size(); ++i) {
      writer.Write(arg->Options[i], index, area,
                   {LineValue::Kind::kOption, arg->Position, static_cast<int>(i)});
    }
  }
}

bool WritePreferred(const RunOutcome& outcome, const ArgIndex& index, LineList& memo5,
                    const RunContext& context) {
  switch (*outcome.preferred_outcome) {
    case PreferredOutcome::kStopped:
      memo5.Add(kStoppedLine);
      return false;
    case PreferredOutcome::kTooManyAmbiguous:
      memo5.Add(kTooManyAmbiguous);
      break;
    case PreferredOutcome::kTooMany:
      memo5.Add(kTooManyPreferred);
      break;
    case PreferredOutcome::kDone:
      break;
  }
  memo5.Add("");
  memo5.Add("Preferred extensions");
  if (!WritePreferredLines(outcome.preferred, index, memo5, context)) return false;
  memo5.Add("");
  memo5.Add(ElapsedLine(*outcome.preferred_time));
  return true;
}

}  // namespace dialectic
