#include "formats/framework.h"

#include <unordered_map>

namespace dialectic {

Framework FrameworkOfTheory(const TTheory& theory) {
  Framework framework;
  framework.names.reserve(static_cast<std::size_t>(theory.Args.Count()));
  // Positions by identity, since looking an argument up in Args by name scans the list.
  std::unordered_map<const TArg*, int> index_of_arg;
  index_of_arg.reserve(static_cast<std::size_t>(theory.Args.Count()));
  for (const TArg* arg : theory.Args) {
    index_of_arg.emplace(arg, static_cast<int>(framework.names.size()));
    // Every name the line syntax enters ends in exactly one blank, which is not part of the word.
    const std::string& name = arg->Name;
    framework.names.push_back(name.ends_with(' ') ? name.substr(0, name.size() - 1) : name);
  }
  for (const TArg* arg : theory.Args) {
    const int target = index_of_arg.at(arg);
    for (const TArg* attacker : arg->Attackers) {
      framework.attacks.push_back({index_of_arg.at(attacker), target});
    }
  }
  return framework;
}

}  // namespace dialectic
