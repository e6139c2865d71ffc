// The speed of the window's practice: checking an exercise's labeling and the program's moves in
// the discussion games, on Erdos-Renyi graphs made in code from a fixed seed (every ordered pair
// an attack with chance mean / size); the arguments are the size and the mean, 2 attacks per
// argument for the sizes 20, 200 and 2,000, and 10 for a dense graph of 200.
//   ExerciseCheck/N/M: the grounded labeling checked as a preferred one (every local rule holds, so
//     the check asks the solver for a larger admissible set).
//   OpponentMove/N/M, ProponentMove/N/M: the program's first move in the admissibility game about
//   the
//     first argument that the grounded labeling leaves undecided.
//   GroundedGame/N/M, AdmissibilityGame/N/M: the program on both sides, from the opening to the
//   end.
// Run by hand (never by ctest), from the default preset's build:
//   build/default/bench/practice_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/erdos_renyi_graph.h"
#include "exact/discussion_game.h"
#include "exact/exercise_check.h"
#include "exact/grounded_labeling.h"

namespace dialectic::exact {
namespace {

int FirstUndecided(const ArgumentGraph& graph) {
  const std::vector<Label> labels = GroundedLabels(graph);
  for (int a = 0; a < graph.Size(); ++a) {
    if (labels[a] == Label::kUndec) return a;
  }
  return 0;
}

void ExerciseCheck(benchmark::State& state) {
  const ArgumentGraph graph = bench::ErdosRenyiGraph(static_cast<int>(state.range(0)),
                                                     static_cast<double>(state.range(1)), 1);
  const std::vector<Label> labels = GroundedLabels(graph);
  for (auto _ : state) {
    RunContext context;
    benchmark::DoNotOptimize(CheckExercise(graph, Semantics::kPreferred, labels, context));
  }
}

void OpponentMove(benchmark::State& state) {
  const ArgumentGraph graph = bench::ErdosRenyiGraph(static_cast<int>(state.range(0)),
                                                     static_cast<double>(state.range(1)), 1);
  const DiscussionGame game(graph, GameKind::kAdmissibility, FirstUndecided(graph));
  for (auto _ : state) {
    RunContext context;
    benchmark::DoNotOptimize(ChooseMove(game, context));
  }
}

void ProponentMove(benchmark::State& state) {
  const ArgumentGraph graph = bench::ErdosRenyiGraph(static_cast<int>(state.range(0)),
                                                     static_cast<double>(state.range(1)), 1);
  DiscussionGame game(graph, GameKind::kAdmissibility, FirstUndecided(graph));
  if (!game.IsOver()) game.Play(game.LegalMoves().front());
  for (auto _ : state) {
    RunContext context;
    benchmark::DoNotOptimize(ChooseMove(game, context));
  }
}

void PlayToEnd(benchmark::State& state, GameKind kind) {
  const ArgumentGraph graph = bench::ErdosRenyiGraph(static_cast<int>(state.range(0)),
                                                     static_cast<double>(state.range(1)), 1);
  const int argument = FirstUndecided(graph);
  double moves = 0;
  for (auto _ : state) {
    RunContext context;
    DiscussionGame game(graph, kind, argument);
    while (!game.IsOver()) game.Play(*ChooseMove(game, context).argument);
    moves = static_cast<double>(game.Moves().size());
  }
  state.counters["moves"] = moves;
}

void GroundedGame(benchmark::State& state) { PlayToEnd(state, GameKind::kGrounded); }
void AdmissibilityGame(benchmark::State& state) { PlayToEnd(state, GameKind::kAdmissibility); }

BENCHMARK(ExerciseCheck)
    ->Args({20, 2})
    ->Args({200, 2})
    ->Args({2000, 2})
    ->Args({200, 10})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(OpponentMove)
    ->Args({20, 2})
    ->Args({200, 2})
    ->Args({2000, 2})
    ->Args({200, 10})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ProponentMove)
    ->Args({20, 2})
    ->Args({200, 2})
    ->Args({2000, 2})
    ->Args({200, 10})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(GroundedGame)
    ->Args({20, 2})
    ->Args({200, 2})
    ->Args({2000, 2})
    ->Args({200, 10})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(AdmissibilityGame)
    ->Args({20, 2})
    ->Args({200, 2})
    ->Args({2000, 2})
    ->Args({200, 10})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dialectic::exact

BENCHMARK_MAIN();
