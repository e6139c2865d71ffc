#include "frontend/practice.h"

#include <algorithm>
#include <cassert>
#include <unordered_map>
#include <utility>

namespace dialectic {

namespace {

using exact::Label;
using exact::Player;

const std::string& NameAt(const Framework& framework, int position) {
  return framework.NameOf(position);
}

std::string JoinedNames(const Framework& framework, const std::vector<int>& positions) {
  std::string text;
  for (const int p : positions) {
    if (!text.empty()) text += ", ";
    text += NameAt(framework, p);
  }
  return text;
}

std::string Upper(std::string_view word) {
  std::string upper(word);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string_view PlayerName(Player player) {
  return player == Player::kProponent ? "Proponent" : "Opponent";
}

}  // namespace

const std::vector<exact::Semantics>& ExerciseSemanticsList() {
  static const std::vector<exact::Semantics> kList = {
      exact::Semantics::kGrounded, exact::Semantics::kComplete, exact::Semantics::kPreferred,
      exact::Semantics::kStable};
  return kList;
}

std::string LabelingText(const Framework& framework, const std::vector<Label>& labels) {
  std::string text;
  for (const auto& [label, word] : {std::pair{Label::kIn, "IN:"}, std::pair{Label::kOut, "OUT:"},
                                    std::pair{Label::kUndec, "UNDEC:"}}) {
    std::string part;
    for (int p = 0; p < framework.Size(); ++p) {
      if (labels[p] == label) part += " " + NameAt(framework, p);
    }
    if (part.empty()) continue;
    if (!text.empty()) text += ' ';
    text += word + part;
  }
  return text;
}

LabelingRead ReadLabelingText(const Framework& framework, std::string_view text) {
  std::unordered_map<std::string, int> position_of;
  for (int p = 0; p < framework.Size(); ++p) position_of.emplace(NameAt(framework, p), p);
  std::vector<Label> labels(static_cast<std::size_t>(framework.Size()), Label::kUndec);
  std::vector<bool> named(labels.size(), false);
  std::optional<Label> current;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = text.find_first_not_of(" \t\r\n", at);
    if (start == std::string_view::npos) break;
    std::size_t end = text.find_first_of(" \t\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    at = end;
    const std::string_view word = text.substr(start, end - start);
    const std::string upper = Upper(word);
    if (upper == "IN:" || upper == "OUT:" || upper == "UNDEC:") {
      current = upper == "IN:" ? Label::kIn : upper == "OUT:" ? Label::kOut : Label::kUndec;
      continue;
    }
    const auto found = position_of.find(std::string(word));
    if (found == position_of.end()) {
      return {std::nullopt, "\"" + std::string(word) + "\" is not an argument"};
    }
    if (!current) {
      return {std::nullopt,
              "\"" + std::string(word) + "\" comes before any of IN:, OUT: and UNDEC:"};
    }
    if (named[found->second]) {
      return {std::nullopt, "\"" + std::string(word) + "\" is named twice"};
    }
    named[found->second] = true;
    labels[found->second] = *current;
  }
  return {std::move(labels), {}};
}

std::string VerdictText(const Framework& framework, exact::Semantics semantics,
                        const exact::ExerciseVerdict& verdict) {
  const std::string name(exact::SemanticsWord(semantics));
  if (verdict.outcome == exact::Outcome::kStopped) return "The check was stopped.";
  if (verdict.IsRight()) return "Right: this is a " + name + " labeling.";
  const std::vector<int>& args = verdict.arguments;
  std::string detail;
  switch (verdict.rule) {
    case exact::ExerciseRule::kInAttackedByIn:
    case exact::ExerciseRule::kInAttackerNotOut:
    case exact::ExerciseRule::kUndecidedAttackedByIn:
      detail = NameAt(framework, args[1]) + " attacks " + NameAt(framework, args[0]);
      break;
    case exact::ExerciseRule::kLargerAdmissible:
      detail = JoinedNames(framework, args) + " (the admissible set " +
               JoinedNames(framework, *verdict.larger) + ")";
      break;
    default:
      detail = JoinedNames(framework, args);
      break;
  }
  return "Not a " + name + " labeling: " + std::string(exact::ExerciseRuleText(verdict.rule)) +
         ": " + detail + ".";
}

ExerciseSession::ExerciseSession(Framework framework, exact::Semantics semantics)
    : framework_(std::move(framework)),
      semantics_(semantics),
      labels_(static_cast<std::size_t>(framework_.Size()), Label::kUndec) {
  assert(exact::IsExerciseSemantics(semantics));
}

void ExerciseSession::SetSemantics(exact::Semantics semantics) {
  assert(exact::IsExerciseSemantics(semantics));
  semantics_ = semantics;
  verdict_.reset();
}

void ExerciseSession::Cycle(int position) {
  if (position < 0 || position >= framework_.Size()) return;
  Label& label = labels_[position];
  label = label == Label::kUndec ? Label::kIn : label == Label::kIn ? Label::kOut : Label::kUndec;
  verdict_.reset();
}

void ExerciseSession::SetLabels(std::vector<Label> labels) {
  assert(labels.size() == labels_.size());
  labels_ = std::move(labels);
  verdict_.reset();
}

std::string ExerciseSession::Check(RunContext& context) {
  verdict_ = exact::CheckExercise(framework_.Graph(), semantics_, labels_, context);
  return VerdictText(framework_, semantics_, *verdict_);
}

std::string ExerciseSession::ShowAnswer(RunContext& context) {
  const std::string name(exact::SemanticsWord(semantics_));
  std::optional<std::vector<Label>> answer =
      exact::ExerciseAnswer(framework_.Graph(), semantics_, context);
  verdict_.reset();
  if (!answer) {
    return context.StopRequested() ? "The search for an answer was stopped."
                                   : "There is no " + name + " labeling of this framework.";
  }
  labels_ = std::move(*answer);
  return "A " + name + " labeling: " + LabelingText(framework_, labels_);
}

std::vector<NodeState> ExerciseSession::States() const {
  std::vector<NodeState> states;
  states.reserve(labels_.size());
  for (const Label label : labels_) {
    states.push_back(label == Label::kIn    ? NodeState::kIn
                     : label == Label::kOut ? NodeState::kOut
                                            : NodeState::kUndecided);
  }
  if (verdict_ && !verdict_->IsRight() && !verdict_->arguments.empty()) {
    for (int p = 0; p < framework_.Size(); ++p) {
      const std::vector<int>& involved = verdict_->arguments;
      if (std::find(involved.begin(), involved.end(), p) == involved.end()) {
        states[p] = NodeState::kPlain;
      }
    }
  }
  return states;
}

int ExerciseSession::Outlined() const {
  if (verdict_ && !verdict_->IsRight() && !verdict_->arguments.empty()) {
    return verdict_->arguments.front();
  }
  return -1;
}

GameSession::GameSession(Framework framework, exact::GameKind kind, int argument, Player user,
                         RunContext& context)
    : framework_(std::move(framework)),
      game_(framework_.Graph(), kind, argument),
      user_(user),
      proponent_can_win_(exact::ProponentCanWin(framework_.Graph(), kind, argument, context)) {
  ProgramPlays(context);
}

void GameSession::ProgramPlays(RunContext& context) {
  if (game_.IsOver() || game_.ToMove() == user_) return;
  const exact::ProgramMove move = exact::ChooseMove(game_, context);
  if (move.argument) game_.Play(*move.argument);
}

std::string GameSession::UserPlays(int position, RunContext& context) {
  if (!game_.IsOver() && game_.ToMove() != user_) return "it is the program's turn";
  const exact::MoveRefusal refusal = game_.Play(position);
  if (refusal != exact::MoveRefusal::kNone) {
    const std::string what =
        position >= 0 && position < framework_.Size() ? NameAt(framework_, position) + ": " : "";
    return what + std::string(exact::MoveRefusalText(refusal));
  }
  ProgramPlays(context);
  return {};
}

std::string GameSession::Names(const std::vector<int>& positions) const {
  return JoinedNames(framework_, positions);
}

std::vector<std::string> GameSession::MoveLines() const {
  std::vector<std::string> lines;
  int number = 0;
  for (const exact::GameMove& move : game_.Moves()) {
    std::string line = std::to_string(++number) + ". " + std::string(PlayerName(move.player)) +
                       (move.player == user_ ? " (you): " : " (program): ") +
                       NameAt(framework_, move.argument);
    if (move.target >= 0) line += ", attacking " + NameAt(framework_, move.target);
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string GameSession::StatusText() const {
  const bool grounded = game_.Kind() == exact::GameKind::kGrounded;
  const std::string& claim = NameAt(framework_, game_.Argument());
  const exact::GameMove& last = game_.Moves().back();
  if (!game_.IsOver()) {
    if (game_.ToMove() != user_) return "The program is to move.";
    if (user_ == Player::kOpponent) {
      return grounded ? "Your move: click an attacker of " + NameAt(framework_, last.argument) + "."
                      : "Your move: click an attacker of the proponent's arguments (" +
                            Names(game_.ProponentArguments()) + ") that they do not attack yet.";
    }
    return grounded ? "Your move: click an attacker of " + NameAt(framework_, last.argument) +
                          " that you have not played yet."
                    : "Your move: click an attacker of " + NameAt(framework_, last.argument) +
                          " that conflicts with none of your arguments.";
  }
  const Player winner = *game_.Winner();
  std::string text =
      std::string(PlayerName(winner)) + (winner == user_ ? " (you)" : " (program)") + " wins: ";
  switch (game_.End()) {
    case exact::GameEnd::kProponentStuck:
      text += "the proponent has no legal answer to " + NameAt(framework_, last.argument) + ".";
      break;
    case exact::GameEnd::kOpponentStuck:
      text += grounded ? NameAt(framework_, last.argument) + " has no attacker."
                       : "the proponent's arguments (" + Names(game_.ProponentArguments()) +
                             ") attack every attacker of theirs: an admissible set holding " +
                             claim + ".";
      break;
    case exact::GameEnd::kSelfAttackingClaim:
      text += claim + " attacks itself, so no admissible set holds it.";
      break;
    case exact::GameEnd::kNotOver:
      break;
  }
  if (proponent_can_win_) {
    text += grounded ? (*proponent_can_win_ ? " " + claim + " is IN in the grounded labeling."
                                            : " " + claim + " is not IN in the grounded labeling.")
                     : (*proponent_can_win_ ? " " + claim + " is in some preferred extension."
                                            : " " + claim + " is in no preferred extension.");
  }
  return text;
}

std::vector<NodeState> GameSession::States() const {
  std::vector<NodeState> states(static_cast<std::size_t>(framework_.Size()), NodeState::kUndecided);
  for (const exact::GameMove& move : game_.Moves()) {
    NodeState& state = states[move.argument];
    const NodeState side = move.player == Player::kProponent ? NodeState::kIn : NodeState::kOut;
    state = state == NodeState::kUndecided || state == side ? side : NodeState::kInAndOut;
  }
  return states;
}

}  // namespace dialectic
