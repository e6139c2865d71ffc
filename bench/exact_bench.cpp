// The exact engine's speed workloads, every graph an Erdos-Renyi one of bench/erdos_renyi_graph.h
// with a mean of M attacks per argument. Two tiers:
//   Sparse2000x2, Sparse2000x3: 2,000 arguments, about 4,000 and 6,000 attacks; SE, DC and DS
//     for every semantics, DC and DS on the first argument the grounded extension leaves
//     undecided (a decided one is mostly answered without the solver).
//   Hard300xM: 300 arguments, a mean of M attacks per argument (10 by default; 12 and 14 also
//     when DIALECTIC_BENCH_SLOW is set, since each takes tens of seconds); EE for preferred.
// Run by hand (never by ctest), from the default preset's build:
//   build/default/bench/exact_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/erdos_renyi_graph.h"
#include "exact/exact_engine.h"
#include "model/argument_graph.h"
#include "model/run_context.h"

namespace dialectic::exact {
namespace {

// The first argument neither in the grounded extension nor attacked by it, or 0.
int FirstUndecided(const ArgumentGraph& graph) {
  std::vector<bool> decided(graph.Size(), false);
  for (const int in : GroundedExtension(graph)) {
    decided[in] = true;
    for (const int target : graph.targets[in]) decided[target] = true;
  }
  for (int a = 0; a < graph.Size(); ++a) {
    if (!decided[a]) return a;
  }
  return 0;
}

enum class Task { kSome, kCredulous, kSceptical, kEnumerate };

std::string TaskName(Task task) {
  switch (task) {
    case Task::kSome:
      return "SE";
    case Task::kCredulous:
      return "DC";
    case Task::kSceptical:
      return "DS";
    case Task::kEnumerate:
      return "EE";
  }
  return "";
}

// Runs the task once per iteration; the counter "answer" is the extension count for EE, else 1
// for yes (or an extension found) and 0 for no.
void RunTask(benchmark::State& state, const ArgumentGraph& graph, Semantics semantics, Task task) {
  const int argument = FirstUndecided(graph);
  double answer = 0;
  for (auto _ : state) {
    RunContext context;
    switch (task) {
      case Task::kSome:
        answer = FindExtension(graph, semantics, context).extension ? 1 : 0;
        break;
      case Task::kCredulous:
        answer = IsCredulouslyAccepted(graph, semantics, argument, context).accepted ? 1 : 0;
        break;
      case Task::kSceptical:
        answer = IsScepticallyAccepted(graph, semantics, argument, context).accepted ? 1 : 0;
        break;
      case Task::kEnumerate:
        answer = static_cast<double>(CountExtensions(graph, semantics, context).count.Low64Bits());
        break;
    }
  }
  state.counters["answer"] = answer;
  state.counters["arguments"] = graph.Size();
  state.counters["attacks"] = static_cast<double>(graph.AttackCount());
}

void Register(const std::string& workload, const ArgumentGraph& graph, Semantics semantics,
              Task task) {
  const std::string name =
      workload + "/" + TaskName(task) + "-" + std::string(SemanticsName(semantics));
  benchmark::RegisterBenchmark(name.c_str(), [&graph, semantics, task](benchmark::State& state) {
    RunTask(state, graph, semantics, task);
  })->Unit(benchmark::kMillisecond);
}

void RegisterAll() {
  // The graphs live as long as the program; the benchmarks keep references to them.
  static const ArgumentGraph sparse2 = bench::ErdosRenyiGraph(2000, 2.0, 1);
  static const ArgumentGraph sparse3 = bench::ErdosRenyiGraph(2000, 3.0, 2);
  for (const auto& [workload, graph] :
       {std::pair{"Sparse2000x2", &sparse2}, std::pair{"Sparse2000x3", &sparse3}}) {
    for (const Semantics semantics :
         {Semantics::kGrounded, Semantics::kComplete, Semantics::kStable, Semantics::kPreferred,
          Semantics::kSemiStable, Semantics::kStage, Semantics::kIdeal}) {
      for (const Task task : {Task::kSome, Task::kCredulous, Task::kSceptical}) {
        Register(workload, *graph, semantics, task);
      }
    }
  }
  static std::vector<ArgumentGraph> hard;
  std::vector<int> means = {10};
  if (std::getenv("DIALECTIC_BENCH_SLOW") != nullptr) means = {10, 12, 14};
  hard.reserve(means.size());
  for (const int mean : means) {
    hard.push_back(bench::ErdosRenyiGraph(300, mean, 1));
    const std::string workload = "Hard300x" + std::to_string(mean);
    benchmark::RegisterBenchmark((workload + "/EE-PR").c_str(),
                                 [&graph = hard.back()](benchmark::State& state) {
                                   RunTask(state, graph, Semantics::kPreferred, Task::kEnumerate);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
}

}  // namespace
}  // namespace dialectic::exact

int main(int argc, char** argv) {
  dialectic::exact::RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
