// The Erdos-Renyi graphs of the engine's benchmarks, made in code from a fixed seed: each ordered
// pair of arguments, an argument with itself included, is an attack with the same chance,
// mean / size for a mean of `mean` attacks per argument. The random numbers come straight from
// std::mt19937, so the graphs are the same everywhere.
#pragma once

#include <cstdint>
#include <random>

#include "model/argument_graph.h"

namespace dialectic::bench {

inline ArgumentGraph ErdosRenyiGraph(int size, double mean, std::uint32_t seed) {
  std::mt19937 random(seed);
  const double threshold = mean / size * 4294967296.0;  // the chance in units of 2^-32
  ArgumentGraph graph;
  graph.attackers.resize(size);
  graph.targets.resize(size);
  for (int a = 0; a < size; ++a) {
    for (int b = 0; b < size; ++b) {
      if (random() >= threshold) continue;
      graph.attackers[b].push_back(a);
      graph.targets[a].push_back(b);
    }
  }
  return graph;
}

}  // namespace dialectic::bench
