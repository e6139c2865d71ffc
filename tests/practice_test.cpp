#include "frontend/practice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace dialectic {
namespace {

using exact::Label;
using exact::Player;

// b attacks a, c attacks b; d and e attack each other.
Framework PracticeFramework() {
  return Framework({"a", "b", "c", "d", "e"}, {{1, 0}, {2, 1}, {3, 4}, {4, 3}});
}

TEST(PracticeLabelingText, ReadsWhatItWritesAndRefusesBadNames) {
  const Framework framework = PracticeFramework();
  const Label I = Label::kIn, O = Label::kOut, U = Label::kUndec;
  const std::vector<Label> labels = {I, O, I, U, U};
  EXPECT_EQ(LabelingText(framework, labels), "IN: a c OUT: b UNDEC: d e");
  EXPECT_EQ(ReadLabelingText(framework, LabelingText(framework, labels)).labels, labels);
  struct Case {
    std::string text;
    std::optional<std::vector<Label>> labels;
    std::string error;
  };
  const Case kCases[] = {
      {"", std::vector<Label>{U, U, U, U, U}, ""},
      {"in: c a  Out: b", labels, ""},
      {"OUT: d\nIN: e", std::vector<Label>{U, U, U, O, I}, ""},
      {"IN: a x", std::nullopt, "\"x\" is not an argument"},
      {"a IN: c", std::nullopt, "\"a\" comes before any of IN:, OUT: and UNDEC:"},
      {"IN: a OUT: a", std::nullopt, "\"a\" is named twice"},
  };
  for (const Case& c : kCases) {
    const LabelingRead read = ReadLabelingText(framework, c.text);
    EXPECT_EQ(read.labels, c.labels) << c.text;
    EXPECT_EQ(read.error, c.error) << c.text;
  }
}

TEST(PracticeExercise, ClicksCycleLabelsAndACheckNamesTheArguments) {
  ExerciseSession session(PracticeFramework(), exact::Semantics::kComplete);
  RunContext context;
  // a: IN; b: OUT (two clicks); c: IN; d, e undecided.
  for (const int click : {0, 1, 1, 2}) session.Cycle(click);
  EXPECT_EQ(session.Check(context), "Right: this is a complete labeling.");
  EXPECT_EQ(session.Outlined(), -1);
  session.SetSemantics(exact::Semantics::kStable);
  EXPECT_EQ(session.Check(context),
            "Not a stable labeling: a stable labeling leaves no argument undecided: d.");
  EXPECT_EQ(session.Outlined(), 3);
  EXPECT_EQ(session.States(),
            (std::vector<NodeState>{NodeState::kPlain, NodeState::kPlain, NodeState::kPlain,
                                    NodeState::kUndecided, NodeState::kPlain}));
  // A third click on b leaves it undecided again; the states show the whole labeling again.
  session.Cycle(1);
  EXPECT_FALSE(session.Verdict().has_value());
  EXPECT_EQ(session.States()[1], NodeState::kUndecided);
  session.SetSemantics(exact::Semantics::kGrounded);
  EXPECT_EQ(session.Check(context),
            "Not a grounded labeling: an IN argument has an attacker that is not OUT: b attacks "
            "a.");
  EXPECT_EQ(session.ShowAnswer(context), "A grounded labeling: IN: a c OUT: b UNDEC: d e");
  EXPECT_EQ(session.Check(context), "Right: this is a grounded labeling.");
}

TEST(PracticeExercise, PreferredRefusalGivesTheLargerSet) {
  ExerciseSession session(PracticeFramework(), exact::Semantics::kPreferred);
  RunContext context;
  session.SetLabels({Label::kIn, Label::kOut, Label::kIn, Label::kUndec, Label::kUndec});
  const std::string text = session.Check(context);
  EXPECT_TRUE(text ==
                  "Not a preferred labeling: the labeling is complete but its IN set is not "
                  "maximal: a larger admissible set adds these arguments: d (the admissible "
                  "set a, c, d)." ||
              text ==
                  "Not a preferred labeling: the labeling is complete but its IN set is not "
                  "maximal: a larger admissible set adds these arguments: e (the admissible "
                  "set a, c, e).")
      << text;
}

TEST(PracticeGame, UserAsProponentWinsTheGroundedGameAboutAnInArgument) {
  RunContext context;
  GameSession session(PracticeFramework(), exact::GameKind::kGrounded, 0, Player::kProponent,
                      context);
  // The program opened against a with b.
  ASSERT_EQ(session.Game().Moves().size(), 2U);
  EXPECT_EQ(session.StatusText(),
            "Your move: click an attacker of b that you have not played yet.");
  EXPECT_EQ(session.UserPlays(3, context), "d: it does not attack the argument it has to attack");
  EXPECT_EQ(session.UserPlays(2, context), "");
  EXPECT_TRUE(session.Game().IsOver());
  EXPECT_EQ(session.MoveLines(), (std::vector<std::string>{"1. Proponent (you): a",
                                                           "2. Opponent (program): b, attacking a",
                                                           "3. Proponent (you): c, attacking b"}));
  EXPECT_EQ(session.StatusText(),
            "Proponent (you) wins: c has no attacker. a is IN in the grounded labeling.");
  EXPECT_EQ(session.States()[0], NodeState::kIn);
  EXPECT_EQ(session.States()[1], NodeState::kOut);
  EXPECT_EQ(session.UserPlays(1, context), "b: the game is over");
}

TEST(PracticeGame, ProgramAsOpponentWinsTheGroundedGameAboutAnUndecidedArgument) {
  RunContext context;
  GameSession session(PracticeFramework(), exact::GameKind::kGrounded, 3, Player::kProponent,
                      context);
  // The opponent attacks d with e; the proponent's only answer is d, which it has played.
  EXPECT_TRUE(session.Game().IsOver());
  EXPECT_EQ(session.StatusText(),
            "Opponent (program) wins: the proponent has no legal answer to e. d is not IN in the "
            "grounded labeling.");
}

TEST(PracticeGame, UserAsOpponentLosesTheAdmissibilityGameAboutACredulousArgument) {
  RunContext context;
  GameSession session(PracticeFramework(), exact::GameKind::kAdmissibility, 0, Player::kOpponent,
                      context);
  ASSERT_EQ(session.Game().Moves().size(), 1U);
  EXPECT_EQ(session.UserPlays(3, context), "d: it does not attack the argument it has to attack");
  EXPECT_EQ(session.UserPlays(1, context), "");
  // The program answered b with c, and nothing attacks a or c unanswered.
  EXPECT_TRUE(session.Game().IsOver());
  EXPECT_EQ(session.MoveLines().back(), "3. Proponent (program): c, attacking b");
  EXPECT_EQ(session.StatusText(),
            "Proponent (program) wins: the proponent's arguments (a, c) attack every attacker of "
            "theirs: an admissible set holding a. a is in some preferred extension.");
}

TEST(PracticeGame, AdmissibilityGameAboutAnArgumentThatDefendsItselfEndsAtOnce) {
  RunContext context;
  GameSession session(PracticeFramework(), exact::GameKind::kAdmissibility, 3, Player::kOpponent,
                      context);
  EXPECT_TRUE(session.Game().IsOver());
  EXPECT_EQ(session.UserPlays(4, context), "e: the game is over");
}

TEST(PracticeGame, AStoppedQuestionClaimsNothingAboutTheArgument) {
  RunContext stopped;
  stopped.RequestStop();
  // The program, as opponent, cannot ask the solver and plays its first legal move, b; the user
  // answers with c and wins, and the end says nothing of preferred extensions.
  GameSession session(PracticeFramework(), exact::GameKind::kAdmissibility, 0, Player::kProponent,
                      stopped);
  EXPECT_EQ(session.UserPlays(2, stopped), "");
  EXPECT_EQ(session.StatusText(),
            "Proponent (you) wins: the proponent's arguments (a, c) attack every attacker of "
            "theirs: an admissible set holding a.");
}

TEST(StopAfter, StopsTheContextOnlyOnceTheTimeHasPassed) {
  RunContext early;
  { const StopAfter limit(early, std::chrono::hours(1)); }
  EXPECT_FALSE(early.StopRequested());
  RunContext late;
  const StopAfter limit(late, std::chrono::milliseconds(1));
  // The watch thread asks within moments; a minute bounds the wait on a loaded machine.
  for (int i = 0; i < 60000 && !late.StopRequested(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_TRUE(late.StopRequested());
  // A check stopped that way says so instead of a verdict.
  ExerciseSession session(PracticeFramework(), exact::Semantics::kPreferred);
  session.SetLabels({Label::kIn, Label::kOut, Label::kIn, Label::kUndec, Label::kUndec});
  EXPECT_EQ(session.Check(late), "The check was stopped.");
}

}  // namespace
}  // namespace dialectic
