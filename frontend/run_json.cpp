#include "frontend/run_json.h"

#include <algorithm>
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

// A labeling's sides as positions in the theory's argument list: JSON integers, which the
// document stores inline, where names would cost a string each (65,536 extensions of 32 names).
Json LabelingJson(const PositionLabeling& labeling) {
  return {{"in", labeling.in}, {"out", labeling.out}};
}

Json LabelingJson(const TProofLabeling& labeling, const RunOutcome& outcome) {
  return LabelingJson(PositionsOf(labeling.InArgs, labeling.OutArgs, outcome.position_of_rank));
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
      attacks.push_back(Json::array({attacker->Position, arg->Position}));
    }
  }
  return {{"arguments", std::move(arguments)}, {"attacks", std::move(attacks)}};
}

// One argument's options, proof and refutation, each with the stage that found it.
Json ArgumentOptionsJson(const TArg& arg, const RunOutcome& outcome) {
  const OptionStages& stages = outcome.stages[static_cast<std::size_t>(arg.Position)];
  Json proof = Json::array();
  Json refutation = Json::array();
  for (std::size_t i = 0; i < arg.Options.size(); ++i) {
    const bool is_proof = static_cast<int>(i) < stages.proof_count;
    Json option = LabelingJson(arg.Options[i], outcome);
    option["stage"] = is_proof ? stages.proof_stage : stages.refutation_stage;
    (is_proof ? proof : refutation).push_back(std::move(option));
  }
  return {{"argument", WordOf(arg)}, {"proof", std::move(proof)}, {"refutation", refutation}};
}

// The arguments whose options the document lists: every one, in theory order, once the search
// has ended; none before.
int OptionsCount(const TTheory& theory, const RunOutcome& outcome) {
  return outcome.options_completed ? theory.Args.Count() : 0;
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

// The candidates that the extensions area lists, each text once, in its order.
std::vector<std::size_t> ListedCandidates(const TextArea& memo5) {
  std::vector<std::size_t> listed;
  for (int line = 0; line < memo5.Count(); ++line) {
    const LineValue* value = memo5.ValueAt(line);
    if (value != nullptr && value->kind == LineValue::Kind::kPreferred) {
      listed.push_back(static_cast<std::size_t>(value->item));
    }
  }
  return listed;
}

// The preferred part without its extensions, which the callers add.
Json PreferredJson(const RunOutcome& outcome) {
  if (!outcome.preferred_outcome) return nullptr;
  return {{"outcome", PreferredOutcomeName(*outcome.preferred_outcome)},
          {"extensions", Json::array()},
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

Json CheckJson(const CheckReport* check) {
  if (check == nullptr) return nullptr;
  Json missing = Json::array();
  for (const PositionLabeling& labeling : check->missing) {
    missing.push_back(LabelingJson(labeling));
  }
  Json wrong = Json::array();
  for (const WrongListing& listing : check->wrong) {
    Json line = LabelingJson(listing.labeling);
    line["reason"] = JsonName(listing.reason);
    wrong.push_back(std::move(line));
  }
  return {{"status", StatusName(check->status)},
          {"verdict", JsonName(check->verdict)},
          {"grounded_right", check->grounded_right ? Json(*check->grounded_right) : Json(nullptr)},
          {"missing", std::move(missing)},
          {"wrong", std::move(wrong)}};
}

std::string Dump(const Json& value) {
  return value.dump(-1, ' ', false, Json::error_handler_t::strict);
}

// Writes a long list of labelings as a JSON array, each as LabelingJson gives it, a block of them
// at a time: the block's documents are reused from one block to the next and dumped together, so
// that neither a document per labeling is built and destroyed nor a dump is made for each.
class LabelingListWriter {
 public:
  explicit LabelingListWriter(const std::vector<int>& position_of_rank)
      : position_of_rank_(position_of_rank) {}

  void Write(const std::vector<const TProofLabeling*>& labelings, std::ostream& out) {
    constexpr std::size_t kBlock = 512;
    Json block = Json::array();
    Json::array_t& documents = block.get_ref<Json::array_t&>();
    out << '[';
    for (std::size_t first = 0; first < labelings.size(); first += kBlock) {
      const std::size_t count = std::min(kBlock, labelings.size() - first);
      while (documents.size() < count) {
        documents.push_back({{"in", Json::array()}, {"out", Json::array()}});
      }
      documents.resize(count);
      for (std::size_t i = 0; i < count; ++i) {
        Fill(labelings[first + i]->InArgs, documents[i]["in"].get_ref<Json::array_t&>());
        Fill(labelings[first + i]->OutArgs, documents[i]["out"].get_ref<Json::array_t&>());
      }
      // The block's dump without its brackets is its part of the list.
      const std::string text = Dump(block);
      if (first > 0) out << ',';
      out.write(text.data() + 1, static_cast<std::streamsize>(text.size() - 2));
    }
    out << ']';
  }

 private:
  void Fill(const RankSet& ranks, Json::array_t& array) {
    positions_.clear();
    ranks.ForEach(
        [&](int rank) { positions_.push_back(position_of_rank_[static_cast<std::size_t>(rank)]); });
    std::sort(positions_.begin(), positions_.end());
    array.clear();
    for (int position : positions_) array.emplace_back(position);
  }

  const std::vector<int>& position_of_rank_;
  std::vector<int> positions_;
};

// The document with its two long lists, the options and the preferred extensions, left empty.
Json RunJsonFrame(const RunJsonInput& run) {
  const RunOutcome& outcome = run.outcome;
  Json grounded = nullptr;
  if (outcome.grounded) {
    grounded = LabelingJson(*outcome.grounded, outcome);
    grounded["time_ms"] = TimeJson(outcome.grounded_time);
  }
  return {{"settings", {{"depth", run.settings.depth}, {"trace", run.settings.show_trace}}},
          {"theory", TheoryJson(run.theory)},
          {"completed", run.completed},
          {"grounded", std::move(grounded)},
          {"options", Json::array()},
          {"options_time_ms", TimeJson(outcome.options_time)},
          {"preferred", PreferredJson(outcome)},
          {"limits", LimitsJson(outcome.cut_offs)},
          {"check", CheckJson(run.check)}};
}

// Writes the elements as one JSON array, each dumped on its own, so that no document of them all
// is ever built.
template <typename Element>
void WriteArray(std::size_t count, Element&& element, std::ostream& out) {
  out << '[';
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) out << ',';
    out << Dump(element(i));
  }
  out << ']';
}

}  // namespace

