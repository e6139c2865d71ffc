#include "model/framework.h"

#include <utility>

namespace dialectic {

Framework::Framework(std::vector<std::string> names, std::vector<Attack> attacks)
    : names_(std::move(names)), attacks_(std::move(attacks)) {
  graph_.attackers.resize(names_.size());
  graph_.targets.resize(names_.size());
  for (const Attack& attack : attacks_) {
    graph_.attackers[static_cast<std::size_t>(attack.target)].push_back(attack.attacker);
    graph_.targets[static_cast<std::size_t>(attack.attacker)].push_back(attack.target);
  }
}

Framework FrameworkOfTheory(const TTheory& theory) {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(theory.Args.Count()));
  for (const TArg* arg : theory.Args) {
    // Every name the line syntax enters ends in exactly one blank, which is not part of the word.
    const std::string& name = arg->Name;
    names.push_back(name.ends_with(' ') ? name.substr(0, name.size() - 1) : name);
  }
  std::vector<Attack> attacks;
  for (const TArg* arg : theory.Args) {
    for (const TArg* attacker : arg->Attackers)
      attacks.push_back({attacker->Position, arg->Position});
  }
  return {std::move(names), std::move(attacks)};
}

}  // namespace dialectic
