#include "model/theory.h"

namespace dialectic {

TArg& TTheory::FindOrAdd(std::string_view name) {
  if (TArg* found = Find(name)) return *found;
  auto arg = std::make_unique<TArg>();
  arg->Name = std::string(name);
  arg->Position = Args.Count();
  Args.Add(*arg);
  arg_of_name_.emplace(arg->Name, arg.get());
  owned_args_.push_back(std::move(arg));
  return *owned_args_.back();
}

TArg* TTheory::Find(std::string_view name) const {
  const auto found = arg_of_name_.find(name);
  return found == arg_of_name_.end() ? nullptr : found->second;
}

void TTheory::AddAttack(std::string_view attacker_name, std::string_view target_name) {
  TArg& target = FindOrAdd(target_name);
  TArg& attacker = FindOrAdd(attacker_name);
  const std::uint64_t attack = (static_cast<std::uint64_t>(attacker.Position) << 32) |
                               static_cast<std::uint32_t>(target.Position);
  if (!attacks_.insert(attack).second) return;
  attacker.Targets.Add(target);
  target.Attackers.Add(attacker);
}

void TTheory::Clear() {
  Args.Clear();
  arg_of_name_.clear();
  attacks_.clear();
  owned_args_.clear();
}

}  // namespace dialectic
