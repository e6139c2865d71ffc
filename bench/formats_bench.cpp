// Reading and writing a large framework in every file format: 100,000 arguments and 1,000,000
// attacks drawn from a fixed seed, so the figures show whether reading stays linear. The attacks
// come in random order (the worst case for the name lookups' caches) and grouped by attacker (as
// files written by other programs usually are). Run by hand, like the other benchmarks (see
// RESULTS.md).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "formats/formats.h"
#include "formats/generators.h"

namespace dialectic {
namespace {

// Arguments a0, a1, ... with attacks drawn uniformly (self-attacks and repeats allowed; the
// readers keep a repeated attack once).
Framework RandomFramework(int arguments, int attacks, std::uint32_t seed) {
  SeededRandom random(seed);
  std::vector<std::string> names;
  for (int i = 0; i < arguments; ++i) names.push_back("a" + std::to_string(i));
  std::vector<Attack> drawn;
  for (int i = 0; i < attacks; ++i)
    drawn.push_back({random.Below(arguments), random.Below(arguments)});
  return {std::move(names), std::move(drawn)};
}

const Framework& LargeFramework() {
  static const Framework framework = RandomFramework(100'000, 1'000'000, 7);
  return framework;
}

const Framework& LargeFrameworkByAttacker() {
  static const Framework framework = [] {
    std::vector<Attack> attacks = LargeFramework().Attacks();
    std::stable_sort(attacks.begin(), attacks.end(),
                     [](const Attack& a, const Attack& b) { return a.attacker < b.attacker; });
    return Framework(LargeFramework().Names(), std::move(attacks));
  }();
  return framework;
}

void Read(benchmark::State& state, const Framework& framework, Format format) {
  const std::string text = WriteFramework(framework, format).text;
  std::size_t attacks = 0;
  for (auto _ : state) {
    const ReadResult read = ReadFramework(text, format, "large");
    if (!read.ok()) state.SkipWithError(read.error.c_str());
    attacks = read.framework.Attacks().size();
    benchmark::DoNotOptimize(attacks);
  }
  state.counters["attacks"] = static_cast<double>(attacks);
  state.counters["bytes"] = static_cast<double>(text.size());
}

void Write(benchmark::State& state, Format format) {
  for (auto _ : state) {
    const WriteResult written = WriteFramework(LargeFramework(), format);
    benchmark::DoNotOptimize(written.text.data());
  }
}

void RegisterAll() {
  for (const Format format : kFormats) {
    const std::string name = FormatName(format);
    benchmark::RegisterBenchmark(("Read/" + name).c_str(), Read, LargeFramework(), format)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Read/" + name + "/ByAttacker").c_str(), Read,
                                 LargeFrameworkByAttacker(), format)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Write/" + name).c_str(), Write, format)
        ->Unit(benchmark::kMillisecond);
  }
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
