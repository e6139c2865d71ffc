#include "exact/components.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "exact/grounded_labeling.h"

namespace dialectic::exact {

Decomposition::Decomposition(const ArgumentGraph& graph, bool fix_grounded) : whole_(graph) {
  const int size = graph.Size();
  std::vector<Label> labels(size, Label::kUndec);
  if (fix_grounded) {
    labels = GroundedLabels(graph);
    fixed_in_ = InArguments(labels);
  }
  // Components by a depth-first walk over attacks either way, among the arguments left; an
  // argument left is never attacked by a fixed IN one (it would be OUT), so dropping the attacks
  // from OUT arguments loses no constraint between the arguments left.
  part_of_.assign(size, -1);
  int part_count = 0;
  std::vector<int> stack;
  for (int start = 0; start < size; ++start) {
    if (labels[start] != Label::kUndec || part_of_[start] != -1) continue;
    part_of_[start] = part_count;
    stack.push_back(start);
    while (!stack.empty()) {
      const int a = stack.back();
      stack.pop_back();
      for (const std::vector<int>* neighbours : {&graph.attackers[a], &graph.targets[a]}) {
        for (const int b : *neighbours) {
          if (labels[b] == Label::kUndec && part_of_[b] == -1) {
            part_of_[b] = part_count;
            stack.push_back(b);
          }
        }
      }
    }
    ++part_count;
  }
  parts_.resize(part_count);
  local_of_.assign(size, -1);
  for (int a = 0; a < size; ++a) {
    if (part_of_[a] == -1) continue;
    std::vector<int>& arguments = parts_[part_of_[a]].arguments;
    local_of_[a] = static_cast<int>(arguments.size());
    arguments.push_back(a);
  }
  // One part holding every argument is the graph itself: no copy.
  is_whole_ = part_count == 1 && static_cast<int>(parts_[0].arguments.size()) == size;
  if (is_whole_) return;
  for (GraphPart& part : parts_) {
    const int part_size = static_cast<int>(part.arguments.size());
    part.graph.attackers.resize(part_size);
    part.graph.targets.resize(part_size);
    for (int local = 0; local < part_size; ++local) {
      const int a = part.arguments[local];
      for (const int b : graph.attackers[a]) {
        if (part_of_[b] != -1) part.graph.attackers[local].push_back(local_of_[b]);
      }
      for (const int b : graph.targets[a]) {
        if (part_of_[b] != -1) part.graph.targets[local].push_back(local_of_[b]);
      }
    }
  }
}

Extension Decomposition::Combine(const std::vector<const Extension*>& part_extensions) const {
  Extension combined = fixed_in_;
  for (std::size_t part = 0; part < part_extensions.size(); ++part) {
    for (const int local : *part_extensions[part]) {
      combined.push_back(parts_[part].arguments[local]);
    }
  }
  std::sort(combined.begin(), combined.end());
  return combined;
}

ExtensionAnswer FindByParts(const Decomposition& parts,
                            const std::optional<Requirement>& requirement,
                            const PartSolvers& solvers) {
  const int count = parts.PartCount();
  std::vector<Extension> found(count);
  // The part with the requirement goes first: when it has no such extension, no other part needs
  // to be solved.
  int required_part = -1;
  if (requirement) {
    const int a = requirement->argument;
    required_part = parts.PartOf(a);
    if (required_part == -1) {
      const bool fixed_in = std::binary_search(parts.FixedIn().begin(), parts.FixedIn().end(), a);
      if (fixed_in != requirement->in) return {};
    } else {
      ExtensionAnswer answer = solvers.find(parts.PartGraph(required_part),
                                            Requirement{parts.LocalIndex(a), requirement->in});
      if (answer.outcome == Outcome::kStopped) return {Outcome::kStopped, {}};
      if (!answer.extension) return {};
      found[required_part] = std::move(*answer.extension);
    }
  }
  for (int part = 0; part < count; ++part) {
    if (part == required_part) continue;
    ExtensionAnswer answer = solvers.find(parts.PartGraph(part), std::nullopt);
    if (answer.outcome == Outcome::kStopped) return {Outcome::kStopped, {}};
    if (!answer.extension) return {};
    found[part] = std::move(*answer.extension);
  }
  std::vector<const Extension*> chosen;
  chosen.reserve(count);
  for (const Extension& extension : found) chosen.push_back(&extension);
  return {Outcome::kFinished, parts.Combine(chosen)};
}

CountAnswer EnumerateByParts(const Decomposition& parts, const PartSolvers& solvers,
                             RunContext& context, const ExtensionCallback& callback) {
  const int count = parts.PartCount();
  if (count == 0) {
    callback(parts.FixedIn());
    return {Outcome::kFinished, 1};
  }
  int streamed = 0;
  for (int part = 1; part < count; ++part) {
    if (parts.PartArguments(part).size() > parts.PartArguments(streamed).size()) streamed = part;
  }
  // The kept parts first: when one of them has no extension, neither has the whole graph.
  std::vector<std::vector<Extension>> kept(count);
  for (int part = 0; part < count; ++part) {
    if (part == streamed) continue;
    const CountAnswer answer = solvers.enumerate(
        parts.PartGraph(part), [&](const Extension& e) { kept[part].push_back(e); });
    if (answer.outcome == Outcome::kStopped) return {Outcome::kStopped, 0};
    if (kept[part].empty()) return {};
  }
  // Each extension of the streamed part with every choice of the kept parts' extensions, chosen
  // by a mixed-radix counter over the kept parts.
  CountAnswer answer;
  std::vector<const Extension*> chosen(count);
  std::vector<std::size_t> digit(count, 0);
  const CountAnswer streaming =
      solvers.enumerate(parts.PartGraph(streamed), [&](const Extension& extension) {
        chosen[streamed] = &extension;
        std::fill(digit.begin(), digit.end(), 0);
        while (!context.StopRequested()) {
          for (int part = 0; part < count; ++part) {
            if (part != streamed) chosen[part] = &kept[part][digit[part]];
          }
          callback(parts.Combine(chosen));
          ++answer.count;
          int part = 0;
          for (; part < count; ++part) {
            if (part == streamed) continue;
            if (++digit[part] < kept[part].size()) break;
            digit[part] = 0;
          }
          if (part == count) break;
        }
      });
  if (streaming.outcome == Outcome::kStopped || context.StopRequested()) {
    answer.outcome = Outcome::kStopped;
  }
  return answer;
}

CountAnswer CountByParts(const Decomposition& parts, const PartSolvers& solvers) {
  CountAnswer answer{Outcome::kFinished, 1};
  for (int part = 0; part < parts.PartCount(); ++part) {
    const CountAnswer count = solvers.count(parts.PartGraph(part));
    if (count.outcome == Outcome::kStopped) return {Outcome::kStopped, 0};
    answer.count *= count.count;
    if (answer.count.IsZero()) return answer;
  }
  return answer;
}

}  // namespace dialectic::exact