Json RunJson(const RunJsonInput& run) {
  Json document = RunJsonFrame(run);
  Json& options = document["options"];
  for (int i = 0; i < OptionsCount(run.theory, run.outcome); ++i) {
    options.push_back(ArgumentOptionsJson(run.theory.Args[i], run.outcome));
  }
  if (run.outcome.preferred_outcome) {
    Json& extensions = document["preferred"]["extensions"];
    for (std::size_t item : ListedCandidates(run.areas.Memo5)) {
      extensions.push_back(LabelingJson(run.outcome.preferred[item], run.outcome));
    }
  }
  return document;
}

void WriteRunJson(const RunJsonInput& run, std::ostream& out) {
  // The frame is dumped key by key; its two long lists are written element by element in its
  // place, so that the document's text is RunJson's dump without the whole document in memory.
  const Json frame = RunJsonFrame(run);
  out << '{';
  bool first = true;
  for (const auto& [key, value] : frame.items()) {
    out << (first ? "" : ",") << Dump(key) << ':';
    first = false;
    if (key == "options") {
      WriteArray(
          static_cast<std::size_t>(OptionsCount(run.theory, run.outcome)),
          [&](std::size_t i) {
            return ArgumentOptionsJson(run.theory.Args[static_cast<int>(i)], run.outcome);
          },
          out);
    } else if (key == "preferred" && value.is_object()) {
      const std::vector<std::size_t> listed = ListedCandidates(run.areas.Memo5);
      out << '{';
      bool first_part = true;
      for (const auto& [part, part_value] : value.items()) {
        out << (first_part ? "" : ",") << Dump(part) << ':';
        first_part = false;
        if (part == "extensions") {
          std::vector<const TProofLabeling*> labelings;
          labelings.reserve(listed.size());
          for (std::size_t item : listed) labelings.push_back(&run.outcome.preferred[item]);
          LabelingListWriter(run.outcome.position_of_rank).Write(labelings, out);
        } else {
          out << Dump(part_value);
        }
      }
      out << '}';
    } else {
      out << Dump(value);
    }
  }
  out << "}\n";
}

}  // namespace dialectic
