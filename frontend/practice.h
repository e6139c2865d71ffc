// Practice on a framework, without a toolkit: an exercise (label every argument under a
// semantics, then check) and a discussion game against the program. Each session holds its own
// copy of the framework, so a new run of the window's input never changes one under way; the
// window shows a session's states on the graph and its texts beside it, and passes clicks on.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exact/discussion_game.h"
#include "exact/exercise_check.h"
#include "graph/node_states.h"
#include "model/framework.h"
#include "model/run_context.h"
#include "model/stop_after.h"

namespace dialectic {

// How long the window lets one practice question (a check, an answer, a program's move) take.
inline constexpr std::chrono::milliseconds kPracticeLimit{5000};

// The semantics an exercise asks for, in the order the window offers them.
const std::vector<exact::Semantics>& ExerciseSemanticsList();

// A labeling as text, "IN: a c OUT: b UNDEC: d", each part left out when it names no argument.
std::string LabelingText(const Framework& framework, const std::vector<exact::Label>& labels);
// The labeling that such a text gives: the words IN:, OUT: and UNDEC: (any case) set the label of
// the names after them; an argument not named is undecided. Gives the reason instead when a name
// is not an argument's, comes before any label word, or is named twice.
struct LabelingRead {
  std::optional<std::vector<exact::Label>> labels;
  std::string error;
};
LabelingRead ReadLabelingText(const Framework& framework, std::string_view text);

// What a verdict says, with the arguments' names: "Right: this is a complete labeling." or "Not a
// complete labeling: an OUT argument has no IN attacker: b."
std::string VerdictText(const Framework& framework, exact::Semantics semantics,
                        const exact::ExerciseVerdict& verdict);

class ExerciseSession {
 public:
  // Every argument starts undecided.
  ExerciseSession(Framework framework, exact::Semantics semantics);

  const Framework& framework() const { return framework_; }
  exact::Semantics semantics() const { return semantics_; }
  const std::vector<exact::Label>& Labels() const { return labels_; }
  // The last check's verdict; none after any change since.
  const std::optional<exact::ExerciseVerdict>& Verdict() const { return verdict_; }

  void SetSemantics(exact::Semantics semantics);
  // One click on an argument: undecided, then IN, then OUT, then undecided again.
  void Cycle(int position);
  void SetLabels(std::vector<exact::Label> labels);
  // Checks the labeling and gives the verdict's text.
  std::string Check(RunContext& context);
  // Replaces the labeling by a right one and gives a text that says so (or that there is none).
  std::string ShowAnswer(RunContext& context);

  // What the graph shows: the labeling; after a refused check only the arguments the broken rule
  // involves keep their colour, and the first of them is outlined.
  std::vector<NodeState> States() const;
  int Outlined() const;

 private:
  Framework framework_;
  exact::Semantics semantics_;
  std::vector<exact::Label> labels_;
  std::optional<exact::ExerciseVerdict> verdict_;
};

class GameSession {
 public:
  // The game about the argument, the user on one side and the program on the other. The
  // proponent's opening is made at once, and the program's first move when it is the opponent.
  GameSession(Framework framework, exact::GameKind kind, int argument, exact::Player user,
              RunContext& context);

  const Framework& framework() const { return framework_; }
  const exact::DiscussionGame& Game() const { return game_; }
  exact::Player User() const { return user_; }
  // The user plays the argument: empty text when the move is legal (the program has then
  // answered, unless the game is over), else why it is refused.
  std::string UserPlays(int position, RunContext& context);

  // One line per move: "2. Opponent (program): b, attacking a".
  std::vector<std::string> MoveLines() const;
  // What the user is to do, or who won and why.
  std::string StatusText() const;
  // The proponent's arguments IN, the opponent's OUT, the rest undecided; the last move outlined.
  std::vector<NodeState> States() const;
  int Outlined() const { return game_.Moves().back().argument; }

 private:
  void ProgramPlays(RunContext& context);
  std::string Names(const std::vector<int>& positions) const;

  Framework framework_;
  exact::DiscussionGame game_;
  exact::Player user_;
  std::optional<bool> proponent_can_win_;  // none when the question was stopped
};

}  // namespace dialectic
