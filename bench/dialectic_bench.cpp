// The speed workloads. Every workload is a list of theories made in code; for each there are three
// benchmarks: Run (the whole run of "Do your thing" with the trace off and depth 100), Options
// (the option search alone, on the parsed theory) and Preferred (the preferred extensions alone,
// from the options the search left). The built-in examples are measured as whole runs with the
// trace on, one by one and all 34 in a row.

#include <benchmark/benchmark.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "formats/generators.h"
#include "frontend/example_library.h"
#include "frontend/form.h"
#include "frontend/result_areas.h"
#include "frontend/text_area.h"
#include "model/theory.h"
#include "model/theory_text.h"
#include "semantics/option_search.h"
#include "semantics/preferred.h"

namespace dialectic {
namespace {

constexpr int kDepth = 100;

using Theories = std::vector<StringList>;

// The whole run on every theory of the list, one after another, on one form.
void RunAll(benchmark::State& state, const Theories& theories, bool show_trace) {
  TForm1 form;
  form.ShowTrace = show_trace;
  form.Edit1 = std::to_string(kDepth);
  for (auto _ : state) {
    for (const StringList& lines : theories) {
      form.Memo1.Clear();
      form.Memo1.AddStrings(lines);
      form.Button1Click();
      benchmark::DoNotOptimize(form.Memo5.Count());
    }
  }
  state.counters["theories"] = static_cast<double>(theories.size());
}

// The parsed theories of the list; TTheory cannot move, so each one is held by pointer.
std::vector<std::unique_ptr<TTheory>> ParseAll(const Theories& theories) {
  std::vector<std::unique_ptr<TTheory>> parsed;
  for (const StringList& lines : theories) {
    TextArea memo1;
    memo1.AddStrings(lines);
    auto theory = std::make_unique<TTheory>();
    ParseInput(memo1, *theory);
    parsed.push_back(std::move(theory));
  }
  return parsed;
}

void OptionsAll(benchmark::State& state, const Theories& theories) {
  const std::vector<std::unique_ptr<TTheory>> parsed = ParseAll(theories);
  std::vector<ArgIndex> indexes;
  for (const std::unique_ptr<TTheory>& theory : parsed) indexes.emplace_back(*theory);
  TextArea memo3;
  RunContext run;
  for (auto _ : state) {
    for (std::size_t t = 0; t < parsed.size(); ++t) {
      // The trace as a run without it writes it: the stages that changed nothing.
      memo3.Clear();
      TraceWriter trace(indexes[t], false, memo3);
      ComputeAllOptions(*parsed[t], indexes[t], {kDepth, run, &trace});
      benchmark::DoNotOptimize(memo3.Count());
    }
  }
}

void PreferredAll(benchmark::State& state, const Theories& theories) {
  const std::vector<std::unique_ptr<TTheory>> parsed = ParseAll(theories);
  std::vector<ArgIndex> indexes;
  for (const std::unique_ptr<TTheory>& theory : parsed) indexes.emplace_back(*theory);
  RunContext run;
  for (std::size_t t = 0; t < parsed.size(); ++t)
    ComputeAllOptions(*parsed[t], indexes[t], {kDepth, run});
  std::vector<TProofLabeling> result;
  std::size_t extensions = 0;
  for (auto _ : state) {
    extensions = 0;
    for (std::size_t t = 0; t < parsed.size(); ++t) {
      ComputePreferred(*parsed[t], indexes[t], result, run);
      extensions += result.size();
      benchmark::DoNotOptimize(result.data());
    }
  }
  state.counters["candidates_kept"] = static_cast<double>(extensions);
}

// Workloads stay alive while the benchmarks run: the registered functions refer to them.
std::deque<Theories>& Workloads() {
  static std::deque<Theories> workloads;
  return workloads;
}

void RegisterWorkload(const std::string& name, Theories theories, benchmark::TimeUnit unit) {
  const Theories& held = Workloads().emplace_back(std::move(theories));
  benchmark::RegisterBenchmark((name + "/Run").c_str(), [&held](benchmark::State& state) {
    RunAll(state, held, false);
  })->Unit(unit);
  benchmark::RegisterBenchmark((name + "/Options").c_str(), [&held](benchmark::State& state) {
    OptionsAll(state, held);
  })->Unit(unit);
  benchmark::RegisterBenchmark((name + "/Preferred").c_str(), [&held](benchmark::State& state) {
    PreferredAll(state, held);
  })->Unit(unit);
}

void RegisterExamples() {
  const StringList& library = BuiltInExamples();
  Theories all;
  int number = 0;
  for (const std::string& caption : ExampleCaptions(library)) {
    const Theories& one = Workloads().emplace_back(Theories{ExampleLines(library, caption)});
    all.push_back(one.front());
    ++number;
    const std::string name =
        (number < 10 ? "Examples/Each/0" : "Examples/Each/") + std::to_string(number);
    benchmark::RegisterBenchmark(name.c_str(), [&one](benchmark::State& state) {
      RunAll(state, one, true);
    })->Unit(benchmark::kMicrosecond);
  }
  const Theories& held = Workloads().emplace_back(std::move(all));
  benchmark::RegisterBenchmark("Examples/All", [&held](benchmark::State& state) {
    RunAll(state, held, true);
  })->Unit(benchmark::kMicrosecond);
}

void RegisterAll() {
  RegisterExamples();
  for (int pairs : {8, 10, 12, 16}) {
    RegisterWorkload("EvenCycles/" + std::to_string(pairs), {EvenCyclesTheory(pairs)},
                     benchmark::kMillisecond);
  }
  for (int width : {6, 7, 8}) {
    RegisterWorkload("WideCounter/" + std::to_string(width), {WideCounterTheory(width)},
                     benchmark::kMillisecond);
  }
  for (int length : {500, 2000}) {
    RegisterWorkload("Chain/" + std::to_string(length), {ChainTheory(length)},
                     benchmark::kMillisecond);
  }
  constexpr int kRandomTheories = 200;
  RegisterWorkload("Random/" + std::to_string(kRandomTheories),
                   MediumRandomTheories(kRandomTheories), benchmark::kMillisecond);
}

}  // namespace
}  // namespace dialectic

int main(int argc, char** argv) {
  dialectic::RegisterAll();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
