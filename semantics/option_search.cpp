#include "semantics/option_search.h"

#include <optional>
#include <string>
#include <vector>

#include "frontend/write_labeling.h"
#include "semantics/dense_option_search.h"
#include "semantics/dense_theory.h"
#include "semantics/stage_steps.h"

namespace dialectic {

namespace {

enum class Phase { kProof, kRefutation };

void AddWarning(TextArea& memo2, std::string_view text) {
  memo2.Add("***");
  memo2.Add(text);
  memo2.Add("***");
}

// Runs the stages of one phase on the argument's Options. Proof phases defend at even stages and
// counter at odd ones; refutation phases the other way round.
void SearchPhase(TArg& arg, Phase phase, const SearchContext& context) {
  const std::string_view phase_word = phase == Phase::kProof ? "proof" : "refutation";
  TraceStage(arg, 0, phase_word, context);
  const int defend_parity = phase == Phase::kProof ? 0 : 1;
  bool stable = false;
  for (int n = 0; n < context.Depth;) {
    TakeSnapshot(arg);
    if (n % 2 == defend_parity) {
      DefendStep(arg);
    } else if (CounterStep(arg) == StepOutcome::kTooManyCombinations) {
      // The options stay those of the last completed stage.
      AddWarning(context.Memo2, "Too many counter-attack combinations for " + arg.Name);
      return;
    }
    ++n;
    stable = IsStable(arg);
    if (stable) {
      context.Memo3.Add(std::to_string(n) + ":");
      context.Memo3.Add(arg.Options.empty() ? "  <none>" : "  <as previous level>");
      break;
    }
    TraceStage(arg, n, phase_word, context);
  }
  if (!stable) AddWarning(context.Memo2, "Check whether computation depth was sufficient");
}

TProofLabeling StartLabeling(TArg& arg) {
  TProofLabeling start;
  start.Theory = arg.Theory;
  start.Arg = &arg;
  return start;
}

}  // namespace

void ComputeAllOptions(TTheory& theory, const SearchContext& context) {
  if (const std::optional<DenseTheory> dense = MakeDenseTheory(theory)) {
    ComputeAllOptionsDense(*dense, context);
    return;
  }
  ComputeAllOptionsByName(theory, context);
}

void ComputeAllOptionsByName(TTheory& theory, const SearchContext& context) {
  context.Memo3.Clear();
  for (TArg* arg : theory.Args) SearchOptions(*arg, context);
}

void SearchOptions(TArg& arg, const SearchContext& context) {
  arg.Options.clear();

  TProofLabeling proof_start = StartLabeling(arg);
  proof_start.InArgs.Add(arg.Name);
  proof_start.NewIn.Add(arg.Name);
  arg.Options.push_back(std::move(proof_start));
  SearchPhase(arg, Phase::kProof, context);
  if (context.ShowTrace) context.Memo3.Add("");
  std::vector<TProofLabeling> proof_options = std::move(arg.Options);

  arg.Options.clear();
  TProofLabeling refutation_start = StartLabeling(arg);
  refutation_start.OutArgs.Add(arg.Name);
  refutation_start.NewOut.Add(arg.Name);
  arg.Options.push_back(std::move(refutation_start));
  SearchPhase(arg, Phase::kRefutation, context);

  arg.Options.insert(arg.Options.begin(), std::make_move_iterator(proof_options.begin()),
                     std::make_move_iterator(proof_options.end()));
  if (context.ShowTrace) context.Memo3.Add("");
}

void TakeSnapshot(TArg& arg) {
  arg.PrevOptions.clear();
  arg.PrevOptions.reserve(arg.Options.size());
  for (const TProofLabeling& option : arg.Options) {
    TProofLabeling& copy = arg.PrevOptions.emplace_back(StartLabeling(arg));
    copy.InArgs = option.InArgs;
    copy.OutArgs = option.OutArgs;
  }
}

bool IsStable(const TArg& arg) {
  if (arg.Options.size() > arg.PrevOptions.size()) return false;
  for (std::size_t i = 0; i < arg.Options.size(); ++i) {
    if (arg.Options[i].InArgs != arg.PrevOptions[i].InArgs ||
        arg.Options[i].OutArgs != arg.PrevOptions[i].OutArgs)
      return false;
  }
  return true;
}

void TraceStage(const TArg& arg, int stage, std::string_view phase, const SearchContext& context) {
  if (!context.ShowTrace) return;
  if (stage == 0) {
    const std::string heading =
        phase == "proof" ? "Partial proof options of " : "Partial refutation options of ";
    context.Memo3.Add(heading + arg.Name);
  }
  context.Memo3.Add(std::to_string(stage) + ":");
  TraceOptions(arg, context.Memo3);
}

void TraceOptions(const TArg& arg, TextArea& area) {
  for (const TProofLabeling& option : arg.Options) WriteLabeling(option, area);
}

}  // namespace dialectic
