#include "exact/scc_recursive.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "exact/directional.h"
#include "exact/grounded_labeling.h"
#include "exact/maximal_search.h"
#include "exact/strong_components.h"

namespace dialectic::exact {
namespace {

// One strongly connected component with the arguments outside it that attack it.
struct Component {
  std::vector<int> members;  // ascending
  std::vector<int> inputs;   // ascending, each once
};

// The components in an order where every attack between two of them goes from an earlier one to
// a later one.
std::vector<Component> ComponentsInAttackOrder(const ArgumentGraph& graph) {
  std::vector<std::vector<int>> closed =
      StrongComponents(graph, std::vector<bool>(graph.Size(), true));
  std::vector<int> component_of(graph.Size(), 0);
  std::vector<Component> ordered(closed.size());
  for (std::size_t i = 0; i < closed.size(); ++i) {
    Component& component = ordered[closed.size() - 1 - i];
    component.members = std::move(closed[i]);
    for (const int member : component.members) {
      component_of[member] = static_cast<int>(closed.size() - 1 - i);
    }
  }
  for (std::size_t c = 0; c < ordered.size(); ++c) {
    std::vector<int>& inputs = ordered[c].inputs;
    for (const int member : ordered[c].members) {
      for (const int attacker : graph.attackers[member]) {
        if (component_of[attacker] != static_cast<int>(c)) inputs.push_back(attacker);
      }
    }
    std::sort(inputs.begin(), inputs.end());
    inputs.erase(std::unique(inputs.begin(), inputs.end()), inputs.end());
  }
  return ordered;
}

// A component's choices: the in arguments of each of its preferred labelings given its inputs.
using Choices = std::vector<Extension>;

// How many labelings of a component's inputs the search keeps the choices of, so that an
// enumeration of millions of extensions does not keep millions of choices.
constexpr std::size_t kMostKeptLabelings = 1 << 14;

// The search over the components in attack order, depth first, with each component's choices
// kept per labeling of its inputs.
class ComponentSearch {
 public:
  ComponentSearch(const ArgumentGraph& graph, RunContext& context)
      : graph_(graph),
        context_(context),
        components_(ComponentsInAttackOrder(graph)),
        labels_(graph.Size(), Label::kUndec),
        known_(components_.size()) {}

  // One preferred extension: each component in turn takes one of its choices given the labels of
  // the components before it.
  ExtensionAnswer FindOne() {
    for (const Component& component : components_) {
      if (context_.StopRequested()) return {Outcome::kStopped, {}};
      const ConditionedGraph conditioned = Condition(graph_, component.members, labels_);
      const std::optional<Extension> choice = OneChoice(conditioned);
      if (!choice) return {Outcome::kStopped, {}};
      Apply(component, *choice);
    }
    return {Outcome::kFinished, InArguments(labels_)};
  }

  CountAnswer Enumerate(const ExtensionCallback& callback) {
    const std::size_t depth = components_.size();
    std::vector<const Choices*> choices(depth, nullptr);
    std::vector<std::size_t> next(depth, 0);
    CountAnswer answer;
    std::size_t level = 0;
    if (!(choices[0] = ChoicesAt(0))) return Stopped(answer);
    while (true) {
      if (level == depth) {
        callback(InArguments(labels_));
        ++answer.count;
        if (context_.StopRequested()) return Stopped(answer);
        --level;
        continue;
      }
      if (next[level] == choices[level]->size()) {
        if (level == 0) return answer;
        --level;
        continue;
      }
      Apply(components_[level], (*choices[level])[next[level]++]);
      if (++level == depth) continue;
      next[level] = 0;
      if (!(choices[level] = ChoicesAt(level))) return Stopped(answer);
    }
  }

 private:
  static CountAnswer Stopped(CountAnswer answer) {
    answer.outcome = Outcome::kStopped;
    return answer;
  }

