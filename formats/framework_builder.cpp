#include "formats/framework_builder.h"

#include <cassert>
#include <unordered_map>
#include <utility>

namespace dialectic {

int FrameworkBuilder::AddArgument(std::string_view name) {
  const int index = name_index_.FindOrAdd(name);
  if (index == static_cast<int>(names_.size())) names_.emplace_back(name);
  return index;
}

int FrameworkBuilder::IndexOf(std::string_view name) const { return name_index_.Find(name); }

void FrameworkBuilder::AddNumberedArguments(int count) {
  names_.reserve(names_.size() + static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) names_.push_back(std::to_string(i));
}

void FrameworkBuilder::AddAttack(int attacker, int target) {
  assert(attacker >= 0 && target >= 0);
  if (attack_set_.Insert(attacker, target)) attacks_.push_back({attacker, target});
}

Framework FrameworkBuilder::Take() {
  name_index_ = {};
  attack_set_ = {};
  return {std::exchange(names_, {}), std::exchange(attacks_, {})};
}

std::string UnwritableName(const Framework& framework, std::string_view format_title,
                           NameProblem problem) {
  std::unordered_map<std::string_view, std::size_t> first_of_name;
  first_of_name.reserve(framework.Names().size());
  auto argument = [&framework](std::size_t i) {
    return "argument " + std::to_string(i + 1) + " (\"" + framework.Names()[i] + "\") ";
  };
  for (std::size_t i = 0; i < framework.Names().size(); ++i) {
    const std::string& name = framework.Names()[i];
    if (const char* reason = problem(name)) {
      return argument(i) + "cannot be written in " + std::string(format_title) + ": " + reason;
    }
    const auto [first, added] = first_of_name.try_emplace(name, i);
    if (!added) {
      return argument(i) + "repeats the name of argument " + std::to_string(first->second + 1);
    }
  }
  return {};
}

}  // namespace dialectic
