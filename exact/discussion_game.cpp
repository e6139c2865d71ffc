#include "exact/discussion_game.h"

#include <algorithm>
#include <cassert>

#include "exact/grounded_proof.h"
#include "exact/labeling_solver.h"

namespace dialectic::exact {

namespace {

// Whether some admissible set holds every argument of the position; none when stopped.
std::optional<bool> HasAdmissibleSuperset(const ArgumentGraph& graph,
                                          const std::vector<int>& position, RunContext& context) {
  LabelingSolver solver(graph, BaseSemantics::kAdmissible, false, context);
  for (const int a : position) solver.Require({a, true});
  switch (solver.Solve({})) {
    case SolveResult::kSatisfiable:
      return true;
    case SolveResult::kUnsatisfiable:
      return false;
    case SolveResult::kStopped:
      break;
  }
  return std::nullopt;
}

// The grounded game's strategies. The proponent answers with an IN attacker of the least round,
// which lies below the round of the argument it defends, so its arguments descend in rounds and
// never repeat until the opponent has no attacker left. The opponent attacks a proponent argument
// that is not IN with an IN attacker of the least round where there is one (the same descent,
// seen from the other side), else with an UNDEC one: then every answer is OUT or UNDEC again, and
// the proponent, who may not repeat, runs out of answers first.
ProgramMove GroundedMove(const DiscussionGame& game, const std::vector<int>& legal) {
  const GroundedRounds rounds = NumberGroundedRounds(game.Graph());
  int best_in = -1;
  int first_undec = -1;
  for (const int a : legal) {
    if (rounds.labels[a] == Label::kIn &&
        (best_in < 0 || rounds.rounds[a] < rounds.rounds[best_in])) {
      best_in = a;
    }
    if (rounds.labels[a] == Label::kUndec && first_undec < 0) first_undec = a;
  }
  if (best_in >= 0) return {best_in, true};
  if (game.ToMove() == Player::kOpponent && first_undec >= 0) return {first_undec, true};
  return {legal.front(), false};
}

// The admissibility game's strategies, by SAT: the proponent wins from a position exactly when an
// admissible set holds it. So the proponent keeps its position inside one, and the opponent plays
// an attacker all of whose answers leave the position outside every admissible set; when the
// opponent is winning, such an attacker exists, since otherwise the proponent would win.
ProgramMove AdmissibilityMove(const DiscussionGame& game, const std::vector<int>& legal,
                              RunContext& context) {
  const ArgumentGraph& graph = game.Graph();
  std::vector<int> position = game.ProponentArguments();
  position.push_back(-1);
  auto holds_with = [&](int answer) {
    position.back() = answer;
    return HasAdmissibleSuperset(graph, position, context);
  };
  if (game.ToMove() == Player::kProponent) {
    for (const int answer : legal) {
      const std::optional<bool> holds = holds_with(answer);
      if (!holds) break;
      if (*holds) return {answer, true};
    }
    return {legal.front(), false};
  }
  for (const int attacker : legal) {
    bool every_answer_loses = true;
    for (const int answer : graph.attackers[attacker]) {
      const std::optional<bool> holds = holds_with(answer);
      if (!holds) return {legal.front(), false};
      // An answer in conflict with the position is no answer; HasAdmissibleSuperset refuses it
      // too, since no admissible set holds a conflict.
      if (*holds) {
        every_answer_loses = false;
        break;
      }
    }
    if (every_answer_loses) return {attacker, true};
  }
  return {legal.front(), false};
}

}  // namespace

std::string_view MoveRefusalText(MoveRefusal refusal) {
  switch (refusal) {
    case MoveRefusal::kNone:
      return "the move is legal";
    case MoveRefusal::kGameOver:
      return "the game is over";
    case MoveRefusal::kNotAnArgument:
      return "there is no such argument";
    case MoveRefusal::kNotAnAttacker:
      return "it does not attack the argument it has to attack";
    case MoveRefusal::kRepeated:
      return "the proponent has played it already";
    case MoveRefusal::kAlreadyAnswered:
      return "the proponent's arguments attack it already";
    case MoveRefusal::kConflict:
      return "it conflicts with the proponent's arguments";
  }
  return "";
}

std::string_view GameEndText(GameEnd end) {
  switch (end) {
    case GameEnd::kNotOver:
      return "the game goes on";
    case GameEnd::kProponentStuck:
      return "the proponent has no legal answer to the opponent's last argument";
    case GameEnd::kOpponentStuck:
      return "the opponent has no legal attack left";
    case GameEnd::kSelfAttackingClaim:
      return "the argument attacks itself, so no admissible set holds it";
  }
  return "";
}

DiscussionGame::DiscussionGame(const ArgumentGraph& graph, GameKind kind, int argument)
    : graph_(graph),
      kind_(kind),
      played_by_proponent_(static_cast<std::size_t>(graph.Size()), false) {
  assert(argument >= 0 && argument < graph.Size());
  moves_.push_back({Player::kProponent, argument, -1});
  proponent_.push_back(argument);
  played_by_proponent_[argument] = true;
  UpdateEnd();
}

Player DiscussionGame::ToMove() const {
  return moves_.back().player == Player::kProponent ? Player::kOpponent : Player::kProponent;
}

std::optional<Player> DiscussionGame::Winner() const {
  switch (end_) {
    case GameEnd::kNotOver:
      return std::nullopt;
    case GameEnd::kOpponentStuck:
      return Player::kProponent;
    case GameEnd::kProponentStuck:
    case GameEnd::kSelfAttackingClaim:
      return Player::kOpponent;
  }
  return std::nullopt;
}

bool DiscussionGame::Attacks(int attacker, int target) const {
  const std::vector<int>& list = graph_.attackers[target];
  return std::find(list.begin(), list.end(), attacker) != list.end();
}

bool DiscussionGame::AttacksProponent(int argument) const {
  return std::any_of(proponent_.begin(), proponent_.end(),
                     [&](int p) { return Attacks(argument, p); });
}

bool DiscussionGame::ConflictsWithProponent(int argument) const {
  if (Attacks(argument, argument)) return true;
  return std::any_of(proponent_.begin(), proponent_.end(),
                     [&](int p) { return Attacks(argument, p) || Attacks(p, argument); });
}

int DiscussionGame::TargetOf(int argument) const {
  if (kind_ == GameKind::kAdmissibility && ToMove() == Player::kOpponent) {
    for (const int p : proponent_) {
      if (Attacks(argument, p)) return p;
    }
    return -1;
  }
  return moves_.back().argument;
}

MoveRefusal DiscussionGame::Refusal(int argument) const {
  if (IsOver()) return MoveRefusal::kGameOver;
  if (argument < 0 || argument >= graph_.Size()) return MoveRefusal::kNotAnArgument;
  const int target = TargetOf(argument);
  if (target < 0 || !Attacks(argument, target)) return MoveRefusal::kNotAnAttacker;
  if (ToMove() == Player::kOpponent) {
    if (kind_ == GameKind::kAdmissibility) {
      for (const int p : proponent_) {
        if (Attacks(p, argument)) return MoveRefusal::kAlreadyAnswered;
      }
    }
    return MoveRefusal::kNone;
  }
  if (kind_ == GameKind::kGrounded) {
    return played_by_proponent_[argument] ? MoveRefusal::kRepeated : MoveRefusal::kNone;
  }
  return ConflictsWithProponent(argument) ? MoveRefusal::kConflict : MoveRefusal::kNone;
}

std::vector<int> DiscussionGame::LegalMoves() const {
  std::vector<int> legal;
  if (IsOver()) return legal;
  auto consider = [&](int target) {
    for (const int a : graph_.attackers[target]) {
      if (Refusal(a) == MoveRefusal::kNone &&
          std::find(legal.begin(), legal.end(), a) == legal.end()) {
        legal.push_back(a);
      }
    }
  };
  if (kind_ == GameKind::kAdmissibility && ToMove() == Player::kOpponent) {
    for (const int p : proponent_) consider(p);
  } else {
    consider(moves_.back().argument);
  }
  return legal;
}

MoveRefusal DiscussionGame::Play(int argument) {
  const MoveRefusal refusal = Refusal(argument);
  if (refusal != MoveRefusal::kNone) return refusal;
  const Player player = ToMove();
  moves_.push_back({player, argument, TargetOf(argument)});
  if (player == Player::kProponent) {
    proponent_.push_back(argument);
    played_by_proponent_[argument] = true;
  }
  UpdateEnd();
  return MoveRefusal::kNone;
}

void DiscussionGame::UpdateEnd() {
  if (kind_ == GameKind::kAdmissibility && moves_.size() == 1 &&
      Attacks(moves_.front().argument, moves_.front().argument)) {
    end_ = GameEnd::kSelfAttackingClaim;
    return;
  }
  if (LegalMoves().empty()) {
    end_ = ToMove() == Player::kProponent ? GameEnd::kProponentStuck : GameEnd::kOpponentStuck;
  }
}

std::optional<bool> ProponentCanWin(const ArgumentGraph& graph, GameKind kind, int argument,
                                    RunContext& context) {
  if (kind == GameKind::kGrounded) return GroundedLabels(graph)[argument] == Label::kIn;
  return HasAdmissibleSuperset(graph, {argument}, context);
}

ProgramMove ChooseMove(const DiscussionGame& game, RunContext& context) {
  const std::vector<int> legal = game.LegalMoves();
  if (legal.empty()) return {};
  if (game.Kind() == GameKind::kGrounded) return GroundedMove(game, legal);
  return AdmissibilityMove(game, legal, context);
}

}  // namespace dialectic::exact
