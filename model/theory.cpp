#include "model/theory.h"

namespace dialectic {

int TArgs::IndexOfName(std::string_view name) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->Name == name) return static_cast<int>(i);
  }
  return -1;
}

int TArgs::IndexOf(const TArg& arg) const { return IndexOfName(arg.Name); }

TArg& TTheory::FindOrAdd(std::string_view name) {
  if (TArg* found = Find(name)) return *found;
  auto arg = std::make_unique<TArg>();
  arg->Theory = this;
  arg->Name = std::string(name);
  Args.Add(*arg);
  arg_of_name_.emplace(arg->Name, arg.get());
  owned_args_.push_back(std::move(arg));
  return *owned_args_.back();
}

TArg* TTheory::Find(std::string_view name) const {
  const auto found = arg_of_name_.find(std::string(name));
  return found == arg_of_name_.end() ? nullptr : found->second;
}

void TTheory::AddAttack(std::string_view attacker_name, std::string_view target_name) {
  TArg& target = FindOrAdd(target_name);
  TArg& attacker = FindOrAdd(attacker_name);
  if (attacker.Targets.IndexOfName(target.Name) < 0) attacker.Targets.Add(target);
  if (target.Attackers.IndexOfName(attacker.Name) < 0) target.Attackers.Add(attacker);
}

void TTheory::Clear() {
  Args.Clear();
  arg_of_name_.clear();
  owned_args_.clear();
}

}  // namespace dialectic
