// Two discussion games about one argument, played move by move between a proponent, who argues
// that the argument is accepted, and an opponent. The game keeps the rules; a strategy picks the
// program's move for either side, a winning one whenever that side can win.
//
// The grounded game: the proponent opens with the argument; then the opponent plays an attacker
// of the proponent's last argument and the proponent an attacker of the opponent's last argument,
// in turn. The proponent may not play an argument twice; the opponent may. The proponent can win
// against every defence exactly when the argument is IN in the grounded labeling.
//
// The admissibility game (credulous preferred): the proponent opens with the argument; the
// opponent plays any attacker of the proponent's arguments that they do not attack yet, and the
// proponent answers it with an attacker that conflicts with none of its arguments (nor with
// itself). The proponent can win exactly when some admissible set, and so some preferred
// extension, holds the argument.
//
// In both games the side that has no legal move when it is its turn loses, and every game ends:
// the proponent never plays an argument twice.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "exact/exact_engine.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {

enum class GameKind { kGrounded, kAdmissibility };
enum class Player { kProponent, kOpponent };

struct GameMove {
  Player player = Player::kProponent;
  int argument = 0;
  // The argument this move attacks; -1 for the opening move.
  int target = -1;

  friend bool operator==(const GameMove&, const GameMove&) = default;
};

// Why a move is refused.
enum class MoveRefusal {
  kNone,             // the move is legal
  kGameOver,         // the game has ended
  kNotAnArgument,    // no argument has that index
  kNotAnAttacker,    // it does not attack the argument it has to attack
  kRepeated,         // grounded: the proponent has played it already
  kAlreadyAnswered,  // admissibility: the proponent's arguments attack it already
  kConflict,  // admissibility: it attacks or is attacked by a proponent's argument, or itself
};
std::string_view MoveRefusalText(MoveRefusal refusal);

// How a game ended.
enum class GameEnd {
  kNotOver,
  kProponentStuck,      // the opponent's last argument has no attacker the proponent may play
  kOpponentStuck,       // grounded: the proponent's last argument has no attacker; admissibility:
                        // the proponent's arguments attack every attacker of theirs
  kSelfAttackingClaim,  // admissibility: the argument attacks itself, so no admissible set holds it
};
std::string_view GameEndText(GameEnd end);

class DiscussionGame {
 public:
  // The game about the argument (0 <= argument < graph.Size()), opened by the proponent.
  DiscussionGame(const ArgumentGraph& graph, GameKind kind, int argument);

  GameKind Kind() const { return kind_; }
  int Argument() const { return moves_.front().argument; }
  const ArgumentGraph& Graph() const { return graph_; }
  const std::vector<GameMove>& Moves() const { return moves_; }
  // The proponent's arguments so far, in the order played.
  const std::vector<int>& ProponentArguments() const { return proponent_; }

  // The side whose turn it is; meaningless once the game is over.
  Player ToMove() const;
  GameEnd End() const { return end_; }
  bool IsOver() const { return end_ != GameEnd::kNotOver; }
  // The winner of an ended game.
  std::optional<Player> Winner() const;

  // Whether the player to move may play the argument, and if not, why.
  MoveRefusal Refusal(int argument) const;
  // Every legal move of the player to move, in argument order of the attacks it answers.
  std::vector<int> LegalMoves() const;
  // Plays the argument for the player to move when legal; the game ends when the next player then
  // has no legal move.
  MoveRefusal Play(int argument);

 private:
  // The argument the next move must attack, or -1 when it may attack any unanswered proponent
  // argument (the opponent in the admissibility game).
  int TargetOf(int argument) const;
  bool Attacks(int attacker, int target) const;
  bool AttacksProponent(int argument) const;
  bool ConflictsWithProponent(int argument) const;
  void UpdateEnd();

  ArgumentGraph graph_;
  GameKind kind_;
  std::vector<GameMove> moves_;
  std::vector<int> proponent_;
  std::vector<bool> played_by_proponent_;
  GameEnd end_ = GameEnd::kNotOver;
};

// Whether the proponent has a winning strategy in the game about the argument; none when stopped.
std::optional<bool> ProponentCanWin(const ArgumentGraph& graph, GameKind kind, int argument,
                                    RunContext& context);

// The program's move for the player to move: a move of a winning strategy when that player has
// one (winning true), else its first legal move. None when the game is over. The admissibility
// game asks the SAT solver whether positions lie in an admissible set; a stop request ends the
// search with the first legal move.
struct ProgramMove {
  std::optional<int> argument;
  bool winning = false;
};
ProgramMove ChooseMove(const DiscussionGame& game, RunContext& context);

}  // namespace dialectic::exact
