#include "formats/framework_builder.h"

#include <cassert>

namespace dialectic {

int FrameworkBuilder::AddArgument(std::string_view name) {
  const int next = static_cast<int>(framework_.names.size());
  const auto [found, added] = index_of_name_.try_emplace(name, next);
  if (added) framework_.names.emplace_back(name);
  return found->second;
}

int FrameworkBuilder::IndexOf(std::string_view name) const {
  const auto found = index_of_name_.find(name);
  return found == index_of_name_.end() ? -1 : found->second;
}

void FrameworkBuilder::AddNumberedArguments(int count) {
  framework_.names.reserve(framework_.names.size() + static_cast<std::size_t>(count));
  for (int i = 1; i <= count; ++i) framework_.names.push_back(std::to_string(i));
}

void FrameworkBuilder::AddAttack(int attacker, int target) {
  assert(attacker >= 0 && target >= 0);
  const std::uint64_t key =
      (static_cast<std::uint64_t>(attacker) << 32) | static_cast<std::uint32_t>(target);
  if (attack_keys_.insert(key).second) framework_.attacks.push_back({attacker, target});
}

Framework FrameworkBuilder::Take() {
  index_of_name_.clear();
  attack_keys_.clear();
  Framework taken = std::move(framework_);
  framework_ = {};
  return taken;
}

std::string UnwritableName(const Framework& framework, std::string_view format_title,
                           NameProblem problem) {
  std::unordered_map<std::string_view, std::size_t> first_of_name;
  first_of_name.reserve(framework.names.size());
  auto argument = [&framework](std::size_t i) {
    return "argument " + std::to_string(i + 1) + " (\"" + framework.names[i] + "\") ";
  };
  for (std::size_t i = 0; i < framework.names.size(); ++i) {
    const std::string& name = framework.names[i];
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
