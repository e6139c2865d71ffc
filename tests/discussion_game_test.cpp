#include "exact/discussion_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "formats/generators.h"

namespace dialectic::exact {
namespace {

Framework GameFramework(const std::string& text) {
  const GeneratorRecipeResult parsed = ParseGeneratorRecipe(text);
  EXPECT_TRUE(parsed.recipe.has_value()) << text << ": " << parsed.error;
  return parsed.recipe ? GenerateFramework(*parsed.recipe) : Framework();
}

// Whether the argument is in the grounded extension, by iterating the defence function from the
// empty set, and whether some admissible set holds it, by trying every set.
bool BruteGroundedIn(const ArgumentGraph& graph, int argument) {
  std::vector<bool> in(static_cast<std::size_t>(graph.Size()), false);
  for (bool grew = true; grew;) {
    grew = false;
    for (int a = 0; a < graph.Size(); ++a) {
      if (in[a]) continue;
      bool defended = true;
      for (const int b : graph.attackers[a]) {
        bool countered = false;
        for (const int c : graph.attackers[b]) countered = countered || in[c];
        defended = defended && countered;
      }
      if (defended) in[a] = grew = true;
    }
  }
  return in[argument];
}

bool BruteAdmissiblyHeld(const ArgumentGraph& graph, int argument) {
  const int size = graph.Size();
  for (unsigned mask = 0; mask < (1U << size); ++mask) {
    if (!((mask >> argument) & 1U)) continue;
    auto in = [&](int a) { return ((mask >> a) & 1U) != 0; };
    bool admissible = true;
    for (int a = 0; a < size && admissible; ++a) {
      if (!in(a)) continue;
      for (const int b : graph.attackers[a]) {
        if (in(b)) admissible = false;
        bool countered = false;
        for (const int c : graph.attackers[b]) countered = countered || in(c);
        admissible = admissible && countered;
      }
    }
    if (admissible) return true;
  }
  return false;
}

bool BruteProponentWins(const ArgumentGraph& graph, GameKind kind, int argument) {
  return kind == GameKind::kGrounded ? BruteGroundedIn(graph, argument)
                                     : BruteAdmissiblyHeld(graph, argument);
}

std::vector<std::string> GameRecipes(int max_args, int per_kind) {
  std::vector<std::string> recipes = {"odd-cycles:1:3", "even-cycles:2:2", "odd-cycles:2:1",
                                      "chain:5", "tree:6:2"};
  for (int seed = 1; seed <= per_kind; ++seed) {
    const std::string n = std::to_string(2 + seed % (max_args - 1));
    const std::string s = ":seed=" + std::to_string(seed);
    recipes.push_back("er:" + n + ":0.25" + s);
    recipes.push_back("er:" + n + ":0.4" + s);
    recipes.push_back("grid:" + n + ":0.4" + s);
  }
  return recipes;
}

// Dense frameworks of 5 to 7 arguments with cycles, where the losing side has many ways to play.
std::vector<std::string> ExhaustiveRecipes() {
  std::vector<std::string> recipes;
  for (int seed = 1; seed <= 6; ++seed) {
    const std::string n = std::to_string(5 + seed % 3);
    const std::string s = ":seed=" + std::to_string(seed);
    recipes.push_back("er:" + n + ":0.35" + s);
    recipes.push_back("er:" + n + ":0.5" + s);
    recipes.push_back("ws:" + n + ":2:0.4" + s);
  }
  return recipes;
}

const GameKind kKinds[] = {GameKind::kGrounded, GameKind::kAdmissibility};

std::string KindName(GameKind kind) {
  return kind == GameKind::kGrounded ? "grounded" : "admissibility";
}

// The program on both sides: the side with a winning strategy (by brute force) wins, the game
// ends within 2n + 1 moves, every move is legal and answers the argument it says it attacks.
TEST(DiscussionGame, ProgramAgainstItselfEndsWithTheSideThatCanWin) {
  for (const std::string& recipe : GameRecipes(9, 12)) {
    const Framework framework = GameFramework(recipe);
    const ArgumentGraph& graph = framework.Graph();
    for (const GameKind kind : kKinds) {
      for (int argument = 0; argument < graph.Size(); ++argument) {
        SCOPED_TRACE(recipe + " " + KindName(kind) + " " + framework.NameOf(argument));
        RunContext context;
        const bool proponent_wins = BruteProponentWins(graph, kind, argument);
        EXPECT_EQ(ProponentCanWin(graph, kind, argument, context), proponent_wins);
        DiscussionGame game(graph, kind, argument);
        while (!game.IsOver() &&
               game.Moves().size() <= static_cast<std::size_t>(2 * graph.Size() + 1)) {
          const Player side = game.ToMove();
          const ProgramMove move = ChooseMove(game, context);
          ASSERT_TRUE(move.argument.has_value());
          EXPECT_EQ(move.winning, (side == Player::kProponent) == proponent_wins);
          ASSERT_EQ(game.Play(*move.argument), MoveRefusal::kNone);
          const GameMove& played = game.Moves().back();
          EXPECT_EQ(played.player, side);
          const std::vector<int>& attackers = graph.attackers[played.target];
          EXPECT_NE(std::find(attackers.begin(), attackers.end(), played.argument),
                    attackers.end());
        }
        ASSERT_TRUE(game.IsOver());
        EXPECT_EQ(game.Winner(), proponent_wins ? Player::kProponent : Player::kOpponent);
        EXPECT_FALSE(ChooseMove(game, context).argument.has_value());
      }
    }
  }
}

// The program's winning strategy wins against every way the other side may play: all plays of the
// losing side are tried, the program answering each.
TEST(DiscussionGame, WinningStrategyBeatsEveryDefence) {
  for (const std::string& recipe : ExhaustiveRecipes()) {
    const Framework framework = GameFramework(recipe);
    const ArgumentGraph& graph = framework.Graph();
    for (const GameKind kind : kKinds) {
      for (int argument = 0; argument < graph.Size(); ++argument) {
        SCOPED_TRACE(recipe + " " + KindName(kind) + " " + framework.NameOf(argument));
        const Player program =
            BruteProponentWins(graph, kind, argument) ? Player::kProponent : Player::kOpponent;
        RunContext context;
        int plays = 0;
        std::function<void(const DiscussionGame&)> explore = [&](const DiscussionGame& game) {
          if (game.IsOver()) {
            ++plays;
            EXPECT_EQ(game.Winner(), program) << "after " << game.Moves().size() << " moves";
            return;
          }
          if (game.ToMove() == program) {
            DiscussionGame next = game;
            const ProgramMove move = ChooseMove(game, context);
            ASSERT_TRUE(move.argument && move.winning);
            ASSERT_EQ(next.Play(*move.argument), MoveRefusal::kNone);
            explore(next);
            return;
          }
          for (const int reply : game.LegalMoves()) {
            DiscussionGame next = game;
            ASSERT_EQ(next.Play(reply), MoveRefusal::kNone);
            explore(next);
          }
        };
        explore(DiscussionGame(graph, kind, argument));
        EXPECT_GT(plays, 0);
      }
    }
  }
}

// a is attacked by b and c and attacks c and h; b is attacked by d and h; c by e; e and i attack
// themselves; d and f attack each other; g attacks d; i and j attack g.
TEST(DiscussionGame, RefusesIllegalMoves) {
  const std::vector<Attack> attacks = {{1, 0}, {2, 0}, {3, 1}, {4, 2}, {0, 2}, {4, 4}, {3, 5},
                                       {5, 3}, {6, 3}, {7, 1}, {0, 7}, {8, 6}, {8, 8}, {9, 6}};
  const Framework framework({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}, attacks);
  struct Case {
    GameKind kind;
    std::vector<int> moves;  // played in turn after the opening a, each legal
    int move;
    MoveRefusal refusal;
  };
  const Case kCases[] = {
      {GameKind::kGrounded, {}, 3, MoveRefusal::kNotAnAttacker},
      {GameKind::kGrounded, {}, 10, MoveRefusal::kNotAnArgument},
      {GameKind::kGrounded, {}, -1, MoveRefusal::kNotAnArgument},
      {GameKind::kGrounded, {}, 1, MoveRefusal::kNone},
      {GameKind::kGrounded, {2}, 0, MoveRefusal::kRepeated},
      {GameKind::kGrounded, {2}, 4, MoveRefusal::kNone},
      {GameKind::kGrounded, {1}, 1, MoveRefusal::kNotAnAttacker},
      {GameKind::kGrounded, {1}, 7, MoveRefusal::kNone},
      {GameKind::kGrounded, {1, 3, 5}, 3, MoveRefusal::kGameOver},
      {GameKind::kAdmissibility, {}, 2, MoveRefusal::kAlreadyAnswered},
      {GameKind::kAdmissibility, {}, 3, MoveRefusal::kNotAnAttacker},
      {GameKind::kAdmissibility, {1}, 7, MoveRefusal::kConflict},
      {GameKind::kAdmissibility, {1}, 4, MoveRefusal::kNotAnAttacker},
      {GameKind::kAdmissibility, {1}, 3, MoveRefusal::kNone},
      {GameKind::kAdmissibility, {1, 3}, 5, MoveRefusal::kAlreadyAnswered},
      {GameKind::kAdmissibility, {1, 3}, 2, MoveRefusal::kAlreadyAnswered},
      {GameKind::kAdmissibility, {1, 3}, 6, MoveRefusal::kNone},
      {GameKind::kAdmissibility, {1, 3, 6}, 8, MoveRefusal::kConflict},
  };
  for (const Case& c : kCases) {
    DiscussionGame game(framework.Graph(), c.kind, 0);
    for (const int m : c.moves) ASSERT_EQ(game.Play(m), MoveRefusal::kNone) << m;
    const std::size_t before = game.Moves().size();
    SCOPED_TRACE(KindName(c.kind) + " after " + std::to_string(before) + " moves, move " +
                 std::to_string(c.move));
    EXPECT_EQ(game.Play(c.move), c.refusal) << MoveRefusalText(game.Play(c.move));
    EXPECT_EQ(game.Moves().size(), before + (c.refusal == MoveRefusal::kNone ? 1 : 0));
  }
}

TEST(DiscussionGame, EndsWithTheStuckSide) {
  // b attacks a, c attacks b; x attacks itself.
  const Framework framework({"a", "b", "c", "x"}, {{1, 0}, {2, 1}, {3, 3}});
  {
    DiscussionGame game(framework.Graph(), GameKind::kGrounded, 0);
    ASSERT_EQ(game.Play(1), MoveRefusal::kNone);
    ASSERT_EQ(game.Play(2), MoveRefusal::kNone);
    EXPECT_EQ(game.End(), GameEnd::kOpponentStuck);
    EXPECT_EQ(game.Winner(), Player::kProponent);
    EXPECT_EQ(game.Play(1), MoveRefusal::kGameOver);
  }
  {
    DiscussionGame game(framework.Graph(), GameKind::kGrounded, 1);
    ASSERT_EQ(game.Play(2), MoveRefusal::kNone);
    EXPECT_EQ(game.End(), GameEnd::kProponentStuck);
    EXPECT_EQ(game.Winner(), Player::kOpponent);
  }
  {
    // The grounded game about a self-attacker: the opponent repeats it, the proponent may not.
    DiscussionGame game(framework.Graph(), GameKind::kGrounded, 3);
    ASSERT_EQ(game.Play(3), MoveRefusal::kNone);
    EXPECT_EQ(game.End(), GameEnd::kProponentStuck);
  }
  {
    DiscussionGame game(framework.Graph(), GameKind::kAdmissibility, 3);
    EXPECT_EQ(game.End(), GameEnd::kSelfAttackingClaim);
    EXPECT_EQ(game.Winner(), Player::kOpponent);
    EXPECT_TRUE(game.LegalMoves().empty());
  }
}

}  // namespace
}  // namespace dialectic::exact
