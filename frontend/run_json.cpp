#include "frontend/run_json.h"

#include <string>
#include <string_view>
#include <vector>

#include "frontend/explanation_json.h"
#include "model/arg_index.h"

namespace dialectic {

namespace {

using Json = nlohmann::ordered_json;

// The argument's name without the blank that ends every name.
std::string WordOf(const TArg& arg) {
  std::string_view name = arg.Name;
  if (name.ends_with(' ')) name.remove_suffix(1);
  return JsonName(std::string(name));
}

Json NamesJson(const std::vector<int>& positions, const TTheory& theory) {
  Json names = Json::array();
  for (int position : positions) names.push_back(WordOf(theory.Args[position]));
  return names;
}

Json LabelingJson(const PositionLabeling& labeling, const TTheory& theory) {
  return {{"in", NamesJson(labeling.in, theory)}, {"out", NamesJson(labeling.out, theory)}};
}

Json LabelingJson(const TProofLabeling& labeling, const RunOutcome& outcome,
                  const TTheory& theory) {
  return LabelingJson(PositionsOf(labeling.InArgs, labeling.OutArgs, outcome.position_of_rank),
                      theory);
}

Json TimeJson(const std::optional<std::chrono::milliseconds>& time) {
  return time ? Json(time->count()) : Json(nullptr);
}

Json TheoryJson(const TTheory& theory) {
  Json arguments = Json::array();
  Json attacks = Json::array();
  for (const TArg* arg : theory.Args) {
    arguments.push_back(WordOf(*arg));
    for (const TArg* attacker : arg->Attackers) {
      attacks.push_back(Json::array({WordOf(*attacker), WordOf(*arg)}));
    }
  }
  return {{"arguments", std::move(arguments)}, {"attacks", std::move(attacks)}};
}

// Every argument's options in theory order; none before the search has ended.
Json OptionsJson(const TTheory& theory, const RunOutcome& outcome) {
  Json arguments = Json::array();
  if (!outcome.options_completed) return arguments;
  for (const TArg* arg : theory.Args) {
    const OptionStages& stages = outcome.stages[static_cast<std::size_t>(arg->Position)];
    Json proof = Json::array();
    Json refutation = Json::array();
    for (std::size_t i = 0; i < arg->Options.size(); ++i) {
      const bool is_proof = static_cast<int>(i) < stages.proof_count;
      Json option = LabelingJson(arg->Options[i], outcome, theory);
      option["stage"] = is_proof ? stages.proof_stage : stages.refutation_stage;
      (is_proof ? proof : refutation).push_back(std::move(option));
    }
    arguments.push_back(
        {{"argument", WordOf(*arg)}, {"proof", std::move(proof)}, {"refutation", refutation}});
  }
  return arguments;
}

std::string_view PreferredOutcomeName(PreferredOutcome outcome) {
  switch (outcome) {
    case PreferredOutcome::kDone:
      return "listed";
    case PreferredOutcome::kTooManyAmbiguous:
      return "too-many-ambiguous-arguments";
    case PreferredOutcome::kTooMany:
      return "too-many-extensions";
    case PreferredOutcome::kStopped:
      return "stopped";
  }
  return "";
}

// The extensions the extensions area lists, each text once, in its order.
Json PreferredJson(const RunOutcome& outcome, const TTheory& theory, const TextArea& memo5) {
  if (!outcome.preferred_outcome) return nullptr;
  Json listed = Json::array();
  for (int line = 0; line < memo5.Count(); ++line) {
    const LineValue* value = memo5.ValueAt(line);
    if (value == nullptr || value->kind != LineValue::Kind::kPreferred) continue;
    listed.push_back(
        LabelingJson(outcome.preferred[static_cast<std::size_t>(value->item)], outcome, theory));
  }
  return {{"outcome", PreferredOutcomeName(*outcome.preferred_outcome)},
          {"extensions", std::move(listed)},
          {"time_ms", TimeJson(outcome.preferred_time)}};
}

Json LimitsJson(const std::vector<PhaseCutOff>& cut_offs) {
  Json limits = Json::array();
  for (const PhaseCutOff& cut_off : cut_offs) {
    const std::string_view limit = cut_off.reason == CutOffReason::kDepth ? "depth"
                                   : cut_off.reason == CutOffReason::kCombinations
                                       ? "counter-attack-combinations"
                                       : "options";
    limits.push_back({{"limit", limit},
                      {"argument", WordOf(*cut_off.arg)},
                      {"phase", cut_off.phase == Phase::kProof ? "proof" : "refutation"}});
  }
  return limits;
}

std::string_view StatusName(CheckStatus status) {
  switch (status) {
    case CheckStatus::kAllListed:
      return "all-listed";
    case CheckStatus::kMissingOrWrong:
      return "missing-or-wrong";
    case CheckStatus::kNotChecked:
      return "not-checked";
  }
  return "";
}

Json CheckJson(const CheckReport* check, const TTheory& theory) {
  if (check == nullptr) return nullptr;
  Json missing = Json::array();
  for (const PositionLabeling& labeling : check->missing) {
    missing.push_back(LabelingJson(labeling, theory));
  }
  Json wrong = Json::array();
  for (const WrongListing& listing : check->wrong) {
    Json line = LabelingJson(listing.labeling, theory);
    line["reason"] = JsonName(listing.reason);
    wrong.push_back(std::move(line));
  }
  return {{"status", StatusName(check->status)},
          {"verdict", JsonName(check->verdict)},
          {"grounded_right", check->grounded_right ? Json(*check->grounded_right) : Json(nullptr)},
          {"missing", std::move(missing)},
          {"wrong", std::move(wrong)}};
}

}  // namespace

Json RunJson(const RunJsonInput& run) {
  const RunOutcome& outcome = run.outcome;
  Json grounded = nullptr;
  if (outcome.grounded) {
    grounded = LabelingJson(*outcome.grounded, outcome, run.theory);
    grounded["time_ms"] = TimeJson(outcome.grounded_time);
  }
  return {{"settings", {{"depth", run.settings.depth}, {"trace", run.settings.show_trace}}},
          {"theory", TheoryJson(run.theory)},
          {"completed", run.completed},
          {"grounded", std::move(grounded)},
          {"options", OptionsJson(run.theory, outcome)},
          {"options_time_ms", TimeJson(outcome.options_time)},
          {"preferred", PreferredJson(outcome, run.theory, run.areas.Memo5)},
          {"limits", LimitsJson(outcome.cut_offs)},
          {"check", CheckJson(run.check, run.theory)}};
}

}  // namespace dialectic
