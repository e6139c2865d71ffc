// Stop requests and progress of the exact engine's tasks.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "exact/exact_engine.h"
#include "exact/labeling_solver.h"

namespace dialectic::exact {
namespace {

// pairs independent pairs of arguments attacking each other: 2^pairs preferred, stable,
// semi-stable and stage extensions, 3^pairs complete ones.
ArgumentGraph MutualPairs(int pairs) {
  ArgumentGraph graph;
  graph.attackers.resize(2 * pairs);
  graph.targets.resize(2 * pairs);
  for (int a = 0; a < 2 * pairs; ++a) {
    graph.attackers[a] = {a ^ 1};
    graph.targets[a] = {a ^ 1};
  }
  return graph;
}

constexpr Semantics kSatSemantics[] = {Semantics::kComplete,  Semantics::kStable,
                                       Semantics::kPreferred, Semantics::kSemiStable,
                                       Semantics::kStage,     Semantics::kIdeal};

TEST(ExactStop, EveryTaskThatNeedsTheSolverStopsWhenAskedBeforeItStarts) {
  // Every argument of the graph is undecided by the grounded extension, so every task but SE and
  // DS under complete semantics, which the grounded extension answers, needs SAT calls.
  const ArgumentGraph graph = MutualPairs(3);
  for (const Semantics semantics : kSatSemantics) {
    SCOPED_TRACE(std::string(SemanticsName(semantics)));
    RunContext context;
    context.RequestStop();
    const Outcome linear_or_stopped =
        semantics == Semantics::kComplete ? Outcome::kFinished : Outcome::kStopped;
    EXPECT_EQ(FindExtension(graph, semantics, context).outcome, linear_or_stopped);
    EXPECT_EQ(IsScepticallyAccepted(graph, semantics, 0, context).outcome, linear_or_stopped);
    const AcceptanceAnswer credulous = IsCredulouslyAccepted(graph, semantics, 0, context);
    EXPECT_EQ(credulous.outcome, Outcome::kStopped);
    EXPECT_FALSE(credulous.accepted);
    EXPECT_FALSE(credulous.certificate);
    int reported = 0;
    const CountAnswer listing =
        EnumerateExtensions(graph, semantics, context, [&](const Extension&) { ++reported; });
    EXPECT_EQ(listing.outcome, Outcome::kStopped);
    EXPECT_EQ(listing.count, 0u);
    EXPECT_EQ(reported, 0);
    EXPECT_EQ(CountExtensions(graph, semantics, context).outcome, Outcome::kStopped);
  }
}

TEST(ExactStop, GroundedIsLinearAndAlwaysFinishes) {
  RunContext context;
  context.RequestStop();
  const ExtensionAnswer answer = FindExtension(MutualPairs(3), Semantics::kGrounded, context);
  EXPECT_EQ(answer.outcome, Outcome::kFinished);
  EXPECT_EQ(answer.extension, Extension{});
}

TEST(ExactStop, EnumerationStopsRightAfterTheExtensionThatAskedForIt) {
  // 2^40 and more extensions: only the stop request can end these enumerations.
  const ArgumentGraph graph = MutualPairs(40);
  constexpr std::uint64_t kWanted = 25;
  for (const Semantics semantics : {Semantics::kComplete, Semantics::kStable, Semantics::kPreferred,
                                    Semantics::kSemiStable, Semantics::kStage}) {
    SCOPED_TRACE(std::string(SemanticsName(semantics)));
    RunContext context;
    std::uint64_t reported = 0;
    const CountAnswer answer =
        EnumerateExtensions(graph, semantics, context, [&](const Extension&) {
          if (++reported == kWanted) context.RequestStop();
        });
    EXPECT_EQ(answer.outcome, Outcome::kStopped);
    EXPECT_EQ(answer.count, kWanted);
    EXPECT_EQ(reported, kWanted);
  }
}

TEST(ExactStop, AStopFromAnotherThreadEndsARunningSolveCall) {
  // Twelve pigeons in eleven holes, added as plain clauses: unsatisfiable, and far beyond what the
  // solver can refute in the test's lifetime, so only its terminate hook ends the call.
  RunContext context;
  LabelingSolver solver(ArgumentGraph{}, BaseSemantics::kComplete, false, context);
  constexpr int kPigeons = 12;
  constexpr int kHoles = kPigeons - 1;
  std::vector<std::vector<int>> sits(kPigeons, std::vector<int>(kHoles));
  for (std::vector<int>& pigeon : sits) {
    for (int& variable : pigeon) variable = solver.NewActivation();
    solver.AddClause(pigeon);
  }
  for (int hole = 0; hole < kHoles; ++hole) {
    for (int p = 0; p < kPigeons; ++p) {
      for (int q = p + 1; q < kPigeons; ++q) solver.AddClause({-sits[p][hole], -sits[q][hole]});
    }
  }
  std::atomic<bool> solving{false};
  std::thread stopper([&] {
    while (!solving.load()) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    context.RequestStop();
  });
  solving.store(true);
  const SolveResult result = solver.Solve({});
  stopper.join();
  EXPECT_EQ(result, SolveResult::kStopped);
}

TEST(ExactProgress, TasksReportTheirPhaseArgumentAndSolverCalls) {
  RunContext context;
  const AcceptanceAnswer answer =
      IsScepticallyAccepted(MutualPairs(4), Semantics::kPreferred, 5, context);
  EXPECT_FALSE(answer.accepted);
  const Progress progress = context.CurrentProgress();
  EXPECT_EQ(progress.phase, RunPhase::kExact);
  EXPECT_EQ(progress.argument, 6);
  EXPECT_EQ(progress.argument_count, 8);
  EXPECT_GE(progress.candidates, 2u);
}

}  // namespace
}  // namespace dialectic::exact
