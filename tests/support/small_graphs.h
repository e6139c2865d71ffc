// Small argument graphs made in code for the exact engine's tests: by attack list, every graph of
// a given size, and random graphs of several parts, some of them decided by the grounded extension.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/argument_graph.h"

namespace dialectic::small_graphs {

using Attack = std::pair<int, int>;  // attacker, target

inline ArgumentGraph MakeGraph(int size, const std::vector<Attack>& attacks) {
  ArgumentGraph graph;
  graph.attackers.resize(size);
  graph.targets.resize(size);
  for (const auto& [attacker, target] : attacks) {
    graph.attackers[target].push_back(attacker);
    graph.targets[attacker].push_back(target);
  }
  return graph;
}

inline std::string Describe(const ArgumentGraph& graph) {
  std::string text = std::to_string(graph.Size()) + " arguments, attacks:";
  for (int a = 0; a < graph.Size(); ++a) {
    for (const int t : graph.targets[a]) text += " " + std::to_string(a) + ">" + std::to_string(t);
  }
  return text;
}

// Every graph of the size, once each: one per subset of the size * size possible attacks.
inline std::vector<ArgumentGraph> EveryGraph(int size) {
  std::vector<Attack> pairs;
  for (int a = 0; a < size; ++a) {
    for (int b = 0; b < size; ++b) pairs.emplace_back(a, b);
  }
  std::vector<ArgumentGraph> graphs;
  for (std::uint32_t relation = 0; relation < (1u << pairs.size()); ++relation) {
    std::vector<Attack> attacks;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
      if (relation >> i & 1) attacks.push_back(pairs[i]);
    }
    graphs.push_back(MakeGraph(size, attacks));
  }
  return graphs;
}

// A graph of up to twelve arguments in three kinds of pieces, numbered in a shuffled order: an
// acyclic piece (its attacks go from lower to higher rank), which the grounded extension decides
// whole; two to four small pieces of random attacks; and attacks from the acyclic piece into the
// small ones, which make some of their arguments OUT and leave the rest as parts. The numbers come
// straight from the generator, whose sequence the language fixes for mt19937.
inline ArgumentGraph RandomPiecedGraph(std::mt19937& random) {
  const auto below = [&](int bound) { return static_cast<int>(random() % bound); };
  const int acyclic = below(6);
  const int pieces = 2 + below(3);
  std::vector<int> piece_sizes;
  int size = acyclic;
  for (int p = 0; p < pieces && size < 12; ++p) {
    const int piece = std::min(12 - size, 1 + below(4));
    piece_sizes.push_back(piece);
    size += piece;
  }
  std::vector<int> name(size);
  std::iota(name.begin(), name.end(), 0);
  for (int i = size - 1; i > 0; --i) std::swap(name[i], name[below(i + 1)]);
  std::vector<Attack> attacks;
  const auto chance = [&](int percent) { return below(100) < percent; };
  for (int a = 0; a < acyclic; ++a) {
    for (int b = a + 1; b < acyclic; ++b) {
      if (chance(30)) attacks.emplace_back(name[a], name[b]);
    }
  }
  int first = acyclic;
  for (const int piece : piece_sizes) {
    for (int a = first; a < first + piece; ++a) {
      for (int b = first; b < first + piece; ++b) {
        if (chance(a == b ? 10 : 55)) attacks.emplace_back(name[a], name[b]);
      }
      for (int b = 0; b < acyclic; ++b) {
        if (chance(10)) attacks.emplace_back(name[b], name[a]);
      }
    }
    first += piece;
  }
  return MakeGraph(size, attacks);
}

// A graph of up to twelve arguments in two to six pieces of one to four, each with dense random
// attacks among its arguments (self-attacks among them) and attacks from earlier pieces into later
// ones, numbered in a shuffled order: many strongly connected components, where the labels of one
// piece decide what the later ones can do, and no part for the grounded extension to decide alone.
inline ArgumentGraph RandomLayeredGraph(std::mt19937& random) {
  const auto below = [&](int bound) { return static_cast<int>(random() % bound); };
  const auto chance = [&](int percent) { return below(100) < percent; };
  std::vector<int> piece_of;
  const int pieces = 2 + below(5);
  for (int p = 0; p < pieces && piece_of.size() < 12; ++p) {
    const int piece = std::min(12 - static_cast<int>(piece_of.size()), 1 + below(4));
    piece_of.insert(piece_of.end(), piece, p);
  }
  const int size = static_cast<int>(piece_of.size());
  std::vector<int> name(size);
  std::iota(name.begin(), name.end(), 0);
  for (int i = size - 1; i > 0; --i) std::swap(name[i], name[below(i + 1)]);
  std::vector<Attack> attacks;
  for (int a = 0; a < size; ++a) {
    for (int b = 0; b < size; ++b) {
      const int percent = piece_of[a] == piece_of[b]  ? (a == b ? 10 : 60)
                          : piece_of[a] < piece_of[b] ? 15
                                                      : 0;
      if (chance(percent)) attacks.emplace_back(name[a], name[b]);
    }
  }
  return MakeGraph(size, attacks);
}

}  // namespace dialectic::small_graphs
