#include "semantics/option_search.h"

#include <string>
#include <utility>
#include <vector>

namespace dialectic {

namespace {

enum class PhaseEnd { kStable, kDepthUsedUp, kLimit, kStopped };

using Snapshot = std::vector<std::pair<RankSet, RankSet>>;

void AddWarning(LineList& memo2, std::string_view text) {
  memo2.Add("***");
  memo2.Add(text);
  memo2.Add("***");
}

// Whether every option equals the snapshot at its position (IN and OUT exactly); snapshot entries
// past the end of the options are not looked at.
bool IsStable(const Options& options, const Snapshot& snapshot) {
  if (options.size() > snapshot.size()) return false;
  for (std::size_t i = 0; i < options.size(); ++i) {
    if (!(options[i].InArgs == snapshot[i].first) || !(options[i].OutArgs == snapshot[i].second))
      return false;
  }
  return true;
}

std::size_t LiveNames(const Options& options) {
  std::size_t names = 0;
  for (const TProofLabeling& option : options)
    names += static_cast<std::size_t>(option.InArgs.Count() + option.OutArgs.Count());
  return names;
}

class OptionSearch {
 public:
  OptionSearch(const ArgIndex& index, const SearchContext& context)
      : index_(index), context_(context) {}

  // Both phases for one argument; false when stopped.
  bool SearchOptions(TArg& arg) {
    const int rank = index_.RankOf(arg);
    arg.Options.clear();
    Options& proof = arg.Options;
    TProofLabeling& proof_start = proof.emplace_back();
    proof_start.Arg = &arg;
    proof_start.InArgs.Add(rank);
    proof_start.NewIn.Add(rank);
    if (!SearchPhase(arg, proof, Phase::kProof)) return false;
    if (context_.ShowTrace) context_.Memo3.Add("");
    Options proof_options = std::move(proof);

    Options refutation;
    TProofLabeling& refutation_start = refutation.emplace_back();
    refutation_start.Arg = &arg;
    refutation_start.OutArgs.Add(rank);
    refutation_start.NewOut.Add(rank);
    const bool completed = SearchPhase(arg, refutation, Phase::kRefutation);
    arg.Options = std::move(proof_options);
    arg.Options.insert(arg.Options.end(), std::make_move_iterator(refutation.begin()),
                       std::make_move_iterator(refutation.end()));
    // The options stay for the listings and the preferred extensions: keep them compact.
    arg.Options.shrink_to_fit();
    for (TProofLabeling& option : arg.Options) {
      option.InArgs.ShrinkToFit();
      option.OutArgs.ShrinkToFit();
    }

    if (!completed) return false;
    if (context_.ShowTrace) context_.Memo3.Add("");
    return true;
  }

 private:
  // Runs the stages of one phase. Proof phases defend at even stages and counter at odd ones;
  // refutation phases the other way round. False when stopped.
  bool SearchPhase(const TArg& arg, Options& options, Phase phase) {
    TraceStage(arg, options, 0, phase);
    const PhaseEnd end = RunStages(arg, options, phase);
    // Each option costs about as much as a few names besides its names.
    held_names_ += LiveNames(options) + 4 * options.size();
    switch (end) {
      case PhaseEnd::kStable:
      case PhaseEnd::kLimit:
        return true;
      case PhaseEnd::kDepthUsedUp:
        AddWarning(context_.Memo2, "Check whether computation depth was sufficient");
        RecordCutOff(arg, phase, CutOffReason::kDepth);
        return true;
      case PhaseEnd::kStopped:
        context_.Memo3.Add(kStoppedLine);
        return false;
    }
    return true;
  }

  PhaseEnd RunStages(const TArg& arg, Options& options, Phase phase) {
    const int defend_parity = phase == Phase::kProof ? 0 : 1;
    for (int n = 0; n < context_.Depth;) {
      if (context_.Run.StopRequested()) return PhaseEnd::kStopped;
      TakeSnapshot(options);
      if (n % 2 == defend_parity) {
        DefendStep(options, index_);
      } else if (CounterStep(options, index_) == StepOutcome::kTooManyCombinations) {
        // The options stay those of the last completed stage.
        AddWarning(context_.Memo2, "Too many counter-attack combinations for " + arg.Name);
        RecordCutOff(arg, phase, CutOffReason::kCombinations);
        return PhaseEnd::kLimit;
      }
      const std::size_t live_names = LiveNames(options);
      searched_names_ += live_names;
      if (live_names > kMaxLiveNames || searched_names_ > kMaxSearchNames ||
          held_names_ + live_names > kMaxHeldNames) {
        // Dropping options would change what the search finds, so the phase keeps the options of
        // its last completed stage, as past the combination limits.
        RestoreSnapshot(arg, options);
        AddWarning(context_.Memo2, "Too many options to follow for " + arg.Name);
        RecordCutOff(arg, phase, CutOffReason::kOptions);
        return PhaseEnd::kLimit;
      }
      context_.Run.AddCandidates(options.size());
      ++n;
      if (IsStable(options, snapshot_)) {
        context_.Memo3.Add(std::to_string(n) + ":");
        context_.Memo3.Add(options.empty() ? "  <none>" : "  <as previous level>");
        return PhaseEnd::kStable;
      }
      TraceStage(arg, options, n, phase);
    }
    return PhaseEnd::kDepthUsedUp;
  }

  void RecordCutOff(const TArg& arg, Phase phase, CutOffReason reason) {
    if (context_.CutOffs != nullptr) context_.CutOffs->push_back({&arg, phase, reason});
  }

  // Copies the IN and OUT sets of the options, reusing the snapshot's storage.
  void TakeSnapshot(const Options& options) {
    snapshot_.resize(options.size());
    for (std::size_t i = 0; i < options.size(); ++i) {
      snapshot_[i].first = options[i].InArgs;
      snapshot_[i].second = options[i].OutArgs;
    }
  }

  void RestoreSnapshot(const TArg& arg, Options& options) {
    options.clear();
    for (auto& [in, out] : snapshot_) {
      TProofLabeling& option = options.emplace_back();
      option.Arg = &arg;
      option.InArgs = std::move(in);
      option.OutArgs = std::move(out);
    }
  }

  // With the trace on: the phase heading at stage 0, the stage number and every option.
  void TraceStage(const TArg& arg, const Options& options, int stage, Phase phase) {
    if (!context_.ShowTrace) return;
    if (stage == 0) {
      context_.Memo3.Add((phase == Phase::kProof ? "Partial proof options of "
                                                 : "Partial refutation options of ") +
                         arg.Name);
    }
    context_.Memo3.Add(std::to_string(stage) + ":");
    for (const TProofLabeling& option : options) writer_.Write(option, index_, context_.Memo3);
  }

  const ArgIndex& index_;
  const SearchContext& context_;
  Snapshot snapshot_;
  LabelingWriter writer_;
  std::uint64_t searched_names_ = 0;  // names held after every stage so far, summed
  std::uint64_t held_names_ = 0;      // names in the options of every phase that has ended
};

}  // namespace

bool ComputeAllOptions(TTheory& theory, const ArgIndex& index, const SearchContext& context) {
  context.Memo3.Clear();
  context.Run.BeginPhase(RunPhase::kOptions, theory.Args.Count());
  OptionSearch search(index, context);
  for (TArg* arg : theory.Args) {
    context.Run.SetArgument(arg->Position + 1);
    if (!search.SearchOptions(*arg)) return false;
  }
  return true;
}

}  // namespace dialectic
