#include <algorithm>
#include <cassert>

#include "tests/oracle/oracle.h"

namespace dialectic::oracle {

void NameSet::Add(std::string_view name) {
  std::size_t at = 0;
  while (at < names_.size() && CompareFolded(names_[at], name) < 0) ++at;
  if (at < names_.size() && EqualFolded(names_[at], name)) return;
  names_.insert(names_.begin() + static_cast<std::ptrdiff_t>(at), std::string(name));
}

void NameSet::AddAll(const NameSet& other) {
  for (const std::string& name : other) Add(name);
}

void NameSet::AddAll(const StringList& names) {
  for (const std::string& name : names) Add(name);
}

bool NameSet::Contains(std::string_view name) const {
  return std::any_of(names_.begin(), names_.end(),
                     [&](const std::string& present) { return EqualFolded(present, name); });
}

std::string LabelingText(const TProofLabeling& labeling) {
  // Every name ends in its blank, which separates it from the next one.
  std::string text;
  for (const std::string& name : labeling.InArgs) text += name;
  if (!labeling.OutArgs.empty()) {
    text += '(';
    for (const std::string& name : labeling.OutArgs) text += name;
    text = Trim(text) + ')';
  }
  text = Trim(text);
  return text.empty() ? "<empty>" : text;
}

int TTheory::Find(std::string_view name) const {
  for (std::size_t i = 0; i < Args.size(); ++i) {
    if (Args[i].Name == name) return static_cast<int>(i);
  }
  return -1;
}

const TArg& TTheory::Named(std::string_view name) const {
  const int at = Find(name);
  assert(at >= 0);
  return ArgAt(at);
}

int TTheory::FindOrAdd(std::string_view name) {
  const int at = Find(name);
  if (at >= 0) return at;
  Args.push_back(TArg{std::string(name), {}, {}, {}});
  return static_cast<int>(Args.size()) - 1;
}

void TTheory::AddAttack(std::string_view attacker_name, std::string_view target_name) {
  const int target = FindOrAdd(target_name);
  const int attacker = FindOrAdd(attacker_name);
  std::vector<int>& targets = Args[static_cast<std::size_t>(attacker)].Targets;
  if (std::find(targets.begin(), targets.end(), target) == targets.end()) targets.push_back(target);
  std::vector<int>& attackers = Args[static_cast<std::size_t>(target)].Attackers;
  if (std::find(attackers.begin(), attackers.end(), attacker) == attackers.end())
    attackers.push_back(attacker);
}

bool IsAttackedByIn(const TTheory& theory, const TProofLabeling& labeling, const TArg& arg) {
  return std::any_of(arg.Attackers.begin(), arg.Attackers.end(), [&](int attacker) {
    const std::string& name = theory.ArgAt(attacker).Name;
    return std::find(labeling.InArgs.begin(), labeling.InArgs.end(), name) != labeling.InArgs.end();
  });
}

FirstWordSplit SplitFirstWord(std::string_view text) {
  const std::string padded = Trim(text) + ' ';
  const std::size_t blank = padded.find(' ');
  return {padded.substr(0, blank + 1), padded.substr(blank + 1)};
}

void ParseClause(std::string_view clause, TTheory& theory) {
  FirstWordSplit split = SplitFirstWord(clause);
  if (split.word == " ") return;
  const std::string target = split.word;
  theory.FindOrAdd(target);
  while (!split.rest.empty()) {
    split = SplitFirstWord(split.rest);
    theory.AddAttack(split.word, target);
  }
}

void ParseInput(const StringList& lines, TTheory& theory) {
  for (std::string line : lines) {
    std::replace(line.begin(), line.end(), ',', '\n');
    for (const std::string& clause : SplitLines(line)) ParseClause(clause, theory);
  }
}

namespace {

// The argument's trimmed name, then a blank and the trimmed name of each attacker.
std::string AttackLine(const TTheory& theory, const TArg& arg) {
  std::string line = Trim(arg.Name);
  for (int attacker : arg.Attackers) line += ' ' + Trim(theory.ArgAt(attacker).Name);
  return line;
}

}  // namespace

StringList Rephrase(const TTheory& theory) {
  StringList lines = {"STANDARD STYLE"};
  for (const TArg& arg : theory.Args) {
    if (!arg.Attackers.empty()) {
      lines.push_back(AttackLine(theory, arg));
    } else if (arg.Targets.empty()) {
      lines.push_back(arg.Name);
    }
  }
  lines.push_back("");

  lines.push_back("COMMA STYLE");
  std::string comma_line;
  for (const TArg& arg : theory.Args) {
    if (arg.Attackers.empty()) continue;
    if (!comma_line.empty()) comma_line += ", ";
    comma_line += AttackLine(theory, arg);
  }
  lines.push_back(comma_line);
  lines.push_back("");

  lines.push_back("YET ANOTHER STYLE");
  for (const TArg& arg : theory.Args) {
    lines.push_back(arg.Name);
    for (int attacker : arg.Attackers) lines.push_back("  x-- " + theory.ArgAt(attacker).Name);
    for (int target : arg.Targets) lines.push_back("  --x " + theory.ArgAt(target).Name);
    lines.push_back("");
  }
  return lines;
}

}  // namespace dialectic::oracle