  // The choices of the component given the current labels of its inputs; none when stopped.
  const Choices* ChoicesAt(std::size_t level) {
    const Component& component = components_[level];
    std::string key;
    key.reserve(component.inputs.size());
    for (const int input : component.inputs) key.push_back(static_cast<char>(labels_[input]));
    // The only choices of this component in use are those being replaced, so the kept ones may go
    // when there are too many to keep.
    if (known_[level].size() >= kMostKeptLabelings) known_[level].clear();
    auto [place, added] = known_[level].try_emplace(std::move(key));
    if (added && !FindChoices(component, place->second)) {
      known_[level].erase(place);
      return nullptr;
    }
    return &place->second;
  }

  // The preferred extensions of the component on its own, given the labels of its inputs.
  bool FindChoices(const Component& component, Choices& choices) {
    const ConditionedGraph conditioned = Condition(graph_, component.members, labels_);
    if (conditioned.kept.empty()) {
      choices.push_back({});
      return true;
    }
    const int size = static_cast<int>(conditioned.kept.size());
    MaximalSearch search(conditioned.graph, Semantics::kPreferred, context_);
    const CountAnswer found = search.Enumerate([&](const Extension& extension) {
      Extension& choice = choices.emplace_back();
      for (const int i : extension) {
        if (i < size) choice.push_back(conditioned.kept[i]);
      }
    });
    return found.outcome == Outcome::kFinished;
  }

  // The in arguments of one preferred extension of the conditioned component; none when stopped.
  // Where its grounded labeling leaves none of its arguments undecided, that labeling is its only
  // complete one, and no solver is needed: so it is for most components of a few arguments.
  std::optional<Extension> OneChoice(const ConditionedGraph& conditioned) {
    const int size = static_cast<int>(conditioned.kept.size());
    const std::vector<Label> grounded = GroundedLabels(conditioned.graph);
    Extension choice;
    if (std::all_of(grounded.begin(), grounded.begin() + size,
                    [](Label label) { return label != Label::kUndec; })) {
      for (int i = 0; i < size; ++i) {
        if (grounded[i] == Label::kIn) choice.push_back(conditioned.kept[i]);
      }
      return choice;
    }
    const ExtensionAnswer answer =
        MaximalSearch(conditioned.graph, Semantics::kPreferred, context_).Find(std::nullopt);
    if (answer.outcome == Outcome::kStopped) return std::nullopt;
    for (const int i : *answer.extension) {
      if (i < size) choice.push_back(conditioned.kept[i]);
    }
    return choice;
  }

  // Labels the component's members by the choice: its arguments in, those attacked by an argument
  // in out, the rest undecided.
  void Apply(const Component& component, const Extension& choice) {
    for (const int member : component.members) labels_[member] = Label::kUndec;
    for (const int member : choice) labels_[member] = Label::kIn;
    for (const int member : component.members) {
      if (labels_[member] == Label::kIn) continue;
      for (const int attacker : graph_.attackers[member]) {
        if (labels_[attacker] == Label::kIn) {
          labels_[member] = Label::kOut;
          break;
        }
      }
    }
  }

  const ArgumentGraph& graph_;
  RunContext& context_;
  std::vector<Component> components_;
  std::vector<Label> labels_;
  std::vector<std::unordered_map<std::string, Choices>> known_;  // by component
};

}  // namespace

bool HasSeveralStrongComponents(const ArgumentGraph& graph) {
  return StrongComponents(graph, std::vector<bool>(graph.Size(), true)).size() > 1;
}

ExtensionAnswer FindPreferredByComponents(const ArgumentGraph& graph, RunContext& context) {
  return ComponentSearch(graph, context).FindOne();
}

CountAnswer EnumeratePreferredByComponents(const ArgumentGraph& graph, RunContext& context,
                                           const ExtensionCallback& callback) {
  if (graph.Size() == 0) {
    callback({});
    return {Outcome::kFinished, 1};
  }
  return ComponentSearch(graph, context).Enumerate(callback);
}

}  // namespace dialectic::exact
