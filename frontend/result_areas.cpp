#include "frontend/result_areas.h"

#include <cstdint>
#include <functional>
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

// The texts of lines already in an area, to tell whether a text is new: an open-addressing table
// of line numbers with a part of each text's hash beside it, sized once for the lines to come. A
// node-based set would allocate for each of 131,072 lines and miss the cache on each look.
class SeenTexts {
 public:
  // Room for up to count texts, each a line of the area from offset on.
  SeenTexts(const LineList& area, std::size_t offset, std::size_t count)
      : area_(area), offset_(offset) {
    std::size_t capacity = 16;
    while (capacity < 2 * count) capacity *= 2;
    slots_.assign(capacity, 0);
  }

  // Whether some line noted so far holds the text from the offset on.
  bool Contains(std::string_view text) const { return slots_[Find(text, Hash(text))] != 0; }
  // Notes the area's line, which must hold a text not noted before.
  void Note(int line) {
    const std::string_view text = area_.Get(line).substr(offset_);
    const std::uint64_t hash = Hash(text);
    slots_[Find(text, hash)] = (hash & kHashMask) | (static_cast<std::uint64_t>(line) + 1);
  }

 private:
  // A slot holds the high half of the text's hash and, below it, the line number plus one; zero
  // marks an empty slot.
  static constexpr std::uint64_t kHashMask = ~std::uint64_t{0} << 32;

  static std::uint64_t Hash(std::string_view text) { return std::hash<std::string_view>{}(text); }

  // The slot of the text, or the empty slot where it would go.
  std::size_t Find(std::string_view text, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
      const std::uint64_t slot = slots_[at];
      if (slot == 0) return at;
      if ((slot & kHashMask) != (hash & kHashMask)) continue;
      const int line = static_cast<int>((slot & ~kHashMask) - 1);
      if (area_.Get(line).substr(offset_) == text) return at;
    }
  }

  const LineList& area_;
  const std::size_t offset_;
  std::vector<std::uint64_t> slots_;
};

// One listing line per distinct text, each referring to the first candidate that has it.
bool WritePreferredLines(const std::vector<TProofLabeling>& preferred, const ArgIndex& index,
                         LineList& area, const RunContext& context) {
  // How many candidates go between two looks at the stop request.
  constexpr std::size_t kStopCheckInterval = 4096;
  // The lines begin with two blanks; the texts after them are compared.
  constexpr std::size_t kIndent = 2;
  SeenTexts seen_texts(area, kIndent, preferred.size());
  std::string line;
  for (std::size_t i = 0; i < preferred.size(); ++i) {
    if (i % kStopCheckInterval == 0 && context.StopRequested()) {
      area.Add(kStoppedLine);
      return false;
    }
    const TProofLabeling& candidate = preferred[i];
    line.assign("  ");
    AppendLabelingText(candidate.InArgs, candidate.OutArgs, index, line);
    if (seen_texts.Contains(std::string_view(line).substr(kIndent))) continue;
    area.Add(line, {LineValue::Kind::kPreferred, -1, static_cast<int>(i)});
    seen_texts.Note(area.Count() - 1);
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
