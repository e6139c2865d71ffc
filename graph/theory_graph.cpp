#include "graph/theory_graph.h"

namespace dialectic {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

TheoryGraph GraphOfTheory(const TTheory& theory) {
  TheoryGraph graph;
  const auto size = static_cast<std::size_t>(theory.Args.Count());
  graph.names.reserve(size);
  graph.attacks.attackers.resize(size);
  graph.attacks.targets.resize(size);
  for (const TArg* arg : theory.Args) {
    graph.names.push_back(arg->Name);
    auto& attackers = graph.attacks.attackers[static_cast<std::size_t>(arg->Position)];
    for (const TArg* attacker : arg->Attackers) attackers.push_back(attacker->Position);
    auto& targets = graph.attacks.targets[static_cast<std::size_t>(arg->Position)];
    for (const TArg* target : arg->Targets) targets.push_back(target->Position);
  }
  return graph;
}

std::string_view ShownName(std::string_view name) {
  while (!name.empty() && IsBlankOrControl(name.front())) name.remove_prefix(1);
  while (!name.empty() && IsBlankOrControl(name.back())) name.remove_suffix(1);
  return name;
}

NameLookup::NameLookup(const TheoryGraph& graph) {
  for (int position = 0; position < graph.Size(); ++position) {
    const std::string& name = graph.names[static_cast<std::size_t>(position)];
    by_name_.emplace(name, position);
    std::string_view word = name;
    if (word.ends_with(' ')) word.remove_suffix(1);
    by_word_.emplace(word, position);
    by_shown_name_.emplace(ShownName(name), position);
  }
}

int NameLookup::Lookup(const Map& map, std::string_view key) {
  const auto found = map.find(key);
  return found == map.end() ? -1 : found->second;
}

int NameLookup::PositionOfName(std::string_view name) const { return Lookup(by_name_, name); }

int NameLookup::PositionOfWord(std::string_view word) const {
  const int exact = Lookup(by_word_, word);
  return exact >= 0 ? exact : Lookup(by_shown_name_, word);
}

}  // namespace dialectic
