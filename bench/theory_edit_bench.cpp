// The edits the Graph window makes to the Input text, on inputs of growing size: a chain of
// arguments written one clause per line ("a1 a2" ... ), where every edit reads the whole text
// once. The window makes one such edit per mouse gesture, so each should take well under the
// time a person notices.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "frontend/theory_edit.h"

namespace dialectic {
namespace {

std::string ChainText(int arguments) {
  std::string text;
  for (int i = 1; i < arguments; ++i) {
    text += 'a' + std::to_string(i) + " a" + std::to_string(i + 1) + '\n';
  }
  return text;
}

void BM_AddAttack(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const std::string text = ChainText(size);
  for (auto _ : state) {
    benchmark::DoNotOptimize(WithAttack(text, "a1", "a" + std::to_string(size / 2)));
  }
}
BENCHMARK(BM_AddAttack)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DeleteArgument(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const std::string text = ChainText(size);
  for (auto _ : state) {
    benchmark::DoNotOptimize(WithoutArguments(text, {"a" + std::to_string(size / 2)}));
  }
}
BENCHMARK(BM_DeleteArgument)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DeleteAttack(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const std::string text = ChainText(size);
  const std::string target = "a" + std::to_string(size / 2);
  const std::string attacker = "a" + std::to_string(size / 2 + 1);
  for (auto _ : state) benchmark::DoNotOptimize(WithoutAttacks(text, {{attacker, target}}));
}
BENCHMARK(BM_DeleteAttack)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Rename(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const std::string text = ChainText(size);
  for (auto _ : state) {
    benchmark::DoNotOptimize(WithRename(text, "a" + std::to_string(size / 2), "renamed"));
  }
}
BENCHMARK(BM_Rename)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace dialectic

BENCHMARK_MAIN();
