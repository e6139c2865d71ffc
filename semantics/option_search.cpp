#include "semantics/option_search.h"

#include <string>
#include <utility>
#include <vector>

namespace dialectic {

namespace {

enum class PhaseEnd { kStable, kDepthUsedUp, kLimit, kStopped };

using Snapshot = std::vector<std::pair<RankSet, RankSet>>;

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
  OptionSearch(const ArgIndex& index, const SearchSettings& settings, SearchOutcome& outcome)
      : index_(index), settings_(settings), outcome_(outcome) {}

  // Both phases for one argument; false when stopped.
  bool SearchOptions(TArg& arg) {
    const int rank = index_.RankOf(arg);
    arg.Options.clear();
    Options& proof = arg.Options;
    TProofLabeling& proof_start = proof.emplace_back();
    proof_start.Arg = &arg;
    proof_start.InArgs.Add(rank);
    proof_start.NewIn.Add(rank);
    OptionStages& stages = outcome_.stages[static_cast<std::size_t>(arg.Position)];
    if (!SearchPhase(arg, proof, Phase::kProof, stages.proof_stage)) return false;
    Options proof_options = std::move(proof);
    stages.proof_count = static_cast<int>(proof_options.size());

    Options refutation;
    TProofLabeling& refutation_start = refutation.emplace_back();
    refutation_start.Arg = &arg;
    refutation_start.OutArgs.Add(rank);
    refutation_start.NewOut.Add(rank);
    const bool completed =
        SearchPhase(arg, refutation, Phase::kRefutation, stages.refutation_stage);
    arg.Options = std::move(proof_options);
    arg.Options.insert(arg.Options.end(), std::make_move_iterator(refutation.begin()),
                       std::make_move_iterator(refutation.end()));
    // The options stay for the listings and the preferred extensions: keep them compact.
    arg.Options.shrink_to_fit();
    for (TProofLabeling& option : arg.Options) {
      option.InArgs.ShrinkToFit();
      option.OutArgs.ShrinkToFit();
    }

    return completed;
  }

 private:
  // Runs the stages of one phase. Proof phases defend at even stages and counter at odd ones;
  // refutation phases the other way round. Sets final_stage to the stage that gave the options
  // their final form. False when stopped.
  bool SearchPhase(const TArg& arg, Options& options, Phase phase, int& final_stage) {
    if (observer_ != nullptr) {
      observer_->PhaseBegins(arg, phase);
      observer_->StageReached(0, options);
    }
    const PhaseEnd end = RunStages(arg, options, phase, final_stage);
    // Each option costs about as much as a few names besides its names.
    held_names_ += LiveNames(options) + 4 * options.size();
    if (end == PhaseEnd::kStopped) {
      final_stage = -1;
      if (observer_ != nullptr) observer_->Stopped();
      return false;
    }
    if (end == PhaseEnd::kDepthUsedUp) RecordCutOff(arg, phase, CutOffReason::kDepth);
    if (observer_ != nullptr) observer_->PhaseEnds();
    return true;
  }

  PhaseEnd RunStages(const TArg& arg, Options& options, Phase phase, int& final_stage) {
    const int defend_parity = phase == Phase::kProof ? 0 : 1;
    int n = 0;
    for (; n < settings_.Depth;) {
      final_stage = n;
      if (settings_.Run.StopRequested()) return PhaseEnd::kStopped;
      TakeSnapshot(options);
      if (n % 2 == defend_parity) {
        DefendStep(options, index_);
      } else if (CounterStep(options, index_) == StepOutcome::kTooManyCombinations) {
        // The options stay those of the last completed stage.
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
        RecordCutOff(arg, phase, CutOffReason::kOptions);
        return PhaseEnd::kLimit;
      }
      settings_.Run.AddCandidates(options.size());
      ++n;
      if (IsStable(options, snapshot_)) {
        // A stage that only dropped options from the end gave the options their final form.
        if (options.size() < snapshot_.size()) final_stage = n;
        if (observer_ != nullptr) observer_->StageUnchanged(n, options.empty());
        return PhaseEnd::kStable;
      }
      if (observer_ != nullptr) observer_->StageReached(n, options);
    }
    final_stage = n;
    return PhaseEnd::kDepthUsedUp;
  }

  void RecordCutOff(const TArg& arg, Phase phase, CutOffReason reason) {
    outcome_.cut_offs.push_back({&arg, phase, reason});
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

  const ArgIndex& index_;
  const SearchSettings& settings_;
  SearchObserver* const observer_ = settings_.Observer;
  SearchOutcome& outcome_;
  Snapshot snapshot_;
  std::uint64_t searched_names_ = 0;  // names held after every stage so far, summed
  std::uint64_t held_names_ = 0;      // names in the options of every phase that has ended
};

}  // namespace

SearchOutcome ComputeAllOptions(TTheory& theory, const ArgIndex& index,
                                const SearchSettings& settings) {
  SearchOutcome outcome;
  outcome.stages.resize(static_cast<std::size_t>(theory.Args.Count()));
  settings.Run.BeginPhase(RunPhase::kOptions, theory.Args.Count());
  OptionSearch search(index, settings, outcome);
  for (TArg* arg : theory.Args) {
    settings.Run.SetArgument(arg->Position + 1);
    if (!search.SearchOptions(*arg)) {
      outcome.completed = false;
      break;
    }
  }
  return outcome;
}

}  // namespace dialectic
